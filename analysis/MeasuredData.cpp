// Reading a measured C-V file: line by line, every fault reported with its
// line, the rows sorted by voltage once the whole text has been accepted.
#include "analysis/MeasuredData.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <numeric>
#include <string>

#include "analysis/MeasuredHeader.h"
#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {

constexpr double PicofaradsPerFarad = 1e12;
// A field quoted in a message is cut to this many bytes (on a character
// boundary), so that a long line of garbage does not fill the error box.
constexpr std::size_t QuotedFieldBytes = 40;

// 1/C² as the computed curves form it: in extended precision, rounded once.
double InverseSquare(double capacitance) { return static_cast<double>((1.0L / capacitance) / capacitance); }

[[noreturn]] void Fail(int id, std::initializer_list<std::string_view> args) {
    throw EMeasuredData(LoadMessageFormatted(id, args));
}

// The length of the UTF-8 sequence that starts `text` at `i`, or 0 when the
// bytes there are not well-formed UTF-8 text.  Control characters other
// than the tab are not text either.
std::size_t TextCharacterLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return (lead >= 0x20 && lead != 0x7F) || lead == '\t' ? 1 : 0;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (text.size() - i < length) return 0;
    const unsigned char second = byte(i + 1);
    if (second < low || second > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return length;
}

bool IsText(std::string_view line) {
    for (std::size_t i = 0; i < line.size();) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c >= 0x20 && c < 0x7F) {  // the usual case: printable ASCII
            ++i;
            continue;
        }
        const std::size_t length = TextCharacterLength(line, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A field as a message quotes it.
std::string Quoted(std::string_view field) {
    if (field.size() <= QuotedFieldBytes) return std::string(field);
    std::size_t cut = QuotedFieldBytes;
    while (cut > 0 && (static_cast<unsigned char>(field[cut]) & 0xC0) == 0x80) --cut;
    return std::string(field.substr(0, cut)) + "...";
}

enum class Separator : std::uint8_t { Semicolon, Comma, Blanks };

// The fields of one line: up to three are kept, `count` tells whether there
// were more.  Trailing empty fields (a spreadsheet's empty columns) do not
// count.
struct Fields {
    std::array<std::string_view, 3> field{};
    std::size_t count = 0;
    Separator separator = Separator::Blanks;
    std::string_view afterFirst;  // the line's text after its first field

    void Add(std::string_view text) {
        if (count < field.size()) field[count] = text;
        ++count;
    }
};

Fields SplitFields(std::string_view line) {
    Fields fields;
    char separator = 0;
    if (line.find(';') != std::string_view::npos) {
        fields.separator = Separator::Semicolon;
        separator = ';';
    } else if (line.find(',') != std::string_view::npos) {
        fields.separator = Separator::Comma;
        separator = ',';
    }
    if (separator != 0) {
        while (!line.empty() && (line.back() == separator || IsBlank(line.back()))) line.remove_suffix(1);
        std::size_t start = 0;
        while (!line.empty()) {
            const std::size_t end = std::min(line.find(separator, start), line.size());
            fields.Add(Trimmed(line.substr(start, end - start)));
            if (fields.count == 1) fields.afterFirst = line.substr(std::min(end + 1, line.size()));
            if (end == line.size()) break;
            start = end + 1;
        }
        return fields;
    }
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        fields.Add(line.substr(start, i - start));
        if (fields.count == 1) fields.afterFirst = line.substr(i);
    }
    return fields;
}

enum class Scan : std::uint8_t { Number, NotANumber, NotFinite, OutOfRange };

// A decimal number as std::from_chars reads it, with an optional '+' in
// front and, where `decimalComma`, a comma for the decimal point.
Scan ScanNumber(std::string_view field, bool decimalComma, double& value) {
    std::string commaFree;
    if (decimalComma && field.find(',') != std::string_view::npos) {
        commaFree.assign(field);
        std::replace(commaFree.begin(), commaFree.end(), ',', '.');
        field = commaFree;
    }
    if (field.size() > 1 && field.front() == '+' && field[1] != '-' && field[1] != '+') field.remove_prefix(1);
    const char* const end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (ec == std::errc::invalid_argument || ptr != end) return Scan::NotANumber;
    if (ec == std::errc::result_out_of_range) return Scan::OutOfRange;
    return std::isfinite(value) ? Scan::Number : Scan::NotFinite;
}

// The two column titles of a header line.  With a separator they are its
// first two fields.  Between blanks a title holds no blank but the one
// before its bracketed unit, so the first title is the first word with the
// group in brackets right after it, if any ("Voltage [V] Capacitance
// [nF]"), and the second title is the rest of the line.
std::pair<std::string_view, std::string_view> ColumnTitles(const Fields& fields) {
    if (fields.separator != Separator::Blanks) return {fields.field[0], fields.field[1]};
    std::string_view voltage = fields.field[0];
    std::string_view rest = Trimmed(fields.afterFirst);
    if (rest.starts_with('(') || rest.starts_with('[')) {
        const std::size_t close = rest.find(rest.front() == '(' ? ')' : ']');
        if (close != std::string_view::npos) {
            voltage =
                std::string_view(voltage.data(), static_cast<std::size_t>(rest.data() + close + 1 - voltage.data()));
            rest = Trimmed(rest.substr(close + 1));
        }
    }
    return {voltage, rest};
}

class CurveParser {
public:
    explicit CurveParser(std::string_view file) : file_(file) {}

    MeasuredCurve Parse(std::string_view text) {
        constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
        std::size_t pos = text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
        // Room for a row a line, so that a long file is not copied as it grows.
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
        curve_.Voltages.reserve(std::min(lines, MaxMeasuredRows));
        curve_.Capacitances.reserve(std::min(lines, MaxMeasuredRows));
        while (pos < text.size()) {
            ++lineNumber_;
            std::size_t end = pos;
            while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
            ReadLine(text.substr(pos, end - pos));
            pos = end;
            if (pos < text.size()) pos += text.compare(pos, 2, "\r\n") == 0 ? std::size_t{2} : std::size_t{1};
        }
        if (curve_.Voltages.empty()) Fail(msg::MeasuredNoRows, {file_});
        SortByVoltage();
        return std::move(curve_);
    }

private:
    [[noreturn]] void FailAtLine(int id, std::string_view field = {}) const {
        Fail(id, {file_, std::to_string(lineNumber_), field});
    }

    void ReadLine(std::string_view line) {
        if (!IsText(line)) FailAtLine(msg::MeasuredNotText);
        line = Trimmed(line);
        if (line.empty() || line.front() == '#') return;
        const Fields fields = SplitFields(line);
        if (fields.count == 0) return;  // nothing but separators
        const bool decimalComma = fields.separator == Separator::Semicolon;
        const bool firstLine = !contentSeen_;
        contentSeen_ = true;
        // A line whose first two fields both read as no number is the header;
        // any other first line is data and must read as data does.
        if (firstLine && !ReadsAsNumber(fields.field[0], decimalComma) &&
            !ReadsAsNumber(fields.field[1], decimalComma)) {
            ReadHeader(fields);
            return;
        }
        if (fields.count > 2) FailAtLine(msg::MeasuredTooManyColumns);
        const double voltage = ReadNumber(fields.field[0], decimalComma);
        if (fields.count < 2) FailAtLine(msg::MeasuredTwoNumbers);
        const double capacitance = ReadNumber(fields.field[1], decimalComma);
        if (!(capacitance > 0)) FailAtLine(msg::MeasuredNonPositive);
        const double farads = capacitance / UnitsPerFarad(curve_.Unit);
        // The C-V chart shows this product; see MinChartPicofarads for why
        // the bounds lie where they do.
        const double picofarads = farads * PicofaradsPerFarad;
        if (!(picofarads >= MinChartPicofarads && picofarads <= MaxChartPicofarads))
            Fail(msg::MeasuredBeyondCharts,
                 {file_, std::to_string(lineNumber_), Quoted(fields.field[1]), UnitSymbol(curve_.Unit)});
        if (curve_.Voltages.size() == MaxMeasuredRows)
            FailAtLine(msg::MeasuredTooManyRows, std::to_string(MaxMeasuredRows));
        curve_.Voltages.push_back(voltage);
        curve_.Capacitances.push_back(farads);
    }

    void ReadHeader(const Fields& fields) {
        const auto [voltageTitle, capacitanceTitle] = ColumnTitles(fields);
        const HeaderUnits units = ReadHeaderUnits(voltageTitle, capacitanceTitle);
        switch (units.Fault) {
        case HeaderFault::None:
            break;
        case HeaderFault::CapacitanceUnit:
            FailAtLine(msg::MeasuredCapacitanceUnit, Quoted(capacitanceTitle));
        case HeaderFault::VoltageUnit:
            FailAtLine(msg::MeasuredVoltageUnit, Quoted(voltageTitle));
        }
        curve_.Unit = units.Unit;
        curve_.UnitAssumed = units.UnitAssumed;
    }

    static bool ReadsAsNumber(std::string_view field, bool decimalComma) {
        double value = 0;
        return !field.empty() && ScanNumber(field, decimalComma, value) != Scan::NotANumber;
    }

    double ReadNumber(std::string_view field, bool decimalComma) const {
        if (field.empty()) FailAtLine(msg::MeasuredTwoNumbers);
        double value = 0;
        switch (ScanNumber(field, decimalComma, value)) {
        case Scan::Number:
            return value;
        case Scan::NotANumber:
            FailAtLine(msg::MeasuredNotANumber, Quoted(field));
        case Scan::NotFinite:
            FailAtLine(msg::MeasuredNotFinite, Quoted(field));
        case Scan::OutOfRange:
            break;
        }
        FailAtLine(msg::MeasuredOutOfRange, Quoted(field));
    }

    void SortByVoltage() {
        std::vector<double>& voltages = curve_.Voltages;
        std::vector<double>& capacitances = curve_.Capacitances;
        if (std::is_sorted(voltages.begin(), voltages.end())) return;
        std::vector<std::size_t> order(voltages.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return voltages[a] < voltages[b]; });
        std::vector<double> sortedVoltages(order.size());
        std::vector<double> sortedCapacitances(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            sortedVoltages[i] = voltages[order[i]];
            sortedCapacitances[i] = capacitances[order[i]];
        }
        voltages = std::move(sortedVoltages);
        capacitances = std::move(sortedCapacitances);
    }

    std::string_view file_;
    std::size_t lineNumber_ = 0;
    bool contentSeen_ = false;
    MeasuredCurve curve_;
};

// Closes the file however the reading ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

private:
    int fd_;
};

}  // namespace

MeasuredCurve ParseMeasuredCurve(std::string_view text, std::string_view fileNameForMessages) {
    return CurveParser(fileNameForMessages).Parse(text);
}

MeasuredCurve ReadMeasuredCurve(const std::string& path) {
    // Only a regular file is read: a named pipe nobody writes to would wait
    // for ever, a device such as /dev/zero never ends, and opening some
    // devices does something.  So the type is checked before the file is
    // opened, and again on the open file, which is opened without blocking
    // in case a pipe took the file's place in between.
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) Fail(msg::MeasuredNotRegularFile, {path});
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) Fail(errno == ENOENT || errno == ENOTDIR ? msg::MeasuredNotFound : msg::MeasuredUnreadable, {path});
    const Descriptor closer(fd);
    if (fstat(fd, &info) != 0) Fail(msg::MeasuredUnreadable, {path});
    if (!S_ISREG(info.st_mode)) Fail(msg::MeasuredNotRegularFile, {path});
    const std::string limit = std::to_string(MaxMeasuredFileBytes);
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (size > MaxMeasuredFileBytes) Fail(msg::MeasuredTooLarge, {path, limit});
    // Room for the whole file and one byte more, so that its end is seen in
    // one read; a file that grows meanwhile is read on up to the limit.
    std::size_t capacity = static_cast<std::size_t>(size) + 1;
    // Left uninitialised: every byte that counts is read into it.
    auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t length = 0;
    for (;;) {
        const ssize_t got = read(fd, buffer.get() + length, capacity - length);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) Fail(msg::MeasuredUnreadable, {path});
        if (got == 0) break;
        length += static_cast<std::size_t>(got);
        if (length > MaxMeasuredFileBytes) Fail(msg::MeasuredTooLarge, {path, limit});
        if (length < capacity) continue;
        capacity = std::min(capacity * 2, static_cast<std::size_t>(MaxMeasuredFileBytes) + 1);
        auto larger = std::make_unique_for_overwrite<char[]>(capacity);
        std::memcpy(larger.get(), buffer.get(), length);
        buffer = std::move(larger);
    }
    const std::string_view text(buffer.get(), length);
    return ParseMeasuredCurve(text, path);
}

std::vector<double> InverseSquares(const MeasuredCurve& curve) {
    std::vector<double> values;
    values.reserve(curve.Capacitances.size());
    for (double capacitance : curve.Capacitances) values.push_back(InverseSquare(capacitance));
    return values;
}

}  // namespace cvcalc
