// Finding and loading the web-engine module (WebEngineModule.h).
#include <dlfcn.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QMetaObject>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "platform/core/AsciiCase.h"
#include "platform/core/ExecutablePath.h"
#include "platform/core/Resources.h"
#include "platform/core/Translate.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/WebBrowser.h"
#include "platform/gui/WebEngineModule.h"

namespace cvcalc {

namespace {

struct GeneratedPageEntry {
    std::string name;
    GeneratedPage generate;
};

std::vector<GeneratedPageEntry>& GeneratedPages() {
    static std::vector<GeneratedPageEntry> pages;
    return pages;
}

GeneratedPageEntry* FindGeneratedPage(std::string_view name) {
    for (GeneratedPageEntry& entry : GeneratedPages())
        if (SameTextAscii(entry.name, name)) return &entry;
    return nullptr;
}

PageActionHandler& ThePageActionHandler() {
    static PageActionHandler handler;
    return handler;
}

// Runs `work` from the message loop, as a window's message procedure would:
// inside a dispatch, with what it throws going to the dispatch error hook.
template <typename Work>
void PostToLoop(Work work) {
    InitPlatform();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [work = std::move(work)] {
            WindowRegistry& reg = Registry();
            ++reg.dispatchDepth;
            try {
                work();
            } catch (...) {
                ReportDispatchError(std::current_exception());
            }
            --reg.dispatchDepth;
        },
        Qt::QueuedConnection);
}

bool FindBundledPage(const char* name, EnginePage* page) {
    if (GeneratedPageEntry* generated = FindGeneratedPage(name)) {
        // The engine copies the bytes before it asks again.
        static std::string lastPage;
        try {
            // A copy: the generator may replace its own entry.
            const GeneratedPage generate = generated->generate;
            lastPage = generate();
        } catch (...) {
            PostToLoop([error = std::current_exception()] { std::rethrow_exception(error); });
            return false;
        }
        page->data = reinterpret_cast<const unsigned char*>(lastPage.data());
        page->size = lastPage.size();
        page->contentType = BundledPageContentType(name).data();
        return true;
    }
    const auto bytes = FindResource(RT_HTML, name);
    if (!bytes) return false;
    page->data = bytes->data();
    page->size = bytes->size();
    // The types are literals, so they are NUL-terminated and live forever.
    page->contentType = BundledPageContentType(name).data();
    return true;
}

void RunPageAction(const char* name) {
    if (!ThePageActionHandler()) return;
    PostToLoop([action = std::string(name)] {
        // The handler may have been removed while the action waited.
        if (const PageActionHandler handler = ThePageActionHandler()) handler(action);
    });
}

DesktopBrowserObserver& TheDesktopBrowserObserver() {
    static DesktopBrowserObserver observer;
    return observer;
}

void OpenExternal(const char* url) { OpenInDesktopBrowser(url); }

EngineHostServices Services{BundledPageScheme.data(), &FindBundledPage, &RunPageAction, &OpenExternal};

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
    throw EOleSysError(WebEngineFailureText(FillArgs(Tr("Errors", "%1 を読み込めません"), {EngineModuleFile})));
}

void SetGeneratedPage(std::string name, GeneratedPage generate) {
    auto& pages = GeneratedPages();
    GeneratedPageEntry* entry = FindGeneratedPage(name);
    if (!generate) {
        if (entry != nullptr) pages.erase(pages.begin() + (entry - pages.data()));
    } else if (entry != nullptr) {
        entry->generate = std::move(generate);
    } else {
        pages.push_back({std::move(name), std::move(generate)});
    }
}

void SetPageActionHandler(PageActionHandler handler) { ThePageActionHandler() = std::move(handler); }

void OpenInDesktopBrowser(std::string_view url) {
    InitPlatform();
    const QUrl target(ToQString(url), QUrl::StrictMode);
    // The desktop would open a local file or run a program for other schemes.
    if (NavigationTargetOf(target, QString::fromLatin1(BundledPageScheme)) != NavigationTarget::DesktopBrowser) return;
    if (const DesktopBrowserObserver observer = TheDesktopBrowserObserver()) {
        observer(url);
        return;
    }
    QDesktopServices::openUrl(target);
}

void SetDesktopBrowserObserver(DesktopBrowserObserver observer) { TheDesktopBrowserObserver() = std::move(observer); }

std::string WebEngineFailureText(std::string_view reason) {
    return FillArgs(Tr("Errors", "Web ブラウザを開始できません: %1"), {reason});
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
        static const std::string missingFileText = Tr("Errors", "%1 が見つかりません (%2)");
        Services.missingFileText = missingFileText.c_str();
        if (const char* missing = api->Start(&Services)) throw EOleSysError(WebEngineFailureText(missing));
        started = true;
        EndProcessQuicklyAtExit();
    }
    return api;
}

}  // namespace cvcalc
