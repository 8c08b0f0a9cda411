// TBrush and its published properties.
#include "framework/Brush.h"

#include <iterator>

#include "shell/core/ChangeField.h"
#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TTypeInfo& TypeInfoTBrushStyle() {
    static const TTypeInfo info = TTypeInfo::Enumeration(
        "TBrushStyle",
        {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"});
    return info;
}

const TClassInfo& TBrush::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TBrush>("TBrush", TGraphicsObject::StaticClassInfo())
            .Ordinal("Color", TypeInfoTColor(), &TBrush::Color, &TBrush::SetColor, clWhite)
            .Ordinal("Style", TypeInfoTBrushStyle(), &TBrush::Style, &TBrush::SetStyle, bsSolid);
    return info;
}

void TBrush::Assign(const TBrush& other) {
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

void TBrush::SetColor(TColor color) {
    ChangeField(color_, color, [this] { Changed(); });
}

void TBrush::SetStyle(TBrushStyle style) {
    ChangeField(style_, style, [this] { Changed(); });
}

NativeBrush TBrush::Native() const {
    static constexpr NativeBrushStyle Styles[] = {NativeBrushStyle::Solid,      NativeBrushStyle::Clear,
                                                  NativeBrushStyle::Horizontal, NativeBrushStyle::Vertical,
                                                  NativeBrushStyle::FDiagonal,  NativeBrushStyle::BDiagonal,
                                                  NativeBrushStyle::Cross,      NativeBrushStyle::DiagCross};
    const auto index = static_cast<unsigned>(style_);
    return NativeBrush{ColorToRgb(color_), index < std::size(Styles) ? Styles[index] : NativeBrushStyle::Solid};
}

}  // namespace cvcalc
