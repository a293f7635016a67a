// TNCObject: a clickable object of a skinned window's non-client area (a caption button, a menu-bar item).
// At most one object of a window is hot or pressed at a time: the window's ActiveBtn. The objects redraw
// themselves on every state change; a hidden object ignores the mouse.
#pragma once

#include "platform/types.h"

class TNCObject;

// The window side of the non-client objects: which one is hot or pressed, and the hint that goes with it.
class NcObjectHost {
public:
    TNCObject* ActiveBtn = nullptr;
    // Hides the caption-button hint and forgets how long the mouse rested.
    virtual void HideHint() = 0;

protected:
    ~NcObjectHost() = default;
};

class TNCObject {
public:
    // The states; 0 before the first event reads as normal.
    static constexpr int kNormal = 1;
    static constexpr int kPressed = 2;
    static constexpr int kHot = 3;

    explicit TNCObject(NcObjectHost* owner) : SF(owner) {}
    virtual ~TNCObject();
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Draw() {}

    NcObjectHost* SF;
    TRect bounds;  // window coordinates
    bool visible = false;
    int state = 0;
    bool enabled = true;
};
