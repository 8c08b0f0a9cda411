// The binary form description format: the signature, the value tags and the
// flags of a component record's prefix byte.
#pragma once

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

// Flags in the low nibble of a record's prefix byte (high nibble 0xF).
inline constexpr unsigned PrefixInherited = 1;
inline constexpr unsigned PrefixChildPos = 2;
inline constexpr unsigned PrefixInline = 4;

}  // namespace cvcalc
