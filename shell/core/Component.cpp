// Ownership, names and reader hooks of components.
#include "shell/core/Component.h"

#include <algorithm>

#include "platform/core/AsciiCase.h"
#include "platform/core/MessageTable.h"
#include "shell/core/NameSpace.h"
#include "shell/core/Reader.h"
#include "shell/core/StreamErrors.h"

namespace cvcalc {

namespace {
thread_local TComponentState constructionState;
}

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TComponent>("TComponent", TPersistent::StaticClassInfo())
                                       .String("Name", &TComponent::Name, &TComponent::SetName);
    return info;
}

void TComponent::SetConstructionState(TComponentState state) noexcept { constructionState = state; }

TComponent::TComponent(TComponent* owner) : state_(constructionState) {
    constructionState = {};
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    state_.Include(csDestroying);
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
    UnregisterGlobalComponent(this);
    RemoveGlobalFixupsFor(this);
}

TComponent* TComponent::FindComponent(std::string_view name) const noexcept {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameTextAscii(c->name_, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (component->owner_) component->owner_->RemoveComponent(component);
    ValidateRename(component, {}, component->name_);
    components_.push_back(component);
    component->owner_ = this;
    component->SetReference(true);
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end()) return;
    Notification(component, TOperation::opRemove);
    component->SetReference(false);
    components_.erase(it);
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        RemoveComponent(last);
        delete last;
    }
}

void TComponent::SetSubComponent(bool isSubComponent) noexcept {
    if (isSubComponent)
        style_.Include(csSubComponent);
    else
        style_.Exclude(csSubComponent);
}

void TComponent::SetDesignPosition(std::int32_t left, std::int32_t top) noexcept {
    designLeft_ = left;
    designTop_ = top;
}

bool TComponent::IsValidIdent(std::string_view name) noexcept {
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (name.empty() || !letter(name[0])) return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

void TComponent::AssignName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name)) RaiseMessage<EComponentError>(msg::InvalidName, {name});
    if (owner_)
        owner_->ValidateRename(this, name_, name);
    else
        ValidateRename(nullptr, name_, name);
    SetReference(false);
    name_ = name;
    SetReference(true);
}

void TComponent::ValidateRename(TComponent* component, const std::string& oldName, const std::string& newName) {
    if (!component || SameTextAscii(oldName, newName) || component->owner_ != this) return;
    if (TComponent* other = FindComponent(newName); other && other != component)
        RaiseMessage<EComponentError>(msg::DuplicateName, {newName});
}

void TComponent::SetReference(bool enable) {
    if (!owner_ || name_.empty()) return;
    // While the owner is being destroyed its own part of the object is gone;
    // its fields must not be touched.
    if (owner_->state_.Contains(csDestroying)) return;
    const TFieldInfo* field = owner_->ClassInfo().FindField(name_);
    if (!field) return;
    if (enable)
        field->set(*owner_, this);
    else if (field->get(*owner_) == this)
        field->set(*owner_, nullptr);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::AfterLoad() { state_.Exclude(csLoading); }

void TComponent::ReadOwnState(TReader& reader) { reader.ReadBody(this); }

void TComponent::DefineExtraProperties(TFiler& filer) {
    TPersistent::DefineExtraProperties(filer);
    filer.DefineNamedProperty(
        "Left", [this](TReader& r) { designLeft_ = r.ReadInteger(); }, nullptr, designLeft_ != 0);
    filer.DefineNamedProperty(
        "Top", [this](TReader& r) { designTop_ = r.ReadInteger(); }, nullptr, designTop_ != 0);
}

TComponent* TComponent::ChildParent() { return this; }
TComponent* TComponent::ChildOwner() { return nullptr; }
void TComponent::SetChildPosition(TComponent*, int) {}
void TComponent::AttachToParent(TComponent*) {}
TComponent* TComponent::ParentComponentOf() { return nullptr; }

}  // namespace cvcalc
