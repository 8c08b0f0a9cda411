// The equilibrium junction: diffusion potential, maximum bias, depletion
// widths, the order of a run and its one reachable arithmetic fault.
#include <cmath>
#include <limits>

#include "PhysicsTestSupport.h"
#include "physics/CapacitanceCurves.h"
#include "platform/core/RuntimeFaults.h"

using namespace cvcalc;
using cvcalc::test::NearRelative;

namespace {

class Junction : public cvcalc::test::PhysicsTest {};

TEST_F(Junction, DiffusionPotentialAndMaximumBiasOverTheDensityRange) {
    const struct {
        double donor, acceptor, vbi, maximumBias;
    } cases[] = {
        {1e14, 1e14, 0.4724, 0.4}, {1e15, 1e15, 0.5915, 0.5}, {1e16, 1e15, 0.6510, 0.6},
        {1e18, 1e14, 0.7106, 0.7}, {1e17, 1e17, 0.8297, 0.8}, {1e18, 1e18, 0.9488, 0.9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.donor);
        const double vbi = ComputeDiffusionPotential(constants_, c.donor, c.acceptor);
        EXPECT_NEAR(vbi, c.vbi, 5e-5);
        // Only the product of the densities counts.
        EXPECT_EQ(ComputeDiffusionPotential(constants_, c.acceptor, c.donor), vbi);
        const double maximumBias = ComputeMaximumBias(vbi);
        EXPECT_NEAR(maximumBias, c.maximumBias, 1e-15);
        EXPECT_LE(maximumBias, vbi);
    }
}

TEST_F(Junction, MaximumBiasIsTenthsTimesTheDoubleNearestATenth) {
    // n × 0.1 rounded once: 0.6 and 0.7 come out one unit in the last place
    // above the decimal, the others on it.
    const struct {
        double vbi, maximumBias;
    } cases[] = {
        {0.5, 0.5},
        {0.49999999999999994, 0.4},
        {0.59999999999999998, 0.5},  // the double nearest 0.6 lies below 0.6
        {0.6000000000000001, 0.6000000000000001},
        {0.69999999999999996, 0.6000000000000001},
        {0.7000000000000001, 0.7000000000000001},
        {0.8, 0.8},
        {0.95, 0.9},
        {0.99999999999999989, 0.9},
    };
    for (const auto& c : cases) EXPECT_EQ(ComputeMaximumBias(c.vbi), c.maximumBias) << c.vbi;
}

TEST_F(Junction, NonFiniteValuesAreInvalidOperations) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(ComputeMaximumBias(nan), EInvalidOp);
    EXPECT_THROW(ComputeMaximumBias(inf), EInvalidOp);
    EXPECT_THROW(ComputeMaximumBias(1e300), EInvalidOp);
    const JunctionInputs cases[] = {
        {nan, 1e15, 1, -10}, {1e15, inf, 1, -10}, {1e15, 1e15, nan, -10}, {1e15, 1e15, 1, -inf}};
    for (const auto& inputs : cases) {
        JunctionResult result;
        EXPECT_THROW(SolveJunction(constants_, inputs, result), EInvalidOp);
    }
}

TEST_F(Junction, UnphysicalDensitiesRaiseTheirArithmeticFaults) {
    EXPECT_THROW(ComputeDiffusionPotential(constants_, 0, 1e15), EZeroDivide);  // ln 0
    EXPECT_THROW(ComputeDiffusionPotential(constants_, -1e15, 1e15), EInvalidOp);
    JunctionResult result;
    // 1e305 cm^-3 is beyond the double range once converted to m^-3.
    EXPECT_THROW(SolveJunction(constants_, {1e305, 1e15, 1, -10}, result), EOverflow);
    // A bias above Vbi takes the square root of a negative number.
    EXPECT_THROW(SolveJunction(constants_, {1e15, 1e15, 1, 0.6}, result), EInvalidOp);
}

TEST_F(Junction, DepletionWidthsAndBandOffsetAtWorkedExamples) {
    const struct {
        double donor, acceptor, bias, xn, xp, bandOffset, relative;
    } cases[] = {
        {1e15, 1e15, -10, 2.639e-6, 2.639e-6, 0.2654, 5e-4},
        {1e15, 1e15, 0, 0.6237e-6, 0.6237e-6, 0.2654, 5e-4},
        {1e16, 1e15, -5, 0.2600e-6, 2.600e-6, 0.2058, 5e-4},
        // The thin layers are known to two digits only.
        {1e14, 1e18, -10, 11.87e-6, 0.0012e-6, 0.3249, 5e-2},
        {1e18, 1e14, -10, 0.0012e-6, 11.87e-6, 0.0867, 5e-2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.donor);
        const JunctionResult result = Solve(c.donor, c.acceptor, 1, c.bias);
        EXPECT_TRUE(NearRelative(result.DepletionWidthN, c.xn, c.relative));
        EXPECT_TRUE(NearRelative(result.DepletionWidthP, c.xp, c.relative));
        EXPECT_NEAR(result.ConductionBandOffset, c.bandOffset, 1e-4);
    }
}

TEST_F(Junction, WorkingValuesAreTheInputsInSiUnits) {
    const JunctionResult result = Solve(2.5e16, 1e14, 0.1, -3);
    EXPECT_EQ(result.Nd, 2.5e22);
    EXPECT_EQ(result.Na, 1e20);
    EXPECT_EQ(result.A, 1e-7);
    EXPECT_EQ(result.V, -3);
    EXPECT_EQ(result.DiffusionPotential, ComputeDiffusionPotential(constants_, 2.5e16, 1e14));
}

// The closed forms of the depletion approximation over a grid of inputs.
TEST_F(Junction, ClosedFormsHoldOverTheInputGrid) {
    const double densities[] = {1e14, 3.7e14, 1e15, 1e16, 2.5e17, 1e18};
    const double areas[] = {0.1, 1, 100};
    const double q = constants_.ElementaryCharge;
    const double permittivity = constants_.RelativePermittivity * constants_.VacuumPermittivity;
    for (double donor : densities)
        for (double acceptor : densities)
            for (double area : areas) {
                const double vbi = ComputeDiffusionPotential(constants_, donor, acceptor);
                for (double bias : {-10.0, -3.3, 0.0, ComputeMaximumBias(vbi)}) {
                    SCOPED_TRACE(::testing::Message() << donor << " " << acceptor << " " << area << " " << bias);
                    const JunctionResult r = Solve(donor, acceptor, area, bias);
                    // Charge neutrality and the two drops adding up to Vbi - V.
                    EXPECT_TRUE(NearRelative(r.Na * r.DepletionWidthP, r.Nd * r.DepletionWidthN, 1e-14));
                    const double pSideDrop = q * r.Na * r.DepletionWidthP * r.DepletionWidthP / (2 * permittivity);
                    EXPECT_TRUE(NearRelative(r.NSideDrop + pSideDrop, vbi - bias, 1e-13));
                    // C = εr ε0 A / (xn + xp) at the bias.
                    EXPECT_TRUE(NearRelative(r.BiasCapacitance,
                                             permittivity * r.A / (r.DepletionWidthN + r.DepletionWidthP), 1e-13));
                    // 1/C² is a straight line in V through zero at Vbi.
                    const double slope = 2 * (r.Na + r.Nd) / (q * permittivity * r.Na * r.Nd * r.A * r.A);
                    for (std::size_t i = 0; i < r.SweepVoltages.Size(); ++i) {
                        const double v = r.SweepVoltages[static_cast<std::ptrdiff_t>(i)];
                        ASSERT_LT(v, vbi);
                        ASSERT_TRUE(NearRelative(r.SweepInverseSquares[static_cast<std::ptrdiff_t>(i)],
                                                 slope * (vbi - v), 1e-12));
                    }
                    EXPECT_TRUE(NearRelative(r.BiasInverseSquare, slope * (vbi - bias), 1e-12));
                }
            }
}

// Densities whose Vbi is exactly a double on which the maximum bias lands,
// so that a bias at the maximum makes Vbi - V zero.  Found by bisection over
// the donor density and a search of the nearest short decimals.
struct ZeroDropCase {
    double donor, acceptor, vbi;
    std::size_t sweepCount;
};
constexpr ZeroDropCase ZeroDropCases[] = {
    {2.906813353484127e+14, 1e14, 0.5, 105},
    {1.38909220339238e+15, 1e15, 0.6000000000000001, 106},
    {6.638118499121e+15, 1e16, 0.7000000000000001, 107},
    {3.17218807367572e+16, 1e17, 0.8, 108},
    {1.515908035703636e+17, 1e18, 0.9, 109},
};

TEST_F(Junction, BiasAtVbiRaisesZeroDivideWithTheSweepComplete) {
    for (const auto& c : ZeroDropCases) {
        SCOPED_TRACE(c.vbi);
        const double vbi = ComputeDiffusionPotential(constants_, c.donor, c.acceptor);
        ASSERT_EQ(vbi, c.vbi);
        const double bias = ComputeMaximumBias(vbi);
        ASSERT_EQ(bias, vbi);

        // A result left over from an earlier run.
        JunctionResult result;
        SolveJunction(constants_, {1e15, 1e15, 1, -10}, result);
        const double earlierWidth = result.DepletionWidthN;
        try {
            SolveJunction(constants_, {c.donor, c.acceptor, 1, bias}, result);
            ADD_FAILURE() << "no fault";
        } catch (const EZeroDivide& error) {
            EXPECT_EQ(error.Message(), "0 による浮動小数点数除算");
        }
        EXPECT_EQ(result.DiffusionPotential, vbi);
        EXPECT_EQ(result.V, bias);
        ASSERT_EQ(result.SweepVoltages.Size(), c.sweepCount);
        ASSERT_EQ(result.SweepCapacitances.Size(), c.sweepCount);
        ASSERT_EQ(result.SweepInverseSquares.Size(), c.sweepCount);
        ASSERT_EQ(result.CapacitanceCurve.size(), c.sweepCount);
        ASSERT_EQ(result.InverseSquareCurve.size(), c.sweepCount);
        for (std::size_t i = 0; i < c.sweepCount; ++i) {
            const auto at = static_cast<std::ptrdiff_t>(i);
            EXPECT_EQ(result.CapacitanceCurve[i].X, result.SweepVoltages[at]);
            EXPECT_TRUE(std::isfinite(result.CapacitanceCurve[i].Y));
            EXPECT_GT(result.InverseSquareCurve[i].Y, 0);
        }
        EXPECT_NEAR(result.SweepVoltages[static_cast<std::ptrdiff_t>(c.sweepCount - 1)], bias - 0.1, 1e-15);
        EXPECT_TRUE(result.CapacitanceMarker.empty());
        EXPECT_TRUE(result.InverseSquareMarker.empty());
        // The run ended before the widths and the profiles.
        EXPECT_EQ(result.DepletionWidthN, earlierWidth);
    }
}

TEST_F(Junction, MaskedZeroDivideLetsTheRunFinishWithALayerOfNoWidth) {
    SetFpuControlWord(DefaultFpuControlWord | FpuMaskZeroDivide);
    JunctionResult result;
    const ZeroDropCase& c = ZeroDropCases[0];
    SolveJunction(constants_, {c.donor, c.acceptor, 1, 0.5}, result);
    // With the fault masked the run goes on; the capacitance is infinite and
    // the layer has no width.
    EXPECT_TRUE(std::isinf(result.BiasCapacitance));
    EXPECT_EQ(result.BiasInverseSquare, 0);
    EXPECT_EQ(result.DepletionWidthN, 0);
    // No sample lies inside an empty layer: the donor block closes at the
    // junction edge.
    EXPECT_EQ(result.NEdgeIndex, 999);
    EXPECT_EQ(result.PEdgeIndex, 999);
    EXPECT_EQ(result.FermiLevelN.front().X, result.DonorChargeOutline.front().X);
}

TEST_F(Junction, ResultIsRefilledCompletelyByEveryRun) {
    JunctionResult result;
    SolveJunction(constants_, {1e18, 1e18, 100, -10}, result);
    SolveJunction(constants_, {1e14, 1e14, 0.1, -10}, result);
    const JunctionResult fresh = Solve(1e14, 1e14, 0.1, -10);
    EXPECT_EQ(result.SweepVoltages.Size(), fresh.SweepVoltages.Size());
    EXPECT_EQ(result.CapacitanceCurve.size(), fresh.CapacitanceCurve.size());
    EXPECT_EQ(result.CapacitanceCurve.back().Y, fresh.CapacitanceCurve.back().Y);
    EXPECT_EQ(result.PotentialCurve.size(), fresh.PotentialCurve.size());
    EXPECT_EQ(result.NEdgeIndex, fresh.NEdgeIndex);
    EXPECT_EQ(result.PEdgeIndex, fresh.PEdgeIndex);
    EXPECT_EQ(result.DonorChargeOutline.size(), fresh.DonorChargeOutline.size());
    EXPECT_EQ(result.CapacitanceMarker.size(), 1u);
}

}  // namespace
