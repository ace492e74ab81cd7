// The program with its default skin in a virtual desktop of its own, its
// system menu opened as a user opens it with Alt+Space: a picture of the
// skinned menu over the main dialog is kept as an artefact.
#include "SkinBesideProgram.h"

#include "services/AppServices.h"
#include "app/CConverterApp.h"
#include "res/resource.h"
#include "skin/engine/EngineWindows.h"
#include "skin/engine/SkinnedWindow.h"
#include "support/HostProcess.h"
#include "support/ScreenShot.h"
#include "support/WindowWatch.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

constexpr DWORD kWaitMs = 20000;
constexpr LPARAM kAltHeld = 0x20000000;

HWND VisibleMenuOfThisProcess()
{
    for (HWND menu = FindWindowExA(nullptr, nullptr, skin::POPUP_MENU_CLASS, nullptr); menu;
         menu = FindWindowExA(nullptr, menu, skin::POPUP_MENU_CLASS, nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(menu, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(menu))
            return menu;
    }
    return nullptr;
}

struct SeenMenu {
    RECT main{};
    RECT menu{};
    int colours = 0;
    bool saved = false;
};

void OpenTheSystemMenuAndTakeAPicture(SeenMenu& seen)
{
    HWND main = WaitForTopWindow(APP_TITLE, kWaitMs, "Output Directory");
    if (!main)
        return;
    WaitUntil([main] { return !IsWindowEnabled(GetDlgItem(main, IDC_STOP)); }, kWaitMs);
    PostMessageA(main, skin::SKINMSG_MENU_KEY, VK_SPACE, kAltHeld);
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = VisibleMenuOfThisProcess()) != nullptr; }, kWaitMs);
    if (menu) {
        // Sent, so that the highlight has moved to "Move" when the menu paints.
        SendMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        // Painting is sent to the windows' own thread and done when this returns.
        UpdateWindow(main);
        UpdateWindow(menu);
        GetWindowRect(main, &seen.main);
        GetWindowRect(menu, &seen.menu);
        RECT desktop{};
        GetWindowRect(GetDesktopWindow(), &desktop);
        CreateDirectoryA(VODRIX_ARTIFACT_DIR, nullptr);
        const std::string picture = VODRIX_ARTIFACT_DIR "\\skinned_system_menu";
        int menuColours = 0;
        SaveScreenArea(seen.menu, (picture + "_alone.bmp").c_str(), menuColours);
        seen.saved = SaveScreenArea(desktop, (picture + ".bmp").c_str(), seen.colours) &&
                     RunHostShell("convert '" + HostPathOf(picture + ".bmp") + "' '" + HostPathOf(picture) + ".png'");
        seen.colours = std::min(seen.colours, menuColours);
        DeleteFileA((picture + ".bmp").c_str());
        DeleteFileA((picture + "_alone.bmp").c_str());
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        WaitForWindowGone(menu, kWaitMs);
    }
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
}

TEST(MenuShotTest, TheSkinnedSystemMenuOpensOverTheMainDialog)
{
    SkinBesideProgram skinFile(VODRIX_DEFAULT_SKIN);
    SeenMenu seen;
    std::thread user([&seen] { OpenTheSystemMenuAndTakeAPicture(seen); });
    CConverterApp app;
    EXPECT_EQ(0, app.Run());
    user.join();

    EXPECT_TRUE(seen.saved);
    EXPECT_GT(seen.colours, 2) << "the picture of the menu is blank";
    RECT overlap{};
    EXPECT_TRUE(IntersectRect(&overlap, &seen.main, &seen.menu)) << "the menu opens over the dialog";
}

}  // namespace
