#include "ui/HelpFile.h"

#include "services/AppServices.h"

#include <shellapi.h>

namespace {

HINSTANCE ShellOpen(const char* path)
{
    return ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

ShellOpenFunction g_shellOpen = &ShellOpen;

}  // namespace

std::string HelpFilePath()
{
    return GetProgramDir() + HELP_FILE_NAME;
}

void OpenHelpFile()
{
    g_shellOpen(HelpFilePath().c_str());
}

void SetShellOpenFunction(ShellOpenFunction function)
{
    g_shellOpen = function ? function : &ShellOpen;
}
