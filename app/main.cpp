// The calculator's entry point: the component model for the embedded
// browser, the calculator window (the main window), the hidden help window,
// then the message loop until the calculator window closes.  Every failure
// on the way shows one error box; the exit code is always 0.
#include "app/ProgramWindows.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/GuiPlatform.h"
#include "shell/app/Application.h"

int main() {
    using namespace cvcalc;
    InitPlatform();
    TApplication application;
    application.SetStartHook([] { return ComponentModelInitialize(); }, [] { ComponentModelShutdown(); });
    const int code = RunGuarded(application, [&] {
        application.RunStartHook();
        CreateProgramWindows(application);
        application.RunMessageLoop();
    });
    application.Finish();
    return code;
}
