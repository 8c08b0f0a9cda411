// The chart pens' setters and their published properties.
#include "chart/ChartPen.h"

namespace cvcalc {

void TChartPen::SetColor(TColor value) { Change(color_, value); }
// A pen narrower than one pixel would vanish; widths below 1 count as 1.
void TChartPen::SetWidth(int value) { Change(width_, value < 1 ? 1 : value); }
void TChartPen::SetStyle(TPenStyle value) { Change(style_, value); }
void TChartPen::SetVisible(bool value) { Change(visible_, value); }
void TChartPen::SetSmallDots(bool value) { Change(smallDots_, value); }
void TChartPen::SetSmallSpace(int value) { Change(smallSpace_, value < 0 ? 0 : value); }
void TChartPen::SetEndStyle(TPenEndStyle value) { Change(endStyle_, value); }

const TTypeInfo& TypeInfoTPenEndStyle() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TPenEndStyle", {"esRound", "esSquare", "esFlat"});
    return info;
}

// Each preset pen publishes its own defaults, so that the form stores only
// what differs from them.
template <typename P>
static TClassInfo PenClass(const char* name, const TClassInfo& parent, TColor color, int width, TPenStyle style,
                           bool visible) {
    return TClassBuilder<P>(name, parent)
        .Ordinal("Color", TypeInfoTColor(), &P::Color, &P::SetColor, color)
        .Integer("Width", &P::Width, &P::SetWidth, width)
        .Ordinal("Style", TypeInfoTPenStyle(), &P::Style, &P::SetStyle, style)
        .Boolean("Visible", &P::Visible, &P::SetVisible, visible)
        .Boolean("SmallDots", &P::SmallDots, &P::SetSmallDots, false)
        .Integer("SmallSpace", &P::SmallSpace, &P::SetSmallSpace, 0)
        .Ordinal("EndStyle", TypeInfoTPenEndStyle(), &P::EndStyle, &P::SetEndStyle, esRound);
}

const TClassInfo& TChartPen::StaticClassInfo() {
    static const TClassInfo info =
        PenClass<TChartPen>("TChartPen", TPersistent::StaticClassInfo(), clBlack, 1, psSolid, true);
    return info;
}
const TClassInfo& TChartHiddenPen::StaticClassInfo() {
    static const TClassInfo info =
        PenClass<TChartHiddenPen>("TChartHiddenPen", TChartPen::StaticClassInfo(), clBlack, 1, psSolid, false);
    return info;
}
const TClassInfo& TDottedGrayPen::StaticClassInfo() {
    static const TClassInfo info =
        PenClass<TDottedGrayPen>("TDottedGrayPen", TChartPen::StaticClassInfo(), clGray, 1, psDot, true);
    return info;
}
const TClassInfo& TDarkGrayPen::StaticClassInfo() {
    static const TClassInfo info =
        PenClass<TDarkGrayPen>("TDarkGrayPen", TChartPen::StaticClassInfo(), clGray, 1, psSolid, true);
    return info;
}
const TClassInfo& TChartAxisPen::StaticClassInfo() {
    static const TClassInfo info =
        PenClass<TChartAxisPen>("TChartAxisPen", TChartPen::StaticClassInfo(), clBlack, 2, psSolid, true);
    return info;
}
const TClassInfo& TAxisGridPen::StaticClassInfo() {
    static const TClassInfo info =
        PenClass<TAxisGridPen>("TAxisGridPen", TDottedGrayPen::StaticClassInfo(), clGray, 1, psDot, true);
    return info;
}

}  // namespace cvcalc
