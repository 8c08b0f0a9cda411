// The web-browser component in a host window on the offscreen platform:
// lazy engine, the bundled laboratory pages, history, refusals and resizing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
        // No test opens the desktop's browser; the addresses handed to it
        // are kept instead.
        SetDesktopBrowserObserver([this](std::string_view url) { handedOut_.emplace_back(url); });
        component_ = CreateComponent(CLSID_WebBrowser);
        ASSERT_NE(component_, nullptr);
    }
    void TearDown() override {
        SetDesktopBrowserObserver({});
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
    std::vector<std::string> handedOut_;
};

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

// The help window once showed whatever address it was given, a local file
// included.  It shows the program's pages only: an address of the web or a
// mail address goes to the desktop's browser, anything else is refused, and
// neither starts the engine.
TEST_F(WebBrowserTest, NavigateShowsNothingOutsideTheProgramsPages) {
    ASSERT_TRUE(component_->ActivateInPlace(host_.get()));
    auto browser = component_->QueryWebBrowser2();
    const struct {
        const char16_t* url;
        const char* handedOut;  // null: refused
    } cases[] = {
        {u"file:///etc/passwd", nullptr},
        {u"FILE:///etc/passwd", nullptr},
        {u"/etc/passwd", nullptr},
        {u"data:text/html,<b>page</b>", nullptr},
        {u"javascript:alert(1)", nullptr},
        {u"about:blank", nullptr},
        {u"ftp://example.org/", nullptr},
        {u"https://example.org/a?b=c#d", "https://example.org/a?b=c#d"},
        {u"HTTP://Example.ORG/", "http://example.org/"},
        {u"mailto:someone@example.org", "mailto:someone@example.org"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.url, c.url + std::char_traits<char16_t>::length(c.url)));
        handedOut_.clear();
        EXPECT_FALSE(browser->Navigate(c.url));
        if (c.handedOut != nullptr)
            EXPECT_EQ(handedOut_, std::vector<std::string>{c.handedOut});
        else
            EXPECT_TRUE(handedOut_.empty());
    }
    EXPECT_FALSE(browser->ViewCreated());
    EXPECT_EQ(browser->LocationURL(), "");
}

// A link on a page took the help window anywhere too.  A link to the web
// goes to the desktop's browser and the page stays; a link to a local file
// or a data: address does nothing; a link to another of our pages is
// followed.  After the link, a frame of the page asks for a page action:
// the engine decides on navigations in the order they are asked for, so once
// the action arrives, the link has been decided.
TEST_F(WebBrowserTest, LinksOnAPageStayInsideTheProgramsPages) {
    ASSERT_TRUE(component_->ActivateInPlace(host_.get()));
    auto browser = component_->QueryWebBrowser2();
    std::string target;
    SetGeneratedPage("leave.html", [&] {
        return "<!DOCTYPE html><title>leave</title><a id=\"out\" href=\"" + target +
               "\">out</a><iframe id=\"frame\"></iframe><script>document.getElementById(\"out\").click();"
               "document.getElementById(\"frame\").src = \"cvcalc-lab://kestrel/action/decided\";</script>";
    });
    int decided = 0;
    SetPageActionHandler([&](std::string_view name) { decided += name == "decided"; });
    const std::string page = "cvcalc-lab://kestrel/leave.html";
    const struct {
        const char* target;
        const char* handedOut;  // null: refused
        std::string shown;
    } cases[] = {
        {"https://example.org/out", "https://example.org/out", page},
        {"http://example.org/", "http://example.org/", page},
        {"file:///etc/hostname", nullptr, page},
        {"data:text/html,page", nullptr, page},
        {"ftp://example.org/", nullptr, page},
        {"cvcalc-lab://kestrel/depletion.html", nullptr, "cvcalc-lab://kestrel/depletion.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        target = c.target;
        handedOut_.clear();
        decided = 0;
        ASSERT_TRUE(browser->Navigate(u"cvcalc-lab://kestrel/leave.html"));
        ASSERT_TRUE(ProcessEventsUntil([&] { return decided > 0; }, LoadTimeoutMs));
        ProcessEventsUntil([&] { return !browser->Busy(); }, LoadTimeoutMs);
        if (c.handedOut != nullptr)
            EXPECT_EQ(handedOut_, std::vector<std::string>{c.handedOut});
        else
            EXPECT_TRUE(handedOut_.empty());
        EXPECT_EQ(browser->LocationURL(), c.shown);
    }
    SetPageActionHandler({});
    SetGeneratedPage("leave.html", {});
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
