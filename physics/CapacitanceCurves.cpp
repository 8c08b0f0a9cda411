// The depletion capacitance over the voltage sweep and at the bias, in
// extended precision rounded where each value is stored.
#include "physics/CapacitanceCurves.h"

#include <cmath>

#include "physics/Truncation.h"
#include "platform/core/FloatControl.h"

namespace cvcalc {

namespace {
using Extended = long double;

constexpr double PicofaradsPerFarad = 1e12;
constexpr double PerSquareNanofaradPerSquareFarad = 1e-18;

double SweepVoltage(std::int32_t i) { return static_cast<double>(Extended(i) * SweepStep + SweepStart); }

// q εr ε0 Na Nd / 2 / (Na + Nd): the part of C² / A² × (Vbi - V) that does
// not depend on the voltage, in the order the capacitance formula takes it.
Extended CapacitanceNumerator(const MaterialConstants& constants, const JunctionResult& result) {
    const Extended product =
        (((Extended(constants.ElementaryCharge) * constants.RelativePermittivity) * constants.VacuumPermittivity) *
         result.Na) *
        result.Nd;
    return (product * 0.5) / (Extended(result.Na) + result.Nd);
}

double Capacitance(Extended numerator, double area, double vbi, double voltage) {
    return static_cast<double>(std::sqrt(numerator / (Extended(vbi) - voltage)) * area);
}

double InverseSquare(double capacitance) { return static_cast<double>((Extended(1) / capacitance) / capacitance); }

double Scaled(double value, double factor) { return static_cast<double>(Extended(value) * factor); }
}  // namespace

void BuildCapacitanceCurves(const MaterialConstants& constants, JunctionResult& result) {
    const double vbi = result.DiffusionPotential;
    const Extended sweepOffset = std::fabs(std::trunc(Extended(SweepStart)));
    std::int32_t count = TruncateToInt32((sweepOffset + vbi) / SweepStep + 1);
    // For a few Vbi just above a multiple of 0.1 V the last sweep voltage
    // rounds onto Vbi itself (0.7000000000000006 is one); that point would
    // divide by zero, so the sweep ends at the last voltage below Vbi.
    while (count > 0 && !(SweepVoltage(count - 1) < vbi)) --count;

    result.SweepCapacitances.Resize(count);
    result.SweepInverseSquares.Resize(count);
    result.SweepVoltages.Resize(count);
    result.CapacitanceCurve.clear();
    result.InverseSquareCurve.clear();
    result.CapacitanceCurve.reserve(static_cast<std::size_t>(count));
    result.InverseSquareCurve.reserve(static_cast<std::size_t>(count));
    result.CapacitanceMarker.clear();
    result.InverseSquareMarker.clear();

    RunFloatChecked([&] {
        const Extended numerator = CapacitanceNumerator(constants, result);
        double* voltages = result.SweepVoltages.Data();
        double* capacitances = result.SweepCapacitances.Data();
        double* inverseSquares = result.SweepInverseSquares.Data();
        for (std::int32_t i = 0; i < count; ++i) {
            const double voltage = SweepVoltage(i);
            const double capacitance = Capacitance(numerator, result.A, vbi, voltage);
            const double inverseSquare = InverseSquare(capacitance);
            voltages[i] = voltage;
            capacitances[i] = capacitance;
            inverseSquares[i] = inverseSquare;
            result.CapacitanceCurve.push_back({voltage, Scaled(capacitance, PicofaradsPerFarad)});
            result.InverseSquareCurve.push_back({voltage, Scaled(inverseSquare, PerSquareNanofaradPerSquareFarad)});
        }
    });

    // The bias may sit exactly at Vbi (Vbi = 0.5 V with the bias at its
    // maximum); the division then raises EZeroDivide here and nothing below
    // is stored.
    double biasCapacitance = 0;
    double biasInverseSquare = 0;
    RunFloatChecked([&] {
        double voltage = result.V;
        FloatBarrier(voltage);
        biasCapacitance = Capacitance(CapacitanceNumerator(constants, result), result.A, vbi, voltage);
        biasInverseSquare = InverseSquare(biasCapacitance);
    });
    result.BiasCapacitance = biasCapacitance;
    result.BiasInverseSquare = biasInverseSquare;
    result.CapacitanceMarker.push_back({result.V, Scaled(biasCapacitance, PicofaradsPerFarad)});
    result.InverseSquareMarker.push_back({result.V, Scaled(biasInverseSquare, PerSquareNanofaradPerSquareFarad)});
}

}  // namespace cvcalc
