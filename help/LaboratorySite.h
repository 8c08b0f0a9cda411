// The laboratory's home page: the bundled pages' address as the help window
// navigates to it.
#pragma once

namespace cvcalc {

// Narrow text, as the help window holds it; served offline from the
// program's resources by the platform's bundled-page scheme.
extern const char LaboratoryHomePage[];

}  // namespace cvcalc
