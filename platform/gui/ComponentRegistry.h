// The platform's component model: the apartment of the one thread, the table
// of component classes by class identifier, and creation of in-place
// components that a control container hosts in one of its windows.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/core/Exception.h"

namespace cvcalc {

class TNativeWindow;
class IWebBrowser2;

// The class identifier of the platform's web-browser component.
inline constexpr std::string_view CLSID_WebBrowser = "8856F961-340A-11D0-A96B-00C04FD705A2";

// Raised by the component model itself: no apartment, an unknown class, a
// class whose factory failed.
class EOleSysError : public Exception {
public:
    using Exception::Exception;
};

// Texts of the component model's own failures.
inline constexpr std::string_view ComponentModelNotInitializedText = "CoInitialize は呼び出されていません";
inline constexpr std::string_view ClassNotRegisteredText = "クラスが登録されていません";

// Sets up the component model for the calling thread (a single-threaded
// apartment) and registers the platform's own component classes.  True when
// it succeeded; calls nest, and each successful one wants its own shutdown.
bool ComponentModelInitialize();
// Undoes one successful ComponentModelInitialize; the last one closes the
// apartment.  Components still alive keep working until destroyed.
void ComponentModelShutdown();
bool ComponentModelActive();

// An in-place component: created by class identifier, handed its stored
// state, activated inside a host window, asked for its interfaces.
class TInPlaceComponent {
public:
    virtual ~TInPlaceComponent() = default;

    // The state the container stored for it, handed over unread.
    virtual void LoadState(std::span<const unsigned char> state) = 0;
    // Shows the component inside `host`, filling its client area and
    // following its size.  False when the component cannot be activated.
    virtual bool ActivateInPlace(TNativeWindow* host) = 0;
    virtual void Deactivate() = 0;
    // The window the component draws in once active, else null.
    virtual TNativeWindow* InPlaceWindow() const = 0;

    // The browser interface, obtained for one call and released when the
    // pointer goes; null when the component offers none.
    virtual std::shared_ptr<IWebBrowser2> QueryWebBrowser2() { return nullptr; }
};

using ComponentFactory = std::function<std::unique_ptr<TInPlaceComponent>()>;

// Adds or replaces a class; identifiers compare without regard to case and
// with or without their braces.
void RegisterComponentClass(std::string_view classId, ComponentFactory factory);
void UnregisterComponentClass(std::string_view classId);
bool IsComponentClassRegistered(std::string_view classId);

// A new instance of the class.  Raises EOleSysError when the component model
// is not set up, the class is unknown or its factory gives nothing; whatever
// the factory itself raises passes through.
std::unique_ptr<TInPlaceComponent> CreateComponent(std::string_view classId);

}  // namespace cvcalc
