#include "services/AnsiPath.h"

namespace {

const std::wstring EXTENDED_PREFIX = L"\\\\?\\";
const std::wstring EXTENDED_UNC_PREFIX = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring& text, const std::wstring& head) { return text.compare(0, head.size(), head) == 0; }

// `text` in the system code page; false when some character has no place there.
bool ToCodePage(const std::wstring& text, std::string& narrow)
{
    // The UTF-8 code page takes every character, and refuses the check for a lossy one.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* check = utf8 ? nullptr : &lossy;
    const int size = WideCharToMultiByte(CP_ACP, flags, text.c_str(), -1, nullptr, 0, nullptr, check);
    narrow.clear();
    if (size <= 0)
        return false;
    narrow.resize(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, flags, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    narrow.pop_back();
    return !lossy;
}

// The system reads a path of MAX_PATH characters or more only in its
// extended-length form.
std::wstring ExtendedLength(const std::wstring& path)
{
    if (path.size() < MAX_PATH || StartsWith(path, EXTENDED_PREFIX))
        return path;
    if (StartsWith(path, L"\\\\"))
        return EXTENDED_UNC_PREFIX + path.substr(2);
    return path.size() > 2 && path[1] == L':' ? EXTENDED_PREFIX + path : path;
}

std::wstring WithoutExtendedPrefix(const std::wstring& path)
{
    if (StartsWith(path, EXTENDED_UNC_PREFIX))
        return L"\\\\" + path.substr(EXTENDED_UNC_PREFIX.size());
    return StartsWith(path, EXTENDED_PREFIX) ? path.substr(EXTENDED_PREFIX.size()) : path;
}

std::wstring ShortPath(const std::wstring& path)
{
    const std::wstring asked = ExtendedLength(path);
    return WithoutExtendedPrefix(
        PathFromSystem([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(asked.c_str(), buffer, size); }));
}

bool Fits(const std::wstring& path, std::string& narrow)
{
    return !path.empty() && ToCodePage(path, narrow) && narrow.size() < MAX_PATH;
}

}  // namespace

std::string AnsiPath(const std::wstring& path)
{
    std::string narrow;
    if (Fits(path, narrow))
        return narrow;
    std::string shortNarrow;
    return Fits(ShortPath(path), shortNarrow) ? shortNarrow : narrow;
}

std::wstring WideFromCodePage(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], size);
    wide.pop_back();
    return wide;
}
