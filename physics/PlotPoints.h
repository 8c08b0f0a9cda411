// A list of chart points, already in the units of the chart it is meant for
// and in ascending x (points with equal x in drawing order).
#pragma once

#include <vector>

namespace cvcalc {

struct PlotPoint {
    double X = 0;
    double Y = 0;
};

using PlotPoints = std::vector<PlotPoint>;

}  // namespace cvcalc
