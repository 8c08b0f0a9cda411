// The framework's class registrations.
#include "framework/FrameworkClasses.h"

#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/OpenDialog.h"
#include "framework/Panel.h"
#include "shell/core/ClassRegistry.h"

namespace cvcalc {

void RegisterFrameworkClasses() {
    static const bool done = [] {
        RegisterClasses({&TForm::StaticClassInfo(), &TLabel::StaticClassInfo(), &TEdit::StaticClassInfo(),
                         &TButton::StaticClassInfo(), &TPanel::StaticClassInfo(), &TImage::StaticClassInfo(),
                         &TOpenDialog::StaticClassInfo(), &TCustomControl::StaticClassInfo(),
                         &TWinControl::StaticClassInfo(), &TControl::StaticClassInfo(),
                         &TGraphicControl::StaticClassInfo(), &TFont::StaticClassInfo(), &TPen::StaticClassInfo(),
                         &TBrush::StaticClassInfo(), &TPicture::StaticClassInfo(), &TBitmap::StaticClassInfo()});
        return true;
    }();
    (void)done;
}

}  // namespace cvcalc
