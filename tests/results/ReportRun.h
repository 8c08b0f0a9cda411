// A calculation for the report tests: the calculator window run with four
// typed texts (its charts drawn from that run), and the run record the
// physics gives for the same inputs, clamped as the window clamps them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/ProgramWindows.h"
#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "numtext/FloatFormat.h"
#include "physics/Junction.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/MessageBox.h"
#include "results/RunRecord.h"
#include "results/RunReport.h"
#include "shell/app/Application.h"

namespace cvcalc {

struct ReportInputs {
    const char* typed[4];  // donor, acceptor, area, bias as typed
    double used[4];        // what the window accepts for them
};

class ReportRunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ComponentModelInitialize());
        SetMessageBoxObserver([this](const MessageBoxRecord& box) { boxes_.push_back(box.text); });
        application_ = std::make_unique<TApplication>();
        CreateProgramWindows(*application_);
        ASSERT_NE(FormPNJunction, nullptr);
    }
    void TearDown() override {
        application_.reset();
        SetMessageBoxObserver({});
        ComponentModelShutdown();
    }

    // Runs the window with the typed texts and answers the record of the run.
    RunRecord Run(const ReportInputs& in) {
        TFormPNJunction& f = *FormPNJunction;
        TEdit* edits[4] = {f.EditDonorDensity, f.EditAcceptorDensity, f.EditJunctionArea, f.EditBias};
        for (int i = 0; i < 4; ++i) edits[i]->SetText(in.typed[i]);
        f.ButtonCalcuationCV->Click();
        EXPECT_TRUE(boxes_.empty());

        RunRecord run;
        for (int i = 0; i < 4; ++i) run.typed[i] = in.typed[i];
        run.used = JunctionInputs{in.used[0], in.used[1], in.used[2], in.used[3]};
        JunctionResult result;
        SolveJunction(run.constants, run.used, result);
        run.usedText = {f.LabelDonorDensity->Caption(), f.LabelAcceptorDensity->Caption(),
                        f.LabelJunctionArea->Caption(), f.LabelBias->Caption()};
        run.diffusionPotentialText = f.LabelDiffusionPotential->Caption();
        RecordJunctionNumbers(run, result, ComputeMaximumBias(result.DiffusionPotential));
        return run;
    }

    // The five charts in the report's order.
    std::vector<TCustomChart*> Charts() const {
        const TFormPNJunction& f = *FormPNJunction;
        return {f.ChartEnergyBand, f.ChartChargeDensity, f.ChartVoltage, f.ChartCV, f.ChartC2V};
    }

    std::unique_ptr<TApplication> application_;
    std::vector<std::string> boxes_;
};

}  // namespace cvcalc
