// The settings panel of the main dialog, driven as a user drives it: radio
// clicks, list selections, the slider's release; the results read back from
// the controls and from a MediaItem filled by the panel.
#include "TestConverterDlg.h"

#include "res/resource.h"
#include "support/WindowWatch.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string SelectedText(HWND combo)
{
    const int index = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    if (index < 0)
        return "<none>";
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

int Selection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

class SettingsPanelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.WaitUntilIdle()); }

    std::string Shown(int id) const { return SelectedText(host.Item(id)); }
    void Select(int id, int index) { SendMessageA(host.Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    // A user's choice in a list: the selection, then the notification the list sends.
    void Choose(int id, int index)
    {
        Select(id, index);
        SendMessageA(host.Hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(host.Item(id)));
    }
    void ReleaseSliderAt(int position)
    {
        SendMessageA(host.Item(IDC_VOLUME), TBM_SETPOS, TRUE, position);
        NMHDR header{host.Item(IDC_VOLUME), IDC_VOLUME, static_cast<UINT>(NM_RELEASEDCAPTURE)};
        SendMessageA(host.Hwnd(), WM_NOTIFY, IDC_VOLUME, reinterpret_cast<LPARAM>(&header));
    }
    // Moves every option away from its default, so that a set-up must put each back.
    void Disturb()
    {
        Select(IDC_CHANNELS, 0);
        Select(IDC_ASPECT, 2);
        Select(IDC_FRAME_RATE, 0);
        Select(IDC_VIDEO_BITRATE, 0);
        Select(IDC_AUDIO_BITRATE, 0);
        Select(IDC_SAMPLE_RATE, 3);
        SendMessageA(host.Item(IDC_VOLUME), TBM_SETPOS, TRUE, 700);
    }

    DialogHost host;
};

struct FamilyDefaults {
    int radio;
    int target;
    const char* videoCodec;
    const char* frameRate;
    const char* videoBitrate;
    const char* audioCodec;
    const char* sampleRate;
    bool keepsFrameSize;
};

const FamilyDefaults FAMILY_DEFAULTS[] = {
    {IDC_TO_AVI, 1, "xvid", "23.97", "1150", "mp3", "22050", false},
    {IDC_TO_MPEG, 2, "ntsc-dvd", "29.97", "6000", "ac3", "48000", true},
    {IDC_TO_WMV, 3, "wmv2", "29.97", "1150", "mp3", "22050", false},
    {IDC_TO_MOV, 4, "xvid", "29.97", "1150", "aac", "22050", false},
    {IDC_TO_FLV, 5, "swf", "23.97", "1150", "mp3", "22050", false},
};

TEST_F(SettingsPanelTest, StartsWithTheAviDefaults)
{
    EXPECT_EQ(1, host.Dialog().m_settingsPanel.CurrentTarget());
    EXPECT_EQ("xvid", Shown(IDC_VIDEO_CODEC));
    EXPECT_EQ("23.97", Shown(IDC_FRAME_RATE));
    EXPECT_EQ("1150", Shown(IDC_VIDEO_BITRATE));
    EXPECT_EQ("Original", Shown(IDC_FRAME_SIZE));
    EXPECT_EQ("4:3", Shown(IDC_ASPECT));
    EXPECT_EQ("mp3", Shown(IDC_AUDIO_CODEC));
    EXPECT_EQ("Stereo", Shown(IDC_CHANNELS));
    EXPECT_EQ("128", Shown(IDC_AUDIO_BITRATE));
    EXPECT_EQ("22050", Shown(IDC_SAMPLE_RATE));
    EXPECT_EQ(256, SendMessageA(host.Item(IDC_VOLUME), TBM_GETPOS, 0, 0));
    EXPECT_EQ(768, SendMessageA(host.Item(IDC_VOLUME), TBM_GETRANGEMAX, 0, 0));
    EXPECT_EQ(2, SendMessageA(host.Item(IDC_CHANNELS), CB_GETCOUNT, 0, 0)) << "the end marker is not an entry";
    EXPECT_EQ(8, SendMessageA(host.Item(IDC_FRAME_RATE), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(17, SendMessageA(host.Item(IDC_FRAME_SIZE), CB_GETCOUNT, 0, 0));
}

TEST_F(SettingsPanelTest, EachFamilyPutsEveryOptionBackToItsDefaults)
{
    for (const FamilyDefaults& family : FAMILY_DEFAULTS) {
        SCOPED_TRACE(family.videoCodec);
        Disturb();
        Select(IDC_FRAME_SIZE, 7);
        host.Click(family.radio);
        EXPECT_EQ(family.target, host.Dialog().m_settingsPanel.CurrentTarget());
        EXPECT_EQ(family.videoCodec, Shown(IDC_VIDEO_CODEC));
        EXPECT_EQ(family.frameRate, Shown(IDC_FRAME_RATE));
        EXPECT_EQ(family.videoBitrate, Shown(IDC_VIDEO_BITRATE));
        EXPECT_EQ(family.keepsFrameSize ? "192 X 144" : "Original", Shown(IDC_FRAME_SIZE));
        EXPECT_EQ("4:3", Shown(IDC_ASPECT));
        EXPECT_EQ(family.audioCodec, Shown(IDC_AUDIO_CODEC));
        EXPECT_EQ("Stereo", Shown(IDC_CHANNELS));
        EXPECT_EQ("128", Shown(IDC_AUDIO_BITRATE));
        EXPECT_EQ(family.sampleRate, Shown(IDC_SAMPLE_RATE));
        EXPECT_EQ(256, SendMessageA(host.Item(IDC_VOLUME), TBM_GETPOS, 0, 0));
        EXPECT_TRUE(IsWindowEnabled(host.Item(IDC_VIDEO_CODEC)));
        EXPECT_TRUE(IsWindowEnabled(host.Item(IDC_VOLUME)));
    }
}

TEST_F(SettingsPanelTest, CodecListsFollowTheFamily)
{
    host.Click(IDC_TO_WMV);
    EXPECT_EQ(4, SendMessageA(host.Item(IDC_VIDEO_CODEC), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(2, SendMessageA(host.Item(IDC_AUDIO_CODEC), CB_GETCOUNT, 0, 0));
    host.Click(IDC_TO_MPEG);
    EXPECT_EQ(8, SendMessageA(host.Item(IDC_VIDEO_CODEC), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(14, SendMessageA(host.Item(IDC_VIDEO_BITRATE), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(15, SendMessageA(host.Item(IDC_AUDIO_BITRATE), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(5, SendMessageA(host.Item(IDC_SAMPLE_RATE), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(3, SendMessageA(host.Item(IDC_ASPECT), CB_GETCOUNT, 0, 0));
}

struct CodecFollowUp {
    int radio;
    int codec;
    int videoBitrate;  // expected selection; -1: unchanged from the family default
    int frameSize;     // expected selection; -1: unchanged
    int sampleRate;    // -1: unchanged
    int audioCodec;    // -1: unchanged
};

const CodecFollowUp FOLLOW_UPS[] = {
    {IDC_TO_AVI, 1, -1, 12, -1, -1},  {IDC_TO_MOV, 2, -1, 12, -1, -1},  {IDC_TO_MPEG, 0, 8, 12, -1, -1},
    {IDC_TO_MPEG, 1, 8, 12, -1, -1},  {IDC_TO_MPEG, 2, 9, 13, -1, -1},  {IDC_TO_MPEG, 3, 9, 13, -1, -1},
    {IDC_TO_MPEG, 4, 12, 15, -1, -1}, {IDC_TO_MPEG, 5, 12, 15, -1, -1}, {IDC_TO_MPEG, 6, 7, 10, 4, 1},
    {IDC_TO_MPEG, 7, 7, 10, -1, -1},
    // Every other codec of a family moves nothing.
    {IDC_TO_AVI, 0, -1, -1, -1, -1},  {IDC_TO_AVI, 5, -1, -1, -1, -1},  {IDC_TO_MOV, 1, -1, -1, -1, -1},
    {IDC_TO_MOV, 4, -1, -1, -1, -1},  {IDC_TO_WMV, 0, -1, -1, -1, -1},  {IDC_TO_WMV, 3, -1, -1, -1, -1},
    {IDC_TO_FLV, 1, -1, -1, -1, -1},
};

TEST_F(SettingsPanelTest, ChoosingAVideoCodecMovesBitrateAndSizeAsItsTableSays)
{
    for (const CodecFollowUp& row : FOLLOW_UPS) {
        SCOPED_TRACE(testing::Message() << "radio " << row.radio << " codec " << row.codec);
        host.Click(row.radio);
        Select(IDC_FRAME_SIZE, 3);
        Select(IDC_AUDIO_CODEC, 0);
        const int bitrateBefore = Selection(host.Item(IDC_VIDEO_BITRATE));
        const int sampleRateBefore = Selection(host.Item(IDC_SAMPLE_RATE));
        Choose(IDC_VIDEO_CODEC, row.codec);
        EXPECT_EQ(row.videoBitrate < 0 ? bitrateBefore : row.videoBitrate, Selection(host.Item(IDC_VIDEO_BITRATE)));
        EXPECT_EQ(row.frameSize < 0 ? 3 : row.frameSize, Selection(host.Item(IDC_FRAME_SIZE)));
        EXPECT_EQ(row.sampleRate < 0 ? sampleRateBefore : row.sampleRate, Selection(host.Item(IDC_SAMPLE_RATE)));
        EXPECT_EQ(row.audioCodec < 0 ? 0 : row.audioCodec, Selection(host.Item(IDC_AUDIO_CODEC)));
    }
}

TEST_F(SettingsPanelTest, ASelectionFromTheProgramRaisesNoFollowUp)
{
    // "ntsc-dvd" chosen by a user moves the size to 720 X 480; set by the
    // MPEG set-up it must leave the size alone.
    Select(IDC_FRAME_SIZE, 4);
    host.Click(IDC_TO_MPEG);
    EXPECT_EQ("ntsc-dvd", Shown(IDC_VIDEO_CODEC));
    EXPECT_EQ("160 X 120", Shown(IDC_FRAME_SIZE));
    Choose(IDC_VIDEO_CODEC, 1);
    EXPECT_EQ("1150", Shown(IDC_VIDEO_BITRATE));
    EXPECT_EQ("352 X 288", Shown(IDC_FRAME_SIZE));
}

TEST_F(SettingsPanelTest, TheVolumeLabelFollowsTheReleasedSlider)
{
    const std::pair<int, const char*> cases[] = {{384, "Vol:150%"}, {768, "Vol:300%"}, {1, "Vol:0%"}, {256, "Vol:100%"}};
    for (const auto& [position, label] : cases) {
        ReleaseSliderAt(position);
        EXPECT_EQ(label, WindowText(host.Item(IDC_VOLUME_LABEL)));
    }
    SendMessageA(host.Item(IDC_VOLUME), TBM_SETPOS, TRUE, 512);
    EXPECT_EQ("Vol:100%", WindowText(host.Item(IDC_VOLUME_LABEL))) << "only the release updates the label";
}

TEST_F(SettingsPanelTest, FillItemSettingsCopiesThePanelIntoTheItem)
{
    host.Click(IDC_TO_MOV);
    MediaItem item{};
    item.m_nSrcWidth = 640;
    item.m_nSrcHeight = 352;
    Select(IDC_FRAME_RATE, 6);
    Select(IDC_CHANNELS, 0);
    SendMessageA(host.Item(IDC_VOLUME), TBM_SETPOS, TRUE, 300);
    host.Dialog().m_settingsPanel.FillItemSettings(item);
    EXPECT_EQ(640, item.m_nWidth) << "Original keeps the probed size";
    EXPECT_EQ(352, item.m_nHeight);
    EXPECT_DOUBLE_EQ(29.97, item.m_dFrameRate);
    EXPECT_EQ(1150, item.m_nVideoBitrate);
    EXPECT_EQ(0, item.m_nVideoCodec);
    EXPECT_EQ(0, item.m_nAudioCodec);
    EXPECT_EQ(7, item.m_nAudioBitrate);
    EXPECT_EQ(1, item.m_nSampleRate);
    EXPECT_EQ(0, item.m_nAspect);
    EXPECT_EQ(1, item.m_nChannels) << "Mono is one channel";
    EXPECT_EQ(300, item.m_nVolume);
    EXPECT_EQ(4, item.m_nTarget);

    Select(IDC_FRAME_SIZE, 1);
    Select(IDC_FRAME_RATE, 5);
    Select(IDC_VIDEO_BITRATE, 13);
    Select(IDC_CHANNELS, 1);
    Select(IDC_ASPECT, 2);
    host.Dialog().m_settingsPanel.FillItemSettings(item);
    EXPECT_EQ(80, item.m_nWidth);
    EXPECT_EQ(60, item.m_nHeight);
    EXPECT_DOUBLE_EQ(25.0, item.m_dFrameRate);
    EXPECT_EQ(9000, item.m_nVideoBitrate);
    EXPECT_EQ(2, item.m_nChannels);
    EXPECT_EQ(2, item.m_nAspect);

    Select(IDC_FRAME_SIZE, 16);
    host.Dialog().m_settingsPanel.FillItemSettings(item);
    EXPECT_EQ(720, item.m_nWidth);
    EXPECT_EQ(576, item.m_nHeight);
}

}  // namespace
