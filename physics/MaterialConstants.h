// The physical constants and silicon parameters of the junction model.  The
// member initialisers are the values every calculation run starts from, so a
// run resets them with `constants = MaterialConstants{}`.
#pragma once

namespace cvcalc {

struct MaterialConstants {
    double ElementaryCharge = 1.602e-19;     // q, C
    double VacuumPermittivity = 8.854e-12;   // ε0, F/m
    double RelativePermittivity = 11.9;      // εr of silicon
    double BoltzmannConstant = 1.381e-23;    // k, J/K
    double Temperature = 300;                // T, K
    double IntrinsicDensity = 1.08e16;       // ni, m^-3 (1.08e10 cm^-3)
    double ConductionBandDensity = 2.86e25;  // Nc, m^-3
    double ValenceBandDensity = 3.1e25;      // Nv, m^-3; kept with the others, no formula reads it
    double BandGap = 1.12;                   // Eg, eV
};

}  // namespace cvcalc
