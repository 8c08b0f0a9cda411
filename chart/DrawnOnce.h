// Which of a series' figures a later identical figure covers: with many
// points most markers and segments fall where one drawn after them lies,
// and only the last of such a set shows.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/core/IdentMaps.h"

namespace cvcalc {

// The figures met so far, offered from the last drawn to the first.  A
// figure is its kind's cells (a marker's centre, a segment's two ends) and
// its colour; a cell is a pixel on bitmaps, an eighth of a pixel on vector
// documents.  On a bitmap in copy mode a figure writes the same pixels with
// the same values wherever it is drawn again, so leaving out every figure
// that a later one repeats leaves the picture exactly as it was; on a
// vector document the later figure lies within an eighth of a pixel of the
// one left out.
class TDrawnOnce {
public:
    // A cell: (x, y) scaled by the cells per pixel, rounded down.
    struct TCell {
        std::int32_t x, y;
    };
    static TCell CellOf(int x, int y) noexcept { return TCell{x, y}; }
    static TCell CellOf(double x, double y) noexcept;

    // True when no figure with these cells and this colour was offered
    // before (so it must be drawn); false when one was (it covers this).
    bool Offer(TCell from, TCell to, TColor color);
    bool Offer(TCell at, TColor color) { return Offer(at, at, color); }

private:
    struct TSlot {
        std::uint64_t from = 0, to = 0;
        TColor color = 0;
        bool used = false;
    };
    void Grow();

    std::vector<TSlot> slots_;
    std::size_t used_ = 0;
    // The slot of the last figure offered: a run of points on one pixel
    // offers the same cells again and again.
    std::size_t last_ = 0;
};

// Series of at least this many visible points draw each figure once
// (a test sets it beyond any series to draw every figure).
int FiguresDrawnOnceFrom() noexcept;
void SetFiguresDrawnOnceFrom(int points) noexcept;

}  // namespace cvcalc
