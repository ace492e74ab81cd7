// Files a run makes for itself: the encoder's script and its output. Each is
// made new under a name nobody holds, so a run never writes into a file it
// did not make, and only what it made is ever removed again.
#pragma once

#include <string>

// Highest number put into an output name whose plain form is taken.
constexpr int MAX_OUTPUT_NUMBER = 9999;
// Room the number takes in a name: " (9999)".
constexpr size_t OUTPUT_NUMBER_CHARS = 7;

// `stem` + `extension` when nothing of that name exists; else the first free
// of `stem` + " (2)" + `extension` up to MAX_OUTPUT_NUMBER. Empty when all
// are taken.
std::string FreeOutputName(const std::string& stem, const std::string& extension);

// A file this run made. It is removed when the object goes, unless kept.
class RunFile {
public:
    RunFile() = default;
    ~RunFile() { Remove(); }
    RunFile(const RunFile&) = delete;
    RunFile& operator=(const RunFile&) = delete;

    // Makes `path` as a new empty file; false (nothing made) when a file or
    // folder of that name exists or the folder takes no file.
    bool CreateNew(const std::string& path);
    // Makes a new file named `prefix`-<number>`extension` in `folder` (with
    // its trailing backslash), under a name no other run or process holds.
    bool CreateUnique(const std::string& folder, const char* prefix, const char* extension);

    const std::string& Path() const { return m_path; }
    bool HoldsData() const;
    // The file stays where it is, no longer this object's.
    void Keep() { m_path.clear(); }
    void Remove();

private:
    std::string m_path;
};
