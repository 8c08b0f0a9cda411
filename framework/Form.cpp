// TForm: form-level reading, automatic size, focus, tab navigation, close.
#include "framework/Form.h"

#include <algorithm>

#include "platform/core/MessageTable.h"
#include "platform/core/Resources.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/Filer.h"
#include "shell/core/FormLoader.h"
#include "shell/core/Reader.h"
#include "shell/core/StreamErrors.h"

namespace cvcalc {
namespace {

TForm* mainForm = nullptr;

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    if (c == 0) return a;
    const long long p = static_cast<long long>(a) * b;
    const long long half = (c < 0 ? -c : c) / 2;
    const long long q =
        (p >= 0) == (c > 0) ? (std::llabs(p) + half) / std::llabs(c) : -((std::llabs(p) + half) / std::llabs(c));
    return static_cast<int>(std::clamp<long long>(q, INT32_MIN, INT32_MAX));
}

void ScaleChildren(TWinControl& parent, int num, int den) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        c->SetBounds(MulDiv(c->Left(), num, den), MulDiv(c->Top(), num, den), MulDiv(c->Width(), num, den),
                     MulDiv(c->Height(), num, den));
        if (auto* win = dynamic_cast<TWinControl*>(c)) {
            const PixelSize d = win->DesignSize();
            win->SetDesignSize(PixelSize{MulDiv(d.width, num, den), MulDiv(d.height, num, den)});
            ScaleChildren(*win, num, den);
        }
    }
}

}  // namespace

void SetMainForm(TForm* form) { mainForm = form; }
TForm* MainForm() { return mainForm; }

const TTypeInfo& TypeInfoTPosition() {
    static const TTypeInfo info = TTypeInfo::Enumeration(
        "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                      "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
    return info;
}

const TTypeInfo& TypeInfoTFormBorderStyle() {
    static const TTypeInfo info = TTypeInfo::Enumeration(
        "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    return info;
}

const TClassInfo& TForm::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TForm>("TForm", TWinControl::StaticClassInfo())
            .Integer("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
            .Integer("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
            .Ordinal("Position", TypeInfoTPosition(), &TForm::Position, &TForm::SetPosition, poDesigned)
            .Ordinal("BorderStyle", TypeInfoTFormBorderStyle(), &TForm::BorderStyle, &TForm::SetBorderStyle, bsSizeable)
            .Boolean("AutoSize", &TForm::AutoSize, &TForm::SetAutoSize, false)
            .Boolean("OldCreateOrder", &TForm::OldCreateOrder, &TForm::SetOldCreateOrder, false)
            .Boolean("Scaled", &TForm::Scaled, &TForm::SetScaled, true)
            .Boolean("Visible", &TForm::Visible, &TForm::SetVisible, false)
            .Boolean("ParentFont", &TForm::ParentFont, &TForm::SetParentFont, false);
    return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    visible_ = false;
    parentFont_ = false;
    width_ = 320;
    height_ = 240;
    Handle();
    // Every window of the program carries the program's icon.
    if (const auto icon = FindResource(RT_GROUP_ICON, "MAINICON"))
        native_->SetIconFromBytes(icon->data(), icon->size());
}

TForm::~TForm() {
    if (mainForm == this) mainForm = nullptr;
    // The controls go while the form is still a form, so that they can
    // leave its focus bookkeeping.
    DestroyComponents();
}

bool TForm::ReadDescription() {
    if (LoadFormResources(this, TForm::StaticClassInfo())) return true;
    if (&ClassInfo() == &TForm::StaticClassInfo()) return false;
    throw EResNotFound(LoadMessageFormatted(msg::ResNotFound, {ClassName()}));
}

int TForm::ClientWidth() const {
    const PixelRect f = native_ ? native_->FrameExtents() : PixelRect{};
    return std::max(width_ - f.left - f.right, 0);
}

int TForm::ClientHeight() const {
    const PixelRect f = native_ ? native_->FrameExtents() : PixelRect{};
    return std::max(height_ - f.top - f.bottom, 0);
}

void TForm::SetClientWidth(int width) {
    if (ComponentState().Contains(csReading))
        streamClientWidth_ = width;
    else
        SetClientSize(width, ClientHeight());
}

void TForm::SetClientHeight(int height) {
    if (ComponentState().Contains(csReading))
        streamClientHeight_ = height;
    else
        SetClientSize(ClientWidth(), height);
}

void TForm::SetClientSize(int width, int height) {
    const PixelRect f = native_ ? native_->FrameExtents() : PixelRect{};
    SetBounds(left_, top_, std::max(width, 0) + f.left + f.right, std::max(height, 0) + f.top + f.bottom);
}

void TForm::SetPosition(TPosition position) { position_ = position; }

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    if (native_) native_->SetResizable(style == bsSizeable || style == bsSizeToolWin);
}

void TForm::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

void TForm::AdjustSize() {
    if (!autoSize_ || Loading() || adjustingSize_) return;
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    adjustingSize_ = true;
    try {
        SetClientSize(right, bottom);
    } catch (...) {
        adjustingSize_ = false;
        throw;
    }
    adjustingSize_ = false;
}

void TForm::ClientResized() { TWinControl::ClientResized(); }

void TForm::ControlsAligned() { AdjustSize(); }

void TForm::Show() {
    SetVisible(true);
    Handle().BringToFront();
}

void TForm::Close() {
    if (mainForm == this)
        PostQuitMessage();
    else
        Hide();
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control && control->Showing() && Showing())
        control->SetFocus();
    else
        activeControl_ = control;
}

void TForm::FocusChanged(TWinControl* control) {
    if (control == this) return;
    activeControl_ = control;
    if (control->TabStop()) lastTabStop_ = control;
}

void TForm::ControlRemoving(TControl* control) {
    for (TControl* c = lastTabStop_; c; c = c->Parent())
        if (c == control) {
            lastTabStop_ = nullptr;
            break;
        }
    for (TControl* c = activeControl_; c; c = c->Parent())
        if (c == control) {
            activeControl_ = nullptr;
            return;
        }
}

bool TForm::IsShortCut(int, ShiftState) { return false; }

void TForm::CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& list) {
    for (TWinControl* w : parent->TabList()) {
        if (!w->CanFocus()) continue;
        if (w->TabStop()) list.push_back(w);
        CollectTabStops(w, list);
    }
}

TWinControl* TForm::FindFirstTabStop() {
    std::vector<TWinControl*> list;
    CollectTabStops(this, list);
    return list.empty() ? nullptr : list.front();
}

TWinControl* TForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> list;
    CollectTabStops(this, list);
    if (list.empty()) return nullptr;
    const auto n = static_cast<int>(list.size());
    const auto it = std::find(list.begin(), list.end(), current);
    int index = it == list.end() ? -1 : static_cast<int>(it - list.begin());
    const auto last = std::find(list.begin(), list.end(), lastTabStop_);
    if (index < 0 && current != nullptr && current != this && last != list.end()) {
        index = static_cast<int>(last - list.begin());
        index = forward ? (index + 1) % n : index;
    } else if (index < 0) {
        index = forward ? 0 : n - 1;
    } else {
        index = forward ? (index + 1) % n : (index + n - 1) % n;
    }
    TWinControl* next = list[static_cast<std::size_t>(index)];
    next->SetFocus();
    return next;
}

void TForm::FocusFirstControl() {
    TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : FindFirstTabStop();
    if (target) target->SetFocus();
}

void TForm::WndProc(Message& m) {
    switch (m.kind) {
    case MessageKind::Close:
        Close();
        return;
    case MessageKind::Activate:
        if (!activated_) {
            activated_ = true;
            FocusFirstControl();
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

void TForm::ReadOwnState(TReader& reader) {
    DisableAlign();
    streamClientWidth_ = streamClientHeight_ = 0;
    streamPixelsPerInch_ = streamTextHeight_ = 0;
    textHeight_ = 0;
    TFont fontBefore;
    fontBefore.Assign(font_);
    try {
        TWinControl::ReadOwnState(reader);
        if (streamPixelsPerInch_ != 0 && streamTextHeight_ > 0) {
            const int screen = ScreenPixelsPerInch();
            const int heightAsRead = font_.Height();
            if (!font_.SameAs(fontBefore) && screen != streamPixelsPerInch_)
                font_.SetHeight(MulDiv(font_.Height(), screen, streamPixelsPerInch_));
            pixelsPerInch_ = screen;
            // The text height follows the font through that scaling.  It is
            // not measured: the faces that stand in here for the design
            // faces differ from them by a pixel, and measuring would rescale
            // every window that was designed at this very resolution.
            textHeight_ = MulDiv(streamTextHeight_, font_.Height(), heightAsRead == 0 ? 1 : heightAsRead);
            if (heightAsRead == 0) textHeight_ = streamTextHeight_;
            if (textHeight_ != streamTextHeight_) {
                ScaleChildren(*this, textHeight_, streamTextHeight_);
                streamClientWidth_ = MulDiv(streamClientWidth_, textHeight_, streamTextHeight_);
                streamClientHeight_ = MulDiv(streamClientHeight_, textHeight_, streamTextHeight_);
                const PixelSize d = DesignSize();
                SetDesignSize(PixelSize{MulDiv(d.width, textHeight_, streamTextHeight_),
                                        MulDiv(d.height, textHeight_, streamTextHeight_)});
            }
        }
        if (streamClientWidth_ > 0 && streamClientHeight_ > 0) {
            // Set directly: the reading state would park the values again.
            const PixelRect f = native_ ? native_->FrameExtents() : PixelRect{};
            SetBounds(left_, top_, streamClientWidth_ + f.left + f.right, streamClientHeight_ + f.top + f.bottom);
        } else if (streamClientWidth_ > 0) {
            const PixelRect f = native_ ? native_->FrameExtents() : PixelRect{};
            SetBounds(left_, top_, streamClientWidth_ + f.left + f.right, height_);
        } else if (streamClientHeight_ > 0) {
            const PixelRect f = native_ ? native_->FrameExtents() : PixelRect{};
            SetBounds(left_, top_, width_, streamClientHeight_ + f.top + f.bottom);
        }
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
}

void TForm::DefineExtraProperties(TFiler& filer) {
    TWinControl::DefineExtraProperties(filer);
    filer.DefineNamedProperty(
        "PixelsPerInch", [this](TReader& r) { streamPixelsPerInch_ = r.ReadInteger(); }, nullptr, true);
    filer.DefineNamedProperty(
        "TextHeight", [this](TReader& r) { streamTextHeight_ = r.ReadInteger(); }, nullptr, true);
    // Written by newer designers; nothing here depends on them.
    filer.DefineNamedProperty(
        "IgnoreFontProperty", [](TReader& r) { r.ReadBoolean(); }, nullptr, false);
    for (const char* name : {"GlassFrame.Enabled", "GlassFrame.SheetOfGlass"})
        filer.DefineNamedProperty(
            name, [](TReader& r) { r.ReadBoolean(); }, nullptr, false);
    for (const char* name : {"GlassFrame.Left", "GlassFrame.Top", "GlassFrame.Right", "GlassFrame.Bottom"})
        filer.DefineNamedProperty(
            name, [](TReader& r) { r.ReadInteger(); }, nullptr, false);
}

void TForm::AfterLoad() {
    TWinControl::AfterLoad();
    AdjustSize();
}

}  // namespace cvcalc
