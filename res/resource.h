// Identifiers of the program's resources: dialog templates, their controls,
// bitmaps, icons and strings. Shared by the resource script and the C++ code.
#ifndef VODRIX_RESOURCE_H
#define VODRIX_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates
#define IDD_ABOUT                100
#define IDD_CONVERTER            102
#define IDD_CODEC_NOTICE         218
#define IDD_CONVERT_NOTICE       228
#define IDD_SHUTDOWN_COUNTDOWN   238

// Strings
#define IDS_ABOUT_MENU           101   // system menu item that opens About

// System menu command appended by the main dialog (low four bits are the system's)
#define IDM_ABOUTBOX             0x0010
// The system menu's Skin submenu: "No skin", then one id per skin file, in
// steps of 16 (the system keeps the low four bits of a system command).
#define IDM_SKIN_NONE            0x0020
#define IDM_SKIN_FIRST           0x0030

// Icons
#define IDI_VODRIX               128   // the application
#define IDI_FOLDER               217   // 24 x 24, the output-folder browse button

// Picture-button faces, 50 x 56, 24 bits, black transparent
#define IDB_ADD_NORMAL           185
#define IDB_ADD_PRESSED          186
#define IDB_ADD_HOVER            187
#define IDB_REMOVE_PRESSED       188
#define IDB_REMOVE_NORMAL        189
#define IDB_REMOVE_HOVER         190
#define IDB_CONVERT_PRESSED      191
#define IDB_CONVERT_NORMAL       192
#define IDB_CONVERT_HOVER        193
#define IDB_STOP_PRESSED         194   // a picture face for Stop; the dialog shows Stop as a caption
#define IDB_STOP_NORMAL          195
#define IDB_STOP_HOVER           196
#define IDB_HELP_PRESSED         197
#define IDB_HELP_NORMAL          198
#define IDB_HELP_HOVER           199
#define IDB_ABOUT_NORMAL         200
#define IDB_ABOUT_HOVER          201
#define IDB_ABOUT_PRESSED        202
#define IDB_EXIT_PRESSED         203
#define IDB_EXIT_NORMAL          204
#define IDB_EXIT_HOVER           205

// Source-list row images: five 16 x 16 images, magenta transparent
#define IDB_ROW_IMAGES           211
#define ROW_IMAGE_ADDED          0     // plus sign
#define ROW_IMAGE_CONVERTING     1     // two circular arrows
#define ROW_IMAGE_CONVERTED      2     // check mark
#define ROW_IMAGE_NEXT           3     // right arrow
#define ROW_IMAGE_DOWN           4     // down arrow

// Combo-box initial data of a dialog template, in the layout dialog editors
// write: entries of (control id, code, 32-bit length, text with terminator)
// closed by a zero word. The code is the 16-bit era's CB_ADDSTRING.
#define RT_DIALOG_INIT           240
#define DLGINIT_ADD_STRING       0x0403

// Main dialog (IDD_CONVERTER)
#define IDC_TO_AVI               1000
#define IDC_TO_MPEG              1001
#define IDC_TO_WMV               1002
#define IDC_TO_MOV               1003
#define IDC_ADD                  1005
#define IDC_REMOVE               1007
#define IDC_VIDEO_CODEC          1011
#define IDC_AUDIO_CODEC          1012
#define IDC_FRAME_RATE           1013
#define IDC_CHANNELS             1014
#define IDC_CONVERT              1015
#define IDC_ABOUT                1017
#define IDC_HELP_BUTTON          1018
#define IDC_AUDIO_BITRATE        1019
#define IDC_SAMPLE_RATE          1020
#define IDC_VIDEO_BITRATE        1021
#define IDC_SHUTDOWN             1035
#define IDC_PROGRESS             1038
#define IDC_STOP                 1048
#define IDC_EXIT                 1049
#define IDC_OUTPUT_DIR           1050
#define IDC_BROWSE               1051
#define IDC_SOURCE_LIST          1054
#define IDC_FRAME_SIZE           1056
#define IDC_VOLUME_LABEL         1073
#define IDC_TO_FLV               1089
#define IDC_ASPECT               1094
#define IDC_VOLUME               1095

// About dialog (IDD_ABOUT)
#define IDC_LINK_HOMEPAGE        1097
#define IDC_LINK_SUPPORT         1099
#define IDC_LINK_UPDATE          1100
#define IDC_ABOUT_TITLE          1143
#define IDC_ABOUT_VERSION        1144

// Notice dialogs (IDD_CODEC_NOTICE, IDD_CONVERT_NOTICE)
#define IDC_LINK_CODECS          1096
#define IDC_TRACE_TEXT           1102
#define IDC_LINK_MAIL            1103

// Shut-down countdown (IDD_SHUTDOWN_COUNTDOWN); "Shut down now" is IDOK, Cancel IDCANCEL
#define IDC_COUNTDOWN_TEXT       1110

// The maker's addresses, the project's own; the codec notice names the e-mail address.
#define VODRIX_SUPPORT_ADDRESS   "support@vodrix.example.com"
#define VODRIX_HOME_PAGE         "http://www.vodrix.example.com/"
#define VODRIX_SUPPORT_PAGE      "http://www.vodrix.example.com/support.html"
#define VODRIX_CODEC_PAGE        "http://www.vodrix.example.com/codecs.html"

#endif
