// The program's Skin submenu and the remembered skin, with the program run
// in process as a user starts it: the skins found, the one worn checked, a
// choice worn at once and remembered for the next start, and a skin that
// cannot be read.
#include "../skin/TestSkins.h"

#include "services/AppServices.h"
#include "app/CConverterApp.h"
#include "res/resource.h"
#include "skin/SkinEngine.h"
#include "skin/core/PlainObjects.h"
#include "skin/engine/EngineState.h"
#include "support/WindowWatch.h"
#include "ui/SkinChoice.h"
#include "ui/SkinMenu.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace skin;

namespace {

// The bytes of a test skin that calls itself `name`.
std::vector<uint8_t> NamedSkin(const char* name)
{
    std::unique_ptr<Skin> skin = MakeFullSkin();
    auto& application = AddObjectAs<Application>(*skin, kTypeApplication);
    std::strncpy(application.m_application, name, sizeof application.m_application - 1);
    return skin->WriteBytes(kNewestMinor);
}

const std::vector<uint8_t> kBrokenBytes(40, 7);

// A skin that names itself and holds nothing a window wears.
std::vector<uint8_t> HollowSkin()
{
    Skin skin;
    std::strcpy(AddObjectAs<Application>(skin, kTypeApplication).m_application, "Hollow");
    return skin.WriteBytes(kNewestMinor);
}

// A file of `bytes` that lives as long as the object.
struct ScopedFile {
    ScopedFile(std::string where, const std::vector<uint8_t>& bytes) : path(std::move(where))
    {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    ~ScopedFile() { DeleteFileA(path.c_str()); }
    const std::string path;
};

void ForgetSkinSetting()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS)
        RegDeleteValueA(key, SKIN_SETTING), RegCloseKey(key);
}

std::string SkinSetting()
{
    std::string value = "(none stored)";
    ReadSetting(SKIN_SETTING, value);
    return value;
}

// The name of the skin the engine wears; empty for none.
std::string WornSkinName()
{
    const auto* application =
        dynamic_cast<const Application*>(Engine().manager.CurrentSkin().DefaultObject(kTypeApplication));
    return application ? application->m_application : "";
}

// The Skin submenu built as the system menu opens, separators left out:
// each item's text and check; its ids into `ids`.
std::vector<std::pair<std::string, bool>> SkinMenuOf(HWND main, std::vector<UINT>* ids = nullptr)
{
    HMENU system = GetSystemMenu(main, FALSE);
    SendMessageA(main, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
    HMENU submenu = CSkinMenu::SubmenuOf(system);
    std::vector<std::pair<std::string, bool>> items;
    for (int position = 0; submenu && position < GetMenuItemCount(submenu); ++position) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(submenu, static_cast<UINT>(position), TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        items.emplace_back(text, (info.fState & MFS_CHECKED) != 0);
        if (ids)
            ids->push_back(info.wID);
    }
    return items;
}

UINT IdOf(HWND main, const std::string& text)
{
    std::vector<UINT> ids;
    const auto items = SkinMenuOf(main, &ids);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].first == text)
            return ids[i];
    return 0;
}

// The controls of the main window that the engine does not hold, owner-drawn buttons aside.
int UnskinnedControls(HWND main)
{
    int count = 0;
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool ownerDrawn = (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        if (!(lstrcmpiA(className, "Button") == 0 && ownerDrawn) && !Skinned(child))
            ++count;
    }
    return count;
}

// Runs the program; `user` acts on its idle main window from another thread, then EXIT ends it.
void RunProgram(const std::function<void(HWND main)>& user)
{
    std::thread userThread([&user] {
        HWND main = WaitForTopWindow(APP_TITLE, 20000, "Output Directory");
        if (!main)
            return;
        WaitUntil([main] { return !IsWindowEnabled(GetDlgItem(main, IDC_STOP)); }, 20000);
        user(main);
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
    });
    CConverterApp app;
    EXPECT_EQ(0, app.Run());
    userThread.join();
}

class SkinMenuTest : public ::testing::Test {
protected:
    void SetUp() override { ForgetSkinSetting(); }
    void TearDown() override { ForgetSkinSetting(); }

    ScopedFile m_alpha{GetProgramDir() + SKIN_FILE_NAME, NamedSkin("Alpha")};  // the default skin
    ScopedFile m_beta{GetProgramDir() + "vodrix-test-beta.smf", NamedSkin("Beta")};
};

TEST_F(SkinMenuTest, TheSubmenuListsTheSkinsAndAChoiceIsWornAtOnceAndRemembered)
{
    struct Seen {
        std::vector<std::pair<std::string, bool>> first, afterBeta;
        std::vector<UINT> ids;
        std::string wornAfterBeta, settingAfterBeta, settingAfterNone;
        int registeredAfterNone = -1, unskinnedAfterAlpha = -1;
    } seen;
    RunProgram([&seen](HWND main) {
        seen.first = SkinMenuOf(main, &seen.ids);
        PostMessageA(main, WM_SYSCOMMAND, IdOf(main, "Beta"), 0);
        WaitUntil([&] { return WornSkinName() == "Beta" && SkinSetting() != "(none stored)"; }, 20000);
        seen.wornAfterBeta = WornSkinName();
        seen.settingAfterBeta = SkinSetting();
        seen.afterBeta = SkinMenuOf(main);
        PostMessageA(main, WM_SYSCOMMAND, IDM_SKIN_NONE, 0);
        WaitUntil([main] { return !IsSkinDrawn(main) && SkinSetting() == NO_SKIN_SETTING; }, 20000);
        seen.registeredAfterNone = static_cast<int>(Engine().manager.RegisteredCount());
        seen.settingAfterNone = SkinSetting();
        PostMessageA(main, WM_SYSCOMMAND, IdOf(main, "Alpha"), 0);
        WaitUntil([main] { return UnskinnedControls(main) == 0 && SkinSetting() == DefaultSkinPath(); }, 20000);
        seen.unskinnedAfterAlpha = UnskinnedControls(main);
    });

    using Items = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ((Items{{"Alpha", true}, {"Beta", false}, {"&No skin", false}}), seen.first);
    for (UINT id : seen.ids)
        EXPECT_TRUE(id < 0xF000 && id % 16 == 0) << id;
    EXPECT_EQ("Beta", seen.wornAfterBeta);
    EXPECT_EQ(m_beta.path, seen.settingAfterBeta);
    EXPECT_EQ((Items{{"Alpha", false}, {"Beta", true}, {"&No skin", false}}), seen.afterBeta);
    EXPECT_EQ(0, seen.registeredAfterNone) << "no window keeps a skin";
    EXPECT_EQ(NO_SKIN_SETTING, seen.settingAfterNone);
    EXPECT_EQ(0, seen.unskinnedAfterAlpha) << "the main window's controls are skinned again";
    EXPECT_EQ(DefaultSkinPath(), SkinSetting());
}

TEST_F(SkinMenuTest, TheRememberedSkinIsWornAtTheNextStartAndAGoneOneFallsBackToTheDefault)
{
    ScopedFile broken{GetProgramDir() + "vodrix-test-broken.dat", kBrokenBytes};
    ScopedFile hollow{GetProgramDir() + "vodrix-test-hollow.dat", HollowSkin()};
    ScopedFile overfull{GetProgramDir() + "vodrix-test-overfull.dat", OverfullSkinBytes()};
    const struct {
        const char* remembered;  // null: nothing stored
        std::string path;
        const char* worn;
    } starts[] = {
        {"the other skin", m_beta.path, "Beta"},
        {"a file that is gone", GetProgramDir() + "gone.smf", "Alpha"},
        {"a broken file", broken.path, "Alpha"},
        {"a skin with nothing drawn", hollow.path, "Alpha"},
        {"a skin of too many objects", overfull.path, "Alpha"},
        {"no skin", NO_SKIN_SETTING, ""},
        {nullptr, "", "Alpha"},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start.remembered ? start.remembered : "nothing");
        if (start.remembered)
            WriteSetting(SKIN_SETTING, start.path.c_str());
        else
            ForgetSkinSetting();
        std::string worn = "(not seen)";
        bool drawn = false;
        RunProgram([&](HWND main) {
            worn = WornSkinName();
            drawn = IsSkinDrawn(main);
        });
        EXPECT_EQ(start.worn, worn);
        EXPECT_EQ(worn[0] != '\0', drawn);
    }
}

TEST_F(SkinMenuTest, ASkinThatCannotBeReadShowsANoticeAndKeepsTheLook)
{
    const std::string userSkins = GetUserSkinsDir();
    ASSERT_FALSE(userSkins.empty());
    CreateDirectoryA(userSkins.substr(0, userSkins.size() - sizeof "Skins").c_str(), nullptr);
    CreateDirectoryA(userSkins.c_str(), nullptr);
    ScopedFile broken{userSkins + "broken-test.smf", kBrokenBytes};
    std::string caption;
    std::vector<std::string> texts;
    std::string wornAfter;
    RunProgram([&](HWND main) {
        const UINT id = IdOf(main, "broken-test.smf");
        if (!id)
            return;
        PostMessageA(main, WM_SYSCOMMAND, id, 0);
        HWND notice = WaitForTopWindow("Info", 20000);
        if (!notice)
            return;
        caption = WindowText(notice);
        texts = ChildTexts(notice);
        PressEscape(notice);
        WaitForWindowGone(notice, 10000);
        wornAfter = WornSkinName();
    });
    EXPECT_EQ("Info", caption);
    EXPECT_TRUE(HasText(texts, SkinFailureText(broken.path, SKIN_STATUS_BODY_UNREADABLE))) << ::testing::PrintToString(texts);
    EXPECT_EQ("Alpha", wornAfter);
    EXPECT_EQ("(none stored)", SkinSetting());
}

}  // namespace
