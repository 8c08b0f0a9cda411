// formc's dump is the inverse of its compiler: a hand-made stream dumped to
// the notation compiles back to the same bytes, whatever tags, prefixes and
// texts it holds.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "tests/shell/StreamBuilder.h"
#include "tools/formc/FormCompiler.h"
#include "tools/formc/FormDumper.h"

using namespace cvcalc;
using namespace cvcalc::test;
using cvcalc::formc::CompileError;
using cvcalc::formc::CompileForm;
using cvcalc::formc::DumpForm;

namespace {

using Build = std::function<void(StreamBuilder&)>;

// "TPF0", a root TForm1 Form1 with `entries`, then `children`.
std::vector<unsigned char> Root(
    const Build& entries, const Build& children = [](StreamBuilder&) {}) {
    StreamBuilder b;
    b.bytes.reserve(256);  // spares g++ 12 a false warning on the first insertion
    b.Signature().Record("TForm1", "Form1");
    entries(b);
    b.End();
    children(b);
    b.End();
    return b.bytes;
}

std::vector<unsigned char> Value(const Build& value) {
    return Root([&](StreamBuilder& b) {
        b.Prop("Value");
        value(b);
    });
}

// A value given by its tag and raw payload bytes.
StreamBuilder& Bits(StreamBuilder& b, int tag, const std::vector<unsigned char>& bytes) {
    b.Byte(tag);
    b.bytes.insert(b.bytes.end(), bytes.begin(), bytes.end());
    return b;
}

std::vector<unsigned char> LittleEndian(std::uint64_t v, int size) {
    std::vector<unsigned char> bytes;
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
    return bytes;
}

std::string Hex(const std::vector<unsigned char>& bytes) {
    std::string text;
    char buf[4];
    for (unsigned char c : bytes) std::snprintf(buf, sizeof buf, "%02x ", c), text += buf;
    return text;
}

TEST(FormCompiler, DumpCompilesBackToTheSameBytes) {
    const std::uint64_t quietNanPayload = 0x7FF8000000000001ull;
    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
    } table[] = {
        // Wide strings: U+0001 was taken for the dump's own mark of a lone surrogate.
        {"wide string holding U+0001", Value([](StreamBuilder& b) { b.WStr(u"a\u0001b"); })},
        {"wide string holding U+0001 before hex digits", Value([](StreamBuilder& b) { b.WStr(u"\u0001d800μ"); })},
        {"ASCII wide string holding U+0001", Value([](StreamBuilder& b) { b.WStr(u"\u0001"); })},
        {"wide string with lone surrogates and a pair", Value([](StreamBuilder& b) {
             b.WStr(std::u16string{0xD800, u'x', 0xDC00, 0xD83D, 0xDE00, 0xDBFF});
         })},
        {"wide string with controls, quotes and U+0000", Value([](StreamBuilder& b) {
             b.WStr(std::u16string{u'"', u'\\', u'\n', u'\r', u'\t', 0x7F, 0, u'電'});
         })},
        // Item indices and child positions in wider tags than their values need.
        {"item indices in every tag", Value([](StreamBuilder& b) {
             b.Byte(ValCollection);
             b.Byte(ValInt16).Le<std::int16_t>(1).Byte(ValList).End();
             b.Byte(ValInt32).Le<std::int32_t>(-2).Byte(ValList).Prop("Caption").Str("x").End();
             b.Byte(ValInt32).Le<std::int32_t>(300).Byte(ValList).End();
             b.Int(3).Byte(ValList).End();
             b.Byte(ValList).End();
             b.End();
         })},
        {"child positions in every tag",
         Root([](StreamBuilder&) {},
              [](StreamBuilder& b) {
                  b.Byte(0xF2).Byte(ValInt16).Le<std::int16_t>(3).Record("TButton", "Button1").End().End();
                  b.Byte(0xF2).Byte(ValInt32).Le<std::int32_t>(4).Record("TButton", "Button2").End().End();
                  b.Byte(0xF2).Byte(ValInt32).Le<std::int32_t>(-70000).Record("TButton", "Button3").End().End();
                  b.Byte(0xF2).Int(5).Record("TButton", "Button4").End().End();
              })},
        // Currency over the whole 64-bit range of ten-thousandths.
        {"currency at the 64-bit limits", Value([](StreamBuilder& b) {
             b.Byte(ValList);
             for (std::int64_t units :
                  {std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min(),
                   std::int64_t{9200000000000000000}, std::int64_t{-9200000000000000001}, std::int64_t{0},
                   std::int64_t{-1}, std::int64_t{123456789}})
                 b.Byte(ValCurrency).Le(units);
             b.End();
         })},
        // Prefix bytes: without flags, with the unused flag 8, with the others.
        {"0xF0 prefix on the root",
         [] {
             StreamBuilder b;
             b.Signature().Byte(0xF0).Record("TForm1", "Form1").End().End();
             return b.bytes;
         }()},
        {"0xF0 and 0xF8 prefixes on children",
         Root([](StreamBuilder&) {},
              [](StreamBuilder& b) {
                  b.Byte(0xF0).Record("TButton", "Button1").End().End();
                  b.Byte(0xF8).Record("TButton", "Button2").End().End();
                  b.Byte(0xFF).Byte(ValInt16).Le<std::int16_t>(2).Record("TButton", "Button3").End().End();
                  b.Byte(0xF5).Record("TFrame1", "Frame1").End().End();
              })},
        // Tags with the high bit set, tags above the table.
        {"identifiers and other values with the high tag bit", Value([](StreamBuilder& b) {
             b.Byte(ValList).Byte(0x80 | ValIdent).Short("Widget2").Byte(0x80 | ValNil).Byte(0x80 | ValFalse);
             b.Byte(0x80 | ValInt8).Byte(5).Byte(0x80 | ValInt16).Le<std::int16_t>(5).Byte(0x80 | ValEnd);
             b.Byte(0x80 | ValList).Str("in").End().End();
         })},
        {"tags without a value above the table",
         Value([](StreamBuilder& b) { b.Byte(ValList).Byte(22).Byte(0x7F).Byte(0x80 | 22).End(); })},
        // Floats whose bits no decimal text gives back.
        {"float NaNs, signs and limits", Value([&](StreamBuilder& b) {
             b.Byte(ValList);
             Bits(b, ValDouble, LittleEndian(quietNanPayload, 8));
             Bits(b, ValDouble, LittleEndian(0xFFF8000000000000ull, 8));  // negative NaN
             Bits(b, ValDate, LittleEndian(0x7FF0000000000001ull, 8));    // signalling NaN
             Bits(b, ValSingle, LittleEndian(0x7FC00001u, 4));
             Bits(b, ValSingle, LittleEndian(0x00000001u, 4));  // the smallest denormal
             b.Sgl(std::numeric_limits<float>::max()).Sgl(-0.0f).Sgl(0.1f);
             b.Dbl(std::numeric_limits<double>::denorm_min()).Dbl(-0.0).Dbl(0.1).Dbl(1e300);
             b.Byte(ValDate).Le(45000.25);
             b.End();
         })},
        {"extended NaN payload, unnormal and pseudo-denormal", Value([](StreamBuilder& b) {
             b.Byte(ValList);
             // Mantissa bytes first, then sign and exponent.
             Bits(b, ValExtended, {1, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F});
             Bits(b, ValExtended, {0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F});
             Bits(b, ValExtended, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x00});
             b.Ext(1.0L / 3).Ext(-0.0L).Ext(std::numeric_limits<long double>::infinity());
             b.Ext(std::numeric_limits<long double>::denorm_min()).Ext(1e4000L);
             b.End();
         })},
        // The rest of the table, with the forms the notation chooses itself.
        {"integers at every tag's limits", Value([](StreamBuilder& b) {
             b.Byte(ValList).Int(-128).Int(127).Int(-32768).Int(32767).Int(INT32_MIN).Int(INT32_MAX);
             b.Int(INT64_MIN).Int(INT64_MAX).Byte(ValInt64).Le(std::int64_t{-1});
             b.Byte(ValInt64).Le(std::int64_t{INT32_MIN}).Byte(ValInt16).Le<std::int16_t>(-1);
             b.Byte(ValInt32).Le<std::int32_t>(-129).End();
         })},
        {"8-bit, long and UTF-8 strings", Value([](StreamBuilder& b) {
             b.Byte(ValList).Str("").Str("a\"b\\c\td\x01").Str("\xE9t\xE9").Str("μ").LStr("short");
             b.LStr(std::string(300, 'x')).LStr(std::string(300, '\xFF')).Utf8("電圧").Utf8("\xC0\x80\xFF");
             b.Utf8("\xED\xA0\x80").End();
         })},
        {"identifiers, keywords and sets", Value([](StreamBuilder& b) {
             b.Byte(ValList).Ident("clRed").Ident("true").Ident("Null").Ident("nil").Ident("").Ident("a b");
             b.Byte(ValTrue).Byte(ValFalse).Byte(ValNil).Set({}).Set({"akLeft", "akTop"});
             b.Set({"1st", "a b", "é"}).Binary("").Binary(std::string("\x00\xFF", 2)).Byte(ValList).End().End();
         })},
        {"null value", Value([](StreamBuilder& b) { b.End(); })},
        {"dotted paths and nested records",
         Root([](StreamBuilder& b) { b.Prop("Font.Name").Str("Arial").Prop("BottomAxis.Title.Caption").WStr(u"距離"); },
              [](StreamBuilder& b) {
                  b.Record("TPanel", "Panel1").Prop("Left").Int(8).End();
                  b.Record("TLabel", "").End().End();
                  b.End();
              })},
    };
    for (const auto& row : table) {
        std::string text;
        try {
            text = DumpForm(row.bytes);
            EXPECT_EQ(Hex(CompileForm(text, "dump.form").bytes), Hex(row.bytes)) << row.what << "\n" << text;
        } catch (const std::exception& e) {
            ADD_FAILURE() << row.what << ": " << e.what() << "\n" << text;
        }
    }
}

TEST(FormCompiler, NotationForPrefixesPositionsAndCurrencyRefusesWhatItCannotWrite) {
    const struct {
        const char* text;
        const char* error;
    } table[] = {
        {"prefix(0xF2) TForm1 Form1 { }",
         "dump.form:1:8: the prefix flags 1, 2 and 4 are written inherited, "
         "position and inline"},
        {"prefix(0xE0) TForm1 Form1 { }", "dump.form:1:8: a record prefix is a byte from 0xF0 to 0xFF"},
        {"position int64(1) TForm1 Form1 { }", "dump.form:1:10: expected an integer"},
        {"position 5000000000 TForm1 Form1 { }", "dump.form:1:10: integer out of range for an index"},
        {"TForm1 Form1 { V: currency(922337203685477.5808) }", "dump.form:1:28: currency out of range"},
        {"TForm1 Form1 { V: currency(-922337203685477.5809) }", "dump.form:1:28: currency out of range"},
        {"TForm1 Form1 { V: currency(1e16) }", "dump.form:1:28: currency out of range"},
        {"TForm1 Form1 { V: double(hex(\"0000\")) }", "dump.form:1:30: this value holds 8 bytes"},
        {"TForm1 Form1 { V: tag(21) }", "dump.form:1:23: tag() takes a tag without a value, 22 to 127"},
        {"TForm1 Form1 { V: [\"\"] }", "dump.form:1:20: empty set member"},
    };
    for (const auto& row : table) {
        try {
            CompileForm(row.text, "dump.form");
            ADD_FAILURE() << row.text << ": compiled";
        } catch (const CompileError& e) {
            EXPECT_EQ(std::string(e.what()), row.error) << row.text;
        }
    }
}

TEST(FormCompiler, DumpWritesTheNotationOfEachCase) {
    // The forms the documentation names, so that a dump reads as written.
    const struct {
        std::vector<unsigned char> bytes;
        const char* text;
    } table[] = {
        {[] {
             StreamBuilder b;
             b.Signature().Byte(0xF0).Record("TForm1", "Form1").End().End();
             return b.bytes;
         }(),
         "prefix(0xF0) TForm1 Form1 {\n}\n"},
        {Root([](StreamBuilder&) {},
              [](StreamBuilder& b) {
                  b.Byte(0xFB).Byte(ValInt16).Le<std::int16_t>(3).Record("TButton", "B").End().End();
              }),
         "TForm1 Form1 {\n    prefix(0xF8) inherited position int16(3) TButton B {\n    }\n}\n"},
        {Value([](StreamBuilder& b) {
             b.WStr(std::u16string{0x0001, 0xD800, u'μ'});
         }),
         "TForm1 Form1 {\n    Value: wide(\"\\x01\\ud800μ\")\n}\n"},
        {Value([](StreamBuilder& b) { b.Byte(ValCurrency).Le(std::numeric_limits<std::int64_t>::min()); }),
         "TForm1 Form1 {\n    Value: currency(-922337203685477.5808)\n}\n"},
        {Value([](StreamBuilder& b) { b.Byte(0x80 | ValIdent).Short("Widget2"); }),
         "TForm1 Form1 {\n    Value: high(Widget2)\n}\n"},
        {Value([](StreamBuilder& b) { b.Byte(ValDouble).Le(std::uint64_t{0x7FF8000000000001ull}); }),
         "TForm1 Form1 {\n    Value: double(hex(\"010000000000f87f\"))\n}\n"},
    };
    for (const auto& row : table) EXPECT_EQ(DumpForm(row.bytes), row.text);
}

}  // namespace
