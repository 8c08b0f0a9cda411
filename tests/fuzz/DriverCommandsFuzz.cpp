// libFuzzer target: the scripted driver's command language.  Each input is a
// script, one command a line, run against one session whose windows live as
// long as the fuzzer.  Every script starts from the reset program, with no
// runs held and no error boxes recorded: otherwise what earlier scripts left
// would make every later one dearer (eight held runs in every paint and
// dump, every box ever shown in every dump) and a failing script would not
// fail again alone.  Zoom and window state carry over.
// A command must run or be refused; every dump must be one line of valid
// JSON.  Windows are painted only where a script looks at them (a dump,
// an export, the mouse on a chart), not after every command.  Commands that
// read or write files or start the web engine are left out.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "platform/gui/GuiPlatform.h"
#include "tools/driver/DriverSession.h"

namespace {

bool LeftOut(std::string line) {
    std::transform(line.begin(), line.end(), line.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* word :
         {"snapshot", "html", "kestrel", "back", "forward", "export", "report", "import", "language"})
        if (line.find(word) != std::string::npos) return true;
    return false;
}

cvcalc::DriverSession& Session() {
    static std::unique_ptr<cvcalc::DriverSession> session = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        cvcalc::InitPlatform();
        auto s = std::make_unique<cvcalc::DriverSession>([](std::string_view text) {
            if (text.empty() || text.back() != '\n' || text.find('\n') != text.size() - 1) std::abort();
            // A dump the same as one already read is valid JSON again; most
            // scripts dump states seen before, and reading a whole run's
            // quarter megabyte costs more than the script.
            static std::deque<std::string> read;
            if (std::find(read.begin(), read.end(), text) != read.end()) return;
            if (!nlohmann::json::accept(text)) std::abort();
            read.emplace_back(text);
            if (read.size() > 16) read.pop_front();
        });
        s->Start();
        s->PaintOnlyWhenLookedAt();
        return s;
    }();
    return *session;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cvcalc::DriverSession& session = Session();
    for (const char* line : {"clearholds", "clearmeasured", "click ButtonReset"}) session.Run(line);
    session.ForgetErrors();
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    std::size_t at = 0;
    while (at < script.size()) {
        const std::size_t end = std::min(script.find('\n', at), script.size());
        std::string line(script.substr(at, end - at));
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (LeftOut(line)) continue;
        // The driver stops at a line it cannot read; so does the script.
        if (!session.Run(line)) break;
    }
    return 0;
}
