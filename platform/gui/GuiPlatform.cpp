// The one QApplication and what has to be in place before it exists.
#include "platform/gui/GuiPlatform.h"

#include <unistd.h>

#include <QtCore/QByteArray>
#include <QtCore/QEvent>
#include <QtCore/QObject>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/gui/WebBrowser.h"

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps a few blocks of its configuration for the life of the
// process and frees them never; every program that draws text would
// otherwise fail its leak check on them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
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
}  // namespace

void InitPlatform() {
    if (TheApplication != nullptr) return;
    PrepareWebEngineEnvironment();
    // Our windows paint with the raster engine; probing the X server's OpenGL
    // would map Mesa and LLVM (about 60 MB) for nothing.
    // The web engine then draws its pages through Qt Quick's software path.
    SetEnvUnlessSet("QT_XCB_GL_INTEGRATION", "none");
    SetEnvUnlessSet("QT_QUICK_BACKEND", "software");
    // Form sizes are design pixels; Qt must not scale them behind our back.
    SetEnvUnlessSet("QT_ENABLE_HIGHDPI_SCALING", "0");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // QApplication keeps references to argc and argv for its whole life.
    static int argc = 1;
    static char name[] = "cvcalc";
    static char* argv[] = {name, nullptr};
    TheApplication = new QApplication(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    TheApplication->installEventFilter(new LocaleChangeWatcher);
    // The program decides itself when it ends (its quit message).
    QGuiApplication::setQuitOnLastWindowClosed(false);
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
