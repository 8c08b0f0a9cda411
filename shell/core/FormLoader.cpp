// LoadFormResources and ReadComponentResource.
#include "shell/core/FormLoader.h"

#include <vector>

#include "platform/core/Resources.h"
#include "shell/core/Component.h"
#include "shell/core/NameSpace.h"
#include "shell/core/Reader.h"
#include "shell/core/ResourceStream.h"

namespace cvcalc {

bool ReadComponentResource(std::string_view resourceName, int, TComponent* instance) {
    const auto bytes = FindResource(RT_RCDATA, resourceName);
    if (!bytes) return false;
    TResourceStream stream(*bytes);
    TReader reader(stream, TReader::DefaultBufferSize);
    reader.ReadRoot(instance);
    return true;
}

namespace {
bool ReadClassChain(TComponent* form, const TClassInfo* cls, const TClassInfo& stopClass) {
    if (!cls || cls == &TComponent::StaticClassInfo() || cls == &stopClass) return false;
    const bool parentRead = ReadClassChain(form, cls->Parent(), stopClass);
    const bool thisRead = ReadComponentResource(cls->Name(), 0, form);
    return parentRead || thisRead;
}
}  // namespace

bool LoadFormResources(TComponent* form, const TClassInfo& stopClass) {
    TNameSpaceWriteGuard lock;
    const TComponentState state = form->ComponentState();
    const bool opensList = !state.Contains(csLoading) && !state.Contains(csInline);
    TLoadedList list;
    if (opensList) PushLoadingList(&list);
    bool found = false;
    try {
        found = ReadClassChain(form, &form->ClassInfo(), stopClass);
    } catch (...) {
        if (opensList) PopLoadingList();
        throw;
    }
    if (opensList) {
        try {
            for (TComponent* c : list) c->AfterLoad();
        } catch (...) {
            PopLoadingList();
            throw;
        }
        PopLoadingList();
    }
    return found;
}

}  // namespace cvcalc
