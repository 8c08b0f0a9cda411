// Fonts as the forms name them (face, height, character set, style), turned
// into the faces installed here by face substitution.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/gui/GuiTypes.h"

namespace cvcalc {

// Character sets as the forms store them.
namespace charset {
inline constexpr int Ansi = 0;
inline constexpr int Default = 1;
inline constexpr int ShiftJis = 128;
}  // namespace charset

// Style bits in the order of the framework's TFontStyles.
namespace fontstyle {
inline constexpr unsigned Bold = 1u << 0;
inline constexpr unsigned Italic = 1u << 1;
inline constexpr unsigned Underline = 1u << 2;
inline constexpr unsigned StrikeOut = 1u << 3;
}  // namespace fontstyle

struct FontSpec {
    std::string face = "MS Sans Serif";  // UTF-8, as the form names it
    // Negative: the character height in pixels (the em size without internal
    // leading).  Positive: the cell height in pixels (ascent + descent).
    // Zero: a default of 13 pixel characters.
    int height = -11;
    int charset = charset::Default;
    unsigned style = 0;   // fontstyle:: bits
    int orientation = 0;  // tenths of a degree, counter-clockwise; 900 reads upwards
    RgbColor color = 0;   // text colour used by TSurface::SetFont and edit/button windows
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Text metrics in pixels, as the classic TEXTMETRIC gives them.
struct FontMetricsInfo {
    int height = 0;  // ascent + descent: the line cell
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;  // height minus the character height
    int averageCharWidth = 0;
    int maxCharWidth = 0;
};

// The family that stands in on this machine for a face the forms name:
// "ＭＳ Ｐゴシック", "ＭＳ ゴシック" and "MS UI Gothic" become "IPAPGothic";
// "Arial", "MS Sans Serif" and "Tahoma" become "Liberation Sans"; "Times New
// Roman" "Liberation Serif"; "Courier New" "Liberation Mono".  Latin names
// compare without regard to ASCII case.  An empty face becomes "IPAPGothic"
// with the Shift-JIS character set and "Liberation Sans" otherwise; any other
// face is kept as it is.
std::string SubstituteFontFace(std::string_view face, int charsetId = charset::Default);

// A realised font.  Cheap to copy (the Qt font inside is shared).
class TNativeFont {
public:
    TNativeFont();  // the default FontSpec
    explicit TNativeFont(const FontSpec& request);
    TNativeFont(const TNativeFont& other);
    TNativeFont& operator=(const TNativeFont& other);
    ~TNativeFont();

    const FontSpec& Request() const { return spec_; }
    // The family Qt actually matched, for checking the substitution.
    std::string ResolvedFamily() const;
    // The pixel size the font was realised at (the character height).
    int CharacterHeight() const;
    FontMetricsInfo Metrics() const;
    // Width: the advance of the text; height: the line cell (Metrics().height).
    // Unrotated, whatever the orientation.
    PixelSize TextExtent(std::string_view utf8) const;

    struct Impl;
    const Impl& Internal() const { return *impl_; }

private:
    FontSpec spec_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace cvcalc
