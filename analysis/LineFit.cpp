// The straight-line fit in two passes over the points in range: the means
// first, then the sums of products of the deviations from them.  One pass of
// raw sums (Σx², n·x̄²) would lose the slope to cancellation wherever the
// voltages' spread is small beside their distance from 0 V.
#include "analysis/LineFit.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {
using Extended = long double;

constexpr Extended CubicCentimetresPerCubicMetre = 1e6;

[[noreturn]] void Fail(int id) { throw EFitError(LoadMessage(id)); }
}  // namespace

LineFit FitInverseSquareLine(std::span<const double> voltages, std::span<const double> inverseSquares, double vmin,
                             double vmax, double area, const MaterialConstants& constants) {
    assert(voltages.size() == inverseSquares.size());
    const std::size_t size = std::min(voltages.size(), inverseSquares.size());
    const auto inRange = [&](double v) { return v >= vmin && v <= vmax; };

    std::size_t count = 0;
    Extended sumX = 0;
    Extended sumY = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (!inRange(voltages[i])) continue;
        ++count;
        sumX += voltages[i];
        sumY += inverseSquares[i];
    }
    if (count < 2) Fail(msg::FitTooFewPoints);
    const Extended meanX = sumX / static_cast<Extended>(count);
    const Extended meanY = sumY / static_cast<Extended>(count);

    Extended sxx = 0;
    Extended sxy = 0;
    Extended syy = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (!inRange(voltages[i])) continue;
        const Extended dx = voltages[i] - meanX;
        const Extended dy = inverseSquares[i] - meanY;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    if (sxx == 0) Fail(msg::FitOneVoltage);

    const Extended slope = sxy / sxx;
    const Extended areaSquared = Extended(area) * area;
    const Extended permittivityCharge =
        (Extended(constants.ElementaryCharge) * constants.RelativePermittivity) * constants.VacuumPermittivity;
    const Extended intercept = meanY - slope * meanX;
    LineFit fit;
    fit.Slope = static_cast<double>(slope);
    fit.Intercept = static_cast<double>(intercept);
    fit.V0 = static_cast<double>(-intercept / slope);
    fit.Neff =
        static_cast<double>(2 / (permittivityCharge * areaSquared * std::fabs(slope)) / CubicCentimetresPerCubicMetre);
    // At most 1; rounding may carry a perfect line a hair above.
    fit.R2 = static_cast<double>(std::min(sxy / sxx * sxy / syy, Extended(1)));
    fit.Points = count;
    if (!std::isfinite(fit.Slope) || !std::isfinite(fit.Intercept) || !std::isfinite(fit.V0) ||
        !std::isfinite(fit.Neff) || !std::isfinite(fit.R2))
        Fail(msg::FitNotFinite);
    return fit;
}

}  // namespace cvcalc
