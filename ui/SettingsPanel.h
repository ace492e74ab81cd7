// The output settings panel of the main dialog: the five family radios, the
// nine option lists and the volume slider, with the family they stand for.
// A family click fills the lists with the family's entries and defaults, a
// video codec choice moves its follow-ups, and a conversion reads the whole
// panel into its items.
#pragma once

#include "COMMON/CVodrixMediaCntl.h"
#include "COMMON/MediaItem.h"
#include "framework/Dialog.h"
#include "framework/StandardControls.h"

// The settings panel as a conversion reads it.
struct PanelSettings {
    int frameSize = 0;       // FRAME_SIZES index; 0 keeps the source's size
    int videoCodec = 0;      // index into the family's video table
    int videoBitrate = 0;    // kbit/s
    double frameRate = 0;    // frames per second
    int aspect = 0;          // aspect list index
    int audioCodec = 0;      // index into the family's audio table
    int audioBitrate = 0;    // audio bitrate list index
    int channels = 0;        // 1 or 2
    int volume = 0;          // slider position
    int sampleRate = 0;      // sample-rate list index
    int target = 0;          // TARGET_*
};

class CSettingsPanel {
public:
    // `dialog` holds the panel's items; `media` names the codecs of each family.
    CSettingsPanel(CDialogBase& dialog, CVodrixMediaCntl& media);
    CSettingsPanel(const CSettingsPanel&) = delete;
    CSettingsPanel& operator=(const CSettingsPanel&) = delete;

    // Attaches the control objects to their items (before the dialog initialises).
    void Bind();
    // AVI checked and current, and every family radio off until the set-up.
    void ShowAviChosen();
    // Fills the lists with AVI's entries and defaults.
    void SelectAvi();

    // The family radios and the option controls on (or off).
    void Enable(bool on);
    // The option lists and the volume slider on (or off).
    void EnableOptionControls(bool on);

    // A command of the panel's items is handled here (true); others are left.
    bool OnCommand(UINT id, UINT code);
    // The slider's release updates the volume label (true); others are left.
    bool OnNotify(const NMHDR& header);

    int CurrentTarget() const { return m_nCurTarget; }
    PanelSettings ReadPanelSettings() const;
    // Copies the panel's current state into `item` (its probe fields are already filled).
    void FillItemSettings(MediaItem& item) const;
    static void ApplyPanelSettings(const PanelSettings& settings, MediaItem& item);

private:
    void EnableFamilies(bool on);
    void FillOptionLists(int videoListType, int audioListType);
    void SelectMpeg();
    void SelectWmv();
    void SelectMov();
    void SelectFlv();
    void OnFamilyClicked(UINT id);
    void OnVideoCodecChanged();
    void UpdateVolumeLabel();

    CDialogBase& m_dialog;
    CVodrixMediaCntl& m_media;
    int m_nCurTarget = 0;  // TARGET_AVI .. TARGET_FLV

    CComboBoxWnd m_cbVideoCodec;
    CComboBoxWnd m_cbAudioCodec;
    CComboBoxWnd m_cbChannels;
    CComboBoxWnd m_cbSampleRate;
    CComboBoxWnd m_cbVideoBitrate;
    CComboBoxWnd m_cbFrameRate;
    CComboBoxWnd m_cbFrameSize;
    CComboBoxWnd m_cbAspect;
    CComboBoxWnd m_cbAudioBitrate;
    CTrackBarWnd m_sliderVolume;
    CButtonWnd m_radioAvi;
    CButtonWnd m_radioMpeg;
    CButtonWnd m_radioWmv;
    CButtonWnd m_radioMov;
    CButtonWnd m_radioFlv;
};
