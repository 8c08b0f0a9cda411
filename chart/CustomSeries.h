// TCustomLineSeries and TCustomSeries: series drawn as connected points with
// a line pen and a pointer marker.
#pragma once

#include <memory>

#include "chart/ChartSeries.h"
#include "chart/SeriesPointer.h"

namespace cvcalc {

class TCustomLineSeries : public TChartSeries {
public:
    CVCALC_CLASS_INFO()
    explicit TCustomLineSeries(TComponent* owner) : TChartSeries(owner) {}
    // The connecting line's pen is the element's own pen.
    TChartPen* LinePen() const noexcept { return Pen(); }
};

class TCustomSeries : public TCustomLineSeries {
public:
    CVCALC_CLASS_INFO()

    explicit TCustomSeries(TComponent* owner);
    ~TCustomSeries() override;

    TSeriesPointer* Pointer() const noexcept { return pointer_.get(); }
    TChartHiddenPen* OutLine() const noexcept { return outLine_.get(); }
    bool ClickableLine() const noexcept { return clickableLine_; }
    void SetClickableLine(bool value) { Change(clickableLine_, value); }
    bool ColorEachLine() const noexcept { return colorEachLine_; }
    void SetColorEachLine(bool value) { Change(colorEachLine_, value); }
    bool Dark3D() const noexcept { return dark3D_; }
    void SetDark3D(bool value) { Change(dark3D_, value); }
    bool Stairs() const noexcept { return stairs_; }
    void SetStairs(bool value) { Change(stairs_, value); }
    bool InvertedStairs() const noexcept { return invertedStairs_; }
    void SetInvertedStairs(bool value) { Change(invertedStairs_, value); }
    int LineHeight() const noexcept { return lineHeight_; }
    void SetLineHeight(int value) { Change(lineHeight_, value); }
    int Transparency() const noexcept { return transparency_; }
    void SetTransparency(int value) { Change(transparency_, value); }
    TColor AreaColor() const noexcept { return areaColor_; }
    void SetAreaColor(TColor value) { Change(areaColor_, value); }
    bool DrawLine() const noexcept { return drawLine_; }
    bool DrawArea() const noexcept { return drawArea_; }

    TMargins CalcMargins() const override;

protected:
    // The line from point to point, then the markers over it.
    // SeriesDraw.cpp.
    void DrawValues(TCanvas& canvas, const TDrawArea& area) override;
    void SetDrawLine(bool value) { Change(drawLine_, value); }
    void SetDrawArea(bool value) { Change(drawArea_, value); }

private:
    // DrawValues at pixels or at exact positions (`Place`, SeriesDraw.cpp).
    template <typename Place>
    void DrawPoints(TCanvas& canvas, const TDrawArea& area);

    std::unique_ptr<TSeriesPointer> pointer_;
    std::unique_ptr<TChartHiddenPen> outLine_;
    bool clickableLine_ = true;
    bool colorEachLine_ = true;
    bool dark3D_ = true;
    bool stairs_ = false;
    bool invertedStairs_ = false;
    int lineHeight_ = 0;
    int transparency_ = 0;
    TColor areaColor_ = clAutoColor;
    bool drawLine_ = false;
    bool drawArea_ = false;
};

// A curve: the connecting line on, the pointer hidden.
class TLineSeries : public TCustomSeries {
public:
    CVCALC_CLASS_INFO()
    explicit TLineSeries(TComponent* owner);
};

// Single markers: the pointer shown, no line, no area.
class TPointSeries : public TCustomSeries {
public:
    CVCALC_CLASS_INFO()
    explicit TPointSeries(TComponent* owner);
};

}  // namespace cvcalc
