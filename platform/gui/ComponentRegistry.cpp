// The class table of the component model and the apartment count.
#include "platform/gui/ComponentRegistry.h"

#include <map>

#include "platform/gui/GuiPlatform.h"
#include "platform/gui/WebBrowser.h"

namespace cvcalc {

namespace {

int ApartmentDepth = 0;

// Class identifiers in one spelling: upper case, no braces.
std::string NormalClassId(std::string_view classId) {
    if (classId.size() >= 2 && classId.front() == '{' && classId.back() == '}')
        classId = classId.substr(1, classId.size() - 2);
    std::string result(classId);
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return result;
}

std::map<std::string, ComponentFactory>& Classes() {
    static std::map<std::string, ComponentFactory> classes;
    return classes;
}

}  // namespace

bool ComponentModelInitialize() {
    InitPlatform();
    if (!PlatformInitialized()) return false;
    if (ApartmentDepth++ == 0) RegisterComponentClass(CLSID_WebBrowser, [] { return CreateWebBrowserComponent(); });
    return true;
}

void ComponentModelShutdown() {
    if (ApartmentDepth > 0) --ApartmentDepth;
}

bool ComponentModelActive() { return ApartmentDepth > 0; }

void RegisterComponentClass(std::string_view classId, ComponentFactory factory) {
    Classes()[NormalClassId(classId)] = std::move(factory);
}

void UnregisterComponentClass(std::string_view classId) { Classes().erase(NormalClassId(classId)); }

bool IsComponentClassRegistered(std::string_view classId) { return Classes().count(NormalClassId(classId)) != 0; }

std::unique_ptr<TInPlaceComponent> CreateComponent(std::string_view classId) {
    if (!ComponentModelActive()) throw EOleSysError(std::string(ComponentModelNotInitializedText));
    const auto found = Classes().find(NormalClassId(classId));
    if (found == Classes().end() || !found->second) throw EOleSysError(std::string(ClassNotRegisteredText));
    std::unique_ptr<TInPlaceComponent> component = found->second();
    if (!component) throw EOleSysError(std::string(ClassNotRegisteredText));
    return component;
}

}  // namespace cvcalc
