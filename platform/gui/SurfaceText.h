// Internal to platform/gui: how a surface puts text on its target, and the
// pixels of texts a bitmap has been given before.
//
// A chart draws the same labels and titles with every paint, each on a
// plain background.  Whatever a text does to a plain background depends
// only on the text, its font, colour and rotation, and that background:
// the pixels it changes are kept the first time and copied after, where
// the target under them is that background and nothing clips them.  Text
// on anything else is drawn as ever.
#pragma once

#include <string_view>

#include "platform/gui/QtBridge.h"

namespace cvcalc {

// Where a text goes: its point, the offset of its box from that point
// (after the alignment), the box's size, the ascent and the orientation in
// tenths of a degree.
struct TextPlacement {
    int x = 0, y = 0;
    int left = 0, top = 0;
    int width = 0, height = 0;
    int ascent = 0;
    int orientation = 0;  // 0 .. 3599
};

// Draws `utf8` with the painter's pen and font, filling its box with
// `fill` first when there is one.  Upright text on one line keeps its
// layout in the font's cache; other text is laid out for the call.
void PaintText(QPainter& painter, const TNativeFont& font, const TextPlacement& place, std::string_view utf8,
               const QColor* fill);

// Puts `utf8` on the surface's bitmap from its kept pixels, in the text
// colour and without a fill; false when it cannot (no bitmap, a rotation
// other than a right angle, part of it clipped, or a background under it
// that is not plain), and the caller draws it.
bool StampText(TSurface::State& state, const TextPlacement& place, std::string_view utf8);

}  // namespace cvcalc
