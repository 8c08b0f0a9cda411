// Raising the streaming errors with their message-table texts.
#include "shell/core/StreamErrors.h"

#include "platform/core/MessageTable.h"

namespace cvcalc {

template <typename E>
void RaiseMessage(int id, std::initializer_list<std::string_view> args) {
    throw E(LoadMessageFormatted(id, args));
}

template void RaiseMessage<EReadError>(int, std::initializer_list<std::string_view>);
template void RaiseMessage<EClassNotFound>(int, std::initializer_list<std::string_view>);
template void RaiseMessage<EResNotFound>(int, std::initializer_list<std::string_view>);
template void RaiseMessage<EComponentError>(int, std::initializer_list<std::string_view>);

}  // namespace cvcalc
