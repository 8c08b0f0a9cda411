// Everything out in one step (each chart in four formats, the report twice
// and a README in one folder), what a failure part-way leaves, and file
// dialogs that remember where the student saved last.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "framework/Button.h"
#include "platform/gui/UserChoice.h"
#include "results/ChartExport.h"
#include "tests/calculator/CalculatorWindow.h"

namespace cvcalc {
namespace {

using ExportEverythingTest = CalculatorWindowTest;

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

std::set<std::string> EveryExportedName(TFormPNJunction& f) {
    std::set<std::string> names{"report.pdf", "report.html", "README.txt"};
    for (TChart* chart : f.ReportCharts())
        for (const char* extension : {".png", ".svg", ".pdf", ".csv"}) names.insert(chart->Name() + extension);
    return names;
}

bool Succeeds(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// A folder root may write into all the same: root's writes go through as
// nobody while the test needs them refused.
class Unprivileged {
public:
    Unprivileged() {
        if (geteuid() == 0) {
            EXPECT_EQ(setegid(65534), 0);
            EXPECT_EQ(seteuid(65534), 0);
        }
    }
    ~Unprivileged() {
        if (getuid() == 0) {
            EXPECT_EQ(seteuid(0), 0);
            EXPECT_EQ(setegid(0), 0);
        }
    }
};

TEST_F(ExportEverythingTest, TheLastMenuItemOfEveryChartWritesTheWholeSetIntoANewFolder) {
    Run("1e15", "1e18", "1", "-3");
    for (TChart* chart : f_->ReportCharts()) {
        menus_.clear();
        Choose(chart, -1);
        ASSERT_EQ(menus_.size(), 1u);
        // Last of the items every chart had; the C-V and 1/C² charts' menus
        // go on with the analyses beyond the straight line.
        const std::size_t beyond = chart == f_->ChartCV ? 2 : chart == f_->ChartC2V ? 1 : 0;
        ASSERT_GT(menus_[0].items.size(), beyond);
        const PopupMenuItem& item = menus_[0].items[menus_[0].items.size() - 1 - beyond];
        EXPECT_EQ(item.caption, "全部を書き出す…") << chart->Name();
        EXPECT_EQ(item.tip.rfind("Export everything…: every chart as PNG (", 0), 0u);
    }
    // A folder that does not exist yet is made.
    const fs::path folder = dir_ / "lab report";
    Choose(f_->ChartC2V, int(menus_.back().items.size()) - 2, folder.string());  // the menu of the last chart
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_TRUE(dialogs_[0].chooseFolder);
    ASSERT_EQ(Names(folder), EveryExportedName(*f_));

    // Each file parses as what its name says, and holds what the single
    // operations write.
    const std::string about = RunAbout(f_->LastRun());
    for (TChart* chart : f_->ReportCharts()) {
        const fs::path stem = folder / chart->Name();
        EXPECT_EQ(ReadFile(stem.string() + ".png").substr(0, 8), "\x89PNG\r\n\x1a\n") << chart->Name();
        EXPECT_TRUE(Succeeds("xmllint --noout '" + stem.string() + ".svg'")) << chart->Name();
        EXPECT_TRUE(Succeeds("pdfinfo '" + stem.string() + ".pdf'")) << chart->Name();
        EXPECT_EQ(ReadFile(stem.string() + ".csv"), f_->ChartData(chart)) << chart->Name();
        EXPECT_NE(ReadFile(stem.string() + ".svg").find(about), std::string::npos) << chart->Name();
    }
    EXPECT_TRUE(Succeeds("pdfinfo '" + (folder / "report.pdf").string() + "'"));
    f_->SaveRunReport((dir_ / "report.html").string());
    EXPECT_EQ(ReadFile(folder / "report.html"), ReadFile(dir_ / "report.html"));
    const std::string readme = ReadFile(folder / "README.txt");
    EXPECT_NE(readme.find("run: Nd 1E15 Na 1E18 A 1 V -3\n"), std::string::npos) << readme;
    for (const std::string& name : EveryExportedName(*f_))
        EXPECT_NE(readme.find("\n  " + name + " "), std::string::npos) << name;

    // Into the same folder again: the set is replaced, other files stay.
    std::ofstream(folder / "notes.txt") << "mine";
    Run("2e16", "1e18", "1", "-1");
    f_->ExportEverything(folder.string());
    EXPECT_EQ(ReadFile(folder / "notes.txt"), "mine");
    EXPECT_EQ(Names(folder).size(), EveryExportedName(*f_).size() + 1);
    EXPECT_NE(ReadFile(folder / "README.txt").find("run: Nd 2E16 Na 1E18 A 1 V -1\n"), std::string::npos);
}

TEST_F(ExportEverythingTest, AFailurePartWayLeftWhatWasCompleteAndOneBoxNamingWhatFailed) {
    Run("1e15", "1e15", "1", "-10");
    const auto stopped = [](const fs::path& folder, int written, const std::string& reason) {
        return "フォルダ '" + folder.string() + "' への書き出しは " + std::to_string(written) +
               " 個のファイルを書いたところで止まりました: " + reason + ".";
    };

    // A read-only folder: nothing is written, one box names the first file.
    const fs::path readOnly = dir_ / "read-only";
    fs::create_directory(readOnly);
    chmod(readOnly.c_str(), 0555);
    {
        Unprivileged nobody;
        Do([&] { f_->ExportEverything(readOnly.string()); });
    }
    ASSERT_EQ(boxes_.size(), 1u);
    // The save's own message is inside, without its full stop.
    std::string refused = SaveFailure((readOnly / "ChartEnergyBand.png").string(), "Permission denied");
    refused.pop_back();
    EXPECT_EQ(boxes_[0].text, stopped(readOnly, 0, refused));
    EXPECT_TRUE(Names(readOnly).empty());

    // A folder in the way of the C-V chart's SVG: the files before it stay.
    boxes_.clear();
    const fs::path partWay = dir_ / "part-way";
    fs::create_directories(partWay / "ChartCV.svg");
    Do([&] { f_->ExportEverything(partWay.string()); });
    ASSERT_EQ(boxes_.size(), 1u);
    const std::string blocked = (partWay / "ChartCV.svg").string();
    EXPECT_EQ(boxes_[0].text, stopped(partWay, 13, "'" + blocked + "' を保存できません: Is a directory"));
    std::set<std::string> before;
    for (const char* chart : {"ChartEnergyBand", "ChartChargeDensity", "ChartVoltage"})
        for (const char* extension : {".png", ".svg", ".pdf", ".csv"}) before.insert(std::string(chart) + extension);
    before.insert("ChartCV.png");
    before.insert("ChartCV.svg");
    EXPECT_EQ(Names(partWay), before);

    // A folder that cannot be made: its parent is missing, or a file is
    // where it would go.
    const fs::path deeper = dir_ / "missing" / "deeper";
    const fs::path plain = dir_ / "plain";
    std::ofstream(plain) << "a file, not a folder";
    struct Case {
        fs::path folder;
        std::string reason;
    };
    for (const Case& c : {Case{deeper, "No such file or directory"}, Case{plain, "File exists"}}) {
        boxes_.clear();
        Do([&] { f_->ExportEverything(c.folder.string()); });
        ASSERT_EQ(boxes_.size(), 1u) << c.folder;
        EXPECT_EQ(boxes_[0].text, "書き出し先のフォルダ '" + c.folder.string() + "' を作れません: " + c.reason + ".");
    }
    EXPECT_FALSE(fs::exists(dir_ / "missing"));
    EXPECT_EQ(ReadFile(plain), "a file, not a folder");
}

TEST_F(ExportEverythingTest, DialogsForgotTheLastFolderAndImageTypeAndHidAllFiles) {
    Run("1e15", "1e15", "1", "-10");
    const fs::path first = dir_ / "first", second = dir_ / "second";
    fs::create_directories(first);
    fs::create_directories(second);

    // The first image dialog: the platform's folder, PNG first.
    Choose(f_->ChartCV, 1, (first / "cv.svg").string());
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(dialogs_[0].startFolder, "");
    EXPECT_EQ(dialogs_[0].selectedExtension, "png");
    EXPECT_EQ(dialogs_[0].suggestedName, "ChartCV.png");

    // The next opens where that one saved, with its type chosen.
    Choose(f_->ChartC2V, 1, (second / "c2v.pdf").string());
    EXPECT_EQ(dialogs_.back().startFolder, first.string());
    EXPECT_EQ(dialogs_.back().selectedExtension, "svg");
    EXPECT_EQ(dialogs_.back().suggestedName, "ChartC2V.svg");

    // Every dialog shares the folder; only an image changes the type.
    Choose(f_->ChartVoltage, 2, (first / "potential.csv").string());
    EXPECT_EQ(dialogs_.back().startFolder, second.string());
    Choose(f_->ChartCV, 7);  // 測定データを読み込む…, cancelled
    EXPECT_EQ(dialogs_.back().startFolder, first.string());
    EXPECT_FALSE(dialogs_.back().save);
    const auto& filters = dialogs_.back().filters;
    EXPECT_NE(std::find_if(filters.begin(), filters.end(), [](const FileFilter& f) { return f.extension.empty(); }),
              filters.end());
    Choose(f_->ChartEnergyBand, 1, std::nullopt);  // cancelled: nothing changes
    EXPECT_EQ(dialogs_.back().startFolder, first.string());
    EXPECT_EQ(dialogs_.back().selectedExtension, "pdf");
    EXPECT_EQ(dialogs_.back().suggestedName, "ChartEnergyBand.pdf");

    // The folder chosen for everything is the next dialog's folder.
    menus_.clear();
    Choose(f_->ChartVoltage, -1);
    Choose(f_->ChartVoltage, int(menus_.back().items.size()) - 1, (dir_ / "all").string());
    EXPECT_TRUE(boxes_.empty());
    Choose(f_->ChartVoltage, 1, std::nullopt);
    EXPECT_EQ(dialogs_.back().startFolder, (dir_ / "all").string());
}

}  // namespace
}  // namespace cvcalc
