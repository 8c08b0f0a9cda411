// Input injection for tests: real Qt mouse, key and wheel events delivered
// to the widget of a window, so the code under test cannot tell them from
// input of the window system.
#pragma once

#include <string_view>

#include "platform/gui/GuiTypes.h"

namespace cvcalc {

class TNativeWindow;

// Mouse input at (x, y) in `window`'s client pixels.  While a window holds
// the capture, the input goes to it instead (the point translated).
// `shift` carries the modifier keys (shift::Shift, Ctrl, Alt); the buttons
// held are tracked by the injector.
void InjectMouseDown(TNativeWindow& window, int x, int y, MouseButton button = MouseButton::Left, ShiftState shift = 0);
void InjectMouseUp(TNativeWindow& window, int x, int y, MouseButton button = MouseButton::Left, ShiftState shift = 0);
void InjectMouseMove(TNativeWindow& window, int x, int y, ShiftState shift = 0);
void InjectClick(TNativeWindow& window, int x, int y, MouseButton button = MouseButton::Left, ShiftState shift = 0);
// Down at (x0, y0), `steps` moves along the straight line to (x1, y1), up there.
void InjectDrag(TNativeWindow& window, int x0, int y0, int x1, int y1, MouseButton button = MouseButton::Left,
                ShiftState shift = 0, int steps = 4);
// `delta` in wheel units: +120 one notch up (away from the user), -120 down.
void InjectWheel(TNativeWindow& window, int x, int y, int delta, ShiftState shift = 0);

// A key press and release (vk:: code) for the window with the focus, or
// the active window when none has it.  vk::Tab with shift::Shift is the
// backwards tab.  Returns false when there is no window to receive it.
bool InjectKey(int virtualKey, ShiftState shift = 0);
// Types UTF-8 text, one key press and release per character.
bool InjectText(std::string_view utf8);

}  // namespace cvcalc
