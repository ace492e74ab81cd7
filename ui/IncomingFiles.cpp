#include "ui/IncomingFiles.h"

#include "services/AppServices.h"
#include "ui/MediaFilter.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The media files directly inside `folder`, in name order regardless of case.
std::vector<std::string> MediaFilesIn(const std::string& folder)
{
    std::vector<std::string> files = FilesInFolder(folder, "*");
    files.erase(std::remove_if(files.begin(), files.end(),
                               [](const std::string& path) { return !IsMediaFileName(path); }),
                files.end());
    // One folder: ordering the paths orders the names.
    std::sort(files.begin(), files.end(),
              [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    return files;
}

std::wstring AbsolutePath(const wchar_t* path)
{
    const std::wstring full =
        PathFromSystem([&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(path, size, buffer, nullptr); });
    return full.empty() ? std::wstring(path) : full;
}

struct LocalFreer {
    void operator()(LPWSTR* arguments) const { LocalFree(arguments); }
};

}  // namespace

std::vector<std::string> FilterExtensions(const char* filter)
{
    std::vector<std::string> extensions;
    const std::vector<std::string> fields = Split(filter, '|');
    for (size_t i = 1; i < fields.size(); i += 2) {
        for (const std::string& part : Split(fields[i], ';')) {
            const std::string pattern = Lower(Trimmed(part));
            if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 || pattern == "*.*")
                continue;
            const std::string extension = pattern.substr(1);
            if (std::find(extensions.begin(), extensions.end(), extension) == extensions.end())
                extensions.push_back(extension);
        }
    }
    return extensions;
}

bool IsMediaFileName(const std::string& name)
{
    static const std::vector<std::string> extensions = FilterExtensions(MEDIA_FILE_FILTER);
    const std::string lower = Lower(name);
    return std::any_of(extensions.begin(), extensions.end(),
                       [&](const std::string& extension) { return EndsWith(lower, extension); });
}

std::vector<std::string> ExpandFolders(const std::vector<std::string>& paths)
{
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        if (!IsFolder(path)) {
            files.push_back(path);
            continue;
        }
        const std::vector<std::string> inside = MediaFilesIn(path);
        files.insert(files.end(), inside.begin(), inside.end());
    }
    return files;
}

std::vector<std::string> FilesOfCommandLine(const wchar_t* commandLine)
{
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> arguments(CommandLineToArgvW(commandLine, &count));
    std::vector<std::string> files;
    for (int i = 1; arguments && i < count; ++i)
        if (arguments.get()[i][0])
            files.push_back(AnsiPath(AbsolutePath(arguments.get()[i])));
    return files;
}

std::string EncodeHandOver(const std::vector<std::string>& paths)
{
    std::string payload;
    for (const std::string& path : paths) {
        payload += path;
        payload += '\0';
    }
    payload += '\0';
    return payload;
}

bool DecodeHandOver(ULONG_PTR tag, const void* data, DWORD size, std::vector<std::string>& paths)
{
    paths.clear();
    if (tag != HANDOVER_TAG || !data || size == 0 || size > HANDOVER_MAX_BYTES)
        return false;
    const char* bytes = static_cast<const char*>(data);
    if (bytes[size - 1] != '\0')
        return false;
    std::vector<std::string> decoded;
    // Each path runs to its zero; the zero that ends the list is the last byte.
    for (DWORD at = 0; at + 1 < size;) {
        const size_t length = strnlen(bytes + at, size - at);
        if (length == 0 || length > HANDOVER_LONGEST_PATH)
            return false;
        decoded.emplace_back(bytes + at, length);
        at += static_cast<DWORD>(length) + 1;
        if (at == size)
            return false;  // the list's own zero is missing
    }
    paths = std::move(decoded);
    return true;
}
