// Registration of the chart engine's classes with the component model, so
// that form descriptions can create charts and series by class name.
#pragma once

namespace cvcalc {

// Registers the framework's classes first, then every chart, series and
// chart element class.  Calling it again does nothing.
void RegisterChartClasses();

}  // namespace cvcalc
