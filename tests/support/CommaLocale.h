// A German locale for tests that need a comma as the decimal separator.  It
// is compiled with localedef into the build tree once (from the `locales`
// package's sources, which scripts/setup installs) and reached through
// LOCPATH, so the tests do not depend on the locales a machine happens to
// have installed.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace cvcalc::testing {

inline constexpr const char* CommaLocaleName = "de_DE.UTF-8";

// The folder to put into LOCPATH, or an empty string when the locale could
// not be made (the reason is written to `why`).  Test processes may run side
// by side: each compiles into a folder of its own and renames it into place;
// whoever comes second uses the first one's.
inline std::string CommaLocaleDirectory(std::string* why = nullptr) {
    namespace fs = std::filesystem;
    const fs::path root = CVCALC_TEST_LOCALES;
    const fs::path target = root / CommaLocaleName;
    std::error_code ignored;
    if (fs::exists(target / "LC_NUMERIC", ignored)) return root.string();
    const fs::path scratch = root / ("making-" + std::to_string(getpid()));
    fs::create_directories(scratch, ignored);
    const std::string command = "localedef -c -i de_DE -f UTF-8 '" + (scratch / CommaLocaleName).string() + "' 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
        pclose(pipe);
    }
    fs::rename(scratch / CommaLocaleName, target, ignored);
    fs::remove_all(scratch, ignored);
    if (fs::exists(target / "LC_NUMERIC", ignored)) return root.string();
    if (why != nullptr) *why = "localedef could not make " + std::string(CommaLocaleName) + ": " + output;
    return {};
}

}  // namespace cvcalc::testing
