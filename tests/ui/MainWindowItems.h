// Items of the main window that tests check together, and their enabled states.
#pragma once

#include "res/resource.h"

#include <windows.h>

#include <initializer_list>

const std::initializer_list<int> RADIO_IDS = {IDC_TO_AVI, IDC_TO_MPEG, IDC_TO_WMV, IDC_TO_MOV, IDC_TO_FLV};
const std::initializer_list<int> OPTION_IDS = {IDC_VIDEO_CODEC, IDC_AUDIO_CODEC,   IDC_CHANNELS,
                                               IDC_FRAME_RATE,  IDC_FRAME_SIZE,    IDC_AUDIO_BITRATE,
                                               IDC_SAMPLE_RATE, IDC_VIDEO_BITRATE, IDC_ASPECT,
                                               IDC_VOLUME};

// Read from the window styles alone: no message reaches the program.
inline bool IsEnabledItem(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// Whether every item of `ids` is enabled (`expected` true) or disabled (false).
inline bool AllItems(HWND dialog, std::initializer_list<int> ids, bool expected)
{
    for (int id : ids)
        if (IsEnabledItem(dialog, id) != expected)
            return false;
    return true;
}
