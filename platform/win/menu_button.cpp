// The menu button: a glyph button that opens its drop-down menu.
#include "platform/win/menu_button.h"

#include "platform/win/menus.h"

namespace {
constexpr int kArrowRoom = 14;  // the arrow's column at the right of the face
}

const PropTable TMenuButton::Props{
    &TBitBtn::Props,
    {
        Prop::Obj("DropDownMenu", &TMenuButton::DropDownMenu, &TMenuButton::SetDropDownMenu),
        Prop::Event("OnDropDown", &TMenuButton::OnDropDown),
    }};
const TClassInfo TMenuButton::ClassInfo_{"TMenuButton", &TBitBtn::ClassInfo_, &TMenuButton::Props};

TMenuButton::TMenuButton(TComponent* owner) : TBitBtn(owner) {}

void TMenuButton::SetDropDownMenu(TPopupMenu* menu) {
    if (menu == dropDownMenu_) return;
    if (dropDownMenu_) RemoveFreeNotification(dropDownMenu_);
    dropDownMenu_ = menu;
    if (menu) FreeNotification(menu);
}

void TMenuButton::Notification(TComponent* component, TOperation operation) {
    TBitBtn::Notification(component, operation);
    if (operation == TOperation::opRemove && component == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TMenuButton::Click() {
    TBitBtn::Click();
    DropDown();
}

void TMenuButton::DropDown() {
    if (!dropDownMenu_ || droppedDown_ || !HandleAllocated()) return;
    if (OnDropDown) OnDropDown(this);
    const TPoint below = ClientToScreen({0, Height()});
    droppedDown_ = true;
    Invalidate();
    // Set back on every way out: the menu's items run inside Popup.
    struct Reset {
        TMenuButton& b;
        ~Reset() {
            b.droppedDown_ = false;
            b.Invalidate();
        }
    } reset{*this};
    dropDownMenu_->SetPopupComponent(this);
    dropDownMenu_->Popup(below.X, below.Y);
}

void TMenuButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SYSKEYDOWN:
        if (m.WParam == VK_DOWN) return DropDown();
        break;
    case WM_KEYDOWN:
        if (m.WParam == VK_F4) return DropDown();
        break;
    default: break;
    }
    TBitBtn::WndProc(m);
}

RECT TMenuButton::ContentRect(const RECT& client) const {
    RECT r = client;
    r.right -= kArrowRoom;
    return r;
}

void TMenuButton::DrawFace(HDC dc, const RECT& client, bool pressed, bool focused) {
    TBitBtn::DrawFace(dc, client, pressed || droppedDown_, focused);
    // A small triangle pointing down, in the text colour (the shadow colour when disabled).
    const int shift = pressed || droppedDown_ ? 1 : 0;
    const int cx = client.right - kArrowRoom / 2 - 1 + shift, cy = (client.top + client.bottom) / 2 + shift;
    const COLORREF colour = Enabled() ? ColorToRGB(Font()->Color()) : GetSysColor(COLOR_BTNSHADOW);
    Owned<HPEN> pen{CreatePen(PS_SOLID, 1, colour)};
    Owned<HBRUSH> brush{CreateSolidBrush(colour)};
    Selected usePen{dc, pen.get()};
    Selected useBrush{dc, brush.get()};
    const POINT arrow[] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
    Polygon(dc, arrow, 3);
}
