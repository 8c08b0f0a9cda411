// Type information of published properties: what kind of value a property
// holds, the member names of enumerations and sets, and the identity by
// which integer types such as TColor find their identifier maps.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace cvcalc {

class TClassInfo;

// The kinds of the reader's assignment table.
enum class TTypeKind {
    tkInteger,      // 32-bit integer; may carry an identifier map (TColor, TCursor, ...)
    tkChar,         // one 8-bit character
    tkEnumeration,  // enumerations, Boolean included
    tkFloat,        // single, double or extended
    tkString,       // 8-bit text (UTF-8)
    tkSet,          // set of an enumeration with ordinals 0..31
    tkClass,        // object: a persistent sub-object, a collection or a component reference
    tkMethod,       // event
    tkWChar,        // one UTF-16 unit
    tkWString,      // wide text (UTF-16)
    tkVariant,
    tkInterface,  // interface of a component, bound by reference
    tkInt64,
};

enum class TFloatType { ftSingle, ftDouble, ftExtended };

// One type.  Instances live for the whole run (statics returned by
// reference), and a property's type is compared by address: two integer
// types with the same range are still different types, which is how TColor
// gets the colour names and a plain Integer does not.
class TTypeInfo {
public:
    TTypeInfo(std::string name, TTypeKind kind) : name_(std::move(name)), kind_(kind) {}

    // An enumeration whose members have the ordinals 0, 1, 2, ...
    static TTypeInfo Enumeration(std::string name, std::initializer_list<std::string_view> members);
    // A set over `element`, an enumeration.
    static TTypeInfo Set(std::string name, const TTypeInfo& element);
    static TTypeInfo Float(std::string name, TFloatType floatType);

    const std::string& Name() const noexcept { return name_; }
    TTypeKind Kind() const noexcept { return kind_; }
    TFloatType FloatType() const noexcept { return floatType_; }
    const TTypeInfo* ElementType() const noexcept { return element_; }

    // Enumeration members.
    int MemberCount() const noexcept { return static_cast<int>(members_.size()); }
    const std::string& MemberName(int ordinal) const { return members_.at(static_cast<std::size_t>(ordinal)); }
    // The ordinal of the member with that name, ignoring ASCII case.
    std::optional<int> FindMember(std::string_view name) const noexcept;

private:
    std::string name_;
    TTypeKind kind_;
    TFloatType floatType_ = TFloatType::ftExtended;
    const TTypeInfo* element_ = nullptr;
    std::vector<std::string> members_;
};

// The predefined types.
const TTypeInfo& TypeInfoInteger();
const TTypeInfo& TypeInfoInt64();
const TTypeInfo& TypeInfoBoolean();  // enumeration False, True
const TTypeInfo& TypeInfoChar();
const TTypeInfo& TypeInfoWideChar();
const TTypeInfo& TypeInfoString();
const TTypeInfo& TypeInfoWideString();
const TTypeInfo& TypeInfoSingle();
const TTypeInfo& TypeInfoDouble();
const TTypeInfo& TypeInfoExtended();
const TTypeInfo& TypeInfoVariant();
const TTypeInfo& TypeInfoClass();      // every object property
const TTypeInfo& TypeInfoInterface();  // every interface property
const TTypeInfo& TypeInfoMethod();     // every event property

// A small set of an enumeration whose ordinals lie in 0..31, stored as the
// bit mask the stream format uses.
template <typename E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> members) {
        for (E e : members) Include(e);
    }
    static constexpr TEnumSet FromBits(std::uint32_t bits) {
        TEnumSet s;
        s.bits_ = bits;
        return s;
    }

    constexpr std::uint32_t Bits() const noexcept { return bits_; }
    constexpr bool Contains(E e) const noexcept { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr TEnumSet& Include(E e) noexcept {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr TEnumSet& Exclude(E e) noexcept {
        bits_ &= ~Bit(e);
        return *this;
    }
    constexpr TEnumSet operator|(TEnumSet other) const noexcept { return FromBits(bits_ | other.bits_); }
    constexpr TEnumSet operator&(TEnumSet other) const noexcept { return FromBits(bits_ & other.bits_); }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E e) noexcept { return std::uint32_t{1} << static_cast<unsigned>(e); }
    std::uint32_t bits_ = 0;
};

template <typename T>
struct IsEnumSet : std::false_type {};
template <typename E>
struct IsEnumSet<TEnumSet<E>> : std::true_type {};

}  // namespace cvcalc
