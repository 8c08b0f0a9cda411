// Internal to platform/gui: the Qt widgets under our windows, which turn
// their events into messages for the window's procedure.
#pragma once

#include <QtCore/QEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QWidget>

#include "platform/gui/Message.h"
#include "platform/gui/NativeWindow.h"

namespace cvcalc {

class TNativeWindow;

// The link from a widget back to its window; cleared when the window goes,
// so that a widget waiting for deletion sends nothing more.
class WidgetLink {
public:
    virtual ~WidgetLink() = default;
    TNativeWindow* owner = nullptr;
    AccessibleRole accessibleRole = AccessibleRole::Standard;
};

// Translations shared by the widgets and the input injector.
int VirtualKeyFromQt(int qtKey);
ShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
Qt::KeyboardModifiers ModifiersFromShift(ShiftState shift);
MouseButton ButtonFromQt(Qt::MouseButton button);
Qt::MouseButton QtButton(MouseButton button);

// Lets Qt's accessibility describe plain windows by their AccessibleRole;
// edits and buttons keep Qt's own interfaces.  Called once the application
// exists.
void InstallWindowAccessibility();

// The three kinds of widget; made by TNativeWindow.
QWidget* CreateWindowWidget(TNativeWindow* owner, int kind, QWidget* parent);

}  // namespace cvcalc
