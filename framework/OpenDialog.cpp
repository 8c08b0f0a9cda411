// Class information of TOpenDialog.
#include "framework/OpenDialog.h"

#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TClassInfo& TOpenDialog::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TOpenDialog>("TOpenDialog", TComponent::StaticClassInfo())
            .String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
            .String("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
            .String("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
            .Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1)
            .String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
            .String("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    return info;
}

}  // namespace cvcalc
