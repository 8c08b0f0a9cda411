// The web-browser component over Qt WebEngine and the scheme handler that
// serves the bundled pages from the resource table.
#include "platform/gui/WebBrowser.h"

#include <QtCore/QBuffer>
#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QEvent>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QUrl>
#include <QtWebEngineCore/QWebEngineHistory>
#include <QtWebEngineCore/QWebEngineProfile>
#include <QtWebEngineCore/QWebEngineUrlRequestJob>
#include <QtWebEngineCore/QWebEngineUrlScheme>
#include <QtWebEngineCore/QWebEngineUrlSchemeHandler>
#include <QtWebEngineWidgets/QWebEngineView>
#include <cmath>

#include "platform/core/Resources.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {

QByteArray SchemeName() { return QByteArray(BundledPageScheme.data(), qsizetype(BundledPageScheme.size())); }

// Answers every request of the bundled-page scheme from the resource table.
class BundledPageHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        if (job->requestMethod() != QByteArrayLiteral("GET")) {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        QString path = job->requestUrl().path();
        while (path.startsWith(QLatin1Char('/'))) path.remove(0, 1);
        if (path.isEmpty()) path = QStringLiteral("index.html");
        const std::string name = path.toStdString();
        const auto bytes = FindResource(RT_HTML, name);
        if (!bytes) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        // The resource outlives the program, so the buffer may borrow it.
        auto* buffer = new QBuffer(job);
        buffer->setData(
            QByteArray::fromRawData(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())));
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArray::fromStdString(BundledPageContentType(name)), buffer);
    }
};

// The engine's one profile (off the record: the program writes no files),
// with the bundled-page handler installed once.
QWebEngineProfile* BrowserProfile() {
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    if (profile->urlSchemeHandler(SchemeName()) == nullptr)
        profile->installUrlSchemeHandler(SchemeName(), new BundledPageHandler(profile));
    return profile;
}

// The browser itself.  The component and every interface handed out share
// it; once the component is gone the interfaces refuse everything.
class BrowserCore final : public IWebBrowser2, public QObject {
public:
    ~BrowserCore() override { Close(); }

    bool Attach(TNativeWindow* host) {
        QWidget* widget = WidgetOf(host);
        if (widget == nullptr) return false;
        if (hostWidget_ != widget) {
            if (hostWidget_) hostWidget_->removeEventFilter(this);
            hostWidget_ = widget;
            widget->installEventFilter(this);
            if (view_) {
                view_->setParent(widget);
                view_->show();
            }
        }
        host_ = host;
        FitView();
        return true;
    }

    void Detach() {
        if (hostWidget_) hostWidget_->removeEventFilter(this);
        if (view_) view_->hide();
        hostWidget_ = nullptr;
        host_ = nullptr;
    }

    void Close() {
        Detach();
        delete view_.data();
        closed_ = true;
    }

    TNativeWindow* Host() const { return hostWidget_ ? host_ : nullptr; }

    bool Navigate(std::u16string_view url) override {
        QWebEngineView* view = EnsureView();
        if (view == nullptr) return false;
        const QUrl target(QString::fromUtf16(url.data(), qsizetype(url.size())));
        if (!target.isValid()) return false;
        view->load(target);
        return true;
    }

    bool GoBack() override {
        if (!view_ || !view_->history()->canGoBack()) return false;
        view_->back();
        return true;
    }

    bool GoForward() override {
        if (!view_ || !view_->history()->canGoForward()) return false;
        view_->forward();
        return true;
    }

    std::string LocationURL() const override { return view_ ? view_->url().toString().toStdString() : std::string(); }
    std::string LocationName() const override { return view_ ? view_->title().toStdString() : std::string(); }
    bool Busy() const override { return loading_; }
    int CompletedLoads() const override { return completedLoads_; }
    bool CanGoBack() const override { return view_ && view_->history()->canGoBack(); }
    bool CanGoForward() const override { return view_ && view_->history()->canGoForward(); }
    bool ViewCreated() const override { return !view_.isNull(); }
    PixelRect ViewBounds() const override {
        if (!view_) return {};
        const QRect g = view_->geometry();
        return PixelRect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == hostWidget_ && event->type() == QEvent::Resize) FitView();
        return false;
    }

private:
    // The engine is expensive to start, so its view comes with the first
    // page that is asked for, not with the component.
    QWebEngineView* EnsureView() {
        if (closed_ || !hostWidget_) return nullptr;
        if (!view_) {
            auto* page = new QWebEnginePage(BrowserProfile());
            view_ = new QWebEngineView(hostWidget_);
            page->setParent(view_);
            view_->setPage(page);
            QObject::connect(view_, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
            QObject::connect(view_, &QWebEngineView::loadFinished, this, [this](bool) {
                loading_ = false;
                ++completedLoads_;
            });
            FitView();
            view_->show();
        }
        return view_;
    }

    void FitView() {
        if (view_ && hostWidget_) view_->setGeometry(hostWidget_->rect());
    }

    TNativeWindow* host_ = nullptr;
    QPointer<QWidget> hostWidget_;
    QPointer<QWebEngineView> view_;
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

void RegisterBundledPageScheme() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    QWebEngineUrlScheme scheme(SchemeName());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

std::string BundledPageContentType(std::string_view name) {
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
