// Notes the program lays over a chart's plot after its series: a short tag
// beside a data point, or a framed box of lines in the plot's top right
// corner.  A chart without notes draws exactly as before.
#pragma once

#include <string>
#include <vector>

#include "shell/core/IdentMaps.h"

namespace cvcalc {

class TCanvas;
class TChartAxis;
class TChartFont;
struct TChartRect;

struct TChartNote {
    enum class Place { AtPoint, TopRightBox };
    Place place = Place::AtPoint;
    // AtPoint: the point in the values of the bottom and left axes; the
    // text ends just left of it and above it.
    double x = 0, y = 0;
    std::vector<std::string> lines;
    TColor color = clBlack;
};

// Draws `notes` in the labels font of `horizontal` (inside the plot's clip).
void DrawChartNotes(TCanvas& canvas, const std::vector<TChartNote>& notes, const TChartAxis& horizontal,
                    const TChartAxis& vertical, const TChartRect& plot);

}  // namespace cvcalc
