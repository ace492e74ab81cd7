#include "ui/SkinChoice.h"

#include "services/AppServices.h"
#include "skin/SkinEngine.h"
#include "skin/core/MemoryShortage.h"
#include "skin/core/SkinTitle.h"

#include <algorithm>

namespace {

constexpr const char* SKIN_PATTERN = "*.smf";

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::string& Worn()
{
    static std::string worn;
    return worn;
}
}  // namespace

std::string SkinShownName(const std::string& path)
{
    const std::string title = skin::ReadSkinTitle(path);
    return title.empty() ? FileNameOf(path) : title;  // a broken file still shows, by its file name
}

std::vector<SkinEntry> SkinsInFolders(const std::vector<std::string>& folders)
{
    std::vector<SkinEntry> skins;
    std::vector<std::string> searched;  // the program's folder may be the user's one too
    for (const std::string& folder : folders) {
        const auto same = [&](const std::string& before) { return SameText(before, folder); };
        if (folder.empty() || std::any_of(searched.begin(), searched.end(), same))
            continue;
        searched.push_back(folder);
        for (const std::string& path : FilesInFolder(folder, SKIN_PATTERN))
            skins.push_back({SkinShownName(path), path});
    }
    std::stable_sort(skins.begin(), skins.end(), [](const SkinEntry& a, const SkinEntry& b) {
        return lstrcmpiA(a.name.c_str(), b.name.c_str()) < 0;
    });
    return skins;
}

std::vector<SkinEntry> FindSkins() { return SkinsInFolders({GetProgramDir(), GetUserSkinsDir()}); }

std::string DefaultSkinPath() { return GetProgramDir() + SKIN_FILE_NAME; }

std::string RememberedSkin()
{
    std::string remembered;
    if (!ReadSetting(SKIN_SETTING, remembered))
        return DefaultSkinPath();
    return SameText(remembered, NO_SKIN_SETTING) ? std::string() : remembered;
}

const std::string& WornSkin() { return Worn(); }

bool IsWornSkin(const std::string& path) { return !Worn().empty() && SameText(path, Worn()); }

void WearRememberedSkin()
{
    const std::string remembered = RememberedSkin();
    if (remembered.empty() || LoadSkinFile(remembered.c_str()))
        Worn() = remembered;
    else
        Worn() = LoadSkinFile(DefaultSkinPath().c_str()) ? DefaultSkinPath() : std::string();
}

std::string SkinFailureText(const std::string& path, int status)
{
    return "The skin \"" + path + "\" could not be used: " + SkinStatusText(status) +
           ". The program keeps its present look.";
}

namespace {

bool WearChosenSkin(HWND owner, const std::string& path)
{
    if (path.empty()) {
        UnloadSkin();
        Worn().clear();
        WriteSetting(SKIN_SETTING, NO_SKIN_SETTING);
        return true;
    }
    if (!LoadSkinFile(path.c_str())) {
        MessageBoxA(owner, SkinFailureText(path, GetSkinStatus()).c_str(), "Info", MB_OK);
        return false;
    }
    Worn() = path;
    WriteSetting(SKIN_SETTING, path.c_str());
    return true;
}

}  // namespace

// Memory that runs out on the way fails the choice, which is not remembered.
bool ChooseSkin(HWND owner, const std::string& path)
{
    return skin::UnlessMemoryRunsOut([&] { return WearChosenSkin(owner, path); }, false);
}
