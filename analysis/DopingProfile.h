// The C-V doping profile: the doping at the depletion edge against the depth
// of that edge, from the local slope of 1/C² at each measured point.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "physics/MaterialConstants.h"
#include "platform/core/Exception.h"

namespace cvcalc {

// Numbers of the messages the profile and the grading fit raise.
namespace msg {
inline constexpr int ProfileWindowOutOfRange = 65260;
inline constexpr int ProfileTooFewPoints = 65261;
inline constexpr int ProfileOneVoltage = 65262;
inline constexpr int ProfileNoSlope = 65263;
inline constexpr int GradingTooFewPoints = 65264;
inline constexpr int GradingOneVoltage = 65265;
inline constexpr int GradingNoConvergence = 65266;
}  // namespace msg

class EProfileError : public Exception {
public:
    using Exception::Exception;
};

// The half-width of the derivative's window: 2k + 1 neighbours.
inline constexpr int MinimumProfileHalfWidth = 1;
inline constexpr int MaximumProfileHalfWidth = 25;
inline constexpr int DefaultProfileHalfWidth = 3;

struct ProfilePoint {
    double Voltage = 0;      // V, the point's own bias
    double Depth = 0;        // W, µm
    double Density = 0;      // N(W), cm^-3
    double DebyeLength = 0;  // L_D at that N, µm
    bool Resolved = false;   // W >= 3 L_D
};

struct DopingProfile {
    std::vector<ProfilePoint> Points;  // in voltage order: the depth falls as V rises
    int HalfWidth = DefaultProfileHalfWidth;
    std::size_t PointsInRange = 0;
    // Points whose local slope of 1/C² was zero or rose with V: left out.
    std::size_t LeftOut = 0;
    std::size_t Unresolved = 0;
};

// The profile of the points whose voltage lies in [vmin, vmax] (`voltages`
// in V ascending, `inverseSquares` in F^-2, of one length; `area` in m^2):
// W = εr ε0 A / C and N = 2 / (q εr ε0 A² |d(1/C²)/dV|), the derivative the
// slope of a least-squares line through the 2k + 1 points around each one
// (near an end the 2k + 1 points nearest it), so that a straight 1/C² gives
// one constant N to the last digits.  A slope that is zero or positive
// (1/C² must fall as the forward bias rises) leaves its point out.
// Raises EProfileError for k outside 1 … 25, fewer than 2k + 1 points in
// range, all of them at one voltage, or no point left.
DopingProfile ComputeDopingProfile(std::span<const double> voltages, std::span<const double> inverseSquares,
                                   double vmin, double vmax, int halfWidth, double area,
                                   const MaterialConstants& constants);

// L_D = √(εr ε0 k T / (q² N)) in µm for N in cm^-3.
double DebyeLengthMicrometres(double densityPerCubicCentimetre, const MaterialConstants& constants);

}  // namespace cvcalc
