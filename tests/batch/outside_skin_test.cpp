// The real program wearing a skin written from skin/FORMAT.md alone
// (outside_skin/outside.skin), every part in a colour of its own: each part
// is on the screen where the document says it is drawn, idle and while a
// batch runs. The pictures are kept with the skin artefacts.
#include "ProgramFixture.h"

#include "res/resource.h"
#include "support/PixelCanvas.h"
#include "support/WindowWatch.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <climits>
#include <string>

namespace {

// The skin's images, each one plain colour, drawn as its author would with an image tool.
const struct {
    const char* name;
    const char* colour;
} IMAGES[] = {
    {"frame_topleft", "#C00000"},  {"frame_top", "#00C000"},         {"frame_topright", "#0000C0"},
    {"frame_left", "#C0C000"},     {"frame_right", "#C000C0"},       {"frame_bottomleft", "#00C0C0"},
    {"frame_bottom", "#804000"},   {"frame_bottomright", "#408000"}, {"client", "#E0E8D0"},
    {"close", "#FF8000"},          {"button_normal", "#A0A0FF"},     {"button_disabled", "#FFA0A0"},
    {"check_back", "#D0F0D0"},     {"box_normal", "#008080"},        {"box_selected", "#800080"},
    {"box_hot", "#C08040"},        {"box_hot_selected", "#4080C0"},  {"box_grayed", "#B0B0B0"},
    {"label_back", "#F0E0C0"},     {"group_frame", "#405060"},       {"group_caption", "#F0C0F0"},
    {"combo_frame", "#602020"},    {"combo_drop", "#20A060"},        {"combo_drop_off", "#A0A0A0"},
    {"edit_border", "#206060"},    {"list_border", "#606020"},       {"heading_band", "#8080A0"},
    {"heading", "#B0B0D0"},        {"bar_track", "#303030"},         {"bar_fill", "#00A0A0"},
    {"slider_back", "#D8D8F8"},    {"slider_channel", "#402040"},    {"slider_thumb", "#F04040"},
};

// "#RRGGBB", or the name of an image and so its colour.
COLORREF ColourOf(const std::string& colourOrImage)
{
    std::string hex = colourOrImage;
    for (const auto& image : IMAGES)
        if (colourOrImage == image.name)
            hex = image.colour;
    const unsigned long rgb = std::stoul(hex.substr(1), nullptr, 16);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

constexpr int MAIN = 0, HEADING = -2;           // the main window, the source list's heading
constexpr int MIDDLE = INT_MIN, ANYWHERE = INT_MAX;

// A part in a window of the program (a control id, MAIN or HEADING, or a
// child by its text) at a point, counted from the right or bottom edge when
// negative; ANYWHERE: somewhere in the window's top y rows (all when 0).
struct Look {
    const char* part;
    int id;
    const char* text;
    int x, y;
    const char* colour;
};

const Look IDLE[] = {
    {"frame, top left", MAIN, nullptr, 3, 3, "frame_topleft"},
    {"frame, top", MAIN, nullptr, MIDDLE, 2, "frame_top"},
    {"frame, top right", MAIN, nullptr, -3, 2, "frame_topright"},
    {"frame, left", MAIN, nullptr, 2, MIDDLE, "frame_left"},
    {"frame, right", MAIN, nullptr, -3, MIDDLE, "frame_right"},
    {"frame, bottom left", MAIN, nullptr, 3, -3, "frame_bottomleft"},
    {"frame, bottom", MAIN, nullptr, MIDDLE, -3, "frame_bottom"},
    {"frame, bottom right", MAIN, nullptr, -3, -3, "frame_bottomright"},
    {"caption button", MAIN, nullptr, -15, 13, "close"},
    {"caption text", MAIN, nullptr, ANYWHERE, 26, "#FFFF00"},
    {"client fill", MAIN, nullptr, MIDDLE, -11, "client"},
    {"push button, disabled", IDC_STOP, nullptr, 2, 2, "button_disabled"},
    {"push button text, disabled", IDC_STOP, nullptr, ANYWHERE, 0, "#800000"},
    {"check box background", IDC_SHUTDOWN, nullptr, 1, 1, "check_back"},
    {"check box, unchecked", IDC_SHUTDOWN, nullptr, 8, MIDDLE, "box_normal"},
    {"check box text", IDC_SHUTDOWN, nullptr, ANYWHERE, 0, "#004060"},
    {"radio button, chosen", IDC_TO_AVI, nullptr, 8, MIDDLE, "box_selected"},
    {"radio button", IDC_TO_MPEG, nullptr, 8, MIDDLE, "box_normal"},
    {"radio button text", IDC_TO_MPEG, nullptr, ANYWHERE, 0, "#004060"},
    {"label background", 0, " Video Codec:", 1, MIDDLE, "label_back"},
    {"label text", 0, " Video Codec:", ANYWHERE, 0, "#6000A0"},
    {"group frame", 0, "Convert Format", 1, MIDDLE, "group_frame"},
    {"group caption", 0, "Convert Format", 5, 1, "group_caption"},
    {"group caption text", 0, "Convert Format", ANYWHERE, 14, "#A00060"},
    {"combo frame", IDC_AUDIO_CODEC, nullptr, 0, 0, "combo_frame"},
    {"combo field", IDC_AUDIO_CODEC, nullptr, -22, MIDDLE, "#FFF0E0"},
    {"combo drop button", IDC_AUDIO_CODEC, nullptr, -6, MIDDLE, "combo_drop"},
    {"combo text", IDC_AUDIO_CODEC, nullptr, ANYWHERE, 0, "#2040C0"},
    {"edit border", IDC_OUTPUT_DIR, nullptr, 0, 0, "edit_border"},
    {"edit field, disabled", IDC_OUTPUT_DIR, nullptr, -5, -5, "#E0E0FF"},
    {"list border", IDC_SOURCE_LIST, nullptr, 0, 0, "list_border"},
    {"list field", IDC_SOURCE_LIST, nullptr, -10, -10, "#FFFFE0"},
    {"list text", IDC_SOURCE_LIST, nullptr, ANYWHERE, 0, "#0060A0"},
    {"heading", HEADING, nullptr, 1, MIDDLE, "heading"},
    {"heading text", HEADING, nullptr, ANYWHERE, 0, "#200040"},
    {"progress, filled", IDC_PROGRESS, nullptr, 3, MIDDLE, "bar_fill"},
    {"progress, empty", IDC_PROGRESS, nullptr, -4, MIDDLE, "bar_track"},
    {"percentage over the filled part", IDC_PROGRESS, nullptr, ANYWHERE, 0, "#F8F8A0"},
    {"percentage over the empty part", IDC_PROGRESS, nullptr, ANYWHERE, 0, "#A00000"},
    {"slider background", IDC_VOLUME, nullptr, -1, 0, "slider_back"},
    {"slider channel", IDC_VOLUME, nullptr, ANYWHERE, 0, "slider_channel"},
    {"slider thumb", IDC_VOLUME, nullptr, ANYWHERE, 0, "slider_thumb"},
};

// While a batch runs, the settings are disabled and Stop is enabled.
const Look CONVERTING[] = {
    {"push button", IDC_STOP, nullptr, 2, 2, "button_normal"},
    {"push button text", IDC_STOP, nullptr, ANYWHERE, 0, "#000080"},
    {"radio button, disabled", IDC_TO_MPEG, nullptr, 8, MIDDLE, "box_grayed"},
    {"radio button, chosen and disabled", IDC_TO_AVI, nullptr, 8, MIDDLE, "box_selected"},
    {"radio button background, chosen and disabled", IDC_TO_AVI, nullptr, 1, 1, "check_back"},
    {"combo field, disabled", IDC_AUDIO_CODEC, nullptr, -22, MIDDLE, "#E8E8E8"},
    {"combo drop button, disabled", IDC_AUDIO_CODEC, nullptr, -6, MIDDLE, "combo_drop_off"},
    {"combo text, disabled", IDC_AUDIO_CODEC, nullptr, ANYWHERE, 0, "#909090"},
};

int At(int coordinate, int size)
{
    return coordinate == MIDDLE ? size / 2 : coordinate < 0 ? size + coordinate : coordinate;
}

// Checks one look against what the screen shows of `window`.
void ExpectLook(HWND window, const Look& look)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    PixelCanvas shown(rect.right - rect.left, rect.bottom - rect.top);
    shown.CopyScreen(rect.left, rect.top);
    const COLORREF colour = ColourOf(look.colour);
    if (look.x == ANYWHERE) {
        const int rows = look.y > 0 ? look.y : shown.Height();
        EXPECT_GT(shown.CountColour(colour, 0, 0, shown.Width(), rows), 0) << look.part;
        return;
    }
    const int x = At(look.x, shown.Width()), y = At(look.y, shown.Height());
    EXPECT_EQ(colour, shown.Pixel(x, y)) << look.part << " at " << x << ", " << y;
}

class ProgramInOutsideSkin : public ConverterProgram {
protected:
    std::string ProgramPath() const override { return m_strFolder + "/VodrixVideoConverter.exe"; }

    void SetUp() override
    {
        m_strFolder = CopyOfProgram("outside_skin");
        std::string script = "cd '" + m_strFolder + "' && cp '" OUTSIDE_SKIN_SOURCE "' outside.skin";
        for (const auto& image : IMAGES)
            script += std::string(" && convert -size 12x12 'xc:") + image.colour + "' -type TrueColor BMP3:" +
                      image.name + ".bmp";
        HostShell(script + " && '" VODRIX_SKINC "' outside.skin x-plus.smf");
        ASSERT_TRUE(FileExists(WindowsPathOfHost(m_strFolder + "/x-plus.smf"))) << "the skin did not compile";
        ConverterProgram::SetUp();
    }

    HWND WindowOf(const Look& look) const
    {
        if (look.id == HEADING)
            return m_program.Heading();
        if (look.id != MAIN)
            return m_program.Item(look.id);
        return look.text ? FindWindowExA(m_program.Window(), nullptr, nullptr, look.text) : m_program.Window();
    }

    template <size_t N>
    void ExpectLooks(const Look (&looks)[N], const char* picture) const
    {
        RedrawWindow(m_program.Window(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        for (const Look& look : looks) {
            const HWND window = WindowOf(look);
            EXPECT_TRUE(window) << look.part;
            if (window)
                ExpectLook(window, look);
        }
        CreateDirectoryA(WindowsPathOfHost(SKIN_ARTIFACTS_DIR).c_str(), nullptr);
        KeepWindowPicture(m_program.Window(), WindowsPathOfHost(std::string(SKIN_ARTIFACTS_DIR "/") + picture));
    }

    std::string m_strFolder;
};

TEST_F(ProgramInOutsideSkin, EveryPartOfTheMainDialogIsDrawnAsTheFormatSays)
{
    AddClips({"long.avi"});
    m_program.SelectRows({});  // a row in the list's own colours
    SetCursorPos(0, 0);        // nothing is hovered, and the focus is in the list
    SendMessageA(m_program.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_program.Item(IDC_SOURCE_LIST)), TRUE);
    SendMessageA(m_program.Item(IDC_PROGRESS), PBM_SETPOS, 50, 0);
    ExpectLooks(IDLE, "outside_skin");

    m_program.Click(IDC_CONVERT);
    // The commands change with the dialog's drawing held back: it draws again once they all have.
    ASSERT_TRUE(WaitUntil([&] { return !m_program.IsEnabled(IDC_ADD) && IsWindowVisible(m_program.Window()); },
                          30000))
        << "the batch did not start";
    ExpectLooks(CONVERTING, "outside_skin_converting");
    m_program.Click(IDC_STOP);
    EXPECT_TRUE(m_program.WaitUntilIdle(60000));
}

}  // namespace
