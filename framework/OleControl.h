// TOleControl: a windowed control that hosts an in-place component of the
// platform's component model, created by class identifier with the control
// and activated inside the control's window once that exists.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/WinControl.h"
#include "platform/core/Exception.h"

namespace cvcalc {

class TInPlaceComponent;

// Activation of a hosted component failed: no activation, or no window.
class EOleError : public Exception {
public:
    using Exception::Exception;
};

class TOleControl : public TWinControl {
public:
    CVCALC_CLASS_INFO()

    // Creates the component of `classId`; whatever the component model
    // raises when it cannot (an EOleSysError) leaves the constructor.
    TOleControl(TComponent* owner, std::string_view classId);
    ~TOleControl() override;

    const std::string& ClassId() const { return classId_; }
    // The saved state read from the description ("ControlData"), handed to
    // the component as it was read.
    const std::vector<unsigned char>& ControlData() const { return controlData_; }
    void SetControlData(std::vector<unsigned char> data);

    TInPlaceComponent& Component() const { return *component_; }
    // Whether the component is active in the control's window.
    bool Active() const { return active_; }

    void DefineExtraProperties(TFiler& filer) override;

protected:
    // Activates the component in the new window: EOleError "OLE コントロールの
    // アクティブ化に失敗しました" when it refuses, "OLE コントロールのウィンドウ
    // ハンドルの取得に失敗しました" when it then shows no window.
    void HandleCreated() override;

private:
    std::string classId_;
    std::unique_ptr<TInPlaceComponent> component_;
    std::vector<unsigned char> controlData_;
    bool active_ = false;
};

}  // namespace cvcalc
