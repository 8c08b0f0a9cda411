// The chart's series list, axes, automatic colours and invalidation.
#include "chart/CustomAxisPanel.h"

#include <algorithm>

#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "platform/core/Exception.h"

namespace cvcalc {

TCustomAxisPanel::TCustomAxisPanel(TComponent* owner)
    : TCustomControl(owner),
      backWall_(std::make_unique<TChartBackWall>(this)),
      title_(std::make_unique<TChartTitle>(this)),
      foot_(std::make_unique<TChartTitle>(this)),
      legend_(std::make_unique<TChartLegend>(this)) {
    axes_.push_back(std::make_unique<TChartAxis>(this, true, false, false));   // bottom
    axes_.push_back(std::make_unique<TChartAxis>(this, true, true, false));    // top
    axes_.push_back(std::make_unique<TChartAxis>(this, false, false, false));  // left
    axes_.push_back(std::make_unique<TChartAxis>(this, false, true, false));   // right
    axes_.push_back(std::make_unique<TChartAxis>(this, false, false, true));   // depth
    axes_.push_back(std::make_unique<TChartAxis>(this, false, true, true));    // depth top
}

TCustomAxisPanel::~TCustomAxisPanel() {
    IncludeState(csDestroying);
    // The series go first, in list order, while the axes still exist.
    std::vector<TChartSeries*> series;
    series.swap(series_);
    for (TChartSeries* s : series) {
        s->DestroyingParentChart();
        delete s;
    }
}

TChartSeries* TCustomAxisPanel::SeriesAt(int index) const {
    if (index < 0 || index >= NumSeries()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    return series_[static_cast<std::size_t>(index)];
}

void TCustomAxisPanel::AddSeries(TChartSeries* series) {
    if (!series || std::find(series_.begin(), series_.end(), series) != series_.end()) return;
    series_.push_back(series);
    if (series->StoredSeriesColor() == clAutoColor) {
        // The internal colour is what a clAutoColor series draws with; the
        // stored colour stays automatic so that a stored one can replace it.
        series->SetAutomaticColor(NextFreeColor(true, series));
    }
    SeriesColorChanged(series);
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* series) {
    auto it = std::find(series_.begin(), series_.end(), series);
    if (it == series_.end()) return;
    series_.erase(it);
    ChartInvalidate();
}

TColor TCustomAxisPanel::NextFreeColor(bool checkBackground, const TChartSeries* exceptSeries) const {
    for (TColor c : DefaultPalette) {
        bool used = false;
        for (const TChartSeries* s : series_)
            if (s != exceptSeries && s->SeriesColor() == c) used = true;
        if (used) continue;
        if (checkBackground && (c == Color() || c == backWall_->Color())) continue;
        return c;
    }
    return DefaultPalette.back();
}

// One window request per stale drawing: the points of a run each mark the
// chart, but only the first asks for the paint that draws them all.
void TCustomAxisPanel::RequestRepaint() {
    drawing_.dirty = true;
    drawing_.requestPending = true;
    if (repaintRequest_) repaintRequest_();
    if (!Destroying()) Invalidate();
}

TChartRect TCustomAxisPanel::PlotRectFromMargins(int width, int height) const {
    width = std::max(width, 0);
    height = std::max(height, 0);
    auto px = [this](int margin, int size) {
        return marginUnits_ == muMarginPixels ? margin : static_cast<int>(static_cast<long long>(margin) * size / 100);
    };
    const int f = frameWidth_;
    return {f + px(marginLeft_, width), f + px(marginTop_, height), width - f - px(marginRight_, width),
            height - f - px(marginBottom_, height)};
}

TChartRect TCustomAxisPanel::LayoutAxes(const TAxisTextMetrics& metrics, TChartRect plot) {
    for (auto& axis : axes_) axis->AdjustMaxMin();
    auto place = [&plot](TChartAxis& axis) {
        if (axis.Horizontal())
            axis.SetPixels(plot.left, plot.right);
        else
            axis.SetPixels(plot.top, plot.bottom);
    };
    for (int index : {AxisBottom, AxisTop, AxisLeft, AxisRight}) {
        TChartAxis& axis = *axes_[static_cast<std::size_t>(index)];
        if (!axis.VisibleInPaint()) continue;
        // The vertical axes measure their labels at the step the room left
        // so far allows.
        place(axis);
        const int tickRoom = axis.TickRoom();
        const int labelRoom = axis.LabelRoom(metrics, axis.CalcLabelStep(metrics));
        const int titleRoom = axis.TitleRoom(metrics);
        const int room = tickRoom + labelRoom + titleRoom;
        // The bands from the outside in: title, labels, ticks.
        switch (index) {
        case AxisBottom:
            axis.SetBandEdges(plot.bottom - titleRoom - labelRoom, plot.bottom - titleRoom);
            plot.bottom -= room;
            break;
        case AxisTop:
            axis.SetBandEdges(plot.top + titleRoom + labelRoom, plot.top + titleRoom);
            plot.top += room;
            break;
        case AxisLeft:
            axis.SetBandEdges(plot.left + titleRoom + labelRoom, plot.left + titleRoom);
            plot.left += room;
            break;
        default:
            axis.SetBandEdges(plot.right - titleRoom - labelRoom, plot.right - titleRoom);
            plot.right -= room;
            break;
        }
    }
    // A chart too small for its axes keeps an empty area, never a reversed one.
    plot.right = std::max(plot.right, plot.left);
    plot.bottom = std::max(plot.bottom, plot.top);
    for (auto& axis : axes_) place(*axis);
    for (auto& axis : axes_) axis->ApplyMarkerMargins();
    plotRect_ = plot;
    return plot;
}

void TCustomAxisPanel::ColorChanged() { ChartInvalidate(); }
TColor TCustomAxisPanel::BackWallColor() const { return backWall_->Color(); }
void TCustomAxisPanel::SetBackWallColor(TColor value) { backWall_->SetColor(value); }
void TCustomAxisPanel::SetAxisVisible(bool value) { Change(axisVisible_, value); }

static const TTypeInfo& TypeInfoTMarginUnits() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TChartUnits", {"muPercent", "muPixels"});
    return info;
}

const TClassInfo& TCustomAxisPanel::StaticClassInfo() {
    using P = TCustomAxisPanel;
    static const TClassInfo info =
        TClassBuilder<P>("TCustomAxisPanel", TCustomControl::StaticClassInfo())
            .Boolean("AxisVisible", &P::AxisVisible, &P::SetAxisVisible, true)
            .Object("BackWall", &P::BackWall, nullptr)
            .Object("BottomAxis", &P::BottomAxis, nullptr)
            .Object("DepthAxis", &P::DepthAxis, nullptr)
            .Object("DepthTopAxis", &P::DepthTopAxis, nullptr)
            .Object("Foot", &P::Foot, nullptr)
            .Object("LeftAxis", &P::LeftAxis, nullptr)
            .Object("Legend", &P::Legend, nullptr)
            .Integer("MarginBottom", &P::MarginBottom, &P::SetMarginBottom, 4)
            .Integer("MarginLeft", &P::MarginLeft, &P::SetMarginLeft, 3)
            .Integer("MarginRight", &P::MarginRight, &P::SetMarginRight, 3)
            .Integer("MarginTop", &P::MarginTop, &P::SetMarginTop, 4)
            .Ordinal("MarginUnits", TypeInfoTMarginUnits(), &P::MarginUnits, &P::SetMarginUnits, muMarginPercent)
            .Object("RightAxis", &P::RightAxis, nullptr)
            .Object("Title", &P::Title, nullptr)
            .Object("TopAxis", &P::TopAxis, nullptr)
            .Boolean("View3D", &P::View3D, &P::SetView3D, true);
    return info;
}

}  // namespace cvcalc
