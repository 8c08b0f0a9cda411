// The global name space, the process-wide pending references and the
// per-thread loading lists.
#include "shell/core/NameSpace.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "platform/core/AsciiCase.h"
#include "shell/core/Component.h"
#include "shell/core/Persistent.h"

namespace cvcalc {

void TNameSpaceLock::BeginRead() {
    if (writer_.load() == std::this_thread::get_id()) {
        ++nestedReads_;
        return;
    }
    mutex_.lock_shared();
}

void TNameSpaceLock::EndRead() {
    if (writer_.load() == std::this_thread::get_id() && nestedReads_ > 0) {
        --nestedReads_;
        return;
    }
    mutex_.unlock_shared();
}

void TNameSpaceLock::BeginWrite() {
    if (writer_.load() == std::this_thread::get_id()) {
        ++writeDepth_;
        return;
    }
    mutex_.lock();
    writer_.store(std::this_thread::get_id());
    writeDepth_ = 1;
}

void TNameSpaceLock::EndWrite() {
    if (--writeDepth_ > 0) return;
    writer_.store(std::thread::id{});
    mutex_.unlock();
}

TNameSpaceLock& GlobalNameSpace() {
    static TNameSpaceLock lock;
    return lock;
}

namespace {

class TNameSpaceReadGuard {
public:
    TNameSpaceReadGuard() { GlobalNameSpace().BeginRead(); }
    ~TNameSpaceReadGuard() { GlobalNameSpace().EndRead(); }
    TNameSpaceReadGuard(const TNameSpaceReadGuard&) = delete;
    TNameSpaceReadGuard& operator=(const TNameSpaceReadGuard&) = delete;
};

// The components themselves live under the name-space lock; a plain mutex
// keeps the vector consistent for threads that only register.
struct GlobalComponents {
    std::mutex mutex;
    std::vector<TComponent*> list;
};
GlobalComponents& Globals() {
    static GlobalComponents globals;
    return globals;
}

struct GlobalFixups {
    std::mutex mutex;
    std::vector<TPropFixup> list;
};
GlobalFixups& Fixups() {
    static GlobalFixups fixups;
    return fixups;
}

thread_local std::vector<TLoadedList*> loadingStack;

}  // namespace

void RegisterGlobalComponent(TComponent* component) {
    std::lock_guard lock(Globals().mutex);
    auto& list = Globals().list;
    if (std::find(list.begin(), list.end(), component) == list.end()) list.push_back(component);
}

void UnregisterGlobalComponent(TComponent* component) {
    std::lock_guard lock(Globals().mutex);
    auto& list = Globals().list;
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

namespace {
TComponent* FindGlobalExcept(std::string_view name, const TComponent* except) {
    std::lock_guard lock(Globals().mutex);
    for (TComponent* c : Globals().list)
        if (c != except && SameTextAscii(c->Name(), name)) return c;
    return nullptr;
}
}  // namespace

TComponent* FindGlobalComponent(std::string_view name) {
    TNameSpaceReadGuard guard;
    if (name.empty()) return nullptr;
    return FindGlobalExcept(name, nullptr);
}

std::string UniqueRootName(std::string_view name, const TComponent* root) {
    TNameSpaceReadGuard guard;
    if (name.empty() || !FindGlobalExcept(name, root)) return std::string(name);
    for (unsigned n = 1;; ++n) {
        std::string candidate = std::string(name) + "_" + std::to_string(n);
        if (!FindGlobalExcept(candidate, root)) return candidate;
    }
}

void AddGlobalFixup(TPropFixup fixup) {
    std::lock_guard lock(Fixups().mutex);
    Fixups().list.push_back(std::move(fixup));
}

void RemoveGlobalFixupsFor(const TComponent* component) {
    std::lock_guard lock(Fixups().mutex);
    auto& list = Fixups().list;
    if (list.empty()) return;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const TPropFixup& f) {
                                  return f.holder == component || f.lookupRoot == component ||
                                         f.instance == static_cast<const TPersistent*>(component);
                              }),
               list.end());
}

std::size_t GlobalFixupCount() {
    std::lock_guard lock(Fixups().mutex);
    return Fixups().list.size();
}

void ResolveGlobalReferences() {
    TNameSpaceWriteGuard guard;
    // Taken out of the list first: storing a reference runs a setter, and
    // a setter may reach the list again.
    std::vector<TPropFixup> pending;
    {
        std::lock_guard lock(Fixups().mutex);
        pending.swap(Fixups().list);
    }
    std::vector<TPropFixup> keep;
    for (TPropFixup& f : pending) {
        TComponent* form = FindGlobalExcept(f.rootName, nullptr);
        // A form still loading (its AfterLoad calls not yet made) is complete
        // once it is no longer being read; nothing would resolve it later.
        if (form && !form->ComponentState().Contains(csReading)) {
            std::string_view rest(f.name);
            rest.remove_prefix(std::min(rest.size(), f.rootName.size() + 1));
            TComponent* target = FindNestedComponent(form, rest);
            if (!f.property->setObject(*f.instance, target)) f.property->setObject(*f.instance, nullptr);
            continue;
        }
        if (!form && f.property->getObject(*f.instance) != nullptr) continue;  // set meanwhile: dropped
        keep.push_back(std::move(f));
    }
    std::lock_guard lock(Fixups().mutex);
    Fixups().list.insert(Fixups().list.begin(), std::make_move_iterator(keep.begin()),
                         std::make_move_iterator(keep.end()));
}

TLoadedList* CurrentLoadingList() noexcept { return loadingStack.empty() ? nullptr : loadingStack.back(); }
void PushLoadingList(TLoadedList* list) { loadingStack.push_back(list); }
void PopLoadingList() noexcept {
    if (!loadingStack.empty()) loadingStack.pop_back();
}

TComponent* FindNestedComponent(TComponent* root, std::string_view path) {
    TComponent* current = root;
    while (current && !path.empty()) {
        std::size_t end = 0;
        while (end < path.size() && path[end] != '.' && path[end] != '-') ++end;
        const std::string_view segment = path.substr(0, end);
        path.remove_prefix(end);
        if (!path.empty()) {
            const bool arrow = path.size() >= 2 && path[0] == '-' && path[1] == '>';
            path.remove_prefix(arrow ? 2 : 1);
        }
        if (!SameTextAscii(segment, "Owner")) current = current->FindComponent(segment);
    }
    return current;
}

}  // namespace cvcalc
