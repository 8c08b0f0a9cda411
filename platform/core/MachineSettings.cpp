// A forgiving reader: the settings file is optional, so every oddity of it
// reads as "no value" rather than an error.
#include "platform/core/MachineSettings.h"

#include "platform/core/AsciiCase.h"

#include <charconv>
#include <fstream>

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

std::optional<std::uint32_t> ReadMachineSetting(std::string_view name, const std::string& path) {
    std::ifstream file(path);
    if (!file) return std::nullopt;
    std::string line;
    while (std::getline(file, line)) {
        const std::string_view text = Trim(line);
        if (text.empty() || text.front() == ';' || text.front() == '#' || text.front() == '[') continue;
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) continue;
        if (SameTextAscii(Trim(text.substr(0, equals)), name)) return ParseNumber(Trim(text.substr(equals + 1)));
    }
    return std::nullopt;
}

}  // namespace cvcalc
