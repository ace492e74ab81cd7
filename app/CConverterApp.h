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

protected:
    bool InitInstance() override;
    int ExitInstance() override;
};
