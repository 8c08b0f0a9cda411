// Writing a whole file at once, so that a reader never sees half of it: the
// bytes go to a temporary file in the target's folder, anonymous where the
// file system allows, which then takes the target's place.
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

// Writes `bytes` to `path`, replacing a file already there, whose
// permission bits, and owner and group where they may be given, the new
// file keeps; a new file gets 0666 less the umask.  On any failure (a
// folder that does not exist or cannot be written, a full disk, a file-size
// limit) the temporary file is gone, what was at `path` is left as it was,
// and EFileWrite is raised.  Killed while it writes, the program leaves no
// file where the file system has anonymous files (O_TMPFILE); elsewhere it
// leaves its temporary file, named .cvcalc- and six letters or digits.
// Thread-safe as far as the file system is; SIGXFSZ is held back from the
// calling thread while it writes.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace cvcalc
