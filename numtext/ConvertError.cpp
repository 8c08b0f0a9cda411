// The conversion error's out-of-line destructor anchors its type information.
#include "numtext/ConvertError.h"

namespace cvcalc {

EConvertError::~EConvertError() = default;

}  // namespace cvcalc
