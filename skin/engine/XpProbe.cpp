#include "skin/engine/XpProbe.h"

#include "win/GdiScope.h"

namespace skin {

namespace {

const char kProbeClass[] = "Tessaline_XP_Compatible";

// The class is unregistered again so that the probe can run once more after
// the engine has been stopped and started within one process.
class ProbeClass {
public:
    explicit ProbeClass(HINSTANCE instance) : m_instance(instance)
    {
        WNDCLASSA wc = {};
        wc.style = CS_SAVEBITS | CS_CLASSDC;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kProbeClass;
        m_registered = RegisterClassA(&wc) != 0;
    }
    ~ProbeClass()
    {
        if (m_registered)
            UnregisterClassA(kProbeClass, m_instance);
    }
    ProbeClass(const ProbeClass&) = delete;
    ProbeClass& operator=(const ProbeClass&) = delete;

    bool Registered() const { return m_registered; }

private:
    HINSTANCE m_instance;
    bool m_registered = false;
};

void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
using OwnedWindow = COwnedHandle<HWND, &DestroyWindowHandle>;

WNDPROC ReadButtonProcedure(HWND parent, HINSTANCE instance)
{
    OwnedWindow button(
        CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, parent, nullptr, instance, nullptr));
    return button ? reinterpret_cast<WNDPROC>(GetClassLongPtrA(button.Get(), GCLP_WNDPROC)) : nullptr;
}

}  // namespace

WNDPROC ProbeButtonProcedure(HINSTANCE instance)
{
    ProbeClass probeClass(instance);
    if (!probeClass.Registered())
        return nullptr;
    OwnedWindow probe(CreateWindowExA(0, kProbeClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 1, 1, nullptr, nullptr,
                                      instance, nullptr));
    return probe ? ReadButtonProcedure(probe.Get(), instance) : nullptr;
}

}  // namespace skin
