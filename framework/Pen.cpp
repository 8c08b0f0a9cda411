// TPen and its published properties.
#include "framework/Pen.h"

#include "shell/core/ChangeField.h"
#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TTypeInfo& TypeInfoTPenStyle() {
    static const TTypeInfo info =
        TTypeInfo::Enumeration("TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                                             "psInsideFrame", "psUserStyle", "psAlternate"});
    return info;
}

const TTypeInfo& TypeInfoTPenMode() {
    static const TTypeInfo info =
        TTypeInfo::Enumeration("TPenMode", {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                                            "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge",
                                            "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"});
    return info;
}

const TClassInfo& TPen::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TPen>("TPen", TGraphicsObject::StaticClassInfo())
                                       .Ordinal("Color", TypeInfoTColor(), &TPen::Color, &TPen::SetColor, clBlack)
                                       .Ordinal("Mode", TypeInfoTPenMode(), &TPen::Mode, &TPen::SetMode, pmCopy)
                                       .Ordinal("Style", TypeInfoTPenStyle(), &TPen::Style, &TPen::SetStyle, psSolid)
                                       .Integer("Width", &TPen::Width, &TPen::SetWidth, 1);
    return info;
}

void TPen::Assign(const TPen& other) {
    color_ = other.color_;
    width_ = other.width_;
    style_ = other.style_;
    mode_ = other.mode_;
    end_ = other.end_;
    Changed();
}

void TPen::SetColor(TColor color) {
    ChangeField(color_, color, [this] { Changed(); });
}

void TPen::SetWidth(int width) {
    if (width < 1) width = 1;
    ChangeField(width_, width, [this] { Changed(); });
}

void TPen::SetStyle(TPenStyle style) {
    ChangeField(style_, style, [this] { Changed(); });
}

void TPen::SetMode(TPenMode mode) {
    ChangeField(mode_, mode, [this] { Changed(); });
}

void TPen::SetEnd(TPenEnd end) {
    ChangeField(end_, end, [this] { Changed(); });
}

NativePen TPen::Native() const {
    NativePen pen;
    pen.color = ColorToRgb(color_);
    pen.width = width_;
    pen.geometric = width_ >= 2;
    switch (style_) {
    case psDash:
        pen.style = NativePenStyle::Dash;
        break;
    case psDot:
        pen.style = NativePenStyle::Dot;
        break;
    case psDashDot:
        pen.style = NativePenStyle::DashDot;
        break;
    case psDashDotDot:
        pen.style = NativePenStyle::DashDotDot;
        break;
    case psClear:
        pen.style = NativePenStyle::Clear;
        break;
    case psInsideFrame:
        pen.style = NativePenStyle::InsideFrame;
        break;
    case psAlternate:
        pen.style = NativePenStyle::Alternate;
        pen.geometric = false;
        pen.width = 1;
        break;
    default:
        pen.style = NativePenStyle::Solid;
        break;
    }
    pen.end = end_ == peSquare ? NativePenEnd::Square : end_ == peFlat ? NativePenEnd::Flat : NativePenEnd::Round;
    pen.mode = mode_ == pmNotXor ? NativePenMode::NotXor : mode_ == pmXor ? NativePenMode::Xor : NativePenMode::Copy;
    return pen;
}

}  // namespace cvcalc
