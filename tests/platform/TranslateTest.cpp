// The interface language: the desktop's language rule, the command line,
// the saved choice, and the catalogue hook with its placeholders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/core/Exception.h"
#include "platform/core/Translate.h"

namespace cvcalc {
namespace {

Language FromEnvironment(const std::map<std::string, std::string>& variables) {
    return LanguageFromEnvironment([&](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    });
}

TEST(LanguageRule, JapaneseFirstInTheDesktopsListOrNoSettingGivesJapanese) {
    EXPECT_EQ(FromEnvironment({}), Language::Japanese);
    EXPECT_EQ(FromEnvironment({{"LANG", "C"}}), Language::Japanese);
    EXPECT_EQ(FromEnvironment({{"LANG", "C.UTF-8"}}), Language::Japanese);
    EXPECT_EQ(FromEnvironment({{"LC_ALL", "POSIX"}}), Language::Japanese);
    EXPECT_EQ(FromEnvironment({{"LANG", "ja_JP.UTF-8"}}), Language::Japanese);
    // Qt's usual loader would find no Japanese catalogue and fall through
    // to English here.
    EXPECT_EQ(FromEnvironment({{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}}), Language::Japanese);
    EXPECT_EQ(FromEnvironment({{"LANGUAGE", "de:ja_JP:en"}}), Language::Japanese);
    // An empty LANGUAGE or an empty entry is no setting.
    EXPECT_EQ(FromEnvironment({{"LANGUAGE", ""}, {"LANG", "ja_JP.eucJP"}}), Language::Japanese);
    EXPECT_EQ(FromEnvironment({{"LANGUAGE", "::ja"}}), Language::Japanese);
    EXPECT_EQ(FromEnvironment({{"LANG", ""}}), Language::Japanese);
}

TEST(LanguageRule, EnglishFirstOrAnyOtherLanguageGivesEnglish) {
    EXPECT_EQ(FromEnvironment({{"LANG", "en_GB.UTF-8"}}), Language::English);
    EXPECT_EQ(FromEnvironment({{"LANGUAGE", "en:ja"}, {"LANG", "ja_JP.UTF-8"}}), Language::English);
    // A German desktop reads English.
    EXPECT_EQ(FromEnvironment({{"LANG", "de_DE.UTF-8"}}), Language::English);
    EXPECT_EQ(FromEnvironment({{"LANGUAGE", "fr:de"}}), Language::English);
    // LANGUAGE comes first, then the locale as the C library chooses it:
    // LC_ALL over LC_MESSAGES over LANG.
    EXPECT_EQ(FromEnvironment({{"LC_ALL", "en_US.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}), Language::English);
    EXPECT_EQ(FromEnvironment({{"LC_MESSAGES", "de_AT"}, {"LANG", "ja_JP.UTF-8"}}), Language::English);
    EXPECT_EQ(FromEnvironment({{"LC_ALL", "C"}, {"LANG", "en_US.UTF-8"}}), Language::Japanese);
    EXPECT_EQ(FromEnvironment({{"LANGUAGE", "de"}, {"LANG", "ja_JP.UTF-8"}}), Language::Japanese);
    EXPECT_EQ(FromEnvironment({{"LANGUAGE", "EN_us"}}), Language::English);
}

TEST(LanguageOption, CommandLineNamesJaOrEnAndRefusesEverythingElse) {
    const auto read = [](std::vector<std::string> words) {
        std::vector<char*> argv;
        static std::string program = "cvcalc";
        argv.push_back(program.data());
        for (std::string& w : words) argv.push_back(w.data());
        return ReadLanguageOption(static_cast<int>(argv.size()), argv.data());
    };
    EXPECT_FALSE(read({}).language);
    EXPECT_TRUE(read({}).error.empty());
    EXPECT_EQ(read({"--language", "en"}).language, Language::English);
    EXPECT_EQ(read({"--language=ja"}).language, Language::Japanese);
    EXPECT_EQ(read({"--language", "EN"}).language, Language::English);
    // The last one counts, as with most programs.
    EXPECT_EQ(read({"--language", "ja", "--language", "en"}).language, Language::English);
    EXPECT_EQ(read({"--language", "de"}).error, "--language takes ja or en, not 'de'");
    EXPECT_EQ(read({"--language"}).error, "--language needs ja or en");
    EXPECT_EQ(read({"--language="}).error, "--language takes ja or en, not ''");
    EXPECT_EQ(read({"--lang", "en"}).error, "unknown argument '--lang' (usage: [--language ja|en])");
}

// The user's settings in a folder of the test's own.
class SavedChoice : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("cvcalc-settings-" + std::to_string(getpid()));
        std::filesystem::remove_all(dir_);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old) saved_ = old;
        setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    void TearDown() override {
        if (saved_)
            setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(dir_);
    }
    std::filesystem::path dir_;
    std::optional<std::string> saved_;
};

TEST_F(SavedChoice, ChoiceIsKeptInTheUsersSettingsBesideOtherLines) {
    EXPECT_EQ(UserSettingsFile(), (dir_ / "cvcalc" / "settings.ini").string());
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::Desktop);
    SaveLanguageChoice(LanguageChoice::English);
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::English);
    {
        std::ofstream out(UserSettingsFile(), std::ios::app);
        out << "Other=1\n";
    }
    SaveLanguageChoice(LanguageChoice::Japanese);
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::Japanese);
    std::ifstream in(UserSettingsFile());
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "Other=1\nLanguage=ja\n");
    SaveLanguageChoice(LanguageChoice::Desktop);
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::Desktop);
}

TEST_F(SavedChoice, CommandLineOverSavedChoiceOverDesktop) {
    setenv("LANGUAGE", "en", 1);
    EXPECT_EQ(StartLanguage(std::nullopt, true), Language::English);
    SaveLanguageChoice(LanguageChoice::Japanese);
    EXPECT_EQ(StartLanguage(std::nullopt, true), Language::Japanese);
    // The driver reads no saved choice: a script runs the same everywhere.
    EXPECT_EQ(StartLanguage(std::nullopt, false), Language::English);
    EXPECT_EQ(StartLanguage(Language::English, true), Language::English);
    unsetenv("LANGUAGE");
}

TEST_F(SavedChoice, APipeOrAFolderInTheSettingsPlaceIsNoChoiceAndNoHang) {
    std::filesystem::create_directories(dir_ / "cvcalc");
    const std::string path = UserSettingsFile();
    // Nobody writes into the pipe: reading it would wait for ever.
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::Desktop);
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::Desktop);
    EXPECT_THROW(SaveLanguageChoice(LanguageChoice::English), Exception);
}

TEST_F(SavedChoice, UnwritableSettingsFolderRaisesTheSaveError) {
    // A file where the folder should be.
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / "cvcalc") << "in the way";
    EXPECT_THROW(SaveLanguageChoice(LanguageChoice::English), Exception);
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::Desktop);
}

TEST(Catalogue, JapaneseAnswersTheSourceAndEnglishTheCatalogueOrTheSource) {
    SetInterfaceLanguage(Language::Japanese);
    EXPECT_EQ(Tr("C", "計算"), "計算");
    SetInterfaceLanguage(Language::English,
                         [](std::string_view context, std::string_view source, std::string_view place) -> std::string {
                             if (context == "C" && source == "計算")
                                 return place == "B.Caption" ? "Calc." : "Calculate";
                             return {};
                         });
    EXPECT_EQ(Tr("C", "計算"), "Calculate");
    EXPECT_EQ(Tr("C", "計算", "B.Caption"), "Calc.");
    EXPECT_EQ(Tr("D", "計算"), "計算");
    EXPECT_EQ(Tr("C", "リセット"), "リセット");
    SetInterfaceLanguage(Language::Japanese, [](std::string_view, std::string_view, std::string_view) {
        return std::string("never asked");
    });
    EXPECT_EQ(Tr("C", "計算"), "計算");
}

TEST(Catalogue, PlaceholdersAreFilledInTheTranslationsOrder) {
    EXPECT_EQ(FillArgs("%2 of %1", {"a", "b"}), "b of a");
    EXPECT_EQ(FillArgs("%1 は %1", {"x"}), "x は x");
    // A number without an argument, and a per cent sign, stay as written.
    EXPECT_EQ(FillArgs("%1 % of %3", {"50"}), "50 % of %3");
    EXPECT_EQ(FillArgs("100%", {}), "100%");
}

}  // namespace
}  // namespace cvcalc
