// The real program with its default skin, in a virtual desktop where whole
// windows are on screen: the settings lists are the skin's, idle and in the
// middle of a conversion, when the progress bar stands partly filled.
// Pictures of both moments are kept as artefacts.
#include "ProgramFixture.h"

#include "res/resource.h"
#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/core/Skin.h"
#include "skin/image/CxImage.h"
#include "support/PixelCanvas.h"

#include <gtest/gtest.h>

#include <string>

// The top-left pixel of a skin grid: drawn unscaled at the top left corner
// of whatever the grid frames.
COLORREF CornerOf(const skin::Skin& skin, const skin::NineGridImage& grid)
{
    const skin::SkinImage* image = skin.FindImage(grid.imageName);
    if (!image)
        return CLR_INVALID;
    const CxImage decoded(image->Encoded().data(), image->Encoded().size(), image->Format());
    if (!decoded.IsValid())
        return CLR_INVALID;
    return DibPixelColour(decoded.GetBits()[size_t(grid.source.top) * decoded.GetWidth() + grid.source.left]);
}

namespace {

const int SETTINGS_LISTS[] = {IDC_VIDEO_CODEC, IDC_FRAME_RATE, IDC_VIDEO_BITRATE, IDC_FRAME_SIZE, IDC_ASPECT,
                              IDC_AUDIO_CODEC, IDC_CHANNELS,   IDC_AUDIO_BITRATE, IDC_SAMPLE_RATE};

// A disabled picture button on the skin: its picture (above the caption) is
// grey, and where the picture is transparent the dialog's background shows,
// as at the button's corner.
void ExpectGreyedPicture(HWND button)
{
    RECT rect{};
    GetWindowRect(button, &rect);
    PixelCanvas picture(rect.right - rect.left, 30);
    picture.CopyScreen(rect.left, rect.top);
    const COLORREF background = picture.Pixel(1, 1);
    int coloured = 0;
    for (COLORREF pixel : picture.Pixels())
        coloured += pixel != background && (GetRValue(pixel) != GetGValue(pixel) || GetGValue(pixel) != GetBValue(pixel));
    EXPECT_EQ(0, coloured) << "coloured pixels in disabled button " << GetDlgCtrlID(button);
}

POINT ClientOrigin(HWND hwnd)
{
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return origin;
}

class SkinnedProgram : public ConverterProgram {
protected:
    void SetUp() override
    {
        ConverterProgram::SetUp();
        const std::string program = WindowsPathOfHost(PROGRAM_HOST_PATH);
        ASSERT_TRUE(m_skin.ReadFile(program.substr(0, program.rfind('\\')) + "\\x-plus.smf"));
        const auto* combo = dynamic_cast<const skin::ComboBox*>(m_skin.DefaultObject(skin::kTypeComboBox));
        ASSERT_TRUE(combo);
        m_comboCorner = CornerOf(m_skin, combo->m_image);
        ASSERT_NE(CLR_INVALID, m_comboCorner);
    }

    // Keeps a picture of the main window as a PNG artefact.
    void KeepPicture(const char* name) const
    {
        KeepWindowPicture(m_program.Window(), std::string(VODRIX_ARTIFACT_DIR) + "\\" + name);
    }

    void ExpectSkinnedLists() const
    {
        for (int id : SETTINGS_LISTS)
            EXPECT_EQ(m_comboCorner, ScreenPixel(ClientOrigin(m_program.Item(id)))) << "list " << id;
    }

    skin::Skin m_skin;
    COLORREF m_comboCorner = CLR_INVALID;
};

TEST_F(SkinnedProgram, SettingsListsAndProgressBarAreTheSkinsIdleAndWhileConverting)
{
    CreateDirectoryA(VODRIX_ARTIFACT_DIR, nullptr);
    AddClips({"long.avi"});
    ChooseFamily(IDC_TO_AVI);
    const HWND bar = m_program.Item(IDC_PROGRESS);
    ExpectSkinnedLists();
    KeepPicture("skinned_controls_idle");

    m_program.Click(IDC_CONVERT);
    bool partly = false;
    for (int i = 0; i < 12000 && !partly; ++i) {
        const int position = m_program.ProgressPosition();
        partly = position >= 20 && position <= 80;
        if (!partly)
            Sleep(10);
    }
    ASSERT_TRUE(partly) << "the bar never stood between 20 and 80";
    ExpectSkinnedLists();
    RECT client{};
    GetClientRect(bar, &client);
    const POINT origin = ClientOrigin(bar);
    EXPECT_NE(ScreenPixel({origin.x, origin.y}), ScreenPixel({origin.x + client.right - 1, origin.y}))
        << "filled and empty parts";
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_CONVERT, IDC_EXIT})
        ExpectGreyedPicture(m_program.Item(id));
    KeepPicture("skinned_controls_converting");
    m_program.Click(IDC_STOP);
    EXPECT_TRUE(m_program.WaitUntilIdle(60000));
}

// The countdown before a shut-down wears the skin. The suite gives it two minutes, far more than
// the test needs to cancel it: the real call would end the whole Wine session.
TEST_F(SkinnedProgram, TheShutdownCountdownWearsTheSkin)
{
    CreateDirectoryA(VODRIX_ARTIFACT_DIR, nullptr);
    AddClips({"c.mov"});
    ChooseFamily(IDC_TO_AVI);
    m_program.SetChecked(IDC_SHUTDOWN, true);
    m_program.Click(IDC_CONVERT);
    const RemoteDialog countdown = m_program.WaitForDialog(120000, "Shut down");
    ASSERT_TRUE(countdown.hwnd != nullptr);
    EXPECT_NE(std::string::npos, countdown.AllText().find("The computer will shut down in")) << countdown.AllText();
    EXPECT_NE(nullptr, GetPropA(countdown.hwnd, "OBJECT")) << "the countdown is not skinned";
    // The count changes once a second: between two changes the picture settles.
    EXPECT_TRUE(WaitUntilShownSettles(countdown.hwnd)) << "still painting";
    KeepWindowPicture(countdown.hwnd, std::string(VODRIX_ARTIFACT_DIR) + "\\shutdown_countdown");
    RemoteProgram::Close(countdown, IDCANCEL);
    EXPECT_TRUE(m_program.WaitUntilIdle(60000));
}

}  // namespace
