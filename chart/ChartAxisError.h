// EChartAxisError: an axis property was given a value it cannot take.
#pragma once

#include "platform/core/Exception.h"

namespace cvcalc {

class EChartAxisError : public Exception {
public:
    using Exception::Exception;
    ~EChartAxisError() override;
};

// The engine's own English texts.
inline constexpr const char* AxisMinimumMessage = "Axis Minimum Value must be <= Maximum";
inline constexpr const char* AxisMaximumMessage = "Axis Maximum Value must be >= Minimum";
inline constexpr const char* AxisIncrementMessage = "Axis increment must be >= 0";
inline constexpr const char* AxisLabelsSeparationMessage = "Labels Separation % must be greater than 0";

}  // namespace cvcalc
