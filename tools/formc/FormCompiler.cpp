// The compiler from the notation to the binary stream.
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
#include <utility>

#include "platform/core/AsciiCase.h"
#include "shell/core/FormStreamWriter.h"
#include "shell/core/StreamFormat.h"
#include "shell/core/TextConvert.h"
#include "tools/formc/Notation.h"

namespace cvcalc::formc {

namespace {

class Compiler {
public:
    Compiler(const std::string& text, const std::string& fileName) : text_(text), file_(fileName) {}

    CompiledForm Run() {
        CompiledForm form;
        write_.Signature();
        SkipSpace();
        form.className = Record();
        SkipSpace();
        if (pos_ < text_.size()) Fail("text after the root record");
        form.bytes = std::move(out_);
        form.texts = std::move(texts_);
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

    // A name for a short string, refused at `at` when it is too long for one.
    const std::string& ShortName(const std::string& s, std::size_t at) const {
        if (s.size() > MaxShortStringLength) FailAt(at, "a name is longer than 255 bytes");
        return s;
    }

    std::string Record() {
        unsigned flags = 0;
        bool explicitPrefix = false;  // prefix(): its flag 8, if any, is in `flags`
        std::vector<unsigned char> position;
        for (;;) {
            const std::size_t at = pos_;
            if (!NextIsWord()) Fail("expected a class name");
            const std::string w = Word();
            if (w == "inherited") {
                flags |= PrefixInherited;
            } else if (w == "inline") {
                flags |= PrefixInline;
            } else if (w == "position") {
                flags |= PrefixChildPos;
                position = IndexValue();
            } else if (w == "prefix" && Peek() == '(') {
                ++pos_;
                const std::size_t argAt = (SkipSpace(), pos_);
                const std::int64_t b = IntegerLiteral();
                if (b < PrefixMark || b > 0xFF) FailAt(argAt, "a record prefix is a byte from 0xF0 to 0xFF");
                if (b & PrefixKnownFlags)
                    FailAt(argAt, "the prefix flags 1, 2 and 4 are written inherited, position and inline");
                explicitPrefix = true;
                flags |= static_cast<unsigned>(b) & PrefixFlagMask;
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
        if (flags || explicitPrefix) write_.RecordPrefix(flags);
        const std::string outerRecord = std::exchange(record_, name);
        write_.Raw(position);
        write_.ShortString(ShortName(cls, classAt));
        write_.ShortString(ShortName(name, nameAt));
        Expect('{');
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
        write_.End().Raw(children).End();
        record_ = outerRecord;
        return cls;
    }

    void Property() {
        const std::size_t at = pos_;
        const std::string path = Word(true);
        write_.PropertyName(ShortName(path, at));
        Expect(':');
        const std::string_view last = std::string_view(path).substr(path.rfind('.') + 1);
        translatable_ = SameTextAscii(last, "Caption") || SameTextAscii(last, "Strings");
        property_ = path;
        Value(0);
        translatable_ = false;
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
            write_.Integer(v);
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
    void Wide(const std::string& s, std::size_t at) {
        std::u16string w;
        if (!NotationTextToUtf16(s, w)) FailAt(at, "a wide string must be valid UTF-8 text");
        write_.WideString(w);
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
    bool RawFloat(StreamValueTag tag, std::size_t size) {
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
        write_.Tag(tag).Raw(data);
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
            if (bits == 8) write_.Int8(static_cast<std::int8_t>(v));
            if (bits == 16) write_.Int16(static_cast<std::int16_t>(v));
            if (bits == 32) write_.Int32(static_cast<std::int32_t>(v));
            if (bits == 64) write_.Int64(v);
        } else if (form == "extended") {
            if (!RawFloat(ValExtended, ExtendedSize)) write_.Extended(ParseFloat(NumberArgument(), argAt));
        } else if (form == "double") {
            if (!RawFloat(ValDouble, sizeof(double)))
                write_.Double(static_cast<double>(ParseFloat(NumberArgument(), argAt)));
        } else if (form == "single") {
            if (!RawFloat(ValSingle, sizeof(float)))
                write_.Single(static_cast<float>(ParseFloat(NumberArgument(), argAt)));
        } else if (form == "date") {
            if (!RawFloat(ValDate, sizeof(double)))
                write_.Date(static_cast<double>(ParseFloat(NumberArgument(), argAt)));
        } else if (form == "currency") {
            write_.Currency(CurrencyUnits(NumberText(), argAt));
        } else if (form == "high") {
            // The value with the high bit of its tag byte set.
            const std::size_t tagAt = out_.size();
            Value(depth + 1);
            out_[tagAt] |= TagHighBit;
        } else if (form == "tag") {
            const std::int64_t tag = IntegerLiteral();
            if (tag <= ValLastTag || tag >= TagHighBit) FailAt(argAt, "tag() takes a tag without a value, 22 to 127");
            write_.Tag(static_cast<std::uint8_t>(tag));
        } else if (form == "string") {
            const std::string s = StringLiteral();
            if (s.size() > MaxShortStringLength) FailAt(argAt, "a short string holds at most 255 bytes");
            write_.String(s);
        } else if (form == "lstring") {
            write_.LString(StringLiteral());
        } else if (form == "wide") {
            Wide(StringLiteral(), argAt);
        } else if (form == "utf8") {
            write_.Utf8String(StringLiteral());
        } else if (form == "ident") {
            write_.Ident(ShortName(StringLiteral(), argAt));
        } else if (form == "binary") {
            write_.Binary(ReadFile(StringLiteral(), argAt));
        } else if (form == "hex") {
            write_.Binary(HexBytes(StringLiteral(), argAt));
        } else if (form == "bitmap") {
            const std::vector<unsigned char> file = ReadFile(StringLiteral(), argAt);
            if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') FailAt(argAt, "not a bitmap file (no \"BM\")");
            // A picture's data: the graphic's class, then the bitmap's size and file.
            std::vector<unsigned char> data;
            TFormStreamWriter(data)
                .ShortString("TBitmap")
                .LittleEndian(static_cast<std::uint32_t>(file.size()))
                .Raw(file);
            write_.Binary(data);
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
            if (IsAscii(s)) {
                write_.EightBitString(s);
            } else {
                Wide(s, at);
                if (translatable_ && depth <= 1) texts_.push_back({record_ + "." + property_, s});
            }
        } else if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) {
            const std::string text = NumberText();
            const bool hex = text.find("0x") != std::string::npos || text.find("0X") != std::string::npos;
            if (!hex && text.find_first_of(".eE") != std::string::npos)
                write_.Extended(ParseFloat(text, at));
            else
                write_.Integer(ParseInteger(text, at));
        } else if (c == '[') {
            ++pos_;
            std::vector<std::string> members;
            if (!Accept(']')) {
                do {
                    // A member that is no identifier is written as a string.
                    const std::size_t nameAt = (SkipSpace(), pos_);
                    const std::string member = Peek() == '"' ? StringLiteral() : Word();
                    if (member.empty()) FailAt(nameAt, "empty set member");
                    members.push_back(ShortName(member, nameAt));
                } while (Accept(','));
                Expect(']');
            }
            write_.Set(members);
        } else if (c == '(') {
            ++pos_;
            write_.Tag(ValList);
            if (!Accept(')')) {
                do Value(depth + 1);
                while (Accept(','));
                Expect(')');
            }
            write_.End();
        } else if (c == '<') {
            ++pos_;
            write_.Tag(ValCollection);
            while (!Accept('>')) {
                if (pos_ >= text_.size()) Fail("unexpected end; expected '>'");
                if (Peek() != '{') write_.Raw(IndexValue());
                Expect('{');
                write_.Tag(ValList);
                while (!Accept('}')) {
                    if (pos_ >= text_.size()) Fail("unexpected end; expected '}'");
                    if (depth > 32) Fail("values nested too deeply");
                    const std::size_t pathAt = (SkipSpace(), pos_);
                    write_.PropertyName(ShortName(Word(true), pathAt));
                    Expect(':');
                    Value(depth + 1);
                }
                write_.End();
            }
            write_.End();
        } else if (IsIdentStart(c)) {
            const std::string w = Word();
            if (Peek() == '(') return Typed(w, at, depth);
            if (SameTextAscii(w, "true"))
                write_.Boolean(true);
            else if (SameTextAscii(w, "false"))
                write_.Boolean(false);
            else if (SameTextAscii(w, "nil"))
                write_.Tag(ValNil);
            else if (SameTextAscii(w, "null"))
                write_.End();
            else
                write_.Ident(ShortName(w, at));
        } else {
            Fail(c ? std::string("unexpected '") + c + "'" : "unexpected end of the description");
        }
    }

    const std::string& text_;
    std::string file_;
    std::size_t pos_ = 0;
    std::vector<unsigned char> out_;
    TFormStreamWriter write_{out_};
    // The texts a reader translates: the record and property being written.
    std::string record_;
    std::string property_;
    bool translatable_ = false;
    std::vector<FormText> texts_;
};

}  // namespace

CompiledForm CompileForm(const std::string& text, const std::string& fileName) {
    return Compiler(text, fileName).Run();
}

}  // namespace cvcalc::formc
