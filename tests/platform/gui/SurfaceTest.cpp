// Drawing checked by pixels in off-screen bitmaps.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/NativeFont.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/Surface.h"
#include "tests/platform/gui/InkBox.h"

using namespace cvcalc;

namespace {
constexpr RgbColor White = 0xFFFFFF;
constexpr RgbColor Black = 0x000000;
constexpr RgbColor Red = 0x0000FF;
constexpr RgbColor Blue = 0xFF0000;

using test::InkBox;

int CountColor(const TOffscreenBitmap& b, RgbColor c) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) == c;
    return n;
}

NativePen CosmeticPen(RgbColor color, NativePenStyle style = NativePenStyle::Solid) {
    NativePen pen;
    pen.color = color;
    pen.style = style;
    return pen;
}

TEST(Surface, BitmapStartsWhiteAndAnswersInvalidOutside) {
    TOffscreenBitmap b(4, 3);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(b.Pixel(0, 0), White);
    EXPECT_EQ(b.Pixel(3, 2), White);
    for (const PixelPoint p : {PixelPoint{4, 0}, PixelPoint{0, 3}, PixelPoint{-1, 0}, PixelPoint{0, -1}})
        EXPECT_EQ(b.Pixel(p.x, p.y), InvalidColor) << p.x << "," << p.y;
    // Absurd and negative sizes clamp; drawing on nothing is harmless.
    TOffscreenBitmap none(-5, 10);
    EXPECT_EQ(none.Width(), 0);
    none.Surface().Rectangle(0, 0, 10, 10);
    none.Surface().TextOut(0, 0, "x");
    EXPECT_EQ(none.Pixel(0, 0), InvalidColor);
}

TEST(Surface, RectangleIsEndExclusive) {
    struct Case {
        PixelRect box;
    } cases[] = {{{2, 3, 12, 9}}, {{0, 0, 20, 20}}, {{5, 5, 6, 6}}, {{10, 4, 3, 1}}};  // the last one reversed
    for (const auto& c : cases) {
        TOffscreenBitmap b(20, 20);
        TSurface& s = b.Surface();
        s.SetPen(CosmeticPen(Black));
        s.SetBrush({Red, NativeBrushStyle::Solid});
        s.Rectangle(c.box.left, c.box.top, c.box.right, c.box.bottom);
        const PixelRect expected{std::min(c.box.left, c.box.right), std::min(c.box.top, c.box.bottom),
                                 std::max(c.box.left, c.box.right), std::max(c.box.top, c.box.bottom)};
        EXPECT_EQ(InkBox(b), expected) << c.box.left << "," << c.box.top;
        EXPECT_EQ(b.Pixel(expected.left, expected.top), Black);
        EXPECT_EQ(b.Pixel(expected.right - 1, expected.bottom - 1), Black);
        if (expected.Width() > 2 && expected.Height() > 2) {
            EXPECT_EQ(b.Pixel(expected.left + 1, expected.top + 1), Red);
        }
    }
}

TEST(Surface, NineByNineMarkerAndClearBrush) {
    // The chart's rectangle marker: (x-h, y-v) to (x+h+1, y+v+1).
    TOffscreenBitmap b(30, 30);
    TSurface& s = b.Surface();
    s.SetPen(CosmeticPen(Black));
    s.SetBrush({Blue, NativeBrushStyle::Solid});
    s.Rectangle(15 - 4, 15 - 4, 15 + 4 + 1, 15 + 4 + 1);
    EXPECT_EQ(InkBox(b), (PixelRect{11, 11, 20, 20}));
    EXPECT_EQ(CountColor(b, Black), 32);
    EXPECT_EQ(CountColor(b, Blue), 49);

    TOffscreenBitmap frame(30, 30);
    frame.Surface().SetBrush({Blue, NativeBrushStyle::Clear});
    frame.Surface().Rectangle(5, 5, 15, 15);
    EXPECT_EQ(frame.Pixel(10, 10), White);
    EXPECT_EQ(CountColor(frame, Black), 36);
}

TEST(Surface, EllipseStaysInsideItsBox) {
    const PixelRect boxes[] = {{3, 4, 23, 18}, {0, 0, 30, 30}, {10, 10, 13, 13}};
    for (const PixelRect& box : boxes) {
        TOffscreenBitmap b(30, 30);
        b.Surface().SetBrush({Red, NativeBrushStyle::Solid});
        b.Surface().Ellipse(box.left, box.top, box.right, box.bottom);
        const PixelRect ink = InkBox(b);
        EXPECT_FALSE(ink.IsEmpty());
        // Inside the box and touching all of its sides.
        EXPECT_EQ(ink, box) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
        EXPECT_EQ(b.Pixel((box.left + box.right) / 2, (box.top + box.bottom) / 2) != White, true);
        if (box.Width() > 4) {
            EXPECT_EQ(b.Pixel(box.left, box.top), White);  // the corners stay empty
        }
    }
}

TEST(Surface, FillRectFillsWithTheBrushAndIgnoresTheRasterMode) {
    TOffscreenBitmap b(10, 10);
    TSurface& s = b.Surface();
    s.SetBrush({Red, NativeBrushStyle::Solid});
    s.SetPen({Black, 1, NativePenStyle::Solid, false, NativePenEnd::Round, NativePenMode::NotXor});
    s.FillRect({2, 2, 5, 4});
    EXPECT_EQ(InkBox(b), (PixelRect{2, 2, 5, 4}));
    EXPECT_EQ(CountColor(b, Red), 6);
    s.SetBrush({Red, NativeBrushStyle::Clear});
    s.FillRect({0, 0, 10, 10});
    EXPECT_EQ(CountColor(b, Red), 6);
}

TEST(Surface, CosmeticLineLeavesOutItsLastPixel) {
    TOffscreenBitmap b(20, 20);
    TSurface& s = b.Surface();
    s.MoveTo(2, 5);
    s.LineTo(10, 5);
    EXPECT_EQ(s.PenPosition(), (PixelPoint{10, 5}));
    EXPECT_EQ(InkBox(b), (PixelRect{2, 5, 10, 6}));
    s.LineTo(10, 12);  // continues from the pen position
    EXPECT_EQ(b.Pixel(10, 5), Black);
    EXPECT_EQ(b.Pixel(10, 11), Black);
    EXPECT_EQ(b.Pixel(10, 12), White);
}

TEST(Surface, CosmeticOnePixelAgainstGeometricRoundTwoPixels) {
    TOffscreenBitmap thin(40, 20);
    thin.Surface().MoveTo(10, 10);
    thin.Surface().LineTo(30, 10);
    EXPECT_EQ(InkBox(thin), (PixelRect{10, 10, 30, 11}));

    TOffscreenBitmap wide(40, 20);
    NativePen pen = CosmeticPen(Red);
    pen.width = 2;
    pen.geometric = true;
    pen.end = NativePenEnd::Round;
    wide.Surface().SetPen(pen);
    wide.Surface().MoveTo(10, 10);
    wide.Surface().LineTo(30, 10);
    const PixelRect ink = InkBox(wide);
    EXPECT_EQ(ink.Height(), 2);
    // Round ends reach one pixel beyond both end points.
    EXPECT_EQ(ink.left, 9);
    EXPECT_EQ(ink.right, 31);
    EXPECT_EQ(wide.Pixel(20, ink.top), Red);
    EXPECT_EQ(wide.Pixel(20, ink.top + 1), Red);

    pen.end = NativePenEnd::Flat;
    TOffscreenBitmap flat(40, 20);
    flat.Surface().SetPen(pen);
    flat.Surface().MoveTo(10, 10);
    flat.Surface().LineTo(30, 10);
    EXPECT_EQ(InkBox(flat).left, 10);
    EXPECT_EQ(InkBox(flat).right, 30);
}

// The runs of ink along row y from x0 up to x1: lengths of ink and of gaps.
std::vector<int> Runs(const TOffscreenBitmap& b, int y, int x0, int x1) {
    std::vector<int> runs;
    bool ink = b.Pixel(x0, y) != White;
    int length = 0;
    for (int x = x0; x < x1; ++x) {
        const bool here = b.Pixel(x, y) != White;
        if (here != ink) {
            runs.push_back(length);
            length = 0;
            ink = here;
        }
        ++length;
    }
    runs.push_back(length);
    return runs;
}

TEST(Surface, StyledLinesKeepTheirGaps) {
    const struct {
        NativePenStyle style;
        std::vector<int> firstRuns;  // starting with ink
    } cases[] = {
        {NativePenStyle::Dash, {18, 6, 18, 6}},     {NativePenStyle::Dot, {3, 3, 3, 3}},
        {NativePenStyle::DashDot, {9, 6, 3, 6, 9}}, {NativePenStyle::DashDotDot, {9, 3, 3, 3, 3, 3, 9}},
        {NativePenStyle::Alternate, {1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        for (BackgroundMode mode : {BackgroundMode::Transparent, BackgroundMode::Opaque}) {
            TOffscreenBitmap b(120, 10);
            TSurface& s = b.Surface();
            s.SetBackgroundMode(mode);
            s.SetPen(CosmeticPen(Black, c.style));
            s.MoveTo(0, 5);
            s.LineTo(120, 5);
            std::vector<int> runs = Runs(b, 5, 0, 120);
            runs.resize(std::min(runs.size(), c.firstRuns.size()));
            EXPECT_EQ(runs, c.firstRuns) << static_cast<int>(c.style);
        }
    }
    // A wide dash-dot line with round ends still has open gaps.
    TOffscreenBitmap b(200, 20);
    NativePen pen = CosmeticPen(Black, NativePenStyle::DashDot);
    pen.width = 3;
    pen.geometric = true;
    b.Surface().SetPen(pen);
    b.Surface().MoveTo(5, 10);
    b.Surface().LineTo(195, 10);
    EXPECT_GE(Runs(b, 10, 5, 195).size(), 8u);
}

// Dashes drawn pixel by pixel: an opaque background fills the gaps, a
// transparent one leaves what was there; the pattern starts again with each
// line, and diagonal lines count it in steps of the walk.
TEST(Surface, DashGapsFollowTheBackgroundMode) {
    for (BackgroundMode mode : {BackgroundMode::Transparent, BackgroundMode::Opaque}) {
        TOffscreenBitmap b(40, 40);
        TSurface& s = b.Surface();
        s.SetBackgroundMode(mode);
        s.SetBackgroundColor(Blue);
        s.SetPen(CosmeticPen(Red, NativePenStyle::Dot));
        s.MoveTo(0, 5);
        s.LineTo(12, 5);
        const RgbColor gap = mode == BackgroundMode::Opaque ? Blue : White;
        const std::vector<RgbColor> expected = {Red, Red, Red, gap, gap, gap, Red, Red, Red, gap, gap, gap, White};
        std::vector<RgbColor> row;
        for (int x = 0; x <= 12; ++x) row.push_back(b.Pixel(x, 5));
        EXPECT_EQ(row, expected) << static_cast<int>(mode);
        s.MoveTo(4, 20);  // a second line starts with ink again
        s.LineTo(10, 20);
        EXPECT_EQ(b.Pixel(4, 20), Red);
        EXPECT_EQ(b.Pixel(7, 20), gap);
        s.MoveTo(20, 20);  // 45 degrees: three on, three off along the walk
        s.LineTo(32, 32);
        EXPECT_EQ(b.Pixel(22, 22), Red);
        EXPECT_EQ(b.Pixel(23, 23), gap);
        EXPECT_EQ(b.Pixel(26, 26), Red);
    }
}

// The pen, the clip and the background between two lines each reach the
// second line.
TEST(Surface, SettingsBetweenLinesReachTheNextLine) {
    TOffscreenBitmap b(40, 40);
    TSurface& s = b.Surface();
    s.SetPen(CosmeticPen(Red));
    s.MoveTo(0, 1);
    s.LineTo(40, 1);
    s.SetPen(CosmeticPen(Blue));
    s.MoveTo(0, 2);
    s.LineTo(40, 2);
    EXPECT_EQ(b.Pixel(20, 1), Red);
    EXPECT_EQ(b.Pixel(20, 2), Blue);
    s.IntersectClipRect({10, 0, 30, 40});
    s.MoveTo(0, 3);
    s.LineTo(40, 3);
    EXPECT_EQ(b.Pixel(9, 3), White);
    EXPECT_EQ(b.Pixel(10, 3), Blue);
    EXPECT_EQ(b.Pixel(29, 3), Blue);
    EXPECT_EQ(b.Pixel(30, 3), White);
    s.RemoveClip();
    s.MoveTo(0, 4);
    s.LineTo(40, 4);
    EXPECT_EQ(b.Pixel(0, 4), Blue);
    EXPECT_EQ(b.Pixel(39, 4), Blue);
    s.SetPen(CosmeticPen(Red, NativePenStyle::Dot));
    s.SetBackgroundColor(Black);
    s.MoveTo(0, 6);
    s.LineTo(40, 6);
    EXPECT_EQ(b.Pixel(3, 6), Black);
    s.SetBackgroundMode(BackgroundMode::Transparent);
    s.MoveTo(0, 7);
    s.LineTo(40, 7);
    EXPECT_EQ(b.Pixel(3, 7), White);
}

TEST(Surface, NotXorDrawnTwiceRestoresThePixels) {
    TOffscreenBitmap b(40, 40);
    TSurface& s = b.Surface();
    s.SetBrush({0x336699, NativeBrushStyle::Solid});
    s.FillRect({0, 0, 20, 40});  // half coloured, half white
    std::vector<RgbColor> before;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) before.push_back(b.Pixel(x, y));

    s.SetPen({0xFFFFFF ^ (0xFFFFFF - 0xF0F0F0), 1, NativePenStyle::Solid, false, NativePenEnd::Round,
              NativePenMode::NotXor});
    s.SetBrush({0xFFFFFF, NativeBrushStyle::Clear});
    s.Rectangle(5, 5, 35, 30);
    EXPECT_NE(b.Pixel(5, 5), before[5 * 40 + 5]);
    EXPECT_NE(b.Pixel(30, 5), before[5 * 40 + 30]);
    s.Rectangle(5, 5, 35, 30);
    std::vector<RgbColor> after;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) after.push_back(b.Pixel(x, y));
    EXPECT_EQ(after, before);
}

TEST(Surface, ClipIntersectsAndIsRemoved) {
    TOffscreenBitmap b(40, 40);
    TSurface& s = b.Surface();
    s.SetBrush({Red, NativeBrushStyle::Solid});
    s.IntersectClipRect({5, 5, 30, 30});
    s.IntersectClipRect({10, 0, 40, 20});
    EXPECT_TRUE(s.HasClip());
    s.FillRect({0, 0, 40, 40});
    EXPECT_EQ(InkBox(b), (PixelRect{10, 5, 30, 20}));
    s.RemoveClip();
    EXPECT_FALSE(s.HasClip());
    s.FillRect({35, 35, 40, 40});
    EXPECT_EQ(b.Pixel(39, 39), Red);
    // An empty clip lets nothing through.
    TOffscreenBitmap e(10, 10);
    e.Surface().IntersectClipRect({5, 5, 5, 9});
    e.Surface().FillRect({0, 0, 10, 10});
    EXPECT_EQ(InkBox(e), PixelRect{});
}

TEST(Surface, ClipToBottomPlusOneMakesTheBottomEdgeInclusive) {
    // A plot area (10, 10, 30, 30): a line along its bottom row is cut away
    // by the plain clip and kept by the clip to bottom + 1.
    for (const int extra : {0, 1}) {
        TOffscreenBitmap b(40, 40);
        TSurface& s = b.Surface();
        s.IntersectClipRect({10, 10, 30, 30 + extra});
        s.MoveTo(0, 30);
        s.LineTo(40, 30);
        s.MoveTo(20, 0);
        s.LineTo(20, 40);
        EXPECT_EQ(b.Pixel(15, 30), extra ? Black : White) << extra;
        EXPECT_EQ(b.Pixel(20, 9), White);
        EXPECT_EQ(b.Pixel(20, 10), Black);
        EXPECT_EQ(b.Pixel(20, 30 + extra), White);
        EXPECT_EQ(InkBox(b), (PixelRect{extra ? 10 : 20, 10, extra ? 30 : 21, 30 + extra}));
    }
}

TEST(Surface, CopiesBitmapsWholeWhateverThePenMode) {
    TOffscreenBitmap source(5, 4);
    source.Surface().SetBrush({Blue, NativeBrushStyle::Solid});
    source.Surface().FillRect({0, 0, 5, 4});
    source.Surface().SetPen(CosmeticPen(Red));
    source.Surface().MoveTo(0, 0);
    source.Surface().LineTo(5, 0);

    TOffscreenBitmap target(20, 20);
    TSurface& t = target.Surface();
    t.SetPen({Black, 1, NativePenStyle::Solid, false, NativePenEnd::Round, NativePenMode::NotXor});
    t.DrawBitmap(7, 9, source);
    EXPECT_EQ(InkBox(target), (PixelRect{7, 9, 12, 13}));
    EXPECT_EQ(target.Pixel(7, 9), Red);
    EXPECT_EQ(target.Pixel(11, 12), Blue);
}

TEST(Surface, PolylineAndPolygon) {
    TOffscreenBitmap b(30, 30);
    TSurface& s = b.Surface();
    const PixelPoint path[] = {{2, 2}, {20, 2}, {20, 20}};
    s.Polyline(path);
    EXPECT_EQ(b.Pixel(2, 2), Black);
    EXPECT_EQ(b.Pixel(20, 10), Black);
    EXPECT_EQ(b.Pixel(20, 20), White);  // the last point is left out, as with LineTo

    TOffscreenBitmap p(30, 30);
    p.Surface().SetBrush({Red, NativeBrushStyle::Solid});
    const PixelPoint diamond[] = {{15, 5}, {25, 15}, {15, 25}, {5, 15}};
    p.Surface().Polygon(diamond);
    EXPECT_EQ(p.Pixel(15, 15), Red);
    EXPECT_EQ(p.Pixel(15, 5), Black);
    EXPECT_EQ(p.Pixel(6, 6), White);
    const PixelRect ink = InkBox(p);
    EXPECT_EQ(ink.left, 5);
    EXPECT_EQ(ink.top, 5);
    EXPECT_LE(ink.right, 26);
    EXPECT_LE(ink.bottom, 26);
}

TEST(Surface, SameSizeKeepsPixelsNewSizeStartsWhite) {
    TOffscreenBitmap b(10, 10);
    TSurface& s = b.Surface();
    s.SetBrush({Red, NativeBrushStyle::Solid});
    s.FillRect({0, 0, 10, 10});
    b.SetSize(10, 10);
    EXPECT_EQ(b.Pixel(5, 5), Red);
    b.SetSize(12, 8);
    EXPECT_EQ(b.Pixel(5, 5), White);
    // The same surface draws into the new pixels, with default settings.
    EXPECT_EQ(&b.Surface(), &s);
    EXPECT_EQ(s.Brush(), NativeBrush{});
    s.FillRect({0, 0, 12, 8});
    EXPECT_EQ(b.Pixel(11, 7), White);
    s.MoveTo(0, 7);
    s.LineTo(12, 7);
    EXPECT_EQ(b.Pixel(11, 7), Black);
}
}  // namespace
