// TSkinEdit: a flat skinned border over an edit's sunken one (a ring in the skin's shadow colour, two white
// rings inside it); the text area is left to the control.
#pragma once

#include "skin/controls/win/skin_control.h"

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;

private:
    void PrintBorder(HDC dc);
};
