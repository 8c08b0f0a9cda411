// The grading exponent of a junction: C = C0 · (1 − V/V0)^(−m), m = 1/2 for
// an abrupt junction and 1/3 for a linearly graded one.
#pragma once

#include <cstddef>
#include <span>

#include "analysis/DopingProfile.h"

namespace cvcalc {

struct GradingFit {
    double M = 0;   // grading exponent
    double V0 = 0;  // V, the built-in potential the law diverges at
    double C0 = 0;  // F, the capacitance at 0 V
    double R2 = 0;  // of ln C against ln(1 − V/V0)
    std::size_t Points = 0;
};

// Fits the law to the points whose voltage lies in [vmin, vmax]
// (`voltages` in V, `capacitances` in F, of one length) by least squares on
// ln C: for each V0 above the largest voltage (and above 0 V) m and C0 come
// from a straight line in ln(1 − V/V0), and V0 is the one whose line leaves
// the least squared residue, found by a bounded one-dimensional search.
// Fewer than three points in range, all at one voltage, or a best V0 at an
// end of the search (the data follow no such law) raise EProfileError.
GradingFit FitGradingExponent(std::span<const double> voltages, std::span<const double> capacitances, double vmin,
                              double vmax);

}  // namespace cvcalc
