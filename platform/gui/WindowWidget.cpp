// The widgets under our windows: every Qt event of interest becomes a
// message, dispatched at once; the native default runs unless the
// procedure marked the message handled.
#include "platform/gui/WindowWidget.h"

#include <QtGui/QAccessible>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QEnterEvent>
#include <QtGui/QFocusEvent>
#include <QtGui/QPaintEvent>
#include <QtGui/QResizeEvent>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QAccessibleWidget>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <type_traits>

#include "platform/gui/NativeWindow.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

int VirtualKeyFromQt(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return vk::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::Return;
    case Qt::Key_Shift:
        return vk::Shift;
    case Qt::Key_Control:
        return vk::Control;
    case Qt::Key_Alt:
        return vk::Menu;
    case Qt::Key_Escape:
        return vk::Escape;
    case Qt::Key_Space:
        return vk::Space;
    case Qt::Key_PageUp:
        return vk::Prior;
    case Qt::Key_PageDown:
        return vk::Next;
    case Qt::Key_End:
        return vk::End;
    case Qt::Key_Home:
        return vk::Home;
    case Qt::Key_Left:
        return vk::Left;
    case Qt::Key_Up:
        return vk::Up;
    case Qt::Key_Right:
        return vk::Right;
    case Qt::Key_Down:
        return vk::Down;
    case Qt::Key_Insert:
        return vk::Insert;
    case Qt::Key_Delete:
        return vk::Delete;
    case Qt::Key_Menu:
        return vk::Apps;
    case Qt::Key_Plus:
        return vk::OemPlus;
    case Qt::Key_Minus:
        return vk::OemMinus;
    default:
        return 0;
    }
}

ShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    ShiftState s = 0;
    if (modifiers & Qt::ShiftModifier) s |= shift::Shift;
    if (modifiers & Qt::AltModifier) s |= shift::Alt;
    if (modifiers & Qt::ControlModifier) s |= shift::Ctrl;
    if (buttons & Qt::LeftButton) s |= shift::Left;
    if (buttons & Qt::RightButton) s |= shift::Right;
    if (buttons & Qt::MiddleButton) s |= shift::Middle;
    return s;
}

Qt::KeyboardModifiers ModifiersFromShift(ShiftState s) {
    Qt::KeyboardModifiers m;
    if (s & shift::Shift) m |= Qt::ShiftModifier;
    if (s & shift::Alt) m |= Qt::AltModifier;
    if (s & shift::Ctrl) m |= Qt::ControlModifier;
    return m;
}

MouseButton ButtonFromQt(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::None;
    }
}

Qt::MouseButton QtButton(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return Qt::LeftButton;
    case MouseButton::Right:
        return Qt::RightButton;
    case MouseButton::Middle:
        return Qt::MiddleButton;
    case MouseButton::None:
        break;
    }
    return Qt::NoButton;
}

namespace {
enum class Kind { Plain, Edit, Button };

template <class Base>
class WindowWidget : public Base, public WidgetLink {
public:
    WindowWidget(TNativeWindow* window, Kind kind, QWidget* parent) : Base(parent), kind_(kind) {
        owner = window;
        this->setMouseTracking(true);
        this->setAttribute(Qt::WA_QuitOnClose, false);
    }

    // Sends a message; false when the window went away during the dispatch.
    bool Send(Message& m) {
        if (owner == nullptr) return false;
        m.window = owner;
        owner->Dispatch(m);
        return owner != nullptr;
    }

    void SendSimple(MessageKind kind) {
        Message m;
        m.kind = kind;
        Send(m);
    }

protected:
    bool event(QEvent* e) override {
        switch (e->type()) {
        case QEvent::KeyPress: {
            // Tab belongs to the framework's focus order, not to Qt's.
            auto* k = static_cast<QKeyEvent*>(e);
            if (this->isEnabled() && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab)) {
                HandleKeyPress(k, false);
                return true;
            }
            break;
        }
        case QEvent::WindowActivate:
            if (this->isWindow() && owner != nullptr) {
                Registry().lastActive = owner;
                SendSimple(MessageKind::Activate);
            }
            break;
        case QEvent::WindowDeactivate:
            if (this->isWindow()) SendSimple(MessageKind::Deactivate);
            break;
        default:
            break;
        }
        return Base::event(e);
    }

    void keyPressEvent(QKeyEvent* k) override { HandleKeyPress(k, true); }

    void keyReleaseEvent(QKeyEvent* k) override {
        k->accept();
        if (!k->isAutoRepeat()) {
            Message m;
            m.kind = MessageKind::KeyUp;
            m.key = VirtualKeyFromQt(k->key());
            m.shift = ShiftFromQt(k->modifiers(), Qt::NoButton);
            if (m.key != 0 && (!Send(m) || m.handled)) return;
        }
        if (kind_ != Kind::Plain) Base::keyReleaseEvent(k);
        k->accept();
    }

    void mousePressEvent(QMouseEvent* e) override { HandleMouse(e, MessageKind::MouseDown, 0); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { HandleMouse(e, MessageKind::MouseDown, shift::Double); }
    void mouseReleaseEvent(QMouseEvent* e) override { HandleMouse(e, MessageKind::MouseUp, 0); }
    void mouseMoveEvent(QMouseEvent* e) override { HandleMouse(e, MessageKind::MouseMove, 0); }

    void wheelEvent(QWheelEvent* e) override {
        // Accepted always: Qt would otherwise hand the wheel to the parent
        // as well.
        e->accept();
        Message m;
        m.kind = MessageKind::MouseWheel;
        const QPoint angle = e->angleDelta();
        m.wheelDelta = angle.y() != 0 ? angle.y() : angle.x();
        const QPoint p = e->position().toPoint();
        m.x = p.x();
        m.y = p.y();
        m.shift = ShiftFromQt(e->modifiers(), e->buttons());
        Send(m);
    }

    void contextMenuEvent(QContextMenuEvent* e) override {
        // The Menu key is the window's (a KeyDown for vk::Apps, which opens
        // a chart's menu); an edit must not open its own menu beside it.
        // A right click keeps the native menu of an edit.
        if (e->reason() == QContextMenuEvent::Keyboard) {
            e->accept();
            return;
        }
        Base::contextMenuEvent(e);
    }

    void enterEvent(QEnterEvent* e) override {
        Base::enterEvent(e);
        SendSimple(MessageKind::MouseEnter);
    }

    void leaveEvent(QEvent* e) override {
        Base::leaveEvent(e);
        SendSimple(MessageKind::MouseLeave);
    }

    void focusInEvent(QFocusEvent* e) override {
        Base::focusInEvent(e);
        // A focused button shows it; its mark comes and goes with the focus.
        if (kind_ == Kind::Button) this->update();
        Message m;
        m.kind = MessageKind::SetFocus;
        m.button = e->reason() == Qt::MouseFocusReason ? MouseButton::Left : MouseButton::None;
        Send(m);
    }

    void focusOutEvent(QFocusEvent* e) override {
        Base::focusOutEvent(e);
        if (kind_ == Kind::Button) this->update();
        SendSimple(MessageKind::KillFocus);
    }

    void paintEvent(QPaintEvent* e) override {
        if (Registry().paintsHeld && kind_ == Kind::Plain) {
            if (owner != nullptr) owner->Internal().PaintPending(e->rect());
            return;
        }
        if (owner != nullptr) owner->Internal().PaintDelivered();
        if (kind_ != Kind::Plain) {
            Base::paintEvent(e);
            if (kind_ == Kind::Button && this->hasFocus()) PaintFocusMark();
            return;
        }
        QPainter painter(this);
        std::unique_ptr<TSurface> surface = MakeSurface(&painter);
        Message m;
        m.kind = MessageKind::Paint;
        m.surface = surface.get();
        const QRect r = e->rect();
        m.rect = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        Send(m);
    }

    void resizeEvent(QResizeEvent* e) override {
        Base::resizeEvent(e);
        // Qt repaints a resized widget; ProcessPendingPaints must know.
        if (owner != nullptr) owner->Internal().PaintPending(this->rect());
        Message m;
        m.kind = MessageKind::Resize;
        m.width = e->size().width();
        m.height = e->size().height();
        Send(m);
    }

    void moveEvent(QMoveEvent* e) override {
        Base::moveEvent(e);
        Message m;
        m.kind = MessageKind::Move;
        m.x = this->pos().x();
        m.y = this->pos().y();
        Send(m);
    }

    void closeEvent(QCloseEvent* e) override {
        // The framework decides whether a close hides the window or ends
        // the program; Qt never closes it on its own.
        e->ignore();
        SendSimple(MessageKind::Close);
    }

    void showEvent(QShowEvent* e) override {
        Base::showEvent(e);
        if (owner != nullptr) owner->Internal().PaintPending(this->rect());
        SendSimple(MessageKind::Show);
    }

    void hideEvent(QHideEvent* e) override {
        Base::hideEvent(e);
        SendSimple(MessageKind::Hide);
    }

private:
    // The platform's focus mark: a dotted rectangle in the text colour,
    // FocusMarkInset pixels inside the button's edge, whatever the style
    // draws (most draw a focus frame only after keyboard use).
    void PaintFocusMark() {
        QPainter painter(this);
        QPen pen(this->palette().color(QPalette::ButtonText));
        // Every other pixel, as the classic focus rectangle.
        pen.setDashPattern({1.0, 1.0});
        pen.setWidth(0);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QRect r = this->rect().adjusted(FocusMarkInset, FocusMarkInset, -FocusMarkInset - 1, -FocusMarkInset - 1);
        if (r.width() > 0 && r.height() > 0) painter.drawRect(r);
    }

    void HandleKeyPress(QKeyEvent* k, bool nativeDefault) {
        k->accept();
        Message down;
        down.kind = MessageKind::KeyDown;
        down.key = VirtualKeyFromQt(k->key());
        down.shift = ShiftFromQt(k->modifiers(), Qt::NoButton);
        if (k->key() == Qt::Key_Backtab) down.shift |= shift::Shift;
        if (down.key != 0 && (!Send(down) || down.handled)) return;
        const QString text = k->text();
        if (!text.isEmpty() && text != QStringLiteral("\x7f")) {
            Message ch;
            ch.kind = MessageKind::Char;
            ch.text = FromQString(text);
            if (!Send(ch) || ch.handled) return;
        }
        if (!nativeDefault) return;
        if constexpr (std::is_base_of_v<QPushButton, Base>) {
            // A focused button is pressed by Return as well as by Space.
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
                this->click();
            else
                Base::keyPressEvent(k);
        } else if (kind_ != Kind::Plain) {
            Base::keyPressEvent(k);
        }
        // Keys never travel on to the parent, as window messages do not.
        k->accept();
    }

    void HandleMouse(QMouseEvent* e, MessageKind kind, ShiftState extra) {
        Message m;
        m.kind = kind;
        const QPoint p = e->position().toPoint();
        m.x = p.x();
        m.y = p.y();
        m.button = kind == MessageKind::MouseMove ? MouseButton::None : ButtonFromQt(e->button());
        m.shift = ShiftFromQt(e->modifiers(), e->buttons()) | extra;
        if (!Send(m)) {
            e->accept();
            return;
        }
        if (!m.handled && kind_ != Kind::Plain) {
            switch (e->type()) {
            case QEvent::MouseButtonPress:
                Base::mousePressEvent(e);
                break;
            case QEvent::MouseButtonDblClick:
                Base::mouseDoubleClickEvent(e);
                break;
            case QEvent::MouseButtonRelease:
                Base::mouseReleaseEvent(e);
                break;
            default:
                Base::mouseMoveEvent(e);
                break;
            }
        }
        // Mouse input never travels on to the parent either.
        e->accept();
    }

    Kind kind_;
};
}  // namespace

namespace {
// A plain window to assistive technology: a chart, the program's window or
// a pane of it.  The role is read at every question, so a chart marked
// after its interface was made is still a chart.
class PlainWindowAccessible : public QAccessibleWidget {
public:
    explicit PlainWindowAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Client) {}
    QAccessible::Role role() const override {
        const auto* link = dynamic_cast<const WidgetLink*>(widget());
        if (link != nullptr && link->accessibleRole == AccessibleRole::Chart) return QAccessible::Chart;
        return widget()->isWindow() ? QAccessible::Window : QAccessible::Client;
    }
};

QAccessibleInterface* PlainWindowAccessibleFactory(const QString& className, QObject* object) {
    // Edits and buttons are asked for as QLineEdit and QPushButton, and
    // Qt's own interfaces serve them.
    if (className != QLatin1String("QWidget") || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (dynamic_cast<WidgetLink*>(widget) == nullptr) return nullptr;
    return new PlainWindowAccessible(widget);
}
}  // namespace

void InstallWindowAccessibility() { QAccessible::installFactory(PlainWindowAccessibleFactory); }

QWidget* CreateWindowWidget(TNativeWindow* owner, int kind, QWidget* parent) {
    switch (static_cast<NativeWindowKind>(kind)) {
    case NativeWindowKind::Edit: {
        auto* edit = new WindowWidget<QLineEdit>(owner, Kind::Edit, parent);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { edit->SendSimple(MessageKind::TextChanged); });
        return edit;
    }
    case NativeWindowKind::Button: {
        auto* button = new WindowWidget<QPushButton>(owner, Kind::Button, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        QObject::connect(button, &QPushButton::clicked, button, [button] { button->SendSimple(MessageKind::Click); });
        return button;
    }
    case NativeWindowKind::Plain:
        break;
    }
    auto* plain = new WindowWidget<QWidget>(owner, Kind::Plain, parent);
    plain->setFocusPolicy(Qt::NoFocus);
    return plain;
}

}  // namespace cvcalc
