// The calculator's results out of the window: each chart's context menu and
// the operations behind it, which the scripted driver calls too.
#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "calculator/Pnjunction.h"
#include "calculator/Profile.h"
#include "chart/ChartSeries.h"
#include "chart/CustomChart.h"
#include "help/Html.h"
#include "platform/core/FileWrite.h"
#include "platform/core/MessageTable.h"
#include "platform/core/Resources.h"
#include "platform/core/Translate.h"
#include "platform/gui/Clipboard.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/UserChoice.h"
#include "platform/gui/WebBrowser.h"
#include "results/ChartExport.h"
#include "results/RunReport.h"

namespace cvcalc {

namespace {

constexpr int UnknownFileTypeMessage = 65221;
constexpr int ReportOutOfDateMessage = 65223;
constexpr int ExportStoppedMessage = 65240;
constexpr int ExportFolderMessage = 65241;

// The scale of the PNG pictures in an export of everything: the chart's
// layout drawn at twice the pixels, sharp in a printed report.
constexpr int EverythingPngScale = 2;

// The profile chart's data columns.
constexpr const char* ProfileDepthColumn = "W (um)";
constexpr const char* ProfileDensityColumn = "N (cm^-3)";

std::string EverythingPng(TChart& chart, std::string_view about) { return ChartPng(chart, about, EverythingPngScale); }

// What data files and an export's README call each chart: its columns in
// ASCII with units, as its axis titles give them, and what it shows.
struct TChartData {
    TChart* TFormPNJunction::*Chart;
    const char* X;
    const char* Y;
    const char* Shows;
};
const std::array<TChartData, 5> ChartDataNames{{
    {&TFormPNJunction::ChartEnergyBand, "x (um)", "E (eV)", TrNoop("Export", "エネルギーバンド")},
    {&TFormPNJunction::ChartChargeDensity, "x (um)", "charge density (cm^-3)", TrNoop("Export", "空間電荷")},
    {&TFormPNJunction::ChartVoltage, "x (um)", "potential (V)", TrNoop("Export", "静電ポテンシャル")},
    {&TFormPNJunction::ChartCV, "V (V)", "C (pF)", TrNoop("Export", "C-V 曲線")},
    {&TFormPNJunction::ChartC2V, "V (V)", "1/C^2 (nF^-2)", TrNoop("Export", "1/C^2-V 曲線")},
}};

// What data files call the series by their published names: the run's
// eleven (RunSeries), the measured points and the fitted line.
struct TSeriesData {
    std::string_view Published;
    std::string_view InFile;
};
constexpr TSeriesData SeriesDataNames[] = {
    {"Series1", "C"},
    {"Series12", "bias marker"},
    {"Series2", "1/C2"},
    {"Series11", "bias marker"},
    {"Series3", "EC"},
    {"Series4", "EV"},
    {"Series5", "EF n"},
    {"Series6", "EF p"},
    {"Series7", "donor charge"},
    {"Series8", "acceptor charge"},
    {"Series9", "potential"},
    {"MeasuredCV", "measured"},
    {"MeasuredC2V", "measured"},
    {"FitLine", "fit"},
    {"FitPoints", "fit points"},
    {"GradingCurve", "grading fit C0 (1 - V/V0)^(-m)"},
    {"ProfileResolved", "profile"},
    {"ProfileUnresolved", "profile not resolved (W < 3 L_D)"},
    {"ReferenceDensity", "Na*Nd/(Na+Nd) of the run"},
    {"ReferenceNeff", "N_eff of the line fit"},
};

std::string SeriesNameInFile(std::string_view published) {
    for (const TSeriesData& row : SeriesDataNames)
        if (row.Published == published) return std::string(row.InFile);
    return {};
}

// The menu's items: captions in the window's language, the English gloss
// as each item's tip.
// The PNG scale of each type in the Save image list.
constexpr std::array<int, 5> SaveImageScales{1, 1, 1, 2, 4};

// Each item's caption (Japanese source text, in the interface language when
// the menu opens) and its English gloss.
struct MenuText {
    const char* caption;
    const char* tip;
};
PopupMenuItem MenuItem(const MenuText& text) {
    PopupMenuItem item;
    item.caption = Tr("ChartMenu", text.caption);
    item.tip = text.tip;
    return item;
}

constexpr MenuText CopyImageItem{TrNoop("ChartMenu", "画像をコピー"),
                                 "Copy image: the chart to the clipboard as PNG and SVG"};
constexpr MenuText SaveImageItem{TrNoop("ChartMenu", "画像を保存…"), "Save image…: the chart as PNG, SVG or PDF"};
constexpr MenuText SaveDataItem{TrNoop("ChartMenu", "データを保存…"), "Save data…: the chart's series as CSV"};
constexpr MenuText UndoZoomItem{TrNoop("ChartMenu", "ズームを元に戻す"),
                                "Undo zoom: the scales before the first zoom or pan"};
constexpr MenuText RunReportItem{TrNoop("ChartMenu", "計算レポート"),
                                 "Run report: the worked solution of the last run in the help window"};
constexpr MenuText HoldItem{TrNoop("ChartMenu", "曲線を保持"),
                            "Hold curves: keep this run's curves on all five charts"};
constexpr MenuText ClearHoldsItem{TrNoop("ChartMenu", "保持を消去"),
                                  "Clear held curves: remove the curves kept from earlier runs"};
constexpr MenuText LoadMeasuredItem{TrNoop("ChartMenu", "測定データを読み込む…"),
                                    "Load measured C–V…: a text file of voltage and capacitance rows"};
constexpr MenuText ClearMeasuredItem{TrNoop("ChartMenu", "測定データを消去"),
                                     "Clear measured data: remove the loaded points"};
constexpr MenuText FitItem{TrNoop("ChartMenu", "直線フィット"),
                           "Fit straight line: least squares through 1/C² in the visible voltage range"};
static_assert(EverythingPngScale == 2, "the Export everything tip names the scale");
constexpr MenuText ExportEverythingItem{TrNoop("ChartMenu", "全部を書き出す…"),
                                        "Export everything…: every chart as PNG (2×), SVG, PDF and CSV, the report "
                                        "as PDF and HTML, and a README, into one folder"};
constexpr MenuText DopingProfileItem{TrNoop("ChartMenu", "ドーピングプロファイル"),
                                     "Doping profile: N against the depletion depth W from the local slope of 1/C², "
                                     "in a window of its own"};
constexpr MenuText GradingFitItem{TrNoop("ChartMenu", "べき乗フィット"),
                                  "Grading exponent: C = C0 (1 − V/V0)^(−m) fitted in the visible voltage range"};
constexpr MenuText LanguageItem{TrNoop("ChartMenu", "言語 / Language"),
                                "Language of the program's texts, from its next start"};
constexpr MenuText LanguageJapaneseItem{TrNoop("ChartMenu", "日本語"), "Japanese"};
// Named the same in both languages, so that a student who chose the
// language they cannot read still finds the way back.
constexpr MenuText LanguageEnglishItem{"English", "English"};
constexpr MenuText LanguageDesktopItem{"Desktop default", "Desktop default: the language the desktop asks for"};

}  // namespace

void TFormPNJunction::ShowRunReport() { FormHTML->ShowRunReport(); }

void TFormPNJunction::ResultsChanged() {
    UpdateChartNotes();
    // The profile window's reference lines follow the run and the fit.
    ShowProfileRecord();
    DescribeCharts();
    run_.resultsVersion = ++resultsVersion_;
    if (FormHTML != nullptr) FormHTML->RefreshRunReport();
}

void TFormPNJunction::ReportPageAction(std::string_view action) {
    const ReportAction link = ParseReportAction(action);
    if (link.name != SaveReportPdfAction && link.name != PrintReportAction) return;
    // The page is made anew after every change, but a click can come
    // before the new page: a PDF must never show other results than the
    // page it was asked from.
    if (link.version != resultsVersion_) {
        if (FormHTML != nullptr) FormHTML->RefreshRunReport();
        throw Exception(LoadMessage(ReportOutOfDateMessage));
    }
    if (link.name == SaveReportPdfAction) {
        FileDialogRequest dialog;
        dialog.caption = Tr("Dialogs", "計算レポートを保存");
        dialog.filters = {{Tr("Dialogs", "PDF 文書"), "pdf"}};
        dialog.suggestedName = "report.pdf";
        if (const auto path = AskUser(dialog)) SaveRunReport(*path);
    } else {
        PrintReport();
    }
}

std::vector<TCustomChart*> TFormPNJunction::ReportFigures() const {
    const auto c = ReportCharts();
    std::vector<TCustomChart*> figures{c[0], c[1], c[2], c[3], c[4]};
    if (run_.profile.present && FormProfile != nullptr) figures.push_back(FormProfile->ChartProfile);
    return figures;
}

std::string TFormPNJunction::RunReportFile(ReportFileFormat format) {
    const auto figures = ReportFigures();
    if (format == ReportFileFormat::Pdf) return RunReportPdf(run_, figures);
    // A page saved on its own carries the site's stylesheet inside.
    std::string page = RunReportPage(run_, figures);
    const std::string link = "<link rel=\"stylesheet\" href=\"style.css\">";
    if (const auto at = page.find(link); at != std::string::npos) {
        const auto css = FindResource(RT_HTML, "style.css");
        page.replace(at, link.size(),
                     "<style>\n" + (css ? std::string(css->begin(), css->end()) : std::string()) + "</style>");
    }
    return page;
}

void TFormPNJunction::SaveRunReport(const std::string& path) {
    const auto format = ReportFileFormatOf(path);
    if (!format) throw EFileWrite(LoadMessageFormatted(UnknownFileTypeMessage, {path}));
    WriteFileReplacing(path, RunReportFile(*format));
}

void TFormPNJunction::PrintReport() { PrintRunReport(&Handle(), run_, ReportFigures()); }

std::array<TChart*, 5> TFormPNJunction::ReportCharts() const {
    return {ChartEnergyBand, ChartChargeDensity, ChartVoltage, ChartCV, ChartC2V};
}

void TFormPNJunction::CopyChartImage(TChart* chart) {
    const std::string about = RunAbout(run_);
    CopyFigureToClipboard(ChartPng(*chart, about), ChartSvg(*chart, about));
}

void TFormPNJunction::SaveChartFile(TChart* chart, const std::string& path, int pngScale) {
    const auto format = ChartFileFormatOf(path);
    if (!format) throw EFileWrite(LoadMessageFormatted(UnknownFileTypeMessage, {path}));
    WriteFileReplacing(path,
                       *format == ChartFileFormat::Csv ? ChartData(chart) : ChartFile(*chart, run_, *format, pngScale));
}

void TFormPNJunction::SaveChartData(TChart* chart, const std::string& path) {
    WriteFileReplacing(path, ChartData(chart));
}

std::vector<HeldRunInputs> TFormPNJunction::HeldRunsInputs() const {
    std::vector<HeldRunInputs> inputs;
    for (const THeldRun& run : held_) {
        // The number is the one the run's series are named with.
        if (!run.series.empty()) inputs.push_back({HeldRunNumber(run.series.front()->Name()), run.tag});
    }
    return inputs;
}

std::string TFormPNJunction::ChartData(TChart* chart) const {
    CsvNames names;
    for (const TChartData& row : ChartDataNames)
        if (this->*row.Chart == chart) {
            names.x = row.X;
            names.y = row.Y;
        }
    if (FormProfile != nullptr && chart == FormProfile->ChartProfile) {
        names.x = ProfileDepthColumn;
        names.y = ProfileDensityColumn;
    }
    names.series = SeriesNameInFile;
    names.held = HeldRunsInputs();
    return ChartCsv(*chart, run_, names);
}

void TFormPNJunction::ExportEverything(const std::string& folder) {
    namespace fs = std::filesystem;
    // One level only: a mistyped parent is an error, not a new tree.
    std::error_code error;
    fs::create_directory(folder, error);
    if (error || !fs::is_directory(folder, error))
        throw EFileWrite(LoadMessageFormatted(
            ExportFolderMessage,
            {folder, (error ? error : std::make_error_code(std::errc::not_a_directory)).message()}));

    const std::string about = RunAbout(run_);
    std::string readme = FillArgs(Tr("Export", "%1 %2: 1 回の計算の結果をまとめて書き出したもの\n\n計算: %3\n"),
                                  {ProgramName, ProgramVersion, about});
    for (const HeldRunInputs& held : HeldRunsInputs())
        readme += FillArgs(Tr("Export", "保持 %1: %2"), {std::to_string(held.number), held.inputs}) + "\n";
    readme += "\n" + Tr("Export", "ファイル") + "\n";
    std::vector<std::string> written;
    const auto write = [&](const std::string& name, const std::string& bytes, const std::string& what) {
        WriteFileReplacing((fs::path(folder) / name).string(), bytes);
        written.push_back(name);
        readme += "  " + name + std::string(name.size() < 22 ? 22 - name.size() : 1, ' ') + what + "\n";
    };
    try {
        for (const TChartData& row : ChartDataNames) {
            TChart* chart = this->*row.Chart;
            const std::string stem = chart->Name(), shows = Tr("Export", row.Shows);
            write(
                stem + ".png", EverythingPng(*chart, about),
                FillArgs(Tr("Export", "%1, ウィンドウの画像 (PNG, %2x)"), {shows, std::to_string(EverythingPngScale)}));
            write(stem + ".svg", ChartSvg(*chart, about), FillArgs(Tr("Export", "%1, ベクター図 (SVG)"), {shows}));
            write(stem + ".pdf", ChartPdf(*chart, about), FillArgs(Tr("Export", "%1, ベクター図 (PDF)"), {shows}));
            write(stem + ".csv", ChartData(chart), FillArgs(Tr("Export", "%1, すべての曲線の点 (CSV)"), {shows}));
        }
        write("report.pdf", RunReportFile(ReportFileFormat::Pdf), Tr("Export", "計算の過程 (PDF)"));
        write("report.html", RunReportFile(ReportFileFormat::Html),
              Tr("Export", "計算の過程の Web ページ, スタイルシート入り (HTML)"));
        readme += "  README.txt            " + Tr("Export", "この一覧") + "\n\n" +
                  Tr("Export",
                     "画像とデータは、ウィンドウが表示していたとおりのグラフです (ズームを含む)。レポートの図は"
                     "計算全体を示します。") +
                  "\n";
        WriteFileReplacing((fs::path(folder) / "README.txt").string(), readme);
    } catch (const Exception& failure) {
        throw EFileWrite(
            LoadMessageFormatted(ExportStoppedMessage, {folder, std::to_string(written.size()), failure.Message()}));
    }
}

void TFormPNJunction::UndoChartZoom(TChart* chart) {
    chart->UndoZoom();
    chart->ChartInvalidate();
}

std::optional<FileDialogChoice> TFormPNJunction::AskUserForType(FileDialogRequest dialog) {
    dialog.owner = &Handle();
    dialog.startFolder = lastFolder_;
    auto chosen = AskFileNameAndType(dialog);
    if (chosen) {
        const std::filesystem::path path(chosen->path);
        lastFolder_ = dialog.chooseFolder ? path.string() : path.parent_path().string();
    }
    return chosen;
}

std::optional<std::string> TFormPNJunction::AskUser(FileDialogRequest dialog) {
    auto chosen = AskUserForType(std::move(dialog));
    if (!chosen) return std::nullopt;
    return std::move(chosen->path);
}

void TFormPNJunction::ChartContextPopup(TObject* sender, int x, int y) {
    auto* chart = static_cast<TChart*>(sender);
    struct Entry {
        PopupMenuItem item;
        std::function<void()> action;
    };
    std::vector<Entry> entries{
        {MenuItem(CopyImageItem), [=, this] { CopyChartImage(chart); }},
        {MenuItem(SaveImageItem),
         [=, this] {
             FileDialogRequest dialog;
             dialog.caption = Tr("Dialogs", "画像を保存");
             // The larger PNGs follow the three types the list always had,
             // so that its first choice stays the window's own pixels.
             dialog.filters = {{Tr("Dialogs", "PNG 画像"), "png"},
                               {Tr("Dialogs", "SVG 画像"), "svg"},
                               {Tr("Dialogs", "PDF 文書"), "pdf"},
                               {Tr("Dialogs", "PNG 画像 (2×)"), "png"},
                               {Tr("Dialogs", "PNG 画像 (4×)"), "png"}};
             dialog.selectedExtension = lastImageExtension_;
             dialog.suggestedName = chart->Name() + "." + lastImageExtension_;
             const auto choice = AskUserForType(dialog);
             if (!choice) return;
             // The type chosen is the one the next image dialog offers first.
             const auto format = ChartFileFormatOf(choice->path);
             if (format == ChartFileFormat::Png) lastImageExtension_ = "png";
             if (format == ChartFileFormat::Svg) lastImageExtension_ = "svg";
             if (format == ChartFileFormat::Pdf) lastImageExtension_ = "pdf";
             SaveChartFile(chart, choice->path, SaveImageScales[std::min(choice->filter, SaveImageScales.size() - 1)]);
         }},
        {MenuItem(SaveDataItem),
         [=, this] {
             FileDialogRequest dialog;
             dialog.caption = Tr("Dialogs", "データを保存");
             dialog.filters = {{Tr("Dialogs", "CSV ファイル"), "csv"}};
             dialog.suggestedName = chart->Name() + ".csv";
             if (const auto path = AskUser(dialog)) SaveChartData(chart, *path);
         }},
        {MenuItem(UndoZoomItem), [=, this] { UndoChartZoom(chart); }},
        {MenuItem(RunReportItem), [this] { ShowRunReport(); }},
        {MenuItem(HoldItem), [this] { HoldCurves(); }},
        {MenuItem(ClearHoldsItem), [this] { ClearHeldCurves(); }},
    };
    entries[5].item.enabled = run_.complete && !run_.laterFailure.capacitanceCurvesReplaced;
    entries[6].item.enabled = HeldRunCount() > 0;
    if (chart == ChartCV || chart == ChartC2V) {
        entries.push_back({MenuItem(LoadMeasuredItem), [this] {
                               FileDialogRequest dialog;
                               dialog.save = false;
                               dialog.caption = Tr("Dialogs", "測定データを読み込む");
                               dialog.filters = {{"CSV", "csv"},
                                                 {Tr("Dialogs", "テキスト"), "txt"},
                                                 {Tr("Dialogs", "データ"), "dat"},
                                                 {Tr("Dialogs", "すべてのファイル"), ""}};
                               if (const auto path = AskUser(dialog)) LoadMeasuredData(*path);
                           }});
        entries.push_back({MenuItem(ClearMeasuredItem), [this] { ClearMeasuredData(); }});
        entries.back().item.enabled = HasMeasuredData();
    }
    if (chart == ChartC2V) entries.push_back({MenuItem(FitItem), [this] { FitStraightLine(); }});
    // The analyses beyond the straight line.
    if (chart == ChartCV || chart == ChartC2V)
        entries.push_back({MenuItem(DopingProfileItem), [this] { ShowDopingProfile(); }});
    if (chart == ChartCV) entries.push_back({MenuItem(GradingFitItem), [this] { FitGradingCurve(); }});
    // The profile's chart has the menu every chart has, without the items
    // that act on the calculator's run, and the language.
    const bool profileChart = FormProfile != nullptr && chart == FormProfile->ChartProfile;
    if (profileChart) entries.resize(4);
    // The language submenu before the last item; its three choices are
    // numbered after the menu's own items.
    const LanguageChoice saved = SavedLanguageChoice();
    entries.push_back({MenuItem(LanguageItem), nullptr});
    std::vector<Entry> languageChoices;
    const std::pair<PopupMenuItem, LanguageChoice> languages[] = {
        {MenuItem(LanguageJapaneseItem), LanguageChoice::Japanese},
        {MenuItem(LanguageEnglishItem), LanguageChoice::English},
        {MenuItem(LanguageDesktopItem), LanguageChoice::Desktop}};
    for (const auto& language : languages) {
        PopupMenuItem item = language.first;
        const LanguageChoice choice = language.second;
        item.checked = choice == saved;
        entries.back().item.items.push_back(item);
        languageChoices.push_back({{}, [this, choice] { ChooseLanguage(choice); }});
    }
    if (!profileChart)
        entries.push_back({MenuItem(ExportEverythingItem), [this] {
                               FileDialogRequest dialog;
                               dialog.chooseFolder = true;
                               dialog.caption = Tr("Dialogs", "全部を書き出すフォルダ");
                               if (const auto folder = AskUser(dialog)) ExportEverything(*folder);
                           }});
    entries.insert(entries.end(), languageChoices.begin(), languageChoices.end());

    PopupMenuRequest request;
    request.window = &chart->Handle();
    request.x = x;
    request.y = y;
    // An entry without an item is a submenu's choice, already in its item.
    for (const Entry& entry : entries)
        if (!entry.item.caption.empty()) request.items.push_back(entry.item);
    const int chosen = TrackPopupMenu(request);
    if (chosen >= 0 && std::size_t(chosen) < entries.size() && entries[std::size_t(chosen)].action)
        entries[std::size_t(chosen)].action();
}

void TFormPNJunction::ChooseLanguage(LanguageChoice choice) {
    SaveLanguageChoice(choice);
    const char* names[] = {"Desktop default", TrNoop("ChartMenu", "日本語"), "English"};
    const std::string name = Tr("ChartMenu", names[static_cast<int>(choice)]);
    ShowMessageBox(FillArgs(Tr("ChartMenu", "言語を「%1」にしました。次に起動したときから使われます。"), {name}),
                   Tr("ChartMenu", LanguageItem.caption), &Handle());
}

}  // namespace cvcalc
