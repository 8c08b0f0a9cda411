// The grading fit: a line in (ln(V0 − V), ln C) for each trial V0, and a
// golden-section search with parabolic steps (Brent's) over the logarithm of
// V0's distance above the data, after a coarse scan has bracketed the best.
#include "analysis/GradingFit.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <vector>

#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {
using Extended = long double;

[[noreturn]] void Fail(int id) { throw EProfileError(LoadMessage(id)); }

// ln C = b − m · ln(V0 − V): the line for one V0 and its squared residue.
struct TrialLine {
    Extended slope = 0, intercept = 0, residue = 0, total = 0;
};

class GradingProblem {
public:
    GradingProblem(std::vector<double> v, std::vector<double> lnC) : v_(std::move(v)), lnC_(std::move(lnC)) {
        Extended sum = 0;
        for (const double y : lnC_) sum += y;
        meanY_ = sum / static_cast<Extended>(lnC_.size());
        u_.resize(v_.size());
    }

    TrialLine Line(Extended v0) {
        const std::size_t n = v_.size();
        Extended sumU = 0;
        for (std::size_t i = 0; i < n; ++i) {
            u_[i] = std::log(static_cast<double>(v0 - v_[i]));
            sumU += u_[i];
        }
        const Extended meanU = sumU / static_cast<Extended>(n);
        Extended suu = 0, suy = 0, syy = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const Extended du = u_[i] - meanU, dy = lnC_[i] - meanY_;
            suu += du * du;
            suy += du * dy;
            syy += dy * dy;
        }
        TrialLine line;
        line.slope = suu == 0 ? 0 : suy / suu;
        line.intercept = meanY_ - line.slope * meanU;
        // The residue summed directly: syy − suy²/suu would cancel to
        // rounding noise at a perfect fit and blur where the best V0 lies.
        for (std::size_t i = 0; i < n; ++i) {
            const Extended r = lnC_[i] - line.intercept - line.slope * u_[i];
            line.residue += r * r;
        }
        line.total = syy;
        return line;
    }

private:
    std::vector<double> v_, lnC_;
    std::vector<double> u_;
    Extended meanY_ = 0;
};

}  // namespace

GradingFit FitGradingExponent(std::span<const double> voltages, std::span<const double> capacitances, double vmin,
                              double vmax) {
    assert(voltages.size() == capacitances.size());
    const std::size_t size = std::min(voltages.size(), capacitances.size());
    std::vector<double> v, lnC;
    for (std::size_t i = 0; i < size; ++i)
        if (voltages[i] >= vmin && voltages[i] <= vmax && capacitances[i] > 0) {
            v.push_back(voltages[i]);
            lnC.push_back(std::log(capacitances[i]));
        }
    if (v.size() < 3) Fail(msg::GradingTooFewPoints);
    const auto [lowest, highest] = std::minmax_element(v.begin(), v.end());
    const double vLow = *lowest, vHigh = *highest;
    if (vLow == vHigh) Fail(msg::GradingOneVoltage);

    // V0 lies above every voltage fitted and above 0 V (C0 is the
    // capacitance at 0 V); the search runs over t = ln(V0 − base) from a
    // billionth of the span to a thousand spans, wide enough for any
    // junction's Vbi and for a curve that ends a hair below it.
    const double span = vHigh - vLow;
    const Extended base = std::max(vHigh, 0.0);
    const double tLow = std::log(span * 1e-9), tHigh = std::log(span * 1e3);
    const std::size_t count = v.size();
    GradingProblem problem(std::move(v), std::move(lnC));
    const auto residue = [&](double t) { return problem.Line(base + std::exp(Extended(t))).residue; };

    // A coarse scan brackets the smallest residue ...
    constexpr int ScanSteps = 16;
    int best = 0;
    std::array<Extended, ScanSteps + 1> scanned{};
    for (int i = 0; i <= ScanSteps; ++i) {
        scanned[std::size_t(i)] = residue(tLow + (tHigh - tLow) * i / ScanSteps);
        if (scanned[std::size_t(i)] < scanned[std::size_t(best)]) best = i;
    }
    if (best == ScanSteps) Fail(msg::GradingNoConvergence);
    double a = tLow + (tHigh - tLow) * std::max(best - 1, 0) / ScanSteps;
    double b = tLow + (tHigh - tLow) * (best + 1) / ScanSteps;

    // ... and Brent's search narrows it to the double's resolution of t.
    constexpr double Golden = 0.3819660112501051;
    double x = tLow + (tHigh - tLow) * best / ScanSteps, w = x, vv = x;
    Extended fx = scanned[std::size_t(best)], fw = fx, fv = fx;
    double d = 0, e = 0;
    constexpr int MaxIterations = 100;
    for (int iteration = 0; iteration < MaxIterations; ++iteration) {
        const double m = 0.5 * (a + b);
        const double tol = 1e-10 * std::fabs(x) + 1e-12, tol2 = 2 * tol;
        if (std::fabs(x - m) <= tol2 - 0.5 * (b - a)) break;
        bool parabolic = false;
        if (std::fabs(e) > tol) {
            const double r = static_cast<double>((x - w) * (fx - fv));
            double q = static_cast<double>((x - vv) * (fx - fw));
            double p = (x - vv) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0) p = -p;
            q = std::fabs(q);
            if (std::fabs(p) < std::fabs(0.5 * q * e) && p > q * (a - x) && p < q * (b - x)) {
                e = d;
                d = p / q;
                const double u = x + d;
                if (u - a < tol2 || b - u < tol2) d = x < m ? tol : -tol;
                parabolic = true;
            }
        }
        if (!parabolic) {
            e = (x < m ? b : a) - x;
            d = Golden * e;
        }
        const double u = std::fabs(d) >= tol ? x + d : x + (d > 0 ? tol : -tol);
        const Extended fu = residue(u);
        if (fu <= fx) {
            (u < x ? b : a) = x;
            vv = w, fv = fw, w = x, fw = fx, x = u, fx = fu;
        } else {
            (u < x ? a : b) = u;
            if (fu <= fw || w == x) {
                vv = w, fv = fw, w = u, fw = fu;
            } else if (fu <= fv || vv == x || vv == w) {
                vv = u, fv = fu;
            }
        }
    }
    // A best V0 at an end of the search means the capacitance follows no
    // power law of a junction in this range.  Rounding noise in the residue
    // near its minimum may stop the search short of its tolerance; the
    // bracket is narrow by then and the best point found stands.
    const double endGap = (tHigh - tLow) / ScanSteps * 1e-3;
    if (x <= tLow + endGap || x >= tHigh - endGap) Fail(msg::GradingNoConvergence);

    const Extended v0 = base + std::exp(Extended(x));
    const TrialLine line = problem.Line(v0);
    GradingFit fit;
    fit.M = static_cast<double>(-line.slope);
    fit.V0 = static_cast<double>(v0);
    // ln C = b − m ln(V0 − V) = ln C0 − m ln(1 − V/V0): ln C0 = b − m ln V0.
    fit.C0 = static_cast<double>(std::exp(line.intercept + line.slope * std::log(v0)));
    fit.R2 = static_cast<double>(line.total > 0 ? std::max(Extended(0), 1 - line.residue / line.total) : 1);
    fit.Points = count;
    if (!std::isfinite(fit.M) || !std::isfinite(fit.V0) || !std::isfinite(fit.C0) || !(fit.M > 0))
        Fail(msg::GradingNoConvergence);
    return fit;
}

}  // namespace cvcalc
