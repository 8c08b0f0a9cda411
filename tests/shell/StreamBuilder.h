// Writes binary form descriptions for the reader's tests, value by value.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "shell/core/StreamFormat.h"

namespace cvcalc::test {

class StreamBuilder {
public:
    std::vector<unsigned char> bytes;

    StreamBuilder& Byte(int b) {
        bytes.push_back(static_cast<unsigned char>(b));
        return *this;
    }
    template <typename T>
    StreamBuilder& Le(T value) {
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        bytes.insert(bytes.end(), raw, raw + sizeof(T));
        return *this;
    }
    StreamBuilder& Short(std::string_view s) {
        Byte(static_cast<int>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    StreamBuilder& Signature() { return Raw("TPF0"); }
    StreamBuilder& Raw(std::string_view s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    StreamBuilder& Pop() {
        bytes.pop_back();
        return *this;
    }
    StreamBuilder& Record(std::string_view cls, std::string_view name) { return Short(cls).Short(name); }
    StreamBuilder& Prop(std::string_view name) { return Short(name); }
    StreamBuilder& End() { return Byte(ValEnd); }
    StreamBuilder& Int(std::int64_t v) {
        if (v >= -128 && v <= 127) return Byte(ValInt8).Le(static_cast<std::int8_t>(v));
        if (v >= -32768 && v <= 32767) return Byte(ValInt16).Le(static_cast<std::int16_t>(v));
        if (v >= INT32_MIN && v <= INT32_MAX) return Byte(ValInt32).Le(static_cast<std::int32_t>(v));
        return Byte(ValInt64).Le(v);
    }
    StreamBuilder& Str(std::string_view s) { return Byte(ValString).Short(s); }
    StreamBuilder& LStr(std::string_view s) {
        Byte(ValLString).Le(static_cast<std::uint32_t>(s.size()));
        return Raw(s);
    }
    StreamBuilder& Utf8(std::string_view s) {
        Byte(ValUtf8String).Le(static_cast<std::uint32_t>(s.size()));
        return Raw(s);
    }
    StreamBuilder& WStr(std::u16string_view s) {
        Byte(ValWString).Le(static_cast<std::uint32_t>(s.size()));
        for (char16_t c : s) Le(static_cast<std::uint16_t>(c));
        return *this;
    }
    StreamBuilder& Ident(std::string_view s) { return Byte(ValIdent).Short(s); }
    StreamBuilder& Ext(long double v) {
        Byte(ValExtended);
        unsigned char raw[sizeof(long double)] = {};
        std::memcpy(raw, &v, sizeof v);
        bytes.insert(bytes.end(), raw, raw + 10);
        return *this;
    }
    StreamBuilder& Dbl(double v) { return Byte(ValDouble).Le(v); }
    StreamBuilder& Sgl(float v) { return Byte(ValSingle).Le(v); }
    StreamBuilder& Set(std::initializer_list<std::string_view> names) {
        Byte(ValSet);
        for (auto n : names) Short(n);
        return Byte(0);
    }
    StreamBuilder& Binary(std::string_view data) {
        Byte(ValBinary).Le(static_cast<std::uint32_t>(data.size()));
        return Raw(data);
    }
};

}  // namespace cvcalc::test
