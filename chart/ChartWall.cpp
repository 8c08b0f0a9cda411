// Titles, legend and back wall: setters that invalidate, published
// properties and the back wall's drawing.
#include "chart/ChartWall.h"

#include "chart/ChartDrawing.h"
#include "chart/CustomAxisPanel.h"
#include "framework/Canvas.h"

namespace cvcalc {

namespace {
std::function<void()> Invalidator(TCustomAxisPanel* chart) {
    return [chart] {
        if (chart) chart->ChartInvalidate();
    };
}
template <typename T>
void ChangeOn(TCustomAxisPanel* chart, T& field, T value) {
    if (field == value) return;
    field = value;
    if (chart) chart->ChartInvalidate();
}
}  // namespace

TChartTitle::TChartTitle(TCustomAxisPanel* chart)
    : chart_(chart), text_(std::make_unique<TStringList>()), font_(std::make_unique<TChartFont>()) {
    font_->SetOnChange(Invalidator(chart));
}
void TChartTitle::SetVisible(bool value) { ChangeOn(chart_, visible_, value); }

TChartLegend::TChartLegend(TCustomAxisPanel* chart) : chart_(chart), font_(std::make_unique<TChartFont>()) {
    font_->SetOnChange(Invalidator(chart));
}
void TChartLegend::SetVisible(bool value) { ChangeOn(chart_, visible_, value); }

TChartBackWall::TChartBackWall(TCustomAxisPanel* chart)
    : chart_(chart), brush_(std::make_unique<TChartBrush>()), pen_(std::make_unique<TChartPen>()) {
    brush_->SetOnChange(Invalidator(chart));
    pen_->SetOnChange(Invalidator(chart));
}
void TChartBackWall::SetVisible(bool value) { ChangeOn(chart_, visible_, value); }
void TChartBackWall::SetTransparent(bool value) { ChangeOn(chart_, transparent_, value); }
void TChartBackWall::SetColor(TColor value) { ChangeOn(chart_, color_, value); }

const TClassInfo& TChartTitle::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TChartTitle>("TChartTitle", TPersistent::StaticClassInfo())
                                       .Object("Font", &TChartTitle::Font, nullptr)
                                       .Object("Text", &TChartTitle::Text, nullptr)
                                       .Boolean("Visible", &TChartTitle::Visible, &TChartTitle::SetVisible, true);
    return info;
}

const TClassInfo& TChartLegend::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TChartLegend>("TChartLegend", TPersistent::StaticClassInfo())
                                       .Object("Font", &TChartLegend::Font, nullptr)
                                       .Boolean("Visible", &TChartLegend::Visible, &TChartLegend::SetVisible, true);
    return info;
}

void TChartBackWall::Draw(TCanvas& canvas, const TChartRect& plot) const {
    if (transparent_) {
        canvas.Brush().SetStyle(bsClear);
    } else {
        canvas.Brush().SetStyle(brush_->Style());
        canvas.Brush().SetColor(color_);
    }
    RealisePen(canvas, *pen_, pen_->Color());
    canvas.Rectangle(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
}

const TClassInfo& TChartBackWall::StaticClassInfo() {
    using W = TChartBackWall;
    static const TClassInfo info = TClassBuilder<W>("TChartBackWall", TPersistent::StaticClassInfo())
                                       .Object("Brush", &W::Brush, nullptr)
                                       .Ordinal("Color", TypeInfoTColor(), &W::Color, &W::SetColor, clSilver)
                                       .Object("Pen", &W::Pen, nullptr)
                                       .Boolean("Transparent", &W::Transparent, &W::SetTransparent, true)
                                       .Boolean("Visible", &W::Visible, &W::SetVisible, true);
    return info;
}

}  // namespace cvcalc
