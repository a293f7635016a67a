#include "skin/controls/win/skin_glyph_buttons.h"
#include "platform/string_list.h"  // AsciiLower

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/bitmap.h"
#include "platform/graphic_bitmap.h"
#include "platform/props.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "platform/win/image_list.h"
#include "skin/controls/glyph_button.h"
#include "skin/controls/push_button.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

constexpr int kTransparentTag = 5555;

bool IsTrue(const TObject* o, std::string_view name) {
    return AsciiLower(GetEnumPropByName(o, name)) == "true";
}

// "Margin" and "Spacing" of -1 (or missing) are worked out by the layout.
int OrdOr(const TObject* o, std::string_view name, int missing) {
    const std::int64_t v = GetOrdPropByName(o, name);
    return v == -1 ? missing : int(v);
}

// A caption measured in its box with the dc's font: 0 x 0 when empty.
TSize MeasureCaption(HDC dc, const std::wstring& text, const TRect& box) {
    if (text.empty()) return {0, 0};
    RECT r = ToRECT(box);
    DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
    return {int(r.right - r.left), int(r.bottom - r.top)};
}

unsigned AlignFlags(CaptionAlign a) {
    return a == CaptionAlign::Right ? DT_RIGHT : a == CaptionAlign::Centre ? DT_CENTER : 0;
}

// Selects the control's "Font" into dc (a raw window's own font otherwise); the dc's state is the caller's.
TFont* SelectControlFont(HDC dc, TControl* control, HWND hwnd) {
    TFont* font = control ? GetObjectPropByName<TFont>(control, "Font") : nullptr;
    if (font) {
        SelectObject(dc, font->Handle());
    } else if (hwnd) {
        if (HFONT f = HFONT(SendMessageW(hwnd, WM_GETFONT, 0, 0))) SelectObject(dc, f);
    }
    return font;
}

const TBitmap* GlyphOf(const TObject* control, std::string_view name) {
    const TGraphicBitmap* g = GetObjectPropByName<TGraphicBitmap>(control, name);
    return g && !g->Empty() ? &g->Bitmap() : nullptr;
}

// A glyph strip's pixels as one number: a glyph changed in place is composed again.
std::uint64_t Fingerprint(const TBitmap& b) {
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < b.Height(); ++y) {
        const std::uint8_t* row = b.ScanLine(y);
        for (int i = 0; i < b.RowBytes(); ++i) h = (h ^ row[i]) * 1099511628211ull;
    }
    return h;
}

}  // namespace

struct PictureButtonCache {
    // A picture drawn again and again. A see-through one keeps its transparent pixels black and a mask
    // that is white there and black elsewhere: the mask clears the picture's pixels, then the picture is
    // added (two plain copies; a masked copy costs far more on some platforms).
    struct Picture {
        TBitmap image, mask;

        Picture(TBitmap&& bitmap, std::optional<TColor> key) : image(std::move(bitmap)) {
            if (!key || image.Empty()) return;
            const TColor k = *key & 0xFFFFFF;
            mask.SetSize(image.Width(), image.Height());
            for (int y = 0; y < image.Height(); ++y)
                for (int x = 0; x < image.Width(); ++x) {
                    const bool clear = image.Pixel(x, y) == k;
                    mask.SetPixel(x, y, clear ? clWhite : clBlack);
                    if (clear) image.SetPixel(x, y, clBlack);
                }
        }
        void Draw(HDC dc, int x, int y) {
            HDC src = BitmapDC(image);
            if (!src) return;
            if (mask.Empty()) {
                BitBlt(dc, x, y, image.Width(), image.Height(), src, 0, 0, SRCCOPY);
                return;
            }
            BitBlt(dc, x, y, image.Width(), image.Height(), BitmapDC(mask), 0, 0, SRCAND);
            BitBlt(dc, x, y, image.Width(), image.Height(), src, 0, 0, SRCPAINT);
        }
    };

    // Frames of one skin image at one size over one background (none: see-through).
    const TDataSkinObject* image = nullptr;
    int width = 0, height = 0;
    std::optional<TColor> background;
    std::vector<std::optional<Picture>> frames;
    // Cells of one glyph strip (slot 0: the embossed disabled look of a one-cell strip).
    const TBitmap* strip = nullptr;
    std::uint64_t stripPrint = 0;
    int count = 0;
    std::optional<Picture> cells[5];

    // Frame `frame` of o composed for w x h: over the background colour when one is given (then it
    // covers everything), else with the skin's key colour see-through.
    Picture& Frame(const TDataSkinObject& o, int frame, int w, int h, std::optional<TColor> behind) {
        const std::size_t n = std::size_t(std::max(o.frame, 1));
        if (&o != image || w != width || h != height || behind != background || frames.size() != n) {
            image = &o, width = w, height = h, background = behind;
            frames.clear();
            frames.resize(n);
        }
        auto& slot = frames[std::size_t(std::clamp(frame, 1, int(n)) - 1)];
        if (!slot) {
            auto bmp = MakeSkinBitmap({0, 0, w, h}, o.Map, o.r, frame, o.frame, o.Tile, 0);
            std::optional<TColor> key;
            if (o.trans == 1) {
                if (behind)
                    ReplaceKeyColor(*bmp, *behind);
                else
                    key = SkinKeyColor;
            }
            slot.emplace(std::move(*bmp), key);
        }
        return *slot;
    }

    // Cell slotIndex of the glyph, made by make the first time, its bottom-left pixel's colour transparent.
    Picture& Cell(const TBitmap& glyph, int numGlyphs, int slotIndex, const std::function<TBitmap()>& make) {
        const std::uint64_t print = Fingerprint(glyph);
        if (&glyph != strip || print != stripPrint || numGlyphs != count) {
            strip = &glyph, stripPrint = print, count = numGlyphs;
            for (auto& c : cells) c.reset();
        }
        auto& slot = cells[slotIndex];
        if (!slot) {
            TBitmap piece = make();
            const TColor key = piece.Pixel(0, piece.Height() - 1);
            slot.emplace(std::move(piece), key);
        }
        return *slot;
    }

    void Clear() {
        image = nullptr;
        frames.clear();
        strip = nullptr;
        for (auto& c : cells) c.reset();
    }
};

// ======================================================================= TSkinBitButton

TSkinBitButton::TSkinBitButton(TComponent* AOwner)
    : TSkinButton(AOwner), cache_(std::make_unique<PictureButtonCache>()) {}

TSkinBitButton::~TSkinBitButton() = default;

void TSkinBitButton::SkinChange() {
    cache_->Clear();
    TSkinButton::SkinChange();
}

void TSkinBitButton::DrawFace(HDC dc, const TRect& rc, const TDataSkinObject& image, int frame,
                              bool drawFrame) {
    if (rc.IsEmpty()) return;
    // The parent's pixels behind a transparent button; else the button face, which a frame composed over
    // it covers entirely.
    if (trans && (control || GControl))
        PaintParentBackground(control ? static_cast<TControl*>(control) : GControl, dc);
    else if (!drawFrame || image.Map.Empty())
        FillFace(dc, rc);
    if (!drawFrame || image.Map.Empty()) return;
    const std::optional<TColor> behind =
        trans && (control || GControl) ? std::nullopt : std::optional<TColor>(ResolveColor(ButtonFace()));
    cache_->Frame(image, frame, rc.Width(), rc.Height(), behind).Draw(dc, rc.Left, rc.Top);
}

Route TSkinBitButton::BeforeProc(TMessage& Message) {
    // A framework glyph button draws itself through its owner-draw notice: the skin paints it instead.
    if (Message.Msg == CN_DRAWITEM) {
        Message.Result = TRUE;
        return Route::Swallow;
    }
    return TSkinButton::BeforeProc(Message);
}

void TSkinBitButton::SetTextColorFor(HDC dc, TFont* font, int frame, bool disabled) {
    const TDataSkinButton& skin = *fsd->Button;
    const TColor base = font                  ? font->Color()
                        : control || GControl ? clBtnText
                                              : fsd->Colors[scheme::kButtonText];
    SetTextColor(dc, ColorToRGB(ResolveColor(ButtonCaptionColour(skin, base, frame, !disabled))));
}

void TSkinBitButton::DrawGlyph(HDC dc, TPoint p, int numGlyphs, int cell, const TBitmap& glyph) {
    const int count = GlyphCount(numGlyphs);
    const int w = glyph.Width() / count, h = glyph.Height();
    if (w < 1 || h < 1) return;
    // The disabled look of a one-cell strip is asked for before a missing cell falls back to the first.
    const bool embossed = cell == 2 && count == 1;
    if (!embossed) cell = GlyphCell(cell, count);
    PictureButtonCache::Picture& picture = cache_->Cell(glyph, count, embossed ? 0 : cell, [&] {
        if (embossed) return std::move(*MakeDisabledGlyph(glyph));
        TBitmap piece(w, h, pf24bit, TUncleared{});
        StretchCopy(piece, Rect(0, 0, w, h), glyph, Rect((cell - 1) * w, 0, cell * w, h));
        return piece;
    });
    picture.Draw(dc, p.X, p.Y);
}

void TSkinBitButton::DrawPicture(HDC dc, TPoint p, const TBitmap& picture) {
    TBitmap copy;
    copy.Assign(picture);
    if (picture.Transparent())
        DrawKeyedBitmap(dc, Bounds(p.X, p.Y, copy.Width(), copy.Height()), copy, picture.TransparentColor());
    else
        BlitOpaque(dc, p.X, p.Y, copy);
}

void TSkinBitButton::DrawControl(HDC dc, const TRect& rc) {
    const TDataSkinButton* skin = fsd ? fsd->Button.get() : nullptr;
    if (!skin || skin->Map.Empty() || rc.IsEmpty()) return;
    focused = GetFocus() == hwnd;
    enabled = !(DWORD(GetWindowLongW(hwnd, GWL_STYLE)) & WS_DISABLED);
    const bool picture = !PicField.empty();
    // A picture button's frame 5 is its focus only.
    const bool isDefault = !picture && control && IsTrue(control, "Default");
    caption = control ? GetStrPropByName(control, "Caption") : GetWindowCaption(hwnd);
    const int frame =
        ButtonFrame({enabled, (state & kPressed) != 0, (state & kHot) != 0, focused || isDefault});

    const int W = rc.Width(), H = rc.Height();
    btemp->SetSize(W, H);
    const HDC bdc = BitmapDC(*btemp);
    if (!bdc) return;
    const TRect local{0, 0, W, H};
    DrawFace(bdc, local, *skin, frame, true);

    SavedDC saved(bdc);
    TFont* font = SelectControlFont(bdc, control, hwnd);
    const TBitmap* glyph = GlyphOf(control, picture ? std::string_view(PicField) : "Glyph");
    TCustomImageList* images = picture ? nullptr : GetObjectPropByName<TCustomImageList>(control, "Images");
    const int imageIndex = int(GetOrdPropByName(control, "ImageIndex"));
    const int numGlyphs = picture ? 1 : GlyphCount(int(GetOrdPropByName(control, "NumGlyphs")));
    TSize g{0, 0};
    if (glyph)
        g = {glyph->Width() / numGlyphs, glyph->Height()};
    else if (images && imageIndex != -1)
        g = {images->Width(), images->Height()};
    const GlyphLayout layout = GlyphLayoutOf(GetEnumPropByName(control, "Layout"));
    caption = TwoLineCaption(caption);
    const TSize t = MeasureCaption(bdc, caption, GlyphTextBounds(W, H, g.cx, g.cy, layout));
    const GlyphPlacementInput in{
        W, H, g.cx, g.cy, t.cx, t.cy, OrdOr(control, "Margin", -1), OrdOr(control, "Spacing", -1), layout};
    const GlyphPlacement at =
        PlaceBitButton(in, AsciiLower(GetEnumPropByName(control, "Alignment")) == "tacenter");

    if (glyph && picture) {
        DrawPicture(bdc, at.glyph, *glyph);
    } else if (glyph) {
        DrawGlyph(bdc, at.glyph, numGlyphs, GlyphCellForFrame(frame), *glyph);
    } else if (images) {
        const int disabledIndex = int(GetOrdPropByName(control, "DisabledIndex"));
        const int index = enabled || disabledIndex == -1 ? imageIndex : disabledIndex;
        if (index != -1) images->Draw(bdc, at.glyph.X, at.glyph.Y, index, enabled);
    }
    if (!caption.empty()) {
        SetTextColorFor(bdc, font, frame, !enabled);
        SetBkMode(bdc, TRANSPARENT);
        RECT r = ToRECT(at.text);
        DrawTextW(bdc, caption.c_str(), int(caption.size()), &r,
                  CheckBiDi(DT_WORDBREAK | AlignFlags(at.align)));
        if (focused && !fsd->Options().Contains(xoNoFocusRect)) {
            RECT f{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2};
            DrawFocusRect(bdc, &f);
        }
    }
    BlitOpaque(dc, rc.Left, rc.Top, *btemp);
}

// ======================================================================= TSkinMenuButton

TSkinMenuButton::TSkinMenuButton(TComponent* AOwner)
    : TSkinButton(AOwner), cache_(std::make_unique<PictureButtonCache>()) {}

TSkinMenuButton::~TSkinMenuButton() = default;

void TSkinMenuButton::SkinChange() {
    cache_->Clear();
    TSkinButton::SkinChange();
}

Route TSkinMenuButton::BeforeProc(TMessage& Message) {
    if (Message.Msg == CN_DRAWITEM) {  // owner-drawn: the skin paints it
        Message.Result = TRUE;
        return Route::Swallow;
    }
    return TSkinButton::BeforeProc(Message);
}

void TSkinMenuButton::DrawControl(HDC dc, const TRect& rc) {
    const TDataSkinButton* skin = fsd ? fsd->Button.get() : nullptr;
    if (!skin || skin->Map.Empty() || rc.IsEmpty()) return;
    focused = GetFocus() == hwnd;
    enabled = !(DWORD(GetWindowLongW(hwnd, GWL_STYLE)) & WS_DISABLED);
    caption = control ? GetStrPropByName(control, "Caption") : GetWindowCaption(hwnd);
    const int frame = MenuButtonFrame(enabled, (state & kPressed) != 0, (state & kHot) != 0, focused);

    const int W = rc.Width(), H = rc.Height();
    btemp->SetSize(W, H);
    const HDC bdc = BitmapDC(*btemp);
    if (!bdc) return;
    if (trans && control) {
        PaintParentBackground(control, bdc);
        cache_->Frame(*skin, frame, W, H, std::nullopt).Draw(bdc, 0, 0);
    } else {
        cache_->Frame(*skin, frame, W, H, ResolveColor(ButtonFace())).Draw(bdc, 0, 0);
    }

    SavedDC saved(bdc);
    TFont* font = SelectControlFont(bdc, control, hwnd);
    // The whole glyph is one cell.
    const TBitmap* glyph = GlyphOf(control, "Glyph");
    const TSize g = glyph ? TSize{glyph->Width(), glyph->Height()} : TSize{0, 0};
    const TSize t = MeasureCaption(bdc, caption, MenuTextBounds(W, H, g.cx));
    const MenuButtonPlacement at = PlaceMenuButton(
        {W, H, g.cx, g.cy, t.cx, t.cy, OrdOr(control, "Margin", -1), OrdOr(control, "Spacing", -1)});
    if (glyph) DrawGlyph(bdc, at.glyph, *glyph);

    // The arrow takes the caption's colour: the window-text colour would vanish on a dark skin whose
    // captions are light.
    const TColor base = font ? font->Color() : fsd->Colors[scheme::kButtonText];
    const COLORREF ink = ColorToRGB(ResolveColor(ButtonCaptionColour(*skin, base, frame, enabled)));
    SetTextColor(bdc, ink);
    Owned<HPEN> pen{CreatePen(PS_SOLID, 1, ink)};
    Owned<HBRUSH> brush{CreateSolidBrush(ink)};
    {
        Selected usePen{bdc, pen.get()};
        Selected useBrush{bdc, brush.get()};
        const POINT arrow[] = {
            {at.arrow.X, at.arrow.Y + 2}, {at.arrow.X - 3, at.arrow.Y - 1}, {at.arrow.X + 3, at.arrow.Y - 1}};
        Polygon(bdc, arrow, 3);
    }
    if (!caption.empty()) {
        SetBkMode(bdc, TRANSPARENT);
        RECT r = ToRECT(at.text);
        DrawTextW(bdc, caption.c_str(), int(caption.size()), &r, DT_WORDBREAK);
        if (focused && !fsd->Options().Contains(xoNoFocusRect)) {
            RECT f{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2};
            DrawFocusRect(bdc, &f);
        }
    }
    BlitOpaque(dc, rc.Left, rc.Top, *btemp);
}

void TSkinMenuButton::DrawGlyph(HDC dc, TPoint p, const TBitmap& glyph) {
    cache_
        ->Cell(glyph, 1, 1,
               [&] {
                   TBitmap copy;
                   copy.Assign(glyph);
                   return copy;
               })
        .Draw(dc, p.X, p.Y);
}

// ======================================================================= TSkinSpeedButton

TSkinSpeedButton::TSkinSpeedButton(TComponent* AOwner) : TSkinBitButton(AOwner) {}

TSkinSpeedButton::~TSkinSpeedButton() { GiveBackWindowProc(); }

void TSkinSpeedButton::GiveBackWindowProc() {
    if (GControl) UnhookWindowProc(*GControl);
}

void TSkinSpeedButton::InitGraphicControl(TComponent* sf, TSkinData* sd, TCanvas* acanvas) {
    auto* owner = dynamic_cast<TGraphicControl*>(Owner());
    if (Inited || !owner) return;
    fsd = sd;
    fCanvas = acanvas;
    GControl = owner;
    EnterList(sf);
    HookWindowProc(*GControl);
    skinstate = kAttached;
    Inited = true;
    trans = GControl->Tag() == kTransparentTag || (fsd && fsd->Options().Contains(xoTransparent));
    GControl->Invalidate();
}

Route TSkinSpeedButton::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: WMPaintSpeed(Message); return Route::Swallow;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The button's own press (its down state, its group) runs first.
        CallDefault(Message);
        state |= kPressed;
        PaintControl(nullptr);
        return Route::Swallow;
    case WM_LBUTTONUP: return Route::PassOn;
    default: return TSkinButton::BeforeProc(Message);
    }
}

void TSkinSpeedButton::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED: break;
    case WM_NCDESTROY:
    case CM_RELEASE: GiveBackWindowProc(); break;
    case WM_KEYDOWN:
        if (Message.WParam == VK_SPACE) {
            state |= kPressed;
            PaintControl(nullptr);
        }
        break;
    case WM_KEYUP:
        if (Message.WParam != VK_SPACE) break;
        [[fallthrough]];
    case WM_LBUTTONUP:
        state &= ~kPressed;
        PaintControl(nullptr);
        break;
    case CM_MOUSEENTER:
        state |= kHot;
        PaintControl(nullptr);
        break;
    case CM_MOUSELEAVE:
        state &= ~(kHot | kPressed);
        if (GControl && GControl->Showing()) PaintControl(nullptr);
        break;
    // Hot follows the framework's enter and leave notices: a move relayed while the mouse is held
    // outside the button (its parent keeps the mouse for it) must not make it hot again.
    case WM_MOUSEMOVE: break;
    default: TSkinButton::AfterProc(Message); break;
    }
}

void TSkinSpeedButton::WMPaintSpeed(TMessage& Message) {
    Message.Result = 1;
    const HDC dc = PassedDc(Message);
    if (!dc || !GControl) return;
    SavedDC saved(dc);  // the dc is the parent's: it goes back as it came
    TCanvas& canvas = GControl->Canvas();
    CanvasBinding bind(canvas, dc);
    Draw(canvas);
}

void TSkinSpeedButton::PaintControl(HDC adc) {
    if (!GControl) return;
    TCanvas& canvas = GControl->Canvas();
    try {
        if (adc) {
            SavedDC saved(adc);
            CanvasBinding bind(canvas, adc);
            Draw(canvas);
        } else if (canvas.HandleAllocated()) {
            Draw(canvas);
        } else {
            TWinControl* parent = GControl->Parent();
            if (!parent || !parent->HandleAllocated() || !GControl->Showing()) return;
            // Outside a paint: the parent's window, moved and clipped to the control.
            ClientDC dc(parent->Handle());
            SetViewportOrgEx(dc, GControl->Left(), GControl->Top(), nullptr);
            IntersectClipRect(dc, 0, 0, GControl->Width(), GControl->Height());
            CanvasBinding bind(canvas, dc);
            Draw(canvas);
        }
    } catch (...) {
        // The button keeps whatever was painted before.
    }
}

void TSkinSpeedButton::Draw(TCanvas& canvas) {
    canvas.Lock();
    struct Unlock {
        TCanvas& c;
        ~Unlock() { c.Unlock(); }
    } unlock{canvas};
    DrawSpeedbtn(canvas, {0, 0, GControl->Width(), GControl->Height()});
}

void TSkinSpeedButton::DrawSpeedbtn(TCanvas& acanvas, const TRect& rc) {
    const TDataSkinButton* skin = fsd ? fsd->Button.get() : nullptr;
    if (!skin || skin->Map.Empty() || !GControl || FReentr) return;
    if (AsciiLower(GetEnumPropByName(GControl, "Visible")) == "false") return;
    // The parent's background below may paint this button again: that nested paint is dropped.
    FReentr = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{FReentr};

    const bool isEnabled = IsTrue(GControl, "Enabled");
    const SpeedButtonLook look =
        SpeedButtonLookOf(IsTrue(GControl, "Down"), isEnabled, (state & kPressed) != 0, (state & kHot) != 0,
                          IsTrue(GControl, "Flat"));
    const int W = rc.Width(), H = rc.Height();
    if (W < 1 || H < 1) return;
    btemp->SetSize(W, H);
    const HDC bdc = BitmapDC(*btemp);
    if (!bdc) return;
    const TRect local{0, 0, W, H};
    DrawFace(bdc, local, *skin, look.frame, look.drawFrame);

    SavedDC saved(bdc);
    TFont* font = SelectControlFont(bdc, GControl, nullptr);
    caption = GetStrPropByName(GControl, "Caption");
    const bool picture = !PicField.empty();
    const TBitmap* glyph = GlyphOf(GControl, picture ? std::string_view(PicField) : "Glyph");
    const int numGlyphs = picture ? 1 : GlyphCount(int(GetOrdPropByName(GControl, "NumGlyphs")));
    const TSize g = glyph ? TSize{glyph->Width() / numGlyphs, glyph->Height()} : TSize{0, 0};
    SetTextColorFor(bdc, font, look.frame, !isEnabled);
    if (g.cx < 1 || g.cy < 1) {
        DrawButtonText(bdc, local, DT_CENTER);
    } else {
        const GlyphLayout layout = GlyphLayoutOf(GetEnumPropByName(GControl, "Layout"));
        caption = TwoLineCaption(caption);
        const TSize t = MeasureCaption(bdc, caption, GlyphTextBounds(W, H, g.cx, g.cy, layout));
        const GlyphPlacement at =
            PlaceSpeedButton({W, H, g.cx, g.cy, t.cx, t.cy, OrdOr(GControl, "Margin", -1),
                              OrdOr(GControl, "Spacing", -1), layout});
        if (picture)
            DrawPicture(bdc, at.glyph, *glyph);
        else
            DrawGlyph(bdc, at.glyph, numGlyphs, look.glyphCell, *glyph);
        if (!caption.empty()) {
            SetBkMode(bdc, TRANSPARENT);
            RECT r = ToRECT(at.text);
            DrawTextW(bdc, caption.c_str(), int(caption.size()), &r,
                      CheckBiDi(DT_WORDBREAK | AlignFlags(at.align)));
        }
    }
    BlitOpaque(acanvas.Handle(), rc.Left, rc.Top, *btemp);
}
