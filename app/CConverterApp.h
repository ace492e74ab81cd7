// The application object: runs the main dialog as the whole user interface
// between a start and a stop entry of the event log.
#pragma once

#include "framework/Application.h"

#include <string>
#include <vector>

class CConverterApp : public CApplication {
public:
    // "Vodrix Video Converter" + "V2.0.5" + " start" / " stop", with no separators.
    static std::string StartText();
    static std::string StopText();
    // Before Run: the files of the command line, added once the window is
    // usable, and the mark by which a second start finds the window.
    void TakeStart(const std::vector<std::string>& files, const std::string& windowMark)
    {
        m_startFiles = files;
        m_strWindowMark = windowMark;
    }

protected:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    std::vector<std::string> m_startFiles;
    std::string m_strWindowMark;
};
