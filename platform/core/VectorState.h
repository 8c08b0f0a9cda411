// The upper halves of the 256-bit vector registers, which library code can
// leave in use behind it.
#pragma once

namespace cvcalc {

// Marks the upper halves of the AVX registers unused (vzeroupper) on
// processors that have them, and does nothing elsewhere.  Code that
// returns with them in use (Qt's start-up leaves them so) makes every later
// SSE instruction of ours wait on them: std::to_chars took four times as
// long.  Called where our code takes over from Qt's.
void ClearUpperVectorState() noexcept;

}  // namespace cvcalc
