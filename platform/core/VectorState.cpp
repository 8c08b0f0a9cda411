// vzeroupper behind a check of the processor, once.
#include "platform/core/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace cvcalc {

#if defined(__x86_64__) || defined(__i386__)

namespace {
__attribute__((target("avx"))) void ZeroUpper() noexcept { _mm256_zeroupper(); }

bool HasAvx() noexcept {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return has;
}
}  // namespace

void ClearUpperVectorState() noexcept {
    if (HasAvx()) ZeroUpper();
}

#else

void ClearUpperVectorState() noexcept {}

#endif

}  // namespace cvcalc
