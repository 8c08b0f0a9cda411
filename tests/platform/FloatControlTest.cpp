// The program's control word and the checked regions built on it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/core/FloatControl.h"
#include "platform/core/RuntimeFaults.h"

using namespace cvcalc;

namespace {
// Keeps the optimiser from folding the faulting arithmetic away.
template <typename T>
T Opaque(T value) {
    volatile T v = value;
    return v;
}

class ControlWord : public ::testing::Test {
protected:
    void SetUp() override { saved_ = FpuControlWord(); }
    void TearDown() override { SetFpuControlWord(saved_); }
    std::uint16_t saved_ = 0;
};

TEST_F(ControlWord, MachineMaskReplacesOnlyTheSixMaskBits) {
    EXPECT_EQ(StartupFpuControlWord(std::nullopt), 0x1332);
    EXPECT_EQ(StartupFpuControlWord(0x3F), 0x133F);
    EXPECT_EQ(StartupFpuControlWord(0x00), 0x1300);
    EXPECT_EQ(StartupFpuControlWord(0xFFFFFFC4u), 0x1304);
}

TEST_F(ControlWord, UnmaskedFlagsRaiseTheirFaults) {
    SetFpuControlWord(DefaultFpuControlWord);
    EXPECT_THROW(RunFloatChecked([] { return Opaque(1.0) / Opaque(0.0); }), EZeroDivide);
    EXPECT_THROW(RunFloatChecked([] { return Opaque(1e308) * Opaque(10.0); }), EOverflow);
    EXPECT_THROW(RunFloatChecked([] { return std::sqrt(Opaque(-1.0)); }), EInvalidOp);
    // Invalid operation wins over division by zero when both happen.
    EXPECT_THROW(RunFloatChecked([] { return Opaque(0.0) / Opaque(0.0) + Opaque(1.0) / Opaque(0.0); }), EInvalidOp);
}

TEST_F(ControlWord, MaskedFlagsPassSilently) {
    SetFpuControlWord(DefaultFpuControlWord);
    EXPECT_EQ(RunFloatChecked([] { return Opaque(1e-308) / Opaque(1e10); }), 1e-318);  // underflow
    EXPECT_EQ(RunFloatChecked([] { return Opaque(1.0) / Opaque(3.0); }), 1.0 / 3.0);   // inexact
    SetFpuControlWord(0x133F);
    EXPECT_TRUE(std::isinf(RunFloatChecked([] { return Opaque(1.0) / Opaque(0.0); })));
    SetFpuControlWord(0x1322);  // underflow unmasked by the machine's setting
    EXPECT_THROW(RunFloatChecked([] { return Opaque(1e-308) / Opaque(1e10); }), EUnderflow);
}

TEST_F(ControlWord, FlagsBeforeTheRegionDoNotCount) {
    SetFpuControlWord(DefaultFpuControlWord);
    volatile double sink = Opaque(1.0) / Opaque(0.0);
    (void)sink;
    EXPECT_NO_THROW(RunFloatChecked([] { return Opaque(2.0) + Opaque(2.0); }));
}

TEST_F(ControlWord, NarrowingBeyondTheDoubleRangeOverflows) {
    SetFpuControlWord(DefaultFpuControlWord);
    EXPECT_THROW(NarrowToDouble(Opaque(1e400L)), EOverflow);
    EXPECT_THROW(NarrowToDouble(Opaque(-1e400L)), EOverflow);
    EXPECT_EQ(NarrowToDouble(Opaque(0.1L)), 0.1);
    EXPECT_EQ(NarrowToDouble(Opaque(1e-400L)), 0.0);  // underflow is masked
    EXPECT_TRUE(std::isinf(NarrowToDouble(std::numeric_limits<long double>::infinity())));
}
}  // namespace
