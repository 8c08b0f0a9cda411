// What one calculation run leaves for the results that go out of the
// program (data files, figures, the worked-solution report): the inputs as
// typed and as used, the material constants and the junction's numbers.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "physics/JunctionInputs.h"
#include "physics/JunctionResult.h"
#include "physics/MaterialConstants.h"

namespace cvcalc {

// The straight line last fitted through 1/C² (Mott–Schottky), as the report
// shows it.
struct FitRecord {
    bool present = false;
    bool onMeasured = false;    // through the loaded points, not the computed curve
    double vmin = 0, vmax = 0;  // the voltage range fitted, V
    double area = 0;            // m², the area the doping is read with
    double Slope = 0;           // F^-2/V
    double Intercept = 0;       // F^-2
    double V0 = 0;              // V
    double Neff = 0;            // cm^-3
    double R2 = 0;
    std::size_t Points = 0;
};

struct RunRecord {
    // False before the first run, after Reset and after a run that failed.
    bool complete = false;

    // The four edit texts as the user left them when the run began: donor
    // density, acceptor density, junction area, bias.
    std::array<std::string, 4> typed;
    // The inputs after clamping, in the window's units (cm^-3, mm², V).
    JunctionInputs used;
    // The texts the window echoes them with, and the Vbi label's text.
    std::array<std::string, 4> usedText;
    std::string diffusionPotentialText;

    MaterialConstants constants;

    // The junction's numbers, SI units as the physics computes them.
    double DiffusionPotential = 0;    // Vbi, V
    double MaximumBias = 0;           // V
    double DepletionWidthN = 0;       // xn, m
    double DepletionWidthP = 0;       // xp, m
    double NSideDrop = 0;             // Vn, V
    double ConductionBandOffset = 0;  // ΔEc, eV
    double BiasCapacitance = 0;       // Cb, F
    double BiasInverseSquare = 0;     // 1/Cb², F^-2

    // Kept apart from `complete`: a line through measured points needs no run.
    FitRecord fit;
};

// Copies the junction's numbers of `result` into `run` and marks it complete.
inline void RecordJunctionNumbers(RunRecord& run, const JunctionResult& result, double maximumBias) {
    run.DiffusionPotential = result.DiffusionPotential;
    run.MaximumBias = maximumBias;
    run.DepletionWidthN = result.DepletionWidthN;
    run.DepletionWidthP = result.DepletionWidthP;
    run.NSideDrop = result.NSideDrop;
    run.ConductionBandOffset = result.ConductionBandOffset;
    run.BiasCapacitance = result.BiasCapacitance;
    run.BiasInverseSquare = result.BiasInverseSquare;
    run.complete = true;
}

// The program's name and version as results name them.
inline constexpr const char* ProgramName = "cvcalc";
inline constexpr const char* ProgramVersion = "1.0";

}  // namespace cvcalc
