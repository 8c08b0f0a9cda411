// Class information lookups, and the class information of TObject and
// TPersistent.
#include "shell/core/ClassInfo.h"

#include "platform/core/AsciiCase.h"
#include "shell/core/Component.h"
#include "shell/core/Persistent.h"

namespace cvcalc {

bool TPropInfo::HasSetter() const noexcept {
    switch (Kind()) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkChar:
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet:
    case TTypeKind::tkWChar:
    case TTypeKind::tkInt64:
        return static_cast<bool>(setOrdinal);
    case TTypeKind::tkFloat:
        return static_cast<bool>(setFloat);
    case TTypeKind::tkString:
        return static_cast<bool>(setString);
    case TTypeKind::tkWString:
        return static_cast<bool>(setWideString);
    case TTypeKind::tkClass:
    case TTypeKind::tkInterface:
        return static_cast<bool>(setObject);
    case TTypeKind::tkMethod:
        return static_cast<bool>(setMethod);
    case TTypeKind::tkVariant:
        return static_cast<bool>(setVariant);
    }
    return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const noexcept {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other) return true;
    return false;
}

bool TClassInfo::IsComponentClass() const noexcept { return InheritsFrom(TComponent::StaticClassInfo()); }

TComponent* TClassInfo::Construct(TComponent* owner) const { return factory_ ? factory_(owner) : nullptr; }

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const noexcept {
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TPropInfo& p : c->properties_)
            if (SameTextAscii(p.name, name)) return &p;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const noexcept {
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TFieldInfo& f : c->fields_)
            if (SameTextAscii(f.name, name)) return &f;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const noexcept {
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const auto& m : c->methods_)
            if (SameTextAscii(m->name, name)) return m.get();
    return nullptr;
}

TObject::~TObject() = default;

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TObject>("TObject");
    return info;
}

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", TObject::StaticClassInfo());
    return info;
}

void TPersistent::DefineExtraProperties(TFiler&) {}

}  // namespace cvcalc
