#include "TestConverterDlg.h"

#include "MainWindowItems.h"

#include "services/AppServices.h"
#include "res/resource.h"
#include "skin/SkinEngine.h"
#include "support/WindowWatch.h"

#include <commctrl.h>
#include <objbase.h>

#include <atomic>
#include <memory>


TestConverterDlg::Snapshot TestConverterDlg::TakeSnapshot(HWND dialog)
{
    Snapshot s;
    s.taken = true;
    s.add = IsEnabledItem(dialog, IDC_ADD);
    s.remove = IsEnabledItem(dialog, IDC_REMOVE);
    s.convert = IsEnabledItem(dialog, IDC_CONVERT);
    s.stop = IsEnabledItem(dialog, IDC_STOP);
    s.exit = IsEnabledItem(dialog, IDC_EXIT);
    s.browse = IsEnabledItem(dialog, IDC_BROWSE);
    s.radiosAllOn = AllItems(dialog, RADIO_IDS, true);
    s.radiosAllOff = AllItems(dialog, RADIO_IDS, false);
    s.optionsAllOn = AllItems(dialog, OPTION_IDS, true);
    s.optionsAllOff = AllItems(dialog, OPTION_IDS, false);
    s.aviChecked = ::SendMessageA(::GetDlgItem(dialog, IDC_TO_AVI), BM_GETCHECK, 0, 0) == BST_CHECKED;
    return s;
}

LRESULT TestConverterDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SETTEXT && !m_initialState.taken && (InSendMessageEx(nullptr) & ISMEX_SEND))
        m_initialState = TakeSnapshot(m_hWnd);  // sent by another thread: the start-up worker
    if (msg != UWM_TEST_RUN)
        return CConverterDlg::WindowProc(msg, wp, lp);
    std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(lp));
    (*work)();
    return 0;
}

namespace {

// The skin the dialog wears: the given file, else the one named by
// VODRIX_TEST_SKIN_FILE, else none.
std::string SkinFileFor(const char* skinFile)
{
    if (skinFile)
        return skinFile;
    char path[MAX_PATH] = {};
    return GetEnvironmentVariableA("VODRIX_TEST_SKIN_FILE", path, sizeof path) ? path : "";
}

}  // namespace

DialogHost::DialogHost(const char* skinFile)
{
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    m_dialog = new TestConverterDlg;
    m_thread = std::thread([this, skin = SkinFileFor(skinFile)] {
        CoInitialize(nullptr);
        // Skinned as the program skins its user-interface thread.
        if (!skin.empty()) {
            InitSkinEngine(GetModuleHandleA(nullptr), APP_TITLE);
            m_bSkinned = LoadSkinFile(skin.c_str()) != 0 && SetDialogSkin(DIALOG_SKIN_NAME) == 1;
        }
        m_dialog->DoModal();
        if (!skin.empty())
            ExitSkinEngine();
        CoUninitialize();
    });
}

DialogHost::~DialogHost()
{
    if (m_thread.joinable())
        EndAndJoin();
    DestroyDialog();
}

bool DialogHost::WaitUntilIdle(DWORD timeoutMs)
{
    const bool shown = WaitUntil([this] {
        m_hwnd = m_dialog->GetSafeHwnd();
        return m_hwnd && IsWindowVisible(m_hwnd);
    }, timeoutMs);
    return shown && m_dialog->m_startupWorker.Wait(timeoutMs);
}

void DialogHost::Click(int id, bool post)
{
    const WPARAM wp = MAKEWPARAM(id, BN_CLICKED);
    const LPARAM lp = reinterpret_cast<LPARAM>(Item(id));
    if (post)
        PostMessageA(m_hwnd, WM_COMMAND, wp, lp);
    else
        SendMessageA(m_hwnd, WM_COMMAND, wp, lp);
}

void DialogHost::RunOnDialogThread(std::function<void()> work, bool wait)
{
    auto* owned = new std::function<void()>(std::move(work));
    if (wait)
        SendMessageA(m_hwnd, UWM_TEST_RUN, 0, reinterpret_cast<LPARAM>(owned));
    else
        PostMessageA(m_hwnd, UWM_TEST_RUN, 0, reinterpret_cast<LPARAM>(owned));
}

bool DialogHost::HandlePostedMessages(DWORD timeoutMs)
{
    // Posted messages are handled in order: this one comes after the others.
    auto handled = std::make_shared<std::atomic<bool>>(false);
    RunOnDialogThread([handled] { *handled = true; });
    return WaitUntil([&] { return *handled || !IsWindow(m_hwnd); }, timeoutMs) && *handled;
}

void DialogHost::EndAndJoin()
{
    m_hwnd = m_dialog->GetSafeHwnd();
    if (m_hwnd)
        PostMessageA(m_hwnd, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDC_EXIT)));
    m_thread.join();
}

void DialogHost::DestroyDialog()
{
    delete m_dialog;
    m_dialog = nullptr;
}
