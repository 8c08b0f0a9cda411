// Results through the driver that belong to one run: the fit's own area in
// the dump and the report, exports after a run that stopped at an input
// error, and what Reset keeps.  Each case is named after what once went
// wrong.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/tools/DriverRun.h"

namespace {

using cvcalc::testing::DriverRun;
using cvcalc::testing::RunDriver;
using cvcalc::testing::Scratch;
using cvcalc::testing::Slurp;
using nlohmann::json;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// These runs speak English (the desktop asks for it), so their files are
// read in the words a student abroad sees.
TEST(DriverTrust, FitOnMeasuredDataReadItsDopingWithTheNewRunsArea) {
    const std::string file = Scratch("trust-measured.csv"), page = Scratch("trust-report.html");
    // 1/C² = 4 (1 V - V) nF^-2.
    std::ofstream(file) << "V,C (nF)\n-3,0.25\n0,0.5\n0.75,1\n";
    const DriverRun run = RunDriver("set EditJunctionArea 0.5\nclick ButtonCalcuationCV\nimport " + file +
                                        "\nfit\ndump\nset EditJunctionArea 2\nclick ButtonCalcuationCV\nreport " +
                                        page + "\ndump\nfit\ndump\n",
                                    "LANGUAGE=en");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 3u);
    const json& first = run.dumps[0]["fit"];
    const json& afterRun = run.dumps[1]["fit"];
    const json& refit = run.dumps[2]["fit"];
    EXPECT_EQ(first["area"], 0.5);
    EXPECT_EQ(afterRun["area"], 0.5);
    EXPECT_EQ(afterRun["neff"], first["neff"]);
    EXPECT_EQ(run.dumps[1]["labels"]["LabelJunctionArea"], "2");
    // The report's fit section names the area it used beside the run's.
    const std::string html = Slurp(page);
    EXPECT_TRUE(Contains(html, "A = 0.5 mm<sup>2</sup> = 5E-7 m<sup>2</sup>"));
    EXPECT_TRUE(Contains(html, "(5E-7 m<sup>2</sup>)<sup>2</sup>"));
    EXPECT_TRUE(Contains(html, "the run above used A = 2 mm<sup>2</sup>"));
    // A new fit takes the current run's area.
    EXPECT_EQ(refit["area"], 2);
    const double ratio = refit["neff"].get<double>() / first["neff"].get<double>();
    EXPECT_NEAR(ratio, 1.0 / 16, 1e-14);
    for (const json& dump : run.dumps) EXPECT_TRUE(dump["errors"].empty());
    std::remove(file.c_str());
    std::remove(page.c_str());
}

TEST(DriverTrust, ExportsSaidNoRunYetBesideTheCurvesOfTheLastCompletedRun) {
    const std::string csv = Scratch("trust-cv.csv"), svg = Scratch("trust-cv.svg"), page = Scratch("trust-r.html");
    const DriverRun run = RunDriver(
        "click ButtonCalcuationCV\nset EditDonorDensity abc\nclick ButtonCalcuationCV\n"
        "export ChartCV " +
            csv + "\nexport ChartCV " + svg + "\nreport " + page + "\ndump\n",
        "LANGUAGE=en");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 1u);
    ASSERT_EQ(run.dumps[0]["errors"].size(), 1u);
    const std::string error = run.dumps[0]["errors"][0]["text"];
    // The charts still show the first run's curves.
    EXPECT_FALSE(run.dumps[0]["charts"]["ChartCV"]["series"][0]["points"].empty());

    const std::string data = Slurp(csv);
    EXPECT_FALSE(Contains(data, "no calculation has run yet"));
    EXPECT_TRUE(Contains(data, "# donor density (cm^-3): 1e+15\n"));
    EXPECT_TRUE(Contains(data, "# a later run stopped at an input error ('abc' "));
    EXPECT_TRUE(Contains(data, "typed Nd abc Na 1E15 A 1 V -10"));
    EXPECT_TRUE(Contains(data, "\nC,"));
    // The figure names the run it shows and the run that stopped.
    const std::string figure = Slurp(svg);
    EXPECT_TRUE(Contains(figure, "Nd 1E15 Na 1E15 A 1 V -10; a later run stopped at an input error"));
    // The report gives the worked solution of the charts' run, after saying
    // that a later one stopped.
    const std::string html = Slurp(page);
    EXPECT_FALSE(Contains(html, "No run yet"));
    EXPECT_TRUE(Contains(html, "A later run stopped at an input error"));
    EXPECT_TRUE(Contains(html, "Worked solution"));
    EXPECT_LT(html.find("A later run stopped"), html.find("Worked solution"));

    // Before any run completes, the same stop is named as such.
    const DriverRun first =
        RunDriver("set EditBias 1e400\nclick ButtonCalcuationCV\nexport ChartCV " + csv + "\nreport " + page + "\n",
                  "LANGUAGE=en");
    ASSERT_EQ(first.status, 0) << first.errorOutput;
    const std::string firstData = Slurp(csv);
    EXPECT_TRUE(Contains(firstData, "# no calculation has completed yet\n"));
    EXPECT_TRUE(Contains(firstData, "# a run stopped at an input error ("));
    const std::string firstPage = Slurp(page);
    EXPECT_TRUE(Contains(firstPage, "No run yet"));
    EXPECT_TRUE(Contains(firstPage, "A run stopped at an input error"));
    for (const std::string& path : {csv, svg, page}) std::remove(path.c_str());
}

TEST(DriverTrust, ResetThrewAwayHeldRunsMeasuredPointsAndTheirFit) {
    const std::string file = Scratch("trust-reset.csv");
    std::ofstream(file) << "V,C (nF)\n-3,0.25\n0,0.5\n0.75,1\n";
    const DriverRun run =
        RunDriver("click ButtonCalcuationCV\nhold\nimport " + file + "\nfit\ndump\nclick ButtonReset\ndump\n");
    ASSERT_EQ(run.status, 0) << run.errorOutput;
    ASSERT_EQ(run.dumps.size(), 2u);
    const json& before = run.dumps[0];
    const json& after = run.dumps[1];
    EXPECT_EQ(after["fit"], before["fit"]);
    for (const char* chart : {"ChartCV", "ChartC2V", "ChartEnergyBand"}) {
        const json& series = after["charts"][chart]["series"];
        ASSERT_EQ(series.size(), before["charts"][chart]["series"].size()) << chart;
        for (std::size_t i = 0; i < series.size(); ++i) {
            const std::string name = series[i]["name"];
            if (name.rfind("Series", 0) == 0)
                EXPECT_TRUE(series[i]["points"].empty()) << name;
            else
                EXPECT_EQ(series[i]["points"], before["charts"][chart]["series"][i]["points"]) << name;
        }
    }
    EXPECT_TRUE(after["errors"].empty());
    std::remove(file.c_str());
}

}  // namespace
