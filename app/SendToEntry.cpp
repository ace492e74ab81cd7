// Windows keeps no "Send to" folder for all users, and an installer that runs
// elevated sees the profile of the account that elevates: so the installed
// program makes its user's entry itself.
#include "services/AppServices.h"
#include "services/Installation.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace {

const char SEND_TO_SETTING[] = "SendTo";
const char SEND_TO_MADE[] = "made";

std::wstring SendToShortcutPath()
{
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SENDTO, FALSE) || !folder[0])
        return {};
    return std::wstring(folder) + L"\\" APP_TITLE L".lnk";
}

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};

bool SaveShortcut(const std::wstring& shortcut, const std::wstring& target)
{
    IShellLinkW* rawLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&rawLink))))
        return false;
    const std::unique_ptr<IShellLinkW, ComRelease> link(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(link->SetPath(target.c_str())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile))))
        return false;
    const std::unique_ptr<IPersistFile, ComRelease> file(rawFile);
    return SUCCEEDED(file->Save(shortcut.c_str(), TRUE));
}

}  // namespace

void MakeSendToEntryOnce()
{
    std::string made;
    if ((ReadSetting(SEND_TO_SETTING, made) && made == SEND_TO_MADE) || !RunsFromInstalledFolder())
        return;
    const std::wstring shortcut = SendToShortcutPath();
    // Tried again at the next start when it could not be made now.
    if (!shortcut.empty() && SaveShortcut(shortcut, OwnProgramPath()))
        WriteSetting(SEND_TO_SETTING, SEND_TO_MADE);
}
