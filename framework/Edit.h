// TEdit: a single-line edit box over the platform's native edit window.
// Its text is what the user typed or what the program set; it is a tab
// stop by default.
#pragma once

#include "framework/WinControl.h"

namespace cvcalc {

class TEdit : public TWinControl {
public:
    CVCALC_CLASS_INFO()

    explicit TEdit(TComponent* owner);

    const std::string& Text() const { return caption_; }
    void SetText(const std::string& text) { SetCaption(text); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);
    void SelectAll();

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& event) { onChange_ = event; }

    void WndProc(Message& message) override;
    // A white box with a sunken frame and the text, as the window shows it.
    void Paint(TCanvas& canvas) override;

protected:
    NativeWindowKind NativeKind() const override { return NativeWindowKind::Edit; }
    void HandleCreated() override;

private:
    bool readOnly_ = false;
    int maxLength_ = 0;
    TNotifyEvent onChange_;
};

}  // namespace cvcalc
