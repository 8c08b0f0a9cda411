// TCustomChartSeries and TChartSeries: a series' points in parallel value
// lists ordered by X, its colour, its axes and its update batches.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartElement.h"
#include "chart/ChartValueList.h"
#include "chart/SeriesMarks.h"

namespace cvcalc {

class TCanvas;
class TChartAxis;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

class TCustomChartSeries : public TCustomChartElement {
public:
    CVCALC_CLASS_INFO()
    explicit TCustomChartSeries(TComponent* owner) : TCustomChartElement(owner) {}

    bool ShowInLegend() const noexcept { return showInLegend_; }
    void SetShowInLegend(bool value) { Change(showInLegend_, value); }
    const std::string& Title() const noexcept { return title_; }
    void SetTitle(const std::string& value) { Change(title_, value); }

private:
    bool showInLegend_ = true;
    std::string title_;
};

class TChartSeries : public TCustomChartSeries {
public:
    CVCALC_CLASS_INFO()

    explicit TChartSeries(TComponent* owner);
    ~TChartSeries() override;

    // Leaves the previous chart, joins `chart` (once) and takes the automatic
    // colour there.
    void SetParentChart(TCustomAxisPanel* chart) override;
    // A series record nested in a chart's record joins that chart before its
    // stored properties are read.
    void AttachToParent(TComponent* parent) override;

    TChartValueList* XValues() const noexcept { return valuesList_[0].get(); }
    TChartValueList* YValues() const noexcept { return valuesList_[1].get(); }
    int ValuesListCount() const noexcept { return static_cast<int>(valuesList_.size()); }
    TChartValueList* ValuesList(int index) const { return valuesList_.at(static_cast<std::size_t>(index)).get(); }

    // The stored colour, or the automatic one while the stored is clAutoColor.
    TColor SeriesColor() const noexcept { return seriesColor_ == clAutoColor ? internalColor_ : seriesColor_; }
    TColor StoredSeriesColor() const noexcept { return seriesColor_; }
    void SetSeriesColor(TColor value);
    bool ColorEachPoint() const noexcept { return colorEachPoint_; }
    void SetColorEachPoint(bool value) { Change(colorEachPoint_, value); }
    THorizAxis HorizAxis() const noexcept { return horizAxis_; }
    void SetHorizAxis(THorizAxis value) { Change(horizAxis_, value); }
    TVertAxis VertAxis() const noexcept { return vertAxis_; }
    void SetVertAxis(TVertAxis value) { Change(vertAxis_, value); }
    TSeriesMarks* Marks() const noexcept { return marks_.get(); }
    const std::string& ValueFormat() const noexcept { return valueFormat_; }
    void SetValueFormat(const std::string& value) { Change(valueFormat_, value); }
    const std::string& PercentFormat() const noexcept { return percentFormat_; }
    void SetPercentFormat(const std::string& value) { Change(percentFormat_, value); }
    int Depth() const noexcept { return depth_; }
    void SetDepth(int value) { Change(depth_, value); }
    int Cursor() const noexcept { return cursor_; }
    void SetCursor(int value) { Change(cursor_, value); }

    // Room in every value list for `points` in all, before adding many.
    void ReservePoints(int points) {
        for (const auto& list : valuesList_) list->ReserveStorage(points);
    }

    // Adds one point in X order and returns its index, or -1 when
    // OnBeforeAdd refused it.  Inline for the common case of a run: a plain
    // point in order, with room for it.
    int AddPoint(double x, double y, std::string_view label = {}, TColor color = clAutoColor) {
        TChartValueList& xs = *valuesList_[0];
        TChartValueList& ys = *valuesList_[1];
        if (plainPoints_ && label.empty() && color == clAutoColor && ys.HasRoom() && xs.CanAppendInPlace(x) &&
            !OnBeforeAdd) {
            xs.SetPendingValue(x);
            ys.SetPendingValue(y);
            xs.AppendInPlace(x);
            ys.AppendInPlace(y);
            const int appended = xs.Count() - 1;
            if (updateCount_ == 0 && !(drawing_ && Active() && !OnAfterAdd && drawing_->MarkWithoutRequest()))
                Appended(appended);
            return appended;
        }
        return InsertPoint(x, y, label, color);
    }
    void ClearPoints();
    int PointCount() const noexcept { return XValues()->Count(); }
    TColor PointColor(int index) const;
    bool HasColorList() const noexcept { return hasColors_; }
    int LabelCount() const noexcept { return static_cast<int>(labels_.size()); }

    double MinXValue() const { return XValues()->MinValue(); }
    double MaxXValue() const { return XValues()->MaxValue(); }
    double MinYValue() const { return YValues()->MinValue(); }
    double MaxYValue() const { return YValues()->MaxValue(); }

    // Update batches: adding inside one notifies nobody; ending the
    // outermost batch refreshes the series.
    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const noexcept { return updateCount_; }

    int FirstValueIndex() const noexcept { return firstValueIndex_; }
    int LastValueIndex() const noexcept { return lastValueIndex_; }
    void SetVisibleRange(int first, int last) noexcept {
        firstValueIndex_ = first;
        lastValueIndex_ = last;
    }

    std::function<bool(TChartSeries&)> OnBeforeAdd;
    std::function<void(TChartSeries&, int)> OnAfterAdd;
    std::function<void(TChartSeries&)> OnClearValues;

    using TMargins = TSeriesMargins;
    virtual TMargins CalcMargins() const { return {}; }

    // Draws the series against its two axes as the last layout placed them:
    // finds the visible points (SetVisibleRange), then DrawValues draws
    // them.  SeriesDraw.cpp.
    void Draw(TCanvas& canvas, const TChartAxis& horizAxis, const TChartAxis& vertAxis, const TChartRect& plot);

    // The pixels of the visible points, FirstValueIndex..LastValueIndex, as
    // the last Draw on a bitmap or a window placed them, for what the chart
    // lays over its series; empty when that Draw kept none (on a vector
    // document, or in a series of no drawn kind).
    struct TDrawnPixels {
        std::vector<int> x, y;
    };
    const TDrawnPixels& DrawnPixels() const noexcept { return drawnPixels_; }

protected:
    // What DrawValues draws with: the axes, the plotting area, the X values
    // at its left and right edges, and the visible points first..last.
    struct TDrawArea {
        const TChartAxis& horizAxis;
        const TChartAxis& vertAxis;
        TChartRect plot;
        double xmin, xmax;
        int first, last;
    };
    // A series of no drawn kind draws nothing.
    virtual void DrawValues(TCanvas&, const TDrawArea&) {}
    TDrawnPixels& KeptPixels() noexcept { return drawnPixels_; }

    void DestroyingParentChart() noexcept {
        parentChart_ = nullptr;
        drawing_ = nullptr;
    }
    void SetAutomaticColor(TColor color) noexcept { internalColor_ = color; }
    friend class TCustomAxisPanel;

private:
    int InsertPoint(double x, double y, std::string_view label, TColor color);
    // Outside a batch: OnAfterAdd, then one more mark on the chart.
    void Appended(int index);

    std::vector<std::unique_ptr<TChartValueList>> valuesList_;
    TChartDrawingState* drawing_ = nullptr;  // the parent chart's
    std::vector<std::string> labels_;
    std::vector<TColor> colors_;
    bool hasColors_ = false;
    // No colours, no labels and only the X and Y lists: a point in order
    // may simply be appended.
    bool plainPoints_ = true;
    TColor seriesColor_ = clAutoColor;
    TColor internalColor_ = clAutoColor;
    bool colorEachPoint_ = false;
    THorizAxis horizAxis_ = aBottomAxis;
    TVertAxis vertAxis_ = aLeftAxis;
    std::unique_ptr<TSeriesMarks> marks_;
    std::string valueFormat_ = "#,##0.###";
    std::string percentFormat_ = "##0.## %";
    int depth_ = -1;
    int cursor_ = 0;
    int updateCount_ = 0;
    int firstValueIndex_ = -1;
    int lastValueIndex_ = -1;
    TDrawnPixels drawnPixels_;
};

const TTypeInfo& TypeInfoTHorizAxis();
const TTypeInfo& TypeInfoTVertAxis();

}  // namespace cvcalc
