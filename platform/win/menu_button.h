// TMenuButton: a glyph button with a drop-down arrow at its right; a click opens its drop-down menu
// under it (Alt+Down and F4 too).
#pragma once

#include "platform/win/bit_btn.h"

class TPopupMenu;

class TMenuButton : public TBitBtn {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TMenuButton(TComponent* owner);

    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TPopupMenu* menu);
    // Shows the drop-down menu below the button and returns when it closes (the chosen item has run).
    void DropDown();
    bool DroppedDown() const { return droppedDown_; }
    // Before the menu opens.
    TNotifyEvent OnDropDown;

    // OnClick, then the drop-down.
    void Click() override;
    void WndProc(TMessage& m) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void DrawFace(HDC dc, const RECT& client, bool pressed, bool focused) override;
    RECT ContentRect(const RECT& client) const override;

private:
    TPopupMenu* dropDownMenu_ = nullptr;
    bool droppedDown_ = false;
};
