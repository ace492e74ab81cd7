#include "controls/LinkLabel.h"

#include "skin/SkinEngine.h"

#include <shellapi.h>

#include <cctype>
#include <cstdio>

namespace {

const char* const OPEN_FAILED = "Unable to open hyperlink:\n\n";

UINT TextFormat(DWORD style)
{
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: format |= DT_SINGLELINE; break;
    default: format |= DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format |= DT_VCENTER | DT_SINGLELINE;
    return format;
}

// The default value of a key under HKEY_CLASSES_ROOT, at most 260 bytes.
bool ReadClassesValue(const std::string& key, std::string& value)
{
    char buffer[261] = {};
    LONG size = sizeof buffer - 1;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buffer, &size) != ERROR_SUCCESS)
        return false;
    value = buffer;
    return true;
}

// The browser command up to where the target goes.
std::string CommandBeforeTarget(std::string command)
{
    size_t cut = command.find("\"%1\"");
    if (cut == std::string::npos)
        cut = command.find("%1");
    if (cut != std::string::npos)
        command.resize(cut);
    return command;
}

// Splits a registered command into its program and the rest. The program is
// the quoted first part, or else the text up to the first ".exe" that ends a
// word: "C:\Program Files\Browser\browser.exe -url" names the browser, never
// a "C:\Program.exe".
bool SplitRegisteredCommand(const std::string& command, std::string& program, std::string& arguments)
{
    const size_t start = command.find_first_not_of(" \t");
    if (start == std::string::npos)
        return false;
    size_t end;
    if (command[start] == '"') {
        end = command.find('"', start + 1);
        if (end == std::string::npos)
            return false;
        program = command.substr(start + 1, end - start - 1);
        ++end;
    } else {
        std::string lower = command;
        for (char& c : lower)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        end = start;
        do {
            end = lower.find(".exe", end);
            if (end == std::string::npos)
                return false;
            end += 4;
        } while (end < lower.size() && lower[end] != ' ' && lower[end] != '\t');
        program = command.substr(start, end - start);
    }
    arguments = command.substr(end);
    return !program.empty();
}

// The full path of the program a command names, as the system finds it.
bool FindProgram(const std::string& program, std::string& fullPath)
{
    char found[MAX_PATH];
    const DWORD length = ::SearchPathA(nullptr, program.c_str(), ".exe", sizeof found, found, nullptr);
    if (length == 0 || length >= sizeof found)
        return false;
    fullPath = found;
    return true;
}

// Starts the browser command registered for pages with `target`, the
// program given by its full path: a blank in a folder name never lets
// another program run. Answers as WinExec did: above 31 when started.
INT_PTR StartRegisteredCommand(const std::string& command, const char* target, int showCommand)
{
    std::string program, arguments, fullPath;
    if (!SplitRegisteredCommand(command, program, arguments) || !FindProgram(program, fullPath))
        return ERROR_FILE_NOT_FOUND;
    std::string commandLine = "\"" + fullPath + "\"" + CommandBeforeTarget(arguments) + " " + target;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessA(fullPath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        const DWORD error = ::GetLastError();
        return error == ERROR_PATH_NOT_FOUND || error == ERROR_BAD_FORMAT ? error : ERROR_FILE_NOT_FOUND;
    }
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return 33;
}

}  // namespace

CLinkLabel::~CLinkLabel()
{
    UnsubclassWindow();  // before the fonts go, while the window may still use them
}

LRESULT CLinkLabel::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_REFLECT + WM_CTLCOLORSTATIC: return OnCtlColor(reinterpret_cast<HDC>(wp));
    case WM_SETCURSOR: return OnSetCursor();
    case WM_MOUSEMOVE: return OnMouseMove(wp, lp);
    case WM_TIMER: return OnTimer(wp, lp);
    case WM_REFLECT + WM_COMMAND: return OnReflectedCommand(wp);
    case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wp));
    case WM_PAINT:
    case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wp));
    case WM_DESTROY: return OnDestroy();
    default: return CStaticWnd::WindowProc(msg, wp, lp);
    }
}

bool CLinkLabel::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(msg);
    return false;
}

void CLinkLabel::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    const std::string text = GetWindowText();
    if (m_strTarget.empty())
        m_strTarget = text;
    if (text.empty())
        SetWindowText(m_strTarget.c_str());
    CreateFonts();
    SizeToText();
    if (!m_linkCursor) {
        char directory[MAX_PATH] = {};
        ::GetWindowsDirectoryA(directory, sizeof directory);
        m_linkCursor.Reset(LoadHandCursorFrom(directory));
    }
    m_toolTip.CreateCovering(m_hWnd, m_strTarget.c_str());
}

void CLinkLabel::CreateFonts()
{
    auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
    LOGFONTA description{};
    ::GetObjectA(font, sizeof description, &description);
    m_normalFont.Reset(::CreateFontIndirectA(&description));
    description.lfUnderline = TRUE;
    m_underlinedFont.Reset(::CreateFontIndirectA(&description));
}

void CLinkLabel::ApplyFont(const CFontObject& font)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
}

HCURSOR CLinkLabel::LoadHandCursorFrom(const std::string& windowsDirectory)
{
    const std::string program = windowsDirectory + "\\winhlp32.exe";
    if (::GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    HMODULE module = ::LoadLibraryA(program.c_str());
    if (!module)
        return nullptr;
    HCURSOR hand = ::LoadCursorA(module, MAKEINTRESOURCEA(106));
    HCURSOR copy = hand ? ::CopyIcon(hand) : nullptr;  // ours, usable after the library goes
    ::FreeLibrary(module);
    return copy;
}

void CLinkLabel::SizeToText()
{
    if (!m_bAutoSize || !m_hWnd)
        return;
    const std::string text = GetWindowText();
    SIZE extent{};
    {
        CClientDC dc(m_hWnd);
        CSelectObject selectFont(dc.Get(), m_underlinedFont.Get());
        ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    RECT window, client;
    ::GetWindowRect(m_hWnd, &window);
    ::GetClientRect(m_hWnd, &client);
    const int height = extent.cy + (window.bottom - window.top) - client.bottom;
    const int width = extent.cx + (window.right - window.left) - client.right;
    ::MapWindowPoints(nullptr, GetParent(), reinterpret_cast<POINT*>(&window), 2);

    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE)
        window.top += (window.bottom - window.top - height) / 2;
    window.bottom = window.top + height;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        window.left += (window.right - window.left - width) / 2;
        window.right = window.left + width;
        break;
    case SS_RIGHT:
        window.left = window.right - width;
        break;
    default:
        window.right = window.left + width;
        break;
    }
    ::SetWindowPos(m_hWnd, nullptr, window.left, window.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLinkLabel::SetLinkTarget(const char* target)
{
    m_strTarget = target ? target : "";
    if (!m_hWnd)
        return;
    SizeToText();
    m_toolTip.UpdateTipText(m_hWnd, 1, m_strTarget.c_str());
}

void CLinkLabel::SetVisitedState(bool visited)
{
    m_bVisited = visited;
    if (m_hWnd)
        Invalidate();
}

void CLinkLabel::SetUnderlineMode(int mode)
{
    if (mode != m_nUnderline && m_hWnd) {
        ApplyFont(mode == UNDERLINE_ALWAYS ? m_underlinedFont : m_normalFont);
        Invalidate();
    }
    m_nUnderline = mode;
}

COLORREF CLinkLabel::TextColour() const
{
    return m_bOver ? m_crHover : m_bVisited ? m_crVisited : m_crLink;
}

LRESULT CLinkLabel::OnCtlColor(HDC dc)
{
    ::SetTextColor(dc, TextColour());
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

LRESULT CLinkLabel::OnSetCursor()
{
    if (!m_linkCursor)
        return FALSE;
    ::SetCursor(m_linkCursor.Get());
    return TRUE;
}

LRESULT CLinkLabel::OnMouseMove(WPARAM wp, LPARAM lp)
{
    if (!m_bOver) {
        m_bOver = TRUE;
        if (m_nUnderline == UNDERLINE_HOVER)
            ApplyFont(m_underlinedFont);
        Invalidate();
        ::SetTimer(m_hWnd, m_nTimerId, 100, nullptr);
    }
    return DefaultProc(WM_MOUSEMOVE, wp, lp);
}

// The mouse may leave without another move reaching the label: the timer looks.
LRESULT CLinkLabel::OnTimer(WPARAM wp, LPARAM lp)
{
    const DWORD position = ::GetMessagePos();
    POINT cursor{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ::ScreenToClient(m_hWnd, &cursor);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (wp == m_nTimerId && !::PtInRect(&client, cursor)) {
        m_bOver = FALSE;
        ::KillTimer(m_hWnd, m_nTimerId);
        if (m_nUnderline != UNDERLINE_ALWAYS)
            ApplyFont(m_normalFont);
        Invalidate();
    }
    return DefaultProc(WM_TIMER, wp, lp);
}

LRESULT CLinkLabel::OnReflectedCommand(WPARAM wp)
{
    if (HIWORD(wp) != STN_CLICKED)
        return 0;
    m_bOver = FALSE;
    const INT_PTR result = OpenLink(m_strTarget.c_str(), SW_SHOW);
    if (result > 32) {
        SetVisitedState(true);
        return 1;
    }
    SetVisitedState(false);
    ::MessageBeep(MB_ICONEXCLAMATION);
    ReportOpenFailure(result);
    return 1;
}

// A skinned dialog shows its own background behind the label; any other
// gets the button face.
LRESULT CLinkLabel::OnEraseBackground(HDC dc)
{
    if (PaintSkinBackground(m_hWnd, dc))
        return TRUE;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

// The label draws its text itself, in the link colours, on its background
// (off screen, so that hovering does not flicker): a skin that takes the
// dialog's statics over must not give it the labels' look.
LRESULT CLinkLabel::OnPaint(HDC given)
{
    CPaintDC paint(m_hWnd, given);
    const HDC target = paint.Get();
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    CMemoryDC dc(target);
    CBitmapObject bitmap(::CreateCompatibleBitmap(target, client.right, client.bottom));
    CSelectObject selected(dc.Get(), bitmap.Get());
    OnEraseBackground(dc.Get());
    CSelectObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::SetTextColor(dc.Get(), TextColour());
    const std::string text = GetWindowText();
    ::DrawTextA(dc.Get(), text.c_str(), -1, &client, TextFormat(GetStyle()));
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
    return 0;
}

LRESULT CLinkLabel::OnDestroy()
{
    ::KillTimer(m_hWnd, m_nTimerId);
    m_toolTip.DestroyWindow();
    return DefaultProc(WM_DESTROY, 0, 0);
}

void CLinkLabel::ReportOpenFailure(INT_PTR code)
{
    const std::string message = OPEN_FAILED + ErrorText(code);
    ::MessageBoxA(GetParent(), message.c_str(), "Info", MB_OK | MB_ICONEXCLAMATION);
}

INT_PTR CLinkLabel::OpenLink(const char* target, int showCommand)
{
    const auto shellResult =
        reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCommand));
    if (shellResult > 32)
        return shellResult;
    std::string htmlClass, command;
    if (!ReadClassesValue(".htm", htmlClass) || !ReadClassesValue(htmlClass + "\\shell\\open\\command", command))
        return shellResult;
    return StartRegisteredCommand(command, target, showCommand);
}

std::string CLinkLabel::ErrorText(INT_PTR code)
{
    switch (code) {
    case 0: return "The operating system is out\nof memory or resources.";
    case SE_ERR_FNF: return "The specified file was not found.";
    case SE_ERR_PNF: return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED: return "The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM: return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE: return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE: return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT: return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL: return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case SE_ERR_NOASSOC: return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND: return "The specified dynamic-link library was not found.";
    default: {
        char text[64];
        std::snprintf(text, sizeof text, "Unknown Error (%d) occurred.", static_cast<int>(code));
        return text;
    }
    }
}
