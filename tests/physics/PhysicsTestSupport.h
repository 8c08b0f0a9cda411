// Shared pieces of the physics tests: a fixture that runs with the program's
// default control word, and one solve in entry units.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "physics/Junction.h"
#include "platform/core/FloatControl.h"

namespace cvcalc::test {

class PhysicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = FpuControlWord();
        SetFpuControlWord(DefaultFpuControlWord);
    }
    void TearDown() override { SetFpuControlWord(saved_); }

    JunctionResult Solve(double donor, double acceptor, double area, double bias) {
        JunctionResult result;
        SolveJunction(constants_, JunctionInputs{donor, acceptor, area, bias}, result);
        return result;
    }

    MaterialConstants constants_;

private:
    std::uint16_t saved_ = 0;
};

// |actual - expected| within `relative` of |expected|.
inline ::testing::AssertionResult NearRelative(double actual, double expected, double relative) {
    if (std::fabs(actual - expected) <= relative * std::fabs(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " differs from " << expected << " by more than " << relative
                                         << " relative";
}

}  // namespace cvcalc::test
