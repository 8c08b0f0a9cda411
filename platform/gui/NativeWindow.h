// Native windows: top-level and child windows over Qt widgets, with their
// bounds, texts, visibility, enable state and focus, and the process-wide
// mouse capture, keyboard focus and active window.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gui/GuiTypes.h"
#include "platform/gui/Message.h"
#include "platform/gui/NativeFont.h"

namespace cvcalc {

class TNativeImage;
class TOffscreenBitmap;

// How far inside a focused button's edge its focus mark (a dotted
// rectangle in the text colour) is drawn.
inline constexpr int FocusMarkInset = 4;

enum class NativeWindowKind : std::uint8_t {
    // Forms, panels, charts and hosts of embedded components: every paint,
    // mouse, key, wheel, resize, move, close, activation and focus event
    // becomes a message.  Takes the focus only through SetFocus.
    Plain,
    // A single-line edit box: text, keys and focus; TextChanged on change.
    Edit,
    // A push button: Click when pressed by mouse, or by Space or Return while
    // it has the focus.  Never a default button.
    Button,
};

// What a window is to assistive technology (screen readers reach it through
// Qt's accessibility, AT-SPI on Linux).  Edits and buttons are Qt's own
// edit and push button; a plain window is the program's window when it is
// top-level, a pane of it otherwise, unless it is marked as a chart.
enum class AccessibleRole : std::uint8_t { Standard, Chart };

// What assistive technology is told of a window now, for tests: the role
// as Qt names it ("Chart", "EditableText", "PushButton", "Window"…), its
// name and its description.
struct AccessibleFacts {
    std::string role;
    std::string name;
    std::string description;
};

// The frame that outer sizes of top-level windows count: 4 pixels on the
// left, right and bottom, 40 at the top with the caption, the frame the
// forms were designed with (the help window's 699 x 480 holds a client
// area of 691 x 436).  Window managers draw frames of their own, and some
// platforms (offscreen, X11 without a window manager) none at all, and a
// frame is not even known before the window is first shown; counting one
// standard frame everywhere gives every form the client area it was laid
// out for, on every platform and from the start.
inline constexpr PixelRect StandardFrame{4, 40, 4, 4};

class TNativeWindow {
public:
    // A child window of `parent`, or a top-level window when `parent` is
    // null.  Created hidden, at (0, 0) with size 0 x 0.  Initializes the
    // platform if that has not happened yet.
    explicit TNativeWindow(NativeWindowKind kind, TNativeWindow* parent = nullptr);
    TNativeWindow(const TNativeWindow&) = delete;
    TNativeWindow& operator=(const TNativeWindow&) = delete;
    // Destroys the widget (and, as Qt does, the widgets of the child windows,
    // whose TNativeWindow objects then stop existing, see Exists).  Releases
    // the capture and forgets the focus if this window held them.
    ~TNativeWindow();

    NativeWindowKind Kind() const { return kind_; }
    TNativeWindow* Parent() const { return parent_; }
    bool IsTopLevel() const { return parent_ == nullptr; }
    // False once the widget has been destroyed with its parent's; every
    // operation on such a window does nothing and queries answer defaults.
    bool Exists() const;
    // Moves the window under another parent (null: make it top-level).  It
    // keeps its bounds relative to the new parent and its visibility.
    void SetParent(TNativeWindow* parent);

    void SetMessageProc(MessageProc proc) { proc_ = std::move(proc); }

    // Child windows: the rectangle in the parent's client area.  Top-level
    // windows: the outer rectangle, the standard frame (FrameExtents)
    // included, with its top-left corner where the window is placed on the
    // screen.  Applied at once, before the window is first shown too.
    void SetBounds(const PixelRect& bounds);
    PixelRect Bounds() const;
    PixelSize ClientSize() const;
    void SetClientSize(int width, int height);
    // Top-level windows: the standard frame, StandardFrame, for every
    // window on every platform; zero for child windows.
    PixelRect FrameExtents() const;
    PixelPoint ClientToScreen(PixelPoint p) const;
    PixelPoint ScreenToClient(PixelPoint p) const;

    // The caption of a top-level window or a button, the text of an edit.
    // UTF-8.  Plain child windows keep the text without showing it.
    void SetText(std::string_view utf8);
    std::string Text() const;

    void SetVisible(bool visible);
    // True when the window itself is shown and so are all its parents.
    bool IsVisible() const;
    void SetEnabled(bool enabled);
    // The window's own enable state (a disabled parent is not consulted).
    bool IsEnabled() const;

    // Edit and button windows: the face, height, style and colour of their text.
    void SetFont(const FontSpec& font);

    // Marks the whole client area, or a part of it, for painting.  The Paint
    // message follows from the message loop, or at once from
    // ProcessPendingPaints.
    void Invalidate();
    void Invalidate(const PixelRect& rect);
    // Delivers this window's pending Paint now.
    void Update();

    // Top of the stacking order among its siblings; a top-level window is
    // also raised above the other top-level windows and activated.
    void BringToFront();
    void SendToBack();

    // Top-level windows only (ignored on child windows).
    void SetResizable(bool resizable);
    // From the bytes of an icon file (ICO, BMP or PNG); false when they hold
    // no image Qt can read (the icon is then left as it was).
    bool SetIconFromBytes(const void* data, std::size_t size);
    void SetIcon(const TNativeImage& image);
    // Whether the window carries an icon of its own.
    bool HasIcon() const;
    void Activate();

    // Edit windows only.
    void SetReadOnly(bool readOnly);
    void SetMaxLength(int maxLength);  // 0: no limit
    void SelectAll();

    // The keyboard focus to this window (and activation of its top-level
    // window when that is shown).  Any kind of window can take it this way.
    void SetFocus();
    bool HasFocus() const;

    // The role, name and description that assistive technology reads; the
    // name of an edit is the label that goes with it, that of a button or a
    // top-level window its text unless one is set here.  Changes of name
    // and description are announced to assistive technology.
    void SetAccessibleRole(AccessibleRole role);
    void SetAccessibleName(std::string_view utf8);
    void SetAccessibleDescription(std::string_view utf8);
    AccessibleFacts Accessible() const;

    // Draws the window as it shows itself now, native controls and child
    // windows included, into `bitmap` at (0, 0); for tests, which see no
    // screen.  Pending paints are delivered first.
    void RenderTo(TOffscreenBitmap& bitmap);

    // Used by the platform: sends `message` to the procedure, catching what
    // escapes.  A window whose procedure is empty ignores its messages.
    void Dispatch(Message& message);

    struct Impl;
    Impl& Internal() { return *impl_; }

private:
    NativeWindowKind kind_;
    TNativeWindow* parent_;
    MessageProc proc_;
    std::unique_ptr<Impl> impl_;
};

// Mouse capture: while a window holds it, all mouse input (injected input
// too) goes to it, in its client coordinates.  Taking the capture away from
// another window does not notify that window.
void SetCapture(TNativeWindow* window);
void ReleaseCapture();
TNativeWindow* CaptureWindow();
// Sends CancelMode to the capture holder, if any, and then releases the
// capture if the holder has not done so itself, so that no drag outlives an
// error box.  Returns whether there was a holder.
bool SendCancelMode();

// The window with the keyboard focus, or null (none of ours has it).
TNativeWindow* FocusWindow();
// The active top-level window, or null.
TNativeWindow* ActiveWindow();

}  // namespace cvcalc
