// The run report's page: every quantity with the window's number texts, the
// substituted numbers giving the results, the inputs and constants, the
// charts inline, hostile typed text escaped, and the page before any run.
#include <cmath>
#include <cstdint>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/MessageTable.h"
#include "platform/core/Resources.h"
#include "results/ChartExport.h"
#include "tests/results/ReportRun.h"
#include "tests/support/InterfaceLanguage.h"

namespace cvcalc {
namespace {

const ReportInputs Cases[] = {
    {{"1E15", "1E15", "1", "-10"}, {1e15, 1e15, 1, -10}},
    // Clamped: donor up to 1E14, area down to 100, bias down to the maximum.
    {{"5e13", "1e18", "500", "3"}, {1e14, 1e18, 100, 0.7}},
    {{"2.5e16", "4e15", "0.5", "-3.5"}, {2.5e16, 4e15, 0.5, -3.5}},
    {{"1e17", "3e14", "2", "0.4"}, {1e17, 3e14, 2, 0.4}},
};

std::string N(double value) { return FloatToGeneralText(value); }

// The first match of `pattern` in `text`; its groups as doubles.
std::vector<double> Numbers(const std::string& text, const std::string& pattern) {
    std::smatch m;
    std::vector<double> numbers;
    if (!std::regex_search(text, m, std::regex(pattern))) return numbers;
    for (std::size_t i = 1; i < m.size(); ++i) numbers.push_back(std::stod(m[i].str()));
    return numbers;
}

const std::string Number = "(-?[0-9.]+(?:E[-+]?[0-9]+)?)";

bool Near(double a, double b, double relative) { return std::abs(a - b) <= relative * std::abs(b); }

class RunReportTest : public ReportRunFixture {};

// A number text's significant digits and the power of ten of its first:
// "842.069103246453" and "8.42069103246452E20" give 842069103246453, 2 and
// 842069103246452, 20.
std::pair<std::string, int> SignificantDigits(const std::string& text) {
    const auto e = text.find('E');
    const std::string mantissa = text.substr(0, e);
    int exponent = e == std::string::npos ? 0 : std::stoi(text.substr(e + 1));
    std::string digits;
    int beforePoint = 0;
    bool point = false;
    for (const char c : mantissa) {
        if (c == '.') point = true;
        if (c < '0' || c > '9') continue;
        if (digits.empty() && c == '0') {
            if (point) --exponent;
            continue;
        }
        digits += c;
        if (!point) ++beforePoint;
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    return {digits, exponent + beforePoint - 1};
}

TEST_F(RunReportTest, InverseSquareInTwoUnitsDisagreedInTheLastDigit) {
    // Every quantity the page gives in two units: the same fifteen digits,
    // the point moved by the units' power of ten.
    const struct {
        const char* pattern;
        int power;
    } pairs[] = {
        {"1/C<sup>2</sup> = <b>([^<]+)</b> F<sup>−2</sup> = ([^ ]+) nF", -18},
        {"C = <b>([^<]+)</b> F = ([^ ]+) pF", 12},
        {"x<sub>n</sub> = <b>([^<]+)</b> m = ([^ ]+) µm", 6},
        {"x<sub>p</sub> = <b>([^<]+)</b> m = ([^ ]+) µm", 6},
        {"W = <b>([^<]+)</b> m = ([^ ]+) µm", 6},
        {"E<sub>max</sub> = <b>([^<]+)</b> V/m = ([^ ]+) V/cm", -2},
    };
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    const auto uniform = [&] {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return double(state >> 11) / double(1ull << 53);
    };
    for (int i = 0; i < 400; ++i) {
        RunRecord run;
        run.used = JunctionInputs{std::pow(10.0, 14 + 4 * uniform()), std::pow(10.0, 14 + 4 * uniform()),
                                  0.1 + 99.9 * uniform(), -10 + 10.5 * uniform()};
        run.usedText = {N(run.used.DonorDensity), N(run.used.AcceptorDensity), N(run.used.JunctionArea),
                        N(run.used.Bias)};
        JunctionResult result;
        SolveJunction(run.constants, run.used, result);
        RecordJunctionNumbers(run, result, ComputeMaximumBias(result.DiffusionPotential));
        const std::string page = RunReportHtml(run, {});
        for (const auto& pair : pairs) {
            std::smatch m;
            ASSERT_TRUE(std::regex_search(page, m, std::regex(pair.pattern))) << pair.pattern;
            const auto [digits, exponent] = SignificantDigits(m[1].str());
            const auto [otherDigits, otherExponent] = SignificantDigits(m[2].str());
            EXPECT_EQ(otherDigits, digits) << m[0].str();
            EXPECT_EQ(otherExponent, exponent + pair.power) << m[0].str();
        }
        // V_max's step does not use V for the unit and the voltage at once.
        EXPECT_EQ(page.find("/ V)"), std::string::npos);
    }
}

TEST_F(RunReportTest, EveryQuantityWithTheWindowsNumberTexts) {
    const testing::ScopedInterfaceLanguage english(Language::English);
    for (const ReportInputs& in : Cases) {
        SCOPED_TRACE(in.typed[0] + std::string(" ") + in.typed[1] + " " + in.typed[2] + " " + in.typed[3]);
        const RunRecord run = Run(in);
        ASSERT_EQ(run.usedText[3], N(in.used[3])) << "the case's clamped bias is the window's";
        const std::string page = RunReportHtml(run, {});
        const double width = run.DepletionWidthN + run.DepletionWidthP;
        // The Vbi result is the window's label, to the last digit.
        EXPECT_EQ(N(run.DiffusionPotential), run.diffusionPotentialText);
        const std::string results[] = {
            "V<sub>bi</sub> = <b>" + run.diffusionPotentialText + "</b> V",
            "V<sub>max</sub> = <b>" + N(run.MaximumBias) + "</b> V",
            "the applied voltage used is V = <b>" + run.usedText[3] + "</b> V",
            "x<sub>n</sub> = <b>" + N(run.DepletionWidthN) + "</b> m",
            "x<sub>p</sub> = <b>" + N(run.DepletionWidthP) + "</b> m",
            "W = <b>" + N(width) + "</b> m",
            "V<sub>n</sub> = <b>" + N(run.NSideDrop) + "</b> V",
            "ΔE<sub>c</sub> = <b>" + N(run.ConductionBandOffset) + "</b> eV",
            "C = <b>" + N(run.BiasCapacitance) + "</b> F = ",
            "1/C<sup>2</sup> = <b>" + N(run.BiasInverseSquare) + "</b> F<sup>−2</sup>",
        };
        for (const std::string& result : results) EXPECT_NE(page.find(result), std::string::npos) << result;

        // The substituted numbers give the results.
        const auto vbi = Numbers(page, "= " + Number + " V × ln\\(" + Number + "\\)</p>");
        ASSERT_EQ(vbi.size(), 2u);
        EXPECT_TRUE(Near(vbi[0] * std::log(vbi[1]), run.DiffusionPotential, 1e-13));
        const auto xn = Numbers(page, "= √\\[" + Number + " / " + Number + "\\] m</p>");
        ASSERT_EQ(xn.size(), 2u);
        EXPECT_TRUE(Near(std::sqrt(xn[0] / xn[1]), run.DepletionWidthN, 1e-13));
        const auto c = Numbers(page, "= " + Number + " m<sup>2</sup> × √\\[" + Number + " F<sup>2</sup>");
        ASSERT_EQ(c.size(), 2u);
        EXPECT_TRUE(Near(c[0], in.used[2] * 1e-6, 1e-15));
        EXPECT_TRUE(Near(c[0] * std::sqrt(c[1]), run.BiasCapacitance, 1e-13));
        // εr ε0 A / W is the same capacitance.
        const auto plate = Numbers(page, "m = " + Number + " F\\)</p>");
        ASSERT_EQ(plate.size(), 1u);
        EXPECT_TRUE(Near(plate[0], run.BiasCapacitance, 1e-12));
        // The peak field from either side of the junction.
        const MaterialConstants k;
        const double field = k.ElementaryCharge * in.used[0] * 1e6 * run.DepletionWidthN /
                             (k.RelativePermittivity * k.VacuumPermittivity);
        const double fieldP = k.ElementaryCharge * in.used[1] * 1e6 * run.DepletionWidthP /
                              (k.RelativePermittivity * k.VacuumPermittivity);
        const auto peak = Numbers(page, "E<sub>max</sub> = <b>" + Number + "</b> V/m");
        ASSERT_EQ(peak.size(), 1u);
        EXPECT_TRUE(Near(peak[0], field, 1e-13));
        EXPECT_TRUE(Near(peak[0], fieldP, 1e-9));
        // The maximum bias step cuts Vbi down to tenths.
        const auto tenths = Numbers(page, "= " + Number + " / 10 V</p>");
        ASSERT_EQ(tenths.size(), 1u);
        EXPECT_EQ(tenths[0], std::trunc(run.DiffusionPotential * 10));
    }
}

TEST_F(RunReportTest, InputsAsTypedAndAsUsedAndTheConstants) {
    const testing::ScopedInterfaceLanguage english(Language::English);
    const RunRecord run = Run(Cases[1]);
    const std::string page = RunReportHtml(run, {});
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(page.find("<td>" + run.typed[i] + "</td><td>" + run.usedText[i] + "</td>"), std::string::npos)
            << run.typed[i];
    EXPECT_EQ(run.usedText[0], "1E14");
    EXPECT_EQ(run.usedText[2], "100");
    const MaterialConstants k;
    const struct {
        const char* symbol;
        double value;
        const char* unit;
    } constants[] = {
        {"q", k.ElementaryCharge, "C"},
        {"ε<sub>0</sub>", k.VacuumPermittivity, "F/m"},
        {"ε<sub>r</sub>", k.RelativePermittivity, "–"},
        {"k", k.BoltzmannConstant, "J/K"},
        {"T", k.Temperature, "K"},
        {"n<sub>i</sub>", k.IntrinsicDensity, "m<sup>−3</sup>"},
        {"N<sub>c</sub>", k.ConductionBandDensity, "m<sup>−3</sup>"},
        {"N<sub>v</sub>", k.ValenceBandDensity, "m<sup>−3</sup>"},
        {"E<sub>g</sub>", k.BandGap, "eV"},
    };
    for (const auto& c : constants) {
        const std::string row = "<td>" + std::string(c.symbol) + "</td><td>" + N(c.value) + "</td><td>" + c.unit;
        EXPECT_NE(page.find(row), std::string::npos) << row;
    }
    EXPECT_NE(page.find("<title>Run report</title>"), std::string::npos);
    EXPECT_NE(page.find("<link rel=\"stylesheet\" href=\"style.css\">"), std::string::npos);
    // The links carry the version of the results the page shows.
    const std::string version = "/" + std::to_string(run.resultsVersion) + "\"";
    EXPECT_NE(page.find("href=\"cvcalc-lab://kestrel/action/save-report-pdf" + version + ">Save as PDF…</a>"),
              std::string::npos);
    EXPECT_NE(page.find("href=\"cvcalc-lab://kestrel/action/print-report" + version + ">Print…</a>"),
              std::string::npos);
}

TEST_F(RunReportTest, ChartsInlineInTheirOrderWithoutXmlDeclarations) {
    const testing::ScopedInterfaceLanguage english(Language::English);
    const RunRecord run = Run(Cases[0]);
    const std::vector<TCustomChart*> charts = Charts();
    const std::string page = RunReportPage(run, charts);
    EXPECT_EQ(page.find("<?xml"), std::string::npos);
    EXPECT_EQ(page.find("<!DOCTYPE svg"), std::string::npos);
    std::size_t at = 0;
    int svgs = 0;
    for (const char* caption : {"Energy band diagram", "Space-charge density", "Electrostatic potential",
                                "C–V characteristic", "1/C²–V characteristic"}) {
        const std::size_t svg = page.find("<svg", at);
        ASSERT_NE(svg, std::string::npos) << caption;
        const std::size_t end = page.find("</svg>", svg);
        ASSERT_NE(end, std::string::npos) << caption;
        const std::size_t captionAt = page.find(std::string("<figcaption>") + caption, end);
        ASSERT_NE(captionAt, std::string::npos) << caption;
        EXPECT_EQ(page.find("<svg", end), page.find("<svg", captionAt)) << "one drawing per caption";
        at = captionAt;
        ++svgs;
    }
    EXPECT_EQ(page.find("<svg", at), std::string::npos);
    EXPECT_EQ(svgs, 5);
    // Each inlined drawing is the chart's own SVG from its <svg> on.
    const std::string cv = ChartSvg(*FormPNJunction->ChartCV, RunAbout(run), ChartScales::WholeRun);
    EXPECT_NE(page.find(cv.substr(cv.find("<svg"))), std::string::npos);

    // Documents given as they are: a declaration and a document type are
    // left out, a text without a drawing gives an empty figure.
    const std::vector<std::string> given = {
        "<?xml version=\"1.0\"?>\n<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" \"x\">\n<svg id=\"a\"></svg>",
        "no drawing"};
    const std::string small = RunReportHtml(run, given);
    EXPECT_NE(small.find("<figure class=\"chart\">\n<svg id=\"a\"></svg>\n<figcaption>Energy band diagram"),
              std::string::npos);
    EXPECT_NE(small.find("<figure class=\"chart\">\n\n<figcaption>Space-charge density"), std::string::npos);
    EXPECT_EQ(small.find("no drawing"), std::string::npos);
}

TEST_F(RunReportTest, HostileTypedTextIsEscaped) {
    RunRecord run = Run(Cases[0]);
    const struct {
        std::string typed;
        std::string shown;
    } texts[] = {
        {"<script>alert('x')</script>", "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"},
        {"1E15\" onclick=\"a&b", "1E15&quot; onclick=&quot;a&amp;b"},
        {std::string("\xFF\xC3(1\x01\x7F", 6), "\xEF\xBF\xBD\xEF\xBF\xBD(1\xEF\xBF\xBD\xEF\xBF\xBD"},
        {std::string("a\0b", 3),
         "a\xEF\xBF\xBD"
         "b"},
        // Overlong, surrogate and cut-off sequences are no characters.
        {"\xC0\xAF\xED\xA0\x80\xE3\x81",
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
         "\xEF\xBF\xBD"},
        {"ドナー 1e15 &amp;", "ドナー 1e15 &amp;amp;"},
    };
    for (const auto& t : texts) {
        EXPECT_EQ(HtmlText(t.typed), t.shown);
        run.typed = {t.typed, t.typed, t.typed, t.typed};
        run.usedText[2] = t.typed;
        const std::string page = RunReportHtml(run, {});
        EXPECT_NE(page.find("<td>" + t.shown + "</td><td>" + run.usedText[0] + "</td>"), std::string::npos);
        EXPECT_NE(page.find("<td>" + t.shown + "</td><td>" + t.shown + "</td>"), std::string::npos);
    }
    for (const char* markup : {"<script>", "onclick=\"a"}) {
        run.typed[0] = std::string(markup) + "&";
        EXPECT_EQ(RunReportHtml(run, {}).find(markup), std::string::npos) << markup;
    }
}

TEST_F(RunReportTest, BeforeAnyRunThePageSaysSo) {
    for (const bool afterRun : {false, true}) {
        SCOPED_TRACE(afterRun ? "after Reset" : "at start");
        RunRecord run;
        if (afterRun) {
            Run(Cases[0]);
            FormPNJunction->ButtonReset->Click();
            run = FormPNJunction->LastRun();
        }
        const std::string page = RunReportPage(run, Charts());
        EXPECT_NE(page.find("<h2>まだ計算していません</h2>"), std::string::npos);
        EXPECT_NE(page.find("<title>計算レポート</title>"), std::string::npos);
        EXPECT_NE(page.find("<b>計算</b> を押すと"), std::string::npos);
        for (const char* absent : {"<svg", "action/", "<table", "V<sub>bi</sub> ="})
            EXPECT_EQ(page.find(absent), std::string::npos) << absent;
        const testing::ScopedInterfaceLanguage english(Language::English);
        const std::string inEnglish = RunReportPage(run, Charts());
        EXPECT_NE(inEnglish.find("<h2>No run yet</h2>"), std::string::npos);
        EXPECT_NE(inEnglish.find("<title>Run report</title>"), std::string::npos);
        EXPECT_NE(inEnglish.find("press <b>Calculate</b>"), std::string::npos);
    }
}

// Under Japanese the headings and the prose are Japanese (the formulas and
// units are the same in both); under English nothing Japanese is left, the
// site's frame included.  A run with a later failure and a fit shows every
// section.
TEST_F(RunReportTest, EachLanguageWritesTheWholeReportItsOwnWay) {
    RunRecord run = Run(Cases[2]);
    run.fit.present = true;
    run.fit.onMeasured = true;
    run.fit.measuredUnit = "nF";
    run.fit.areaSquareMillimetres = 2;
    run.fit.area = 2e-6;
    run.laterFailure.present = true;
    run.laterFailure.typed = {"x", "1e15", "1", "0"};
    run.laterFailure.message = "'x' は浮動小数点数ではありません";
    const std::string japanese = RunReportPage(run, Charts());
    for (const char* heading :
         {"<html lang=\"ja\">", "<h1>計算レポート</h1>", "<h2>入力</h2>", "<h2>計算の過程</h2>",
          "<h3>拡散電位 V<sub>bi</sub></h3>", "<h2>1/C<sup>2</sup> の直線フィット</h2>", "<h2>材料定数</h2>",
          "<h2>グラフ</h2>", "<figcaption>C–V特性</figcaption>", "<h2>後の計算が入力エラーで中止されました</h2>",
          "測定点のうち", "上の計算は A = 0.5 mm<sup>2</sup>"})
        EXPECT_NE(japanese.find(heading), std::string::npos) << heading;
    for (const char* english : {"Worked solution", "Inputs", "Material constants", "the measured points", "Save as PDF",
                                "Built-in potential", "stopped"})
        EXPECT_EQ(japanese.find(english), std::string::npos) << english;

    const testing::ScopedInterfaceLanguage inEnglish(Language::English);
    run.laterFailure.message = LoadMessageFormatted(65421, {"x"});
    // The windows of this test read their forms in Japanese, so the
    // figures are stand-ins here; the driver's English run checks real ones.
    const std::vector<std::string> figures(5, "<svg></svg>");
    const std::string english = RunReportHtml(run, figures);
    EXPECT_EQ(testing::FindJapanese(english), std::string::npos) << english.substr(testing::FindJapanese(english), 80);
    for (const char* heading :
         {"<html lang=\"en\">", "<h1>Run report</h1>", "<h2>Inputs</h2>", "<h2>Worked solution</h2>",
          "<h3>Built-in potential V<sub>bi</sub></h3>", "<h2>Straight-line fit of 1/C<sup>2</sup></h2>",
          "<h2>Material constants</h2>", "<figcaption>C–V characteristic</figcaption>",
          "through the measured points with", "the run above used A = 0.5 mm<sup>2</sup>.",
          "&#39;x&#39; is not a valid floating point value"})
        EXPECT_NE(english.find(heading), std::string::npos) << heading;
}

std::string BundledPage(const char* name) {
    const auto bytes = FindResource(RT_HTML, name);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

TEST(ReportHelpPages, TheHomePageLinksTheReportAndTheMenuItemsAreGlossed) {
    const std::string home = BundledPage("index.html");
    EXPECT_NE(home.find("<a href=\"report.html\"><span class=\"ja\">計算レポート</span></a> &mdash; the worked "
                        "solution of your last run"),
              std::string::npos);
    EXPECT_NE(home.find("<a href=\"results.html\">"), std::string::npos);
    const std::string results = BundledPage("results.html");
    ASSERT_FALSE(results.empty()) << "results.html is bundled";
    EXPECT_NE(results.find("<link rel=\"stylesheet\" href=\"style.css\">"), std::string::npos);
    EXPECT_NE(results.find("<a href=\"report.html\">"), std::string::npos);
    // Each item of the charts' menu in its own row with its English gloss.
    const std::pair<const char*, const char*> items[] = {
        {"画像をコピー", "Copy image"},
        {"画像を保存…", "Save image…"},
        {"データを保存…", "Save data…"},
        {"ズームを元に戻す", "Undo zoom"},
        {"計算レポート", "Run report"},
        {"曲線を保持", "Hold curves"},
        {"保持を消去", "Clear held curves"},
        {"測定データを読み込む…", "Load measured C&ndash;V…"},
        {"測定データを消去", "Clear measured data"},
        {"直線フィット", "Fit straight line"},
        {"全部を書き出す…", "Export everything…"},
    };
    for (const auto& [japanese, english] : items) {
        const std::string row =
            std::string("<tr><td><span class=\"ja\">") + japanese + "</span></td><td>" + english + "</td>";
        EXPECT_NE(results.find(row), std::string::npos) << english;
    }
}

TEST(ReportHelpPages, TheLineFitPageIsLinkedAndCarriesItsScreenshot) {
    EXPECT_NE(BundledPage("index.html").find("<a href=\"mott-schottky.html\">"), std::string::npos);
    const std::string page = BundledPage("mott-schottky.html");
    ASSERT_FALSE(page.empty());
    EXPECT_NE(page.find("<img src=\"mott-schottky.png\""), std::string::npos);
    // The menu items it tells the student to choose, as the menu captions them.
    for (const char* item : {"測定データを読み込む…", "直線フィット", "曲線を保持", "保持を消去"})
        EXPECT_NE(page.find(item), std::string::npos) << item;
    const std::string picture = BundledPage("mott-schottky.png");
    ASSERT_GT(picture.size(), 24u);
    EXPECT_EQ(picture.substr(1, 3), "PNG");
    // Its size as the page gives it (the header's big-endian width and height).
    auto word = [&](std::size_t at) {
        return (unsigned(static_cast<unsigned char>(picture[at])) << 24) |
               (unsigned(static_cast<unsigned char>(picture[at + 1])) << 16) |
               (unsigned(static_cast<unsigned char>(picture[at + 2])) << 8) |
               unsigned(static_cast<unsigned char>(picture[at + 3]));
    };
    EXPECT_EQ(word(16), 400u);
    EXPECT_EQ(word(20), 690u);
}

}  // namespace
}  // namespace cvcalc
