// TControl: bounds, alignment and anchors, parent font and colour, caption.
#include "framework/Control.h"

#include <algorithm>

#include "framework/WinControl.h"
#include "shell/core/ChangeField.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/Filer.h"
#include "shell/core/Reader.h"

namespace cvcalc {

const TTypeInfo& TypeInfoTAlign() {
    static const TTypeInfo info =
        TTypeInfo::Enumeration("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    return info;
}

const TTypeInfo& TypeInfoTAnchors() {
    static const TTypeInfo element = TTypeInfo::Enumeration("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
    static const TTypeInfo set = TTypeInfo::Set("TAnchors", element);
    return set;
}

const TTypeInfo& TypeInfoTAlignment() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    return info;
}

const TClassInfo& TControl::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TControl>("TControl", TComponent::StaticClassInfo())
            .Integer("Left", &TControl::Left, &TControl::SetLeft)
            .Integer("Top", &TControl::Top, &TControl::SetTop)
            .Integer("Width", &TControl::Width, &TControl::SetWidth)
            .Integer("Height", &TControl::Height, &TControl::SetHeight)
            .Ordinal("Align", TypeInfoTAlign(), &TControl::Align, &TControl::SetAlign, alNone)
            .Ordinal("Anchors", TypeInfoTAnchors(), &TControl::Anchors, &TControl::SetAnchors,
                     TAnchors{akLeft, akTop}.Bits())
            .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true)
            .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
            .Ordinal("Color", TypeInfoTColor(), &TControl::Color, &TControl::SetColor, clBtnFace)
            .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false)
            .Object("Font", &TControl::Font, &TControl::SetFont)
            .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
            .String("Caption", &TControl::Caption, &TControl::SetCaption)
            .String("Hint", &TControl::Hint, &TControl::SetHint)
            .Ordinal("Cursor", TypeInfoTCursor(), &TControl::Cursor, &TControl::SetCursor, crDefault)
            .Integer("Tag", &TControl::Tag, &TControl::SetTag, 0)
            .Event("OnClick", &TControl::OnClick, &TControl::SetOnClick);
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.SetOnChange([this] { OnFontChange(); });
}

TControl::~TControl() {
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) return;
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::AttachToParent(TComponent* parent) {
    if (auto* win = dynamic_cast<TWinControl*>(parent)) SetParent(win);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool wasShowing = parent_ && visible_;
    if (wasShowing && !IsWindowed()) Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (keepRules_ == 0 && !Loading()) UpdateAnchorRules();
    BoundsChanged();
    if (!IsWindowed()) Invalidate();
}

void TControl::SetBoundsKeepingRules(int left, int top, int width, int height) {
    ++keepRules_;
    try {
        SetBounds(left, top, width, height);
    } catch (...) {
        --keepRules_;
        throw;
    }
    --keepRules_;
}

void TControl::BoundsChanged() {
    // A control's new place may change how its parent aligns or sizes itself.
    if (parent_ && !Loading()) parent_->Realign();
}

void TControl::UpdateAnchorRules() {
    if (!parent_) return;
    UpdateAnchorRules(parent_->ClientWidth(), parent_->ClientHeight());
}

void TControl::UpdateAnchorRules(int parentWidth, int parentHeight) {
    anchorRight_ = parentWidth - (left_ + width_);
    anchorBottom_ = parentHeight - (top_ + height_);
}

void TControl::ApplyAnchors(int parentWidth, int parentHeight) {
    if (align_ != alNone) return;
    int left = left_, top = top_, width = width_, height = height_;
    if (anchors_.Contains(akRight)) {
        if (anchors_.Contains(akLeft))
            width = parentWidth - anchorRight_ - left;
        else
            left = parentWidth - anchorRight_ - width;
    }
    if (anchors_.Contains(akBottom)) {
        if (anchors_.Contains(akTop))
            height = parentHeight - anchorBottom_ - top;
        else
            top = parentHeight - anchorBottom_ - height;
    }
    SetBoundsKeepingRules(left, top, width, height);
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_ && !Loading()) parent_->Realign();
}

void TControl::SetAnchors(TAnchors anchors) {
    anchors_ = anchors;
    if (!Loading()) UpdateAnchorRules();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    if (!IsWindowed() && visible_) Invalidate();
    visible_ = visible;
    if (!IsWindowed() && visible_) Invalidate();
    if (parent_ && !Loading()) parent_->Realign();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool enabled) {
    ChangeField(enabled_, enabled, [this] { Invalidate(); });
}

void TControl::SetColor(TColor color) {
    if (!inheritingColor_) parentColor_ = false;
    ChangeField(color_, color, [this] { ColorChanged(); });
}

void TControl::SetParentColor(bool parentColor) {
    parentColor_ = parentColor;
    if (parentColor_) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!parentColor_ || !parent_) return;
    inheritingColor_ = true;
    SetColor(parent_->Color());
    inheritingColor_ = false;
}

void TControl::SetFont(TFont* font) {
    if (font) font_.Assign(*font);
}

void TControl::SetParentFont(bool parentFont) {
    parentFont_ = parentFont;
    if (parentFont_) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    inheritingFont_ = true;
    font_.Assign(*parent_->Font());
    inheritingFont_ = false;
}

void TControl::OnFontChange() {
    // A font set on the control itself stops following the parent's.
    if (!inheritingFont_) parentFont_ = false;
    FontChanged();
}

void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }

void TControl::SetCaption(const std::string& caption) {
    ChangeField(caption_, caption, [this] { TextChanged(); });
}

void TControl::TextChanged() { Invalidate(); }

void TControl::Click() { onClick_(this); }

void TControl::Invalidate() {
    if (parent_ && visible_ && !IsWindowed()) parent_->InvalidateRect(BoundsRect());
}

void TControl::Paint(TCanvas&) {}

void TControl::DefineExtraProperties(TFiler& filer) {
    TComponent::DefineExtraProperties(filer);
    // Written by the designer for its own use; read and dropped.
    filer.DefineNamedProperty(
        "IsControl", [](TReader& r) { r.ReadBoolean(); }, nullptr, false);
    for (const char* name : {"ExplicitLeft", "ExplicitTop", "ExplicitWidth", "ExplicitHeight"})
        filer.DefineNamedProperty(
            name, [](TReader& r) { r.ReadInteger(); }, nullptr, false);
}

void TControl::AfterLoad() {
    TComponent::AfterLoad();
    if (!parent_) return;
    // The stored bounds were laid out against the parent's design-time
    // client size; the margins to keep are the ones of that size, not of
    // whatever size the parent has by the end of loading.
    const PixelSize design = parent_->DesignSize();
    UpdateAnchorRules(design.width > 0 ? design.width : parent_->ClientWidth(),
                      design.height > 0 ? design.height : parent_->ClientHeight());
}

}  // namespace cvcalc
