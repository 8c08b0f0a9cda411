// The chart brush and chart font: setters and published properties.
#include "chart/ChartBrush.h"

#include <cstdlib>

#include "chart/ChartPen.h"
#include "shell/core/IdentMaps.h"

namespace cvcalc {

void TChartBrush::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    if (onChange_) onChange_();
}

void TChartBrush::SetStyle(TBrushStyle value) {
    if (style_ == value) return;
    style_ = value;
    if (onChange_) onChange_();
}

const TClassInfo& TChartBrush::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TChartBrush>("TChartBrush", TPersistent::StaticClassInfo())
            .Ordinal("Color", TypeInfoTColor(), &TChartBrush::Color, &TChartBrush::SetColor, clAutoColor)
            .Ordinal("Style", TypeInfoTBrushStyle(), &TChartBrush::Style, &TChartBrush::SetStyle, bsSolid);
    return info;
}

void TChartFont::Changed() {
    if (onChange_) onChange_();
}

void TChartFont::SetName(const std::string& value) {
    if (name_ == value) return;
    name_ = value;
    Changed();
}

void TChartFont::SetHeight(int value) {
    // Heights beyond a screen's size are no font; keep them drawable.
    if (value > 1000) value = 1000;
    if (value < -1000) value = -1000;
    if (height_ == value) return;
    height_ = value;
    Changed();
}

int TChartFont::Size() const noexcept { return (-height_ * 72 + (height_ < 0 ? 48 : -48)) / 96; }

void TChartFont::SetSize(int value) {
    if (value > 750) value = 750;
    if (value < -750) value = -750;
    SetHeight(-(value * 96 + (value < 0 ? -36 : 36)) / 72);
}

void TChartFont::SetCharset(int value) {
    if (charset_ == value) return;
    charset_ = value;
    Changed();
}

void TChartFont::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    Changed();
}

void TChartFont::SetStyle(TFontStyles value) {
    if (style_ == value) return;
    style_ = value;
    Changed();
}

int TChartFont::PixelHeight() const noexcept { return height_ < 0 ? -height_ : height_; }

const TClassInfo& TChartFont::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TChartFont>("TChartFont", TPersistent::StaticClassInfo())
            .Ordinal("Charset", TypeInfoTFontCharset(), &TChartFont::Charset, &TChartFont::SetCharset)
            .Ordinal("Color", TypeInfoTColor(), &TChartFont::Color, &TChartFont::SetColor, clBlack)
            .Integer("Height", &TChartFont::Height, &TChartFont::SetHeight)
            .String("Name", &TChartFont::Name, &TChartFont::SetName)
            .Integer("Size", &TChartFont::Size, &TChartFont::SetSize)
            .Ordinal("Style", TypeInfoTFontStyles(), &TChartFont::Style, &TChartFont::SetStyle, 0);
    return info;
}

}  // namespace cvcalc
