// The dump of a binary form stream back to the notation of
// tools/formc/FormCompiler.h.
#pragma once

#include <string>
#include <vector>

namespace cvcalc::formc {

// The notation of a binary stream (what CompileForm turns back into the
// same bytes); throws std::runtime_error, naming the byte offset, on a
// malformed stream or on what the notation cannot write.
std::string DumpForm(const std::vector<unsigned char>& bytes);

}  // namespace cvcalc::formc
