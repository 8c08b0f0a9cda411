// The laboratory's home page address.
#include "help/LaboratorySite.h"

namespace cvcalc {

const char LaboratoryHomePage[] = "cvcalc-lab://kestrel/index.html";

}  // namespace cvcalc
