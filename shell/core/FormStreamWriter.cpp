// Writing a binary form description: raw bytes, records and tagged values.
#include "shell/core/FormStreamWriter.h"

#include <cstring>
#include <iterator>
#include <limits>
#include <stdexcept>

namespace cvcalc {

TFormStreamWriter& TFormStreamWriter::Byte(std::uint8_t byte) {
    out_.push_back(byte);
    return *this;
}

TFormStreamWriter& TFormStreamWriter::Raw(std::string_view bytes) {
    out_.insert(out_.end(), bytes.begin(), bytes.end());
    return *this;
}

TFormStreamWriter& TFormStreamWriter::Raw(std::span<const unsigned char> bytes) {
    out_.insert(out_.end(), bytes.begin(), bytes.end());
    return *this;
}

TFormStreamWriter& TFormStreamWriter::ShortString(std::string_view text) {
    if (text.size() > MaxShortStringLength) throw std::length_error("a short string holds at most 255 bytes");
    return Byte(static_cast<std::uint8_t>(text.size())).Raw(text);
}

// The 4-byte length of long strings, wide strings and binary data.
TFormStreamWriter& TFormStreamWriter::Length(std::size_t length) {
    if (length > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("a value longer than 4 GiB");
    return LittleEndian(static_cast<std::uint32_t>(length));
}

TFormStreamWriter& TFormStreamWriter::Signature() {
    out_.insert(out_.end(), std::begin(FormSignature), std::end(FormSignature));
    return *this;
}

TFormStreamWriter& TFormStreamWriter::RecordPrefix(unsigned flags) {
    return Byte(static_cast<std::uint8_t>(PrefixMark | (flags & PrefixFlagMask)));
}

TFormStreamWriter& TFormStreamWriter::RecordNames(std::string_view className, std::string_view componentName) {
    return ShortString(className).ShortString(componentName);
}

TFormStreamWriter& TFormStreamWriter::PropertyName(std::string_view path) { return ShortString(path); }

TFormStreamWriter& TFormStreamWriter::End() { return Byte(ValEnd); }

TFormStreamWriter& TFormStreamWriter::Tag(std::uint8_t tag) { return Byte(tag); }

TFormStreamWriter& TFormStreamWriter::Integer(std::int64_t value) {
    if (value >= std::numeric_limits<std::int8_t>::min() && value <= std::numeric_limits<std::int8_t>::max())
        return Int8(static_cast<std::int8_t>(value));
    if (value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max())
        return Int16(static_cast<std::int16_t>(value));
    if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())
        return Int32(static_cast<std::int32_t>(value));
    return Int64(value);
}

TFormStreamWriter& TFormStreamWriter::Int8(std::int8_t value) { return Byte(ValInt8).LittleEndian(value); }
TFormStreamWriter& TFormStreamWriter::Int16(std::int16_t value) { return Byte(ValInt16).LittleEndian(value); }
TFormStreamWriter& TFormStreamWriter::Int32(std::int32_t value) { return Byte(ValInt32).LittleEndian(value); }
TFormStreamWriter& TFormStreamWriter::Int64(std::int64_t value) { return Byte(ValInt64).LittleEndian(value); }

TFormStreamWriter& TFormStreamWriter::Extended(long double value) {
    static_assert(std::numeric_limits<long double>::digits == 64, "long double is the 80-bit extended type");
    unsigned char raw[sizeof value] = {};
    std::memcpy(raw, &value, sizeof value);
    Byte(ValExtended);
    out_.insert(out_.end(), raw, raw + ExtendedSize);
    return *this;
}

TFormStreamWriter& TFormStreamWriter::Double(double value) { return Byte(ValDouble).LittleEndian(value); }
TFormStreamWriter& TFormStreamWriter::Single(float value) { return Byte(ValSingle).LittleEndian(value); }
TFormStreamWriter& TFormStreamWriter::Date(double value) { return Byte(ValDate).LittleEndian(value); }
TFormStreamWriter& TFormStreamWriter::Currency(std::int64_t units) { return Byte(ValCurrency).LittleEndian(units); }

TFormStreamWriter& TFormStreamWriter::Boolean(bool value) { return Byte(value ? ValTrue : ValFalse); }

TFormStreamWriter& TFormStreamWriter::String(std::string_view text) { return Byte(ValString).ShortString(text); }

TFormStreamWriter& TFormStreamWriter::LString(std::string_view text) {
    return Byte(ValLString).Length(text.size()).Raw(text);
}

TFormStreamWriter& TFormStreamWriter::EightBitString(std::string_view text) {
    return text.size() <= MaxShortStringLength ? String(text) : LString(text);
}

TFormStreamWriter& TFormStreamWriter::WideString(std::u16string_view text) {
    Byte(ValWString).Length(text.size());
    for (char16_t unit : text) LittleEndian(static_cast<std::uint16_t>(unit));
    return *this;
}

TFormStreamWriter& TFormStreamWriter::Utf8String(std::string_view text) {
    return Byte(ValUtf8String).Length(text.size()).Raw(text);
}

TFormStreamWriter& TFormStreamWriter::Ident(std::string_view name) { return Byte(ValIdent).ShortString(name); }

// A set ends with an empty member name, so no member may be empty.
TFormStreamWriter& TFormStreamWriter::SetMember(std::string_view member) {
    if (member.empty()) throw std::invalid_argument("an empty name would end the set");
    return ShortString(member);
}

TFormStreamWriter& TFormStreamWriter::Set(std::initializer_list<std::string_view> members) {
    Byte(ValSet);
    for (std::string_view member : members) SetMember(member);
    return Byte(0);
}

TFormStreamWriter& TFormStreamWriter::Set(const std::vector<std::string>& members) {
    Byte(ValSet);
    for (const std::string& member : members) SetMember(member);
    return Byte(0);
}

TFormStreamWriter& TFormStreamWriter::Binary(std::string_view data) {
    return Byte(ValBinary).Length(data.size()).Raw(data);
}

TFormStreamWriter& TFormStreamWriter::Binary(std::span<const unsigned char> data) {
    return Byte(ValBinary).Length(data.size()).Raw(data);
}

}  // namespace cvcalc
