// Flat backgrounds in the skin's face colour: TSkinSizer makes a size grip a plain square of it (the grip
// paints itself first, then the face goes over it); TSkinBoxH erases child dialogs and tool bars in it and
// gives the statics on them its brush and its button text.
#pragma once

#include "skin/controls/win/skin_control.h"

class TSkinSizer : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void DrawControl(HDC dc, const TRect& rc) override;
};

class TSkinBoxH : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    Route BeforeProc(TMessage& Message) override;
};
