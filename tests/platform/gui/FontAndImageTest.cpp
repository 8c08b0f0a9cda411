// Face substitution, text metrics and output, and images from BMP rows.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/core/MessageTable.h"
#include "platform/gui/NativeFont.h"
#include "platform/gui/NativeImage.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/Surface.h"
#include "tests/platform/gui/InkBox.h"

using namespace cvcalc;

namespace {

using test::InkBox;

const char* const MsPGothic = "ＭＳ Ｐゴシック";

TEST(FontSubstitution, MapsTheFormFacesToTheirStandIns) {
    const struct {
        const char* face;
        int charsetId;
        const char* family;
    } table[] = {
        {MsPGothic, charset::ShiftJis, "IPAPGothic"},
        {"ＭＳ ゴシック", charset::ShiftJis, "IPAPGothic"},
        {"MS UI Gothic", charset::Default, "IPAPGothic"},
        {"Arial", charset::Ansi, "Liberation Sans"},
        {"arial", charset::Ansi, "Liberation Sans"},
        {"MS Sans Serif", charset::Default, "Liberation Sans"},
        {"Tahoma", charset::Ansi, "Liberation Sans"},
        {"Times New Roman", charset::Ansi, "Liberation Serif"},
        {"TIMES NEW ROMAN", charset::Ansi, "Liberation Serif"},
        {"Courier New", charset::Ansi, "Liberation Mono"},
        {"", charset::ShiftJis, "IPAPGothic"},
        {"", charset::Ansi, "Liberation Sans"},
        {"DejaVu Sans", charset::Ansi, "DejaVu Sans"},
        {"Arial Black", charset::Ansi, "Arial Black"},
    };
    for (const auto& row : table) EXPECT_EQ(SubstituteFontFace(row.face, row.charsetId), row.family) << row.face;
}

TEST(FontSubstitution, QtMatchesTheInstalledFamilies) {
    const struct {
        const char* face;
        const char* family;
    } table[] = {
        {MsPGothic, "IPAPGothic"},
        {"Times New Roman", "Liberation Serif"},
        {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& row : table) {
        FontSpec request;
        request.face = row.face;
        request.height = -16;
        const TNativeFont font(request);
        EXPECT_EQ(font.ResolvedFamily(), row.family) << row.face;
        EXPECT_EQ(font.CharacterHeight(), 16);
    }
}

TEST(FontMetrics, NegativeHeightIsTheCharacterPositiveTheCell) {
    FontSpec request;
    request.face = MsPGothic;
    request.charset = charset::ShiftJis;
    request.height = -16;
    const FontMetricsInfo character = TNativeFont(request).Metrics();
    EXPECT_EQ(character.height, character.ascent + character.descent);
    EXPECT_GE(character.height, 16);
    EXPECT_LE(character.height, 20);

    request.height = 20;
    const FontMetricsInfo cell = TNativeFont(request).Metrics();
    EXPECT_NEAR(cell.height, 20, 1);
    // A wider text is wider; an empty one has no width.
    const TNativeFont font(request);
    EXPECT_GT(font.TextExtent("WWWW").width, font.TextExtent("W").width);
    EXPECT_EQ(font.TextExtent("").width, 0);
    EXPECT_EQ(font.TextExtent("計算").height, cell.height);
}

TEST(TextOut, AlignmentFlagsPlaceTheTextAroundThePoint) {
    FontSpec request;
    request.face = "Arial";
    request.height = -16;
    const TNativeFont font(request);
    const PixelSize extent = font.TextExtent("HHHH");
    const struct {
        unsigned align;
        bool leftOf;   // ink left of x
        bool rightOf;  // ink right of x
        bool above;    // ink above y
        bool below;    // ink below y
    } table[] = {
        {textalign::Left | textalign::Top, false, true, false, true},
        {textalign::Right | textalign::Top, true, false, false, true},
        {textalign::Center | textalign::Top, true, true, false, true},
        {textalign::Left | textalign::Bottom, false, true, true, false},
        {textalign::Center | textalign::Bottom, true, true, true, false},
    };
    for (const auto& row : table) {
        TOffscreenBitmap b(200, 100);
        TSurface& s = b.Surface();
        s.SetFont(font);
        s.SetBackgroundMode(BackgroundMode::Transparent);
        s.SetTextAlign(row.align);
        s.TextOut(100, 50, "HHHH");
        const PixelRect ink = InkBox(b);
        ASSERT_FALSE(ink.IsEmpty()) << row.align;
        EXPECT_EQ(ink.left < 100, row.leftOf) << row.align;
        EXPECT_EQ(ink.right > 101, row.rightOf) << row.align;
        EXPECT_EQ(ink.top < 50, row.above) << row.align;
        EXPECT_EQ(ink.bottom > 51, row.below) << row.align;
        EXPECT_LE(ink.Width(), extent.width);
        EXPECT_LE(ink.Height(), extent.height);
    }
}

TEST(TextOut, OpaqueModeFillsTheCellWithTheBackground) {
    FontSpec request;
    request.face = "Arial";
    request.height = -12;
    request.color = 0x0000FF;
    const TNativeFont font(request);
    const PixelSize extent = font.TextExtent("Ab");
    TOffscreenBitmap b(100, 50);
    TSurface& s = b.Surface();
    s.SetFont(font);
    s.SetBackgroundColor(0x00FF00);
    s.SetBackgroundMode(BackgroundMode::Opaque);
    s.TextOut(10, 10, "Ab");
    EXPECT_EQ(InkBox(b), (PixelRect{10, 10, 10 + extent.width, 10 + extent.height}));
    EXPECT_EQ(b.Pixel(10, 10), 0x00FF00u);
    // The font's colour became the text colour (the stems are nearly pure
    // red; the edges are smoothed).
    bool red = false;
    for (int y = 10; y < 10 + extent.height; ++y)
        for (int x = 10; x < 10 + extent.width; ++x) {
            const RgbColor c = b.Pixel(x, y);
            red |= RedOf(c) >= 0xE0 && GreenOf(c) <= 0x20 && BlueOf(c) == 0;
        }
    EXPECT_TRUE(red);
}

TEST(TextOut, RotatedTextReadsUpwardsAndIsTallerThanWide) {
    FontSpec request;
    request.face = "Arial";
    request.height = -14;
    request.orientation = 900;
    TOffscreenBitmap b(100, 200);
    TSurface& s = b.Surface();
    s.SetFont(TNativeFont(request));
    s.SetBackgroundMode(BackgroundMode::Transparent);
    s.TextOut(40, 150, "Capacitance");
    const PixelRect ink = InkBox(b);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), 3 * ink.Width());
    // Upwards from the reference point, the lines below the top to its right.
    EXPECT_LE(ink.bottom, 151);
    EXPECT_GE(ink.left, 40);
}

// Measured and laid-out texts are remembered per realised font: the same
// text in another size or style is measured and drawn in its own font, and
// drawing it again gives the same pixels.
TEST(TextOut, RememberedTextsKeepToTheirFont) {
    FontSpec small;
    small.face = "Arial";
    small.height = -10;
    FontSpec large = small;
    large.height = -20;
    FontSpec bold = small;
    bold.style = fontstyle::Bold;
    auto draw = [](const FontSpec& request) {
        TOffscreenBitmap b(200, 60);
        TSurface& s = b.Surface();
        s.SetFont(TNativeFont(request));
        s.SetBackgroundMode(BackgroundMode::Transparent);
        s.TextOut(5, 5, "1.0E-12 pF");
        std::vector<RgbColor> pixels;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) pixels.push_back(b.Pixel(x, y));
        return std::pair{InkBox(b), pixels};
    };
    const auto [smallInk, smallPixels] = draw(small);
    const auto [largeInk, largePixels] = draw(large);
    const auto [boldInk, boldPixels] = draw(bold);
    EXPECT_GT(largeInk.Width(), smallInk.Width() * 3 / 2);
    EXPECT_GT(largeInk.Height(), smallInk.Height());
    EXPECT_NE(boldPixels, smallPixels);
    EXPECT_EQ(draw(small).second, smallPixels);
    EXPECT_EQ(draw(large).second, largePixels);
    EXPECT_GT(TNativeFont(large).TextExtent("1.0E-12 pF").width, TNativeFont(small).TextExtent("1.0E-12 pF").width);
    EXPECT_EQ(TNativeFont(small).TextExtent("1.0E-12 pF").width, TNativeFont(small).TextExtent("1.0E-12 pF").width);
}

// A bitmap all in `background`, or with a dot of another colour on every
// third pixel of every third row.
void PaintBackground(TOffscreenBitmap& b, RgbColor background, bool dotted) {
    TSurface& s = b.Surface();
    s.SetBrush(NativeBrush{background, NativeBrushStyle::Solid});
    s.FillRect({0, 0, b.Width(), b.Height()});
    if (!dotted) return;
    s.SetBrush(NativeBrush{background ^ 0x404040, NativeBrushStyle::Solid});
    for (int y = 0; y < b.Height(); y += 3)
        for (int x = 0; x < b.Width(); x += 3) s.FillRect({x, y, x + 1, y + 1});
}

// The pixels away from the dots where two bitmaps differ.
int DifferingAwayFromTheDots(const TOffscreenBitmap& a, const TOffscreenBitmap& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += (x % 3 != 0 || y % 3 != 0) && a.Pixel(x, y) != b.Pixel(x, y);
    return n;
}

// A bitmap keeps the pixels a text leaves on a plain background and copies
// them the next time.  Each text goes on two bitmaps of one background: a
// plain one, and one with a dot on every third pixel of every third row, so
// that no text finds a plain background there and each is drawn afresh.
// Blending is pixel by pixel, so away from the dots the two must agree, at
// the first drawing and at every later one, upright, turned and clipped.
TEST(TextOut, TextKeptAsPixelsMatchesTextDrawnAfresh) {
    const char* const texts[] = {"1.0E-12", "電圧 [V]", "gjpqy|W", "EC", " ", "A\nB", "容量 C [pF]"};
    const int orientations[] = {0, 900, 2700, 1800, 450};
    const RgbColor inks[] = {0x000000, 0x0000FF, 0xFFFFFF, 0x808080};
    const RgbColor backgrounds[] = {0xFFFFFF, 0x800000, 0x7F7F7F, 0x000000};
    constexpr int W = 150, H = 110;
    std::mt19937 random(20261210);
    int drawn = 0;
    for (int round = 0; round < 240; ++round) {
        FontSpec request;
        request.face = round % 3 == 0 ? MsPGothic : "Arial";
        request.charset = round % 3 == 0 ? charset::ShiftJis : charset::Ansi;
        request.height = -int(9 + random() % 10);
        request.style = round % 4 == 1 ? fontstyle::Bold : 0;
        request.orientation = orientations[random() % std::size(orientations)];
        request.color = inks[random() % std::size(inks)];
        const RgbColor background = backgrounds[random() % std::size(backgrounds)];
        const char* text = texts[random() % std::size(texts)];
        const unsigned align =
            (random() % 2 ? textalign::Center : textalign::Left) | (random() % 2 ? textalign::Bottom : textalign::Top);
        const bool clipped = round % 5 == 4;
        const PixelRect clip{int(random() % 60), int(random() % 40), int(60 + random() % 90), int(40 + random() % 70)};
        // Twice at the same point and once elsewhere: the first drawing
        // only notes the text, the second keeps its pixels, the third copies them.
        const int x = int(random() % (W + 40)) - 20, y = int(random() % (H + 40)) - 20;
        const int points[][2] = {{x, y}, {x, y}, {W / 2, H / 2}};
        const TNativeFont font(request);
        for (const auto& point : points) {
            TOffscreenBitmap plain(W, H), dotted(W, H);
            PaintBackground(plain, background, false);
            PaintBackground(dotted, background, true);
            for (TOffscreenBitmap* b : {&plain, &dotted}) {
                TSurface& s = b->Surface();
                if (clipped) s.IntersectClipRect(clip);
                s.SetFont(font);
                s.SetBackgroundMode(BackgroundMode::Transparent);
                s.SetTextAlign(align);
                s.TextOut(point[0], point[1], text);
            }
            bool changed = false;
            for (int py = 0; py < H; ++py)
                for (int px = 0; px < W; ++px) {
                    changed |= plain.Pixel(px, py) != background;
                    if (px % 3 == 0 && py % 3 == 0) continue;
                    ASSERT_EQ(plain.Pixel(px, py), dotted.Pixel(px, py))
                        << "round " << round << " '" << text << "' at " << px << "," << py << " orientation "
                        << request.orientation;
                }
            drawn += changed;
        }
    }
    // Most texts land at least partly on the bitmap.
    EXPECT_GT(drawn, 300);
}

// A font keeps a megabyte's worth of text pixels: a dozen long texts in a
// 60-pixel font, drawn three times over, are let go and kept again, and
// every drawing still matches the text drawn afresh.  Glyphs larger than
// Qt keeps as images are filled as outlines, whose shades may differ by
// one a whole pixel away (90 pixels did): such texts are drawn each time.
TEST(TextOut, KeptPixelsOfManyLongTextsAreLetGoAndKeptAgainAndLargeGlyphsNeverKept) {
    for (const int height : {60, 90}) {
        FontSpec request;
        request.face = "Arial";
        request.height = -height;
        const TNativeFont font(request);
        int drawings = 0;
        for (int pass = 0; pass < 3; ++pass)
            for (int i = 0; i < 12; ++i, ++drawings) {
                const std::string text =
                    (i % 2 == 0 ? "Wide text " : "A long text to keep, number ") + std::to_string(i);
                TOffscreenBitmap plain(1000, 130), dotted(1000, 130);
                PaintBackground(plain, 0xFFFFFF, false);
                PaintBackground(dotted, 0xFFFFFF, true);
                for (TOffscreenBitmap* b : {&plain, &dotted}) {
                    b->Surface().SetFont(font);
                    b->Surface().SetBackgroundMode(BackgroundMode::Transparent);
                    b->Surface().TextOut(8, 8, text);
                }
                ASSERT_NE(InkBox(plain), PixelRect{}) << text;
                ASSERT_EQ(DifferingAwayFromTheDots(plain, dotted), 0) << text << ", " << height << " px, pass " << pass;
            }
        EXPECT_EQ(drawings, 36);
    }
}

// A text at the ends of the coordinates lands nowhere on the bitmap, and
// working out where its kept pixels would go must not overflow.
TEST(TextOut, TextAtTheEndsOfTheCoordinatesDrawsNothing) {
    FontSpec request;
    request.face = "Arial";
    request.height = -12;
    const TNativeFont font(request);
    TOffscreenBitmap b(40, 30);
    TSurface& s = b.Surface();
    s.SetFont(font);
    s.SetBackgroundMode(BackgroundMode::Transparent);
    const int ends[] = {INT_MIN, INT_MIN + 1, -(1 << 24) - 1, (1 << 24) + 1, INT_MAX - 1, INT_MAX};
    for (int repeat = 0; repeat < 2; ++repeat)
        for (const int x : ends) {
            s.TextOut(x, 5, "1.0E-12");
            s.TextOut(5, x, "1.0E-12");
        }
    EXPECT_EQ(InkBox(b), PixelRect{});
}

TEST(NativeImage, BuildsFromBottomUpBgrRows) {
    // 2 x 2 image, rows padded to 8 bytes: bottom row first.
    const std::vector<std::uint8_t> rows = {
        0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,  // bottom: red, green
        0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0,  // top: blue, white
    };
    const TNativeImage image = TNativeImage::FromBottomUpBgr(2, 2, rows, 8);
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(image.Pixel(0, 0), 0xFF0000u);  // blue as 0x00BBGGRR
    EXPECT_EQ(image.Pixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(image.Pixel(0, 1), 0x0000FFu);  // red
    EXPECT_EQ(image.Pixel(1, 1), 0x00FF00u);
    EXPECT_EQ(image.Pixel(2, 0), InvalidColor);

    TOffscreenBitmap b(6, 6);
    b.Surface().DrawImage(3, 2, image);
    EXPECT_EQ(b.Pixel(3, 2), 0xFF0000u);
    EXPECT_EQ(b.Pixel(4, 3), 0x00FF00u);
    b.Surface().StretchDrawImage({0, 0, 4, 4}, image);
    EXPECT_EQ(b.Pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(b.Pixel(3, 3), 0x00FF00u);
    // The last row may leave out its padding.
    EXPECT_EQ(TNativeImage::FromBottomUpBgr(2, 2, std::span(rows).first(14), 8).Pixel(1, 0), 0xFFFFFFu);
}

TEST(NativeImage, RejectsWhatItCannotHold) {
    const std::vector<std::uint8_t> rows(48, 0);
    const struct {
        int width, height;
        std::size_t bytes, stride;
    } table[] = {
        {0, 2, 48, 12},         {2, 0, 48, 12}, {-1, 2, 48, 12}, {4, 4, 47, 12},  // one byte short
        {4, 4, 48, 11},                                                           // stride below width * 3
        {40000, 1, 48, 120000},                                                   // beyond 32767
        {4, 1000000, 48, 12},
    };
    const std::string text = LoadMessage(msg::InvalidImage);
    for (const auto& row : table) {
        try {
            TNativeImage::FromBottomUpBgr(row.width, row.height, std::span(rows).first(row.bytes), row.stride);
            ADD_FAILURE() << row.width << " x " << row.height << " accepted";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), text);
        }
    }
    EXPECT_EQ(text, "不正なストリーム形式");
}
}  // namespace
