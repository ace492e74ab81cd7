#include "framework/Application.h"

namespace {
CApplication* g_application = nullptr;  // borrowed: the static object registers itself
}

CApplication::CApplication()
{
    g_application = this;
}

CApplication::~CApplication()
{
    if (g_application == this)
        g_application = nullptr;
}

CApplication* CApplication::Instance()
{
    return g_application;
}

int CApplication::Run()
{
    if (InitInstance())
        RunMessageLoop();
    return ExitInstance();
}

void CApplication::RunMessageLoop()
{
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageA(&msg, nullptr, 0, 0)) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (got == 0)
        m_nExitCode = static_cast<int>(msg.wParam);
}
