// Writing a whole file at once, so that a reader never sees half of it: the
// bytes go to a temporary file beside the target, which then replaces it.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/Exception.h"

namespace cvcalc {

// Raised when a file cannot be written; the message names the path and the
// reason.
class EFileWrite : public Exception {
public:
    using Exception::Exception;
};

// Writes `bytes` to `path`, replacing a file already there.  On any failure
// (a folder that does not exist or cannot be written, a full disk) the
// temporary file is removed, what was at `path` is left as it was, and
// EFileWrite is raised.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace cvcalc
