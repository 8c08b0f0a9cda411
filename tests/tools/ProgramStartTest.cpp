// The real program started where it cannot show a window: one clear line
// on standard error and a status that says it failed, not an abort inside
// the windowing platform.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct ProgramRun {
    int status = -1;  // -1: killed by a signal
    std::string output, errorOutput;
};

// `environment`: what `env` is given before the program (unsetting and
// setting variables).
ProgramRun RunProgram(const std::string& environment) {
    const std::string err = ::testing::TempDir() + "/program-start-" + std::to_string(getpid()) + ".txt";
    const std::string command =
        "env " + environment + " " + std::string(CVCALC_PROGRAM) + " 2> " + err + " < /dev/null";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream e(err);
    run.errorOutput.assign(std::istreambuf_iterator<char>(e), {});
    std::remove(err.c_str());
    return run;
}

TEST(ProgramStart, WithoutADisplayItSaysSoInOneLineAndFails) {
    const struct {
        const char* environment;
        const char* line;
    } cases[] = {
        {"-u DISPLAY -u QT_QPA_PLATFORM", "cvcalc: no display is available (DISPLAY is not set)\n"},
        {"-u QT_QPA_PLATFORM DISPLAY=", "cvcalc: no display is available (DISPLAY is not set)\n"},
        {"-u DISPLAY QT_QPA_PLATFORM=xcb", "cvcalc: no display is available (DISPLAY is not set)\n"},
        // No server listens there: display numbers this high are never used.
        {"-u QT_QPA_PLATFORM DISPLAY=:4093",
         "cvcalc: no display is available (the X display :4093 cannot be opened)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environment);
        const ProgramRun run = RunProgram(c.environment);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.errorOutput, c.line);
        EXPECT_EQ(run.output, "");
    }
}

}  // namespace
