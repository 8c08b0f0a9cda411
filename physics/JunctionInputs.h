// The four accepted inputs of one calculation run, in the units the user
// types them in; the window has already clamped them into their ranges.
#pragma once

namespace cvcalc {

struct JunctionInputs {
    double DonorDensity = 0;     // cm^-3, 1e14 to 1e18
    double AcceptorDensity = 0;  // cm^-3, 1e14 to 1e18
    double JunctionArea = 0;     // mm^2, 0.1 to 100
    double Bias = 0;             // V, -10 to the maximum bias; positive is forward
};

}  // namespace cvcalc
