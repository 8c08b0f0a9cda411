// The chart's mouse settings: TChartZoom (which drag zooms, how far it must
// go, the pen and brush of its rectangle) and the enumerations of zoom
// direction, mouse button, panning mode and shift keys; the rectangle's
// drawing.
#pragma once

#include <memory>

#include "chart/ChartBrush.h"
#include "chart/ChartPen.h"
#include "shell/core/Persistent.h"
#include "shell/core/TypeInfo.h"

namespace cvcalc {

class TCanvas;

enum TChartZoomDirection { tzdHorizontal, tzdVertical, tzdBoth };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };
// In the order of the platform's shift-state bits.
enum TShiftStateKind { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TEnumSet<TShiftStateKind>;

const TTypeInfo& TypeInfoTChartZoomDirection();
const TTypeInfo& TypeInfoTMouseButton();
const TTypeInfo& TypeInfoTPanningMode();
const TTypeInfo& TypeInfoTShiftState();

// The zoom rectangle's outline: white, one pixel, solid.
class TChartZoomPen : public TChartPen {
public:
    CVCALC_CLASS_INFO()
    TChartZoomPen() { color_ = clWhite; }
};

// The zoom rectangle's fill: white and clear.
class TChartZoomBrush : public TChartBrush {
public:
    CVCALC_CLASS_INFO()
    TChartZoomBrush() {
        SetColor(clWhite);
        SetStyle(bsClear);
    }
};

class TChartZoom : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    bool Allow() const noexcept { return allow_; }
    void SetAllow(bool value) noexcept { allow_ = value; }
    TChartZoomDirection Direction() const noexcept { return direction_; }
    void SetDirection(TChartZoomDirection value) noexcept { direction_ = value; }
    TMouseButton MouseButton() const noexcept { return mouseButton_; }
    void SetMouseButton(TMouseButton value) noexcept { mouseButton_ = value; }
    TShiftState KeyShift() const noexcept { return keyShift_; }
    void SetKeyShift(TShiftState value) noexcept { keyShift_ = value; }
    int MinimumPixels() const noexcept { return minimumPixels_; }
    void SetMinimumPixels(int value) noexcept { minimumPixels_ = value < 0 ? 0 : value; }
    bool UpLeftZooms() const noexcept { return upLeftZooms_; }
    void SetUpLeftZooms(bool value) noexcept { upLeftZooms_ = value; }
    bool Animated() const noexcept { return animated_; }
    void SetAnimated(bool value) noexcept { animated_ = value; }
    int AnimatedSteps() const noexcept { return animatedSteps_; }
    // At least one step (the final scale); at most 100, so that an
    // animated zoom stays short.
    void SetAnimatedSteps(int value) noexcept { animatedSteps_ = value < 1 ? 1 : (value > 100 ? 100 : value); }
    // Created on first use.
    TChartZoomPen* Pen() const;
    TChartZoomBrush* Brush() const;

    // The drag in progress: start corner (X0, Y0) and moving corner (X1, Y1)
    // in client pixels.
    bool Active() const noexcept { return active_; }
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;

    // Draws the drag's rectangle in not-xor mode, its pen and brush colours
    // turned against `background`: drawn twice, the pixels are as before.
    void Draw(TCanvas& canvas, TColor background) const;

private:
    friend class TCustomChart;
    bool allow_ = true;
    TChartZoomDirection direction_ = tzdBoth;
    TMouseButton mouseButton_ = mbLeft;
    TShiftState keyShift_;
    int minimumPixels_ = 16;
    bool upLeftZooms_ = false;
    bool animated_ = false;
    int animatedSteps_ = 8;
    mutable std::unique_ptr<TChartZoomPen> pen_;
    mutable std::unique_ptr<TChartZoomBrush> brush_;
    bool active_ = false;
};

}  // namespace cvcalc
