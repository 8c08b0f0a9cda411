// The error of a text that is no number, or of a format pattern the
// formatter cannot take.
#pragma once

#include "platform/core/Exception.h"

namespace cvcalc {

class EConvertError : public Exception {
public:
    using Exception::Exception;
    ~EConvertError() override;
};

}  // namespace cvcalc
