// What one calculation run leaves for the results that go out of the
// program (data files, figures, the worked-solution report): the inputs as
// typed and as used, the material constants and the junction's numbers.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "physics/JunctionInputs.h"
#include "physics/JunctionResult.h"
#include "physics/MaterialConstants.h"

namespace cvcalc {

// The straight line last fitted through 1/C² (Mott–Schottky), as the report
// shows it.
struct FitRecord {
    bool present = false;
    bool onMeasured = false;           // through the loaded points, not the computed curve
    double vmin = 0, vmax = 0;         // the voltage range fitted, V
    double area = 0;                   // m², the area the doping is read with
    double areaSquareMillimetres = 0;  // the same as the run that gave it used it, mm²
    double Slope = 0;                  // F^-2/V
    double Intercept = 0;              // F^-2
    double V0 = 0;                     // V
    double Neff = 0;                   // cm^-3
    double R2 = 0;
    std::size_t Points = 0;
    std::string measuredUnit;  // the loaded points' capacitance unit: "nF", "pF (assumed)"
};

// One point of a doping profile as results show it.
struct ProfilePointRecord {
    double depthMicrometres = 0;  // W
    double density = 0;           // N(W), cm^-3
    bool resolved = false;        // W >= 3 L_D at that N
};

// The doping profile last drawn: what it was made from, and its points in
// the order of their voltages (the depth falls as the voltage rises).
struct ProfileRecord {
    bool present = false;
    bool onMeasured = false;    // from the loaded points, not the computed curve
    int halfWidth = 0;          // k: the slope's window is 2k + 1 points
    double vmin = 0, vmax = 0;  // the C-V chart's visible voltages, V
    double areaSquareMillimetres = 0;
    std::size_t pointsInRange = 0;
    std::size_t leftOut = 0;     // points whose slope of 1/C² was zero or rising
    std::size_t unresolved = 0;  // points within three Debye lengths
    std::vector<ProfilePointRecord> points;
};

// The grading exponent last fitted, C = C0 (1 − V/V0)^(−m).
struct GradingRecord {
    bool present = false;
    bool onMeasured = false;
    double vmin = 0, vmax = 0;  // V
    double M = 0;
    double V0 = 0;  // V
    double C0 = 0;  // F
    double R2 = 0;
    std::size_t Points = 0;
    std::string measuredUnit;
};

// A run begun after the recorded one that stopped at an input error.  The
// charts still show the recorded run, except that a bias exactly at Vbi
// fails only after the sweep, whose C-V and 1/C² curves are then shown.
struct FailedRunRecord {
    bool present = false;
    std::array<std::string, 4> typed;  // the four edit texts it began with
    std::string message;               // the error it stopped with
    bool capacitanceCurvesReplaced = false;
};

struct RunRecord {
    // True once a run has completed; a later run that fails leaves the
    // record as it was (the charts still show that run), Reset clears it.
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
    // Likewise the doping profile and the grading fit.
    ProfileRecord profile;
    GradingRecord grading;

    // Set when a run after this one stopped at an input error.
    FailedRunRecord laterFailure;

    // Which state of the window's results this is: it counts every change
    // of what the report shows, so that a page knows whether it is current.
    unsigned resultsVersion = 0;
};

// The run's inputs in one line, as legends and file headers name a run:
// "Nd 1E15 Na 1E18 A 1 V -3".
inline std::string RunInputsLine(const RunRecord& run) {
    return "Nd " + run.usedText[0] + " Na " + run.usedText[1] + " A " + run.usedText[2] + " V " + run.usedText[3];
}

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
    run.laterFailure = FailedRunRecord{};
}

// The program's name and version as results name them.
inline constexpr const char* ProgramName = "cvcalc";
inline constexpr const char* ProgramVersion = "1.0";

}  // namespace cvcalc
