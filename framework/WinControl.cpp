// TWinControl: native windows, children, alignment, painting and focus.
#include "framework/WinControl.h"

#include <algorithm>

#include "framework/ApplicationErrors.h"
#include "framework/Form.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/Filer.h"
#include "shell/core/Reader.h"

namespace cvcalc {

const TClassInfo& TWinControl::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TWinControl>("TWinControl", TControl::StaticClassInfo())
                                       .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
                                       .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false);
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    DestroyComponents();
    for (TControl* c : controls_) c->parent_ = nullptr;
    controls_.clear();
    tabList_.clear();
    // Leave the parent while this is still a windowed control, so that the
    // parent's tab list and its form's focus forget it.
    if (parent_) parent_->RemoveControl(this);
}

TNativeWindow& TWinControl::Handle() {
    if (!native_) {
        TNativeWindow* parentWindow = parent_ ? &parent_->Handle() : nullptr;
        native_ = std::make_unique<TNativeWindow>(NativeKind(), parentWindow);
        native_->SetMessageProc([this](Message& m) {
            try {
                WndProc(m);
            } catch (...) {
                HandleApplicationError(this, std::current_exception());
            }
        });
        HandleCreated();
    }
    return *native_;
}

void TWinControl::HandleCreated() {
    MoveNativeBounds();
    native_->SetText(caption_);
    if (NativeKind() != NativeWindowKind::Plain) native_->SetFont(font_.Request());
    native_->SetEnabled(enabled_);
    if (!accessibleName_.empty()) native_->SetAccessibleName(accessibleName_);
    if (!accessibleDescription_.empty()) native_->SetAccessibleDescription(accessibleDescription_);
    native_->SetVisible(visible_);
}

void TWinControl::SetAccessibleName(const std::string& name) {
    if (name == accessibleName_) return;
    accessibleName_ = name;
    if (native_) native_->SetAccessibleName(name);
}

void TWinControl::SetAccessibleDescription(const std::string& description) {
    if (description == accessibleDescription_) return;
    accessibleDescription_ = description;
    if (native_) native_->SetAccessibleDescription(description);
}

void TWinControl::MoveNativeBounds() {
    if (native_) native_->SetBounds(BoundsRect());
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == parent_ || parent == this) return;
    TControl::SetParent(parent);
    if (native_) native_->SetParent(parent_ ? &parent_->Handle() : nullptr);
    if (parent_) Handle();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = width_, oldHeight = height_;
    TControl::SetBounds(left, top, width, height);
    if (width_ != oldWidth || height_ != oldHeight) ClientResized();
}

void TWinControl::BoundsChanged() {
    MoveNativeBounds();
    TControl::BoundsChanged();
}

void TWinControl::ClientResized() {
    Realign();
    Invalidate();
}

void TWinControl::SetVisible(bool visible) {
    TControl::SetVisible(visible);
    if (native_) native_->SetVisible(visible_);
}

void TWinControl::SetEnabled(bool enabled) {
    TControl::SetEnabled(enabled);
    if (native_) native_->SetEnabled(enabled_);
}

void TWinControl::TextChanged() {
    if (native_) native_->SetText(caption_);
    TControl::TextChanged();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    if (native_ && NativeKind() != NativeWindowKind::Plain) native_->SetFont(font_.Request());
    for (TControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* c : controls_) c->ParentColorChanged();
}

void TWinControl::InsertControl(TControl* control) {
    if (!control || control->parent_ == this) return;
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) tabList_.push_back(win);
    control->ParentFontChanged();
    control->ParentColorChanged();
    if (!control->Loading()) control->UpdateAnchorRules();
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    if (!control || control->parent_ != this) return;
    control->Invalidate();
    if (TForm* form = ParentForm()) form->ControlRemoving(control);
    std::erase(controls_, control);
    std::erase_if(tabList_, [control](TWinControl* w) { return w == control; });
    control->parent_ = nullptr;
}

void TWinControl::BringToFront() {
    if (parent_) {
        auto& list = parent_->controls_;
        std::erase(list, static_cast<TControl*>(this));
        list.push_back(this);
    }
    if (native_) native_->BringToFront();
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tabList_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    std::erase(list, this);
    // Orders beyond the end, or negative ones, put the control last.
    const auto size = static_cast<int>(list.size());
    if (order < 0 || order > size) order = size;
    list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

void TWinControl::SetFocus() {
    Handle().SetFocus();
    if (TForm* form = ParentForm()) form->FocusChanged(this);
}

bool TWinControl::Focused() const { return native_ && native_->HasFocus(); }

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

void TWinControl::Realign() {
    if (alignDisabled_ > 0 || aligning_ || Loading()) return;
    AlignControls();
}

void TWinControl::AlignControls() {
    aligning_ = true;
    try {
        TRect rest = AdjustClientRect();
        auto take = [&](TAlign align, auto before) {
            std::vector<TControl*> list;
            for (TControl* c : controls_)
                if (c->align_ == align && c->visible_) list.push_back(c);
            std::stable_sort(list.begin(), list.end(), before);
            for (TControl* c : list) {
                const int w = c->width_, h = c->height_;
                switch (align) {
                case alTop:
                    c->SetBoundsKeepingRules(rest.left, rest.top, rest.Width(), h);
                    rest.top += c->height_;
                    break;
                case alBottom:
                    c->SetBoundsKeepingRules(rest.left, rest.bottom - h, rest.Width(), h);
                    rest.bottom -= c->height_;
                    break;
                case alLeft:
                    c->SetBoundsKeepingRules(rest.left, rest.top, w, rest.Height());
                    rest.left += c->width_;
                    break;
                case alRight:
                    c->SetBoundsKeepingRules(rest.right - w, rest.top, w, rest.Height());
                    rest.right -= c->width_;
                    break;
                default:
                    c->SetBoundsKeepingRules(rest.left, rest.top, rest.Width(), rest.Height());
                    break;
                }
            }
        };
        take(alTop, [](TControl* a, TControl* b) { return a->top_ < b->top_; });
        take(alBottom, [](TControl* a, TControl* b) { return a->top_ + a->height_ > b->top_ + b->height_; });
        take(alLeft, [](TControl* a, TControl* b) { return a->left_ < b->left_; });
        take(alRight, [](TControl* a, TControl* b) { return a->left_ + a->width_ > b->left_ + b->width_; });
        take(alClient, [](TControl*, TControl*) { return false; });
        for (TControl* c : controls_)
            if (c->align_ == alNone && !c->Loading()) c->ApplyAnchors(ClientWidth(), ClientHeight());
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
    ControlsAligned();
}

void TWinControl::Invalidate() {
    if (native_) native_->Invalidate();
}

void TWinControl::InvalidateRect(const TRect& rect) {
    if (native_) native_->Invalidate(rect);
}

void TWinControl::Update() {
    if (native_) native_->Update();
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::PaintHandler(TSurface& surface) {
    canvas_.Attach(&surface);
    canvas_.SetOrigin({});
    try {
        Paint(canvas_);
        PaintControls(canvas_);
    } catch (...) {
        canvas_.Attach(nullptr);
        throw;
    }
    canvas_.Attach(nullptr);
}

void TWinControl::Paint(TCanvas& canvas) {
    canvas.Brush().SetColor(color_);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(ClientRect());
}

void TWinControl::PaintControls(TCanvas& canvas) {
    const TPoint base = canvas.Origin();
    for (TControl* c : controls_) {
        if (c->IsWindowed() || !c->visible_ || c->width_ == 0 || c->height_ == 0) continue;
        canvas.ClipRect(c->BoundsRect());
        canvas.SetOrigin(TPoint{base.x + c->left_, base.y + c->top_});
        c->Paint(canvas);
        canvas.SetOrigin(base);
        canvas.RestoreClip();
    }
}

void TWinControl::PaintTo(TCanvas& canvas, int x, int y) {
    const TPoint saved = canvas.Origin();
    canvas.SetOrigin(TPoint{saved.x + x, saved.y + y});
    canvas.ClipRect(TRect{0, 0, width_, height_});
    Paint(canvas);
    PaintControls(canvas);
    for (TControl* c : controls_) {
        auto* win = dynamic_cast<TWinControl*>(c);
        if (win && win->visible_) win->PaintTo(canvas, win->left_, win->top_);
    }
    canvas.RestoreClip();
    canvas.SetOrigin(saved);
}

void TWinControl::WndProc(Message& m) {
    switch (m.kind) {
    case MessageKind::Paint:
        if (m.surface) PaintHandler(*m.surface);
        break;
    case MessageKind::Resize:
        if (native_ && native_->IsTopLevel()) {
            const PixelRect b = native_->Bounds();
            if (b.Width() != width_ || b.Height() != height_) {
                width_ = b.Width();
                height_ = b.Height();
                ClientResized();
            }
        }
        break;
    case MessageKind::Move:
        if (native_ && native_->IsTopLevel()) {
            left_ = m.x;
            top_ = m.y;
        }
        break;
    case MessageKind::MouseDown:
        MouseDown(m.button, m.shift, m.x, m.y);
        break;
    case MessageKind::MouseUp:
        MouseUp(m.button, m.shift, m.x, m.y);
        break;
    case MessageKind::MouseMove:
        MouseMove(m.shift, m.x, m.y);
        break;
    case MessageKind::MouseWheel:
        MouseWheel(m.wheelDelta, m.shift, m.x, m.y);
        break;
    case MessageKind::KeyDown: {
        bool handled = false;
        TForm* form = ParentForm();
        if (m.key == vk::Tab && (m.shift & (shift::Ctrl | shift::Alt)) == 0) {
            if (form) form->SelectNext(this, (m.shift & shift::Shift) == 0);
            handled = true;
        } else if (form && form->IsShortCut(m.key, m.shift)) {
            // The window's own keys work wherever the focus is; an edit
            // never sees them.
            handled = true;
        } else {
            KeyDown(m.key, m.shift, handled);
        }
        m.handled = m.handled || handled;
        break;
    }
    case MessageKind::Click:
        Click();
        break;
    case MessageKind::SetFocus:
        if (TForm* form = ParentForm()) form->FocusChanged(this);
        break;
    case MessageKind::CancelMode:
        CancelMode();
        break;
    default:
        break;
    }
}

void TWinControl::MouseDown(MouseButton, ShiftState, int, int) {}
void TWinControl::MouseUp(MouseButton, ShiftState, int, int) {}
void TWinControl::MouseMove(ShiftState, int, int) {}
void TWinControl::MouseWheel(int, ShiftState, int, int) {}
void TWinControl::KeyDown(int, ShiftState, bool&) {}
void TWinControl::CancelMode() {}

TForm* TWinControl::ParentForm() {
    TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(c);
}

void TWinControl::DefineExtraProperties(TFiler& filer) {
    TControl::DefineExtraProperties(filer);
    filer.DefineNamedProperty(
        "DesignSize",
        [this](TReader& r) {
            r.ReadListBegin();
            const int w = r.ReadInteger();
            const int h = r.ReadInteger();
            r.ReadListEnd();
            designSize_ = PixelSize{w, h};
        },
        nullptr, designSize_.width != 0 || designSize_.height != 0);
}

void TWinControl::AfterLoad() {
    TControl::AfterLoad();
    Realign();
}

}  // namespace cvcalc
