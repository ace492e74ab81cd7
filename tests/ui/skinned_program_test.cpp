// The program started as it starts for a user, with a skin file beside it:
// its dialogs and their controls are skinned, its own controls keep working
// on top of the engine, and owner-drawn buttons are left to themselves.
#include "../skin/TestSkins.h"
#include "SkinBesideProgram.h"

#include "services/AppServices.h"
#include "app/CConverterApp.h"
#include "framework/Window.h"
#include "res/resource.h"
#include "skin/SkinEngine.h"
#include "support/WindowWatch.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace skin;

namespace {

std::vector<HWND> ChildrenOf(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

bool IsOwnerDrawnButton(HWND hwnd)
{
    char className[16] = {};
    GetClassNameA(hwnd, className, sizeof className);
    return lstrcmpiA(className, "Button") == 0 && (GetWindowLongA(hwnd, GWL_STYLE) & BS_OWNERDRAW) == BS_OWNERDRAW;
}

// What the user thread saw of the running program.
struct SeenProgram {
    std::string mainObject;
    std::vector<std::string> unskinnedControls;  // ids of controls the engine should hold and does not
    std::vector<std::string> skinnedOwnerDrawn;  // ids of owner-drawn buttons the engine took
    std::vector<std::string> dialogsObjects;     // objects worn by About, a message box, the open-file dialog
};

// Finds a dialog of this process other than the main window, notes its
// object and presses Esc in it.
std::string ObjectOfNextDialog(HWND main, const char* caption, const char* childText = nullptr)
{
    HWND found = nullptr;
    WaitUntil([&] {
        found = WaitForTopWindow(caption, 0, childText);
        return found && found != main;
    }, 20000);
    if (!found || found == main)
        return "(no dialog)";
    const std::string object = WornObject(found);
    PressEscape(found);
    WaitForWindowGone(found, 10000);
    return object;
}

void LookAtTheProgram(SeenProgram& seen)
{
    HWND main = WaitForTopWindow(APP_TITLE, 20000, "Output Directory");
    if (!main)
        return;
    WaitUntil([main] { return !IsWindowEnabled(GetDlgItem(main, IDC_STOP)); }, 20000);
    seen.mainObject = WornObject(main);
    for (HWND control : ChildrenOf(main)) {
        const std::string id = std::to_string(GetDlgCtrlID(control));
        const bool skinned = Skinned(control) != nullptr;
        if (IsOwnerDrawnButton(control) && skinned)
            seen.skinnedOwnerDrawn.push_back(id);
        if (!IsOwnerDrawnButton(control) && !skinned)
            seen.unskinnedControls.push_back(id);
    }
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED), 0);
    seen.dialogsObjects.push_back(ObjectOfNextDialog(main, APP_TITLE, "Check Update"));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED), 0);
    seen.dialogsObjects.push_back(ObjectOfNextDialog(main, "Info"));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED), 0);
    seen.dialogsObjects.push_back(ObjectOfNextDialog(main, "Open"));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
}

TEST(SkinnedProgramTest, EveryDialogOfTheUserInterfaceThreadAndItsControlsAreSkinned)
{
    TempSkinFile written("program");
    written.Write(*MakeFullSkin());
    SkinBesideProgram skinFile(written.Path());
    SeenProgram seen;
    std::thread user([&seen] { LookAtTheProgram(seen); });
    CConverterApp app;
    EXPECT_EQ(0, app.Run());
    user.join();

    EXPECT_EQ(TEST_DIALOG_SKIN, seen.mainObject);
    EXPECT_TRUE(seen.unskinnedControls.empty()) << "first: " << seen.unskinnedControls.front();
    EXPECT_TRUE(seen.skinnedOwnerDrawn.empty()) << "first: " << seen.skinnedOwnerDrawn.front();
    const std::vector<std::string> dialogs(3, TEST_DIALOG_SKIN);
    EXPECT_EQ(dialogs, seen.dialogsObjects) << "About, message box, open-file dialog";
    EXPECT_EQ(SKIN_STATUS_NOT_INITIALISED, (SetDialogSkin("x"), GetSkinStatus())) << "stopped on the way out";
}

}  // namespace
