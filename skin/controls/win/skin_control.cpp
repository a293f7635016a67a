#include "skin/controls/win/skin_control.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "platform/props.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "platform/win/subclass.h"
#include "skin/controls/caption_layout.h"
#include "skin/controls/check_box.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

using ControlRole = Subclass<TSkinControl, &TSkinControl::NewWndProc>;

// The off-screen bitmap that DrawSkin composes into and DrawBuf shows; one per thread, grown as needed.
TBitmap& SharedBuffer() {
    thread_local TBitmap buffer;
    return buffer;
}

bool Drawable(const TRect& rc) { return rc.Right >= rc.Left && rc.Bottom >= rc.Top; }

// Cell I of N of a horizontal strip, stretched to rc's size; null when the strip has no such cell.
std::unique_ptr<TBitmap> StretchedCell(const TBitmap& bmp, const TRect& rc, int I, int N) {
    if (N < 1 || I < 1 || I > N || bmp.Empty() || rc.IsEmpty()) return nullptr;
    const int w = bmp.Width() / N;
    if (w < 1) return nullptr;
    auto cell = std::make_unique<TBitmap>(rc.Width(), rc.Height(), pf24bit);
    StretchCopy(*cell, Rect(0, 0, rc.Width(), rc.Height()), bmp, Rect((I - 1) * w, 0, I * w, bmp.Height()));
    return cell;
}

}  // namespace

// ---- The form skinner's list

void SkinControlList::Add(TSkinControl* control) {
    if (!Contains(control)) Controllist.push_back(control);
}

void SkinControlList::Remove(TSkinControl* control) {
    Controllist.erase(std::remove(Controllist.begin(), Controllist.end(), control), Controllist.end());
    if (control && control->list_ == this) control->list_ = nullptr;  // it may outlive the list now
}

bool SkinControlList::Contains(const TSkinControl* control) const {
    return std::find(Controllist.begin(), Controllist.end(), control) != Controllist.end();
}

// ---- Life

TSkinControl::TSkinControl(TComponent* AOwner) : TComponent(AOwner) {}

namespace {
// What stands in a framework control's WindowProc for its skinner: it reaches the skinner while the skinner
// lives, and the procedure it replaced afterwards (a procedure put in front of it later keeps working).
struct Forwarder {
    std::shared_ptr<TSkinControl*> link;
    TWndMethod previous;
    void operator()(TMessage& m) const {
        if (*link)
            (*link)->NewWndProc(m);
        else if (previous)
            previous(m);
    }
};
}  // namespace

void TSkinControl::HookWindowProc(TControl& target) {
    link_ = std::make_shared<TSkinControl*>(this);
    OldWndProc = target.WindowProc;
    target.WindowProc = Forwarder{link_, OldWndProc};
}

void TSkinControl::UnhookWindowProc(TControl& target) {
    if (!link_) return;
    *link_ = nullptr;
    const Forwarder* mine = target.WindowProc.target<Forwarder>();
    if (mine && mine->link == link_) target.WindowProc = OldWndProc;
    link_.reset();
    OldWndProc = nullptr;
}

void TSkinControl::Free(TSkinControl* skinner) {
    if (!skinner) return;
    if (skinner->depth_ > 0)
        skinner->freeWhenIdle_ = true;
    else
        delete skinner;
}

TSkinControl::~TSkinControl() {
    if (control) UnhookWindowProc(*control);
    if (FObjectInst) {
        ControlRole::Detach(hwnd);
        FObjectInst = nullptr;
    }
    if (list_) list_->Remove(this);
}

void TSkinControl::EnterList(TComponent* sf) {
    skinform = sf;
    list_ = dynamic_cast<SkinControlList*>(sf);
    if (list_) list_->Add(this);
}

bool TSkinControl::BindOwner(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (!owner) return false;
    newColor = acolor;
    fsd = sd;
    fCanvas = acanvas;
    control = owner;
    hwnd = control->Handle();
    hasFocus_ = GetFocus() == hwnd;
    isunicode = IsWindowUnicode(hwnd) != FALSE;
    EnterList(sf);
    if (newColor) {
        oldcolor = control->Color();
        control->SetColor(ButtonFace());
    }
    Inited = true;
    skinstate = kAttached;
    return true;
}

void TSkinControl::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited || !BindOwner(sf, sd, acanvas, acolor)) return;
    HookWindowProc(*control);
    control->Invalidate();
}

void TSkinControl::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf) {
    fsd = sd;
    fCanvas = acanvas;
    hwnd = ahwnd;
    enabled = true;
    kind = 0;
    EnterList(sf);
    isunicode = IsWindowUnicode(hwnd) != FALSE;  // first: a wide procedure in front would change the answer
    caption = GetWindowCaption(hwnd);
    hasFocus_ = GetFocus() == hwnd;
    FPrevWndProc = ControlRole::Attach(hwnd, this);
    if (FPrevWndProc) FObjectInst = ControlRole::Proc();
    InvalidateRect(hwnd, nullptr, TRUE);
    Inited = true;
    skinstate = kAttached;
}

void TSkinControl::Unsubclass() {
    if (!skinned) return;
    skinned = false;
    if (skinstate != kWindowGone && newColor && control) control->SetColor(oldcolor);
}

void TSkinControl::SkinChange() {
    cells_.Clear();
    if (newColor && control) control->SetColor(ButtonFace());
    RepaintNow();
}

// ---- Messages

void TSkinControl::NewWndProc(TMessage& Message) {
    // The last call to return frees a skinner asked to go meanwhile.
    struct Busy {
        TSkinControl& c;
        explicit Busy(TSkinControl& s) : c(s) { ++c.depth_; }
        ~Busy() {
            if (--c.depth_ == 0 && c.freeWhenIdle_) delete &c;
        }
    } busy(*this);
    done = false;
    if (Message.Msg == WM_SETFOCUS) hasFocus_ = true;
    if (Message.Msg == WM_KILLFOCUS) hasFocus_ = false;
    if (Message.Msg == SM_SETSKINNED) {
        skinned = LONG_PTR(Message.WParam) > 0;
        if (skinned) RepaintNow();
        return;
    }
    if (!skinned) {
        CallDefault(Message);
        return;
    }
    if (BeforeProc(Message) == Route::PassOn) {
        CallDefault(Message);
        AfterProc(Message);
    }
}

Route TSkinControl::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCDESTROY:
        skinstate = kWindowGone;
        CallDefault(Message);  // the window's own procedure sees its last message
        if (skinned) Unsubclass();
        return Route::Swallow;
    case SM_ISSKINNED: Message.Result = 1; return Route::Swallow;
    default: return Route::PassOn;
    }
}

void TSkinControl::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED: RepaintNow(); break;
    case WM_PAINT: PaintControl(PassedDc(Message)); break;
    default: break;
    }
}

void TSkinControl::CallDefault(TMessage& Message) {
    if (OldWndProc) {
        OldWndProc(Message);
    } else if (FPrevWndProc) {
        Message.Result = CallWindowProcW(FPrevWndProc, hwnd, Message.Msg, Message.WParam, Message.LParam);
    } else {
        Message.Result = DefWindowProcW(hwnd, Message.Msg, Message.WParam, Message.LParam);
    }
}

void TSkinControl::MouseLeave() { SendMessageW(hwnd, CM_MOUSELEAVE, 0, 0); }

void TSkinControl::RepaintNow() {
    if (GControl) {
        GControl->Invalidate();
        return;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

// ---- Painting

bool TSkinControl::ReadBounds(TRect& rc) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return false;
    boundsrect = ToTRect(r);
    rc = {0, 0, r.right - r.left, r.bottom - r.top};
    return true;
}

void TSkinControl::PaintControl(HDC adc) {
    TRect rc;
    if (!ReadBounds(rc)) return;
    try {
        if (adc) {
            DrawControl(adc, rc);
        } else {
            WindowDC dc(hwnd);
            DrawControl(dc, rc);
        }
    } catch (...) {
        // The control keeps whatever was painted before.
    }
}

void TSkinControl::DrawControl(HDC, const TRect&) {}

void TSkinControl::PaintFromMessage(TMessage& Message) {
    auto draw = [this](HDC dc) {
        TRect rc;
        if (ReadBounds(rc)) DrawControl(dc, rc);
    };
    if (Message.WParam) {
        draw(PassedDc(Message));
    } else {
        PaintDC dc(hwnd);
        draw(dc);
    }
    Message.Result = 0;
}

TColor TSkinControl::ButtonFace() const { return fsd ? fsd->Colors[scheme::kButtonFace] : clBtnFace; }

void TSkinControl::FillFace(HDC dc, const TRect& rc) { FillColorRect(dc, rc, ButtonFace()); }

void TSkinControl::FillParentColor(HDC dc, const TRect& rc) {
    FillColorRect(dc, rc, GetParentColor(ButtonFace()));
}

TColor TSkinControl::GetParentColor(TColor acolor) const {
    if (!control || !control->Parent()) return acolor;
    const Prop* p = FindProp(control->Parent(), "Color");
    if (!p || p->Kind != PropKind::Integer) return acolor;
    return TColor(GetOrdPropByName(control->Parent(), "Color"));
}

void TSkinControl::EraseBackground(TMessage& Message) {
    const HDC dc = PassedDc(Message);
    if (control) {
        PaintParentBackground(control, dc);
    } else {
        RECT r;
        GetClientRect(hwnd, &r);
        FillParentColor(dc, ToTRect(r));
    }
    Message.Result = 1;
}

void TSkinControl::DrawCaptionFocus(HDC dc, unsigned flags, const TRect& rect) {
    RECT measured = ToRECT(rect);
    DrawTextW(dc, caption.c_str(), int(caption.size()), &measured, flags | DT_CALCRECT | DT_NOCLIP);
    const TRect box =
        CaptionFocusBox(rect, measured.right - measured.left, measured.bottom - measured.top, flags);
    RECT r = ToRECT(box);
    DrawFocusRect(dc, &r);
}

unsigned TSkinControl::CheckBiDi(unsigned dw) const {
    const TControl* c = control ? static_cast<const TControl*>(control) : GControl;
    return c && c->UseRightToLeftReading() ? dw | DT_RTLREADING : dw;
}

int TSkinControl::TextHeight(HDC dc, const std::wstring& s) const {
    SIZE size{};
    GetTextExtentPoint32W(dc, s.c_str(), int(s.size()), &size);
    return size.cy;
}

// ---- Captions

void TSkinControl::DrawCaption(TCanvas& acanvas, const TRect& rc, const std::wstring& text, bool enabled_,
                               bool, unsigned Alignment) {
    const unsigned flags = Alignment | DT_EXPANDTABS;
    const HDC dc = acanvas.Handle();
    SetBkMode(dc, TRANSPARENT);
    acanvas.Brush().SetStyle(bsClear);
    acanvas.Font().SetStyle({});
    RECT measured = ToRECT(rc);
    DrawTextW(acanvas.Handle(), text.c_str(), int(text.size()), &measured, flags | DT_CALCRECT | DT_NOCLIP);
    const TRect box = PlaceCaption(rc, measured.right - measured.left, measured.bottom - measured.top,
                                   Alignment == DT_CENTER);
    if (!enabled_) acanvas.Font().SetColor(clBtnShadow);
    RECT r = ToRECT(box);
    DrawTextW(acanvas.Handle(), text.c_str(), int(text.size()), &r, CheckBiDi(flags));
}

void TSkinControl::DrawImgCaption(TCanvas& acanvas, const TRect& rc, HIMAGELIST ImgList, int imgIndex,
                                  const std::wstring& text, int talign) {
    int cx = 0, cy = 0;
    if (ImgList) ImageList_GetIconSize(ImgList, &cx, &cy);
    const unsigned flags = DT_END_ELLIPSIS | DT_EXPANDTABS | DT_WORDBREAK;
    const bool hasImage = ImgList && imgIndex != -1;
    int textWidth = 0, textHeight = 0;
    if (!text.empty()) {
        RECT measured{rc.Left, rc.Top, rc.Right + (hasImage ? cx + 2 : 0), rc.Bottom};
        DrawTextW(acanvas.Handle(), text.c_str(), int(text.size()), &measured,
                  flags | DT_CALCRECT | DT_NOCLIP);
        textWidth = measured.right - measured.left;
        textHeight = measured.bottom - measured.top;
    }
    const ImageCaptionBoxes boxes = PlaceImageCaption(rc, hasImage, cx, cy, textWidth, textHeight, talign);
    if (!boxes.image.IsEmpty())
        ImageList_Draw(ImgList, imgIndex, acanvas.Handle(), boxes.image.Left, boxes.image.Top,
                       ILD_TRANSPARENT);
    if (text.empty()) return;
    const HDC dc = acanvas.Handle();
    SetBkMode(dc, TRANSPARENT);
    acanvas.Brush().SetStyle(bsClear);
    acanvas.Font().SetStyle({});
    if (!enabled) acanvas.Font().SetColor(clBtnShadow);
    RECT r = ToRECT(boxes.text);
    DrawTextW(acanvas.Handle(), text.c_str(), int(text.size()), &r, CheckBiDi(flags));
}

// ---- Skin images

TBitmap& TSkinControl::SkinCell(const TDataSkinObject& aObject, int I, int N, int w, int h) {
    return cells_.Cell(aObject.Map, aObject.r, I, N, aObject.Tile, 0, w, h);
}

void TSkinControl::DrawSkinMap(HDC dc, const TRect& rc, const TDataSkinObject* aObject, int I, int N) {
    if (!aObject || !Drawable(rc) || rc.IsEmpty()) return;
    TBitmap& bmp = SkinCell(*aObject, I, N, rc.Width(), rc.Height());
    if (aObject->trans == 1) {
        DrawKeyedBitmap(dc, rc, bmp, SkinKeyColor);
    } else {
        BlitOpaque(dc, rc.Left, rc.Top, bmp);
    }
}

void TSkinControl::DrawSkinMap1(HDC dc, const TRect& rc, const TBitmap& bmp, int I, int N) {
    if (!Drawable(rc)) return;
    if (auto cell = StretchedCell(bmp, rc, I, N)) DrawKeyedBitmap(dc, rc, *cell, SkinKeyColor);
}

void TSkinControl::DrawSkinMap2(HDC dc, const TRect& rc, const TBitmap& bmp, int I, int N) {
    DrawSkinMap1(dc, rc, bmp, I, N);
}

void TSkinControl::DrawSkinMap3(TCanvas& acanvas, const TRect& rc, const TBitmap& bmp, int I, int N) {
    DrawSkinMap1(acanvas.Handle(), rc, bmp, I, N);
}

void TSkinControl::DrawBMPSkin(TBitmap& abmp, const TRect& rc, const TDataSkinObject* aObject, int I, int N,
                               int trans) {
    if (!aObject || !Drawable(rc) || rc.IsEmpty()) return;
    const TBitmap& bmp = SkinCell(*aObject, I, N, rc.Width(), rc.Height());
    if (abmp.Width() < rc.Width() || abmp.Height() < rc.Height())
        abmp.SetSize(std::max(abmp.Width(), rc.Width()), std::max(abmp.Height(), rc.Height()));
    FillColorRect(abmp, rc, ButtonFace());
    const TRect at{0, 0, rc.Width(), rc.Height()};
    if (trans == 1) {
        DrawKeyedBitmap(abmp, at, bmp, SkinKeyColor);
    } else {
        CopyOpaque(abmp, 0, 0, bmp);
    }
}

void TSkinControl::DrawSkin(const TRect& rc, const TDataSkinObject* aObject, int I, int N, int trans) {
    DrawBMPSkin(SharedBuffer(), rc, aObject, I, N, trans);
}

void TSkinControl::DrawBuf(HDC dc, const TRect& rc) {
    TBitmap& buffer = SharedBuffer();
    if (!Drawable(rc) || buffer.Empty()) return;
    if (buffer.Width() == rc.Width() && buffer.Height() == rc.Height()) {
        BlitOpaque(dc, rc.Left, rc.Top, buffer);
        return;
    }
    TBitmap part(rc.Width(), rc.Height(), pf24bit);
    CopyOpaque(part, 0, 0, buffer);
    BlitOpaque(dc, rc.Left, rc.Top, part);
}

// ---- Free routines

void PaintParentBackground(TControl* control, HDC dc) {
    TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent) return;
    SavedDC saved(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
    const TRect client = control->ClientRect();
    IntersectClipRect(dc, client.Left + control->Left(), client.Top + control->Top(),
                      client.Right + control->Left(), client.Bottom + control->Top());
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

std::wstring GetWindowCaption(HWND hwnd) { return WindowText(hwnd); }
