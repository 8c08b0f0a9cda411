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
}  // namespace msg

// Every fault of a measured file: the message names the file, the line
// where there is one, and what is wrong.
class EMeasuredData : public Exception {
public:
    using Exception::Exception;
};

// The unit of the file's capacitance column, named in its header.
enum class CapacitanceUnit : std::uint8_t { Farad, Nanofarad, Picofarad };

struct MeasuredCurve {
    std::vector<double> Voltages;      // V, ascending; equal voltages keep the file's order
    std::vector<double> Capacitances;  // F, positive, each at the voltage of the same index
    CapacitanceUnit Unit = CapacitanceUnit::Picofarad;
};

// The most data rows a file may hold.
inline constexpr std::size_t MaxMeasuredRows = 1'000'000;
// The largest file ReadMeasuredCurve reads: a whole row limit's worth of
// long lines, with room for comments.
inline constexpr std::uintmax_t MaxMeasuredFileBytes = std::uintmax_t{256} << 20;

// Parses a measured file's text.  Comment lines begin with '#' (after
// blanks), blank lines are skipped, the first other line is a header when
// its first field is not a number, and every further line is one row:
// voltage in V, capacitance in the header's unit (F, nF or pF; pF when it
// names none).  Fields are separated by a semicolon, else a comma, else
// blanks and tabs, whichever a line holds first in that order; with a
// semicolon a decimal comma is read too.  The rows come back sorted by
// voltage.  Any fault raises EMeasuredData naming `fileNameForMessages`;
// nothing is returned in part.
MeasuredCurve ParseMeasuredCurve(std::string_view text, std::string_view fileNameForMessages);

// Reads the file at `path` and parses it as above; the messages name `path`
// as given.  A missing, unreadable or oversized file raises EMeasuredData.
MeasuredCurve ReadMeasuredCurve(const std::string& path);

// 1/C² in F^-2 for every point of `curve`, formed as the computed curves
// form theirs.  Finite for every curve the reader returns.
std::vector<double> InverseSquares(const MeasuredCurve& curve);

}  // namespace cvcalc
