// Figures drawn once: a marker or segment that a later identical one
// covers is left out.  How it is checked: on bitmaps the chart is drawn
// with every figure and with each figure once, and every pixel must be the
// same; on vector documents both SVGs are drawn back at 400 %, and every
// pixel of each must lie within the colours (16 levels a channel beyond
// them) of the 3 x 3 pixels around it in the other, all but one in ten
// thousand — the figures left out lie within an eighth of a pixel of the
// one kept, half a pixel at that size.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

#include "calculator/Pnjunction.h"
#include "chart/ChartAxis.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "chart/DrawnOnce.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/VectorDocument.h"
#include "results/ChartExport.h"
#include "tests/calculator/CalculatorWindow.h"

namespace cvcalc {
namespace {

using DrawnOnceTest = CalculatorWindowTest;

TEST(DrawnOnce, AFigureIsDrawnOnlyWhenNoLaterOneRepeatsItInItsColour) {
    TDrawnOnce figures;
    const auto cell = [](int x, int y) { return TDrawnOnce::CellOf(x, y); };
    EXPECT_TRUE(figures.Offer(cell(3, 4), clRed));
    EXPECT_FALSE(figures.Offer(cell(3, 4), clRed));
    EXPECT_TRUE(figures.Offer(cell(3, 4), clBlue));  // another colour shows
    EXPECT_FALSE(figures.Offer(cell(3, 4), clRed));  // the latest is red
    EXPECT_TRUE(figures.Offer(cell(4, 3), clRed));
    // A segment keeps its direction: the walk leaves out its last pixel.
    EXPECT_TRUE(figures.Offer(cell(3, 4), cell(9, 4), clRed));
    EXPECT_TRUE(figures.Offer(cell(9, 4), cell(3, 4), clRed));
    EXPECT_FALSE(figures.Offer(cell(3, 4), cell(9, 4), clRed));
    EXPECT_TRUE(figures.Offer(cell(-70000, 4), cell(9, 4), clRed));
    // Far more figures than the table starts with.
    for (int i = 0; i < 5000; ++i) EXPECT_TRUE(figures.Offer(cell(i, -i), clRed));
    for (int i = 0; i < 5000; ++i) EXPECT_FALSE(figures.Offer(cell(i, -i), clRed));
    // The same figure offered again and again, as a run of points on one
    // pixel does, answers as the first repeat did.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(figures.Offer(cell(-5, 5), cell(6, 6), clBlue), i == 0);
        EXPECT_TRUE(figures.Offer(cell(-5, 5), cell(6, 6), clRed));
    }
    // Vector cells are eighths of a pixel.
    EXPECT_EQ(TDrawnOnce::CellOf(1.124, -0.01).x, 8);
    EXPECT_EQ(TDrawnOnce::CellOf(1.124, -0.01).y, -1);
    EXPECT_EQ(TDrawnOnce::CellOf(1.126, 0.0).x, 9);
}

// Draws with every figure when `every`, else with each once.
void DrawAll(bool every) { SetFiguresDrawnOnceFrom(every ? INT_MAX : 1); }

// Pixels of `a` whose colour lies, channel by channel, outside the range
// (widened by 16 levels) of the 3 x 3 pixels around the same place in `b`:
// an edge moved by less than a pixel takes values between its neighbours'.
int Unmatched(const TOffscreenBitmap& a, const TOffscreenBitmap& b) {
    using Channel = unsigned (*)(RgbColor);
    const Channel channels[] = {RedOf, GreenOf, BlueOf};
    int unmatched = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            bool inside = true;
            for (const Channel channel : channels) {
                int lo = 255, hi = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const RgbColor other = b.Pixel(x + dx, y + dy);
                        if (other == InvalidColor) continue;
                        lo = std::min(lo, int(channel(other)));
                        hi = std::max(hi, int(channel(other)));
                    }
                const int v = int(channel(a.Pixel(x, y)));
                inside = inside && v >= lo - 16 && v <= hi + 16;
            }
            unmatched += inside ? 0 : 1;
        }
    return unmatched;
}

TEST_F(DrawnOnceTest, ManyPointsDrawTheSamePixelsAndAnIndistinguishableVectorFigure) {
    const int saved = FiguresDrawnOnceFrom();
    Run("1e15", "1e15", "1", "-10");
    // 12 000 readings with a percent of scatter, most on pixels shared
    // with others, on both measured charts.
    const fs::path file = dir_ / "many.csv";
    {
        std::ofstream out(file);
        out << "V,C (pF)\n";
        unsigned state = 7;
        for (int i = 0; i < 12000; ++i) {
            state = state * 1103515245u + 12345u;
            const double scatter = 1 + 0.01 * (double(state >> 8 & 0xFFFF) / 65535.0 - 0.5);
            out << -10 + i * (10.4 / 12000) << ',' << 250 / std::sqrt(0.7 - (-10 + i * (10.4 / 12000))) * scatter
                << '\n';
        }
    }
    Do([&] { f_->LoadMeasuredData(file.string()); });
    ASSERT_TRUE(f_->HasMeasuredData());
    // A line with markers in every point's own colour over the same
    // points: segments too fall on one another.
    auto* line = new TLineSeries(f_);
    line->Pointer()->SetVisible(true);
    line->SetColorEachPoint(true);
    for (int i = 0; i < 8000; ++i) line->AddPoint(-10 + i * 0.00125, 30 + (i * 7919 % 13), {}, clAutoColor);
    line->SetParentChart(f_->ChartCV);

    for (TChart* chart : {f_->ChartCV, f_->ChartC2V}) {
        for (int view = 0; view < 2; ++view) {
            if (view == 1)
                chart->LeftAxis()->Scroll(0.07 * (chart->LeftAxis()->Maximum() - chart->LeftAxis()->Minimum()), false);
            TOffscreenBitmap every(chart->ClientWidth(), chart->ClientHeight());
            TOffscreenBitmap once(chart->ClientWidth(), chart->ClientHeight());
            for (TOffscreenBitmap* target : {&every, &once}) {
                DrawAll(target == &every);
                chart->ChartInvalidate();
                chart->PaintToBitmap();
                target->PaintWindow(chart->Handle());
            }
            int differing = 0;
            for (int y = 0; y < every.Height(); ++y)
                for (int x = 0; x < every.Width(); ++x) differing += every.Pixel(x, y) != once.Pixel(x, y) ? 1 : 0;
            EXPECT_EQ(differing, 0) << chart->Name() << " view " << view;
        }

        DrawAll(true);
        const std::string everySvg = ChartSvg(*chart);
        DrawAll(false);
        const std::string onceSvg = ChartSvg(*chart);
        EXPECT_LT(onceSvg.size(), everySvg.size()) << chart->Name();
        TOffscreenBitmap every(4 * chart->ClientWidth(), 4 * chart->ClientHeight());
        TOffscreenBitmap once(every.Width(), every.Height());
        ASSERT_TRUE(RenderSvg(everySvg, every));
        ASSERT_TRUE(RenderSvg(onceSvg, once));
        // Where antialiased edges of many overlapping markers meet, a
        // pixel can fall just outside; one in ten thousand may.
        const int allowed = every.Width() * every.Height() / 10000;
        EXPECT_LE(Unmatched(every, once), allowed) << chart->Name();
        EXPECT_LE(Unmatched(once, every), allowed) << chart->Name();
    }
    SetFiguresDrawnOnceFrom(saved);
}

// A marker of a vector figure is its shape: a circle's element, not a
// group of the whole style around each, which made a figure of ten
// thousand markers eight times its size.
TEST_F(DrawnOnceTest, EachMarkerOfAnSvgCarriedAGroupOfTheWholeStyle) {
    Run("1e15", "1e15", "1", "-10");
    const fs::path file = dir_ / "markers.csv";
    {
        std::ofstream out(file);
        out << "V,C (pF)\n";
        for (int i = 0; i < 3000; ++i) out << -10 + i * (10.4 / 3000) << ',' << 20 + (i * 7919 % 500) << '\n';
    }
    Do([&] { f_->LoadMeasuredData(file.string()); });
    ASSERT_TRUE(f_->HasMeasuredData());
    const std::string svg = ChartSvg(*f_->ChartCV);
    std::size_t circles = 0, groups = 0;
    for (std::size_t at = svg.find("<circle"); at != std::string::npos; at = svg.find("<circle", at + 1)) ++circles;
    for (std::size_t at = svg.find("<g "); at != std::string::npos; at = svg.find("<g ", at + 1)) ++groups;
    EXPECT_GE(circles, 2900u);
    EXPECT_LT(groups, 200u);
    EXPECT_LT(svg.size(), 80 * circles);
}

}  // namespace
}  // namespace cvcalc
