// The modal error box, and a test seam that records boxes instead of showing them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace cvcalc {

class TNativeWindow;

// Shows a modal message box with `text` and `caption` (UTF-8), a single OK
// button and the stop icon, and returns when it is dismissed.  Its owner is
// `owner`, or the active window when `owner` is null.  While it is open
// every other enabled top-level window of the program is disabled; after it
// closes they are enabled again, the owner is activated again and the
// keyboard focus returns to the window that had it.
void ShowMessageBox(std::string_view text, std::string_view caption, TNativeWindow* owner = nullptr);

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    TNativeWindow* owner = nullptr;  // after resolving a null owner
};

// With an observer set, ShowMessageBox does everything around the box
// (disabling, re-enabling, activation, focus) but calls the observer in
// place of showing the box.  An empty function shows boxes again.
using MessageBoxObserver = std::function<void(const MessageBoxRecord&)>;
void SetMessageBoxObserver(MessageBoxObserver observer);

}  // namespace cvcalc
