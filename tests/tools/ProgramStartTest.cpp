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
// setting variables); `arguments`: the program's command line.
ProgramRun RunProgram(const std::string& environment, const std::string& arguments = "") {
    const std::string err = ::testing::TempDir() + "/program-start-" + std::to_string(getpid()) + ".txt";
    const std::string command =
        "env " + environment + " " + std::string(CVCALC_PROGRAM) + " " + arguments + " 2> " + err + " < /dev/null";
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

// A command line the program cannot read is said before any window or
// display is looked for: no display is needed to be told.
TEST(ProgramStart, ACommandLineItCannotReadIsRefusedInOneLine) {
    const struct {
        const char* arguments;
        const char* line;
    } cases[] = {
        {"--language de", "cvcalc: --language takes ja or en, not 'de'\n"},
        {"--language", "cvcalc: --language needs ja or en\n"},
        {"-l en", "cvcalc: unknown argument '-l' (usage: [--language ja|en])\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ProgramRun run = RunProgram("-u DISPLAY -u QT_QPA_PLATFORM", c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.errorOutput, c.line);
    }
    // A language it can read goes on to look for the display.
    const ProgramRun run = RunProgram("-u DISPLAY -u QT_QPA_PLATFORM", "--language en");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errorOutput, "cvcalc: no display is available (DISPLAY is not set)\n");
}

}  // namespace
