#include "ui/ConverterDlg.h"

#include "services/AppServices.h"
#include "services/StageTimes.h"
#include "res/DialogInitData.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/HelpFile.h"
#include "ui/StayAwake.h"
#include "win/MessageFilter.h"

#include <objbase.h>
#include <shlobj.h>


namespace {

constexpr const char* DIRECTORY_SETTING = "Directory";
constexpr const char* BROWSE_TITLE = "Select output folder";

// Image alignments of the command buttons, and the transparent colour of their bitmaps.
constexpr int IMAGE_RIGHT_OF_CAPTION = 2;
constexpr int IMAGE_TOP_LEFT = 3;
constexpr COLORREF TRANSPARENT_BLACK = RGB(0, 0, 0);

// Releases the shell's allocator on every way out of the folder browser.
class ShellMalloc {
public:
    ShellMalloc() { SHGetMalloc(&m_pMalloc); }
    ~ShellMalloc() { if (m_pMalloc) m_pMalloc->Release(); }
    ShellMalloc(const ShellMalloc&) = delete;
    ShellMalloc& operator=(const ShellMalloc&) = delete;
    IMalloc* get() const { return m_pMalloc; }

private:
    IMalloc* m_pMalloc = nullptr;  // owned reference
};

// The chosen folder's file-system path with exactly one trailing backslash,
// or empty when it has none (a virtual folder).
std::string FolderPath(LPCITEMIDLIST folder)
{
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(folder, path) || !path[0])
        return {};
    std::string result = path;
    if (result.back() != '\\')
        result += '\\';
    return result;
}

}  // namespace

CConverterDlg::CConverterDlg()
    : CDialogBase(IDD_CONVERTER),
      m_settingsPanel(*this, m_mediaCntl),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VODRIX))),
      m_tray(m_hIcon),
      m_view(m_tray),
      m_sourceList(*this, m_mediaCntl, *this),
      m_batchHost(*this, m_sourceList, m_mediaCntl, m_view, m_chkShutdown)
{
    BindControls();
}

CConverterDlg::~CConverterDlg()
{
    // The dialog's windows are gone by now, so a worker's pending calls on
    // them fail at once and it can finish.
    WaitPumpingSentMessages(m_startupWorker);
    WaitPumpingSentMessages(m_batchWorker);
    m_mediaCntl.Release();
    // Without an encoder the directory was never loaded: keep the stored one.
    if (!m_strOutDir.empty())
        WriteSetting(DIRECTORY_SETTING, m_strOutDir.c_str());
}

void CConverterDlg::BindControls()
{
    BindItem(IDC_OUTPUT_DIR, m_editOutDir);
    BindItem(IDC_HELP_BUTTON, m_btnHelp);
    BindItem(IDC_ABOUT, m_btnAbout);
    BindItem(IDC_BROWSE, m_btnBrowse);
    BindItem(IDC_ADD, m_btnAdd);
    BindItem(IDC_REMOVE, m_btnRemove);
    BindItem(IDC_STOP, m_btnStop);
    BindItem(IDC_EXIT, m_btnExit);
    BindItem(IDC_CONVERT, m_btnConvert);
    BindItem(IDC_SHUTDOWN, m_chkShutdown);
    BindItem(IDC_PROGRESS, m_progress);
    m_settingsPanel.Bind();
    m_sourceList.Bind();
}

LRESULT CConverterDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT answer = 0;
    if (m_arriving.OnMessage(msg, wp, lp, answer))
        return answer;
    if (msg == CTrayIcon::TaskbarCreatedMessage()) {
        m_tray.OnTaskbarCreated();
        return 0;
    }
    switch (msg) {
    case WM_SYSCOMMAND: return OnSysCommand(wp, lp);
    case WM_INITMENUPOPUP:
        if (HIWORD(lp))
            m_skinMenu.OnInitMenuPopup(reinterpret_cast<HMENU>(wp));
        return CDialogBase::WindowProc(msg, wp, lp);
    case WM_PAINT: return OnPaint();
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_DESTROY: return OnDestroy();
    case WM_HELP: OpenHelpFile(); return TRUE;
    case UWM_TRAY_NOTIFY: return OnTrayNotify(wp, lp);
    case UWM_LIST_SORTED: m_sourceList.OnSorted(); return 0;
    case UWM_ENABLE_COMMANDS: return OnEnableCommands(wp != FALSE);
    case UWM_OFFER_SHUTDOWN: m_batchHost.RunShutdownCountdown(); return 0;
    case UWM_STARTUP_SET_UP: return OnStartupSetUp();
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
    default: return CDialogBase::WindowProc(msg, wp, lp);
    }
}

BOOL CConverterDlg::OnInitDialog()
{
    MarkStage("dialog-created");
    CDialogBase::OnInitDialog();
    // The frame rates and frame sizes travel with the template.
    ApplyDialogInitData(m_hWnd, GetModuleHandleA(nullptr), IDD_CONVERTER);
    AddSystemMenuItem();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText(APP_TITLE);
    // Before the start-up worker can make the window idle: the tray's call
    // below answers its message meanwhile, and drops are taken from then on.
    m_arriving.Attach(m_hWnd);
    InitControls();
    m_tray.Add(m_hWnd);
    // Run as administrator, the window still takes a normal user's hand-over
    // and drops, and hears of a restarted taskbar.
    LetThroughFromLowerPrograms(m_hWnd, {WM_COPYDATA, WM_DROPFILES, WM_COPYGLOBALDATA,
                                         CTrayIcon::TaskbarCreatedMessage()});
    MarkStage("controls-set-up");
    return TRUE;
}

void CConverterDlg::AddSystemMenuItem()
{
    HMENU menu = GetSystemMenu(m_hWnd, FALSE);
    char text[256] = {};
    if (!menu || LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUT_MENU, text, sizeof text) <= 0)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
    m_skinMenu.AddTo(menu, IDM_ABOUTBOX);
}

// Without an encoder nothing below can work: the dialog then stays as the
// template made it, with no start-up worker.
bool CConverterDlg::InitControls()
{
    if (m_mediaCntl.bCreateEncoder(ENCODER_FFMPEG) != 1)
        return false;
    m_view.Attach(m_hWnd, m_progress.GetSafeHwnd());
    m_settingsPanel.ShowAviChosen();
    m_progress.SetPos(0);
    SetUpImageButtons();
    m_sourceList.SetUp();
    LoadOutputDirectory();
    EnableSettings(false);
    m_startupWorker.Start(&CConverterDlg::StartupThreadProc, this);
    return true;
}

void CConverterDlg::SetUpImageButtons()
{
    struct PictureButton {
        CImageButton& button;
        UINT hover, normal, pressed;
        const char* tip;
    };
    const PictureButton pictures[] = {
        {m_btnExit, IDB_EXIT_HOVER, IDB_EXIT_NORMAL, IDB_EXIT_PRESSED, "Close the application"},
        {m_btnConvert, IDB_CONVERT_HOVER, IDB_CONVERT_NORMAL, IDB_CONVERT_PRESSED, "Convert these media file"},
        {m_btnAdd, IDB_ADD_HOVER, IDB_ADD_NORMAL, IDB_ADD_PRESSED, "Add the media file"},
        {m_btnRemove, IDB_REMOVE_HOVER, IDB_REMOVE_NORMAL, IDB_REMOVE_PRESSED, "Remove this media file"},
    };
    for (const PictureButton& picture : pictures)
        SetUpPictureButton(picture.button, picture.hover, picture.normal, picture.pressed, picture.tip);

    m_btnBrowse.SetFaceIcon(IDI_FOLDER, 0);
    m_btnBrowse.SetImageAlignment(IMAGE_RIGHT_OF_CAPTION, true);
    m_btnBrowse.SetTransparentBackground(true);
    m_btnBrowse.SetTipText("Select the directory for output media ", true);

    SetUpPictureButton(m_btnHelp, IDB_HELP_HOVER, IDB_HELP_NORMAL, IDB_HELP_PRESSED, " Getting start ");
    SetUpPictureButton(m_btnAbout, IDB_ABOUT_HOVER, IDB_ABOUT_NORMAL, IDB_ABOUT_PRESSED, " Visitor our home page");

    m_btnStop.SetTransparentBackground(true);
    m_btnStop.SetTipText("Stop the process of converting media ", true);
}

void CConverterDlg::SetUpPictureButton(CImageButton& button, UINT hover, UINT normal, UINT pressed, const char* tip)
{
    button.SetStateBitmaps(hover, TRANSPARENT_BLACK, normal, TRANSPARENT_BLACK, pressed, TRANSPARENT_BLACK);
    button.SetImageAlignment(IMAGE_TOP_LEFT, true);
    button.SetTipText(tip, true);
}

void CConverterDlg::LoadOutputDirectory()
{
    if (!ReadSetting(DIRECTORY_SETTING, m_strOutDir))
        m_strOutDir = GetDefaultOutputDir();
    m_editOutDir.SetWindowText(m_strOutDir.c_str());
    WriteSetting(DIRECTORY_SETTING, m_strOutDir.c_str());
}

unsigned __stdcall CConverterDlg::StartupThreadProc(void* param)
{
    MarkStage("worker-started");
    auto* self = static_cast<CConverterDlg*>(param);
    self->SetWindowText(APP_TITLE);
    CoInitialize(nullptr);
    ::SendMessageA(self->m_hWnd, UWM_STARTUP_SET_UP, 0, 0);
    CoUninitialize();
    return 1;
}

// The AVI set-up and the switch to usable run on the dialog's thread in one
// piece with drawing held back: sent control by control from the start-up
// worker, every list entry and every switch would cross threads and redraw.
LRESULT CConverterDlg::OnStartupSetUp()
{
    const CRedrawPause pause(m_hWnd);
    m_settingsPanel.SelectAvi();
    m_settingsPanel.EnableOptionControls(true);
    EnableSettings(true);
    MarkStage("add-enabled");
    return 0;
}

// An image button draws its picture over whatever lies under it without
// erasing, so the dialog repaints its own background there first: otherwise
// the disabled face's fill stays visible around an enabled picture.
void CConverterDlg::EnableSettings(bool on)
{
    const BOOL enable = on ? TRUE : FALSE;
    m_btnAdd.EnableWindow(enable);
    m_btnRemove.EnableWindow(enable);
    m_btnConvert.EnableWindow(enable);
    m_btnStop.EnableWindow(!enable);
    m_settingsPanel.Enable(on);
    m_arriving.SetIdle(on);
}

// Add, Remove, Convert and Stop follow through EnableSettings.
void CConverterDlg::EnableCommands(bool on)
{
    const CRedrawPause pause(m_hWnd);
    const BOOL enable = on ? TRUE : FALSE;
    m_sourceList.EnableSorting(on);
    m_btnExit.EnableWindow(enable);
    m_btnBrowse.EnableWindow(enable);
    m_progress.SetPos(0);
    EnableSettings(on);
}

void CConverterDlg::OnCommand(UINT id, UINT code, HWND hwndControl)
{
    if (m_settingsPanel.OnCommand(id, code))
        return;
    if (code != BN_CLICKED) {
        CDialogBase::OnCommand(id, code, hwndControl);
        return;
    }
    switch (id) {
    case IDC_ADD: m_sourceList.OnAdd(); break;
    case IDC_REMOVE: m_sourceList.OnRemove(); break;
    case IDC_CONVERT: OnConvert(); break;
    case IDC_STOP: OnStop(); break;
    case IDC_EXIT: OnOK(); break;
    case IDC_BROWSE: OnBrowse(); break;
    case IDC_ABOUT: ShowAbout(); break;
    case IDC_HELP_BUTTON: OpenHelpFile(); break;
    default: CDialogBase::OnCommand(id, code, hwndControl); break;
    }
}

void CConverterDlg::OnOK()
{
    if (!IsBatchRunning())
        CDialogBase::OnOK();
}

void CConverterDlg::OnCancel()
{
    if (!IsBatchRunning())
        CDialogBase::OnCancel();
}

LRESULT CConverterDlg::OnSysCommand(WPARAM wp, LPARAM lp)
{
    const UINT command = static_cast<UINT>(wp) & 0xFFF0;
    if (m_skinMenu.OnSysCommand(m_hWnd, command))
        return 0;
    switch (command) {
    case IDM_ABOUTBOX: ShowAbout(); return 0;
    case SC_MINIMIZE:
    case SC_CLOSE: ShowWindow(m_hWnd, SW_HIDE); return 0;  // the tray icon brings it back
    case SC_MAXIMIZE: return 0;
    default: return CDialogBase::WindowProc(WM_SYSCOMMAND, wp, lp);
    }
}

LRESULT CConverterDlg::OnPaint()
{
    if (!IsIconic(m_hWnd)) {
        const LRESULT painted = CDialogBase::WindowProc(WM_PAINT, 0, 0);
        if (!m_bFirstPaintMarked) {
            m_bFirstPaintMarked = true;
            MarkStage("first-paint");
        }
        return painted;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CConverterDlg::OnDestroy()
{
    m_arriving.Detach();
    const LRESULT result = CDialogBase::WindowProc(WM_DESTROY, 0, 0);
    m_tray.Remove();
    return result;
}

LRESULT CConverterDlg::OnTrayNotify(WPARAM wp, LPARAM lp)
{
    if (wp == TRAY_ICON_ID && lp == WM_LBUTTONDOWN)
        ComeToFront();
    return 0;
}

LRESULT CConverterDlg::OnNotify(const NMHDR& header)
{
    if (m_settingsPanel.OnNotify(header))
        return 0;
    return CDialogBase::WindowProc(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CConverterDlg::OnBrowse()
{
    ShellMalloc malloc;
    if (!malloc.get())
        return;
    BROWSEINFOA browse = {};
    browse.hwndOwner = m_hWnd;
    browse.lpszTitle = BROWSE_TITLE;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE;
    if (LPITEMIDLIST folder = SHBrowseForFolderA(&browse)) {
        const std::string path = FolderPath(folder);
        if (!path.empty())
            m_strOutDir = path;
        malloc.get()->Free(folder);
    }
    m_editOutDir.SetWindowText(m_strOutDir.c_str());
}

void CConverterDlg::ShowAbout()
{
    CAboutDlg about;
    about.DoModal(m_hWnd);
}

// The previous run's worker may still be on its last lines after it
// re-enabled the commands.
void CConverterDlg::OnConvert()
{
    WaitPumpingSentMessages(m_batchWorker);
    const PanelSettings settings = m_settingsPanel.ReadPanelSettings();  // the panel first, then the folder
    m_batchHost.TakeRunSettings(settings, m_editOutDir.GetWindowText());
    if (!BeginBatch(m_batchHost))
        return;
    if (!m_batchWorker.Start(&CConverterDlg::ConvertThreadProc, this)) {
        m_batchHost.EnableCommands(true);
        MessageBoxA(m_hWnd, "The conversion could not be started. Please try again.", "Info", MB_OK);
    }
}

unsigned __stdcall CConverterDlg::ConvertThreadProc(void* param)
{
    if (!param)
        return 0;
    const CStayAwake awake;  // whichever way the run ends, the system may sleep again
    RunBatchLoop(static_cast<CConverterDlg*>(param)->m_batchHost);
    return 1;
}

LRESULT CConverterDlg::OnEnableCommands(bool idle)
{
    EnableCommands(idle);
    return 0;
}

void CConverterDlg::OnStop()
{
    m_batchHost.RequestStop();
    m_mediaCntl.bStop();
}

void CConverterDlg::OnProbingStarts() { m_btnStop.EnableWindow(FALSE); }

void CConverterDlg::OnSourceProbed() { m_settingsPanel.EnableOptionControls(true); }

void CConverterDlg::WaitPumpingSentMessages(const CWorkerThread& worker)
{
    while (!worker.Wait(0)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
