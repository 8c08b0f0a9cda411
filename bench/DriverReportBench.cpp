// The run report through the driver as a process, as a script would make
// it: start, one run at the defaults, the whole PDF with its five vector
// charts, end.  And the memory the report costs a running program whose
// help window has loaded its page (the web engine started): the driver's
// resident size after `click ButtonHTML` and again after `report`.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const std::string Pdf = "/tmp/cvcalc-bench-report-" + std::to_string(getpid()) + ".pdf";

void BM_ReportPdf(benchmark::State& state) {
    const std::string command = "printf 'click ButtonCalcuationCV\\nreport " + Pdf +
                                "\\n' | QT_QPA_PLATFORM=offscreen " CVCALC_DRIVER " >/dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("the driver failed");
    std::remove(Pdf.c_str());
}
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// The driver's resident size in bytes, read while it waits for its next line.
double Resident(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    double kilobytes = 0;
    while (status >> key)
        if (key == "VmRSS:") {
            status >> kilobytes;
            break;
        }
    return kilobytes * 1024;
}

void BM_ReportPdfMemory(benchmark::State& state) {
    double grown = 0, base = 0;
    for (auto _ : state) {
        int toDriver[2], fromDriver[2];
        if (pipe(toDriver) != 0 || pipe(fromDriver) != 0) {
            state.SkipWithError("no pipes");
            return;
        }
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(toDriver[0], 0);
            dup2(fromDriver[1], 1);
            close(toDriver[1]);
            close(fromDriver[0]);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            execl(CVCALC_DRIVER, CVCALC_DRIVER, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toDriver[0]);
        close(fromDriver[1]);
        FILE* out = fdopen(toDriver[1], "w");
        FILE* in = fdopen(fromDriver[0], "r");
        std::string line;
        auto waitForDump = [&] {
            std::fputs("dump\n", out);
            std::fflush(out);
            int c;
            while ((c = std::fgetc(in)) != EOF && c != '\n') {
            }
        };
        std::fputs("click ButtonCalcuationCV\nclick ButtonHTML\n", out);
        waitForDump();
        base = Resident(pid);
        std::fputs(("report " + Pdf + "\n").c_str(), out);
        waitForDump();
        grown = Resident(pid) - base;
        std::fclose(out);
        std::fclose(in);
        waitpid(pid, nullptr, 0);
    }
    state.counters["start_MB"] = base / 1e6;
    state.counters["grown_MB"] = grown / 1e6;
    std::remove(Pdf.c_str());
}
BENCHMARK(BM_ReportPdfMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
