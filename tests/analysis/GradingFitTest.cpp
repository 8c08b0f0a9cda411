// The grading exponent: 1/2 and Vbi on the abrupt junction's own curve,
// 1/3 on a linearly graded junction, and its refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "analysis/GradingFit.h"
#include "tests/physics/PhysicsTestSupport.h"

using namespace cvcalc;
using cvcalc::test::NearRelative;

namespace {

std::span<const double> Span(const SampleArray& samples) { return {samples.Data(), samples.Size()}; }

class GradingFitOnCurves : public cvcalc::test::PhysicsTest {};

TEST_F(GradingFitOnCurves, AbruptCurveGivesOneHalfAndVbiToSixDigits) {
    const struct {
        double donor, acceptor, area, vmin, vmax;
    } runs[] = {{1e15, 1e15, 1, -10, 10},
                {1e14, 1e18, 0.1, -10, 10},
                {1e18, 1e14, 100, -3, 0.2},
                {3e16, 2e17, 2.5, -10, -2},
                {1e18, 1e18, 10, -10, 10}};
    for (const auto& run : runs) {
        SCOPED_TRACE(::testing::Message()
                     << run.donor << " " << run.acceptor << " [" << run.vmin << ", " << run.vmax << "]");
        const JunctionResult r = Solve(run.donor, run.acceptor, run.area, 0);
        const GradingFit fit = FitGradingExponent(Span(r.SweepVoltages), Span(r.SweepCapacitances), run.vmin, run.vmax);
        EXPECT_TRUE(NearRelative(fit.M, 0.5, 5e-7));
        EXPECT_TRUE(NearRelative(fit.V0, r.DiffusionPotential, 5e-7));
        // C at 0 V: C0 = A √(q ε Neff / (2 Vbi)).
        const double eps = constants_.RelativePermittivity * constants_.VacuumPermittivity;
        const double c0 = r.A * std::sqrt(constants_.ElementaryCharge * eps * (r.Na * r.Nd / (r.Na + r.Nd)) /
                                          (2 * r.DiffusionPotential));
        EXPECT_TRUE(NearRelative(fit.C0, c0, 5e-6));
        EXPECT_GT(fit.R2, 1 - 1e-9);
        std::size_t inRange = 0;
        for (const double v : r.SweepVoltages) inRange += v >= run.vmin && v <= run.vmax ? 1 : 0;
        EXPECT_EQ(fit.Points, inRange);
    }
}

// A linearly graded junction of gradient a: W = (12 ε (Vbi − V) / (q a))^(1/3)
// and C = ε A / W, Vbi = (2kT/q) ln(a W0 / (2 ni)) at its own zero-bias
// width (found by iteration).
TEST_F(GradingFitOnCurves, LinearlyGradedJunctionGivesOneThird) {
    const MaterialConstants& k = constants_;
    const double eps = k.RelativePermittivity * k.VacuumPermittivity, q = k.ElementaryCharge, area = 1e-6;
    for (const double gradient : {1e24, 1e26, 1e28}) {  // m^-4
        SCOPED_TRACE(gradient);
        double vbi = 0.7;
        for (int i = 0; i < 50; ++i) {
            const double w0 = std::cbrt(12 * eps * vbi / (q * gradient));
            vbi = 2 * k.BoltzmannConstant * k.Temperature / q * std::log(gradient * w0 / (2 * k.IntrinsicDensity));
        }
        std::vector<double> v, c;
        for (int i = 0; i <= 100; ++i) {
            const double volt = -10 + i * (10 + vbi - 0.05) / 100;
            v.push_back(volt);
            c.push_back(eps * area / std::cbrt(12 * eps * (vbi - volt) / (q * gradient)));
        }
        const GradingFit fit = FitGradingExponent(v, c, -10, 10);
        EXPECT_NEAR(fit.M, 1.0 / 3, 0.005);
        EXPECT_TRUE(NearRelative(fit.V0, vbi, 1e-5));
        EXPECT_EQ(fit.Points, v.size());
    }
}

TEST(GradingFit, RefusesWhatFollowsNoPowerLaw) {
    const std::string tooFew = "べき乗フィットには表示範囲内に 3 点以上が必要です";
    const std::string oneVoltage = "すべての点が同じ電圧にあるため、べき乗フィットができません";
    const std::string noConvergence =
        "べき乗フィットが収束しません: 表示範囲の C-V は C0 (1 - V/V0)^(-m) の形に合いません";
    std::vector<double> v, exponential, falling;
    for (int i = 0; i <= 20; ++i) {
        v.push_back(-10 + 0.5 * i);
        exponential.push_back(1e-10 * std::exp(0.1 * v.back()));
        falling.push_back(1e-10 * std::sqrt(1 - v.back() / 0.7) * 1e-3);
    }
    const struct {
        const char* name;
        std::vector<double> voltages, capacitances;
        double vmin, vmax;
        std::string message;
    } cases[] = {
        {"no points", {}, {}, -10, 10, tooFew},
        {"two in range", v, exponential, -10, -9.5, tooFew},
        {"none in range", v, exponential, 5, 6, tooFew},
        {"one voltage", {0.1, 0.1, 0.1}, {1e-10, 2e-10, 3e-10}, -1, 1, oneVoltage},
        {"exponential", v, exponential, -10, 10, noConvergence},
        {"constant", v, std::vector<double>(v.size(), 1e-10), -10, 10, noConvergence},
        {"falling towards forward bias", v, falling, -10, 10, noConvergence},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string message = "(no error)";
        try {
            FitGradingExponent(c.voltages, c.capacitances, c.vmin, c.vmax);
        } catch (const EProfileError& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, c.message);
    }
}

}  // namespace
