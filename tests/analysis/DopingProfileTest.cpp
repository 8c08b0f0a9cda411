// The C-V doping profile: flat and exact on the program's own abrupt curves,
// both levels of a step-doped diode, a trustworthy band under noise where a
// difference quotient is useless, the Debye-length marking at its boundary,
// and its refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "analysis/DopingProfile.h"
#include "tests/physics/PhysicsTestSupport.h"

using namespace cvcalc;
using cvcalc::test::NearRelative;

namespace {

std::span<const double> Span(const SampleArray& samples) { return {samples.Data(), samples.Size()}; }

double Permittivity(const MaterialConstants& k) { return k.RelativePermittivity * k.VacuumPermittivity; }

// A normal deviate from a seeded generator whose output the standard fixes
// (mt19937_64), by Box and Muller, so that every library draws the same.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : engine_(seed) {}
    double Normal() {
        const double u1 = Uniform(), u2 = Uniform();
        return std::sqrt(-2 * std::log(u1)) * std::cos(2 * 3.141592653589793 * u2);
    }

private:
    double Uniform() { return (static_cast<double>(engine_() >> 11) + 0.5) * 0x1p-53; }
    std::mt19937_64 engine_;
};

class DopingProfileOnCurves : public cvcalc::test::PhysicsTest {};

// The abrupt junction's 1/C² is a straight line, and a least-squares slope
// is exact on a line, whatever the window and near the ends too: the
// profile is flat at Na·Nd/(Na + Nd) to nine digits and more, and the depth
// is the depletion width of the depletion approximation.
TEST_F(DopingProfileOnCurves, AbruptCurveGivesAFlatProfileAtTheReducedDensity) {
    const struct {
        double donor, acceptor, area;
    } runs[] = {{1e15, 1e15, 1}, {1e14, 1e18, 0.1}, {1e18, 1e14, 100}, {3e16, 2e17, 2.5}, {1e18, 1e18, 10}};
    for (const auto& run : runs)
        for (const int k : {1, 3, 25}) {
            SCOPED_TRACE(::testing::Message() << run.donor << " " << run.acceptor << " k " << k);
            const JunctionResult r = Solve(run.donor, run.acceptor, run.area, 0);
            const double reduced = r.Na * r.Nd / (r.Na + r.Nd);
            const DopingProfile profile =
                ComputeDopingProfile(Span(r.SweepVoltages), Span(r.SweepInverseSquares), -10, 10, k, r.A, constants_);
            ASSERT_EQ(profile.Points.size(), r.SweepVoltages.Size());
            EXPECT_EQ(profile.LeftOut, 0u);
            for (const ProfilePoint& p : profile.Points) {
                EXPECT_TRUE(NearRelative(p.Density, reduced / 1e6, 1e-9)) << p.Voltage;
                const double width = std::sqrt(2 * Permittivity(constants_) * (r.DiffusionPotential - p.Voltage) /
                                               constants_.ElementaryCharge / reduced);
                EXPECT_TRUE(NearRelative(p.Depth, width * 1e6, 1e-9)) << p.Voltage;
            }
        }
}

// A one-sided p+n diode whose donor density steps from N1 to N2 at the
// depth xs, its C-V made from the depletion integral
// Vbi − V = (q/ε) ∫0^W x N(x) dx: the profile gives each level wherever its
// window lies on one side of the step, and passes between them within the
// window's reach.
TEST_F(DopingProfileOnCurves, StepDopedDiodeGivesBothLevels) {
    const double q = constants_.ElementaryCharge, eps = Permittivity(constants_), vbi = 0.8, area = 1e-6;
    const struct {
        double n1, n2, step;  // m^-3, m^-3, m
    } diodes[] = {{1e21, 1e22, 2e-6}, {1e22, 1e21, 0.5e-6}, {5e20, 2e21, 3e-6}};
    for (const auto& d : diodes) {
        SCOPED_TRACE(::testing::Message() << d.n1 << " -> " << d.n2 << " at " << d.step);
        const double stepDrop = q * d.n1 * d.step * d.step / (2 * eps);
        std::vector<double> v, y;
        for (int i = 0; i <= 210; ++i) {
            const double volt = -10 + 0.05 * i;
            const double drop = vbi - volt;
            const double w = drop <= stepDrop ? std::sqrt(2 * eps * drop / (q * d.n1))
                                              : std::sqrt(d.step * d.step + 2 * eps * (drop - stepDrop) / (q * d.n2));
            const double c = eps * area / w;
            v.push_back(volt);
            y.push_back(1 / (c * c));
        }
        const int k = 3;
        const DopingProfile profile = ComputeDopingProfile(v, y, -10, 1, k, area, constants_);
        ASSERT_EQ(profile.Points.size(), v.size());
        const double stepVoltage = vbi - stepDrop;
        int deep = 0, shallow = 0;
        for (const ProfilePoint& p : profile.Points) {
            // The step is k + 1 grid steps away: the window is on one side.
            if (std::fabs(p.Voltage - stepVoltage) <= (k + 1) * 0.05) continue;
            const double expected = (p.Voltage < stepVoltage ? d.n2 : d.n1) / 1e6;
            (p.Voltage < stepVoltage ? deep : shallow) += 1;
            EXPECT_TRUE(NearRelative(p.Density, expected, 0.01)) << p.Voltage << " V, W " << p.Depth << " µm";
            EXPECT_EQ(p.Depth > d.step * 1e6, p.Voltage < stepVoltage);
        }
        EXPECT_GT(deep, 10);
        EXPECT_GT(shallow, 10);
    }
}

// Noise of 0.5 % on C is 1 % on 1/C² (σ), and on a grid of h = 0.1 V the
// slope of 1/C² = s·(Vbi − V) changes 1/C² by only h/(Vbi − V) of itself
// from one point to the next: 1 % at −10 V.  A plain difference quotient
// (y[i+1] − y[i]) / h divides noise of √2 σ by that change, so its error is
// √2 σ (Vbi − V) / h of the slope, 150 % at −10 V: doping of either sign,
// of any size.  The least-squares slope over 2k + 1 = 11 points has the
// standard error σ √(12 / (n (n² − 1))) / h = 0.095 σ (Vbi − V) / h,
// fifteen times smaller: the slope behind every point of the profile stays
// within five such errors of the true one, which at −10 V is still ±48 %,
// near 0 V ±5 % (near the ends the window is one-sided, and its error is
// that of the window's points).
TEST_F(DopingProfileOnCurves, NoiseOfHalfAPercentStaysWithinItsBandWhereADifferenceQuotientFails) {
    const JunctionResult r = Solve(1e15, 1e17, 1, 0);
    const double reduced = r.Na * r.Nd / (r.Na + r.Nd) / 1e6;
    const double vbi = r.DiffusionPotential, h = 0.1, sigma = 0.01;
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        Noise noise(seed);
        std::vector<double> v, y;
        for (std::size_t i = 0; i < r.SweepVoltages.Size(); ++i) {
            const double c = r.SweepCapacitances[i] * (1 + 0.005 * noise.Normal());
            v.push_back(r.SweepVoltages[i]);
            y.push_back(1 / (c * c));
        }
        const std::size_t k = 5, n = 2 * k + 1;
        const DopingProfile profile = ComputeDopingProfile(v, y, -10, 10, int(k), r.A, constants_);
        EXPECT_EQ(profile.LeftOut, 0u);
        ASSERT_EQ(profile.Points.size(), v.size());
        for (std::size_t i = 0; i < v.size(); ++i) {
            // The slope's relative standard error over the point's window
            // (moved inside near the ends), each point's noise σ·(Vbi − V)
            // of the slope: σ √Σ w² (Vbi − V)², w = (V − V̄) / Σ(V − V̄)².
            const std::size_t from = std::min(i >= k ? i - k : 0, v.size() - n);
            double mean = 0, sxx = 0, variance = 0;
            for (std::size_t j = from; j < from + n; ++j) mean += v[j] / n;
            for (std::size_t j = from; j < from + n; ++j) sxx += (v[j] - mean) * (v[j] - mean);
            for (std::size_t j = from; j < from + n; ++j) variance += std::pow((v[j] - mean) / sxx * (vbi - v[j]), 2);
            const double standardError = sigma * std::sqrt(variance);
            // The slope is what carries the noise; N is its reciprocal.
            EXPECT_LT(std::fabs(reduced / profile.Points[i].Density - 1), 5 * standardError) << v[i];
            // Stated as a band: at −10 V ±48 %, near 0 V ±5 %.
            EXPECT_LT(standardError, 0.0955 * sigma / h * (vbi - v[from]) + 1e-12);
        }

        // The difference quotient on the same points: wrong signs, or
        // errors far beyond the band, below −5 V.
        int useless = 0;
        const double slope = (y.back() - y.front()) / (v.back() - v.front());
        for (std::size_t i = 0; i + 1 < v.size() && v[i] < -5; ++i) {
            const double quotient = (y[i + 1] - y[i]) / (v[i + 1] - v[i]);
            if (quotient >= 0 || std::fabs(slope / quotient - 1) > 0.5) ++useless;
        }
        EXPECT_GE(useless, 10);
    }
}

// A point is resolved when its depth is at least three Debye lengths at its
// own density; just below that it is marked, not dropped.
TEST(DopingProfile, DebyeMarkingAtItsBoundary) {
    const MaterialConstants k;
    const double eps = Permittivity(k), area = 1e-6, q = k.ElementaryCharge;
    for (const double density : {1e14, 1e16, 1e18}) {  // cm^-3
        SCOPED_TRACE(density);
        const double debye = std::sqrt(eps * k.BoltzmannConstant * k.Temperature / (q * q * density * 1e6));
        EXPECT_TRUE(NearRelative(DebyeLengthMicrometres(density, k), debye * 1e6, 1e-12));
        // 1/C² = s (V0 − V) for this density, and voltages where
        // W = εA √(1/C²) is the given multiple of 3 L_D (ascending in V).
        const double s = 2 / (q * eps * area * area * density * 1e6), v0 = 0.7;
        const double factors[] = {10, 2, 1.000001, 0.999999, 0.5, 0.1};
        std::vector<double> v, y;
        for (const double f : factors) {
            const double w = f * 3 * debye, inverseSquare = (w / (eps * area)) * (w / (eps * area));
            v.push_back(v0 - inverseSquare / s);
            y.push_back(inverseSquare);
        }
        const DopingProfile profile = ComputeDopingProfile(v, y, -1e9, 1e9, 1, area, k);
        ASSERT_EQ(profile.Points.size(), std::size(factors));
        for (std::size_t i = 0; i < profile.Points.size(); ++i) {
            EXPECT_TRUE(NearRelative(profile.Points[i].Density, density, 1e-9));
            EXPECT_EQ(profile.Points[i].Resolved, factors[i] >= 1) << factors[i];
        }
        EXPECT_EQ(profile.Unresolved, 3u);
    }
}

TEST(DopingProfile, RefusesWhatDoesNotDetermineAProfile) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> line{-3, -2, -1, 0, 1}, falling{5, 4, 3, 2, 1};
    const std::string rising = "1/C² が電圧とともに減る点がないため、ドーピングプロファイルを描けません";
    const struct {
        const char* name;
        std::vector<double> voltages, inverseSquares;
        int k;
        double area;
        std::string message;
    } cases[] = {
        {"k zero", line, falling, 0, 1e-6, "プロファイルの窓の半幅 k は 1 から 25 まででなければなりません (k = 0)"},
        {"k 26", line, falling, 26, 1e-6, "プロファイルの窓の半幅 k は 1 から 25 まででなければなりません (k = 26)"},
        {"no points",
         {},
         {},
         1,
         1e-6,
         "ドーピングプロファイルには表示範囲内に 3 点以上 (k = 1 の窓 2k + 1 点) が必要です"},
        {"fewer than 2k + 1", line, falling, 3, 1e-6,
         "ドーピングプロファイルには表示範囲内に 7 点以上 (k = 3 の窓 2k + 1 点) が必要です"},
        {"one voltage",
         {1, 1, 1, 1},
         {4, 3, 2, 1},
         1,
         1e-6,
         "すべての点が同じ電圧にあるため 1/C² の傾きを決められません"},
        {"rising 1/C²", line, {1, 2, 3, 4, 5}, 2, 1e-6, rising},
        {"flat 1/C²", line, {2, 2, 2, 2, 2}, 1, 1e-6, rising},
        {"1/C² not a number", line, {nan, nan, nan, nan, nan}, 1, 1e-6, rising},
        {"no area", line, falling, 1, 0, rising},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string message = "(no error)";
        try {
            ComputeDopingProfile(c.voltages, c.inverseSquares, -10, 10, c.k, c.area, MaterialConstants{});
        } catch (const EProfileError& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, c.message);
    }
}

// Points whose window rises are left out and counted; the rest stay.
TEST(DopingProfile, LeavesOutAndCountsPointsOfTheWrongSlope) {
    const std::vector<double> v{0, 1, 2, 3, 4, 5, 6}, y{10, 9, 8, 7, 8, 9, 10};
    const DopingProfile profile = ComputeDopingProfile(v, y, -10, 10, 1, 1e-6, MaterialConstants{});
    EXPECT_EQ(profile.PointsInRange, 7u);
    // Windows centred on 1 and 2 fall; 3 is flat; 4, 5 and the end rise;
    // the first point's window is that of point 1.
    EXPECT_EQ(profile.Points.size(), 3u);
    EXPECT_EQ(profile.LeftOut, 4u);
    for (const ProfilePoint& p : profile.Points) EXPECT_LT(p.Voltage, 3);
}

}  // namespace
