// Class information: one TClassInfo per class that a form description can
// name, holding its name, its parent's information, the factory for virtual
// construction and the three published tables (properties, fields, methods).
//
// A class registers its tables once, next to the class, through
// TClassBuilder:
//
//     const TClassInfo& TLabel::StaticClassInfo() {
//         static const TClassInfo info = TClassBuilder<TLabel>("TLabel", TGraphicControl::StaticClassInfo())
//             .String("Caption", &TLabel::Caption, &TLabel::SetCaption)
//             .Ordinal("Color", TypeInfoTColor(), &TLabel::Color, &TLabel::SetColor, clBtnFace)
//             .Object("Font", &TLabel::Font, &TLabel::SetFont)
//             .Event("OnClick", &TLabel::OnClick, &TLabel::SetOnClick);
//         return info;
//     }
//
// Getters are callables taking `const C&` (member functions do), setters
// callables taking `C&` and the value; a setter of nullptr makes the
// property read-only.  The reader is the only code that sets properties by
// name; everything else calls the typed setters.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "shell/core/Event.h"
#include "shell/core/TypeInfo.h"
#include "shell/core/Variant.h"

namespace cvcalc {

class TObject;
class TComponent;
class TClassInfo;

// One published property.  Exactly the accessor pair of the type's kind is
// set: ordinal (integer, character, enumeration, set, wide character, 64-bit
// integer), float, string, wide string, object (object and interface kinds),
// method, variant.
struct TPropInfo {
    std::string name;
    const TTypeInfo* type = nullptr;
    // For object and interface kinds: the class of the value; the getter's
    // result is a persistent sub-object (Font, Axis, a collection) or a
    // referenced component.
    const TClassInfo* (*objectClass)() = nullptr;
    bool hasDefault = false;
    std::int64_t ordinalDefault = 0;
    long double floatDefault = 0;

    std::function<std::int64_t(const TObject&)> getOrdinal;
    std::function<void(TObject&, std::int64_t)> setOrdinal;
    std::function<long double(const TObject&)> getFloat;
    std::function<void(TObject&, long double)> setFloat;
    std::function<std::string(const TObject&)> getString;
    std::function<void(TObject&, const std::string&)> setString;
    std::function<std::u16string(const TObject&)> getWideString;
    std::function<void(TObject&, const std::u16string&)> setWideString;
    // Object kind: the set value must be of objectClass (or nullptr); the
    // interface kind takes the component that implements the interface and
    // reports whether it did.
    std::function<TObject*(const TObject&)> getObject;
    std::function<bool(TObject&, TObject*)> setObject;
    std::function<TMethod(const TObject&)> getMethod;
    // Returns false when the method's signature does not fit the event.
    std::function<bool(TObject&, const TMethod&)> setMethod;
    std::function<TVariant(const TObject&)> getVariant;
    std::function<void(TObject&, const TVariant&)> setVariant;

    TTypeKind Kind() const noexcept { return type->Kind(); }
    bool HasSetter() const noexcept;
};

// A published field: a component pointer of the form that the reader fills
// by name with the component created for the record of that name.
struct TFieldInfo {
    std::string name;
    const TClassInfo& (*fieldClass)() = nullptr;
    std::function<TComponent*(const TObject&)> get;
    // Stores `component` (or nullptr); false when it is not of the field's
    // class, in which case the field is left alone.
    std::function<bool(TObject&, TComponent*)> set;
};

class TClassInfo {
public:
    using Factory = TComponent* (*)(TComponent* owner);

    TClassInfo(std::string name, const TClassInfo* parent) : name_(std::move(name)), parent_(parent) {}

    const std::string& Name() const noexcept { return name_; }
    const TClassInfo* Parent() const noexcept { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const noexcept;
    // A component class with a factory can be constructed by name.
    bool IsComponentClass() const noexcept;
    bool CanConstruct() const noexcept { return factory_ != nullptr; }
    // Virtual construction: a new instance of this class owned by `owner`
    // (which then destroys it); nullptr when the class has no factory.
    TComponent* Construct(TComponent* owner) const;

    // Lookups through this class and its ancestors, names ignoring ASCII
    // case; the nearest class wins.
    const TPropInfo* FindProperty(std::string_view name) const noexcept;
    const TFieldInfo* FindField(std::string_view name) const noexcept;
    const TMethodInfo* FindMethod(std::string_view name) const noexcept;

    // This class's own tables (ancestors' are reached through Parent()).
    const std::vector<TPropInfo>& OwnProperties() const noexcept { return properties_; }
    const std::vector<TFieldInfo>& OwnFields() const noexcept { return fields_; }
    const std::vector<std::unique_ptr<TMethodInfo>>& OwnMethods() const noexcept { return methods_; }

private:
    template <typename C>
    friend class TClassBuilder;

    std::string name_;
    const TClassInfo* parent_;
    Factory factory_ = nullptr;
    std::vector<TPropInfo> properties_;
    std::vector<TFieldInfo> fields_;
    // Boxed: events keep pointers to their method's information.
    std::vector<std::unique_ptr<TMethodInfo>> methods_;
};

namespace detail {

template <typename T>
std::int64_t ToOrdinal(const T& value) {
    using V = std::decay_t<T>;
    if constexpr (IsEnumSet<V>::value)
        return static_cast<std::int64_t>(value.Bits());
    else if constexpr (std::is_enum_v<V>)
        return static_cast<std::int64_t>(static_cast<std::underlying_type_t<V>>(value));
    else
        return static_cast<std::int64_t>(value);
}

template <typename P>
P FromOrdinal(std::int64_t value) {
    using V = std::decay_t<P>;
    if constexpr (IsEnumSet<V>::value)
        return V::FromBits(static_cast<std::uint32_t>(value));
    else if constexpr (std::is_same_v<V, bool>)
        return value != 0;
    else if constexpr (std::is_enum_v<V>)
        return static_cast<V>(static_cast<std::underlying_type_t<V>>(value));
    else
        return static_cast<V>(value);
}

// The value type a setter takes, from the getter's result.
template <typename C, typename G>
using GetterResult = std::decay_t<std::invoke_result_t<G, const C&>>;

template <typename T>
struct PointeeOf;
template <typename T>
struct PointeeOf<T*> {
    using type = T;
};

}  // namespace detail

template <typename C>
class TClassBuilder {
public:
    TClassBuilder(std::string name, const TClassInfo& parent) : info_(std::move(name), &parent) { SetFactory(); }
    // The root class alone has no parent.
    explicit TClassBuilder(std::string name) : info_(std::move(name), nullptr) { SetFactory(); }

    operator TClassInfo() && { return std::move(info_); }
    TClassInfo Build() && { return std::move(info_); }

    // Integer, character, enumeration, Boolean, set, wide-character and
    // 64-bit kinds, by `type`.  Getters may return integers, enumerations
    // or TEnumSet values.
    template <typename G, typename S>
    TClassBuilder&& Ordinal(std::string name, const TTypeInfo& type, G get, S set,
                            std::optional<std::int64_t> defaultValue = std::nullopt) && {
        TPropInfo& p = Add(std::move(name), type);
        if (defaultValue) {
            p.hasDefault = true;
            p.ordinalDefault = *defaultValue;
        }
        p.getOrdinal = [get](const TObject& o) { return detail::ToOrdinal(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>) {
            using V = detail::GetterResult<C, G>;
            p.setOrdinal = [set](TObject& o, std::int64_t v) { std::invoke(set, Self(o), detail::FromOrdinal<V>(v)); };
        }
        return std::move(*this);
    }
    template <typename G, typename S>
    TClassBuilder&& Integer(std::string name, G get, S set,
                            std::optional<std::int64_t> defaultValue = std::nullopt) && {
        return std::move(*this).Ordinal(std::move(name), TypeInfoInteger(), get, set, defaultValue);
    }
    template <typename G, typename S>
    TClassBuilder&& Boolean(std::string name, G get, S set, std::optional<bool> defaultValue = std::nullopt) && {
        std::optional<std::int64_t> d;
        if (defaultValue) d = *defaultValue ? 1 : 0;
        return std::move(*this).Ordinal(std::move(name), TypeInfoBoolean(), get, set, d);
    }

    template <typename G, typename S>
    TClassBuilder&& Float(std::string name, const TTypeInfo& type, G get, S set,
                          std::optional<long double> defaultValue = std::nullopt) && {
        TPropInfo& p = Add(std::move(name), type);
        if (defaultValue) {
            p.hasDefault = true;
            p.floatDefault = *defaultValue;
        }
        p.getFloat = [get](const TObject& o) { return static_cast<long double>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>) {
            using V = detail::GetterResult<C, G>;
            p.setFloat = [set](TObject& o, long double v) { std::invoke(set, Self(o), static_cast<V>(v)); };
        }
        return std::move(*this);
    }

    template <typename G, typename S>
    TClassBuilder&& String(std::string name, G get, S set) && {
        TPropInfo& p = Add(std::move(name), TypeInfoString());
        p.getString = [get](const TObject& o) { return std::string(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setString = [set](TObject& o, const std::string& v) { std::invoke(set, Self(o), v); };
        return std::move(*this);
    }

    template <typename G, typename S>
    TClassBuilder&& WideString(std::string name, G get, S set) && {
        TPropInfo& p = Add(std::move(name), TypeInfoWideString());
        p.getWideString = [get](const TObject& o) { return std::u16string(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setWideString = [set](TObject& o, const std::u16string& v) { std::invoke(set, Self(o), v); };
        return std::move(*this);
    }

    // An object property: the getter returns a pointer to a class derived
    // from TObject with its own StaticClassInfo (a sub-object such as Font,
    // a collection, or a referenced component).  Sub-objects are usually
    // read-only here or have a setter that copies; "Font.Name" reaches the
    // font through the getter either way.
    template <typename G, typename S>
    TClassBuilder&& Object(std::string name, G get, S set) && {
        using Ptr = detail::GetterResult<C, G>;
        using T = std::remove_const_t<typename detail::PointeeOf<Ptr>::type>;
        TPropInfo& p = Add(std::move(name), TypeInfoClass());
        p.objectClass = [] { return &T::StaticClassInfo(); };
        p.getObject = [get](const TObject& o) -> TObject* {
            return const_cast<std::remove_const_t<T>*>(std::invoke(get, Self(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setObject = [set](TObject& o, TObject* v) {
                T* typed = dynamic_cast<T*>(v);
                if (v && !typed) return false;
                std::invoke(set, Self(o), typed);
                return true;
            };
        }
        return std::move(*this);
    }

    // An interface property: I is a polymorphic interface that components
    // implement; the stream names the component, the property gets its I.
    template <typename I, typename G, typename S>
    TClassBuilder&& Interface(std::string name, G get, S set) && {
        TPropInfo& p = Add(std::move(name), TypeInfoInterface());
        p.getObject = [get](const TObject& o) -> TObject* { return dynamic_cast<TObject*>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setObject = [set](TObject& o, TObject* v) {
                I* typed = dynamic_cast<I*>(v);
                if (v && !typed) return false;
                std::invoke(set, Self(o), typed);
                return true;
            };
        }
        return std::move(*this);
    }

    // An event property of type TEvent<Args...> (TNotifyEvent and others).
    template <typename G, typename S>
    TClassBuilder&& Event(std::string name, G get, S set) && {
        using E = detail::GetterResult<C, G>;
        TPropInfo& p = Add(std::move(name), TypeInfoMethod());
        p.getMethod = [get](const TObject& o) { return std::invoke(get, Self(o)).Method(); };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setMethod = [set](TObject& o, const TMethod& m) {
                E event = E::FromMethod(m);
                if (m && !event) return false;
                std::invoke(set, Self(o), event);
                return true;
            };
        }
        return std::move(*this);
    }

    template <typename G, typename S>
    TClassBuilder&& Variant(std::string name, G get, S set) && {
        TPropInfo& p = Add(std::move(name), TypeInfoVariant());
        p.getVariant = [get](const TObject& o) { return TVariant(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setVariant = [set](TObject& o, const TVariant& v) { std::invoke(set, Self(o), v); };
        return std::move(*this);
    }

    // A published field `T* C::*member` (T a component class), bound by the
    // reader to the component of the same name.
    template <typename T>
    TClassBuilder&& Field(std::string name, T* C::*member) && {
        TFieldInfo f;
        f.name = std::move(name);
        f.fieldClass = []() -> const TClassInfo& { return T::StaticClassInfo(); };
        f.get = [member](const TObject& o) -> TComponent* { return Self(o).*member; };
        f.set = [member](TObject& o, TComponent* c) {
            T* typed = dynamic_cast<T*>(c);
            if (c && !typed) return false;
            Self(o).*member = typed;
            return true;
        };
        info_.fields_.push_back(std::move(f));
        return std::move(*this);
    }

    // A published method `void (C::*)(Args...)`, for event properties of
    // type TEvent<Args...> to bind to by name.
    template <typename... Args>
    TClassBuilder&& Method(std::string name, void (C::*method)(Args...)) && {
        auto m = std::make_unique<TMethodInfo>();
        m->name = std::move(name);
        m->invoker = typename TEvent<Args...>::Invoker(
            [method](TObject* data, Args... args) { (Self(*data).*method)(std::forward<Args>(args)...); });
        info_.methods_.push_back(std::move(m));
        return std::move(*this);
    }

private:
    static C& Self(TObject& o) { return static_cast<C&>(o); }
    static const C& Self(const TObject& o) { return static_cast<const C&>(o); }

    TPropInfo& Add(std::string name, const TTypeInfo& type) {
        TPropInfo& p = info_.properties_.emplace_back();
        p.name = std::move(name);
        p.type = &type;
        return p;
    }

    void SetFactory() {
        if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> &&
                      std::is_constructible_v<C, TComponent*>)
            info_.factory_ = [](TComponent* owner) -> TComponent* { return new C(owner); };
    }

    TClassInfo info_;
};

}  // namespace cvcalc
