// Enumeration member lookup and the predefined types.
#include "shell/core/TypeInfo.h"

#include "platform/core/AsciiCase.h"

namespace cvcalc {

TTypeInfo TTypeInfo::Enumeration(std::string name, std::initializer_list<std::string_view> members) {
    TTypeInfo info(std::move(name), TTypeKind::tkEnumeration);
    for (std::string_view m : members) info.members_.emplace_back(m);
    return info;
}

TTypeInfo TTypeInfo::Set(std::string name, const TTypeInfo& element) {
    TTypeInfo info(std::move(name), TTypeKind::tkSet);
    info.element_ = &element;
    return info;
}

TTypeInfo TTypeInfo::Float(std::string name, TFloatType floatType) {
    TTypeInfo info(std::move(name), TTypeKind::tkFloat);
    info.floatType_ = floatType;
    return info;
}

std::optional<int> TTypeInfo::FindMember(std::string_view name) const noexcept {
    for (std::size_t i = 0; i < members_.size(); ++i)
        if (SameTextAscii(members_[i], name)) return static_cast<int>(i);
    return std::nullopt;
}

const TTypeInfo& TypeInfoInteger() {
    static const TTypeInfo info("Integer", TTypeKind::tkInteger);
    return info;
}
const TTypeInfo& TypeInfoInt64() {
    static const TTypeInfo info("Int64", TTypeKind::tkInt64);
    return info;
}
const TTypeInfo& TypeInfoBoolean() {
    static const TTypeInfo info = TTypeInfo::Enumeration("Boolean", {"False", "True"});
    return info;
}
const TTypeInfo& TypeInfoChar() {
    static const TTypeInfo info("Char", TTypeKind::tkChar);
    return info;
}
const TTypeInfo& TypeInfoWideChar() {
    static const TTypeInfo info("WideChar", TTypeKind::tkWChar);
    return info;
}
const TTypeInfo& TypeInfoString() {
    static const TTypeInfo info("AnsiString", TTypeKind::tkString);
    return info;
}
const TTypeInfo& TypeInfoWideString() {
    static const TTypeInfo info("WideString", TTypeKind::tkWString);
    return info;
}
const TTypeInfo& TypeInfoSingle() {
    static const TTypeInfo info = TTypeInfo::Float("Single", TFloatType::ftSingle);
    return info;
}
const TTypeInfo& TypeInfoDouble() {
    static const TTypeInfo info = TTypeInfo::Float("Double", TFloatType::ftDouble);
    return info;
}
const TTypeInfo& TypeInfoExtended() {
    static const TTypeInfo info = TTypeInfo::Float("Extended", TFloatType::ftExtended);
    return info;
}
const TTypeInfo& TypeInfoVariant() {
    static const TTypeInfo info("Variant", TTypeKind::tkVariant);
    return info;
}

const TTypeInfo& TypeInfoClass() {
    static const TTypeInfo info("TObject", TTypeKind::tkClass);
    return info;
}
const TTypeInfo& TypeInfoInterface() {
    static const TTypeInfo info("IInterface", TTypeKind::tkInterface);
    return info;
}
const TTypeInfo& TypeInfoMethod() {
    static const TTypeInfo info("TMethod", TTypeKind::tkMethod);
    return info;
}

}  // namespace cvcalc
