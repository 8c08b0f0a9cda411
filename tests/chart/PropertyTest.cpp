// Every setting a calculator chart's description stores reaches its object
// by its dotted name through the published tables, as the form reader sets
// it.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "chart/ChartAxis.h"
#include "chart/CustomAxisPanel.h"
#include "chart/CustomSeries.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/IdentMaps.h"

namespace cvcalc {
namespace {

// Walks "A.B.C" through object properties and returns the last one's owner
// and information; nullptr when any part is missing.
std::pair<TObject*, const TPropInfo*> Resolve(TObject* object, std::string_view path) {
    for (;;) {
        const auto dot = path.find('.');
        const TPropInfo* p = object->ClassInfo().FindProperty(path.substr(0, dot));
        if (!p) return {nullptr, nullptr};
        if (dot == std::string_view::npos) return {object, p};
        if (!p->getObject) return {nullptr, nullptr};
        object = p->getObject(*object);
        if (!object) return {nullptr, nullptr};
        path.remove_prefix(dot + 1);
    }
}

void SetOrdinal(TObject* root, std::string_view path, std::int64_t value) {
    auto [o, p] = Resolve(root, path);
    ASSERT_NE(p, nullptr) << path;
    ASSERT_TRUE(p->setOrdinal) << path;
    p->setOrdinal(*o, value);
}

void SetString(TObject* root, std::string_view path, const std::string& value) {
    auto [o, p] = Resolve(root, path);
    ASSERT_NE(p, nullptr) << path;
    ASSERT_TRUE(p->setString) << path;
    p->setString(*o, value);
}

void SetFloat(TObject* root, std::string_view path, long double value) {
    auto [o, p] = Resolve(root, path);
    ASSERT_NE(p, nullptr) << path;
    ASSERT_TRUE(p->setFloat) << path;
    p->setFloat(*o, value);
}

std::int64_t Ordinal(const TTypeInfo& type, std::string_view member) {
    const auto m = type.FindMember(member);
    EXPECT_TRUE(m.has_value()) << member;
    return m.value_or(0);
}

TEST(ChartProperties, CalculatorChartSettingsAreReadableByName) {
    TCustomAxisPanel chart(nullptr);
    chart.IncludeState(csLoading);
    SetOrdinal(&chart, "View3D", 0);
    SetOrdinal(&chart, "BackWall.Brush.Color", clWhite);
    SetOrdinal(&chart, "BackWall.Brush.Style", bsClear);
    SetOrdinal(&chart, "Legend.Visible", 0);
    SetOrdinal(&chart, "Title.Visible", 0);
    SetString(&chart, "Legend.Font.Name", "MS PGothic");
    SetOrdinal(&chart, "Legend.Font.Height", -12);
    SetOrdinal(&chart, "Legend.Font.Charset", 128);
    for (const char* axis : {"BottomAxis", "LeftAxis", "RightAxis", "TopAxis", "DepthAxis"}) {
        const std::string a = axis;
        SetString(&chart, a + ".LabelsFont.Name", "MS PGothic");
        SetOrdinal(&chart, a + ".LabelsFont.Height", -12);
        SetOrdinal(&chart, a + ".Title.Font.Charset", 128);
    }
    SetOrdinal(&chart, "BottomAxis.Automatic", 0);
    SetOrdinal(&chart, "BottomAxis.AutomaticMaximum", 0);
    SetOrdinal(&chart, "BottomAxis.AutomaticMinimum", 0);
    SetFloat(&chart, "BottomAxis.Maximum", 11);
    SetFloat(&chart, "BottomAxis.Minimum", -10);
    SetFloat(&chart, "BottomAxis.Increment", 0.001L);
    SetString(&chart, "BottomAxis.AxisValuesFormat", "#,##0.0##");
    SetOrdinal(&chart, "BottomAxis.ExactDateTime", 0);
    SetString(&chart, "BottomAxis.Title.Caption", "x [um]");
    SetOrdinal(&chart, "LeftAxis.Automatic", 0);
    SetOrdinal(&chart, "LeftAxis.AutomaticMinimum", 0);
    SetOrdinal(&chart, "LeftAxis.LabelStyle", Ordinal(TypeInfoTAxisLabelStyle(), "talValue"));
    SetOrdinal(&chart, "LeftAxis.Grid.Style", Ordinal(TypeInfoTPenStyle(), "psDash"));
    chart.ExcludeState(csLoading);

    EXPECT_FALSE(chart.View3D());
    EXPECT_EQ(chart.BackWall()->Brush()->Color(), clWhite);
    EXPECT_EQ(chart.BackWall()->Brush()->Style(), bsClear);
    EXPECT_FALSE(chart.Legend()->Visible());
    EXPECT_FALSE(chart.Title()->Visible());
    EXPECT_EQ(chart.Legend()->Font()->Charset(), 128);
    EXPECT_EQ(chart.DepthAxis()->LabelsFont()->Height(), -12);
    EXPECT_EQ(chart.TopAxis()->Title()->Font()->Charset(), 128);
    const TChartAxis& b = *chart.BottomAxis();
    EXPECT_FALSE(b.AutomaticMinimum());
    EXPECT_EQ(b.Minimum(), -10);
    EXPECT_EQ(b.Maximum(), 11);
    EXPECT_EQ(b.Increment(), 0.001);
    EXPECT_EQ(b.AxisValuesFormat(), "#,##0.0##");
    EXPECT_FALSE(b.ExactDateTime());
    EXPECT_EQ(b.Title()->Caption(), "x [um]");
    // Automatic False read from the form leaves the other flags as stored.
    EXPECT_TRUE(chart.LeftAxis()->AutomaticMaximum());
    EXPECT_FALSE(chart.LeftAxis()->AutomaticMinimum());
    EXPECT_EQ(chart.LeftAxis()->LabelStyle(), talValue);
    EXPECT_EQ(chart.LeftAxis()->Grid()->Style(), psDash);
}

TEST(ChartProperties, SeriesSettingsAreReadableByNameAfterAttachment) {
    TCustomAxisPanel chart(nullptr);
    auto* line = new TLineSeries(nullptr);
    auto* point = new TPointSeries(nullptr);
    for (TChartSeries* s : {static_cast<TChartSeries*>(line), static_cast<TChartSeries*>(point)}) {
        s->IncludeState(csLoading);
        s->AttachToParent(&chart);
        SetOrdinal(s, "Marks.Visible", 0);
        SetOrdinal(s, "Marks.Callout.Brush.Color", clBlack);
        SetString(s, "Marks.Font.Name", "MS PGothic");
        SetOrdinal(s, "Pointer.InflateMargins", 1);
        SetString(s, "XValues.Name", "X");
        SetOrdinal(s, "XValues.Order", loAscending);
        SetString(s, "YValues.Name", "Y");
        SetOrdinal(s, "YValues.Order", loNone);
    }
    EXPECT_EQ(line->SeriesColor(), clRed);  // chosen at attachment
    SetOrdinal(line, "SeriesColor", clBlue);
    SetOrdinal(line, "LinePen.Width", 2);
    SetOrdinal(line, "LinePen.Style", psDashDot);
    SetOrdinal(line, "Pointer.Style", psCircle);
    SetOrdinal(line, "Marks.Callout.Length", 0);
    SetOrdinal(point, "ClickableLine", 0);
    SetOrdinal(point, "Pointer.Visible", 1);
    SetOrdinal(point, "Marks.Callout.Length", 8);

    EXPECT_EQ(line->SeriesColor(), clBlue);  // the stored colour wins
    EXPECT_EQ(line->LinePen()->Width(), 2);
    EXPECT_EQ(line->LinePen()->Style(), psDashDot);
    EXPECT_EQ(line->Pointer()->Style(), psCircle);
    EXPECT_EQ(line->Marks()->Callout()->Length(), 0);
    EXPECT_FALSE(line->Marks()->Visible());
    EXPECT_EQ(point->Marks()->Callout()->Brush()->Color(), clBlack);
    EXPECT_EQ(point->Marks()->Callout()->Length(), 8);
    EXPECT_FALSE(point->ClickableLine());
    EXPECT_EQ(point->SeriesColor(), clGreen);  // red was taken when it came
    EXPECT_EQ(chart.SeriesAt(1), point);
}

TEST(ChartProperties, DefaultsMatchTheObjects) {
    TCustomAxisPanel chart(nullptr);
    TLineSeries series(nullptr);
    struct Case {
        TObject* object;
        const char* path;
    };
    const Case cases[] = {
        {chart.LeftAxis(), "Automatic"},   {chart.LeftAxis(), "LabelsSeparation"},
        {chart.LeftAxis(), "TickLength"},  {chart.LeftAxis(), "MinorTickCount"},
        {chart.LeftAxis(), "Axis.Width"},  {chart.LeftAxis(), "Grid.Style"},
        {chart.LeftAxis(), "Grid.Color"},  {chart.LeftAxis(), "MinorGrid.Visible"},
        {chart.LeftAxis(), "Ticks.Color"}, {&series, "SeriesColor"},
        {&series, "Pointer.HorizSize"},    {&series, "Pointer.Style"},
        {&series, "ClickableLine"},        {&series, "Depth"},
        {&series, "OutLine.Visible"},      {&chart, "MarginTop"},
        {&chart, "BackWall.Color"},        {&chart, "View3D"},
    };
    for (const Case& c : cases) {
        auto [o, p] = Resolve(c.object, c.path);
        ASSERT_NE(p, nullptr) << c.path;
        ASSERT_TRUE(p->hasDefault) << c.path;
        EXPECT_EQ(p->getOrdinal(*o), p->ordinalDefault) << c.path;
    }
}

}  // namespace
}  // namespace cvcalc
