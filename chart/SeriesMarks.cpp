// Series marks and their callout: stored settings only.
#include "chart/SeriesMarks.h"

#include "chart/ChartSeries.h"

namespace cvcalc {

TSeriesMarksCallout::TSeriesMarksCallout()
    : brush_(std::make_unique<TChartBrush>()), pen_(std::make_unique<TChartPen>()) {}

const TClassInfo& TSeriesMarksCallout::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TSeriesMarksCallout>("TSeriesMarksCallout", TPersistent::StaticClassInfo())
            .Object("Brush", &TSeriesMarksCallout::Brush, nullptr)
            .Object("Pen", &TSeriesMarksCallout::Pen, nullptr)
            .Integer("Length", &TSeriesMarksCallout::Length, &TSeriesMarksCallout::SetLength, 10)
            .Boolean("Visible", &TSeriesMarksCallout::Visible, &TSeriesMarksCallout::SetVisible, true);
    return info;
}

TSeriesMarks::TSeriesMarks(TChartSeries* series)
    : series_(series), callout_(std::make_unique<TSeriesMarksCallout>()), font_(std::make_unique<TChartFont>()) {}

void TSeriesMarks::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    if (series_) series_->Repaint();
}

const TClassInfo& TSeriesMarks::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TSeriesMarks>("TSeriesMarks", TPersistent::StaticClassInfo())
                                       .Object("Callout", &TSeriesMarks::Callout, nullptr)
                                       .Object("Font", &TSeriesMarks::Font, nullptr)
                                       .Boolean("Visible", &TSeriesMarks::Visible, &TSeriesMarks::SetVisible, true);
    return info;
}

}  // namespace cvcalc
