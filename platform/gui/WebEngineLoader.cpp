// Finding and loading the web-engine module (WebEngineModule.h).
#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/core/ExecutablePath.h"
#include "platform/core/Resources.h"
#include "platform/gui/ComponentRegistry.h"
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

}  // namespace

const EngineModuleApi* LoadWebEngineModule(const std::vector<std::string>& candidates) {
    std::string failures;
    for (const std::string& path : candidates) {
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
        return api;
    }
    // The box says what is missing; the details of each attempt are for
    // whoever installed the program.
    std::fprintf(stderr, "cvcalc: the web-engine module %s could not be loaded:%s\n", EngineModuleFile,
                 failures.c_str());
    throw EOleSysError(WebEngineFailureText(std::string(EngineModuleFile) + " を読み込めません"));
}

std::string WebEngineFailureText(std::string_view reason) {
    return "Web ブラウザを開始できません: " + std::string(reason);
}

const EngineModuleApi* WebEngineModule() {
    // Loaded once; a module that is missing stays missing for the process.
    static const EngineModuleApi* api = nullptr;
    static std::string loadFailure;
    static bool started = false;
    if (api == nullptr) {
        if (!loadFailure.empty()) throw EOleSysError(loadFailure);
        try {
            api = LoadWebEngineModule(ModuleCandidates());
        } catch (const EOleSysError& e) {
            loadFailure = e.Message();
            throw;
        }
    }
    if (!started) {
        if (const char* missing = api->Start(&Services)) throw EOleSysError(WebEngineFailureText(missing));
        started = true;
        EndProcessQuicklyAtExit();
    }
    return api;
}

}  // namespace cvcalc
