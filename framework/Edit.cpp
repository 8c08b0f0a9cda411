// TEdit over the native edit window.
#include "framework/Edit.h"

#include "framework/Form.h"
#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TClassInfo& TEdit::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TEdit>("TEdit", TWinControl::StaticClassInfo())
                                       .String("Text", &TEdit::Text, &TEdit::SetText)
                                       .Boolean("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly, false)
                                       .Integer("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength, 0)
                                       .Boolean("TabStop", &TEdit::TabStop, &TEdit::SetTabStop, true)
                                       .Ordinal("Color", TypeInfoTColor(), &TEdit::Color, &TEdit::SetColor, clWindow)
                                       .Event("OnChange", &TEdit::OnChange, &TEdit::SetOnChange);
    return info;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 121;
    height_ = 21;
}

void TEdit::HandleCreated() {
    TWinControl::HandleCreated();
    native_->SetReadOnly(readOnly_);
    native_->SetMaxLength(maxLength_);
}

void TEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (native_) native_->SetReadOnly(readOnly);
}

void TEdit::SetMaxLength(int maxLength) {
    maxLength_ = maxLength < 0 ? 0 : maxLength;
    if (native_) native_->SetMaxLength(maxLength_);
}

void TEdit::SelectAll() {
    if (native_) native_->SelectAll();
}

void TEdit::WndProc(Message& m) {
    if (m.kind == MessageKind::SetFocus) {
        // Entering the box from another control by the keyboard (or by the
        // program) selects its whole text, so that typing replaces it; a
        // click places the caret instead, and a focus that only comes back
        // (after a message box, on reactivation) leaves the text as it was.
        const TForm* form = ParentForm();
        const bool entering = form == nullptr || form->ActiveControl() != this;
        TWinControl::WndProc(m);
        if (entering && m.button == MouseButton::None) SelectAll();
        return;
    }
    if (m.kind == MessageKind::TextChanged && native_) {
        // The window's text is the truth once the user types; a text the
        // program set comes back here too and changes nothing.
        std::string text = native_->Text();
        if (text != caption_) caption_ = std::move(text);
        onChange_(this);
        return;
    }
    TWinControl::WndProc(m);
}

void TEdit::Paint(TCanvas& canvas) {
    TRect r = ClientRect();
    canvas.Frame3D(r, clBtnShadow, clBtnHighlight, 1);
    canvas.Frame3D(r, cl3DDkShadow, cl3DLight, 1);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color_);
    canvas.FillRect(r);
    canvas.Font().Assign(font_);
    canvas.SetBackgroundMode(bmTransparent);
    canvas.SetTextAlign(0);
    canvas.ClipRect(r);
    canvas.TextOut(r.left + 2, r.top + (r.Height() - canvas.TextHeight(caption_)) / 2, caption_);
    canvas.RestoreClip();
}

}  // namespace cvcalc
