// TFormStreamWriter: writes a binary form description value by value, the
// counterpart of the reader's primitive reads.  The form compiler builds its
// streams with it, and so do the tests that hand-make streams.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "shell/core/StreamFormat.h"

namespace cvcalc {

class TFormStreamWriter {
public:
    // Appends to `out`, which must outlive the writer.
    explicit TFormStreamWriter(std::vector<unsigned char>& out) noexcept : out_(out) {}

    std::vector<unsigned char>& Bytes() noexcept { return out_; }

    // --- Raw bytes ------------------------------------------------------
    TFormStreamWriter& Byte(std::uint8_t byte);
    TFormStreamWriter& Raw(std::string_view bytes);
    TFormStreamWriter& Raw(std::span<const unsigned char> bytes);
    // An integer or IEEE float as the stream stores it, little-endian.
    template <typename T>
    TFormStreamWriter& LittleEndian(T value) {
        static_assert(std::is_arithmetic_v<T>);
        static_assert(std::endian::native == std::endian::little, "the stream is little-endian, as this host");
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        out_.insert(out_.end(), raw, raw + sizeof(T));
        return *this;
    }
    // A length byte and the text; std::length_error beyond 255 bytes.
    TFormStreamWriter& ShortString(std::string_view text);

    // --- Records ----------------------------------------------------------
    TFormStreamWriter& Signature();
    // PrefixMark with `flags` (PrefixInherited, PrefixChildPos, PrefixInline
    // or the meaningless 8) in the low nibble.
    TFormStreamWriter& RecordPrefix(unsigned flags);
    TFormStreamWriter& RecordNames(std::string_view className, std::string_view componentName);
    TFormStreamWriter& PropertyName(std::string_view path);
    // Ends entries, children, lists, collections and collection items; as a
    // value, it is read as the identifier "Null".
    TFormStreamWriter& End();

    // --- Tagged values ------------------------------------------------------
    // A tag alone: ValList and ValCollection (their contents follow),
    // ValFalse, ValTrue, ValNil, or a tag beyond the table.
    TFormStreamWriter& Tag(std::uint8_t tag);
    // ValInt8, ValInt16, ValInt32 or ValInt64, the smallest that holds `value`.
    TFormStreamWriter& Integer(std::int64_t value);
    TFormStreamWriter& Int8(std::int8_t value);
    TFormStreamWriter& Int16(std::int16_t value);
    TFormStreamWriter& Int32(std::int32_t value);
    TFormStreamWriter& Int64(std::int64_t value);
    TFormStreamWriter& Extended(long double value);
    TFormStreamWriter& Double(double value);
    TFormStreamWriter& Single(float value);
    TFormStreamWriter& Date(double value);
    // A currency value in ten-thousandths.
    TFormStreamWriter& Currency(std::int64_t units);
    TFormStreamWriter& Boolean(bool value);
    // ValString; std::length_error beyond 255 bytes.
    TFormStreamWriter& String(std::string_view text);
    TFormStreamWriter& LString(std::string_view text);
    // 8-bit text: a short string when it fits, else a long one.
    TFormStreamWriter& EightBitString(std::string_view text);
    TFormStreamWriter& WideString(std::u16string_view text);
    TFormStreamWriter& Utf8String(std::string_view text);
    TFormStreamWriter& Ident(std::string_view name);
    // ValSet, the member names, an empty name; std::invalid_argument for an
    // empty member.
    TFormStreamWriter& Set(std::initializer_list<std::string_view> members);
    TFormStreamWriter& Set(const std::vector<std::string>& members);
    TFormStreamWriter& Binary(std::string_view data);
    TFormStreamWriter& Binary(std::span<const unsigned char> data);

private:
    TFormStreamWriter& Length(std::size_t length);
    TFormStreamWriter& SetMember(std::string_view member);

    std::vector<unsigned char>& out_;
};

}  // namespace cvcalc
