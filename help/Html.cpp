// TFormHTML: showing the home page and the three buttons.  Closing the
// window only hides it (it is not the main window), so the browser keeps
// its page and history for the next ShowHomePage.
#include "help/Html.h"

#include "framework/Button.h"
#include "framework/FrameworkClasses.h"
#include "framework/OpenDialog.h"
#include "framework/Panel.h"
#include "help/LaboratorySite.h"
#include "help/WebBrowserControl.h"
#include "platform/gui/WebBrowser.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/ClassRegistry.h"

namespace cvcalc {

TFormHTML* FormHTML = nullptr;

const TClassInfo& TFormHTML::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TFormHTML>("TFormHTML", TForm::StaticClassInfo())
                                       .Field("Panel1", &TFormHTML::Panel1)
                                       .Field("ButtonKestrelLab", &TFormHTML::ButtonKestrelLab)
                                       .Field("ButtonBack", &TFormHTML::ButtonBack)
                                       .Field("ButtonForward", &TFormHTML::ButtonForward)
                                       .Field("WebBrowserHelp", &TFormHTML::WebBrowserHelp)
                                       .Field("OpenDialogHelp", &TFormHTML::OpenDialogHelp)
                                       .Method("ButtonKestrelLabClick", &TFormHTML::ButtonKestrelLabClick)
                                       .Method("ButtonBackClick", &TFormHTML::ButtonBackClick)
                                       .Method("ButtonForwardClick", &TFormHTML::ButtonForwardClick);
    return info;
}

TFormHTML::TFormHTML(TComponent* owner) : TForm(owner) {
    RegisterFrameworkClasses();
    static const bool registered = [] {
        RegisterClasses({&TWebBrowserControl::StaticClassInfo(), &TFormHTML::StaticClassInfo()});
        return true;
    }();
    (void)registered;
    ReadDescription();
}

void TFormHTML::ShowHomePage() {
    Show();
    WebBrowserHelp->Navigate(LaboratoryHomePage);
}

void TFormHTML::ShowRunReport() {
    Show();
    WebBrowserHelp->Navigate(LaboratoryReportPage);
}

void TFormHTML::RefreshRunReport() {
    if (!Visible()) return;
    const std::shared_ptr<IWebBrowser2> browser = WebBrowserHelp->DefaultInterface();
    if (browser == nullptr || browser->LocationURL() != LaboratoryReportPage) return;
    // The same address again replaces the page in place, not in history.
    WebBrowserHelp->Navigate(LaboratoryReportPage);
}

void TFormHTML::ButtonKestrelLabClick(TObject*) { WebBrowserHelp->Navigate(LaboratoryHomePage); }

void TFormHTML::ButtonBackClick(TObject*) { WebBrowserHelp->GoBack(); }

void TFormHTML::ButtonForwardClick(TObject*) { WebBrowserHelp->GoForward(); }

}  // namespace cvcalc
