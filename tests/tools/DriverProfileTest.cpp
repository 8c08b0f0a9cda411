// The doping profile and the grading exponent through the driver: the
// window and its chart, the dump's keys, the exports, the menus, and every
// bad input ending in its one box with nothing changed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/tools/DriverRun.h"

namespace cvcalc::testing {
namespace {

double Number(const json& label) { return std::stod(label.get<std::string>()); }

TEST(DriverProfile, ComputedCurveGivesAFlatProfileInItsOwnWindowAndTheGradingOfAnAbruptJunction) {
    const std::string csv = Scratch("profile.csv"), svg = Scratch("profile.svg"), pdf = Scratch("profile.pdf"),
                      png = Scratch("profile.png");
    const DriverRun run = RunDriver(
        "dump\nset EditDonorDensity 3e15\nset EditAcceptorDensity 2e17\n"
        "click ButtonCalcuationCV\nfit\nprofile\ngradefit\ndump\nprofile 5\n"
        "export ChartProfile " +
        csv + "\nexport ChartProfile " + svg + "\nexport ChartProfile " + pdf + "\nexport ChartProfile " + png +
        " 2\ndrag ChartCV right 200 100 200 100\ndump\nclick ButtonReset\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 4u);
    // Before: no window, no profile, no grading.
    EXPECT_FALSE(run.dumps[0]["charts"].contains("ChartProfile"));
    EXPECT_TRUE(run.dumps[0]["profile"].is_null());
    EXPECT_TRUE(run.dumps[0]["grading"].is_null());

    const json& d = run.dumps[1];
    ASSERT_TRUE(d["errors"].empty()) << d["errors"];
    const double reduced = 3e15 * 2e17 / (3e15 + 2e17);
    const json& profile = d["profile"];
    EXPECT_EQ(profile["source"], "computed");
    EXPECT_EQ(profile["k"], 3);
    ASSERT_GT(profile["points"].size(), 100u);
    double lastDepth = 1e300;
    for (const json& p : profile["points"]) {
        EXPECT_NEAR(p[1].get<double>() / reduced, 1, 1e-9);
        EXPECT_LT(p[0].get<double>(), lastDepth);  // voltage order: the depth falls
        lastDepth = p[0].get<double>();
    }
    // The last point, a hair below Vbi, lies within three Debye lengths.
    EXPECT_EQ(profile["points"].back()[2], false);
    EXPECT_EQ(profile["points"].front()[2], true);
    // The window's chart: the resolved and unresolved points and the two
    // reference lines, on a logarithmic density axis in whole decades.
    ASSERT_TRUE(d["charts"].contains("ChartProfile"));
    const json& chart = d["charts"]["ChartProfile"];
    std::vector<std::string> names;
    for (const json& s : chart["series"]) names.push_back(s["name"]);
    EXPECT_EQ(names,
              (std::vector<std::string>{"ProfileResolved", "ProfileUnresolved", "ReferenceDensity", "ReferenceNeff"}));
    EXPECT_EQ(chart["series"][0]["points"].size() + chart["series"][1]["points"].size(), profile["points"].size());
    EXPECT_EQ(chart["series"][1]["points"].size(), profile["unresolved"].get<std::size_t>());
    EXPECT_NEAR(chart["series"][2]["points"][0][1].get<double>() / reduced, 1, 1e-12);
    EXPECT_NEAR(chart["series"][3]["points"][0][1].get<double>(), d["fit"]["neff"].get<double>(), 1);
    EXPECT_EQ(chart["axes"]["left"]["labels"], (json{"1E+16", "1E+15"}));

    // An abrupt junction: m = 1/2 and V0 = Vbi to six digits.
    const json& grading = d["grading"];
    EXPECT_NEAR(grading["m"].get<double>(), 0.5, 5e-7);
    EXPECT_NEAR(grading["v0"].get<double>() / Number(d["labels"]["LabelDiffusionPotential"]), 1, 5e-7);
    EXPECT_GT(grading["r2"].get<double>(), 0.999999);
    EXPECT_EQ(grading["points"], profile["points"].size());
    std::vector<std::string> cvNames;
    for (const json& s : d["charts"]["ChartCV"]["series"]) cvNames.push_back(s["name"]);
    EXPECT_EQ(cvNames, (std::vector<std::string>{"Series1", "Series12", "GradingCurve"}));

    // k = 5, the exports of the profile's chart in every format, and the
    // C-V chart's menu ending in the two new items.
    EXPECT_EQ(run.dumps[2]["profile"]["k"], 5);
    EXPECT_TRUE(run.dumps[2]["errors"].empty()) << run.dumps[2]["errors"];
    const std::string data = Slurp(csv);
    EXPECT_NE(data.find("W (um)"), std::string::npos) << data.substr(0, 400);
    EXPECT_NE(data.find("profile not resolved (W < 3 L_D)"), std::string::npos) << data.substr(0, 400);
    EXPECT_EQ(Slurp(svg).find("<svg") != std::string::npos, true);
    EXPECT_EQ(Slurp(pdf).rfind("%PDF", 0), 0u);
    EXPECT_EQ(Slurp(png).rfind("\x89PNG", 0), 0u);
    const json& menu = run.dumps[2]["menu"];
    // The analyses follow the line's items, before the language and the
    // export of everything, which stays last.
    ASSERT_GE(menu.size(), 4u);
    EXPECT_EQ(menu[menu.size() - 4]["caption"], "ドーピングプロファイル");
    EXPECT_EQ(menu[menu.size() - 3]["caption"], "べき乗フィット");
    EXPECT_EQ(menu[menu.size() - 1]["caption"], "全部を書き出す…");

    // Reset takes what was read off the computed curve along; the window
    // stays, empty.
    EXPECT_TRUE(run.dumps[3]["profile"].is_null());
    EXPECT_TRUE(run.dumps[3]["grading"].is_null());
    for (const json& s : run.dumps[3]["charts"]["ChartProfile"]["series"]) EXPECT_TRUE(s["points"].empty());
    for (const std::string& path : {csv, svg, pdf, png}) std::remove(path.c_str());
}

// Measured points take precedence over the computed curve, and stay with
// their profile through a new run.
TEST(DriverProfile, MeasuredPointsGiveTheirOwnProfile) {
    const DriverRun run = RunDriver("click ButtonCalcuationCV\nimport " CVCALC_SOURCE_DIR
                                    "/docs/example-measured-cv.csv\nprofile 2\ngradefit\nclick ButtonCalcuationCV\n"
                                    "dump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 1u);
    const json& d = run.dumps[0];
    ASSERT_TRUE(d["errors"].empty()) << d["errors"];
    EXPECT_EQ(d["profile"]["source"], "measured");
    EXPECT_EQ(d["profile"]["k"], 2);
    // The worked example is a diode of about 5e15 cm^-3 with a little noise.
    for (const json& p : d["profile"]["points"]) EXPECT_NEAR(p[1].get<double>() / 5e15, 1, 0.25);
    EXPECT_NEAR(d["grading"]["m"].get<double>(), 0.5, 0.05);
}

TEST(DriverProfile, EveryBadInputShowsItsBoxAndChangesNothing) {
    const auto file = [](const std::string& name, const std::string& rows) {
        std::ofstream(Scratch(name)) << "V,C (pF)\n" << rows;
        return Scratch(name);
    };
    const std::string five = file("five.csv", "-4,50\n-3,55\n-2,60\n-1,70\n0,80\n");
    const std::string oneVoltage = file("one-voltage.csv", "1,50\n1,55\n1,60\n1,70\n1,80\n1,90\n1,95\n1,99\n");
    const std::string falling = file("falling.csv", "-4,90\n-3,80\n-2,70\n-1,60\n0,55\n0.2,50\n0.3,45\n0.4,44\n");
    const std::string tooFewProfile =
        "ドーピングプロファイルには表示範囲内に 7 点以上 (k = 3 の窓 2k + 1 点) が必要です.";
    const struct {
        const char* name;
        std::string before, command, box;
    } cases[] = {
        {"profile before any run", "", "profile", tooFewProfile},
        {"grading before any run", "", "gradefit", "べき乗フィットには表示範囲内に 3 点以上が必要です."},
        {"k zero", "click ButtonCalcuationCV", "profile 0",
         "プロファイルの窓の半幅 k は 1 から 25 まででなければなりません (k = 0)"},
        {"k 26", "click ButtonCalcuationCV", "profile 26",
         "プロファイルの窓の半幅 k は 1 から 25 まででなければなりません (k = 26)"},
        {"k not a number", "click ButtonCalcuationCV", "profile three",
         "プロファイルの窓の半幅 k は 1 から 25 まででなければなりません (k = three)"},
        {"k not whole", "click ButtonCalcuationCV", "profile 2.5",
         "プロファイルの窓の半幅 k は 1 から 25 まででなければなりません (k = 2.5)"},
        {"fewer than 2k + 1 points", "click ButtonCalcuationCV\nimport " + five, "profile", tooFewProfile},
        {"a window wider than the points", "click ButtonCalcuationCV\nimport " + five, "profile 25",
         "ドーピングプロファイルには表示範囲内に 51 点以上 (k = 25 の窓 2k + 1 点) が必要です."},
        {"all at one voltage", "import " + oneVoltage, "profile",
         "すべての点が同じ電圧にあるため 1/C² の傾きを決められません."},
        {"grading all at one voltage", "import " + oneVoltage, "gradefit",
         "すべての点が同じ電圧にあるため、べき乗フィットができません."},
        {"1/C² rising with the voltage", "import " + falling, "profile",
         "1/C² が電圧とともに減る点がないため、ドーピングプロファイルを描けません."},
        {"grading that does not converge", "import " + falling, "gradefit",
         "べき乗フィットが収束しません: 表示範囲の C-V は C0 (1 - V/V0)^(-m) の形に合いません."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A good profile and grading first where there is data for them,
        // so that "nothing lost" means something.
        const bool good = c.before == "click ButtonCalcuationCV";
        const std::string setup = c.before + (good ? "\nprofile\ngradefit" : "");
        const DriverRun run = RunDriver(setup + "\ndump\n" + c.command + "\ndump\n");
        ASSERT_EQ(run.status, 0) << run.errorOutput;
        ASSERT_EQ(run.dumps.size(), 2u);
        ASSERT_TRUE(run.dumps[0]["errors"].empty()) << run.dumps[0]["errors"];
        ASSERT_EQ(run.dumps[1]["errors"].size(), 1u);
        EXPECT_EQ(run.dumps[1]["errors"][0]["text"], c.box);
        EXPECT_EQ(run.dumps[1]["charts"], run.dumps[0]["charts"]);
        EXPECT_EQ(run.dumps[1]["profile"], run.dumps[0]["profile"]);
        EXPECT_EQ(run.dumps[1]["grading"], run.dumps[0]["grading"]);
        EXPECT_EQ(run.dumps[1]["profile"].is_null(), !good);
    }
    for (const std::string& path : {five, oneVoltage, falling}) std::remove(path.c_str());
}

}  // namespace
}  // namespace cvcalc::testing
