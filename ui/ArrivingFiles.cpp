#include "ui/ArrivingFiles.h"

#include "ui/IncomingFiles.h"

#include <shellapi.h>

namespace {

std::vector<std::string> DroppedPaths(HDROP drop)
{
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        if (DragQueryFileW(drop, i, &path[0], length + 1) == length && length > 0) {
            path.resize(length);
            paths.push_back(AnsiPath(path));
        }
    }
    return paths;
}

}  // namespace

void CArrivingFiles::TakeStart(const std::vector<std::string>& files, const std::string& windowMark)
{
    m_pending = files;
    m_strMark = windowMark;
}

void CArrivingFiles::Attach(HWND window)
{
    m_hWnd = window;
    if (!m_strMark.empty())
        SetPropA(m_hWnd, m_strMark.c_str(), reinterpret_cast<HANDLE>(1));
    if (!m_pending.empty())
        PostTry();
}

void CArrivingFiles::Detach()
{
    if (m_hWnd && !m_strMark.empty())
        RemovePropA(m_hWnd, m_strMark.c_str());
    m_hWnd = nullptr;
}

void CArrivingFiles::SetIdle(bool idle)
{
    if (!m_hWnd)
        return;
    DragAcceptFiles(m_hWnd, idle ? TRUE : FALSE);
    if (idle && !m_pending.empty())
        PostTry();
}

bool CArrivingFiles::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COPYDATA:
        result = OnHandOver(reinterpret_cast<const COPYDATASTRUCT*>(lp));
        return true;
    case WM_DROPFILES:
        OnDrop(reinterpret_cast<HDROP>(wp));
        result = 0;
        return true;
    case UWM_ADD_ARRIVED:
        TryToAdd();
        result = 0;
        return true;
    case WM_ENABLE:
        // A modal box has closed: what came meanwhile can go in now.
        if (wp && !m_pending.empty())
            PostTry();
        return false;
    default:
        return false;
    }
}

// Answered at once, the files only queued: the second start waits for this
// answer, and probing may take long or show a notice.
LRESULT CArrivingFiles::OnHandOver(const COPYDATASTRUCT* data)
{
    std::vector<std::string> paths;
    if (!data || !DecodeHandOver(data->dwData, data->lpData, data->cbData, paths))
        return FALSE;
    m_owner.ComeToFront();
    Queue(paths);
    return TRUE;
}

// A drop that reaches the window while it takes none (a batch runs) is
// refused, as the mouse cursor showed.
void CArrivingFiles::OnDrop(HDROP drop)
{
    const bool accepted = (GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
    const std::vector<std::string> paths = accepted ? DroppedPaths(drop) : std::vector<std::string>();
    DragFinish(drop);
    Queue(paths);
}

void CArrivingFiles::Queue(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    m_pending.insert(m_pending.end(), paths.begin(), paths.end());
    PostTry();
}

void CArrivingFiles::TryToAdd()
{
    if (m_pending.empty() || !m_owner.CanAddArrivedFiles())
        return;
    std::vector<std::string> paths;
    paths.swap(m_pending);
    const std::vector<std::string> files = ExpandFolders(paths);
    if (files.empty())
        MessageBoxA(m_hWnd, "There are no media files in the folder.", "Info", MB_OK);
    else
        m_owner.AddArrivedFiles(files);
    if (!m_pending.empty())
        PostTry();
}

void CArrivingFiles::PostTry() const
{
    if (m_hWnd)
        PostMessageA(m_hWnd, UWM_ADD_ARRIVED, 0, 0);
}
