#include "skin/engine/KindTable.h"

#include "skin/core/ControlObjects.h"
#include "skin/draw/OffscreenBuffer.h"
#include "skin/engine/CurrentSkin.h"
#include "skin/engine/SkinnedControl.h"

#include <commctrl.h>

namespace skin {

namespace {

constexpr int kTextPadding = 6;  // between an item's edge and its text

UINT TextAlignment(int format)
{
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_CENTER: return DT_CENTER;
    case HDF_RIGHT: return DT_RIGHT;
    default: return DT_LEFT;
    }
}

// The column header of a list view: its band and items drawn from the skin's
// Header object; the system keeps its tracking, sizing and clicks.
class SkinnedHeader : public SkinnedControl {
public:
    SkinnedHeader() : SkinnedControl(kTypeHeader) {}

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        const Header* object = ObjectAs<Header>(Object());
        if (!m_hWnd || !object)
            return SkinnedControl::WindowProc(msg, wp, lp);
        switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            CPaintDC paint(m_hWnd, msg == WM_PRINTCLIENT ? reinterpret_cast<HDC>(wp) : nullptr);
            Paint(paint.Get(), *object);
            return 0;
        }
        default: return SkinnedControl::WindowProc(msg, wp, lp);
        }
    }

private:
    void Paint(HDC dc, const Header& object)
    {
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        COffscreenBuffer buffer(dc, client);
        const HDC target = buffer ? buffer.Dc() : dc;
        const ImageResolver images = CurrentSkinImages();
        ::FillRect(target, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        DrawNineGridImage(target, client, object.m_image, images);
        CSelectObject font(target, reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
        const int count = static_cast<int>(::SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0));
        for (int item = 0; item < count; ++item)
            PaintItem(target, object, images, item);
        if (buffer)
            buffer.CopyTo(dc);
    }

    void PaintItem(HDC dc, const Header& object, const ImageResolver& images, int item)
    {
        RECT rect{};
        if (!::SendMessageA(m_hWnd, HDM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect)))
            return;
        DrawNineGridImage(dc, rect, object.m_item, images);
        char text[260] = {};
        HDITEMA info{};
        info.mask = HDI_TEXT | HDI_FORMAT;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        if (!::SendMessageA(m_hWnd, HDM_GETITEMA, item, reinterpret_cast<LPARAM>(&info)))
            return;
        ::InflateRect(&rect, -kTextPadding, 0);
        DrawEffectText(dc, text, rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | TextAlignment(info.fmt),
                       object.m_effect);
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedHeader()
{
    return std::make_unique<SkinnedHeader>();
}

}  // namespace skin
