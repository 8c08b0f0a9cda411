// TFormProfile: reading its description and the recalculate button.
#include "calculator/Profile.h"

#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/ClassRegistry.h"

namespace cvcalc {

TFormProfile* FormProfile = nullptr;

const TClassInfo& TFormProfile::StaticClassInfo() {
    using F = TFormProfile;
    static const TClassInfo info = TClassBuilder<F>("TFormProfile", TForm::StaticClassInfo())
                                       .Field("LabelHalfWidth", &F::LabelHalfWidth)
                                       .Field("EditHalfWidth", &F::EditHalfWidth)
                                       .Field("ButtonRecalculate", &F::ButtonRecalculate)
                                       .Field("LabelSource", &F::LabelSource)
                                       .Field("ChartProfile", &F::ChartProfile)
                                       .Field("ProfileResolved", &F::ProfileResolved)
                                       .Field("ProfileUnresolved", &F::ProfileUnresolved)
                                       .Field("ReferenceDensity", &F::ReferenceDensity)
                                       .Field("ReferenceNeff", &F::ReferenceNeff)
                                       .Method("ButtonRecalculateClick", &F::ButtonRecalculateClick);
    return info;
}

TFormProfile::TFormProfile(TComponent* owner) : TForm(owner) {
    static const bool registered = [] {
        RegisterClasses({&TFormProfile::StaticClassInfo()});
        return true;
    }();
    (void)registered;
    ReadDescription();
}

TFormProfile::~TFormProfile() {
    if (FormProfile == this) FormProfile = nullptr;
}

void TFormProfile::ButtonRecalculateClick(TObject*) {
    if (OnRecalculate) OnRecalculate(EditHalfWidth->Text());
}

}  // namespace cvcalc
