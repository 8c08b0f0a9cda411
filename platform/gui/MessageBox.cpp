// The modal error box: everything else of the program is disabled while it
// is open, and activation and focus come back afterwards.
#include "platform/gui/MessageBox.h"

#include <QtGui/QWindow>
#include <QtWidgets/QMessageBox>
#include <vector>

#include "platform/gui/GuiPlatform.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
MessageBoxObserver TheObserver;

// Disables the enabled top-level windows for its life and enables them again.
class DisabledTopLevels {
public:
    DisabledTopLevels() {
        for (TNativeWindow* w : Registry().windows)
            if (w->IsTopLevel() && w->Exists() && w->IsEnabled()) disabled_.push_back(w);
        for (TNativeWindow* w : disabled_) w->SetEnabled(false);
    }
    ~DisabledTopLevels() {
        // A window may have gone while the box was open.
        for (TNativeWindow* w : disabled_)
            if (Registry().IsLive(w)) w->SetEnabled(true);
    }
    DisabledTopLevels(const DisabledTopLevels&) = delete;
    DisabledTopLevels& operator=(const DisabledTopLevels&) = delete;

private:
    std::vector<TNativeWindow*> disabled_;
};

TNativeWindow* ResolveOwner(TNativeWindow* owner) {
    const WindowRegistry& reg = Registry();
    if (reg.IsLive(owner)) return owner;
    if (TNativeWindow* active = ActiveWindow()) return active;
    return reg.IsLive(reg.lastActive) ? reg.lastActive : nullptr;
}

// After the box: the owner active again, the focus where it was.
class RestoreActivation {
public:
    RestoreActivation(TNativeWindow* owner, TNativeWindow* focus) : owner_(owner), focus_(focus) {}
    ~RestoreActivation() {
        const WindowRegistry& reg = Registry();
        if (reg.IsLive(owner_) && owner_->IsVisible()) owner_->Activate();
        if (reg.IsLive(focus_) && focus_->IsVisible()) focus_->SetFocus();
    }
    RestoreActivation(const RestoreActivation&) = delete;
    RestoreActivation& operator=(const RestoreActivation&) = delete;

private:
    TNativeWindow* owner_;
    TNativeWindow* focus_;
};
}  // namespace

void SetMessageBoxObserver(MessageBoxObserver observer) { TheObserver = std::move(observer); }

void ShowMessageBox(std::string_view text, std::string_view caption, TNativeWindow* owner) {
    InitPlatform();
    MessageBoxRecord record{std::string(text), std::string(caption), ResolveOwner(owner)};
    // Declared in this order so that the windows are enabled again before
    // the owner is activated and the focus returns.
    RestoreActivation restore(record.owner, FocusWindow());
    DisabledTopLevels disabled;
    if (TheObserver) {
        const MessageBoxObserver observer = TheObserver;
        observer(record);
        return;
    }
    // The box has no parent widget: its owner is disabled with the rest,
    // and a child of a disabled window would be disabled too.  It is tied to
    // the owner's window for placement instead.
    QMessageBox box(QMessageBox::Critical, ToQString(caption), ToQString(text), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    if (QWidget* ownerWidget = WidgetOf(record.owner)) {
        box.winId();
        if (QWindow* boxWindow = box.windowHandle(); boxWindow != nullptr && ownerWidget->window()->windowHandle())
            boxWindow->setTransientParent(ownerWidget->window()->windowHandle());
    }
    box.exec();
}

}  // namespace cvcalc
