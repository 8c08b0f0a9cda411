// TOleControl: creation, saved state and in-place activation of a hosted
// component.
#include "framework/OleControl.h"

#include "platform/core/MessageTable.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/NativeWindow.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/Filer.h"
#include "shell/core/Stream.h"

namespace cvcalc {

const TClassInfo& TOleControl::StaticClassInfo() {
    // Abstract: only the wrappers of concrete components are made by name.
    static const TClassInfo info = TClassBuilder<TOleControl>("TOleControl", TWinControl::StaticClassInfo());
    return info;
}

TOleControl::TOleControl(TComponent* owner, std::string_view classId)
    : TWinControl(owner), classId_(classId), component_(CreateComponent(classId)) {
    SetTabStop(true);
}

TOleControl::~TOleControl() {
    if (component_ && active_) component_->Deactivate();
}

void TOleControl::SetControlData(std::vector<unsigned char> data) {
    controlData_ = std::move(data);
    component_->LoadState(controlData_);
}

void TOleControl::DefineExtraProperties(TFiler& filer) {
    TWinControl::DefineExtraProperties(filer);
    filer.DefineBinaryNamedProperty(
        "ControlData",
        [this](TStream& stream) {
            const std::int64_t size = stream.Size() - stream.Position();
            std::vector<unsigned char> data(size > 0 ? static_cast<std::size_t>(size) : 0);
            if (!data.empty()) stream.ReadBuffer(data.data(), data.size());
            SetControlData(std::move(data));
        },
        nullptr, !controlData_.empty());
}

void TOleControl::HandleCreated() {
    TWinControl::HandleCreated();
    active_ = component_->ActivateInPlace(native_.get());
    if (!active_) throw EOleError(LoadMessage(msg::OleActivationFailed));
    if (component_->InPlaceWindow() == nullptr) throw EOleError(LoadMessage(msg::OleNoWindowHandle));
}

}  // namespace cvcalc
