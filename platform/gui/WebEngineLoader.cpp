// Finding and loading the web-engine module (WebEngineModule.h).
#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/core/ExecutablePath.h"
#include "platform/core/Resources.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/WebBrowser.h"
#include "platform/gui/WebEngineModule.h"

namespace cvcalc {

namespace {

bool FindBundledPage(const char* name, EnginePage* page) {
    const auto bytes = FindResource(RT_HTML, name);
    if (!bytes) return false;
    page->data = bytes->data();
    page->size = bytes->size();
    // The types are literals, so they are NUL-terminated and live forever.
    page->contentType = BundledPageContentType(name).data();
    return true;
}

const EngineHostServices Services{BundledPageScheme.data(), &FindBundledPage};

// Where the module may be: beside the installed program (lib/cvcalc next to
// bin), beside the executable, and where this build put it.
std::vector<std::string> ModuleCandidates() {
    std::vector<std::string> paths;
    const std::string exe = ExecutablePath();
    const auto slash = exe.rfind('/');
    if (slash != std::string::npos) {
        const std::string dir = exe.substr(0, slash);
        paths.push_back(dir + "/../lib/cvcalc/" + EngineModuleFile);
        paths.push_back(dir + "/" + EngineModuleFile);
    }
#ifdef CVCALC_ENGINE_MODULE_BUILD_PATH
    paths.push_back(CVCALC_ENGINE_MODULE_BUILD_PATH);
#endif
    return paths;
}

const EngineModuleApi* LoadModule() {
    std::string failures;
    for (const std::string& path : ModuleCandidates()) {
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            failures += std::string("\n  ") + dlerror();
            continue;
        }
        using Entry = const EngineModuleApi* (*)();
        auto entry = reinterpret_cast<Entry>(dlsym(handle, EngineModuleEntry));
        const EngineModuleApi* api = entry ? entry() : nullptr;
        if (api == nullptr || api->version != EngineModuleVersion || !api->Start || !api->CreateView) {
            failures += "\n  " + path + ": not a web-engine module of this program";
            dlclose(handle);
            continue;
        }
        api->Start(&Services);
        EndProcessQuicklyAtExit();
        return api;
    }
    std::fprintf(stderr, "cvcalc: the web-engine module %s could not be loaded; pages stay blank:%s\n",
                 EngineModuleFile, failures.c_str());
    return nullptr;
}

}  // namespace

const EngineModuleApi* WebEngineModule() {
    // Loaded once; a module that is missing stays missing for the process.
    static const EngineModuleApi* const api = LoadModule();
    return api;
}

}  // namespace cvcalc
