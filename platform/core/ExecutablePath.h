// The full path of the running executable.
#pragma once

#include <string>

namespace cvcalc {

// The path as the kernel reports it; empty when it cannot be read.
std::string ExecutablePath();

}  // namespace cvcalc
