// The two entry points through which a program under Wine reaches the host
// system: running a host program, and turning a Windows path into a host path.
#pragma once

#include <string>
#include <vector>

class WineHost {
public:
    // Absent on real Windows: then IsAvailable is false.
    WineHost();

    bool IsAvailable() const { return m_spawn && m_unixFileName; }

    // Runs a host program; with `wait`, returns when it has ended. False when
    // it could not start (with `wait`, also when it ended in failure).
    bool Spawn(const std::vector<std::string>& argv, bool wait) const;

    // The host path of a Windows path (ANSI code page); empty when the
    // path's folder does not exist.
    std::string HostPath(const std::string& windowsPath) const;

private:
    using SpawnFunction = long(__cdecl*)(char* const* argv, int wait);
    using UnixFileNameFunction = char*(__cdecl*)(const wchar_t* dosPath);

    SpawnFunction m_spawn = nullptr;
    UnixFileNameFunction m_unixFileName = nullptr;
};
