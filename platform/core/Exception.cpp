// Out-of-line anchor for the error family's virtual table.
#include "platform/core/Exception.h"

namespace cvcalc {

Exception::~Exception() = default;

}  // namespace cvcalc
