// Everything one calculation run computes: the junction's numbers in SI
// units, the sweep and position sample lists, the region indices of the
// position grid and the eleven plot lists in chart units.
#pragma once

#include <cstdint>

#include "physics/PlotPoints.h"
#include "physics/SampleArray.h"

namespace cvcalc {

struct JunctionResult {
    // SI working values of the inputs.
    double Nd = 0;  // donor density, m^-3
    double Na = 0;  // acceptor density, m^-3
    double A = 0;   // junction area, m^2
    double V = 0;   // applied voltage, V, positive forward

    double DiffusionPotential = 0;    // Vbi, V
    double DepletionWidthN = 0;       // xn, m
    double DepletionWidthP = 0;       // xp, m
    double NSideDrop = 0;             // Vn, V
    double ConductionBandOffset = 0;  // ΔEc above the n-side Fermi level, eV
    double BiasCapacitance = 0;       // Cb, F
    double BiasInverseSquare = 0;     // 1/Cb², F^-2

    // The seven sample lists; the calculator window depends on this order.
    SampleArray SweepCapacitances;    // F
    SampleArray SweepInverseSquares;  // F^-2
    SampleArray SweepVoltages;        // V
    SampleArray ConductionBandEdges;  // eV
    SampleArray ValenceBandEdges;     // eV
    SampleArray Potentials;           // V
    SampleArray Positions;            // m

    // Region indices into the position grid.
    std::int32_t JunctionIndex = 0;  // last sample with x <= 0
    std::int32_t NEdgeIndex = 0;     // last sample inside the n-side depletion layer
    std::int32_t PEdgeIndex = 0;     // last sample of the neutral p region

    // C-V and 1/C²-V charts: x in V, y in pF and nF^-2.
    PlotPoints CapacitanceCurve;
    PlotPoints InverseSquareCurve;
    PlotPoints CapacitanceMarker;
    PlotPoints InverseSquareMarker;

    // Position charts: x in µm, y in V, eV or cm^-3.
    PlotPoints PotentialCurve;
    PlotPoints ConductionBandCurve;
    PlotPoints ValenceBandCurve;
    PlotPoints FermiLevelN;
    PlotPoints FermiLevelP;
    PlotPoints DonorChargeOutline;
    PlotPoints AcceptorChargeOutline;
};

}  // namespace cvcalc
