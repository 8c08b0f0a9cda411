// Window creation shared by the entry point and the scripted driver.
#include "calculator/ProgramWindows.h"

#include "calculator/Pnjunction.h"
#include "chart/CustomSeries.h"
#include "framework/FrameworkClasses.h"
#include "help/Html.h"
#include "shell/app/Application.h"
#include "shell/core/ClassRegistry.h"
#if __has_include("chart/ChartClasses.h")
#include "chart/ChartClasses.h"
#define CVCALC_HAVE_CHART_CLASSES 1
#endif

namespace cvcalc {

void RegisterProgramClasses() {
    static const bool registered = [] {
        RegisterFrameworkClasses();
#ifdef CVCALC_HAVE_CHART_CLASSES
        RegisterChartClasses();
#endif
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
