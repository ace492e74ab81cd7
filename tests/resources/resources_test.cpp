// The program's resources as the program sees them: each dialog template is
// created for real and every control is compared with the table of what the
// template must hold; strings, bitmaps and icons are loaded and measured.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DialogInitData.h"
#include "resource.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

INT_PTR CALLBACK IdleDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A modeless dialog created from one of the program's templates, destroyed with the test.
class TemplateDialog {
public:
    explicit TemplateDialog(int templateId)
        : hwnd_(CreateDialogParamA(Module(), MAKEINTRESOURCEA(templateId), nullptr, IdleDialogProc, 0)) {}
    ~TemplateDialog() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    TemplateDialog(const TemplateDialog &) = delete;
    TemplateDialog &operator=(const TemplateDialog &) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

enum class Kind {
    OwnerDrawButton,
    PushButton,
    DefPushButton,
    AutoRadio,
    AutoCheck,
    GroupBox,
    Text,
    Icon,
    Edit,
    DropDownList,
    ListView,
    TrackBar,
    Progress,
};

struct ControlRow {
    int id;
    Kind kind;
    const char *text;  // nullptr: not compared (icons)
    RECT dlu;          // left, top, width, height in dialog units
};

const char *ClassOf(Kind kind) {
    switch (kind) {
    case Kind::Text:
    case Kind::Icon: return "Static";
    case Kind::Edit: return "Edit";
    case Kind::DropDownList: return "ComboBox";
    case Kind::ListView: return WC_LISTVIEWA;
    case Kind::TrackBar: return TRACKBAR_CLASSA;
    case Kind::Progress: return PROGRESS_CLASSA;
    default: return "Button";
    }
}

std::string ClassName(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string WindowText(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// The dialog manager converts a control's corner and its size separately, so
// the size is mapped on its own, not as the far corner.
RECT DialogUnitsToPixels(HWND dialog, const RECT &dlu) {
    RECT r = dlu;  // left, top, width, height
    MapDialogRect(dialog, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

RECT RectInDialog(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

std::string Describe(const RECT &r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// The style bits that make each kind what it is.
void ExpectKindStyle(HWND control, Kind kind, const std::string &where) {
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(control, GWL_EXSTYLE);
    switch (kind) {
    case Kind::OwnerDrawButton: EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW) << where; break;
    case Kind::PushButton: EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << where; break;
    case Kind::DefPushButton: EXPECT_EQ(style & BS_TYPEMASK, BS_DEFPUSHBUTTON) << where; break;
    case Kind::AutoRadio: EXPECT_EQ(style & BS_TYPEMASK, BS_AUTORADIOBUTTON) << where; break;
    case Kind::AutoCheck: EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX) << where; break;
    case Kind::GroupBox: EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX) << where; break;
    case Kind::Text: EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT) << where; break;
    case Kind::Icon: EXPECT_EQ(style & SS_TYPEMASK, SS_ICON) << where; break;
    case Kind::Edit:
        EXPECT_TRUE(style & ES_AUTOHSCROLL) << where;
        EXPECT_TRUE(style & WS_DISABLED) << where;
        EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) << where;
        break;
    case Kind::DropDownList: EXPECT_EQ(style & 3, CBS_DROPDOWNLIST) << where; break;
    case Kind::ListView: EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT) << where; break;
    case Kind::TrackBar: EXPECT_TRUE(style & TBS_NOTICKS) << where; break;
    case Kind::Progress: break;
    }
    if (kind != Kind::Edit) {
        EXPECT_FALSE(style & WS_DISABLED) << where;
    }
    EXPECT_TRUE(style & WS_VISIBLE) << where;
}

// Height in dialog units of item number index of an extended dialog template.
int TemplateItemHeight(int templateId, std::size_t index) {
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(templateId), RT_DIALOG);
    if (!found) return -1;
    const auto *base = static_cast<const unsigned char *>(LockResource(LoadResource(Module(), found)));
    auto word = [base](std::size_t at) { return static_cast<unsigned>(base[at] | base[at + 1] << 8); };
    auto skipNameOrOrdinal = [&](std::size_t at) {
        if (word(at) == 0xFFFF) return at + 4;
        while (word(at) != 0) at += 2;
        return at + 2;
    };
    auto alignToDword = [](std::size_t at) { return (at + 3) & ~static_cast<std::size_t>(3); };
    if (word(2) != 0xFFFF) return -1;                   // not a DLGTEMPLATEEX
    const unsigned long style = word(12) | static_cast<unsigned long>(word(14)) << 16;
    std::size_t at = 26;                                // menu follows the fixed header
    at = skipNameOrOrdinal(skipNameOrOrdinal(skipNameOrOrdinal(at)));  // menu, class, title
    if (style & DS_SETFONT) at = skipNameOrOrdinal(at + 6);            // size, weight, italic, charset, face
    for (std::size_t i = 0;; ++i) {
        at = alignToDword(at);
        if (i == index) return static_cast<int>(static_cast<short>(word(at + 18)));
        at = skipNameOrOrdinal(skipNameOrOrdinal(at + 24));  // fixed part, class, title
        at += 2 + word(at);                                  // creation data
    }
}

void ExpectPlacement(HWND dialog, int templateId, std::size_t index, HWND control, const ControlRow &row,
                     const std::string &where) {
    const RECT expected = DialogUnitsToPixels(dialog, row.dlu);
    RECT actual = RectInDialog(dialog, control);
    if (row.kind == Kind::Icon) {
        // An icon static takes the size of its icon; only its corner is the template's.
        EXPECT_EQ(actual.left, expected.left) << where;
        EXPECT_EQ(actual.top, expected.top) << where;
        return;
    }
    if (row.kind == Kind::DropDownList) {
        // A drop-down list's window has its closed height; the template's
        // height is that of the opened list, which Wine does not report back
        // (CB_GETDROPPEDCONTROLRECT comes out shorter), so it is read from
        // the template itself.
        EXPECT_EQ(TemplateItemHeight(templateId, index), row.dlu.bottom) << where;
        actual.bottom = expected.bottom;
    }
    EXPECT_EQ(Describe(actual), Describe(expected)) << where;
}

// Walks the dialog's children in template order and compares each with the table.
void ExpectControls(HWND dialog, int templateId, const std::vector<ControlRow> &table) {
    HWND control = GetWindow(dialog, GW_CHILD);
    for (std::size_t i = 0; i < table.size(); ++i, control = GetWindow(control, GW_HWNDNEXT)) {
        const ControlRow &row = table[i];
        const std::string where = "control #" + std::to_string(i) + " id " + std::to_string(row.id) +
                                  (row.text ? std::string(" \"") + row.text + "\"" : std::string());
        ASSERT_NE(control, nullptr) << where << " is missing";
        EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(control))), row.id) << where;
        EXPECT_STREQ(ClassName(control).c_str(), ClassOf(row.kind)) << where;
        if (row.text) {
            EXPECT_EQ(WindowText(control), row.text) << where;
        }
        ExpectKindStyle(control, row.kind, where);
        ExpectPlacement(dialog, templateId, i, control, row, where);
    }
    EXPECT_EQ(control, nullptr) << "the dialog has more controls than its table";
}

void ExpectFrame(HWND dialog, const char *caption, const char *fontFace, int points, SIZE dlu) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), caption);

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA lf = {};
    GetObjectA(font, sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, fontFace);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(lf.lfHeight, -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);

    RECT client;
    GetClientRect(dialog, &client);
    const RECT expected = DialogUnitsToPixels(dialog, RECT{0, 0, dlu.cx, dlu.cy});
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
}

// A text chosen for this program must show whole in its control.
void ExpectTextFits(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    ASSERT_NE(control, nullptr);
    const std::string text = WindowText(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent;
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT r;
    GetClientRect(control, &r);
    EXPECT_LE(extent.cx, r.right) << "\"" << text << "\" is cut off";
}

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&icc);
    }
};

const std::vector<ControlRow> kConverterControls = {
    {IDC_ADD, Kind::OwnerDrawButton, "Add", {9, 5, 36, 35}},
    {IDC_REMOVE, Kind::OwnerDrawButton, "Remove", {62, 5, 36, 35}},
    {IDC_CONVERT, Kind::OwnerDrawButton, "Convert", {115, 5, 36, 35}},
    {IDC_ABOUT, Kind::OwnerDrawButton, "About", {220, 5, 36, 35}},
    {IDC_HELP_BUTTON, Kind::OwnerDrawButton, "Help", {270, 5, 36, 35}},
    {IDC_EXIT, Kind::OwnerDrawButton, "EXIT", {321, 5, 36, 35}},
    {IDC_SOURCE_LIST, Kind::ListView, "", {7, 47, 358, 78}},
    {IDC_STATIC, Kind::Text, "Output Directory", {9, 134, 56, 8}},
    {IDC_OUTPUT_DIR, Kind::Edit, "", {65, 131, 268, 14}},
    {IDC_BROWSE, Kind::OwnerDrawButton, "", {342, 131, 22, 15}},
    {IDC_STATIC, Kind::GroupBox, "Convert Format", {8, 149, 358, 27}},
    {IDC_TO_AVI, Kind::AutoRadio, "To AVI", {15, 162, 59, 10}},
    {IDC_TO_MPEG, Kind::AutoRadio, "To MPEG", {73, 162, 59, 10}},
    {IDC_TO_WMV, Kind::AutoRadio, "To WMV/ASF", {148, 162, 59, 10}},
    {IDC_TO_MOV, Kind::AutoRadio, "To MOV/QT", {226, 162, 59, 10}},
    {IDC_TO_FLV, Kind::AutoRadio, "To SWF/FLV", {299, 162, 59, 10}},
    {IDC_STATIC, Kind::GroupBox, "Video Format", {9, 179, 180, 89}},
    {IDC_STATIC, Kind::GroupBox, "Audio Format", {195, 179, 170, 89}},
    {IDC_STATIC, Kind::Text, " Video Codec:", {15, 193, 50, 8}},
    {IDC_VIDEO_CODEC, Kind::DropDownList, "", {67, 191, 113, 59}},
    {IDC_STATIC, Kind::Text, " Frame Rate:", {15, 207, 50, 8}},
    {IDC_FRAME_RATE, Kind::DropDownList, "", {67, 205, 113, 62}},
    {IDC_STATIC, Kind::Text, " Bitrate:", {15, 221, 50, 8}},
    {IDC_VIDEO_BITRATE, Kind::DropDownList, "", {67, 219, 113, 62}},
    {IDC_STATIC, Kind::Text, " Width/Height:", {15, 235, 50, 8}},
    {IDC_FRAME_SIZE, Kind::DropDownList, "", {67, 233, 113, 63}},
    {IDC_STATIC, Kind::Text, " Aspect:", {15, 250, 50, 8}},
    {IDC_ASPECT, Kind::DropDownList, "", {67, 248, 113, 63}},
    {IDC_STATIC, Kind::Text, "Audio Codec:", {201, 193, 46, 8}},
    {IDC_AUDIO_CODEC, Kind::DropDownList, "", {249, 191, 113, 49}},
    {IDC_STATIC, Kind::Text, "Channels:", {201, 207, 46, 8}},
    {IDC_CHANNELS, Kind::DropDownList, "", {249, 205, 113, 71}},
    {IDC_STATIC, Kind::Text, "Bitrate:", {201, 221, 46, 8}},
    {IDC_AUDIO_BITRATE, Kind::DropDownList, "", {249, 219, 113, 49}},
    {IDC_STATIC, Kind::Text, "Sample Rate:", {201, 235, 46, 8}},
    {IDC_SAMPLE_RATE, Kind::DropDownList, "", {249, 233, 113, 71}},
    {IDC_VOLUME_LABEL, Kind::Text, "Vol:100%", {199, 251, 49, 9}},
    {IDC_VOLUME, Kind::TrackBar, "", {245, 251, 113, 10}},
    {IDC_PROGRESS, Kind::Progress, "", {8, 272, 302, 10}},
    {IDC_STOP, Kind::PushButton, "Stop", {317, 271, 48, 11}},
    {IDC_SHUTDOWN, Kind::AutoCheck, " Shutdown PC after finished ", {9, 286, 106, 10}},
};

TEST_F(ResourcesTest, MainDialogTemplateMatchesItsTable) {
    TemplateDialog dialog(IDD_CONVERTER);
    ExpectFrame(dialog.get(), "Vodrix  Video Converter", "Arial", 8, SIZE{373, 298});
    const LONG style = GetWindowLongA(dialog.get(), GWL_STYLE);
    const LONG wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    ExpectControls(dialog.get(), IDD_CONVERTER, kConverterControls);
}

TEST_F(ResourcesTest, MainDialogRadiosFormOneGroupStartingAtAvi) {
    TemplateDialog dialog(IDD_CONVERTER);
    HWND avi = GetDlgItem(dialog.get(), IDC_TO_AVI);
    EXPECT_TRUE(GetWindowLongA(avi, GWL_STYLE) & WS_GROUP);
    HWND member = avi;
    for (int id : {IDC_TO_MPEG, IDC_TO_WMV, IDC_TO_MOV, IDC_TO_FLV, IDC_TO_AVI}) {
        member = GetNextDlgGroupItem(dialog.get(), member, FALSE);
        EXPECT_EQ(GetDlgCtrlID(member), id);
    }
}

TEST_F(ResourcesTest, AboutDialogTemplateMatchesItsTable) {
    TemplateDialog dialog(IDD_ABOUT);
    ExpectFrame(dialog.get(), "About Vodrix Video Converter", "MS Sans Serif", 8, SIZE{242, 179});
    ExpectControls(dialog.get(), IDD_ABOUT, {
        {IDC_STATIC, Kind::Icon, nullptr, {15, 15, 20, 20}},
        {IDOK, Kind::DefPushButton, "OK", {170, 20, 50, 14}},
        {IDC_ABOUT_TITLE, Kind::Text, "Vodrix Video Converter", {61, 13, 104, 8}},
        {IDC_ABOUT_VERSION, Kind::Text, "Version 2.0", {62, 38, 74, 8}},
        {IDC_STATIC, Kind::GroupBox, "", {12, 51, 218, 103}},
        {IDC_LINK_HOMEPAGE, Kind::Text, "Homepage", {51, 69, 155, 8}},
        {IDC_LINK_SUPPORT, Kind::Text, "Technical Support", {51, 90, 69, 8}},
        {IDC_LINK_UPDATE, Kind::Text, "Check Update", {51, 111, 49, 8}},
        {IDC_STATIC, Kind::Text, "Copyright (C) 2026 Vodrix Software", {45, 162, 165, 8}},
    });
    HWND icon = GetWindow(dialog.get(), GW_CHILD);
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0) << "the application icon is shown";
    for (int id : {IDC_ABOUT_TITLE, IDC_ABOUT_VERSION, IDC_LINK_SUPPORT, IDC_LINK_UPDATE}) ExpectTextFits(dialog.get(), id);
}

TEST_F(ResourcesTest, CodecNoticeTemplateMatchesItsTableAndNamesTheSupportAddress) {
    TemplateDialog dialog(IDD_CODEC_NOTICE);
    ExpectFrame(dialog.get(), "Notice", "Arial", 10, SIZE{223, 94});
    ExpectControls(dialog.get(), IDD_CODEC_NOTICE, {
        {IDCANCEL, Kind::PushButton, "I get it!", {48, 62, 92, 14}},
        {IDC_STATIC, Kind::Text, "Suggestion:", {10, 5, 84, 13}},
        {IDC_STATIC, Kind::Text, "This media file maybe include unsupport codec.", {10, 17, 205, 12}},
        {IDC_LINK_MAIL, Kind::Text, "Report it to " VODRIX_SUPPORT_ADDRESS, {10, 31, 154, 13}},
        {IDC_LINK_CODECS, Kind::Text, "or download codec from our site.", {12, 47, 152, 12}},
    });
    ExpectTextFits(dialog.get(), IDC_LINK_MAIL);
    ExpectTextFits(dialog.get(), IDC_LINK_CODECS);
}

TEST_F(ResourcesTest, ConvertNoticeTemplateMatchesItsTable) {
    TemplateDialog dialog(IDD_CONVERT_NOTICE);
    ExpectFrame(dialog.get(), "Notice", "Arial", 10, SIZE{343, 92});
    ExpectControls(dialog.get(), IDD_CONVERT_NOTICE, {
        {IDCANCEL, Kind::PushButton, "I get it!", {60, 66, 92, 14}},
        {IDC_STATIC, Kind::Text, "Suggestion:", {10, 3, 84, 10}},
        {IDC_STATIC, Kind::Text, "We meet some problems  during conversion", {10, 13, 205, 10}},
        {IDC_TRACE_TEXT, Kind::Text, "", {10, 23, 326, 26}},
        {IDC_STATIC, Kind::Text, "We will fix it ! Thank you for your cooperation!", {11, 50, 213, 12}},
    });
}

TEST_F(ResourcesTest, AboutMenuString) {
    char text[128] = {};
    EXPECT_EQ(LoadStringA(Module(), IDS_ABOUT_MENU, text, sizeof text), 27);
    EXPECT_STREQ(text, "Vodrix Video Convert(&A)...");
}

// ---------------------------------------------------------------------------
// Combo-box initial data of the main dialog

const std::vector<std::string> kFrameRates = {"10.00", "15.00", "20.00", "23.97", "24.00", "25.00", "29.97", "30.00"};
const std::vector<std::string> kFrameSizes = {"Original",  " 80 X 60",  " 96 X 72",  "128 X 96",  "160 X 120", "176 X 120",
                                              "176 X 144", "192 X 144", "240 X 180", "320 X 200", "320 X 240", "352 X 240",
                                              "352 X 288", "480 X 480", "640 X 480", "720 X 480", "720 X 576"};

std::vector<std::string> ComboTexts(HWND dialog, int id) {
    std::vector<std::string> texts;
    const LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[64] = {};
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

TEST_F(ResourcesTest, MainDialogInitialDataFillsFrameRatesAndSizesInOrder) {
    TemplateDialog dialog(IDD_CONVERTER);
    EXPECT_EQ(ApplyDialogInitData(dialog.get(), Module(), IDD_CONVERTER),
              static_cast<int>(kFrameRates.size() + kFrameSizes.size()));
    EXPECT_EQ(ComboTexts(dialog.get(), IDC_FRAME_RATE), kFrameRates);
    EXPECT_EQ(ComboTexts(dialog.get(), IDC_FRAME_SIZE), kFrameSizes);
    for (int id : {IDC_VIDEO_CODEC, IDC_AUDIO_CODEC, IDC_CHANNELS, IDC_AUDIO_BITRATE, IDC_SAMPLE_RATE,
                   IDC_VIDEO_BITRATE, IDC_ASPECT})
        EXPECT_TRUE(ComboTexts(dialog.get(), id).empty()) << id;
}

TEST_F(ResourcesTest, InitialDataOfATemplateWithoutTableOrWithoutTheControls) {
    TemplateDialog about(IDD_ABOUT);
    EXPECT_EQ(ApplyDialogInitData(about.get(), Module(), IDD_ABOUT), 0);
    EXPECT_EQ(ApplyDialogInitData(about.get(), Module(), IDD_CONVERTER), -1);
}

std::vector<unsigned char> Entry(unsigned id, unsigned code, const std::string &textWithTerminator) {
    std::vector<unsigned char> bytes;
    auto word = [&bytes](unsigned value) {
        bytes.push_back(static_cast<unsigned char>(value));
        bytes.push_back(static_cast<unsigned char>(value >> 8));
    };
    word(id);
    word(code);
    word(static_cast<unsigned>(textWithTerminator.size()));
    word(0);
    for (char c : textWithTerminator) bytes.push_back(static_cast<unsigned char>(c));
    return bytes;
}

TEST(DialogInitDataParse, ReadsEntriesUpToTheZeroWord) {
    std::vector<unsigned char> data = Entry(7, DLGINIT_ADD_STRING, std::string("odd\0", 4));
    const std::vector<unsigned char> second = Entry(9, DLGINIT_ADD_STRING, std::string("x\0", 2));
    data.insert(data.end(), second.begin(), second.end());
    data.insert(data.end(), {0, 0});
    std::vector<DialogInitEntry> entries;
    ASSERT_TRUE(ParseDialogInitData(data.data(), data.size(), entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].controlId, 7);
    EXPECT_EQ(entries[0].text, "odd");
    EXPECT_EQ(entries[1].controlId, 9);
    EXPECT_EQ(entries[1].text, "x");
}

TEST(DialogInitDataParse, RefusesMalformedTables) {
    std::vector<DialogInitEntry> entries;
    std::vector<unsigned char> good = Entry(7, DLGINIT_ADD_STRING, std::string("abc\0", 4));
    good.insert(good.end(), {0, 0});

    std::vector<unsigned char> unterminated(good.begin(), good.end() - 2);
    EXPECT_FALSE(ParseDialogInitData(unterminated.data(), unterminated.size(), entries));

    std::vector<unsigned char> truncated(good.begin(), good.begin() + 10);
    EXPECT_FALSE(ParseDialogInitData(truncated.data(), truncated.size(), entries));

    std::vector<unsigned char> overlong = good;
    overlong[4] = 200;  // the text would run far past the end
    EXPECT_FALSE(ParseDialogInitData(overlong.data(), overlong.size(), entries));

    std::vector<unsigned char> listBox = Entry(7, 0x0401, std::string("abc\0", 4));
    listBox.insert(listBox.end(), {0, 0});
    EXPECT_FALSE(ParseDialogInitData(listBox.data(), listBox.size(), entries));

    EXPECT_FALSE(ParseDialogInitData(good.data(), 0, entries));
    EXPECT_TRUE(entries.empty());
}

// ---------------------------------------------------------------------------
// Bitmaps and icons

// A loaded bitmap's pixels as 0xRRGGBB values, top row first.
struct Pixels {
    int width = 0, height = 0, bits = 0;
    std::vector<unsigned> rgb;
    unsigned at(int x, int y) const { return rgb[y * width + x]; }
};

Pixels LoadBitmapPixels(int id) {
    Pixels p;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return p;
    DIBSECTION dib = {};
    GetObjectA(bitmap, sizeof dib, &dib);
    p.width = dib.dsBm.bmWidth;
    p.height = dib.dsBm.bmHeight;
    p.bits = dib.dsBm.bmBitsPixel;
    const auto *bytes = static_cast<const unsigned char *>(dib.dsBm.bmBits);
    for (int y = 0; y < p.height; ++y) {
        const unsigned char *row = bytes + (p.height - 1 - y) * dib.dsBm.bmWidthBytes;  // bottom-up
        for (int x = 0; x < p.width; ++x) p.rgb.push_back(row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x]);
    }
    DeleteObject(bitmap);
    return p;
}

struct FaceSet {
    const char *command;
    int normal, hover, pressed;
};

const FaceSet kFaces[] = {
    {"Add", IDB_ADD_NORMAL, IDB_ADD_HOVER, IDB_ADD_PRESSED},
    {"Remove", IDB_REMOVE_NORMAL, IDB_REMOVE_HOVER, IDB_REMOVE_PRESSED},
    {"Convert", IDB_CONVERT_NORMAL, IDB_CONVERT_HOVER, IDB_CONVERT_PRESSED},
    {"Stop", IDB_STOP_NORMAL, IDB_STOP_HOVER, IDB_STOP_PRESSED},
    {"Help", IDB_HELP_NORMAL, IDB_HELP_HOVER, IDB_HELP_PRESSED},
    {"About", IDB_ABOUT_NORMAL, IDB_ABOUT_HOVER, IDB_ABOUT_PRESSED},
    {"EXIT", IDB_EXIT_NORMAL, IDB_EXIT_HOVER, IDB_EXIT_PRESSED},
};

// Mean brightness of the pixels that are not the transparent black, and how many there are.
double MeanBrightness(const Pixels &p, int *opaque) {
    double sum = 0;
    *opaque = 0;
    for (unsigned c : p.rgb) {
        if (c == 0) continue;
        ++*opaque;
        sum += ((c >> 16) & 255) * 0.299 + ((c >> 8) & 255) * 0.587 + (c & 255) * 0.114;
    }
    return *opaque ? sum / *opaque : 0;
}

TEST_F(ResourcesTest, ButtonFacesAre50By56With24BitsBlackAroundAndShadedByState) {
    for (int id = IDB_ADD_NORMAL; id <= IDB_EXIT_HOVER; ++id) {
        const Pixels p = LoadBitmapPixels(id);
        EXPECT_EQ(p.width, 50) << id;
        EXPECT_EQ(p.height, 56) << id;
        EXPECT_EQ(p.bits, 24) << id;
    }
    for (const FaceSet &face : kFaces) {
        const Pixels normal = LoadBitmapPixels(face.normal);
        const Pixels hover = LoadBitmapPixels(face.hover);
        const Pixels pressed = LoadBitmapPixels(face.pressed);
        ASSERT_EQ(normal.rgb.size(), 50u * 56u) << face.command;
        for (const Pixels *p : {&normal, &hover, &pressed}) {
            // The corners show the dialog through the face; its middle is the face itself.
            EXPECT_EQ(p->at(0, 0), 0u) << face.command;
            EXPECT_EQ(p->at(49, 55), 0u) << face.command;
            EXPECT_NE(p->at(25, 12), 0u) << face.command;
        }
        int opaqueNormal, opaqueHover, opaquePressed;
        const double normalLight = MeanBrightness(normal, &opaqueNormal);
        EXPECT_GT(MeanBrightness(hover, &opaqueHover), normalLight + 5) << face.command << " hover is brighter";
        EXPECT_LT(MeanBrightness(pressed, &opaquePressed), normalLight - 5) << face.command << " pressed is darker";
        // The three faces have the same outline, so the button does not jump between states.
        EXPECT_EQ(opaqueHover, opaqueNormal) << face.command;
        EXPECT_EQ(opaquePressed, opaqueNormal) << face.command;
    }
}

TEST_F(ResourcesTest, FacesOfDifferentCommandsShowDifferentPictograms) {
    for (std::size_t a = 0; a < std::size(kFaces); ++a)
        for (std::size_t b = a + 1; b < std::size(kFaces); ++b)
            EXPECT_NE(LoadBitmapPixels(kFaces[a].normal).rgb, LoadBitmapPixels(kFaces[b].normal).rgb)
                << kFaces[a].command << " and " << kFaces[b].command;
}

TEST_F(ResourcesTest, RowImagesAreFiveMagentaKeyed16PixelImages) {
    const Pixels p = LoadBitmapPixels(IDB_ROW_IMAGES);
    ASSERT_EQ(p.width, 80);
    ASSERT_EQ(p.height, 16);
    EXPECT_EQ(p.bits, 24);
    const unsigned magenta = 0xFF00FF;
    for (int image = 0; image < 5; ++image) {
        const int left = image * 16;
        EXPECT_EQ(p.at(left, 0), magenta) << image;
        EXPECT_EQ(p.at(left + 15, 15), magenta) << image;
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = left; x < left + 16; ++x) drawn += p.at(x, y) != magenta;
        EXPECT_GT(drawn, 30) << "image " << image << " has a picture";
        EXPECT_LT(drawn, 200) << "image " << image << " leaves the list's background around it";
    }
    // The list builds its image list from the strip, cut into 16-pixel images.
    HIMAGELIST list = ImageList_LoadImageA(Module(), MAKEINTRESOURCEA(IDB_ROW_IMAGES), 16, 4, RGB(255, 0, 255),
                                           IMAGE_BITMAP, LR_CREATEDIBSECTION);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 5);
    ImageList_Destroy(list);
}

// Sizes and colour depths listed in an icon resource's directory.
std::vector<std::pair<int, int>> IconDirectory(int id) {
    std::vector<std::pair<int, int>> sizes;
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    if (!found) return sizes;
    const auto *data = static_cast<const unsigned char *>(LockResource(LoadResource(Module(), found)));
    const int count = data[4] | data[5] << 8;
    for (int i = 0; i < count; ++i) {
        const unsigned char *entry = data + 6 + 14 * i;  // GRPICONDIRENTRY
        sizes.emplace_back(entry[0] ? entry[0] : 256, entry[6] | entry[7] << 8);
    }
    return sizes;
}

SIZE LoadedIconSize(int id, int cx, int cy, UINT flags) {
    SIZE size = {0, 0};
    HICON icon = static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, cx, cy, flags));
    if (!icon) return size;
    ICONINFO info = {};
    GetIconInfo(icon, &info);
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    size.cx = mask.bmWidth;
    size.cy = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    return size;
}

TEST_F(ResourcesTest, ApplicationIconHas16_32And48PixelsIn8And32Bits) {
    const std::vector<std::pair<int, int>> expected = {{16, 8}, {32, 8}, {48, 8}, {16, 32}, {32, 32}, {48, 32}};
    EXPECT_EQ(IconDirectory(IDI_VODRIX), expected);
    for (int side : {16, 32, 48}) {
        const SIZE loaded = LoadedIconSize(IDI_VODRIX, side, side, LR_DEFAULTCOLOR);
        EXPECT_EQ(loaded.cx, side);
        EXPECT_EQ(loaded.cy, side);
    }
    EXPECT_NE(LoadIconA(Module(), MAKEINTRESOURCEA(IDI_VODRIX)), nullptr);
}

TEST_F(ResourcesTest, FolderIconIs24PixelsAtItsOwnSize) {
    const std::vector<std::pair<int, int>> expected = {{24, 8}, {24, 32}};
    EXPECT_EQ(IconDirectory(IDI_FOLDER), expected);
    const SIZE own = LoadedIconSize(IDI_FOLDER, 0, 0, LR_DEFAULTCOLOR);
    EXPECT_EQ(own.cx, 24);
    EXPECT_EQ(own.cy, 24);
}

}  // namespace
