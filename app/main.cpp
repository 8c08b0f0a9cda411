// The calculator's entry point: the interface language, the component model
// for the embedded browser, the calculator window (the main window), the
// hidden help window, then the message loop until the calculator window
// closes.  Every failure on the way shows one error box; the exit code is
// always 0, except for a command line the program cannot read (2).
#include <cstdio>

#include "app/ProgramWindows.h"
#include "platform/gui/Catalogue.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/GuiPlatform.h"
#include "shell/app/Application.h"

int main(int argc, char** argv) {
    using namespace cvcalc;
    const LanguageOption option = ReadLanguageOption(argc, argv);
    if (!option.error.empty()) {
        std::fprintf(stderr, "cvcalc: %s\n", option.error.c_str());
        return 2;
    }
    InitPlatform();
    TApplication application;
    application.SetStartHook([] { return ComponentModelInitialize(); }, [] { ComponentModelShutdown(); });
    const int code = RunGuarded(application, [&] {
        // The saved choice of the charts' 言語 / Language menu applies at
        // every start the command line leaves open.
        UseInterfaceLanguage(StartLanguage(option.language, true));
        application.RunStartHook();
        CreateProgramWindows(application);
        application.RunMessageLoop();
    });
    application.Finish();
    return code;
}
