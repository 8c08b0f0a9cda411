// Window messages: what the platform makes of every Qt event it receives for
// one of our windows, handed at once to that window's message procedure.
#pragma once

#include <functional>
#include <string>

#include "platform/gui/GuiTypes.h"

namespace cvcalc {

class TNativeWindow;
class TSurface;

// A window handle is the address of the framework-owned TNativeWindow.  It
// stays valid for as long as that object lives, even after Qt has destroyed
// the widget underneath together with its parent (see TNativeWindow::Exists).
using WindowHandle = TNativeWindow*;

enum class MessageKind : std::uint8_t {
    Paint,        // surface and rect valid for the dispatch only
    MouseDown,    // x, y, button, shift (shift::Double on a double click)
    MouseUp,      // x, y, button, shift
    MouseMove,    // x, y, shift (buttons held appear as shift::Left/Right/Middle)
    MouseWheel,   // wheelDelta (+120 a notch away from the user), x, y, shift
    MouseEnter,   //
    MouseLeave,   //
    KeyDown,      // key (vk:: code), shift
    KeyUp,        // key, shift
    Char,         // text: the typed character(s) in UTF-8, after the KeyDown
    Click,        // a native button was clicked (mouse, Space or Return)
    TextChanged,  // an edit's text changed (typed or set by SetText)
    Resize,       // width, height: the new client size
    Move,         // x, y: the new position (outer top-left for top-level windows)
    Close,        // the close box; nothing happens unless the procedure acts
    Activate,     // a top-level window became the active window
    Deactivate,   // it stopped being active
    SetFocus,     // this window received the keyboard focus; button: Left when
                  // a mouse press gave it, None otherwise
    KillFocus,    // it lost the keyboard focus
    CancelMode,   // the capture holder is told to end any drag (SendCancelMode)
    Show,         // the window became visible
    Hide,         // it was hidden
};

struct Message {
    WindowHandle window = nullptr;
    MessageKind kind = MessageKind::Paint;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    MouseButton button = MouseButton::None;
    ShiftState shift = 0;
    int wheelDelta = 0;
    int key = 0;
    std::string text;
    TSurface* surface = nullptr;  // Paint only
    PixelRect rect;               // Paint: the part that needs painting
    // Set by the procedure to suppress the native default processing of
    // input messages (an edit's own editing of a key, Qt's handling of a
    // mouse press on a button).  Ignored for the other kinds.
    bool handled = false;
};

// One per window, registered by the framework.  Called synchronously from
// inside Qt's event handling; it should catch its own errors.  Anything that
// still escapes is caught by the platform and handed to the dispatch error
// hook (SetDispatchErrorHook), never into Qt.
using MessageProc = std::function<void(Message&)>;

}  // namespace cvcalc
