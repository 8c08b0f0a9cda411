// The driver in the two interface languages: --language and the desktop's
// language list choose (a saved choice of the menu never does), and a whole
// English session leaves no Japanese character in its dump, its report or
// its files, except in what the student typed or loaded.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/InterfaceLanguage.h"
#include "tests/tools/DriverRun.h"

namespace cvcalc::testing {
namespace {

namespace fs = std::filesystem;

// The box a bad donor density gives, in the language the run chose.
std::string BadInputBox(const std::string& environment, const std::string& arguments = "") {
    const DriverRun run =
        RunDriver("set EditDonorDensity abc\nclick ButtonCalcuationCV\ndump\n", environment, arguments);
    EXPECT_EQ(run.status, 0) << run.errorOutput;
    if (run.dumps.size() != 1 || run.dumps[0]["errors"].size() != 1) return "no box: " + run.errorOutput;
    return run.dumps[0]["errors"][0]["text"];
}

const std::string Japanese = "'abc' は浮動小数点数ではありません.";
const std::string English = "'abc' is not a valid floating point value.";

// Each run starts from an environment of its own: nothing of the test's.
const std::string Clean = "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG";

TEST(DriverLanguage, TheDesktopsLanguageListChoosesWithJapaneseFirstInItOrNoneAtAll) {
    EXPECT_EQ(BadInputBox(Clean), Japanese);
    EXPECT_EQ(BadInputBox(Clean + " LANG=C"), Japanese);
    EXPECT_EQ(BadInputBox(Clean + " LC_ALL=POSIX"), Japanese);
    EXPECT_EQ(BadInputBox(Clean + " LANG=ja_JP.UTF-8"), Japanese);
    EXPECT_EQ(BadInputBox(Clean + " LANG=en_US.UTF-8"), English);
    // A German desktop reads English.
    EXPECT_EQ(BadInputBox(Clean + " LANG=de_DE.UTF-8"), English);
    // No Japanese catalogue exists, yet Japanese comes first: Japanese.
    EXPECT_EQ(BadInputBox(Clean + " LANGUAGE=ja:en LANG=en_US.UTF-8"), Japanese);
    EXPECT_EQ(BadInputBox(Clean + " LANGUAGE=en:ja LANG=ja_JP.UTF-8"), English);
    EXPECT_EQ(BadInputBox(Clean + " LC_ALL=en_GB.UTF-8 LANG=ja_JP.UTF-8"), English);
}

TEST(DriverLanguage, CommandLineDecidesAndASavedMenuChoiceDoesNot) {
    const fs::path config = Scratch("language-config");
    fs::remove_all(config);
    const std::string home = Clean + " XDG_CONFIG_HOME=" + config.string();
    // The menu's choice, saved as the program would save it.
    const DriverRun chose = RunDriver("language en\ndump\n", home + " LANG=C");
    ASSERT_EQ(chose.status, 0) << chose.errorOutput;
    ASSERT_EQ(chose.dumps.size(), 1u);
    ASSERT_EQ(chose.dumps[0]["errors"].size(), 1u);
    EXPECT_EQ(chose.dumps[0]["errors"][0]["text"], "言語を「English」にしました。次に起動したときから使われます。");
    EXPECT_EQ(Slurp((config / "cvcalc" / "settings.ini").string()), "Language=en\n");
    // A script runs the same on every machine: the saved choice is not read.
    EXPECT_EQ(BadInputBox(home + " LANG=C"), Japanese);
    EXPECT_EQ(BadInputBox(home + " LANG=en_US.UTF-8", "--language ja"), Japanese);
    EXPECT_EQ(BadInputBox(home + " LANGUAGE=ja", "--language=en"), English);
    // What the command line cannot read ends the driver before it starts.
    for (const char* bad : {"--language de", "--language", "--lang en", "extra"}) {
        const DriverRun refused = RunDriver("dump\n", home, bad);
        EXPECT_EQ(refused.status, 2) << bad;
        EXPECT_TRUE(refused.dumps.empty()) << bad;
        EXPECT_EQ(refused.errorOutput.rfind("cvcalc-driver: ", 0), 0u) << refused.errorOutput;
    }
    EXPECT_EQ(RunDriver("language fr\n", home).status, 2);
    fs::remove_all(config);
}

// Every file below `folder`, read whole.
std::vector<std::pair<std::string, std::string>> FilesUnder(const fs::path& folder) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.emplace_back(entry.path().string(), Slurp(entry.path().string()));
    return files;
}

TEST(DriverLanguage, AWholeEnglishSessionLeavesNoJapaneseOutsideTheStudentsData) {
    const fs::path folder = Scratch("english-session");
    fs::remove_all(folder);
    fs::create_directories(folder / "all");
    // The student's own file: its comment is theirs, in their language.
    const std::string measured = (folder / "diode.csv").string();
    std::ofstream(measured) << "# 測定: 2026年12月 ダイオード A\nV,C (nF)\n";
    // 1/C² = 4 (1 V − V) nF^-2: an abrupt junction's straight line.
    for (int i = 0; i < 12; ++i) {
        const double v = -3 + 0.3 * i;
        std::ofstream(measured, std::ios::app) << v << "," << 0.5 / std::sqrt(1 - v) << "\n";
    }
    const std::string f = folder.string() + "/";
    const DriverRun run = RunDriver(
        "set EditDonorDensity 2e16\nclick ButtonCalcuationCV\nhold\nset EditBias -3\nclick ButtonCalcuationCV\nhold\n"
        "set EditAcceptorDensity zzz\nclick ButtonCalcuationCV\n"
        "set EditAcceptorDensity 1e17\nclick ButtonCalcuationCV\n"
        "import " +
            measured + "\nfit\nprofile\ngradefit\nimport " + f +
            "missing.csv\n"
            "drag ChartC2V right 200 100 200 100\n"
            "report " +
            f + "report.html\nreport " + f +
            "report.pdf\n"
            "export ChartCV " +
            f + "cv.svg\nexport ChartC2V " + f + "c2v.csv\nexport ChartC2V " + f +
            "c2v.pdf\n"
            "export ChartProfile " +
            f + "profile.svg\nexport ChartProfile " + f +
            "profile.csv\n"
            "exportall " +
            f + "all\nlanguage desktop\ndump\n",
        Clean + " XDG_CONFIG_HOME=" + f + "config LANG=C", "--language en");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 1u);
    const json& dump = run.dumps[0];
    // The three boxes: the bad input, the missing file, the language.
    ASSERT_EQ(dump["errors"].size(), 3u) << dump["errors"];
    EXPECT_EQ(dump["errors"][0]["text"], "'zzz' is not a valid floating point value.");
    EXPECT_EQ(dump["errors"][2]["caption"], "Language");
    EXPECT_FALSE(dump["fit"].is_null());
    EXPECT_FALSE(dump["profile"].is_null());
    const std::string dumped = dump.dump();
    EXPECT_EQ(FindJapanese(dumped), std::string::npos) << dumped.substr(FindJapanese(dumped), 120);
    EXPECT_EQ(dump["labels"]["Label3"], "Donor density");

    // The student's own words are found where they are.
    EXPECT_NE(FindJapanese(Slurp(measured)), std::string::npos);
    int checked = 0;
    for (const auto& [path, bytes] : FilesUnder(folder)) {
        if (path == measured || path.find("/config/") != std::string::npos) continue;
        std::string text = bytes;
        if (path.ends_with(".pdf")) {
            // A PDF's text as a reader extracts it, and its title.
            const std::string txt = path + ".txt";
            ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + path + "' '" + txt + "'").c_str()), 0) << path;
            text = Slurp(txt);
            std::remove(txt.c_str());
            const std::string info = path + ".info";
            std::system(("pdfinfo '" + path + "' > '" + info + "'").c_str());
            text += Slurp(info);
            std::remove(info.c_str());
        } else if (path.ends_with(".png")) {
            continue;  // pixels; their text chunk is the SVG's description
        }
        ++checked;
        const std::size_t at = FindJapanese(text);
        EXPECT_EQ(at, std::string::npos) << path << ": " << text.substr(at == std::string::npos ? 0 : at, 120);
    }
    EXPECT_GE(checked, 20);
    const std::string page = Slurp(f + "report.html");
    EXPECT_NE(page.find("<h2>Worked solution</h2>"), std::string::npos);
    EXPECT_NE(page.find("<h2>Doping profile</h2>"), std::string::npos);
    EXPECT_NE(Slurp(f + "all/README.txt").find("run: Nd 2E16 Na 1E17 A 1 V -3\n"), std::string::npos);
    EXPECT_NE(Slurp(f + "c2v.csv").find("\n# donor density (cm^-3): 2e+16\n"), std::string::npos);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace cvcalc::testing
