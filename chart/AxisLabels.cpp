// Axis stage three: label texts, the label style, the label values from the
// top down with their tick pixels, and the room the labels take.
#include "chart/AxisLabels.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <span>

#include "numtext/FloatFormat.h"
#include "numtext/FloatPattern.h"
#include "numtext/LocaleFormats.h"

namespace cvcalc {

namespace {
std::string MakeLabelText(const TAxisLabelSettings& settings, double value) {
    std::string text = FormatFloatPattern(settings.format, static_cast<long double>(value));
    if (settings.multiLine) std::replace(text.begin(), text.end(), ' ', '\n');
    return text;
}
}  // namespace

std::string AxisLabelText(const TAxisLabelSettings& settings, double value) {
    if (settings.texts != nullptr) return settings.texts->Text(settings, value);
    return MakeLabelText(settings, value);
}

const std::string& TAxisLabelTexts::Text(const TAxisLabelSettings& settings, double value) {
    if (settings.format != format_ || settings.multiLine != multiLine_ || LocaleDecimalSeparator != decimalSeparator_ ||
        LocaleThousandSeparator != thousandSeparator_) {
        texts_.clear();
        format_ = settings.format;
        multiLine_ = settings.multiLine;
        decimalSeparator_ = LocaleDecimalSeparator;
        thousandSeparator_ = LocaleThousandSeparator;
    }
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    if (auto it = texts_.find(bits); it != texts_.end()) return it->second;
    std::string text = MakeLabelText(settings, value);  // a format error leaves nothing behind
    if (texts_.size() >= MaxTexts) texts_.clear();
    return texts_.emplace(bits, std::move(text)).first->second;
}

TAxisLabelStyle AxisResolveLabelStyle(TAxisLabelStyle style, const TAxisSeriesExtent& extent) {
    if (style != talAuto) return style;
    if (!extent.anyActive) return talNone;
    return extent.anyLabels ? talText : talValue;
}

namespace {
// The values a logarithmic scale labels at `step`, from the top down:
// powers of the base whose exponent is a multiple of the step, or 1, 2 and
// 5 × 10^k.
std::vector<double> LogarithmicLabelValues(const TAxisScale& scale, const TAxisLabelSettings& settings, double step) {
    std::vector<double> values;
    const double base = AxisLogBase(settings), lo = scale.Lo(), hi = scale.Hi();
    const double top = std::floor(std::log(hi) / std::log(base) + 1e-9);
    const double bottom = std::floor(std::log(lo) / std::log(base) - 1e-9);
    const bool oneTwoFive = step == AxisLogOneTwoFiveStep;
    const double every = oneTwoFive ? 1 : std::max(1.0, std::round(step));
    if (!std::isfinite(top) || !std::isfinite(bottom) || (top - bottom) / every >= AxisMaxLabelSteps) return values;
    constexpr double OneTwoFive[] = {5, 2, 1};
    const std::span<const double> mantissas =
        oneTwoFive ? std::span<const double>(OneTwoFive) : std::span(OneTwoFive).last(1);
    for (double e = top; e >= bottom; --e) {
        if (std::fmod(e, every) != 0) continue;
        const double power = std::pow(base, e);
        for (const double m : mantissas) {
            const double t = m * power;
            if (t <= hi * (1 + 1e-12) && t >= lo * (1 - 1e-12)) values.push_back(t);
        }
    }
    return values;
}
}  // namespace

TAxisLabelPass AxisLabelValues(const TAxisScale& scale, const TAxisLabelSettings& settings, bool showText,
                               double step) {
    TAxisLabelPass pass;
    if (scale.Logarithmic()) {
        for (const double t : LogarithmicLabelValues(scale, settings, step)) {
            const int pixel = scale.ValueToPixel(t);
            if (!settings.onAxis && !(pixel > scale.StartPos() && pixel < scale.EndPos())) continue;
            if (showText) pass.labels.push_back({t, pixel, AxisLabelText(settings, t)});
            if (showText || !settings.tickOnLabelsOnly) pass.ticks.push_back(pixel);
        }
        return pass;
    }
    const double lo = scale.Lo(), hi = scale.Hi();
    const double q = step;
    const double steps = scale.Range() / q;
    if (!(q > 0) || !std::isfinite(steps) || std::fabs(steps) >= AxisMaxLabelSteps) return pass;
    if (!std::isfinite(lo) || !std::isfinite(hi)) return pass;

    auto draw = [&](double t) {
        const int pixel = scale.ValueToPixel(t);
        if (!settings.onAxis && !(pixel > scale.StartPos() && pixel < scale.EndPos())) return;
        if (showText) pass.labels.push_back({t, pixel, AxisLabelText(settings, t)});
        if (showText || !settings.tickOnLabelsOnly) pass.ticks.push_back(pixel);
    };

    double t = hi;
    if (settings.roundFirstLabel && FloatToGeneralText(lo) != FloatToGeneralText(hi)) t = std::trunc(hi / q) * q;
    // Each loop is bounded: a step lost in the rounding of t cannot hang.
    for (int guard = 0; t > hi && guard <= AxisMaxLabelSteps; ++guard) t -= q;

    if (scale.RangeIsZero() || std::fabs(hi - lo) < 1e-10) {
        draw(t);
    } else if (FloatToGeneralText(t) != FloatToGeneralText(t - q)) {
        // Rounding noise must not lose the label at an exact zero minimum.
        const double b = lo >= 0 ? (lo - 1e-12) / (1 + 1e-12) : lo;
        for (int guard = 0; t >= b && guard <= AxisMaxLabelSteps + 2; ++guard) {
            draw(t);
            t -= q;
        }
    } else {
        draw(t);
    }
    return pass;
}

std::vector<int> AxisLogarithmicMinorPixels(const TAxisScale& scale, const TAxisLabelSettings& settings, double step) {
    std::vector<int> pixels;
    if (!scale.Logarithmic() || step != 1 || AxisLogBase(settings) != 10) return pixels;
    const double top = std::floor(std::log10(scale.Hi())), bottom = std::floor(std::log10(scale.Lo()));
    if (!(top - bottom < AxisMaxLabelSteps)) return pixels;
    for (double e = bottom; e <= top; ++e)
        for (int m = 2; m <= 9; ++m) {
            const int pixel = scale.ValueToPixel(m * std::pow(10.0, e));
            if (pixel > scale.StartPos() && pixel < scale.EndPos()) pixels.push_back(pixel);
        }
    return pixels;
}

int AxisLabelRoom(const TAxisScale& scale, const TAxisLabelSettings& settings, const TAxisTextMetrics& metrics,
                  double step) {
    if (settings.size != 0) return settings.size;
    assert(settings.font);
    const TChartFont& font = *settings.font;
    if (scale.Orientation().horizontal) return metrics.TextHeight(font, "W") * (settings.alternate ? 2 : 1);
    const double lo = scale.Lo(), hi = scale.Hi();
    double first = lo, last = hi;
    if (scale.Logarithmic()) {
        int widest = 0;
        for (const double t : LogarithmicLabelValues(scale, settings, step))
            widest = std::max(widest, metrics.TextWidth(font, AxisLabelText(settings, t)));
        return widest + metrics.TextWidth(font, " ");
    }
    if (settings.roundFirstLabel && step > 0 && std::isfinite(lo / step) && std::isfinite(hi / step)) {
        first = std::trunc(lo / step) * step;
        last = std::trunc(hi / step) * step;
    }
    const int w = std::max(metrics.TextWidth(font, AxisLabelText(settings, first)),
                           metrics.TextWidth(font, AxisLabelText(settings, last)));
    return w + metrics.TextWidth(font, " ");
}

}  // namespace cvcalc
