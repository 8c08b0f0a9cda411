// The identifier-map registry and the colour, character-set and cursor
// tables.
#include "shell/core/IdentMaps.h"

#include <mutex>
#include <vector>

#include "platform/core/AsciiCase.h"
#include "shell/core/TypeInfo.h"

namespace cvcalc {

std::optional<std::int32_t> IdentToInt(std::string_view ident, std::span<const TIdentMapEntry> map) {
    for (const TIdentMapEntry& e : map)
        if (SameTextAscii(e.name, ident)) return e.value;
    return std::nullopt;
}

std::optional<std::string> IntToIdent(std::int32_t value, std::span<const TIdentMapEntry> map) {
    for (const TIdentMapEntry& e : map)
        if (e.value == value) return std::string(e.name);
    return std::nullopt;
}

namespace {

const TIdentMapEntry ColorTable[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

// The character-set numbers of the platform's font interface.
const TIdentMapEntry CharsetTable[] = {
    {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},      {2, "SYMBOL_CHARSET"},    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},    {129, "HANGEUL_CHARSET"},    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"},      {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},      {178, "ARABIC_CHARSET"},     {186, "BALTIC_CHARSET"},  {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},        {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"},
};

const TIdentMapEntry CursorTable[] = {
    {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},    {-3, "crCross"},     {-4, "crIBeam"},
    {-6, "crSizeNESW"},   {-7, "crSizeNS"},   {-8, "crSizeNWSE"}, {-9, "crSizeWE"},    {-10, "crUpArrow"},
    {-11, "crHourGlass"}, {-12, "crDrag"},    {-13, "crNoDrop"},  {-14, "crHSplit"},   {-15, "crVSplit"},
    {-16, "crMultiDrag"}, {-17, "crSQLWait"}, {-18, "crNo"},      {-19, "crAppStart"}, {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"},
};

struct TIntConst {
    const TTypeInfo* type;
    TIdentToInt identToInt;
    TIntToIdent intToIdent;
};

struct IntConstRegistry {
    std::mutex mutex;
    std::vector<TIntConst> entries;

    IntConstRegistry() {
        entries.push_back({&TypeInfoTColor(), &IdentToColor, &ColorToIdent});
        entries.push_back({&TypeInfoTFontCharset(), &IdentToCharset, &CharsetToIdent});
        entries.push_back({&TypeInfoTCursor(), &IdentToCursor, &CursorToIdent});
    }
};

IntConstRegistry& IntConsts() {
    static IntConstRegistry registry;
    return registry;
}

}  // namespace

void RegisterIntegerConsts(const TTypeInfo& type, TIdentToInt identToInt, TIntToIdent intToIdent) {
    std::lock_guard lock(IntConsts().mutex);
    IntConsts().entries.push_back({&type, identToInt, intToIdent});
}

TIdentToInt FindIdentToInt(const TTypeInfo& type) {
    std::lock_guard lock(IntConsts().mutex);
    for (const TIntConst& e : IntConsts().entries)
        if (e.type == &type) return e.identToInt;
    return nullptr;
}

TIntToIdent FindIntToIdent(const TTypeInfo& type) {
    std::lock_guard lock(IntConsts().mutex);
    for (const TIntConst& e : IntConsts().entries)
        if (e.type == &type) return e.intToIdent;
    return nullptr;
}

const TTypeInfo& TypeInfoTColor() {
    static const TTypeInfo info("TColor", TTypeKind::tkInteger);
    return info;
}
std::span<const TIdentMapEntry> ColorNames() { return ColorTable; }
std::optional<std::int32_t> IdentToColor(std::string_view ident) { return IdentToInt(ident, ColorTable); }
std::optional<std::string> ColorToIdent(std::int32_t value) { return IntToIdent(value, ColorTable); }

const TTypeInfo& TypeInfoTFontCharset() {
    static const TTypeInfo info("TFontCharset", TTypeKind::tkInteger);
    return info;
}
std::span<const TIdentMapEntry> CharsetNames() { return CharsetTable; }
std::optional<std::int32_t> IdentToCharset(std::string_view ident) { return IdentToInt(ident, CharsetTable); }
std::optional<std::string> CharsetToIdent(std::int32_t value) { return IntToIdent(value, CharsetTable); }

const TTypeInfo& TypeInfoTCursor() {
    static const TTypeInfo info("TCursor", TTypeKind::tkInteger);
    return info;
}
std::span<const TIdentMapEntry> CursorNames() { return CursorTable; }
std::optional<std::int32_t> IdentToCursor(std::string_view ident) { return IdentToInt(ident, CursorTable); }
std::optional<std::string> CursorToIdent(std::int32_t value) { return IntToIdent(value, CursorTable); }

}  // namespace cvcalc
