#include "TestConverterDlg.h"

#include "app/AppServices.h"
#include "res/resource.h"
#include "support/WindowWatch.h"

#include <commctrl.h>
#include <objbase.h>

#include <memory>

namespace {
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

bool AllEnabled(HWND dialog, std::initializer_list<int> ids, bool expected)
{
    for (int id : ids)
        if (Enabled(dialog, id) != expected)
            return false;
    return true;
}

const std::initializer_list<int> RADIOS = {IDC_TO_AVI, IDC_TO_MPEG, IDC_TO_WMV, IDC_TO_MOV, IDC_TO_FLV};
const std::initializer_list<int> OPTIONS = {IDC_VIDEO_CODEC, IDC_AUDIO_CODEC, IDC_CHANNELS,      IDC_FRAME_RATE,
                                            IDC_FRAME_SIZE,  IDC_AUDIO_BITRATE, IDC_SAMPLE_RATE, IDC_VIDEO_BITRATE,
                                            IDC_ASPECT,      IDC_VOLUME};
}  // namespace

TestConverterDlg::Snapshot TestConverterDlg::TakeSnapshot(HWND dialog)
{
    Snapshot s;
    s.add = Enabled(dialog, IDC_ADD);
    s.remove = Enabled(dialog, IDC_REMOVE);
    s.convert = Enabled(dialog, IDC_CONVERT);
    s.stop = Enabled(dialog, IDC_STOP);
    s.exit = Enabled(dialog, IDC_EXIT);
    s.browse = Enabled(dialog, IDC_BROWSE);
    s.radiosAllOn = AllEnabled(dialog, RADIOS, true);
    s.radiosAllOff = AllEnabled(dialog, RADIOS, false);
    s.optionsAllOn = AllEnabled(dialog, OPTIONS, true);
    s.optionsAllOff = AllEnabled(dialog, OPTIONS, false);
    s.aviChecked = ::SendMessageA(::GetDlgItem(dialog, IDC_TO_AVI), BM_GETCHECK, 0, 0) == BST_CHECKED;
    return s;
}

// The start-up worker's first call waits for this thread, so the state
// right after initialisation is the start-up state, whatever the timing.
BOOL TestConverterDlg::OnInitDialog()
{
    const BOOL result = CConverterDlg::OnInitDialog();
    m_initialState = TakeSnapshot(m_hWnd);
    return result;
}

LRESULT TestConverterDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != UWM_TEST_RUN)
        return CConverterDlg::WindowProc(msg, wp, lp);
    std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(lp));
    (*work)();
    return 0;
}

DialogHost::DialogHost()
{
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    m_dialog = new TestConverterDlg;
    m_thread = std::thread([this] {
        CoInitialize(nullptr);
        m_dialog->DoModal();
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
