// The one unit that calls the platform's system-colour table directly (see
// PlatformGui.h for why it stands apart).
#include "platform/gui/GuiTypes.h"

namespace cvcalc::detail {

RgbColor PlatformSystemColor(int index) { return SystemColor(index); }

}  // namespace cvcalc::detail
