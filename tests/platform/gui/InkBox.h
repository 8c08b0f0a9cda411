// Test helper: where a drawing left its ink on a white bitmap.
#pragma once

#include <algorithm>

#include "platform/gui/GuiTypes.h"
#include "platform/gui/OffscreenBitmap.h"

namespace cvcalc::test {

// The bounding box of every pixel that is not white; empty when none is.
inline PixelRect InkBox(const TOffscreenBitmap& b) {
    constexpr RgbColor White = 0xFFFFFF;
    PixelRect box{b.Width(), b.Height(), 0, 0};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != White) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box.IsEmpty() ? PixelRect{} : box;
}

}  // namespace cvcalc::test
