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
#include "platform/gui/ReportDocument.h"
#include "results/ChartExport.h"

namespace cvcalc {

namespace {

using Extended = long double;

// Entry units to SI, as the physics converts them.
constexpr Extended PerCubicCentimetre = 1e6;
constexpr Extended SquareMillimetre = 1e-6;

constexpr const char* SiteAddress = "cvcalc-lab://kestrel/";

constexpr const auto& ChartCaptions = ReportChartCaptions;

// The doping profile's figure follows the five charts when there is one.
constexpr ReportChartCaption ProfileChartCaption{"Doping profile N(W)", "ドーピングプロファイル"};
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
        out_ += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
        out_ += RunReportTitle;
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
            out_ +=
                "<header>\n"
                "  <p class=\"lab\">Kestrel Laboratory <span class=\"ja\">ケストレル研究室</span></p>\n"
                "</header>\n"
                "<nav>\n"
                "  <a href=\"index.html\">Home</a>\n"
                "  <a href=\"depletion.html\">The abrupt pn junction</a>\n"
                "  <a href=\"cv.html\">C&ndash;V characteristics</a>\n"
                "  <a class=\"here\" href=\"report.html\">Run report</a>\n"
                "</nav>\n<main>\n";
        }
        out_ += "<h1>Run report <span class=\"ja\">計算レポート</span></h1>\n";
    }

    void Tail() {
        if (browser_)
            out_ +=
                "</main>\n<footer>Kestrel Laboratory, Department of Electrical and Electronic Engineering, Faculty "
                "of Engineering, Minamo University &middot; <span class=\"ja\">ミナモ大学 工学部 電気電子工学科 "
                "ケストレル研究室</span></footer>\n";
        out_ += "</body>\n</html>\n";
    }

    void NoRun() {
        out_ += "<h2>No run yet <span class=\"ja\">まだ計算していません</span></h2>\n";
        out_ +=
            "<p>There is no run yet: the calculator has not completed a run since it started or was reset. Type "
            "the four inputs in the main window and press <b>計算</b> (Calculate); this page then shows the worked "
            "solution of that run.</p>\n";
    }

    // A run after the recorded one that stopped at an input error: said
    // first, so that nobody takes this report for that run's.
    void LaterFailure(const RunRecord& run) {
        const FailedRunRecord& failed = run.laterFailure;
        if (!failed.present) return;
        out_ += "<h2>";
        out_ += run.complete ? "A later run stopped at an input error" : "A run stopped at an input error";
        out_ += " <span class=\"ja\">入力エラーで中止した計算</span></h2>\n";
        out_ += "<p>The run begun with N<sub>d</sub> = " + HtmlText(failed.typed[0]) +
                ", N<sub>a</sub> = " + HtmlText(failed.typed[1]) + ", A = " + HtmlText(failed.typed[2]) +
                ", V = " + HtmlText(failed.typed[3]) + " (as typed) stopped: " + HtmlText(failed.message) + ".";
        if (run.complete) out_ += " This report, like the charts, shows the last run that completed.";
        if (failed.capacitanceCurvesReplaced)
            out_ +=
                " The C–V and 1/C<sup>2</sup> curves on the charts and in the figures are that run's sweep, "
                "computed before it stopped.";
        out_ += "</p>\n";
    }

    // The links carry the results' version the page was made at: the
    // program refuses them once the results have moved on.
    void Actions(unsigned version) {
        if (!browser_) return;
        const std::string suffix = "/" + std::to_string(version);
        out_ += "<p class=\"actions\"><a href=\"";
        out_ += std::string(SiteAddress) + "action/" + std::string(SaveReportPdfAction) + suffix;
        out_ += "\">Save as PDF…</a><a href=\"";
        out_ += std::string(SiteAddress) + "action/" + std::string(PrintReportAction) + suffix;
        out_ += "\">Print…</a></p>\n";
    }

    std::string TableStart() const {
        return browser_ ? "<table>\n" : "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
    }

    void Inputs(const RunRecord& run) {
        out_ +=
            "<p>The worked solution of the last calculation: every quantity with its formula, the numbers put in "
            "step by step and the result as the program writes numbers.</p>\n";
        out_ += "<h2>Inputs <span class=\"ja\">入力</span></h2>\n";
        out_ += TableStart();
        out_ += "<tr><th>Input</th><th>Typed</th><th>Used</th><th>Unit</th><th>In SI units</th></tr>\n";
        const Extended si[4] = {run.used.DonorDensity * PerCubicCentimetre,
                                run.used.AcceptorDensity * PerCubicCentimetre, run.used.JunctionArea * SquareMillimetre,
                                run.used.Bias};
        const char* const names[4] = {"donor density N<sub>d</sub> <span class=\"ja\">ドナー密度</span>",
                                      "acceptor density N<sub>a</sub> <span class=\"ja\">アクセプタ密度</span>",
                                      "junction area A <span class=\"ja\">接合面積</span>",
                                      "applied voltage V <span class=\"ja\">印加電圧</span>"};
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
        out_ +=
            "<p>Values outside their ranges are clamped: densities to 1E14 … 1E18 cm<sup>−3</sup>, the area to "
            "0.1 … 100 mm<sup>2</sup>, the voltage to −10 V … the maximum bias.</p>\n";
    }

    void Quantity(std::string_view english, std::string_view japanese, std::string_view formula,
                  const std::vector<std::string>& steps, std::string_view result) {
        out_ += "<h3>" + std::string(english) + " <span class=\"ja\">" + std::string(japanese) + "</span></h3>\n";
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

        out_ += "<h2>Worked solution <span class=\"ja\">計算の過程</span></h2>\n";

        // The built-in potential.
        const Extended ratio = ((na * nd) / ni) / ni;
        Quantity("Built-in potential " + vbiSym, "拡散電位",
                 vbiSym + " = (kT/q) ln(" + Sub("N", "a") + Sub("N", "d") + " / " + Sub("n", "i") + "<sup>2</sup>)",
                 {"kT/q = " + thermalText,
                  "= " + Num(thermal) + " V × ln(" + naText + " × " + ndText + " / (" + Num(ni) + " " + PerCubicMetre +
                      ")<sup>2</sup>)",
                  "= " + Num(thermal) + " V × ln(" + Num(ratio) + ")"},
                 vbiSym + " = <b>" + Num(vbi) + "</b> V");

        // The maximum bias.
        const Extended tenths = std::trunc(vbi * 10);
        Quantity("Maximum bias " + Sub("V", "max"), "最大印加電圧",
                 Sub("V", "max") + " = int(10 × " + vbiSym + ") / 10, " + vbiSym + " in volts: " + vbiSym +
                     " cut down to a multiple of 0.1 V",
                 {"= int(10 × " + Num(vbi) + ") / 10 V", "= " + Num(tenths) + " / 10 V"},
                 Sub("V", "max") + " = <b>" + Num(run.MaximumBias) + "</b> V; the applied voltage used is V = <b>" +
                     Num(v) + "</b> V");

        // The depletion widths.
        const Extended densitySum = na + nd;
        const Extended xnNumerator = ((Extended(2) * er) * e0 * na) * drop;
        const Extended xpNumerator = ((Extended(2) * er) * e0 * nd) * drop;
        const Extended xnDenominator = q * nd * densitySum;
        const Extended xpDenominator = q * na * densitySum;
        const std::string sumText = "(" + naText + " + " + ndText + ")";
        Quantity("Depletion width on the n side " + Sub("x", "n"), "n側空乏層幅",
                 Sub("x", "n") + " = √[2" + epsR + eps0 + Sub("N", "a") + "(" + vbiSym + " − V) / (q" + Sub("N", "d") +
                     "(" + Sub("N", "a") + " + " + Sub("N", "d") + "))]",
                 {"= √[2 × " + erText + " × " + e0Text + " × " + naText + " × " + dropText + " / (" + qText + " × " +
                      ndText + " × " + sumText + ")]",
                  "= √[" + Num(xnNumerator) + " / " + Num(xnDenominator) + "] m"},
                 Sub("x", "n") + " = <b>" + Num(xn) + "</b> m = " + NumIn(xn, 6) + " µm");
        Quantity("Depletion width on the p side " + Sub("x", "p"), "p側空乏層幅",
                 Sub("x", "p") + " = √[2" + epsR + eps0 + Sub("N", "d") + "(" + vbiSym + " − V) / (q" + Sub("N", "a") +
                     "(" + Sub("N", "a") + " + " + Sub("N", "d") + "))]",
                 {"= √[2 × " + erText + " × " + e0Text + " × " + ndText + " × " + dropText + " / (" + qText + " × " +
                      naText + " × " + sumText + ")]",
                  "= √[" + Num(xpNumerator) + " / " + Num(xpDenominator) + "] m"},
                 Sub("x", "p") + " = <b>" + Num(xp) + "</b> m = " + NumIn(xp, 6) + " µm");
        const double width = run.DepletionWidthN + run.DepletionWidthP;
        Quantity("Depletion layer width W", "空乏層幅", "W = " + Sub("x", "n") + " + " + Sub("x", "p"),
                 {"= " + Num(xn) + " m + " + Num(xp) + " m"},
                 "W = <b>" + Num(width) + "</b> m = " + NumIn(width, 6) + " µm");

        // The drop on the n side.
        Quantity("Potential drop on the n side " + Sub("V", "n"), "n側の電位降下",
                 Sub("V", "n") + " = q" + Sub("N", "d") + Sub("x", "n") + "<sup>2</sup> / (2" + epsR + eps0 + ")",
                 {"= " + qText + " × " + ndText + " × (" + Num(xn) + " m)<sup>2</sup> / (2 × " + erText + " × " +
                  e0Text + ")"},
                 Sub("V", "n") + " = <b>" + Num(run.NSideDrop) + "</b> V");

        // The conduction band's distance from the n side's Fermi level.
        const Extended nc = c.ConductionBandDensity;
        Quantity("Conduction band above the n-side Fermi level ΔE" + std::string("<sub>c</sub>"), "伝導帯の位置",
                 "ΔE<sub>c</sub> = (kT/q) ln(" + Sub("N", "c") + " / " + Sub("N", "d") + ")",
                 {"= " + Num(thermal) + " V × ln(" + Num(nc) + " " + PerCubicMetre + " / " + ndText + ")",
                  "= " + Num(thermal) + " V × ln(" + Num(nc / nd) + ")"},
                 "ΔE<sub>c</sub> = <b>" + Num(run.ConductionBandOffset) + "</b> eV");

        // The peak field at the junction plane.
        const Extended field = ((q * nd) * xn) / er / e0;
        Quantity("Peak field " + Sub("E", "max"), "最大電界",
                 Sub("E", "max") + " = q" + Sub("N", "d") + Sub("x", "n") + " / (" + epsR + eps0 + ") = q" +
                     Sub("N", "a") + Sub("x", "p") + " / (" + epsR + eps0 + ")",
                 {"= " + qText + " × " + ndText + " × " + Num(xn) + " m / (" + erText + " × " + e0Text + ")"},
                 Sub("E", "max") + " = <b>" + Num(field) + "</b> V/m = " + NumIn(field, -2) + " V/cm");

        // The capacitance at the bias, as the program evaluates it.
        const Extended capacitanceSquare = ((((q * er) * e0) * na * nd) * 0.5) / densitySum / drop;
        Quantity("Capacitance at the bias C", "印加電圧での容量",
                 "C = A √[q" + epsR + eps0 + Sub("N", "a") + Sub("N", "d") + " / (2(" + Sub("N", "a") + " + " +
                     Sub("N", "d") + ")(" + vbiSym + " − V))] = " + epsR + eps0 + "A / W",
                 {"= " + Num(area) + " m<sup>2</sup> × √[" + qText + " × " + erText + " × " + e0Text + " × " + naText +
                      " × " + ndText + " / (2 × " + sumText + " × " + dropText + ")]",
                  "= " + Num(area) + " m<sup>2</sup> × √[" + Num(capacitanceSquare) + " F<sup>2</sup>/m<sup>4</sup>]",
                  "(the same as " + epsR + eps0 + "A / W = " + erText + " × " + e0Text + " × " + Num(area) +
                      " m<sup>2</sup> / " + Num(width) + " m = " + Num(er * e0 * area / width) + " F)"},
                 "C = <b>" + Num(run.BiasCapacitance) + "</b> F = " + NumIn(run.BiasCapacitance, 12) + " pF");

        Quantity("Inverse square 1/C<sup>2</sup>", "1/C<sup>2</sup>", "1/C<sup>2</sup> = (1/C)/C",
                 {"= 1 / (" + Num(run.BiasCapacitance) + " F)<sup>2</sup>"},
                 "1/C<sup>2</sup> = <b>" + Num(run.BiasInverseSquare) +
                     "</b> F<sup>−2</sup> = " + NumIn(run.BiasInverseSquare, -18) + " nF<sup>−2</sup>");
    }

    // The Mott–Schottky line: doping from its slope, Vbi from its zero.
    void Fit(const RunRecord& run) {
        const FitRecord& f = run.fit;
        if (!f.present) return;
        const MaterialConstants& c = run.constants;
        out_ += "<h2>Straight-line fit of 1/C<sup>2</sup> <span class=\"ja\">直線フィット</span></h2>\n";
        out_ += std::string("<p>A least-squares line 1/C<sup>2</sup> = a + b V through ") +
                (f.onMeasured ? "the measured points" : "the computed curve") + " with " + Num(f.vmin) + " V ≤ V ≤ " +
                Num(f.vmax) + " V (" + std::to_string(f.Points) + " points, R<sup>2</sup> = " + Num(f.R2) + ").</p>\n";
        if (f.onMeasured && !f.measuredUnit.empty())
            out_ += "<p>The measured capacitances were read in " + HtmlText(f.measuredUnit) +
                    (f.measuredUnit.find("assumed") != std::string::npos ? ": their file names no unit" : "") +
                    ".</p>\n";
        // The area belongs to the fit: a later run with another area does
        // not change the doping read off a measured diode.
        out_ +=
            "<p>The doping is read with the junction area the fit was made with, A = " + Num(f.areaSquareMillimetres) +
            " mm<sup>2</sup> = " + Num(f.area) + " m<sup>2</sup>";
        if (run.complete && run.used.JunctionArea != f.areaSquareMillimetres)
            out_ += "; the run above used A = " + HtmlText(run.usedText[2]) + " mm<sup>2</sup>";
        out_ += ".</p>\n";
        Quantity("Slope b", "傾き", "b = Σ(V − V̄)(y − ȳ) / Σ(V − V̄)<sup>2</sup>, y = 1/C<sup>2</sup>", {},
                 "b = <b>" + Num(f.Slope) + "</b> F<sup>−2</sup>/V");
        Quantity("Built-in potential from the line " + Sub("V", "0"), "直線から求めた拡散電位",
                 Sub("V", "0") + " = −a / b",
                 {"= −(" + Num(f.Intercept) + " F<sup>−2</sup>) / (" + Num(f.Slope) + " F<sup>−2</sup>/V)"},
                 Sub("V", "0") + " = <b>" + Num(f.V0) + "</b> V");
        const Extended q = c.ElementaryCharge, er = c.RelativePermittivity, e0 = c.VacuumPermittivity;
        Quantity("Effective doping " + Sub("N", "eff"), "実効ドーピング密度",
                 Sub("N", "eff") + " = 2 / (q " + Sub("ε", "r") + Sub("ε", "0") + " A<sup>2</sup> |b|)",
                 {"= 2 / (" + Num(q) + " × " + Num(er) + " × " + Num(e0) + " × (" + Num(f.area) +
                      " m<sup>2</sup>)<sup>2</sup> × " + Num(std::abs(f.Slope)) + ") m<sup>−3</sup>",
                  "= " + NumIn(f.Neff, 6) + " m<sup>−3</sup>"},
                 Sub("N", "eff") + " = <b>" + Num(f.Neff) + "</b> " + PerCubicCm);
        // Against the doping the run put in, which the fit should read back.
        if (run.complete) {
            const Extended na = run.used.AcceptorDensity, nd = run.used.DonorDensity;
            const Extended reduced = na * nd / (na + nd);
            out_ += "<p>Against the run above: N<sub>a</sub>N<sub>d</sub>/(N<sub>a</sub> + N<sub>d</sub>) = " +
                    Num(reduced) + " " + PerCubicCm + ", so " + Sub("N", "eff") + " is " +
                    Num(Extended(f.Neff) / reduced * 100) + " % of it.</p>\n";
        }
    }

    // The grading exponent: C = C0 (1 − V/V0)^(−m) by least squares on ln C.
    void Grading(const RunRecord& run) {
        const GradingRecord& g = run.grading;
        if (!g.present) return;
        out_ += "<h2>Grading exponent <span class=\"ja\">べき乗フィット</span></h2>\n";
        out_ += std::string("<p>C = ") + Sub("C", "0") + " (1 − V/" + Sub("V", "0") + ")<sup>−m</sup> fitted to " +
                (g.onMeasured ? "the measured points" : "the computed curve") + " with " + Num(g.vmin) + " V ≤ V ≤ " +
                Num(g.vmax) + " V (" + std::to_string(g.Points) + " points): for each trial " + Sub("V", "0") +
                " a straight line of ln C against ln(1 − V/" + Sub("V", "0") + "), and the " + Sub("V", "0") +
                " whose line leaves the least squared residue.  m = 1/2 is an abrupt junction, m = 1/3 a "
                "linearly graded one.</p>\n";
        Quantity("Grading exponent m", "べき指数", "m = −d ln C / d ln(1 − V/" + Sub("V", "0") + ")", {},
                 "m = <b>" + Num(g.M) + "</b>");
        Quantity("Built-in potential " + Sub("V", "0"), "拡散電位", "where C diverges", {},
                 Sub("V", "0") + " = <b>" + Num(g.V0) + "</b> V");
        Quantity("Capacitance at 0 V " + Sub("C", "0"), "0 V の容量", Sub("C", "0") + " = C(0 V)", {},
                 Sub("C", "0") + " = <b>" + Num(g.C0) + "</b> F = " + NumIn(g.C0, 12) + " pF");
        out_ += "<p>R<sup>2</sup> of ln C = " + Num(g.R2) + ".</p>\n";
    }

    // The doping profile: N at the depletion edge against its depth.
    void Profile(const RunRecord& run) {
        const ProfileRecord& p = run.profile;
        if (!p.present) return;
        out_ += "<h2>Doping profile <span class=\"ja\">ドーピングプロファイル</span></h2>\n";
        out_ += std::string("<p>From ") + (p.onMeasured ? "the measured points" : "the computed curve") + " with " +
                Num(p.vmin) + " V ≤ V ≤ " + Num(p.vmax) + " V: W = " + Sub("ε", "r") + Sub("ε", "0") +
                " A / C and N(W) = 2 / (q " + Sub("ε", "r") + Sub("ε", "0") +
                " A<sup>2</sup> |d(1/C<sup>2</sup>)/dV|), the derivative the slope of a least-squares line through "
                "2k + 1 = " +
                std::to_string(2 * p.halfWidth + 1) + " neighbouring points (k = " + std::to_string(p.halfWidth) +
                "), with A = " + Num(p.areaSquareMillimetres) + " mm<sup>2</sup>.  " + std::to_string(p.points.size()) +
                " of " + std::to_string(p.pointsInRange) + " points; " + std::to_string(p.leftOut) +
                " left out where 1/C<sup>2</sup> did not fall with V; " + std::to_string(p.unresolved) +
                " not resolved, their depth under three Debye lengths " + Sub("L", "D") + " = √(" + Sub("ε", "r") +
                Sub("ε", "0") + " k T / (q<sup>2</sup> N)).</p>\n";
        const std::size_t every = (p.points.size() + ProfileTableRows - 1) / ProfileTableRows;
        if (every > 1) out_ += "<p>The table shows every " + std::to_string(every) + "th point.</p>\n";
        out_ += "<table class=\"profile\">\n<tr><th>W (µm)</th><th>N (" + std::string(PerCubicCm) +
                ")</th><th>resolved</th></tr>\n";
        for (std::size_t i = 0; i < p.points.size(); i += std::max<std::size_t>(every, 1)) {
            const ProfilePointRecord& point = p.points[i];
            out_ += "<tr><td>" + Num(point.depthMicrometres) + "</td><td>" + Num(point.density) + "</td><td>" +
                    (point.resolved ? "yes" : "no (W &lt; 3 L<sub>D</sub>)") + "</td></tr>\n";
        }
        out_ += "</table>\n";
    }

    void Constants(const MaterialConstants& c) {
        out_ += "<h2>Material constants <span class=\"ja\">材料定数</span></h2>\n";
        const struct {
            const char* name;
            std::string symbol;
            double value;
            std::string unit;
        } rows[] = {
            {"elementary charge", "q", c.ElementaryCharge, "C"},
            {"vacuum permittivity", Sub("ε", "0"), c.VacuumPermittivity, "F/m"},
            {"relative permittivity of silicon", Sub("ε", "r"), c.RelativePermittivity, "–"},
            {"Boltzmann constant", "k", c.BoltzmannConstant, "J/K"},
            {"temperature", "T", c.Temperature, "K"},
            {"intrinsic carrier density", Sub("n", "i"), c.IntrinsicDensity, PerCubicMetre},
            {"effective density of states, conduction band", Sub("N", "c"), c.ConductionBandDensity, PerCubicMetre},
            {"effective density of states, valence band", Sub("N", "v"), c.ValenceBandDensity, PerCubicMetre},
            {"band gap", Sub("E", "g"), c.BandGap, "eV"},
        };
        if (!browser_) {
            // On paper one paragraph, so that the text keeps to its page.
            out_ += "<p>";
            for (const auto& row : rows) {
                if (&row != rows) out_ += "; ";
                out_ += std::string(row.name) + " " + row.symbol + " = " + Num(row.value);
                if (row.unit != "–") out_ += " " + row.unit;
            }
            out_ += ".</p>\n";
            return;
        }
        out_ += "<table>\n<tr><th>Constant</th><th>Symbol</th><th>Value</th><th>Unit</th></tr>\n";
        for (const auto& row : rows)
            out_ += "<tr><td>" + std::string(row.name) + "</td><td>" + row.symbol + "</td><td>" + Num(row.value) +
                    "</td><td>" + row.unit + "</td></tr>\n";
        out_ += "</table>\n";
    }

    void Charts(std::span<const std::string> chartSvgs) {
        if (chartSvgs.empty()) return;
        out_ += "<h2>Charts <span class=\"ja\">グラフ</span></h2>\n";
        for (std::size_t i = 0; i < chartSvgs.size(); ++i) {
            out_ += "<figure class=\"chart\">\n";
            out_ += InlineSvg(chartSvgs[i]);
            out_ += "\n<figcaption>";
            if (i < ReportChartCount)
                out_ += std::string(ChartCaptions[i].english) + " <span class=\"ja\">" + ChartCaptions[i].japanese +
                        "</span>";
            else if (i == ReportChartCount)
                out_ += std::string(ProfileChartCaption.english) + " <span class=\"ja\">" +
                        ProfileChartCaption.japanese + "</span>";
            else
                out_ += "Chart " + std::to_string(i + 1);
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
        figure.caption = i < ReportChartCount ? std::string(ChartCaptions[i].english) + "  " + ChartCaptions[i].japanese
                         : i == ReportChartCount
                             ? std::string(ProfileChartCaption.english) + "  " + ProfileChartCaption.japanese
                             : "Chart " + std::to_string(i + 1);
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
    return RenderPdfDocument(PrintedHtml(run), figures, RunReportTitle);
}

bool PrintRunReport(const TNativeWindow* owner, const RunRecord& run, std::span<TCustomChart* const> charts) {
    const std::vector<DocumentFigure> figures =
        AnyCurves(charts) ? ChartFigures(charts) : std::vector<DocumentFigure>();
    return PrintDocument(owner, PrintedHtml(run), figures, RunReportTitle);
}

}  // namespace cvcalc
