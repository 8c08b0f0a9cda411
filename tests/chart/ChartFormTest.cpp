// A chart read from a form description with its series, and its drawing
// into the off-screen bitmap checked by pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartClasses.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "chart/SeriesPointer.h"
#include "framework/Form.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/Reader.h"
#include "tests/shell/StreamBuilder.h"

namespace cvcalc {
namespace {

using test::StreamBuilder;

class TChartTestForm : public TForm {
public:
    CVCALC_CLASS_INFO()
    using TForm::TForm;
    TChart* chart = nullptr;
    TLineSeries* line = nullptr;
    TPointSeries* points = nullptr;
};

const TClassInfo& TChartTestForm::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TChartTestForm>("TChartTestForm", TForm::StaticClassInfo())
                                       .Field("Chart1", &TChartTestForm::chart)
                                       .Field("Series1", &TChartTestForm::line)
                                       .Field("Series2", &TChartTestForm::points);
    return info;
}

std::vector<unsigned char> Description() {
    StreamBuilder b;
    b.Signature().Record("TChartTestForm", "ChartTestForm");
    b.Prop("ClientWidth").Int(420).Prop("ClientHeight").Int(380);
    b.End();
    b.Record("TChart", "Chart1");
    b.Prop("Left").Int(0).Prop("Top").Int(0).Prop("Width").Int(400).Prop("Height").Int(361);
    b.Prop("BackWall.Brush.Color").Ident("clWhite").Prop("BackWall.Brush.Style").Ident("bsClear");
    b.Prop("Legend.Visible").Byte(ValFalse).Prop("Title.Visible").Byte(ValFalse);
    b.Prop("Title.Text.Strings").Byte(ValList).Str("TChart").End();
    b.Prop("View3D").Byte(ValFalse);
    b.Prop("BottomAxis.Automatic").Byte(ValFalse).Prop("BottomAxis.AutomaticMaximum").Byte(ValFalse);
    b.Prop("BottomAxis.AutomaticMinimum").Byte(ValFalse);
    b.Prop("BottomAxis.Maximum").Ext(2.0L).Prop("BottomAxis.Minimum").Ext(-2.0L);
    b.Prop("BottomAxis.Title.Caption").Str("x (um)");
    b.Prop("BottomAxis.LabelsFont.Height").Int(-13).Prop("BottomAxis.Title.Font.Color").Ident("clBlue");
    b.Prop("LeftAxis.AxisValuesFormat").Str("0.0");
    b.Prop("Zoom.MinimumPixels").Int(20).Prop("Zoom.Direction").Ident("tzdHorizontal");
    b.Prop("Zoom.Pen.Color").Ident("clYellow").Prop("Zoom.KeyShift").Set({"ssShift"});
    b.Prop("AllowPanning").Ident("pmVertical").Prop("ScrollMouseButton").Ident("mbMiddle");
    b.End();
    b.Record("TLineSeries", "Series1");
    b.Prop("Marks.Callout.Brush.Color").Ident("clBlack").Prop("Marks.Visible").Byte(ValFalse);
    b.Prop("SeriesColor").Ident("clBlue").Prop("LinePen.Width").Int(2);
    b.Prop("Pointer.InflateMargins").Byte(ValTrue).Prop("Pointer.Style").Ident("psRectangle");
    b.Prop("Pointer.Visible").Byte(ValFalse);
    b.Prop("XValues.Name").Str("X").Prop("XValues.Order").Ident("loAscending");
    b.Prop("YValues.Name").Str("Y").Prop("YValues.Order").Ident("loNone");
    b.End().End();
    b.Record("TPointSeries", "Series2");
    b.Prop("ClickableLine").Byte(ValFalse).Prop("Pointer.Visible").Byte(ValTrue);
    b.End().End();
    b.End();  // chart's children
    b.End();  // form's children
    return b.bytes;
}

std::unique_ptr<TChartTestForm> Load() {
    RegisterChartClasses();
    auto form = std::make_unique<TChartTestForm>(nullptr);
    TMemoryStream stream(Description());
    TReader reader(stream);
    reader.ReadRoot(form.get());
    return form;
}

TEST(ChartForm, ChartAndSeriesComeFromTheDescriptionWithTheirSettings) {
    auto form = Load();
    ASSERT_NE(form->chart, nullptr);
    ASSERT_NE(form->line, nullptr);
    ASSERT_NE(form->points, nullptr);
    TChart& chart = *form->chart;
    EXPECT_EQ(chart.Width(), 400);
    EXPECT_EQ(chart.Height(), 361);
    EXPECT_FALSE(chart.View3D());
    EXPECT_FALSE(chart.Legend()->Visible());
    EXPECT_FALSE(chart.BottomAxis()->Automatic());
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), -2.0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), 2.0);
    EXPECT_EQ(chart.BottomAxis()->Title()->Caption(), "x (um)");
    EXPECT_EQ(chart.BottomAxis()->LabelsFont()->Height(), -13);
    EXPECT_EQ(chart.BottomAxis()->Title()->Font()->Color(), clBlue);
    EXPECT_EQ(chart.LeftAxis()->AxisValuesFormat(), "0.0");
    EXPECT_EQ(chart.Zoom()->MinimumPixels(), 20);
    EXPECT_EQ(chart.Zoom()->Direction(), tzdHorizontal);
    EXPECT_EQ(chart.Zoom()->Pen()->Color(), clYellow);
    EXPECT_EQ(chart.Zoom()->KeyShift(), TShiftState{ssShift});
    EXPECT_EQ(chart.Zoom()->Brush()->Style(), bsClear);
    EXPECT_EQ(chart.AllowPanning(), pmVertical);
    EXPECT_EQ(chart.ScrollMouseButton(), mbMiddle);
    // Both series attached in the order of the description.
    ASSERT_EQ(chart.NumSeries(), 2);
    EXPECT_EQ(chart.SeriesAt(0), form->line);
    EXPECT_EQ(chart.SeriesAt(1), form->points);
    // The stored colour replaced the automatic red chosen at attachment, so
    // the second series took the first free colour after it.
    EXPECT_EQ(form->line->SeriesColor(), clBlue);
    EXPECT_EQ(form->line->LinePen()->Width(), 2);
    EXPECT_FALSE(form->line->Pointer()->Visible());
    EXPECT_EQ(form->points->SeriesColor(), clRed);
    EXPECT_TRUE(form->points->Pointer()->Visible());
}

TEST(ChartForm, RepaintWithoutChangeOnlyCopies) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.PaintToBitmap();
    const int draws = chart.FullDrawCount();
    EXPECT_EQ(chart.Bitmap().Width(), 400);
    EXPECT_EQ(chart.Bitmap().Height(), 361);
    chart.PaintToBitmap();
    EXPECT_EQ(chart.FullDrawCount(), draws);
    form->line->AddPoint(0, 0);
    chart.PaintToBitmap();
    EXPECT_EQ(chart.FullDrawCount(), draws + 1);
}

// The back wall's pen frames the plotting area on all four sides, and a
// second full draw of the same chart gives the same pixels as the first
// (the grid's dots leave the panel between them, whatever was drawn before).
TEST(ChartForm, BackWallFramesThePlotAndDrawsRepeatExactly) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.SetColor(static_cast<TColor>(0xE0E0E0));
    chart.LeftAxis()->SetMinMax(-1, 1);
    form->line->AddPoint(-1, 0.5);
    form->line->AddPoint(1, -0.5);
    chart.PaintToBitmap();
    const TChartRect plot = chart.PlotRect();
    const TBitmap& bmp = chart.Bitmap();
    // No panel shows through the top and right edges: the wall's black pen,
    // with the grid's grey dots where a grid line lies on the frame.
    auto panelOnEdge = [&](bool top) {
        int panel = 0;
        for (int i = top ? plot.left : plot.top; i < (top ? plot.right : plot.bottom); ++i)
            panel += chart.Bitmap().Pixel(top ? i : plot.right, top ? plot.top : i) == 0xE0E0E0u;
        return panel;
    };
    EXPECT_EQ(panelOnEdge(true), 0);
    EXPECT_EQ(panelOnEdge(false), 0);
    std::vector<RgbColor> first;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) first.push_back(bmp.Pixel(x, y));
    chart.ChartInvalidate();
    chart.PaintToBitmap();
    std::vector<RgbColor> second;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) second.push_back(bmp.Pixel(x, y));
    EXPECT_EQ(first, second);
    chart.BackWall()->SetVisible(false);
    chart.PaintToBitmap();
    EXPECT_GT(panelOnEdge(true), 0);
}

// Grid pens: dots of three by default, every other pixel with SmallDots.
TEST(ChartForm, GridDotsAndSmallDots) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.LeftAxis()->SetMinMax(-1, 1);
    form->line->AddPoint(-1, 0.5);
    auto gridRun = [&] {
        chart.PaintToBitmap();
        const TChartRect plot = chart.PlotRect();
        const int y = chart.LeftAxis()->LastLabels().at(1).pixel;
        std::vector<bool> ink;
        for (int x = plot.left + 2; x < plot.left + 14; ++x) ink.push_back(chart.Bitmap().Pixel(x, y) == 0x808080u);
        return ink;
    };
    EXPECT_EQ(gridRun(), (std::vector<bool>{1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1}));  // from plot.left + 2
    chart.LeftAxis()->Grid()->SetSmallDots(true);
    EXPECT_EQ(gridRun(), (std::vector<bool>{1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0}));
}

// Every marker style stays inside the marker's box and draws something of
// its own (nothing for psNothing); a stairs line goes across, then up.
TEST(ChartForm, MarkerStylesAndStairs) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.LeftAxis()->SetMinMax(-1, 1);
    form->points->AddPoint(0, 0);
    std::vector<std::vector<RgbColor>> seen;
    for (TSeriesPointerStyle style : {psRectangle, psCircle, psTriangle, psDownTriangle, psCross, psDiagCross, psStar,
                                      psDiamond, psSmallDot, psNothing, psLeftTriangle, psRightTriangle}) {
        form->points->Pointer()->SetStyle(style);
        chart.PaintToBitmap();
        const int x = chart.BottomAxis()->ValueToPixel(0), y = chart.LeftAxis()->ValueToPixel(0);
        std::vector<RgbColor> box;
        int marked = 0;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const RgbColor c = chart.Bitmap().Pixel(x + dx, y + dy);
                const bool ink = c == static_cast<RgbColor>(clRed) || c == static_cast<RgbColor>(clBlack);
                box.push_back(c);
                marked += ink;
                if (std::abs(dx) > 5 || std::abs(dy) > 5) {
                    EXPECT_FALSE(ink) << style << " " << dx << "," << dy;
                }
            }
        EXPECT_EQ(marked == 0, style == psNothing) << style;
        for (const auto& other : seen) {
            EXPECT_NE(box, other) << style;
        }
        if (style != psNothing) seen.push_back(box);
    }

    form->points->Pointer()->SetStyle(psNothing);
    form->line->SetStairs(true);
    form->line->AddPoint(-1, -0.5);
    form->line->AddPoint(1, 0.5);
    chart.PaintToBitmap();
    const int x0 = chart.BottomAxis()->ValueToPixel(-1), x1 = chart.BottomAxis()->ValueToPixel(1);
    const int y0 = chart.LeftAxis()->ValueToPixel(-0.5), y1 = chart.LeftAxis()->ValueToPixel(0.5);
    const RgbColor blue = static_cast<RgbColor>(clBlue);
    EXPECT_EQ(chart.Bitmap().Pixel((x0 + x1) / 2, y0), blue);  // across at the first y
    EXPECT_EQ(chart.Bitmap().Pixel(x1, (y0 + y1) / 2), blue);  // then up
    EXPECT_NE(chart.Bitmap().Pixel((x0 + x1) / 2, (y0 + y1) / 2), blue);
}

// A point far left of the area (its pixel clamped) does not bend the line:
// the line enters at the edge at the height the true segment has there.
TEST(ChartForm, LineFromFarLeftEntersAtTheTrueHeight) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.BottomAxis()->SetMinMax(0, 10);
    chart.LeftAxis()->SetMinMax(0, 10);
    form->line->LinePen()->SetWidth(1);
    form->line->AddPoint(-1e6, -1e6);
    form->line->AddPoint(5, 5);
    form->line->AddPoint(10, 10);
    chart.PaintToBitmap();
    EXPECT_EQ(form->line->FirstValueIndex(), 1);
    for (double v : {0.5, 2.0, 4.0}) {
        const int x = chart.BottomAxis()->ValueToPixel(v), y = chart.LeftAxis()->ValueToPixel(v);
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy) near |= chart.Bitmap().Pixel(x, y + dy) == static_cast<RgbColor>(clBlue);
        EXPECT_TRUE(near) << v;
    }
}

TEST(ChartForm, OnePointMarkerIsANineByNineSquareOutlinedBlack) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.LeftAxis()->SetMinMax(-1, 1);
    form->points->AddPoint(0, 0);
    chart.PaintToBitmap();
    const int x = chart.BottomAxis()->ValueToPixel(0), y = chart.LeftAxis()->ValueToPixel(0);
    const TBitmap& bmp = chart.Bitmap();
    EXPECT_EQ(bmp.Pixel(x, y), static_cast<RgbColor>(clRed));
    EXPECT_EQ(bmp.Pixel(x - 3, y + 3), static_cast<RgbColor>(clRed));
    EXPECT_EQ(bmp.Pixel(x - 4, y), static_cast<RgbColor>(clBlack));
    EXPECT_EQ(bmp.Pixel(x + 4, y), static_cast<RgbColor>(clBlack));
    EXPECT_EQ(bmp.Pixel(x, y - 4), static_cast<RgbColor>(clBlack));
    EXPECT_EQ(bmp.Pixel(x, y + 4), static_cast<RgbColor>(clBlack));
    EXPECT_NE(bmp.Pixel(x + 5, y + 1), static_cast<RgbColor>(clBlack));
}

TEST(ChartForm, LineIsCutAtThePlotEdgeAndLaterSeriesDrawOnTop) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.LeftAxis()->SetMinMax(-1, 1);
    form->line->AddPoint(-2, 0);
    form->line->AddPoint(2, 0);
    form->line->AddPoint(2.5, 5);  // far above: clipped
    form->points->AddPoint(0, 0);
    chart.PaintToBitmap();
    const TChartRect plot = chart.PlotRect();
    const int y = chart.LeftAxis()->ValueToPixel(0);
    EXPECT_EQ(chart.Bitmap().Pixel(plot.left + 20, y), static_cast<RgbColor>(clBlue));
    const int x0 = chart.BottomAxis()->ValueToPixel(0);
    EXPECT_EQ(chart.Bitmap().Pixel(x0, y), static_cast<RgbColor>(clRed));
    EXPECT_NE(chart.Bitmap().Pixel(plot.right + 2, y - 20), static_cast<RgbColor>(clBlue));
}

}  // namespace
}  // namespace cvcalc

namespace cvcalc {
namespace {

// Ink of a blue text drawn anti-aliased over a grey panel.
bool Bluish(RgbColor c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return b > r + 40 && b > g + 40;
}

// The bottom title hangs from the outer side of the label band and the left
// title, reading upwards, has its plot side there: both inside the room the
// layout gave them, not at the control's edge.
TEST(ChartForm, AxisTitlesSitAtTheOuterSideOfTheLabelBand) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.LeftAxis()->SetMinMax(-1, 1);
    chart.LeftAxis()->Title()->SetCaption("volts");
    chart.LeftAxis()->Title()->Font()->SetColor(clBlue);
    form->line->SetActive(false);
    form->points->AddPoint(0, 0);
    chart.PaintToBitmap();
    const TChartRect plot = chart.PlotRect();
    const TChartRect margins = chart.PlotRectFromMargins(400, 361);
    const TChartAxis& bottom = *chart.BottomAxis();
    const TChartAxis& left = *chart.LeftAxis();
    EXPECT_EQ(bottom.LabelEdge(), plot.bottom + bottom.TickRoom());
    EXPECT_EQ(left.LabelEdge(), plot.left - left.TickRoom());
    EXPECT_GT(bottom.TitleEdge(), bottom.LabelEdge());
    EXPECT_LT(left.TitleEdge(), left.LabelEdge());

    const TBitmap& bmp = chart.Bitmap();
    int top = bmp.Height(), lowest = -1;
    for (int y = plot.bottom + 1; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (Bluish(bmp.Pixel(x, y))) {
                top = std::min(top, y);
                lowest = std::max(lowest, y);
            }
    ASSERT_GE(lowest, 0) << "no bottom title drawn";
    EXPECT_GE(top, bottom.TitleEdge());
    EXPECT_LE(top, bottom.TitleEdge() + 3);
    EXPECT_LT(lowest, margins.bottom);

    int outer = bmp.Width(), inner = -1;
    for (int x = 0; x < plot.left; ++x)
        for (int y = plot.top; y <= plot.bottom; ++y)
            if (Bluish(bmp.Pixel(x, y))) {
                outer = std::min(outer, x);
                inner = std::max(inner, x);
            }
    ASSERT_GE(inner, 0) << "no left title drawn";
    EXPECT_GE(outer, margins.left);
    EXPECT_LT(inner, left.TitleEdge());
    EXPECT_GE(inner, left.TitleEdge() - 3);
}

// Outer ticks run from one pixel outside the axis line; the axis line comes
// before the ticks and the grid, so both are drawn over it.
TEST(ChartForm, OuterTicksStartOnePixelOutsideTheAxisLineAndTheGridCrossesIt) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.LeftAxis()->SetMinMax(-1, 1);
    form->points->AddPoint(0, 0);
    const RgbColor lime = 0x00FF00u, fuchsia = static_cast<RgbColor>(clFuchsia);
    for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) {
        axis->Ticks()->SetColor(static_cast<TColor>(lime));
        axis->Grid()->SetColor(clFuchsia);
        axis->Grid()->SetStyle(psSolid);
        axis->MinorTicks()->SetVisible(false);
    }
    chart.PaintToBitmap();
    const TChartRect plot = chart.PlotRect();
    const TBitmap& bmp = chart.Bitmap();
    struct Case {
        const char* axis;
        const TChartAxis* a;
        int dx, dy;  // outwards
        int x0, y0;  // the axis line's pixel on the tick's line, given the tick
    };
    for (const Case& c : {Case{"bottom", chart.BottomAxis(), 0, 1, -1, plot.bottom},
                          Case{"left", chart.LeftAxis(), -1, 0, plot.left, -1}}) {
        const std::vector<int>& ticks = c.a->TickPixels();
        ASSERT_GE(ticks.size(), 3u) << c.axis;
        const int t = ticks[ticks.size() / 2];
        const int x = c.x0 < 0 ? t : c.x0, y = c.y0 < 0 ? t : c.y0;
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(bmp.Pixel(x + k * c.dx, y + k * c.dy), lime) << c.axis << " " << k;
        EXPECT_NE(bmp.Pixel(x + 5 * c.dx, y + 5 * c.dy), lime) << c.axis;
        // The grid line ends on the axis line's inner pixel, over the line.
        EXPECT_EQ(bmp.Pixel(x, c.dy != 0 ? y - 1 : y), fuchsia) << c.axis;
    }
}

// MinorTickCount ticks of MinorTickLength pixels split every gap between two
// ticks and continue beyond the outer ones, but only strictly inside the
// axis ends.
TEST(ChartForm, MinorTicksSplitEachGapAndStopAtTheAxisEnds) {
    struct Case {
        int count, length;
    };
    for (const Case c : {Case{3, 2}, Case{1, 3}, Case{4, 2}, Case{0, 2}}) {
        auto form = Load();
        TChart& chart = *form->chart;
        // Steps of exactly 1 and 0.5 (no spacing search): the minor ticks
        // beyond the outer labels fall partly outside the axis ends.
        chart.BottomAxis()->SetMinMax(-2.3, 2.3);
        chart.BottomAxis()->SetIncrement(1);
        chart.LeftAxis()->SetMinMax(-1.15, 1.15);
        chart.LeftAxis()->SetIncrement(0.5);
        form->points->AddPoint(0, 0);
        const RgbColor lime = 0x00FF00u;
        for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) {
            axis->MinorTicks()->SetColor(static_cast<TColor>(lime));
            axis->SetMinorTickCount(c.count);
            axis->SetMinorTickLength(c.length);
            axis->SetLabelsSeparation(0);
        }
        chart.PaintToBitmap();
        const TChartRect plot = chart.PlotRect();
        const TBitmap& bmp = chart.Bitmap();
        for (const TChartAxis* a : {chart.BottomAxis(), chart.LeftAxis()}) {
            const bool horizontal = a->Horizontal();
            const std::vector<int>& t = a->TickPixels();
            ASSERT_EQ(t.size(), 5u);
            std::vector<int> expected;
            int beyondEnds = 0;
            auto add = [&](double p) {
                const int pixel = static_cast<int>(std::nearbyint(p));
                if (pixel > a->StartPos() && pixel < a->EndPos())
                    expected.push_back(pixel);
                else
                    ++beyondEnds;
            };
            for (int j = 1; j <= c.count; ++j) {
                const double m = (t[1] - t[0]) / (c.count + 1.0);
                add(t.front() - std::nearbyint(j * m));
                add(t.back() + std::nearbyint(j * m));
                for (std::size_t i = 1; i < t.size(); ++i)
                    add(t[i] - std::nearbyint(j * (t[i] - t[i - 1]) / (c.count + 1.0)));
            }
            std::sort(expected.begin(), expected.end());
            expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
            if (c.count == 3) {
                EXPECT_GT(beyondEnds, 0);                        // some fall beyond the ends
                EXPECT_GT(expected.size(), 3 * (t.size() - 1));  // and some beyond the outer labels do not
            }
            // Every minor tick on the first pixel outside the axis line, and
            // nothing else in their colour.
            auto at = [&](int along, int out) {
                return horizontal ? bmp.Pixel(along, plot.bottom + out) : bmp.Pixel(plot.left - out, along);
            };
            std::vector<int> seen;
            const int length = horizontal ? bmp.Width() : bmp.Height();
            for (int p = 0; p < length; ++p)
                if (at(p, 1) == lime) seen.push_back(p);
            EXPECT_EQ(seen, expected) << c.count << (horizontal ? " bottom" : " left");
            for (int p : expected) {
                EXPECT_EQ(at(p, c.length), lime) << p;
                EXPECT_NE(at(p, c.length + 1), lime) << p;
            }
        }
    }
}

// The series are clipped to the plotting area: the back wall's right column
// stays the wall's.
TEST(ChartForm, SeriesStopOnePixelShortOfTheWallsRightColumn) {
    auto form = Load();
    TChart& chart = *form->chart;
    chart.LeftAxis()->SetMinMax(-1, 1);
    form->line->LinePen()->SetWidth(1);
    form->line->AddPoint(-3, 0);
    form->line->AddPoint(3, 0);
    form->points->AddPoint(0, 0);
    chart.PaintToBitmap();
    const TChartRect plot = chart.PlotRect();
    const int y = chart.LeftAxis()->ValueToPixel(0);
    const RgbColor blue = static_cast<RgbColor>(clBlue);
    EXPECT_EQ(chart.Bitmap().Pixel(plot.right - 1, y), blue);
    EXPECT_NE(chart.Bitmap().Pixel(plot.right, y), blue);
    EXPECT_EQ(chart.Bitmap().Pixel(plot.left + 1, y), blue);
}

}  // namespace
}  // namespace cvcalc
