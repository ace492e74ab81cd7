// Scoped owners of GDI objects and device contexts, so that no early return
// leaks one; the owning template itself is in OwnedHandle.h.
#pragma once

#include "win/OwnedHandle.h"

#include <windows.h>

template <typename Handle>
void DeleteGdiObject(Handle handle)
{
    ::DeleteObject(handle);
}

inline void DestroyIconHandle(HICON icon)
{
    ::DestroyIcon(icon);  // icons and cursors alike
}

// A GDI object (bitmap, brush, font, pen, region), deleted by its owner.
template <typename Handle>
using CGdiObject = COwnedHandle<Handle, &DeleteGdiObject<Handle>>;
using CIconHandle = COwnedHandle<HICON, &DestroyIconHandle>;

using CBitmapObject = CGdiObject<HBITMAP>;
using CBrushObject = CGdiObject<HBRUSH>;
using CFontObject = CGdiObject<HFONT>;
using CRegionObject = CGdiObject<HRGN>;

// Selects an object into a context and selects the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_hdc(dc), m_hPrevious(object ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectObject()
    {
        if (m_hPrevious)
            ::SelectObject(m_hdc, m_hPrevious);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hdc;             // borrowed
    HGDIOBJ m_hPrevious;   // borrowed: what the context held before
};

// A memory context compatible with another, deleted at the end of the scope.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : m_hdc(::CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC()
    {
        if (m_hdc)
            ::DeleteDC(m_hdc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return m_hdc; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HDC m_hdc;  // owned
};

// A window's client context (or, with `wholeWindow`, the context of the
// whole window, frame included), released at the end of the scope.
class CClientDC {
public:
    explicit CClientDC(HWND hwnd, bool wholeWindow = false)
        : m_hWnd(hwnd), m_hdc(wholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd))
    {
    }
    ~CClientDC()
    {
        if (m_hdc)
            ::ReleaseDC(m_hWnd, m_hdc);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC Get() const { return m_hdc; }

private:
    HWND m_hWnd;  // borrowed
    HDC m_hdc;    // owned: released to the window
};

// The given context, or BeginPaint/EndPaint on the window when none is given:
// WM_PAINT and WM_PRINTCLIENT share one paint function through this.
class CPaintDC {
public:
    CPaintDC(HWND hwnd, HDC given) : m_hWnd(hwnd), m_hdc(given)
    {
        if (!m_hdc)
            m_hdc = ::BeginPaint(hwnd, &m_paint);
    }
    ~CPaintDC()
    {
        if (m_paint.hdc)
            ::EndPaint(m_hWnd, &m_paint);
    }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return m_hdc; }

private:
    HWND m_hWnd;             // borrowed
    PAINTSTRUCT m_paint{};   // filled when this object began the painting
    HDC m_hdc;               // borrowed from the caller or from BeginPaint
};

// Saves a context's state (clipping, colours, modes) and restores it.
class CSavedDC {
public:
    explicit CSavedDC(HDC dc) : m_hdc(dc), m_nSaved(::SaveDC(dc)) {}
    ~CSavedDC()
    {
        if (m_nSaved)
            ::RestoreDC(m_hdc, m_nSaved);
    }
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;

private:
    HDC m_hdc;     // borrowed
    int m_nSaved;  // SaveDC's level, 0 when saving failed
};
