// TFont and its published properties.
#include "framework/Font.h"

#include "shell/core/ChangeField.h"
#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TClassInfo& TGraphicsObject::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TGraphicsObject>("TGraphicsObject", TPersistent::StaticClassInfo());
    return info;
}

const TTypeInfo& TypeInfoTFontStyles() {
    static const TTypeInfo element =
        TTypeInfo::Enumeration("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    static const TTypeInfo set = TTypeInfo::Set("TFontStyles", element);
    return set;
}

const TClassInfo& TFont::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TFont>("TFont", TGraphicsObject::StaticClassInfo())
            .Ordinal("Charset", TypeInfoTFontCharset(), &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET)
            .Ordinal("Color", TypeInfoTColor(), &TFont::Color, &TFont::SetColor, clWindowText)
            .Integer("Height", &TFont::Height, &TFont::SetHeight)
            .String("Name", &TFont::Name, &TFont::SetName)
            .Integer("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0)
            .Integer("Size", &TFont::Size, &TFont::SetSize)
            .Ordinal("Style", TypeInfoTFontStyles(), &TFont::Style, &TFont::SetStyle, 0);
    return info;
}

void TFont::Assign(const TFont& other) {
    if (SameAs(other)) return;
    name_ = other.name_;
    height_ = other.height_;
    charset_ = other.charset_;
    color_ = other.color_;
    style_ = other.style_;
    orientation_ = other.orientation_;
    Change();
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && charset_ == other.charset_ && color_ == other.color_ &&
           style_ == other.style_ && orientation_ == other.orientation_;
}

void TFont::SetName(const std::string& name) {
    ChangeField(name_, name, [this] { Change(); });
}

void TFont::SetHeight(int height) {
    ChangeField(height_, height, [this] { Change(); });
}

int TFont::Size() const {
    // Size and height are two views of one value: points = -height * 72 / 96,
    // rounded as the classic MulDiv rounds.
    const long long num = -static_cast<long long>(height_) * 72;
    const long long half = DesignPixelsPerInch / 2;
    return static_cast<int>(num >= 0 ? (num + half) / DesignPixelsPerInch : -((-num + half) / DesignPixelsPerInch));
}

void TFont::SetSize(int points) {
    const long long num = static_cast<long long>(points) * DesignPixelsPerInch;
    const long long half = 36;
    const long long pixels = num >= 0 ? (num + half) / 72 : -((-num + half) / 72);
    SetHeight(static_cast<int>(-pixels));
}

void TFont::SetCharset(TFontCharset charset) {
    ChangeField(charset_, charset, [this] { Change(); });
}

void TFont::SetColor(TColor color) {
    ChangeField(color_, color, [this] { Change(); });
}

void TFont::SetStyle(TFontStyles style) {
    ChangeField(style_, style, [this] { Change(); });
}

void TFont::SetOrientation(int tenthsOfDegree) {
    ChangeField(orientation_, tenthsOfDegree, [this] { Change(); });
}

FontSpec TFont::Request() const {
    FontSpec request;
    request.face = name_;
    request.height = height_;
    request.charset = charset_;
    request.style = style_.Bits();
    request.orientation = orientation_;
    request.color = ColorToRgb(color_);
    return request;
}

const TNativeFont& TFont::NativeFont() const {
    if (!native_) native_.emplace(Request());
    return *native_;
}

void TFont::Change() {
    native_.reset();
    Changed();
}

}  // namespace cvcalc
