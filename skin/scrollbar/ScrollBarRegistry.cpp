// The windows that carry skinned scroll bars, so that a new skin can size
// all of their bars.
#include "skin/scrollbar/ScrollBarWindow.h"

#include "skin/scrollbar/SkinnedScrollBars.h"

#include <mutex>
#include <set>

namespace skin {

namespace {

std::mutex g_listLock;
std::set<HWND> g_windows;

}  // namespace

void ListSkinnedScrollBars(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(g_listLock);
    g_windows.insert(hwnd);
}

void UnlistSkinnedScrollBars(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(g_listLock);
    g_windows.erase(hwnd);
}

std::vector<HWND> WindowsWithSkinnedScrollBars()
{
    std::lock_guard<std::mutex> guard(g_listLock);
    for (auto it = g_windows.begin(); it != g_windows.end();)
        it = ::IsWindow(*it) ? std::next(it) : g_windows.erase(it);
    return {g_windows.begin(), g_windows.end()};
}

void ResizeAllSkinnedScrollBars(const Skin& skin)
{
    for (HWND hwnd : WindowsWithSkinnedScrollBars())
        SizeSkinnedScrollBarsFromSkin(hwnd, skin);
}

}  // namespace skin
