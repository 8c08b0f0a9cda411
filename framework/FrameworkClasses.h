// Registration of the framework's classes, so that form descriptions can
// name them even where no published field of the form does.
#pragma once

namespace cvcalc {

// Registers TForm, TLabel, TEdit, TButton, TPanel, TImage, TOpenDialog,
// TCustomControl and the graphics classes.  Calling it again does nothing.
void RegisterFrameworkClasses();

}  // namespace cvcalc
