// The errors of the streaming layer and the component model.  They form one
// small family, so they share one header: EStreamError > EFilerError >
// EReadError / EClassNotFound; EResNotFound and EComponentError stand beside
// them directly under Exception.
#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/core/Exception.h"

namespace cvcalc {

class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EFilerError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

class EClassNotFound : public EFilerError {
public:
    using EFilerError::EFilerError;
};

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// Raise `E` with message `id` of the message table, filled with `args`.
// The text is loaded when the error is raised.
template <typename E>
[[noreturn]] void RaiseMessage(int id, std::initializer_list<std::string_view> args = {});

extern template void RaiseMessage<EReadError>(int, std::initializer_list<std::string_view>);
extern template void RaiseMessage<EClassNotFound>(int, std::initializer_list<std::string_view>);
extern template void RaiseMessage<EResNotFound>(int, std::initializer_list<std::string_view>);
extern template void RaiseMessage<EComponentError>(int, std::initializer_list<std::string_view>);

}  // namespace cvcalc
