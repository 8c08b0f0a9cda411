// The profiles along x in three passes: grid with potential, band edges,
// plot lists.  The region indices are tracked while the grid is walked.
#include "physics/Profiles.h"

#include "physics/Truncation.h"
#include "platform/core/FloatControl.h"

namespace cvcalc {

namespace {
using Extended = long double;

constexpr double MicrometresPerMetre = 1e6;
constexpr double CubicCentimetresPerCubicMetre = 1e-6;

double Micrometres(double metres) { return static_cast<double>(Extended(metres) * MicrometresPerMetre); }

// Fills Positions and Potentials and the three indices.
void WalkGrid(const MaterialConstants& constants, JunctionResult& result, std::int32_t count) {
    const Extended q = constants.ElementaryCharge;
    const Extended er = constants.RelativePermittivity;
    const Extended e0 = constants.VacuumPermittivity;
    // q N / (2 εr ε0) on each side, the curvature of the two parabolas.
    const Extended nCurvature = -((((q * result.Nd) * 0.5) / er) / e0);
    const Extended pCurvature = (((q * result.Na) * 0.5) / er) / e0;
    const double xn = result.DepletionWidthN;
    const double xp = result.DepletionWidthP;
    const double pLayerStart = -xp;
    const Extended vn = result.NSideDrop;
    const double neutralP = static_cast<double>(-(Extended(result.DiffusionPotential) - result.V));

    double* positions = result.Positions.Data();
    double* potentials = result.Potentials.Data();
    std::int32_t junctionIndex = 0;
    std::int32_t nEdgeIndex = -1;
    std::int32_t pEdgeIndex = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const double x = static_cast<double>(Extended(i) * ProfileStep + ProfileStart);
        positions[i] = x;
        double potential;
        if (x > 0) {
            // x = xn counts as neutral.
            if (x >= xn) {
                potential = 0;
            } else {
                potential = static_cast<double>((Extended(x) - Extended(2) * xn) * (Extended(x) * nCurvature) - vn);
                nEdgeIndex = i;
            }
        } else {
            // x = -xp counts as inside the layer, where the parabola meets
            // the neutral value.
            if (x < pLayerStart) {
                potential = neutralP;
                pEdgeIndex = i;
            } else {
                potential = static_cast<double>((Extended(x) + Extended(2) * xp) * (Extended(x) * pCurvature) - vn);
            }
            junctionIndex = i;
        }
        potentials[i] = potential;
    }
    // Sample 1000 lies inside the n-side layer for every accepted input.  A
    // layer thinner than 1e-21 m has no sample in it; its block then closes
    // at the junction edge, as the acceptor block does when xp is that thin.
    if (nEdgeIndex < 0) nEdgeIndex = junctionIndex;
    result.JunctionIndex = junctionIndex;
    result.NEdgeIndex = nEdgeIndex;
    result.PEdgeIndex = pEdgeIndex;
}

void ComputeBandEdges(const MaterialConstants& constants, JunctionResult& result, std::int32_t count) {
    const Extended offset = result.ConductionBandOffset;
    const Extended gap = constants.BandGap;
    const double* potentials = result.Potentials.Data();
    double* conduction = result.ConductionBandEdges.Data();
    double* valence = result.ValenceBandEdges.Data();
    for (std::int32_t i = 0; i < count; ++i) {
        const double edge = static_cast<double>(-Extended(potentials[i]) + offset);
        conduction[i] = edge;
        valence[i] = static_cast<double>(Extended(edge) - gap);
    }
}

void BuildPlotLists(JunctionResult& result, std::int32_t count) {
    result.PotentialCurve.clear();
    result.ConductionBandCurve.clear();
    result.ValenceBandCurve.clear();
    result.PotentialCurve.reserve(static_cast<std::size_t>(count));
    result.ConductionBandCurve.reserve(static_cast<std::size_t>(count));
    result.ValenceBandCurve.reserve(static_cast<std::size_t>(count));
    const double* positions = result.Positions.Data();
    const double* potentials = result.Potentials.Data();
    const double* conduction = result.ConductionBandEdges.Data();
    const double* valence = result.ValenceBandEdges.Data();
    for (std::int32_t i = 0; i < count; ++i) {
        const double x = Micrometres(positions[i]);
        result.PotentialCurve.push_back({x, potentials[i]});
        result.ConductionBandCurve.push_back({x, conduction[i]});
        result.ValenceBandCurve.push_back({x, valence[i]});
    }

    const double first = Micrometres(result.Positions.At(0));
    const double last = Micrometres(result.Positions.At(count - 1));
    const double junction = Micrometres(result.Positions.At(result.JunctionIndex));
    const double nEdge = Micrometres(result.Positions.At(result.NEdgeIndex));
    const double pEdge = Micrometres(result.Positions.At(result.PEdgeIndex));

    result.FermiLevelN = {{nEdge, 0}, {last, 0}};
    result.FermiLevelP = {{first, -result.V}, {pEdge, -result.V}};

    // Fixed charge drawn as signed doping densities in cm^-3, without q.
    const double donor = static_cast<double>(Extended(result.Nd) * CubicCentimetresPerCubicMetre);
    const double acceptor = static_cast<double>(-Extended(result.Na) * CubicCentimetresPerCubicMetre);
    if (result.DepletionWidthN > ProfileEdgeLimit)
        result.DonorChargeOutline = {{junction, 0}, {junction, donor}, {nEdge, donor}};
    else
        result.DonorChargeOutline = {{junction, 0}, {junction, donor}, {nEdge, donor}, {nEdge, 0}, {last, 0}};
    if (result.DepletionWidthP > ProfileEdgeLimit)
        result.AcceptorChargeOutline = {{pEdge, acceptor}, {junction, acceptor}, {junction, 0}};
    else
        result.AcceptorChargeOutline = {{first, 0}, {pEdge, 0}, {pEdge, acceptor}, {junction, acceptor}, {junction, 0}};
}
}  // namespace

void BuildProfiles(const MaterialConstants& constants, JunctionResult& result) {
    const std::int32_t count = TruncateToInt32(Extended(ProfileSpan) / ProfileStep + 1);
    result.Positions.Resize(count);
    result.Potentials.Resize(count);
    result.ConductionBandEdges.Resize(count);
    result.ValenceBandEdges.Resize(count);
    RunFloatChecked([&] {
        WalkGrid(constants, result, count);
        ComputeBandEdges(constants, result, count);
        BuildPlotLists(result, count);
    });
}

}  // namespace cvcalc
