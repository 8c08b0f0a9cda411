// Zoom, undo, panning and the wheel by mouse messages sent to a chart, and
// the axis ranges they leave.
#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "platform/gui/Message.h"

namespace cvcalc {
namespace {

struct ZoomFixture : ::testing::Test {
    TChart chart{nullptr};
    TLineSeries* series = nullptr;
    void SetUp() override {
        chart.SetBounds(0, 0, 400, 361);
        series = new TLineSeries(nullptr);
        series->SetParentChart(&chart);
        for (int i = 0; i <= 100; ++i) series->AddPoint(i, i * 0.5);
        chart.PaintToBitmap();
    }
    void Send(MessageKind kind, int x, int y, MouseButton b = MouseButton::None, int wheel = 0) {
        Message m;
        m.kind = kind;
        m.x = x;
        m.y = y;
        m.button = b;
        m.wheelDelta = wheel;
        chart.WndProc(m);
    }
    void Drag(int x0, int y0, int x1, int y1, MouseButton b = MouseButton::Left) {
        Send(MessageKind::MouseDown, x0, y0, b);
        Send(MessageKind::MouseMove, (x0 + x1) / 2, (y0 + y1) / 2);
        Send(MessageKind::MouseMove, x1, y1);
        Send(MessageKind::MouseUp, x1, y1, b);
    }
};

TEST_F(ZoomFixture, LeftDragZoomsToTheValuesAtTheRectangleEdges) {
    const double b0 = chart.BottomAxis()->PixelToValue(100), b1 = chart.BottomAxis()->PixelToValue(200);
    const double l0 = chart.LeftAxis()->PixelToValue(180), l1 = chart.LeftAxis()->PixelToValue(100);
    Drag(100, 100, 200, 180);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), b1);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), l0);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), l1);
    EXPECT_FALSE(chart.BottomAxis()->Automatic());
    EXPECT_FALSE(chart.LeftAxis()->Automatic());
    EXPECT_TRUE(chart.Zoomed());
}

TEST_F(ZoomFixture, DragTheOtherWayRestoresTheScales) {
    const double min = chart.BottomAxis()->Minimum(), max = chart.BottomAxis()->Maximum();
    Drag(100, 100, 200, 180);
    chart.PaintToBitmap();
    Drag(200, 180, 100, 100);
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    EXPECT_TRUE(chart.LeftAxis()->AutomaticMaximum());
    chart.PaintToBitmap();
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), min);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), max);
    EXPECT_FALSE(chart.Zoomed());
}

TEST_F(ZoomFixture, DragsOfSixteenPixelsOrLessDoNothing) {
    struct Case {
        int x1, y1;
    };
    for (const Case c : {Case{110, 200}, Case{200, 116}, Case{116, 116}}) {
        Drag(100, 100, c.x1, c.y1);
        EXPECT_TRUE(chart.BottomAxis()->Automatic()) << c.x1 << "," << c.y1;
        EXPECT_FALSE(chart.Zoomed());
    }
}

TEST_F(ZoomFixture, UndoWithoutZoomLeavesTheAxes) {
    Drag(200, 180, 100, 100);
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    EXPECT_TRUE(chart.LeftAxis()->Automatic());
}

TEST_F(ZoomFixture, RightDragPansWithTheMouseAndUndoReturnsToBeforeTheZoom) {
    const double min = chart.BottomAxis()->Minimum();
    const double d = chart.BottomAxis()->PixelToValue(100) - chart.BottomAxis()->PixelToValue(150);
    Send(MessageKind::MouseDown, 100, 200, MouseButton::Right);
    Send(MessageKind::MouseMove, 150, 200);
    Send(MessageKind::MouseUp, 150, 200, MouseButton::Right);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), min + d);
    EXPECT_LT(d, 0);
    chart.PaintToBitmap();
    Drag(100, 100, 200, 180);
    chart.PaintToBitmap();
    Drag(200, 180, 100, 100);
    chart.PaintToBitmap();
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), min);
}

TEST_F(ZoomFixture, WheelScrollsTheVerticalAxesByThreePercent) {
    chart.LeftAxis()->SetMinMax(0, 100);
    Send(MessageKind::MouseWheel, 200, 200, MouseButton::None, -120);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 3);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), 103);
    Send(MessageKind::MouseWheel, 200, 200, MouseButton::None, 120);
    EXPECT_NEAR(chart.LeftAxis()->Minimum(), 0, 1e-12);
}

TEST_F(ZoomFixture, CancelModeEndsADragAndAClickOutsideStartsNothing) {
    Send(MessageKind::MouseDown, 100, 100, MouseButton::Left);
    EXPECT_TRUE(chart.Zooming());
    Send(MessageKind::CancelMode, 0, 0);
    EXPECT_FALSE(chart.Zooming());
    Send(MessageKind::MouseUp, 200, 180, MouseButton::Left);
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    Send(MessageKind::MouseDown, 2, 2, MouseButton::Left);
    EXPECT_FALSE(chart.Zooming());
}

}  // namespace
}  // namespace cvcalc

namespace cvcalc {
namespace {

TEST(ChartBadInput, ZeroSizeNonFiniteAndEmptyChartsDrawWithoutFault) {
    struct Case {
        const char* what;
        int width, height;
        std::vector<std::pair<double, double>> points;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Case> cases = {
        {"zero size", 0, 0, {{0, 0}, {1, 1}}},
        {"tiny", 3, 2, {{0, 0}, {1, 1}}},
        {"empty series", 400, 361, {}},
        {"one point", 400, 361, {{1, 1}}},
        {"non-finite", 400, 361, {{0, nan}, {1, inf}, {2, -inf}, {3, 1e308}}},
        {"huge range", 400, 361, {{-1e300, -1e300}, {1e300, 1e300}}},
        {"tiny range", 400, 361, {{1, 1}, {1 + 1e-15, 1 + 1e-15}}},
    };
    for (const Case& c : cases) {
        TChart chart(nullptr);
        chart.SetBounds(0, 0, c.width, c.height);
        auto* s = new TLineSeries(nullptr);
        s->SetParentChart(&chart);
        for (auto [x, y] : c.points) s->AddPoint(x, y);
        chart.PaintToBitmap();
        EXPECT_EQ(chart.Bitmap().Width(), c.width) << c.what;
        // A drag whose corners coincide neither zooms nor undoes.
        Message m;
        m.kind = MessageKind::MouseDown;
        m.button = MouseButton::Left;
        m.x = m.y = 100;
        chart.WndProc(m);
        m.kind = MessageKind::MouseUp;
        chart.WndProc(m);
        EXPECT_FALSE(chart.Zoomed()) << c.what;
    }
}

}  // namespace
}  // namespace cvcalc
