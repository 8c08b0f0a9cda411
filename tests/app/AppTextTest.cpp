// The application's title and the full-stop rule of the error box.
#include <gtest/gtest.h>

#include "shell/app/AppText.h"

using namespace cvcalc;

namespace {
TEST(ApplicationTitle, ComesFromTheExecutablesName) {
    const struct {
        const char* path;
        const char* title;
    } table[] = {
        {"/usr/bin/CvCalc.exe", "Cvcalc"},
        {"/opt/cvcalc/bin/cvcalc", "cvcalc"},
        {"/home/u/My.Tool.v2", "My"},
        {"relative/CVCALC", "Cvcalc"},
        {"NoSlash.bin", "Noslash"},
        {"/dir.with.dots/Prog", "Prog"},
        {"/usr/bin/", ""},
        {"/usr/bin/.hidden", ""},
        {"/bin/Ａbc", "Ａbc"},  // a multibyte first character stays whole
        {"/bin/ÄÖÜ", "ÄÖÜ"},    // only ASCII letters are folded
        {"", ""},
    };
    for (const auto& row : table) EXPECT_EQ(ApplicationTitleFromPath(row.path), row.title) << row.path;
    // A path longer than 256 characters keeps its name.
    EXPECT_EQ(ApplicationTitleFromPath("/" + std::string(300, 'd') + "/CvCalc"), "Cvcalc");
}

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersAboveIt) {
    const struct {
        const char* message;
        const char* text;
    } table[] = {
        {"", ""},
        {"abc", "abc."},
        {"abc.", "abc."},
        {"Wrong!", "Wrong!"},
        {"(see above)", "(see above)"},
        {"value 5", "value 5."},
        {"a,", "a,"},
        {"a-", "a-"},
        {"a/", "a/."},
        {"0 による浮動小数点数除算", "0 による浮動小数点数除算."},
        {"終わり。", "終わり。."},
        {"'x' は浮動小数点数ではありません", "'x' は浮動小数点数ではありません."},
    };
    for (const auto& row : table) EXPECT_EQ(ErrorBoxText(row.message), row.text) << row.message;
}
}  // namespace
