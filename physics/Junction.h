// The equilibrium junction: diffusion potential, the highest accepted bias
// and the whole calculation of one run.
#pragma once

#include "physics/JunctionInputs.h"
#include "physics/JunctionResult.h"
#include "physics/MaterialConstants.h"

namespace cvcalc {

// Vbi in V from the two densities in cm^-3.  A density that is zero,
// negative or beyond the double range raises the arithmetic fault it causes.
double ComputeDiffusionPotential(const MaterialConstants& constants, double donorDensity, double acceptorDensity);

// The highest applied voltage the window accepts: Vbi cut down to a multiple
// of 0.1 V, computed as n × 0.1.  Never above Vbi.
double ComputeMaximumBias(double vbi);

// The whole computation of one run, written into `result` in place: SI
// working values, Vbi, the capacitance curves, depletion widths, n-side
// drop, conduction-band offset and the spatial profiles.  A bias exactly at
// Vbi raises EZeroDivide from the capacitance at the bias; the sweep and
// its two curves are complete by then and stay in `result`.
void SolveJunction(const MaterialConstants& constants, const JunctionInputs& inputs, JunctionResult& result);

}  // namespace cvcalc
