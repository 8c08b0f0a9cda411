// The units a measured file's header names for its voltage and capacitance
// columns, read from the two column titles.
#pragma once

#include <cstdint>
#include <string_view>

#include "analysis/MeasuredData.h"

namespace cvcalc {

enum class HeaderFault : std::uint8_t { None, CapacitanceUnit, VoltageUnit };

struct HeaderUnits {
    CapacitanceUnit Unit = CapacitanceUnit::Picofarad;
    bool UnitAssumed = true;
    HeaderFault Fault = HeaderFault::None;
};

// The unit is the text of the title's last group in parentheses or brackets
// ("C (pF)", "Capacitance [nF]"), else the title's last word ("C_F", "C/nF",
// "farads").  A capacitance title that names no unit ("C", "capacitance")
// leaves pF, assumed, as a file without a header does: the title is then a
// name only, and pF is what capacitance meters write by default.  A title
// whose unit is not one of F, mF, µF (uF, with the micro sign or the Greek
// mu), nF, pF, fF, aF or a farad word, or that holds such a word anywhere
// but as its unit ("C at f=1 MHz"), is a fault: the file could be read with
// a factor of up to 10^18 wrong.  The voltage title may name V only.
HeaderUnits ReadHeaderUnits(std::string_view voltageTitle, std::string_view capacitanceTitle);

}  // namespace cvcalc
