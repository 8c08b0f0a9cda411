// The compiler from the notation to the binary stream, and the dump back.
#include "tools/formc/FormCompiler.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace cvcalc::formc {

namespace {

enum Tag : unsigned char {
    ValEnd = 0,
    ValList,
    ValInt8,
    ValInt16,
    ValInt32,
    ValExtended,
    ValString,
    ValIdent,
    ValFalse,
    ValTrue,
    ValBinary,
    ValSet,
    ValLString,
    ValNil,
    ValCollection,
    ValSingle,
    ValCurrency,
    ValDate,
    ValWString,
    ValInt64,
    ValUtf8String,
    ValDouble,
};

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Appends code point (or lone surrogate) `c` as UTF-8; surrogates use the
// three-byte form so that \uD800 survives the trip to a wide string.
void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-8 (with encoded surrogates) to UTF-16; false on a malformed byte.
bool ToUtf16(const std::string& s, std::u16string& out) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::uint32_t c;
        std::size_t n;
        if (b < 0x80)
            c = b, n = 1;
        else if ((b & 0xE0) == 0xC0)
            c = b & 0x1F, n = 2;
        else if ((b & 0xF0) == 0xE0)
            c = b & 0x0F, n = 3;
        else if ((b & 0xF8) == 0xF0)
            c = b & 0x07, n = 4;
        else
            return false;
        if (i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += n;
    }
    return true;
}

class Compiler {
public:
    Compiler(const std::string& text, const std::string& fileName) : text_(text), file_(fileName) {}

    CompiledForm Run() {
        CompiledForm form;
        Raw("TPF0");
        SkipSpace();
        form.className = Record();
        SkipSpace();
        if (pos_ < text_.size()) Fail("text after the root record");
        form.bytes = std::move(out_);
        return form;
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { FailAt(pos_, message); }
    [[noreturn]] void FailAt(std::size_t at, const std::string& message) const {
        int line = 1, column = 1;
        for (std::size_t i = 0; i < at && i < text_.size(); ++i) {
            if (text_[i] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) {
                ++column;
            }
        }
        throw CompileError(file_ + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message);
    }

    void SkipSpace() {
        for (;;) {
            while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '#') {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
                continue;
            }
            return;
        }
    }
    char Peek() {
        SkipSpace();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void Expect(char c) {
        if (Peek() != c) Fail(std::string("expected '") + c + "'");
        ++pos_;
    }
    bool Accept(char c) {
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }
    // An identifier, dots allowed inside when `path`.
    std::string Word(bool path = false) {
        SkipSpace();
        if (pos_ >= text_.size() || !IsIdentStart(text_[pos_])) Fail("expected an identifier");
        const std::size_t start = pos_;
        while (pos_ < text_.size() &&
               (IsIdentChar(text_[pos_]) ||
                (path && text_[pos_] == '.' && pos_ + 1 < text_.size() && IsIdentStart(text_[pos_ + 1]))))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }
    bool NextIsWord() {
        SkipSpace();
        return pos_ < text_.size() && IsIdentStart(text_[pos_]);
    }
    // After the word at the cursor: the next non-space character.
    char AfterWord() {
        const std::size_t save = pos_;
        Word(true);
        const char c = Peek();
        pos_ = save;
        return c;
    }

    void Byte(int b) { out_.push_back(static_cast<unsigned char>(b)); }
    void Raw(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
    template <typename T>
    void Le(T v) {
        unsigned char raw[sizeof v];
        std::memcpy(raw, &v, sizeof v);
        out_.insert(out_.end(), raw, raw + sizeof v);
    }
    void Short(const std::string& s, std::size_t at) {
        if (s.size() > 255) FailAt(at, "a name is longer than 255 bytes");
        Byte(static_cast<int>(s.size()));
        Raw(s);
    }

    std::string Record() {
        unsigned flags = 0;
        int prefix = -1;  // an explicit prefix byte, without the keywords' flags
        std::vector<unsigned char> position;
        for (;;) {
            const std::size_t at = pos_;
            if (!NextIsWord()) Fail("expected a class name");
            const std::string w = Word();
            if (w == "inherited") {
                flags |= 1;
            } else if (w == "inline") {
                flags |= 4;
            } else if (w == "position") {
                flags |= 2;
                position = IndexValue();
            } else if (w == "prefix" && Peek() == '(') {
                ++pos_;
                const std::size_t argAt = (SkipSpace(), pos_);
                const std::int64_t b = IntegerLiteral();
                if (b < 0xF0 || b > 0xFF) FailAt(argAt, "a record prefix is a byte from 0xF0 to 0xFF");
                if (b & 7) FailAt(argAt, "the prefix flags 1, 2 and 4 are written inherited, position and inline");
                prefix = static_cast<int>(b);
                Expect(')');
            } else {
                pos_ = at;
                break;
            }
        }
        SkipSpace();
        const std::size_t classAt = pos_;
        const std::string cls = Word();
        std::string name;
        std::size_t nameAt = pos_;
        if (Peek() != '{') {
            nameAt = pos_;
            name = Word();
        }
        if (flags || prefix >= 0) Byte((prefix >= 0 ? prefix : 0xF0) | static_cast<int>(flags));
        out_.insert(out_.end(), position.begin(), position.end());
        Short(cls, classAt);
        Short(name, nameAt);
        Expect('{');
        std::vector<std::size_t> childStarts;
        // Entries first, then children: the stream keeps them apart.
        std::vector<unsigned char> children;
        while (Peek() != '}') {
            if (pos_ >= text_.size()) Fail("unexpected end of the description; expected '}'");
            if (!NextIsWord()) Fail("expected a property or a child record");
            if (AfterWord() == ':') {
                Property();
            } else {
                std::vector<unsigned char> saved;
                saved.swap(out_);
                Record();
                children.insert(children.end(), out_.begin(), out_.end());
                out_.swap(saved);
            }
        }
        ++pos_;
        Byte(ValEnd);
        out_.insert(out_.end(), children.begin(), children.end());
        Byte(ValEnd);
        return cls;
    }

    void Property() {
        const std::size_t at = pos_;
        Short(Word(true), at);
        Expect(':');
        Value(0);
    }

    std::int64_t IntegerLiteral() {
        SkipSpace();
        const std::size_t at = pos_;
        std::string text = NumberText();
        if (text.find_first_of(".eE") != std::string::npos && text.rfind("0x", 0) == std::string::npos &&
            text.rfind("-0x", 0) == std::string::npos)
            FailAt(at, "expected an integer");
        return ParseInteger(text, at);
    }
    // A child position or collection item index: an integer literal takes
    // the smallest tag, int8() int16() int32() a tag of their own.
    std::vector<unsigned char> IndexValue() {
        // Written into an empty output of its own, then swapped back.
        std::vector<unsigned char> bytes;
        bytes.swap(out_);
        SkipSpace();
        const std::size_t at = pos_;
        if (NextIsWord()) {
            const std::string w = Word();
            if ((w != "int8" && w != "int16" && w != "int32") || Peek() != '(') FailAt(at, "expected an integer");
            Typed(w, at, 0);
        } else {
            const std::int64_t v = IntegerLiteral();
            if (v < INT32_MIN || v > INT32_MAX) FailAt(at, "integer out of range for an index");
            Integer(v, at);
        }
        bytes.swap(out_);
        return bytes;
    }
    std::string NumberText() {
        const std::size_t start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) ++pos_;
        if (text_.compare(pos_, 2, "0x") == 0 || text_.compare(pos_, 2, "0X") == 0) {
            pos_ += 2;
            while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
            return text_.substr(start, pos_ - start);
        }
        while (pos_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.'))
            ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) ++pos_;
            while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        }
        if (pos_ == start) Fail("expected a number");
        return text_.substr(start, pos_ - start);
    }
    std::int64_t ParseInteger(const std::string& text, std::size_t at) {
        const bool negative = text[0] == '-';
        const std::size_t digits = (text[0] == '-' || text[0] == '+') ? 1 : 0;
        const bool hex = text.compare(digits, 2, "0x") == 0 || text.compare(digits, 2, "0X") == 0;
        errno = 0;
        char* end = nullptr;
        const char* begin = text.c_str() + digits + (hex ? 2 : 0);
        const unsigned long long magnitude = std::strtoull(begin, &end, hex ? 16 : 10);
        if (end == begin || *end || errno) FailAt(at, "integer out of range: " + text);
        // Hexadecimal literals of up to 8 digits are 32-bit patterns, as colours are written.
        if (hex && !negative && std::strlen(begin) <= 8) return static_cast<std::int32_t>(magnitude);
        if (negative) {
            if (magnitude > 9223372036854775808ull) FailAt(at, "integer out of range: " + text);
            return static_cast<std::int64_t>(0 - magnitude);
        }
        if (magnitude > 9223372036854775807ull) FailAt(at, "integer out of range: " + text);
        return static_cast<std::int64_t>(magnitude);
    }
    long double ParseFloat(const std::string& text, std::size_t at) {
        char* end = nullptr;
        const long double v = std::strtold(text.c_str(), &end);
        if (end == text.c_str() || *end) FailAt(at, "not a number: " + text);
        return v;
    }

    void Integer(std::int64_t v, std::size_t) {
        if (v >= INT8_MIN && v <= INT8_MAX) {
            Byte(ValInt8);
            Le(static_cast<std::int8_t>(v));
        } else if (v >= INT16_MIN && v <= INT16_MAX) {
            Byte(ValInt16);
            Le(static_cast<std::int16_t>(v));
        } else if (v >= INT32_MIN && v <= INT32_MAX) {
            Byte(ValInt32);
            Le(static_cast<std::int32_t>(v));
        } else {
            Byte(ValInt64);
            Le(v);
        }
    }
    void Extended(long double v) {
        Byte(ValExtended);
        unsigned char raw[sizeof v] = {};
        std::memcpy(raw, &v, sizeof v);
        out_.insert(out_.end(), raw, raw + 10);
    }

    std::string StringLiteral() {
        SkipSpace();
        if (Peek() != '"') Fail("expected a string");
        ++pos_;
        std::string s;
        for (;;) {
            if (pos_ >= text_.size() || text_[pos_] == '\n') Fail("unterminated string");
            const char c = text_[pos_++];
            if (c == '"') break;
            if (c != '\\') {
                s += c;
                continue;
            }
            if (pos_ >= text_.size()) Fail("unterminated string");
            const char e = text_[pos_++];
            auto hexDigits = [&](int n) {
                if (pos_ + static_cast<std::size_t>(n) > text_.size()) Fail("bad escape");
                std::uint32_t v = 0;
                for (int i = 0; i < n; ++i) {
                    const char h = text_[pos_++];
                    if (!std::isxdigit(static_cast<unsigned char>(h))) Fail("bad escape");
                    v = v * 16 +
                        static_cast<std::uint32_t>(std::isdigit(static_cast<unsigned char>(h))
                                                       ? h - '0'
                                                       : std::tolower(static_cast<unsigned char>(h)) - 'a' + 10);
                }
                return v;
            };
            switch (e) {
            case '\\':
                s += '\\';
                break;
            case '"':
                s += '"';
                break;
            case 'n':
                s += '\n';
                break;
            case 'r':
                s += '\r';
                break;
            case 't':
                s += '\t';
                break;
            case 'x':
                s += static_cast<char>(hexDigits(2));
                break;
            case 'u':
                AppendUtf8(s, hexDigits(4));
                break;
            case 'U': {
                const std::uint32_t c32 = hexDigits(8);
                if (c32 > 0x10FFFF) Fail("bad escape");
                AppendUtf8(s, c32);
                break;
            }
            default:
                Fail("bad escape");
            }
        }
        return s;
    }
    static bool IsAscii(const std::string& s) {
        for (char c : s)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        return true;
    }
    void EightBit(const std::string& s) {
        if (s.size() <= 255) {
            Byte(ValString);
            Byte(static_cast<int>(s.size()));
        } else {
            Byte(ValLString);
            Le(static_cast<std::uint32_t>(s.size()));
        }
        Raw(s);
    }
    void Wide(const std::string& s, std::size_t at) {
        std::u16string w;
        if (!ToUtf16(s, w)) FailAt(at, "a wide string must be valid UTF-8 text");
        Byte(ValWString);
        Le(static_cast<std::uint32_t>(w.size()));
        for (char16_t u : w) Le(static_cast<std::uint16_t>(u));
    }
    void Binary(const std::vector<unsigned char>& data) {
        Byte(ValBinary);
        Le(static_cast<std::uint32_t>(data.size()));
        out_.insert(out_.end(), data.begin(), data.end());
    }
    std::vector<unsigned char> ReadFile(const std::string& name, std::size_t at) {
        std::filesystem::path path(name);
        if (path.is_relative()) path = std::filesystem::path(file_).parent_path() / path;
        std::ifstream in(path, std::ios::binary);
        if (!in) FailAt(at, "cannot read " + path.string());
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }

    // A number argument, or a string argument (for non-finite floats).
    std::string NumberArgument() {
        if (Peek() == '"') return StringLiteral();
        return NumberText();
    }

    // hex("...") as the argument of a float form: the value's bytes as the
    // stream stores them (NaN payloads, unnormal extended values).  False,
    // with nothing consumed, when the argument is something else.
    bool RawFloat(Tag tag, std::size_t size) {
        const std::size_t save = pos_;
        if (!NextIsWord() || Word() != "hex" || Peek() != '(') {
            pos_ = save;
            return false;
        }
        ++pos_;
        const std::size_t argAt = (SkipSpace(), pos_);
        const std::vector<unsigned char> data = HexBytes(StringLiteral(), argAt);
        if (data.size() != size) FailAt(argAt, "this value holds " + std::to_string(size) + " bytes");
        Expect(')');
        Byte(tag);
        out_.insert(out_.end(), data.begin(), data.end());
        return true;
    }
    std::vector<unsigned char> HexBytes(const std::string& h, std::size_t at) {
        std::vector<unsigned char> data;
        if (h.size() % 2) FailAt(at, "hex() takes pairs of hexadecimal digits");
        for (std::size_t i = 0; i < h.size(); i += 2) {
            if (!std::isxdigit(static_cast<unsigned char>(h[i])) ||
                !std::isxdigit(static_cast<unsigned char>(h[i + 1])))
                FailAt(at, "hex() takes pairs of hexadecimal digits");
            data.push_back(static_cast<unsigned char>(std::stoi(h.substr(i, 2), nullptr, 16)));
        }
        return data;
    }
    // A currency value in ten-thousandths.  A plain decimal with at most four
    // places is taken exactly, so the whole 64-bit range is written as
    // printed; other numbers are rounded.
    std::int64_t CurrencyUnits(const std::string& text, std::size_t at) {
        std::size_t i = 0;
        const bool negative = text[0] == '-';
        if (text[0] == '-' || text[0] == '+') ++i;
        const std::size_t point = text.find('.', i);
        const std::string whole = text.substr(i, point == std::string::npos ? std::string::npos : point - i);
        const std::string places = point == std::string::npos ? "" : text.substr(point + 1);
        auto digits = [](const std::string& d) {
            for (char c : d)
                if (!std::isdigit(static_cast<unsigned char>(c))) return false;
            return true;
        };
        const unsigned __int128 limit = (static_cast<unsigned __int128>(1) << 63) - (negative ? 0 : 1);
        if (!whole.empty() && digits(whole) && digits(places) && places.size() <= 4) {
            unsigned __int128 units = 0;
            for (char c : whole + places + std::string(4 - places.size(), '0')) {
                units = units * 10 + static_cast<unsigned>(c - '0');
                if (units > limit) FailAt(at, "currency out of range");
            }
            const auto magnitude = static_cast<std::uint64_t>(units);
            return static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
        }
        const long double v = ParseFloat(text, at) * 10000;
        if (!(v >= -9223372036854775808.0L && v < 9223372036854775808.0L)) FailAt(at, "currency out of range");
        return std::llroundl(v);
    }

    void Typed(const std::string& form, std::size_t at, int depth) {
        Expect('(');
        const std::size_t argAt = (SkipSpace(), pos_);
        if (form == "int8" || form == "int16" || form == "int32" || form == "int64") {
            const std::int64_t v = IntegerLiteral();
            const int bits = std::stoi(form.substr(3));
            const std::int64_t lo = bits == 64 ? INT64_MIN : -(std::int64_t{1} << (bits - 1));
            const std::int64_t hi = bits == 64 ? INT64_MAX : (std::int64_t{1} << (bits - 1)) - 1;
            if (v < lo || v > hi) FailAt(argAt, "integer out of range for " + form);
            if (bits == 8) Byte(ValInt8), Le(static_cast<std::int8_t>(v));
            if (bits == 16) Byte(ValInt16), Le(static_cast<std::int16_t>(v));
            if (bits == 32) Byte(ValInt32), Le(static_cast<std::int32_t>(v));
            if (bits == 64) Byte(ValInt64), Le(v);
        } else if (form == "extended") {
            if (!RawFloat(ValExtended, 10)) Extended(ParseFloat(NumberArgument(), argAt));
        } else if (form == "double") {
            if (!RawFloat(ValDouble, 8)) {
                Byte(ValDouble);
                Le(static_cast<double>(ParseFloat(NumberArgument(), argAt)));
            }
        } else if (form == "single") {
            if (!RawFloat(ValSingle, 4)) {
                Byte(ValSingle);
                Le(static_cast<float>(ParseFloat(NumberArgument(), argAt)));
            }
        } else if (form == "date") {
            if (!RawFloat(ValDate, 8)) {
                Byte(ValDate);
                Le(static_cast<double>(ParseFloat(NumberArgument(), argAt)));
            }
        } else if (form == "currency") {
            const std::int64_t units = CurrencyUnits(NumberText(), argAt);
            Byte(ValCurrency);
            Le(units);
        } else if (form == "high") {
            // The value with the high bit of its tag byte set.
            const std::size_t tagAt = out_.size();
            Value(depth + 1);
            out_[tagAt] |= 0x80;
        } else if (form == "tag") {
            const std::int64_t tag = IntegerLiteral();
            if (tag <= ValDouble || tag > 0x7F) FailAt(argAt, "tag() takes a tag without a value, 22 to 127");
            Byte(static_cast<int>(tag));
        } else if (form == "string") {
            const std::string s = StringLiteral();
            if (s.size() > 255) FailAt(argAt, "a short string holds at most 255 bytes");
            Byte(ValString);
            Byte(static_cast<int>(s.size()));
            Raw(s);
        } else if (form == "lstring") {
            const std::string s = StringLiteral();
            Byte(ValLString);
            Le(static_cast<std::uint32_t>(s.size()));
            Raw(s);
        } else if (form == "wide") {
            Wide(StringLiteral(), argAt);
        } else if (form == "utf8") {
            const std::string s = StringLiteral();
            Byte(ValUtf8String);
            Le(static_cast<std::uint32_t>(s.size()));
            Raw(s);
        } else if (form == "ident") {
            Byte(ValIdent);
            Short(StringLiteral(), argAt);
        } else if (form == "binary") {
            Binary(ReadFile(StringLiteral(), argAt));
        } else if (form == "hex") {
            Binary(HexBytes(StringLiteral(), argAt));
        } else if (form == "bitmap") {
            const std::vector<unsigned char> file = ReadFile(StringLiteral(), argAt);
            if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') FailAt(argAt, "not a bitmap file (no \"BM\")");
            std::vector<unsigned char> data{7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
            const auto n = static_cast<std::uint32_t>(file.size());
            for (int i = 0; i < 4; ++i) data.push_back(static_cast<unsigned char>(n >> (8 * i)));
            data.insert(data.end(), file.begin(), file.end());
            Binary(data);
        } else {
            FailAt(at, "unknown value form " + form + "()");
        }
        Expect(')');
    }

    void Value(int depth) {
        if (depth > 64) Fail("values nested too deeply");
        const char c = Peek();
        const std::size_t at = pos_;
        if (c == '"') {
            const std::string s = StringLiteral();
            if (IsAscii(s))
                EightBit(s);
            else
                Wide(s, at);
        } else if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) {
            const std::string text = NumberText();
            const bool hex = text.find("0x") != std::string::npos || text.find("0X") != std::string::npos;
            if (!hex && text.find_first_of(".eE") != std::string::npos)
                Extended(ParseFloat(text, at));
            else
                Integer(ParseInteger(text, at), at);
        } else if (c == '[') {
            ++pos_;
            Byte(ValSet);
            if (!Accept(']')) {
                do {
                    // A member that is no identifier is written as a string.
                    const std::size_t nameAt = (SkipSpace(), pos_);
                    const std::string member = Peek() == '"' ? StringLiteral() : Word();
                    if (member.empty()) FailAt(nameAt, "empty set member");
                    Short(member, nameAt);
                } while (Accept(','));
                Expect(']');
            }
            Byte(0);
        } else if (c == '(') {
            ++pos_;
            Byte(ValList);
            if (!Accept(')')) {
                do Value(depth + 1);
                while (Accept(','));
                Expect(')');
            }
            Byte(ValEnd);
        } else if (c == '<') {
            ++pos_;
            Byte(ValCollection);
            while (!Accept('>')) {
                if (pos_ >= text_.size()) Fail("unexpected end; expected '>'");
                if (Peek() != '{') {
                    const std::vector<unsigned char> index = IndexValue();
                    out_.insert(out_.end(), index.begin(), index.end());
                }
                Expect('{');
                Byte(ValList);
                while (!Accept('}')) {
                    if (pos_ >= text_.size()) Fail("unexpected end; expected '}'");
                    if (depth > 32) Fail("values nested too deeply");
                    const std::size_t pathAt = (SkipSpace(), pos_);
                    Short(Word(true), pathAt);
                    Expect(':');
                    Value(depth + 1);
                }
                Byte(ValEnd);
            }
            Byte(ValEnd);
        } else if (IsIdentStart(c)) {
            const std::string w = Word();
            if (Peek() == '(') return Typed(w, at, depth);
            if (SameText(w, "true"))
                Byte(ValTrue);
            else if (SameText(w, "false"))
                Byte(ValFalse);
            else if (SameText(w, "nil"))
                Byte(ValNil);
            else if (SameText(w, "null"))
                Byte(ValEnd);
            else
                Byte(ValIdent), Short(w, at);
        } else {
            Fail(c ? std::string("unexpected '") + c + "'" : "unexpected end of the description");
        }
    }

    const std::string& text_;
    std::string file_;
    std::size_t pos_ = 0;
    std::vector<unsigned char> out_;
};

// --- Dump ---------------------------------------------------------------------

class Dumper {
public:
    explicit Dumper(const std::vector<unsigned char>& bytes) : in_(bytes) {}

    std::string Run() {
        if (in_.size() < 4 || std::memcmp(in_.data(), "TPF0", 4) != 0) Bad("no TPF0 signature");
        pos_ = 4;
        RecordOut(0);
        if (pos_ != in_.size()) Bad("bytes after the root record");
        return out_.str();
    }

private:
    [[noreturn]] void Bad(const std::string& why) const {
        throw std::runtime_error("malformed stream at byte " + std::to_string(pos_) + ": " + why);
    }
    unsigned char U8() {
        if (pos_ >= in_.size()) Bad("unexpected end");
        return in_[pos_++];
    }
    unsigned char PeekU8() {
        if (pos_ >= in_.size()) Bad("unexpected end");
        return in_[pos_];
    }
    template <typename T>
    T Le() {
        if (in_.size() - pos_ < sizeof(T)) Bad("unexpected end");
        T v;
        std::memcpy(&v, in_.data() + pos_, sizeof v);
        pos_ += sizeof v;
        return v;
    }
    std::string Bytes(std::uint64_t n) {
        if (in_.size() - pos_ < n) Bad("unexpected end");
        std::string s(reinterpret_cast<const char*>(in_.data() + pos_), static_cast<std::size_t>(n));
        pos_ += static_cast<std::size_t>(n);
        return s;
    }
    std::string Short() { return Bytes(U8()); }
    static bool IsIdent(const std::string& s) {
        if (s.empty() || !IsIdentStart(s[0])) return false;
        for (char c : s)
            if (!IsIdentChar(c)) return false;
        return true;
    }
    static bool IsPath(const std::string& s) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t dot = s.find('.', start);
            if (!IsIdent(s.substr(start, dot - start))) return false;
            if (dot == std::string::npos) return true;
            start = dot + 1;
        }
    }
    // Text quoted so the compiler reads the same bytes back; `utf8Ok` lets
    // valid UTF-8 stand as itself.
    static std::string Quote(const std::string& s, bool utf8Ok) {
        std::u16string probe;
        const bool valid = utf8Ok && ToUtf16(s, probe);
        std::string q = "\"";
        for (unsigned char c : s) q += QuoteByte(c, valid);
        return q + "\"";
    }
    // One byte inside quotes; bytes from 0x80 up stand as themselves only
    // when `keepHigh` (they belong to valid UTF-8).
    static std::string QuoteByte(unsigned char c, bool keepHigh) {
        switch (c) {
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        default:
            break;
        }
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && !keepHigh)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            return buf;
        }
        return std::string(1, static_cast<char>(c));
    }
    // UTF-16 text quoted: paired surrogates as their character, a lone
    // surrogate as \uXXXX, control characters escaped.
    static std::string QuoteWide(const std::u16string& w) {
        std::string q = "\"";
        for (std::size_t i = 0; i < w.size(); ++i) {
            const char16_t u = w[i];
            char buf[8];
            if (u >= 0xD800 && u <= 0xDBFF && i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF) {
                AppendUtf8(q, 0x10000 + ((static_cast<std::uint32_t>(u) - 0xD800) << 10) + (w[i + 1] - 0xDC00));
                ++i;
            } else if (u >= 0xD800 && u <= 0xDFFF) {
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(u));
                q += buf;
            } else if (u < 0x80) {
                q += QuoteByte(static_cast<unsigned char>(u), false);
            } else {
                AppendUtf8(q, u);
            }
        }
        return q + "\"";
    }
    static std::string FloatText(long double v, int digits) {
        if (!std::isfinite(v)) return std::isnan(v) ? "\"nan\"" : (v > 0 ? "\"inf\"" : "\"-inf\"");
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*Lg", digits, v);
        std::string s = buf;
        if (s.find_first_of(".en") == std::string::npos) s += ".0";
        return s;
    }
    static bool IsAscii(const std::string& s) {
        for (char c : s)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        return true;
    }

    void Indent(int depth) {
        for (int i = 0; i < depth; ++i) out_ << "    ";
    }

    void RecordOut(int depth) {
        if (depth > 64) Bad("records nested too deeply");
        Indent(depth);
        if ((PeekU8() & 0xF0) == 0xF0) {
            const unsigned flags = U8() & 0x0F;
            // A prefix byte that the keywords do not bring back (no flags,
            // or the unused flag 8) is written out.
            if (flags == 0 || (flags & 8)) out_ << ((flags & 8) ? "prefix(0xF8) " : "prefix(0xF0) ");
            if (flags & 1) out_ << "inherited ";
            if (flags & 4) out_ << "inline ";
            if (flags & 2) {
                out_ << "position ";
                const unsigned char tag = PeekU8();
                if (tag != ValInt8 && tag != ValInt16 && tag != ValInt32) Bad("child position is no integer");
                ValueOut(depth);
                out_ << ' ';
            }
        }
        const std::string cls = Short();
        const std::string name = Short();
        if (!IsIdent(cls) || (!name.empty() && !IsIdent(name))) Bad("class or component name is no identifier");
        if (cls == "inherited" || cls == "inline" || cls == "position")
            Bad("class name " + cls + " reads as a record keyword");
        out_ << cls << (name.empty() ? "" : " " + name) << " {\n";
        while (PeekU8() != ValEnd) EntryOut(depth + 1);
        ++pos_;
        while (PeekU8() != ValEnd) RecordOut(depth + 1);
        ++pos_;
        Indent(depth);
        out_ << "}\n";
    }

    void EntryOut(int depth) {
        const std::string path = Short();
        if (!IsPath(path)) Bad("property path is no dotted identifier: " + path);
        Indent(depth);
        out_ << path << ": ";
        ValueOut(depth);
        out_ << "\n";
    }

    void ValueOut(int depth) {
        if (depth > 96) Bad("values nested too deeply");
        const unsigned char tag = U8();
        if (tag & 0x80) {
            out_ << "high(";
            TaggedValueOut(tag & 0x7F, depth + 1);
            out_ << ")";
            return;
        }
        TaggedValueOut(tag, depth);
    }

    // The shortest decimal text that the compiler turns back into the same
    // bits (read as an extended value, then narrowed to T); otherwise the
    // bytes themselves, as hex("...").
    template <typename T>
    std::string FloatOut(std::size_t size, int maxDigits) {
        const std::string raw = Bytes(size);
        T value{};
        std::memcpy(&value, raw.data(), size);
        for (int digits = 1; digits <= maxDigits; ++digits) {
            const std::string text = FloatText(value, digits);
            const std::string number = text[0] == '"' ? text.substr(1, text.size() - 2) : text;
            const T back = static_cast<T>(std::strtold(number.c_str(), nullptr));
            if (std::memcmp(&back, raw.data(), size) == 0) return text;
        }
        std::string hex = "hex(\"";
        char buf[4];
        for (unsigned char c : raw) std::snprintf(buf, sizeof buf, "%02x", c), hex += buf;
        return hex + "\")";
    }

    void TaggedValueOut(unsigned char tag, int depth) {
        switch (tag) {
        case ValEnd:
            out_ << "null";
            return;
        case ValList: {
            out_ << "(";
            bool first = true;
            while (PeekU8() != ValEnd) {
                out_ << (first ? "" : ", ");
                first = false;
                ValueOut(depth + 1);
            }
            ++pos_;
            out_ << ")";
            return;
        }
        case ValInt8:
            out_ << int{Le<std::int8_t>()};
            return;
        case ValInt16: {
            const auto v = Le<std::int16_t>();
            if (v >= INT8_MIN && v <= INT8_MAX)
                out_ << "int16(" << v << ")";
            else
                out_ << v;
            return;
        }
        case ValInt32: {
            const auto v = Le<std::int32_t>();
            if (v >= INT16_MIN && v <= INT16_MAX)
                out_ << "int32(" << v << ")";
            else
                out_ << v;
            return;
        }
        case ValInt64: {
            const auto v = Le<std::int64_t>();
            if (v >= INT32_MIN && v <= INT32_MAX)
                out_ << "int64(" << v << ")";
            else
                out_ << v;
            return;
        }
        case ValExtended: {
            // A plain number is read as an extended value.
            const std::string text = FloatOut<long double>(10, 21);
            out_ << (std::isdigit(static_cast<unsigned char>(text[text[0] == '-'])) ? text : "extended(" + text + ")");
            return;
        }
        case ValDouble:
            out_ << "double(" << FloatOut<double>(8, 17) << ")";
            return;
        case ValSingle:
            out_ << "single(" << FloatOut<float>(4, 9) << ")";
            return;
        case ValDate:
            out_ << "date(" << FloatOut<double>(8, 17) << ")";
            return;
        case ValCurrency: {
            const auto v = Le<std::int64_t>();
            const unsigned long long m =
                v < 0 ? 0 - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
            char buf[48];
            std::snprintf(buf, sizeof buf, "%s%llu.%04llu", v < 0 ? "-" : "", m / 10000, m % 10000);
            out_ << "currency(" << buf << ")";
            return;
        }
        case ValString: {
            const std::string s = Short();
            out_ << (IsAscii(s) ? Quote(s, false) : "string(" + Quote(s, false) + ")");
            return;
        }
        case ValLString: {
            const std::string s = Bytes(Le<std::uint32_t>());
            out_ << (IsAscii(s) && s.size() > 255 ? Quote(s, false) : "lstring(" + Quote(s, false) + ")");
            return;
        }
        case ValWString: {
            const std::uint32_t n = Le<std::uint32_t>();
            if ((in_.size() - pos_) / 2 < n) Bad("unexpected end");
            std::u16string w;
            for (std::uint32_t i = 0; i < n; ++i) w += static_cast<char16_t>(Le<std::uint16_t>());
            bool ascii = true, surrogate = false;
            for (char16_t u : w) ascii &= u < 0x80, surrogate |= (u >= 0xD800 && u <= 0xDFFF);
            out_ << (ascii || surrogate ? "wide(" + QuoteWide(w) + ")" : QuoteWide(w));
            return;
        }
        case ValUtf8String:
            out_ << "utf8(" << Quote(Bytes(Le<std::uint32_t>()), true) << ")";
            return;
        case ValIdent: {
            const std::string s = Short();
            const bool plain = IsIdent(s) && !SameText(s, "true") && !SameText(s, "false") && !SameText(s, "nil") &&
                               !SameText(s, "null");
            out_ << (plain ? s : "ident(" + Quote(s, true) + ")");
            return;
        }
        case ValFalse:
            out_ << "false";
            return;
        case ValTrue:
            out_ << "true";
            return;
        case ValNil:
            out_ << "nil";
            return;
        case ValBinary: {
            const std::string data = Bytes(Le<std::uint32_t>());
            out_ << "hex(\"";
            char buf[4];
            for (unsigned char c : data) std::snprintf(buf, sizeof buf, "%02x", c), out_ << buf;
            out_ << "\")";
            return;
        }
        case ValSet: {
            out_ << "[";
            bool first = true;
            for (std::string m; !(m = Short()).empty(); first = false)
                out_ << (first ? "" : ", ") << (IsIdent(m) ? m : Quote(m, true));
            out_ << "]";
            return;
        }
        case ValCollection: {
            out_ << "<\n";
            while (PeekU8() != ValEnd) {
                Indent(depth + 1);
                const unsigned char t = PeekU8();
                if (t == ValInt8 || t == ValInt16 || t == ValInt32) {
                    ValueOut(depth + 1);
                    out_ << " ";
                }
                if (U8() != ValList) Bad("collection item without a list");
                out_ << "{\n";
                while (PeekU8() != ValEnd) EntryOut(depth + 2);
                ++pos_;
                Indent(depth + 1);
                out_ << "}\n";
            }
            ++pos_;
            Indent(depth);
            out_ << ">";
            return;
        }
        default:
            // Tags above the table carry no value.
            out_ << "tag(" << int{tag} << ")";
        }
    }

    const std::vector<unsigned char>& in_;
    std::size_t pos_ = 0;
    std::ostringstream out_;
};

}  // namespace

CompiledForm CompileForm(const std::string& text, const std::string& fileName) {
    return Compiler(text, fileName).Run();
}

std::string DumpForm(const std::vector<unsigned char>& bytes) { return Dumper(bytes).Run(); }

}  // namespace cvcalc::formc
