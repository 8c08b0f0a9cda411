// The registered classes, guarded by a lock while a class is looked up.
#include "shell/core/ClassRegistry.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/core/AsciiCase.h"
#include "shell/core/ClassInfo.h"

namespace cvcalc {

namespace {
struct Registry {
    std::mutex mutex;
    std::vector<const TClassInfo*> classes;
};
Registry& TheRegistry() {
    static Registry registry;
    return registry;
}
const TClassInfo* FindLocked(std::string_view name) {
    for (const TClassInfo* c : TheRegistry().classes)
        if (SameTextAscii(c->Name(), name)) return c;
    return nullptr;
}
}  // namespace

void RegisterClass(const TClassInfo& cls) {
    std::lock_guard lock(TheRegistry().mutex);
    if (!FindLocked(cls.Name())) TheRegistry().classes.push_back(&cls);
}

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
    for (const TClassInfo* c : classes) RegisterClass(*c);
}

void UnregisterClass(const TClassInfo& cls) {
    std::lock_guard lock(TheRegistry().mutex);
    auto& v = TheRegistry().classes;
    v.erase(std::remove(v.begin(), v.end(), &cls), v.end());
}

const TClassInfo* FindRegisteredClass(std::string_view name) {
    std::lock_guard lock(TheRegistry().mutex);
    return FindLocked(name);
}

}  // namespace cvcalc
