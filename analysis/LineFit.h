// The Mott-Schottky straight line: a least-squares fit of 1/C² against the
// voltage, read as the junction's built-in potential and effective doping.
#pragma once

#include <cstddef>
#include <span>

#include "physics/MaterialConstants.h"
#include "platform/core/Exception.h"

namespace cvcalc {

// Numbers of the messages a fit raises.
namespace msg {
inline constexpr int FitTooFewPoints = 65215;
inline constexpr int FitOneVoltage = 65216;
inline constexpr int FitNotFinite = 65217;
}  // namespace msg

class EFitError : public Exception {
public:
    using Exception::Exception;
};

struct LineFit {
    double Slope = 0;      // F^-2/V
    double Intercept = 0;  // F^-2, the line at 0 V
    double V0 = 0;         // V, where the line reaches zero: the built-in potential
    double Neff = 0;       // cm^-3, Na·Nd/(Na + Nd) of an abrupt junction
    double R2 = 0;         // coefficient of determination
    std::size_t Points = 0;
};

// Fits 1/C² = Intercept + Slope·V through the points whose voltage lies in
// [vmin, vmax] (`voltages` in V, `inverseSquares` in F^-2, of one length);
// `area` is the junction area in m^2.  Neff = 2 / (q εr ε0 A² |Slope|).
// Fewer than two points in the range, all of them at one voltage, or a
// result that is not finite raise EFitError.
LineFit FitInverseSquareLine(std::span<const double> voltages, std::span<const double> inverseSquares, double vmin,
                             double vmax, double area, const MaterialConstants& constants);

}  // namespace cvcalc
