// The axis error class.
#include "chart/ChartAxisError.h"

namespace cvcalc {

EChartAxisError::~EChartAxisError() = default;

}  // namespace cvcalc
