// The global name space of the streaming layer: the named global components
// (forms registered with the application's lookup), the process-wide list
// of references into other forms, and the per-thread list of components
// loaded by the description being read.
//
// The name space is guarded by a multi-reader, single-writer lock that the
// writing thread may take again; loads take it for writing.
#pragma once

#include <atomic>
#include <shared_mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "shell/core/Reader.h"

namespace cvcalc {

class TComponent;

// A reader-writer lock whose writer may re-enter (for reading or writing).
class TNameSpaceLock {
public:
    void BeginRead();
    void EndRead();
    void BeginWrite();
    void EndWrite();

private:
    std::shared_mutex mutex_;
    std::atomic<std::thread::id> writer_{};
    int writeDepth_ = 0;
    // Reads the writer itself takes while it writes.
    int nestedReads_ = 0;
};

TNameSpaceLock& GlobalNameSpace();

class TNameSpaceWriteGuard {
public:
    TNameSpaceWriteGuard() { GlobalNameSpace().BeginWrite(); }
    ~TNameSpaceWriteGuard() { GlobalNameSpace().EndWrite(); }
    TNameSpaceWriteGuard(const TNameSpaceWriteGuard&) = delete;
    TNameSpaceWriteGuard& operator=(const TNameSpaceWriteGuard&) = delete;
};

// Forms register themselves while they live.
void RegisterGlobalComponent(TComponent* component);
void UnregisterGlobalComponent(TComponent* component);
// The global component of that name, ignoring ASCII case, or nullptr.
TComponent* FindGlobalComponent(std::string_view name);
// `name`, or the first of name_1, name_2, ... that no global component
// other than `root` carries.
std::string UniqueRootName(std::string_view name, const TComponent* root);

// The process-wide pending references.
void AddGlobalFixup(TPropFixup fixup);
// Drops every global fixup that waits in `component` or was made under it
// as the lookup root; run when a component is destroyed or its load failed.
void RemoveGlobalFixupsFor(const TComponent* component);
std::size_t GlobalFixupCount();
// Resolves the references whose form now exists and is not being read.
void ResolveGlobalReferences();

// The loading list of the calling thread: open while LoadFormResources runs.
using TLoadedList = std::vector<TComponent*>;
TLoadedList* CurrentLoadingList() noexcept;
void PushLoadingList(TLoadedList* list);
void PopLoadingList() noexcept;

// The component that `path` names starting from `root`: segments separated
// by ".", "-" or "->", each an owned component of the one before (ignoring
// case); "Owner" stays on the component before.
TComponent* FindNestedComponent(TComponent* root, std::string_view path);

}  // namespace cvcalc
