// The 1/C² straight-line fit: exact on the program's own curves, within the
// noise on a measured diode, over the chosen range only, and its refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "analysis/LineFit.h"
#include "analysis/MeasuredData.h"
#include "tests/physics/PhysicsTestSupport.h"

using namespace cvcalc;
using cvcalc::test::NearRelative;

namespace {

std::span<const double> Span(const SampleArray& samples) { return {samples.Data(), samples.Size()}; }

// Neff in cm^-3 from a slope in F^-2/V, written out apart from the fit.
double NeffOfSlope(const MaterialConstants& k, double area, double slope) {
    return 2 / (k.ElementaryCharge * k.RelativePermittivity * k.VacuumPermittivity * area * area * std::fabs(slope)) /
           1e6;
}

class LineFitOnComputedCurves : public cvcalc::test::PhysicsTest {};

// On the calculator's own curve the line gives back the run's Vbi and
// Na·Nd/(Na + Nd) to ten significant digits and more, over the whole sweep
// and over a zoomed part of it.
TEST_F(LineFitOnComputedCurves, GivesVbiAndNeffToTenDigits) {
    const struct {
        double donor, acceptor, area, bias;
    } runs[] = {
        {1e15, 1e15, 1, -10},  {1e14, 1e18, 0.1, 0},  {1e18, 1e14, 100, 0.3},
        {3e16, 2e17, 2.5, -5}, {1e18, 1e18, 10, 0.5}, {1e14, 1e14, 0.1, -1},
    };
    const struct { double vmin, vmax; } ranges[] = {{-10, 10}, {-2.05, 0.05}, {-0.25, 1}};
    for (const auto& run : runs) {
        const JunctionResult r = Solve(run.donor, run.acceptor, run.area, run.bias);
        const double neff = r.Na * r.Nd / (r.Na + r.Nd) / 1e6;
        for (const auto& range : ranges) {
            SCOPED_TRACE(::testing::Message() << run.donor << " " << run.acceptor << " " << run.area << " ["
                                              << range.vmin << ", " << range.vmax << "]");
            const LineFit fit = FitInverseSquareLine(Span(r.SweepVoltages), Span(r.SweepInverseSquares), range.vmin,
                                                     range.vmax, r.A, constants_);
            EXPECT_TRUE(NearRelative(fit.V0, r.DiffusionPotential, 5e-11));
            EXPECT_TRUE(NearRelative(fit.Neff, neff, 5e-11));
            EXPECT_TRUE(NearRelative(fit.Intercept, r.DiffusionPotential * -fit.Slope, 5e-11));
            EXPECT_GT(fit.R2, 1 - 1e-12);
            EXPECT_LE(fit.R2, 1);
            std::size_t inRange = 0;
            for (double v : r.SweepVoltages) inRange += v >= range.vmin && v <= range.vmax ? 1 : 0;
            EXPECT_EQ(fit.Points, inRange);
        }
    }
}

// A measured file written from a known diode, C = A·sqrt(q εr ε0 Neff /
// (2 (Vbi - V))) with gaussian noise on C, three significant digits more
// than an instrument gives.
std::string DiodeFile(double neffCm3, double vbi, double areaMm2, double noise, unsigned seed) {
    const MaterialConstants k;
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0, noise);
    const double area = areaMm2 * 1e-6;
    std::string text = "# synthetic diode\nV,C (pF)\n";
    for (int i = 0; i <= 200; ++i) {
        const double v = -10 + i * 0.0525;
        const double c = area * std::sqrt(k.ElementaryCharge * k.RelativePermittivity * k.VacuumPermittivity * neffCm3 *
                                          1e6 / (2 * (vbi - v)));
        char row[64];
        std::snprintf(row, sizeof row, "%.6f,%.9g\n", v, c * (1 + gauss(random)) * 1e12);
        text += row;
    }
    return text;
}

TEST(LineFit, RecoversAKnownDiodeWithinTheNoise) {
    const MaterialConstants k;
    const struct {
        double neff, vbi, areaMm2, noise;
        unsigned seed;
        double neffTolerance, vbiTolerance;  // relative, V
    } diodes[] = {
        {5e15, 0.7, 1, 0, 1, 1e-7, 1e-7},
        {5e15, 0.7, 1, 0.002, 1, 5e-3, 0.02},
        {2e16, 0.8, 0.5, 0.002, 7, 5e-3, 0.02},
        {1e15, 0.6, 4, 0.002, 42, 5e-3, 0.02},
    };
    for (const auto& d : diodes) {
        SCOPED_TRACE(::testing::Message() << d.neff << " " << d.vbi << " noise " << d.noise << " seed " << d.seed);
        const MeasuredCurve curve = ParseMeasuredCurve(DiodeFile(d.neff, d.vbi, d.areaMm2, d.noise, d.seed), "d");
        const std::vector<double> inverseSquares = InverseSquares(curve);
        const LineFit fit = FitInverseSquareLine(curve.Voltages, inverseSquares, -100, 100, d.areaMm2 * 1e-6, k);
        EXPECT_EQ(fit.Points, 201u);
        EXPECT_TRUE(NearRelative(fit.Neff, d.neff, d.neffTolerance));
        EXPECT_NEAR(fit.V0, d.vbi, d.vbiTolerance);
        EXPECT_GT(fit.R2, 0.999);
    }
}

TEST(LineFit, UsesOnlyThePointsInTheRange) {
    // On [-1, 1] the points lie on 1/C² = 2 - V; outside it far off that line.
    std::vector<double> voltages;
    std::vector<double> inverseSquares;
    for (int i = -10; i <= 10; ++i) {
        const double v = i * 0.5;
        voltages.push_back(v);
        inverseSquares.push_back(v >= -1 && v <= 1 ? 2 - v : 100 + v * v);
    }
    const MaterialConstants k;
    const double area = 1e-6;
    const struct {
        double vmin, vmax;
        std::size_t points;
    } ranges[] = {{-1, 1, 5}, {-1.25, 1.25, 5}, {-0.75, 1, 4}, {-1, 0.5, 4}, {0.5, 1, 2}};
    for (const auto& range : ranges) {
        SCOPED_TRACE(::testing::Message() << "[" << range.vmin << ", " << range.vmax << "]");
        const LineFit fit = FitInverseSquareLine(voltages, inverseSquares, range.vmin, range.vmax, area, k);
        EXPECT_EQ(fit.Points, range.points);
        EXPECT_DOUBLE_EQ(fit.Slope, -1);
        EXPECT_DOUBLE_EQ(fit.Intercept, 2);
        EXPECT_DOUBLE_EQ(fit.V0, 2);
        EXPECT_DOUBLE_EQ(fit.R2, 1);
        EXPECT_TRUE(NearRelative(fit.Neff, NeffOfSlope(k, area, -1), 1e-15));
    }
    // The order of the points does not matter.
    std::vector<double> reversedV(voltages.rbegin(), voltages.rend());
    std::vector<double> reversedY(inverseSquares.rbegin(), inverseSquares.rend());
    EXPECT_DOUBLE_EQ(FitInverseSquareLine(reversedV, reversedY, -1, 1, area, k).V0, 2);
}

// Voltages whose spread is small beside their distance from 0 V: raw sums
// of squares would cancel away most of the slope's digits.
TEST(LineFit, NarrowRangeFarFromZeroVolts) {
    const double crossing = 100000.05;
    std::vector<double> voltages;
    std::vector<double> inverseSquares;
    for (int i = 0; i < 100; ++i) {
        voltages.push_back(100000 + i * 1e-3);
        inverseSquares.push_back(1e20 * (crossing - voltages.back()));
    }
    const LineFit fit = FitInverseSquareLine(voltages, inverseSquares, 0, 2e5, 1e-6, MaterialConstants{});
    EXPECT_NEAR(fit.V0, crossing, 1e-10);
    EXPECT_TRUE(NearRelative(fit.Slope, -1e20, 1e-12));
}

TEST(LineFit, RefusesWhatDoesNotDetermineALine) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::string tooFew = "フィットには表示範囲内に 2 点以上が必要です";
    const std::string oneVoltage = "すべての点が同じ電圧にあるため直線を決められません";
    const std::string notFinite = "フィットの結果が有限の数値になりません";
    const struct {
        const char* name;
        std::vector<double> voltages, inverseSquares;
        double vmin, vmax, area;
        std::string message;
    } cases[] = {
        {"no points", {}, {}, -10, 10, 1e-6, tooFew},
        {"none in range", {-5, -4, 4, 5}, {1, 2, 3, 4}, -1, 1, 1e-6, tooFew},
        {"one in range", {-5, 0, 5}, {1, 2, 3}, -1, 1, 1e-6, tooFew},
        {"range reversed", {-1, 0, 1}, {3, 2, 1}, 1, -1, 1e-6, tooFew},
        {"range not a number", {-1, 0, 1}, {3, 2, 1}, nan, 1, 1e-6, tooFew},
        {"voltage not a number", {nan, 0, nan}, {3, 2, 1}, -1, 1, 1e-6, tooFew},
        {"one voltage", {0.5, 0.5, 0.5}, {1, 2, 3}, -1, 1, 1e-6, oneVoltage},
        {"one voltage in range", {-5, 0.5, 0.5, 5}, {1, 2, 3, 4}, -1, 1, 1e-6, oneVoltage},
        {"flat line", {-1, 0, 1}, {2, 2, 2}, -1, 1, 1e-6, notFinite},
        {"infinite 1/C²", {-1, 0, 1}, {3, inf, 1}, -1, 1, 1e-6, notFinite},
        {"1/C² not a number", {-1, 0, 1}, {3, nan, 1}, -1, 1, 1e-6, notFinite},
        {"no area", {-1, 0, 1}, {3, 2, 1}, -1, 1, 0, notFinite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string message = "(no error)";
        try {
            FitInverseSquareLine(c.voltages, c.inverseSquares, c.vmin, c.vmax, c.area, MaterialConstants{});
        } catch (const EFitError& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, c.message);
    }
}

// The worked example in docs/ is a plausible diode of Neff = 5e15 cm^-3 and
// Vbi = 0.7 V, 1 mm², measured with a little noise.
TEST(LineFit, WorkedExampleFile) {
    const MeasuredCurve curve = ReadMeasuredCurve(CVCALC_SOURCE_DIR "/docs/example-measured-cv.csv");
    EXPECT_EQ(curve.Unit, CapacitanceUnit::Picofarad);
    EXPECT_GE(curve.Voltages.size(), 25u);
    EXPECT_EQ(curve.Voltages.front(), -10);
    EXPECT_EQ(curve.Voltages.back(), 0.3);
    const LineFit fit = FitInverseSquareLine(curve.Voltages, InverseSquares(curve), curve.Voltages.front(),
                                             curve.Voltages.back(), 1e-6, MaterialConstants{});
    EXPECT_EQ(fit.Points, curve.Voltages.size());
    EXPECT_TRUE(NearRelative(fit.Neff, 5e15, 0.02));
    EXPECT_NEAR(fit.V0, 0.7, 0.05);
    EXPECT_GT(fit.R2, 0.999);
}

}  // namespace
