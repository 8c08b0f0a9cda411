// The scripted driver as a whole process: scripts in, one JSON line per dump
// out.  Covers the start-up state, the worked example, everything a user may
// type into a box, Reset, the echo of densities below 1e15, zoom, the
// laboratory button and the driver's own errors.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/CommaLocale.h"
#include "tests/tools/DriverRun.h"

namespace {

using cvcalc::testing::DriverRun;
using cvcalc::testing::RunDriver;
using cvcalc::testing::Scratch;
using cvcalc::testing::Slurp;
using nlohmann::json;

const json& SeriesOf(const json& dump, const std::string& chart, std::size_t index) {
    return dump["charts"][chart]["series"][index];
}

TEST(Driver, StartUpStateAndTheDefaultRun) {
    const DriverRun run = RunDriver("dump\nclick ButtonCalcuationCV\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 2u);
    const json& before = run.dumps[0];
    EXPECT_EQ(before["edits"], json({{"EditDonorDensity", "1E15"},
                                     {"EditAcceptorDensity", "1E15"},
                                     {"EditBias", "-10"},
                                     {"EditJunctionArea", "1"}}));
    for (const char* label :
         {"LabelDiffusionPotential", "LabelDonorDensity", "LabelAcceptorDensity", "LabelJunctionArea", "LabelBias"})
        EXPECT_EQ(before["labels"][label], "0") << label;
    struct Range {
        const char* chart;
        double bottomMin, bottomMax, leftMin, leftMax;
    };
    for (const Range& r : {Range{"ChartEnergyBand", -10, 11, -2, 11}, Range{"ChartVoltage", -10, 10, -11, 1},
                           Range{"ChartCV", -11, 2, 0, 0}, Range{"ChartC2V", -11, 2, 0, 0}}) {
        const json& axes = before["charts"][r.chart]["axes"];
        EXPECT_EQ(axes["bottom"]["min"], r.bottomMin) << r.chart;
        EXPECT_EQ(axes["bottom"]["max"], r.bottomMax) << r.chart;
        EXPECT_EQ(axes["left"]["min"], r.leftMin) << r.chart;
        EXPECT_EQ(axes["left"]["max"], r.leftMax) << r.chart;
        for (const json& s : before["charts"][r.chart]["series"]) EXPECT_TRUE(s["points"].empty()) << r.chart;
    }
    EXPECT_TRUE(before["errors"].empty());
    EXPECT_EQ(before["help"]["visible"], false);

    const json& after = run.dumps[1];
    EXPECT_EQ(after["labels"]["LabelDiffusionPotential"], "0.591500631809546");
    EXPECT_EQ(after["labels"]["LabelBias"], "-10");
    const json& cv = SeriesOf(after, "ChartCV", 0);
    EXPECT_EQ(cv["name"], "Series1");
    ASSERT_EQ(cv["points"].size(), 106u);
    EXPECT_EQ(cv["points"][0][0], -10.0);
    EXPECT_NEAR(cv["points"][105][0].get<double>(), 0.5, 1e-12);
    const json& marker = SeriesOf(after, "ChartCV", 1)["points"];
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_NEAR(marker[0][1].get<double>(), 19.96, 0.01);
    EXPECT_NEAR(SeriesOf(after, "ChartC2V", 1)["points"][0][1].get<double>(), 2510, 1);
    for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(SeriesOf(after, "ChartEnergyBand", i)["points"].size(), 2000u);
    EXPECT_EQ(SeriesOf(after, "ChartVoltage", 0)["points"].size(), 2000u);
    EXPECT_EQ(SeriesOf(after, "ChartChargeDensity", 0)["points"].size(), 5u);
    // The automatic left axis of the C–V chart now follows the curve.
    EXPECT_GT(after["charts"]["ChartCV"]["axes"]["left"]["max"].get<double>(), 200.0);
    EXPECT_FALSE(after["charts"]["ChartCV"]["axes"]["left"]["labels"].empty());
    EXPECT_TRUE(after["errors"].empty());
}

// Everything a user may type into the donor box: the clamped value shown, or
// exactly one error box with the exact message, and the program goes on.
TEST(Driver, WhatAUserMayTypeIntoABox) {
    struct Case {
        std::string text;
        std::string shown;  // the edit afterwards, when accepted
        std::string error;  // the box's text, when refused
    };
    const std::string digits300(300, '7');
    const std::vector<Case> cases{
        {"", "", "'' は浮動小数点数ではありません."},
        {"abc", "", "'abc' は浮動小数点数ではありません."},
        {"\xEF\xBC\x91\xEF\xBC\x95", "", "'\xEF\xBC\x91\xEF\xBC\x95' は浮動小数点数ではありません."},  // full-width 15
        {"1,5", "", "'1,5' は浮動小数点数ではありません."},
        {"1e400", "", "浮動小数点数のオーバーフロー."},
        // Beyond even the 80-bit range the text is no number at all.
        {"1e5000", "", "'1e5000' は浮動小数点数ではありません."},
        {"-3", "1E14", ""},
        {"5e13", "1E14", ""},
        {"2.5e19", "1E18", ""},
        {digits300, "1E18", ""},
        {"3.7e14", "3.7E14", ""},
        {"1.0E14", "1E14", ""},
    };
    for (const Case& c : cases) {
        const DriverRun run = RunDriver("set EditDonorDensity " + c.text + "\nclick ButtonCalcuationCV\ndump\n" +
                                        "set EditDonorDensity 1e16\nclick ButtonCalcuationCV\ndump\n");
        ASSERT_EQ(run.status, 0) << c.text << run.errorOutput;
        ASSERT_EQ(run.dumps.size(), 2u) << c.text;
        const json& first = run.dumps[0];
        if (c.error.empty()) {
            EXPECT_TRUE(first["errors"].empty()) << c.text;
            EXPECT_EQ(first["edits"]["EditDonorDensity"], c.shown) << c.text;
            EXPECT_EQ(first["labels"]["LabelDonorDensity"], c.shown) << c.text;
            EXPECT_EQ(SeriesOf(first, "ChartCV", 0)["points"].empty(), false) << c.text;
        } else {
            ASSERT_EQ(first["errors"].size(), 1u) << c.text;
            EXPECT_EQ(first["errors"][0]["text"], c.error) << c.text;
            EXPECT_EQ(first["errors"][0]["caption"], "cvcalc-driver") << c.text;
            // Nothing was computed: the charts keep their (empty) points.
            EXPECT_TRUE(SeriesOf(first, "ChartCV", 0)["points"].empty()) << c.text;
            EXPECT_EQ(first["labels"]["LabelDiffusionPotential"], "0") << c.text;
        }
        // The program goes on working.
        const json& second = run.dumps[1];
        EXPECT_EQ(second["edits"]["EditDonorDensity"], "1E16") << c.text;
        EXPECT_EQ(second["errors"].size(), c.error.empty() ? 0u : 1u) << c.text;
        const std::size_t sweep = SeriesOf(second, "ChartCV", 0)["points"].size();
        EXPECT_TRUE(sweep >= 105 && sweep <= 110) << c.text << ": " << sweep;
    }
}

// A density below 1e15 is echoed as the value used, so a second press
// computes exactly what the first did.
TEST(Driver, EchoedDensityGivesTheSameSecondRun) {
    const DriverRun run =
        RunDriver("set EditAcceptorDensity 3.7e14\nclick ButtonCalcuationCV\ndump\nclick ButtonCalcuationCV\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(run.dumps[0]["edits"]["EditAcceptorDensity"], "3.7E14");
    EXPECT_EQ(run.dumps[0]["labels"], run.dumps[1]["labels"]);
    EXPECT_EQ(run.dumps[0]["charts"], run.dumps[1]["charts"]);
}

TEST(Driver, ResetAfterARunAndZoomByMouse) {
    const DriverRun run = RunDriver(
        "set EditBias 0.3\nclick ButtonCalcuationCV\ndrag ChartVoltage left 100 40 300 160\ndump\n"
        "drag ChartVoltage left 300 160 100 40\nclick ButtonReset\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 2u);
    const json& zoomed = run.dumps[0]["charts"]["ChartVoltage"]["axes"];
    EXPECT_GT(zoomed["bottom"]["min"].get<double>(), -10.0);
    EXPECT_LT(zoomed["bottom"]["max"].get<double>(), 10.0);
    EXPECT_GT(zoomed["left"]["min"].get<double>(), -11.0);
    EXPECT_LT(zoomed["left"]["max"].get<double>(), 1.0);
    const json& reset = run.dumps[1];
    EXPECT_EQ(reset["edits"]["EditBias"], "-10");
    EXPECT_EQ(reset["labels"]["LabelDiffusionPotential"], "0");
    for (const auto& [name, chart] : reset["charts"].items())
        for (const json& s : chart["series"]) EXPECT_TRUE(s["points"].empty()) << name;
    // Dragging back undid the zoom.
    EXPECT_EQ(reset["charts"]["ChartVoltage"]["axes"]["bottom"]["min"], -10.0);
    EXPECT_EQ(reset["charts"]["ChartVoltage"]["axes"]["left"]["max"], 1.0);
}

// A new run keeps the ranges a zoom left: the capacitance axis no longer
// follows the data until the zoom is undone.
TEST(Driver, ZoomIsKeptAcrossARun) {
    const DriverRun run = RunDriver(
        "click ButtonCalcuationCV\ndrag ChartCV left 120 60 300 200\ndump\n"
        "set EditDonorDensity 5e16\nclick ButtonCalcuationCV\ndump\n"
        "drag ChartCV left 300 200 120 60\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 3u);
    const json& zoomed = run.dumps[0]["charts"]["ChartCV"]["axes"];
    const json& afterRun = run.dumps[1]["charts"]["ChartCV"]["axes"];
    EXPECT_GT(zoomed["bottom"]["min"].get<double>(), -11.0);
    EXPECT_EQ(afterRun["bottom"], zoomed["bottom"]);
    EXPECT_EQ(afterRun["left"]["min"], zoomed["left"]["min"]);
    EXPECT_EQ(afterRun["left"]["max"], zoomed["left"]["max"]);
    EXPECT_NE(run.dumps[1]["charts"]["ChartCV"]["series"], run.dumps[0]["charts"]["ChartCV"]["series"]);
    // Undone: the stored bottom range, and a left maximum from the new data.
    const json& undone = run.dumps[2]["charts"]["ChartCV"]["axes"];
    EXPECT_EQ(undone["bottom"]["min"], -11.0);
    EXPECT_EQ(undone["bottom"]["max"], 2.0);
    EXPECT_NE(undone["left"]["max"], zoomed["left"]["max"]);
}

// Under a German locale the program once read "1.5" and refused "1,5", and the
// driver's JSON carried numbers such as 327,62.
TEST(Driver, CommaLocaleReadsAndWritesCommasAndTheDumpStaysJson) {
    std::string why;
    const std::string locales = cvcalc::testing::CommaLocaleDirectory(&why);
    ASSERT_FALSE(locales.empty()) << why;
    const std::string environment = "LOCPATH='" + locales + "' LC_ALL=" + cvcalc::testing::CommaLocaleName + " ";
    const DriverRun run = RunDriver(
        "set EditJunctionArea 1,5\nset EditBias -2,25\nclick ButtonCalcuationCV\ndump\n"
        "set EditJunctionArea 1.5\nclick ButtonCalcuationCV\ndump\n",
        environment);
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 2u);  // each line parsed as JSON
    const json& comma = run.dumps[0];
    EXPECT_TRUE(comma["errors"].empty()) << comma["errors"];
    EXPECT_EQ(comma["edits"]["EditJunctionArea"], "1,5");
    EXPECT_EQ(comma["labels"]["LabelJunctionArea"], "1,5");
    EXPECT_EQ(comma["labels"]["LabelBias"], "-2,25");
    EXPECT_EQ(comma["labels"]["LabelDiffusionPotential"], "0,591500631809546");
    EXPECT_EQ(SeriesOf(comma, "ChartCV", 1)["points"][0][0], -2.25);
    // Axis labels take the locale's separators too ("0.0" and "#,##0").
    const json positions = comma["charts"]["ChartEnergyBand"]["axes"]["bottom"]["labels"];
    EXPECT_NE(std::find(positions.begin(), positions.end(), "0,0"), positions.end()) << positions;
    const json inverse = comma["charts"]["ChartC2V"]["axes"]["left"]["labels"];
    EXPECT_NE(std::find(inverse.begin(), inverse.end(), "1.000"), inverse.end()) << inverse;

    const json& point = run.dumps[1];
    ASSERT_EQ(point["errors"].size(), 1u);
    // A German desktop reads the program in English.
    EXPECT_EQ(point["errors"][0]["text"], "'1.5' is not a valid floating point value.");
    EXPECT_EQ(point["labels"]["LabelJunctionArea"], "1,5");
}

// Extreme drag coordinates overflowed an int inside the injector; a leading
// byte-order mark vanished from a text on its way into the box.
TEST(Driver, ArgumentsAreCheckedAndTextsArriveExactly) {
    for (const char* drag :
         {"drag ChartCV left 2147483647 0 -2147483648 0", "drag ChartCV left 0 0 1000001 5",
          "drag ChartCV left 1e3 0 5 5", "drag ChartCV left 10 10 20 x", "drag ChartCV left 1 2 3"}) {
        const DriverRun run = RunDriver(std::string(drag) + "\ndump\n");
        EXPECT_EQ(run.status, 2) << drag;
        EXPECT_TRUE(run.dumps.empty()) << drag;
        EXPECT_NE(run.errorOutput.find(drag), std::string::npos) << drag;
    }
    const DriverRun run = RunDriver(
        "click ButtonCalcuationCV\ndrag ChartCV left -1000000 -1000000 1000000 1000000\n"
        "drag ChartCV right 1000000 -1000000 -1000000 1000000\ndump\n"
        "set EditBias \xEF\xBB\xBF"
        "5\nclick ButtonCalcuationCV\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_TRUE(run.dumps[0]["errors"].empty());
    EXPECT_EQ(run.dumps[1]["edits"]["EditBias"],
              "\xEF\xBB\xBF"
              "5");
    ASSERT_EQ(run.dumps[1]["errors"].size(), 1u);
    EXPECT_EQ(run.dumps[1]["errors"][0]["text"],
              "'\xEF\xBB\xBF"
              "5' は浮動小数点数ではありません.");
}

// A right click that does not move opens the chart's menu, which once
// waited for a user the driver does not have.  The driver records the
// menu's items and dismisses it; nothing else changes and the script goes on.
TEST(Driver, StillRightClickDoesNotHangTheDriver) {
    const DriverRun run = RunDriver(
        "dump\ndrag ChartC2V right 200 100 200 100\ndump\n"
        "click ButtonCalcuationCV\nhold\ndrag ChartEnergyBand right 5 5 5 5\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 3u);
    EXPECT_EQ(run.dumps[0]["menu"], nullptr);
    // The menu is one member of the dump beside everything it had before
    // (the parsed dump sorts its keys: their order is not seen here).
    ASSERT_TRUE(run.dumps[1].contains("menu"));
    for (const auto& [key, value] : run.dumps[0].items()) EXPECT_TRUE(run.dumps[1].contains(key)) << key;
    EXPECT_EQ(run.dumps[1].size(), run.dumps[0].size());
    const auto items = [](const json& menu) {
        std::vector<std::pair<std::string, bool>> out;
        for (const json& item : menu) out.emplace_back(item["caption"], item["enabled"]);
        return out;
    };
    using Items = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(items(run.dumps[1]["menu"]), (Items{{"画像をコピー", true},
                                                  {"画像を保存…", true},
                                                  {"データを保存…", true},
                                                  {"ズームを元に戻す", true},
                                                  {"計算レポート", true},
                                                  {"曲線を保持", false},
                                                  {"保持を消去", false},
                                                  {"測定データを読み込む…", true},
                                                  {"測定データを消去", false},
                                                  {"直線フィット", true},
                                                  {"ドーピングプロファイル", true},
                                                  {"言語 / Language", true},
                                                  {"全部を書き出す…", true}}));
    // Dismissed: no item ran, the chart is as it was.
    EXPECT_EQ(run.dumps[1]["charts"], run.dumps[0]["charts"]);
    EXPECT_TRUE(run.dumps[1]["errors"].empty());
    EXPECT_EQ(items(run.dumps[2]["menu"]), (Items{{"画像をコピー", true},
                                                  {"画像を保存…", true},
                                                  {"データを保存…", true},
                                                  {"ズームを元に戻す", true},
                                                  {"計算レポート", true},
                                                  {"曲線を保持", true},
                                                  {"保持を消去", true},
                                                  {"言語 / Language", true},
                                                  {"全部を書き出す…", true}}));
    EXPECT_EQ(run.dumps[2]["help"]["visible"], false);
}

// "key NAME あ" was refused because the character takes three bytes: a key
// is one character, however many bytes its UTF-8 takes, and anything else
// is refused.
TEST(Driver, KeyTakesOneCharacterNotOneByte) {
    const struct {
        std::string key;
        bool typed;
    } cases[] = {
        {"5", true},
        {"\xC3\xA9", true},          // é
        {"\xE3\x81\x82", true},      // あ
        {"\xF0\x9D\x91\xA5", true},  // mathematical italic x, beyond 16 bits
        {"ab", false},
        {"\xE3\x81\x82\xE3\x81\x84", false},  // あい
        {"e\xCC\x81", false},                 // e and a combining accent: two code points
        {"\xE3\x81", false},                  // cut short
        {"\x80", false},                      // a continuation byte alone
        {"\xC0\xB5", false},                  // an overlong "5"
        {"\xED\xA0\x80", false},              // a surrogate
        {"\xFF", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(json(c.key).dump(-1, ' ', true, json::error_handler_t::replace));
        const DriverRun run = RunDriver("set EditBias \nkey EditBias " + c.key + "\ndump\n");
        if (c.typed) {
            ASSERT_EQ(run.status, 0) << run.errorOutput;
            ASSERT_EQ(run.dumps.size(), 1u);
            EXPECT_EQ(run.dumps[0]["edits"]["EditBias"], c.key);
        } else {
            EXPECT_EQ(run.status, 2);
            EXPECT_TRUE(run.dumps.empty());
            EXPECT_NE(run.errorOutput.find("unknown command or bad arguments"), std::string::npos);
        }
    }
}

// One wheel notch over the empty C–V chart fixes its left axis at 0 … 0;
// dragging back restores the automatic maximum, before or after the run, so
// the curve spreads over the axis again.
TEST(Driver, AWheelNotchOverTheEmptyCapacitanceChartIsUndoneByDraggingBack) {
    for (const std::string script : {
             "wheel ChartCV down\nclick ButtonCalcuationCV\ndrag ChartCV left 300 200 120 60\ndump\n",
             "wheel ChartCV up\ndrag ChartCV left 300 200 120 60\nclick ButtonCalcuationCV\ndump\n",
         }) {
        const DriverRun run = RunDriver(script);
        ASSERT_EQ(run.status, 0) << run.errorOutput;
        ASSERT_EQ(run.dumps.size(), 1u);
        const json& left = run.dumps[0]["charts"]["ChartCV"]["axes"]["left"];
        EXPECT_EQ(left["min"], 0.0) << script;
        EXPECT_GT(left["max"].get<double>(), 200.0) << script;
        EXPECT_GE(left["labels"].size(), 5u) << script;
        EXPECT_EQ(run.dumps[0]["charts"]["ChartCV"]["axes"]["bottom"]["min"], -11.0) << script;
    }
}

// The width and height a PNG file's header gives.
std::pair<int, int> PngSize(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    unsigned char header[24] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    if (!file) return {-1, -1};
    const auto be32 = [&](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    return {be32(16), be32(20)};
}

// The driver's window was once 1076 x 709 inside, 4 pixels short of the
// program's, so its snapshots cut off "Ver. 1".
TEST(Driver, TheWindowHasTheProgramsClientSizeAtStartAndAfterReset) {
    const std::string stem = ::testing::TempDir() + "/driver-size-" + std::to_string(getpid());
    const DriverRun run = RunDriver("snapshot FormPNJunction " + stem +
                                    "-start.png\nclick ButtonCalcuationCV\n"
                                    "click ButtonReset\nsnapshot FormPNJunction " +
                                    stem +
                                    "-reset.png\n"
                                    "snapshot FormHTML " +
                                    stem + "-help.png\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    EXPECT_EQ(PngSize(stem + "-start.png"), std::make_pair(1080, 713));
    EXPECT_EQ(PngSize(stem + "-reset.png"), std::make_pair(1080, 713));
    EXPECT_EQ(PngSize(stem + "-help.png"), std::make_pair(691, 436));
    for (const char* which : {"-start.png", "-reset.png", "-help.png"}) std::remove((stem + which).c_str());
}

TEST(Driver, UnknownCommandEndsWithStatusTwo) {
    const DriverRun run = RunDriver("dump\nfly ChartCV\ndump\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.dumps.size(), 1u);
    EXPECT_NE(run.errorOutput.find("fly ChartCV"), std::string::npos);
}

// The web engine ends the whole process when its helper process or its
// resources are missing; the laboratory button must rather give one box and
// leave the calculator as it was, and a second press one box more.
TEST(Driver, WebEngineThatCannotStartGivesOneBoxAndTheCalculatorGoesOn) {
    // A file that is there but is no program counts as missing too: the
    // engine would try to run it.
    const std::string notAProgram = ::testing::TempDir() + "/not-a-program-" + std::to_string(getpid());
    std::ofstream(notAProgram) << "text\n";
    const struct {
        std::string environment;
        std::string box;
    } cases[] = {
        {"QTWEBENGINEPROCESS_PATH=/nonexistent",
         "Web ブラウザを開始できません: QtWebEngineProcess が見つかりません (/nonexistent)"},
        {"QTWEBENGINEPROCESS_PATH=" + notAProgram,
         "Web ブラウザを開始できません: QtWebEngineProcess が見つかりません (" + notAProgram + ")"},
        {"QTWEBENGINE_RESOURCES_PATH=/nonexistent",
         "Web ブラウザを開始できません: qtwebengine_resources.pak が見つかりません (/nonexistent)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environment);
        const DriverRun run = RunDriver(
            "set EditDonorDensity 2e15\nclick ButtonCalcuationCV\ndump\nclick ButtonHTML\ndump\n"
            "click ButtonKestrelLab\nset EditBias 0.2\nclick ButtonCalcuationCV\ndump\n",
            c.environment);
        ASSERT_EQ(run.status, 0) << run.errorOutput;
        ASSERT_EQ(run.dumps.size(), 3u);
        const json& before = run.dumps[0];
        const json& after = run.dumps[1];
        EXPECT_TRUE(before["errors"].empty());
        ASSERT_EQ(after["errors"].size(), 1u);
        EXPECT_EQ(after["errors"][0]["text"], c.box);
        EXPECT_EQ(after["errors"][0]["caption"], "cvcalc-driver");
        // The student's inputs, results and curves are all still there.
        EXPECT_EQ(after["edits"], before["edits"]);
        EXPECT_EQ(after["labels"], before["labels"]);
        EXPECT_EQ(after["charts"], before["charts"]);
        EXPECT_EQ(after["edits"]["EditDonorDensity"], "2E15");
        EXPECT_FALSE(SeriesOf(after, "ChartCV", 0)["points"].empty());
        EXPECT_EQ(after["help"]["visible"], true);
        EXPECT_EQ(after["help"]["url"], "");
        // The help window's own button tries again and fails the same way;
        // the calculator goes on computing.
        const json& last = run.dumps[2];
        ASSERT_EQ(last["errors"].size(), 2u);
        EXPECT_EQ(last["errors"][1]["text"], c.box);
        EXPECT_EQ(last["labels"]["LabelBias"], "0.2");
        EXPECT_NE(last["charts"]["ChartCV"], after["charts"]["ChartCV"]);
    }
    std::remove(notAProgram.c_str());
}

#ifndef CVCALC_SANITIZED
TEST(Driver, LaboratoryButtonShowsTheHomePage) {
    const DriverRun run = RunDriver("click ButtonHTML\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(run.dumps[0]["help"]["visible"], true);
    EXPECT_EQ(run.dumps[0]["help"]["url"], "cvcalc-lab://kestrel/index.html");
}

// Nothing is wrong in a normal session, so nothing reaches the terminal:
// not the platform's word on OpenGL at start, not the web engine's account
// of itself when the help window first shows a page.
TEST(Driver, NormalUseLeavesTheTerminalQuiet) {
    const DriverRun run = RunDriver(
        "set EditBias 0.3\nclick ButtonCalcuationCV\nclick ButtonHTML\ndump\nclick ButtonKestrelLab\n"
        "click ButtonBack\nclick ButtonReset\ndump\n");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(run.dumps[0]["help"]["url"], "cvcalc-lab://kestrel/index.html");
    EXPECT_EQ(run.errorOutput, "");
}
#endif

TEST(DriverResults, ExportTookNoScaleForALargerPngAndRefusesAScaleItCannotDraw) {
    const std::string twice = Scratch("cv-2x.png"), spaced = Scratch("cv plain.png"), four = Scratch("cv four.png");
    const DriverRun run = RunDriver("click ButtonCalcuationCV\nexport ChartCV " + twice + " 2\nexport ChartCV " +
                                    spaced + "\nexport ChartCV " + four + " 4\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    EXPECT_TRUE(run.dumps.at(0)["errors"].empty());
    // The PNG's header: width and height, big-endian, from byte 16.
    const auto side = [](const std::string& png, std::size_t at) {
        std::uint32_t n = 0;
        for (std::size_t i = 0; i < 4; ++i) n = (n << 8) | static_cast<unsigned char>(png.at(at + i));
        return n;
    };
    const std::string one = Slurp(spaced), two = Slurp(twice), four4 = Slurp(four);
    ASSERT_GT(one.size(), 24u);
    ASSERT_GT(two.size(), 24u);
    ASSERT_GT(four4.size(), 24u);
    EXPECT_EQ(side(two, 16), 2 * side(one, 16));
    EXPECT_EQ(side(two, 20), 2 * side(one, 20));
    EXPECT_EQ(side(four4, 16), 4 * side(one, 16));
    for (const std::string& path : {twice, spaced, four}) std::remove(path.c_str());

    struct Case {
        std::string arguments, message;
    };
    const std::string png = Scratch("refused.png"), svg = Scratch("refused.svg");
    for (const Case& c :
         {Case{png + " 3", "a PNG's scale is 1, 2 or 4, not 3"}, Case{png + " 0", "a PNG's scale is 1, 2 or 4, not 0"},
          Case{png + " 2x", "a PNG's scale is 1, 2 or 4, not 2x"},
          Case{png + " -2", "a PNG's scale is 1, 2 or 4, not -2"},
          Case{svg + " 2", "only a .png takes a scale: ChartCV " + svg + " 2"}}) {
        const DriverRun refused = RunDriver("export ChartCV " + c.arguments + "\ndump\n");
        EXPECT_EQ(refused.status, 2) << c.arguments;
        EXPECT_TRUE(refused.dumps.empty()) << c.arguments;
        EXPECT_NE(refused.errorOutput.find(c.message), std::string::npos) << refused.errorOutput;
        EXPECT_FALSE(std::ifstream(png).good());
        EXPECT_FALSE(std::ifstream(svg).good());
    }
}

}  // namespace

TEST(DriverResults, ExportWritesEachFormatAndTheDataReadBackToTheDumpsDoubles) {
    const std::string csv = Scratch("bands.csv"), svg = Scratch("cv.svg"), pdf = Scratch("cv.pdf"),
                      png = Scratch("cv.png");
    const DriverRun run = RunDriver(
        "set EditDonorDensity 2.5e16\nset EditBias -3.3\nclick ButtonCalcuationCV\n"
        "export ChartEnergyBand " +
        csv + "\nexport ChartCV " + svg + "\nexport ChartCV " + pdf + "\nexport ChartCV " + png + "\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_TRUE(run.dumps[0]["errors"].empty());
    EXPECT_EQ(Slurp(svg).find("<svg"), Slurp(svg).find('<', Slurp(svg).find("?>") + 1));
    EXPECT_EQ(std::system(("xmllint --noout '" + svg + "'").c_str()), 0);  // well-formed XML
    EXPECT_EQ(Slurp(pdf).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(Slurp(png).substr(1, 3), "PNG");

    // Every row of every series, in order, is the dump's double.
    std::ifstream in(csv);
    std::string line;
    std::vector<std::string> comments;
    while (std::getline(in, line) && line.rfind('#', 0) == 0) comments.push_back(line);
    EXPECT_NE(std::find(comments.begin(), comments.end(), "# ドナー密度 (cm^-3): 2.5e+16"), comments.end());
    EXPECT_NE(std::find(comments.begin(), comments.end(), "# 印加電圧 (V): -3.3"), comments.end());
    EXPECT_NE(std::find(comments.begin(), comments.end(), "# ウィンドウの軸タイトル: x 距離　[μm]; y エネルギー　[eV]"),
              comments.end());
    EXPECT_EQ(line, "series,x (um),E (eV)");
    // The file names the run's series by what they are, in the dump's order.
    const std::map<std::string, std::string> published{
        {"EC", "Series3"}, {"EV", "Series4"}, {"EF n", "Series5"}, {"EF p", "Series6"}};
    std::map<std::string, std::size_t> next;
    std::size_t rows = 0;
    for (const json& s : run.dumps[0]["charts"]["ChartEnergyBand"]["series"]) next[s["name"]] = 0;
    while (std::getline(in, line)) {
        const auto a = line.find(','), b = line.find(',', a + 1);
        ASSERT_EQ(published.count(line.substr(0, a)), 1u) << line;
        const std::string name = published.at(line.substr(0, a));
        const json* series = nullptr;
        for (const json& s : run.dumps[0]["charts"]["ChartEnergyBand"]["series"])
            if (s["name"] == name) series = &s;
        ASSERT_NE(series, nullptr) << line;
        const json& point = (*series)["points"][next[name]++];
        EXPECT_EQ(std::stod(line.substr(a + 1, b - a - 1)), point[0].get<double>()) << line;
        EXPECT_EQ(std::stod(line.substr(b + 1)), point[1].get<double>()) << line;
        ++rows;
    }
    std::size_t points = 0;
    for (const json& s : run.dumps[0]["charts"]["ChartEnergyBand"]["series"]) points += s["points"].size();
    EXPECT_EQ(rows, points);
    for (const std::string& path : {csv, svg, pdf, png}) std::remove(path.c_str());

    // An extension the driver does not know: status 2, a message, no file.
    const std::string txt = Scratch("cv.txt");
    const DriverRun refused = RunDriver("export ChartCV " + txt + "\ndump\n");
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.dumps.empty());
    EXPECT_NE(refused.errorOutput.find("unknown file type (not .png, .svg, .pdf or .csv): " + txt), std::string::npos);
    EXPECT_FALSE(std::ifstream(txt).good());
}

TEST(DriverResults, EveryBadMeasuredFileShowsOneBoxNamingLineAndFaultAndChangesNothing) {
    struct Case {
        std::string name, content, box;
    };
    std::string big = "V,C\n";
    for (int i = 0; i <= 1000000; ++i) big += std::to_string(i) + ",1\n";
    std::string garbage;
    for (int i = 0; i < 256; ++i) garbage += char(255 - i);
    const Case cases[] = {
        {"missing.csv", "", "が見つかりません."},
        {"empty.csv", "", "にデータ行がありません."},
        {"one.csv", "V,C\n-1,2\n-2\n", "の 3 行目: 電圧と容量の 2 つの数値が必要です."},
        {"text.csv", "# pF\n-1,abc\n", "の 2 行目: 'abc' は数値ではありません."},
        {"zero.csv", "-1,0\n", "の 1 行目: 容量は正の値でなければなりません."},
        {"negative.csv", "-1;-5,5\n", "の 1 行目: 容量は正の値でなければなりません."},
        {"nan.csv", "V C\n-1 nan\n", "の 2 行目: 'nan' は有限の数値ではありません."},
        {"inf.csv", "-1\t-inf\n", "の 1 行目: '-inf' は有限の数値ではありません."},
        {"rows.csv", big, "の 1000002 行目: データ行が上限の 1000000 行を超えています."},
        {"binary.csv", garbage, "の 1 行目: UTF-8 のテキストではないバイトがあります."},
        // The box adds no full stop after a closing parenthesis.
        {"microhenry.csv", "V,C (uH)\n-1,2\n",
         "の 1 行目: 見出し 'C (uH)' の容量の単位が分かりません (F, mF, µF, nF, pF, fF, aF "
         "のどれかを括弧に入れて書いてください)"},
        {"millivolts.csv", "V (mV),C (pF)\n-1,2\n",
         "の 1 行目: 見出し 'V (mV)' の電圧の単位は V でなければなりません."},
        {"hex.csv", "0x1p3,5\n", "の 1 行目: '0x1p3' は数値ではありません."},
        {"huge.csv", "V,C\n-1,1e306\n",
         "の 2 行目: 容量 '1e306' pF はグラフで扱える範囲 (1e-47 pF 〜 1e53 pF) の外にあります."},
        {"pipe.csv", "", "は通常のファイルではありません."},
    };
    const std::string good = Scratch("good.csv");
    std::ofstream(good) << "V,C (pF)\n-4,50\n-1,80\n0,100\n";
    std::string script = "click ButtonCalcuationCV\nhold\nimport " + good + "\nfit\ndump\n";
    for (const Case& c : cases) {
        // A named pipe nobody writes to: the import must not wait for one.
        if (c.name == "pipe.csv") {
            std::remove(Scratch(c.name).c_str());
            ASSERT_EQ(mkfifo(Scratch(c.name).c_str(), 0600), 0);
        } else if (c.name != "missing.csv") {
            std::ofstream(Scratch(c.name), std::ios::binary) << c.content;
        }
        script += "import " + Scratch(c.name) + "\ndump\n";
    }
    const DriverRun run = RunDriver(script);
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), std::size(cases) + 1);
    const json& before = run.dumps[0];
    ASSERT_TRUE(before["errors"].empty());
    ASSERT_FALSE(before["fit"].is_null());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const json& after = run.dumps[i + 1];
        ASSERT_EQ(after["errors"].size(), i + 1) << cases[i].name;
        EXPECT_EQ(after["errors"][i]["text"], "測定データ '" + Scratch(cases[i].name) + "' " + cases[i].box);
        EXPECT_EQ(after["charts"], before["charts"]) << cases[i].name;
        EXPECT_EQ(after["fit"], before["fit"]) << cases[i].name;
    }
    for (const Case& c : cases) std::remove(Scratch(c.name).c_str());
    std::remove(good.c_str());
}

TEST(DriverResults, HeldAndMeasuredSeriesFollowTheElevenAndTheFitIsDumped) {
    const std::string file = Scratch("measured.csv");
    // 1/C² = 4 (1 - V) nF^-2.
    std::ofstream(file) << "V;C (nF)\n-3;0,25\n0;0,5\n0,75;1\n";
    const DriverRun run = RunDriver("dump\nclick ButtonCalcuationCV\nhold\nimport " + file +
                                    "\nfit\ndump\nclearholds\nclearmeasured\ndump\nfit\nclick ButtonReset\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 4u);
    EXPECT_TRUE(run.dumps[0]["fit"].is_null());
    std::vector<std::string> names;
    for (const json& s : run.dumps[1]["charts"]["ChartC2V"]["series"]) names.push_back(s["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"Series2", "Series11", "Held1Series2", "Held1Series11", "MeasuredC2V",
                                               "FitLine", "FitPoints"}));
    const json& fit = run.dumps[1]["fit"];
    EXPECT_NEAR(fit["v0"].get<double>(), 1.0, 1e-12);
    EXPECT_NEAR(fit["slope"].get<double>(), -4e18, 4e6);
    EXPECT_EQ(fit["points"], 3);
    EXPECT_NEAR(fit["r2"].get<double>(), 1.0, 1e-12);
    EXPECT_GT(fit["neff"].get<double>(), 0);
    // Clearing the measured points takes their line along.
    EXPECT_TRUE(run.dumps[2]["fit"].is_null());
    EXPECT_EQ(run.dumps[2]["charts"]["ChartC2V"]["series"].size(), 2u);
    // A fit of the computed curve; Reset takes it and empties everything.
    EXPECT_TRUE(run.dumps[3]["fit"].is_null());
    EXPECT_TRUE(run.dumps[3]["errors"].empty());
    for (const auto& [name, chart] : run.dumps[3]["charts"].items())
        for (const json& s : chart["series"]) EXPECT_TRUE(s["points"].empty()) << name;
    std::remove(file.c_str());
}

TEST(DriverResults, TheReportAsPdfAndAsAPageOfItsOwn) {
    const std::string pdf = Scratch("report.pdf"), html = Scratch("report.html"), txt = Scratch("report.txt");
    const DriverRun run = RunDriver(
        "set EditDonorDensity 3e20\nset EditAcceptorDensity 4.5e14\nset EditJunctionArea 0.01\n"
        "set EditBias -12\nclick ButtonCalcuationCV\nfit\nreport " +
        pdf + "\nreport " + html + "\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_TRUE(run.dumps[0]["errors"].empty());
    const json& labels = run.dumps[0]["labels"];

    // One or two pages; the Vbi label's text and the inputs as used.
    ASSERT_EQ(std::system(("pdfinfo '" + pdf + "' | grep -Eq '^Pages: +[12]$'").c_str()), 0);
    ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + pdf + "' '" + txt + "'").c_str()), 0);
    const std::string text = Slurp(txt);
    EXPECT_NE(text.find(labels["LabelDiffusionPotential"].get<std::string>()), std::string::npos);
    for (const char* used : {"1E18", "4.5E14", "0.1", "-10"}) EXPECT_NE(text.find(used), std::string::npos) << used;
    EXPECT_NE(text.find("3e20"), std::string::npos);  // as typed
    EXPECT_NE(text.find("直線フィット"), std::string::npos);

    // The page stands alone: its stylesheet inside, the charts inline.
    const std::string page = Slurp(html);
    EXPECT_EQ(page.find("href=\"style.css\""), std::string::npos);
    EXPECT_NE(page.find("<style>"), std::string::npos);
    std::size_t svgs = 0;
    for (auto at = page.find("<svg"); at != std::string::npos; at = page.find("<svg", at + 1)) ++svgs;
    EXPECT_EQ(svgs, 5u);

    // Another extension: status 2 and a message.
    const DriverRun refused = RunDriver("report " + Scratch("report.docx") + "\n");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.errorOutput.find("unknown file type (not .html or .pdf)"), std::string::npos);
    for (const std::string& path : {pdf, html, txt}) std::remove(path.c_str());
}

TEST(DriverResults, ExportAllWritesTheWholeSetAndAReadOnlyFolderGivesOneBox) {
    const std::string folder = Scratch("everything");
    const DriverRun run = RunDriver("set EditDonorDensity 5e15\nclick ButtonCalcuationCV\nhold\nexportall " + folder +
                                    "\ndump\nexportall\n");
    // The folder is required: a bare command is refused.
    EXPECT_EQ(run.status, 2);
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_TRUE(run.dumps[0]["errors"].empty()) << run.dumps[0]["errors"];
    std::vector<std::string> names{"report.pdf", "report.html", "README.txt"};
    for (const auto& [chart, content] : run.dumps[0]["charts"].items()) {
        const std::string stem = folder + "/" + chart;
        EXPECT_EQ(Slurp(stem + ".png").substr(0, 8), "\x89PNG\r\n\x1a\n") << chart;
        EXPECT_EQ(std::system(("xmllint --noout '" + stem + ".svg'").c_str()), 0) << chart;
        EXPECT_EQ(std::system(("pdfinfo '" + stem + ".pdf' >/dev/null").c_str()), 0) << chart;
        // One row a point of every series, held ones included.
        std::ifstream csv(stem + ".csv");
        std::string line;
        std::size_t rows = 0, points = 0;
        while (std::getline(csv, line))
            if (line.rfind('#', 0) != 0 && line.rfind("series,", 0) != 0) ++rows;
        for (const json& s : content["series"]) points += s["points"].size();
        EXPECT_EQ(rows, points) << chart;
        EXPECT_GT(rows, 0u) << chart;
        for (const char* extension : {".png", ".svg", ".pdf", ".csv"}) names.push_back(chart + extension);
    }
    EXPECT_EQ(names.size(), 23u);
    EXPECT_EQ(std::system(("pdfinfo '" + folder + "/report.pdf' >/dev/null").c_str()), 0);
    EXPECT_NE(Slurp(folder + "/report.html").find("<style>"), std::string::npos);
    const std::string readme = Slurp(folder + "/README.txt");
    EXPECT_NE(readme.find("計算: Nd 5E15 Na 1E15 A 1 V -10\n"), std::string::npos) << readme;
    EXPECT_NE(readme.find("保持 1: Nd 5E15 Na 1E15 A 1 V -10\n"), std::string::npos) << readme;
    std::size_t files = 0;
    for (const std::string& name : names) {
        EXPECT_NE(readme.find("  " + name + " "), std::string::npos) << name;
        if (std::ifstream(folder + "/" + name).good()) ++files;
    }
    EXPECT_EQ(files, names.size());

    // A folder the driver may not write into: one box, nothing written.
    const std::string readOnly = Scratch("read-only");
    ASSERT_EQ(mkdir(readOnly.c_str(), 0555), 0);
    chmod(readOnly.c_str(), 0555);
    // Root writes anywhere; the driver runs as nobody for this case.
    const std::string asNobody = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
    const DriverRun refused = RunDriver("click ButtonCalcuationCV\nexportall " + readOnly + "\ndump\n", asNobody);
    ASSERT_EQ(refused.status, 0) << refused.errorOutput;
    ASSERT_EQ(refused.dumps.size(), 1u);
    ASSERT_EQ(refused.dumps[0]["errors"].size(), 1u);
    EXPECT_EQ(refused.dumps[0]["errors"][0]["text"],
              "フォルダ '" + readOnly + "' への書き出しは 0 個のファイルを書いたところで止まりました: '" + readOnly +
                  "/ChartEnergyBand.png' を保存できません: Permission denied.");
    EXPECT_EQ(std::system(("rmdir '" + readOnly + "'").c_str()), 0);  // empty
    EXPECT_EQ(std::system(("rm -r '" + folder + "'").c_str()), 0);
}
