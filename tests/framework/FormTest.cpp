// A test window read from a description: positions, texts, fonts, events,
// the error hook, tab order, alignment and anchors, automatic sizes, the
// picture, painting and closing.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/ApplicationErrors.h"
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/FrameworkClasses.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/OpenDialog.h"
#include "framework/Panel.h"
#include "platform/core/Exception.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/ClassRegistry.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/Reader.h"
#include "tests/shell/StreamBuilder.h"

namespace cvcalc {
namespace {

using test::StreamBuilder;

// A chart-like windowed control that paints itself blue and counts its paints.
class TBluePanel : public TCustomControl {
public:
    CVCALC_CLASS_INFO()
    using TCustomControl::TCustomControl;
    void Paint(TCanvas& canvas) override {
        ++paints;
        canvas.Brush().SetColor(clBlue);
        canvas.FillRect(ClientRect());
    }
    int paints = 0;
};

const TClassInfo& TBluePanel::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TBluePanel>("TBluePanel", TCustomControl::StaticClassInfo());
    return info;
}

class TTestForm : public TForm {
public:
    CVCALC_CLASS_INFO()
    using TForm::TForm;
    void ButtonLeftClick(TObject*) { ++leftClicks; }
    void ButtonRightClick(TObject*) {
        ++rightClicks;
        throw Exception("boom");
    }
    TPanel* panel1 = nullptr;
    TButton* buttonLeft = nullptr;
    TButton* buttonRight = nullptr;
    TLabel* label1 = nullptr;
    TLabel* label2 = nullptr;
    TEdit* edit1 = nullptr;
    TImage* image1 = nullptr;
    TBluePanel* chart = nullptr;
    TOpenDialog* openDialog1 = nullptr;
    int leftClicks = 0;
    int rightClicks = 0;
};

const TClassInfo& TTestForm::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm", TForm::StaticClassInfo())
                                       .Field("Panel1", &TTestForm::panel1)
                                       .Field("ButtonLeft", &TTestForm::buttonLeft)
                                       .Field("ButtonRight", &TTestForm::buttonRight)
                                       .Field("Label1", &TTestForm::label1)
                                       .Field("Label2", &TTestForm::label2)
                                       .Field("Edit1", &TTestForm::edit1)
                                       .Field("Image1", &TTestForm::image1)
                                       .Field("Chart", &TTestForm::chart)
                                       .Field("OpenDialog1", &TTestForm::openDialog1)
                                       .Method("ButtonLeftClick", &TTestForm::ButtonLeftClick)
                                       .Method("ButtonRightClick", &TTestForm::ButtonRightClick);
    return info;
}

std::string Bmp2x2() {
    // 2 x 2, stride 8: bottom row black, top row red.
    std::string f(54 + 16, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, 70);
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, 2);
    f[26] = 1;
    f[28] = 24;
    for (int x = 0; x < 2; ++x) f[54 + 8 + static_cast<std::size_t>(x) * 3 + 2] = static_cast<char>(0xFF);
    std::string data;
    data += '\x07';
    data += "TBitmap";
    std::string count(4, '\0');
    count[0] = static_cast<char>(f.size());
    return data + count + f;
}

std::vector<unsigned char> Description(bool autoSize = false) {
    StreamBuilder b;
    b.Signature().Record("TTestForm", "TestForm");
    b.Prop("Left").Int(100).Prop("Top").Int(50);
    b.Prop("Caption").Utf8("試験");
    b.Prop("ClientHeight").Int(200).Prop("ClientWidth").Int(300);
    b.Prop("Color").Ident("clBtnFace");
    b.Prop("Font.Charset").Ident("SHIFTJIS_CHARSET").Prop("Font.Color").Ident("clWindowText");
    b.Prop("Font.Height").Int(-16).Prop("Font.Name").Utf8("ＭＳ Ｐゴシック").Prop("Font.Style").Set({});
    if (autoSize) b.Prop("AutoSize").Byte(ValTrue);
    b.Prop("OldCreateOrder").Byte(ValFalse);
    b.Prop("PixelsPerInch").Int(96).Prop("TextHeight").Int(16);
    b.End();
    {
        b.Record("TPanel", "Panel1");
        b.Prop("Left").Int(0).Prop("Top").Int(0).Prop("Width").Int(300).Prop("Height").Int(41);
        b.Prop("Align").Ident("alTop").Prop("TabOrder").Int(0);
        b.End();
        b.Record("TButton", "ButtonRight");
        b.Prop("Left").Int(180).Prop("Top").Int(8).Prop("Width").Int(112).Prop("Height").Int(25);
        b.Prop("Anchors").Set({"akLeft", "akTop", "akRight"});
        b.Prop("Caption").Str("Right").Prop("TabOrder").Int(0).Prop("OnClick").Ident("ButtonRightClick");
        b.End().End();
        b.Record("TButton", "ButtonLeft");
        b.Prop("Left").Int(8).Prop("Top").Int(8).Prop("Width").Int(75).Prop("Height").Int(25);
        b.Prop("Caption").Str("Left").Prop("TabOrder").Int(1).Prop("OnClick").Ident("ButtonLeftClick");
        b.End().End();
        b.End();  // Panel1's children
    }
    b.Record("TLabel", "Label1");
    b.Prop("Left").Int(16).Prop("Top").Int(60).Prop("Width").Int(40).Prop("Height").Int(16);
    b.Prop("Caption").Str("Ver. 1");
    b.End().End();
    b.Record("TImage", "Image1");
    b.Prop("Left").Int(120).Prop("Top").Int(60).Prop("Width").Int(50).Prop("Height").Int(50);
    b.Prop("AutoSize").Byte(ValTrue).Prop("Picture.Data").Binary(Bmp2x2());
    b.End().End();
    b.Record("TBluePanel", "Chart");
    b.Prop("Left").Int(200).Prop("Top").Int(100).Prop("Width").Int(90).Prop("Height").Int(60);
    b.Prop("TabOrder").Int(1);
    b.End();
    b.Record("TLabel", "Label2");
    b.Prop("Left").Int(10).Prop("Top").Int(10).Prop("Caption").Str("EC");
    b.Prop("Font.Color").Ident("clRed").Prop("Font.Height").Int(-16).Prop("Color").Ident("clYellow");
    b.Prop("ParentColor").Byte(ValFalse).Prop("ParentFont").Byte(ValFalse);
    b.End().End();
    b.End();  // Chart's children
    b.Record("TEdit", "Edit1");
    b.Prop("Left").Int(16).Prop("Top").Int(160).Prop("Width").Int(81).Prop("Height").Int(24);
    b.Prop("TabOrder").Int(2).Prop("Text").Str("1E15");
    b.End().End();
    b.Record("TOpenDialog", "OpenDialog1");
    b.Prop("DefaultExt").Str("html").Prop("FileName").Str("TamariskHelp.html");
    b.Prop("Filter").Str("HTML files (*.html)|*.html").Prop("Left").Int(8).Prop("Top").Int(150);
    b.End().End();
    b.End();  // the form's children
    return b.bytes;
}

std::unique_ptr<TTestForm> Load(const std::vector<unsigned char>& bytes) {
    RegisterFrameworkClasses();
    RegisterClass(TBluePanel::StaticClassInfo());
    auto form = std::make_unique<TTestForm>(nullptr);
    TMemoryStream stream(bytes);
    TReader reader(stream);
    reader.ReadRoot(form.get());
    return form;
}

void Pump() {
    for (int i = 0; i < 20; ++i)
        while (ProcessOneMessage()) {
        }
}

TEST(Form, ControlsAppearAtTheirPlacesWithTheirTextsAndFonts) {
    auto form = Load(Description());
    EXPECT_EQ(form->Caption(), "試験");
    EXPECT_EQ(form->Left(), 100);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_EQ(form->PixelsPerInch(), 96);
    EXPECT_EQ(form->TextHeight(), 16);
    EXPECT_FALSE(form->Visible());
    ASSERT_TRUE(form->buttonLeft && form->buttonRight && form->label1 && form->label2 && form->edit1 && form->image1 &&
                form->chart && form->openDialog1);
    const struct {
        TControl* control;
        TWinControl* parent;
        TRect bounds;
    } places[] = {
        {form->panel1, form.get(), Bounds(0, 0, 300, 41)},
        {form->buttonRight, form->panel1, Bounds(180, 8, 112, 25)},
        {form->buttonLeft, form->panel1, Bounds(8, 8, 75, 25)},
        {form->image1, form.get(), Bounds(120, 60, 2, 2)},  // auto-sized to its bitmap
        {form->chart, form.get(), Bounds(200, 100, 90, 60)},
        {form->edit1, form.get(), Bounds(16, 160, 81, 24)},
    };
    for (const auto& p : places) {
        EXPECT_EQ(p.control->Parent(), p.parent) << p.control->Name();
        EXPECT_EQ(p.control->BoundsRect(), p.bounds) << p.control->Name();
    }
    EXPECT_EQ(form->buttonRight->Handle().Text(), "Right");
    EXPECT_EQ(form->edit1->Text(), "1E15");
    EXPECT_EQ(form->edit1->Handle().Text(), "1E15");
    EXPECT_EQ(form->edit1->Handle().Bounds(), Bounds(16, 160, 81, 24));
    // Fonts: the form's unless set; colours: the parent's for labels.
    EXPECT_EQ(form->label1->Font()->Name(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(form->label1->Font()->Height(), -16);
    EXPECT_EQ(form->label1->Font()->Charset(), SHIFTJIS_CHARSET);
    EXPECT_TRUE(form->label1->ParentFont());
    EXPECT_EQ(form->label1->Color(), clBtnFace);
    EXPECT_EQ(form->edit1->Font()->Height(), -16);
    EXPECT_EQ(form->label2->Font()->Color(), clRed);
    EXPECT_EQ(form->label2->Font()->Name(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(form->label2->Color(), clYellow);
    EXPECT_EQ(form->edit1->Color(), clWindow);
    EXPECT_EQ(form->openDialog1->FileName(), "TamariskHelp.html");
    EXPECT_EQ(form->openDialog1->Filter(), "HTML files (*.html)|*.html");
    EXPECT_EQ(form->openDialog1->DesignLeft(), 8);
}

TEST(Form, LabelSizesItselfToItsText) {
    auto form = Load(Description());
    TLabel& label = *form->label1;
    const PixelSize extent = label.Font()->NativeFont().TextExtent("Ver. 1");
    EXPECT_EQ(label.Width(), extent.width);
    EXPECT_EQ(label.Height(), extent.height);
    label.SetCaption("Ver. 1.00000");
    EXPECT_GT(label.Width(), extent.width);
    EXPECT_EQ(label.Left(), 16);
    label.SetAutoSize(false);
    label.SetCaption("V");
    EXPECT_GT(label.Width(), extent.width);
}

TEST(Form, ParentFontFollowsUntilTheControlSetsItsOwn) {
    auto form = Load(Description());
    form->Font()->SetHeight(-21);
    EXPECT_EQ(form->label1->Font()->Height(), -21);
    EXPECT_EQ(form->buttonLeft->Font()->Height(), -21);  // through the panel
    EXPECT_EQ(form->label2->Font()->Height(), -16);      // its own font
    form->label1->Font()->SetHeight(-12);
    EXPECT_FALSE(form->label1->ParentFont());
    form->Font()->SetHeight(-16);
    EXPECT_EQ(form->label1->Font()->Height(), -12);
}

TEST(Form, AlignmentAndAnchorsFollowTheWindowSize) {
    auto form = Load(Description());
    const struct { int width, height; } sizes[] = {{400, 250}, {250, 200}, {300, 200}};
    for (const auto& s : sizes) {
        form->SetClientSize(s.width, s.height);
        EXPECT_EQ(form->panel1->BoundsRect(), Bounds(0, 0, s.width, 41)) << s.width;
        // Left and right anchored: keeps its left edge and its 8-pixel right margin.
        EXPECT_EQ(form->buttonRight->BoundsRect(), Bounds(180, 8, s.width - 8 - 180, 25)) << s.width;
        EXPECT_EQ(form->buttonLeft->BoundsRect(), Bounds(8, 8, 75, 25));
        EXPECT_EQ(form->edit1->BoundsRect(), Bounds(16, 160, 81, 24));
    }
}

TEST(Form, AlignmentKindsShareTheClientArea) {
    RegisterFrameworkClasses();
    TForm form(nullptr);
    form.SetClientSize(200, 100);
    auto make = [&](TAlign align, int size) {
        auto* p = new TPanel(&form);
        p->SetBounds(0, 0, size, size);
        p->SetParent(&form);
        p->SetAlign(align);
        return p;
    };
    TPanel* top = make(alTop, 10);
    TPanel* bottom = make(alBottom, 20);
    TPanel* left = make(alLeft, 30);
    TPanel* right = make(alRight, 40);
    TPanel* client = make(alClient, 5);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 10));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 80, 200, 100));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 10, 30, 80));
    EXPECT_EQ(right->BoundsRect(), Rect(160, 10, 200, 80));
    EXPECT_EQ(client->BoundsRect(), Rect(30, 10, 160, 80));
    form.SetClientSize(300, 150);
    EXPECT_EQ(client->BoundsRect(), Rect(30, 10, 260, 130));
}

TEST(Form, AutoSizeEnclosesTheControls) {
    auto form = Load(Description(true));
    // Rightmost edge: the panel (300, aligned to the width); lowest: the edit (160 + 24).
    EXPECT_EQ(form->ClientHeight(), 184);
    form->edit1->SetBounds(16, 160, 81, 60);
    EXPECT_EQ(form->ClientHeight(), 220);
    form->chart->SetBounds(200, 100, 150, 60);
    EXPECT_EQ(form->ClientWidth(), 350);
}

TEST(Form, TabOrderAndNavigation) {
    auto form = Load(Description());
    EXPECT_EQ(form->FindFirstTabStop(), nullptr);  // a hidden window has no focusable control
    form->Show();
    // Panel1 (not a stop) holds ButtonRight then ButtonLeft; the chart is no stop.
    EXPECT_EQ(form->FindFirstTabStop(), form->buttonRight);
    EXPECT_EQ(form->buttonRight->TabOrder(), 0);
    EXPECT_EQ(form->buttonLeft->TabOrder(), 1);
    EXPECT_EQ(form->edit1->TabOrder(), 2);
    const std::vector<TWinControl*> forward = {form->buttonLeft, form->edit1, form->buttonRight, form->buttonLeft};
    TWinControl* at = form->buttonRight;
    for (TWinControl* expected : forward) {
        at = form->SelectNext(at, true);
        EXPECT_EQ(at, expected);
    }
    EXPECT_EQ(form->SelectNext(form->buttonRight, false), form->edit1);
    form->edit1->SetTabOrder(0);
    EXPECT_EQ(form->edit1->TabOrder(), 0);
    EXPECT_EQ(form->panel1->TabOrder(), 1);
    EXPECT_EQ(form->FindFirstTabStop(), form->edit1);
    form->edit1->SetEnabled(false);
    EXPECT_EQ(form->FindFirstTabStop(), form->buttonRight);
    form->Hide();
}

TEST(Form, TabKeyMovesTheFocusAndTheFirstActivationFocusesTheFirstStop) {
    auto form = Load(Description());
    form->Show();
    Pump();
    form->FocusFirstControl();
    Pump();
    EXPECT_EQ(form->ActiveControl(), form->buttonRight);
    EXPECT_TRUE(form->buttonRight->Focused());
    ASSERT_TRUE(InjectKey(vk::Tab));
    Pump();
    EXPECT_EQ(form->ActiveControl(), form->buttonLeft);
    EXPECT_TRUE(form->buttonLeft->Focused());
    ASSERT_TRUE(InjectKey(vk::Tab, shift::Shift));
    Pump();
    EXPECT_EQ(form->ActiveControl(), form->buttonRight);
    form->Hide();
}

// Entering an edit box by Tab or Shift+Tab selects its text, so that typing
// "5" into "1" gives "5", not "15"; a click places the caret instead, and a
// focus that merely comes back leaves the selection alone.
TEST(Form, TabbingIntoAnEditSelectsItsTextSoTypingReplacesIt) {
    auto form = Load(Description());
    form->Show();
    Pump();
    // Tab stops in order: ButtonRight, ButtonLeft, Edit1.
    const struct {
        const char* how;
        TWinControl* from;
        ShiftState shift;
    } entries[] = {
        {"Tab", form->buttonLeft, 0},
        {"Shift+Tab", form->buttonRight, shift::Shift},
    };
    for (const auto& e : entries) {
        SCOPED_TRACE(e.how);
        form->edit1->SetText("1");
        e.from->SetFocus();
        Pump();
        ASSERT_TRUE(InjectKey(vk::Tab, e.shift));
        Pump();
        ASSERT_TRUE(form->edit1->Focused());
        ASSERT_TRUE(InjectText("5"));
        Pump();
        EXPECT_EQ(form->edit1->Text(), "5");
    }
    // Typing on keeps what was typed: only entering selects.
    ASSERT_TRUE(InjectText("e15"));
    Pump();
    EXPECT_EQ(form->edit1->Text(), "5e15");
    // A click into the box puts the caret where it was clicked.
    form->buttonLeft->SetFocus();
    Pump();
    form->edit1->SetText("1");
    InjectClick(form->edit1->Handle(), form->edit1->Width() - 3, form->edit1->Height() / 2);
    Pump();
    ASSERT_TRUE(form->edit1->Focused());
    ASSERT_TRUE(InjectText("5"));
    Pump();
    EXPECT_EQ(form->edit1->Text(), "15");
    form->Hide();
}

// A button with the keyboard focus shows a dotted focus mark inside its edge,
// in the native window and in the framework's own drawing of it alike.
TEST(Form, FocusedButtonShowsAFocusMark) {
    auto form = Load(Description());
    form->Show();
    Pump();
    TButton& button = *form->buttonLeft;
    const int w = button.Width(), h = button.Height();
    // Dark pixels on the mark's top edge, between its corners.
    auto markPixels = [&](auto pixel) {
        int dark = 0;
        for (int x = FocusMarkInset + 1; x < w - FocusMarkInset - 1; ++x) {
            const RgbColor c = pixel(x, FocusMarkInset);
            if ((c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60) ++dark;
        }
        return dark;
    };
    const int span = w - 2 * FocusMarkInset - 2;
    for (const bool focused : {false, true}) {
        SCOPED_TRACE(focused ? "focused" : "not focused");
        (focused ? static_cast<TWinControl*>(&button) : static_cast<TWinControl*>(form->edit1))->SetFocus();
        Pump();
        ASSERT_EQ(button.Focused(), focused);
        TOffscreenBitmap native(w, h);
        button.Handle().RenderTo(native);
        TBitmap drawn(w, h);
        button.PaintTo(drawn.Canvas(), 0, 0);
        for (const int dark : {markPixels([&](int x, int y) { return native.Pixel(x, y); }),
                               markPixels([&](int x, int y) { return drawn.Offscreen().Pixel(x, y); })}) {
            if (focused) {
                // Dotted: every other pixel, give or take the ends.
                EXPECT_GE(dark, span / 2 - 1);
                EXPECT_LT(dark, span);
            } else {
                EXPECT_EQ(dark, 0);
            }
        }
    }
    form->Hide();
}

TEST(Form, ClickReachesTheHandlerBoundByNameAndSpaceClicksTheFocusedButton) {
    auto form = Load(Description());
    form->Show();
    Pump();
    InjectClick(form->buttonLeft->Handle(), 10, 10);
    Pump();
    EXPECT_EQ(form->leftClicks, 1);
    form->buttonLeft->SetFocus();
    Pump();
    ASSERT_TRUE(InjectKey(vk::Space));
    Pump();
    EXPECT_EQ(form->leftClicks, 2);
    form->Hide();
}

TEST(Form, TypedTextReachesTheEditAndEnterThereClicksNothing) {
    auto form = Load(Description());
    int changes = 0;
    form->edit1->SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
    form->Show();
    Pump();
    form->edit1->SetFocus();
    form->edit1->SelectAll();
    Pump();
    ASSERT_TRUE(InjectText("2E16"));
    Pump();
    EXPECT_EQ(form->edit1->Text(), "2E16");
    EXPECT_GE(changes, 1);
    ASSERT_TRUE(InjectKey(vk::Return));
    Pump();
    EXPECT_EQ(form->leftClicks + form->rightClicks, 0);
    form->edit1->SetText("-10");
    EXPECT_EQ(form->edit1->Handle().Text(), "-10");
    form->Hide();
}

TEST(Form, AnErrorInAHandlerReachesTheHookOnceAndTheLoopGoesOn) {
    auto form = Load(Description());
    std::vector<std::string> errors;
    std::vector<TObject*> senders;
    SetApplicationErrorHandler([&](TObject* sender, std::exception_ptr e) {
        senders.push_back(sender);
        try {
            std::rethrow_exception(e);
        } catch (const Exception& x) {
            errors.push_back(x.Message());
        }
    });
    form->Show();
    Pump();
    InjectClick(form->buttonRight->Handle(), 10, 10);
    Pump();
    EXPECT_EQ(form->rightClicks, 1);
    ASSERT_EQ(errors, std::vector<std::string>{"boom"});
    EXPECT_EQ(senders[0], form->buttonRight);
    InjectClick(form->buttonLeft->Handle(), 10, 10);
    Pump();
    EXPECT_EQ(form->leftClicks, 1);
    EXPECT_EQ(errors.size(), 1u);
    SetApplicationErrorHandler(nullptr);
    form->Hide();
}

TEST(Form, InvalidationIsDeferredUntilThePaintArrives) {
    auto form = Load(Description());
    form->Show();
    Pump();
    const int before = form->chart->paints;
    form->chart->Invalidate();
    EXPECT_EQ(form->chart->paints, before);
    ProcessPendingPaints();
    EXPECT_EQ(form->chart->paints, before + 1);
    form->Hide();
}

TEST(Form, LabelsArePaintedOverTheirParent) {
    auto form = Load(Description());
    TBitmap bitmap(form->ClientWidth(), form->ClientHeight());
    form->PaintTo(bitmap.Canvas(), 0, 0);
    const TRect chart = form->chart->BoundsRect();
    const TRect label = form->label2->BoundsRect();
    // The chart's face, then its opaque yellow label on top.
    EXPECT_EQ(bitmap.Pixel(chart.right - 2, chart.bottom - 2), ColorToRgb(clBlue));
    EXPECT_EQ(bitmap.Pixel(chart.left + label.right - 1, chart.top + label.bottom - 1), ColorToRgb(clYellow));
    int red = 0;
    for (int y = label.top; y < label.bottom; ++y)
        for (int x = label.left; x < label.right; ++x) {
            const RgbColor c = bitmap.Pixel(chart.left + x, chart.top + y);
            if (RedOf(c) > 200 && GreenOf(c) < 100) ++red;
        }
    EXPECT_GT(red, 5);
    // The form's face, the image's top row red, bottom row black.
    EXPECT_EQ(bitmap.Pixel(5, 100), MakeRgb(240, 240, 240));
    EXPECT_EQ(bitmap.Pixel(120, 60), MakeRgb(255, 0, 0));
    EXPECT_EQ(bitmap.Pixel(121, 61), 0x000000u);
    // A transparent label lets the chart show through.
    form->label2->SetTransparent(true);
    bitmap.Canvas().Brush().SetColor(clWhite);
    bitmap.Canvas().FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
    form->PaintTo(bitmap.Canvas(), 0, 0);
    EXPECT_EQ(bitmap.Pixel(chart.left + label.right - 1, chart.top + label.bottom - 1), ColorToRgb(clBlue));
}

TEST(Form, ADescriptionFromAnotherResolutionIsScaledToTheScreen) {
    const struct {
        int pixelsPerInch, fontHeight, textHeight;
        int expectedFontHeight, expectedLeft, expectedClientWidth;
    } cases[] = {
        {96, -16, 16, -16, 100, 500},  // the design resolution: unscaled
        {120, -20, 20, -16, 80, 400},  // 120 dpi: font and controls by 96/120
        {144, -24, 24, -16, 67, 333},
    };
    for (const auto& c : cases) {
        StreamBuilder b;
        b.Signature().Record("TTestForm", "TestForm");
        b.Prop("ClientWidth").Int(500).Prop("ClientHeight").Int(300).Prop("Font.Height").Int(c.fontHeight);
        b.Prop("PixelsPerInch").Int(c.pixelsPerInch).Prop("TextHeight").Int(c.textHeight);
        b.End();
        b.Record("TButton", "ButtonLeft").Prop("Left").Int(100).Prop("Top").Int(10).End().End();
        b.End();
        auto form = Load(b.bytes);
        EXPECT_EQ(form->Font()->Height(), c.expectedFontHeight) << c.pixelsPerInch;
        EXPECT_EQ(form->buttonLeft->Left(), c.expectedLeft) << c.pixelsPerInch;
        EXPECT_EQ(form->ClientWidth(), c.expectedClientWidth) << c.pixelsPerInch;
        EXPECT_EQ(form->PixelsPerInch(), 96);
    }
}

TEST(Form, AMalformedPictureFailsTheReadWithTheBitmapMessage) {
    RegisterFrameworkClasses();
    StreamBuilder b;
    b.Signature().Record("TTestForm", "TestForm").End();
    b.Record("TImage", "Image1")
        .Prop("Picture.Data")
        .Binary(std::string("\x07TBitmap\x04\x00\x00\x00"
                            "BMxx",
                            16));
    b.End().End().End();
    auto form = std::make_unique<TTestForm>(nullptr);
    TMemoryStream stream(b.bytes);
    TReader reader(stream);
    try {
        reader.ReadRoot(form.get());
        ADD_FAILURE() << "the bitmap was accepted";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("ビットマップ イメージが不正です"), std::string::npos) << e.Message();
    }
}

TEST(Form, ClosingTheMainWindowQuitsAndAnotherWindowHides) {
    auto main = Load(Description());
    auto other = Load(Description());
    SetMainForm(main.get());
    other->Show();
    main->Show();
    Pump();
    ResetQuitMessage();
    other->Close();
    EXPECT_FALSE(other->Visible());
    Pump();
    EXPECT_FALSE(QuitMessageReceived());
    main->Close();
    Pump();
    EXPECT_TRUE(QuitMessageReceived());
    ResetQuitMessage();
    main.reset();
    EXPECT_EQ(MainForm(), nullptr);
}

}  // namespace
}  // namespace cvcalc
