// A forgiving reader: the settings file is optional, so every oddity of it
// reads as "no value" rather than an error.
#include "platform/core/MachineSettings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

#include "platform/core/AsciiCase.h"

namespace cvcalc {

namespace {
std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::optional<std::uint32_t> ParseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint32_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

// Anything but a small regular file in its place (a named pipe, a device, a
// link to /dev/zero, a directory, something larger) must neither hang
// start-up nor eat memory, so it counts as no file.  The file is opened
// without blocking, so that a pipe nobody writes to cannot stop us before the
// type check.
std::optional<std::string> ReadSmallRegularFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> contents;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= MachineSettingsMaxBytes) {
        std::string data(MachineSettingsMaxBytes + 1, '\0');
        std::size_t got = 0;
        bool failed = false;
        while (got < data.size()) {
            const ssize_t n = read(fd, data.data() + got, data.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) failed = true;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        // A file that grew past the limit while we read it counts as none.
        if (!failed && got <= MachineSettingsMaxBytes) {
            data.resize(got);
            contents = std::move(data);
        }
    }
    close(fd);
    return contents;
}

std::optional<std::uint32_t> ReadMachineSetting(std::string_view name, const std::string& path) {
    const std::optional<std::string> contents = ReadSmallRegularFile(path);
    if (!contents) return std::nullopt;
    std::string_view rest = *contents;
    // Editors on some systems start a UTF-8 file with a byte-order mark.
    if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const std::string_view text = Trim(line);
        if (text.empty() || text.front() == ';' || text.front() == '#' || text.front() == '[') continue;
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) continue;
        if (SameTextAscii(Trim(text.substr(0, equals)), name)) return ParseNumber(Trim(text.substr(equals + 1)));
    }
    return std::nullopt;
}

}  // namespace cvcalc
