// The scripted driver run as a whole process from a test: a script in, one
// JSON line per dump out, with scratch files of the test process's own.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace cvcalc::testing {

using nlohmann::json;

struct DriverRun {
    int status = -1;
    std::vector<json> dumps;
    std::string errorOutput;
};

// `environment`: assignments put before the command, as a shell takes them;
// `arguments`: the driver's command line after its name.
inline DriverRun RunDriver(const std::string& script, const std::string& environment = "",
                           const std::string& arguments = "") {
    // Test processes run side by side: each run has files of its own.
    static int runs = 0;
    const std::string stem =
        ::testing::TempDir() + "/driver-" + std::to_string(getpid()) + "-" + std::to_string(++runs);
    const std::string in = stem + "-in.txt", err = stem + "-err.txt";
    std::ofstream(in) << script;
    const std::string command =
        environment + " " + std::string(CVCALC_DRIVER) + " " + arguments + " < " + in + " 2> " + err;
    DriverRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::string line;
    char buffer[65536];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        line += buffer;
        if (!line.empty() && line.back() == '\n') {
            run.dumps.push_back(json::parse(line));
            line.clear();
        }
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream e(err);
    run.errorOutput.assign(std::istreambuf_iterator<char>(e), {});
    std::remove(in.c_str());
    std::remove(err.c_str());
    return run;
}

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string Scratch(const std::string& name) {
    return ::testing::TempDir() + "/driver-results-" + std::to_string(getpid()) + "-" + name;
}

}  // namespace cvcalc::testing
