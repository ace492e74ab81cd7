#include "app/OneInstance.h"

#include "app/AppServices.h"
#include "ui/IncomingFiles.h"

#include <algorithm>

namespace {

// How often a second start looks again while the first one is starting up
// or ending, and how long it tries before it runs a window of its own
// rather than lose its files.
constexpr DWORD CLAIM_POLL_MS = 100;
constexpr DWORD GIVE_UP_MS = 60000;
// A running window that is busy probing answers late; past this it counts as gone.
constexpr UINT HAND_OVER_TIMEOUT_MS = 10000;

// Kernel object names take no backslash after their namespace.
std::string NameOfKey(std::string key)
{
    std::replace(key.begin(), key.end(), '\\', '/');
    return key;
}

struct WindowSearch {
    const char* mark;
    HWND found;
};

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (!GetPropA(window, search->mark))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND RunningWindow(const std::string& mark)
{
    WindowSearch search{mark.c_str(), nullptr};
    EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The window may come to the front only if this process, which the user
// just started, lets it.
bool HandOver(HWND window, const std::vector<std::string>& files)
{
    std::string payload = EncodeHandOver(files);
    COPYDATASTRUCT data = {};
    data.dwData = HANDOVER_TAG;
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = &payload[0];
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    AllowSetForegroundWindow(processId);
    DWORD_PTR answer = FALSE;
    return SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                               HAND_OVER_TIMEOUT_MS, &answer) &&
           answer == TRUE;
}

}  // namespace

COneInstance::COneInstance() : m_strMark("Vodrix Video Converter window " + SettingsKey()) {}

COneInstance::~COneInstance()
{
    if (m_bOwned)
        ReleaseMutex(m_mutex.get());
}

// The first start may still be starting (no window yet) or ending (its
// window gone, its claim not yet): look for the window and wait for the
// claim in turns until one of them answers.
bool COneInstance::ClaimOrHandOver(const std::vector<std::string>& files)
{
    const std::string name = "Local\\Vodrix Video Converter " + NameOfKey(SettingsKey());
    m_mutex.reset(CreateMutexA(nullptr, FALSE, name.c_str()));
    if (!m_mutex)
        return true;
    const DWORD start = GetTickCount();
    for (DWORD wait = 0;; wait = CLAIM_POLL_MS) {
        const DWORD claim = WaitForSingleObject(m_mutex.get(), wait);
        if (claim == WAIT_OBJECT_0 || claim == WAIT_ABANDONED) {
            m_bOwned = true;
            return true;
        }
        const HWND running = RunningWindow(m_strMark);
        if (running && HandOver(running, files))
            return false;
        if (GetTickCount() - start > GIVE_UP_MS)
            return true;
    }
}
