// Skin drawing checked pixel by pixel in memory contexts: slices, nine-grids,
// transparent copies and text effects.
#include "SkinParts.h"
#include "skin/draw/SkinDraw.h"
#include "support/GuiObjects.h"
#include "support/PixelCanvas.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using skin::ImageSlice;
using skin::SkinRect;

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kFill = RGB(250, 0, 250);
constexpr int kImageSide = 6;

// Every pixel of the test image has its own colour.
COLORREF ImageColour(int x, int y)
{
    return RGB(10 + 40 * x, 10 + 40 * y, 99);
}

CxImage MakeImage()
{
    CxImage image;
    image.Create(kImageSide, kImageSide);
    for (int y = 0; y < kImageSide; ++y)
        for (int x = 0; x < kImageSide; ++x)
            image.Row(y)[x] = 0xFF000000 | (GetRValue(ImageColour(x, y)) << 16) |
                              (GetGValue(ImageColour(x, y)) << 8) | GetBValue(ImageColour(x, y));
    return image;
}

class SkinDrawTest : public ::testing::Test {
protected:
    SkinDrawTest() : m_bitmap(MakeImage()) { m_canvas.Fill(kBackground); }

    skin::ImageResolver Images() const
    {
        return [this](const std::string& name) {
            return name == "art" ? &m_bitmap : name == "undecoded" ? &m_undecoded : nullptr;
        };
    }

    // Checks every canvas pixel against `expected(x, y)`.
    template <typename Expected>
    void ExpectCanvas(Expected expected) const
    {
        for (int y = 0; y < m_canvas.Height(); ++y) {
            for (int x = 0; x < m_canvas.Width(); ++x)
                ASSERT_EQ(expected(x, y), m_canvas.Pixel(x, y)) << "at " << x << ", " << y;
        }
    }

    CSkinBitmap m_bitmap;
    CSkinBitmap m_undecoded{CxImage(reinterpret_cast<const uint8_t*>("BM"), 2, CxImage::kFormatBmp)};
    PixelCanvas m_canvas{20, 20};
};

bool Inside(const RECT& rect, int x, int y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

struct SliceCase {
    const char* name;
    int32_t mode;
    SkinRect source;
    RECT dest;
};

TEST_F(SkinDrawTest, SlicesCopyTileAndStretch)
{
    const SliceCase cases[] = {
        {"copy into a larger place", skin::kSliceCopy, {1, 1, 3, 3}, {3, 4, 8, 7}},
        {"copy into a smaller place", skin::kSliceCopy, {1, 0, 5, 4}, {2, 2, 5, 4}},
        {"tile, cut at the right and bottom", skin::kSliceTile, {1, 2, 4, 4}, {2, 3, 10, 8}},
        {"stretch", skin::kSliceStretch, {2, 1, 4, 3}, {1, 1, 7, 5}},
    };
    for (const SliceCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_canvas.Fill(kBackground);
        EXPECT_TRUE(skin::DrawImageSlice(m_canvas.Dc(), c.dest, Slice("art", c.source, c.mode), Images()));
        const LONG destWidth = c.dest.right - c.dest.left, destHeight = c.dest.bottom - c.dest.top;
        ExpectCanvas([&](int x, int y) {
            const LONG dx = x - c.dest.left, dy = y - c.dest.top;
            if (!Inside(c.dest, x, y))
                return kBackground;
            switch (c.mode) {
            case skin::kSliceCopy:
                if (dx >= c.source.Width() || dy >= c.source.Height())
                    return kBackground;
                return ImageColour(c.source.left + dx, c.source.top + dy);
            case skin::kSliceTile:
                return ImageColour(c.source.left + dx % c.source.Width(), c.source.top + dy % c.source.Height());
            default:
                return ImageColour(c.source.left + dx * c.source.Width() / destWidth,
                                   c.source.top + dy * c.source.Height() / destHeight);
            }
        });
    }
}

TEST_F(SkinDrawTest, AbsentSlicesAndMissingOrUndecodedImagesDrawNothing)
{
    const ImageSlice slices[] = {Slice("", {0, 0, 2, 2}, skin::kSliceCopy),
                                 Slice("art", {2, 2, 2, 4}, skin::kSliceCopy),
                                 Slice("other", {0, 0, 2, 2}, skin::kSliceCopy),
                                 Slice("undecoded", {0, 0, 2, 2}, skin::kSliceCopy),
                                 Slice("art", {0, 0, 2, 2}, 7)};
    for (const ImageSlice& slice : slices)
        EXPECT_FALSE(skin::DrawImageSlice(m_canvas.Dc(), {0, 0, 10, 10}, slice, Images()));
    EXPECT_EQ(m_canvas.Width() * m_canvas.Height(),
              m_canvas.CountColour(kBackground));
}

struct GridCase {
    int32_t fillMode;
    int32_t margin;
    LONG destWidth;
    // How each part from top-left to bottom-right is drawn: T tiled, S stretched,
    // C in columns stretched in height, - not checked (an inexact stretch).
    const char* parts;
};

TEST_F(SkinDrawTest, NineGridFillModesTileOrStretchEachPart)
{
    const GridCase cases[] = {
        {0, 2, 12, "TTTTTTTTT"}, {1, 2, 12, "SSSSSSSSS"}, {2, 2, 12, "TTTTTTTST"}, {3, 2, 12, "TTTTSTTTT"},
        {4, 2, 12, "TTTSTTTTT"}, {5, 2, 12, "TSTSTSTST"}, {6, 2, 12, "TTTTTSTTT"}, {7, 2, 12, "TSTTTTTTT"},
        {8, 2, 12, "TSTSCSTST"},
        {8, 2, 13, "T-TSCST-T"},  // the last centre column cut to one pixel
        {3, 0, 12, "----S----"},  // without margins only the centre is drawn
        {0, 0, 15, "----T----"},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "fill mode " << c.fillMode << ", margins " << c.margin << ", width "
                                        << c.destWidth);
        m_canvas.Fill(kBackground);
        const RECT dest{2, 3, 2 + c.destWidth, 15};
        EXPECT_TRUE(skin::DrawNineGridImage(m_canvas.Dc(), dest, Grid("art", {0, 0, kImageSide, kImageSide},
                                                                          c.margin, c.fillMode), Images(), kFill));
        const LONG sourceCuts[4] = {0, c.margin, kImageSide - c.margin, kImageSide};
        const LONG columnCuts[4] = {dest.left, dest.left + c.margin, dest.right - c.margin, dest.right};
        const LONG rowCuts[4] = {dest.top, dest.top + c.margin, dest.bottom - c.margin, dest.bottom};
        ExpectCanvas([&](int x, int y) {
            if (!Inside(dest, x, y))
                return kBackground;
            const int column = x < columnCuts[1] ? 0 : x < columnCuts[2] ? 1 : 2;
            const int row = y < rowCuts[1] ? 0 : y < rowCuts[2] ? 1 : 2;
            const LONG sourceX = sourceCuts[column], sourceWidth = sourceCuts[column + 1] - sourceX;
            const LONG sourceY = sourceCuts[row], sourceHeight = sourceCuts[row + 1] - sourceY;
            const LONG dx = x - columnCuts[column], width = columnCuts[column + 1] - columnCuts[column];
            const LONG dy = y - rowCuts[row], height = rowCuts[row + 1] - rowCuts[row];
            const LONG tiledX = sourceX + dx % sourceWidth, tiledY = sourceY + dy % sourceHeight;
            const LONG stretchedX = sourceX + dx * sourceWidth / width;
            const LONG stretchedY = sourceY + dy * sourceHeight / height;
            switch (c.parts[row * 3 + column]) {
            case 'T':
                return ImageColour(tiledX, tiledY);
            case 'S':
                return ImageColour(stretchedX, stretchedY);
            case 'C':
                return ImageColour(tiledX, stretchedY);
            }
            return m_canvas.Pixel(x, y);  // not checked
        });
    }
}

TEST_F(SkinDrawTest, NineGridPartsThatCannotBeDrawnAreFilledOnlyWhenAsked)
{
    const RECT dest{1, 1, 13, 13};
    // The image is missing: nothing, or every part in the fill colour.
    EXPECT_FALSE(skin::DrawNineGridImage(m_canvas.Dc(), dest, Grid("gone", {0, 0, 6, 6}, 2, 0), Images()));
    EXPECT_EQ(0, m_canvas.CountColour(kFill, 0, 0, 20, 20));
    EXPECT_FALSE(skin::DrawNineGridImage(m_canvas.Dc(), dest, Grid("gone", {0, 0, 6, 6}, 2, 0), Images(), kFill));
    EXPECT_EQ(12 * 12, m_canvas.CountColour(kFill, 0, 0, 20, 20));

    // The right column and bottom row lie outside the image: only they are filled.
    m_canvas.Fill(kBackground);
    EXPECT_TRUE(skin::DrawNineGridImage(m_canvas.Dc(), dest, Grid("art", {0, 0, 8, 8}, 2, 1), Images(), kFill));
    EXPECT_EQ(12 * 12 - 10 * 10, m_canvas.CountColour(kFill, 0, 0, 20, 20));
    EXPECT_EQ(2 * 2 + 2 * 2, m_canvas.CountColour(kFill, 11, 11, 13, 13) + m_canvas.CountColour(kFill, 1, 11, 3, 13));
    EXPECT_EQ(ImageColour(0, 0), m_canvas.Pixel(1, 1));
}

TEST_F(SkinDrawTest, TransparentCopyLeavesTheColourOut)
{
    // Image pixels whose colour is the key colour keep the background; so
    // does what the drawing leaves untouched (the copy covers 3 x 3 of 5 x 5).
    const COLORREF key = ImageColour(1, 1);
    const RECT dest{4, 4, 9, 9};
    EXPECT_TRUE(skin::DrawLeavingOutColour(m_canvas.Dc(), dest, key, [&](HDC dc) {
        return skin::DrawImageSlice(dc, dest, Slice("art", {0, 0, 3, 3}, skin::kSliceCopy), Images());
    }));
    ExpectCanvas([&](int x, int y) {
        const int dx = x - dest.left, dy = y - dest.top;
        if (dx < 0 || dy < 0 || dx >= 3 || dy >= 3 || (dx == 1 && dy == 1))
            return kBackground;
        return ImageColour(dx, dy);
    });
}

// Text drawn by plain GDI calls, for comparing with the effect drawing.
void DrawPlainText(HDC dc, RECT rect, COLORREF colour)
{
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    ::DrawTextA(dc, "Wg", -1, &rect, DT_SINGLELINE | DT_NOPREFIX);
}

TEST(SkinDrawText, ShadowFirstThenTextWithTheEffectsColours)
{
    CFontObject font(::CreateFontA(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma"));
    ASSERT_TRUE(font);
    const COLORREF text = RGB(200, 0, 0), shadow = RGB(0, 0, 200);
    const RECT rect{3, 2, 60, 40};
    skin::TextEffect effect{2, 1, {0, 0}, text | 0xFF000000, shadow, 1};
    for (const bool withShadow : {true, false}) {
        SCOPED_TRACE(withShadow ? "with shadow" : "without shadow");
        effect.flags = withShadow ? 1 : skin::TextEffect::kDefaultFlags;
        PixelCanvas drawn(64, 44), textOnly(64, 44), shadowOnly(64, 44);
        for (PixelCanvas* canvas : {&drawn, &textOnly, &shadowOnly}) {
            canvas->Fill(kBackground);
            ::SelectObject(canvas->Dc(), font.Get());
        }
        skin::DrawEffectText(drawn.Dc(), "Wg", rect, DT_SINGLELINE | DT_NOPREFIX, effect);
        DrawPlainText(textOnly.Dc(), rect, text);
        DrawPlainText(shadowOnly.Dc(), {rect.left + 2, rect.top + 1, rect.right + 2, rect.bottom + 1}, shadow);
        int overlap = 0;
        for (int y = 0; y < drawn.Height(); ++y) {
            for (int x = 0; x < drawn.Width(); ++x) {
                const bool isText = textOnly.Pixel(x, y) == text;
                const bool isShadow = withShadow && shadowOnly.Pixel(x, y) == shadow;
                overlap += isText && isShadow;
                ASSERT_EQ(isText ? text : isShadow ? shadow : kBackground, drawn.Pixel(x, y)) << x << ", " << y;
            }
        }
        EXPECT_EQ(withShadow, overlap > 0) << "the shadow must lie partly under the text";
        for (PixelCanvas* canvas : {&drawn, &textOnly, &shadowOnly})
            ::SelectObject(canvas->Dc(), ::GetStockObject(SYSTEM_FONT));
    }
}

TEST_F(SkinDrawTest, RepeatedDrawingKeepsTheGdiObjectCount)
{
    const CxImage image = MakeImage();
    EXPECT_TRUE(LeavesNoGuiObjects([&] {
        const CSkinBitmap bitmap(image);
        const skin::ImageResolver images = [&](const std::string&) { return &bitmap; };
        const RECT dest{0, 0, 17, 19};
        for (int32_t mode = 0; mode <= 8; ++mode)
            skin::DrawNineGridImage(m_canvas.Dc(), dest, Grid("art", {0, 0, 7, 7}, 2, mode), images, kFill);
        skin::DrawLeavingOutColour(m_canvas.Dc(), dest, kFill, [&](HDC dc) {
            return skin::DrawImageSlice(dc, dest, Slice("art", {0, 0, 4, 4}, skin::kSliceTile), images);
        });
        skin::DrawEffectText(m_canvas.Dc(), "text", dest, DT_SINGLELINE, {1, 1, {0, 0}, 0, 0, 1});
    }));
}

}  // namespace
