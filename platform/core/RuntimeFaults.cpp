// Each fault loads its text from the message table when it is raised.
#include "platform/core/RuntimeFaults.h"

#include <cstdio>

#include "platform/core/MessageTable.h"

namespace cvcalc {

EInvalidOp::EInvalidOp() : EMathError(LoadMessage(msg::InvalidOp)) {}
EZeroDivide::EZeroDivide() : EMathError(LoadMessage(msg::ZeroDivide)) {}
EOverflow::EOverflow() : EMathError(LoadMessage(msg::Overflow)) {}
EUnderflow::EUnderflow() : EMathError(LoadMessage(msg::Underflow)) {}
EDivByZero::EDivByZero() : EIntError(LoadMessage(msg::DivByZero)) {}
ERangeError::ERangeError() : EIntError(LoadMessage(msg::RangeError)) {}
EIntOverflow::EIntOverflow() : EIntError(LoadMessage(msg::IntOverflow)) {}
EControlC::EControlC() : EExternal(LoadMessage(msg::ControlC)) {}

namespace {
std::string Hex(std::uint32_t code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(code));
    return buffer;
}
}  // namespace

EExternalException::EExternalException(std::uint32_t code)
    : EExternal(LoadMessageFormatted(msg::ExternalException, {Hex(code)})), code_(code) {}

}  // namespace cvcalc
