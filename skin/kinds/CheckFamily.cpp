#include "skin/kinds/CheckFamily.h"

#include "skin/kinds/ButtonLooks.h"

namespace skin {

namespace {

// The box at the content's left edge (right with BS_LEFTTEXT), placed
// vertically by the style; the text takes the rest of the width.
void PlaceBox(const RECT& content, SIZE box, LONG style, RECT& boxRect, RECT& textRect)
{
    const LONG vertical = style & BS_VCENTER;
    LONG top = content.top + (content.bottom - content.top - box.cy) / 2;
    if (vertical == BS_TOP)
        top = content.top;
    else if (vertical == BS_BOTTOM)
        top = content.bottom - box.cy;
    textRect = content;
    if (style & BS_LEFTTEXT) {
        boxRect = {content.right - box.cx, top, content.right, top + box.cy};
        textRect.right = boxRect.left;
    } else {
        boxRect = {content.left, top, content.left + box.cx, top + box.cy};
        textRect.left = boxRect.right + 2;
    }
}

}  // namespace

void SkinnedCheckFamily::Draw(HDC dc)
{
    const auto* object = ObjectAs<CheckControl>(Object());
    if (!object)
        return;
    const UINT state = ButtonState();
    const bool focused = HasFocus();
    // A check box being clicked shows its selected look.
    const bool checked = (state & BST_CHECKED) != 0 || (!IsRadio() && !focused && IsPressed());
    const CheckChoice choice = ChooseCheckLook(
        {::IsWindowEnabled(m_hWnd) != FALSE, (state & BST_PUSHED) != 0, focused, checked, IsHovered()}, *object,
        IsRadio());

    const RECT client = ClientRect();
    const ImageResolver images = CurrentSkinImages();
    const NineGridImage& background = object->m_states[choice.background].background;
    if (object->m_transparent)
        PaintOwnerBackground(dc);
    else
        DrawGridOrFill(dc, client, background, images, ButtonFace());

    const ImageSlice& box = object->m_states[choice.box].box;
    RECT boxRect{}, textRect{};
    PlaceBox(Inset(client, background), {box.source.Width(), box.source.Height()}, Style(), boxRect, textRect);
    if (!box.IsAbsent())
        DrawLeavingOutColour(dc, boxRect, SkinTransparentColour(),
                             [&](HDC buffer) { return DrawImageSlice(buffer, boxRect, box, images); });
    DrawText(dc, textRect, object->m_states[choice.effect].effect, false, 199);
}

}  // namespace skin
