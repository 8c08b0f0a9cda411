// TCustomChartElement: a component that belongs to a chart, with the pen and
// brush it draws with; every change of it invalidates that chart.
#pragma once

#include <memory>

#include "chart/ChartBrush.h"
#include "chart/ChartPen.h"
#include "shell/core/ChangeField.h"
#include "shell/core/Component.h"

namespace cvcalc {

class TCustomAxisPanel;

// What a chart's elements mark when they change: whether its drawing is
// stale and whether a repaint of the window has been asked for.  The chart
// owns it; the series reach it directly, since every appended point of a
// run marks it and only the first finds the drawing fresh.
struct TChartDrawingState {
    bool autoRepaint = true;
    bool dirty = true;
    bool requestPending = false;
    int invalidateCount = 0;

    // Counts one more mark where nothing more is needed (the chart does not
    // repaint by itself, or its repaint is already asked for) and answers
    // whether that was so.
    bool MarkWithoutRequest() noexcept {
        if (!autoRepaint) return true;
        if (!(dirty && requestPending)) return false;
        ++invalidateCount;
        return true;
    }
};

class TCustomChartElement : public TComponent {
public:
    CVCALC_CLASS_INFO()

    explicit TCustomChartElement(TComponent* owner);
    ~TCustomChartElement() override;

    bool Active() const noexcept { return active_; }
    void SetActive(bool value) { Change(active_, value); }
    TChartPen* Pen() const noexcept { return pen_.get(); }
    TChartBrush* Brush() const noexcept { return brush_.get(); }
    TCustomAxisPanel* ParentChart() const noexcept { return parentChart_; }
    virtual void SetParentChart(TCustomAxisPanel* chart) { parentChart_ = chart; }

    // Invalidates the owning chart, if there is one.
    void Repaint() const;

protected:
    template <typename T>
    void Change(T& field, T value) {
        ChangeField(field, std::move(value), [this] { Repaint(); });
    }

    TCustomAxisPanel* parentChart_ = nullptr;

private:
    bool active_ = true;
    std::unique_ptr<TChartPen> pen_;
    std::unique_ptr<TChartBrush> brush_;
};

}  // namespace cvcalc
