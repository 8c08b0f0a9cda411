// The start-up probe: a process that builds the fifty-control test window
// from its description, shows it, paints it once and reports how long that
// took since the process began and how much memory it holds.  With --hold it
// keeps the window open (for a screenshot under a real X server) until
// closed.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include "bench/FiftyControlsForm.h"
#include "framework/Form.h"
#include "framework/FrameworkClasses.h"
#include "platform/gui/MessageLoop.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/Reader.h"

namespace {
// Seconds since the kernel started this process (field 22 of /proc/self/stat,
// in clock ticks since boot, against CLOCK_BOOTTIME).  A tick is 10 ms, so
// this reads up to 10 ms long; bench/startup-probe passes the launch time
// instead (CVCALC_PROBE_LAUNCHED, seconds since the epoch to the
// microsecond, as bash's EPOCHREALTIME gives it).
double SecondsSinceProcessStart() {
    if (const char* launched = std::getenv("CVCALC_PROBE_LAUNCHED")) {
        // bash writes the locale's decimal separator.
        std::string text = launched;
        std::replace(text.begin(), text.end(), ',', '.');
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 -
               std::strtod(text.c_str(), nullptr);
    }
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    const char* p = text.c_str() + close + 2;
    for (int field = 3; field < 22 && *p != '\0'; ++field) p = std::strchr(p, ' ') + 1;
    const double started = std::strtod(p, nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 - started;
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}
}  // namespace

int main(int argc, char** argv) {
    const bool hold = argc > 1 && std::strcmp(argv[1], "--hold") == 0;
    cvcalc::RegisterFrameworkClasses();
    const std::vector<unsigned char> bytes = cvcalc::bench::FiftyControls();
    cvcalc::TForm form(nullptr);
    cvcalc::TMemoryStream stream(bytes);
    cvcalc::TReader(stream).ReadRoot(&form);
    cvcalc::SetMainForm(&form);
    form.Show();
    cvcalc::ProcessPendingPaints();
    std::printf("first paint %.1f ms after process start, resident %.1f MB\n", SecondsSinceProcessStart() * 1e3,
                static_cast<double>(ResidentKilobytes()) / 1024.0);
    std::fflush(stdout);
    if (!hold) std::_Exit(0);
    while (!cvcalc::QuitMessageReceived()) cvcalc::WaitForMessages();
    cvcalc::SetMainForm(nullptr);
    return 0;
}
