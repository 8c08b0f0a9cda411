// Windows, messages, injected input, capture, focus, the message box seam
// and the loop, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/InputInjection.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/MessageLoop.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/Surface.h"

using namespace cvcalc;

namespace {
// Records every message a window receives (without its surface).
struct Recorder {
    std::vector<Message> messages;
    MessageProc Proc() {
        return [this](Message& m) {
            Message copy = m;
            copy.surface = nullptr;
            messages.push_back(copy);
        };
    }
    std::vector<MessageKind> Kinds(std::initializer_list<MessageKind> only) const {
        std::vector<MessageKind> kinds;
        for (const Message& m : messages)
            for (MessageKind k : only)
                if (m.kind == k) kinds.push_back(m.kind);
        return kinds;
    }
    const Message* Last(MessageKind kind) const {
        for (auto it = messages.rbegin(); it != messages.rend(); ++it)
            if (it->kind == kind) return &*it;
        return nullptr;
    }
    int Count(MessageKind kind) const {
        int n = 0;
        for (const Message& m : messages) n += m.kind == kind;
        return n;
    }
};

void Drain() {
    for (int i = 0; i < 50 && ProcessOneMessage(); ++i) {
    }
}

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform();
        form = std::make_unique<TNativeWindow>(NativeWindowKind::Plain);
        form->SetMessageProc(formLog.Proc());
        form->SetBounds({100, 50, 500, 350});
        form->SetText("pn接合ダイオードの容量ー電圧特性");
        form->SetVisible(true);
        form->Activate();
        Drain();
    }
    void TearDown() override {
        SetMessageBoxObserver({});
        SetDispatchErrorHook({});
        ReleaseCapture();
        form.reset();
        Drain();
    }
    std::unique_ptr<TNativeWindow> Child(NativeWindowKind kind, PixelRect bounds, Recorder& log) {
        auto w = std::make_unique<TNativeWindow>(kind, form.get());
        w->SetMessageProc(log.Proc());
        w->SetBounds(bounds);
        w->SetVisible(true);
        return w;
    }
    std::unique_ptr<TNativeWindow> form;
    Recorder formLog;
};

TEST_F(Windows, KeepBoundsAndTexts) {
    EXPECT_EQ(ScreenPixelsPerInch(), 96);
    EXPECT_TRUE(form->IsTopLevel());
    EXPECT_EQ(form->Text(), "pn接合ダイオードの容量ー電圧特性");
    const PixelRect frame = form->FrameExtents();
    EXPECT_EQ(form->Bounds(), (PixelRect{100, 50, 500, 350}));
    EXPECT_EQ(form->ClientSize(), (PixelSize{400 - frame.left - frame.right, 300 - frame.top - frame.bottom}));
    form->SetClientSize(1080, 713);
    EXPECT_EQ(form->ClientSize(), (PixelSize{1080, 713}));

    Recorder log;
    const struct {
        NativeWindowKind kind;
        PixelRect bounds;
        const char* text;
    } table[] = {
        {NativeWindowKind::Edit, {128, 32, 209, 56}, "1E15"},
        {NativeWindowKind::Button, {40, 160, 115, 185}, "計算"},
        {NativeWindowKind::Plain, {680, 0, 1080, 361}, "ChartCV"},
    };
    for (const auto& row : table) {
        auto w = Child(row.kind, row.bounds, log);
        w->SetText(row.text);
        EXPECT_EQ(w->Bounds(), row.bounds);
        EXPECT_EQ(w->ClientSize(), (PixelSize{row.bounds.Width(), row.bounds.Height()}));
        EXPECT_EQ(w->Text(), row.text);
        EXPECT_TRUE(w->IsVisible());
        EXPECT_EQ(w->ClientToScreen({0, 0}), form->ClientToScreen({row.bounds.left, row.bounds.top}));
        w->SetEnabled(false);
        EXPECT_FALSE(w->IsEnabled());
    }
    form->SetVisible(false);
    EXPECT_FALSE(form->IsVisible());
}

TEST_F(Windows, InjectedClickArrivesAsMouseDownAndUp) {
    Recorder log;
    auto panel = Child(NativeWindowKind::Plain, {10, 20, 210, 120}, log);
    InjectClick(*panel, 30, 40, MouseButton::Left, shift::Shift);
    ASSERT_EQ(log.Kinds({MessageKind::MouseDown, MessageKind::MouseUp}),
              (std::vector<MessageKind>{MessageKind::MouseDown, MessageKind::MouseUp}));
    const Message* down = log.Last(MessageKind::MouseDown);
    EXPECT_EQ(down->window, panel.get());
    EXPECT_EQ(down->x, 30);
    EXPECT_EQ(down->y, 40);
    EXPECT_EQ(down->button, MouseButton::Left);
    EXPECT_EQ(down->shift, shift::Shift | shift::Left);
    EXPECT_EQ(log.Last(MessageKind::MouseUp)->shift, shift::Shift);
    // Nothing travelled on to the form.
    EXPECT_EQ(formLog.Count(MessageKind::MouseDown), 0);

    InjectDrag(*panel, 10, 10, 110, 90, MouseButton::Right, 0, 4);
    const Message* move = log.Last(MessageKind::MouseMove);
    EXPECT_EQ(move->x, 110);
    EXPECT_EQ(move->y, 90);
    EXPECT_EQ(move->shift, shift::Right);
    EXPECT_EQ(log.Last(MessageKind::MouseUp)->button, MouseButton::Right);
}

TEST_F(Windows, ButtonsClickByMouseSpaceAndReturn) {
    Recorder log;
    auto button = Child(NativeWindowKind::Button, {40, 160, 115, 185}, log);
    InjectClick(*button, 10, 10);
    EXPECT_EQ(log.Count(MessageKind::Click), 1);
    EXPECT_EQ(log.Kinds({MessageKind::MouseDown, MessageKind::MouseUp}).size(), 2u);
    EXPECT_TRUE(button->HasFocus());  // a click focuses a button
    EXPECT_EQ(FocusWindow(), button.get());
    EXPECT_TRUE(InjectKey(vk::Space));
    EXPECT_EQ(log.Count(MessageKind::Click), 2);
    EXPECT_TRUE(InjectKey(vk::Return));
    EXPECT_EQ(log.Count(MessageKind::Click), 3);
    // A procedure that handles the press keeps the button from clicking.
    button->SetMessageProc([&](Message& m) {
        log.Proc()(m);
        if (m.kind == MessageKind::MouseDown) m.handled = true;
    });
    InjectClick(*button, 10, 10);
    EXPECT_EQ(log.Count(MessageKind::Click), 3);
}

TEST_F(Windows, KeysReachTheFocusedWindowAndTabIsLeftToUs) {
    Recorder editLog, otherLog;
    auto edit = Child(NativeWindowKind::Edit, {128, 32, 209, 56}, editLog);
    auto other = Child(NativeWindowKind::Edit, {128, 64, 209, 88}, otherLog);
    edit->SetText("");
    edit->SetFocus();
    EXPECT_EQ(FocusWindow(), edit.get());
    EXPECT_EQ(editLog.Count(MessageKind::SetFocus), 1);
    editLog.messages.clear();

    EXPECT_TRUE(InjectText("1E15"));
    EXPECT_EQ(edit->Text(), "1E15");
    EXPECT_EQ(editLog.Count(MessageKind::TextChanged), 4);
    EXPECT_EQ(editLog.Count(MessageKind::KeyDown), 4);
    EXPECT_EQ(editLog.messages.front().kind, MessageKind::KeyDown);
    EXPECT_EQ(editLog.messages.front().key, '1');
    const Message* ch = editLog.Last(MessageKind::Char);
    EXPECT_EQ(ch->text, "5");

    // Tab and Shift+Tab arrive as keys; Qt moves no focus of its own.
    for (const ShiftState s : {ShiftState{0}, shift::Shift}) {
        editLog.messages.clear();
        EXPECT_TRUE(InjectKey(vk::Tab, s));
        const Message* down = editLog.Last(MessageKind::KeyDown);
        ASSERT_NE(down, nullptr);
        EXPECT_EQ(down->key, vk::Tab);
        EXPECT_EQ(down->shift, s);
        EXPECT_EQ(FocusWindow(), edit.get());
    }
    EXPECT_EQ(otherLog.Count(MessageKind::KeyDown), 0);

    // A handled KeyDown keeps the key from the edit.
    edit->SetMessageProc([&](Message& m) {
        if (m.kind == MessageKind::KeyDown && m.key == 'X') m.handled = true;
    });
    InjectText("Xy");
    EXPECT_EQ(edit->Text(), "1E15y");

    other->SetFocus();
    EXPECT_EQ(otherLog.Count(MessageKind::SetFocus), 1);
    InjectKey(vk::Back);
    EXPECT_EQ(edit->Text(), "1E15y");
}

TEST_F(Windows, WheelArrivesWithItsDeltaAndPoint) {
    Recorder log;
    auto chart = Child(NativeWindowKind::Plain, {0, 0, 400, 361}, log);
    for (const int delta : {120, -120}) {
        InjectWheel(*chart, 200, 150, delta);
        const Message* wheel = log.Last(MessageKind::MouseWheel);
        ASSERT_NE(wheel, nullptr);
        EXPECT_EQ(wheel->wheelDelta, delta);
        EXPECT_EQ(wheel->x, 200);
        EXPECT_EQ(wheel->y, 150);
    }
    EXPECT_EQ(formLog.Count(MessageKind::MouseWheel), 0);
}

TEST_F(Windows, CaptureTakesTheMouseAndCancelModeEndsIt) {
    Recorder chartLog, otherLog;
    auto chart = Child(NativeWindowKind::Plain, {0, 0, 200, 200}, chartLog);
    auto other = Child(NativeWindowKind::Plain, {200, 0, 400, 200}, otherLog);
    SetCapture(chart.get());
    EXPECT_EQ(CaptureWindow(), chart.get());
    InjectMouseMove(*other, 10, 20);
    EXPECT_EQ(otherLog.Count(MessageKind::MouseMove), 0);
    const Message* move = chartLog.Last(MessageKind::MouseMove);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(move->x, 210);  // in the holder's coordinates
    EXPECT_EQ(move->y, 20);

    EXPECT_TRUE(SendCancelMode());
    EXPECT_EQ(chartLog.Count(MessageKind::CancelMode), 1);
    EXPECT_EQ(CaptureWindow(), nullptr);
    EXPECT_FALSE(SendCancelMode());
    InjectMouseMove(*other, 10, 20);
    EXPECT_EQ(otherLog.Count(MessageKind::MouseMove), 1);

    // A destroyed holder leaves no capture behind.
    SetCapture(other.get());
    other.reset();
    EXPECT_EQ(CaptureWindow(), nullptr);
}

TEST_F(Windows, MessageBoxSeamRecordsAndDisablesTheOthers) {
    TNativeWindow help(NativeWindowKind::Plain);
    help.SetBounds({215, 194, 914, 674});
    help.SetVisible(true);
    Recorder log;
    auto edit = Child(NativeWindowKind::Edit, {0, 0, 80, 24}, log);
    form->Activate();
    edit->SetFocus();

    std::vector<MessageBoxRecord> boxes;
    bool othersDisabled = false;
    SetMessageBoxObserver([&](const MessageBoxRecord& r) {
        boxes.push_back(r);
        othersDisabled = !form->IsEnabled() && !help.IsEnabled();
        // Input meanwhile reaches no window.
        InjectClick(*edit, 5, 5);
    });
    ShowMessageBox("'abc' は浮動小数点数ではありません.", "Cvcalc");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "'abc' は浮動小数点数ではありません.");
    EXPECT_EQ(boxes[0].caption, "Cvcalc");
    EXPECT_EQ(boxes[0].owner, form.get());
    EXPECT_TRUE(othersDisabled);
    EXPECT_EQ(log.Count(MessageKind::MouseDown), 0);
    EXPECT_TRUE(form->IsEnabled());
    EXPECT_TRUE(help.IsEnabled());
    EXPECT_EQ(ActiveWindow(), form.get());
    EXPECT_EQ(FocusWindow(), edit.get());

    // A window disabled before stays disabled after.
    help.SetEnabled(false);
    ShowMessageBox("", "Cvcalc", &help);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "");
    EXPECT_EQ(boxes[1].owner, &help);
    EXPECT_FALSE(help.IsEnabled());
    EXPECT_TRUE(form->IsEnabled());
}

TEST_F(Windows, QuitMessageEndsALoop) {
    ResetQuitMessage();
    int called = 0;
    SetQuitCallback([&] { ++called; });
    // The close box only reports; the procedure decides to quit.
    form->SetMessageProc([&](Message& m) {
        if (m.kind == MessageKind::Close) PostQuitMessage();
    });
    // Stand-in for the close box: the window system's close request.
    Message close;
    close.kind = MessageKind::Close;
    form->Dispatch(close);
    EXPECT_FALSE(QuitMessageReceived());
    int steps = 0;
    while (!QuitMessageReceived() && steps < 1000) {
        if (!ProcessOneMessage()) WaitForMessages();
        ++steps;
    }
    EXPECT_TRUE(QuitMessageReceived());
    EXPECT_EQ(called, 1);
    EXPECT_TRUE(form->IsVisible());
    SetQuitCallback({});
    ResetQuitMessage();
    EXPECT_FALSE(QuitMessageReceived());
}

TEST_F(Windows, PaintDeliversASurfaceOnDemand) {
    TOffscreenBitmap chartBitmap(50, 40);
    chartBitmap.Surface().SetBrush({0x0000FF, NativeBrushStyle::Solid});
    chartBitmap.Surface().FillRect({0, 0, 50, 40});
    int paints = 0;
    bool hadSurface = false;
    auto chart = std::make_unique<TNativeWindow>(NativeWindowKind::Plain, form.get());
    chart->SetMessageProc([&](Message& m) {
        if (m.kind != MessageKind::Paint) return;
        ++paints;
        hadSurface = m.surface != nullptr;
        if (m.surface) m.surface->DrawBitmap(0, 0, chartBitmap);
    });
    chart->SetBounds({10, 10, 60, 50});
    chart->SetVisible(true);
    ProcessPendingPaints();
    const int first = paints;
    EXPECT_GE(first, 1);
    EXPECT_TRUE(hadSurface);
    ProcessPendingPaints();
    EXPECT_EQ(paints, first);  // nothing pending, nothing painted
    chart->Invalidate({0, 0, 10, 10});
    ProcessPendingPaints();
    EXPECT_EQ(paints, first + 1);
}

TEST_F(Windows, HeldPaintsWereLostOrDeliveredWhileHeld) {
    int paints = 0;
    PixelRect painted{};
    auto chart = std::make_unique<TNativeWindow>(NativeWindowKind::Plain, form.get());
    chart->SetMessageProc([&](Message& m) {
        if (m.kind != MessageKind::Paint) return;
        ++paints;
        painted = m.rect;
    });
    chart->SetBounds({10, 10, 60, 50});
    chart->SetVisible(true);
    ProcessPendingPaints();
    const int first = paints;
    HoldPaints(true);
    chart->Invalidate({0, 0, 10, 10});
    ProcessPendingPaints();
    for (int i = 0; i < 100 && ProcessOneMessage(); ++i) {
    }
    chart->Invalidate({20, 20, 30, 30});
    ProcessPendingPaints();
    EXPECT_EQ(paints, first);
    // Letting go paints once, everything asked for while held.
    HoldPaints(false);
    EXPECT_EQ(paints, first + 1);
    EXPECT_LE(painted.left, 0);
    EXPECT_LE(painted.top, 0);
    EXPECT_GE(painted.right, 30);
    EXPECT_GE(painted.bottom, 30);
    ProcessPendingPaints();
    EXPECT_EQ(paints, first + 1);
}

TEST_F(Windows, ErrorsNeverLeaveTheDispatch) {
    std::vector<std::string> reported;
    SetDispatchErrorHook([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const Exception& x) {
            reported.push_back(x.Message());
        } catch (...) {
            reported.push_back("?");
        }
    });
    auto panel = std::make_unique<TNativeWindow>(NativeWindowKind::Plain, form.get());
    panel->SetBounds({0, 0, 50, 50});
    panel->SetVisible(true);
    panel->SetMessageProc([](Message& m) {
        if (m.kind == MessageKind::MouseDown) throw Exception("0 による浮動小数点数除算");
        if (m.kind == MessageKind::MouseUp) throw 42;
    });
    InjectClick(*panel, 5, 5);
    EXPECT_EQ(reported, (std::vector<std::string>{"0 による浮動小数点数除算", "?"}));
}

TEST_F(Windows, AWindowMayDestroyItselfInItsOwnHandler) {
    auto button = std::make_unique<TNativeWindow>(NativeWindowKind::Button, form.get());
    button->SetBounds({0, 0, 75, 25});
    button->SetVisible(true);
    int clicks = 0;
    button->SetMessageProc([&](Message& m) {
        if (m.kind == MessageKind::Click) {
            ++clicks;
            button.reset();
        }
    });
    TNativeWindow* raw = button.get();
    InjectMouseDown(*raw, 5, 5);
    InjectMouseUp(*raw, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button, nullptr);
    Drain();  // the widget goes once no handler runs

    // Destroying a parent leaves its child's object standing, without a widget.
    auto parent = std::make_unique<TNativeWindow>(NativeWindowKind::Plain, form.get());
    TNativeWindow child(NativeWindowKind::Edit, parent.get());
    EXPECT_TRUE(child.Exists());
    parent.reset();
    EXPECT_FALSE(child.Exists());
    child.SetText("ignored");
    EXPECT_EQ(child.Text(), "");
    EXPECT_EQ(child.Bounds(), PixelRect{});
}

TEST_F(Windows, CloseAndActivationBecomeMessages) {
    TNativeWindow second(NativeWindowKind::Plain);
    Recorder log;
    second.SetMessageProc(log.Proc());
    second.SetBounds({0, 0, 200, 100});
    second.SetVisible(true);
    second.Activate();
    EXPECT_EQ(ActiveWindow(), &second);
    EXPECT_GE(log.Count(MessageKind::Activate), 1);
    EXPECT_GE(log.Count(MessageKind::Show), 1);
    form->Activate();
    EXPECT_EQ(ActiveWindow(), form.get());
    EXPECT_GE(log.Count(MessageKind::Deactivate), 1);
    second.SetVisible(false);
    EXPECT_GE(log.Count(MessageKind::Hide), 1);
}
}  // namespace

namespace {
TEST_F(Windows, EditsReportChangesAndIgnoreReturn) {
    Recorder log;
    auto edit = Child(NativeWindowKind::Edit, {0, 0, 81, 24}, log);
    edit->SetText("-10");
    EXPECT_EQ(log.Count(MessageKind::TextChanged), 1);
    edit->SetFocus();
    EXPECT_TRUE(InjectKey(vk::Return));
    EXPECT_EQ(edit->Text(), "-10");
    EXPECT_EQ(log.Last(MessageKind::KeyDown)->key, vk::Return);
    EXPECT_EQ(formLog.Count(MessageKind::KeyDown), 0);  // no travel to the form
    edit->SetMaxLength(4);
    edit->SelectAll();
    InjectText("12345");
    EXPECT_EQ(edit->Text(), "1234");
}

TEST_F(Windows, ReparentedWindowsKeepBoundsAndVisibility) {
    Recorder log;
    auto panel = Child(NativeWindowKind::Plain, {100, 100, 300, 200}, log);
    auto button = Child(NativeWindowKind::Button, {8, 8, 83, 33}, log);
    button->SetParent(panel.get());
    EXPECT_EQ(button->Parent(), panel.get());
    EXPECT_EQ(button->Bounds(), (PixelRect{8, 8, 83, 33}));
    EXPECT_TRUE(button->IsVisible());
    EXPECT_EQ(button->ClientToScreen({0, 0}), form->ClientToScreen({108, 108}));
    panel->SetParent(button.get());  // a cycle is refused
    EXPECT_EQ(panel->Parent(), form.get());
}

TEST_F(Windows, TopLevelBoundsSetBeforeShowingIncludeTheFrame) {
    // The help window is placed by its outer size before it is first shown.
    TNativeWindow help(NativeWindowKind::Plain);
    help.SetBounds({215, 194, 914, 674});
    EXPECT_EQ(help.Bounds(), (PixelRect{215, 194, 914, 674}));
    help.SetVisible(true);
    EXPECT_EQ(help.Bounds(), (PixelRect{215, 194, 914, 674}));
    const PixelRect frame = help.FrameExtents();
    EXPECT_EQ(help.ClientSize(), (PixelSize{699 - frame.left - frame.right, 480 - frame.top - frame.bottom}));
    const unsigned char notAnImage[] = {1, 2, 3, 4};
    EXPECT_FALSE(help.HasIcon());
    EXPECT_FALSE(help.SetIconFromBytes(notAnImage, sizeof notAnImage));
    EXPECT_FALSE(help.SetIconFromBytes(nullptr, 0));
    EXPECT_FALSE(help.HasIcon());
    // A PNG goes to Qt's own reader, named: one cut short is refused too.
    TOffscreenBitmap picture(16, 16);
    picture.Surface().SetBrush({0x00FF00, NativeBrushStyle::Solid});
    picture.Surface().FillRect({0, 0, 16, 16});
    const std::string png = picture.EncodePng();
    ASSERT_GT(png.size(), 40u);
    EXPECT_FALSE(help.SetIconFromBytes(png.data(), 24));
    EXPECT_FALSE(help.HasIcon());
    EXPECT_TRUE(help.SetIconFromBytes(png.data(), png.size()));
    EXPECT_TRUE(help.HasIcon());
}
}  // namespace
