// TFont: face name, height, character set, colour and style of text, as
// forms store them.  The default is the classic dialog font, "MS Sans Serif"
// at 11-pixel characters in the default character set, coloured clWindowText.
#pragma once

#include <optional>
#include <string>

#include "framework/Color.h"
#include "framework/GraphicsObject.h"

namespace cvcalc {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TEnumSet<TFontStyle>;
const TTypeInfo& TypeInfoTFontStyles();

class TFont : public TGraphicsObject {
public:
    CVCALC_CLASS_INFO()

    static constexpr int DefaultHeight = -11;
    static constexpr int DesignPixelsPerInch = 96;

    TFont() = default;
    // Copies every attribute and notifies once.
    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Negative: the character height in pixels; positive: the cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points at 96 pixels per inch, from and to the height.
    int Size() const;
    void SetSize(int points);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    int Orientation() const { return orientation_; }
    void SetOrientation(int tenthsOfDegree);

    // The realised font, made again only after a change.
    const TNativeFont& NativeFont() const;
    FontSpec Request() const;

private:
    void Change();

    std::string name_ = "MS Sans Serif";
    int height_ = DefaultHeight;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TColor color_ = clWindowText;
    TFontStyles style_;
    int orientation_ = 0;
    mutable std::optional<TNativeFont> native_;
};

}  // namespace cvcalc
