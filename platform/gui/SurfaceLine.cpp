// The line walk every surface draws its lines with: which pens it takes,
// the plan it makes of pen, background, clip and target, and the walk.
#include "platform/gui/SurfaceLine.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace cvcalc {

namespace {
constexpr int DashRuns[] = {18, 6};
constexpr int DotRuns[] = {3, 3};
constexpr int DashDotRuns[] = {9, 6, 3, 6};
constexpr int DashDotDotRuns[] = {9, 3, 3, 3, 3, 3};
constexpr int AlternateRuns[] = {1, 1};
static_assert(std::size(DashDotDotRuns) <= LinePlan::MaxRuns);

constexpr int Period(std::span<const int> runs) {
    int sum = 0;
    for (const int run : runs) sum += run;
    return sum;
}
static_assert(Period(DashRuns) <= LinePlan::MaxPeriod && Period(DotRuns) <= LinePlan::MaxPeriod &&
              Period(DashDotRuns) <= LinePlan::MaxPeriod && Period(DashDotDotRuns) <= LinePlan::MaxPeriod &&
              Period(AlternateRuns) <= LinePlan::MaxPeriod);

// The widest geometric pen a surface draws (wider ones draw this wide).
constexpr int MaxPenWidth = 10000;

void MakePlan(TSurface::State& s) {
    LinePlan& plan = s.linePlan;
    plan.valid = false;
    plan.direct = s.image != nullptr && s.pen.mode == NativePenMode::Copy;
    plan.ink = 0xFF000000u | ToQColor(s.pen.color).rgb();
    plan.gap = 0xFF000000u | ToQColor(s.backgroundColor).rgb();
    plan.fillGaps = s.backgroundMode == BackgroundMode::Opaque;

    // The target's pixels, within the clip; a window's paint stays within
    // its window.
    QRect bounds;
    if (s.image != nullptr)
        bounds = s.image->rect();
    else if (const QPaintDevice* device = s.painter->device())
        bounds = QRect(0, 0, device->width(), device->height());
    if (s.hasClip) bounds = bounds.intersected(s.clipRect);
    plan.left = 0;
    plan.top = 0;
    plan.right = -1;
    plan.bottom = -1;
    if (!bounds.isEmpty()) {
        plan.left = bounds.left();
        plan.top = bounds.top();
        plan.right = bounds.right();
        plan.bottom = bounds.bottom();
    }

    // A geometric pen's stamp: a square of its width, or the pixels of that
    // square within half the width (and a little) of its centre for round
    // ends.  Every row of either is one run of pixels, symmetric about the
    // centre, so a stamp swept along a walk covers one run per row.
    plan.geometric = s.pen.geometric;
    plan.stamp.clear();
    plan.stampRowOf.clear();
    plan.stampLeft = plan.stampRight = 0;
    if (plan.geometric) {
        const int width = std::clamp(s.pen.width, 1, MaxPenWidth);
        const bool round = s.pen.end == NativePenEnd::Round;
        const int lo = -(width / 2);
        const double centre = lo + (width - 1) / 2.0;
        const double reach = (width / 2.0) * (width / 2.0) + 0.25;
        plan.stampLeft = INT_MAX;
        plan.stampRight = INT_MIN;
        for (int dy = lo; dy < lo + width; ++dy) {
            int first = lo, last = lo + width - 1;
            if (round) {
                const double rest = reach - (dy - centre) * (dy - centre);
                while (first <= last && (first - centre) * (first - centre) > rest) ++first;
                while (last >= first && (last - centre) * (last - centre) > rest) --last;
            }
            if (first > last) {
                plan.stampRowOf.push_back(-1);
                continue;
            }
            plan.stampRowOf.push_back(int(plan.stamp.size()));
            plan.stamp.push_back({dy, first, last});
            plan.stampLeft = std::min(plan.stampLeft, first);
            plan.stampRight = std::max(plan.stampRight, last);
        }
        // Indexed from the stamp's top row.
        const auto top = std::find_if(plan.stampRowOf.begin(), plan.stampRowOf.end(), [](int r) { return r >= 0; });
        plan.stampRowOf.erase(plan.stampRowOf.begin(), top);
    }
    plan.runCount = 0;
    plan.period = 0;
    if (!plan.geometric)
        for (const int run : CosmeticDashes(s.pen.style)) {
            for (int i = 0; i < run; ++i, ++plan.period) {
                const bool ink = plan.runCount % 2 == 0;
                plan.periodColor[plan.period] = ink ? plan.ink : plan.gap;
                plan.periodPut[plan.period] = ink || plan.fillGaps;
            }
            plan.runs[plan.runCount++] = run;
        }
    plan.valid = true;
}
}  // namespace

LineRasteriser RasteriserFor(const NativePen& pen) {
    if (pen.style == NativePenStyle::Clear) return LineRasteriser::Nothing;
    if (!pen.geometric) return LineRasteriser::Walk;
    const bool solid = pen.style == NativePenStyle::Solid || pen.style == NativePenStyle::InsideFrame;
    return solid && pen.end != NativePenEnd::Flat ? LineRasteriser::Walk : LineRasteriser::Stroker;
}

bool WithinWalkReach(PixelPoint a, PixelPoint b) {
    constexpr int Limit = 1 << 15;
    return std::abs(a.x) < Limit && std::abs(a.y) < Limit && std::abs(b.x) < Limit && std::abs(b.y) < Limit;
}

std::span<const int> CosmeticDashes(NativePenStyle style) {
    switch (style) {
    case NativePenStyle::Dash:
        return DashRuns;
    case NativePenStyle::Dot:
        return DotRuns;
    case NativePenStyle::DashDot:
        return DashDotRuns;
    case NativePenStyle::DashDotDot:
        return DashDotDotRuns;
    case NativePenStyle::Alternate:
        return AlternateRuns;
    default:
        return {};
    }
}

LineWalk::LineWalk(TSurface::State& state) : state_(state), plan_(state.linePlan) {
    if (!plan_.valid) MakePlan(state_);
    if (plan_.direct) {
        bits_ = reinterpret_cast<QRgb*>(state_.image->bits());
        stride_ = state_.image->bytesPerLine() / 4;
    }
}

LineWalk::~LineWalk() { Flush(); }

void LineWalk::Draw(int x0, int y0, int x1, int y1) {
    if (plan_.left > plan_.right || plan_.top > plan_.bottom) return;
    if (plan_.geometric)
        DrawGeometric(x0, y0, x1, y1);
    else
        DrawCosmetic(x0, y0, x1, y1);
}

namespace {
// The integer walk from one end of a line to the other: one step moves x,
// y or both by one pixel.
struct WalkStep {
    int dx, dy, sx, sy, err;
    WalkStep(int x0, int y0, int x1, int y1)
        : dx(std::abs(x1 - x0)), dy(-std::abs(y1 - y0)), sx(x0 < x1 ? 1 : -1), sy(y0 < y1 ? 1 : -1), err(dx + dy) {}
    void Next(int& x, int& y) {
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
};

// One pixel per step, the last left out; dashes counted in steps of the
// walk, starting afresh with every line.  `put` sets a pixel within bounds.
template <class Put>
void WalkCosmetic(const LinePlan& plan, int x0, int y0, int x1, int y1, Put put) {
    WalkStep step(x0, y0, x1, y1);
    int run = 0, left = plan.runCount > 0 ? plan.runs[0] : 0;
    while (x0 != x1 || y0 != y1) {
        const bool inside = x0 >= plan.left && x0 <= plan.right && y0 >= plan.top && y0 <= plan.bottom;
        if (plan.runCount == 0) {
            if (inside) put(x0, y0, plan.ink);
        } else {
            if (run % 2 == 0) {
                if (inside) put(x0, y0, plan.ink);
            } else if (plan.fillGaps && inside) {
                put(x0, y0, plan.gap);
            }
            if (--left == 0) {
                run = (run + 1) % plan.runCount;
                left = plan.runs[run];
            }
        }
        step.Next(x0, y0);
    }
}
}  // namespace

void LineWalk::DrawCosmetic(int x0, int y0, int x1, int y1) {
    if (bits_ != nullptr && (x0 == x1 || y0 == y1)) {
        DrawStraight(x0, y0, x1, y1);
        return;
    }
    if (bits_ != nullptr) {
        QRgb* const bits = bits_;
        const qsizetype stride = stride_;
        WalkCosmetic(plan_, x0, y0, x1, y1, [bits, stride](int x, int y, QRgb color) {
            bits[static_cast<qsizetype>(y) * stride + x] = color;
        });
    } else {
        WalkCosmetic(plan_, x0, y0, x1, y1, [this](int x, int y, QRgb color) { Pixel(x, y, color); });
    }
}

// A cosmetic line along a row or a column of a bitmap (grids, ticks, axis
// lines): the same pixels the walk sets, without its bookkeeping at every
// step.  Step k of the walk stands on the k-th pixel from the start.
void LineWalk::DrawStraight(int x0, int y0, int x1, int y1) {
    const bool horizontal = y0 == y1;
    const int start = horizontal ? x0 : y0, end = horizontal ? x1 : y1;
    const int across = horizontal ? y0 : x0;
    const int lo = horizontal ? plan_.left : plan_.top, hi = horizontal ? plan_.right : plan_.bottom;
    const int acrossLo = horizontal ? plan_.top : plan_.left, acrossHi = horizontal ? plan_.bottom : plan_.right;
    if (start == end || across < acrossLo || across > acrossHi) return;
    const int sign = end > start ? 1 : -1;
    const int steps = std::abs(end - start);  // the last pixel left out
    // The steps whose pixels lie within bounds.
    const int kLo = std::max(0, sign > 0 ? lo - start : start - hi);
    const int kHi = std::min(steps - 1, sign > 0 ? hi - start : start - lo);
    if (kLo > kHi) return;
    // Where step kLo's pixel is, and how far on the next step's.
    const qsizetype first = start + sign * kLo;
    qsizetype at = horizontal ? qsizetype(across) * stride_ + first : first * stride_ + across;
    const qsizetype by = horizontal ? sign : sign * stride_;
    if (plan_.runCount == 0) {
        if (horizontal) {
            const qsizetype last = at + by * (kHi - kLo);
            std::fill(bits_ + std::min(at, last), bits_ + std::max(at, last) + 1, plan_.ink);
        } else {
            for (int k = kLo; k <= kHi; ++k, at += by) bits_[at] = plan_.ink;
        }
        return;
    }
    // The plan's period of the dashes, from the step the walk is at.
    const int period = plan_.period;
    for (int k = kLo, phase = kLo % period; k <= kHi; ++k, at += by) {
        if (plan_.periodPut[phase]) bits_[at] = plan_.periodColor[phase];
        if (++phase == period) phase = 0;
    }
}

// The stamp set at every step of the walk, both ends included.  What it
// covers is gathered row by row first (one run of pixels per row, since the
// walk moves at most one pixel sideways per step and every stamp row holds
// its centre), then each row is drawn once: a raster mode meets every
// pixel once, and a wide pen costs its height per step, not its area.
// The walk itself keeps, per row it passes, the columns of its steps that
// reach the bounds; each row of the line is then the stamp's rows laid
// over those.
void LineWalk::DrawGeometric(int x0, int y0, int x1, int y1) {
    if (plan_.stamp.empty()) return;
    const int stampTop = plan_.stamp.front().dy, stampBottom = plan_.stamp.back().dy;
    const int firstRow = std::max(std::min(y0, y1) + stampTop, plan_.top);
    const int lastRow = std::min(std::max(y0, y1) + stampBottom, plan_.bottom);
    if (firstRow > lastRow) return;
    // A step counts when its stamp reaches the bounds.
    const int xLo = plan_.left - plan_.stampRight, xHi = plan_.right - plan_.stampLeft;
    const int yLo = firstRow - stampBottom, yHi = lastRow - stampTop;
    const int* stampRow = plan_.stampRowOf.data();  // by dy - stampTop
    if (std::abs(x1 - x0) <= 1 && std::abs(y1 - y0) <= 1) {
        // One step to a neighbour, as between most points of a dense curve:
        // the two stamps, row by row.
        const int ends[2][2] = {{x0, y0}, {x1, y1}};
        bool counts[2];
        for (int e = 0; e < 2; ++e)
            counts[e] = ends[e][0] >= xLo && ends[e][0] <= xHi && ends[e][1] >= yLo && ends[e][1] <= yHi;
        for (int row = firstRow; row <= lastRow; ++row) {
            int first = INT_MAX, last = INT_MIN;
            for (int e = 0; e < 2; ++e) {
                const int d = row - ends[e][1] - stampTop;
                if (!counts[e] || d < 0 || d > stampBottom - stampTop || stampRow[d] < 0) continue;
                const LinePlan::StampRow& sr = plan_.stamp[std::size_t(stampRow[d])];
                first = std::min(first, ends[e][0] + sr.dxFirst);
                last = std::max(last, ends[e][0] + sr.dxLast);
            }
            first = std::max(first, plan_.left);
            last = std::min(last, plan_.right);
            if (first <= last) Span(first, last, row, plan_.ink);
        }
        return;
    }
    const int walkTop = std::min(y0, y1);
    const int walkRows = std::abs(y1 - y0) + 1;
    plan_.rowFirst.assign(std::size_t(walkRows), INT_MAX);
    plan_.rowLast.assign(std::size_t(walkRows), INT_MIN);
    int* rowFirst = plan_.rowFirst.data();
    int* rowLast = plan_.rowLast.data();

    WalkStep step(x0, y0, x1, y1);
    for (;;) {
        if (x0 >= xLo && x0 <= xHi && y0 >= yLo && y0 <= yHi) {
            const int i = y0 - walkTop;
            rowFirst[i] = std::min(rowFirst[i], x0);
            rowLast[i] = std::max(rowLast[i], x0);
        }
        if (x0 == x1 && y0 == y1) break;
        step.Next(x0, y0);
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        // The walk's rows whose stamp reaches this row.
        const int wFirst = std::max(0, row - stampBottom - walkTop);
        const int wLast = std::min(walkRows - 1, row - stampTop - walkTop);
        int first = INT_MAX, last = INT_MIN;
        for (int w = wFirst; w <= wLast; ++w) {
            if (rowFirst[w] > rowLast[w]) continue;  // no step there counted
            const int r = stampRow[row - (walkTop + w) - stampTop];
            if (r < 0) continue;
            const LinePlan::StampRow& sr = plan_.stamp[std::size_t(r)];
            first = std::min(first, rowFirst[w] + sr.dxFirst);
            last = std::max(last, rowLast[w] + sr.dxLast);
        }
        first = std::max(first, plan_.left);
        last = std::min(last, plan_.right);
        if (first <= last) Span(first, last, row, plan_.ink);
    }
}

// Neighbours on one row in one colour become one run for the painter.
void LineWalk::Pixel(int x, int y, QRgb color) {
    if (pending_ && y == pendingY_ && color == pendingColor_) {
        if (x == pendingLast_ + 1) {
            pendingLast_ = x;
            return;
        }
        if (x == pendingFirst_ - 1) {
            pendingFirst_ = x;
            return;
        }
    }
    Flush();
    pending_ = true;
    pendingFirst_ = pendingLast_ = x;
    pendingY_ = y;
    pendingColor_ = color;
}

void LineWalk::Span(int xFirst, int xLast, int y, QRgb color) {
    if (bits_ != nullptr) {
        QRgb* row = bits_ + static_cast<qsizetype>(y) * stride_;
        std::fill(row + xFirst, row + xLast + 1, color);
        return;
    }
    Flush();
    // The painter applies the pen's raster mode.
    state_.painter->fillRect(QRect(xFirst, y, xLast - xFirst + 1, 1), QColor::fromRgb(color));
}

void LineWalk::Flush() {
    if (!pending_) return;
    pending_ = false;
    state_.painter->fillRect(QRect(pendingFirst_, pendingY_, pendingLast_ - pendingFirst_ + 1, 1),
                             QColor::fromRgb(pendingColor_));
}

}  // namespace cvcalc
