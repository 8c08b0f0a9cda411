// The interface language.  The program's texts are written in Japanese, its
// own language and its default; an English catalogue (translations/
// cvcalc_en.ts, compiled into the program) answers them when the interface
// speaks English.  Source texts are marked for Qt's lupdate, which reads
// `Tr` as a translate call and `TrNoop` as a translate-no-op:
//
//     Tr("ChartMenu", "画像をコピー")          the text in the interface language
//     TrNoop("Charts", "エネルギーバンド図")   a literal the catalogue lists,
//                                              translated later with Tr
//
// A text made of pieces is one catalogue entry with %1, %2 … in it, filled
// after translation, so that a translation may order its words as its
// language does:
//
//     FillArgs(Tr("ChartMenu", "保持 %1 件"), {count})
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace cvcalc {

enum class Language { Japanese, English };

// The catalogue's answer for (context, source, place), or an empty string
// when it has none; `place` tells apart one source text in two places (a
// form's "Label3.Caption").
using TextCatalogue =
    std::function<std::string(std::string_view context, std::string_view source, std::string_view place)>;

// Chosen once at start, before any window is made.  Japanese needs no
// catalogue.
void SetInterfaceLanguage(Language language, TextCatalogue catalogue = {});
Language InterfaceLanguage();
inline bool InterfaceSpeaksEnglish() { return InterfaceLanguage() == Language::English; }

std::string Tr(std::string_view context, std::string_view source);
std::string Tr(std::string_view context, std::string_view source, std::string_view place);

// `pattern` with %1 … %9 replaced by the arguments (a number without an
// argument stays as it is).
std::string FillArgs(std::string_view pattern, std::initializer_list<std::string_view> args);

constexpr const char* TrNoop(const char* /*context*/, const char* source) { return source; }

// --- Choosing the language -------------------------------------------------------------

// "ja" or "en" (any case); nothing for other text.
std::optional<Language> ParseLanguageName(std::string_view name);

// The desktop's language list decides: LANGUAGE (a colon-separated list),
// then the locale LC_ALL, LC_MESSAGES or LANG names (the first that is set,
// as the C library chooses).  The first entry that is Japanese, C or POSIX
// gives Japanese, the first that is English gives English; a list that names
// neither gives English (a German desktop reads English), and no setting at
// all gives Japanese.  `getenv` answers nullptr for an unset variable.
Language LanguageFromEnvironment(const std::function<const char*(const char*)>& getenv);

// The saved choice of the chart menu's 言語 / Language: "ja", "en" or
// "desktop" in $XDG_CONFIG_HOME/cvcalc/settings.ini (~/.config when unset).
enum class LanguageChoice { Desktop, Japanese, English };
std::string UserSettingsFile();
LanguageChoice SavedLanguageChoice();
// Throws EFileWrite when the file cannot be written.
void SaveLanguageChoice(LanguageChoice choice);

// `--language ja|en` (or `--language=en`) among a program's arguments;
// `error` says what is wrong with arguments the program cannot read.
struct LanguageOption {
    std::optional<Language> language;
    std::string error;
};
LanguageOption ReadLanguageOption(int argc, char** argv);

// What the program starts in: the command line's --language, else the
// saved choice, else the desktop's list.
Language StartLanguage(std::optional<Language> commandLine, bool readSavedChoice);

}  // namespace cvcalc
