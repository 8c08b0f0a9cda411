// The laboratory's page addresses.
#include "help/LaboratorySite.h"

namespace cvcalc {

const char LaboratoryHomePage[] = "cvcalc-lab://kestrel/index.html";
const char LaboratoryReportPage[] = "cvcalc-lab://kestrel/report.html";

}  // namespace cvcalc
