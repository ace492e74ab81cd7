#include "controls/ImageButton.h"

#include "skin/SkinEngine.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Fills disabled bitmaps' transparent parts, and stands behind bitmaps
// without a pressed face.
const COLORREF DISABLED_FILL = RGB(73, 76, 104);

constexpr UINT PRESERVED_STYLE_BITS = 0x04 | 0x10;  // cleared from every restyle request

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour)
{
    CGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, colour));
    CSelectObject select(dc, pen.Get());
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

// A one-pixel 3-D rectangle: top and left in one colour, bottom and right in the other.
void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    DrawLine(dc, r.left, r.bottom - 1, r.left, r.top, topLeft);
    DrawLine(dc, r.left, r.top, r.right - 1, r.top, topLeft);
    DrawLine(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, bottomRight);
    DrawLine(dc, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1, bottomRight);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour)
{
    CBrushObject brush(::CreateSolidBrush(colour));
    ::FrameRect(dc, &r, brush.Get());
}

// Builds the monochrome mask (white where `transparent`) and turns the
// transparent pixels of the bitmap black.
CBitmapObject MakeMask(HBITMAP bitmap, int width, int height, COLORREF transparent)
{
    CBitmapObject mask(::CreateBitmap(width, height, 1, 1, nullptr));
    CMemoryDC source(nullptr), target(nullptr);
    if (!mask || !source || !target)
        return CBitmapObject();
    CSelectObject selectSource(source.Get(), bitmap);
    CSelectObject selectTarget(target.Get(), mask.Get());
    ::SetBkColor(source.Get(), transparent);
    ::BitBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    ::SetBkColor(source.Get(), RGB(0, 0, 0));
    ::SetTextColor(source.Get(), RGB(255, 255, 255));
    ::BitBlt(source.Get(), 0, 0, width, height, target.Get(), 0, 0, SRCAND);
    return mask;
}

// A grey copy of a masked bitmap, faded toward white as disabled pictures
// are; transparent pixels stay black, so that the same mask places it.
CBitmapObject MakeGreyed(HBITMAP bitmap, HBITMAP mask, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height), holes(pixels.size());
    CClientDC screen(nullptr);
    if (!::GetDIBits(screen.Get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) ||
        !::GetDIBits(screen.Get(), mask, 0, height, holes.data(), &info, DIB_RGB_COLORS))
        return CBitmapObject();
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (holes[i] & 0xFFFFFF)
            continue;
        const uint32_t p = pixels[i];
        const uint32_t brightness = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
        pixels[i] = (128 + brightness / 2) * 0x010101u;
    }
    void* bits = nullptr;
    CBitmapObject greyed(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (greyed)
        std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    return greyed;
}

// Places a masked bitmap over what `dc` holds (AND the mask, OR the bitmap).
void MaskBlt(HDC dc, int x, int y, HBITMAP bitmap, HBITMAP mask, int width, int height)
{
    CMemoryDC source(dc);
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::SetTextColor(dc, RGB(0, 0, 0));
    {
        CSelectObject selectMask(source.Get(), mask);
        ::BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCAND);
    }
    CSelectObject selectBitmap(source.Get(), bitmap);
    ::BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCPAINT);
}

}  // namespace

CImageButton::CImageButton()
{
    ResetColours();
}

void CImageButton::CachedBackground::Drop()
{
    if (dc) {
        ::SelectObject(dc, previous);
        ::DeleteDC(dc);
    }
    if (bitmap)
        ::DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
    previous = nullptr;
}

LRESULT CImageButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_MOUSEMOVE: return OnMouseMove(wp, lp);
    case WM_MOUSELEAVE: return OnMouseLeave();
    case WM_KILLFOCUS: return OnEndHoverAfterDefault(msg, wp, lp);
    case WM_CANCELMODE: return OnEndHoverAfterDefault(msg, wp, lp);
    case WM_ACTIVATE: return OnActivate(wp, lp);
    case WM_ENABLE: return OnEnable(wp, lp);
    case WM_GETDLGCODE: return OnGetDlgCode(wp, lp);
    case BM_SETSTYLE: return OnSetStyle(wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_SYSCOLORCHANGE: return OnSysColorChange(wp, lp);
    case BM_SETCHECK: return 0;
    case BM_GETCHECK: return 0;
    case WM_DESTROY: return OnDestroy();
    case WM_REFLECT + WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    case WM_REFLECT + WM_COMMAND: return OnReflectedCommand(wp);
    case WM_REFLECT + WM_DRAWITEM: return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    default: return CButtonWnd::WindowProc(msg, wp, lp);
    }
}

bool CImageButton::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd == m_hWnd && msg->message == WM_MOUSEMOVE && !m_strTipText.empty())
        MakeToolTip();
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(msg);
    // An owner-drawn button reports a quick second click as a double-click;
    // pressed again, it counts as the click the user meant.
    if (msg->hwnd == m_hWnd && msg->message == WM_LBUTTONDBLCLK)
        msg->message = WM_LBUTTONDOWN;
    return false;
}

LRESULT CImageButton::OnMouseMove(WPARAM wp, LPARAM lp)
{
    const LRESULT result = DefaultProc(WM_MOUSEMOVE, wp, lp);
    POINT cursor;
    ::GetCursorPos(&cursor);
    HWND under = ::WindowFromPoint(cursor);
    if ((wp & MK_LBUTTON) && !m_bHover)
        return result;  // a press that started elsewhere does not highlight
    ::PostMessageA(GetParent(), UWM_BUTTON_MOUSEMOVE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    if (!m_bFlat)
        return result;
    HWND reference = m_bAlwaysTrack ? m_hWnd : ::GetActiveWindow();
    if (under != m_hWnd || !reference) {
        EndHover();
        return result;
    }
    if (m_bHover)
        return result;
    m_bHover = TRUE;
    Invalidate();
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&track);
    return result;
}

LRESULT CImageButton::OnMouseLeave()
{
    EndHover();
    return 0;
}

LRESULT CImageButton::OnEndHoverAfterDefault(UINT msg, WPARAM wp, LPARAM lp)
{
    const LRESULT result = DefaultProc(msg, wp, lp);
    EndHover();
    return result;
}

LRESULT CImageButton::OnActivate(WPARAM wp, LPARAM lp)
{
    const LRESULT result = DefaultProc(WM_ACTIVATE, wp, lp);
    if (LOWORD(wp) == WA_INACTIVE)
        EndHover();
    return result;
}

LRESULT CImageButton::OnEnable(WPARAM wp, LPARAM lp)
{
    const LRESULT result = DefaultProc(WM_ENABLE, wp, lp);
    if (!wp) {
        HWND parent = GetParent();
        HWND next = ::GetNextDlgTabItem(parent, m_hWnd, FALSE);
        ::SetFocus(next ? next : parent);
        EndHover();
    }
    RepaintParentBackground();
    return result;
}

// Bitmap faces are drawn over whatever lies beneath them, so the parent's
// background must come back before the face of the new state is drawn;
// otherwise the disabled fill would stay under the enabled face.
void CImageButton::RepaintParentBackground()
{
    HWND parent = GetParent();
    if (!parent)
        return;
    RECT area;
    ::GetWindowRect(m_hWnd, &area);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CImageButton::OnGetDlgCode(WPARAM wp, LPARAM lp)
{
    return DefaultProc(WM_GETDLGCODE, wp, lp) | (m_bDefaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// The dialog manager restyles push buttons when the default one changes;
// the button records that and stays owner-drawn.
LRESULT CImageButton::OnSetStyle(WPARAM wp, LPARAM lp)
{
    const UINT type = static_cast<UINT>(wp) & 0x1F;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
        m_bDefaultButton = type == BS_DEFPUSHBUTTON;
    return DefaultProc(BM_SETSTYLE, (wp & ~static_cast<WPARAM>(PRESERVED_STYLE_BITS)) | BS_OWNERDRAW, lp);
}

LRESULT CImageButton::OnSysColorChange(WPARAM wp, LPARAM lp)
{
    const LRESULT result = DefaultProc(WM_SYSCOLORCHANGE, wp, lp);
    m_background.Drop();
    ResetColours();
    Invalidate();
    return result;
}

LRESULT CImageButton::OnReflectedCommand(WPARAM wp)
{
    if (HIWORD(wp) == BN_CLICKED)
        ::SetFocus(m_hWnd);
    return 0;  // the parent handles the click as usual
}

LRESULT CImageButton::OnDestroy()
{
    m_toolTip.DestroyWindow();
    return DefaultProc(WM_DESTROY, 0, 0);
}

void CImageButton::EndHover()
{
    if (!m_bFlat || !m_bHover)
        return;
    m_bHover = FALSE;
    Invalidate();
}

void CImageButton::ResetColours()
{
    m_crHoverBackground = m_crNormalBackground = m_crFocusBackground = ::GetSysColor(COLOR_BTNFACE);
    m_crHoverText = m_crNormalText = m_crFocusText = ::GetSysColor(COLOR_BTNTEXT);
}

void CImageButton::ReleaseFace()
{
    for (IconSlot* slot : {&m_normalIcon, &m_alternativeIcon})
        slot->Reset();
    for (BitmapSlot* slot : {&m_hoverBitmap, &m_normalBitmap, &m_pressedBitmap})
        slot->Reset();
}

bool CImageButton::LoadBitmapSlot(BitmapSlot& slot, UINT id, COLORREF transparent, int& failure)
{
    auto bitmap = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap)
        return false;
    slot.bitmap.Reset(bitmap);
    BITMAP info{};
    if (!::GetObjectA(bitmap, sizeof info, &info)) {
        failure = FACE_UNREADABLE;
        return false;
    }
    slot.width = info.bmWidth;
    slot.height = info.bmHeight;
    slot.transparent = transparent;
    slot.mask = MakeMask(bitmap, slot.width, slot.height, transparent);
    if (!slot.mask) {
        failure = FACE_NO_MASK;
        return false;
    }
    slot.greyed = MakeGreyed(bitmap, slot.mask.Get(), slot.width, slot.height);
    return true;
}

int CImageButton::SetStateBitmaps(UINT hoverId, COLORREF hoverTransparent, UINT normalId, COLORREF normalTransparent,
                                  UINT pressedId, COLORREF pressedTransparent)
{
    m_nPressedOffsetX = m_nPressedOffsetY = 0;
    ReleaseFace();
    int failure = FACE_OK;
    if (LoadBitmapSlot(m_hoverBitmap, hoverId, hoverTransparent, failure)) {
        LoadBitmapSlot(m_normalBitmap, normalId, normalTransparent, failure);
        if (failure == FACE_OK)
            LoadBitmapSlot(m_pressedBitmap, pressedId, pressedTransparent, failure);
    }
    if (failure != FACE_OK) {
        ReleaseFace();
        return failure;
    }
    Invalidate();
    return FACE_OK;
}

int CImageButton::SetFaceIcon(UINT iconId, UINT alternativeId)
{
    ReleaseFace();
    struct Request {
        IconSlot& slot;
        UINT id;
    } requests[] = {{m_normalIcon, iconId}, {m_alternativeIcon, alternativeId}};
    for (Request& request : requests) {
        if (!request.id)
            continue;
        auto icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(request.id), IMAGE_ICON, 0, 0, 0));
        if (!icon)
            continue;
        request.slot.icon.Reset(icon);
        ICONINFO info{};
        if (!::GetIconInfo(icon, &info)) {
            ReleaseFace();
            return FACE_UNREADABLE;
        }
        CBitmapObject colour(info.hbmColor), mask(info.hbmMask);  // GetIconInfo's copies
        request.slot.width = static_cast<int>(info.xHotspot * 2);
        request.slot.height = static_cast<int>(info.yHotspot * 2);
    }
    Invalidate();
    return FACE_OK;
}

int CImageButton::SetImageAlignment(int alignment, bool repaint)
{
    if (alignment < 0 || alignment > 3)
        return FACE_BAD_ALIGNMENT;
    m_nAlignment = static_cast<BYTE>(alignment);
    if (repaint)
        Invalidate();
    return FACE_OK;
}

void CImageButton::SetTransparentBackground(bool repaint)
{
    m_bTransparentBackground = TRUE;
    m_background.Drop();
    if (repaint)
        Invalidate();
}

// The tooltip is a window of its own: it is made when the pointer first comes
// over the button, so that a window full of buttons starts without them.
void CImageButton::SetTipText(const char* text, bool activate)
{
    if (!text)
        return;
    m_strTipText = text;
    m_bTipActive = activate;
    if (m_toolTip.GetSafeHwnd())
        ShowTipText();
}

void CImageButton::MakeToolTip()
{
    if (m_toolTip.GetSafeHwnd() || !m_toolTip.CreateCovering(m_hWnd, m_strTipText.c_str()))
        return;
    m_toolTip.SetMaxTipWidth(400);
    ShowTipText();
}

void CImageButton::ShowTipText()
{
    m_toolTip.UpdateTipText(m_hWnd, 1, m_strTipText.c_str());
    m_toolTip.Activate(m_bTipActive);
}

LRESULT CImageButton::OnDrawItem(const DRAWITEMSTRUCT* item)
{
    m_bPressed = (item->itemState & ODS_SELECTED) != 0;
    m_bFocused = (item->itemState & ODS_FOCUS) != 0;
    m_bDisabled = (item->itemState & ODS_DISABLED) != 0;
    CSavedDC saved(item->hDC);
    // The button class draws on its parent's context: a caption wider than
    // the button would run over whatever lies beside it.
    ::IntersectClipRect(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom);
    PaintState paint{item->hDC, item->rcItem, item->rcItem};

    if (!m_pressedBitmap.bitmap) {
        ::SetBkMode(paint.dc, TRANSPARENT);
        PaintBackground(paint.dc, paint.item);
        PaintBorder(paint.dc, paint.item);
    }
    const std::string caption = GetWindowText();
    if (m_normalIcon.icon)
        DrawIcon(paint, !caption.empty());
    if (m_hoverBitmap.bitmap) {
        if (!m_pressedBitmap.bitmap)
            ::SetBkColor(paint.dc, DISABLED_FILL);
        DrawBitmap(paint, !caption.empty());
    }
    if (!caption.empty())
        DrawCaption(paint, caption);
    if ((!m_bFlat || m_bFlatFocus) && m_bFocused) {
        RECT focus = paint.item;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(paint.dc, &focus);
    }
    return TRUE;
}

void CImageButton::PaintBackground(HDC dc, RECT rect)
{
    if (m_bTransparentBackground) {
        if (!m_background.dc) {
            HWND parent = GetParent();
            RECT client, window;
            ::GetClientRect(m_hWnd, &client);
            ::GetWindowRect(m_hWnd, &window);
            ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
            CClientDC parentDc(parent);
            m_background.dc = ::CreateCompatibleDC(parentDc.Get());
            m_background.bitmap = ::CreateCompatibleBitmap(parentDc.Get(), client.right, client.bottom);
            m_background.previous = ::SelectObject(m_background.dc, m_background.bitmap);
            ::BitBlt(m_background.dc, 0, 0, client.right, client.bottom, parentDc.Get(), window.left, window.top, SRCCOPY);
        }
        ::BitBlt(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, m_background.dc, 0, 0, SRCCOPY);
        return;
    }
    if (!m_bFlat && (m_bFocused || m_bDefaultButton)) {
        FrameSolid(dc, rect, RGB(0, 0, 0));
        ::InflateRect(&rect, -1, -1);
    }
    const COLORREF fill = (m_bHover || m_bPressed) ? m_crHoverBackground
                          : m_bFocused             ? m_crFocusBackground
                                                   : m_crNormalBackground;
    CBrushObject brush(::CreateSolidBrush(fill));
    ::FillRect(dc, &rect, brush.Get());
}

void CImageButton::PaintBorder(HDC dc, const RECT& rect) const
{
    if (m_bPressed) {
        if (!m_bFlat)
            FrameSolid(dc, rect, ::GetSysColor(COLOR_BTNSHADOW));
        else if (m_bDrawBorder)
            Draw3dRect(dc, rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    if (!m_bFlat) {
        RECT inner = rect;
        ::InflateRect(&inner, -1, -1);
        Draw3dRect(dc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
        Draw3dRect(dc, inner, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    } else if (m_bHover && m_bDrawBorder) {
        Draw3dRect(dc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
}

RECT CImageButton::ImageRect(const RECT& item, RECT& caption, int width, int height, bool hasCaption) const
{
    const int itemWidth = item.right - item.left;
    const int itemHeight = item.bottom - item.top;
    const int centredX = item.left + (itemWidth - width) / 2;
    const int centredY = item.top + (itemHeight - height) / 2;
    RECT image{centredX, centredY, 0, 0};
    switch (m_nAlignment) {
    case 0:
        if (hasCaption) {
            image.left = item.left + m_nImageMarginX;
            caption.left += m_nImageMarginX + width;
        }
        break;
    case 1:
        if (hasCaption) {
            image.top = m_nImageMarginY;
            caption.top += height;
        }
        break;
    case 2:
        if (hasCaption) {
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            image.left = client.right - m_nImageMarginX - width;
            caption.right = caption.right - caption.left - m_nImageMarginX - width;
            caption.left = m_nImageMarginX;
        } else {
            image.top = item.top;
        }
        break;
    default:
        image.left = item.left;
        image.top = item.top;
        break;
    }
    if (m_bPressed) {
        image.left += m_nPressedOffsetX;
        image.top += m_nPressedOffsetY;
    }
    image.right = image.left + width;
    image.bottom = image.top + height;
    return image;
}

void CImageButton::DrawIcon(PaintState& paint, bool hasCaption)
{
    const bool alternative = m_alternativeIcon.icon && !m_bPressed && !m_bHover;
    const IconSlot& slot = alternative ? m_alternativeIcon : m_normalIcon;
    const RECT image = ImageRect(paint.item, paint.caption, slot.width, slot.height, hasCaption);
    ::DrawStateA(paint.dc, nullptr, nullptr, reinterpret_cast<LPARAM>(slot.icon.Get()), 0, image.left, image.top,
                 image.right - image.left, image.bottom - image.top, DST_ICON | (m_bDisabled ? DSS_DISABLED : DSS_NORMAL));
}

const CImageButton::BitmapSlot& CImageButton::CurrentBitmap() const
{
    if (m_bPressed && m_pressedBitmap.bitmap)
        return m_pressedBitmap;
    if (m_bHover || !m_normalBitmap.bitmap)
        return m_hoverBitmap;
    return m_normalBitmap;
}

void CImageButton::DrawBitmap(PaintState& paint, bool hasCaption)
{
    const BitmapSlot& slot = CurrentBitmap();
    const RECT image = ImageRect(paint.item, paint.caption, slot.width, slot.height, hasCaption);
    if (m_bDisabled && !m_bGreyDisabledBitmaps)
        return;
    CMemoryDC work(paint.dc);
    CBitmapObject composed(::CreateCompatibleBitmap(paint.dc, slot.width, slot.height));
    if (!work || !composed)
        return;
    CSelectObject select(work.Get(), composed.Get());
    if (!m_bDisabled || OnSkin()) {
        // Composed off the target so that the picture sits over whatever is under it.
        const HBITMAP picture = m_bDisabled ? slot.greyed.Get() : slot.bitmap.Get();
        ::BitBlt(work.Get(), 0, 0, slot.width, slot.height, paint.dc, image.left, image.top, SRCCOPY);
        MaskBlt(work.Get(), 0, 0, picture, slot.mask.Get(), slot.width, slot.height);
        ::BitBlt(paint.dc, image.left, image.top, slot.width, slot.height, work.Get(), 0, 0, SRCCOPY);
        return;
    }
    CBrushObject fill(::CreateSolidBrush(DISABLED_FILL));
    RECT all{0, 0, slot.width, slot.height};
    ::FillRect(work.Get(), &all, fill.Get());
    MaskBlt(work.Get(), 0, 0, slot.bitmap.Get(), slot.mask.Get(), slot.width, slot.height);
    ::BitBlt(paint.dc, image.left, image.top, slot.width, slot.height, work.Get(), 0, 0, SRCCOPY);
}

// On a skinned dialog a disabled picture sits on the dialog's background,
// greyed, like the enabled ones; elsewhere it keeps the classic disabled fill.
bool CImageButton::OnSkin() const
{
    return IsSkinDrawn(GetParent()) && CurrentBitmap().greyed;
}

void CImageButton::DrawCaption(PaintState& paint, const std::string& caption)
{
    RECT& area = paint.caption;
    if (m_bPressed)
        ::OffsetRect(&area, m_nPressedOffsetX, m_nPressedOffsetY);
    const UINT format = DT_SINGLELINE | DT_WORDBREAK | DT_BOTTOM | DT_CENTER;
    RECT text = area;
    ::DrawTextA(paint.dc, caption.c_str(), -1, &text, format | DT_CALCRECT);
    ::OffsetRect(&text, (area.right - area.left - (text.right - text.left)) / 2 + area.left - text.left,
                 (area.bottom - area.top - (text.bottom - text.top)) / 2 + area.top - text.top);
    ::SetBkMode(paint.dc, TRANSPARENT);
    // On a skinned dialog the caption stands on the skin's background, so it
    // writes as the skin's labels do; the system's colours suit only its own.
    COLORREF skinText = 0, skinDisabledText = 0;
    if (GetSkinTextColours(GetParent(), skinText, skinDisabledText)) {
        ::SetTextColor(paint.dc, m_bDisabled ? skinDisabledText : skinText);
        ::DrawTextA(paint.dc, caption.c_str(), -1, &text, format);
        return;
    }
    if (m_bDisabled) {
        RECT shadow = text;
        ::OffsetRect(&shadow, 1, 1);
        ::SetTextColor(paint.dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextA(paint.dc, caption.c_str(), -1, &shadow, format);
        ::SetTextColor(paint.dc, ::GetSysColor(COLOR_BTNSHADOW));
        ::DrawTextA(paint.dc, caption.c_str(), -1, &text, format);
        return;
    }
    const bool hot = m_bHover || m_bPressed;
    ::SetTextColor(paint.dc, hot ? m_crHoverText : m_bFocused ? m_crFocusText : m_crNormalText);
    ::SetBkColor(paint.dc, hot ? m_crHoverBackground : m_bFocused ? m_crFocusBackground : m_crNormalBackground);
    ::DrawTextA(paint.dc, caption.c_str(), -1, &text, format);
}
