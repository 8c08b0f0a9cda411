// Native windows over Qt widgets, and the process-wide capture, focus and
// active window.
#include "platform/gui/NativeWindow.h"

#include <QtCore/QBuffer>
#include <QtCore/QMetaEnum>
#include <QtGui/QAccessible>
#include <QtGui/QIcon>
#include <QtGui/QImageReader>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <algorithm>
#include <cstring>

#include "platform/core/VectorState.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/NativeImage.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowWidget.h"

namespace cvcalc {

WindowRegistry& Registry() {
    static WindowRegistry registry;
    return registry;
}

QWidget* WidgetOf(const TNativeWindow* window) {
    if (window == nullptr) return nullptr;
    return const_cast<TNativeWindow*>(window)->Internal().widget.data();
}

TNativeWindow* WindowOfWidget(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (auto* link = dynamic_cast<WidgetLink*>(w); link != nullptr && link->owner != nullptr) return link->owner;
    return nullptr;
}

void ActivateWidgetWindow(QWidget* widget) {
    if (widget == nullptr) return;
    QWidget* top = widget->window();
    if (!top->isVisible()) return;
    if (!IsOffscreenPlatform()) top->raise();
    top->activateWindow();
    // The offscreen platform activates windows later, from its queue; tests
    // need the answer at once.
    if (IsOffscreenPlatform()) QApplication::setActiveWindow(top);
}

namespace {
constexpr int MaxCoordinate = 100000;
int ClampCoordinate(int v) { return std::clamp(v, -MaxCoordinate, MaxCoordinate); }
int ClampExtent(int v) { return std::clamp(v, 0, MaxCoordinate); }

// Cuts a widget and all its descendants off from their windows before Qt
// destroys them, so that no message reaches a window while it goes.
void Unlink(QWidget* widget) {
    if (auto* link = dynamic_cast<WidgetLink*>(widget)) link->owner = nullptr;
    for (QWidget* child : widget->findChildren<QWidget*>())
        if (auto* link = dynamic_cast<WidgetLink*>(child)) link->owner = nullptr;
}

void ApplyFixedSize(QWidget* w, bool resizable) {
    if (!w->isWindow()) return;
    if (resizable) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        w->setFixedSize(w->size());
    }
}
}  // namespace

TNativeWindow::TNativeWindow(NativeWindowKind kind, TNativeWindow* parent)
    : kind_(kind), parent_(parent), impl_(std::make_unique<Impl>()) {
    InitPlatform();
    QWidget* parentWidget = WidgetOf(parent);
    QWidget* widget = CreateWindowWidget(this, static_cast<int>(kind), parentWidget);
    impl_->widget = widget;
    impl_->link = dynamic_cast<WidgetLink*>(widget);
    widget->setGeometry(0, 0, 0, 0);
    widget->hide();
    Registry().windows.insert(this);
}

TNativeWindow::~TNativeWindow() {
    WindowRegistry& reg = Registry();
    if (reg.capture == this) ReleaseCapture();
    reg.windows.erase(this);
    if (reg.lastActive == this) reg.lastActive = nullptr;
    QWidget* widget = impl_->widget.data();
    if (widget == nullptr) return;
    Unlink(widget);
    if (reg.dispatchDepth > 0) {
        // Some widget's event handler may still be running further up the
        // stack (this one's, or a child's); let Qt delete it afterwards.
        widget->hide();
        widget->deleteLater();
    } else {
        delete widget;
    }
}

bool TNativeWindow::Exists() const { return !impl_->widget.isNull(); }

void TNativeWindow::SetParent(TNativeWindow* parent) {
    if (parent == this) return;
    for (TNativeWindow* p = parent; p != nullptr; p = p->parent_)
        if (p == this) return;  // a window cannot live inside itself
    parent_ = parent;
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return;
    const bool shown = !w->isHidden();
    const QRect geometry = w->geometry();
    if (QWidget* pw = WidgetOf(parent))
        w->setParent(pw);
    else
        w->setParent(nullptr, Qt::Window);
    w->setGeometry(geometry);
    if (shown) w->show();
}

void TNativeWindow::SetBounds(const PixelRect& bounds) {
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return;
    const int left = ClampCoordinate(bounds.left), top = ClampCoordinate(bounds.top);
    int width = ClampExtent(bounds.right - bounds.left), height = ClampExtent(bounds.bottom - bounds.top);
    if (w->isWindow()) {
        // The client gets what the standard frame leaves, shown or not; the
        // position is the outer corner's, as Qt places a window.
        const PixelRect frame = FrameExtents();
        width = std::max(0, width - frame.left - frame.right);
        height = std::max(0, height - frame.top - frame.bottom);
        if (!impl_->resizable) w->setFixedSize(width, height);
        w->move(left, top);
        w->resize(width, height);
    } else {
        w->setGeometry(left, top, width, height);
    }
}

PixelRect TNativeWindow::Bounds() const {
    const QWidget* w = impl_->widget.data();
    if (w == nullptr) return {};
    if (!w->isWindow()) {
        const QRect r = w->geometry();
        return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
    }
    const QPoint corner = w->pos();
    const PixelRect frame = FrameExtents();
    return {corner.x(), corner.y(), corner.x() + frame.left + w->width() + frame.right,
            corner.y() + frame.top + w->height() + frame.bottom};
}

PixelSize TNativeWindow::ClientSize() const {
    const QWidget* w = impl_->widget.data();
    if (w == nullptr) return {};
    return {w->width(), w->height()};
}

void TNativeWindow::SetClientSize(int width, int height) {
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return;
    width = ClampExtent(width);
    height = ClampExtent(height);
    if (w->isWindow() && !impl_->resizable) w->setFixedSize(width, height);
    w->resize(width, height);
}

PixelRect TNativeWindow::FrameExtents() const {
    const QWidget* w = impl_->widget.data();
    if (w == nullptr || !w->isWindow()) return {};
    return StandardFrame;
}

PixelPoint TNativeWindow::ClientToScreen(PixelPoint p) const {
    const QWidget* w = impl_->widget.data();
    if (w == nullptr) return p;
    const QPoint g = w->mapToGlobal(QPoint(p.x, p.y));
    return {g.x(), g.y()};
}

PixelPoint TNativeWindow::ScreenToClient(PixelPoint p) const {
    const QWidget* w = impl_->widget.data();
    if (w == nullptr) return p;
    const QPoint c = w->mapFromGlobal(QPoint(p.x, p.y));
    return {c.x(), c.y()};
}

void TNativeWindow::SetAccessibleRole(AccessibleRole role) {
    // Read by the window's interface at every question; the framework sets
    // it when the window is made, before anyone asks.
    if (!impl_->widget.isNull() && impl_->link != nullptr) impl_->link->accessibleRole = role;
}

void TNativeWindow::SetAccessibleName(std::string_view utf8) {
    if (QWidget* w = impl_->widget.data()) w->setAccessibleName(ToQString(utf8));
}

void TNativeWindow::SetAccessibleDescription(std::string_view utf8) {
    if (QWidget* w = impl_->widget.data()) w->setAccessibleDescription(ToQString(utf8));
}

AccessibleFacts TNativeWindow::Accessible() const {
    AccessibleFacts facts;
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return facts;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (iface == nullptr) return facts;
    const char* role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role());
    facts.role = role != nullptr ? role : std::to_string(static_cast<int>(iface->role()));
    facts.name = FromQString(iface->text(QAccessible::Name));
    facts.description = FromQString(iface->text(QAccessible::Description));
    return facts;
}

void TNativeWindow::SetText(std::string_view utf8) {
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return;
    if (w->isWindow()) {
        w->setWindowTitle(ToQString(utf8));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(ToQString(utf8));
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        button->setText(ToQString(utf8));
    } else {
        impl_->plainText = std::string(utf8);
    }
}

std::string TNativeWindow::Text() const {
    const QWidget* w = impl_->widget.data();
    if (w == nullptr) return {};
    if (w->isWindow()) return FromQString(w->windowTitle());
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) return FromQString(edit->text());
    if (auto* button = qobject_cast<const QPushButton*>(w)) return FromQString(button->text());
    return impl_->plainText;
}

void TNativeWindow::SetVisible(bool visible) {
    QWidget* w = impl_->widget.data();
    if (w == nullptr || visible == !w->isHidden()) return;
    w->setVisible(visible);
}

bool TNativeWindow::IsVisible() const {
    const QWidget* w = impl_->widget.data();
    return w != nullptr && w->isVisible();
}

void TNativeWindow::SetEnabled(bool enabled) {
    if (QWidget* w = impl_->widget.data()) w->setEnabled(enabled);
}

bool TNativeWindow::IsEnabled() const {
    const QWidget* w = impl_->widget.data();
    return w != nullptr && !w->testAttribute(Qt::WA_ForceDisabled);
}

void TNativeWindow::SetFont(const FontSpec& font) {
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return;
    const TNativeFont realised(font);
    w->setFont(realised.Internal().font);
    QPalette palette = w->palette();
    const QColor color = ToQColor(font.color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::WindowText, color);
    w->setPalette(palette);
}

void TNativeWindow::Invalidate() {
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return;
    w->update();
    impl_->paintPending = true;
    impl_->pendingRegion += w->rect();
}

void TNativeWindow::Invalidate(const PixelRect& rect) {
    QWidget* w = impl_->widget.data();
    if (w == nullptr || rect.IsEmpty()) return;
    const QRect r = ToQRect(rect).intersected(w->rect());
    if (r.isEmpty()) return;
    w->update(r);
    impl_->paintPending = true;
    impl_->pendingRegion += r;
}

void TNativeWindow::Update() {
    QWidget* w = impl_->widget.data();
    if (w == nullptr || !impl_->paintPending || !w->isVisible()) return;
    const QRegion region = impl_->pendingRegion;
    w->repaint(region);
}

void TNativeWindow::BringToFront() {
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return;
    if (w->isWindow())
        ActivateWidgetWindow(w);
    else
        w->raise();
}

void TNativeWindow::SendToBack() {
    if (QWidget* w = impl_->widget.data()) w->lower();
}

void TNativeWindow::SetResizable(bool resizable) {
    QWidget* w = impl_->widget.data();
    impl_->resizable = resizable;
    if (w != nullptr) ApplyFixedSize(w, resizable);
}

bool TNativeWindow::SetIconFromBytes(const void* data, std::size_t size) {
    QWidget* w = impl_->widget.data();
    if (w == nullptr || data == nullptr || size == 0 || size > (1u << 26)) return false;
    // A PNG is read by Qt's own reader alone; left to find the format, Qt
    // loads every image plugin (SVG, JPEG and the rest) to ask each whether
    // the bytes are its own, a few milliseconds of every first window.
    static constexpr unsigned char PngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const bool png = size >= sizeof PngSignature && std::memcmp(data, PngSignature, sizeof PngSignature) == 0;
    QPixmap pixmap;
    if (png) {
        QByteArray bytes = QByteArray::fromRawData(static_cast<const char*>(data), static_cast<qsizetype>(size));
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "png");
        reader.setAutoDetectImageFormat(false);
        pixmap = QPixmap::fromImage(reader.read());
        if (pixmap.isNull()) return false;
    } else if (!pixmap.loadFromData(static_cast<const uchar*>(data), static_cast<uint>(size))) {
        return false;
    }
    w->setWindowIcon(QIcon(pixmap));
    return true;
}

void TNativeWindow::SetIcon(const TNativeImage& image) {
    QWidget* w = impl_->widget.data();
    if (w == nullptr || image.IsEmpty()) return;
    w->setWindowIcon(QIcon(QPixmap::fromImage(image.Internal().image)));
}

bool TNativeWindow::HasIcon() const {
    const QWidget* w = impl_->widget.data();
    return w != nullptr && w->testAttribute(Qt::WA_SetWindowIcon) && !w->windowIcon().isNull();
}

void TNativeWindow::Activate() { ActivateWidgetWindow(impl_->widget.data()); }

void TNativeWindow::SetReadOnly(bool readOnly) {
    if (auto* edit = qobject_cast<QLineEdit*>(impl_->widget.data())) edit->setReadOnly(readOnly);
}

void TNativeWindow::SetMaxLength(int maxLength) {
    if (auto* edit = qobject_cast<QLineEdit*>(impl_->widget.data()))
        edit->setMaxLength(maxLength <= 0 ? 32767 : std::min(maxLength, 32767));
}

void TNativeWindow::SelectAll() {
    if (auto* edit = qobject_cast<QLineEdit*>(impl_->widget.data())) edit->selectAll();
}

void TNativeWindow::SetFocus() {
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return;
    if (!w->window()->isActiveWindow()) ActivateWidgetWindow(w);
    w->setFocus(Qt::OtherFocusReason);
}

bool TNativeWindow::HasFocus() const {
    const QWidget* w = impl_->widget.data();
    return w != nullptr && w->hasFocus();
}

void TNativeWindow::RenderTo(TOffscreenBitmap& bitmap) {
    QWidget* w = impl_->widget.data();
    if (w == nullptr) return;
    TOffscreenBitmap::Impl& target = bitmap.Internal();
    if (target.image.isNull()) return;
    // The bitmap's own painter lets go of the image meanwhile.
    if (target.surface) AttachSurface(*target.surface, nullptr);
    w->render(&target.image, QPoint(0, 0), QRegion(), QWidget::DrawChildren);
    if (target.surface) AttachSurface(*target.surface, &target.image);
}

void TNativeWindow::Dispatch(Message& message) {
    if (!proc_) return;
    // The procedure may destroy this window; it runs from a copy, and
    // nothing of this object is touched after it returns.
    const MessageProc proc = proc_;
    WindowRegistry& reg = Registry();
    ++reg.dispatchDepth;
    ClearUpperVectorState();
    try {
        proc(message);
    } catch (...) {
        ReportDispatchError(std::current_exception());
    }
    --reg.dispatchDepth;
}

void SetCapture(TNativeWindow* window) {
    WindowRegistry& reg = Registry();
    if (reg.capture == window) return;
    ReleaseCapture();
    if (!reg.IsLive(window)) return;
    reg.capture = window;
    QWidget* w = WidgetOf(window);
    // The offscreen platform has no pointer to grab; the injector routes
    // input to the holder itself.
    if (w != nullptr && w->isVisible() && !IsOffscreenPlatform()) w->grabMouse();
}

void ReleaseCapture() {
    WindowRegistry& reg = Registry();
    TNativeWindow* holder = reg.capture;
    reg.capture = nullptr;
    QWidget* w = WidgetOf(holder);
    if (w != nullptr && QWidget::mouseGrabber() == w) w->releaseMouse();
}

TNativeWindow* CaptureWindow() { return Registry().capture; }

bool SendCancelMode() {
    WindowRegistry& reg = Registry();
    TNativeWindow* holder = reg.capture;
    if (!reg.IsLive(holder)) return false;
    Message m;
    m.window = holder;
    m.kind = MessageKind::CancelMode;
    holder->Dispatch(m);
    if (reg.capture == holder) ReleaseCapture();
    return true;
}

TNativeWindow* FocusWindow() {
    if (!PlatformInitialized()) return nullptr;
    return WindowOfWidget(QApplication::focusWidget());
}

TNativeWindow* ActiveWindow() {
    if (!PlatformInitialized()) return nullptr;
    return WindowOfWidget(QApplication::activeWindow());
}

}  // namespace cvcalc
