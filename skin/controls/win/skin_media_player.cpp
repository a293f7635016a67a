#include "skin/controls/win/skin_media_player.h"

#include <string>

#include "platform/props.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/sys_utils.h"
#include "skin/controls/media_player_layout.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

constexpr int kButtonFaceSlot = 3;
constexpr const wchar_t* kStateNames[] = {L"EN", L"DI", L"CL"};
constexpr const wchar_t* kButtonNames[] = {L"MPPLAY", L"MPPAUSE", L"MPSTOP",   L"MPNEXT", L"MPPREV",
                                           L"MPSTEP", L"MPBACK",  L"MPRECORD", L"MPEJECT"};

// A bitmap resource of the program as a bitmap of ours; empty when the program has none of that name.
TBitmap LoadBitmapResource(const std::wstring& name) {
    TBitmap out;
    Owned<HBITMAP> loaded{LoadBitmapW(HInstance(), name.c_str())};
    BITMAP info{};
    if (!loaded || !GetObjectW(loaded.get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return out;
    out.SetSize(info.bmWidth, info.bmHeight);
    MemoryDC from{nullptr};
    Selected select{from, loaded.get()};
    BitBlt(BitmapDC(out), 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
    GdiFlush();
    return out;
}

}  // namespace

// ======================================================================= TWMediaPlayer

const TClassInfo TWMediaPlayer::ClassInfo_{"TWMediaPlayer", &TCustomPanel::ClassInfo_, &TCustomPanel::Props};

TWMediaPlayer::TWMediaPlayer(TComponent* AOwner) : TCustomPanel(AOwner) {
    SetBevelOuter(bvNone);
    SetTabStop(false);
    LoadGlyphs();
}

TWMediaPlayer::~TWMediaPlayer() {
    Destroying();
    DestroyHandle();
    FreeGlyphs();
}

void TWMediaPlayer::LoadGlyphs() {
    for (int b = 0; b < kMPButtonCount; ++b)
        for (int s = 0; s < 3; ++s)
            Buttons[std::size_t(b)].glyphs[std::size_t(s)] =
                LoadBitmapResource(std::wstring(kStateNames[s]) + L"_" + kButtonNames[b]);
}

const TBitmap& TWMediaPlayer::Glyph(int b, TMPGlyphState g) {
    const TBitmap& loaded = Buttons[std::size_t(b)].glyphs[std::size_t(g)];
    if (!loaded.Empty()) return loaded;
    // The framework's media player draws its own glyphs; a program without glyph resources of its own
    // shows those, inked for the face they go on (the skin's may be dark).
    const TColor face = ResolveColor(fsd ? fsd->Colors[kButtonFaceSlot] : clBtnFace);
    if (face != ownGlyphsFace_) {
        for (int i = 0; i < kMPButtonCount; ++i)
            for (int s = 0; s < 3; ++s)
                ownGlyphs_[std::size_t(i)][std::size_t(s)] =
                    MediaButtonGlyph(TMPBtnType(i), TMPGlyphState(s), face);
        ownGlyphsFace_ = face;
    }
    return ownGlyphs_[std::size_t(b)][std::size_t(g)];
}

void TWMediaPlayer::FreeGlyphs() {
    for (Button& b : Buttons)
        for (TBitmap& g : b.glyphs) g.Clear();
}

void TWMediaPlayer::Attach(TSkinControl* askin, TWinControl* aObj) {
    obj = aObj;
    skincontrol = askin;
    fsd = askin->fsd;
    if (fsd) SetTag(fsd->DisableTag());  // the form skinner leaves the panel alone
    obj->FreeNotification(this);
    SetPosition(aObj);
    SetParent(aObj->Parent());
    if (!aObj->Parent()) SetParentWindow(GetParent(aObj->Handle()));
    // Right above the control it covers.
    const HWND above = GetWindow(aObj->Handle(), GW_HWNDPREV);
    SetWindowPos(Handle(), above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWMediaPlayer::SetPosition(TWinControl* aObj) {
    obj = aObj;
    SetBounds(aObj->Left(), aObj->Top(), aObj->Width(), aObj->Height());
}

void TWMediaPlayer::Detach() {
    if (obj) obj->RemoveFreeNotification(this);
    obj = nullptr;
    IsDown = false;
    SetVisible(false);
}

void TWMediaPlayer::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation == TOperation::opRemove && component == obj) {
        obj = nullptr;
        if (!HasState(csDestroying)) SetVisible(false);
    }
}

void TWMediaPlayer::SkinChanged() {
    faces_.Clear();
    Invalidate();
}

void TWMediaPlayer::ReadButtons() {
    const TButtonSet shown = ButtonsFromSetText(GetSetPropByName(obj, "VisibleButtons"));
    const TButtonSet enabledSet = ButtonsFromSetText(GetSetPropByName(obj, "EnabledButtons"));
    const TButtonSet colouredSet = ButtonsFromSetText(GetSetPropByName(obj, "ColoredButtons"));
    count = 0;
    for (int b = 0; b < kMPButtonCount; ++b) {
        Button& button = Buttons[std::size_t(b)];
        button.shown = shown.Contains(TMPBtnType(b));
        button.enabled = enabledSet.Contains(TMPBtnType(b));
        button.coloured = colouredSet.Contains(TMPBtnType(b));
        count += button.shown;
    }
}

int TWMediaPlayer::ButtonAt(int x) const {
    TButtonSet shown;
    for (int b = 0; b < kMPButtonCount; ++b)
        if (Buttons[std::size_t(b)].shown) shown.Include(TMPBtnType(b));
    return MediaButtonAt(shown, BtnWidth, x);
}

void TWMediaPlayer::Paint() {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0 || !obj) return;
    const TColor face = fsd ? fsd->Colors[kButtonFaceSlot] : clBtnFace;
    ReadButtons();
    TBitmap bar(w, h, pf24bit);
    FillColorRect(bar, Rect(0, 0, w, h), face);
    if (count > 0) {
        BtnWidth = w / count;
        int x = 0;
        for (int b = 0; b < kMPButtonCount; ++b) {
            if (!Buttons[std::size_t(b)].shown) continue;
            DrawPlayerButton(bar, b, Rect(x, 0, x + BtnWidth, h));
            x += BtnWidth;  // the last w mod count pixels keep the face colour
        }
    }
    BlitOpaque(Canvas().Handle(), 0, 0, bar);
}

void TWMediaPlayer::DrawPlayerButton(TBitmap& bar, int b, const TRect& R) {
    const Button& button = Buttons[std::size_t(b)];
    const TMPGlyphState g = PlayerGlyphState(button.enabled, button.coloured);
    const int f = PlayerFaceCell(IsDown && b == BtnClick, g);
    const TDataSkinButton* skin = fsd ? fsd->Button.get() : nullptr;
    if (skin && !skin->Map.Empty()) {
        const TBitmap& cell =
            faces_.Cell(skin->Map, skin->r, f, skin->frame, skin->Tile, 0, R.Width(), R.Height());
        if (skin->trans)
            DrawKeyedBitmap(bar, R, cell, SkinKeyColor);
        else
            CopyOpaque(bar, R.Left, R.Top, cell);
    }
    // The glyph, its olive background taking the face colour (a missing glyph leaves the face alone).
    const TBitmap& glyph = Glyph(b, g);
    if (glyph.Empty()) return;
    const TPoint at = PlayerGlyphAt(R, glyph.Width(), glyph.Height(), f == 2);
    const TColor face = ResolveColor(fsd ? fsd->Colors[kButtonFaceSlot] : clBtnFace);
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x) {
            const TColor c = glyph.Pixel(x, y);
            bar.SetPixel(at.X + x, at.Y + y, c == kMPGlyphBackground ? face : c);
        }
}

void TWMediaPlayer::Relay(TMessage& m) {
    if (obj && obj->HandleAllocated()) SendMessageW(obj->Handle(), m.Msg, m.WParam, m.LParam);
}

void TWMediaPlayer::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        IsDown = true;
        TCustomPanel::WndProc(m);
        Relay(m);  // the control acts on the press
        ReleaseCapture();
        // Signed: a point left of the panel is on no button.
        BtnFocuse = ButtonAt(MousePoint(m.LParam).x);
        BtnClick = BtnFocuse;
        Invalidate();
        return;
    case WM_LBUTTONUP:
        IsDown = false;
        TCustomPanel::WndProc(m);
        BtnFocuse = ButtonAt(MousePoint(m.LParam).x);
        // Released over another button, or over none: the control gets no release.
        if (BtnFocuse == BtnClick) Relay(m);
        BtnClick = BtnFocuse;
        Invalidate();
        return;
    case WM_ERASEBKGND: m.Result = 1; return;  // the paint covers the panel
    default: TCustomPanel::WndProc(m);
    }
}

// ======================================================================= TSkinMP

TSkinMP::~TSkinMP() { delete mp; }

void TSkinMP::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited) return;
    TSkinControl::Init(sf, sd, acanvas, acolor);
    if (!Inited || !control) return;
    mp = new TWMediaPlayer(skinform ? skinform : this);
    FreeNotification(mp);
    mp->Attach(this, control);
    mp->SetVisible(control->Visible());
}

void TSkinMP::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == mp) mp = nullptr;
}

void TSkinMP::Unsubclass() {
    TSkinControl::Unsubclass();
    if (!mp) return;
    if (skinstate != 6) {
        delete mp;
        mp = nullptr;
    } else {
        // The control's window is going: the panel goes with the form skinner, covering nothing meanwhile.
        mp->Detach();
    }
}

void TSkinMP::SkinChange() {
    TSkinControl::SkinChange();
    if (mp) mp->SkinChanged();
}

void TSkinMP::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (mp && control) mp->SetPosition(control);
        break;
    case CM_VISIBLECHANGED:
        if (mp && control) mp->SetVisible(control->Visible());
        break;
    case WM_PAINT:
        // The control painted itself under the panel: it changed (its buttons, say), so the panel shows
        // it again.
        if (mp) mp->Invalidate();
        break;
    default: TSkinControl::AfterProc(Message);
    }
}
