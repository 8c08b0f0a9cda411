// TAxisTextMetrics: how an axis measures its label and title texts.  The
// chart's canvas answers during a paint; tests use fixed-pitch metrics.
#pragma once

#include <string>

namespace cvcalc {

class TChartFont;

class TAxisTextMetrics {
public:
    virtual ~TAxisTextMetrics() = default;
    virtual int TextWidth(const TChartFont& font, const std::string& text) const = 0;
    virtual int TextHeight(const TChartFont& font, const std::string& text) const = 0;
};

}  // namespace cvcalc
