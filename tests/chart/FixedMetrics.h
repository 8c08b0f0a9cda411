// Text metrics of a fixed-pitch face for the axis tests: every byte 6
// pixels wide, every line 12 pixels high.
#pragma once

#include "chart/AxisTextMetrics.h"
#include "chart/ChartBrush.h"

namespace cvcalc::test {

class FixedMetrics : public TAxisTextMetrics {
public:
    int TextWidth(const TChartFont&, const std::string& text) const override {
        return 6 * static_cast<int>(text.size());
    }
    int TextHeight(const TChartFont&, const std::string&) const override { return 12; }
};

}  // namespace cvcalc::test
