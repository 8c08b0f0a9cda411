// The platform's web-browser component, built on Qt WebEngine: a page shown
// in the host window's rectangle, navigation and history, and the bundled
// pages served from the program's resources under a scheme of our own.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui/GuiTypes.h"

namespace cvcalc {

class TInPlaceComponent;
struct EngineModuleApi;

// The browser interface of the component.  Every operation answers whether
// the component did it; refusals (no history, no host, a closed component)
// change nothing.  Calls do not wait for a page to load.  The engine starts
// with the first navigation; when it cannot (its module, its helper process
// or its resources missing), Navigate raises EOleSysError with a
// WebEngineFailureText, then and at every later navigation.
class IWebBrowser2 {
public:
    virtual ~IWebBrowser2() = default;

    virtual bool Navigate(std::u16string_view url) = 0;
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;

    // What the component shows: the address and title of the current page
    // (empty before the first navigation), whether a load is under way,
    // how many loads have ended (successfully or not) and the history.
    virtual std::string LocationURL() const = 0;
    virtual std::string LocationName() const = 0;
    virtual bool Busy() const = 0;
    virtual int CompletedLoads() const = 0;
    virtual bool CanGoBack() const = 0;
    virtual bool CanGoForward() const = 0;
    // Whether the engine's view exists yet (it is made at the first
    // navigation) and its rectangle in the host's client area.
    virtual bool ViewCreated() const = 0;
    virtual PixelRect ViewBounds() const = 0;
    // How far the page is scrolled (0, 0 without a page); the engine
    // reports it a little after the page moved.
    virtual PixelPoint ScrollPosition() const = 0;
};

// A new, inactive browser component.  Registered by the component model
// under CLSID_WebBrowser.  Once active with a page, it takes the keyboard
// focus given to its host window and passes it on as a windowed control
// does: the host reports SetFocus while the focus is anywhere in the page,
// and Tab past the page's last element (Shift+Tab past its first) moves on
// to the neighbouring control.
std::unique_ptr<TInPlaceComponent> CreateWebBrowserComponent();

// The bundled pages: "cvcalc-lab://<host>/<name>" serves the resource of type
// RT_HTML named <name> (index.html when the path is empty); anything else
// under the scheme fails as not found.  Nothing is read from disk.
inline constexpr std::string_view BundledPageScheme = "cvcalc-lab";
// The content type the scheme serves a resource name with.
std::string_view BundledPageContentType(std::string_view name);

// A page the program makes itself: "cvcalc-lab://<host>/<name>" serves what
// `generate` answers, generated anew at every request, before any bundled
// resource of that name (names compared without regard to ASCII case).  An
// empty function removes the page.  What `generate` throws fails the request
// as not found and goes to the dispatch error hook from the message loop.
using GeneratedPage = std::function<std::string()>;
void SetGeneratedPage(std::string name, GeneratedPage generate);

// Page actions: a navigation to "cvcalc-lab://<host>/action/<name>" (a link
// on a page, or Navigate) does not navigate; the handler is called with
// <name> from the message loop, after the engine's callback has returned.
// What it throws goes to the dispatch error hook.  Without a handler the
// navigation is refused and nothing else happens.
inline constexpr std::string_view PageActionPath = "/action/";
using PageActionHandler = std::function<void(std::string_view name)>;
void SetPageActionHandler(PageActionHandler handler);

// The help window shows the program's pages only.  An address of the
// outside web (http, https) or a mail address, asked for by Navigate or by
// a page, goes to the desktop's browser instead, and the call answers
// false: nothing was loaded.  Every other address is refused.
void OpenInDesktopBrowser(std::string_view url);
// With an observer set, addresses for the desktop's browser go to it in
// place of the browser (for tests and the scripted driver, which must not
// start programs of the desktop).  An empty function opens them again.
using DesktopBrowserObserver = std::function<void(std::string_view url)>;
void SetDesktopBrowserObserver(DesktopBrowserObserver observer);

// The extent stored in an embedded control's saved state (second and third
// 32-bit little-endian words, hundredths of a millimetre) in pixels at
// `pixelsPerInch`; 0 x 0 when the state is shorter than twelve bytes or the
// words are not positive.
PixelSize ExtentFromControlData(std::span<const unsigned char> state, int pixelsPerInch);

// The text of the error raised when the engine cannot start: the reason
// says what is missing.
std::string WebEngineFailureText(std::string_view reason);

// Loads the first of `candidates` that is a web-engine module of this
// program (without starting its engine); raises EOleSysError
// WebEngineFailureText("libcvcalc-webengine.so を読み込めません") when none
// is, after one line on standard error with the details.
const EngineModuleApi* LoadWebEngineModule(const std::vector<std::string>& candidates);

// Processes Qt's events until `done` answers true or `timeoutMs` have passed;
// answers `done()` at the end.  For tests and the scripted driver, which wait
// for a page; the program itself never waits.
bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace cvcalc
