// The spatial profiles across the junction: potential, band edges, Fermi
// levels and charge outlines on a grid of 2000 positions.
#pragma once

#include "physics/JunctionResult.h"
#include "physics/MaterialConstants.h"

namespace cvcalc {

// The grid constants are exact doubles chosen for their last bits: sample
// 1000 lands just on the n side (about +1e-21 m) and the span gives 2000
// samples, not 2001.
inline constexpr double ProfileStart = -9.999999999999999e-06;  // -1e-5 m plus one unit in the last place
inline constexpr double ProfileStep = 1e-8;                     // m
inline constexpr double ProfileSpan = 1.9999999999999998e-05;   // 2e-5 m minus one unit in the last place
// Half-width of the plot; a depletion layer wider than this leaves its
// charge block open at the edge of the chart.
inline constexpr double ProfileEdgeLimit = 9.999999999999999e-06;  // 1e-5 m minus one unit in the last place

// Reads Nd, Na, V, DiffusionPotential, DepletionWidthN, DepletionWidthP,
// NSideDrop and ConductionBandOffset from `result`; fills the four position
// sample lists, the three indices and the seven position plot lists.
void BuildProfiles(const MaterialConstants& constants, JunctionResult& result);

}  // namespace cvcalc
