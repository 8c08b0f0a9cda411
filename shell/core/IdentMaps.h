// Integer identifier maps: symbolic names of integer-based property types
// (colour names for TColor, character sets for TFontCharset, cursors for
// TCursor), registered per type in a process-wide registry that the reader
// consults for integer properties given as identifiers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cvcalc {

class TTypeInfo;

struct TIdentMapEntry {
    std::int32_t value;
    const char* name;
};

// Searches a (value, name) table, names ignoring ASCII case.
std::optional<std::int32_t> IdentToInt(std::string_view ident, std::span<const TIdentMapEntry> map);
std::optional<std::string> IntToIdent(std::int32_t value, std::span<const TIdentMapEntry> map);

using TIdentToInt = std::optional<std::int32_t> (*)(std::string_view ident);
using TIntToIdent = std::optional<std::string> (*)(std::int32_t value);

// One registry entry (a TIntConst): the maps of one integer type, the type
// being identified by the address of its information.  TColor, TFontCharset
// and TCursor are registered from the start.
void RegisterIntegerConsts(const TTypeInfo& type, TIdentToInt identToInt, TIntToIdent intToIdent);
TIdentToInt FindIdentToInt(const TTypeInfo& type);
TIntToIdent FindIntToIdent(const TTypeInfo& type);

// --- Colours: 0x00BBGGRR, or a system colour 0xFF0000nn --------------------
using TColor = std::int32_t;
const TTypeInfo& TypeInfoTColor();

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// The TColor that names system colour `index` (0xFF0000nn).
constexpr TColor SystemColorValue(int index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index)); }
inline constexpr TColor clScrollBar = SystemColorValue(0);
inline constexpr TColor clBackground = SystemColorValue(1);
inline constexpr TColor clActiveCaption = SystemColorValue(2);
inline constexpr TColor clInactiveCaption = SystemColorValue(3);
inline constexpr TColor clMenu = SystemColorValue(4);
inline constexpr TColor clWindow = SystemColorValue(5);
inline constexpr TColor clWindowFrame = SystemColorValue(6);
inline constexpr TColor clMenuText = SystemColorValue(7);
inline constexpr TColor clWindowText = SystemColorValue(8);
inline constexpr TColor clCaptionText = SystemColorValue(9);
inline constexpr TColor clActiveBorder = SystemColorValue(10);
inline constexpr TColor clInactiveBorder = SystemColorValue(11);
inline constexpr TColor clAppWorkSpace = SystemColorValue(12);
inline constexpr TColor clHighlight = SystemColorValue(13);
inline constexpr TColor clHighlightText = SystemColorValue(14);
inline constexpr TColor clBtnFace = SystemColorValue(15);
inline constexpr TColor clBtnShadow = SystemColorValue(16);
inline constexpr TColor clGrayText = SystemColorValue(17);
inline constexpr TColor clBtnText = SystemColorValue(18);
inline constexpr TColor clInactiveCaptionText = SystemColorValue(19);
inline constexpr TColor clBtnHighlight = SystemColorValue(20);
inline constexpr TColor cl3DDkShadow = SystemColorValue(21);
inline constexpr TColor cl3DLight = SystemColorValue(22);
inline constexpr TColor clInfoText = SystemColorValue(23);
inline constexpr TColor clInfoBk = SystemColorValue(24);

std::span<const TIdentMapEntry> ColorNames();
std::optional<std::int32_t> IdentToColor(std::string_view ident);
std::optional<std::string> ColorToIdent(std::int32_t value);

// --- Font character sets ----------------------------------------------------
using TFontCharset = std::uint8_t;
const TTypeInfo& TypeInfoTFontCharset();
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;
inline constexpr TFontCharset SHIFTJIS_CHARSET = 128;
inline constexpr TFontCharset OEM_CHARSET = 255;

std::span<const TIdentMapEntry> CharsetNames();
std::optional<std::int32_t> IdentToCharset(std::string_view ident);
std::optional<std::string> CharsetToIdent(std::int32_t value);

// --- Cursors ------------------------------------------------------------------
using TCursor = std::int16_t;
const TTypeInfo& TypeInfoTCursor();
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHandPoint = -21;

std::span<const TIdentMapEntry> CursorNames();
std::optional<std::int32_t> IdentToCursor(std::string_view ident);
std::optional<std::string> CursorToIdent(std::int32_t value);

}  // namespace cvcalc
