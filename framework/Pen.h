// TPen: colour, width, style and raster mode of lines and outlines.  Widths
// of 2 and more draw as geometric pens with the chosen ends, so that wide
// dashed lines keep their dashes.
#pragma once

#include "framework/Color.h"
#include "framework/GraphicsObject.h"

namespace cvcalc {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
// Ends and joins of geometric pens: round ends with round joins, square ends
// with bevel joins, flat ends with mitre joins.
enum TPenEnd { peRound, peSquare, peFlat };

const TTypeInfo& TypeInfoTPenStyle();
const TTypeInfo& TypeInfoTPenMode();

class TPen : public TGraphicsObject {
public:
    CVCALC_CLASS_INFO()

    void Assign(const TPen& other);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    // Widths below 1 count as 1.
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);
    TPenEnd End() const { return end_; }
    void SetEnd(TPenEnd end);

    // The platform pen; modes other than copy, xor and not-xor draw as copy.
    NativePen Native() const;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
    TPenEnd end_ = peRound;
};

}  // namespace cvcalc
