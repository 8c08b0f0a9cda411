// Internal to platform/gui: the seam between the program and the web-engine
// module.  Qt WebEngine is big (about 80 MB mapped and 90 ms of start-up under
// X), and only the help window needs it, so it lives in a shared module that
// the browser component loads at its first navigation.  The module sees Qt
// and this header only; what it needs of the program (the bundled pages)
// comes in through plain function pointers.
#pragma once

#include <QtCore/QString>
#include <QtCore/QUrl>
#include <QtWidgets/QWidget>
#include <cstddef>

namespace cvcalc {

// One page: its bytes and content type.  The bytes are lent for the call
// that answers them only (a generated page lives until the next request), so
// the module copies them at once.
struct EnginePage {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    const char* contentType = nullptr;
};

// What the program lends the module.  `findPage` answers false for a name
// that is neither generated nor bundled.  `pageAction` is told the <name>
// of a refused navigation to "<scheme>://<host>/action/<name>"; it returns
// at once, the program's handler runs later from its loop.
// `openExternal` is given an address the help window does not show itself
// (see NavigationTargetOf) for the desktop's browser.
struct EngineHostServices {
    const char* pageScheme = nullptr;
    bool (*findPage)(const char* name, EnginePage* page) = nullptr;
    void (*pageAction)(const char* name) = nullptr;
    void (*openExternal)(const char* url) = nullptr;
    // "%1 が見つかりません (%2)" in the interface language: a file the
    // engine needs, then where it was looked for.
    const char* missingFileText = nullptr;
};

// Where a navigation of the help window may go.  The window shows the
// program's own pages only; a page of the outside web or a mail address is
// the desktop's business, and everything else (local files, data: and
// javascript: addresses, any other scheme) is refused, so that no page can
// show the student's files or run what it was handed.
enum class NavigationTarget { ProgramPage, DesktopBrowser, Refused };

inline NavigationTarget NavigationTargetOf(const QUrl& url, const QString& pageScheme) {
    if (!url.isValid()) return NavigationTarget::Refused;
    const QString scheme = url.scheme();  // QUrl keeps schemes in lower case
    if (scheme == pageScheme) return NavigationTarget::ProgramPage;
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"))
        return NavigationTarget::DesktopBrowser;
    return NavigationTarget::Refused;
}

// Tells the browser component about loads; the module calls these on the
// user-interface thread.
class IEngineViewEvents {
public:
    virtual void LoadStarted() = 0;
    virtual void LoadFinished() = 0;

protected:
    ~IEngineViewEvents() = default;
};

// One engine view: a child widget of the host window.
class IEngineView {
public:
    virtual ~IEngineView() = default;
    virtual QWidget* Widget() = 0;
    virtual void Load(const QUrl& url) = 0;
    virtual bool Back() = 0;
    virtual bool Forward() = 0;
    virtual QUrl Url() const = 0;
    virtual QString Title() const = 0;
    virtual bool CanGoBack() const = 0;
    virtual bool CanGoForward() const = 0;
    // How far the page is scrolled, in CSS pixels.
    virtual QPoint ScrollPosition() const = 0;
};

// The module's table.  `Start` runs before the first view: it makes sure
// the engine can start at all (Qt WebEngine ends the process when its
// helper process or its resources are missing, so they are looked for
// first, where the engine will look) and makes the page scheme known to the
// engine.  It answers null when the engine can start, otherwise what is
// missing, as UTF-8 text that lives as long as the module; it may be called
// again after a failure and then looks again.
struct EngineModuleApi {
    int version = 0;
    const char* (*Start)(const EngineHostServices* services) = nullptr;
    IEngineView* (*CreateView)(QWidget* parent, IEngineViewEvents* events) = nullptr;
};

inline constexpr int EngineModuleVersion = 6;
// The one symbol the module exports: `extern "C" const EngineModuleApi* cvcalc_engine_module()`.
inline constexpr const char* EngineModuleEntry = "cvcalc_engine_module";
inline constexpr const char* EngineModuleFile = "libcvcalc-webengine.so";

// Loads the module on first use and starts it.  Raises EOleSysError
// (WebEngineFailureText) when it cannot be loaded or the engine cannot
// start; a module that is missing stays missing for the process, and one
// whose engine refused is asked again at the next call.
const EngineModuleApi* WebEngineModule();

}  // namespace cvcalc
