// The interface language, the catalogue hook and the choice at start.
#include "platform/core/Translate.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "platform/core/AsciiCase.h"
#include "platform/core/FileWrite.h"
#include "platform/core/MachineSettings.h"

namespace cvcalc {
namespace {

Language language_ = Language::Japanese;
TextCatalogue catalogue_;

std::string Lookup(std::string_view context, std::string_view source, std::string_view place) {
    if (language_ == Language::Japanese || !catalogue_) return std::string(source);
    std::string answer = catalogue_(context, source, place);
    if (answer.empty()) return std::string(source);
    return answer;
}

// "ja_JP.UTF-8" -> "ja", "en@quot" -> "en", "C.UTF-8" -> "c".
std::string LanguagePart(std::string_view entry) {
    std::string out;
    for (char c : entry) {
        if (c == '_' || c == '.' || c == '@' || c == '-') break;
        out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return out;
}

}  // namespace

void SetInterfaceLanguage(Language language, TextCatalogue catalogue) {
    language_ = language;
    catalogue_ = language == Language::English ? std::move(catalogue) : TextCatalogue{};
}

Language InterfaceLanguage() { return language_; }

std::string Tr(std::string_view context, std::string_view source) { return Lookup(context, source, {}); }

std::string Tr(std::string_view context, std::string_view source, std::string_view place) {
    return Lookup(context, source, place);
}

std::string FillArgs(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < args.size()) {
                out += *(args.begin() + n);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::optional<Language> ParseLanguageName(std::string_view name) {
    if (SameTextAscii(name, "ja")) return Language::Japanese;
    if (SameTextAscii(name, "en")) return Language::English;
    return std::nullopt;
}

Language LanguageFromEnvironment(const std::function<const char*(const char*)>& getenv) {
    std::vector<std::string> list;
    if (const char* value = getenv("LANGUAGE"); value && *value) {
        std::string_view rest(value);
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            if (colon != 0) list.emplace_back(rest.substr(0, colon));
            if (colon == std::string_view::npos) break;
            rest.remove_prefix(colon + 1);
        }
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = getenv(name); value && *value) {
            list.emplace_back(value);
            break;
        }
    }
    if (list.empty()) return Language::Japanese;
    for (const std::string& entry : list) {
        const std::string part = LanguagePart(entry);
        if (part == "ja" || part == "c" || part == "posix") return Language::Japanese;
        if (part == "en") return Language::English;
    }
    return Language::English;
}

std::string UserSettingsFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (config && *config == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : "/") / ".config";
    }
    return (base / "cvcalc" / "settings.ini").string();
}

namespace {

// The settings file's lines; a file that is missing or is no small regular
// file (a pipe, a device, a folder) has none, and never stops the program.
std::vector<std::string> SettingsLines() {
    std::vector<std::string> lines;
    const std::optional<std::string> contents = ReadSmallRegularFile(UserSettingsFile());
    if (!contents) return lines;
    std::istringstream in(*contents);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

LanguageChoice SavedLanguageChoice() {
    LanguageChoice choice = LanguageChoice::Desktop;
    for (std::string line : SettingsLines()) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        constexpr std::string_view key = "Language=";
        if (line.compare(0, key.size(), key) != 0) continue;
        const std::string_view value = std::string_view(line).substr(key.size());
        if (const auto parsed = ParseLanguageName(value))
            choice = *parsed == Language::English ? LanguageChoice::English : LanguageChoice::Japanese;
        else
            choice = LanguageChoice::Desktop;
    }
    return choice;
}

void SaveLanguageChoice(LanguageChoice choice) {
    const std::string path = UserSettingsFile();
    // Other lines of the file are kept as they are.
    std::string kept;
    for (const std::string& line : SettingsLines())
        if (line.compare(0, 9, "Language=") != 0) kept += line + "\n";
    const char* value = choice == LanguageChoice::Japanese  ? "ja"
                        : choice == LanguageChoice::English ? "en"
                                                            : "desktop";
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    WriteFileReplacing(path, kept + "Language=" + value + "\n");
}

LanguageOption ReadLanguageOption(int argc, char** argv) {
    LanguageOption option;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg(argv[i]);
        std::string_view value;
        if (arg == "--language") {
            if (i + 1 == argc) {
                option.error = "--language needs ja or en";
                return option;
            }
            value = argv[++i];
        } else if (arg.substr(0, 11) == "--language=") {
            value = arg.substr(11);
        } else {
            option.error = "unknown argument '" + std::string(arg) + "' (usage: [--language ja|en])";
            return option;
        }
        option.language = ParseLanguageName(value);
        if (!option.language) {
            option.error = "--language takes ja or en, not '" + std::string(value) + "'";
            return option;
        }
    }
    return option;
}

Language StartLanguage(std::optional<Language> commandLine, bool readSavedChoice) {
    if (commandLine) return *commandLine;
    if (readSavedChoice) {
        const LanguageChoice saved = SavedLanguageChoice();
        if (saved == LanguageChoice::Japanese) return Language::Japanese;
        if (saved == LanguageChoice::English) return Language::English;
    }
    return LanguageFromEnvironment([](const char* name) { return std::getenv(name); });
}

}  // namespace cvcalc
