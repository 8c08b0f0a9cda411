// Colours, fonts, pens, the canvas and bitmaps, checked by pixels.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/GraphicErrors.h"
#include "framework/Picture.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/StreamErrors.h"

namespace cvcalc {
namespace {

TEST(Color, SystemAndExplicitColoursResolve) {
    const struct {
        TColor color;
        RgbColor rgb;
    } cases[] = {
        {clBtnFace, MakeRgb(240, 240, 240)},   {clWindowText, 0x000000},          {clWindow, 0xFFFFFF},
        {clBtnShadow, MakeRgb(160, 160, 160)}, {clBtnHighlight, 0xFFFFFF},        {clRed, MakeRgb(255, 0, 0)},
        {clBlue, MakeRgb(0, 0, 255)},          {clFuchsia, MakeRgb(255, 0, 255)}, {0x00123456, 0x00123456},
    };
    for (const auto& c : cases) EXPECT_EQ(ColorToRgb(c.color), c.rgb) << std::hex << c.color;
}

TEST(Font, SizeAndHeightAreTwoViewsOfOneValue) {
    const struct {
        int height;
        int size;
    } cases[] = {{-16, 12}, {-11, 8}, {-12, 9}, {-21, 16}, {-13, 10}};
    for (const auto& c : cases) {
        TFont font;
        font.SetHeight(c.height);
        EXPECT_EQ(font.Size(), c.size) << c.height;
        TFont other;
        other.SetSize(c.size);
        TFont back;
        back.SetHeight(other.Height());
        EXPECT_EQ(back.Size(), c.size);
    }
}

TEST(Font, DefaultsAndChangeNotification) {
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(font.Color(), clWindowText);
    int changes = 0;
    font.SetOnChange([&] { ++changes; });
    font.SetHeight(-16);
    font.SetHeight(-16);  // no change, no notice
    font.SetStyle(TFontStyles{fsBold});
    EXPECT_EQ(changes, 2);
}

// A bitmap painted white, with the canvas's pen and brush as given.
struct Board {
    TBitmap bitmap{40, 30};
    TCanvas& c = bitmap.Canvas();
    RgbColor At(int x, int y) const { return bitmap.Pixel(x, y); }
};

TEST(Canvas, RectangleIsEndExclusiveOutlinedAndFilled) {
    Board b;
    b.c.Pen().SetColor(clBlack);
    b.c.Brush().SetColor(clRed);
    b.c.Rectangle(5, 5, 15, 12);
    EXPECT_EQ(b.At(5, 5), 0x000000u);
    EXPECT_EQ(b.At(14, 11), 0x000000u);
    EXPECT_EQ(b.At(14, 5), 0x000000u);
    EXPECT_EQ(b.At(10, 8), ColorToRgb(clRed));
    EXPECT_EQ(b.At(15, 12), 0xFFFFFFu);
    EXPECT_EQ(b.At(15, 8), 0xFFFFFFu);
    EXPECT_EQ(b.At(4, 8), 0xFFFFFFu);
}

TEST(Canvas, PenWidthsDrawThatManyRows) {
    for (int width : {1, 3, 5}) {
        Board b;
        b.c.Pen().SetWidth(width);
        b.c.Pen().SetColor(clBlue);
        b.c.Pen().SetEnd(peFlat);
        b.c.MoveTo(5, 15);
        b.c.LineTo(35, 15);
        int rows = 0;
        for (int y = 0; y < 30; ++y)
            if (b.At(20, y) == ColorToRgb(clBlue)) ++rows;
        EXPECT_EQ(rows, width) << "width " << width;
    }
}

TEST(Canvas, NotXorTwiceRestoresThePixels) {
    Board b;
    b.c.Brush().SetColor(clYellow);
    b.c.FillRect(Rect(0, 0, 40, 30));
    b.c.Pen().SetMode(pmNotXor);
    b.c.Pen().SetColor(clBlack);
    b.c.MoveTo(0, 10);
    b.c.LineTo(40, 10);
    EXPECT_NE(b.At(20, 10), ColorToRgb(clYellow));
    b.c.MoveTo(0, 10);
    b.c.LineTo(40, 10);
    EXPECT_EQ(b.At(20, 10), ColorToRgb(clYellow));
}

TEST(Canvas, ClipNestsAndRestores) {
    Board b;
    b.c.Brush().SetColor(clRed);
    b.c.ClipRect(Rect(10, 10, 30, 20));
    b.c.ClipRect(Rect(0, 0, 20, 30));
    b.c.FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(b.At(15, 15), ColorToRgb(clRed));
    EXPECT_EQ(b.At(25, 15), 0xFFFFFFu);  // outside the inner clip
    EXPECT_EQ(b.At(5, 5), 0xFFFFFFu);
    b.c.RestoreClip();
    b.c.Brush().SetColor(clBlue);
    b.c.FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(b.At(25, 15), ColorToRgb(clBlue));
    EXPECT_EQ(b.At(5, 5), 0xFFFFFFu);  // the outer clip still holds
    b.c.RestoreClip();
    b.c.FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(b.At(5, 5), ColorToRgb(clBlue));
}

TEST(Canvas, OriginMovesEveryOperation) {
    Board b;
    b.c.SetOrigin(TPoint{10, 5});
    b.c.Brush().SetColor(clLime);
    b.c.FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(b.At(10, 5), ColorToRgb(clLime));
    EXPECT_EQ(b.At(11, 6), ColorToRgb(clLime));
    EXPECT_EQ(b.At(0, 0), 0xFFFFFFu);
}

TEST(Canvas, TextOutDrawsInTheFontColourAndMeasures) {
    Board b;
    b.c.Font().SetHeight(-16);
    b.c.Font().SetColor(clRed);
    b.c.SetBackgroundMode(bmTransparent);
    b.c.TextOut(2, 2, "EC");
    const int w = b.c.TextWidth("EC");
    EXPECT_GT(w, 8);
    EXPECT_GE(b.c.TextHeight("EC"), 16);
    int red = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (RedOf(b.At(x, y)) > 200 && GreenOf(b.At(x, y)) < 80) ++red;
    EXPECT_GT(red, 10);
    EXPECT_GT(b.c.TextWidth("EC EC"), w);
}

TEST(Canvas, BevelFramesTopLeftAndBottomRight) {
    Board b;
    TRect r = Rect(0, 0, 10, 10);
    b.c.Frame3D(r, clBtnHighlight, clBtnShadow, 1);
    EXPECT_EQ(r, Rect(1, 1, 9, 9));
    EXPECT_EQ(b.At(0, 5), 0xFFFFFFu);
    EXPECT_EQ(b.At(9, 5), MakeRgb(160, 160, 160));
    EXPECT_EQ(b.At(5, 9), MakeRgb(160, 160, 160));
}

TEST(Canvas, DrawCopiesAnotherBitmap) {
    TBitmap small(3, 3);
    small.Canvas().Brush().SetColor(clNavy);
    small.Canvas().FillRect(Rect(0, 0, 3, 3));
    Board b;
    b.c.Draw(4, 4, small);
    EXPECT_EQ(b.At(4, 4), ColorToRgb(clNavy));
    EXPECT_EQ(b.At(6, 6), ColorToRgb(clNavy));
    EXPECT_EQ(b.At(7, 7), 0xFFFFFFu);
}

// A bottom-up 24-bit BMP file of width x height, pixel (x, y) of colour f(x, y).
template <typename F>
std::vector<std::uint8_t> MakeBmp(int width, int height, F f) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> b(size, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const RgbColor c = f(x, y);
            const std::size_t at = 54 + static_cast<std::size_t>((height - 1 - y) * stride + x * 3);
            b[at] = static_cast<std::uint8_t>(BlueOf(c));
            b[at + 1] = static_cast<std::uint8_t>(GreenOf(c));
            b[at + 2] = static_cast<std::uint8_t>(RedOf(c));
        }
    return b;
}

std::vector<std::uint8_t> Sample() {
    return MakeBmp(
        3, 2, [](int x, int y) { return MakeRgb(static_cast<unsigned>(x * 100), static_cast<unsigned>(y * 200), 7); });
}

TEST(Bitmap, LoadsBottomUpRowsTopRowFirst) {
    TBitmap bitmap;
    const auto file = Sample();
    bitmap.LoadFromBmp(file);
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Pixel(0, 0), MakeRgb(0, 0, 7));
    EXPECT_EQ(bitmap.Pixel(2, 0), MakeRgb(200, 0, 7));
    EXPECT_EQ(bitmap.Pixel(1, 1), MakeRgb(100, 200, 7));
}

TEST(Bitmap, MalformedFilesFailWithTheBitmapMessage) {
    const auto good = Sample();
    auto with = [&](std::size_t at, std::uint8_t v) {
        auto b = good;
        b[at] = v;
        return b;
    };
    auto cut = [&](std::size_t n) {
        auto b = good;
        b.resize(n);
        return b;
    };
    const struct {
        const char* what;
        std::vector<std::uint8_t> file;
    } cases[] = {
        {"empty", cut(0)},
        {"header only", cut(20)},
        {"no BM", with(0, 'X')},
        {"8 bits", with(28, 8)},
        {"compressed", with(30, 1)},
        {"two planes", with(26, 2)},
        {"zero width", with(18, 0)},
        {"negative height", with(25, 0xFF)},
        {"width beyond the limit", with(20, 0x7F)},
        {"pixels cut short", cut(good.size() - 4)},
        {"offset past the end", with(11, 0x40)},
        {"header size below 40", with(14, 12)},
    };
    for (const auto& c : cases) {
        TBitmap bitmap;
        try {
            bitmap.LoadFromBmp(c.file);
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "ビットマップ イメージが不正です") << c.what;
        }
    }
}

TEST(Bitmap, LastRowMayLeaveOutItsPadding) {
    auto file = Sample();  // stride 12, last row 9 bytes of pixels
    file.resize(file.size() - 3);
    TBitmap bitmap;
    bitmap.LoadFromBmp(file);
    EXPECT_EQ(bitmap.Pixel(2, 0), MakeRgb(200, 0, 7));
}

std::vector<unsigned char> PictureData(std::string_view cls, const std::vector<std::uint8_t>& file,
                                       long countDelta = 0) {
    std::vector<unsigned char> d;
    d.reserve(5 + cls.size() + file.size());
    d.push_back(static_cast<unsigned char>(cls.size()));
    for (char ch : cls) d.push_back(static_cast<unsigned char>(ch));
    const auto count = static_cast<std::uint32_t>(static_cast<long>(file.size()) + countDelta);
    for (int i = 0; i < 4; ++i) d.push_back(static_cast<unsigned char>(count >> (8 * i)));
    d.insert(d.end(), file.begin(), file.end());
    return d;
}

TEST(Picture, DataNamesTheGraphicClassThenCountsTheFile) {
    TPicture picture;
    TMemoryStream s(PictureData("TBitmap", Sample()));
    picture.ReadData(s);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);

    TMemoryStream longer(PictureData("TBitmap", Sample(), 1));
    EXPECT_THROW(picture.ReadData(longer), EInvalidGraphic);
    TMemoryStream huge(PictureData("TBitmap", Sample(), 0x7FFFFFFF));
    EXPECT_THROW(picture.ReadData(huge), EInvalidGraphic);
    TMemoryStream nothing(std::vector<unsigned char>{7, 'T', 'B'});
    EXPECT_THROW(picture.ReadData(nothing), EInvalidGraphic);
    TMemoryStream jpeg(PictureData("TJPEGImage", Sample()));
    try {
        picture.ReadData(jpeg);
        ADD_FAILURE();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "クラス TJPEGImage が見つかりません");
    }
    EXPECT_EQ(picture.Width(), 3);  // a failed read keeps the picture
}

}  // namespace
}  // namespace cvcalc
