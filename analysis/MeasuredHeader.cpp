// Reading the units in a measured file's column titles: the unit a title
// names by its brackets or its last word, and the unit-like words that make
// a title ambiguous.
#include "analysis/MeasuredHeader.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace cvcalc {

namespace {

constexpr std::string_view MicroSign = "\xC2\xB5";  // U+00B5
constexpr std::string_view GreekMu = "\xCE\xBC";    // U+03BC

struct UnitName {
    std::string_view name;  // in lower case
    CapacitanceUnit unit;
};

// Every capacitance unit name a title may use, compared without regard to
// case.  Millifarads are missing on purpose: "MF" and "mfd" once meant
// microfarads, so only the exact "mF" and the whole word count (below).
constexpr UnitName CapacitanceUnitNames[] = {
    {"f", CapacitanceUnit::Farad},
    {"farad", CapacitanceUnit::Farad},
    {"farads", CapacitanceUnit::Farad},
    {"millifarad", CapacitanceUnit::Millifarad},
    {"millifarads", CapacitanceUnit::Millifarad},
    {"uf", CapacitanceUnit::Microfarad},
    {"\xC2\xB5"
     "f",
     CapacitanceUnit::Microfarad},
    {"\xCE\xBC"
     "f",
     CapacitanceUnit::Microfarad},
    {"microfarad", CapacitanceUnit::Microfarad},
    {"microfarads", CapacitanceUnit::Microfarad},
    {"nf", CapacitanceUnit::Nanofarad},
    {"nanofarad", CapacitanceUnit::Nanofarad},
    {"nanofarads", CapacitanceUnit::Nanofarad},
    {"pf", CapacitanceUnit::Picofarad},
    {"picofarad", CapacitanceUnit::Picofarad},
    {"picofarads", CapacitanceUnit::Picofarad},
    {"ff", CapacitanceUnit::Femtofarad},
    {"femtofarad", CapacitanceUnit::Femtofarad},
    {"femtofarads", CapacitanceUnit::Femtofarad},
    {"af", CapacitanceUnit::Attofarad},
    {"attofarad", CapacitanceUnit::Attofarad},
    {"attofarads", CapacitanceUnit::Attofarad},
};

constexpr std::string_view VoltUnitNames[] = {"v", "volt", "volts"};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// Letters make words; a byte beyond ASCII counts as a letter, so that "µF"
// is one word.
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !IsLetter(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && IsLetter(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The text inside the title's last complete group in parentheses or
// brackets, blanks trimmed.
std::optional<std::string_view> BracketedText(std::string_view title) {
    const std::size_t close = title.find_last_of(")]");
    if (close == std::string_view::npos) return std::nullopt;
    const std::size_t open = title.rfind(title[close] == ')' ? '(' : '[', close);
    if (open == std::string_view::npos) return std::nullopt;
    return Trimmed(title.substr(open + 1, close - open - 1));
}

std::optional<CapacitanceUnit> CapacitanceUnitNamed(std::string_view word) {
    if (word == "mF") return CapacitanceUnit::Millifarad;
    const std::string lower = Lower(word);
    for (const UnitName& name : CapacitanceUnitNames)
        if (lower == name.name) return name.unit;
    return std::nullopt;
}

// A farad word, or "F" or the old "FD" after nothing or a metric prefix:
// what a writer of a unit would write, whether or not it is one the program
// knows ("MF", "mfd", "kF").  Other words ending in "f" ("of") are words.
bool LooksLikeCapacitanceUnit(std::string_view word) {
    const std::string lower = Lower(word);
    if (lower.find("farad") != std::string::npos) return true;
    std::string_view rest = lower;
    if (rest.ends_with("fd")) rest.remove_suffix(1);
    if (!rest.ends_with('f')) return false;
    rest.remove_suffix(1);
    return rest.empty() || rest == MicroSign || rest == GreekMu ||
           (rest.size() == 1 && std::string_view("afpnumcdk").find(rest.front()) != std::string_view::npos);
}

bool IsVolt(std::string_view word) {
    const std::string lower = Lower(word);
    return std::find(std::begin(VoltUnitNames), std::end(VoltUnitNames), lower) != std::end(VoltUnitNames);
}

// A voltage unit with a prefix: "mV", "kV", "µV", "millivolts".
bool LooksLikeOtherVoltageUnit(std::string_view word) {
    const std::string lower = Lower(word);
    if (lower.find("volt") != std::string::npos && lower.find("voltage") == std::string::npos) return !IsVolt(word);
    if (lower.size() < 2 || lower.back() != 'v') return false;
    const std::string_view prefix = std::string_view(lower).substr(0, lower.size() - 1);
    return prefix == "m" || prefix == "u" || prefix == "n" || prefix == "k" || prefix == MicroSign || prefix == GreekMu;
}

bool VoltageTitleIsInVolts(std::string_view title) {
    if (const auto text = BracketedText(title)) return IsVolt(*text);
    const std::vector<std::string_view> words = Words(title);
    return std::none_of(words.begin(), words.end(), LooksLikeOtherVoltageUnit);
}

}  // namespace

std::string_view UnitSymbol(CapacitanceUnit unit) {
    switch (unit) {
    case CapacitanceUnit::Farad:
        return "F";
    case CapacitanceUnit::Millifarad:
        return "mF";
    case CapacitanceUnit::Microfarad:
        return "\xC2\xB5"
               "F";
    case CapacitanceUnit::Nanofarad:
        return "nF";
    case CapacitanceUnit::Picofarad:
        break;
    case CapacitanceUnit::Femtofarad:
        return "fF";
    case CapacitanceUnit::Attofarad:
        return "aF";
    }
    return "pF";
}

HeaderUnits ReadHeaderUnits(std::string_view voltageTitle, std::string_view capacitanceTitle) {
    HeaderUnits units;
    if (!VoltageTitleIsInVolts(voltageTitle)) {
        units.Fault = HeaderFault::VoltageUnit;
        return units;
    }
    if (const auto text = BracketedText(capacitanceTitle)) {
        const auto unit = CapacitanceUnitNamed(*text);
        if (!unit) {
            units.Fault = HeaderFault::CapacitanceUnit;
        } else {
            units.Unit = *unit;
            units.UnitAssumed = false;
        }
        return units;
    }
    const std::vector<std::string_view> words = Words(capacitanceTitle);
    if (!words.empty()) {
        if (const auto unit = CapacitanceUnitNamed(words.back())) {
            units.Unit = *unit;
            units.UnitAssumed = false;
            return units;
        }
    }
    if (std::any_of(words.begin(), words.end(), LooksLikeCapacitanceUnit)) units.Fault = HeaderFault::CapacitanceUnit;
    return units;
}

}  // namespace cvcalc
