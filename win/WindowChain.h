// One layer's place in the chains of window procedures. A layer puts its
// procedure on top of a window's chain and keeps the one below it in a window
// property. When it lets go while another procedure has been put on top of
// its own, its procedure cannot leave without cutting that one off: it stays
// in the chain and passes every message down until the window ends, and a
// later attach takes up that place again. Every subclassing of the program
// goes through this one answer.
#pragma once

#include <windows.h>

class CWindowChain {
public:
    // `objectProperty` holds the object the layer serves on a window,
    // `belowProperty` the procedure below the layer's `procedure`.
    CWindowChain(const char* objectProperty, const char* belowProperty, WNDPROC procedure)
        : m_objectProperty(objectProperty), m_belowProperty(belowProperty), m_procedure(procedure)
    {
    }

    // The object the layer serves on `hwnd`; null when it serves none.
    void* ObjectOf(HWND hwnd) const;
    // False when the window cannot hold it.
    bool SetObject(HWND hwnd, void* object) const;
    void ClearObject(HWND hwnd) const;

    // Puts the layer's procedure on top of `hwnd`'s chain, unless its place
    // from before is still there; false when the window cannot keep the
    // procedure below.
    bool Insert(HWND hwnd) const;
    // The procedure below the layer's; null when the layer is not in the chain.
    WNDPROC Below(HWND hwnd) const;
    // Takes the layer's procedure out when it is on top; otherwise it stays
    // and passes messages down.
    void Remove(HWND hwnd) const;
    // At WM_NCDESTROY: the window ends, the place goes whatever lies above.
    void Forget(HWND hwnd) const;
    // What the layer's procedure does with a message of a window whose
    // object has let go: the procedure below gets it.
    LRESULT PassDown(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) const;

private:
    bool OnTop(HWND hwnd) const;

    const char* m_objectProperty;
    const char* m_belowProperty;
    WNDPROC m_procedure;
};
