#include "skin/controls/win/skin_combo_box.h"

#include <cwctype>

#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "platform/win/subclass.h"
#include "skin/controls/combo_box_layout.h"
#include "skin/controls/win/combox_scroll_bar.h"
#include "skin/controls/win/skin_scrollbar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

using ButtonRole = Subclass<TSkinComBox, &TSkinComBox::ButtonProc>;

DWORD StyleOf(HWND h) { return DWORD(GetWindowLongPtrW(h, GWL_STYLE)); }

bool IsComboBoxClass(HWND h) { return LowerClassName(h) == "combobox"; }

// The combo box an extended combo box keeps as its child; nullptr when h is a combo box itself.
HWND ExtendedComboChild(HWND h) {
    if (IsComboBoxClass(h)) return nullptr;
    const HWND child = GetWindow(h, GW_CHILD);
    return child && IsComboBoxClass(child) ? child : nullptr;
}

void FrameColor(HDC dc, const TRect& r, COLORREF color) {
    if (r.IsEmpty()) return;
    Owned<HBRUSH> brush(CreateSolidBrush(color));
    const RECT rr = ToRECT(r);
    FrameRect(dc, &rr, brush.get());
}

}  // namespace

TSkinComBox::TSkinComBox(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinComBox::~TSkinComBox() {
    if (outerProc_ && control) control->WindowProc = outerProc_;
    UnhookButton();
    FreeLists();
}

// ---- Attaching

void TSkinComBox::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited) return;
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (!owner) return;
    if (const HWND inner = ExtendedComboChild(owner->Handle())) {
        // The extended box paints nothing of its own: the skin goes on the combo box it shows.
        TSkinControl::Inithwnd(inner, sd, acanvas, sf);
        control = owner;  // discovery knows the control as skinned, and so does the control's own window
        outerProc_ = owner->WindowProc;
        owner->WindowProc = [this](TMessage& m) { OuterProc(m); };
    } else {
        TSkinControl::Init(sf, sd, acanvas, acolor);
        if (!Inited) return;
    }
    AttachFramework(sd, sf);
}

void TSkinComBox::AttachFramework(TSkinData* sd, TComponent* sf) {
    dwStyle = StyleOf(hwnd);
    vb = nullptr;
    if ((dwStyle & 3) == CBS_SIMPLE) {
        COMBOBOXINFO ci{};
        ci.cbSize = sizeof ci;
        if (!SkinGetComboBoxInfo(hwnd, &ci) || !ci.hwndList) return;
        hlist = ci.hwndList;
        dwStyle = StyleOf(hlist);
        // Only a list that lives inside the box: a list on the desktop is a dropped one.
        if ((dwStyle & WS_CHILD) && !(dwStyle & WS_POPUP) && GetParent(hlist) != GetDesktopWindow()) {
            vb = new TSkinScrollbarH(this);
            vb->Inithwnd(hlist, sd, nullptr, sf);
        }
        return;
    }
    AddDropList();
    if (!isunicode) HookButton();
    hlist = nullptr;
}

void TSkinComBox::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf) {
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
    dwStyle = StyleOf(hwnd);
    vb = nullptr;
    if ((dwStyle & 3) == CBS_SIMPLE) {
        COMBOBOXINFO ci{};
        ci.cbSize = sizeof ci;
        if (SkinGetComboBoxInfo(hwnd, &ci)) hlist = ci.hwndList;
        return;
    }
    if (!isunicode) HookButton();
    hlist = nullptr;
}

void TSkinComBox::AddDropList() {
    db = nullptr;
    COMBOBOXINFO ci{};
    ci.cbSize = sizeof ci;
    if (!(dwStyle & CBS_DROPDOWN) || !SkinGetComboBoxInfo(hwnd, &ci) || !ci.hwndList) return;
    hlist = ci.hwndList;
    db = new TComboxScrollBar(this);
    db->Inithwnd(hlist, fsd, nullptr, skinform);
}

void TSkinComBox::HookButton() {
    hbtn = GetTopWindow(hwnd);
    if (!hbtn) return;
    FBtnPrevWndProc = ButtonRole::Attach(hbtn, this);
    if (FBtnPrevWndProc) FBtnObjectInst = ButtonRole::Proc();
}

void TSkinComBox::UnhookButton() {
    if (!FBtnObjectInst) return;
    ButtonRole::Detach(hbtn);
    FBtnObjectInst = nullptr;
}

// The list skinners are this skinner's components: whoever frees one first (this skinner, the form
// skinner's purge of dead skinners), it is freed once, and Notification forgets it here.
void TSkinComBox::FreeLists() {
    delete db;
    delete vb;
}

void TSkinComBox::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == db) db = nullptr;
    if (component == vb) vb = nullptr;
}

void TSkinComBox::Unsubclass() {
    TSkinControl::Unsubclass();
    UnhookButton();
    if (vb) vb->Unsubclass();
    if (db) db->Unsubclass();
    FreeLists();
}

// ---- Messages

void TSkinComBox::OuterProc(TMessage& Message) {
    switch (Message.Msg) {
    case SM_ISSKINNED:
        if (!skinned) return outerProc_(Message);
        Message.Result = 1;
        return;
    case SM_SETSKINNED: return NewWndProc(Message);  // the combo box the skin is on
    default: outerProc_(Message);
    }
}

void TSkinComBox::ButtonProc(TMessage& Message) {
    const HWND button = hbtn;
    Message.Result = ButtonRole::CallPrevious(button, Message);
    if (Message.Msg == WM_NCDESTROY) {
        FBtnObjectInst = nullptr;  // the role has left the window with its last message
        hbtn = nullptr;
        return;
    }
    if (!skinned) return;
    switch (Message.Msg) {
    case WM_PAINT: PaintControl(nullptr); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        state |= kPressed;
        RepaintNow();
        break;
    case WM_LBUTTONUP:
        state &= ~kPressed;
        RepaintNow();
        break;
    default: break;
    }
}

void TSkinComBox::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: break;  // the box repaints its field itself, and the skin with it
    case WM_DRAWITEM:
    case WM_NCPAINT: RepaintNow(); break;
    case WM_MOUSEMOVE: TrackHot(Message); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        state |= kPressed;
        RepaintNow();
        break;
    case WM_LBUTTONUP:
        state &= ~kPressed;
        RepaintNow();
        break;
    // The box hands the mouse to its list while the button is held (dragged into the list): the press
    // is over for the box, and it gets no button-up of its own.
    case WM_CAPTURECHANGED:
        if (state & kPressed) {
            state &= ~kPressed;
            RepaintNow();
        }
        break;
    case CM_MOUSELEAVE:
    case WM_MOUSELEAVE:
        if (state & kHot) {
            state &= ~kHot;
            RepaintNow();
        }
        break;
    case CN_COMMAND: ComboCommand(Message); break;
    default: TSkinControl::AfterProc(Message); break;
    }
}

void TSkinComBox::TrackHot(const TMessage& Message) {
    const POINT p = MousePoint(Message.LParam);
    enabled = !(StyleOf(hwnd) & WS_DISABLED);
    switch (TrackComboHot((state & kHot) != 0, enabled, rBtn, {p.x, p.y})) {
    case HotChange::Enter:
        state |= kHot;
        RepaintNow();
        break;
    case HotChange::Leave:
        state &= ~kHot;
        RepaintNow();
        break;
    case HotChange::None: break;
    }
    TrackMouseLeave(hwnd);
}

void TSkinComBox::ComboCommand(const TMessage& Message) {
    switch (HIWORD(Message.WParam)) {
    case CBN_DROPDOWN: isDrop = true; break;
    case CBN_CLOSEUP:
        isDrop = false;
        if (state & kPressed) {
            state &= ~kPressed;
            RepaintNow();
        }
        break;
    default: break;
    }
}

// ---- Painting

int TSkinComBox::CellIndex(bool flat) {
    focused = GetFocus() == hwnd;
    enabled = !(dwStyle & WS_DISABLED);
    const ComboLook look{enabled, focused, (state & kPressed) != 0, (state & kHot) != 0};
    return flat ? FlatComboCell(look) : ComboCell(look);
}

void TSkinComBox::DrawControl(HDC dc, const TRect& rc) {
    const TDataSkinBorder* button = fsd ? fsd->combox.get() : nullptr;
    if (!button || button->Map.Empty()) return;
    dwStyle = StyleOf(hwnd);
    ExStyle = DWORD(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    info = {};
    info.cbSize = sizeof info;
    // Without the platform's answer the button stays where it was last seen.
    if (SkinGetComboBoxInfo(hwnd, &info)) {
        rBtn = ToTRect(info.rcButton);
        if (info.stateButton & STATE_SYSTEM_INVISIBLE) return;  // a box without button (a simple one)
    }
    if (button->style == 1) return DrawFlat(dc, rc);

    const TRect R = rc.Offset(-rc.Left, -rc.Top);
    const int I = CellIndex(false);
    const int d = GetSystemMetrics(SM_CXHSCROLL);
    const bool left = (ExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    if (HasButton) {
        DrawFrame(dc, rc);
        DrawBtnArrow(dc, I);
        return;
    }
    if (button->style == 2) {
        // Whole faces: the field is key-coloured, so the box's own field shows through.
        const TDataSkinObject* face = left ? fsd->Comboxborder.get() : button;
        if (face) DrawFace(dc, R, *face, I);
        return;
    }
    // The field is cut out of a dc that may be lent to us (WM_PAINT with a dc): its clipping is put back.
    SavedDC saved(dc);
    const ComboParts parts = LayoutCombo(R, d, left);
    ExcludeClipRect(dc, parts.edit.Left, parts.edit.Top, parts.edit.Right, parts.edit.Bottom);
    const TDataSkinObject* border = fsd->Comboxborder.get();
    if (border) DrawSkinMap(dc, R, border, I, border->frame);
    DrawSkinMap2(dc, parts.button, left ? button->MaskMap : button->Map, I, button->frame);
    rBtn = parts.button;
    const TDataSkinObject* glyph = fsd->ExtraImages.get();
    if (glyph && !glyph->Map.Empty() && glyph->frame > 0) {
        const int w = glyph->Map.Width() / glyph->frame;
        DrawSkinMap1(dc, CenterCell(parts.glyph, w, glyph->Map.Height()), glyph->Map, I, glyph->frame);
    }
}

void TSkinComBox::DrawFace(HDC dc, const TRect& R, const TDataSkinObject& image, int I) {
    if (I < 1 || I > int(faces_.size()) || I > image.frame || image.Map.Empty() || R.IsEmpty()) return;
    Face& f = faces_[std::size_t(I - 1)];
    if (f.keyed.Empty() || f.image != &image || f.w != R.Width() || f.h != R.Height()) {
        const auto face = MakeSkinBitmap(R.Offset(-R.Left, -R.Top), image.Map, image.r, I, image.frame, 0, 0);
        f.keyed = KeyedBitmap(*face, SkinKeyColor);
        f.image = &image;
        f.w = R.Width(), f.h = R.Height();
    }
    f.keyed.Draw(dc, R.Left, R.Top);
}

void TSkinComBox::SkinChange() {
    faces_ = {};  // the images may have changed in place
    TSkinControl::SkinChange();
}

void TSkinComBox::DrawFlat(HDC dc, const TRect& rc) {
    const TDataSkinBorder& button = *fsd->combox;
    const TRect R = rc.Offset(-rc.Left, -rc.Top);
    const int I = CellIndex(true);
    const int n = button.frame > 0 ? button.frame : 1;
    const FlatComboParts parts =
        LayoutFlatCombo(R, button.Map.Width() / n, button.Map.Height(), GetSystemMetrics(SM_CYVTHUMB),
                        (ExStyle & WS_EX_LEFTSCROLLBAR) != 0);
    // The brush the dc has now: the box's own background.
    const auto brush = HBRUSH(GetCurrentObject(dc, OBJ_BRUSH));
    const RECT inner = ToRECT(parts.inner), column = ToRECT(parts.column);
    FrameRect(dc, &inner, brush);
    FillRect(dc, &column, brush);
    FrameColor(dc, R, ColorToRGB(ResolveColor(fsd->Colors[scheme::kButtonShadow])));
    rBtn = parts.button;
    DrawSkinMap1(dc, parts.button, button.Map, I, button.frame);
}

void TSkinComBox::DrawFrame(HDC dc, const TRect& rc) {
    RECT client;
    GetClientRect(hwnd, &client);
    if (!HasOwnBorder(rc, client.right, client.bottom)) return;
    FrameColor(dc, rc, ColorToRGB(ResolveColor(fsd->Colors[scheme::kButtonShadow])));
    FrameColor(dc, Rect(rc.Left + 1, rc.Top + 1, rc.Right - 1, rc.Bottom - 1), RGB(255, 255, 255));
}

void TSkinComBox::DrawBtnArrow(HDC dc, int I) {
    if (!hbtn) return;
    RECT b, w;
    if (!GetWindowRect(hbtn, &b) || !GetWindowRect(hwnd, &w)) return;
    const TRect r = Rect(b.left - w.left, b.top - w.top, b.right - w.left, b.bottom - w.top);
    FillColorRect(dc, r, fsd->Colors[scheme::kButtonFace]);
    // A strip without cells draws nothing over the face.
    if (const TDataSkinObject* arrow = fsd->comboxarrow.get())
        DrawSkinMap1(dc, r, arrow->Map, I, arrow->frame);
}
