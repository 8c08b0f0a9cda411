// TFormPNJunction: the calculator window.  Four inputs, the result column,
// five charts with eleven series, and the three buttons: calculate, reset
// and the laboratory's pages.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/LineFit.h"
#include "chart/ChartNotes.h"
#include "framework/Form.h"
#include "physics/JunctionInputs.h"
#include "physics/JunctionResult.h"
#include "physics/MaterialConstants.h"
#include "platform/core/Translate.h"
#include "results/ChartExport.h"
#include "results/RunRecord.h"

namespace cvcalc {

class TButton;
class TChart;
class TCustomChart;
struct FileDialogChoice;
struct FileDialogRequest;
class TChartSeries;
class TEdit;
class TImage;
class TLabel;
class TLineSeries;
class TPointSeries;

// The text a density in 1e14 <= n < 1e15 is echoed with: the value in units
// of 1e14 in the general format, then "E14" (3.7e14 gives "3.7E14").  The
// quotient by the exact 1e14 makes every multiple k * 1e14 come out as k.
std::string DensityShortText(double density);

// The range a run clamps the junction area into, mm².
inline constexpr double MinimumJunctionArea = 0.1;
inline constexpr double MaximumJunctionArea = 100;

class TFormPNJunction : public TForm {
public:
    CVCALC_CLASS_INFO()

    // Built from its description; the initial texts replace the design-time
    // ones.  No calculation happens here: the charts start empty.
    explicit TFormPNJunction(TComponent* owner);
    ~TFormPNJunction() override;

    // Handlers bound by name from the description.
    void ButtonCalcuationCVClick(TObject* sender);
    void ButtonResetClick(TObject* sender);
    void ButtonHTMLClick(TObject* sender);

    // The last run's inputs and its result (which holds the seven sample
    // arrays); kept until the next run or the window's end.
    const JunctionInputs& Inputs() const noexcept { return inputs_; }
    const JunctionResult& Result() const noexcept { return result_; }

    // What the last run leaves for the results (ChartResults.cpp).
    const RunRecord& LastRun() const noexcept { return run_; }

    // Results out of the window, the operations of each chart's context
    // menu and of the driver's commands (ChartResults.cpp).  Saving writes
    // the whole file or nothing and raises EFileWrite on failure.
    // Copies the chart as PNG and SVG to the clipboard.
    void CopyChartImage(TChart* chart);
    // Writes the chart as PNG, SVG, PDF or CSV, the format from the
    // extension, a PNG at `pngScale` (1, 2 or 4); another extension raises
    // EFileWrite.
    void SaveChartFile(TChart* chart, const std::string& path, int pngScale = 1);
    // Writes the chart's series as CSV whatever the extension.
    void SaveChartData(TChart* chart, const std::string& path);
    // The chart's series as CSV, as saving writes them: columns and series
    // named by what they show, the held runs and the fit in the header.
    std::string ChartData(TChart* chart) const;
    // Every held run's number (as its series' names carry it) and inputs,
    // oldest first.
    std::vector<HeldRunInputs> HeldRunsInputs() const;
    // Everything into one folder, created when missing (one level): each
    // chart as PNG, SVG, PDF and CSV named after it, the report as
    // report.pdf and report.html, and README.txt listing them and the run.
    // Other files in the folder stay.  A failure raises EFileWrite naming
    // what failed and leaves the files written before it.
    void ExportEverything(const std::string& folder);
    // The charts' 言語 / Language menu: saves the choice for the next start
    // and says so in a box.  A settings file that cannot be written raises
    // EFileWrite.
    void ChooseLanguage(LanguageChoice choice);
    // Back to the scales before the first zoom or pan, as the undo drag.
    void UndoChartZoom(TChart* chart);
    // The worked-solution report of the last run: shown in the help window,
    // written as .html (its stylesheet inside) or .pdf by the extension
    // (another raises EFileWrite), printed through the platform's dialog.
    void ShowRunReport();
    void SaveRunReport(const std::string& path);
    void PrintReport();
    // A link of the report page: saving it as PDF or printing it, when the
    // page shows the current results; otherwise the page is shown anew and
    // the link refused.
    void ReportPageAction(std::string_view action);
    // The five charts in the order the report shows them.
    std::array<TChart*, 5> ReportCharts() const;
    // The report's figures: the five charts, and the doping profile's
    // chart after them while there is a profile.
    std::vector<TCustomChart*> ReportFigures() const;
    // The chart's context menu at (x, y): asks which item and does it.
    void ChartContextPopup(TObject* sender, int x, int y);

    // The keyboard (Accessibility.cpp): Ctrl+1 … Ctrl+5 choose a chart in
    // the report's order and give it the focus; the Menu key or Shift+F10
    // opens the menu of the chart last used (clicked, wheeled, dragged or
    // chosen; the C-V chart at first) at its centre.
    bool IsShortCut(int key, ShiftState shift) override;
    TChart* LastUsedChart() const noexcept { return lastUsedChart_; }
    // What assistive technology says of a chart: the run's inputs, its
    // chart's numbers, and on the C-V and 1/C² charts the held runs,
    // measured data and a fit.  Renewed after every change of the results.
    std::string ChartDescription(const TChart* chart) const;

    // Held runs (HeldRuns.cpp): the current run's curves kept on all five
    // charts as lighter, thinner overlays, series added after the eleven.
    // Holding a ninth drops the oldest; holding before any run raises.
    static constexpr int MaxHeldRuns = 8;
    void HoldCurves();
    void ClearHeldCurves();
    int HeldRunCount() const noexcept { return static_cast<int>(held_.size()); }

    // Measured C-V data and the 1/C² line fit (MeasuredFit.cpp).  Loading
    // reads the whole file or raises EMeasuredData and changes nothing; the
    // points show as markers on the C-V chart (pF) and the 1/C² chart
    // (nF^-2) until cleared or Reset.  The fit takes the measured points
    // when there are any, otherwise the computed curve, within the 1/C²
    // chart's visible voltage range; it raises EFitError and draws nothing
    // when that does not determine a line.
    void LoadMeasuredData(const std::string& path);
    void ClearMeasuredData();
    bool HasMeasuredData() const noexcept { return measuredCV_ != nullptr; }
    void FitStraightLine();
    const std::optional<LineFit>& Fit() const noexcept { return fit_; }

    // The doping profile and the grading exponent (ProfileResults.cpp),
    // both from the measured points when there are any, otherwise from the
    // computed curve, within the C-V chart's visible voltages.  The profile
    // opens the profile window (made the first time); `typedHalfWidth`
    // is k as typed (empty: the window's k, 3 at first).  Either raises
    // EProfileError and changes nothing when the points do not determine
    // it; they live in the record (LastRun().profile, .grading) and go with
    // their source as the line fit does.
    void ShowDopingProfile(const std::string& typedHalfWidth = {});
    void FitGradingCurve();

    // Filled by the reader.
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* LabelDiffusionPotential = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* LabelDonorDensity = nullptr;
    TLabel* LabelAcceptorDensity = nullptr;
    TLabel* Label11 = nullptr;
    TLabel* Label12 = nullptr;
    TLabel* Label13 = nullptr;
    TLabel* Label14 = nullptr;
    TLabel* Label15 = nullptr;
    TLabel* Label16 = nullptr;
    TLabel* Label17 = nullptr;
    TLabel* LabelBias = nullptr;
    TLabel* Label18 = nullptr;
    TLabel* Label19 = nullptr;
    TLabel* LabelJunctionArea = nullptr;
    TLabel* Label20 = nullptr;
    TLabel* Label24 = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TLabel* Label25 = nullptr;
    TLabel* Label26 = nullptr;
    TImage* Image3 = nullptr;
    TButton* ButtonHTML = nullptr;
    TChart* ChartCV = nullptr;
    TChart* ChartC2V = nullptr;
    TChart* ChartEnergyBand = nullptr;
    TLabel* Label21 = nullptr;
    TLabel* Label22 = nullptr;
    TLabel* Label23 = nullptr;
    TChart* ChartChargeDensity = nullptr;
    TChart* ChartVoltage = nullptr;
    TEdit* EditDonorDensity = nullptr;
    TEdit* EditAcceptorDensity = nullptr;
    TButton* ButtonCalcuationCV = nullptr;
    TEdit* EditBias = nullptr;
    TEdit* EditJunctionArea = nullptr;
    TButton* ButtonReset = nullptr;
    TLineSeries* Series1 = nullptr;
    TPointSeries* Series12 = nullptr;
    TLineSeries* Series2 = nullptr;
    TPointSeries* Series11 = nullptr;
    TLineSeries* Series3 = nullptr;
    TLineSeries* Series4 = nullptr;
    TLineSeries* Series5 = nullptr;
    TLineSeries* Series6 = nullptr;
    TLineSeries* Series7 = nullptr;
    TLineSeries* Series8 = nullptr;
    TLineSeries* Series9 = nullptr;

    // Counts every change of what the run report shows (a run, a failed
    // run, Reset, holds, measured data, fits); the report page carries the
    // count it was made at, so that its links act on that page's results.
    unsigned ResultsVersion() const noexcept { return resultsVersion_; }

private:
    // The run behind the calculate button; raises at a bad input.
    // `curvesReplaced` tells whether the C-V and 1/C² curves were redrawn
    // before it failed.
    void Calculate(const std::array<std::string, 4>& typed, bool& curvesReplaced);
    // After every change of the results: a report page on show follows it.
    void ResultsChanged();
    // The series that shows `list` of the result.
    TChartSeries* SeriesShowing(PlotPoints JunctionResult::*list) const;
    void FillFromResult(PlotPoints JunctionResult::*list);
    void WriteDefaultInputs();
    // Reads, clamps and echoes one density into its edit and label.
    double AcceptDensity(TEdit* edit, TLabel* label);

    // One held run: its overlay series (in the order of RunSeries), the
    // tag that names its inputs and its look (colour, dash, marker), which
    // it keeps while it is held.
    struct THeldRun {
        std::vector<TChartSeries*> series;
        std::string tag;
        int look = 0;
    };
    void RemoveHeldRun(THeldRun& run);
    // Names the held runs' series Held1… from the oldest on.
    void NumberHeldRuns();
    void ClearFit();
    void ClearProfile();
    void ClearGrading();
    // A new run, Reset or a failed run's new curves take with them what was
    // read off the computed curve: the line, the profile and the grading.
    void DropComputedCurveAnalyses();
    // Fills the profile window's chart, box and label from the record.
    void ShowProfileRecord();
    // The voltage and capacitance data the fits and the profile read, and
    // the visible voltages of the chart they are made on.
    struct TCapacitanceData {
        std::span<const double> voltages, capacitances, inverseSquares;
        bool onMeasured = false;
        double vmin = 0, vmax = 0;
    };
    // The points to analyse within `chart`'s visible voltages: the measured
    // ones when loaded, else the computed curve while the charts show it.
    TCapacitanceData CapacitanceData(TChart* chart);
    std::optional<TChartNote> GradingBox() const;
    std::optional<TChartNote> ProfileBox() const;
    // The area a fit reads the doping with, mm²: the last completed run's,
    // or the area the edit holds (clamped as a run would) before any run.
    double FitArea() const;
    // The notes the charts show: with runs held a legend on every chart,
    // the measured points' unit on the C-V chart, the fit's box on the 1/C²
    // chart.
    void UpdateChartNotes();
    // The fit's box on the 1/C² chart, from the fit and the run on the
    // charts; nothing without a fit.
    std::optional<TChartNote> FitBox() const;
    // The run report's bytes as saving writes them.
    std::string RunReportFile(ReportFileFormat format);
    // A file dialog of the window, opened in the folder of the last file
    // or folder chosen in any of them; the choice's folder is remembered.
    std::optional<std::string> AskUser(FileDialogRequest dialog);
    std::optional<FileDialogChoice> AskUserForType(FileDialogRequest dialog);
    void ChooseChart(TChart* chart);
    void OpenChartMenuFromKeyboard();
    // Names the edits by their labels and the charts by their titles.
    void NameControls();
    void DescribeCharts();

    MaterialConstants constants_;
    JunctionInputs inputs_;
    RunRecord run_;
    std::vector<THeldRun> held_;
    bool oldestReplaced_ = false;  // a ninth hold replaced the oldest since the last clear
    TChartSeries* measuredCV_ = nullptr;
    TChartSeries* measuredC2V_ = nullptr;
    std::vector<double> measuredVoltages_;        // V, ascending
    std::vector<double> measuredInverseSquares_;  // F^-2
    std::vector<double> measuredCapacitances_;    // F
    // The unit the file's capacitances were read in, as labels name it:
    // "nF", or "pF (assumed)" when the file named none.
    std::string measuredUnit_;
    TChartSeries* fitLine_ = nullptr;
    TPointSeries* fitPoints_ = nullptr;
    std::optional<LineFit> fit_;
    TLineSeries* gradingCurve_ = nullptr;
    bool fitOnMeasured_ = false;
    unsigned resultsVersion_ = 0;
    // What the file dialogs remember while the program runs: the folder of
    // the last choice and the type of the last image saved.
    std::string lastFolder_;
    std::string lastImageExtension_ = "png";
    TChart* lastUsedChart_ = nullptr;
    // Its seven sample arrays start empty and are released, last-declared
    // first, after the destructor body and before the form's controls go.
    JunctionResult result_;
};

// The eleven series a run owns: the chart each lives in and its index there
// (the order the description creates them), the name it is published under,
// and the result list it shows.  The run, Reset and the tests all find the
// series through this one table.
struct TRunSeries {
    TChart* TFormPNJunction::*Chart;
    int Index;
    const char* Name;
    PlotPoints JunctionResult::*Points;
};
extern const std::array<TRunSeries, 11> RunSeries;

// The measured points' colour, one none of the eleven series uses.
inline constexpr TColor MeasuredColor = 0x008000;  // green

// The one calculator window, created first at start-up as the main window.
extern TFormPNJunction* FormPNJunction;

}  // namespace cvcalc
