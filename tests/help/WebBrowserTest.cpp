// The web-browser component in a host window on the offscreen platform:
// lazy engine, the bundled laboratory pages, history, refusals and resizing.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "help/LaboratorySite.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/WebBrowser.h"

namespace cvcalc {
namespace {

constexpr int LoadTimeoutMs = 20000;

std::u16string Wide(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

class WebBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ComponentModelInitialize());
        top_ = std::make_unique<TNativeWindow>(NativeWindowKind::Plain);
        top_->SetBounds({215, 194, 215 + 691, 194 + 436});
        host_ = std::make_unique<TNativeWindow>(NativeWindowKind::Plain, top_.get());
        host_->SetBounds({0, 41, 691, 436});
        host_->SetVisible(true);
        top_->SetVisible(true);
        component_ = CreateComponent(CLSID_WebBrowser);
        ASSERT_NE(component_, nullptr);
    }
    void TearDown() override {
        component_.reset();
        host_.reset();
        top_.reset();
        ComponentModelShutdown();
    }

    // Waits until `loads` loads in all have ended.
    bool WaitForLoads(IWebBrowser2& browser, int loads) {
        return ProcessEventsUntil([&] { return browser.CompletedLoads() >= loads && !browser.Busy(); }, LoadTimeoutMs);
    }

    std::unique_ptr<TNativeWindow> top_;
    std::unique_ptr<TNativeWindow> host_;
    std::unique_ptr<TInPlaceComponent> component_;
};

#ifdef CVCALC_SANITIZED_BUILD
#define SKIP_PAGE_LOADS_WHEN_SANITIZED() \
    GTEST_SKIP() << "page loads are skipped under the sanitizers: the web engine is too slow and noisy there"
#else
#define SKIP_PAGE_LOADS_WHEN_SANITIZED() (void)0
#endif

TEST_F(WebBrowserTest, ActivationNeedsAHostWindow) {
    EXPECT_FALSE(component_->ActivateInPlace(nullptr));
    EXPECT_EQ(component_->InPlaceWindow(), nullptr);
    EXPECT_FALSE(component_->QueryWebBrowser2()->Navigate(Wide(LaboratoryHomePage)));
    ASSERT_TRUE(component_->ActivateInPlace(host_.get()));
    EXPECT_EQ(component_->InPlaceWindow(), host_.get());
    component_->Deactivate();
    EXPECT_EQ(component_->InPlaceWindow(), nullptr);
}

TEST_F(WebBrowserTest, FreshBrowserRefusesHistoryAndHasNoEngineYet) {
    ASSERT_TRUE(component_->ActivateInPlace(host_.get()));
    auto browser = component_->QueryWebBrowser2();
    ASSERT_NE(browser, nullptr);
    EXPECT_FALSE(browser->GoBack());
    EXPECT_FALSE(browser->GoForward());
    EXPECT_FALSE(browser->ViewCreated());  // nothing loaded, nothing started
    EXPECT_EQ(browser->LocationURL(), "");
    EXPECT_EQ(browser->CompletedLoads(), 0);
}

TEST_F(WebBrowserTest, HomePageLinksBackAndForward) {
    SKIP_PAGE_LOADS_WHEN_SANITIZED();
    ASSERT_TRUE(component_->ActivateInPlace(host_.get()));
    auto browser = component_->QueryWebBrowser2();
    ASSERT_TRUE(browser->Navigate(Wide(LaboratoryHomePage)));
    EXPECT_TRUE(browser->ViewCreated());
    EXPECT_EQ(browser->ViewBounds(), (PixelRect{0, 0, 691, 395}));
    ASSERT_TRUE(WaitForLoads(*browser, 1));
    EXPECT_EQ(browser->LocationName(), "Kestrel Laboratory");
    EXPECT_EQ(browser->LocationURL(), "cvcalc-lab://kestrel/index.html");
    EXPECT_FALSE(browser->CanGoBack());

    ASSERT_TRUE(browser->Navigate(u"cvcalc-lab://kestrel/depletion.html"));
    ASSERT_TRUE(WaitForLoads(*browser, 2));
    EXPECT_EQ(browser->LocationName(), "The abrupt pn junction \u2013 Kestrel Laboratory");
    EXPECT_FALSE(browser->GoForward());

    const struct {
        bool back;
        const char* url;
    } steps[] = {
        {true, "cvcalc-lab://kestrel/index.html"},
        {false, "cvcalc-lab://kestrel/depletion.html"},
        {true, "cvcalc-lab://kestrel/index.html"},
    };
    int loads = 2;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.url);
        ASSERT_TRUE(step.back ? browser->GoBack() : browser->GoForward());
        ProcessEventsUntil([&] { return browser->LocationURL() == step.url && !browser->Busy(); }, LoadTimeoutMs);
        EXPECT_EQ(browser->LocationURL(), step.url);
        ++loads;
    }
    EXPECT_FALSE(browser->GoBack());  // at the first page again
    EXPECT_TRUE(browser->CanGoForward());
}

TEST_F(WebBrowserTest, MissingPageEndsItsLoadQuietly) {
    SKIP_PAGE_LOADS_WHEN_SANITIZED();
    ASSERT_TRUE(component_->ActivateInPlace(host_.get()));
    auto browser = component_->QueryWebBrowser2();
    ASSERT_TRUE(browser->Navigate(u"cvcalc-lab://kestrel/no-such-page.html"));
    ASSERT_TRUE(WaitForLoads(*browser, 1));
    EXPECT_NE(browser->LocationName(), "Kestrel Laboratory");
    // An unreadable address is refused before the engine sees it.
    EXPECT_FALSE(browser->Navigate(u"http://[::1"));
}

TEST_F(WebBrowserTest, ViewFollowsTheHostSize) {
    ASSERT_TRUE(component_->ActivateInPlace(host_.get()));
    auto browser = component_->QueryWebBrowser2();
    ASSERT_TRUE(browser->Navigate(Wide(LaboratoryHomePage)));
    host_->SetBounds({0, 41, 891, 536});
    ProcessEventsUntil([&] { return browser->ViewBounds() == PixelRect{0, 0, 891, 495}; }, 2000);
    EXPECT_EQ(browser->ViewBounds(), (PixelRect{0, 0, 891, 495}));
}

TEST_F(WebBrowserTest, InterfaceOutlivingTheComponentRefusesEverything) {
    ASSERT_TRUE(component_->ActivateInPlace(host_.get()));
    auto browser = component_->QueryWebBrowser2();
    component_.reset();
    EXPECT_FALSE(browser->Navigate(Wide(LaboratoryHomePage)));
    EXPECT_FALSE(browser->GoBack());
    EXPECT_FALSE(browser->ViewCreated());
}

// A module that is not there, or a file that is no module of ours, ends
// in the component model's error with the text the error box shows, not in
// a blank page with a line on standard error only.
TEST(WebEngineModuleLoading, MissingModuleRaisesTheBoxText) {
    const std::vector<std::vector<std::string>> candidateLists{
        {},
        {"/nonexistent/libcvcalc-webengine.so"},
        {"/nonexistent/libcvcalc-webengine.so", "/etc/passwd"},
    };
    for (const auto& candidates : candidateLists) {
        SCOPED_TRACE(candidates.size());
        try {
            LoadWebEngineModule(candidates);
            ADD_FAILURE() << "no error";
        } catch (const EOleSysError& e) {
            EXPECT_EQ(e.Message(), "Web ブラウザを開始できません: libcvcalc-webengine.so を読み込めません");
        }
    }
}

}  // namespace
}  // namespace cvcalc
