// Test input as real Qt events, sent to the widgets through the
// application's notify path exactly as window-system input arrives.
#include "platform/gui/InputInjection.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>

#include "platform/gui/GuiPlatform.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowWidget.h"

namespace cvcalc {

namespace {
Qt::MouseButtons HeldButtons;

// The widget that receives mouse input meant for `window` at (x, y): the
// capture holder, if there is one, with the point translated.
QWidget* MouseTarget(TNativeWindow& window, int& x, int& y) {
    QWidget* w = WidgetOf(&window);
    if (w == nullptr) return nullptr;
    const WindowRegistry& reg = Registry();
    if (reg.IsLive(reg.capture) && reg.capture != &window) {
        if (QWidget* holder = WidgetOf(reg.capture)) {
            const QPoint p = holder->mapFromGlobal(w->mapToGlobal(QPoint(x, y)));
            x = p.x();
            y = p.y();
            return holder;
        }
    }
    return w;
}

void SendMouse(QEvent::Type type, QWidget* target, int x, int y, Qt::MouseButton button, ShiftState shift) {
    const QPointF local(x, y);
    const QPointF global = target->mapToGlobal(local);
    const QPointF scene = target->window()->mapFromGlobal(global);
    QMouseEvent event(type, local, scene, global, button, HeldButtons, ModifiersFromShift(shift));
    QApplication::sendEvent(target, &event);
}

void MouseAt(QEvent::Type type, TNativeWindow& window, int x, int y, MouseButton button, ShiftState shift) {
    InitPlatform();
    QWidget* target = MouseTarget(window, x, y);
    if (target == nullptr) return;
    const Qt::MouseButton qtButton = QtButton(button);
    if (type == QEvent::MouseButtonPress) {
        HeldButtons |= qtButton;
        // The window system's part of a press: the widget that takes the
        // focus by clicking gets it, and its window becomes active.
        if (target->isEnabled() && (target->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            ActivateWidgetWindow(target);
            target->setFocus(Qt::MouseFocusReason);
        }
    } else if (type == QEvent::MouseButtonRelease) {
        HeldButtons &= ~qtButton;
    }
    SendMouse(type, target, x, y, qtButton, shift);
}

struct KeyInfo {
    int qtKey = 0;
    QString text;
};

KeyInfo KeyFor(int virtualKey, ShiftState shift) {
    const bool shifted = (shift & shift::Shift) != 0;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        const QChar c(shifted ? virtualKey : virtualKey - 'A' + 'a');
        return {Qt::Key_A + (virtualKey - 'A'), QString(c)};
    }
    if (virtualKey >= '0' && virtualKey <= '9') return {Qt::Key_0 + (virtualKey - '0'), QString(QChar(virtualKey))};
    if (virtualKey >= vk::F1 && virtualKey < vk::F1 + 24) return {Qt::Key_F1 + (virtualKey - vk::F1), {}};
    switch (virtualKey) {
    case vk::Back:
        return {Qt::Key_Backspace, QStringLiteral("\b")};
    case vk::Tab:
        return {shifted ? Qt::Key_Backtab : Qt::Key_Tab, QStringLiteral("\t")};
    case vk::Return:
        return {Qt::Key_Return, QStringLiteral("\r")};
    case vk::Shift:
        return {Qt::Key_Shift, {}};
    case vk::Control:
        return {Qt::Key_Control, {}};
    case vk::Menu:
        return {Qt::Key_Alt, {}};
    case vk::Escape:
        return {Qt::Key_Escape, QStringLiteral("\x1b")};
    case vk::Space:
        return {Qt::Key_Space, QStringLiteral(" ")};
    case vk::Prior:
        return {Qt::Key_PageUp, {}};
    case vk::Next:
        return {Qt::Key_PageDown, {}};
    case vk::End:
        return {Qt::Key_End, {}};
    case vk::Home:
        return {Qt::Key_Home, {}};
    case vk::Left:
        return {Qt::Key_Left, {}};
    case vk::Up:
        return {Qt::Key_Up, {}};
    case vk::Right:
        return {Qt::Key_Right, {}};
    case vk::Down:
        return {Qt::Key_Down, {}};
    case vk::Apps:
        return {Qt::Key_Menu, {}};
    case vk::OemPlus:
        return {Qt::Key_Plus, QStringLiteral("+")};
    case vk::OemMinus:
        return {Qt::Key_Minus, QStringLiteral("-")};
    case vk::Insert:
        return {Qt::Key_Insert, {}};
    case vk::Delete:
        return {Qt::Key_Delete, {}};
    default:
        return {Qt::Key_unknown, {}};
    }
}

QWidget* KeyTarget() {
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    return QApplication::activeWindow();
}

bool SendKey(int qtKey, const QString& text, Qt::KeyboardModifiers modifiers) {
    QWidget* target = KeyTarget();
    if (target == nullptr) return false;
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    QApplication::sendEvent(target, &press);
    // The press may have moved the focus (Tab) or closed the window.
    target = KeyTarget();
    if (target == nullptr) return true;
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    QApplication::sendEvent(target, &release);
    return true;
}
}  // namespace

void InjectMouseDown(TNativeWindow& window, int x, int y, MouseButton button, ShiftState shift) {
    MouseAt(QEvent::MouseButtonPress, window, x, y, button, shift);
}

void InjectMouseUp(TNativeWindow& window, int x, int y, MouseButton button, ShiftState shift) {
    MouseAt(QEvent::MouseButtonRelease, window, x, y, button, shift);
}

void InjectMouseMove(TNativeWindow& window, int x, int y, ShiftState shift) {
    MouseAt(QEvent::MouseMove, window, x, y, MouseButton::None, shift);
}

void InjectClick(TNativeWindow& window, int x, int y, MouseButton button, ShiftState shift) {
    InjectMouseDown(window, x, y, button, shift);
    InjectMouseUp(window, x, y, button, shift);
}

void InjectDrag(TNativeWindow& window, int x0, int y0, int x1, int y1, MouseButton button, ShiftState shift,
                int steps) {
    if (steps < 1) steps = 1;
    InjectMouseDown(window, x0, y0, button, shift);
    for (int i = 1; i <= steps; ++i) {
        // The difference of two ints may not fit an int.
        const int x = static_cast<int>(x0 + (static_cast<long long>(x1) - x0) * i / steps);
        const int y = static_cast<int>(y0 + (static_cast<long long>(y1) - y0) * i / steps);
        InjectMouseMove(window, x, y, shift);
    }
    InjectMouseUp(window, x1, y1, button, shift);
}

void InjectWheel(TNativeWindow& window, int x, int y, int delta, ShiftState shift) {
    InitPlatform();
    QWidget* target = MouseTarget(window, x, y);
    if (target == nullptr) return;
    const QPointF local(x, y);
    QWheelEvent event(local, target->mapToGlobal(local), QPoint(), QPoint(0, delta), HeldButtons,
                      ModifiersFromShift(shift), Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

bool InjectKey(int virtualKey, ShiftState shift) {
    InitPlatform();
    const KeyInfo key = KeyFor(virtualKey, shift);
    return SendKey(key.qtKey, key.text, ModifiersFromShift(shift));
}

bool InjectText(std::string_view utf8) {
    InitPlatform();
    const QString text = ToQString(utf8);
    bool delivered = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString one(text[i]);
        if (text[i].isHighSurrogate() && i + 1 < text.size()) one += text[++i];
        const char16_t c = one[0].unicode();
        int qtKey = Qt::Key_unknown;
        Qt::KeyboardModifiers modifiers;
        if (c >= u'a' && c <= u'z') {
            qtKey = Qt::Key_A + (c - u'a');
        } else if (c >= u'A' && c <= u'Z') {
            qtKey = Qt::Key_A + (c - u'A');
            modifiers = Qt::ShiftModifier;
        } else if (c >= u'0' && c <= u'9') {
            qtKey = Qt::Key_0 + (c - u'0');
        } else if (c == u' ') {
            qtKey = Qt::Key_Space;
        }
        delivered = SendKey(qtKey, one, modifiers) && delivered;
    }
    return delivered;
}

}  // namespace cvcalc
