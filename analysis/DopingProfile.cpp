// The local least-squares slope over a sliding window of 2k + 1 points with
// long double sums taken about the window's middle, so that the slope keeps
// its digits where the window is narrow beside its distance from 0 V.
#include "analysis/DopingProfile.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string>

#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {
using Extended = long double;

constexpr Extended CubicCentimetresPerCubicMetre = 1e6;
constexpr Extended MicrometresPerMetre = 1e6;

[[noreturn]] void Fail(int id) { throw EProfileError(LoadMessage(id)); }

// The slope of the least-squares line through (x[i], y[i]) for i in
// [from, to); zero when the window holds one voltage only.  The sums are
// taken about the window's middle point, which lies at its mean on an even
// grid, so the correction terms Sx·Sy/n and Sx²/n stay small and one pass
// keeps the digits that two passes about the exact mean would.
Extended WindowSlope(const double* x, const double* y, std::size_t from, std::size_t to) {
    const std::size_t middle = from + (to - from) / 2;
    const Extended cx = x[middle], cy = y[middle];
    Extended sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = from; i < to; ++i) {
        const Extended dx = x[i] - cx, dy = y[i] - cy;
        sx += dx;
        sy += dy;
        sxx += dx * dx;
        sxy += dx * dy;
    }
    const Extended n = static_cast<Extended>(to - from);
    const Extended centredXX = sxx - sx * sx / n;
    return centredXX > 0 ? (sxy - sx * sy / n) / centredXX : 0;
}
}  // namespace

double DebyeLengthMicrometres(double densityPerCubicCentimetre, const MaterialConstants& constants) {
    const Extended q = constants.ElementaryCharge;
    const Extended n = Extended(densityPerCubicCentimetre) * CubicCentimetresPerCubicMetre;
    const Extended thermal = Extended(constants.RelativePermittivity) * constants.VacuumPermittivity *
                             constants.BoltzmannConstant * constants.Temperature;
    return static_cast<double>(std::sqrt(thermal / (q * q * n)) * MicrometresPerMetre);
}

DopingProfile ComputeDopingProfile(std::span<const double> voltages, std::span<const double> inverseSquares,
                                   double vmin, double vmax, int halfWidth, double area,
                                   const MaterialConstants& constants) {
    assert(voltages.size() == inverseSquares.size());
    if (halfWidth < MinimumProfileHalfWidth || halfWidth > MaximumProfileHalfWidth) {
        throw EProfileError(LoadMessageFormatted(msg::ProfileWindowOutOfRange, {std::to_string(halfWidth)}));
    }
    const std::size_t size = std::min(voltages.size(), inverseSquares.size());
    // The points in range, in their voltage order: one run of the ascending
    // voltages, read in place; copied only when they are not one run.
    const auto inRange = [&](std::size_t i) { return voltages[i] >= vmin && voltages[i] <= vmax; };
    std::size_t first = 0;
    while (first < size && !inRange(first)) ++first;
    std::size_t end = first;
    while (end < size && inRange(end)) ++end;
    std::vector<double> gatheredX, gatheredY;
    const double* x = voltages.data() + first;
    const double* y = inverseSquares.data() + first;
    std::size_t n = end - first;
    for (std::size_t i = end; i < size; ++i)
        if (inRange(i)) {
            gatheredX.assign(x, x + n);
            gatheredY.assign(y, y + n);
            for (std::size_t j = i; j < size; ++j)
                if (inRange(j)) {
                    gatheredX.push_back(voltages[j]);
                    gatheredY.push_back(inverseSquares[j]);
                }
            x = gatheredX.data();
            y = gatheredY.data();
            n = gatheredX.size();
            break;
        }
    const std::size_t window = 2 * static_cast<std::size_t>(halfWidth) + 1;
    if (n < window)
        throw EProfileError(
            LoadMessageFormatted(msg::ProfileTooFewPoints, {std::to_string(window), std::to_string(halfWidth)}));
    if (x[0] == x[n - 1]) Fail(msg::ProfileOneVoltage);

    const Extended permittivity = Extended(constants.RelativePermittivity) * constants.VacuumPermittivity;
    const Extended areaSquared = Extended(area) * area;
    const Extended densityNumerator = 2 / (Extended(constants.ElementaryCharge) * permittivity * areaSquared);

    DopingProfile profile;
    profile.HalfWidth = halfWidth;
    profile.PointsInRange = n;
    profile.Points.reserve(n);
    const std::size_t k = static_cast<std::size_t>(halfWidth);
    for (std::size_t i = 0; i < n; ++i) {
        // The window centred on i, moved inside the ends where it would
        // reach beyond them: always 2k + 1 points.
        const std::size_t from = std::min(i >= k ? i - k : 0, n - window);
        const Extended slope = WindowSlope(x, y, from, from + window);
        // 1/C² falls towards forward bias; a flat or rising window says
        // nothing about the doping (noise, or a window of one voltage).
        const double density =
            slope < 0 ? static_cast<double>(densityNumerator / -slope / CubicCentimetresPerCubicMetre) : 0;
        const double depth = static_cast<double>(permittivity * area * std::sqrt(Extended(y[i])) * MicrometresPerMetre);
        if (!(slope < 0) || !std::isfinite(density) || !(density > 0) || !std::isfinite(depth)) {
            ++profile.LeftOut;
            continue;
        }
        ProfilePoint point;
        point.Voltage = x[i];
        point.Depth = depth;
        point.Density = density;
        point.DebyeLength = DebyeLengthMicrometres(density, constants);
        // A depletion edge within three Debye lengths of the junction is
        // smeared by the free carriers over a distance as large as itself.
        point.Resolved = !(depth < 3 * point.DebyeLength);
        if (!point.Resolved) ++profile.Unresolved;
        profile.Points.push_back(point);
    }
    if (profile.Points.empty()) Fail(msg::ProfileNoSlope);
    return profile;
}

}  // namespace cvcalc
