// The position grid and the potential, band, Fermi-level and charge
// profiles drawn from it.
#include <algorithm>
#include <cmath>

#include "PhysicsTestSupport.h"
#include "physics/Profiles.h"

using namespace cvcalc;
using cvcalc::test::NearRelative;

namespace {

class Profiles : public cvcalc::test::PhysicsTest {};

double At(const SampleArray& list, int index) { return list[index]; }

TEST_F(Profiles, GridConstantsAreOneUnitInsideTheDecimals) {
    EXPECT_EQ(ProfileStart, std::nextafter(-1e-5, 0.0));
    EXPECT_EQ(ProfileSpan, std::nextafter(2e-5, 0.0));
    EXPECT_EQ(ProfileEdgeLimit, std::nextafter(1e-5, 0.0));
    EXPECT_EQ(ProfileStep, 1e-8);
}

TEST_F(Profiles, GridHasTwoThousandSamplesWithSampleThousandOnTheNSide) {
    const JunctionResult r = Solve(1e15, 1e15, 1, -10);
    ASSERT_EQ(r.Positions.Size(), 2000u);
    ASSERT_EQ(r.Potentials.Size(), 2000u);
    ASSERT_EQ(r.ConductionBandEdges.Size(), 2000u);
    ASSERT_EQ(r.ValenceBandEdges.Size(), 2000u);
    EXPECT_EQ(At(r.Positions, 0), ProfileStart);
    EXPECT_NEAR(At(r.Positions, 999), -9.999999999999e-09, 1e-20);
    EXPECT_GT(At(r.Positions, 1000), 0);
    EXPECT_LT(At(r.Positions, 1000), 2e-21);
    EXPECT_NEAR(At(r.Positions, 1999), 9.99e-06, 1e-17);
    for (int i = 1; i < 2000; ++i) ASSERT_GT(At(r.Positions, i), At(r.Positions, i - 1));
    EXPECT_EQ(r.JunctionIndex, 999);
    for (const PlotPoints* curve : {&r.PotentialCurve, &r.ConductionBandCurve, &r.ValenceBandCurve}) {
        ASSERT_EQ(curve->size(), 2000u);
        EXPECT_EQ((*curve)[0].X, ProfileStart * 1e6);
        EXPECT_EQ((*curve)[1999].X, At(r.Positions, 1999) * 1e6);
    }
}

TEST_F(Profiles, WorkedExamples) {
    const struct {
        double donor, acceptor, bias;
        int pEdge, nEdge;
        double firstPotential, junctionPotential, lastPotential;
        std::size_t donorPoints, acceptorPoints;
    } cases[] = {
        {1e15, 1e15, -10, 736, 1263, -10.5915, -5.336, 0, 5, 5},
        {1e15, 1e15, 0, 937, 1062, -0.5915, -0.3052, 0, 5, 5},
        {1e14, 1e18, -10, 999, 1999, -10.7106, -10.7106, -0.268, 3, 5},
        {1e18, 1e14, 0, 694, 1000, -0.7106, -0.00471, 0, 5, 5},
        {1e18, 1e14, -10, 0, 1000, -10.445, -0.0191, 0, 5, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.donor << " " << c.acceptor << " " << c.bias);
        const JunctionResult r = Solve(c.donor, c.acceptor, 1, c.bias);
        EXPECT_EQ(r.JunctionIndex, 999);
        EXPECT_EQ(r.PEdgeIndex, c.pEdge);
        EXPECT_EQ(r.NEdgeIndex, c.nEdge);
        EXPECT_NEAR(At(r.Potentials, 0), c.firstPotential, 5e-4);
        EXPECT_NEAR(At(r.Potentials, 999), c.junctionPotential, 5e-4);
        EXPECT_NEAR(At(r.Potentials, 1999), c.lastPotential, 5e-4);
        EXPECT_EQ(r.DonorChargeOutline.size(), c.donorPoints);
        EXPECT_EQ(r.AcceptorChargeOutline.size(), c.acceptorPoints);

        const double x0 = At(r.Positions, 0) * 1e6;
        const double xLast = At(r.Positions, 1999) * 1e6;
        const double xJ = At(r.Positions, 999) * 1e6;
        const double xN = At(r.Positions, c.nEdge) * 1e6;
        const double xP = At(r.Positions, c.pEdge) * 1e6;
        ASSERT_EQ(r.FermiLevelN.size(), 2u);
        EXPECT_EQ(r.FermiLevelN[0].X, xN);
        EXPECT_EQ(r.FermiLevelN[1].X, xLast);
        EXPECT_EQ(r.FermiLevelN[0].Y, 0);
        EXPECT_EQ(r.FermiLevelN[1].Y, 0);
        ASSERT_EQ(r.FermiLevelP.size(), 2u);
        EXPECT_EQ(r.FermiLevelP[0].X, x0);
        EXPECT_EQ(r.FermiLevelP[1].X, xP);
        EXPECT_EQ(r.FermiLevelP[0].Y, -c.bias);
        EXPECT_EQ(r.FermiLevelP[1].Y, -c.bias);

        const double donor = c.donor;
        const double acceptor = -c.acceptor;
        const auto& d = r.DonorChargeOutline;
        EXPECT_EQ(d[0].X, xJ);
        EXPECT_EQ(d[0].Y, 0);
        EXPECT_EQ(d[1].X, xJ);
        EXPECT_TRUE(NearRelative(d[1].Y, donor, 1e-15));
        EXPECT_EQ(d[2].X, xN);
        EXPECT_EQ(d[2].Y, d[1].Y);
        if (d.size() == 5) {
            EXPECT_EQ(d[3].X, xN);
            EXPECT_EQ(d[3].Y, 0);
            EXPECT_EQ(d[4].X, xLast);
            EXPECT_EQ(d[4].Y, 0);
        }
        const auto& a = r.AcceptorChargeOutline;
        const std::size_t o = a.size() == 5 ? 2 : 0;  // the 5-point outline starts along the axis
        if (o == 2) {
            EXPECT_EQ(a[0].X, x0);
            EXPECT_EQ(a[0].Y, 0);
            EXPECT_EQ(a[1].X, xP);
            EXPECT_EQ(a[1].Y, 0);
        }
        EXPECT_EQ(a[o].X, xP);
        EXPECT_TRUE(NearRelative(a[o].Y, acceptor, 1e-15));
        EXPECT_EQ(a[o + 1].X, xJ);
        EXPECT_EQ(a[o + 1].Y, a[o].Y);
        EXPECT_EQ(a[o + 2].X, xJ);
        EXPECT_EQ(a[o + 2].Y, 0);
    }
}

TEST_F(Profiles, DefaultBandsAndFermiLevels) {
    const JunctionResult r = Solve(1e15, 1e15, 1, -10);
    EXPECT_NEAR(At(r.ConductionBandEdges, 0), 10.857, 5e-4);
    EXPECT_NEAR(At(r.ConductionBandEdges, 1999), 0.2654, 5e-5);
    EXPECT_EQ(At(r.ConductionBandEdges, 1999), r.ConductionBandOffset);
    EXPECT_NEAR(At(r.ValenceBandEdges, 0), 10.857 - 1.12, 5e-4);
    EXPECT_NEAR(r.FermiLevelN[0].X, 2.63, 5e-3);
    EXPECT_NEAR(r.FermiLevelP[1].X, -2.64, 5e-3);
    EXPECT_EQ(r.FermiLevelP[0].Y, 10);
}

// The depletion approximation over a grid of inputs: the potential is
// continuous and rising, the indices bracket the layer edges, and the bands
// follow the potential.
TEST_F(Profiles, PotentialIsContinuousAndIndicesBracketTheLayer) {
    const double q = constants_.ElementaryCharge;
    const double permittivity = constants_.RelativePermittivity * constants_.VacuumPermittivity;
    for (double donor : {1e14, 1e15, 4e16, 1e18})
        for (double acceptor : {1e14, 2e15, 1e17, 1e18})
            for (double bias : {-10.0, -1.0, 0.0, 0.4}) {
                SCOPED_TRACE(::testing::Message() << donor << " " << acceptor << " " << bias);
                const JunctionResult r = Solve(donor, acceptor, 1, bias);
                const double xn = r.DepletionWidthN;
                const double xp = r.DepletionWidthP;
                const double peakField = q * r.Nd * xn / permittivity;
                double largestStep = 0;
                for (int i = 1; i < 2000; ++i) {
                    const double step = At(r.Potentials, i) - At(r.Potentials, i - 1);
                    ASSERT_GE(step, 0) << i;
                    largestStep = std::max(largestStep, step);
                }
                EXPECT_LE(largestStep, peakField * ProfileStep * (1 + 1e-9));
                for (int i = 0; i < 2000; ++i) {
                    ASSERT_NEAR(At(r.ConductionBandEdges, i), r.ConductionBandOffset - At(r.Potentials, i), 1e-14);
                    ASSERT_NEAR(At(r.ConductionBandEdges, i) - At(r.ValenceBandEdges, i), 1.12, 1e-14);
                }
                if (xp < 9.99e-6) {
                    EXPECT_EQ(At(r.Potentials, 0), -(r.DiffusionPotential - r.V));
                    EXPECT_LT(At(r.Positions, r.PEdgeIndex), -xp);
                    EXPECT_GE(At(r.Positions, r.PEdgeIndex + 1), -xp);
                } else {
                    EXPECT_EQ(r.PEdgeIndex, 0);
                }
                EXPECT_GT(At(r.Positions, r.NEdgeIndex), 0);
                EXPECT_LT(At(r.Positions, r.NEdgeIndex), xn);
                if (xn < 9.99e-6) {
                    EXPECT_EQ(At(r.Potentials, 1999), 0);
                    EXPECT_GE(At(r.Positions, r.NEdgeIndex + 1), xn);
                } else {
                    EXPECT_EQ(r.NEdgeIndex, 1999);
                }
                // Both parabolas meet at -Vn on the junction plane.
                EXPECT_NEAR(At(r.Potentials, 999), -r.NSideDrop, peakField * 1.01e-8);
                EXPECT_NEAR(At(r.Potentials, 1000), -r.NSideDrop, peakField * 1e-20 + 1e-15);
            }
}

// Solves the default case and then rebuilds the profiles with constructed
// layer widths.
class ConstructedWidths : public Profiles {
protected:
    void SetUp() override {
        Profiles::SetUp();
        result_ = Solve(1e15, 1e15, 1, -10);
    }
    void Rebuild(double xn, double xp) {
        result_.DepletionWidthN = xn;
        result_.DepletionWidthP = xp;
        BuildProfiles(constants_, result_);
    }
    JunctionResult result_;
};

TEST_F(ConstructedWidths, SampleOnALayerEdgeTiesAsTheRulesSay) {
    const double onN = At(result_.Positions, 1263);
    const double onP = -At(result_.Positions, 736);
    Rebuild(onN, onP);
    // x = xn is neutral; x = -xp is inside the layer.
    EXPECT_EQ(result_.NEdgeIndex, 1262);
    EXPECT_EQ(At(result_.Potentials, 1263), 0);
    EXPECT_EQ(result_.PEdgeIndex, 735);
    EXPECT_NE(At(result_.Potentials, 736), At(result_.Potentials, 735));
}

TEST_F(ConstructedWidths, ChargeBlocksOpenOnlyBeyondTheEdgeLimit) {
    const struct {
        double width;
        std::size_t points;
    } cases[] = {{ProfileEdgeLimit, 5}, {1e-5, 3}, {9.99e-6, 5}, {2e-5, 3}};
    for (const auto& c : cases) {
        Rebuild(c.width, 1e-6);
        EXPECT_EQ(result_.DonorChargeOutline.size(), c.points) << c.width;
        Rebuild(1e-6, c.width);
        EXPECT_EQ(result_.AcceptorChargeOutline.size(), c.points) << c.width;
    }
}

TEST_F(ConstructedWidths, LayerWithNoSampleInsideClosesAtTheJunction) {
    Rebuild(1e-22, 1e-22);
    EXPECT_EQ(result_.NEdgeIndex, 999);
    EXPECT_EQ(result_.PEdgeIndex, 999);
    EXPECT_EQ(result_.DonorChargeOutline[2].X, result_.DonorChargeOutline[0].X);
    EXPECT_EQ(result_.FermiLevelN[0].X, At(result_.Positions, 999) * 1e6);
}

}  // namespace
