// The laboratory's home page and the run report: the addresses the help
// window navigates to.
#pragma once

namespace cvcalc {

// Narrow text, as the help window holds it; served offline from the
// program's resources by the platform's bundled-page scheme.
extern const char LaboratoryHomePage[];

// The report of the last run, a page the program generates when the browser
// asks for it (it is registered with the platform's bundled-page scheme).
extern const char LaboratoryReportPage[];

}  // namespace cvcalc
