// The C-V and 1/C²-V sweep with its markers at the bias.
#include "PhysicsTestSupport.h"
#include "physics/CapacitanceCurves.h"

using namespace cvcalc;
using cvcalc::test::NearRelative;

namespace {

class CapacitanceCurves : public cvcalc::test::PhysicsTest {};

TEST_F(CapacitanceCurves, WorkedExamples) {
    const struct {
        double donor, acceptor, area, bias;
        std::size_t count;
        double lastVoltage, firstPf, lastPf, firstInversePerNf2, markerPf, markerInversePerNf2;
    } cases[] = {
        {1e15, 1e15, 1, -10, 106, 0.5, 19.96, 214.7, 2510, 19.96, 2510},
        {1e15, 1e15, 1, 0, 106, 0.5, 19.96, 214.7, 2510, 84.46, 140.2},
        {1e14, 1e14, 0.1, -10, 105, 0.4, 0.6348, 7.634, 2.48e6, 0.6348, 2.48e6},
        {1e18, 1e18, 100, -10, 110, 0.9, 6.21e4, 9.300e5, 2.595e-4, 6.21e4, 2.595e-4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.donor << " " << c.area << " " << c.bias);
        const JunctionResult r = Solve(c.donor, c.acceptor, c.area, c.bias);
        ASSERT_EQ(r.SweepVoltages.Size(), c.count);
        ASSERT_EQ(r.SweepCapacitances.Size(), c.count);
        ASSERT_EQ(r.SweepInverseSquares.Size(), c.count);
        ASSERT_EQ(r.CapacitanceCurve.size(), c.count);
        ASSERT_EQ(r.InverseSquareCurve.size(), c.count);
        EXPECT_EQ(r.SweepVoltages[0], -10.0);
        // The last voltage is the maximum bias to within a few units in the
        // last place, and below Vbi.
        const double last = r.SweepVoltages[static_cast<std::ptrdiff_t>(c.count - 1)];
        EXPECT_NEAR(last, c.lastVoltage, 1e-15);
        EXPECT_LT(last, r.DiffusionPotential);
        EXPECT_TRUE(NearRelative(r.CapacitanceCurve.front().Y, c.firstPf, 5e-4));
        EXPECT_TRUE(NearRelative(r.CapacitanceCurve.back().Y, c.lastPf, 5e-4));
        EXPECT_TRUE(NearRelative(r.InverseSquareCurve.front().Y, c.firstInversePerNf2, 5e-3));
        ASSERT_EQ(r.CapacitanceMarker.size(), 1u);
        ASSERT_EQ(r.InverseSquareMarker.size(), 1u);
        EXPECT_EQ(r.CapacitanceMarker[0].X, c.bias);
        EXPECT_EQ(r.InverseSquareMarker[0].X, c.bias);
        EXPECT_TRUE(NearRelative(r.CapacitanceMarker[0].Y, c.markerPf, 5e-4));
        EXPECT_TRUE(NearRelative(r.InverseSquareMarker[0].Y, c.markerInversePerNf2, 5e-3));
        EXPECT_EQ(r.CapacitanceMarker[0].Y, r.BiasCapacitance * 1e12);
        for (std::size_t i = 0; i < c.count; ++i) {
            const auto at = static_cast<std::ptrdiff_t>(i);
            EXPECT_EQ(r.CapacitanceCurve[i].X, r.SweepVoltages[at]);
            EXPECT_EQ(r.InverseSquareCurve[i].X, r.SweepVoltages[at]);
            if (i > 0) {
                EXPECT_GT(r.SweepVoltages[at], r.SweepVoltages[at - 1]);
                EXPECT_GT(r.CapacitanceCurve[i].Y, r.CapacitanceCurve[i - 1].Y);
            }
        }
    }
}

// i × 0.1 - 10 in extended precision, rounded once: step 100 keeps the
// excess of the double 0.1 over one tenth, which plain double arithmetic
// would round away to exactly 0.
TEST_F(CapacitanceCurves, SweepVoltagesAreStepsFromMinusTenRoundedOnce) {
    const JunctionResult r = Solve(1e15, 1e15, 1, -10);
    EXPECT_EQ(r.SweepVoltages[100], 5.551115123125783e-16);
    EXPECT_EQ(r.SweepVoltages[105], 0.5000000000000006);
    EXPECT_EQ(r.SweepVoltages[50], -5.0);
    EXPECT_EQ(r.SweepVoltages[1], -9.9);
}

TEST_F(CapacitanceCurves, MarkerAtMaximumBiasLiesOnTheLastPoint) {
    for (double donor : {1e14, 1e15, 3e16, 1e18}) {
        const double vbi = ComputeDiffusionPotential(constants_, donor, 1e15);
        const JunctionResult r = Solve(donor, 1e15, 1, ComputeMaximumBias(vbi));
        EXPECT_TRUE(NearRelative(r.CapacitanceMarker[0].X, r.CapacitanceCurve.back().X, 1e-14)) << donor;
        EXPECT_TRUE(NearRelative(r.CapacitanceMarker[0].Y, r.CapacitanceCurve.back().Y, 1e-12)) << donor;
        EXPECT_TRUE(NearRelative(r.InverseSquareMarker[0].Y, r.InverseSquareCurve.back().Y, 1e-12)) << donor;
    }
}

TEST_F(CapacitanceCurves, CapacitanceScalesWithTheArea) {
    const JunctionResult single = Solve(1e16, 1e15, 5, -2);
    const JunctionResult twice = Solve(1e16, 1e15, 10, -2);
    ASSERT_EQ(single.SweepVoltages.Size(), twice.SweepVoltages.Size());
    for (std::size_t i = 0; i < single.CapacitanceCurve.size(); ++i) {
        EXPECT_TRUE(NearRelative(twice.CapacitanceCurve[i].Y, 2 * single.CapacitanceCurve[i].Y, 1e-15));
        EXPECT_TRUE(NearRelative(twice.InverseSquareCurve[i].Y, single.InverseSquareCurve[i].Y / 4, 1e-15));
    }
    EXPECT_TRUE(NearRelative(twice.BiasCapacitance, 2 * single.BiasCapacitance, 1e-15));
}

// For a Vbi a few units in the last place above a multiple of 0.1 V the last
// sweep voltage rounded onto Vbi itself, and that ordinary input divided by
// zero inside the sweep.  The sweep now ends at the last voltage below Vbi.
TEST_F(CapacitanceCurves, SweepStopsBeforeAVoltageThatRoundsOntoVbi) {
    const struct {
        double donor, acceptor, vbi;
        std::size_t count;
    } cases[] = {
        {6.638118499121138e+15, 1e16, 0.7000000000000006, 107},
        {3.17218807367579e+16, 1e17, 0.8000000000000006, 108},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vbi);
        ASSERT_EQ(ComputeDiffusionPotential(constants_, c.donor, c.acceptor), c.vbi);
        for (double bias : {-10.0, 0.0, ComputeMaximumBias(c.vbi)}) {
            const JunctionResult r = Solve(c.donor, c.acceptor, 1, bias);
            ASSERT_EQ(r.SweepVoltages.Size(), c.count);
            EXPECT_LT(r.SweepVoltages[static_cast<std::ptrdiff_t>(c.count - 1)], c.vbi);
            EXPECT_TRUE(std::isfinite(r.CapacitanceCurve.back().Y));
            EXPECT_EQ(r.CapacitanceMarker.size(), 1u);
        }
    }
}

// Over every double within 400 units in the last place of each tenth of a
// volt in the accepted Vbi range, no sweep voltage reaches Vbi.
TEST_F(CapacitanceCurves, NoSweepVoltageReachesVbiNearAnyTenth) {
    JunctionResult r;
    r.Nd = 1e21;
    r.Na = 1e21;
    r.A = 1e-6;
    r.V = -10;
    for (int tenths = 5; tenths <= 9; ++tenths) {
        double vbi = tenths / 10.0;
        for (int k = 0; k < 400; ++k) vbi = std::nextafter(vbi, 0.0);
        for (int k = 0; k < 800; ++k, vbi = std::nextafter(vbi, 1.0)) {
            r.DiffusionPotential = vbi;
            BuildCapacitanceCurves(constants_, r);
            ASSERT_GE(r.SweepVoltages.Size(), 104u);
            ASSERT_LT(r.SweepVoltages[static_cast<std::ptrdiff_t>(r.SweepVoltages.Size() - 1)], vbi) << vbi;
        }
    }
}

}  // namespace
