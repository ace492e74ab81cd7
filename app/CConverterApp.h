// The application object: runs the main dialog as the whole user interface
// between a start and a stop entry of the event log.
#pragma once

#include "framework/Application.h"

#include <string>

class CConverterApp : public CApplication {
public:
    // "Vodrix Video Converter" + "V2.0.5" + " start" / " stop", with no separators.
    static std::string StartText();
    static std::string StopText();
    // The skin file beside the executable: its directory and SKIN_FILE_NAME joined by a backslash.
    static std::string SkinFilePath();

protected:
    bool InitInstance() override;
    int ExitInstance() override;
};
