// The web-engine module: Qt WebEngine behind the small table of
// WebEngineModule.h.  Built as a shared module of its own and loaded by the
// browser component at its first navigation; it links Qt only.
#include "platform/gui/WebEngineModule.h"

#include <unistd.h>

#include <QtCore/QBuffer>
#include <QtCore/QByteArray>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QLibraryInfo>
#include <QtCore/QPointer>
#include <QtCore/QStringList>
#include <QtWebEngineCore/QWebEngineHistory>
#include <QtWebEngineCore/QWebEnginePage>
#include <QtWebEngineCore/QWebEngineProfile>
#include <QtWebEngineCore/QWebEngineUrlRequestJob>
#include <QtWebEngineCore/QWebEngineUrlScheme>
#include <QtWebEngineCore/QWebEngineUrlSchemeHandler>
#include <QtWebEngineWidgets/QWebEngineView>

namespace cvcalc {

namespace {

EngineHostServices Services;

QByteArray SchemeName() { return QByteArray(Services.pageScheme); }

// Answers every request of the bundled-page scheme from the program's pages.
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
        EnginePage page;
        if (Services.findPage == nullptr || !Services.findPage(path.toUtf8().constData(), &page)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        // The bytes are lent for this call only (a generated page is gone
        // at the next request), so the buffer keeps a copy.
        auto* buffer = new QBuffer(job);
        buffer->setData(QByteArray(reinterpret_cast<const char*>(page.data), qsizetype(page.size)));
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArray(page.contentType), buffer);
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

// The name of a page action ("<scheme>://<host>/action/<name>"), or an
// empty text for an ordinary address.
QString PageActionName(const QUrl& url) {
    static const QString prefix = QStringLiteral("/action/");
    if (url.scheme() != QString::fromLatin1(SchemeName())) return {};
    const QString path = url.path();
    if (!path.startsWith(prefix)) return {};
    return path.mid(prefix.size());
}

// A page whose action addresses call the program instead of loading, and
// which stays inside the program's pages whatever a link, a redirect or a
// script asks for.
class ProgramPage final : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        switch (NavigationTargetOf(url, QString::fromLatin1(SchemeName()))) {
        case NavigationTarget::ProgramPage:
            break;
        case NavigationTarget::DesktopBrowser:
            // Only the page itself hands an address out: a frame inside it
            // must not open windows of the desktop's browser.
            if (isMainFrame && Services.openExternal != nullptr)
                Services.openExternal(url.toString(QUrl::FullyEncoded).toUtf8().constData());
            return false;
        case NavigationTarget::Refused:
            return false;
        }
        const QString action = PageActionName(url);
        if (action.isEmpty()) return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
        if (Services.pageAction != nullptr) Services.pageAction(action.toUtf8().constData());
        return false;
    }
};

class EngineView final : public IEngineView {
public:
    EngineView(QWidget* parent, IEngineViewEvents* events) : view_(new QWebEngineView(parent)) {
        auto* page = new ProgramPage(BrowserProfile());
        page->setParent(view_);
        view_->setPage(page);
        QObject::connect(view_, &QWebEngineView::loadStarted, view_, [events] { events->LoadStarted(); });
        QObject::connect(view_, &QWebEngineView::loadFinished, view_, [events](bool) { events->LoadFinished(); });
    }
    // The host window may have taken the view down with it already.
    ~EngineView() override { delete view_.data(); }

    QWidget* Widget() override { return view_; }
    void Load(const QUrl& url) override { view_->load(url); }
    bool Back() override {
        if (!view_->history()->canGoBack()) return false;
        view_->back();
        return true;
    }
    bool Forward() override {
        if (!view_->history()->canGoForward()) return false;
        view_->forward();
        return true;
    }
    QUrl Url() const override { return view_->url(); }
    QString Title() const override { return view_->title(); }
    bool CanGoBack() const override { return view_->history()->canGoBack(); }
    bool CanGoForward() const override { return view_->history()->canGoForward(); }
    QPoint ScrollPosition() const override { return view_->page()->scrollPosition().toPoint(); }

private:
    QPointer<QWebEngineView> view_;
};

// Where the engine looks for a file it cannot do without, in its own order:
// only the directory an environment variable names, when it is set.
QStringList EngineSearchPath(const char* variable, const QStringList& defaults) {
    const QString fromEnvironment = qEnvironmentVariable(variable);
    return fromEnvironment.isEmpty() ? defaults : QStringList{fromEnvironment};
}

QString HomeFallbackDirectory() {
    return QDir::homePath() + QStringLiteral("/.") + QCoreApplication::applicationName();
}

// The helper process: a file the variable names, or one of the engine's
// places; it must be a program we may run.
QStringList HelperProcessCandidates() {
    const QString name = QStringLiteral("QtWebEngineProcess");
    return EngineSearchPath("QTWEBENGINEPROCESS_PATH",
                            {QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + u'/' + name,
                             QLibraryInfo::path(QLibraryInfo::BinariesPath) + u'/' + name,
                             QCoreApplication::applicationDirPath() + u'/' + name});
}

QStringList ResourceDirectoryCandidates() {
    const QString data = QLibraryInfo::path(QLibraryInfo::DataPath);
    return EngineSearchPath(
        "QTWEBENGINE_RESOURCES_PATH",
        {data + QStringLiteral("/resources"), data, QCoreApplication::applicationDirPath(), HomeFallbackDirectory()});
}

bool RunnableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && access(QFile::encodeName(path).constData(), X_OK) == 0;
}

// What keeps the engine from starting, or an empty text.
QString MissingEngineParts(const char* missingFileText) {
    const auto missing = [&](const char* file, const QStringList& places) {
        return QString::fromUtf8(missingFileText).arg(QLatin1String(file), places.join(QStringLiteral(", ")));
    };
    const QStringList helpers = HelperProcessCandidates();
    bool helperFound = false;
    for (const QString& path : helpers) helperFound = helperFound || RunnableFile(path);
    if (!helperFound) return missing("QtWebEngineProcess", helpers);
    const QStringList resources = ResourceDirectoryCandidates();
    bool resourcesFound = false;
    for (const QString& dir : resources)
        resourcesFound = resourcesFound || QFileInfo::exists(dir + QStringLiteral("/qtwebengine_resources.pak"));
    if (!resourcesFound) return missing("qtwebengine_resources.pak", resources);
    return {};
}

const char* Start(const EngineHostServices* services) {
    static bool started = false;
    if (started) return nullptr;
    static QByteArray failure;
    const QString missing = MissingEngineParts(services->missingFileText);
    if (!missing.isEmpty()) {
        failure = missing.toUtf8();
        return failure.constData();
    }
    started = true;
    Services = *services;
    // Schemes must be known before the engine's first profile or page.
    QWebEngineUrlScheme scheme(SchemeName());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
    return nullptr;
}

IEngineView* CreateView(QWidget* parent, IEngineViewEvents* events) { return new EngineView(parent, events); }

const EngineModuleApi Api{EngineModuleVersion, &Start, &CreateView};

}  // namespace

}  // namespace cvcalc

extern "C" __attribute__((visibility("default"))) const cvcalc::EngineModuleApi* cvcalc_engine_module() {
    return &cvcalc::Api;
}
