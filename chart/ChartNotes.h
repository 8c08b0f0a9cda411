// Notes the program lays over a chart's plot after its series: a short tag
// beside a data point, a framed box of lines in the plot's top right
// corner, or a framed box in the corner where it hides the fewest points,
// its lines led by swatches of the curves they name (a legend).  A chart
// without notes draws exactly as before.
#pragma once

#include <string>
#include <vector>

#include "framework/Pen.h"
#include "shell/core/IdentMaps.h"

namespace cvcalc {

class TCanvas;
class TChartAxis;
class TChartFont;
struct TChartRect;

struct TChartNote {
    enum class Place { AtPoint, TopRightBox, BestCorner };
    Place place = Place::AtPoint;
    // AtPoint: the point in the values of the bottom and left axes; the
    // text ends just left of it and above it.
    double x = 0, y = 0;
    std::vector<std::string> lines;
    TColor color = clBlack;

    // BestCorner: a swatch before each line that has one, a short stroke
    // in the curve's colour and pen style (none past the list's end).
    struct TSwatch {
        TColor color = clBlack;
        TPenStyle style = psSolid;
    };
    std::vector<TSwatch> swatches;
    // BestCorner: points whose bottom-axis value lies in [avoidFrom,
    // avoidTo] must stay visible: the box takes a corner that hides none of
    // them where there is one.
    double avoidFrom = 1, avoidTo = 0;
};

// A point of a series where the chart draws it, for placing boxes.
struct TNotePoint {
    int px, py;
    double x;  // its bottom-axis value
};

// Draws `notes` in the labels font of `horizontal` (inside the plot's
// clip); `points` are the series' points, which BestCorner boxes avoid.
void DrawChartNotes(TCanvas& canvas, const std::vector<TChartNote>& notes, const TChartAxis& horizontal,
                    const TChartAxis& vertical, const TChartRect& plot, const std::vector<TNotePoint>& points);

}  // namespace cvcalc
