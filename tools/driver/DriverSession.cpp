// The scripted driver's session: commands in, window input through the
// platform's injection (the same path as real input), JSON dumps out.
#include "tools/driver/DriverSession.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <utility>
#include <vector>

#include "app/ProgramWindows.h"
#include "calculator/Pnjunction.h"
#include "calculator/Profile.h"
#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/CustomChart.h"
#include "framework/Bitmap.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "help/Html.h"
#include "help/WebBrowserControl.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/InputInjection.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/MessageLoop.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/ReportDocument.h"
#include "platform/gui/UserChoice.h"
#include "platform/gui/WebBrowser.h"
#include "results/ChartExport.h"
#include "shell/app/Application.h"
#include "shell/core/TextConvert.h"

namespace cvcalc {

// Members in the order written: the window's creation order.
using Json = nlohmann::ordered_json;

// A menu's items as the dump lists them; a submenu's items under "items",
// the checked one marked.
Json MenuJson(const std::vector<PopupMenuItem>& items) {
    Json list = Json::array();
    for (const PopupMenuItem& item : items) {
        Json entry = {{"caption", item.caption}, {"enabled", item.enabled}};
        if (item.checked) entry["checked"] = true;
        if (!item.items.empty()) entry["items"] = MenuJson(item.items);
        list.push_back(std::move(entry));
    }
    return list;
}

class DriverSession::Impl {
public:
    explicit Impl(Output output) : output_(std::move(output)) {
        SetMessageBoxObserver([this](const MessageBoxRecord& box) {
            errors_.push_back({{"text", box.text}, {"caption", box.caption}});
        });
        // Nothing modal may open: there is no user to close it, so the
        // driver would wait for ever.  A menu is recorded for the dump and
        // dismissed; the file and print dialogs (a page's links reach them)
        // are cancelled.
        SetPopupMenuResponder([this](const PopupMenuRequest& request) {
            menu_ = MenuJson(request.items);
            return -1;
        });
        SetFileDialogResponder([](const FileDialogRequest&) { return std::optional<std::string>(); });
        SetPrintDialogResponder([](const PrintRequest&) { return std::optional<std::string>(); });
        // A script never starts the desktop's browser.
        SetDesktopBrowserObserver([](std::string_view) {});
        application_.SetStartHook([] { return ComponentModelInitialize(); }, [] { ComponentModelShutdown(); });
    }
    ~Impl() {
        application_.Finish();
        SetDesktopBrowserObserver({});
        SetPrintDialogResponder({});
        SetFileDialogResponder({});
        SetPopupMenuResponder({});
        SetMessageBoxObserver({});
    }

    void Start() {
        RunGuarded(application_, [&] {
            application_.RunStartHook();
            CreateProgramWindows(application_);
            if (FormPNJunction != nullptr) FormPNJunction->Show();
        });
        Settle();
    }

    void ForgetErrors() { errors_ = Json::array(); }

    void PaintOnlyWhenLookedAt() {
        paintOnlyWhenLookedAt_ = true;
        HoldPaints(true);
    }

    bool Run(const std::string& line) {
        refusal_.clear();
        const auto space = line.find(' ');
        const std::string command = line.substr(0, space);
        if (!paintOnlyWhenLookedAt_) return RunCommand(line, command, space);
        static const std::string_view lookers[] = {"dump", "snapshot", "export",   "report",
                                                   "drag", "wheel",    "exportall"};
        if (std::find(std::begin(lookers), std::end(lookers), command) == std::end(lookers))
            return RunCommand(line, command, space);
        struct Looking {
            Looking() { HoldPaints(false); }
            ~Looking() { HoldPaints(true); }
        } looking;
        return RunCommand(line, command, space);
    }

    const std::string& Refusal() const { return refusal_; }

private:
    bool RunCommand(const std::string& line, const std::string& command, std::size_t space) {
        const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (command.empty()) return true;
        if (command == "set") return Set(rest);
        if (command == "click") return Click(rest);
        if (command == "key") return Key(rest);
        if (command == "drag") return Drag(rest);
        if (command == "wheel") return Wheel(rest);
        if (command == "dump") return Dump();
        if (command == "snapshot") return Snapshot(rest);
        if (command == "export") return Export(rest);
        if (command == "report") return Report(rest);
        // The calculator's own operations, as its charts' menus run them.
        using Operation = void (TFormPNJunction::*)();
        const std::pair<const char*, Operation> operations[] = {{"hold", &TFormPNJunction::HoldCurves},
                                                                {"clearholds", &TFormPNJunction::ClearHeldCurves},
                                                                {"clearmeasured", &TFormPNJunction::ClearMeasuredData},
                                                                {"fit", &TFormPNJunction::FitStraightLine},
                                                                {"gradefit", &TFormPNJunction::FitGradingCurve}};
        for (const auto& entry : operations)
            if (command == entry.first) {
                if (!rest.empty()) return false;
                const Operation operation = entry.second;
                if (FormPNJunction != nullptr) Operate([&] { (FormPNJunction->*operation)(); });
                return true;
            }
        // profile [K]: the doping profile as its menu item makes it, with
        // the half-width K as if typed into the profile window.
        if (command == "profile") {
            if (rest.find(' ') != std::string::npos) return false;
            if (FormPNJunction != nullptr) {
                Settle();
                Operate([&] { FormPNJunction->ShowDopingProfile(rest); });
            }
            return true;
        }
        if (command == "exportall") {
            if (rest.empty()) return false;
            if (FormPNJunction != nullptr) {
                Settle();
                Operate([&] { FormPNJunction->ExportEverything(rest); });
            }
            return true;
        }
        if (command == "language") {
            // What the charts' 言語 / Language menu does: the choice is
            // saved for the program's next start.
            const std::optional<Language> named = ParseLanguageName(rest);
            if (!named && rest != "desktop") return false;
            const LanguageChoice choice = !named                        ? LanguageChoice::Desktop
                                          : *named == Language::English ? LanguageChoice::English
                                                                        : LanguageChoice::Japanese;
            if (FormPNJunction != nullptr) Operate([&] { FormPNJunction->ChooseLanguage(choice); });
            return true;
        }
        if (command == "import") {
            if (rest.empty()) return false;
            if (FormPNJunction != nullptr) Operate([&] { FormPNJunction->LoadMeasuredData(rest); });
            return true;
        }
        return false;
    }

    // Lets every posted message and pending paint happen, as the loop would.
    void Settle() {
        for (int i = 0; i < 10000 && application_.ProcessOneMessage(); ++i) {
        }
        ProcessPendingPaints();
        for (int i = 0; i < 10000 && application_.ProcessOneMessage(); ++i) {
        }
    }

    static std::vector<std::string> Words(const std::string& text) {
        std::vector<std::string> words;
        std::size_t at = 0;
        while (at < text.size()) {
            const auto end = text.find(' ', at);
            if (end != at) words.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
            if (end == std::string::npos) break;
            at = end + 1;
        }
        return words;
    }

    TComponent* Find(const std::string& name) const {
        for (TForm* form :
             {static_cast<TForm*>(FormPNJunction), static_cast<TForm*>(FormHTML), static_cast<TForm*>(FormProfile)}) {
            if (form == nullptr) continue;
            if (form->Name() == name) return form;
            if (TComponent* found = form->FindComponent(name)) return found;
        }
        return nullptr;
    }

    template <typename T>
    T* FindAs(const std::string& name) const {
        TComponent* c = Find(name);
        if (c == nullptr || !c->InheritsFrom(T::StaticClassInfo())) {
            std::fprintf(stderr, "cvcalc-driver: no %s named '%s'\n", T::StaticClassInfo().Name().c_str(),
                         name.c_str());
            return nullptr;
        }
        return static_cast<T*>(c);
    }

    // The window a control's input goes to, and the control's origin in it.
    static TWinControl* InputWindow(TControl& control, int& dx, int& dy) {
        dx = dy = 0;
        TControl* c = &control;
        while (c != nullptr && !c->InheritsFrom(TWinControl::StaticClassInfo())) {
            dx += c->Left();
            dy += c->Top();
            c = c->Parent();
        }
        return static_cast<TWinControl*>(c);
    }

    bool Set(const std::string& rest) {
        const auto space = rest.find(' ');
        const std::string name = rest.substr(0, space);
        if (TEdit* edit = FindAs<TEdit>(name)) edit->SetText(space == std::string::npos ? "" : rest.substr(space + 1));
        Settle();
        return true;
    }

    bool Click(const std::string& rest) {
        if (TControl* control = FindAs<TControl>(rest)) {
            int dx = 0, dy = 0;
            if (TWinControl* window = InputWindow(*control, dx, dy))
                InjectClick(window->Handle(), dx + control->Width() / 2, dy + control->Height() / 2);
        }
        Settle();
        return true;
    }

    bool Key(const std::string& rest) {
        const auto words = Words(rest);
        if (words.size() != 2) return false;
        const std::string& key = words[1];
        const bool named = key == "Return" || key == "space" || key == "Tab";
        if (!named && !OneCharacter(key)) return false;
        if (TWinControl* control = FindAs<TWinControl>(words[0])) {
            control->SetFocus();
            Settle();
            if (key == "Return")
                InjectKey(vk::Return);
            else if (key == "space")
                InjectKey(vk::Space);
            else if (key == "Tab")
                InjectKey(vk::Tab);
            else
                InjectText(key);
        }
        Settle();
        return true;
    }

    // One character: one code point in well-formed UTF-8, however many
    // bytes it takes ("あ" takes three).
    static bool OneCharacter(const std::string& text) {
        if (text.empty() || SanitizeUtf8(text) != text) return false;
        const std::u16string units = Utf8ToUtf16(text);
        return units.size() == 1 || (units.size() == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF);
    }

    bool Drag(const std::string& rest) {
        const auto words = Words(rest);
        if (words.size() != 6 || (words[1] != "left" && words[1] != "right")) return false;
        int p[4];
        for (int i = 0; i < 4; ++i)
            if (!ReadCoordinate(words[2 + std::size_t(i)], p[i])) return false;
        if (TChart* chart = FindAs<TChart>(words[0]))
            InjectDrag(chart->Handle(), p[0], p[1], p[2], p[3],
                       words[1] == "left" ? MouseButton::Left : MouseButton::Right);
        Settle();
        return true;
    }

    // A pixel coordinate: a decimal integer within a million pixels of the
    // window, far beyond any screen yet safe for the chart's arithmetic.
    static bool ReadCoordinate(const std::string& word, int& value) {
        constexpr int Limit = 1000000;
        const char* end = word.data() + word.size();
        const auto [ptr, ec] = std::from_chars(word.data(), end, value);
        return ec == std::errc() && ptr == end && value >= -Limit && value <= Limit;
    }

    bool Wheel(const std::string& rest) {
        const auto words = Words(rest);
        if (words.size() != 2 || (words[1] != "up" && words[1] != "down")) return false;
        if (TChart* chart = FindAs<TChart>(words[0]))
            InjectWheel(chart->Handle(), chart->Width() / 2, chart->Height() / 2, words[1] == "up" ? 120 : -120);
        Settle();
        return true;
    }

    static Json AxisJson(TChartAxis& axis) {
        Json labels = Json::array();
        for (const TAxisLabel& label : axis.LastLabels()) labels.push_back(label.text);
        return {{"min", axis.WorkingMinimum()}, {"max", axis.WorkingMaximum()}, {"labels", std::move(labels)}};
    }

    static Json ChartJson(TChart& chart) {
        Json series = Json::array();
        for (int i = 0; i < chart.NumSeries(); ++i) {
            TChartSeries& s = *chart.SeriesAt(i);
            Json points = Json::array();
            for (int p = 0; p < s.PointCount(); ++p)
                points.push_back(Json::array({s.XValues()->Value(p), s.YValues()->Value(p)}));
            series.push_back({{"name", s.Name()}, {"points", std::move(points)}});
        }
        return {{"axes", {{"bottom", AxisJson(*chart.BottomAxis())}, {"left", AxisJson(*chart.LeftAxis())}}},
                {"series", std::move(series)}};
    }

    bool Dump() {
        Settle();
        Json edits = Json::object(), labels = Json::object(), charts = Json::object();
        if (FormPNJunction != nullptr) {
            for (int i = 0; i < FormPNJunction->ComponentCount(); ++i) {
                TComponent* c = FormPNJunction->Components(i);
                if (c->InheritsFrom(TEdit::StaticClassInfo()))
                    edits[c->Name()] = static_cast<TEdit*>(c)->Text();
                else if (c->InheritsFrom(TLabel::StaticClassInfo()))
                    labels[c->Name()] = static_cast<TLabel*>(c)->Caption();
                else if (c->InheritsFrom(TChart::StaticClassInfo()))
                    charts[c->Name()] = ChartJson(*static_cast<TChart*>(c));
            }
        }
        if (FormProfile != nullptr) charts["ChartProfile"] = ChartJson(*FormProfile->ChartProfile);
        std::string url;
        bool visible = false;
        if (FormHTML != nullptr) {
            visible = FormHTML->Visible();
            if (FormHTML->WebBrowserHelp != nullptr) {
                if (auto browser = FormHTML->WebBrowserHelp->DefaultInterface()) {
                    // A page asked for is reported once its load has ended.
                    if (browser->Busy()) ProcessEventsUntil([&] { return !browser->Busy(); }, 20000);
                    url = browser->LocationURL();
                }
            }
        }
        Json fit = nullptr;
        if (FormPNJunction != nullptr && FormPNJunction->Fit()) {
            const LineFit& f = *FormPNJunction->Fit();
            fit = {{"slope", f.Slope},   {"v0", f.V0},
                   {"neff", f.Neff},     {"r2", f.R2},
                   {"points", f.Points}, {"area", FormPNJunction->LastRun().fit.areaSquareMillimetres}};
        }
        Json profile = nullptr, grading = nullptr;
        if (FormPNJunction != nullptr && FormPNJunction->LastRun().profile.present) {
            const ProfileRecord& p = FormPNJunction->LastRun().profile;
            Json points = Json::array();
            for (const ProfilePointRecord& point : p.points)
                points.push_back(Json::array({point.depthMicrometres, point.density, point.resolved}));
            profile = {{"source", p.onMeasured ? "measured" : "computed"},
                       {"k", p.halfWidth},
                       {"points", std::move(points)},
                       {"left_out", p.leftOut},
                       {"unresolved", p.unresolved},
                       {"area", p.areaSquareMillimetres}};
        }
        if (FormPNJunction != nullptr && FormPNJunction->LastRun().grading.present) {
            const GradingRecord& g = FormPNJunction->LastRun().grading;
            grading = {{"m", g.M}, {"v0", g.V0}, {"c0", g.C0}, {"r2", g.R2}, {"points", g.Points}};
        }
        const Json dump = {{"edits", std::move(edits)},
                           {"labels", std::move(labels)},
                           {"charts", std::move(charts)},
                           {"errors", errors_},
                           {"help", {{"visible", visible}, {"url", url}}},
                           {"fit", std::move(fit)},
                           {"profile", std::move(profile)},
                           {"grading", std::move(grading)},
                           {"menu", menu_}};
        // Numbers are data, not user text: the same digits under every
        // locale, each the shortest that reads back to the same double,
        // null where a value is not finite.  A byte sequence that is no
        // UTF-8 (a box may hold any bytes) is written as U+FFFD.
        output_(dump.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n");
        return true;
    }

    // Runs one of the window's operations as its menu would: an error ends
    // in the error box (recorded).
    void Operate(const std::function<void()>& operation) {
        try {
            operation();
        } catch (...) {
            application_.ReportError(nullptr, std::current_exception());
        }
        Settle();
    }

    // export CHART PATH [SCALE]: the chart as PNG, SVG, PDF or CSV by the
    // extension, a PNG at 1, 2 or 4 times its size.  A path may hold
    // spaces: a last word after a path that names a type is the scale.
    bool Export(const std::string& rest) {
        const auto space = rest.find(' ');
        if (space == std::string::npos || space + 1 == rest.size()) return false;
        const std::string name = rest.substr(0, space);
        std::string path = rest.substr(space + 1);
        int scale = 1;
        if (const auto last = path.rfind(' '); !ChartFileFormatOf(path) && last != std::string::npos) {
            const auto format = ChartFileFormatOf(path.substr(0, last));
            const std::string word = path.substr(last + 1);
            if (format && format != ChartFileFormat::Png) {
                refusal_ = "cvcalc-driver: only a .png takes a scale: " + rest;
                return false;
            }
            if (format) {
                if (word != "1" && word != "2" && word != "4") {
                    refusal_ = "cvcalc-driver: a PNG's scale is 1, 2 or 4, not " + word;
                    return false;
                }
                scale = word[0] - '0';
                path.resize(last);
            }
        }
        if (!ChartFileFormatOf(path)) {
            refusal_ = "cvcalc-driver: unknown file type (not .png, .svg, .pdf or .csv): " + path;
            return false;
        }
        TChart* chart = FindAs<TChart>(name);
        if (chart == nullptr || FormPNJunction == nullptr) return true;
        Settle();
        Operate([&] { FormPNJunction->SaveChartFile(chart, path, scale); });
        return true;
    }

    // report PATH: the run report as .html or .pdf.
    bool Report(const std::string& path) {
        if (!ReportFileFormatOf(path)) {
            refusal_ = "cvcalc-driver: unknown file type (not .html or .pdf): " + path;
            return false;
        }
        if (FormPNJunction == nullptr) return true;
        Settle();
        Operate([&] { FormPNJunction->SaveRunReport(path); });
        return true;
    }

    bool Snapshot(const std::string& rest) {
        const auto words = Words(rest);
        if (words.size() != 2) return false;
        if (TForm* form = FindAs<TForm>(words[0])) {
            Settle();
            TBitmap bitmap(form->ClientWidth(), form->ClientHeight());
            form->PaintTo(bitmap.Canvas(), 0, 0);
            if (!bitmap.Offscreen().SavePng(words[1]))
                std::fprintf(stderr, "cvcalc-driver: cannot write %s\n", words[1].c_str());
        }
        return true;
    }

    Output output_;
    TApplication application_;
    Json errors_ = Json::array();
    // The items of the last menu opened, null before the first.
    Json menu_ = nullptr;
    std::string refusal_;
    bool paintOnlyWhenLookedAt_ = false;
};

DriverSession::DriverSession(Output output) : impl_(std::make_unique<Impl>(std::move(output))) {}
DriverSession::~DriverSession() = default;
void DriverSession::Start() { impl_->Start(); }
bool DriverSession::Run(const std::string& line) { return impl_->Run(line); }
void DriverSession::PaintOnlyWhenLookedAt() { impl_->PaintOnlyWhenLookedAt(); }
void DriverSession::ForgetErrors() { impl_->ForgetErrors(); }
const std::string& DriverSession::Refusal() const { return impl_->Refusal(); }

}  // namespace cvcalc
