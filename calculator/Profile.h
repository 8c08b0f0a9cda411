// TFormProfile: the doping-profile window, a third window built from its
// own description.  It shows what the calculator window computes; the
// profile itself is the calculator's (ProfileResults.cpp).
#pragma once

#include <functional>
#include <string>

#include "framework/Form.h"

namespace cvcalc {

class TButton;
class TChart;
class TEdit;
class TLabel;
class TLineSeries;
class TPointSeries;

class TFormProfile : public TForm {
public:
    CVCALC_CLASS_INFO()

    // Built from its description, hidden, its series empty.
    explicit TFormProfile(TComponent* owner);
    ~TFormProfile() override;

    // What the recalculate button asks for: the profile again with the
    // half-width typed into the edit (the handler reads and checks it).
    std::function<void(const std::string& typedHalfWidth)> OnRecalculate;

    // Handlers bound by name from the description.
    void ButtonRecalculateClick(TObject* sender);

    // Filled by the reader.
    TLabel* LabelHalfWidth = nullptr;
    TEdit* EditHalfWidth = nullptr;
    TButton* ButtonRecalculate = nullptr;
    TLabel* LabelSource = nullptr;
    TChart* ChartProfile = nullptr;
    TPointSeries* ProfileResolved = nullptr;
    TPointSeries* ProfileUnresolved = nullptr;
    TLineSeries* ReferenceDensity = nullptr;
    TLineSeries* ReferenceNeff = nullptr;
};

// The one profile window: made by the calculator window the first time a
// profile is asked for, owned by it, null before and after.
extern TFormProfile* FormProfile;

}  // namespace cvcalc
