// The engine's own windows: popup menus and the shared tooltip, each of a
// window class the engine registers while it runs.
#pragma once

#include <windows.h>

namespace skin {

extern const char* const POPUP_MENU_CLASS;  // "TessalinePopupMenuWnd"
extern const char* const TOOLTIP_CLASS;     // "TessalineTooltip32"

// An object behind one of the engine's own windows. The window carries it as
// its "this" property from WM_CREATE on, taken from the creation parameter.
class EngineWindow {
public:
    virtual ~EngineWindow() = default;
    // The window a popup menu was opened for; null for other windows.
    virtual HWND MenuOwner() const { return nullptr; }
    virtual LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    static EngineWindow* FromHandle(HWND hwnd);
    // The window procedure of both classes.
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

// The one tooltip window of the process.
class SkinTooltip : public EngineWindow {
public:
    // Creates the window; false when it could not be had.
    bool Create(HINSTANCE instance);
    ~SkinTooltip() override;
    HWND Handle() const { return m_hWnd; }
    // Where images for tips are loaded from.
    HINSTANCE ResourceInstance() const { return m_instance; }

private:
    HWND m_hWnd = nullptr;  // owned
    HINSTANCE m_instance = nullptr;
};

// Registers both classes and unregisters what it registered.
class EngineWindowClasses {
public:
    bool Register(HINSTANCE instance);
    void Unregister();

private:
    HINSTANCE m_instance = nullptr;
    bool m_popupMenu = false;
    bool m_tooltip = false;
};

}  // namespace skin
