// Message lookup over the embedded table "number<TAB>text" per line.
#include "platform/core/MessageTable.h"

#include <charconv>

#include "platform/core/Resources.h"
#include "platform/core/Translate.h"

namespace cvcalc {

std::string LoadMessage(int id) {
    const auto table = FindResource(RT_STRING, "MESSAGES");
    if (!table) return {};
    const std::string_view text(reinterpret_cast<const char*>(table->data()), table->size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) continue;
        int number = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + tab, number);
        if (ec == std::errc() && ptr == line.data() + tab && number == id) return Tr("Messages", line.substr(tab + 1));
    }
    return {};
}

std::string FormatMessageText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            out += c;
            continue;
        }
        const char d = pattern[i + 1];
        if (d == '%') {
            out += '%';
            ++i;
        } else if ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z')) {
            if (next != args.end()) out += *next++;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string LoadMessageFormatted(int id, std::initializer_list<std::string_view> args) {
    return FormatMessageText(LoadMessage(id), args);
}

}  // namespace cvcalc
