// TColor as the framework draws it: explicit colours pass through, system
// colours (high byte 0xFF) are looked up in the platform's colour scheme.
#pragma once

#include "framework/PlatformGui.h"
#include "shell/core/IdentMaps.h"

namespace cvcalc {

// The pixel colour a TColor stands for.  clNone and clDefault have no pixel
// colour of their own; callers decide what they mean before drawing, and
// here they answer white and black.
RgbColor ColorToRgb(TColor color);

}  // namespace cvcalc
