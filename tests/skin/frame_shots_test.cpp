// The real program's skinned frames as a user sees them, photographed in a
// Wine virtual desktop (where the whole window reaches the screen): the main
// dialog active and inactive, the About box and the open-file dialog. The
// pictures are kept as artefacts; the shaped corners must show the desktop.
#include "services/AppServices.h"
#include "res/resource.h"
#include "support/HostProcess.h"
#include "support/WindowWatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char* const ARTIFACTS = FRAME_SHOTS_ARTIFACTS;

// The program, started by this test inside the same desktop; ended with it.
class Program {
public:
    Program()
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string command = std::string("\"") + VODRIX_PROGRAM_PATH + "\"";
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process);
    }
    ~Program()
    {
        if (m_process.hProcess) {
            TerminateProcess(m_process.hProcess, 0);
            WaitForSingleObject(m_process.hProcess, 10000);
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return m_process.dwProcessId; }

private:
    PROCESS_INFORMATION m_process{};
};

// A screenshot of the desktop (BMP, for reading here) and of `window` (PNG, the artefact).
class Shot {
public:
    Shot(HWND window, const std::string& name) : m_name(name)
    {
        RECT rect{};
        GetWindowRect(window, &rect);
        m_origin = {rect.left, rect.top};
        m_size = {rect.right - rect.left, rect.bottom - rect.top};
        const std::string bmp = HostPathOf(std::string(ARTIFACTS) + "\\" + name + "_desktop.bmp");
        const std::string png = HostPathOf(std::string(ARTIFACTS)) + "/" + name + ".png";
        char crop[64];
        snprintf(crop, sizeof crop, "%ldx%ld+%ld+%ld", m_size.cx, m_size.cy, rect.left, rect.top);
        RunHostShell("import -display \"$DISPLAY\" -window root bmp3:'" + bmp + "' && convert '" + bmp +
                     "' -crop " + crop + " +repage '" + png + "'");
        // The whole desktop is read here and not kept: the window's PNG is the artefact.
        const std::string desktop = std::string(ARTIFACTS) + "\\" + name + "_desktop.bmp";
        m_bitmap = static_cast<HBITMAP>(
            LoadImageA(nullptr, desktop.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        DeleteFileA(desktop.c_str());
        m_dc = CreateCompatibleDC(nullptr);
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~Shot()
    {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    Shot(const Shot&) = delete;
    Shot& operator=(const Shot&) = delete;

    bool Taken() const { return m_bitmap != nullptr; }
    // A pixel of the window, in window coordinates.
    COLORREF At(LONG x, LONG y) const { return GetPixel(m_dc, m_origin.x + x, m_origin.y + y); }
    COLORREF Desktop() const { return GetPixel(m_dc, 1020, 4); }  // the task bar is at the bottom
    SIZE Size() const { return m_size; }

    // The four outermost corner pixels show the desktop, the frame just inside them does not.
    void ExpectShapedCorners() const
    {
        ASSERT_TRUE(Taken());
        const LONG right = m_size.cx - 1;
        const LONG bottom = m_size.cy - 1;
        EXPECT_EQ(Desktop(), At(0, 0)) << m_name;
        EXPECT_EQ(Desktop(), At(right, 0)) << m_name;
        EXPECT_NE(Desktop(), At(8, 8)) << m_name;
        EXPECT_NE(Desktop(), At(right - 8, 8)) << m_name;
        EXPECT_NE(Desktop(), At(m_size.cx / 2, bottom)) << m_name;
    }

private:
    std::string m_name;
    POINT m_origin{};
    SIZE m_size{};
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// A visible top-level window of a process whose class is one of `classes`.
struct WindowSearch {
    DWORD processId;
    HWND exclude;
    std::vector<std::string> classes;
    HWND found;
};

BOOL CALLBACK TakeMatchingWindow(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    const bool wanted = std::find(search->classes.begin(), search->classes.end(), name) != search->classes.end();
    if (wanted && processId == search->processId && hwnd != search->exclude && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowOf(WindowSearch search)
{
    EnumWindows(TakeMatchingWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A visible dialog of the process other than `exclude`; null for none.
HWND OtherDialogOf(DWORD processId, HWND exclude) { return FindWindowOf({processId, exclude, {"#32770"}, nullptr}); }

// The open popup menu of the process; null for none.
HWND PopupMenuOf(DWORD processId)
{
    return FindWindowOf({processId, nullptr, {"#32768", "TessalinePopupMenuWnd"}, nullptr});
}

void Click(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Lets the program paint what it was just asked to.
void Settle(HWND window)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &result);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &result);
}

// The main dialog sits at 60, 50; the others at the desktop's corner, so
// that only the desktop lies behind the corners of each.
HWND ShowActive(HWND window, POINT at = {60, 50})
{
    SetWindowPos(window, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    Settle(window);
    return window;
}

TEST(FrameShotsTest, ProgramDialogsWearTheSkinnedFrame)
{
    ASSERT_TRUE(RunningUnderWine());
    CreateDirectoryA(ARTIFACTS, nullptr);
    Program program;
    HWND main = WaitForTopWindow(APP_TITLE, 30000, nullptr, program.Id());
    ASSERT_TRUE(main != nullptr);
    // Photographed once the start-up work is done and the dialog is idle.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(main, IDC_ADD)) != FALSE; }, 30000));
    ShowActive(main);
    {
        Shot active(main, "main_dialog_active");
        active.ExpectShapedCorners();
    }
    // Another window takes the activation.
    HWND other = CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE | WS_BORDER, 700, 600, 200, 100,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    Settle(main);
    {
        Shot inactive(main, "main_dialog_inactive");
        inactive.ExpectShapedCorners();
    }
    DestroyWindow(other);
    ShowActive(main);

    // The system-menu button opens the system menu; its About item opens the About box.
    RECT window{};
    GetWindowRect(main, &window);
    PostMessageA(main, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(window.left + 17, window.top + 15));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = PopupMenuOf(program.Id())) != nullptr; }, 15000));
    // The program's own About item is the last one.
    PostMessageA(menu, WM_KEYDOWN, VK_END, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = OtherDialogOf(program.Id(), main)) != nullptr; }, 15000));
    ShowActive(about, {0, 0});
    EXPECT_TRUE(HasText(ChildTexts(about), APP_TITLE " Homepage"));
    {
        Shot shot(about, "about_box");
        shot.ExpectShapedCorners();
    }
    PressEscape(about);
    ASSERT_TRUE(WaitForWindowGone(about, 15000));

    Click(main, IDC_ADD);
    HWND open = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (open = OtherDialogOf(program.Id(), main)) != nullptr; }, 15000));
    ShowActive(open, {0, 0});
    {
        Shot shot(open, "open_file_dialog");
        shot.ExpectShapedCorners();
    }
    PressEscape(open);
}

}  // namespace
