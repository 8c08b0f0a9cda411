// TForm: a top-level window built from its form description.  It reads the
// description's form-level values (resolution, text height, client size),
// sizes itself to its controls when AutoSize is on, keeps track of the
// focused control and tab navigation, and on close either ends the program
// (the main window, through the platform's quit message) or hides.
#pragma once

#include "framework/WinControl.h"

namespace cvcalc {

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TTypeInfo& TypeInfoTPosition();
const TTypeInfo& TypeInfoTFormBorderStyle();

class TForm : public TWinControl {
public:
    CVCALC_CLASS_INFO()

    // A plain form, or, for a descendant class with descriptions embedded
    // under its own or an ancestor's name, the form those build.
    // An empty form.  A descendant class calls ReadDescription() first in
    // its constructor body (its fields exist by then) to build its controls
    // from the descriptions embedded under its class names.
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Reads the descriptions of the form's class and its ancestors below
    // TForm.  A plain TForm without one stays empty (false); a descendant
    // without one raises EResNotFound "%s リソースが見つかりません".
    bool ReadDescription();

    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetClientSize(int width, int height);

    TPosition Position() const { return position_; }
    void SetPosition(TPosition position);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
    bool Scaled() const { return scaled_; }
    void SetScaled(bool value) { scaled_ = value; }
    int PixelsPerInch() const { return pixelsPerInch_; }
    // The design text height carried through font changes by scaling.
    int TextHeight() const { return textHeight_; }

    // Shows the window; the first activation focuses the first focusable
    // control in tab order.
    void Show();
    // The main window posts the quit message; any other window hides.
    void Close();

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) tab stop after `current`,
    // wrapping around; returns the control that took it.  From a control
    // outside the tab order that was given the focus by code (a chart
    // chosen from the keyboard) it goes on from the tab stop that had the
    // focus before, as if that control sat right after it.
    TWinControl* SelectNext(TWinControl* current, bool forward);
    // The window's keys, asked before the focused control sees a key: true
    // when the form acted on it.  A plain form has none.
    virtual bool IsShortCut(int key, ShiftState shift);
    // The first focusable control in tab order, or null.
    TWinControl* FindFirstTabStop();
    void FocusFirstControl();

    void ReadOwnState(TReader& reader) override;
    void DefineExtraProperties(TFiler& filer) override;
    void AfterLoad() override;
    void WndProc(Message& message) override;

    // Used by the controls.
    void FocusChanged(TWinControl* control);
    void ControlRemoving(TControl* control);

protected:
    void ClientResized() override;
    void ControlsAligned() override;
    void AdjustSize();

private:
    void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& list);

    TPosition position_ = poDesigned;
    TFormBorderStyle borderStyle_ = bsSizeable;
    bool autoSize_ = false;
    bool oldCreateOrder_ = false;
    bool scaled_ = true;
    int pixelsPerInch_ = 96;
    int textHeight_ = 0;
    // Values of the description being read, applied at its end.
    int streamClientWidth_ = 0;
    int streamClientHeight_ = 0;
    int streamPixelsPerInch_ = 0;
    int streamTextHeight_ = 0;
    bool adjustingSize_ = false;
    bool activated_ = false;
    TWinControl* activeControl_ = nullptr;
    // The tab stop that last had the focus.
    TWinControl* lastTabStop_ = nullptr;
};

// The main window: closing it ends the program.  The application object
// sets it to its first window; tests set their own.
void SetMainForm(TForm* form);
TForm* MainForm();

}  // namespace cvcalc
