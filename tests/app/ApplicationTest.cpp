// The application object on the offscreen platform: window creation, the
// error display, the loop and the orderly end.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/ApplicationErrors.h"
#include "numtext/FloatFormat.h"
#include "numtext/FloatParse.h"
#include "numtext/LocaleFormats.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/MessageLoop.h"
#include "shell/app/Application.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/NameSpace.h"
#include "tests/support/CommaLocale.h"

using namespace cvcalc;

namespace {
std::vector<std::string> destroyed;

class TLogForm : public TForm {
public:
    explicit TLogForm(TComponent* owner) : TForm(owner) {}
    ~TLogForm() override { destroyed.push_back(Name()); }
};

TLogForm* firstForm = nullptr;
TLogForm* secondForm = nullptr;
bool globalSeenDuringConstruction = false;

class TPeekingForm;
TPeekingForm* peekingForm = nullptr;

class TPeekingForm : public TLogForm {
public:
    explicit TPeekingForm(TComponent* owner) : TLogForm(owner) { globalSeenDuringConstruction = peekingForm == this; }
};

class TFailingForm : public TLogForm {
public:
    explicit TFailingForm(TComponent* owner) : TLogForm(owner) { throw Exception("construction failed"); }
};
TFailingForm* failingForm = nullptr;

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        destroyed.clear();
        firstForm = secondForm = nullptr;
        ResetQuitMessage();
        SetMessageBoxObserver([this](const MessageBoxRecord& box) { boxes_.push_back(box); });
    }
    void TearDown() override { SetMessageBoxObserver({}); }
    std::vector<MessageBoxRecord> boxes_;
};

TEST_F(ApplicationTest, TheFirstWindowBecomesTheMainWindowAndSeesItsGlobalEarly) {
    TApplication application;
    application.CreateAppWindow(peekingForm);
    EXPECT_TRUE(globalSeenDuringConstruction);
    application.CreateAppWindow(secondForm);
    EXPECT_EQ(application.MainWindow(), peekingForm);
    EXPECT_EQ(MainForm(), peekingForm);
    EXPECT_TRUE(peekingForm->HandleAllocated());
    EXPECT_FALSE(secondForm->HandleAllocated() && secondForm->Visible());
    EXPECT_EQ(peekingForm->Owner(), &application);
    EXPECT_EQ(secondForm->Owner(), &application);
}

TEST_F(ApplicationTest, AFailedConstructionResetsTheGlobalAndPropagates) {
    TApplication application;
    failingForm = reinterpret_cast<TFailingForm*>(&application);  // anything but null
    EXPECT_THROW(application.CreateAppWindow(failingForm), Exception);
    EXPECT_EQ(failingForm, nullptr);
    EXPECT_EQ(application.MainWindow(), nullptr);
    EXPECT_EQ(application.ComponentCount(), 0);
}

// A component referring to another one, as a form's field may refer into
// another form by "Form.Component".
class TPointer : public TComponent {
public:
    CVCALC_CLASS_INFO()
    using TComponent::TComponent;
    TComponent* target = nullptr;
};

const TClassInfo& TPointer::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TPointer>("TPointer", TComponent::StaticClassInfo())
            .Object(
                "Target", [](const TPointer& p) { return p.target; }, [](TPointer& p, TComponent* v) { p.target = v; });
    return info;
}

class TLateForm : public TLogForm {
public:
    explicit TLateForm(TComponent* owner) : TLogForm(owner) {
        SetName("LateForm");
        (new TComponent(this))->SetName("Part");
    }
};
TLateForm* lateForm = nullptr;

// The application never registered its windows: the global lookup stayed
// empty, a second form kept its stream's name and references into a window
// by its name never resolved.
TEST_F(ApplicationTest, AWindowJoinsTheGlobalLookupAndReferencesWaitingForItResolve) {
    TPointer pointer(nullptr);
    AddGlobalFixup(TPropFixup{&pointer, &pointer, TPointer::StaticClassInfo().FindProperty("Target"), "LateForm.Part",
                              nullptr, "LateForm"});
    ASSERT_EQ(GlobalFixupCount(), 1u);
    {
        TApplication application;
        application.CreateAppWindow(lateForm);
        EXPECT_EQ(FindGlobalComponent("lateform"), lateForm);
        ASSERT_NE(lateForm->FindComponent("Part"), nullptr);
        EXPECT_EQ(pointer.target, lateForm->FindComponent("Part"));
        EXPECT_EQ(GlobalFixupCount(), 0u);
    }
    EXPECT_EQ(FindGlobalComponent("LateForm"), nullptr) << "a destroyed window leaves the lookup";
}

TEST_F(ApplicationTest, EscapedErrorsShowOneBoxEachWithTheTitleAsCaption) {
    TApplication application;
    const struct {
        std::exception_ptr error;
        const char* text;
    } table[] = {
        {std::make_exception_ptr(Exception("abc")), "abc."},
        {std::make_exception_ptr(Exception("abc.")), "abc."},
        {std::make_exception_ptr(Exception("")), ""},
        {std::make_exception_ptr(Exception("'x' は浮動小数点数ではありません")), "'x' は浮動小数点数ではありません."},
        {std::make_exception_ptr(std::runtime_error("outside")), "outside."},
        {std::make_exception_ptr(42), ""},
    };
    for (const auto& row : table) {
        boxes_.clear();
        HandleApplicationError(nullptr, row.error);
        ASSERT_EQ(boxes_.size(), 1u) << row.text;
        EXPECT_EQ(boxes_[0].text, row.text);
        EXPECT_EQ(boxes_[0].caption, application.Title());
    }
    EXPECT_EQ(application.Title(), "shell_app_tests");
    boxes_.clear();
    HandleApplicationError(nullptr, std::make_exception_ptr(EAbort("quiet")));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ApplicationTest, ClosingTheMainWindowEndsTheLoopAndDestroysWindowsNewestFirst) {
    int shutDowns = 0;
    {
        TApplication application;
        application.SetStartHook([] { return true; }, [&] { ++shutDowns; });
        application.RunStartHook();
        application.CreateAppWindow(firstForm);
        firstForm->SetName("Main");
        application.CreateAppWindow(secondForm);
        secondForm->SetName("Help");
        secondForm->Show();
        firstForm->Close();  // posts the quit message
        application.RunMessageLoop();
        EXPECT_TRUE(application.Terminated());
        EXPECT_EQ(destroyed, (std::vector<std::string>{"Help", "Main"}));
        EXPECT_EQ(shutDowns, 1);
    }
    EXPECT_EQ(shutDowns, 1);
    EXPECT_EQ(MainForm(), nullptr);
}

TEST_F(ApplicationTest, AFailedStartUpIsNotShutDown) {
    int shutDowns = 0;
    {
        TApplication application;
        application.SetStartHook([] { return false; }, [&] { ++shutDowns; });
        application.RunStartHook();
    }
    EXPECT_EQ(shutDowns, 0);
}

TEST_F(ApplicationTest, TheGuardShowsOneBoxAndReturnsZero) {
    TApplication application;
    EXPECT_EQ(RunGuarded(application, [] { throw Exception("start-up failed"); }), 0);
    EXPECT_EQ(RunGuarded(application, [] { throw 7; }), 0);
    EXPECT_EQ(RunGuarded(application, [] {}), 0);
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].text, "start-up failed.");
    EXPECT_EQ(boxes_[1].text, "");
}

TEST_F(ApplicationTest, WithoutAMainWindowTheLoopReturnsAtOnce) {
    TApplication application;
    application.RunMessageLoop();
    EXPECT_FALSE(application.Running());
}
// The separators were once loaded only by tests, so the program read "1,5"
// as no number under a German locale and wrote its labels with points.
TEST_F(ApplicationTest, LocaleSeparatorsAreLoadedAtStartAndAgainWhenThePlatformReportsAChange) {
    std::string why;
    const std::string locales = cvcalc::testing::CommaLocaleDirectory(&why);
    ASSERT_FALSE(locales.empty()) << why;
    ASSERT_EQ(setenv("LOCPATH", locales.c_str(), 1), 0);
    ASSERT_EQ(setenv("LC_ALL", cvcalc::testing::CommaLocaleName, 1), 0);
    LocaleDecimalSeparator = '.';
    {
        TApplication application;
        EXPECT_EQ(LocaleDecimalSeparator, ',');
        EXPECT_EQ(LocaleThousandSeparator, '.');
        long double value = 0;
        EXPECT_TRUE(ScanFloatText("1,5", value));
        EXPECT_EQ(value, 1.5L);
        EXPECT_FALSE(ScanFloatText("1.5", value));
        EXPECT_EQ(FloatToGeneralText(0.25L), "0,25");

        // The user switches back; nothing changes until the platform says so.
        ASSERT_EQ(setenv("LC_ALL", "C.UTF-8", 1), 0);
        EXPECT_EQ(LocaleDecimalSeparator, ',');
        PostLocaleChange();
        while (application.ProcessOneMessage()) {
        }
        EXPECT_EQ(LocaleDecimalSeparator, '.');
        EXPECT_EQ(FloatToGeneralText(0.25L), "0.25");

        // And again, the other way.
        ASSERT_EQ(setenv("LC_ALL", cvcalc::testing::CommaLocaleName, 1), 0);
        PostLocaleChange();
        while (application.ProcessOneMessage()) {
        }
        EXPECT_EQ(LocaleDecimalSeparator, ',');
    }
    // Once the application is gone, a change reaches nobody.
    ASSERT_EQ(setenv("LC_ALL", "C.UTF-8", 1), 0);
    PostLocaleChange();
    while (ProcessOneMessage()) {
    }
    EXPECT_EQ(LocaleDecimalSeparator, ',');
    LoadLocaleFormats();
    unsetenv("LOCPATH");
}
}  // namespace
