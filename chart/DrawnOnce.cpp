// The table of figures met: open addressing on the packed cells, kept at
// most half full.
#include "chart/DrawnOnce.h"

#include <algorithm>
#include <cmath>

namespace cvcalc {

namespace {

constexpr int CellsPerVectorPixel = 8;
// Ordinary runs draw 2000 points a series at most; measured data reach a
// million.
int TheDrawnOnceFrom = 4096;

std::uint64_t Pack(TDrawnOnce::TCell c) noexcept {
    return std::uint64_t(std::uint32_t(c.x)) << 32 | std::uint32_t(c.y);
}

std::size_t Hash(std::uint64_t from, std::uint64_t to) noexcept {
    std::uint64_t h = from * 0x9E3779B97F4A7C15ull ^ (to + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    return std::size_t(h ^ (h >> 29));
}

std::int32_t CellCoordinate(double v) noexcept {
    // Far-away and non-finite positions share the edge cells; the axis
    // clamps drawn positions long before.
    if (!(v == v)) return 0;
    return std::int32_t(std::floor(std::clamp(v * CellsPerVectorPixel, -2e9, 2e9)));
}

}  // namespace

TDrawnOnce::TCell TDrawnOnce::CellOf(double x, double y) noexcept {
    return TCell{CellCoordinate(x), CellCoordinate(y)};
}

bool TDrawnOnce::Offer(TCell from, TCell to, TColor color) {
    const std::uint64_t f = Pack(from), t = Pack(to);
    // The slot keeps the colour of the latest figure with these cells; an
    // earlier one in another colour is drawn, which is never wrong.
    if (used_ > 0 && slots_[last_].from == f && slots_[last_].to == t) return slots_[last_].color != color;
    // The walk below finds the slot again after the table grows.
    if (2 * (used_ + 1) > slots_.size()) Grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = Hash(f, t) & mask;; i = (i + 1) & mask) {
        TSlot& slot = slots_[i];
        if (!slot.used) {
            slot = TSlot{f, t, color, true};
            ++used_;
            last_ = i;
            return true;
        }
        if (slot.from == f && slot.to == t) {
            last_ = i;
            return slot.color != color;
        }
    }
}

void TDrawnOnce::Grow() {
    std::vector<TSlot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(1024, old.size() * 2), TSlot{});
    const std::size_t mask = slots_.size() - 1;
    for (const TSlot& slot : old) {
        if (!slot.used) continue;
        std::size_t i = Hash(slot.from, slot.to) & mask;
        while (slots_[i].used) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

int FiguresDrawnOnceFrom() noexcept { return TheDrawnOnceFrom; }
void SetFiguresDrawnOnceFrom(int points) noexcept { TheDrawnOnceFrom = points; }

}  // namespace cvcalc
