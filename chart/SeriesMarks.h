// TSeriesMarks: the per-point labels of a series.  This program keeps them
// hidden; they hold their stored settings and are cleared with the points.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/ChartBrush.h"
#include "chart/ChartPen.h"
#include "shell/core/Persistent.h"

namespace cvcalc {

class TChartSeries;

// The line from a point to its mark.
class TSeriesMarksCallout : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    TSeriesMarksCallout();
    TChartBrush* Brush() const noexcept { return brush_.get(); }
    TChartPen* Pen() const noexcept { return pen_.get(); }
    int Length() const noexcept { return length_; }
    void SetLength(int value) { length_ = value; }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value) { visible_ = value; }

private:
    std::unique_ptr<TChartBrush> brush_;
    std::unique_ptr<TChartPen> pen_;
    int length_ = 10;
    bool visible_ = true;
};

class TSeriesMarks : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    explicit TSeriesMarks(TChartSeries* series);

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    TSeriesMarksCallout* Callout() const noexcept { return callout_.get(); }
    TChartFont* Font() const noexcept { return font_.get(); }
    // Texts set for single points; cleared with the points.
    std::vector<std::string>& PointTexts() noexcept { return pointTexts_; }
    void Clear() { pointTexts_.clear(); }

private:
    TChartSeries* series_;
    bool visible_ = true;
    std::unique_ptr<TSeriesMarksCallout> callout_;
    std::unique_ptr<TChartFont> font_;
    std::vector<std::string> pointTexts_;
};

}  // namespace cvcalc
