// The chart engine's class registrations.
#include "chart/ChartClasses.h"

#include "chart/ChartAxis.h"
#include "chart/ChartAxisTitle.h"
#include "chart/ChartZoom.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "chart/SeriesMarks.h"
#include "chart/SeriesPointer.h"
#include "framework/FrameworkClasses.h"
#include "shell/core/ClassRegistry.h"

namespace cvcalc {

void RegisterChartClasses() {
    static const bool done = [] {
        RegisterFrameworkClasses();
        RegisterClasses({&TChart::StaticClassInfo(),
                         &TCustomChart::StaticClassInfo(),
                         &TCustomAxisPanel::StaticClassInfo(),
                         &TLineSeries::StaticClassInfo(),
                         &TPointSeries::StaticClassInfo(),
                         &TCustomSeries::StaticClassInfo(),
                         &TCustomLineSeries::StaticClassInfo(),
                         &TChartSeries::StaticClassInfo(),
                         &TCustomChartSeries::StaticClassInfo(),
                         &TCustomChartElement::StaticClassInfo(),
                         &TChartValueList::StaticClassInfo(),
                         &TSeriesPointer::StaticClassInfo(),
                         &TSeriesMarks::StaticClassInfo(),
                         &TSeriesMarksCallout::StaticClassInfo(),
                         &TChartPen::StaticClassInfo(),
                         &TChartHiddenPen::StaticClassInfo(),
                         &TDottedGrayPen::StaticClassInfo(),
                         &TDarkGrayPen::StaticClassInfo(),
                         &TChartAxisPen::StaticClassInfo(),
                         &TAxisGridPen::StaticClassInfo(),
                         &TChartBrush::StaticClassInfo(),
                         &TChartFont::StaticClassInfo(),
                         &TChartAxis::StaticClassInfo(),
                         &TChartAxisTitle::StaticClassInfo(),
                         &TChartTitle::StaticClassInfo(),
                         &TChartLegend::StaticClassInfo(),
                         &TChartBackWall::StaticClassInfo(),
                         &TChartZoom::StaticClassInfo(),
                         &TChartZoomPen::StaticClassInfo(),
                         &TChartZoomBrush::StaticClassInfo()});
        return true;
    }();
    (void)done;
}

}  // namespace cvcalc
