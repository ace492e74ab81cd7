// The program's calls take paths in the system code page, which cannot hold
// every name a file may have, nor a path of MAX_PATH characters or more.
// Paths that come from the wide calls of the system are made fit for them.
#pragma once

#include <windows.h>

#include <string>

// A path as the program's ANSI calls can open it: in the system code page
// and shorter than MAX_PATH, or else as the file system's short name. When
// the short name does not fit either (or there is none) it comes back as
// the code page has it, for the caller to refuse by name.
std::string AnsiPath(const std::wstring& path);

// Text of the system code page in wide characters.
std::wstring WideFromCodePage(const std::string& text);

// The path a system call writes into a buffer it first reports the size
// of: `call(buffer, size)` returns the length written, or the size needed;
// empty when it fails.
template <typename PathCall>
std::wstring PathFromSystem(PathCall call)
{
    const DWORD size = call(nullptr, 0);
    if (size == 0)
        return {};
    std::wstring path(size, L'\0');
    const DWORD length = call(&path[0], size);
    path.resize(length < size ? length : 0);
    return path;
}
