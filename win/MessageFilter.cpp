#include "win/MessageFilter.h"

namespace {

// Neither call is in every system the program runs on: looked up, not imported.
using WindowFilterCall = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
using ProcessFilterCall = BOOL(WINAPI*)(UINT, DWORD);
constexpr DWORD FILTER_ALLOW = 1;  // MSGFLT_ALLOW, and MSGFLT_ADD for the older call

template <typename Call>
Call UserCall(const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

bool LetThroughFromLowerPrograms(HWND window, std::initializer_list<UINT> messages)
{
    static const auto forWindow = UserCall<WindowFilterCall>("ChangeWindowMessageFilterEx");
    static const auto forProcess = UserCall<ProcessFilterCall>("ChangeWindowMessageFilter");
    bool allowed = true;
    for (const UINT message : messages) {
        if (forWindow)
            allowed = forWindow(window, message, FILTER_ALLOW, nullptr) && allowed;
        else if (forProcess)
            allowed = forProcess(message, FILTER_ALLOW) && allowed;
    }
    return allowed;
}
