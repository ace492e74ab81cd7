// The client background of a skinned dialog: the frame's client slice over
// its client colour, made once per client size and shared with the controls
// that show the dialog through them.
#pragma once

#include "skin/core/FrameObjects.h"
#include "win/GdiScope.h"

#include <windows.h>

namespace skin {

class DialogBackground {
public:
    // Forgets the background, to be made again for a new size or skin.
    void Drop();
    // Copies the background into the part of `dc` being erased; false when
    // it cannot be made.
    bool Erase(HWND dialog, const FrameObject& frame, HDC dc);
    // A brush of the background lined up with `control`'s place on it, for
    // controls that paint their own background; the null brush without one.
    HBRUSH BrushFor(HWND dialog, const FrameObject& frame, HDC dc, HWND control);
    // Copies the background behind `sender`'s client area into `dc` at 0, 0.
    void PaintBehind(HWND dialog, const FrameObject& frame, HDC dc, HWND sender);

private:
    // Makes the background for the dialog's client size unless it has it.
    bool Ensure(HWND dialog, const FrameObject& frame);

    CBitmapObject m_bitmap;  // client-sized
    SIZE m_size{};
    CBrushObject m_brush;  // of m_bitmap
    bool m_repaintPending = false;
};

}  // namespace skin
