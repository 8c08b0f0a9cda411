// A chart read from a form description with its series, and its drawing
// into the off-screen bitmap checked by pixels.
#include <gtest/gtest.h>

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
    for (TSeriesPointerStyle style :
         {psRectangle, psCircle, psTriangle, psDownTriangle, psCross, psDiagCross, psStar, psDiamond, psSmallDot,
          psNothing, psLeftTriangle, psRightTriangle}) {
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
