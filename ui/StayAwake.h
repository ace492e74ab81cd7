// Keeps the system from sleeping while the object lives, asked for on the
// thread that makes it: a long batch would stall while the computer sleeps,
// and the shut-down after it would never come. The display may still go off.
#pragma once

#include <windows.h>

class CStayAwake {
public:
    CStayAwake() { SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED); }
    ~CStayAwake() { SetThreadExecutionState(ES_CONTINUOUS); }
    CStayAwake(const CStayAwake&) = delete;
    CStayAwake& operator=(const CStayAwake&) = delete;
};
