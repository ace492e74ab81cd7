#include "app/OneInstance.h"

#include "services/AppServices.h"
#include "app/SameProgram.h"
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

// Any program can put the mark on a window; only this program, run by
// this user in this session, is given the files.
BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    if (!GetPropA(window, search->mark) || !GetWindowThreadProcessId(window, &processId) ||
        !RunsThisProgramForThisUser(processId))
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

// The claim's security: the current user alone may open it, so no other
// user's program can hold or take it. Null when the user is unknown (the
// object then gets the system's default).
class UserOnlyAccess {
public:
    UserOnlyAccess() : m_user(CurrentUserSid())
    {
        if (m_user.empty())
            return;
        const PSID user = m_user.data();
        m_acl.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(user));
        ACL* acl = reinterpret_cast<ACL*>(m_acl.data());
        m_bMade = InitializeAcl(acl, static_cast<DWORD>(m_acl.size()), ACL_REVISION) &&
                  AddAccessAllowedAce(acl, ACL_REVISION, MUTEX_ALL_ACCESS, user) &&
                  InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                  SetSecurityDescriptorDacl(&m_descriptor, TRUE, acl, FALSE) &&
                  SetSecurityDescriptorOwner(&m_descriptor, user, FALSE);
        m_attributes = {sizeof m_attributes, &m_descriptor, FALSE};
    }
    UserOnlyAccess(const UserOnlyAccess&) = delete;  // the descriptor points into this object
    UserOnlyAccess& operator=(const UserOnlyAccess&) = delete;
    SECURITY_ATTRIBUTES* Attributes() { return m_bMade ? &m_attributes : nullptr; }

private:
    SidBytes m_user;
    std::vector<BYTE> m_acl;
    SECURITY_DESCRIPTOR m_descriptor{};
    SECURITY_ATTRIBUTES m_attributes{};
    bool m_bMade = false;
};

}  // namespace

COneInstance::COneInstance() : m_strMark("Vodrix Video Converter window " + SettingsKey()) {}

COneInstance::~COneInstance()
{
    if (m_bOwned)
        ReleaseMutex(m_mutex.Get());
}

// The first start may still be starting (no window yet) or ending (its
// window gone, its claim not yet): look for the window and wait for the
// claim in turns until one of them answers. A claim that no process of this
// program holds is someone else's object of that name, as is one this user
// may not open: neither keeps the program from starting.
bool COneInstance::ClaimOrHandOver(const std::vector<std::string>& files)
{
    const std::string name = "Local\\Vodrix Video Converter " + NameOfKey(SettingsKey());
    UserOnlyAccess access;
    m_mutex.Reset(CreateMutexA(access.Attributes(), FALSE, name.c_str()));
    if (!m_mutex)
        return true;
    const DWORD start = GetTickCount();
    for (DWORD wait = 0;; wait = CLAIM_POLL_MS) {
        const DWORD claim = WaitForSingleObject(m_mutex.Get(), wait);
        if (claim == WAIT_OBJECT_0 || claim == WAIT_ABANDONED) {
            m_bOwned = true;
            return true;
        }
        const HWND running = RunningWindow(m_strMark);
        if (running && HandOver(running, files))
            return false;
        if (!running && !AnotherProcessRunsThisProgram())
            return true;
        if (GetTickCount() - start > GIVE_UP_MS)
            return true;
    }
}
