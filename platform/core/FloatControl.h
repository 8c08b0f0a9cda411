// The program's floating-point environment.  Arithmetic always runs with the
// hardware's exceptions masked; the program keeps its own control word, whose
// mask bits say which sticky flags become errors.  A checked region clears
// the flags, runs, and raises EInvalidOp, EZeroDivide or EOverflow (or, with
// a machine-wide mask that unmasks them, EUnderflow) for the unmasked flags
// it finds.  Nothing traps and no signal handler is installed.
#pragma once

#include <cstdint>
#include <optional>
#include <type_traits>

namespace cvcalc {

// 64-bit significand, round to nearest; invalid operation, division by zero
// and overflow unmasked; precision, underflow and denormal masked.
inline constexpr std::uint16_t DefaultFpuControlWord = 0x1332;

// Mask bits of the control word (set = masked).
inline constexpr std::uint16_t FpuMaskInvalid = 0x01;
inline constexpr std::uint16_t FpuMaskDenormal = 0x02;
inline constexpr std::uint16_t FpuMaskZeroDivide = 0x04;
inline constexpr std::uint16_t FpuMaskOverflow = 0x08;
inline constexpr std::uint16_t FpuMaskUnderflow = 0x10;
inline constexpr std::uint16_t FpuMaskPrecision = 0x20;
inline constexpr std::uint16_t FpuMaskAll = 0x3F;

// The control word at start-up: the default with its six mask bits replaced
// by the low six bits of the machine-wide "FPUMaskValue" when there is one.
std::uint16_t StartupFpuControlWord(std::optional<std::uint32_t> machineMaskValue);

// The program's current control word.  The first call computes it from the
// machine-wide settings file.
std::uint16_t FpuControlWord();
void SetFpuControlWord(std::uint16_t controlWord);

// Clears the sticky exception flags.
void ClearFloatFlags() noexcept;

// Raises the error for the first unmasked flag that is set, in the order
// invalid operation, division by zero, overflow, underflow (and denormal),
// precision; clears the flags in any case.
void RaiseUnmaskedFloatFaults();

// The compiler does not model the sticky flags, so it may move arithmetic
// whose result is only returned past the flag check.  This barrier pins the
// computation of `value` before whatever follows it.
template <typename T>
inline void FloatBarrier(T& value) noexcept {
    asm volatile("" : "+m"(value) : : "memory");
}

// Runs `region` with the flags cleared before and checked after.
template <typename Region>
decltype(auto) RunFloatChecked(Region&& region) {
    ClearFloatFlags();
    if constexpr (std::is_void_v<std::invoke_result_t<Region>>) {
        region();
        asm volatile("" : : : "memory");
        RaiseUnmaskedFloatFaults();
    } else {
        auto result = region();
        FloatBarrier(result);
        RaiseUnmaskedFloatFaults();
        return result;
    }
}

// Rounds an extended value to the nearest double as a checked step: a value
// beyond the double range raises EOverflow (when overflow is unmasked).
double NarrowToDouble(long double value);

}  // namespace cvcalc
