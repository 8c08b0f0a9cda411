// The zoom settings' published properties, their enumerations and the
// drawing of the zoom rectangle.
#include "chart/ChartZoom.h"

#include <algorithm>

#include "framework/Brush.h"
#include "framework/Canvas.h"
#include "framework/Color.h"
#include "framework/Pen.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/IdentMaps.h"

namespace cvcalc {

const TTypeInfo& TypeInfoTChartZoomDirection() {
    static const TTypeInfo info =
        TTypeInfo::Enumeration("TChartZoomDirection", {"tzdHorizontal", "tzdVertical", "tzdBoth"});
    return info;
}

const TTypeInfo& TypeInfoTMouseButton() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TMouseButton", {"mbLeft", "mbRight", "mbMiddle"});
    return info;
}

const TTypeInfo& TypeInfoTPanningMode() {
    static const TTypeInfo info =
        TTypeInfo::Enumeration("TPanningMode", {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"});
    return info;
}

const TTypeInfo& TypeInfoTShiftState() {
    static const TTypeInfo element = TTypeInfo::Enumeration(
        "TShiftStateKind", {"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble"});
    static const TTypeInfo set = TTypeInfo::Set("TShiftState", element);
    return set;
}

TChartZoomPen* TChartZoom::Pen() const {
    if (!pen_) pen_ = std::make_unique<TChartZoomPen>();
    return pen_.get();
}

TChartZoomBrush* TChartZoom::Brush() const {
    if (!brush_) brush_ = std::make_unique<TChartZoomBrush>();
    return brush_.get();
}

void TChartZoom::Draw(TCanvas& canvas, TColor background) const {
    const TColor inverse = static_cast<TColor>(0xFFFFFF - ColorToRgb(background));
    const TChartZoomPen& pen = *Pen();
    TPen& p = canvas.Pen();
    if (pen.Visible()) {
        p.SetColor(static_cast<TColor>(ColorToRgb(pen.Color()) ^ inverse));
        p.SetWidth(std::max(pen.Width(), 1));
        p.SetStyle(pen.Style());
    } else {
        p.SetStyle(psClear);
    }
    p.SetMode(pmNotXor);
    const TChartZoomBrush& brush = *Brush();
    canvas.Brush().SetColor(static_cast<TColor>(ColorToRgb(brush.Color()) ^ inverse));
    canvas.Brush().SetStyle(brush.Style());
    const TBkMode mode = canvas.BackgroundMode();
    canvas.SetBackgroundMode(bmTransparent);
    canvas.Rectangle(X0, Y0, X1, Y1);
    canvas.SetBackgroundMode(mode);
    p.SetMode(pmCopy);
}

const TClassInfo& TChartZoomPen::StaticClassInfo() {
    using P = TChartZoomPen;
    static const TClassInfo info = TClassBuilder<P>("TChartZoomPen", TChartPen::StaticClassInfo())
                                       .Ordinal("Color", TypeInfoTColor(), &P::Color, &P::SetColor, clWhite);
    return info;
}

const TClassInfo& TChartZoomBrush::StaticClassInfo() {
    using B = TChartZoomBrush;
    static const TClassInfo info = TClassBuilder<B>("TChartZoomBrush", TChartBrush::StaticClassInfo())
                                       .Ordinal("Color", TypeInfoTColor(), &B::Color, &B::SetColor, clWhite)
                                       .Ordinal("Style", TypeInfoTBrushStyle(), &B::Style, &B::SetStyle, bsClear);
    return info;
}

const TClassInfo& TChartZoom::StaticClassInfo() {
    using Z = TChartZoom;
    static const TClassInfo info =
        TClassBuilder<Z>("TChartZoom", TPersistent::StaticClassInfo())
            .Boolean("Allow", &Z::Allow, &Z::SetAllow, true)
            .Boolean("Animated", &Z::Animated, &Z::SetAnimated, false)
            .Integer("AnimatedSteps", &Z::AnimatedSteps, &Z::SetAnimatedSteps, 8)
            .Object("Brush", &Z::Brush, nullptr)
            .Ordinal("Direction", TypeInfoTChartZoomDirection(), &Z::Direction, &Z::SetDirection, tzdBoth)
            .Ordinal("KeyShift", TypeInfoTShiftState(), &Z::KeyShift, &Z::SetKeyShift, 0)
            .Integer("MinimumPixels", &Z::MinimumPixels, &Z::SetMinimumPixels, 16)
            .Ordinal("MouseButton", TypeInfoTMouseButton(), &Z::MouseButton, &Z::SetMouseButton, mbLeft)
            .Object("Pen", &Z::Pen, nullptr)
            .Boolean("UpLeftZooms", &Z::UpLeftZooms, &Z::SetUpLeftZooms, false);
    return info;
}

}  // namespace cvcalc
