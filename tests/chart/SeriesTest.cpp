// Series: adding and clearing points, colours, batches and invalidation.
#include <gtest/gtest.h>

#include <memory>

#include "chart/ChartAxis.h"
#include "chart/CustomAxisPanel.h"
#include "chart/CustomSeries.h"
#include "platform/core/Exception.h"

namespace cvcalc {
namespace {

TEST(ChartSeries, AddPointKeepsTheListsParallelInXOrder) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    EXPECT_EQ(s->AddPoint(5, 50), 0);
    EXPECT_EQ(s->AddPoint(3, 30), 0);
    EXPECT_EQ(s->AddPoint(4, 40), 1);
    ASSERT_EQ(s->PointCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s->XValues()->Value(i), 3 + i);
        EXPECT_EQ(s->YValues()->Value(i), 30 + 10 * i);
    }
    EXPECT_EQ(s->MinXValue(), 3);
    EXPECT_EQ(s->MaxYValue(), 50);
    EXPECT_FALSE(s->HasColorList());
    EXPECT_EQ(s->LabelCount(), 0);
}

TEST(ChartSeries, EmptySeriesHasZeroExtremes) {
    TPointSeries s(nullptr);
    EXPECT_EQ(s.MinXValue(), 0);
    EXPECT_EQ(s.MaxXValue(), 0);
    EXPECT_EQ(s.MinYValue(), 0);
    EXPECT_EQ(s.MaxYValue(), 0);
}

TEST(ChartSeries, RefusedPointChangesNothing) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    s->OnBeforeAdd = [](TChartSeries& series) { return series.XValues()->PendingValue() >= 0; };
    int afterAdds = 0;
    s->OnAfterAdd = [&afterAdds](TChartSeries&, int) { ++afterAdds; };
    const int before = chart.InvalidateCount();
    EXPECT_EQ(s->AddPoint(-1, 1), -1);
    EXPECT_EQ(s->PointCount(), 0);
    EXPECT_EQ(chart.InvalidateCount(), before);
    EXPECT_EQ(s->AddPoint(1, 1), 0);
    EXPECT_EQ(afterAdds, 1);
    EXPECT_EQ(chart.InvalidateCount(), before + 1);
}

TEST(ChartSeries, ColourListAppearsWithTheFirstExplicitColourAndGoesWithClear) {
    TLineSeries s(nullptr);
    s.SetSeriesColor(clBlue);
    s.AddPoint(1, 1);
    EXPECT_FALSE(s.HasColorList());
    s.AddPoint(0, 0, "", clGreen);
    EXPECT_TRUE(s.HasColorList());
    // The green point went in front of the first one.
    EXPECT_EQ(s.PointColor(0), clGreen);
    EXPECT_EQ(s.PointColor(1), clBlue);
    s.ClearPoints();
    EXPECT_EQ(s.PointCount(), 0);
    EXPECT_FALSE(s.HasColorList());
    s.AddPoint(2, 2, "", clAutoColor);
    EXPECT_FALSE(s.HasColorList());
}

TEST(ChartSeries, PointColourFromPaletteWhenEachPointIsColoured) {
    TLineSeries s(nullptr);
    s.SetSeriesColor(clBlack);
    s.SetColorEachPoint(true);
    for (int i = 0; i < 22; ++i) s.AddPoint(i, i);
    EXPECT_EQ(s.PointColor(0), clRed);
    EXPECT_EQ(s.PointColor(3), clBlue);
    EXPECT_EQ(s.PointColor(19), clMedGray);
    EXPECT_EQ(s.PointColor(21), clGreen);
}

TEST(ChartSeries, LabelsListKeptOnlyOnceALabelArrives) {
    TLineSeries s(nullptr);
    s.AddPoint(1, 1);
    s.AddPoint(2, 2, "b");
    s.AddPoint(0, 0);
    EXPECT_EQ(s.LabelCount(), 3);
    s.ClearPoints();
    EXPECT_EQ(s.LabelCount(), 0);
}

TEST(ChartSeries, BatchesInvalidateOnceAtTheEnd) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    const int before = chart.InvalidateCount();
    s->BeginUpdate();
    s->BeginUpdate();
    for (int i = 0; i < 10; ++i) s->AddPoint(i, i);
    s->EndUpdate();
    EXPECT_EQ(chart.InvalidateCount(), before);
    s->EndUpdate();
    EXPECT_EQ(chart.InvalidateCount(), before + 1);
    s->EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(s->UpdateCount(), 0);
}

TEST(ChartSeries, EqualValuesDoNotInvalidate) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    struct Step {
        const char* what;
        std::function<void()> change;
        bool repaints;
    };
    const Step steps[] = {
        {"same width", [&] { s->LinePen()->SetWidth(1); }, false},
        {"new width", [&] { s->LinePen()->SetWidth(2); }, true},
        {"same active", [&] { s->SetActive(true); }, false},
        {"new stairs", [&] { s->SetStairs(true); }, true},
        {"pointer style", [&] { s->Pointer()->SetStyle(psCircle); }, true},
        {"same pointer style", [&] { s->Pointer()->SetStyle(psCircle); }, false},
        {"same auto colour", [&] { s->SetSeriesColor(clRed); }, false},
        {"axis minimum", [&] { chart.LeftAxis()->SetMinimum(-1); }, true},
        {"same axis maximum", [&] { chart.LeftAxis()->SetMaximum(0); }, false},
        {"grid colour", [&] { chart.LeftAxis()->Grid()->SetColor(clRed); }, true},
        {"label font", [&] { chart.LeftAxis()->LabelsFont()->SetHeight(-12); }, true},
    };
    for (const Step& step : steps) {
        const int before = chart.InvalidateCount();
        step.change();
        EXPECT_EQ(chart.InvalidateCount(), before + (step.repaints ? 1 : 0)) << step.what;
    }
}

TEST(ChartSeries, NoInvalidationWhileTheChartPaints) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    chart.SetDirty(false);
    chart.SetAutoRepaint(false);
    const int before = chart.InvalidateCount();
    s->AddPoint(1, 1);
    EXPECT_EQ(chart.InvalidateCount(), before);
    EXPECT_FALSE(chart.Dirty());
    chart.SetAutoRepaint(true);
    s->AddPoint(2, 2);
    EXPECT_TRUE(chart.Dirty());
}

TEST(ChartSeries, DefaultsOfLineAndPointSeries) {
    TLineSeries line(nullptr);
    TPointSeries point(nullptr);
    EXPECT_TRUE(line.DrawLine());
    EXPECT_FALSE(line.Pointer()->Visible());
    EXPECT_TRUE(line.ClickableLine());
    EXPECT_EQ(line.Marks()->Callout()->Length(), 10);
    EXPECT_FALSE(point.DrawLine());
    EXPECT_TRUE(point.Pointer()->Visible());
    EXPECT_FALSE(point.ClickableLine());
    EXPECT_EQ(point.Marks()->Callout()->Length(), 0);
    EXPECT_EQ(point.XValues()->Name(), "X");
    EXPECT_EQ(point.XValues()->Order(), loAscending);
    EXPECT_EQ(point.YValues()->Name(), "Y");
    EXPECT_EQ(point.YValues()->Order(), loNone);
    EXPECT_EQ(point.Pointer()->HorizSize(), 4);
    EXPECT_EQ(point.Pointer()->Style(), psRectangle);
    EXPECT_EQ(point.SeriesColor(), clAutoColor);
    EXPECT_FALSE(line.OutLine()->Visible());
    EXPECT_EQ(line.ValueFormat(), "#,##0.###");
    EXPECT_EQ(line.PercentFormat(), "##0.## %");
}

// The colour sequence of the calculator's charts as their descriptions
// attach the series: attach, then apply the stored colour.
TEST(ChartSeries, AutomaticColourAtAttachmentAndStoredColourWins) {
    struct Case {
        std::vector<TColor> stored;  // clAutoColor: none stored
        std::vector<TColor> expected;
    };
    const Case cases[] = {
        {{clAutoColor, clBlue}, {clRed, clBlue}},  // ChartCV
        {{clBlue, clAutoColor}, {clBlue, clRed}},  // ChartC2V
        {{clAutoColor, clBlue, clFuchsia, clFuchsia}, {clRed, clBlue, clFuchsia, clFuchsia}},
        {{clRed, clAutoColor, clAutoColor}, {clRed, clGreen, clYellow}},
    };
    for (const Case& c : cases) {
        TCustomAxisPanel chart(nullptr);
        for (TColor stored : c.stored) {
            auto* s = new TLineSeries(nullptr);
            s->AttachToParent(&chart);
            if (stored != clAutoColor) s->SetSeriesColor(stored);
        }
        ASSERT_EQ(chart.NumSeries(), static_cast<int>(c.expected.size()));
        for (int i = 0; i < chart.NumSeries(); ++i) EXPECT_EQ(chart.SeriesAt(i)->SeriesColor(), c.expected[i]) << i;
    }
}

TEST(ChartSeries, NextFreeColourSkipsBackgroundsAndFallsBackToTheLastEntry) {
    TCustomAxisPanel chart(nullptr);
    chart.SetColor(clRed);
    EXPECT_EQ(chart.NextFreeColor(true, nullptr), clGreen);
    EXPECT_EQ(chart.NextFreeColor(false, nullptr), clRed);
    std::vector<TLineSeries*> all;
    for (TColor c : DefaultPalette) {
        auto* s = new TLineSeries(nullptr);
        s->SetParentChart(&chart);
        s->SetSeriesColor(c);
        all.push_back(s);
    }
    EXPECT_EQ(chart.NextFreeColor(false, nullptr), clMedGray);
    EXPECT_EQ(chart.NextFreeColor(false, all[2]), clYellow);
}

// A run's points each mark the chart they belong to now, but only the first
// after a paint asks the window for one; an inactive series or one without
// a chart marks nothing.
TEST(ChartSeries, AppendedPointsMarkTheirOwnChartAndAskForOnePaint) {
    TCustomAxisPanel a(nullptr), b(nullptr);
    int requestsA = 0, requestsB = 0;
    a.SetRepaintRequest([&] { ++requestsA; });
    b.SetRepaintRequest([&] { ++requestsB; });
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&a);
    a.SetDirty(false);
    b.SetDirty(false);
    requestsA = 0;
    const int markedA = a.InvalidateCount();
    for (int i = 0; i < 2500; ++i) s->AddPoint(i, i);  // grows past two capacity steps
    EXPECT_EQ(a.InvalidateCount(), markedA + 2500);
    EXPECT_EQ(requestsA, 1);
    EXPECT_EQ(s->XValues()->Value(2499), 2499);
    EXPECT_EQ(s->YValues()->Value(1000), 1000);
    a.SetDirty(false);  // painted
    s->AddPoint(3000, 0);
    EXPECT_EQ(requestsA, 2);

    s->SetParentChart(&b);
    b.SetDirty(false);  // painted with its new series
    const int markedB = b.InvalidateCount();
    const int markedAfterMove = a.InvalidateCount();
    requestsB = 0;
    s->AddPoint(4000, 0);
    EXPECT_EQ(a.InvalidateCount(), markedAfterMove);
    EXPECT_EQ(b.InvalidateCount(), markedB + 1);
    EXPECT_EQ(requestsB, 1);

    s->SetActive(false);
    const int markedInactive = b.InvalidateCount();
    s->AddPoint(5000, 0);
    EXPECT_EQ(b.InvalidateCount(), markedInactive);

    s->SetParentChart(nullptr);
    s->SetActive(true);
    s->AddPoint(6000, 0);  // no chart to mark
    EXPECT_EQ(s->PointCount(), 2504);
    delete s;
}

TEST(ChartSeries, AttachmentMovesBetweenChartsAndDestructionLeavesTheList) {
    TCustomAxisPanel a(nullptr), b(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&a);
    s->SetParentChart(&a);
    EXPECT_EQ(a.NumSeries(), 1);
    s->SetParentChart(&b);
    EXPECT_EQ(a.NumSeries(), 0);
    EXPECT_EQ(b.NumSeries(), 1);
    EXPECT_EQ(b.SeriesAt(0), s);
    EXPECT_THROW(b.SeriesAt(1), Exception);
    delete s;
    EXPECT_EQ(b.NumSeries(), 0);
}

}  // namespace
}  // namespace cvcalc
