// TComponent: a persistent object with an owner, a name and the components
// it owns.  Forms own every component their description creates; the name
// binds a component to its owner's published field of that name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/core/Persistent.h"

namespace cvcalc {

class TReader;

enum TComponentStateItem {
    csLoading,  // from creation by the reader until AfterLoad
    csReading,  // while the component's own body is read
    csWriting,
    csDestroying,  // the destructor has begun
    csDesigning,   // never set in this program
    csInline,
    csUpdating,
};
using TComponentState = TEnumSet<TComponentStateItem>;

enum TComponentStyleItem {
    csInheritable,
    // Owned by another component and read through a read-only property of
    // that owner (a chart's axis panel, a series' pointer): loaded and
    // marked together with the owner.
    csSubComponent,
};
using TComponentStyle = TEnumSet<TComponentStyleItem>;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    // The new component is owned by `owner` (when there is one), which
    // destroys it.  A component without an owner belongs to its creator.
    explicit TComponent(TComponent* owner);
    // Destroys the owned components, newest first, then leaves the owner;
    // the owner's published field that pointed here is cleared.
    ~TComponent() override;

    TComponent* Owner() const noexcept { return owner_; }
    int ComponentCount() const noexcept { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }
    // The owned component of that name, ignoring ASCII case; nullptr for "".
    TComponent* FindComponent(std::string_view name) const noexcept;

    // Ownership transfer.  InsertComponent takes a component without owner.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Destroys the owned components now, newest first.  Derived destructors
    // call it when their components must go before their own members.
    void DestroyComponents();

    const std::string& Name() const noexcept { return name_; }
    // Renames through AssignName.
    void SetName(const std::string& name) { AssignName(name); }
    // The name binding: a non-empty name must be an identifier (else
    // EComponentError "コンポーネント名に ''%s'' は使えません"); the owner must not
    // own another component of that name (else EComponentError
    // "コンポーネント名 %s はすでに使われています"); the owner's published field of
    // the old name is cleared and the one of the new name, if any, set to
    // this component.
    virtual void AssignName(const std::string& name);

    TComponentState ComponentState() const noexcept { return state_; }
    void IncludeState(TComponentStateItem item) noexcept { state_.Include(item); }
    void ExcludeState(TComponentStateItem item) noexcept { state_.Exclude(item); }
    TComponentStyle ComponentStyle() const noexcept { return style_; }
    void SetSubComponent(bool isSubComponent) noexcept;

    // The stream's "Left" and "Top" of a component without a published
    // position: its design-time place, kept and not otherwise used.
    std::int32_t DesignLeft() const noexcept { return designLeft_; }
    std::int32_t DesignTop() const noexcept { return designTop_; }
    void SetDesignPosition(std::int32_t left, std::int32_t top) noexcept;

    // Hooks of the reader.  AfterLoad runs once the whole description has
    // been read and clears the loading state; descendants finish their
    // set-up there (and call this one).
    virtual void AfterLoad();
    // Reads the component's body: ReadBody(this) unless a descendant needs
    // more around it (forms suspend their alignment).
    virtual void ReadOwnState(TReader& reader);
    // Defines "Left" and "Top".
    void DefineExtraProperties(TFiler& filer) override;
    // The parent of the components nested in this one's record: itself.
    virtual TComponent* ChildParent();
    // The owner of the components nested in this one's record; nullptr
    // lets the reader use the root.
    virtual TComponent* ChildOwner();
    virtual void SetChildPosition(TComponent* child, int position);
    // Called before the name is assigned with the component of the
    // enclosing record (a control takes a windowed parent, a series its
    // chart).
    virtual void AttachToParent(TComponent* parent);
    // Where an inherited component's children go; nullptr by default.
    virtual TComponent* ParentComponentOf();

    static bool IsValidIdent(std::string_view name) noexcept;

    // The states the next constructed component on this thread starts with
    // (the reader sets loading and inline there before virtual construction);
    // the constructor takes and resets them.
    static void SetConstructionState(TComponentState state) noexcept;

protected:
    // Told when a component is inserted into or removed from this owner.
    virtual void Notification(TComponent* component, TOperation operation);
    // Refuses `newName` for `component` when this owner already has a
    // component of that name (EComponentError 65454).
    virtual void ValidateRename(TComponent* component, const std::string& oldName, const std::string& newName);

private:
    // Points the owner's published field `name_` at `component` (or clears it).
    void SetReference(bool enable);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::string name_;
    TComponentState state_;
    TComponentStyle style_;
    std::int32_t designLeft_ = 0;
    std::int32_t designTop_ = 0;
};

}  // namespace cvcalc
