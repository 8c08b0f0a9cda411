// The bundled help pages against the program: the numbers a page states are
// read from the page text as the program embeds it, and each is compared with
// what the scripted driver shows for the same input, to the digits the page
// writes.  A page once said that 3.7E14 is shown as 3E14 after the echo had
// been mended to show 3.7E14.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/Resources.h"

namespace {

using nlohmann::json;

// The dumps of one driver run, in order; empty when the driver failed.
std::vector<json> RunDriver(const std::string& script) {
    static int runs = 0;
    const std::string stem =
        ::testing::TempDir() + "/help-pages-" + std::to_string(getpid()) + "-" + std::to_string(++runs);
    const std::string in = stem + "-in.txt";
    std::ofstream(in) << script;
    const std::string command = std::string(CVCALC_DRIVER) + " < " + in + " 2> /dev/null";
    std::vector<json> dumps;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return dumps;
    std::string line;
    char buffer[65536];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        line += buffer;
        if (line.back() == '\n') {
            dumps.push_back(json::parse(line));
            line.clear();
        }
    }
    const int status = pclose(pipe);
    std::remove(in.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) dumps.clear();
    return dumps;
}

// The markup of a bundled page as the program embeds it.
std::string PageMarkup(const char* name) {
    const auto bytes = cvcalc::FindResource(cvcalc::RT_HTML, name);
    if (!bytes) return {};
    return std::string(bytes->begin(), bytes->end());
}

// Markup to plain text: table cells, list items and paragraphs become spaces,
// other tags vanish (so E<sub>C</sub> reads EC), the entities in use become
// ASCII, and runs of white space one space.
std::string PlainText(const std::string& markup) {
    std::string text = std::regex_replace(markup, std::regex("</?(td|th|tr|p|li|br|table|ul)\\b[^>]*>"), " ");
    text = std::regex_replace(text, std::regex("<[^>]*>"), "");
    const std::pair<const char*, const char*> entities[] = {
        {"&nbsp;", " "},  {"&thinsp;", " "}, {"&minus;", "-"}, {"&ndash;", "-"}, {"&hellip;", "..."},
        {"&asymp;", "~"}, {"&micro;", "u"},  {"&times;", "x"}, {"&lt;", "<"},    {"&gt;", ">"},
    };
    for (const auto& [entity, plain] : entities) text = std::regex_replace(text, std::regex(entity), plain);
    text = std::regex_replace(text, std::regex("\\s+"), " ");
    return text;
}

std::vector<std::smatch> AllMatches(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    return {std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()};
}

// True when `shown` is `value` rounded to the digits `shown` has after its
// decimal point (none: to units).
bool RoundsTo(const std::string& shown, double value) {
    const std::size_t point = shown.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(shown.size() - point - 1);
    return std::abs(std::stod(shown) - value) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9);
}

const json& Points(const json& dump, const std::string& chart, std::size_t series) {
    return dump["charts"][chart]["series"][series]["points"];
}

// The y of the curve point at x, or NaN when the curve has no point there.
double CurveAt(const json& points, double x) {
    for (const json& p : points)
        if (std::abs(p[0].get<double>() - x) < 1e-9) return p[1].get<double>();
    return std::nan("");
}

TEST(HelpPages, EchoAndClampExamplesOnTheHomePageAreWhatTheWindowShows) {
    const std::string text = PlainText(PageMarkup("index.html"));
    ASSERT_FALSE(text.empty());
    // "(3.7e14 is shown as 3.7E14, 0.5E15 as 5E14)"
    std::vector<std::pair<std::string, std::string>> densities;
    const auto echo = AllMatches(text, "\\(([^()]*\\bis shown as [^()]*)\\)");
    ASSERT_EQ(echo.size(), 1u) << "the home page's echo example";
    const std::string examples = echo[0][1];
    for (const std::smatch& m : AllMatches(examples, "([0-9.]+[eE][0-9]+) (?:is shown )?as ([0-9.]+E[0-9]+)"))
        densities.emplace_back(m[1], m[2]);
    ASSERT_FALSE(densities.empty()) << examples;
    // "a donor density of 5E13 becomes 1E14, an area of 500 becomes 100"
    const auto donor = AllMatches(text, "a donor density of (\\S+) becomes ([^ ,]+)");
    const auto area = AllMatches(text, "an area of (\\S+) becomes ([^ ,]+)");
    ASSERT_EQ(donor.size(), 1u);
    ASSERT_EQ(area.size(), 1u);
    densities.emplace_back(donor[0][1], donor[0][2]);

    std::string script;
    for (const auto& [typed, shown] : densities)
        script += "set EditDonorDensity " + typed + "\nclick ButtonCalcuationCV\ndump\n";
    script += "set EditJunctionArea " + area[0][1].str() + "\nclick ButtonCalcuationCV\ndump\n";
    const std::vector<json> dumps = RunDriver(script);
    ASSERT_EQ(dumps.size(), densities.size() + 1);
    for (std::size_t i = 0; i < densities.size(); ++i) {
        EXPECT_TRUE(dumps[i]["errors"].empty()) << densities[i].first;
        EXPECT_EQ(dumps[i]["edits"]["EditDonorDensity"], densities[i].second) << densities[i].first;
        EXPECT_EQ(dumps[i]["labels"]["LabelDonorDensity"], densities[i].second) << densities[i].first;
    }
    EXPECT_EQ(dumps.back()["labels"]["LabelJunctionArea"], area[0][2].str());
}

TEST(HelpPages, ChartRangesOnTheHomePageAreTheChartsOwn) {
    const std::string markup = PageMarkup("index.html");
    const std::pair<const char*, const char*> charts[] = {
        {"Energy band", "ChartEnergyBand"},
        {"Charge density", "ChartChargeDensity"},
        {"Potential", "ChartVoltage"},
        {"C-V", "ChartCV"},
        {"1/C2-V", "ChartC2V"},
    };
    const std::vector<json> dumps = RunDriver("dump\n");
    ASSERT_EQ(dumps.size(), 1u);
    int rows = 0;
    for (const std::smatch& row : AllMatches(markup, "<tr><td>([\\s\\S]*?)</tr>")) {
        const std::string cells = PlainText(row[1]);
        for (const auto& [title, chart] : charts) {
            if (cells.rfind(title, 0) != 0) continue;
            ++rows;
            const json& axes = dumps[0]["charts"][chart]["axes"];
            // The horizontal range first, then the vertical one where it is fixed.
            const auto ranges = AllMatches(cells, "\\((-?[0-9.]+) \\.\\.\\. (-?[0-9.]+)\\)");
            ASSERT_GE(ranges.size(), 1u) << cells;
            EXPECT_EQ(std::stod(ranges[0][1]), axes["bottom"]["min"].get<double>()) << cells;
            EXPECT_EQ(std::stod(ranges[0][2]), axes["bottom"]["max"].get<double>()) << cells;
            if (ranges.size() > 1) {
                EXPECT_EQ(std::stod(ranges[1][1]), axes["left"]["min"].get<double>()) << cells;
                EXPECT_EQ(std::stod(ranges[1][2]), axes["left"]["max"].get<double>()) << cells;
            }
            for (const std::smatch& from : AllMatches(cells, "\\(from (-?[0-9.]+)\\)"))
                EXPECT_EQ(std::stod(from[1]), axes["left"]["min"].get<double>()) << cells;
        }
    }
    EXPECT_EQ(rows, 5);
}

TEST(HelpPages, ZoomThresholdAndWheelStepOnTheHomePageAreTheChartsOwn) {
    const std::string text = PlainText(PageMarkup("index.html"));
    const auto threshold = AllMatches(text, "A drag of ([0-9]+) pixels or less");
    const auto wheel = AllMatches(text, "by ([0-9]+) % of its range");
    ASSERT_EQ(threshold.size(), 1u);
    ASSERT_EQ(wheel.size(), 1u);
    const int n = std::stoi(threshold[0][1]);
    // Each step is followed by a dump.
    const auto drag = [](int x0, int y0, int x1, int y1) {
        return "drag ChartC2V left " + std::to_string(x0) + " " + std::to_string(y0) + " " + std::to_string(x1) + " " +
               std::to_string(y1) + "\ndump\n";
    };
    const std::vector<json> dumps =
        RunDriver("click ButtonCalcuationCV\ndump\n" + drag(100, 100, 100 + n, 100 + n) +
                  drag(100, 100, 101 + n, 100 + n) + drag(100, 100, 101 + n, 101 + n) +
                  drag(101 + n, 100, 100, 101 + n) + "wheel ChartC2V down\ndump\nwheel ChartC2V down\ndump\n");
    ASSERT_EQ(dumps.size(), 7u);
    const auto axes = [&](std::size_t i) { return dumps[i]["charts"]["ChartC2V"]["axes"]; };
    EXPECT_EQ(axes(1)["bottom"], axes(0)["bottom"]) << "a drag of " << n << " pixels";
    EXPECT_EQ(axes(2)["bottom"], axes(0)["bottom"]) << "a drag of " << n + 1 << " by " << n << " pixels";
    EXPECT_NE(axes(3)["bottom"], axes(0)["bottom"]) << "a drag of " << n + 1 << " pixels";
    EXPECT_EQ(axes(4)["bottom"], axes(0)["bottom"]) << "undone by the leftward drag";
    EXPECT_EQ(axes(4)["left"], axes(0)["left"]) << "undone by the leftward drag";
    // The first notch turns the automatic maximum off, and with it the
    // margins around the marker; from then on the shown range is the axis's.
    const double range = axes(5)["left"]["max"].get<double>() - axes(5)["left"]["min"].get<double>();
    const double moved = axes(6)["left"]["min"].get<double>() - axes(5)["left"]["min"].get<double>();
    EXPECT_NEAR(std::abs(moved), range * std::stoi(wheel[0][1]) / 100.0, range * 1e-9);
}

TEST(HelpPages, WorkedExampleOnTheCvPageIsWhatTheDefaultRunDraws) {
    const std::string text = PlainText(PageMarkup("cv.html"));
    const std::vector<json> dumps = RunDriver("click ButtonCalcuationCV\ndump\n");
    ASSERT_EQ(dumps.size(), 1u);
    const json& dump = dumps[0];

    const auto vbi = AllMatches(text, "V ?bi = [0-9.]+ V x ln.*? ~ ([0-9.]+) V");
    ASSERT_EQ(vbi.size(), 1u);
    EXPECT_TRUE(RoundsTo(vbi[0][1], std::stod(dump["labels"]["LabelDiffusionPotential"].get<std::string>())))
        << vbi[0][1];

    const auto sweep = AllMatches(text, "([0-9]+) points from (-?[0-9.]+) V to (-?[0-9.]+) V");
    ASSERT_EQ(sweep.size(), 1u);
    const json& curve = Points(dump, "ChartCV", 0);
    ASSERT_FALSE(curve.empty());
    EXPECT_EQ(std::stoul(sweep[0][1]), curve.size());
    EXPECT_TRUE(RoundsTo(sweep[0][2], curve.front()[0].get<double>()));
    EXPECT_TRUE(RoundsTo(sweep[0][3], curve.back()[0].get<double>()));

    // "C(-10 V) ~ 19.96 pF", "1/C2(0 V) ~ 140.2 nF-2", ...
    const auto values = AllMatches(text, "(1/C2|\\bC)\\((-?[0-9.]+) V\\) ~ ([0-9.]+) (pF|nF)");
    EXPECT_GE(values.size(), 5u);
    for (const std::smatch& m : values) {
        const json& points = Points(dump, m[1] == "C" ? "ChartCV" : "ChartC2V", 0);
        EXPECT_TRUE(RoundsTo(m[3], CurveAt(points, std::stod(m[2]))))
            << m[0] << " against " << CurveAt(points, std::stod(m[2]));
    }

    // "The line reaches zero 140.17 / 236.98 ~ 0.5915 V": the figures, the
    // quotient and the built-in potential agree at the digits shown.
    const auto intercept = AllMatches(text, "reaches zero ([0-9.]+) / ([0-9.]+) ~ ([0-9.]+) V");
    ASSERT_EQ(intercept.size(), 1u);
    const json& inverse = Points(dump, "ChartC2V", 0);
    const double atZero = CurveAt(inverse, 0), slope = (atZero - CurveAt(inverse, -10)) / 10;
    EXPECT_TRUE(RoundsTo(intercept[0][1], atZero)) << intercept[0][0];
    EXPECT_TRUE(RoundsTo(intercept[0][2], -slope)) << intercept[0][0];
    EXPECT_TRUE(RoundsTo(intercept[0][3], std::stod(intercept[0][1]) / std::stod(intercept[0][2]))) << intercept[0][0];
    EXPECT_TRUE(RoundsTo(intercept[0][3], std::stod(dump["labels"]["LabelDiffusionPotential"].get<std::string>())))
        << intercept[0][0];
}

TEST(HelpPages, ExampleNumbersOnTheDepletionPageAreWhatTheChartsDraw) {
    const std::string text = PlainText(PageMarkup("depletion.html"));
    // "0.4724 V for 1E14/1E14, ..."
    const auto potentials = AllMatches(text, "([0-9.]+) V for (1E[0-9]+)/(1E[0-9]+)");
    ASSERT_GE(potentials.size(), 3u);
    std::string script;
    for (const std::smatch& m : potentials)
        script += "set EditDonorDensity " + m[2].str() + "\nset EditAcceptorDensity " + m[3].str() +
                  "\nclick ButtonCalcuationCV\ndump\n";
    script += "click ButtonReset\nclick ButtonCalcuationCV\ndump\n";
    const std::vector<json> dumps = RunDriver(script);
    ASSERT_EQ(dumps.size(), potentials.size() + 1);
    for (std::size_t i = 0; i < potentials.size(); ++i) {
        const std::string label = dumps[i]["labels"]["LabelDiffusionPotential"];
        EXPECT_TRUE(RoundsTo(potentials[i][1], std::stod(label))) << potentials[i][0] << " against " << label;
    }

    const json& defaults = dumps.back();
    const json& potential = Points(defaults, "ChartVoltage", 0);
    const json& band = Points(defaults, "ChartEnergyBand", 0);
    ASSERT_FALSE(potential.empty());
    ASSERT_FALSE(band.empty());
    const auto runs = AllMatches(text, "runs from (-[0-9.]+) V on the left to ([0-9.]+) on the right");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(RoundsTo(runs[0][1], potential.front()[1].get<double>())) << runs[0][0];
    EXPECT_TRUE(RoundsTo(runs[0][2], potential.back()[1].get<double>())) << runs[0][0];
    const auto edges = AllMatches(text, "EC is ([0-9.]+) eV on the far left and ([0-9.]+) eV on the far right");
    ASSERT_EQ(edges.size(), 1u);
    EXPECT_TRUE(RoundsTo(edges[0][1], band.front()[1].get<double>())) << edges[0][0];
    EXPECT_TRUE(RoundsTo(edges[0][2], band.back()[1].get<double>())) << edges[0][0];
    const auto grid = AllMatches(text,
                                 "evaluated at ([0-9]+) points from (-?[0-9.]+) um in steps of ([0-9.]+) um, the "
                                 "last at ([0-9.]+) um");
    ASSERT_EQ(grid.size(), 1u);
    EXPECT_EQ(std::stoul(grid[0][1]), potential.size());
    EXPECT_TRUE(RoundsTo(grid[0][2], potential.front()[0].get<double>()));
    EXPECT_TRUE(RoundsTo(grid[0][3], potential[1][0].get<double>() - potential[0][0].get<double>()));
    EXPECT_TRUE(RoundsTo(grid[0][4], potential.back()[0].get<double>()));
}

}  // namespace
