// The help window on the offscreen platform: its description, the home
// page, history through the buttons, resizing, hiding and re-showing, and
// the failures of its browser control.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "framework/Button.h"
#include "framework/OpenDialog.h"
#include "framework/Panel.h"
#include "help/Html.h"
#include "help/LaboratorySite.h"
#include "help/WebBrowserControl.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/InputInjection.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/WebBrowser.h"

namespace cvcalc {
namespace {

constexpr int LoadTimeoutMs = 20000;
const std::string Home = "cvcalc-lab://kestrel/index.html";
const std::string Depletion = "cvcalc-lab://kestrel/depletion.html";

class HtmlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ComponentModelInitialize());
        form_ = std::make_unique<TFormHTML>(nullptr);
    }
    void TearDown() override {
        form_.reset();
        ComponentModelShutdown();
    }
    IWebBrowser2& Browser() {
        browser_ = form_->WebBrowserHelp->DefaultInterface();
        return *browser_;
    }
    // Waits until the browser shows `url` and nothing is loading.
    bool WaitForPage(const std::string& url) {
        IWebBrowser2& b = Browser();
        return ProcessEventsUntil([&] { return b.LocationURL() == url && !b.Busy() && b.CompletedLoads() > 0; },
                                  LoadTimeoutMs);
    }

    std::unique_ptr<TFormHTML> form_;
    std::shared_ptr<IWebBrowser2> browser_;
};

TEST_F(HtmlTest, WindowAndControlsAsDescribed) {
    TFormHTML& f = *form_;
    EXPECT_EQ(f.Caption(), "Viewer of Hyper Text Markup Language");
    EXPECT_EQ(f.Left(), 215);
    EXPECT_EQ(f.Top(), 194);
    EXPECT_FALSE(f.Visible());
    ASSERT_NE(f.Panel1, nullptr);
    ASSERT_NE(f.WebBrowserHelp, nullptr);
    ASSERT_NE(f.OpenDialogHelp, nullptr);
    const int cw = f.ClientWidth();
    const int ch = f.ClientHeight();

    const struct {
        const char* name;
        TControl* control;
        TWinControl* parent;
        int left, top, width, height;
        const char* caption;
        int tabOrder;
    } controls[] = {
        {"Panel1", f.Panel1, &f, 0, 0, cw, 41, nullptr, 0},
        // Its width follows the panel's (see the widening test); 115 at the
        // design width.
        {"ButtonKestrelLab", f.ButtonKestrelLab, f.Panel1, 568, 8, -1, 25, "Kestrel Laboraty", 0},
        {"ButtonBack", f.ButtonBack, f.Panel1, 8, 8, 75, 25, "Back", 1},
        {"ButtonForward", f.ButtonForward, f.Panel1, 96, 8, 75, 25, "Forward", 2},
        {"WebBrowserHelp", f.WebBrowserHelp, &f, 0, 41, cw, ch - 41, nullptr, 1},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.control, nullptr);
        EXPECT_EQ(c.control->Name(), c.name);
        EXPECT_EQ(c.control->Parent(), c.parent);
        EXPECT_EQ(c.control->Left(), c.left);
        EXPECT_EQ(c.control->Top(), c.top);
        if (c.width >= 0) {
            EXPECT_EQ(c.control->Width(), c.width);
        }
        EXPECT_EQ(c.control->Height(), c.height);
        if (c.caption) {
            EXPECT_EQ(c.control->Caption(), c.caption);
        }
        EXPECT_EQ(dynamic_cast<TWinControl*>(c.control)->TabOrder(), c.tabOrder);
    }

    const auto& data = f.WebBrowserHelp->ControlData();
    ASSERT_EQ(data.size(), 156u);
    EXPECT_EQ(ExtentFromControlData(data, 96), (PixelSize{691, 395}));
    EXPECT_TRUE(f.WebBrowserHelp->Active());

    EXPECT_EQ(f.OpenDialogHelp->DefaultExt(), "html");
    EXPECT_EQ(f.OpenDialogHelp->FileName(), "TamariskHelp.html");
    EXPECT_EQ(f.OpenDialogHelp->Filter(), "HTML files (*.html)|*.html");

    // Nothing is loaded, and the engine not even started, before the first
    // ShowHomePage.
    EXPECT_FALSE(Browser().ViewCreated());
}

// The description gives the outer size 699 x 480; the client area it was
// laid out for is 691 x 436, so the laboratory button keeps its 115 pixels.
// The frame must be counted before the window is first shown, and stay
// counted once it is.
TEST_F(HtmlTest, OuterSizeHoldsTheDesignedClientAreaBeforeAndAfterShowing) {
    TFormHTML& f = *form_;
    const struct {
        const char* when;
        std::function<void()> step;
    } steps[] = {
        {"created hidden", [] {}},
        {"shown", [&] { f.Show(); }},
        {"hidden and shown again",
         [&] {
             f.Hide();
             f.Show();
         }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.when);
        s.step();
        ProcessEventsUntil([] { return false; }, 50);
        EXPECT_EQ(f.Width(), 699);
        EXPECT_EQ(f.Height(), 480);
        EXPECT_EQ(f.ClientWidth(), 691);
        EXPECT_EQ(f.ClientHeight(), 436);
        EXPECT_EQ(f.Handle().ClientSize(), (PixelSize{691, 436}));
        EXPECT_EQ(f.Handle().Bounds(), (PixelRect{215, 194, 914, 674}));
        EXPECT_EQ(f.Panel1->Width(), 691);
        EXPECT_EQ(f.ButtonKestrelLab->Left(), 568);
        EXPECT_EQ(f.ButtonKestrelLab->Width(), 115);
        EXPECT_EQ(f.WebBrowserHelp->Width(), 691);
        EXPECT_EQ(f.WebBrowserHelp->Height(), 395);
    }
}

// The page is reached from the keyboard like any windowed control in the tab
// order (WebBrowserHelp is 1 in the window, after the panel's buttons): Tab
// from Forward puts the focus into the page, where End scrolls it, and Tab
// past the page's last link goes on to the first button.
TEST_F(HtmlTest, TabPutsTheFocusIntoThePageAndOnAgain) {
    TFormHTML& f = *form_;
    f.ShowHomePage();
    ASSERT_TRUE(WaitForPage(Home));
    f.ButtonForward->SetFocus();
    ProcessEventsUntil([] { return false; }, 50);
    ASSERT_TRUE(f.ButtonForward->Focused());

    ASSERT_TRUE(InjectKey(vk::Tab));
    ProcessEventsUntil([&] { return f.WebBrowserHelp->Focused(); }, 2000);
    EXPECT_TRUE(f.WebBrowserHelp->Focused());
    EXPECT_EQ(f.ActiveControl(), f.WebBrowserHelp);
    EXPECT_EQ(FocusWindow(), &f.WebBrowserHelp->Handle());

    EXPECT_EQ(Browser().ScrollPosition().y, 0);
    ASSERT_TRUE(InjectKey(vk::End));
    EXPECT_TRUE(ProcessEventsUntil([&] { return Browser().ScrollPosition().y > 0; }, LoadTimeoutMs));

    // Through the page's links and out again, to the first tab stop.
    for (int i = 0; i < 60 && f.WebBrowserHelp->Focused(); ++i) {
        InjectKey(vk::Tab);
        ProcessEventsUntil([] { return false; }, 50);
    }
    EXPECT_FALSE(f.WebBrowserHelp->Focused());
    EXPECT_TRUE(f.ButtonKestrelLab->Focused());
    EXPECT_EQ(f.ActiveControl(), f.ButtonKestrelLab);
}

TEST_F(HtmlTest, BackAndForwardInAFreshWindowChangeNothing) {
    form_->ButtonBack->Click();
    form_->ButtonForward->Click();
    EXPECT_FALSE(form_->Visible());
    EXPECT_FALSE(Browser().ViewCreated());
    EXPECT_EQ(Browser().LocationURL(), "");
}

TEST_F(HtmlTest, ShowHomePageLinksBackAndForward) {
    form_->ShowHomePage();
    EXPECT_TRUE(form_->Visible());
    EXPECT_EQ(ActiveWindow(), &form_->Handle());
    ASSERT_TRUE(WaitForPage(Home));
    EXPECT_EQ(Browser().LocationName(), "Kestrel Laboratory");
    EXPECT_EQ(Browser().ViewBounds(),
              (PixelRect{0, 0, form_->WebBrowserHelp->Width(), form_->WebBrowserHelp->Height()}));

    // Back at the first page is refused quietly.
    form_->ButtonBack->Click();
    ProcessEventsUntil([] { return false; }, 200);
    EXPECT_EQ(Browser().LocationURL(), Home);

    Browser().Navigate(u"cvcalc-lab://kestrel/depletion.html");  // as a link followed in the page
    ASSERT_TRUE(WaitForPage(Depletion));
    const struct {
        TButton* button;
        const std::string& url;
    } steps[] = {{form_->ButtonBack, Home},
                 {form_->ButtonForward, Depletion},
                 {form_->ButtonBack, Home},
                 {form_->ButtonForward, Depletion}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.url);
        step.button->Click();
        EXPECT_TRUE(WaitForPage(step.url));
    }

    // The laboratory button loads the home page as a new entry.
    form_->ButtonKestrelLab->Click();
    ASSERT_TRUE(WaitForPage(Home));
    EXPECT_TRUE(Browser().CanGoBack());
    EXPECT_FALSE(Browser().CanGoForward());
}

// Under AddressSanitizer, opening the help window once stopped the program
// when its page was torn down, with a report from inside the web engine's
// own library.  The window opens, shows its page and goes away there too.
TEST_F(HtmlTest, HelpWindowOpensAndClosesUnderTheSanitizers) {
    form_->ShowHomePage();
    ASSERT_TRUE(WaitForPage(Home));
    EXPECT_EQ(Browser().LocationName(), "Kestrel Laboratory");
    browser_.reset();
    form_.reset();  // the page with it, where the report came from
    ProcessEventsUntil([] { return false; }, 200);
}

#ifdef __SANITIZE_ADDRESS__
// What the help window's programs leave out of AddressSanitizer is one
// check, for the engine's sake; faults of ours are still caught in them.
TEST(HelpWindowSanitizerOptions, FaultsOfOursAreStillCaught) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            int* numbers = new int[2];
            volatile std::size_t bytes = 3 * sizeof(int);
            std::memset(numbers, 0, bytes);
            delete[] numbers;
        },
        "heap-buffer-overflow");
    EXPECT_DEATH(
        {
            int* numbers = new int[2];
            delete[] numbers;
            volatile int first = 0;
            numbers[first] = 1;
        },
        "heap-use-after-free");
    EXPECT_DEATH(
        {
            void* block = ::operator new[](8);
            void (*volatile release)(void*) = static_cast<void (*)(void*)>(&::operator delete);
            release(block);
        },
        "alloc-dealloc-mismatch");
}
#endif

TEST_F(HtmlTest, ClosingHidesAndTheSameWindowShowsAgain) {
    form_->ShowHomePage();
    ASSERT_TRUE(WaitForPage(Home));
    TNativeWindow* window = &form_->Handle();
    Message close;
    close.window = window;
    close.kind = MessageKind::Close;
    window->Dispatch(close);
    EXPECT_FALSE(form_->Visible());
    EXPECT_EQ(Browser().LocationURL(), Home);  // the page stays

    // The engine folds a navigation to the page it shows into that entry,
    // so the second call is seen as one more load, not as history.
    const int loads = Browser().CompletedLoads();
    form_->ShowHomePage();
    EXPECT_TRUE(form_->Visible());
    EXPECT_EQ(&form_->Handle(), window);
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return Browser().CompletedLoads() > loads && !Browser().Busy(); }, LoadTimeoutMs));
    EXPECT_EQ(Browser().LocationURL(), Home);
}

TEST_F(HtmlTest, WideningWidensBrowserAndLaboratoryButtonOnly) {
    TFormHTML& f = *form_;
    f.ShowHomePage();
    // The margin as designed, whatever client width the platform gave the
    // window while it was loading (offscreen starts it 699 wide).
    const int margin = f.Panel1->Width() - (f.ButtonKestrelLab->Left() + f.ButtonKestrelLab->Width());
    EXPECT_EQ(margin, 8);
    for (int grow : {200, 0, 37}) {
        SCOPED_TRACE(grow);
        f.SetBounds(f.Left(), f.Top(), 699 + grow, 480 + grow / 2);
        const int cw = f.ClientWidth();
        const int ch = f.ClientHeight();
        EXPECT_EQ(f.Panel1->Width(), cw);
        EXPECT_EQ(f.Panel1->Height(), 41);
        // The laboratory button keeps its left edge and its right margin.
        EXPECT_EQ(f.ButtonKestrelLab->Left(), 568);
        EXPECT_EQ(f.ButtonKestrelLab->Left() + f.ButtonKestrelLab->Width(), cw - margin);
        EXPECT_EQ(f.WebBrowserHelp->BoundsRect(), (TRect{0, 41, cw, ch}));
        for (TButton* fixed : {f.ButtonBack, f.ButtonForward}) {
            EXPECT_EQ(fixed->Top(), 8);
            EXPECT_EQ(fixed->Width(), 75);
            EXPECT_EQ(fixed->Height(), 25);
        }
        EXPECT_EQ(f.ButtonBack->Left(), 8);
        EXPECT_EQ(f.ButtonForward->Left(), 96);
        const PixelRect view{0, 0, cw, ch - 41};
        ProcessEventsUntil([&] { return Browser().ViewBounds() == view; }, 2000);
        EXPECT_EQ(Browser().ViewBounds(), view);
    }
}

// Components that fail the way a missing or broken engine would.
class RefusingComponent : public TInPlaceComponent {
public:
    explicit RefusingComponent(bool activates) : activates_(activates) {}
    void LoadState(std::span<const unsigned char>) override {}
    bool ActivateInPlace(TNativeWindow*) override { return activates_; }
    void Deactivate() override {}
    TNativeWindow* InPlaceWindow() const override { return nullptr; }

private:
    bool activates_;
};

TEST(HtmlFailures, BrowserThatCannotBeCreatedOrActivated) {
    ASSERT_TRUE(ComponentModelInitialize());
    const struct {
        const char* what;
        ComponentFactory factory;
        std::string message;
    } cases[] = {
        {"no engine", nullptr, "クラスが登録されていません"},
        {"refuses activation", [] { return std::make_unique<RefusingComponent>(false); },
         "OLE コントロールのアクティブ化に失敗しました"},
        {"shows no window", [] { return std::make_unique<RefusingComponent>(true); },
         "OLE コントロールのウィンドウハンドルの取得に失敗しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.factory)
            RegisterComponentClass(CLSID_WebBrowser, c.factory);
        else
            UnregisterComponentClass(CLSID_WebBrowser);
        try {
            TFormHTML form(nullptr);
            ADD_FAILURE() << "the help window was built";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    RegisterComponentClass(CLSID_WebBrowser, [] { return CreateWebBrowserComponent(); });
    TFormHTML form(nullptr);  // and it builds again with the real engine
    EXPECT_TRUE(form.WebBrowserHelp->Active());
    ComponentModelShutdown();
}

}  // namespace
}  // namespace cvcalc
