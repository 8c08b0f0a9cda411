// TWinControl: a control with a native platform window of its own, which
// holds child controls, aligns them, keeps their anchors, paints its graphic
// children after itself, and takes part in keyboard focus and tab order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Control.h"

namespace cvcalc {

class TForm;

class TWinControl : public TControl {
public:
    CVCALC_CLASS_INFO()

    explicit TWinControl(TComponent* owner);
    // Destroys the owned components first, so that children leave a parent
    // that is still whole.
    ~TWinControl() override;

    // The native window, made when first needed (under the parent's).
    TNativeWindow& Handle();
    bool HandleAllocated() const { return native_ != nullptr; }

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    bool IsWindowed() const override { return true; }

    // Children in stacking order (creation order; BringToFront moves one last).
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void BringToFront();

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // Windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return tabList_; }
    // Can take the keyboard focus: a tab stop that is showing and enabled.
    bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;

    // What assistive technology is told of the control (see
    // TNativeWindow::SetAccessibleName); kept until the window exists.
    void SetAccessibleName(const std::string& name);
    void SetAccessibleDescription(const std::string& description);
    const std::string& AccessibleName() const { return accessibleName_; }
    const std::string& AccessibleDescription() const { return accessibleDescription_; }

    // Alignment of the children is suspended while reading or resizing in
    // steps; the last EnableAlign realigns.
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    void Realign();
    // The part of the client area that aligned children share.
    virtual TRect AdjustClientRect() const { return ClientRect(); }

    // Fills the client area with the control's colour.
    void Paint(TCanvas& canvas) override;
    void Invalidate() override;
    void InvalidateRect(const TRect& rect);
    // Delivers a pending paint now.
    void Update();
    void Repaint();

    // Paints this control, its graphic children and its windowed children
    // into `canvas` with the control's top-left corner at (x, y) of the
    // canvas: what the window would show, for tests and bitmaps.
    void PaintTo(TCanvas& canvas, int x, int y);

    // The message procedure; descendants handle their messages and pass
    // the rest on.
    virtual void WndProc(Message& message);

    // The form this control lies on, or null.
    TForm* ParentForm();

    void AfterLoad() override;
    void DefineExtraProperties(TFiler& filer) override;
    // The client size at design time ("DesignSize"), or 0 x 0.
    PixelSize DesignSize() const { return designSize_; }
    void SetDesignSize(PixelSize size) { designSize_ = size; }

protected:
    // Called after every alignment pass (forms size themselves here).
    virtual void ControlsAligned() {}
    virtual NativeWindowKind NativeKind() const { return NativeWindowKind::Plain; }
    // Called once the native window exists, to hand it the control's state.
    virtual void HandleCreated();
    void BoundsChanged() override;
    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    // The parent of the control moved its native window along.
    virtual void ClientResized();
    // Paints the face and then the graphic children over it.
    void PaintHandler(TSurface& surface);
    void PaintControls(TCanvas& canvas);

    // Message hooks.
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseMove(ShiftState shift, int x, int y);
    virtual void MouseWheel(int delta, ShiftState shift, int x, int y);
    virtual void KeyDown(int key, ShiftState shift, bool& handled);
    virtual void CancelMode();

    std::unique_ptr<TNativeWindow> native_;
    TCanvas canvas_;

private:
    void AlignControls();
    void MoveNativeBounds();

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    PixelSize designSize_;
    std::string accessibleName_;
    std::string accessibleDescription_;
};

}  // namespace cvcalc
