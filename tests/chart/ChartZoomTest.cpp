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

// A mouse or wheel message delivered to the chart's message procedure.
void SendTo(TChart& chart, MessageKind kind, int x, int y, MouseButton b = MouseButton::None, int wheel = 0) {
    Message m;
    m.kind = kind;
    m.x = x;
    m.y = y;
    m.button = b;
    m.wheelDelta = wheel;
    chart.WndProc(m);
}

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
        SendTo(chart, kind, x, y, b, wheel);
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

// The pixels of the bitmap, which the window shows.
std::vector<RgbColor> Pixels(const TChart& chart) {
    std::vector<RgbColor> pixels;
    for (int y = 0; y < chart.Bitmap().Height(); ++y)
        for (int x = 0; x < chart.Bitmap().Width(); ++x) pixels.push_back(chart.Bitmap().Pixel(x, y));
    return pixels;
}

TEST_F(ZoomFixture, TheRectangleFollowsTheDragAndLeavesNoTrace) {
    const std::vector<RgbColor> before = Pixels(chart);

    auto changed = [&](int x, int y) { return chart.Bitmap().Pixel(x, y) != before[y * 400 + x]; };
    Send(MessageKind::MouseDown, 100, 100, MouseButton::Left);
    Send(MessageKind::MouseMove, 200, 180);
    // Not-xor with the panel colour: white on the panel, every pixel of the
    // outline changed, the inside as it was.
    EXPECT_EQ(chart.Bitmap().Pixel(150, 100), 0xFFFFFFu);
    EXPECT_TRUE(changed(150, 100) && changed(100, 140) && changed(199, 140) && changed(150, 179));
    EXPECT_FALSE(changed(150, 140) || changed(201, 140) || changed(150, 181));
    Send(MessageKind::MouseMove, 250, 200);  // the old one erased, the new one drawn
    EXPECT_FALSE(changed(199, 140));
    EXPECT_TRUE(changed(249, 140));
    // A full draw during the drag draws the rectangle last.
    chart.ChartInvalidate();
    chart.PaintToBitmap();
    EXPECT_TRUE(changed(249, 140));
    Send(MessageKind::MouseMove, 110, 110);
    Send(MessageKind::MouseUp, 110, 110, MouseButton::Left);  // too short: no zoom
    EXPECT_EQ(Pixels(chart), before);
    Send(MessageKind::MouseDown, 100, 100, MouseButton::Left);
    Send(MessageKind::MouseMove, 200, 180);
    Send(MessageKind::CancelMode, 0, 0);
    EXPECT_EQ(Pixels(chart), before);
}

TEST_F(ZoomFixture, DirectionKeyShiftAndUpLeftZooms) {
    TChartZoom& zoom = *chart.Zoom();
    // Horizontal only: the vertical axis keeps its scale, the rectangle
    // spans the plotting area's height, only the x distance counts.
    zoom.SetDirection(tzdHorizontal);
    const double l0 = chart.LeftAxis()->PixelToValue(chart.PlotRect().bottom);
    const double b1 = chart.BottomAxis()->PixelToValue(200);
    Drag(100, 100, 200, 105);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), b1);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), l0);
    chart.PaintToBitmap();
    Drag(200, 100, 100, 100);
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    chart.PaintToBitmap();

    // A required Ctrl key: without it nothing starts.
    zoom.SetDirection(tzdBoth);
    zoom.SetKeyShift(TShiftState{ssCtrl});
    Drag(100, 100, 200, 180);
    EXPECT_FALSE(chart.Zoomed());
    Message down;
    down.kind = MessageKind::MouseDown;
    down.x = 100;
    down.y = 100;
    down.button = MouseButton::Left;
    down.shift = shift::Ctrl | shift::Shift;
    chart.WndProc(down);
    EXPECT_TRUE(chart.Zooming());
    Send(MessageKind::MouseUp, 200, 180, MouseButton::Left);
    EXPECT_TRUE(chart.Zoomed());
    chart.PaintToBitmap();

    // With UpLeftZooms a drag to the left zooms in as well.
    zoom.SetKeyShift({});
    zoom.SetUpLeftZooms(true);
    const double b0 = chart.BottomAxis()->PixelToValue(100);
    Drag(200, 180, 100, 100);
    EXPECT_TRUE(chart.Zoomed());
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0);
}

TEST_F(ZoomFixture, EventsAndTheAnimatedZoom) {
    int zooms = 0, undos = 0, scrolls = 0;
    chart.SetOnZoom(TNotifyEvent([&](TObject*) { ++zooms; }));
    chart.SetOnUndoZoom(TNotifyEvent([&](TObject*) { ++undos; }));
    chart.SetOnScroll(TNotifyEvent([&](TObject*) { ++scrolls; }));
    chart.Zoom()->SetAnimated(true);
    chart.Zoom()->SetAnimatedSteps(4);
    const double b0 = chart.BottomAxis()->PixelToValue(100), b1 = chart.BottomAxis()->PixelToValue(200);
    const int draws = chart.FullDrawCount();
    Drag(100, 100, 200, 180);
    EXPECT_EQ(chart.FullDrawCount(), draws + 3);  // three steps on the way
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), b0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), b1);
    EXPECT_EQ(zooms, 1);
    chart.PaintToBitmap();
    // Panning refused for the horizontal axes moves only the vertical ones.
    chart.SetOnAllowScroll(TCustomChart::TAllowScrollEvent(
        [](TChartAxis* axis, double&, double&, bool& allow) { allow = !axis->Horizontal(); }));
    const double bottomMin = chart.BottomAxis()->Minimum(), leftMin = chart.LeftAxis()->Minimum();
    Send(MessageKind::MouseDown, 150, 150, MouseButton::Right);
    Send(MessageKind::MouseMove, 170, 170);
    Send(MessageKind::MouseUp, 170, 170, MouseButton::Right);
    EXPECT_EQ(chart.BottomAxis()->Minimum(), bottomMin);
    EXPECT_NE(chart.LeftAxis()->Minimum(), leftMin);
    EXPECT_EQ(scrolls, 1);
    chart.PaintToBitmap();
    Drag(200, 180, 100, 100);
    EXPECT_EQ(undos, 1);
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
}

TEST_F(ZoomFixture, PanningModeButtonAndTheWheelSwitch) {
    chart.SetAllowPanning(pmVertical);
    const double bottomMin = chart.BottomAxis()->Minimum(), leftMin = chart.LeftAxis()->Minimum();
    Send(MessageKind::MouseDown, 150, 150, MouseButton::Right);
    Send(MessageKind::MouseMove, 180, 180);
    Send(MessageKind::MouseUp, 180, 180, MouseButton::Right);
    EXPECT_EQ(chart.BottomAxis()->Minimum(), bottomMin);
    EXPECT_GT(chart.LeftAxis()->Minimum(), leftMin);  // the curve follows the mouse down
    chart.SetAllowPanning(pmNone);
    Send(MessageKind::MouseDown, 150, 150, MouseButton::Right);
    EXPECT_FALSE(chart.Panning());
    chart.SetAllowPanning(pmBoth);
    chart.SetScrollMouseButton(mbMiddle);
    Send(MessageKind::MouseDown, 150, 150, MouseButton::Right);
    EXPECT_FALSE(chart.Panning());
    Send(MessageKind::MouseDown, 150, 150, MouseButton::Middle);
    EXPECT_TRUE(chart.Panning());
    Send(MessageKind::MouseUp, 150, 150, MouseButton::Left);  // any button ends it
    EXPECT_FALSE(chart.Panning());

    chart.LeftAxis()->SetMinMax(0, 100);
    SetChartWheelScrolling(false);
    Send(MessageKind::MouseWheel, 200, 200, MouseButton::None, -120);
    SetChartWheelScrolling(true);
    EXPECT_EQ(chart.LeftAxis()->Minimum(), 0);
}

// A press on the bottom axis's labels starts a zoom; below the labels, or
// more than three pixels inside the axis line's far side, it does not.
TEST_F(ZoomFixture, TheAxisIsHitFromItsLabelsToJustInsideItsLine) {
    const TChartRect plot = chart.PlotRect();
    const int labelTop = plot.bottom + 1;
    Send(MessageKind::MouseDown, 150, labelTop + 5, MouseButton::Left);
    EXPECT_TRUE(chart.Zooming());
    Send(MessageKind::CancelMode, 0, 0);
    Send(MessageKind::MouseDown, 150, chart.Height() - 3, MouseButton::Left);  // below the labels
    EXPECT_FALSE(chart.Zooming());
    Send(MessageKind::MouseDown, 5, 150, MouseButton::Left);  // left of the left labels
    EXPECT_FALSE(chart.Zooming());
    Send(MessageKind::MouseDown, plot.left - 4, 150, MouseButton::Left);  // on the left labels
    EXPECT_TRUE(chart.Zooming());
    Send(MessageKind::CancelMode, 0, 0);
    chart.LeftAxis()->SetVisible(false);
    chart.PaintToBitmap();
    Send(MessageKind::MouseDown, chart.PlotRect().left - 4, 150, MouseButton::Left);
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

namespace cvcalc {
namespace {

// A wheel notch over a chart without data fixes its vertical range at
// nothing; the scales from before the notch are kept like those before a
// first pan, so dragging back brings the automatic maximum back, whether
// the data arrive before or after that drag.
TEST(ChartWheel, ANotchOverAnEmptyChartIsUndoneByDraggingBack) {
    for (const bool dataFirst : {false, true}) {
        TChart chart(nullptr);
        chart.SetBounds(0, 0, 400, 361);
        chart.BottomAxis()->SetMinMax(-11, 2);
        chart.LeftAxis()->SetAutomaticMinimum(false);  // 0 fixed, the maximum from the data
        auto* series = new TLineSeries(nullptr);
        series->SetParentChart(&chart);
        chart.PaintToBitmap();
        auto send = [&](MessageKind kind, int x, int y, MouseButton b = MouseButton::None, int wheel = 0) {
            SendTo(chart, kind, x, y, b, wheel);
        };
        auto dragBack = [&] {
            send(MessageKind::MouseDown, 300, 200, MouseButton::Left);
            send(MessageKind::MouseMove, 120, 60);
            send(MessageKind::MouseUp, 120, 60, MouseButton::Left);
            chart.PaintToBitmap();
        };
        auto addData = [&] {
            for (int i = 0; i <= 10; ++i) series->AddPoint(-10 + i, 20.0 + 10 * i);
            chart.PaintToBitmap();
        };
        send(MessageKind::MouseWheel, 200, 180, MouseButton::None, -120);
        chart.PaintToBitmap();
        EXPECT_FALSE(chart.LeftAxis()->AutomaticMaximum());
        if (dataFirst) {
            addData();
            dragBack();
        } else {
            dragBack();
            addData();
        }
        const TChartAxis& left = *chart.LeftAxis();
        EXPECT_TRUE(left.AutomaticMaximum()) << dataFirst;
        EXPECT_FALSE(left.AutomaticMinimum()) << dataFirst;
        EXPECT_EQ(left.Minimum(), 0) << dataFirst;
        EXPECT_EQ(left.Maximum(), 120) << dataFirst;
        // The curve rises on the screen: its ends are red at different rows.
        const int x0 = chart.BottomAxis()->ValueToPixel(-9), x1 = chart.BottomAxis()->ValueToPixel(-1);
        const int y0 = left.ValueToPixel(30), y1 = left.ValueToPixel(110);
        EXPECT_GT(y0 - y1, 150) << dataFirst;
        EXPECT_EQ(chart.Bitmap().Pixel(x0, y0), static_cast<RgbColor>(clRed)) << dataFirst;
        EXPECT_EQ(chart.Bitmap().Pixel(x1, y1), static_cast<RgbColor>(clRed)) << dataFirst;
    }
}

}  // namespace
}  // namespace cvcalc
