// Colours, the pen end styles, the small enumerations that the chart's
// pens, brushes and pointers are described with, and the chart's rectangles.
#pragma once

#include <array>
#include <cstdint>

#include "framework/Brush.h"
#include "framework/Pen.h"
#include "shell/core/IdentMaps.h"

namespace cvcalc {

// Asks the chart to choose the colour; never painted as such.
inline constexpr TColor clAutoColor = 0x20000000;

enum TPenEndStyle { esRound, esSquare, esFlat };

// The twenty colours a series without a colour of its own is given, in the
// order they are handed out.
inline constexpr std::array<TColor, 20> DefaultPalette = {
    clRed,  clGreen, clYellow, clBlue,   clWhite, clGray,  clFuchsia,    clTeal,    clNavy,  clMaroon,
    clLime, clOlive, clPurple, clSilver, clAqua,  clBlack, clMoneyGreen, clSkyBlue, clCream, clMedGray};

// A rectangle in client pixels, right and bottom exclusive as the canvas
// takes them.
struct TChartRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const TChartRect&) const = default;
};

// The pixel room a series needs round its points on each side, so that its
// markers are not cut at the ends of its axes.
struct TSeriesMargins {
    int left = 0, right = 0, top = 0, bottom = 0;
};

// The palette colour of point or series `index`, wrapping round.
inline TColor PaletteColor(int index) {
    const int n = static_cast<int>(DefaultPalette.size());
    return DefaultPalette[static_cast<std::size_t>(((index % n) + n) % n)];
}

}  // namespace cvcalc
