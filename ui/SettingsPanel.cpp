#include "ui/SettingsPanel.h"

#include "COMMON/OptionTables.h"
#include "res/resource.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const CHANNEL_TABLE[] = {"Mono", "Stereo", "UnDef"};
const char* const CHANNEL_END_MARKER = "UnDef";
const char* const VIDEO_BITRATES[] = {"128", "192", "256", "384", "512", "640", "768",
                                      "900", "1150", "1500", "2040", "2500", "6000", "9000"};

struct FrameSize {
    int width;
    int height;
};
// Parallel to the width/height list by index; entry 0 ("Original") keeps the source size.
const FrameSize FRAME_SIZES[] = {{0, 0},     {80, 60},   {96, 72},   {128, 96},  {160, 120}, {176, 120},
                                 {176, 144}, {192, 144}, {240, 180}, {320, 200}, {320, 240}, {352, 240},
                                 {352, 288}, {480, 480}, {640, 480}, {720, 480}, {720, 576}};
constexpr int FRAME_SIZE_COUNT = sizeof FRAME_SIZES / sizeof FRAME_SIZES[0];

// Room of an option name from the encoder: 512 characters and a terminator.
constexpr int OPTION_NAME_CHARS = 513;
// Leading characters of a list text that are read as a number.
constexpr int NUMBER_TEXT_CHARS = 99;

constexpr int VOLUME_MAX = 768;
constexpr int VOLUME_NORMAL = 256;  // 100 per cent

// Selections the set-ups and follow-ups move to.
enum Selection {
    FRAME_RATE_2397 = 3,
    FRAME_RATE_2997 = 6,
    VIDEO_BITRATE_900 = 7,
    VIDEO_BITRATE_1150 = 8,
    VIDEO_BITRATE_1500 = 9,
    VIDEO_BITRATE_6000 = 12,
    AUDIO_BITRATE_128 = 7,
    SAMPLE_RATE_22050 = 1,
    SAMPLE_RATE_48000 = 4,
    CHANNELS_STEREO = 1,
    SIZE_ORIGINAL = 0,
    SIZE_320_240 = 10,
    SIZE_352_288 = 12,
    SIZE_480_480 = 13,
    SIZE_720_480 = 15,
    MPEG_NTSC_DVD = 5,
    MPEG_AUDIO_MP2 = 1,
};

// Leading digits of a list text, as the encoder gets them.
std::string NumberText(const std::string& text) { return text.substr(0, NUMBER_TEXT_CHARS); }

}  // namespace

CSettingsPanel::CSettingsPanel(CDialogBase& dialog, CVodrixMediaCntl& media) : m_dialog(dialog), m_media(media) {}

void CSettingsPanel::Bind()
{
    m_dialog.BindItem(IDC_VIDEO_CODEC, m_cbVideoCodec);
    m_dialog.BindItem(IDC_AUDIO_CODEC, m_cbAudioCodec);
    m_dialog.BindItem(IDC_CHANNELS, m_cbChannels);
    m_dialog.BindItem(IDC_SAMPLE_RATE, m_cbSampleRate);
    m_dialog.BindItem(IDC_VIDEO_BITRATE, m_cbVideoBitrate);
    m_dialog.BindItem(IDC_FRAME_RATE, m_cbFrameRate);
    m_dialog.BindItem(IDC_FRAME_SIZE, m_cbFrameSize);
    m_dialog.BindItem(IDC_ASPECT, m_cbAspect);
    m_dialog.BindItem(IDC_AUDIO_BITRATE, m_cbAudioBitrate);
    m_dialog.BindItem(IDC_VOLUME, m_sliderVolume);
    m_dialog.BindItem(IDC_TO_AVI, m_radioAvi);
    m_dialog.BindItem(IDC_TO_MPEG, m_radioMpeg);
    m_dialog.BindItem(IDC_TO_WMV, m_radioWmv);
    m_dialog.BindItem(IDC_TO_MOV, m_radioMov);
    m_dialog.BindItem(IDC_TO_FLV, m_radioFlv);
}

void CSettingsPanel::ShowAviChosen()
{
    m_radioAvi.SetCheck(BST_CHECKED);
    m_nCurTarget = TARGET_AVI;
    EnableFamilies(false);
}

void CSettingsPanel::EnableFamilies(bool on)
{
    for (CButtonWnd* radio : {&m_radioAvi, &m_radioMpeg, &m_radioWmv, &m_radioMov, &m_radioFlv})
        radio->EnableWindow(on ? TRUE : FALSE);
}

void CSettingsPanel::Enable(bool on)
{
    EnableFamilies(on);
    EnableOptionControls(on);
}

bool CSettingsPanel::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_VIDEO_CODEC:
        if (code == CBN_SELCHANGE)
            OnVideoCodecChanged();
        return true;
    case IDC_TO_AVI:
    case IDC_TO_MPEG:
    case IDC_TO_WMV:
    case IDC_TO_MOV:
    case IDC_TO_FLV:
        if (code != BN_CLICKED)
            return false;
        OnFamilyClicked(id);
        return true;
    default: return false;
    }
}

bool CSettingsPanel::OnNotify(const NMHDR& header)
{
    if (header.idFrom != IDC_VOLUME || header.code != static_cast<UINT>(NM_RELEASEDCAPTURE))
        return false;
    UpdateVolumeLabel();
    return true;
}

void CSettingsPanel::EnableOptionControls(bool on)
{
    const BOOL enable = on ? TRUE : FALSE;
    CWindowBase* const controls[] = {&m_cbVideoCodec,   &m_cbAudioCodec, &m_cbChannels,
                                     &m_cbFrameRate,    &m_cbFrameSize,  &m_cbAudioBitrate,
                                     &m_cbSampleRate,   &m_cbVideoBitrate, &m_cbAspect,
                                     &m_sliderVolume};
    for (CWindowBase* control : controls)
        control->EnableWindow(enable);
}

void CSettingsPanel::FillOptionLists(int videoListType, int audioListType)
{
    EnableOptionControls(false);
    for (CComboBoxWnd* list : {&m_cbVideoCodec, &m_cbAudioCodec, &m_cbSampleRate, &m_cbChannels, &m_cbVideoBitrate,
                               &m_cbAudioBitrate, &m_cbAspect})
        list->ResetContent();

    // An entry the encoder cannot name is left out; a failed count leaves the list empty.
    auto fillCodecs = [this](CComboBoxWnd& list, int listType) {
        int count = 0;
        if (m_media.bGetOptionCount(listType, &count)) {
            for (int i = 0; i < count; ++i) {
                char name[OPTION_NAME_CHARS] = {};
                if (m_media.bGetOptionName(listType, i, name))
                    list.AddString(name);
            }
        }
        list.SetCurSel(0);
    };
    fillCodecs(m_cbVideoCodec, videoListType);
    fillCodecs(m_cbAudioCodec, audioListType);

    for (const char* const* channel = CHANNEL_TABLE; std::string(*channel) != CHANNEL_END_MARKER; ++channel)
        m_cbChannels.AddString(*channel);
    m_cbChannels.SetCurSel(CHANNELS_STEREO);
    m_cbFrameRate.SetCurSel(FRAME_RATE_2397);
    for (const char* rate : VIDEO_BITRATES)
        m_cbVideoBitrate.AddString(rate);
    m_cbVideoBitrate.SetCurSel(VIDEO_BITRATE_1150);

    auto fillTable = [](CComboBoxWnd& list, const OptionTable& table, int selection) {
        for (int i = 0; i < table.count; ++i)
            list.AddString(table.names[i]);
        list.SetCurSel(selection);
    };
    fillTable(m_cbAudioBitrate, AUDIO_BITRATE_TABLE, AUDIO_BITRATE_128);
    fillTable(m_cbSampleRate, SAMPLE_RATE_TABLE, SAMPLE_RATE_22050);
    fillTable(m_cbAspect, ASPECT_TABLE, 0);

    m_sliderVolume.SetRange(0, VOLUME_MAX);
    m_sliderVolume.SetPos(VOLUME_NORMAL);
}

void CSettingsPanel::SelectAvi()
{
    FillOptionLists(LIST_AVI_VIDEO, LIST_AVI_AUDIO);
    m_cbFrameSize.SetCurSel(SIZE_ORIGINAL);
}

// The frame size is left as it was: the MPEG presets carry their own.
void CSettingsPanel::SelectMpeg()
{
    FillOptionLists(LIST_MPEG_VIDEO, LIST_MPEG_AUDIO);
    m_cbFrameRate.SetCurSel(FRAME_RATE_2997);
    m_cbVideoCodec.SetCurSel(MPEG_NTSC_DVD);
    m_cbVideoBitrate.SetCurSel(VIDEO_BITRATE_6000);
    m_cbAudioBitrate.SetCurSel(AUDIO_BITRATE_128);
    m_cbSampleRate.SetCurSel(SAMPLE_RATE_48000);
}

void CSettingsPanel::SelectWmv()
{
    FillOptionLists(LIST_WMV_VIDEO, LIST_WMV_AUDIO);
    m_cbFrameSize.SetCurSel(SIZE_ORIGINAL);
    m_cbAudioCodec.SetCurSel(0);
    m_cbFrameRate.SetCurSel(FRAME_RATE_2997);
    m_cbVideoBitrate.SetCurSel(VIDEO_BITRATE_1150);
    m_cbAudioBitrate.SetCurSel(AUDIO_BITRATE_128);
    m_cbSampleRate.SetCurSel(SAMPLE_RATE_22050);
}

void CSettingsPanel::SelectMov()
{
    FillOptionLists(LIST_MOV_VIDEO, LIST_MOV_AUDIO);
    m_cbVideoBitrate.SetCurSel(VIDEO_BITRATE_1150);
    m_cbFrameRate.SetCurSel(FRAME_RATE_2997);
    m_cbFrameSize.SetCurSel(SIZE_ORIGINAL);
    m_cbAudioBitrate.SetCurSel(AUDIO_BITRATE_128);
}

void CSettingsPanel::SelectFlv()
{
    FillOptionLists(LIST_FLV_VIDEO, LIST_FLV_AUDIO);
    m_cbSampleRate.SetCurSel(SAMPLE_RATE_22050);
    m_cbFrameSize.SetCurSel(SIZE_ORIGINAL);
}

void CSettingsPanel::OnFamilyClicked(UINT id)
{
    switch (id) {
    case IDC_TO_AVI: SelectAvi(); m_nCurTarget = TARGET_AVI; break;
    case IDC_TO_MPEG: SelectMpeg(); m_nCurTarget = TARGET_MPEG; break;
    case IDC_TO_WMV: SelectWmv(); m_nCurTarget = TARGET_WMV; break;
    case IDC_TO_MOV: SelectMov(); m_nCurTarget = TARGET_MOV; break;
    case IDC_TO_FLV: SelectFlv(); m_nCurTarget = TARGET_FLV; break;
    default: return;
    }
    EnableOptionControls(true);
}

void CSettingsPanel::OnVideoCodecChanged()
{
    const int codec = m_cbVideoCodec.GetCurSel();
    auto move = [this](int bitrate, int size) {
        if (bitrate >= 0)
            m_cbVideoBitrate.SetCurSel(bitrate);
        m_cbFrameSize.SetCurSel(size);
    };
    switch (m_nCurTarget) {
    case TARGET_AVI:
        if (codec == 1)  // h263 takes only its own frame sizes
            move(-1, SIZE_352_288);
        break;
    case TARGET_MOV:
        if (codec == 2)  // h263
            move(-1, SIZE_352_288);
        break;
    case TARGET_MPEG:
        switch (codec) {
        case 0:
        case 1: move(VIDEO_BITRATE_1150, SIZE_352_288); break;   // VCD
        case 2:
        case 3: move(VIDEO_BITRATE_1500, SIZE_480_480); break;   // SVCD
        case 4:
        case 5: move(VIDEO_BITRATE_6000, SIZE_720_480); break;   // DVD
        case 6:
            move(VIDEO_BITRATE_900, SIZE_320_240);
            m_cbSampleRate.SetCurSel(SAMPLE_RATE_48000);
            m_cbAudioCodec.SetCurSel(MPEG_AUDIO_MP2);
            break;
        case 7: move(VIDEO_BITRATE_900, SIZE_320_240); break;
        default: break;
        }
        break;
    default: break;
    }
}

void CSettingsPanel::UpdateVolumeLabel()
{
    char text[32];
    std::snprintf(text, sizeof text, "Vol:%d%%", m_sliderVolume.GetPos() * 100 / VOLUME_NORMAL);
    SetDlgItemTextA(m_dialog.GetSafeHwnd(), IDC_VOLUME_LABEL, text);
}

PanelSettings CSettingsPanel::ReadPanelSettings() const
{
    PanelSettings settings;
    settings.frameSize = m_cbFrameSize.GetCurSel();
    settings.videoCodec = m_cbVideoCodec.GetCurSel();
    settings.videoBitrate = std::atoi(NumberText(m_cbVideoBitrate.GetItemText(m_cbVideoBitrate.GetCurSel())).c_str());
    settings.frameRate = std::atof(NumberText(m_cbFrameRate.GetItemText(m_cbFrameRate.GetCurSel())).c_str());
    settings.aspect = m_cbAspect.GetCurSel();
    settings.audioCodec = m_cbAudioCodec.GetCurSel();
    settings.audioBitrate = m_cbAudioBitrate.GetCurSel();
    settings.channels = m_cbChannels.GetCurSel() + 1;
    settings.volume = m_sliderVolume.GetPos();
    settings.sampleRate = m_cbSampleRate.GetCurSel();
    settings.target = m_nCurTarget;
    return settings;
}

void CSettingsPanel::ApplyPanelSettings(const PanelSettings& settings, MediaItem& item)
{
    item.m_nWidth = item.m_nSrcWidth;
    item.m_nHeight = item.m_nSrcHeight;
    if (settings.frameSize >= 1 && settings.frameSize < FRAME_SIZE_COUNT) {
        item.m_nWidth = FRAME_SIZES[settings.frameSize].width;
        item.m_nHeight = FRAME_SIZES[settings.frameSize].height;
    }
    item.m_nVideoCodec = settings.videoCodec;
    item.m_nVideoBitrate = settings.videoBitrate;
    item.m_dFrameRate = settings.frameRate;
    item.m_nAspect = settings.aspect;
    item.m_nAudioCodec = settings.audioCodec;
    item.m_nAudioBitrate = settings.audioBitrate;
    item.m_nChannels = settings.channels;
    item.m_nVolume = settings.volume;
    item.m_nSampleRate = settings.sampleRate;
    item.m_nTarget = settings.target;
}

void CSettingsPanel::FillItemSettings(MediaItem& item) const
{
    ApplyPanelSettings(ReadPanelSettings(), item);
}
