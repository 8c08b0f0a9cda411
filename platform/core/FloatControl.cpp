// Sticky-flag checking over <cfenv>; on x86-64 glibc's fetestexcept reads
// both the x87 and the SSE status words.
#include "platform/core/FloatControl.h"

#include <atomic>
#include <cfenv>

#include "platform/core/MachineSettings.h"
#include "platform/core/RuntimeFaults.h"

namespace cvcalc {

namespace {
// glibc's x87 denormal-operand flag; not part of the C standard set.
#ifdef __FE_DENORM
constexpr int FeDenormal = __FE_DENORM;
#else
constexpr int FeDenormal = 0;
#endif

std::atomic<int>& ControlWordStore() {
    static std::atomic<int> word(StartupFpuControlWord(ReadMachineSetting("FPUMaskValue")));
    return word;
}
}  // namespace

std::uint16_t StartupFpuControlWord(std::optional<std::uint32_t> machineMaskValue) {
    std::uint16_t word = DefaultFpuControlWord;
    if (machineMaskValue) word = static_cast<std::uint16_t>((word & ~FpuMaskAll) | (*machineMaskValue & FpuMaskAll));
    return word;
}

std::uint16_t FpuControlWord() { return static_cast<std::uint16_t>(ControlWordStore().load()); }

void SetFpuControlWord(std::uint16_t controlWord) { ControlWordStore().store(controlWord); }

void ClearFloatFlags() noexcept { std::feclearexcept(FE_ALL_EXCEPT | FeDenormal); }

void RaiseUnmaskedFloatFaults() {
    const int flags = std::fetestexcept(FE_ALL_EXCEPT | FeDenormal);
    ClearFloatFlags();
    if (flags == 0) return;
    const std::uint16_t masks = FpuControlWord();
    const auto unmasked = [&](int flag, std::uint16_t mask) { return (flags & flag) != 0 && (masks & mask) == 0; };
    if (unmasked(FE_INVALID, FpuMaskInvalid)) throw EInvalidOp();
    if (unmasked(FE_DIVBYZERO, FpuMaskZeroDivide)) throw EZeroDivide();
    if (unmasked(FE_OVERFLOW, FpuMaskOverflow)) throw EOverflow();
    if (unmasked(FE_UNDERFLOW, FpuMaskUnderflow)) throw EUnderflow();
    if (FeDenormal != 0 && unmasked(FeDenormal, FpuMaskDenormal)) throw EUnderflow();
    if (unmasked(FE_INEXACT, FpuMaskPrecision)) throw EInvalidOp();
}

double NarrowToDouble(long double value) {
    return RunFloatChecked([value] {
        volatile double narrowed = static_cast<double>(value);
        return static_cast<double>(narrowed);
    });
}

}  // namespace cvcalc
