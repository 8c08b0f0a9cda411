// cvcalc-driver: the program's two windows built exactly as the program
// builds them, on the offscreen platform, worked by commands read from
// standard input one a line (README: "The scripted driver").  Error boxes
// are recorded instead of shown and appear in the dump.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/Pnjunction.h"
#include "app/ProgramWindows.h"
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
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/InputInjection.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/MessageLoop.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/WebBrowser.h"
#include "shell/app/Application.h"

namespace cvcalc {
namespace {

// ---- a small JSON writer: keys in the order given, doubles with 17 digits

void AppendString(std::string& out, std::string_view text) {
    out += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    out += '"';
}

// `"key":` after a comma unless it is the object's first member.
void AppendKey(std::string& out, bool& first, std::string_view key) {
    if (!first) out += ',';
    first = false;
    AppendString(out, key);
    out += ':';
}

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    // Numbers are data, not user text: the same digits under every locale.
    char buf[40];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
    out.append(buf, result.ptr);
}

struct Recorded {
    std::string text, caption;
};

class Driver {
public:
    Driver() {
        SetMessageBoxObserver([this](const MessageBoxRecord& box) { errors_.push_back({box.text, box.caption}); });
        application_.SetStartHook([] { return ComponentModelInitialize(); }, [] { ComponentModelShutdown(); });
    }
    ~Driver() {
        application_.Finish();
        SetMessageBoxObserver({});
    }

    // The entry point's steps, up to (not into) the message loop; the main
    // window is shown as the loop would show it.
    void Start() {
        RunGuarded(application_, [&] {
            application_.RunStartHook();
            CreateProgramWindows(application_);
            if (FormPNJunction != nullptr) FormPNJunction->Show();
        });
        Settle();
    }

    // Answers false for a command it does not know.
    bool Run(const std::string& line) {
        const auto space = line.find(' ');
        const std::string command = line.substr(0, space);
        const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (command.empty()) return true;
        if (command == "set") return Set(rest);
        if (command == "click") return Click(rest);
        if (command == "key") return Key(rest);
        if (command == "drag") return Drag(rest);
        if (command == "wheel") return Wheel(rest);
        if (command == "dump") return Dump();
        if (command == "snapshot") return Snapshot(rest);
        return false;
    }

private:
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
        for (TForm* form : {static_cast<TForm*>(FormPNJunction), static_cast<TForm*>(FormHTML)}) {
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
        if (TWinControl* control = FindAs<TWinControl>(words[0])) {
            control->SetFocus();
            Settle();
            const std::string& key = words[1];
            if (key == "Return")
                InjectKey(vk::Return);
            else if (key == "space")
                InjectKey(vk::Space);
            else if (key == "Tab")
                InjectKey(vk::Tab);
            else if (key.size() == 1)
                InjectText(key);
            else
                return false;
        }
        Settle();
        return true;
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

    void AppendAxis(std::string& out, TChartAxis& axis) {
        out += "{\"min\":";
        AppendNumber(out, axis.WorkingMinimum());
        out += ",\"max\":";
        AppendNumber(out, axis.WorkingMaximum());
        out += ",\"labels\":[";
        bool first = true;
        for (const TAxisLabel& label : axis.LastLabels()) {
            if (!first) out += ',';
            first = false;
            AppendString(out, label.text);
        }
        out += "]}";
    }

    void AppendChart(std::string& out, TChart& chart) {
        out += "{\"axes\":{\"bottom\":";
        AppendAxis(out, *chart.BottomAxis());
        out += ",\"left\":";
        AppendAxis(out, *chart.LeftAxis());
        out += "},\"series\":[";
        for (int i = 0; i < chart.NumSeries(); ++i) {
            TChartSeries& series = *chart.SeriesAt(i);
            if (i > 0) out += ',';
            out += "{\"name\":";
            AppendString(out, series.Name());
            out += ",\"points\":[";
            for (int p = 0; p < series.PointCount(); ++p) {
                if (p > 0) out += ',';
                out += '[';
                AppendNumber(out, series.XValues()->Value(p));
                out += ',';
                AppendNumber(out, series.YValues()->Value(p));
                out += ']';
            }
            out += "]}";
        }
        out += "]}";
    }

    bool Dump() {
        Settle();
        std::string out = "{\"edits\":{";
        std::string labels = "\"labels\":{", charts = "\"charts\":{";
        bool firstEdit = true, firstLabel = true, firstChart = true;
        if (FormPNJunction != nullptr) {
            for (int i = 0; i < FormPNJunction->ComponentCount(); ++i) {
                TComponent* c = FormPNJunction->Components(i);
                if (c->InheritsFrom(TEdit::StaticClassInfo())) {
                    AppendKey(out, firstEdit, c->Name());
                    AppendString(out, static_cast<TEdit*>(c)->Text());
                } else if (c->InheritsFrom(TLabel::StaticClassInfo())) {
                    AppendKey(labels, firstLabel, c->Name());
                    AppendString(labels, static_cast<TLabel*>(c)->Caption());
                } else if (c->InheritsFrom(TChart::StaticClassInfo())) {
                    AppendKey(charts, firstChart, c->Name());
                    AppendChart(charts, *static_cast<TChart*>(c));
                }
            }
        }
        out += "}," + labels + "}," + charts + "},\"errors\":[";
        for (std::size_t i = 0; i < errors_.size(); ++i) {
            if (i > 0) out += ',';
            out += "{\"text\":";
            AppendString(out, errors_[i].text);
            out += ",\"caption\":";
            AppendString(out, errors_[i].caption);
            out += '}';
        }
        out += "],\"help\":{\"visible\":";
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
        out += visible ? "true" : "false";
        out += ",\"url\":";
        AppendString(out, url);
        out += "}}\n";
        std::fwrite(out.data(), 1, out.size(), stdout);
        std::fflush(stdout);
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

    TApplication application_;
    std::vector<Recorded> errors_;
};

}  // namespace
}  // namespace cvcalc

int main() {
    // The driver always works off screen, whatever display there is.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    cvcalc::InitPlatform();
    int status = 0;
    {
        cvcalc::Driver driver;
        driver.Start();
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!driver.Run(line)) {
                std::fprintf(stderr, "cvcalc-driver: unknown command or bad arguments: %s\n", line.c_str());
                status = 2;
                break;
            }
        }
    }
    return status;
}
