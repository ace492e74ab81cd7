#include "skin/engine/KindTable.h"

#include "skin/core/ControlObjects.h"
#include "skin/engine/SkinnedControl.h"
#include "skin/draw/OffscreenBuffer.h"
#include "skin/engine/CurrentSkin.h"

#include <string>

namespace skin {

namespace {

enum DropButtonState { kDropNormal, kDropHovered, kDropPressed };

// How far from the right edge the mouse lights the drop button.
constexpr int kHotWidth = 16;

// Where the parts go, from the client rectangle and the frame image's margins.
struct ComboGeometry {
    RECT client;
    RECT field;       // inside the frame
    RECT dropButton;  // at the right, one scroll-bar arrow wide
    RECT textArea;    // where the selection is shown
};

ComboGeometry ComboGeometryFor(const RECT& client, const NineGridImage& frame, int arrowWidth)
{
    ComboGeometry g{};
    g.client = client;
    g.field = {client.left + frame.marginLeft, client.top + frame.marginTop, client.right - frame.marginRight,
               client.bottom - frame.marginBottom};
    g.dropButton = {client.right - arrowWidth, client.top + frame.marginTop, client.right - frame.marginRight,
                    client.bottom - frame.marginBottom};
    g.textArea = {g.field.left + 1, g.field.top + 1, g.dropButton.left - 2, g.field.bottom - 1};
    return g;
}

// The rightmost pixels of the client area, inside the frame's right and
// bottom margins, light the drop button.
bool InHotArea(const ComboGeometry& geometry, const NineGridImage& frame, POINT point)
{
    const RECT& c = geometry.client;
    return point.x >= c.right - kHotWidth && point.x < c.right - frame.marginRight && point.y >= c.top &&
           point.y < c.bottom - frame.marginBottom;
}

class SkinnedComboBox : public SkinnedControl {
public:
    SkinnedComboBox() : SkinnedControl(kTypeComboBox) {}

    bool Subclass(HWND hwnd) override;
    void Attach(SkinObject* object) override;
    void Unskin() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    // Variable-height owner drawing, and simple combo boxes, whose list is
    // skinned as a list box of its own, keep the system look.
    bool Refuses(HWND hwnd) const override
    {
        const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
        return (style & CBS_OWNERDRAWVARIABLE) || (style & 3) == CBS_SIMPLE;
    }

private:
    void TakeObject();
    void Paint(HDC given);
    void DrawSkinned(HDC dc, const ComboGeometry& geometry);
    void DrawOwnerDrawn(HDC dc, HDC target, const ComboGeometry& geometry);
    void DrawFrame(HDC dc, const RECT& client) const;
    void DrawDropButton(HDC dc, const RECT& button) const;
    void DrawSelection(HDC dc, const RECT& textArea, bool focused, bool enabled) const;
    const NineGridImage& DropButtonImage(bool enabled) const;
    ComboGeometry Geometry() const;
    void Repaint();
    void SetDropState(int state);
    void OnMouseMove(LPARAM lp);
    LRESULT PassOnAndRepaint(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT FieldColours(HDC dc, bool disabled);

    const ComboBox* m_pCombo = nullptr;  // the object, when it is a combo box
    int m_dropState = kDropNormal;
    bool m_bTrackingLeave = false;
    bool m_bOwnerDrawn = false;  // fixed-height owner drawing: the system draws the field
    CBrushObject m_backBrush;
    CBrushObject m_disabledBrush;
};

// Subclassing may attach the control's own object in place of the default one.
bool SkinnedComboBox::Subclass(HWND hwnd)
{
    m_bOwnerDrawn = (::GetWindowLongA(hwnd, GWL_STYLE) & CBS_OWNERDRAWFIXED) != 0;
    if (!SkinnedControl::Subclass(hwnd))
        return false;
    TakeObject();
    return true;
}

void SkinnedComboBox::Attach(SkinObject* object)
{
    SkinnedControl::Attach(object);
    TakeObject();
    if (m_hWnd)
        Repaint();
}

void SkinnedComboBox::TakeObject()
{
    m_pCombo = ObjectAs<ComboBox>(Object());
    m_backBrush.Reset(m_pCombo ? ::CreateSolidBrush(Rgb(m_pCombo->m_backColour)) : nullptr);
    m_disabledBrush.Reset(m_pCombo ? ::CreateSolidBrush(Rgb(m_pCombo->m_disabledBackground)) : nullptr);
}

void SkinnedComboBox::Unskin()
{
    const HWND hwnd = m_hWnd;
    const bool destroying = IsDestroying();
    SkinnedControl::Unskin();
    if (hwnd && !destroying)
        ::InvalidateRect(hwnd, nullptr, TRUE);  // the system's own look again
}

ComboGeometry SkinnedComboBox::Geometry() const
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    return ComboGeometryFor(client, m_pCombo->m_image, ::GetSystemMetrics(SM_CYHSCROLL));
}

void SkinnedComboBox::Repaint()
{
    if (!::IsWindow(m_hWnd))
        return;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
}

void SkinnedComboBox::Paint(HDC given)
{
    CPaintDC target(m_hWnd, given);
    const ComboGeometry geometry = Geometry();
    COffscreenBuffer buffer(target.Get(), geometry.client);
    if (!buffer)
        return;
    if (m_bOwnerDrawn)
        DrawOwnerDrawn(buffer.Dc(), target.Get(), geometry);
    else
        DrawSkinned(buffer.Dc(), geometry);
    buffer.CopyTo(target.Get());
}

void SkinnedComboBox::DrawSkinned(HDC dc, const ComboGeometry& geometry)
{
    const bool enabled = ::IsWindowEnabled(m_hWnd) != FALSE;
    const bool focused = ::GetFocus() == m_hWnd;
    DrawFrame(dc, geometry.client);
    ::FillRect(dc, &geometry.field, enabled ? m_backBrush.Get() : m_disabledBrush.Get());
    if (!enabled)
        FillSolid(dc, geometry.textArea, Rgb(m_pCombo->m_disabledBackground));
    else if (focused)
        FillSolid(dc, geometry.textArea, Rgb(m_pCombo->m_focusColour));
    DrawSelection(dc, geometry.textArea, focused, enabled);
    DrawDropButton(dc, geometry.dropButton);
}

// The system draws the field and the owner its item; the skin adds the frame
// and the drop button around that part of the system's picture.
void SkinnedComboBox::DrawOwnerDrawn(HDC dc, HDC target, const ComboGeometry& geometry)
{
    COffscreenBuffer system(target, geometry.client);
    if (!system)
        return;
    CallKeptProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(system.Dc()), PRF_CLIENT);
    DrawFrame(dc, geometry.client);
    DrawDropButton(dc, geometry.dropButton);
    const RECT& kept = geometry.textArea;
    ::BitBlt(dc, kept.left, kept.top, kept.right - kept.left, kept.bottom - kept.top, system.Dc(), kept.left,
             kept.top, SRCCOPY);
}

// The frame image around the client area, the field colour where it draws nothing.
void SkinnedComboBox::DrawFrame(HDC dc, const RECT& client) const
{
    FillSolid(dc, client, Rgb(m_pCombo->m_backColour));
    DrawNineGridImage(dc, client, m_pCombo->m_image, CurrentSkinImages(), Rgb(m_pCombo->m_backColour));
}

void SkinnedComboBox::DrawSelection(HDC dc, const RECT& textArea, bool focused, bool enabled) const
{
    const auto selected = ::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return;
    const auto length = ::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length <= 0)
        return;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const auto copied = ::SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                                       reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    Colour colour = m_pCombo->m_font.textColour;
    if (!enabled)
        colour = m_pCombo->m_disabledText;
    else if (focused)
        colour = m_pCombo->m_focusTextColour;
    CSavedDC saved(dc);
    ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Rgb(colour));
    RECT area = textArea;
    // Items are shown as they are: an ampersand is no mnemonic in a list.
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

const NineGridImage& SkinnedComboBox::DropButtonImage(bool enabled) const
{
    const NineGridImage* thumbs = m_pCombo->m_thumbs;
    int state = kThumbNormal;
    if (!enabled)
        state = kThumbDisabled;
    else if (m_dropState == kDropHovered)
        state = kThumbHovered;
    else if (m_dropState == kDropPressed)
        state = kThumbPressed;
    return thumbs[state].IsAbsent() ? thumbs[kThumbNormal] : thumbs[state];
}

void SkinnedComboBox::DrawDropButton(HDC dc, const RECT& button) const
{
    DrawGridLeavingOut(dc, button, DropButtonImage(::IsWindowEnabled(m_hWnd) != FALSE));
}

void SkinnedComboBox::SetDropState(int state)
{
    if (state == m_dropState)
        return;
    m_dropState = state;
    Repaint();
}

void SkinnedComboBox::OnMouseMove(LPARAM lp)
{
    if (!m_bTrackingLeave) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
        m_bTrackingLeave = ::TrackMouseEvent(&track) != FALSE;
    }
    if (m_dropState == kDropPressed)
        return;  // the press shows until the button is released
    const POINT point{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    SetDropState(InHotArea(Geometry(), m_pCombo->m_image, point) ? kDropHovered : kDropNormal);
}

LRESULT SkinnedComboBox::PassOnAndRepaint(UINT msg, WPARAM wp, LPARAM lp)
{
    const LRESULT result = CallKeptProc(msg, wp, lp);
    Repaint();
    return result;
}

LRESULT SkinnedComboBox::FieldColours(HDC dc, bool disabled)
{
    ::SetBkColor(dc, disabled ? Rgb(m_pCombo->m_disabledBackground) : Rgb(m_pCombo->m_backColour));
    ::SetTextColor(dc, disabled ? Rgb(m_pCombo->m_disabledText) : Rgb(m_pCombo->m_textColour));
    return reinterpret_cast<LRESULT>(disabled ? m_disabledBrush.Get() : m_backBrush.Get());
}

LRESULT SkinnedComboBox::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!m_pCombo || !m_hWnd)
        return SkinnedControl::WindowProc(msg, wp, lp);
    switch (msg) {
    case WM_PAINT: Paint(nullptr); return 0;
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_COMMAND:
    case WM_ENABLE:
    case CB_SELECTSTRING:
    case CB_SETCURSEL: return PassOnAndRepaint(msg, wp, lp);
    case WM_MOUSEMOVE: {
        const LRESULT result = CallKeptProc(msg, wp, lp);
        OnMouseMove(lp);
        return result;
    }
    case WM_MOUSELEAVE:
        m_bTrackingLeave = false;
        SetDropState(kDropNormal);
        return CallKeptProc(msg, wp, lp);
    case WM_LBUTTONDOWN: {
        const LRESULT result = CallKeptProc(msg, wp, lp);
        SetDropState(kDropPressed);
        return result;
    }
    case WM_LBUTTONUP: {
        const LRESULT result = CallKeptProc(msg, wp, lp);
        SetDropState(kDropNormal);
        return result;
    }
    case WM_CTLCOLOREDIT: return FieldColours(reinterpret_cast<HDC>(wp), !::IsWindowEnabled(m_hWnd));
    case WM_CTLCOLORSTATIC:
        return m_disabledBrush ? FieldColours(reinterpret_cast<HDC>(wp), true) : CallKeptProc(msg, wp, lp);
    default: return SkinnedControl::WindowProc(msg, wp, lp);
    }
}

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedComboBox()
{
    return std::make_unique<SkinnedComboBox>();
}

}  // namespace skin
