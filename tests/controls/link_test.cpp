#include "controls/LinkLabel.h"
#include "ControlHost.h"
#include "support/GuiObjects.h"
#include "support/MessageSequence.h"
#include "support/ModalWatcher.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

const COLORREF LINK = RGB(0, 0, 238);
const COLORREF VISITED = RGB(85, 26, 139);
const COLORREF HOVER = RGB(255, 0, 0);
constexpr UINT LABEL_ID = 1097;

std::string ReadClassesDefault(const char* key)
{
    char value[261] = {};
    LONG size = sizeof value - 1;
    return ::RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) == ERROR_SUCCESS ? value : "";
}

void WriteClassesDefault(const char* key, const std::string& value)
{
    ::RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

// Points ".htm" at a class of the test's own while it lives.
class HtmlAssociation {
public:
    explicit HtmlAssociation(const char* htmlClass) : m_previous(ReadClassesDefault(".htm"))
    {
        WriteClassesDefault(".htm", htmlClass);
    }
    ~HtmlAssociation() { WriteClassesDefault(".htm", m_previous); }

private:
    std::string m_previous;
};

class LinkTest : public ::testing::Test {
protected:
    CLinkLabel& Make(DWORD style, const char* text, const char* target = nullptr, int width = 300)
    {
        m_label = std::make_unique<CLinkLabel>();
        HWND hwnd = m_host.CreateChild("STATIC", style, width, 20, LABEL_ID, text);
        ::SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        if (target)
            m_label->SetLinkTarget(target);
        EXPECT_TRUE(m_label->SubclassWindow(hwnd));
        return *m_label;
    }
    void TearDown() override
    {
        if (m_label)
            m_label->DestroyWindow();
    }
    HWND Label() const { return m_label->GetSafeHwnd(); }
    RECT Rect() const
    {
        RECT r;
        ::GetWindowRect(Label(), &r);
        ::MapWindowPoints(nullptr, m_host.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    COLORREF TextColour()
    {
        HDC dc = ::GetDC(Label());
        ::SendMessageA(m_host.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Label()));
        const COLORREF colour = ::GetTextColor(dc);
        ::ReleaseDC(Label(), dc);
        return colour;
    }
    bool Underlined() const
    {
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(Label(), WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfUnderline != 0;
    }
    void Hover()
    {
        RECT r;
        ::GetWindowRect(Label(), &r);
        ::SetCursorPos(r.left + 2, r.top + 2);
        ::SendMessageA(Label(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    }
    // The system reports the leave while messages are pumped; false when it never did.
    bool Leave()
    {
        MoveCursorAway();
        return PumpMessagesUntil([this] { return TextColour() != HOVER; });
    }
    void Click() { ::SendMessageA(m_host.Hwnd(), WM_COMMAND, MAKEWPARAM(LABEL_ID, STN_CLICKED), reinterpret_cast<LPARAM>(Label())); }

    ControlHost& m_host = ControlHost::Shared();
    std::unique_ptr<CLinkLabel> m_label;
};

TEST_F(LinkTest, ColoursForLinkVisitedAndHover)
{
    Make(0, "http://www.example.com/");
    HDC dc = ::GetDC(Label());
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)),
              ::SendMessageA(m_host.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Label())));
    EXPECT_EQ(TRANSPARENT, ::GetBkMode(dc));
    ::ReleaseDC(Label(), dc);
    EXPECT_EQ(LINK, TextColour());
    m_label->SetVisitedState(true);
    EXPECT_EQ(VISITED, TextColour());
    Hover();
    EXPECT_EQ(HOVER, TextColour());
    ASSERT_TRUE(Leave());
    EXPECT_EQ(VISITED, TextColour());
}

TEST_F(LinkTest, UnderlineModes)
{
    Make(0, "http://www.example.com/");
    EXPECT_FALSE(Underlined());
    Hover();
    EXPECT_TRUE(Underlined()) << "mode -1 underlines while hovered";
    ASSERT_TRUE(Leave());
    EXPECT_FALSE(Underlined());
    m_label->SetUnderlineMode(CLinkLabel::UNDERLINE_ALWAYS);
    EXPECT_TRUE(Underlined());
    Hover();
    ASSERT_TRUE(Leave());
    EXPECT_TRUE(Underlined());
    m_label->SetUnderlineMode(CLinkLabel::UNDERLINE_NEVER);
    EXPECT_FALSE(Underlined());
    Hover();
    EXPECT_FALSE(Underlined());
    ASSERT_TRUE(Leave());
}

TEST_F(LinkTest, TargetAndTextFillEachOther)
{
    Make(0, "http://www.example.com/");
    EXPECT_EQ("http://www.example.com/", m_label->GetLinkTarget());
    EXPECT_TRUE(m_label->GetStyle() & SS_NOTIFY);
    Make(0, "", "mailto:support@example.com");
    EXPECT_EQ("mailto:support@example.com", m_label->GetWindowText());
}

TEST_F(LinkTest, AutoSizeKeepsTheEdgeOfItsAlignment)
{
    struct Case {
        DWORD style;
        const char* kept;
    } cases[] = {{SS_LEFT, "left"}, {SS_RIGHT, "right"}, {SS_CENTER, "centre"}};
    for (const Case& c : cases) {
        Make(c.style, "Check Update");
        const RECT r = Rect();
        SIZE extent{};
        HDC dc = ::GetDC(Label());
        LOGFONTA description{};
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
        description.lfUnderline = TRUE;
        HFONT font = ::CreateFontIndirectA(&description);
        HGDIOBJ previous = ::SelectObject(dc, font);
        ::GetTextExtentPoint32A(dc, "Check Update", 12, &extent);
        ::SelectObject(dc, previous);
        ::DeleteObject(font);
        ::ReleaseDC(Label(), dc);
        EXPECT_EQ(extent.cx, r.right - r.left) << c.kept;
        EXPECT_EQ(extent.cy, r.bottom - r.top) << c.kept;
        EXPECT_EQ(10, r.top) << c.kept;
        const int keptEdge = c.style == SS_LEFT ? r.left : c.style == SS_RIGHT ? r.right : (r.left + r.right) / 2;
        const int expectedEdge = c.style == SS_LEFT ? 10 : c.style == SS_RIGHT ? 310 : 160;
        EXPECT_LE(std::abs(keptEdge - expectedEdge), c.style == SS_CENTER ? 1 : 0) << c.kept;
        m_label->DestroyWindow();
    }
}

TEST(LinkErrorTextTest, NamesEachCodeAndFormatsUnknownOnes)
{
    EXPECT_EQ("A sharing violation occurred. ", CLinkLabel::ErrorText(26));
    EXPECT_EQ("Unknown Error (4) occurred.", CLinkLabel::ErrorText(4));
    EXPECT_EQ("The specified file was not found.", CLinkLabel::ErrorText(2));
    EXPECT_EQ("The operating system is out\nof memory or resources.", CLinkLabel::ErrorText(0));
    EXPECT_EQ("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).", CLinkLabel::ErrorText(11));
    EXPECT_EQ("The specified dynamic-link library was not found.", CLinkLabel::ErrorText(32));
}

std::string TempPath(const char* name)
{
    char directory[MAX_PATH] = {};
    ::GetTempPathA(sizeof directory, directory);
    return std::string(directory) + name;
}

bool WaitForFile(const std::string& path, DWORD milliseconds)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        ::Sleep(100);
    }
    return false;
}

TEST_F(LinkTest, AFailedShellOpenFallsBackToTheHtmlCommand)
{
    // The test's browser creates the file it is given.
    WriteClassesDefault("VodrixTestPage\\shell\\open\\command", "cmd.exe /c type nul > \"%1\" && rem");
    HtmlAssociation association("VodrixTestPage");
    const std::string marker = TempPath("vodrix_link_marker.xyz");
    ::DeleteFileA(marker.c_str());
    Make(0, marker.c_str());

    MessageRecorder recorder(Label(), m_host.Hwnd());
    Click();
    EXPECT_TRUE(WaitForFile(marker, 10000)) << "the fallback command ran with the target";
    static const ExpectedMessage opened[] = {
        {WM_COMMAND, SEQ_PARENT | SEQ_WPARAM, MAKEWPARAM(LABEL_ID, STN_CLICKED), 0},
        {WM_REFLECT + WM_COMMAND, SEQ_WPARAM, MAKEWPARAM(LABEL_ID, STN_CLICKED), 0},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(opened, "opened", {WM_ENABLE}));
    EXPECT_EQ(VISITED, TextColour());
    ::DeleteFileA(marker.c_str());
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "VodrixTestPage\\shell\\open\\command");
}

TEST_F(LinkTest, AFailedOpenBeepsAndSaysWhy)
{
    HtmlAssociation association("VodrixNoSuchClass");
    const std::string missing = TempPath("vodrix_missing\\nothing.xyz");
    Make(0, missing.c_str());
    m_label->SetVisitedState(true);
    const INT_PTR code = CLinkLabel::OpenLink(missing.c_str(), SW_SHOW);
    ASSERT_LE(code, 32);

    ModalWatcher watcher(20000);
    MessageRecorder recorder(Label(), m_host.Hwnd());
    Click();
    const ModalReport box = watcher.Wait();
    ASSERT_TRUE(box.seen);
    EXPECT_EQ("Info", box.caption);
    EXPECT_EQ("Unable to open hyperlink:\n\n" + CLinkLabel::ErrorText(code), box.text);
    static const ExpectedMessage failed[] = {
        {WM_COMMAND, SEQ_PARENT | SEQ_WPARAM, MAKEWPARAM(LABEL_ID, STN_CLICKED), 0},
        {WM_REFLECT + WM_COMMAND, SEQ_WPARAM, MAKEWPARAM(LABEL_ID, STN_CLICKED), 0},
        {WM_ENABLE, SEQ_PARENT | SEQ_WPARAM, FALSE, 0},  // the box is modal to the label's window
        {WM_ENABLE, SEQ_PARENT | SEQ_WPARAM, TRUE, 0},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(failed, "failed"));
    EXPECT_EQ(LINK, TextColour()) << "a failed open is not a visit";
}

TEST_F(LinkTest, NoHandCursorWithoutWinHelp)
{
    const std::string empty = TempPath("");
    EXPECT_EQ(nullptr, CLinkLabel::LoadHandCursorFrom(empty.substr(0, empty.size() - 1)));
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, sizeof windows);
    HCURSOR hand = CLinkLabel::LoadHandCursorFrom(windows);
    Make(0, "http://www.example.com/");
    // The label takes the cursor over exactly when the system has one.
    EXPECT_EQ(hand != nullptr, ::SendMessageA(Label(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Label()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) != 0);
    if (hand)
        ::DestroyIcon(hand);
    std::printf("hand cursor of winhlp32.exe in this system: %s\n", hand ? "present" : "absent");
}

TEST_F(LinkTest, RepeatedLabelsLeaveNoObjectsBehind)
{
    auto cycle = [&] {
        Make(SS_RIGHT, "http://www.example.com/");
        m_label->SetLinkTarget("http://www.example.com/support");
        Hover();
        m_label->SetUnderlineMode(CLinkLabel::UNDERLINE_ALWAYS);
        TextColour();
        ::UpdateWindow(Label());
        m_label->DestroyWindow();
    };
    EXPECT_TRUE(LeavesNoGuiObjects(cycle));
}

}  // namespace
