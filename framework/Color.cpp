// Resolution of TColor values to pixel colours.
#include "framework/Color.h"

namespace cvcalc {
namespace detail {
RgbColor PlatformSystemColor(int index);
}

RgbColor ColorToRgb(TColor color) {
    const auto bits = static_cast<std::uint32_t>(color);
    if (color == clNone) return 0xFFFFFF;
    if (color == clDefault) return 0x000000;
    if ((bits & 0xFF000000u) == 0xFF000000u) return detail::PlatformSystemColor(static_cast<int>(bits & 0xFF));
    return bits & 0x00FFFFFFu;
}

}  // namespace cvcalc
