// The interface language at start: Japanese, the program's own, needs
// nothing; English installs the catalogue compiled from
// translations/cvcalc_en.ts and embedded in the program.
#pragma once

#include "platform/core/Translate.h"

namespace cvcalc {

// Chosen before any window is made.  Throws Exception when the embedded
// English catalogue cannot be read (a broken build).
void UseInterfaceLanguage(Language language);

}  // namespace cvcalc
