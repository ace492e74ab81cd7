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
#include "support/PixelCanvas.h"
#include "support/ScreenShot.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string DistFolder()
{
    const std::string program = PROGRAM_HOST_PATH;
    return program.substr(0, program.rfind('/'));
}

// The default skin's image of the vertical bar's first arrow, as drawn.
std::vector<COLORREF> SkinArrowPixels(int& size)
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
    std::vector<COLORREF> pixels;
    for (int y = source.top; y < source.bottom; ++y)
        for (int x = source.left; x < source.right; ++x)
            pixels.push_back(DibPixelColour(decoded.GetBits()[static_cast<size_t>(y) * decoded.GetWidth() + x]));
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
    const std::vector<COLORREF> arrow = SkinArrowPixels(size);
    ASSERT_FALSE(arrow.empty()) << "no arrow image in the default skin";
    RECT frame{};
    GetWindowRect(list, &frame);
    PixelCanvas canvas(size, size);
    canvas.CopyScreen(frame.right - 2 - size, frame.top + 2);
    const std::vector<COLORREF> shown = canvas.Pixels();
    size_t same = 0;
    for (size_t i = 0; i < arrow.size(); ++i)
        same += shown[i] == arrow[i];
    EXPECT_GE(same * 10, arrow.size() * 9) << "the source list's arrow is not the skin's";

    // The disabled output field is on the skin's disabled colour, #F3F5F8.
    RECT field{};
    GetWindowRect(output, &field);
    EXPECT_EQ(RGB(0xF3, 0xF5, 0xF8), ScreenPixel({field.right - 5, field.bottom - 5}));

    const std::string shot = std::string(SKIN_ARTIFACTS_DIR) + "/skinned_program";
    CreateDirectoryA(WindowsPathOfHost(SKIN_ARTIFACTS_DIR).c_str(), nullptr);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    int colours = 0;
    ASSERT_TRUE(SaveScreenArea(screen, WindowsPathOfHost(shot + ".bmp").c_str(), colours));
    HostShell("convert '" + shot + ".bmp' '" + shot + ".png' && rm '" + shot + ".bmp'");
}

}  // namespace
