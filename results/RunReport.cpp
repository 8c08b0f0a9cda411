// The run report: one writer for the browser's page and the printed page,
// which differ only in what a browser can show (the site's frame, inline SVG,
// the action links) and in the table markup QTextDocument understands.
#include "results/RunReport.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "chart/ChartSeries.h"
#include "chart/CustomChart.h"
#include "framework/Canvas.h"
#include "numtext/FloatDigits.h"
#include "numtext/FloatFormat.h"
#include "platform/core/Translate.h"
#include "platform/gui/ReportDocument.h"
#include "results/ChartExport.h"

namespace cvcalc {

namespace {

using Extended = long double;

// Entry units to SI, as the physics converts them.
constexpr Extended PerCubicCentimetre = 1e6;
constexpr Extended SquareMillimetre = 1e-6;

constexpr const char* SiteAddress = "cvcalc-lab://kestrel/";

std::string FigureCaption(std::size_t i);

// What a fit or the profile was read from.
std::string PointsRead(bool onMeasured) {
    return onMeasured ? Tr("RunReport", "測定点") : Tr("RunReport", "計算した曲線");
}

// A profile of more points is shown in its table by every n-th point.
constexpr std::size_t ProfileTableRows = 200;

// A number as the window writes it.
std::string Num(Extended value) { return FloatToGeneralText(value); }

// `value` × 10^power as the window writes numbers, for a second unit of
// one quantity: the decimal point of `value`'s own fifteen digits moves,
// so that both texts carry the same digits.  (Multiplying first would
// round twice, and 8.42069103246452E20 F^-2 could come out as
// 842.069103246453 nF^-2.)
std::string NumIn(Extended value, int power) {
    const FloatDigits d = DecomposeFloat(value, 15, 9999);
    if (d.Digits[0] == '\0' || d.DecimalExponent == FloatDigitsInfinity || d.DecimalExponent == FloatDigitsNaN)
        return Num(value);
    const std::string shifted =
        std::string(d.Negative ? "-0." : "0.") + d.Digits + "e" + std::to_string(int(d.DecimalExponent) + power);
    Extended moved = 0;
    std::from_chars(shifted.data(), shifted.data() + shifted.size(), moved);
    return Num(moved);
}

// A number to put into a formula: negative ones in parentheses.
std::string Put(Extended value) { return value < 0 ? "(" + Num(value) + ")" : Num(value); }

// Units and symbols in markup both renderers understand.
constexpr const char* PerCubicMetre = "m<sup>−3</sup>";
constexpr const char* PerCubicCm = "cm<sup>−3</sup>";

std::string Sub(std::string_view base, std::string_view index) {
    return std::string(base) + "<sub>" + std::string(index) + "</sub>";
}

class ReportWriter {
public:
    // `browser`: the page for the help window; otherwise the printed page.
    explicit ReportWriter(bool browser) : browser_(browser) {}

    std::string Page(const RunRecord& run, std::span<const std::string> chartSvgs) {
        Head();
        if (run.complete || run.fit.present || !chartSvgs.empty()) Actions(run.resultsVersion);
        LaterFailure(run);
        if (!run.complete) {
            NoRun();
        } else {
            Inputs(run);
            Solution(run);
        }
        // A line through measured points needs no run, and Reset keeps it.
        Fit(run);
        Grading(run);
        Profile(run);
        if (run.complete || run.fit.present || run.profile.present || run.grading.present) Constants(run.constants);
        if (browser_) Charts(chartSvgs);
        Tail();
        return std::move(out_);
    }

private:
    void Head() {
        out_ += "<!DOCTYPE html>\n<html lang=\"";
        out_ += InterfaceSpeaksEnglish() ? "en" : "ja";
        out_ += "\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
        out_ += RunReportTitle();
        out_ += "</title>\n";
        if (browser_) {
            out_ += "<link rel=\"stylesheet\" href=\"style.css\">\n";
            out_ +=
                "<style>\n"
                "h3 { font-size: 16px; color: #2b4a7a; margin: 18px 0 4px 0; }\n"
                "h3 .ja { font-size: 0.85em; color: #51627d; margin-left: 8px; font-weight: normal; }\n"
                ".step { margin: 2px 0 2px 28px; }\n"
                ".result { margin: 4px 0 10px 28px; }\n"
                ".actions a { display: inline-block; margin-right: 12px; padding: 4px 14px; background: #2b4a7a;"
                " color: #ffffff; text-decoration: none; border-radius: 3px; }\n"
                "figure.chart { display: inline-block; margin: 10px 16px 10px 0; vertical-align: top; }\n"
                "figure.chart svg { max-width: 100%; height: auto; background: #ffffff; }\n"
                "figcaption { text-align: center; font-size: 14px; }\n"
                "</style>\n";
        } else {
            out_ +=
                "<style>\n"
                "p { margin-top: 0pt; margin-bottom: 0pt; }\n"
                "h1 { font-size: 14pt; color: #2b4a7a; margin-top: 0pt; margin-bottom: 3pt; }\n"
                "h2 { font-size: 11pt; color: #2b4a7a; margin-top: 6pt; margin-bottom: 2pt; }\n"
                "h3 { font-size: 9pt; color: #2b4a7a; margin-top: 4pt; margin-bottom: 0pt; }\n"
                ".ja { font-family: \"IPAPGothic\", \"IPAGothic\"; }\n"
                ".formula { font-style: italic; }\n"
                ".step { margin-left: 14pt; }\n"
                ".result { margin-left: 14pt; }\n"
                "</style>\n";
        }
        out_ += "</head>\n<body>\n";
        if (browser_) {
            // The help site's frame: the laboratory's name in both
            // languages, as its pages have it, or in English alone.
            out_ += "<header>\n  <p class=\"lab\">Kestrel Laboratory";
            if (!InterfaceSpeaksEnglish()) out_ += " <span class=\"ja\">ケストレル研究室</span>";
            out_ +=
                "</p>\n"
                "</header>\n"
                "<nav>\n"
                "  <a href=\"index.html\">Home</a>\n"
                "  <a href=\"depletion.html\">The abrupt pn junction</a>\n"
                "  <a href=\"cv.html\">C&ndash;V characteristics</a>\n"
                "  <a class=\"here\" href=\"report.html\">Run report</a>\n"
                "</nav>\n<main>\n";
        }
        out_ += "<h1>" + RunReportTitle() + "</h1>\n";
    }

    void Tail() {
        if (browser_) {
            out_ +=
                "</main>\n<footer>Kestrel Laboratory, Department of Electrical and Electronic Engineering, Faculty "
                "of Engineering, Minamo University";
            if (!InterfaceSpeaksEnglish())
                out_ += " &middot; <span class=\"ja\">ミナモ大学 工学部 電気電子工学科 ケストレル研究室</span>";
            out_ += "</footer>\n";
        }
        out_ += "</body>\n</html>\n";
    }

    void NoRun() {
        out_ += "<h2>" + Tr("RunReport", "まだ計算していません") + "</h2>\n";
        out_ += "<p>" +
                Tr("RunReport",
                   "計算結果はまだありません。起動またはリセットの後、計算が一度も完了していません。メインウィンドウ"
                   "で 4 つの値を入力して <b>計算</b> を押すと、このページにその計算の過程が表示されます。") +
                "</p>\n";
    }

    // A run after the recorded one that stopped at an input error: said
    // first, so that nobody takes this report for that run's.
    void LaterFailure(const RunRecord& run) {
        const FailedRunRecord& failed = run.laterFailure;
        if (!failed.present) return;
        out_ += "<h2>";
        out_ += run.complete ? Tr("RunReport", "後の計算が入力エラーで中止されました")
                             : Tr("RunReport", "計算が入力エラーで中止されました");
        out_ += "</h2>\n";
        out_ +=
            "<p>" +
            FillArgs(
                Tr("RunReport",
                   "N<sub>d</sub> = %1, N<sub>a</sub> = %2, A = %3, V = %4 (入力のまま) で始めた計算は中止されました: "
                   "%5。"),
                {HtmlText(failed.typed[0]), HtmlText(failed.typed[1]), HtmlText(failed.typed[2]),
                 HtmlText(failed.typed[3]), HtmlText(failed.message)});
        if (run.complete) out_ += Tr("RunReport", "このレポートはグラフと同じく、最後に完了した計算を示しています。");
        if (failed.capacitanceCurvesReplaced)
            out_ += Tr("RunReport",
                       "グラフと図の C–V 曲線と 1/C<sup>2</sup> 曲線は、その計算が中止される前に求めた掃引です。");
        out_ += "</p>\n";
    }

    // The links carry the results' version the page was made at: the
    // program refuses them once the results have moved on.
    void Actions(unsigned version) {
        if (!browser_) return;
        const std::string suffix = "/" + std::to_string(version);
        out_ += "<p class=\"actions\"><a href=\"";
        out_ += std::string(SiteAddress) + "action/" + std::string(SaveReportPdfAction) + suffix;
        out_ += "\">" + Tr("RunReport", "PDF として保存…") + "</a><a href=\"";
        out_ += std::string(SiteAddress) + "action/" + std::string(PrintReportAction) + suffix;
        out_ += "\">" + Tr("RunReport", "印刷…") + "</a></p>\n";
    }

    std::string TableStart() const {
        return browser_ ? "<table>\n" : "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
    }

    void Inputs(const RunRecord& run) {
        out_ += "<p>" +
                Tr("RunReport",
                   "最後の計算の過程です。すべての量を、その式、順に代入した数値、プログラムが表示する形の結果とともに"
                   "示します。") +
                "</p>\n";
        out_ += "<h2>" + Tr("RunReport", "入力") + "</h2>\n";
        out_ += TableStart();
        out_ += "<tr><th>" + Tr("RunReport", "入力項目") + "</th><th>" + Tr("RunReport", "入力値") + "</th><th>" +
                Tr("RunReport", "使用値") + "</th><th>" + Tr("RunReport", "単位") + "</th><th>" +
                Tr("RunReport", "SI 単位") + "</th></tr>\n";
        const Extended si[4] = {run.used.DonorDensity * PerCubicCentimetre,
                                run.used.AcceptorDensity * PerCubicCentimetre, run.used.JunctionArea * SquareMillimetre,
                                run.used.Bias};
        const std::string names[4] = {Tr("RunReport", "ドナー密度 N<sub>d</sub>"),
                                      Tr("RunReport", "アクセプタ密度 N<sub>a</sub>"), Tr("RunReport", "接合面積 A"),
                                      Tr("RunReport", "印加電圧 V")};
        const char* const units[4] = {PerCubicCm, PerCubicCm, "mm<sup>2</sup>", "V"};
        const std::string siUnits[4] = {PerCubicMetre, PerCubicMetre, "m<sup>2</sup>", "V"};
        for (int i = 0; i < 4; ++i) {
            out_ += "<tr><td>";
            out_ += names[i];
            out_ += "</td><td>" + HtmlText(run.typed[i]) + "</td><td>" + HtmlText(run.usedText[i]) + "</td><td>";
            out_ += units[i];
            out_ += "</td><td>" + Num(si[i]) + " " + siUnits[i] + "</td></tr>\n";
        }
        out_ += "</table>\n";
        out_ += "<p>" +
                Tr("RunReport",
                   "範囲外の値は範囲の端に置き換えられます。密度は 1E14 … 1E18 cm<sup>−3</sup>、面積は 0.1 … 100 "
                   "mm<sup>2</sup>、電圧は −10 V … 最大印加電圧です。") +
                "</p>\n";
    }

    void Quantity(std::string_view title, std::string_view formula, const std::vector<std::string>& steps,
                  std::string_view result) {
        out_ += "<h3>" + std::string(title) + "</h3>\n";
        out_ += "<p class=\"formula\">" + std::string(formula) + "</p>\n";
        for (const std::string& step : steps) out_ += "<p class=\"step\">" + step + "</p>\n";
        out_ += "<p class=\"result\">" + std::string(result) + "</p>\n";
    }

    void Solution(const RunRecord& run) {
        const MaterialConstants& c = run.constants;
        const Extended q = c.ElementaryCharge;
        const Extended er = c.RelativePermittivity;
        const Extended e0 = c.VacuumPermittivity;
        const Extended nd = static_cast<double>(run.used.DonorDensity * PerCubicCentimetre);
        const Extended na = static_cast<double>(run.used.AcceptorDensity * PerCubicCentimetre);
        const Extended area = static_cast<double>(run.used.JunctionArea * SquareMillimetre);
        const Extended v = run.used.Bias;
        const Extended ni = c.IntrinsicDensity;
        const Extended vbi = run.DiffusionPotential;
        const Extended thermal = (Extended(c.BoltzmannConstant) * c.Temperature) / q;
        const Extended drop = vbi - v;
        const Extended xn = run.DepletionWidthN;
        const Extended xp = run.DepletionWidthP;

        const std::string ndText = Num(nd) + " " + PerCubicMetre;
        const std::string naText = Num(na) + " " + PerCubicMetre;
        const std::string qText = Num(q) + " C";
        const std::string erText = Num(er);
        const std::string e0Text = Num(e0) + " F/m";
        const std::string vbiSym = Sub("V", "bi");
        const std::string thermalText = "(" + Num(c.BoltzmannConstant) + " J/K × " + Num(c.Temperature) + " K / " +
                                        qText + ") = " + Num(thermal) + " V";
        const std::string dropText = "(" + Num(vbi) + " − " + Put(v) + ") V";
        const std::string epsR = Sub("ε", "r");
        const std::string eps0 = Sub("ε", "0");

        out_ += "<h2>" + Tr("RunReport", "計算の過程") + "</h2>\n";

        // The built-in potential.
        const Extended ratio = ((na * nd) / ni) / ni;
        Quantity(FillArgs(Tr("RunReport", "拡散電位 %1"), {vbiSym}),
                 vbiSym + " = (kT/q) ln(" + Sub("N", "a") + Sub("N", "d") + " / " + Sub("n", "i") + "<sup>2</sup>)",
                 {"kT/q = " + thermalText,
                  "= " + Num(thermal) + " V × ln(" + naText + " × " + ndText + " / (" + Num(ni) + " " + PerCubicMetre +
                      ")<sup>2</sup>)",
                  "= " + Num(thermal) + " V × ln(" + Num(ratio) + ")"},
                 vbiSym + " = <b>" + Num(vbi) + "</b> V");

        // The maximum bias.
        const Extended tenths = std::trunc(vbi * 10);
        Quantity(FillArgs(Tr("RunReport", "最大印加電圧 %1"), {Sub("V", "max")}),
                 Sub("V", "max") + " = int(10 × " + vbiSym + ") / 10, " +
                     FillArgs(Tr("RunReport", "%1 はボルト単位: %1 を 0.1 V の倍数に切り捨てる"), {vbiSym}),
                 {"= int(10 × " + Num(vbi) + ") / 10 V", "= " + Num(tenths) + " / 10 V"},
                 Sub("V", "max") + " = <b>" + Num(run.MaximumBias) + "</b> V; " +
                     FillArgs(Tr("RunReport", "計算に使う印加電圧は V = <b>%1</b> V"), {Num(v)}));

        // The depletion widths.
        const Extended densitySum = na + nd;
        const Extended xnNumerator = ((Extended(2) * er) * e0 * na) * drop;
        const Extended xpNumerator = ((Extended(2) * er) * e0 * nd) * drop;
        const Extended xnDenominator = q * nd * densitySum;
        const Extended xpDenominator = q * na * densitySum;
        const std::string sumText = "(" + naText + " + " + ndText + ")";
        Quantity(FillArgs(Tr("RunReport", "n側の空乏層幅 %1"), {Sub("x", "n")}),
                 Sub("x", "n") + " = √[2" + epsR + eps0 + Sub("N", "a") + "(" + vbiSym + " − V) / (q" + Sub("N", "d") +
                     "(" + Sub("N", "a") + " + " + Sub("N", "d") + "))]",
                 {"= √[2 × " + erText + " × " + e0Text + " × " + naText + " × " + dropText + " / (" + qText + " × " +
                      ndText + " × " + sumText + ")]",
                  "= √[" + Num(xnNumerator) + " / " + Num(xnDenominator) + "] m"},
                 Sub("x", "n") + " = <b>" + Num(xn) + "</b> m = " + NumIn(xn, 6) + " µm");
        Quantity(FillArgs(Tr("RunReport", "p側の空乏層幅 %1"), {Sub("x", "p")}),
                 Sub("x", "p") + " = √[2" + epsR + eps0 + Sub("N", "d") + "(" + vbiSym + " − V) / (q" + Sub("N", "a") +
                     "(" + Sub("N", "a") + " + " + Sub("N", "d") + "))]",
                 {"= √[2 × " + erText + " × " + e0Text + " × " + ndText + " × " + dropText + " / (" + qText + " × " +
                      naText + " × " + sumText + ")]",
                  "= √[" + Num(xpNumerator) + " / " + Num(xpDenominator) + "] m"},
                 Sub("x", "p") + " = <b>" + Num(xp) + "</b> m = " + NumIn(xp, 6) + " µm");
        const double width = run.DepletionWidthN + run.DepletionWidthP;
        Quantity(Tr("RunReport", "空乏層幅 W"), "W = " + Sub("x", "n") + " + " + Sub("x", "p"),
                 {"= " + Num(xn) + " m + " + Num(xp) + " m"},
                 "W = <b>" + Num(width) + "</b> m = " + NumIn(width, 6) + " µm");

        // The drop on the n side.
        Quantity(FillArgs(Tr("RunReport", "n側の電位降下 %1"), {Sub("V", "n")}),
                 Sub("V", "n") + " = q" + Sub("N", "d") + Sub("x", "n") + "<sup>2</sup> / (2" + epsR + eps0 + ")",
                 {"= " + qText + " × " + ndText + " × (" + Num(xn) + " m)<sup>2</sup> / (2 × " + erText + " × " +
                  e0Text + ")"},
                 Sub("V", "n") + " = <b>" + Num(run.NSideDrop) + "</b> V");

        // The conduction band's distance from the n side's Fermi level.
        const Extended nc = c.ConductionBandDensity;
        Quantity(FillArgs(Tr("RunReport", "n側のフェルミ準位から測った伝導帯の位置 %1"), {"ΔE<sub>c</sub>"}),
                 "ΔE<sub>c</sub> = (kT/q) ln(" + Sub("N", "c") + " / " + Sub("N", "d") + ")",
                 {"= " + Num(thermal) + " V × ln(" + Num(nc) + " " + PerCubicMetre + " / " + ndText + ")",
                  "= " + Num(thermal) + " V × ln(" + Num(nc / nd) + ")"},
                 "ΔE<sub>c</sub> = <b>" + Num(run.ConductionBandOffset) + "</b> eV");

        // The peak field at the junction plane.
        const Extended field = ((q * nd) * xn) / er / e0;
        Quantity(FillArgs(Tr("RunReport", "最大電界 %1"), {Sub("E", "max")}),
                 Sub("E", "max") + " = q" + Sub("N", "d") + Sub("x", "n") + " / (" + epsR + eps0 + ") = q" +
                     Sub("N", "a") + Sub("x", "p") + " / (" + epsR + eps0 + ")",
                 {"= " + qText + " × " + ndText + " × " + Num(xn) + " m / (" + erText + " × " + e0Text + ")"},
                 Sub("E", "max") + " = <b>" + Num(field) + "</b> V/m = " + NumIn(field, -2) + " V/cm");

        // The capacitance at the bias, as the program evaluates it.
        const Extended capacitanceSquare = ((((q * er) * e0) * na * nd) * 0.5) / densitySum / drop;
        Quantity(Tr("RunReport", "印加電圧での容量 C"),
                 "C = A √[q" + epsR + eps0 + Sub("N", "a") + Sub("N", "d") + " / (2(" + Sub("N", "a") + " + " +
                     Sub("N", "d") + ")(" + vbiSym + " − V))] = " + epsR + eps0 + "A / W",
                 {"= " + Num(area) + " m<sup>2</sup> × √[" + qText + " × " + erText + " × " + e0Text + " × " + naText +
                      " × " + ndText + " / (2 × " + sumText + " × " + dropText + ")]",
                  "= " + Num(area) + " m<sup>2</sup> × √[" + Num(capacitanceSquare) + " F<sup>2</sup>/m<sup>4</sup>]",
                  FillArgs(Tr("RunReport", "(%1 と同じ)"),
                           {epsR + eps0 + "A / W = " + erText + " × " + e0Text + " × " + Num(area) +
                            " m<sup>2</sup> / " + Num(width) + " m = " + Num(er * e0 * area / width) + " F"})},
                 "C = <b>" + Num(run.BiasCapacitance) + "</b> F = " + NumIn(run.BiasCapacitance, 12) + " pF");

        Quantity(Tr("RunReport", "容量の逆二乗 1/C<sup>2</sup>"), "1/C<sup>2</sup> = (1/C)/C",
                 {"= 1 / (" + Num(run.BiasCapacitance) + " F)<sup>2</sup>"},
                 "1/C<sup>2</sup> = <b>" + Num(run.BiasInverseSquare) +
                     "</b> F<sup>−2</sup> = " + NumIn(run.BiasInverseSquare, -18) + " nF<sup>−2</sup>");
    }

    // The Mott–Schottky line: doping from its slope, Vbi from its zero.
    void Fit(const RunRecord& run) {
        const FitRecord& f = run.fit;
        if (!f.present) return;
        const MaterialConstants& c = run.constants;
        out_ += "<h2>" + Tr("RunReport", "1/C<sup>2</sup> の直線フィット") + "</h2>\n";
        out_ +=
            "<p>" +
            FillArgs(
                Tr("RunReport",
                   "%1のうち %2 V ≤ V ≤ %3 V の点に、最小二乗法で直線 1/C<sup>2</sup> = a + b V を当てはめました (%4 "
                   "点, R<sup>2</sup> = %5)。"),
                {PointsRead(f.onMeasured), Num(f.vmin), Num(f.vmax), std::to_string(f.Points), Num(f.R2)}) +
            "</p>\n";
        if (f.onMeasured && !f.measuredUnit.empty())
            out_ +=
                "<p>" +
                (f.measuredUnit.find("assumed") != std::string::npos
                     ? FillArgs(
                           Tr("RunReport", "測定した容量は %1 として読みました: ファイルに単位の記載がありません。"),
                           {HtmlText(f.measuredUnit)})
                     : FillArgs(Tr("RunReport", "測定した容量は %1 として読みました。"), {HtmlText(f.measuredUnit)})) +
                "</p>\n";
        // The area belongs to the fit: a later run with another area does
        // not change the doping read off a measured diode.
        const std::string areaMm = Num(f.areaSquareMillimetres), areaM = Num(f.area);
        out_ += "<p>";
        if (run.complete && run.used.JunctionArea != f.areaSquareMillimetres)
            out_ += FillArgs(Tr("RunReport",
                                "ドーピング密度は、フィットしたときの接合面積 A = %1 mm<sup>2</sup> = %2 m<sup>2</sup> "
                                "で求めています。上の計算は A = %3 mm<sup>2</sup> を使っています。"),
                             {areaMm, areaM, HtmlText(run.usedText[2])});
        else
            out_ += FillArgs(Tr("RunReport",
                                "ドーピング密度は、フィットしたときの接合面積 A = %1 mm<sup>2</sup> = %2 m<sup>2</sup> "
                                "で求めています。"),
                             {areaMm, areaM});
        out_ += "</p>\n";
        Quantity(Tr("RunReport", "傾き b"), "b = Σ(V − V̄)(y − ȳ) / Σ(V − V̄)<sup>2</sup>, y = 1/C<sup>2</sup>", {},
                 "b = <b>" + Num(f.Slope) + "</b> F<sup>−2</sup>/V");
        Quantity(FillArgs(Tr("RunReport", "直線から求めた拡散電位 %1"), {Sub("V", "0")}), Sub("V", "0") + " = −a / b",
                 {"= −(" + Num(f.Intercept) + " F<sup>−2</sup>) / (" + Num(f.Slope) + " F<sup>−2</sup>/V)"},
                 Sub("V", "0") + " = <b>" + Num(f.V0) + "</b> V");
        const Extended q = c.ElementaryCharge, er = c.RelativePermittivity, e0 = c.VacuumPermittivity;
        Quantity(FillArgs(Tr("RunReport", "実効ドーピング密度 %1"), {Sub("N", "eff")}),
                 Sub("N", "eff") + " = 2 / (q " + Sub("ε", "r") + Sub("ε", "0") + " A<sup>2</sup> |b|)",
                 {"= 2 / (" + Num(q) + " × " + Num(er) + " × " + Num(e0) + " × (" + Num(f.area) +
                      " m<sup>2</sup>)<sup>2</sup> × " + Num(std::abs(f.Slope)) + ") m<sup>−3</sup>",
                  "= " + NumIn(f.Neff, 6) + " m<sup>−3</sup>"},
                 Sub("N", "eff") + " = <b>" + Num(f.Neff) + "</b> " + PerCubicCm);
        // Against the doping the run put in, which the fit should read back.
        if (run.complete) {
            const Extended na = run.used.AcceptorDensity, nd = run.used.DonorDensity;
            const Extended reduced = na * nd / (na + nd);
            out_ +=
                "<p>" +
                FillArgs(
                    Tr("RunReport",
                       "上の計算と比べると、N<sub>a</sub>N<sub>d</sub>/(N<sub>a</sub> + N<sub>d</sub>) = %1 %2 なので、"
                       "%3 はその %4 % です。"),
                    {Num(reduced), PerCubicCm, Sub("N", "eff"), Num(Extended(f.Neff) / reduced * 100)}) +
                "</p>\n";
        }
    }

    // The grading exponent: C = C0 (1 − V/V0)^(−m) by least squares on ln C.
    void Grading(const RunRecord& run) {
        const GradingRecord& g = run.grading;
        if (!g.present) return;
        out_ += "<h2>" + Tr("RunReport", "べき乗フィット") + "</h2>\n";
        const std::string c0 = Sub("C", "0"), v0 = Sub("V", "0");
        out_ += "<p>" +
                FillArgs(Tr("RunReport",
                            "C = %1 (1 − V/%2)<sup>−m</sup> を%3のうち %4 V ≤ V ≤ %5 V の点 (%6 点) に当てはめました。"
                            "試す %2 ごとに ln C と ln(1 − V/%2) の直線を引き、残差の二乗和が最も小さくなる %2 "
                            "を選びます。m = 1/2 は階段接合、m = 1/3 は線形傾斜接合です。"),
                         {c0, v0, PointsRead(g.onMeasured), Num(g.vmin), Num(g.vmax), std::to_string(g.Points)}) +
                "</p>\n";
        Quantity(Tr("RunReport", "べき指数 m"), "m = −d ln C / d ln(1 − V/" + v0 + ")", {},
                 "m = <b>" + Num(g.M) + "</b>");
        Quantity(FillArgs(Tr("RunReport", "拡散電位 %1"), {v0}), Tr("RunReport", "C が発散する電圧"), {},
                 v0 + " = <b>" + Num(g.V0) + "</b> V");
        Quantity(FillArgs(Tr("RunReport", "0 V の容量 %1"), {c0}), c0 + " = C(0 V)", {},
                 c0 + " = <b>" + Num(g.C0) + "</b> F = " + NumIn(g.C0, 12) + " pF");
        out_ += "<p>" + FillArgs(Tr("RunReport", "ln C の R<sup>2</sup> = %1。"), {Num(g.R2)}) + "</p>\n";
    }

    // The doping profile: N at the depletion edge against its depth.
    void Profile(const RunRecord& run) {
        const ProfileRecord& p = run.profile;
        if (!p.present) return;
        out_ += "<h2>" + Tr("RunReport", "ドーピングプロファイル") + "</h2>\n";
        const std::string eps = Sub("ε", "r") + Sub("ε", "0");
        out_ += "<p>" +
                FillArgs(Tr("RunReport",
                            "%1のうち %2 V ≤ V ≤ %3 V の点から W = %4 A / C と N(W) = 2 / (q %4 "
                            "A<sup>2</sup> |d(1/C<sup>2</sup>)/dV|) を求めます。微分は隣り合う 2k + 1 = %5 点 (k = %6) "
                            "を通る最小二乗直線の傾きで、A = %7 mm<sup>2</sup> です。"),
                         {PointsRead(p.onMeasured), Num(p.vmin), Num(p.vmax), eps, std::to_string(2 * p.halfWidth + 1),
                          std::to_string(p.halfWidth), Num(p.areaSquareMillimetres)}) +
                FillArgs(Tr("RunReport",
                            "範囲内の %2 点のうち %1 点を示します。1/C<sup>2</sup> が V とともに減らなかった %3 "
                            "点は除き、深さが Debye 長の 3 倍 (%4 = √(%5 k T / (q<sup>2</sup> N))) に満たない %6 "
                            "点は分解能外としています。"),
                         {std::to_string(p.points.size()), std::to_string(p.pointsInRange), std::to_string(p.leftOut),
                          Sub("L", "D"), eps, std::to_string(p.unresolved)}) +
                "</p>\n";
        const std::size_t every = (p.points.size() + ProfileTableRows - 1) / ProfileTableRows;
        if (every > 1)
            out_ += "<p>" + FillArgs(Tr("RunReport", "表は %1 点ごとに示します。"), {std::to_string(every)}) + "</p>\n";
        out_ += "<table class=\"profile\">\n<tr><th>W (µm)</th><th>N (" + std::string(PerCubicCm) + ")</th><th>" +
                Tr("RunReport", "分解能内") + "</th></tr>\n";
        const std::string yes = Tr("RunReport", "はい"), no = Tr("RunReport", "いいえ (W &lt; 3 L<sub>D</sub>)");
        for (std::size_t i = 0; i < p.points.size(); i += std::max<std::size_t>(every, 1)) {
            const ProfilePointRecord& point = p.points[i];
            out_ += "<tr><td>" + Num(point.depthMicrometres) + "</td><td>" + Num(point.density) + "</td><td>" +
                    (point.resolved ? yes : no) + "</td></tr>\n";
        }
        out_ += "</table>\n";
    }

    void Constants(const MaterialConstants& c) {
        out_ += "<h2>" + Tr("RunReport", "材料定数") + "</h2>\n";
        const struct {
            std::string name;
            std::string symbol;
            double value;
            std::string unit;
        } rows[] = {
            {Tr("RunReport", "電気素量"), "q", c.ElementaryCharge, "C"},
            {Tr("RunReport", "真空の誘電率"), Sub("ε", "0"), c.VacuumPermittivity, "F/m"},
            {Tr("RunReport", "シリコンの比誘電率"), Sub("ε", "r"), c.RelativePermittivity, "–"},
            {Tr("RunReport", "ボルツマン定数"), "k", c.BoltzmannConstant, "J/K"},
            {Tr("RunReport", "温度"), "T", c.Temperature, "K"},
            {Tr("RunReport", "真性キャリア密度"), Sub("n", "i"), c.IntrinsicDensity, PerCubicMetre},
            {Tr("RunReport", "伝導帯の有効状態密度"), Sub("N", "c"), c.ConductionBandDensity, PerCubicMetre},
            {Tr("RunReport", "価電子帯の有効状態密度"), Sub("N", "v"), c.ValenceBandDensity, PerCubicMetre},
            {Tr("RunReport", "バンドギャップ"), Sub("E", "g"), c.BandGap, "eV"},
        };
        if (!browser_) {
            // On paper one paragraph, so that the text keeps to its page.
            out_ += "<p>";
            for (const auto& row : rows) {
                if (&row != rows) out_ += "; ";
                out_ += row.name + " " + row.symbol + " = " + Num(row.value);
                if (row.unit != "–") out_ += " " + row.unit;
            }
            out_ += Tr("RunReport", "。") + "</p>\n";
            return;
        }
        out_ += "<table>\n<tr><th>" + Tr("RunReport", "定数") + "</th><th>" + Tr("RunReport", "記号") + "</th><th>" +
                Tr("RunReport", "値") + "</th><th>" + Tr("RunReport", "単位") + "</th></tr>\n";
        for (const auto& row : rows)
            out_ += "<tr><td>" + row.name + "</td><td>" + row.symbol + "</td><td>" + Num(row.value) + "</td><td>" +
                    row.unit + "</td></tr>\n";
        out_ += "</table>\n";
    }

    void Charts(std::span<const std::string> chartSvgs) {
        if (chartSvgs.empty()) return;
        out_ += "<h2>" + Tr("RunReport", "グラフ") + "</h2>\n";
        for (std::size_t i = 0; i < chartSvgs.size(); ++i) {
            out_ += "<figure class=\"chart\">\n";
            out_ += InlineSvg(chartSvgs[i]);
            out_ += "\n<figcaption>";
            out_ += FigureCaption(i);
            out_ += "</figcaption>\n</figure>\n";
        }
    }

    // An SVG document as an element of the page: from its <svg> on.
    static std::string_view InlineSvg(std::string_view svg) {
        const auto start = svg.find("<svg");
        return start == std::string_view::npos ? std::string_view() : svg.substr(start);
    }

    bool browser_;
    std::string out_;
};

// The report's caption of its i-th figure.
std::string FigureCaption(std::size_t i) {
    // The doping profile's figure follows the five charts when there is one.
    if (i == ReportChartCount) return Tr("Charts", "ドーピングプロファイル N(W)");
    return i < ReportChartCount ? ChartCaption(i) : FillArgs(Tr("RunReport", "グラフ %1"), {std::to_string(i + 1)});
}

// How many bytes of `text` from `i` make one well-formed UTF-8 character;
// 0 when they make none.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    std::uint32_t min = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

std::vector<DocumentFigure> ChartFigures(std::span<TCustomChart* const> charts) {
    std::vector<DocumentFigure> figures;
    for (std::size_t i = 0; i < charts.size(); ++i) {
        TCustomChart* chart = charts[i];
        if (chart == nullptr) continue;
        DocumentFigure figure;
        figure.width = chart->ClientWidth();
        figure.height = chart->ClientHeight();
        figure.caption = FigureCaption(i);
        figure.draw = [chart](TSurface& surface) {
            TCanvas canvas;
            canvas.Attach(&surface);
            chart->DrawUnzoomedOnto(canvas);
            canvas.Attach(nullptr);
        };
        figures.push_back(std::move(figure));
    }
    return figures;
}

// Whether the report has figures to show: the charts hold a run's curves,
// or held runs or measured points that Reset kept.
bool AnyCurves(std::span<TCustomChart* const> charts) {
    for (TCustomChart* chart : charts)
        if (chart != nullptr)
            for (int i = 0; i < chart->NumSeries(); ++i)
                if (chart->SeriesAt(i)->PointCount() > 0) return true;
    return false;
}

// The printed page: the same text without the charts, which follow it as
// figures.
std::string PrintedHtml(const RunRecord& run) { return ReportWriter(false).Page(run, {}); }

}  // namespace

std::string RunReportTitle() { return Tr("RunReport", "計算レポート"); }

std::string ChartCaption(std::size_t i) { return Tr("Charts", ReportChartCaptions[i]); }

std::string HtmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        const char c = text[i];
        const bool control = length == 1 && ((c >= 0 && c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F);
        if (control) {
            out += "\xEF\xBF\xBD";
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c == '\'') {
            out += "&#39;";
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out;
}

ReportAction ParseReportAction(std::string_view action) {
    const auto slash = action.find('/');
    if (slash == std::string_view::npos) return {action, std::nullopt};
    const std::string_view digits = action.substr(slash + 1);
    unsigned version = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), version);
    const bool reads = error == std::errc() && end == digits.data() + digits.size() && !digits.empty();
    return {action.substr(0, slash), reads ? std::optional<unsigned>(version) : std::nullopt};
}

std::string RunReportHtml(const RunRecord& run, std::span<const std::string> chartSvgs) {
    return ReportWriter(true).Page(run, chartSvgs);
}

// The figures document the run, not the window's zoom: each is drawn at
// the whole run's scales, with the bias markers.
std::string RunReportPage(const RunRecord& run, std::span<TCustomChart* const> charts) {
    std::vector<std::string> svgs;
    if (AnyCurves(charts)) {
        const std::string about = RunAbout(run);
        for (TCustomChart* chart : charts)
            if (chart != nullptr) svgs.push_back(ChartSvg(*chart, about, ChartScales::WholeRun));
    }
    return RunReportHtml(run, svgs);
}

std::string RunReportPdf(const RunRecord& run, std::span<TCustomChart* const> charts) {
    const std::vector<DocumentFigure> figures =
        AnyCurves(charts) ? ChartFigures(charts) : std::vector<DocumentFigure>();
    return RenderPdfDocument(PrintedHtml(run), figures, RunReportTitle());
}

bool PrintRunReport(const TNativeWindow* owner, const RunRecord& run, std::span<TCustomChart* const> charts) {
    const std::vector<DocumentFigure> figures =
        AnyCurves(charts) ? ChartFigures(charts) : std::vector<DocumentFigure>();
    return PrintDocument(owner, PrintedHtml(run), figures, RunReportTitle());
}

}  // namespace cvcalc
