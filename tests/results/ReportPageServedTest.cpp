// The report in the help window's browser: the generated page is served at
// its address and made anew at every request, the page's actions reach the
// program's handler from the message loop, and what a page or an action
// throws goes to the application's error display.
#include <exception>
#include <string>
#include <vector>

#include "help/Html.h"
#include "help/LaboratorySite.h"
#include "help/WebBrowserControl.h"
#include "platform/core/Exception.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/WebBrowser.h"
#include "tests/results/ReportRun.h"

namespace cvcalc {
namespace {

constexpr int LoadTimeoutMs = 20000;

class ReportPageServedTest : public ReportRunFixture {
protected:
    void SetUp() override {
        ReportRunFixture::SetUp();
        SetDispatchErrorHook([this](std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const Exception& e) {
                errors_.push_back(e.Message());
            } catch (...) {
                errors_.push_back("?");
            }
        });
    }
    void TearDown() override {
        SetGeneratedPage(std::string(RunReportPageName), {});
        SetGeneratedPage("broken.html", {});
        SetPageActionHandler({});
        SetDispatchErrorHook({});
        browser_.reset();
        ReportRunFixture::TearDown();
    }
    IWebBrowser2& Browser() {
        browser_ = FormHTML->WebBrowserHelp->DefaultInterface();
        return *browser_;
    }
    bool WaitForLoads(int loads) {
        IWebBrowser2& b = Browser();
        return ProcessEventsUntil([&] { return b.CompletedLoads() >= loads && !b.Busy(); }, LoadTimeoutMs);
    }

    std::shared_ptr<IWebBrowser2> browser_;
    std::vector<std::string> errors_;
};

TEST_F(ReportPageServedTest, TheGeneratedReportIsServedAndMadeAtEveryRequest) {
    RunRecord run;  // no run yet
    int generated = 0;
    SetGeneratedPage(std::string(RunReportPageName), [&] {
        ++generated;
        return RunReportPage(run, Charts());
    });
    FormHTML->ShowRunReport();
    EXPECT_TRUE(FormHTML->Visible());
    ASSERT_TRUE(WaitForLoads(1));
    EXPECT_EQ(Browser().LocationURL(), LaboratoryReportPage);
    EXPECT_EQ(Browser().LocationName(), RunReportTitle());
    EXPECT_EQ(generated, 1);

    // After a run the same address shows the new page; the old one had no
    // actions, so the page changed.
    run = Run({{"1E15", "1E15", "1", "-10"}, {1e15, 1e15, 1, -10}});
    FormHTML->ShowRunReport();
    ASSERT_TRUE(WaitForLoads(2));
    EXPECT_EQ(generated, 2);
    EXPECT_EQ(Browser().LocationName(), RunReportTitle());
    EXPECT_TRUE(errors_.empty());

    // The bundled pages are still there, and a generated page without its
    // generator is gone.
    ASSERT_TRUE(Browser().Navigate(u"cvcalc-lab://kestrel/index.html"));
    ASSERT_TRUE(WaitForLoads(3));
    EXPECT_EQ(Browser().LocationName(), "Kestrel Laboratory");
    SetGeneratedPage(std::string(RunReportPageName), {});
    ASSERT_TRUE(Browser().Navigate(u"cvcalc-lab://kestrel/report.html"));
    ASSERT_TRUE(WaitForLoads(4));
    EXPECT_NE(Browser().LocationName(), RunReportTitle());
    EXPECT_EQ(generated, 2);
}

TEST_F(ReportPageServedTest, PageActionsReachTheHandlerFromTheLoop) {
    SetGeneratedPage(std::string(RunReportPageName), [] { return RunReportHtml(RunRecord{}, {}); });
    std::vector<std::string> actions;
    SetPageActionHandler([&](std::string_view name) {
        actions.emplace_back(name);
        if (name == "fail") throw Exception("action failed");
    });
    FormHTML->ShowRunReport();
    ASSERT_TRUE(WaitForLoads(1));

    const struct {
        const char16_t* url;
        const char* action;
        const char* error;
    } steps[] = {
        {u"cvcalc-lab://kestrel/action/save-report-pdf", "save-report-pdf", nullptr},
        {u"cvcalc-lab://kestrel/action/print-report", "print-report", nullptr},
        {u"cvcalc-lab://kestrel/action/fail", "fail", "action failed"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.action);
        const std::size_t before = actions.size();
        const std::size_t errorsBefore = errors_.size();
        ASSERT_TRUE(Browser().Navigate(step.url));
        EXPECT_EQ(actions.size(), before) << "the handler runs later, from the loop";
        ASSERT_TRUE(ProcessEventsUntil([&] { return actions.size() > before; }, LoadTimeoutMs));
        EXPECT_EQ(actions.back(), step.action);
        ProcessEventsUntil([] { return false; }, 100);
        EXPECT_EQ(Browser().LocationURL(), LaboratoryReportPage) << "an action does not navigate";
        if (step.error) {
            ASSERT_EQ(errors_.size(), errorsBefore + 1);
            EXPECT_EQ(errors_.back(), step.error);
        } else {
            EXPECT_EQ(errors_.size(), errorsBefore);
        }
    }
    EXPECT_EQ(actions.size(), 3u);
}

TEST_F(ReportPageServedTest, AGeneratorThatFailsFailsTheRequestAndShowsItsError) {
    SetGeneratedPage("broken.html", []() -> std::string { throw Exception("the page could not be made"); });
    FormHTML->Show();
    ASSERT_TRUE(Browser().Navigate(u"cvcalc-lab://kestrel/broken.html"));
    ASSERT_TRUE(WaitForLoads(1));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !errors_.empty(); }, LoadTimeoutMs));
    EXPECT_EQ(errors_, std::vector<std::string>{"the page could not be made"});
}

}  // namespace
}  // namespace cvcalc
