// The application object: one per program, constructed statically; Run is
// the entry point that the program's WinMain calls.
#pragma once

#include <windows.h>

class CApplication {
public:
    CApplication();
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // The one application object, or null before it is constructed.
    static CApplication* Instance();

    // InitInstance; when it returns true, a message loop until WM_QUIT;
    // then ExitInstance, whose result is the process exit code.
    int Run();

protected:
    // Start-up; false skips the message loop (a program that runs its main
    // dialog modally inside InitInstance returns false).
    virtual bool InitInstance() { return true; }
    // Shutdown; returns the exit code (that of WM_QUIT, 0 without one).
    virtual int ExitInstance() { return m_nExitCode; }

    int m_nExitCode = 0;  // wParam of the WM_QUIT that ended the loop

private:
    void RunMessageLoop();
};
