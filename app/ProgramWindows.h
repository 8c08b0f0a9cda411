// The program's two windows as the entry point and the scripted driver
// create them: the calculator first (it becomes the main window), then the
// hidden help window.
#pragma once

namespace cvcalc {

class TApplication;

// Registers every class the two window descriptions name: the framework's
// controls, the chart classes, the help window's and the calculator's.
void RegisterProgramClasses();

// RegisterProgramClasses, then FormPNJunction, then FormHTML.
void CreateProgramWindows(TApplication& application);

}  // namespace cvcalc
