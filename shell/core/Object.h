// TObject, the root of every class that carries class information, and the
// macro with which a class declares its own.
#pragma once

#include <string>

#include "shell/core/ClassInfo.h"

namespace cvcalc {

// Declares StaticClassInfo() and overrides ClassInfo() in a class body; the
// class defines StaticClassInfo() in its .cpp with a TClassBuilder.
#define CVCALC_CLASS_INFO()                               \
    static const ::cvcalc::TClassInfo& StaticClassInfo(); \
    const ::cvcalc::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject();

    static const TClassInfo& StaticClassInfo();
    // The class information of the object's dynamic class.
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }

    const std::string& ClassName() const { return ClassInfo().Name(); }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }
};

}  // namespace cvcalc
