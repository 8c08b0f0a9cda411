// TWebBrowserControl: the browser component behind the help window.
#include "help/WebBrowserControl.h"

#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/WebBrowser.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/TextConvert.h"

namespace cvcalc {

const TClassInfo& TWebBrowserControl::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TWebBrowserControl>("TWebBrowserControl", TOleControl::StaticClassInfo());
    return info;
}

TWebBrowserControl::TWebBrowserControl(TComponent* owner) : TOleControl(owner, CLSID_WebBrowser) {}

std::shared_ptr<IWebBrowser2> TWebBrowserControl::DefaultInterface() const { return Component().QueryWebBrowser2(); }

void TWebBrowserControl::Navigate(std::string_view url) {
    if (auto browser = DefaultInterface()) browser->Navigate(Utf8ToUtf16(url));
}

void TWebBrowserControl::GoBack() {
    if (auto browser = DefaultInterface()) browser->GoBack();
}

void TWebBrowserControl::GoForward() {
    if (auto browser = DefaultInterface()) browser->GoForward();
}

}  // namespace cvcalc
