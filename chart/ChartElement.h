// TCustomChartElement: a component that belongs to a chart, with the pen and
// brush it draws with; every change of it invalidates that chart.
#pragma once

#include <memory>

#include "chart/ChartBrush.h"
#include "chart/ChartPen.h"
#include "shell/core/Component.h"

namespace cvcalc {

class TCustomAxisPanel;

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
        if (field == value) return;
        field = value;
        Repaint();
    }

    TCustomAxisPanel* parentChart_ = nullptr;

private:
    bool active_ = true;
    std::unique_ptr<TChartPen> pen_;
    std::unique_ptr<TChartBrush> brush_;
};

}  // namespace cvcalc
