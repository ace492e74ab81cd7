// A skin file copied to where the program looks for its skin, for one test.
#pragma once

#include "ui/SkinChoice.h"

#include <windows.h>

#include <string>

class SkinBesideProgram {
public:
    explicit SkinBesideProgram(const char* skinFile) : m_path(DefaultSkinPath())
    {
        CopyFileA(skinFile, m_path.c_str(), FALSE);
    }
    ~SkinBesideProgram() { DeleteFileA(m_path.c_str()); }
    SkinBesideProgram(const SkinBesideProgram&) = delete;
    SkinBesideProgram& operator=(const SkinBesideProgram&) = delete;

private:
    std::string m_path;
};
