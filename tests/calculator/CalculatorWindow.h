// The calculator window on the offscreen platform for the tests of what
// goes beyond its calculation: its context menus answered by a stand-in
// user, error boxes recorded, a scratch folder for files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/ProgramWindows.h"
#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/InputInjection.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/MessageLoop.h"
#include "platform/gui/UserChoice.h"
#include "shell/app/Application.h"

namespace cvcalc {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The box a failed save shows.
inline std::string SaveFailure(const std::string& path, const std::string& reason) {
    std::string text = "'";
    text.append(path).append("' を保存できません: ").append(reason).append(".");
    return text;
}

class CalculatorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ComponentModelInitialize());
        SetMessageBoxObserver([this](const MessageBoxRecord& box) { boxes_.push_back(box); });
        SetPopupMenuResponder([this](const PopupMenuRequest& request) {
            menus_.push_back(request);
            return choice_;
        });
        SetFileDialogResponder([this](const FileDialogRequest& request) {
            dialogs_.push_back(request);
            return answer_;
        });
        application_ = std::make_unique<TApplication>();
        CreateProgramWindows(*application_);
        f_ = FormPNJunction;
        ASSERT_NE(f_, nullptr);
        f_->Show();
        Settle();
        dir_ = fs::temp_directory_path() / ("cvcalc-window-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        application_.reset();
        SetPopupMenuResponder({});
        SetFileDialogResponder({});
        SetMessageBoxObserver({});
        ComponentModelShutdown();
        fs::remove_all(dir_);
    }
    // Every posted message and pending paint, as the loop would.
    void Settle() {
        for (int i = 0; i < 1000 && application_->ProcessOneMessage(); ++i) {
        }
        ProcessPendingPaints();
        for (TChart* chart : f_->ReportCharts()) chart->PaintToBitmap();
    }
    // An operation as a menu item runs it: what it raises goes to the
    // application's error display.
    template <typename F>
    void Do(F operation) {
        try {
            operation();
        } catch (...) {
            application_->ReportError(nullptr, std::current_exception());
        }
        Settle();
    }
    void Run(const char* nd, const char* na, const char* area, const char* bias) {
        f_->EditDonorDensity->SetText(nd);
        f_->EditAcceptorDensity->SetText(na);
        f_->EditJunctionArea->SetText(area);
        f_->EditBias->SetText(bias);
        f_->ButtonCalcuationCV->Click();
        Settle();
    }
    // The menu chosen as a user would: a still right-click on the chart's
    // plot, the item `choice`, the dialog answering `answer`.
    void Choose(TChart* chart, int choice, std::optional<std::string> answer = std::nullopt) {
        choice_ = choice;
        answer_ = std::move(answer);
        const TChartRect& plot = chart->PlotRect();
        InjectClick(chart->Handle(), (plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2, MouseButton::Right);
        Settle();
    }
    std::vector<fs::path> FilesInDir() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(dir_)) files.push_back(entry.path());
        return files;
    }

    std::unique_ptr<TApplication> application_;
    TFormPNJunction* f_ = nullptr;
    std::vector<MessageBoxRecord> boxes_;
    std::vector<PopupMenuRequest> menus_;
    std::vector<FileDialogRequest> dialogs_;
    int choice_ = -1;
    std::optional<std::string> answer_;
    fs::path dir_;
};

}  // namespace cvcalc
