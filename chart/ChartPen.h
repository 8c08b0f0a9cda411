// TChartPen, the pen of every line a chart draws, and its preset kinds:
// hidden, dotted grey (grids), dark grey (ticks) and the wide axis pen.
#pragma once

#include <functional>

#include "chart/ChartGraphicsTypes.h"
#include "shell/core/ChangeField.h"
#include "shell/core/Persistent.h"

namespace cvcalc {

class TChartPen : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    TChartPen() = default;

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    int Width() const noexcept { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const noexcept { return style_; }
    void SetStyle(TPenStyle value);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    bool SmallDots() const noexcept { return smallDots_; }
    void SetSmallDots(bool value);
    int SmallSpace() const noexcept { return smallSpace_; }
    void SetSmallSpace(int value);
    TPenEndStyle EndStyle() const noexcept { return endStyle_; }
    void SetEndStyle(TPenEndStyle value);

    // Told after every real change; the owning element invalidates its chart.
    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

protected:
    template <typename T>
    void Change(T& field, T value) {
        ChangeField(field, std::move(value), [this] {
            if (onChange_) onChange_();
        });
    }

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    bool visible_ = true;
    bool smallDots_ = false;
    int smallSpace_ = 0;
    TPenEndStyle endStyle_ = esRound;

private:
    std::function<void()> onChange_;
};

class TChartHiddenPen : public TChartPen {
public:
    CVCALC_CLASS_INFO()
    TChartHiddenPen() { visible_ = false; }
};

class TDottedGrayPen : public TChartPen {
public:
    CVCALC_CLASS_INFO()
    TDottedGrayPen() {
        color_ = clGray;
        style_ = psDot;
    }
};

class TDarkGrayPen : public TChartPen {
public:
    CVCALC_CLASS_INFO()
    TDarkGrayPen() { color_ = clGray; }
};

class TChartAxisPen : public TChartPen {
public:
    CVCALC_CLASS_INFO()
    TChartAxisPen() { width_ = 2; }
};

class TAxisGridPen : public TDottedGrayPen {
public:
    CVCALC_CLASS_INFO()
};

const TTypeInfo& TypeInfoTPenEndStyle();

}  // namespace cvcalc
