// TWebBrowserControl: the wrapper of the platform's web-browser component,
// with the three operations the help window uses.
#pragma once

#include <memory>
#include <string_view>

#include "framework/OleControl.h"

namespace cvcalc {

class IWebBrowser2;

class TWebBrowserControl : public TOleControl {
public:
    CVCALC_CLASS_INFO()

    explicit TWebBrowserControl(TComponent* owner);

    // Each operation obtains the component's browser interface for the call
    // and releases it afterwards; what the component answers is ignored, so
    // a refused step (no history) has no visible effect.  `url` is narrow
    // text, widened for the component; the optional arguments of a
    // navigation (flags, target frame, post data, headers) are left out.
    void Navigate(std::string_view url);
    void GoBack();
    void GoForward();

    // The interface itself, for the rare caller that needs more (tests).
    std::shared_ptr<IWebBrowser2> DefaultInterface() const;
};

}  // namespace cvcalc
