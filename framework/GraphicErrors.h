// Errors of pictures and bitmaps.
#pragma once

#include "platform/core/Exception.h"

namespace cvcalc {

// A picture's data is not a bitmap this program can show.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

}  // namespace cvcalc
