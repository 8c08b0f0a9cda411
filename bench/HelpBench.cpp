// The help window's browser: what it costs to have it ready (not loaded) and
// how long a navigation to the bundled home page takes until its load ends.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "help/Html.h"
#include "help/LaboratorySite.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/WebBrowser.h"
#include "shell/core/TextConvert.h"

namespace {

using namespace cvcalc;

// Resident set size in bytes, from /proc.
double ResidentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

struct BrowserHost {
    TNativeWindow top{NativeWindowKind::Plain};
    TNativeWindow host{NativeWindowKind::Plain, &top};
    std::unique_ptr<TInPlaceComponent> component;
    BrowserHost() {
        top.SetBounds({215, 194, 215 + 691, 194 + 436});
        host.SetBounds({0, 41, 691, 436});
        component = CreateComponent(CLSID_WebBrowser);
        component->ActivateInPlace(&host);
    }
};

// Host window, component and activation: what start-up pays for the browser
// before any page is asked for.
void BM_BrowserControlReady(benchmark::State& state) {
    ComponentModelInitialize();
    const double before = ResidentBytes();
    for (auto _ : state) {
        BrowserHost host;
        benchmark::DoNotOptimize(host.component.get());
    }
    state.counters["rss_growth_MB"] = (ResidentBytes() - before) / 1e6;
    ComponentModelShutdown();
}
BENCHMARK(BM_BrowserControlReady)->Unit(benchmark::kMicrosecond);

// A navigation to the home page in a fresh view until its load has ended.
// The first iteration also starts the engine; the median is the view's own.
void BM_HomePageFirstNavigation(benchmark::State& state) {
    ComponentModelInitialize();
    const std::u16string home = Utf8ToUtf16(LaboratoryHomePage);
    for (auto _ : state) {
        BrowserHost host;
        auto browser = host.component->QueryWebBrowser2();
        browser->Navigate(home);
        if (!ProcessEventsUntil([&] { return browser->CompletedLoads() > 0 && !browser->Busy(); }, 20000))
            state.SkipWithError("the home page did not load within 20 s");
    }
    ComponentModelShutdown();
}
BENCHMARK(BM_HomePageFirstNavigation)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10)->Repetitions(3);

// The help window built from its description, with its browser control
// activated but no page loaded: what start-up pays for the help viewer.
void BM_HelpWindowStartUp(benchmark::State& state) {
    cvcalc::ComponentModelInitialize();
    // The first window also pays for the class tables and Qt's first
    // top-level window; its resident growth is the one start-up sees.
    const double beforeFirst = ResidentBytes();
    { cvcalc::TFormHTML first(nullptr); }
    state.counters["first_window_rss_MB"] = (ResidentBytes() - beforeFirst) / 1e6;
    const double before = ResidentBytes();
    for (auto _ : state) {
        cvcalc::TFormHTML form(nullptr);
        benchmark::DoNotOptimize(form.WebBrowserHelp);
    }
    state.counters["rss_growth_MB"] = (ResidentBytes() - before) / 1e6;
    cvcalc::ComponentModelShutdown();
}
BENCHMARK(BM_HelpWindowStartUp)->Unit(benchmark::kMicrosecond);

}  // namespace
