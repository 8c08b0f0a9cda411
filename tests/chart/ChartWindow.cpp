// A chart in a real window, zoomable and pannable with the mouse: a curve of
// 2000 points and a marker series.  Runs for the seconds given (60 by
// default) or until the window closes.
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "chart/ChartAxis.h"
#include "chart/ChartClasses.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "framework/Form.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/MessageLoop.h"

int main(int argc, char** argv) {
    using namespace cvcalc;
    InitPlatform();
    RegisterChartClasses();
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    TForm form(nullptr);
    form.SetBounds(50, 50, 420, 380);
    form.SetCaption("Chart");
    auto* chart = new TChart(&form);
    chart->SetParent(&form);
    chart->SetBounds(0, 0, 400, 361);
    chart->SetView3D(false);
    chart->BottomAxis()->Title()->SetCaption("x (um)");
    chart->LeftAxis()->Title()->SetCaption("y");
    auto* line = new TLineSeries(&form);
    line->SetParentChart(chart);
    line->LinePen()->SetWidth(2);
    for (int i = 0; i < 2000; ++i) line->AddPoint(i * 0.005, std::sin(i * 0.005));
    auto* points = new TPointSeries(&form);
    points->SetParentChart(chart);
    points->AddPoint(5, 0.5);
    form.Show();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end && !QuitMessageReceived() && form.Visible()) {
        while (ProcessOneMessage()) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}
