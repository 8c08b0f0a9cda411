// A measured C-V curve read from a text file: the voltages and capacitances
// of a real diode, for plotting next to the computed curves and fitting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Exception.h"

namespace cvcalc {

// Numbers of the messages a measured file raises.
namespace msg {
inline constexpr int MeasuredNotFound = 65200;
inline constexpr int MeasuredUnreadable = 65201;
inline constexpr int MeasuredTooLarge = 65202;
inline constexpr int MeasuredNoRows = 65203;
inline constexpr int MeasuredNotText = 65204;
inline constexpr int MeasuredTwoNumbers = 65205;
inline constexpr int MeasuredTooManyColumns = 65206;
inline constexpr int MeasuredNotANumber = 65207;
inline constexpr int MeasuredNotFinite = 65208;
inline constexpr int MeasuredOutOfRange = 65209;
inline constexpr int MeasuredNonPositive = 65210;
inline constexpr int MeasuredTooManyRows = 65211;
inline constexpr int MeasuredCapacitanceUnit = 65230;
inline constexpr int MeasuredVoltageUnit = 65231;
inline constexpr int MeasuredNotRegularFile = 65232;
inline constexpr int MeasuredBeyondCharts = 65233;
}  // namespace msg

// Every fault of a measured file: the message names the file, the line
// where there is one, and what is wrong.
class EMeasuredData : public Exception {
public:
    using Exception::Exception;
};

// The unit of the file's capacitance column, named in its header.
enum class CapacitanceUnit : std::uint8_t {
    Farad,
    Millifarad,
    Microfarad,
    Nanofarad,
    Picofarad,
    Femtofarad,
    Attofarad
};

// How many of `unit` make one farad.  Every factor is a power of ten that a
// double holds exactly, so that dividing by it rounds a value once.
constexpr double UnitsPerFarad(CapacitanceUnit unit) {
    switch (unit) {
    case CapacitanceUnit::Farad:
        return 1;
    case CapacitanceUnit::Millifarad:
        return 1e3;
    case CapacitanceUnit::Microfarad:
        return 1e6;
    case CapacitanceUnit::Nanofarad:
        return 1e9;
    case CapacitanceUnit::Picofarad:
        break;
    case CapacitanceUnit::Femtofarad:
        return 1e15;
    case CapacitanceUnit::Attofarad:
        return 1e18;
    }
    return 1e12;
}

// The unit's symbol as a label shows it ("µF").
std::string_view UnitSymbol(CapacitanceUnit unit);

struct MeasuredCurve {
    std::vector<double> Voltages;      // V, ascending; equal voltages keep the file's order
    std::vector<double> Capacitances;  // F, each at the voltage of the same index
    CapacitanceUnit Unit = CapacitanceUnit::Picofarad;
    // True when the file named no capacitance unit and pF was taken for it,
    // so that a label can say "pF (assumed)".
    bool UnitAssumed = true;
};

// The capacitances a file may hold, in pF: the C-V chart shows C in pF and
// the 1/C² chart 1/C² in nF^-2, and both must keep every value and the
// axis arithmetic on it (ranges, steps, squares) far from overflow and from
// the subnormals.  1e-47 ... 1e53 pF puts 1/C² within about 1e-100 ... 1e100
// nF^-2 and C itself well inside that, so a square or a product of two such
// numbers stays within about 1e-200 ... 1e200.  Real diodes lie in 1e-3 ... 1e6 pF.
inline constexpr double MinChartPicofarads = 1e-47;
inline constexpr double MaxChartPicofarads = 1e53;

// The most data rows a file may hold.
inline constexpr std::size_t MaxMeasuredRows = 1'000'000;
// The largest file ReadMeasuredCurve reads: a whole row limit's worth of
// long lines, with room for comments.
inline constexpr std::uintmax_t MaxMeasuredFileBytes = std::uintmax_t{256} << 20;

// Parses a measured file's text.  Comment lines begin with '#' (after
// blanks), blank lines are skipped, the first other line is a header when
// neither of its first two fields reads as a number, and every further line
// is one row: voltage in V, capacitance in the header's unit (F, mF, µF,
// nF, pF, fF or aF; pF, marked assumed, when it names none).  A header that
// names another unit for either column is refused.  Fields are separated by
// a semicolon, else a comma, else blanks and tabs, whichever a line holds
// first in that order; with a semicolon a decimal comma is read too.  The
// rows come back sorted by voltage.  Any fault raises EMeasuredData naming
// `fileNameForMessages`; nothing is returned in part.
MeasuredCurve ParseMeasuredCurve(std::string_view text, std::string_view fileNameForMessages);

// Reads the file at `path` and parses it as above; the messages name `path`
// as given.  A missing, unreadable or oversized file raises EMeasuredData,
// and so does anything that is not a regular file (a named pipe, a device,
// a folder), without waiting on it.
MeasuredCurve ReadMeasuredCurve(const std::string& path);

// 1/C² in F^-2 for every point of `curve`, formed as the computed curves
// form theirs.  Finite for every curve the reader returns.
std::vector<double> InverseSquares(const MeasuredCurve& curve);

}  // namespace cvcalc
