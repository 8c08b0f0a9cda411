// Asking the user: a pop-up menu at the mouse and the platform's save and
// open dialogs.  Like the message box, each has a test seam: with a
// responder set, the responder answers in place of the user and nothing is
// shown.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cvcalc {

class TNativeWindow;

struct PopupMenuItem {
    std::string caption;  // UTF-8
    std::string tip;      // shown as the item's tooltip
    bool enabled = true;
    // A check mark beside the caption (the language now chosen).
    bool checked = false;
    // A submenu: the item opens these and is not chosen itself.
    std::vector<PopupMenuItem> items;
};

struct PopupMenuRequest {
    const TNativeWindow* window = nullptr;
    int x = 0, y = 0;  // in the window's client area
    std::vector<PopupMenuItem> items;
};

// Shows the items as a pop-up menu at (x, y) of `window` and waits for a
// choice: the index of the item chosen, or -1 when the menu was dismissed.
// Items are numbered in the order of FlatMenuItems: the menu's own items
// first, as they stand, then each submenu's items after them, so that
// adding a submenu renumbers nothing.
int TrackPopupMenu(const PopupMenuRequest& request);
std::vector<const PopupMenuItem*> FlatMenuItems(const PopupMenuRequest& request);

using PopupMenuResponder = std::function<int(const PopupMenuRequest&)>;
void SetPopupMenuResponder(PopupMenuResponder responder);

// One line of a dialog's type list: "PNG 画像" with the extension "png".
// An empty extension matches every file.
struct FileFilter {
    std::string label;
    std::string extension;  // without the dot
};

struct FileDialogRequest {
    const TNativeWindow* owner = nullptr;
    bool save = true;
    std::string caption;
    std::vector<FileFilter> filters;
    std::string suggestedName;  // a save dialog's first file name
    // Asks for a folder instead of a file; `save`, `filters` and
    // `suggestedName` do not apply.
    bool chooseFolder = false;
    // The folder the dialog opens in; empty for the platform's choice.
    std::string startFolder;
    // The extension of the type chosen first in the list; empty for the
    // first type.
    std::string selectedExtension;
};

// The path chosen, or nothing when the dialog was cancelled.  A save
// dialog's name without an extension gets the extension of the type chosen
// in the list (none for a type that matches every file).
std::optional<std::string> AskFileName(const FileDialogRequest& request);

using FileDialogResponder = std::function<std::optional<std::string>(const FileDialogRequest&)>;
void SetFileDialogResponder(FileDialogResponder responder);

// The path chosen and which of the request's types it is.  Two types may
// share an extension (PNG at one and at two times the size): the type
// chosen in the list counts when the path has its extension, otherwise the
// first type with the path's extension, otherwise the first type.
struct FileDialogChoice {
    std::string path;
    std::size_t filter = 0;
};
std::optional<FileDialogChoice> AskFileNameAndType(const FileDialogRequest& request);

// With the dialog's responder set, this one names the type the stand-in
// user chose in the list (an index into the request's filters); without
// it, the path's extension decides as above.
using FileTypeResponder = std::function<std::size_t(const FileDialogRequest&)>;
void SetFileTypeResponder(FileTypeResponder responder);

}  // namespace cvcalc
