// The class registry: the classes a form description may name beyond the
// classes of its form's published fields, looked up by name for virtual
// construction.
#pragma once

#include <initializer_list>
#include <string_view>

namespace cvcalc {

class TClassInfo;

// Registering a class twice is harmless; a different class of the same name
// replaces nothing (the first one stays).
void RegisterClass(const TClassInfo& cls);
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
void UnregisterClass(const TClassInfo& cls);
// The registered class of that name, ignoring ASCII case, or nullptr.
const TClassInfo* FindRegisteredClass(std::string_view name);

// What the reader asks once a class is found neither among the root's
// published field classes nor the lookup root's.
class TClassFinder {
public:
    explicit TClassFinder(const TClassInfo& rootClass) : rootClass_(rootClass) {}
    const TClassInfo* Find(std::string_view name) const { return FindRegisteredClass(name); }
    const TClassInfo& RootClass() const noexcept { return rootClass_; }

private:
    const TClassInfo& rootClass_;
};

}  // namespace cvcalc
