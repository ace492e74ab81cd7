// The real program with its default skin, run in a Wine virtual desktop where
// Wine draws whole windows: the output folder field and the source list with
// 30 rows and its scroll bar are drawn by the skin. The screen is kept as an
// artefact of the run, and so is the main window in the dark skin and in the
// system's look.
#include "ProgramFixture.h"

#include "services/AppServices.h"
#include "res/resource.h"
#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/core/Skin.h"
#include "skin/image/CxImage.h"
#include "support/PixelCanvas.h"
#include "support/ScreenShot.h"
#include "support/WindowWatch.h"

#include <cstdio>
#include <string>
#include <vector>

// The top-left pixel of a skin grid (skin_shot_test.cpp).
COLORREF CornerOf(const skin::Skin& skin, const skin::NineGridImage& grid);

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

// What the program's own controls show in a look: its labels' ink on the picture
// buttons, the empty bar's corner, whether the list's grid lines are the system's.
struct OwnControlColours {
    COLORREF caption, disabledCaption, barCorner;
    bool systemGrid;
};

OwnControlColours ExpectedOwnControls(const char* skinFile)
{
    if (!skinFile)
        return {GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_WINDOW), true};
    skin::Skin worn;
    worn.ReadFile(WindowsPathOfHost(DistFolder() + "/" + skinFile));
    const auto* label = dynamic_cast<const skin::Static*>(worn.DefaultObject(skin::kTypeStatic));
    const auto* bar = dynamic_cast<const skin::ProgressBar*>(worn.DefaultObject(skin::kTypeProgressBar));
    if (!label || !bar)
        return {CLR_INVALID, CLR_INVALID, CLR_INVALID, false};
    return {skin::Rgb(label->m_effect.textColour), skin::Rgb(label->m_disabledEffect.textColour),
            CornerOf(worn, bar->m_image), false};
}

int ScreenPixelsOf(COLORREF colour, RECT area)
{
    PixelCanvas canvas(area.right - area.left, area.bottom - area.top);
    canvas.CopyScreen(area.left, area.top);
    return canvas.CountColour(colour);
}

// Pixels of `colour` in the bottom third of a picture button, under its picture.
int CaptionPixels(HWND button, COLORREF colour)
{
    RECT rect{};
    GetWindowRect(button, &rect);
    rect.top = rect.bottom - (rect.bottom - rect.top) / 3;
    return ScreenPixelsOf(colour, rect);
}

void ExpectOwnControlsIn(const RemoteProgram& program, const OwnControlColours& expected)
{
    EXPECT_GT(CaptionPixels(program.Item(IDC_ADD), expected.caption), 0) << "enabled caption";
    const HWND remove = program.Item(IDC_REMOVE);
    EnableWindow(remove, FALSE);  // as a conversion leaves it
    EXPECT_TRUE(WaitUntil([&] { return CaptionPixels(remove, expected.disabledCaption) > 0; }, 20000));
    POINT barOrigin{0, 0};
    ClientToScreen(program.Item(IDC_PROGRESS), &barOrigin);
    EXPECT_EQ(expected.barCorner, ScreenPixel(barOrigin)) << "the empty bar";
    HWND list = program.Item(IDC_SOURCE_LIST);
    RECT rows{}, header{};
    GetClientRect(list, &rows);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rows), 2);
    GetWindowRect(GetWindow(list, GW_CHILD), &header);  // the column headings
    rows.top = header.bottom;
    EXPECT_EQ(expected.systemGrid, ScreenPixelsOf(GetSysColor(COLOR_3DFACE), rows) > 0) << "grid lines";
}

// The main window in the other looks a user can choose, remembered from the
// last run: the dark skin, whose output field shows its own disabled colour,
// and the system's look (its face colour). Each picture is kept beside the
// default skin's.
struct ChosenLook {
    const char* picture;
    const char* skinFile;  // beside the program; null: no skin
    COLORREF disabledField;
};

class ChosenLookShot : public ConverterProgram, public ::testing::WithParamInterface<ChosenLook> {
protected:
    void SetUp() override
    {
        const char* file = GetParam().skinFile;
        const std::string setting = file ? WindowsPathOfHost(DistFolder() + "/" + file) : "none";
        ASSERT_EQ(1, WriteSetting("Skin", setting.c_str()));
        ConverterProgram::SetUp();
    }
    void TearDown() override
    {
        ConverterProgram::TearDown();
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "Skin");
            RegCloseKey(key);
        }
    }
};

TEST_P(ChosenLookShot, TheMainWindowWearsTheRememberedLook)
{
    const ChosenLook& look = GetParam();
    HWND output = m_program.Item(IDC_OUTPUT_DIR);
    EXPECT_EQ(look.skinFile != nullptr, GetPropA(m_program.Window(), "OBJECT") != nullptr);
    EXPECT_EQ(look.skinFile != nullptr, GetPropA(output, "OBJECT") != nullptr);
    RedrawWindow(m_program.Window(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Another process paints when it gets to it: the field's corner, painted
    // late, tells when the window is on the screen.
    RECT field{};
    GetWindowRect(output, &field);
    const POINT corner{field.right - 5, field.bottom - 5};
    const COLORREF expected = look.skinFile ? look.disabledField : GetSysColor(COLOR_BTNFACE);
    WaitUntil([&] { return ScreenPixel(corner) == expected; }, 20000);
    EXPECT_EQ(expected, ScreenPixel(corner));
    EXPECT_TRUE(WaitUntilShownSettles(m_program.Window())) << "still painting";
    CreateDirectoryA(WindowsPathOfHost(SKIN_ARTIFACTS_DIR).c_str(), nullptr);
    KeepWindowPicture(m_program.Window(), WindowsPathOfHost(std::string(SKIN_ARTIFACTS_DIR "/") + look.picture));
    ExpectOwnControlsIn(m_program, ExpectedOwnControls(look.skinFile));
}

INSTANTIATE_TEST_SUITE_P(Looks, ChosenLookShot,
                         ::testing::Values(ChosenLook{"main_window_x-night", "x-night.smf", RGB(0x18, 0x1C, 0x21)},
                                           ChosenLook{"main_window_no_skin", nullptr, CLR_INVALID}));

}  // namespace
