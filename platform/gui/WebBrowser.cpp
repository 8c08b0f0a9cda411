// The web-browser component over Qt WebEngine and the scheme handler that
// serves the bundled pages from the resource table.
#include "platform/gui/WebBrowser.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QEvent>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QUrl>
#include <QtWidgets/QApplication>
#include <cmath>
#include <memory>

#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/WebEngineModule.h"
#include "platform/gui/WindowWidget.h"

namespace cvcalc {

namespace {

// The browser itself.  The component and every interface handed out share
// it; once the component is gone the interfaces refuse everything.
class BrowserCore final : public IWebBrowser2, public QObject, private IEngineViewEvents {
public:
    BrowserCore() {
        QObject::connect(qApp, &QApplication::focusChanged, this,
                         [this](QWidget* from, QWidget* to) { FocusMoved(from, to); });
    }
    ~BrowserCore() override { Close(); }

    bool Attach(TNativeWindow* host) {
        QWidget* widget = WidgetOf(host);
        if (widget == nullptr) return false;
        if (hostWidget_ != widget) {
            if (hostWidget_) hostWidget_->removeEventFilter(this);
            hostWidget_ = widget;
            widget->installEventFilter(this);
            if (QWidget* view = ViewWidget()) {
                view->setParent(widget);
                view->show();
                widget->setFocusProxy(view);
            }
        }
        host_ = host;
        FitView();
        return true;
    }

    void Detach() {
        if (hostWidget_) {
            hostWidget_->removeEventFilter(this);
            hostWidget_->setFocusProxy(nullptr);
        }
        if (QWidget* view = ViewWidget()) view->hide();
        hostWidget_ = nullptr;
        host_ = nullptr;
    }

    void Close() {
        Detach();
        view_.reset();
        closed_ = true;
    }

    TNativeWindow* Host() const { return hostWidget_ ? host_ : nullptr; }

    bool Navigate(std::u16string_view url) override {
        if (closed_ || !hostWidget_) return false;
        const QUrl target(QString::fromUtf16(url.data(), qsizetype(url.size())));
        switch (NavigationTargetOf(target, QString::fromLatin1(BundledPageScheme))) {
        case NavigationTarget::ProgramPage:
            break;
        case NavigationTarget::DesktopBrowser:
            OpenInDesktopBrowser(FromQString(target.toString(QUrl::FullyEncoded)));
            return false;
        case NavigationTarget::Refused:
            return false;
        }
        // Only now: an address the window does not show starts no engine.
        IEngineView* view = EnsureView();
        if (view == nullptr) return false;
        view->Load(target);
        return true;
    }

    bool GoBack() override { return ViewWidget() != nullptr && view_->Back(); }

    bool GoForward() override { return ViewWidget() != nullptr && view_->Forward(); }

    std::string LocationURL() const override {
        return ViewWidget() ? view_->Url().toString().toStdString() : std::string();
    }
    std::string LocationName() const override { return ViewWidget() ? view_->Title().toStdString() : std::string(); }
    bool Busy() const override { return loading_; }
    int CompletedLoads() const override { return completedLoads_; }
    bool CanGoBack() const override { return ViewWidget() && view_->CanGoBack(); }
    bool CanGoForward() const override { return ViewWidget() && view_->CanGoForward(); }
    bool ViewCreated() const override { return ViewWidget() != nullptr; }
    PixelPoint ScrollPosition() const override {
        if (ViewWidget() == nullptr) return {};
        const QPoint p = view_->ScrollPosition();
        return {p.x(), p.y()};
    }
    PixelRect ViewBounds() const override {
        const QWidget* view = ViewWidget();
        if (view == nullptr) return {};
        const QRect g = view->geometry();
        return PixelRect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == hostWidget_ && event->type() == QEvent::Resize) FitView();
        return false;
    }

private:
    void LoadStarted() override { loading_ = true; }
    void LoadFinished() override {
        loading_ = false;
        ++completedLoads_;
    }

    // The view's widget, or null when there is none (not made yet, or
    // destroyed with the window it lived in).
    QWidget* ViewWidget() const { return view_ && viewWidget_ ? viewWidget_.data() : nullptr; }

    // The engine is expensive to start, so its module is loaded and its
    // view made with the first page that is asked for, not with the component.
    IEngineView* EnsureView() {
        if (closed_ || !hostWidget_) return nullptr;
        if (view_ && !viewWidget_) view_.reset();  // its host window took it down
        if (!view_) {
            // Raises when the engine cannot start; the window stays as it is.
            const EngineModuleApi* engine = WebEngineModule();
            view_.reset(engine->CreateView(hostWidget_, this));
            viewWidget_ = view_->Widget();
            FitView();
            viewWidget_->show();
            // The focus given to the host goes on into the page.
            hostWidget_->setFocusProxy(viewWidget_);
        }
        return view_.get();
    }

    // The page's widgets are the engine's, not windows of ours: when the
    // focus enters them, from the host or by a click or by the engine's
    // own Tab, the host tells its control; when it leaves them, likewise.
    void FocusMoved(QWidget* from, QWidget* to) {
        const bool wasInPage = InPage(from), isInPage = InPage(to);
        if (wasInPage == isInPage) return;
        // Through the widget's link, which is cleared once its window goes.
        auto* link = dynamic_cast<WidgetLink*>(hostWidget_.data());
        if (link == nullptr || link->owner == nullptr) return;
        Message m;
        m.kind = isInPage ? MessageKind::SetFocus : MessageKind::KillFocus;
        m.window = link->owner;
        link->owner->Dispatch(m);
    }

    bool InPage(const QWidget* widget) const {
        const QWidget* view = ViewWidget();
        return widget != nullptr && view != nullptr && (widget == view || view->isAncestorOf(widget));
    }

    void FitView() {
        if (QWidget* view = ViewWidget(); view && hostWidget_) view->setGeometry(hostWidget_->rect());
    }

    TNativeWindow* host_ = nullptr;
    QPointer<QWidget> hostWidget_;
    std::unique_ptr<IEngineView> view_;
    QPointer<QWidget> viewWidget_;
    bool loading_ = false;
    bool closed_ = false;
    int completedLoads_ = 0;
};

class WebBrowserComponent final : public TInPlaceComponent {
public:
    WebBrowserComponent() : core_(std::make_shared<BrowserCore>()) {}
    ~WebBrowserComponent() override { core_->Close(); }

    void LoadState(std::span<const unsigned char> state) override { state_.assign(state.begin(), state.end()); }
    bool ActivateInPlace(TNativeWindow* host) override { return core_->Attach(host); }
    void Deactivate() override { core_->Detach(); }
    TNativeWindow* InPlaceWindow() const override { return core_->Host(); }
    std::shared_ptr<IWebBrowser2> QueryWebBrowser2() override { return core_; }

private:
    std::shared_ptr<BrowserCore> core_;
    std::vector<unsigned char> state_;
};

}  // namespace

std::unique_ptr<TInPlaceComponent> CreateWebBrowserComponent() {
    InitPlatform();
    return std::make_unique<WebBrowserComponent>();
}

std::string_view BundledPageContentType(std::string_view name) {
    const auto dot = name.rfind('.');
    std::string ext = dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (ext == "html" || ext == "htm") return "text/html";
    if (ext == "css") return "text/css";
    if (ext == "png") return "image/png";
    if (ext == "svg") return "image/svg+xml";
    if (ext == "js") return "text/javascript";
    return "application/octet-stream";
}

PixelSize ExtentFromControlData(std::span<const unsigned char> state, int pixelsPerInch) {
    if (state.size() < 12 || pixelsPerInch <= 0) return {};
    auto word = [&](std::size_t at) {
        const std::uint32_t u = std::uint32_t(state[at]) | std::uint32_t(state[at + 1]) << 8 |
                                std::uint32_t(state[at + 2]) << 16 | std::uint32_t(state[at + 3]) << 24;
        return std::int32_t(u);
    };
    const std::int32_t width = word(4);
    const std::int32_t height = word(8);
    if (width <= 0 || height <= 0) return {};
    // Hundredths of a millimetre: 2540 to the inch.
    auto pixels = [&](std::int32_t himetric) {
        return int(std::lround(double(himetric) * double(pixelsPerInch) / 2540.0));
    };
    return PixelSize{pixels(width), pixels(height)};
}

bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    InitPlatform();
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

}  // namespace cvcalc
