// Which skin the program wears: the skins a user can choose from, the choice
// remembered in the settings, and wearing one at once on every window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The setting that remembers the choice: a skin file's path, or NO_SKIN_SETTING.
constexpr const char* SKIN_SETTING = "Skin";
constexpr const char* NO_SKIN_SETTING = "none";

struct SkinEntry {
    std::string name;  // as the menu shows it
    std::string path;
};

// The name a skin file gives itself (its Application object's "APPLICATION"
// text), else the file name without its folder; read from the file's start
// alone, without any window.
std::string SkinShownName(const std::string& path);
// Every ".smf" file in the folders (each ending in a backslash; empty ones
// are skipped), sorted by shown name.
std::vector<SkinEntry> SkinsInFolders(const std::vector<std::string>& folders);
// The program's folder and the user's skins folder.
std::vector<SkinEntry> FindSkins();

// The skin beside the program that is worn when no other can be.
std::string DefaultSkinPath();
// The skin the settings remember: a path, empty for no skin. Without a
// remembered choice, the default skin.
std::string RememberedSkin();

// The path of the skin the program wears now; empty for none.
const std::string& WornSkin();
// Whether `path` names the skin worn now (letter case aside).
bool IsWornSkin(const std::string& path);

// At start: the remembered skin, or the default one when that is gone or broken.
void WearRememberedSkin();
// A user's choice (an empty path: no skin), worn at once and remembered. A
// skin that cannot be read leaves the current one on and tells `owner` why.
bool ChooseSkin(HWND owner, const std::string& path);
// What the notice of a skin that failed to load says.
std::string SkinFailureText(const std::string& path, int status);
