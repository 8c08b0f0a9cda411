// The calculator from the keyboard alone (the charts' menu, choosing a
// chart, its keys, the tab order around it) and what assistive technology
// is told of its controls.
#include <initializer_list>
#include <string>
#include <utility>

#include "CalculatorWindow.h"
#include "chart/ChartAxis.h"
#include "framework/Bitmap.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/OffscreenBitmap.h"

namespace cvcalc {
namespace {

using KeyboardTest = CalculatorWindowTest;

// The window's focused control, as the framework sees it.
TWinControl* Focused(TFormPNJunction& f) {
    for (TWinControl* c :
         std::initializer_list<TWinControl*>{f.EditDonorDensity, f.EditAcceptorDensity, f.EditJunctionArea, f.EditBias,
                                             f.ButtonCalcuationCV, f.ButtonReset, f.ButtonHTML, f.ChartEnergyBand,
                                             f.ChartChargeDensity, f.ChartVoltage, f.ChartCV, f.ChartC2V})
        if (c->Focused()) return c;
    return nullptr;
}

TEST_F(KeyboardTest, MenuKeyAndShiftF10OpenTheCvChartsMenuAtItsCentreFromAnEdit) {
    f_->EditBias->SetFocus();
    for (const auto& [key, shift] : {std::pair{vk::Apps, ShiftState(0)}, std::pair{vk::F10, shift::Shift}}) {
        menus_.clear();
        ASSERT_TRUE(InjectKey(key, shift));
        Settle();
        ASSERT_EQ(menus_.size(), 1u);
        EXPECT_EQ(menus_[0].window, &f_->ChartCV->Handle());
        EXPECT_EQ(menus_[0].x, f_->ChartCV->ClientWidth() / 2);
        EXPECT_EQ(menus_[0].y, f_->ChartCV->ClientHeight() / 2);
        // The menu the mouse opens on that chart: with measured data items,
        // the doping profile, the grading exponent and the language.
        EXPECT_EQ(menus_[0].items.size(), 13u);
        EXPECT_TRUE(f_->EditBias->Focused());
    }
    // F10 alone is not the menu.
    menus_.clear();
    InjectKey(vk::F10);
    Settle();
    EXPECT_TRUE(menus_.empty());
}

TEST_F(KeyboardTest, CtrlDigitsChooseTheChartsInTheReportsOrderAndTheMenuKeyFollows) {
    const auto charts = f_->ReportCharts();
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        menus_.clear();
        ASSERT_TRUE(InjectKey('1' + i, shift::Ctrl));
        Settle();
        EXPECT_EQ(Focused(*f_), charts[static_cast<std::size_t>(i)]);
        EXPECT_EQ(f_->LastUsedChart(), charts[static_cast<std::size_t>(i)]);
        InjectKey(vk::Apps);
        Settle();
        ASSERT_EQ(menus_.size(), 1u);
        EXPECT_EQ(menus_[0].window, &charts[static_cast<std::size_t>(i)]->Handle());
    }
    // Ctrl+6 chooses nothing.
    InjectKey('6', shift::Ctrl);
    Settle();
    EXPECT_EQ(Focused(*f_), charts[4]);
}

TEST_F(KeyboardTest, AChartClickedOrWheeledIsTheOneTheMenuKeyOpensAndTheFocusStaysPut) {
    f_->EditDonorDensity->SetFocus();
    InjectClick(f_->ChartVoltage->Handle(), 100, 100);
    Settle();
    EXPECT_EQ(f_->LastUsedChart(), f_->ChartVoltage);
    EXPECT_TRUE(f_->EditDonorDensity->Focused());
    InjectWheel(f_->ChartC2V->Handle(), 100, 100, -120);
    Settle();
    EXPECT_EQ(f_->LastUsedChart(), f_->ChartC2V);
    InjectKey(vk::Apps);
    Settle();
    ASSERT_EQ(menus_.size(), 1u);
    EXPECT_EQ(menus_[0].window, &f_->ChartC2V->Handle());
}

TEST_F(KeyboardTest, TabFromAChosenChartGoesOnFromWhereTheFocusWas) {
    f_->EditAcceptorDensity->SetFocus();
    InjectKey('3', shift::Ctrl);
    Settle();
    ASSERT_TRUE(f_->ChartVoltage->Focused());
    InjectKey(vk::Tab);
    Settle();
    // The tab order of the form: acceptor density, then 計算.
    EXPECT_TRUE(f_->ButtonCalcuationCV->Focused());
    InjectKey('3', shift::Ctrl);
    Settle();
    InjectKey(vk::Tab, shift::Shift);
    Settle();
    EXPECT_TRUE(f_->ButtonCalcuationCV->Focused());
    // The charts stay out of the tab order.
    for (int i = 0; i < 12; ++i) {
        InjectKey(vk::Tab);
        Settle();
        EXPECT_EQ(dynamic_cast<TChart*>(Focused(*f_)), nullptr);
    }
}

TEST_F(KeyboardTest, KeysTypedIntoAnEditStayInTheEditAndMoveNoChart) {
    Run("1e15", "1e18", "1", "-3");
    const double min = f_->ChartCV->BottomAxis()->Minimum();
    f_->EditBias->SetFocus();
    f_->EditBias->SetText("5");
    InjectKey(vk::End);
    InjectKey(vk::OemMinus);
    InjectKey(vk::OemPlus, shift::Shift);
    EXPECT_EQ(f_->EditBias->Text(), "5-+");
    InjectKey(vk::Back);
    InjectKey(vk::Left);
    InjectKey(vk::Left);
    InjectKey(vk::OemMinus);
    Settle();
    EXPECT_EQ(f_->EditBias->Text(), "-5-");
    EXPECT_EQ(f_->ChartCV->BottomAxis()->Minimum(), min);
    EXPECT_FALSE(f_->ChartCV->Zoomed());
}

TEST_F(KeyboardTest, AChosenChartZoomsPansAndUndoesAsItsMenuDoes) {
    Run("1e15", "1e18", "1", "-3");
    TChart* cv = f_->ChartCV;
    const double min = cv->BottomAxis()->Minimum(), max = cv->BottomAxis()->Maximum();
    InjectKey('4', shift::Ctrl);
    InjectKey(vk::OemPlus);
    Settle();
    EXPECT_TRUE(cv->Zoomed());
    EXPECT_GT(cv->BottomAxis()->Minimum(), min);
    InjectKey(vk::Right);
    Settle();
    InjectKey(vk::Back);
    Settle();
    EXPECT_FALSE(cv->Zoomed());
    EXPECT_EQ(cv->BottomAxis()->Minimum(), min);
    EXPECT_EQ(cv->BottomAxis()->Maximum(), max);
    // Zoomed from the keys, undone from the menu (its fourth item).
    InjectKey(vk::OemMinus);
    Settle();
    EXPECT_LT(cv->BottomAxis()->Minimum(), min);
    choice_ = 3;
    InjectKey(vk::Apps);
    Settle();
    EXPECT_EQ(cv->BottomAxis()->Minimum(), min);
    EXPECT_EQ(cv->BottomAxis()->Maximum(), max);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(KeyboardTest, TheFocusMarkShowsOnTheWindowOnlyWhileTheChartHasTheFocus) {
    Run("1e15", "1e18", "1", "-3");
    // The C-V chart carries no labels of its own over its bitmap.
    TChart* band = f_->ChartCV;
    const int w = band->ClientWidth(), h = band->ClientHeight();
    // Pixels that differ between the window and the chart's own bitmap.
    const auto differences = [&] {
        TOffscreenBitmap shown(w, h);
        band->Handle().RenderTo(shown);
        int count = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (shown.Pixel(x, y) != band->Bitmap().Pixel(x, y)) ++count;
        return count;
    };
    EXPECT_EQ(differences(), 0);
    InjectKey('4', shift::Ctrl);
    Settle();
    const int marked = differences();
    // A dotted frame: about every other pixel of a rectangle round the chart.
    EXPECT_GT(marked, (w + h) / 2);
    EXPECT_LT(marked, 2 * (w + h));
    InjectKey(vk::Tab);
    Settle();
    EXPECT_EQ(differences(), 0);
}

TEST_F(KeyboardTest, EditsAreNamedByTheirLabelsButtonsByCaptionAndChartsAsCharts) {
    struct Case {
        TWinControl* control;
        const char* role;
        const char* name;
    };
    // Qt names the push button's role "Button", the first name of its value.
    const Case cases[] = {
        {f_->EditDonorDensity, "EditableText", "ドナー密度, cm^-3"},
        {f_->EditAcceptorDensity, "EditableText", "アクセプタ密度, cm^-3"},
        {f_->EditJunctionArea, "EditableText", "接合面積, mm^2"},
        {f_->EditBias, "EditableText", "印加電圧, V"},
        {f_->ButtonCalcuationCV, "Button", "計算"},
        {f_->ButtonReset, "Button", "リセット"},
        {f_->ButtonHTML, "Button", "ミナモ大学　工学部　電気電子工学科　ケストレル研究室"},
        {f_->ChartEnergyBand, "Chart", "エネルギーバンド図"},
        {f_->ChartChargeDensity, "Chart", "空間電荷密度"},
        {f_->ChartVoltage, "Chart", "電位分布"},
        {f_->ChartCV, "Chart", "C–V特性"},
        {f_->ChartC2V, "Chart", "1/C²–V特性"},
        {f_, "Window", "pn接合ダイオードの容量ー電圧特性"},
    };
    for (const Case& c : cases) {
        const AccessibleFacts facts = c.control->Handle().Accessible();
        EXPECT_EQ(facts.role, c.role) << c.name;
        EXPECT_EQ(facts.name, c.name);
    }
}

TEST_F(KeyboardTest, ChartDescriptionsFollowEveryRunHoldAndReset) {
    const auto description = [](TChart* chart) { return chart->Handle().Accessible().description; };
    EXPECT_EQ(description(f_->ChartCV), "計算結果はまだありません。");
    Run("1e15", "1e18", "1", "-3");
    const std::string first = description(f_->ChartCV);
    EXPECT_NE(first.find("ドナー密度 1E15 cm^-3, アクセプタ密度 1E18 cm^-3, 接合面積 1 mm^2, 印加電圧 -3 V"),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("印加電圧での容量 C "), std::string::npos) << first;
    EXPECT_NE(first.find(" pF。"), std::string::npos) << first;
    EXPECT_NE(description(f_->ChartEnergyBand).find("拡散電位 "), std::string::npos);
    Do([&] { f_->HoldCurves(); });
    EXPECT_NE(description(f_->ChartCV).find("保持した計算 1 件: Nd 1E15 Na 1E18 A 1 V -3。"), std::string::npos)
        << description(f_->ChartCV);
    Run("1e15", "1e18", "1", "-5");
    EXPECT_NE(description(f_->ChartCV).find("印加電圧 -5 V"), std::string::npos);
    EXPECT_NE(description(f_->ChartCV), first);
    Do([&] { f_->FitStraightLine(); });
    EXPECT_NE(description(f_->ChartC2V).find("直線フィット: V0 "), std::string::npos) << description(f_->ChartC2V);
    f_->EditAcceptorDensity->SetText("x");
    Do([&] { f_->ButtonCalcuationCV->Click(); });
    EXPECT_NE(description(f_->ChartCV).find("その後の計算は入力エラーで止まりました"), std::string::npos);
    f_->ButtonReset->Click();
    Settle();
    EXPECT_EQ(description(f_->ChartVoltage).rfind("計算結果はまだありません。", 0), 0u);
}

}  // namespace
}  // namespace cvcalc
