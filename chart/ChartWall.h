// The chart's titles, legend and back wall: stored settings, the room
// rules of a flat chart and the back wall's drawing.  This program keeps titles and legend hidden and
// the back wall unfilled.
#pragma once

#include <memory>

#include "chart/ChartBrush.h"
#include "chart/ChartPen.h"
#include "shell/core/Persistent.h"
#include "shell/core/StringList.h"

namespace cvcalc {

class TCanvas;
class TCustomAxisPanel;

class TChartTitle : public TPersistent {
public:
    CVCALC_CLASS_INFO()
    explicit TChartTitle(TCustomAxisPanel* chart);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    TStringList* Text() const noexcept { return text_.get(); }
    TChartFont* Font() const noexcept { return font_.get(); }

private:
    TCustomAxisPanel* chart_;
    bool visible_ = true;
    std::unique_ptr<TStringList> text_;
    std::unique_ptr<TChartFont> font_;
};

class TChartLegend : public TPersistent {
public:
    CVCALC_CLASS_INFO()
    explicit TChartLegend(TCustomAxisPanel* chart);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    TChartFont* Font() const noexcept { return font_.get(); }

private:
    TCustomAxisPanel* chart_;
    bool visible_ = true;
    std::unique_ptr<TChartFont> font_;
};

class TChartBackWall : public TPersistent {
public:
    CVCALC_CLASS_INFO()
    explicit TChartBackWall(TCustomAxisPanel* chart);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    TChartBrush* Brush() const noexcept { return brush_.get(); }
    TChartPen* Pen() const noexcept { return pen_.get(); }

    // Its pen round the plotting area, the inside filled unless the wall
    // is transparent.
    void Draw(TCanvas& canvas, const TChartRect& plot) const;

private:
    TCustomAxisPanel* chart_;
    bool visible_ = true;
    bool transparent_ = true;
    TColor color_ = clSilver;
    std::unique_ptr<TChartBrush> brush_;
    std::unique_ptr<TChartPen> pen_;
};

}  // namespace cvcalc
