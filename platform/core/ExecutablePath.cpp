// Read from /proc/self/exe, which survives a relative argv[0] and a changed
// working directory.
#include "platform/core/ExecutablePath.h"

#include <unistd.h>

#include <array>

namespace cvcalc {

std::string ExecutablePath() {
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return {};
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace cvcalc
