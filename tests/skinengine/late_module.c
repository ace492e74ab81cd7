/* A library the interception tests load only after the interception has
   started: its calls go through its own import entries. Each export has the
   signature of the function it calls. */
#include <windows.h>

__declspec(dllexport) DWORD WINAPI LateGetSysColor(int index) { return GetSysColor(index); }

__declspec(dllexport) HBRUSH WINAPI LateGetSysColorBrush(int index) { return GetSysColorBrush(index); }

__declspec(dllexport) int WINAPI LateGetScrollPos(HWND window, int bar) { return GetScrollPos(window, bar); }
