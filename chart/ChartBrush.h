// TChartBrush, the fill of walls and markers, and TChartFont, the text face
// of axis labels, titles, legend and marks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "chart/ChartGraphicsTypes.h"
#include "framework/Font.h"
#include "shell/core/Persistent.h"
#include "shell/core/TypeInfo.h"

namespace cvcalc {

class TChartBrush : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const noexcept { return style_; }
    void SetStyle(TBrushStyle value);
    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

private:
    TColor color_ = clAutoColor;
    TBrushStyle style_ = bsSolid;
    std::function<void()> onChange_;
};

class TChartFont : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    const std::string& Name() const noexcept { return name_; }
    void SetName(const std::string& value);
    // Negative: the character height in pixels; positive: the cell height.
    int Height() const noexcept { return height_; }
    void SetHeight(int value);
    // Points at 96 pixels per inch; setting it sets the height.
    int Size() const noexcept;
    void SetSize(int value);
    int Charset() const noexcept { return charset_; }
    void SetCharset(int value);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    TFontStyles Style() const noexcept { return style_; }
    void SetStyle(TFontStyles value);
    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // The character height in pixels that text measuring works with.
    int PixelHeight() const noexcept;

private:
    void Changed();

    std::string name_ = "Arial";
    int height_ = -11;  // 8 points at 96 pixels per inch
    int charset_ = 1;
    TColor color_ = clBlack;
    TFontStyles style_;
    std::function<void()> onChange_;
};

}  // namespace cvcalc
