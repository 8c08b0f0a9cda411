// Hand-made binary form descriptions for the tests, value by value: short
// names over the stream writer, chained, with the bytes in the open.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "shell/core/FormStreamWriter.h"
#include "shell/core/StreamFormat.h"

namespace cvcalc::test {

class StreamBuilder {
public:
    std::vector<unsigned char> bytes;

    StreamBuilder& Byte(int b) {
        Write().Byte(static_cast<std::uint8_t>(b));
        return *this;
    }
    template <typename T>
    StreamBuilder& Le(T value) {
        Write().LittleEndian(value);
        return *this;
    }
    StreamBuilder& Short(std::string_view s) {
        Write().ShortString(s);
        return *this;
    }
    StreamBuilder& Signature() {
        Write().Signature();
        return *this;
    }
    StreamBuilder& Raw(std::string_view s) {
        Write().Raw(s);
        return *this;
    }
    StreamBuilder& Pop() {
        bytes.pop_back();
        return *this;
    }
    // A record's prefix byte with `flags` (PrefixInherited, PrefixChildPos, PrefixInline).
    StreamBuilder& Prefix(unsigned flags) {
        Write().RecordPrefix(flags);
        return *this;
    }
    StreamBuilder& Record(std::string_view cls, std::string_view name) {
        Write().RecordNames(cls, name);
        return *this;
    }
    StreamBuilder& Prop(std::string_view name) {
        Write().PropertyName(name);
        return *this;
    }
    StreamBuilder& End() {
        Write().End();
        return *this;
    }
    StreamBuilder& Int(std::int64_t v) {
        Write().Integer(v);
        return *this;
    }
    StreamBuilder& Str(std::string_view s) {
        Write().String(s);
        return *this;
    }
    StreamBuilder& LStr(std::string_view s) {
        Write().LString(s);
        return *this;
    }
    StreamBuilder& Utf8(std::string_view s) {
        Write().Utf8String(s);
        return *this;
    }
    StreamBuilder& WStr(std::u16string_view s) {
        Write().WideString(s);
        return *this;
    }
    StreamBuilder& Ident(std::string_view s) {
        Write().Ident(s);
        return *this;
    }
    StreamBuilder& Ext(long double v) {
        Write().Extended(v);
        return *this;
    }
    StreamBuilder& Dbl(double v) {
        Write().Double(v);
        return *this;
    }
    StreamBuilder& Sgl(float v) {
        Write().Single(v);
        return *this;
    }
    StreamBuilder& Set(std::initializer_list<std::string_view> names) {
        Write().Set(names);
        return *this;
    }
    StreamBuilder& Binary(std::string_view data) {
        Write().Binary(data);
        return *this;
    }

private:
    TFormStreamWriter Write() { return TFormStreamWriter(bytes); }
};

}  // namespace cvcalc::test
