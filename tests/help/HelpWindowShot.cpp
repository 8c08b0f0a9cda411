// Shows the help window with the home page on whatever display Qt is given
// and keeps it up until the page has loaded and `seconds` have passed, so
// that a screenshot can be taken (scripts drive it under Xvfb).
#include <cstdio>
#include <cstdlib>

#include "help/Html.h"
#include "help/WebBrowserControl.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/WebBrowser.h"

int main(int argc, char** argv) {
    using namespace cvcalc;
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    if (!ComponentModelInitialize()) return 1;
    int status = 0;
    {
        TFormHTML form(nullptr);
        form.ShowHomePage();
        auto browser = form.WebBrowserHelp->DefaultInterface();
        if (!ProcessEventsUntil([&] { return browser->CompletedLoads() > 0 && !browser->Busy(); }, 20000)) status = 2;
        std::printf("%s\n", browser->LocationName().c_str());
        std::fflush(stdout);
        ProcessEventsUntil([] { return false; }, seconds * 1000);
    }
    ComponentModelShutdown();
    return status;
}
