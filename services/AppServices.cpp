#include "services/AppServices.h"

#include "win/OwnedHandle.h"

#include <cstring>
#include <vector>

const char* const SETTINGS_KEY = "SOFTWARE\\Vodrix Software\\Vodrix Video Convert\\CurrentVersion";
const char* const SETTINGS_KEY_VARIABLE = "VODRIX_SETTINGS_KEY";

namespace {

// Read buffer of the one setting; longer values read as missing.
constexpr DWORD SETTING_BUFFER_BYTES = 1024;

EventLogObserver g_eventLogObserver = nullptr;

}  // namespace

void SetEventLogObserver(EventLogObserver observer) { g_eventLogObserver = observer; }

int LogEvent(WORD eventType, DWORD eventId, const char* text)
{
    // A handle per entry: the batch worker and the UI thread both log, and
    // nothing shared between them needs a lock this way.
    HANDLE hLog = RegisterEventSourceA(nullptr, APP_TITLE);
    if (!hLog)
        return 0;
    const char* strings[1] = {text};
    ReportEventA(hLog, eventType, 0, eventId, nullptr, text ? 1 : 0, 0,
                 text ? strings : nullptr, nullptr);
    DeregisterEventSource(hLog);
    if (g_eventLogObserver)
        g_eventLogObserver(eventType, eventId, text);
    return 1;
}

std::string SettingsKey()
{
    char key[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(SETTINGS_KEY_VARIABLE, key, sizeof key);
    return length > 0 && length < sizeof key ? key : SETTINGS_KEY;
}

int ReadSetting(const char* name, std::string& value)
{
    CRegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return 0;
    // One spare byte: the value is stored without its terminating zero, so
    // a full 1024-byte value must still end in a zero here.
    std::vector<char> buffer(SETTING_BUFFER_BYTES + 1, '\0');
    DWORD size = SETTING_BUFFER_BYTES;
    if (RegQueryValueExA(key.Get(), name, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return 0;
    value.assign(buffer.data(), strnlen(buffer.data(), size));
    return 1;
}

int WriteSetting(const char* name, const char* text)
{
    CRegistryKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        return 0;
    const LONG result = RegSetValueExA(key.Get(), name, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(text),
                                       static_cast<DWORD>(strlen(text)));
    return result == ERROR_SUCCESS ? 1 : 0;
}
