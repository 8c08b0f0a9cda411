// Drawing checked by pixels in off-screen bitmaps, and lines drawn on
// bitmaps and on windows compared pixel by pixel.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/gui/GuiPlatform.h"
#include "platform/gui/NativeFont.h"
#include "platform/gui/NativeWindow.h"
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

namespace {
// What `draw` leaves on a fresh `width` x `height` bitmap, and what it leaves
// on a window of that size painted through its Paint message.
struct BothTargets {
    TOffscreenBitmap onBitmap;
    TOffscreenBitmap onWindow;
    BothTargets(int width, int height, const std::function<void(TSurface&)>& draw)
        : onBitmap(width, height), onWindow(width, height) {
        InitPlatform();
        draw(onBitmap.Surface());
        TNativeWindow form(NativeWindowKind::Plain);
        form.SetBounds({0, 0, width + 40, height + 40});
        TNativeWindow window(NativeWindowKind::Plain, &form);
        window.SetBounds({0, 0, width, height});
        window.SetMessageProc([&](Message& m) {
            if (m.kind == MessageKind::Paint && m.surface != nullptr) draw(*m.surface);
        });
        onWindow.PaintWindow(window);
    }
};

// The pixels of `b` within `box` that differ from those of `other`.
int DifferingPixels(const TOffscreenBitmap& b, const TOffscreenBitmap& other, const PixelRect& box) {
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) n += b.Pixel(x, y) != other.Pixel(x, y);
    return n;
}
}  // namespace

TEST(Surface, AxisAlignedLinesLeaveOutTheirLastPixelOnBitmapsAndWindowsAlike) {
    struct Case {
        PixelPoint from, to;
        PixelRect inked;
    } cases[] = {
        {{12, 3}, {2, 3}, {3, 3, 13, 4}},   // leftwards: x = 3 .. 12
        {{2, 3}, {12, 3}, {2, 3, 12, 4}},   // rightwards: x = 2 .. 11
        {{5, 1}, {5, 9}, {5, 1, 6, 9}},     // downwards: y = 1 .. 8
        {{5, 9}, {5, 1}, {5, 2, 6, 10}},    // upwards: y = 2 .. 9
        {{1, 1}, {7, 7}, {1, 1, 7, 7}},     // a diagonal ends one pixel short
        {{-5, 4}, {30, 4}, {0, 4, 16, 5}},  // beyond both edges
    };
    for (const Case& c : cases) {
        const BothTargets both(16, 12, [&](TSurface& s) {
            s.FillRect({0, 0, 16, 12});  // white: the default brush
            s.MoveTo(c.from.x, c.from.y);
            s.LineTo(c.to.x, c.to.y);
        });
        for (const TOffscreenBitmap* b : {&both.onBitmap, &both.onWindow}) {
            EXPECT_EQ(InkBox(*b), c.inked) << (b == &both.onBitmap ? "bitmap " : "window ") << c.from.x << ","
                                           << c.from.y << " -> " << c.to.x << "," << c.to.y;
            EXPECT_EQ(CountColor(*b, Black), std::max(c.inked.Width(), c.inked.Height()));
        }
    }
}

namespace {
// The pixels a geometric round or square pen of `width` covers when it is
// set at every pixel of the Bresenham walk from `a` to `b`, both ends
// included: the definition the swept rows must meet.
std::set<std::pair<int, int>> StampedWalk(PixelPoint a, PixelPoint b, int width, bool round) {
    const int lo = -(width / 2);
    const double centre = lo + (width - 1) / 2.0;
    const double reach = (width / 2.0) * (width / 2.0) + 0.25;
    std::vector<PixelPoint> stamp;
    for (int dy = lo; dy < lo + width; ++dy)
        for (int dx = lo; dx < lo + width; ++dx)
            if (!round || (dx - centre) * (dx - centre) + (dy - centre) * (dy - centre) <= reach)
                stamp.push_back({dx, dy});
    std::set<std::pair<int, int>> covered;
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    for (PixelPoint p = a;;) {
        for (const PixelPoint& o : stamp) covered.insert({p.x + o.x, p.y + o.y});
        if (p == b) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.y += sy;
        }
    }
    return covered;
}
}  // namespace

TEST(Surface, RoundAndSquarePensOfEveryWidthCoverTheirStampAtEveryStepOfTheWalk) {
    // Widths beyond 8 included: every width walks, none is handed to Qt.
    // Xor mode shows a pixel met twice: it would turn back to white.  Half
    // the lines go one pixel to a neighbour, as between the points of a
    // dense curve, some of them by the target's edges.
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> coordinate(-10, 70), neighbour(-1, 1);
    int lines = 0;
    for (int width = 1; width <= 24; ++width)
        for (const NativePenEnd end : {NativePenEnd::Round, NativePenEnd::Square})
            for (const NativePenMode mode : {NativePenMode::Copy, NativePenMode::Xor})
                for (int i = 0; i < 12; ++i, ++lines) {
                    const PixelPoint a{coordinate(random), coordinate(random)};
                    const PixelPoint b = i % 2 == 0 ? PixelPoint{coordinate(random), coordinate(random)}
                                                    : PixelPoint{a.x + neighbour(random), a.y + neighbour(random)};
                    if (a == b) continue;  // a line of no length draws nothing
                    TOffscreenBitmap bitmap(60, 60);
                    TSurface& s = bitmap.Surface();
                    s.SetPen({Red, width, NativePenStyle::Solid, true, end, mode});
                    s.MoveTo(a.x, a.y);
                    s.LineTo(b.x, b.y);
                    const RgbColor ink = mode == NativePenMode::Xor ? (Red ^ White) : Red;
                    const auto covered = StampedWalk(a, b, width, end == NativePenEnd::Round);
                    int wrong = 0;
                    for (int y = 0; y < 60; ++y)
                        for (int x = 0; x < 60; ++x)
                            wrong += (bitmap.Pixel(x, y) == ink) != (covered.count({x, y}) != 0) ||
                                     (bitmap.Pixel(x, y) != ink && bitmap.Pixel(x, y) != White);
                    EXPECT_EQ(wrong, 0) << "width " << width << (end == NativePenEnd::Round ? " round " : " square ")
                                        << (mode == NativePenMode::Xor ? "xor " : "copy ") << a.x << "," << a.y
                                        << " -> " << b.x << "," << b.y;
                }
    EXPECT_GT(lines, 1000);
}

namespace {
struct PenCase {
    NativePen pen;
    BackgroundMode background;
};

std::string Describe(const PenCase& c) {
    const NativePen& p = c.pen;
    return std::string(p.geometric ? "geometric width " + std::to_string(p.width) : "cosmetic") + " style " +
           std::to_string(int(p.style)) + " end " + std::to_string(int(p.end)) + " mode " +
           std::to_string(int(p.mode)) + (c.background == BackgroundMode::Opaque ? " opaque" : " transparent");
}

// A light face over the whole target, a cyan background and the pen.
void Prepare(TSurface& s, const PenCase& pc, int width, int height) {
    s.SetBrush({0xC8E0F0, NativeBrushStyle::Solid});
    s.FillRect({0, 0, width, height});
    s.SetBackgroundColor(0x30D0D0);
    s.SetBackgroundMode(pc.background);
    s.SetPen(pc.pen);
}

std::vector<PenCase> EveryKindOfPen() {
    std::vector<PenCase> pens;
    using S = NativePenStyle;
    using E = NativePenEnd;
    using M = NativePenMode;
    const RgbColor ink = 0x2040C0;
    for (const S style : {S::Solid, S::Dash, S::Dot, S::DashDot, S::DashDotDot, S::Alternate, S::InsideFrame})
        for (const M mode : {M::Copy, M::NotXor, M::Xor})
            for (const BackgroundMode bg : {BackgroundMode::Opaque, BackgroundMode::Transparent})
                pens.push_back({{ink, 1, style, false, E::Round, mode}, bg});
    for (const int width : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 16, 23})
        for (const E end : {E::Round, E::Square, E::Flat})
            pens.push_back({{ink, width, S::Solid, true, end, M::Copy}, BackgroundMode::Transparent});
    for (const S style : {S::Dash, S::Dot, S::DashDot, S::DashDotDot})
        for (const int width : {2, 5, 9})
            for (const E end : {E::Round, E::Flat})
                pens.push_back({{ink, width, style, true, end, M::Copy}, BackgroundMode::Opaque});
    for (const int width : {2, 3, 9})
        for (const E end : {E::Round, E::Square})
            pens.push_back({{ink, width, S::InsideFrame, true, end, M::NotXor}, BackgroundMode::Transparent});
    return pens;
}
}  // namespace

TEST(Surface, EveryLineInksTheSamePixelsOnABitmapAndOnAWindow) {
    // Random segments and polylines, one per tile of the canvas and clipped
    // to it, with every pen kind and a few lines from far away: on a bitmap
    // and on a window the same pixels, whichever rasteriser draws them.
    constexpr int TileWidth = 64, TileHeight = 60, Columns = 10, Rows = 8;
    std::mt19937 random(13);
    std::uniform_int_distribution<int> coordinate(-24, 88);
    std::uniform_int_distribution<int> shape(0, 15);
    int segments = 0, lines = 0, differingLines = 0, differingPixels = 0;
    std::set<int> widths;
    for (const PenCase& pc : EveryKindOfPen()) {
        // The figures of every tile: a line, or a polyline every fifth tile.
        std::vector<std::vector<PixelPoint>> figures;
        for (int t = 0; t < Columns * Rows; ++t) {
            std::vector<PixelPoint> points{{coordinate(random), coordinate(random)}};
            const int count = t % 5 == 4 ? 3 + t % 4 : 1;
            for (int i = 0; i < count; ++i) {
                PixelPoint next{coordinate(random), coordinate(random)};
                const int kind = shape(random);
                if (kind < 3) next.y = points.back().y;                                // horizontal
                if (kind >= 3 && kind < 6) next.x = points.back().x;                   // vertical
                if (kind == 6) next.y = points.back().y + (next.x - points.back().x);  // diagonal
                if (kind == 7 && t % 5 != 4) next.x = next.x < 32 ? -40000 : 40000;    // beyond the walk's reach
                if (kind == 8 && t % 5 != 4) next = {next.x < 32 ? -20011 : 20011, points.back().y};  // far, level
                if (kind == 9 && t % 5 != 4) next = {points.back().x, next.y < 32 ? -20011 : 20011};  // far, upright
                points.push_back(next);
                segments += 1;
            }
            figures.push_back(points);
        }
        const BothTargets both(TileWidth * Columns, TileHeight * Rows, [&](TSurface& s) {
            Prepare(s, pc, TileWidth * Columns, TileHeight * Rows);
            for (int t = 0; t < Columns * Rows; ++t) {
                const int left = t % Columns * TileWidth, top = t / Columns * TileHeight;
                s.RemoveClip();
                s.IntersectClipRect({left, top, left + TileWidth, top + TileHeight});
                std::vector<PixelPoint> points = figures[t];
                for (PixelPoint& p : points) p = {p.x + left, p.y + top};
                if (points.size() == 2) {
                    s.MoveTo(points[0].x, points[0].y);
                    s.LineTo(points[1].x, points[1].y);
                } else {
                    s.Polyline(points);
                }
            }
        });
        for (int t = 0; t < Columns * Rows; ++t) {
            const int left = t % Columns * TileWidth, top = t / Columns * TileHeight;
            const int n =
                DifferingPixels(both.onBitmap, both.onWindow, {left, top, left + TileWidth, top + TileHeight});
            lines += 1;
            if (n == 0) continue;
            differingLines += 1;
            differingPixels += n;
            ADD_FAILURE() << Describe(pc) << ", tile " << t << ": " << n << " pixels differ";
        }
        if (pc.pen.geometric) widths.insert(pc.pen.width);
    }
    std::printf("[ figures  ] %zu pens (%zu geometric widths), %d figures of %d segments, %d differ (%d pixels)\n",
                EveryKindOfPen().size(), widths.size(), lines, segments, differingLines, differingPixels);
    EXPECT_GT(segments, 5000);
    EXPECT_EQ(differingLines, 0);
}

TEST(Surface, EveryBoxFillsTheSamePixelsOnABitmapAndOnAWindow) {
    // Random boxes, one per tile and clipped to it, some reaching past the
    // tile or the target, with solid and hatched brushes, in every kind of
    // pen: on a bitmap and on a window the same pixels.
    constexpr int TileWidth = 40, TileHeight = 36, Columns = 12, Rows = 6;
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> coordinate(-12, 52);
    int boxes = 0, differing = 0;
    std::vector<NativeBrush> brushes = {{0x30A040, NativeBrushStyle::Solid}, {0x102030, NativeBrushStyle::Clear}};
    for (const NativeBrushStyle hatch : {NativeBrushStyle::Cross, NativeBrushStyle::BDiagonal})
        brushes.push_back({0xA04030, hatch});
    for (const PenCase& pc : EveryKindOfPen()) {
        std::vector<std::array<int, 4>> corners;
        for (int t = 0; t < Columns * Rows; ++t) {
            std::array<int, 4> c{coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
            if (t % 7 == 3) c[2] = c[0] + 2;  // two pixels wide: no inside
            if (t % 7 == 5) c[3] = c[1] + 1;  // one pixel thin
            corners.push_back(c);
        }
        const NativeBrush brush = brushes[std::size_t(boxes / (Columns * Rows)) % brushes.size()];
        const BothTargets both(TileWidth * Columns, TileHeight * Rows, [&](TSurface& s) {
            Prepare(s, pc, TileWidth * Columns, TileHeight * Rows);
            s.SetBrush(brush);
            for (int t = 0; t < Columns * Rows; ++t) {
                const int left = t % Columns * TileWidth, top = t / Columns * TileHeight;
                s.RemoveClip();
                if (t % 4 != 0) s.IntersectClipRect({left, top, left + TileWidth, top + TileHeight});
                const std::array<int, 4>& c = corners[std::size_t(t)];
                s.Rectangle(c[0] + left, c[1] + top, c[2] + left, c[3] + top);
            }
        });
        boxes += Columns * Rows;
        const int n = DifferingPixels(both.onBitmap, both.onWindow, {0, 0, TileWidth * Columns, TileHeight * Rows});
        if (n == 0) continue;
        differing += 1;
        ADD_FAILURE() << Describe(pc) << ", brush style " << int(brush.style) << ": " << n << " pixels differ";
    }
    EXPECT_GT(boxes, 5000);
    EXPECT_EQ(differing, 0);
}

TEST(Surface, LinesThroughPointsDrawWhatTheirLineToCallsDraw) {
    // Walks of short steps, many of them going on straight along a row, a
    // column or a diagonal (which a copying pen may draw as one line), some
    // clipped and a few from beyond the walk's reach, in every kind of pen:
    // the same pixels as MoveTo and a LineTo to each point, and the pen left
    // at the last point.
    constexpr int W = 120, H = 90;
    std::mt19937 random(1210);
    std::uniform_int_distribution<int> step(-1, 1), jump(-3, 3), length(1, 6), start(-10, 130);
    int walks = 0, differing = 0;
    for (const PenCase& pc : EveryKindOfPen())
        for (int w = 0; w < 6; ++w, ++walks) {
            std::vector<PixelPoint> points{{start(random), start(random) * H / W}};
            for (int i = 0; i < 60; ++i) {
                PixelPoint d{step(random), step(random)};
                if (i % 4 == 3) d = {jump(random), jump(random)};  // a step of any slope
                const int n = length(random);
                for (int k = 0; k < n; ++k) points.push_back({points.back().x + d.x, points.back().y + d.y});
            }
            if (w == 5) points.push_back({40000, points.back().y});
            TOffscreenBitmap through(W, H), lineTo(W, H);
            for (TOffscreenBitmap* b : {&through, &lineTo}) {
                TSurface& s = b->Surface();
                Prepare(s, pc, W, H);
                if (w % 2 == 1) s.IntersectClipRect({10, 12, 100, 70});
                if (b == &through) {
                    s.LinesThrough(points);
                } else {
                    s.MoveTo(points[0].x, points[0].y);
                    for (std::size_t i = 1; i < points.size(); ++i) s.LineTo(points[i].x, points[i].y);
                }
                EXPECT_EQ(s.PenPosition(), points.back());
            }
            const int n = DifferingPixels(through, lineTo, {0, 0, W, H});
            if (n == 0) continue;
            differing += 1;
            ADD_FAILURE() << Describe(pc) << ", walk " << w << ": " << n << " pixels differ";
        }
    EXPECT_GT(walks, 500);
    EXPECT_EQ(differing, 0);
}
