// The C-V and 1/C²-V curves over the fixed voltage sweep, and both values at
// the applied voltage.
#pragma once

#include "physics/JunctionResult.h"
#include "physics/MaterialConstants.h"

namespace cvcalc {

inline constexpr double SweepStart = -10.0;  // V
inline constexpr double SweepStep = 0.1;     // V

// Reads Nd, Na, A, V and DiffusionPotential from `result`; fills the three
// sweep lists with CapacitanceCurve and InverseSquareCurve, then
// BiasCapacitance, BiasInverseSquare and the two markers.  A bias equal to
// Vbi raises EZeroDivide after the sweep lists and curves are complete;
// the markers are then empty and the two bias numbers unchanged.
void BuildCapacitanceCurves(const MaterialConstants& constants, JunctionResult& result);

}  // namespace cvcalc
