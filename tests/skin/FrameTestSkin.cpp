#include "FrameTestSkin.h"

#include "SkinParts.h"
#include "TestSkins.h"

#include "skin/core/FrameObjects.h"
#include "skin/core/PlainObjects.h"

#include <cstring>

using namespace skin;

namespace frametest {

namespace {

// Cells of the test image: the two top corners at their design size, then
// an 8 x 8 cell per colour.
constexpr int kImageWidth = 400;
constexpr int kImageHeight = 30;
constexpr int kTopRightCell = 100;
constexpr int kCellsStart = 210;
constexpr int kCell = 8;

enum Cell { kCellTop, kCellLeft, kCellClient, kCellRight, kCellBottomLeft, kCellBottom, kCellBottomRight,
            kCellInactiveTop, kCellButtonNormal, kCellButtonPressed, kCellCount };

COLORREF CellColour(int cell)
{
    switch (cell) {
    case kCellTop: return PartColour(kPartTop);
    case kCellLeft: return PartColour(kPartLeft);
    case kCellClient: return PartColour(kPartClient);
    case kCellRight: return PartColour(kPartRight);
    case kCellBottomLeft: return PartColour(kPartBottomLeft);
    case kCellBottom: return PartColour(kPartBottom);
    case kCellBottomRight: return PartColour(kPartBottomRight);
    case kCellInactiveTop: return kInactiveTop;
    case kCellButtonNormal: return kButtonNormal;
    default: return kButtonPressed;
    }
}

COLORREF ImagePixel(int x, int y)
{
    const bool cutLeft = x < kCornerCut && y < kCornerCut;
    const bool cutRight = x >= kTopRightCell + 103 - kCornerCut && x < kTopRightCell + 103 && y < kCornerCut;
    if (cutLeft || cutRight)
        return kTransparent;
    if (x < 86)
        return PartColour(kPartTopLeft);
    if (x >= kTopRightCell && x < kTopRightCell + 103)
        return PartColour(kPartTopRight);
    if (x >= kCellsStart && y < kCell)
        return CellColour(std::min((x - kCellsStart) / 10, kCellCount - 1));
    return RGB(1, 1, 1);
}

ImageSlice Slice(int left, int top, int right, int bottom, int32_t mode)
{
    return ::Slice("art", {left, top, right, bottom}, mode);
}

ImageSlice CellSlice(int cell) { return Slice(kCellsStart + 10 * cell, 0, kCellsStart + 10 * cell + kCell, kCell, kSliceTile); }

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT msg, WPARAM wp, LPARAM)
{
    if (msg != WM_SYSCOMMAND)
        return msg == WM_INITDIALOG;
    FrameDialog::SystemCommands().push_back(wp & 0xFFF0);
    return TRUE;  // nothing moves, sizes or closes behind the test's back
}

}  // namespace

COLORREF PartColour(int part)
{
    static const COLORREF colours[kFramePartCount] = {RGB(200, 0, 0),   RGB(0, 0, 200),   RGB(0, 150, 150),
                                                      RGB(150, 150, 0), RGB(230, 230, 230), RGB(150, 0, 150),
                                                      RGB(100, 50, 0),  RGB(0, 50, 100),  RGB(50, 100, 0)};
    return colours[part];
}

std::unique_ptr<Skin> MakeFrameSkin(bool useTransparent, const std::vector<CaptionButtonLayout>& buttons)
{
    auto skin = std::make_unique<Skin>();
    auto& application = AddObjectAs<Application>(*skin, kTypeApplication);
    application.m_thirdColour = kTransparent;
    application.m_useTransparentColour = useTransparent;
    auto& frame = AddObjectAs<FrameWnd>(*skin, kTypeFrameWnd, TEST_DIALOG_SKIN);
    frame.m_active[kPartTopLeft] = Slice(0, 0, 86, 30, kSliceCopy);
    frame.m_active[kPartTopRight] = Slice(kTopRightCell, 0, kTopRightCell + 103, 30, kSliceCopy);
    const int cells[kFramePartCount] = {-1, kCellTop, -1, kCellLeft, kCellClient, kCellRight, kCellBottomLeft,
                                        kCellBottom, kCellBottomRight};
    for (int part = 0; part < kFramePartCount; ++part)
        if (cells[part] >= 0)
            frame.m_active[part] = CellSlice(cells[part]);
    frame.m_inactive[kPartTop] = CellSlice(kCellInactiveTop);
    frame.m_captionFont.textColour = kCaptionText;
    frame.m_captionFont.quality = NONANTIALIASED_QUALITY;
    int index = 0;
    for (const CaptionButtonLayout& layout : buttons) {
        auto button = std::make_unique<CaptionButton>();
        button->SetName("button" + std::to_string(index++));
        button->m_anchor = layout.anchor;
        button->m_action = layout.action;
        button->m_commandId = layout.commandId;
        button->m_placement = layout.placement;
        button->m_images[kCaptionNormal] = CellSlice(kCellButtonNormal);
        button->m_images[kCaptionPressed] = CellSlice(kCellButtonPressed);
        frame.AddChild(std::move(button));
    }
    AddPaintedImage(*skin, "art", kImageWidth, kImageHeight, ImagePixel);
    return skin;
}

FrameWnd& FrameOf(Skin& skin) { return dynamic_cast<FrameWnd&>(*skin.FindObject(TEST_DIALOG_SKIN)); }

ImageSlice TransparentSlice() { return Slice(0, 0, kCornerCut, kCornerCut, kSliceTile); }

std::vector<WPARAM>& FrameDialog::SystemCommands()
{
    static std::vector<WPARAM> commands;
    return commands;
}

FrameDialog::FrameDialog(DWORD style, int width, int height, DWORD exStyle, HWND parent)
{
    // A template with no controls, no menu, the default class and a title.
    struct {
        DLGTEMPLATE head;
        WORD menu, windowClass;
        wchar_t title[8];
    } dialog{};
    dialog.head.style = style;
    dialog.head.dwExtendedStyle = exStyle;
    dialog.head.cx = 100;
    dialog.head.cy = 60;
    std::memcpy(dialog.title, L"Framed", sizeof L"Framed");
    SystemCommands().clear();
    m_hWnd = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialog.head, parent, RecordingDialogProc, 0);
    SetWindowPos(m_hWnd, nullptr, 20, 20, width, height, SWP_NOZORDER | SWP_SHOWWINDOW);
    UpdateWindow(m_hWnd);
}

FrameDialog::~FrameDialog() { DestroyWindow(m_hWnd); }

void FrameDialog::Resize(int width, int height)
{
    SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT FrameDialog::SendAt(UINT msg, POINT point, WPARAM hitTest) const
{
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    return SendMessageA(m_hWnd, msg, hitTest, MAKELPARAM(window.left + point.x, window.top + point.y));
}

LRESULT FrameDialog::HitTest(POINT point) const { return SendAt(WM_NCHITTEST, point, 0); }

MSG FrameDialog::TakePosted(UINT first, UINT last) const
{
    MSG msg{};
    if (!PeekMessageA(&msg, m_hWnd, first, last, PM_REMOVE))
        msg.message = 0;
    return msg;
}

}  // namespace frametest
