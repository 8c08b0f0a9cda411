// The chart's keys by key messages sent to a chart: the arrows pan as the
// mouse's drag does, + and - zoom about the centre within the zoom's rules,
// Backspace undoes, and the scales always come back.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/ChartAxis.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "platform/gui/Message.h"

namespace cvcalc {
namespace {

struct Range {
    double minimum, maximum;
};
Range RangeOf(const TChartAxis& a) { return {a.Minimum(), a.Maximum()}; }

struct KeyFixture : ::testing::Test {
    TChart chart{nullptr};
    TLineSeries* series = nullptr;
    int uses = 0;
    void SetUp() override {
        chart.SetBounds(0, 0, 400, 361);
        series = new TLineSeries(nullptr);
        series->SetParentChart(&chart);
        for (int i = 0; i <= 100; ++i) series->AddPoint(i, i * 0.5);
        chart.SetOnUserInput(TNotifyEvent([this](TObject*) { ++uses; }));
        chart.PaintToBitmap();
    }
    // A key as the window delivers it; returns whether the chart took it.
    bool Key(int key, ShiftState shift = 0) {
        Message m;
        m.kind = MessageKind::KeyDown;
        m.key = key;
        m.shift = shift;
        chart.WndProc(m);
        chart.PaintToBitmap();
        return m.handled;
    }
    void Send(MessageKind kind, int x, int y, MouseButton b = MouseButton::None) {
        Message m;
        m.kind = kind;
        m.x = x;
        m.y = y;
        m.button = b;
        chart.WndProc(m);
    }
};

TEST_F(KeyFixture, ArrowsPanTheViewTheirWayAsARightDragOfATenthOfThePlot) {
    struct Case {
        int key, dx, dy;  // the drag that pans the same way
    };
    const TChartRect plot = chart.PlotRect();
    const int sx = (plot.right - plot.left) / 10, sy = (plot.bottom - plot.top) / 10;
    const int cx = (plot.left + plot.right) / 2, cy = (plot.top + plot.bottom) / 2;
    for (const Case c : {Case{vk::Left, sx, 0}, Case{vk::Right, -sx, 0}, Case{vk::Up, 0, sy}, Case{vk::Down, 0, -sy}}) {
        SCOPED_TRACE(c.key);
        const Range b0 = RangeOf(*chart.BottomAxis()), l0 = RangeOf(*chart.LeftAxis());
        // The drag's result, then back to where the key starts from.
        Send(MessageKind::MouseDown, cx, cy, MouseButton::Right);
        Send(MessageKind::MouseMove, cx + c.dx, cy + c.dy);
        Send(MessageKind::MouseUp, cx + c.dx, cy + c.dy, MouseButton::Right);
        const Range bDrag = RangeOf(*chart.BottomAxis()), lDrag = RangeOf(*chart.LeftAxis());
        chart.UndoZoom();
        chart.PaintToBitmap();
        ASSERT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0.minimum);

        EXPECT_TRUE(Key(c.key));
        EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), bDrag.minimum);
        EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), bDrag.maximum);
        EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), lDrag.minimum);
        EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), lDrag.maximum);
        // The view went the arrow's way.
        const double movedX = chart.BottomAxis()->Minimum() - b0.minimum;
        const double movedY = chart.LeftAxis()->Minimum() - l0.minimum;
        EXPECT_EQ(movedX < 0, c.key == vk::Left);
        EXPECT_EQ(movedX > 0, c.key == vk::Right);
        EXPECT_EQ(movedY > 0, c.key == vk::Up);
        EXPECT_EQ(movedY < 0, c.key == vk::Down);
        EXPECT_TRUE(Key(vk::Back));
        EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0.minimum);
        EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), l0.maximum);
    }
}

TEST_F(KeyFixture, PlusZoomsToTheRectangleATenthInsideThePlotAndBackspaceBringsTheScalesBack) {
    const Range b0 = RangeOf(*chart.BottomAxis()), l0 = RangeOf(*chart.LeftAxis());
    const TChartRect plot = chart.PlotRect();
    const int dx = (plot.right - plot.left) / 10, dy = (plot.bottom - plot.top) / 10;
    const double bLo = chart.BottomAxis()->PixelToValue(plot.left + dx);
    const double bHi = chart.BottomAxis()->PixelToValue(plot.right - dx);
    const double lLo = chart.LeftAxis()->PixelToValue(plot.bottom - dy);
    const double lHi = chart.LeftAxis()->PixelToValue(plot.top + dy);
    EXPECT_TRUE(Key(vk::OemPlus, shift::Shift));
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), bLo);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), bHi);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), lLo);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), lHi);
    EXPECT_TRUE(chart.Zoomed());
    // A second zoom keeps the first saved scales.
    EXPECT_TRUE(Key(vk::OemPlus));
    EXPECT_TRUE(Key(vk::Back));
    EXPECT_FALSE(chart.Zoomed());
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0.minimum);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), b0.maximum);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), l0.minimum);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), l0.maximum);
}

TEST_F(KeyFixture, MinusUndoesPlusAboutTheCentreAndTheUndoDragBringsTheScalesBack) {
    const Range b0 = RangeOf(*chart.BottomAxis());
    const double centre = (b0.minimum + b0.maximum) / 2, width = b0.maximum - b0.minimum;
    EXPECT_TRUE(Key(vk::OemMinus));
    const Range out = RangeOf(*chart.BottomAxis());
    EXPECT_NEAR((out.minimum + out.maximum) / 2, centre, width * 0.01);
    EXPECT_NEAR(out.maximum - out.minimum, width * 1.25, width * 0.02);
    EXPECT_TRUE(Key(vk::OemPlus));
    EXPECT_NEAR(chart.BottomAxis()->Minimum(), b0.minimum, width * 0.01);
    EXPECT_NEAR(chart.BottomAxis()->Maximum(), b0.maximum, width * 0.01);
    // The undo drag of the mouse knows the keys' zoom.
    Send(MessageKind::MouseDown, 300, 200, MouseButton::Left);
    Send(MessageKind::MouseMove, 200, 100);
    Send(MessageKind::MouseUp, 200, 100, MouseButton::Left);
    chart.PaintToBitmap();
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0.minimum);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), b0.maximum);
}

TEST_F(KeyFixture, ZoomKeysKeepTheZoomsDirectionAndRefusal) {
    const Range l0 = RangeOf(*chart.LeftAxis());
    chart.Zoom()->SetDirection(tzdHorizontal);
    EXPECT_TRUE(Key(vk::OemPlus));
    EXPECT_TRUE(chart.Zoomed());
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), l0.minimum);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), l0.maximum);
    EXPECT_TRUE(Key(vk::Back));

    const Range b0 = RangeOf(*chart.BottomAxis());
    chart.Zoom()->SetAllow(false);
    EXPECT_TRUE(Key(vk::OemPlus));
    EXPECT_TRUE(Key(vk::OemMinus));
    EXPECT_FALSE(chart.Zoomed());
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0.minimum);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), b0.maximum);

    chart.SetAllowPanning(pmNone);
    EXPECT_TRUE(Key(vk::Left));
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0.minimum);
}

TEST_F(KeyFixture, OtherKeysAndCtrlOrAltCombinationsAreLeftToTheWindow) {
    const Range b0 = RangeOf(*chart.BottomAxis());
    uses = 0;
    EXPECT_FALSE(Key('A'));
    EXPECT_FALSE(Key(vk::Left, shift::Ctrl));
    EXPECT_FALSE(Key(vk::OemPlus, shift::Alt));
    EXPECT_FALSE(Key('1', shift::Ctrl));
    EXPECT_EQ(uses, 0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0.minimum);
    EXPECT_TRUE(Key(vk::Right));
    EXPECT_EQ(uses, 1);
}

TEST(ChartKeys, AnEmptyChartTakesTheKeysAndMovesNothing) {
    TChart chart{nullptr};
    chart.SetBounds(0, 0, 400, 300);
    chart.PaintToBitmap();
    const double min = chart.BottomAxis()->Minimum(), max = chart.BottomAxis()->Maximum();
    for (const int key : {vk::Left, vk::Up, vk::OemPlus, vk::OemMinus, vk::Back}) {
        Message m;
        m.kind = MessageKind::KeyDown;
        m.key = key;
        chart.WndProc(m);
        EXPECT_TRUE(m.handled);
        chart.PaintToBitmap();
    }
    EXPECT_FALSE(chart.Zoomed());
    EXPECT_EQ(chart.BottomAxis()->Minimum(), min);
    EXPECT_EQ(chart.BottomAxis()->Maximum(), max);
}

}  // namespace
}  // namespace cvcalc
