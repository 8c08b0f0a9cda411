// The dump of a binary form stream to the notation: the inverse of the
// compiler, byte for byte.
#include "tools/formc/FormDumper.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "shell/core/StreamFormat.h"
#include "shell/core/TextConvert.h"
#include "tools/formc/Notation.h"

namespace cvcalc::formc {

namespace {

class Dumper {
public:
    explicit Dumper(const std::vector<unsigned char>& bytes) : in_(bytes) {}

    std::string Run() {
        if (in_.size() < sizeof FormSignature || std::memcmp(in_.data(), FormSignature, sizeof FormSignature) != 0)
            Bad("no TPF0 signature");
        pos_ = sizeof FormSignature;
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
    static bool IsPath(const std::string& s) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t dot = s.find('.', start);
            if (!IsIdentifier(s.substr(start, dot - start))) return false;
            if (dot == std::string::npos) return true;
            start = dot + 1;
        }
    }
    // Text quoted so the compiler reads the same bytes back; `utf8Ok` lets
    // valid UTF-8 stand as itself.
    static std::string Quote(const std::string& s, bool utf8Ok) {
        std::u16string probe;
        const bool valid = utf8Ok && NotationTextToUtf16(s, probe);
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
    void Indent(int depth) {
        for (int i = 0; i < depth; ++i) out_ << "    ";
    }

    void RecordOut(int depth) {
        if (depth > 64) Bad("records nested too deeply");
        Indent(depth);
        if (IsRecordPrefix(PeekU8())) {
            const unsigned flags = U8() & PrefixFlagMask;
            // A prefix byte that the keywords do not bring back (no flags,
            // or the unused flag 8) is written out.
            const unsigned unused = flags & ~PrefixKnownFlags;
            if (flags == 0 || unused) out_ << (unused ? "prefix(0xF8) " : "prefix(0xF0) ");
            if (flags & PrefixInherited) out_ << "inherited ";
            if (flags & PrefixInline) out_ << "inline ";
            if (flags & PrefixChildPos) {
                out_ << "position ";
                if (!IsIntegerTag(PeekU8())) Bad("child position is no integer");
                ValueOut(depth);
                out_ << ' ';
            }
        }
        const std::string cls = Short();
        const std::string name = Short();
        if (!IsIdentifier(cls) || (!name.empty() && !IsIdentifier(name)))
            Bad("class or component name is no identifier");
        if (IsRecordKeyword(cls)) Bad("class name " + cls + " reads as a record keyword");
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
        if (tag & TagHighBit) {
            out_ << "high(";
            TaggedValueOut(LowTagOf(tag), depth + 1);
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
            const std::string text = FloatOut<long double>(ExtendedSize, 21);
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
            const bool plain = IsIdentifier(s) && !IsValueKeyword(s);
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
                out_ << (first ? "" : ", ") << (IsIdentifier(m) ? m : Quote(m, true));
            out_ << "]";
            return;
        }
        case ValCollection: {
            out_ << "<\n";
            while (PeekU8() != ValEnd) {
                Indent(depth + 1);
                if (IsIntegerTag(PeekU8())) {
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

std::string DumpForm(const std::vector<unsigned char>& bytes) { return Dumper(bytes).Run(); }

}  // namespace cvcalc::formc
