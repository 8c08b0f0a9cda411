// The equilibrium junction and the order of one calculation run.  Every
// formula is evaluated in extended precision (64-bit significand) in the
// order written and rounded to a double where its value is stored.
#include "physics/Junction.h"

#include <cmath>

#include "physics/CapacitanceCurves.h"
#include "physics/Profiles.h"
#include "physics/Truncation.h"
#include "platform/core/FloatControl.h"
#include "platform/core/RuntimeFaults.h"

namespace cvcalc {

namespace {
using Extended = long double;

// Entry units to SI: cm^-3 to m^-3 and mm^2 to m^2.
constexpr double PerCubicCentimetre = 1e6;
constexpr double SquareMillimetre = 1e-6;

// Vbi from densities already in m^-3.
double DiffusionPotentialSi(const MaterialConstants& constants, double nd, double na) {
    const Extended ni = constants.IntrinsicDensity;
    const Extended thermalVoltage =
        (Extended(constants.BoltzmannConstant) * constants.Temperature) / constants.ElementaryCharge;
    return static_cast<double>(std::log(((Extended(na) * nd) / ni) / ni) * thermalVoltage);
}

double ToSi(double value, double factor) { return static_cast<double>(Extended(value) * factor); }
}  // namespace

double ComputeDiffusionPotential(const MaterialConstants& constants, double donorDensity, double acceptorDensity) {
    return RunFloatChecked([&] {
        double nd = ToSi(donorDensity, PerCubicCentimetre);
        double na = ToSi(acceptorDensity, PerCubicCentimetre);
        FloatBarrier(nd);
        FloatBarrier(na);
        return DiffusionPotentialSi(constants, nd, na);
    });
}

double ComputeMaximumBias(double vbi) {
    const std::int32_t tenths = TruncateToInt32(Extended(vbi) * 10);
    return static_cast<double>(Extended(tenths) * SweepStep);
}

void SolveJunction(const MaterialConstants& constants, const JunctionInputs& inputs, JunctionResult& result) {
    RunFloatChecked([&] {
        result.Nd = ToSi(inputs.DonorDensity, PerCubicCentimetre);
        result.Na = ToSi(inputs.AcceptorDensity, PerCubicCentimetre);
        result.A = ToSi(inputs.JunctionArea, SquareMillimetre);
        result.V = inputs.Bias;
    });
    // A NaN or an infinity would pass through the arithmetic without raising
    // a flag and end as meaningless curves; it is an invalid operation here.
    if (!std::isfinite(result.Nd) || !std::isfinite(result.Na) || !std::isfinite(result.A) || !std::isfinite(result.V))
        throw EInvalidOp();

    result.DiffusionPotential = ComputeDiffusionPotential(constants, inputs.DonorDensity, inputs.AcceptorDensity);

    // The capacitance at the bias divides by Vbi - V; a bias exactly at Vbi
    // ends the run there, with the sweep already complete.
    BuildCapacitanceCurves(constants, result);

    RunFloatChecked([&] {
        const Extended q = constants.ElementaryCharge;
        const Extended er = constants.RelativePermittivity;
        const Extended e0 = constants.VacuumPermittivity;
        const Extended nd = result.Nd;
        const Extended na = result.Na;
        const Extended permittivityTwice = (Extended(2) * er) * e0;
        const Extended drop = Extended(result.DiffusionPotential) - result.V;
        const Extended densitySum = na + nd;

        const double xn = static_cast<double>(std::sqrt(((permittivityTwice * na) * drop) / q / nd / densitySum));
        const double xp = static_cast<double>(std::sqrt(((permittivityTwice * nd) * drop) / q / na / densitySum));
        result.DepletionWidthN = xn;
        result.DepletionWidthP = xp;
        result.NSideDrop = static_cast<double>(((Extended(xn) * ((q * nd) * xn)) * 0.5) / er / e0);

        const Extended thermalVoltage = (Extended(constants.BoltzmannConstant) * constants.Temperature) / q;
        result.ConductionBandOffset =
            static_cast<double>(std::log(Extended(constants.ConductionBandDensity) / nd) * thermalVoltage);
    });

    BuildProfiles(constants, result);
}

}  // namespace cvcalc
