// The series pointer: published settings; changes repaint the series' chart.
#include "chart/SeriesPointer.h"

#include "chart/ChartSeries.h"

namespace cvcalc {

TSeriesPointer::TSeriesPointer(TChartSeries* series)
    : series_(series), brush_(std::make_unique<TChartBrush>()), pen_(std::make_unique<TChartPen>()) {
    brush_->SetOnChange([this] { Repaint(); });
    pen_->SetOnChange([this] { Repaint(); });
}

TSeriesPointer::~TSeriesPointer() = default;

void TSeriesPointer::Repaint() const {
    if (series_) series_->Repaint();
}

const TTypeInfo& TypeInfoTSeriesPointerStyle() {
    static const TTypeInfo info = TTypeInfo::Enumeration(
        "TSeriesPointerStyle", {"psRectangle", "psCircle", "psTriangle", "psDownTriangle", "psCross", "psDiagCross",
                                "psStar", "psDiamond", "psSmallDot", "psNothing", "psLeftTriangle", "psRightTriangle"});
    return info;
}

const TClassInfo& TSeriesPointer::StaticClassInfo() {
    using P = TSeriesPointer;
    static const TClassInfo info =
        TClassBuilder<P>("TSeriesPointer", TPersistent::StaticClassInfo())
            .Object("Brush", &P::Brush, nullptr)
            .Boolean("Dark3D", &P::Dark3D, &P::SetDark3D, true)
            .Boolean("Draw3D", &P::Draw3D, &P::SetDraw3D, true)
            .Integer("HorizSize", &P::HorizSize, &P::SetHorizSize, 4)
            .Boolean("InflateMargins", &P::InflateMargins, &P::SetInflateMargins, true)
            .Object("Pen", &P::Pen, nullptr)
            .Ordinal("Style", TypeInfoTSeriesPointerStyle(), &P::Style, &P::SetStyle, psRectangle)
            .Integer("Transparency", &P::Transparency, &P::SetTransparency, 0)
            .Integer("VertSize", &P::VertSize, &P::SetVertSize, 4)
            .Boolean("Visible", &P::Visible, &P::SetVisible);
    return info;
}

}  // namespace cvcalc
