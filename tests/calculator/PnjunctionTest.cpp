// The calculator window on the offscreen platform: start-up state, the run
// at the defaults, clamping, failures through the application's error
// display, Reset, the laboratory button and the series set-up.
#include <gtest/gtest.h>

#include <cmath>
#include <exception>
#include <string>
#include <vector>

#include "app/ProgramWindows.h"
#include "calculator/Pnjunction.h"
#include "chart/ChartAxis.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "framework/ApplicationErrors.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "help/Html.h"
#include "numtext/FloatFormat.h"
#include "physics/Junction.h"
#include "platform/core/Resources.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/MessageBox.h"
#include "shell/app/Application.h"
#include "shell/core/NameSpace.h"

namespace cvcalc {
namespace {

class PnjunctionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ComponentModelInitialize());
        SetMessageBoxObserver([this](const MessageBoxRecord& box) { boxes_.push_back(box); });
        application_ = std::make_unique<TApplication>();
        CreateProgramWindows(*application_);
        f_ = FormPNJunction;
        ASSERT_NE(f_, nullptr);
    }
    void TearDown() override {
        application_.reset();
        SetMessageBoxObserver({});
        ComponentModelShutdown();
    }
    // A click as the window's message handling delivers it: what escapes
    // the handler goes to the application's error display.
    void Press(TButton* button) {
        try {
            button->Click();
        } catch (...) {
            HandleApplicationError(button, std::current_exception());
        }
    }
    void Inputs(const char* nd, const char* na, const char* area, const char* bias) {
        f_->EditDonorDensity->SetText(nd);
        f_->EditAcceptorDensity->SetText(na);
        f_->EditJunctionArea->SetText(area);
        f_->EditBias->SetText(bias);
    }
    std::vector<TChartSeries*> AllSeries() const {
        std::vector<TChartSeries*> all;
        for (const TRunSeries& row : RunSeries) all.push_back((f_->*row.Chart)->SeriesAt(row.Index));
        return all;
    }
    std::vector<int> Counts() const {
        std::vector<int> counts;
        for (TChartSeries* s : AllSeries()) counts.push_back(s->PointCount());
        return counts;
    }

    // The default inputs, zero labels and empty charts.
    void ExpectStartUpState() const {
        EXPECT_EQ(f_->EditDonorDensity->Text(), "1E15");
        EXPECT_EQ(f_->EditAcceptorDensity->Text(), "1E15");
        EXPECT_EQ(f_->EditJunctionArea->Text(), "1");
        EXPECT_EQ(f_->EditBias->Text(), "-10");
        for (TLabel* l : {f_->LabelDiffusionPotential, f_->LabelDonorDensity, f_->LabelAcceptorDensity,
                          f_->LabelJunctionArea, f_->LabelBias})
            EXPECT_EQ(l->Caption(), "0") << l->Name();
        EXPECT_EQ(Counts(), std::vector<int>(11, 0));
    }

    std::unique_ptr<TApplication> application_;
    TFormPNJunction* f_ = nullptr;
    std::vector<MessageBoxRecord> boxes_;
};

TEST_F(PnjunctionTest, StartsWithDefaultInputsZeroResultsAndEmptyCharts) {
    EXPECT_EQ(application_->MainWindow(), f_);
    EXPECT_EQ(f_->Caption(), "pn接合ダイオードの容量ー電圧特性");
    ExpectStartUpState();
    EXPECT_EQ(f_->ButtonCalcuationCV->Caption(), "計算");
    EXPECT_EQ(f_->ButtonReset->Caption(), "リセット");
    EXPECT_EQ(f_->ButtonHTML->Caption(), "ミナモ大学　工学部　電気電子工学科　ケストレル研究室");
    EXPECT_TRUE(f_->Result().SweepVoltages.Empty());
    EXPECT_TRUE(f_->Result().Positions.Empty());
}

// The resources hold the program's icon; both windows show it, not the
// platform's blank one.
TEST_F(PnjunctionTest, BothWindowsCarryTheProgramIcon) {
    ASSERT_TRUE(FindResource(RT_GROUP_ICON, "MAINICON").has_value());
    ASSERT_NE(FormHTML, nullptr);
    for (TForm* form : {static_cast<TForm*>(f_), static_cast<TForm*>(FormHTML)}) {
        SCOPED_TRACE(form->Name());
        EXPECT_TRUE(form->Handle().HasIcon());
    }
}

TEST_F(PnjunctionTest, PublishedMembersAndSeriesPositionsReachTheSameSeries) {
    // The published members, in the order of the run's table.
    const TChartSeries* members[] = {f_->Series1, f_->Series12, f_->Series2, f_->Series11, f_->Series3, f_->Series4,
                                     f_->Series5, f_->Series6,  f_->Series7, f_->Series8,  f_->Series9};
    for (std::size_t i = 0; i < RunSeries.size(); ++i) {
        const TRunSeries& row = RunSeries[i];
        TChartSeries* series = (f_->*row.Chart)->SeriesAt(row.Index);
        ASSERT_NE(members[i], nullptr) << row.Name;
        EXPECT_EQ(series, members[i]) << row.Name;
        EXPECT_EQ(series->Name(), row.Name);
        EXPECT_EQ(f_->FindComponent(row.Name), series) << row.Name;
    }
    // After a run each series holds exactly the list the table gives it.
    Press(f_->ButtonCalcuationCV);
    for (const TRunSeries& row : RunSeries) {
        const TChartSeries* series = (f_->*row.Chart)->SeriesAt(row.Index);
        const PlotPoints& list = f_->Result().*row.Points;
        ASSERT_EQ(series->PointCount(), static_cast<int>(list.size())) << row.Name;
        for (std::size_t p = 0; p < list.size(); ++p) {
            EXPECT_EQ(series->XValues()->Value(static_cast<int>(p)), list[p].X) << row.Name;
            EXPECT_EQ(series->YValues()->Value(static_cast<int>(p)), list[p].Y) << row.Name;
        }
    }
    EXPECT_EQ(f_->ChartCV->NumSeries(), 2);
    EXPECT_EQ(f_->ChartC2V->NumSeries(), 2);
    EXPECT_EQ(f_->ChartEnergyBand->NumSeries(), 4);
    EXPECT_EQ(f_->ChartChargeDensity->NumSeries(), 2);
    EXPECT_EQ(f_->ChartVoltage->NumSeries(), 1);
}

TEST_F(PnjunctionTest, SeriesColoursAutomaticRedOrAsStored) {
    const struct {
        TChartSeries* series;
        TColor color;
        bool stored;
    } table[] = {
        {f_->Series1, clRed, false},    {f_->Series11, clRed, false}, {f_->Series3, clRed, false},
        {f_->Series7, clRed, false},    {f_->Series9, clRed, false},  {f_->Series12, clBlue, true},
        {f_->Series2, clBlue, true},    {f_->Series4, clBlue, true},  {f_->Series5, clFuchsia, true},
        {f_->Series6, clFuchsia, true}, {f_->Series8, clBlue, true},
    };
    for (const auto& row : table) {
        EXPECT_EQ(row.series->SeriesColor(), row.color) << row.series->Name();
        EXPECT_EQ(row.series->StoredSeriesColor() != clAutoColor, row.stored) << row.series->Name();
    }
}

TEST_F(PnjunctionTest, DefaultsGiveTheWorkedExample) {
    Press(f_->ButtonCalcuationCV);
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    EXPECT_EQ(f_->LabelDonorDensity->Caption(), "1E15");
    EXPECT_EQ(f_->LabelAcceptorDensity->Caption(), "1E15");
    EXPECT_EQ(f_->LabelJunctionArea->Caption(), "1");
    EXPECT_EQ(f_->LabelBias->Caption(), "-10");
    const double vbi = ComputeDiffusionPotential(MaterialConstants{}, 1e15, 1e15);
    EXPECT_NEAR(vbi, 0.5915, 5e-4);
    EXPECT_EQ(f_->LabelDiffusionPotential->Caption(), FloatToGeneralText(vbi));
    EXPECT_EQ(f_->Series1->PointCount(), 106);
    EXPECT_EQ(f_->Series2->PointCount(), 106);
    EXPECT_DOUBLE_EQ(f_->Series1->XValues()->Value(0), -10);
    EXPECT_NEAR(f_->Series1->XValues()->Value(105), 0.5, 1e-12);
    ASSERT_EQ(f_->Series12->PointCount(), 1);
    ASSERT_EQ(f_->Series11->PointCount(), 1);
    EXPECT_DOUBLE_EQ(f_->Series12->XValues()->Value(0), -10);
    EXPECT_NEAR(f_->Series12->YValues()->Value(0), 19.96, 0.01);
    EXPECT_NEAR(f_->Series11->YValues()->Value(0), 2510, 2.5);
    for (TChartSeries* s : {f_->Series3, f_->Series4, f_->Series9}) EXPECT_EQ(s->PointCount(), 2000) << s->Name();
    EXPECT_EQ(f_->Series5->PointCount(), 2);
    EXPECT_EQ(f_->Series6->PointCount(), 2);
    for (TChartSeries* s : {f_->Series7, f_->Series8}) {
        const int n = s->PointCount();
        EXPECT_TRUE(n == 3 || n == 5) << s->Name() << " " << n;
    }
    // The points are the result's lists, one to one.
    const JunctionResult& r = f_->Result();
    EXPECT_EQ(f_->Series9->YValues()->Value(1234), r.PotentialCurve[1234].Y);
    EXPECT_EQ(f_->Series4->XValues()->Value(7), r.ValenceBandCurve[7].X);
    EXPECT_EQ(r.SweepVoltages.Size(), 106u);
    // A second press on the unchanged boxes gives the same charts.
    const std::vector<int> first = Counts();
    const double marker = f_->Series12->YValues()->Value(0);
    Press(f_->ButtonCalcuationCV);
    EXPECT_EQ(Counts(), first);
    EXPECT_EQ(f_->Series12->YValues()->Value(0), marker);
}

TEST_F(PnjunctionTest, InputsAreClampedAndEchoed) {
    const struct {
        const char *nd, *area, *bias;
        const char *ndText, *areaText, *biasText;
        double nd_, area_, bias_;
    } table[] = {
        {"5e13", "1", "-10", "1E14", "1", "-10", 1e14, 1, -10},
        {"1e14", "1", "-10", "1E14", "1", "-10", 1e14, 1, -10},
        {"1.0E14", "1", "-10", "1E14", "1", "-10", 1e14, 1, -10},
        {"9.99e14", "1", "-10", "9.99E14", "1", "-10", 9.99e14, 1, -10},
        {"3.7e14", "1", "-10", "3.7E14", "1", "-10", 3.7e14, 1, -10},
        {"1e15", "1", "-10", "1E15", "1", "-10", 1e15, 1, -10},
        {"2.5e16", "1", "-10", "2.5E16", "1", "-10", 2.5e16, 1, -10},
        {"2.5e19", "1", "-10", "1E18", "1", "-10", 1e18, 1, -10},
        {"-3", "1", "-10", "1E14", "1", "-10", 1e14, 1, -10},
        {"0", "1", "-10", "1E14", "1", "-10", 1e14, 1, -10},
        {"1e15", "0.01", "-10", "1E15", "0.1", "-10", 1e15, 0.1, -10},
        {"1e15", "500", "-10", "1E15", "100", "-10", 1e15, 100, -10},
        {"1e15", "0.1", "-10", "1E15", "0.1", "-10", 1e15, 0.1, -10},
        {"1e15", "100", "-10", "1E15", "100", "-10", 1e15, 100, -10},
        {"1e15", "1", "5", "1E15", "1", "0.5", 1e15, 1, 0.5},
        {"1e15", "1", "-25", "1E15", "1", "-10", 1e15, 1, -10},
        {"1e15", "1", "0.5", "1E15", "1", "0.5", 1e15, 1, 0.5},
    };
    for (const auto& row : table) {
        Inputs(row.nd, "1e15", row.area, row.bias);
        Press(f_->ButtonCalcuationCV);
        ASSERT_TRUE(boxes_.empty()) << row.nd << " " << boxes_[0].text;
        EXPECT_EQ(f_->EditDonorDensity->Text(), row.ndText) << row.nd;
        EXPECT_EQ(f_->LabelDonorDensity->Caption(), row.ndText) << row.nd;
        EXPECT_EQ(f_->EditJunctionArea->Text(), row.areaText) << row.area;
        EXPECT_EQ(f_->LabelJunctionArea->Caption(), row.areaText) << row.area;
        EXPECT_EQ(f_->EditBias->Text(), row.biasText) << row.bias;
        EXPECT_EQ(f_->LabelBias->Caption(), row.biasText) << row.bias;
        EXPECT_EQ(f_->Inputs().DonorDensity, row.nd_) << row.nd;
        EXPECT_EQ(f_->Inputs().JunctionArea, row.area_) << row.area;
        EXPECT_NEAR(f_->Inputs().Bias, row.bias_, 1e-12) << row.bias;
        // The echoed text computes the same on the next press.
        Press(f_->ButtonCalcuationCV);
        EXPECT_EQ(f_->Inputs().DonorDensity, row.nd_) << row.nd;
        EXPECT_EQ(f_->EditDonorDensity->Text(), row.ndText) << row.nd;
    }
    // Three hundred digits are a number near 1e300, clamped like any other.
    const std::string digits(300, '9');
    Inputs(digits.c_str(), "1e15", "1", "-10");
    Press(f_->ButtonCalcuationCV);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(f_->LabelDonorDensity->Caption(), "1E18");
    // The acceptor box follows the same rules.
    Inputs("1e15", "4e14", "1", "-10");
    Press(f_->ButtonCalcuationCV);
    EXPECT_EQ(f_->LabelAcceptorDensity->Caption(), "4E14");
    EXPECT_EQ(f_->Inputs().AcceptorDensity, 4e14);
}

TEST_F(PnjunctionTest, FailuresShowOneBoxAndKeepWhatWasDoneBefore) {
    Press(f_->ButtonCalcuationCV);
    const std::vector<int> before = Counts();
    const std::string invalid = " は浮動小数点数ではありません.";
    const struct {
        const char *nd, *na, *area, *bias;
        std::string message;
        int stage;  // inputs already echoed: 0 none, 1 donor, 2 acceptor, 3 area and Vbi
    } table[] = {
        {"2e15", "3e15", "2", "", "''" + invalid, 3},
        {"2e15", "3e15", "2", "abc", "'abc'" + invalid, 3},
        {"２e15", "3e15", "2", "-10", "'２e15'" + invalid, 0},
        {"2e15", "1,5", "2", "-10", "'1,5'" + invalid, 1},
        {"2e15", "3e15", "1e400", "-10", "浮動小数点数のオーバーフロー.", 2},
        {"1e5000", "3e15", "2", "-10", "'1e5000'" + invalid, 0},
    };
    for (const auto& row : table) {
        f_->LabelDonorDensity->SetCaption("0");
        f_->LabelAcceptorDensity->SetCaption("0");
        f_->LabelJunctionArea->SetCaption("0");
        f_->LabelDiffusionPotential->SetCaption("0");
        boxes_.clear();
        Inputs(row.nd, row.na, row.area, row.bias);
        Press(f_->ButtonCalcuationCV);
        ASSERT_EQ(boxes_.size(), 1u) << row.nd << row.na << row.area << row.bias;
        EXPECT_EQ(boxes_[0].text, row.message);
        EXPECT_EQ(boxes_[0].caption, application_->Title());
        EXPECT_EQ(f_->LabelDonorDensity->Caption(), row.stage >= 1 ? "2E15" : "0") << row.message;
        EXPECT_EQ(f_->LabelAcceptorDensity->Caption(), row.stage >= 2 ? "3E15" : "0") << row.message;
        EXPECT_EQ(f_->LabelJunctionArea->Caption(), row.stage >= 3 ? "2" : "0") << row.message;
        EXPECT_EQ(f_->LabelDiffusionPotential->Caption() != "0", row.stage >= 3) << row.message;
        EXPECT_EQ(Counts(), before) << row.message;
    }
}

TEST_F(PnjunctionTest, ResetRestoresTheStartUpState) {
    Inputs("3e16", "2e17", "5", "0.3");
    Press(f_->ButtonCalcuationCV);
    ASSERT_GT(f_->Series9->PointCount(), 0);
    const std::size_t samples = f_->Result().Positions.Size();
    f_->EditBias->SetText("typed");
    Press(f_->ButtonReset);
    ExpectStartUpState();
    EXPECT_EQ(f_->Result().Positions.Size(), samples);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(PnjunctionTest, FixedAxisRangesStayBeforeAndAfterARun) {
    const struct {
        TChart* chart;
        double bottomMin, bottomMax, leftMin, leftMax;
    } table[] = {
        {f_->ChartEnergyBand, -10, 11, -2, 11},
        {f_->ChartVoltage, -10, 10, -11, 1},
        {f_->ChartChargeDensity, -10, 10, NAN, NAN},
        {f_->ChartCV, -11, 2, 0, NAN},
        {f_->ChartC2V, -11, 2, 0, NAN},
    };
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& row : table) {
            EXPECT_EQ(row.chart->BottomAxis()->Minimum(), row.bottomMin) << row.chart->Name() << pass;
            EXPECT_EQ(row.chart->BottomAxis()->Maximum(), row.bottomMax) << row.chart->Name() << pass;
            if (!std::isnan(row.leftMin)) {
                EXPECT_EQ(row.chart->LeftAxis()->Minimum(), row.leftMin) << row.chart->Name();
            }
            if (!std::isnan(row.leftMax)) {
                EXPECT_EQ(row.chart->LeftAxis()->Maximum(), row.leftMax) << row.chart->Name();
            }
        }
        EXPECT_FALSE(f_->ChartCV->LeftAxis()->AutomaticMinimum());
        EXPECT_TRUE(f_->ChartCV->LeftAxis()->AutomaticMaximum());
        EXPECT_TRUE(f_->ChartChargeDensity->LeftAxis()->AutomaticMinimum());
        Press(f_->ButtonCalcuationCV);
    }
}

TEST_F(PnjunctionTest, LaboratoryButtonShowsTheHelpWindow) {
    ASSERT_NE(FormHTML, nullptr);
    EXPECT_FALSE(FormHTML->Visible());
    Press(f_->ButtonHTML);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_TRUE(FormHTML->Visible());
}

TEST_F(PnjunctionTest, WindowsCreatedThroughTheApplicationAreGlobalAndASecondHelpWindowIsRenamed) {
    EXPECT_EQ(FindGlobalComponent("FormPNJunction"), FormPNJunction);
    EXPECT_EQ(FindGlobalComponent("formhtml"), FormHTML);
    // A second help window read from the same description while the first
    // lives takes the next free name.
    TFormHTML* second = nullptr;
    application_->CreateAppWindow(second);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Name(), "FormHTML_1");
    EXPECT_EQ(FormHTML->Name(), "FormHTML");
    EXPECT_EQ(FindGlobalComponent("FormHTML_1"), second);
    // Destroyed windows leave the lookup.
    application_->Finish();
    EXPECT_EQ(FindGlobalComponent("FormPNJunction"), nullptr);
    EXPECT_EQ(FindGlobalComponent("FormHTML"), nullptr);
    EXPECT_EQ(FindGlobalComponent("FormHTML_1"), nullptr);
}

}  // namespace
}  // namespace cvcalc
