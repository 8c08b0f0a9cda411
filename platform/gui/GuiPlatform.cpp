// The one QApplication and what has to be in place before it exists.
#include "platform/gui/GuiPlatform.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QtCore/QByteArray>
#include <QtCore/QEvent>
#include <QtCore/QLoggingCategory>
#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/core/VectorState.h"
#include "platform/gui/WebBrowser.h"
#include "platform/gui/WindowWidget.h"

// GCC says so with __SANITIZE_ADDRESS__, clang (the fuzzing build) with
// __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define CVCALC_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CVCALC_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(CVCALC_ADDRESS_SANITIZER)
// fontconfig keeps a few blocks of its configuration for the life of the
// process and frees them never; every program that draws text would
// otherwise fail its leak check on them.  The C library keeps the folder
// list it splits out of LOCPATH (set by the tests that use a locale of their
// own) in the same way.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:__argz_add_sep\n";
}
#endif

namespace cvcalc {

namespace {
QApplication* TheApplication = nullptr;
DispatchErrorHook TheErrorHook;
LocaleChangeCallback TheLocaleChangeCallback;

// Watches the application object for the locale-change event.  Qt also sends
// that event to every widget; only the application's copy counts, so that one
// change calls back once.
class LocaleChangeWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::LocaleChange && watched == TheApplication && TheLocaleChangeCallback) {
            try {
                TheLocaleChangeCallback();
            } catch (...) {
                ReportDispatchError(std::current_exception());
            }
        }
        return false;
    }
};

void SetEnvUnlessSet(const char* name, const char* value) {
    if (std::getenv(name) == nullptr) setenv(name, value, 0);
}

bool OffscreenRequested() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform != nullptr && std::strncmp(platform, "offscreen", 9) == 0;
}

// The web engine's sandbox cannot start as root or without a display
// server, and the offscreen platform has no GPU to offer.
void PrepareWebEngineEnvironment() {
    const bool offscreen = OffscreenRequested();
    if (geteuid() == 0 || offscreen) {
        SetEnvUnlessSet("QTWEBENGINE_CHROMIUM_FLAGS", offscreen ? "--no-sandbox --disable-gpu" : "--no-sandbox");
        SetEnvUnlessSet("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
}
// Qt's chatter about a set-up that is as intended stays off the terminal:
// debug and information messages (among them the web engine's account of
// its graphics and of its sandbox, switched off on purpose), the word of
// the X11 platform and of the web engine that they have no OpenGL (switched
// off on purpose, below), and the runtime directory that a session without
// a login lacks.  Every other warning, error and fatal message still goes
// to standard error, and rules the user sets in QT_LOGGING_RULES or
// QT_LOGGING_CONF override these.
constexpr const char* QuietLoggingRules = "*.debug=false\n*.info=false";
constexpr const char* ExpectedWarnings[] = {
    "QXcbIntegration: Cannot create platform OpenGL context",
    "No suitable graphics backend found",
    "QStandardPaths: XDG_RUNTIME_DIR not set",
};
QtMessageHandler PreviousMessageHandler = nullptr;

bool ExpectedWarning(QtMsgType type, const QString& message) {
    if (type != QtWarningMsg) return false;
    for (const char* start : ExpectedWarnings)
        if (message.startsWith(QLatin1String(start))) return true;
    return false;
}

void QuietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (ExpectedWarning(type, message)) return;
    if (PreviousMessageHandler != nullptr) PreviousMessageHandler(type, context, message);
}

// The first platform Qt will try: the variable's first entry before any
// ":options", or the default of this build.
std::string RequestedPlatform() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::string name = platform != nullptr && *platform != '\0' ? platform : "xcb";
    name = name.substr(0, name.find(';'));
    return name.substr(0, name.find(':'));
}

// A connection to the X server, made through the X library that Qt's own X11
// platform uses, and held open while Qt makes its own.  An X server with no
// client left resets itself, and a client that knocks during the reset is
// turned away; holding this one open keeps the server from resetting between
// the question and Qt's connection.  When the library is not there to ask,
// the server counts as accepting.
class XServerProbe {
public:
    XServerProbe() {
        library_ = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
        if (library_ == nullptr) return;
        connect_ = reinterpret_cast<Connect>(dlsym(library_, "xcb_connect"));
        hasError_ = reinterpret_cast<HasError>(dlsym(library_, "xcb_connection_has_error"));
        disconnect_ = reinterpret_cast<Disconnect>(dlsym(library_, "xcb_disconnect"));
    }
    XServerProbe(const XServerProbe&) = delete;
    XServerProbe& operator=(const XServerProbe&) = delete;
    ~XServerProbe() {
        Release();
        if (library_ != nullptr) dlclose(library_);
    }

    // Whether the server takes a connection; a server in the middle of a
    // reset is asked again a few times before it counts as refusing.
    bool Accepts() {
        if (connect_ == nullptr || hasError_ == nullptr || disconnect_ == nullptr) return true;
        constexpr int Attempts = 5;
        for (int attempt = 0; attempt < Attempts; ++attempt) {
            if (attempt > 0) usleep(100 * 1000);
            // A failed connection is an object too, and is released the same way.
            connection_ = connect_(nullptr, nullptr);
            if (connection_ != nullptr && hasError_(connection_) == 0) return true;
            Release();
        }
        return false;
    }

    void Release() {
        if (connection_ != nullptr) disconnect_(connection_);
        connection_ = nullptr;
    }

private:
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    void* library_ = nullptr;
    Connect connect_ = nullptr;
    HasError hasError_ = nullptr;
    Disconnect disconnect_ = nullptr;
    void* connection_ = nullptr;
};

std::string UnavailableReason(XServerProbe& probe) {
    if (RequestedPlatform() != "xcb") return {};
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return "DISPLAY is not set";
    if (!probe.Accepts()) return std::string("the X display ") + display + " cannot be opened";
    return {};
}
}  // namespace

std::string DisplayUnavailableReason() {
    XServerProbe probe;
    return UnavailableReason(probe);
}

void InitPlatform() {
    if (TheApplication != nullptr) return;
    XServerProbe probe;
    if (const std::string reason = UnavailableReason(probe); !reason.empty()) {
        std::fprintf(stderr, "cvcalc: no display is available (%s)\n", reason.c_str());
        std::exit(1);
    }
    PrepareWebEngineEnvironment();
    // Our windows paint with the raster engine; probing the X server's OpenGL
    // would map Mesa and LLVM (about 60 MB) for nothing.
    // The web engine then draws its pages through Qt Quick's software path.
    SetEnvUnlessSet("QT_XCB_GL_INTEGRATION", "none");
    SetEnvUnlessSet("QT_QUICK_BACKEND", "software");
    // Form sizes are design pixels; Qt must not scale them behind our back.
    SetEnvUnlessSet("QT_ENABLE_HIGHDPI_SCALING", "0");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QLoggingCategory::setFilterRules(QLatin1String(QuietLoggingRules));
    PreviousMessageHandler = qInstallMessageHandler(QuietMessageHandler);
    // QApplication keeps references to argc and argv for its whole life.
    static int argc = 1;
    static char name[] = "cvcalc";
    static char* argv[] = {name, nullptr};
    TheApplication = new QApplication(argc, argv);
    probe.Release();
    std::setlocale(LC_NUMERIC, "C");
    TheApplication->installEventFilter(new LocaleChangeWatcher);
    InstallWindowAccessibility();
    // The program decides itself when it ends (its quit message).
    QGuiApplication::setQuitOnLastWindowClosed(false);
    ClearUpperVectorState();
}

bool PlatformInitialized() { return TheApplication != nullptr; }

void EndProcessQuicklyAtExit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    // Exit handlers run newest first: this one comes before every static
    // destructor registered up to now, and before the libraries unload.
    on_exit(
        [](int status, void*) {
            std::fflush(nullptr);
            _exit(status);
        },
        nullptr);
}

bool IsOffscreenPlatform() {
    if (TheApplication == nullptr) return OffscreenRequested();
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

int ScreenPixelsPerInch() {
    InitPlatform();
    if (IsOffscreenPlatform()) return 96;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 96;
    const double dpi = screen->logicalDotsPerInch();
    if (!(dpi >= 24.0 && dpi <= 1200.0)) return 96;
    return static_cast<int>(std::lround(dpi));
}

void SetLocaleChangeCallback(LocaleChangeCallback callback) { TheLocaleChangeCallback = std::move(callback); }

void PostLocaleChange() {
    InitPlatform();
    QCoreApplication::postEvent(TheApplication, new QEvent(QEvent::LocaleChange));
}

void SetDispatchErrorHook(DispatchErrorHook hook) { TheErrorHook = std::move(hook); }

void ReportDispatchError(std::exception_ptr error) noexcept {
    try {
        if (TheErrorHook) {
            TheErrorHook(error);
            return;
        }
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cvcalc: error in a message handler: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "cvcalc: unknown error in a message handler\n");
    }
}

}  // namespace cvcalc
