// The real program with its default skin, run in a Wine virtual desktop where
// Wine draws whole windows: the output folder field and the source list with
// 30 rows and its scroll bar are drawn by the skin. The screen is kept as an
// artefact of the run.
#include "ProgramFixture.h"

#include "res/resource.h"
#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/core/Skin.h"
#include "skin/image/CxImage.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string DistFolder()
{
    const std::string program = PROGRAM_HOST_PATH;
    return program.substr(0, program.rfind('/'));
}

// The pixels of `rect` on the screen, top row first, as 0x00RRGGBB.
std::vector<uint32_t> ScreenPixels(const RECT& rect)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<const uint32_t*>(bits)[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool SaveBmp(const std::string& path, const RECT& rect)
{
    const std::vector<uint32_t> pixels = ScreenPixels(rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFOHEADER header{sizeof header, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(pixels.data(), 4, pixels.size(), out);
    return std::fclose(out) == 0;
}

// The default skin's image of the vertical bar's first arrow, as drawn.
std::vector<uint32_t> SkinArrowPixels(int& size)
{
    skin::Skin xplus;
    if (!xplus.ReadFile(WindowsPathOfHost(DistFolder() + "/x-plus.smf")))
        return {};
    const auto* bar = dynamic_cast<const skin::ScrollBar*>(xplus.DefaultObject(skin::kTypeScrollBar));
    const skin::SkinImage* image = bar ? xplus.FindImage(bar->m_states[skin::kScrollVNormal].arrow1.imageName) : nullptr;
    if (!image)
        return {};
    const CxImage decoded(image->Encoded().data(), image->Encoded().size(), image->Format());
    const skin::SkinRect& source = bar->m_states[skin::kScrollVNormal].arrow1.source;
    size = source.Width();
    std::vector<uint32_t> pixels;
    for (int y = source.top; y < source.bottom; ++y)
        for (int x = source.left; x < source.right; ++x)
            pixels.push_back(decoded.GetBits()[static_cast<size_t>(y) * decoded.GetWidth() + x] & 0xFFFFFF);
    return pixels;
}

// The program joins the virtual desktop the test runs in (run_in_desktop.sh).
class SkinnedProgramShot : public ConverterProgram {
protected:
};

TEST_F(SkinnedProgramShot, TheOutputFieldAndTheSourceListWithItsBarAreDrawnByTheSkin)
{
    std::vector<std::string> names{"a.avi"};
    for (int i = 1; i <= 29; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "n%02d.avi", i);
        names.push_back(name);
    }
    AddClips(names);
    HWND list = m_program.Item(IDC_SOURCE_LIST);
    HWND output = m_program.Item(IDC_OUTPUT_DIR);
    EXPECT_NE(nullptr, GetPropA(list, "CoolSBSubclassPtr")) << "the source list's bars are the system's";
    EXPECT_NE(nullptr, GetPropA(list, "OBJECT"));
    EXPECT_NE(nullptr, GetPropA(output, "OBJECT"));
    RedrawWindow(m_program.Window(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    // The list's vertical bar starts, inside the two-pixel border, with the
    // skin's arrow.
    int size = 0;
    const std::vector<uint32_t> arrow = SkinArrowPixels(size);
    ASSERT_FALSE(arrow.empty()) << "no arrow image in the default skin";
    RECT frame{};
    GetWindowRect(list, &frame);
    const RECT arrowRect{frame.right - 2 - size, frame.top + 2, frame.right - 2, frame.top + 2 + size};
    const std::vector<uint32_t> shown = ScreenPixels(arrowRect);
    size_t same = 0;
    for (size_t i = 0; i < arrow.size(); ++i)
        same += shown[i] == arrow[i];
    EXPECT_GE(same * 10, arrow.size() * 9) << "the source list's arrow is not the skin's";

    // The disabled output field is on the skin's disabled colour, #F3F5F8.
    RECT field{};
    GetWindowRect(output, &field);
    const RECT corner{field.right - 5, field.bottom - 5, field.right - 4, field.bottom - 4};
    EXPECT_EQ(0xF3F5F8u, ScreenPixels(corner)[0]);

    const std::string shot = std::string(SKIN_ARTIFACTS_DIR) + "/skinned_program";
    CreateDirectoryA(WindowsPathOfHost(SKIN_ARTIFACTS_DIR).c_str(), nullptr);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_TRUE(SaveBmp(WindowsPathOfHost(shot + ".bmp"), screen));
    HostShell("convert '" + shot + ".bmp' '" + shot + ".png' && rm '" + shot + ".bmp'");
}

}  // namespace
