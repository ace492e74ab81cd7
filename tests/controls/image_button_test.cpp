#include "controls/ImageButton.h"
#include "ControlHost.h"
#include "controls_test_ids.h"
#include "framework/Dialog.h"
#include "support/GuiObjects.h"
#include "support/MessageSequence.h"
#include "support/PixelCanvas.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const COLORREF PARENT_COLOUR = RGB(0, 128, 128);
const COLORREF NORMAL_FACE = RGB(0, 0, 200);
const COLORREF HOVER_FACE = RGB(0, 200, 0);
const COLORREF PRESSED_FACE = RGB(200, 0, 0);
const COLORREF ICON_COLOUR = RGB(255, 128, 0);
const COLORREF DISABLED_FILL = RGB(73, 76, 104);

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

// The buttons dialog, modeless, with an object that counts the clicks reaching it.
class ButtonsDialog : public CWindowBase {
public:
    int clicks = 0;

    ButtonsDialog()
    {
        SubclassWindow(::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_BUTTONS), nullptr,
                                            &PlainDialogProc, 0));
        // Above the shared host, so that the mouse finds the buttons.
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    ~ButtonsDialog() override
    {
        HWND hwnd = m_hWnd;
        UnsubclassWindow();
        ::DestroyWindow(hwnd);
    }
    HWND Item(UINT id) const { return ::GetDlgItem(m_hWnd, static_cast<int>(id)); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case WM_COMMAND: return OnCommand(wp);
        default: return CWindowBase::WindowProc(msg, wp, lp);
        }
    }

private:
    LRESULT OnCommand(WPARAM wp)
    {
        clicks += HIWORD(wp) == BN_CLICKED ? 1 : 0;
        return 0;
    }
};

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.GetSafeHwnd());
        ASSERT_TRUE(m_picture.SubclassWindow(m_dialog.Item(IDC_PICTURE)));
        ::GetClientRect(m_picture.GetSafeHwnd(), &m_client);
    }

    // The picture buttons' set-up: three faces at the top-left corner.
    int LoadFaces()
    {
        m_picture.SetImageAlignment(3, false);
        return m_picture.SetStateBitmaps(IDB_FACE_HOVER, 0, IDB_FACE_NORMAL, 0, IDB_FACE_PRESSED, 0);
    }
    // Paints the picture button as the dialog manager would, over the parent colour.
    void Draw(PixelCanvas& canvas, UINT state)
    {
        canvas.Fill(PARENT_COLOUR);
        DRAWITEMSTRUCT item{ODT_BUTTON, IDC_PICTURE, 0, ODA_DRAWENTIRE, state, m_picture.GetSafeHwnd(), canvas.Dc(), m_client, 0};
        ::SendMessageA(m_picture.GetSafeHwnd(), WM_REFLECT + WM_DRAWITEM, IDC_PICTURE, reinterpret_cast<LPARAM>(&item));
    }
    void MoveMouseOnto(HWND hwnd, WPARAM keys = 0)
    {
        RECT window;
        ::GetWindowRect(hwnd, &window);
        ::SetCursorPos((window.left + window.right) / 2, (window.top + window.bottom) / 2);
        ::SendMessageA(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(5, 5));
    }
    PixelCanvas Canvas() const { return PixelCanvas(m_client.right, m_client.bottom); }

    ButtonsDialog m_dialog;
    CImageButton m_picture;
    RECT m_client{};
};

TEST_F(ImageButtonTest, BitmapsShowThroughTheirMasksPerState)
{
    ASSERT_EQ(0, LoadFaces());
    PixelCanvas canvas(m_client.right, m_client.bottom);
    Draw(canvas, 0);
    EXPECT_EQ(PARENT_COLOUR, canvas.Pixel(1, 1)) << "black is transparent";
    EXPECT_EQ(NORMAL_FACE, canvas.Pixel(10, 10));
    EXPECT_EQ(PARENT_COLOUR, canvas.Pixel(25, 25)) << "nothing outside the bitmap";
    Draw(canvas, ODS_SELECTED);
    EXPECT_EQ(PRESSED_FACE, canvas.Pixel(10, 10));
    EXPECT_EQ(PRESSED_FACE, canvas.Pixel(4, 4)) << "the picture does not move while pressed";
    EXPECT_EQ(PARENT_COLOUR, canvas.Pixel(3, 3));
    Draw(canvas, ODS_DISABLED);
    EXPECT_EQ(DISABLED_FILL, canvas.Pixel(1, 1));
    EXPECT_EQ(NORMAL_FACE, canvas.Pixel(10, 10));
}

TEST_F(ImageButtonTest, ACaptionWiderThanTheButtonStaysInsideIt)
{
    ASSERT_EQ(0, LoadFaces());
    m_picture.SetWindowText("A caption far wider than any button of the dialog");
    const int w = m_client.right, h = m_client.bottom;
    PixelCanvas canvas(3 * w, h);
    for (UINT state : {0u, static_cast<UINT>(ODS_DISABLED)}) {
        canvas.Fill(PARENT_COLOUR);
        DRAWITEMSTRUCT item{ODT_BUTTON, IDC_PICTURE, 0, ODA_DRAWENTIRE, state, m_picture.GetSafeHwnd(), canvas.Dc(),
                            {w, 0, 2 * w, h}, 0};
        ::SendMessageA(m_picture.GetSafeHwnd(), WM_REFLECT + WM_DRAWITEM, IDC_PICTURE, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(w * h, canvas.CountColour(PARENT_COLOUR, 0, 0, w, h)) << "left of it, state " << state;
        EXPECT_EQ(w * h, canvas.CountColour(PARENT_COLOUR, 2 * w, 0, 3 * w, h)) << "right of it, state " << state;
    }
}

TEST_F(ImageButtonTest, HoverShowsTheHoverFaceUntilTheMouseLeaves)
{
    ASSERT_EQ(0, LoadFaces());
    PixelCanvas canvas(m_client.right, m_client.bottom);
    MessageRecorder recorder(m_picture.GetSafeHwnd(), m_dialog.GetSafeHwnd());
    MoveMouseOnto(m_picture.GetSafeHwnd(), MK_LBUTTON);
    Draw(canvas, 0);
    EXPECT_EQ(NORMAL_FACE, canvas.Pixel(10, 10)) << "a press that started elsewhere does not highlight";
    MoveMouseOnto(m_picture.GetSafeHwnd());
    Draw(canvas, 0);
    EXPECT_EQ(HOVER_FACE, canvas.Pixel(10, 10));
    PumpMessages();
    static const ExpectedMessage moves[] = {
        {WM_MOUSEMOVE, SEQ_WPARAM, MK_LBUTTON, 0},
        {WM_MOUSEMOVE, SEQ_WPARAM, 0, 0},
        {UWM_BUTTON_MOUSEMOVE, SEQ_PARENT | SEQ_POSTED | SEQ_LPARAM, 0, 0},
        // Moving the cursor there may queue a real mouse move as well.
        {WM_MOUSEMOVE, SEQ_POSTED | SEQ_OPTIONAL, 0, 0},
        {UWM_BUTTON_MOUSEMOVE, SEQ_PARENT | SEQ_POSTED | SEQ_OPTIONAL, 0, 0},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(moves, "hover"));
    // Leaving onto another window: the system reports the leave while messages are pumped.
    MoveCursorAway();
    EXPECT_TRUE(PumpMessagesUntil([&] {
        Draw(canvas, 0);
        return canvas.Pixel(10, 10) == NORMAL_FACE;
    })) << "the hover face stays after the mouse left";
}

TEST_F(ImageButtonTest, TheHoverNoticeLeavesTheDialogsDefaultButtonAlone)
{
    const HWND dialog = m_dialog.GetSafeHwnd();
    const HWND next = m_dialog.Item(IDC_NEXT);
    ::SendMessageA(dialog, DM_SETDEFID, IDC_NEXT, 0);
    ASSERT_EQ(MAKELRESULT(IDC_NEXT, DC_HASDEFID), ::SendMessageA(dialog, DM_GETDEFID, 0, 0));
    ::SendMessageA(m_picture.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(MAKELRESULT(IDC_NEXT, DC_HASDEFID), ::SendMessageA(dialog, DM_GETDEFID, 0, 0));
    EXPECT_EQ(static_cast<LONG>(BS_DEFPUSHBUTTON), ::GetWindowLongA(next, GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(ImageButtonTest, DisablingMovesTheFocusToTheNextTabItem)
{
    ::SetFocus(m_dialog.Item(IDC_NEXT));
    ::EnableWindow(m_picture.GetSafeHwnd(), FALSE);
    EXPECT_EQ(m_dialog.Item(IDC_STOP), ::GetFocus()) << "whether or not the button had the focus";
}

TEST_F(ImageButtonTest, TheDialogManagersRestyleKeepsThePushButtonOwnerDrawn)
{
    CImageButton stop;
    ASSERT_TRUE(stop.SubclassWindow(m_dialog.Item(IDC_STOP)));
    EXPECT_EQ(static_cast<DWORD>(BS_PUSHBUTTON), stop.GetStyle() & BS_TYPEMASK) << "subclassing changes no style";
    MessageRecorder recorder(stop.GetSafeHwnd(), m_dialog.GetSafeHwnd());
    ::SendMessageA(m_dialog.GetSafeHwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(stop.GetSafeHwnd()), TRUE);
    ::UpdateWindow(stop.GetSafeHwnd());
    static const ExpectedMessage madeDefault[] = {
        {WM_DRAWITEM, SEQ_PARENT | SEQ_WPARAM | SEQ_OPTIONAL, IDC_PICTURE, 0},  // the picture button loses the focus
        {BM_SETSTYLE, SEQ_WPARAM, BS_DEFPUSHBUTTON, 0},
        {WM_DRAWITEM, SEQ_PARENT | SEQ_WPARAM, IDC_STOP, 0},
        {WM_REFLECT + WM_DRAWITEM, SEQ_WPARAM, IDC_STOP, 0},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(madeDefault, "made the default button"));
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), stop.GetStyle() & BS_TYPEMASK);
    EXPECT_TRUE(stop.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);

    recorder.Clear();
    ::SendMessageA(m_dialog.GetSafeHwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_dialog.Item(IDC_NEXT)), TRUE);
    static const ExpectedMessage madePlain[] = {
        {BM_SETSTYLE, SEQ_WPARAM, BS_PUSHBUTTON, 0},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(madePlain, "no longer the default button"));
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), stop.GetStyle() & BS_TYPEMASK);
    const LRESULT code = stop.SendMessage(WM_GETDLGCODE);
    EXPECT_TRUE(code & DLGC_UNDEFPUSHBUTTON);
    EXPECT_FALSE(code & DLGC_DEFPUSHBUTTON);
}

TEST_F(ImageButtonTest, IconAlignmentsAndPressedOffsets)
{
    ASSERT_EQ(0, m_picture.SetFaceIcon(IDI_FACE, 0));
    const int w = m_client.right, h = m_client.bottom;
    struct Case {
        int alignment;
        const char* caption;
        int x, y;  // the icon's top-left corner
    } cases[] = {
        {0, "", (w - 24) / 2, (h - 24) / 2},
        {0, "A", 3, (h - 24) / 2},
        {1, "A", (w - 24) / 2, 3},
        {2, "", (w - 24) / 2, 0},
        {2, "A", w - 3 - 24, (h - 24) / 2},
        {3, "A", 0, 0},
    };
    PixelCanvas canvas(w, h);
    for (const Case& c : cases) {
        m_picture.SetWindowText(c.caption);
        ASSERT_EQ(0, m_picture.SetImageAlignment(c.alignment, true));
        for (int pressed : {0, 1}) {
            Draw(canvas, pressed ? ODS_SELECTED : 0);
            const int x = c.x + 6 + pressed, y = c.y + 6 + pressed;  // the orange square's corner
            EXPECT_EQ(ICON_COLOUR, canvas.Pixel(x, y)) << c.alignment << c.caption << pressed;
            EXPECT_NE(ICON_COLOUR, canvas.Pixel(x - 1, y - 1)) << c.alignment << c.caption << pressed;
        }
    }
    EXPECT_EQ(4, m_picture.SetImageAlignment(4, true));
}

TEST_F(ImageButtonTest, TheCaptionMovesWhilePressedOverTheCopiedBackground)
{
    CImageButton stop;
    ASSERT_TRUE(stop.SubclassWindow(m_dialog.Item(IDC_STOP)));
    stop.SetTransparentBackground(true);
    RECT client;
    ::GetClientRect(stop.GetSafeHwnd(), &client);
    ::UpdateWindow(m_dialog.GetSafeHwnd());
    {
        // What lies on the screen under the button is what it copies.
        HDC dc = ::GetDC(m_dialog.GetSafeHwnd());
        RECT under = client;
        ::MapWindowPoints(stop.GetSafeHwnd(), m_dialog.GetSafeHwnd(), reinterpret_cast<POINT*>(&under), 2);
        HBRUSH brush = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(dc, &under, brush);
        ::DeleteObject(brush);
        ::ReleaseDC(m_dialog.GetSafeHwnd(), dc);
    }
    auto draw = [&](PixelCanvas& canvas, UINT state) {
        DRAWITEMSTRUCT item{ODT_BUTTON, IDC_STOP, 0, ODA_DRAWENTIRE, state, stop.GetSafeHwnd(), canvas.Dc(), client, 0};
        ::SendMessageA(stop.GetSafeHwnd(), WM_REFLECT + WM_DRAWITEM, IDC_STOP, reinterpret_cast<LPARAM>(&item));
    };
    PixelCanvas normal(client.right, client.bottom), pressed(client.right, client.bottom);
    draw(normal, 0);
    draw(pressed, ODS_SELECTED);
    EXPECT_EQ(RGB(255, 0, 255), normal.Pixel(client.right / 2, 1));
    // The caption's left-most ink moves one pixel right and down.
    auto firstInk = [&](const PixelCanvas& canvas) {
        for (int x = 2; x < client.right - 2; ++x)
            for (int y = 2; y < client.bottom - 2; ++y)
                if (canvas.Pixel(x, y) == ::GetSysColor(COLOR_BTNTEXT))
                    return POINT{x, y};
        return POINT{-1, -1};
    };
    const POINT a = firstInk(normal), b = firstInk(pressed);
    ASSERT_GE(a.x, 0);
    EXPECT_EQ(a.x + 1, b.x);
    EXPECT_EQ(a.y + 1, b.y);
}

TEST_F(ImageButtonTest, ASystemColourChangeRedrawsTheCaptionInTheNewColour)
{
    const INT element = COLOR_BTNTEXT;
    const COLORREF original = ::GetSysColor(COLOR_BTNTEXT);
    const COLORREF changed = RGB(200, 0, 100);
    PixelCanvas canvas(m_client.right, m_client.bottom);
    auto inked = [&](COLORREF colour) {
        Draw(canvas, 0);
        return canvas.CountColour(colour);
    };
    EXPECT_GT(inked(original), 0);
    ::SetSysColors(1, &element, &changed);
    m_picture.SendMessage(WM_SYSCOLORCHANGE);
    const int newInk = inked(changed);
    ::SetSysColors(1, &element, &original);
    m_picture.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_GT(newInk, 0);
}

TEST_F(ImageButtonTest, TooltipIsMadeOnTheFirstHoverWithTheLastText)
{
    auto findTip = [this] {
        HWND tip = nullptr;
        while ((tip = ::FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) != nullptr)
            if (::GetWindow(tip, GW_OWNER) == m_dialog.GetSafeHwnd())
                break;
        return tip;
    };
    m_picture.SetTipText("Remove this media file", true);
    m_picture.SetTipText("Add the media file", true);
    EXPECT_FALSE(findTip());
    MSG hover{m_picture.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {5, 5}};
    m_picture.PreTranslateMessage(&hover);
    m_picture.PreTranslateMessage(&hover);
    HWND tip = findTip();
    ASSERT_TRUE(tip);
    EXPECT_EQ(1, ::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = m_picture.GetSafeHwnd();
    tool.uId = 1;
    tool.lpszText = text;
    ::SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ("Add the media file", text);
}

TEST_F(ImageButtonTest, BrokenFacesAreRefused)
{
    EXPECT_EQ(0, m_picture.SetStateBitmaps(9999, 0, IDB_FACE_NORMAL, 0, IDB_FACE_PRESSED, 0));
    PixelCanvas canvas(m_client.right, m_client.bottom);
    Draw(canvas, 0);
    EXPECT_NE(NORMAL_FACE, canvas.Pixel(10, 10)) << "without a hover bitmap the button has no face";
    EXPECT_EQ(0, m_picture.SetFaceIcon(9999, 0));
    EXPECT_EQ(0, m_picture.SendMessage(BM_GETCHECK));
}

// Double-clicks only turn into presses in the dialog's own loop.
class ClickDialog : public CDialogBase {
public:
    int pictureClicks = 0;
    CImageButton picture;
    ClickDialog() : CDialogBase(IDD_BUTTONS) { BindItem(IDC_PICTURE, picture); }

protected:
    BOOL OnInitDialog() override
    {
        CDialogBase::OnInitDialog();
        HWND button = picture.GetSafeHwnd();
        const LPARAM at = MAKELPARAM(5, 5);
        for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            ::PostMessageA(button, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
        ::PostMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    void OnCommand(UINT id, UINT code, HWND hwndControl) override
    {
        if (id == IDC_PICTURE && code == BN_CLICKED)
            ++pictureClicks;
        CDialogBase::OnCommand(id, code, hwndControl);
    }
};

TEST(ImageButtonDialogTest, ADoubleClickGivesTwoClicks)
{
    ClickDialog dialog;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(2, dialog.pictureClicks);
}

TEST(ImageButtonLeakTest, RepeatedFacesPaintsAndButtonsLeaveNoObjectsBehind)
{
    ControlHost& host = ControlHost::Shared();
    auto cycle = [&] {
        CImageButton button;
        ASSERT_TRUE(button.SubclassWindow(host.CreateChild("BUTTON", BS_OWNERDRAW, 50, 56, 101, "Add")));
        button.SetStateBitmaps(IDB_FACE_HOVER, 0, IDB_FACE_NORMAL, 0, IDB_FACE_PRESSED, 0);
        button.SetStateBitmaps(IDB_FACE_HOVER, 0, IDB_FACE_NORMAL, 0, IDB_FACE_PRESSED, 0);
        button.SetTipText("tip", true);
        MSG hover{button.GetSafeHwnd(), WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
        button.PreTranslateMessage(&hover);
        PixelCanvas canvas(50, 56);
        RECT client{0, 0, 50, 56};
        DRAWITEMSTRUCT item{ODT_BUTTON, 101, 0, ODA_DRAWENTIRE, 0, button.GetSafeHwnd(), canvas.Dc(), client, 0};
        button.SendMessage(WM_REFLECT + WM_DRAWITEM, 101, reinterpret_cast<LPARAM>(&item));
        item.itemState = ODS_DISABLED;
        button.SendMessage(WM_REFLECT + WM_DRAWITEM, 101, reinterpret_cast<LPARAM>(&item));
        button.SetFaceIcon(IDI_FACE, IDI_FACE);
        button.SetTransparentBackground(false);
        button.SendMessage(WM_REFLECT + WM_DRAWITEM, 101, reinterpret_cast<LPARAM>(&item));
        button.SendMessage(WM_SYSCOLORCHANGE);
        button.DestroyWindow();
    };
    EXPECT_TRUE(LeavesNoGuiObjects(cycle));
}

}  // namespace
