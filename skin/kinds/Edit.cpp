#include "skin/engine/KindTable.h"

#include "skin/kinds/ScrollingControl.h"

#include <richedit.h>

namespace skin {

namespace {

// Edit fields and rich edit controls share one class: their frame and colours
// come from the same keys.
class SkinnedEdit : public SkinnedScrollingControl {
public:
    using SkinnedScrollingControl::SkinnedScrollingControl;

protected:
    // A disabled or read-only field asks with WM_CTLCOLORSTATIC, an enabled
    // one with WM_CTLCOLOREDIT; both end here.
    HBRUSH EditBrush(HDC dc) override
    {
        const bool readOnly = (::GetWindowLongA(m_hWnd, GWL_STYLE) & ES_READONLY) != 0;
        return ColourControl(dc, readOnly || !::IsWindowEnabled(m_hWnd));
    }

    // A rich edit control asks nobody for its colours.
    void ApplyColours() override
    {
        if (Kind() == kTypeRichEdit && EdgeObject())
            ::SendMessageA(m_hWnd, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(BackColour()));
    }

    void RestoreColours() override
    {
        if (Kind() == kTypeRichEdit)
            ::SendMessageA(m_hWnd, EM_SETBKGNDCOLOR, 1, 0);  // the system's window colour
    }
};

}  // namespace

std::unique_ptr<SkinnedWindow> CreateSkinnedEdit()
{
    return std::make_unique<SkinnedEdit>(kTypeEdit);
}

std::unique_ptr<SkinnedWindow> CreateSkinnedRichEdit()
{
    return std::make_unique<SkinnedEdit>(kTypeRichEdit);
}

}  // namespace skin
