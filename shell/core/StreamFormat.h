// The binary form description format: the signature, the value tags, the
// flags of a component record's prefix byte and the limits of the format.
// The reader, the form compiler and the tests' stream writers all take the
// format from here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cvcalc {

inline constexpr unsigned char FormSignature[4] = {'T', 'P', 'F', '0'};

enum StreamValueTag : std::uint8_t {
    ValEnd = 0,
    ValList = 1,
    ValInt8 = 2,
    ValInt16 = 3,
    ValInt32 = 4,
    ValExtended = 5,
    ValString = 6,
    ValIdent = 7,
    ValFalse = 8,
    ValTrue = 9,
    ValBinary = 10,
    ValSet = 11,
    ValLString = 12,
    ValNil = 13,
    ValCollection = 14,
    ValSingle = 15,
    ValCurrency = 16,
    ValDate = 17,
    ValWString = 18,
    ValInt64 = 19,
    ValUtf8String = 20,
    ValDouble = 21,
};

// The last tag of the table; a tag above it carries no value.
inline constexpr StreamValueTag ValLastTag = ValDouble;

// Only the low seven bits of a tag byte are looked at when a value is
// skipped or read as an identifier; the high bit may be set.
inline constexpr std::uint8_t TagHighBit = 0x80;
constexpr StreamValueTag LowTagOf(std::uint8_t tagByte) noexcept {
    return static_cast<StreamValueTag>(tagByte & ~TagHighBit);
}

// The tags of a child position and of a collection item's index.
constexpr bool IsIntegerTag(std::uint8_t tag) noexcept { return tag == ValInt8 || tag == ValInt16 || tag == ValInt32; }

// A record's prefix byte has the high nibble 0xF; its low nibble holds the
// flags.  Flag 8 has no meaning.
inline constexpr std::uint8_t PrefixMark = 0xF0;
inline constexpr unsigned PrefixFlagMask = 0x0F;
inline constexpr unsigned PrefixInherited = 1;
inline constexpr unsigned PrefixChildPos = 2;
inline constexpr unsigned PrefixInline = 4;
inline constexpr unsigned PrefixKnownFlags = PrefixInherited | PrefixChildPos | PrefixInline;
constexpr bool IsRecordPrefix(std::uint8_t byte) noexcept { return (byte & PrefixMark) == PrefixMark; }

// A short string is one length byte and that many bytes.
inline constexpr std::size_t MaxShortStringLength = 255;

// The bytes of an extended (80-bit) value as the stream stores them.
inline constexpr std::size_t ExtendedSize = 10;

}  // namespace cvcalc
