// Window creation shared by the entry point and the scripted driver.
#include "app/ProgramWindows.h"

#include "calculator/Pnjunction.h"
#include "chart/ChartClasses.h"
#include "framework/FrameworkClasses.h"
#include "help/Html.h"
#include "shell/app/Application.h"
#include "shell/core/ClassRegistry.h"

namespace cvcalc {

void RegisterProgramClasses() {
    static const bool registered = [] {
        RegisterFrameworkClasses();
        RegisterChartClasses();
        RegisterClasses({&TFormPNJunction::StaticClassInfo()});
        return true;
    }();
    (void)registered;
}

void CreateProgramWindows(TApplication& application) {
    RegisterProgramClasses();
    application.CreateAppWindow(FormPNJunction);
    application.CreateAppWindow(FormHTML);
}

}  // namespace cvcalc
