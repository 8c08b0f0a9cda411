// TBrush: colour and style of fills.
#pragma once

#include "framework/Color.h"
#include "framework/GraphicsObject.h"

namespace cvcalc {

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
const TTypeInfo& TypeInfoTBrushStyle();

class TBrush : public TGraphicsObject {
public:
    CVCALC_CLASS_INFO()

    void Assign(const TBrush& other);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);

    NativeBrush Native() const;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

}  // namespace cvcalc
