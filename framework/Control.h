// TControl: the base of everything a window shows.  A control has a parent
// (a windowed control), bounds in its parent's client area, an alignment or
// anchors that keep it in place when the parent resizes, a font and colour
// that follow the parent's unless set, a caption and a click event.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Canvas.h"
#include "framework/Font.h"
#include "shell/core/Component.h"
#include "shell/core/Event.h"

namespace cvcalc {

class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TEnumSet<TAnchorKind>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

const TTypeInfo& TypeInfoTAlign();
const TTypeInfo& TypeInfoTAnchors();
const TTypeInfo& TypeInfoTAlignment();

class TControl : public TComponent {
public:
    CVCALC_CLASS_INFO()
    friend class TWinControl;

    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // Negative sizes count as 0.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    TRect ClientRect() const { return TRect{0, 0, ClientWidth(), ClientHeight()}; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and through all its parents.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);
    TFont* Font() const { return &font_; }
    // Copies the font's attributes.
    void SetFont(TFont* font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    std::int32_t Tag() const { return tag_; }
    void SetTag(std::int32_t tag) { tag_ = tag; }

    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& event) { onClick_ = event; }
    // Runs the click event.
    virtual void Click();

    // Asks for a repaint of the control's area; painting follows when the
    // platform delivers the paint message.
    virtual void Invalidate();
    virtual bool IsWindowed() const { return false; }
    // Paints the control's own face; (0, 0) is its top-left corner.
    virtual void Paint(TCanvas& canvas);

    void AttachToParent(TComponent* parent) override;
    void DefineExtraProperties(TFiler& filer) override;
    void AfterLoad() override;

    // Used by the parent: the distances that right and bottom anchors keep
    // are remembered here, and applied when the parent's client area changes.
    void UpdateAnchorRules();
    void UpdateAnchorRules(int parentWidth, int parentHeight);
    void ApplyAnchors(int parentWidth, int parentHeight);
    // The parent's font or colour changed (or the control got a parent).
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();

protected:
    // The control's own reactions; descendants call these first.
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void BoundsChanged();
    bool Loading() const { return ComponentState().Contains(csLoading); }
    // Bounds set by the framework itself (alignment, anchors, automatic
    // size) leave the anchor rules as they are.
    void SetBoundsKeepingRules(int left, int top, int width, int height);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    mutable TFont font_;
    bool parentFont_ = true;
    std::string caption_;

private:
    void OnFontChange();

    std::string hint_;
    TCursor cursor_ = crDefault;
    std::int32_t tag_ = 0;
    TNotifyEvent onClick_;
    int anchorRight_ = 0;   // parent client width minus the right edge
    int anchorBottom_ = 0;  // parent client height minus the bottom edge
    int keepRules_ = 0;
    bool inheritingFont_ = false;
    bool inheritingColor_ = false;
};

}  // namespace cvcalc
