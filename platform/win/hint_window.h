// THintWindow: a small top-most popup that shows a line of help text and never takes the activation.
#pragma once

#include "platform/win/controls.h"

class THintWindow : public TCustomControl {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit THintWindow(TComponent* owner);

    // The screen rectangle (at the origin) the text needs, wrapped at maxWidth pixels.
    TRect CalcHintRect(int maxWidth, const std::wstring& text);
    // Shows the text in rect (screen coordinates) without activating anything.
    void ActivateHint(const TRect& rect, const std::wstring& text);
    void ReleaseHandle();

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void WndProc(TMessage& m) override;
};
