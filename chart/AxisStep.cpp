// Axis stage two: the label step, from the label sizes, the room along the
// axis and the smallest step the Increment allows.
#include "chart/AxisStep.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace cvcalc {

double NextNiceStep(double x) {
    if (std::isinf(x)) return 1;
    // Zero, negative or no number at all has no place on the sequence and
    // would never reach [1, 10) by scaling.
    if (!(x > 0)) return 1;
    int up = 0, down = 0;
    while (x >= 10) {
        x *= 0.1;
        ++up;
    }
    while (x < 1) {
        x *= 10;
        ++down;
    }
    double r = x < 2 ? 2 : (x < 5 ? 5 : 10);
    // The same multiplications, in the same order, as stepping one decade at
    // a time would do.
    for (int i = 0; i < down; ++i) r *= 0.1;
    for (int i = 0; i < up; ++i) r *= 10;
    return r;
}

static int LineCount(const std::string& text, bool multiLine) {
    if (!multiLine) return 1;
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), ' '));
}

int AxisLabelSizeAlong(const TAxisLabelSettings& settings, bool horizontal, const TAxisTextMetrics& metrics,
                       const std::string& text) {
    assert(settings.font);
    const bool across = (settings.angle == 90 || settings.angle == 270);
    const bool useWidth = horizontal != across;
    if (useWidth) return metrics.TextWidth(*settings.font, text);
    return metrics.TextHeight(*settings.font, "W") * LineCount(text, settings.multiLine);
}

int AxisLabelsThatFit(const TAxisScale& scale, const TAxisLabelSettings& settings, const TAxisTextMetrics& metrics) {
    const bool horizontal = scale.Orientation().horizontal;
    const double lo = scale.Lo(), hi = scale.Hi(), increment = settings.increment;
    auto size = [&](double value) {
        return AxisLabelSizeAlong(settings, horizontal, metrics, AxisLabelText(settings, value));
    };
    int s = std::max(size(hi), size(lo));
    if (increment != 0) {
        s = std::max(s, size(lo + increment));
        s = std::max(s, size(hi - increment));
    } else {
        s = std::max(s, size((hi + lo) / 2));
    }
    if (s <= 0) return 1;
    double per = s;
    if (settings.separation > 0) per += std::nearbyint(settings.separation * 0.01 * s);
    return static_cast<int>(std::nearbyint(scale.AxisSize() / per));
}

double AxisLogBase(const TAxisLabelSettings& settings) {
    return settings.logBase > 1 && std::isfinite(settings.logBase) ? settings.logBase : 10.0;
}

namespace {
// Powers of the base between labels on a logarithmic scale: the fewest of
// 1, 2, 5, 10 … that keeps the labels within the n that fit.
double LogarithmicLabelStep(const TAxisScale& scale, const TAxisLabelSettings& settings, int n) {
    const double base = AxisLogBase(settings);
    const double powers = std::log(scale.Hi() / scale.Lo()) / std::log(base);
    const double lowest = std::ceil(std::log(scale.Lo()) / std::log(base) - 1e-9);
    const double highest = std::floor(std::log(scale.Hi()) / std::log(base) + 1e-9);
    if (highest - lowest < 1 && base == 10 && n >= 3) return AxisLogOneTwoFiveStep;
    double q = 1;
    for (int guard = 0; guard < 64 && n >= 1 && powers / q > n; ++guard) q = NextNiceStep(q);
    return q;
}
}  // namespace

double AxisLabelStep(const TAxisScale& scale, const TAxisLabelSettings& settings, const TAxisSeriesExtent& extent,
                     const TAxisTextMetrics& metrics) {
    const int n = AxisLabelsThatFit(scale, settings, metrics);
    if (scale.Logarithmic()) return LogarithmicLabelStep(scale, settings, n);
    const double range = scale.Range();
    double q;
    if (n < 1) {
        q = AxisMinIncrement;
    } else {
        if (settings.increment > 0) {
            q = settings.increment;
        } else if (range != 0) {
            q = std::fabs(range) / (n + 1);
            // A series of only a few points is labelled in whole units.
            if (range >= 1 && extent.anyActive && extent.fewestActivePoints <= n) q = std::max(q, 1.0);
        } else {
            q = 1;
        }
        if (settings.separation >= 1) {
            long long k = static_cast<long long>(n) + 1;
            do {
                const double c = range / q;
                if (std::fabs(c) < 2147483647.0) {
                    k = static_cast<long long>(std::nearbyint(c));
                    if (k > n) q = NextNiceStep(q);
                } else {
                    q = NextNiceStep(q);
                }
            } while (k > n && q <= range && std::isfinite(q));
        }
    }
    if (std::isinf(q))
        q = range;
    else
        q = std::max(q, AxisMinIncrement);
    if (settings.alternate) q /= 2;
    return q;
}

}  // namespace cvcalc
