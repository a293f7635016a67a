// The menu item painter of the form skinner: owner-drawn items of popup menus, main-menu drop-downs and the
// system menu, each composed off screen on its part of the popup's skin background and drawn in one blit.
#include <algorithm>

#include "platform/bitmap.h"
#include "platform/props.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/forms.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "platform/win/image_list.h"
#include "platform/win/menus.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/form/form_manager_link.h"
#include "skin/form/menu_item_layout.h"
#include "skin/form/win/menu_item_painter.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/imaging/img_util.h"

namespace {

constexpr int kItemCells = 5;
constexpr int kNormalCell = 1;
constexpr int kSelectedCell = 4;
constexpr int kPopupBorder = 3;           // items lie this far in from the popup window's corner
constexpr int kArrowInset = 6;            // a submenu's arrow covers this column from an item's right edge
constexpr std::size_t kScratchSizes = 4;  // item sizes whose bitmaps are kept
constexpr UINT kLastAppCommand = 4095;    // above: system commands, window-list entries, submenu handles
constexpr int kMenuTextLength = 80;
constexpr WORD kCheckMarkBitmap = 32760;        // the platform's check mark (OBM_CHECK)
constexpr DWORD kPaintWhereBlack = 0x00B8074A;  // brush where the source is black, destination elsewhere
constexpr UINT kMeasureFlags = DT_EXPANDTABS | DT_SINGLELINE | DT_CALCRECT | DT_NOCLIP;
constexpr UINT kDrawFlags = DT_EXPANDTABS | DT_SINGLELINE;

bool OlderPlatformFamily() { return (GetVersion() & 0x80000000u) != 0; }

// A bitmap to compose one item in, with a canvas on it in the screen's menu font.
struct ItemBitmap {
    TBitmap bitmap;
    TCanvas canvas;
    std::unique_ptr<CanvasBinding> binding;
    ItemBitmap(int w, int h) {
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(std::max(w, 1), std::max(h, 1));
        binding = std::make_unique<CanvasBinding>(canvas, BitmapDC(bitmap));
        canvas.Font().Assign(Screen->MenuFont());
    }
    // Draws the item, and leaves the target in the colours of its text on its background: the platform
    // draws a submenu's arrow after the item, in the target's text and back colours.
    void DrawOn(TCanvas& target, int x, int y, TColor text) {
        const HDC dc = target.Handle();
        BitBlt(dc, x, y, bitmap.Width(), bitmap.Height(), BitmapDC(bitmap), 0, 0, SRCCOPY);
        SetTextColor(dc, ColorToRGB(text));
        SetBkColor(dc, bitmap.Pixel(std::max(bitmap.Width() - kArrowInset, 0), bitmap.Height() / 2));
    }
};

// Fills r with the platform's half-tone of button face and button highlight (a checked image's square).
void FillDither(HDC dc, const RECT& r) {
    static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    Owned<HBITMAP> bits(CreateBitmap(8, 8, 1, 1, pattern));
    Owned<HBRUSH> brush(CreatePatternBrush(bits.get()));
    const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &r, brush.get());
    SetTextColor(dc, text);
    SetBkColor(dc, back);
}

// The platform's check mark, loaded once per item that shows it.
struct CheckMark {
    Owned<HBITMAP> bits{LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckMarkBitmap))};
    TSize size{0, 0};
    CheckMark() {
        BITMAP info{};
        if (bits && GetObjectW(bits.get(), sizeof info, &info)) size = {info.bmWidth, info.bmHeight};
    }
    // Draws it in the button-text colour at (x, y), its white left transparent.
    void Draw(HDC dc, int x, int y) const {
        if (size.cx <= 0) return;
        MemoryDC source(dc);
        Selected chosen(source, bits.get());
        Owned<HBRUSH> ink(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
        Selected brush(dc, ink.get());
        const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
        BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, kPaintWhereBlack);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    }
};

HMENU ParentHandle(TMenuItem& item) { return item.Parent() ? item.Parent()->Handle() : nullptr; }

}  // namespace

struct TMenuItemPainter::Scratch {
    Scratch(int w, int h) : item(w, h), width(w), height(h) {}
    ItemBitmap item;
    int width, height;
    const TDataSkinObject* source = nullptr;  // whose cells these are
    PlacedBitmap cells[2];                    // normal, selected
};

TMenuItemPainter::Scratch& TMenuItemPainter::ItemScratch(int w, int h) {
    w = std::max(w, 1);
    h = std::max(h, 1);
    for (const auto& s : scratch_)
        if (s->width == w && s->height == h) return *s;
    // Items, separators and a menu or two of other widths; the oldest size goes first.
    if (scratch_.size() >= kScratchSizes) scratch_.erase(scratch_.begin());
    scratch_.push_back(std::make_unique<Scratch>(w, h));
    return *scratch_.back();
}

TMenuItemPainter::TMenuItemPainter(TWinSkinForm& form)
    : sf_(form),
      fsd(form.fsd),
      FForm(form.FForm),
      Hwnd(form.Hwnd),
      hmenu(form.hmenu),
      activemenu(form.activemenu) {}

TMenuItemPainter::~TMenuItemPainter() = default;

FormManagerLink* TMenuItemPainter::Manager() const { return sf_.Manager(); }

void TMenuItemPainter::SkinChanged() { scratch_.clear(); }

// ---- Attaching the item events

void TMenuItemPainter::Attach(TMenuItem& item, bool popupItem) {
    // What the item had is kept, and given back when the painter lets it go.
    if (attached_.find(&item) == attached_.end())
        attached_.emplace(&item, Saved{item.Command(), item.OnDrawItem, item.OnMeasureItem});
    item.OnDrawItem = [this](TObject* s, TCanvas& c, const TRect& r, bool sel) {
        DrawMenuItem(s, c, r, sel);
    };
    if (popupItem) {
        if (!item.OnMeasureItem)
            item.OnMeasureItem = [this](TObject* s, TCanvas& c, int& w, int& h) {
                MeasurePopupItem(s, c, w, h);
            };
    } else {
        item.OnMeasureItem = [this](TObject* s, TCanvas& c, int& w, int& h) { MeasureItem(s, c, w, h); };
    }
}

void TMenuItemPainter::Detach(TMenuItem& item) {
    const auto it = attached_.find(&item);
    if (it == attached_.end()) return;
    // An item made since at the address of one that went is not the painter's.
    if (it->second.command == item.Command()) {
        item.OnDrawItem = std::move(it->second.draw);
        item.OnMeasureItem = std::move(it->second.measure);
    }
    attached_.erase(it);
}

void TMenuItemPainter::SetMenuOwnerDraw(TMenu& menu, bool on) {
    if (on) {
        ownerDraw_.emplace(&menu, menu.OwnerDraw());
        menu.SetOwnerDraw(true);
    } else if (const auto it = ownerDraw_.find(&menu); it != ownerDraw_.end()) {
        menu.SetOwnerDraw(it->second);
        ownerDraw_.erase(it);
    }
}

void TMenuItemPainter::InitPopMenu(TWinControl* wForm, bool Enable) {
    if (!wForm || !fsd || (FForm && FForm->ClassName() == "TwwRichEditForm")) return;
    const bool skinPopups = fsd->SkinControls().Contains(xcPopupMenu);
    for (int i = 0; i < wForm->ComponentCount(); ++i) {
        TComponent* c = wForm->Components(i);
        if (auto* form = dynamic_cast<TCustomForm*>(c)) {
            InitPopMenu(form, Enable);
            continue;
        }
        auto* popup = dynamic_cast<TPopupMenu*>(c);
        // Letting go covers every menu the painter took, whatever the skin says now.
        if (!popup || (Enable && (!skinPopups || popup->Tag() == fsd->DisableTag()))) continue;
        SetMenuOwnerDraw(*popup, Enable);
        std::function<void(TMenuItem*)> visit = [&](TMenuItem* item) {
            for (int k = 0; k < item->Count(); ++k) {
                TMenuItem* sub = item->Items(k);
                if (Enable)
                    Attach(*sub, true);
                else
                    Detach(*sub);
                visit(sub);
            }
        };
        visit(popup->Items());
    }
}

void TMenuItemPainter::InitMainMenu(TWinControl* wForm, bool Enable) {
    if (!wForm) return;
    for (int i = 0; i < wForm->ComponentCount(); ++i) {
        auto* menu = dynamic_cast<TMainMenu*>(wForm->Components(i));
        if (!menu) continue;
        SetMenuOwnerDraw(*menu, Enable);
        // The bar's own entries are the menu bar's to draw; the drop-downs below them are ours, except items
        // that draw themselves.
        std::function<void(TMenuItem*, bool)> visit = [&](TMenuItem* item, bool topLevel) {
            for (int k = 0; k < item->Count(); ++k) {
                TMenuItem* sub = item->Items(k);
                if (!Enable)
                    Detach(*sub);
                else if (!topLevel && (!sub->OnDrawItem || attached_.count(sub)))
                    Attach(*sub, false);
                visit(sub, false);
            }
        };
        visit(menu->Items(), true);
    }
}

// ---- Measuring

void TMenuItemPainter::MeasureItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    // The framework's own measurement, without this handler.
    TMenuMeasureItemEvent own = std::move(item->OnMeasureItem);
    item->OnMeasureItem = nullptr;
    item->MeasureItem(ACanvas, Width, Height);
    item->OnMeasureItem = std::move(own);
    const TMenu* menu = item->GetParentMenu();
    const int indent = fsd && fsd->MenuItem ? fsd->MenuItem->r.Left : 0;
    Width += MainItemExtraWidth(indent, menu && menu->Images());
}

void TMenuItemPainter::MeasurePopupItem(TObject* Sender, TCanvas&, int& Width, int&) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || !fsd) return;
    const TMenu* menu = item->GetParentMenu();
    const int indent = fsd->MenuItem ? fsd->MenuItem->r.Left : 0;
    Width += PopupItemExtraWidth(indent, menu && menu->Images());
}

void TMenuItemPainter::MeasureByText(MEASUREITEMSTRUCT& mi) {
    wchar_t text[kMenuTextLength] = {};
    GetMenuStringW(activemenu, mi.itemID, text, kMenuTextLength, MF_BYCOMMAND);
    TCanvas canvas;
    WindowDC dc(Hwnd);
    CanvasBinding bind(canvas, dc);
    canvas.Font().Assign(Screen->MenuFont());
    const int indent = fsd && fsd->MenuItem ? fsd->MenuItem->r.Left : 0;
    const TSize size = MeasureItemByText(canvas.TextWidth(text), text[0] == 0, int(mi.itemHeight), indent,
                                         OlderPlatformFamily());
    mi.itemWidth = UINT(size.cx);
    mi.itemHeight = UINT(size.cy);
}

TMainMenu* TMenuItemPainter::FrameworkMenu() const { return FForm ? FForm->Menu() : nullptr; }

bool TMenuItemPainter::OnMeasureItem(TMessage& m) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (!mi || mi->CtlType != ODT_MENU || !hmenu) {
        return false;
    }
    m.Result = 1;
    if (!FForm) {
        MeasureByText(*mi);
        return true;
    }
    if (FormManagerLink* mg = Manager()) mg->SetPopMenu();
    TMainMenu* menu = FrameworkMenu();
    if (TMenuItem* item = menu ? menu->FindItem(mi->itemID, TFindItemKind::fkCommand) : nullptr) {
        TCanvas canvas;
        WindowDC dc(Hwnd);
        CanvasBinding bind(canvas, dc);
        canvas.Font().Assign(Screen->MenuFont());
        int w = int(mi->itemWidth), h = int(mi->itemHeight);
        MeasureItem(item, canvas, w, h);
        mi->itemWidth = UINT(w);
        mi->itemHeight = UINT(h);
    } else if (mi->itemID >= 1 && mi->itemID <= kLastAppCommand) {
        return false;
    } else {
        MeasureByText(*mi);
    }
    return true;
}

// ---- Drawing

void TMenuItemPainter::ItemBackground(TBitmap& bitmap, HMENU menu, const TRect& r) {
    TBitmap* bg = Manager() && menu ? Manager()->GetMenuBg(menu) : nullptr;
    if (bg && !bg->Empty()) {
        BitBlt(BitmapDC(bitmap), 0, 0, r.Width(), r.Height(), BitmapDC(*bg), r.Left + kPopupBorder,
               r.Top + kPopupBorder, SRCCOPY);
        return;
    }
    Owned<HBRUSH> fill(CreateSolidBrush(ColorToRGB(fsd->Colors[scheme::kMenu])));
    RECT whole{0, 0, r.Width(), r.Height()};
    FillRect(BitmapDC(bitmap), &whole, fill.get());
}

void TMenuItemPainter::DrawSkinnedItem(TMenuItem& item, HMENU parent, TCanvas& target, const TRect& r,
                                       bool selected, bool sliceSeparator) {
    Scratch& scratch = ItemScratch(r.Width(), r.Height());
    ItemBitmap& b = scratch.item;
    ItemBackground(b.bitmap, parent, r);
    const TRect local{0, 0, r.Width(), r.Height()};
    TDataSkinObject& obj = *fsd->MenuItem;
    if (item.IsLine() && sliceSeparator) {
        b.DrawOn(target, r.Left, r.Top, ItemTextColour(item, selected));
        DrawSeparatorItem(target, r);
        return;
    }
    // The item image's cell at the item's size, composed once per size.
    if (scratch.source != &obj) {
        scratch.source = &obj;
        for (PlacedBitmap& cell : scratch.cells) cell = {};
    }
    PlacedBitmap& cell = scratch.cells[selected ? 1 : 0];
    if (!cell.bitmap)
        cell = ComposeSkinRect(local, obj.Map, obj.r, selected ? kSelectedCell : kNormalCell, kItemCells,
                               obj.trans, obj.Tile, 0);
    if (cell.bitmap) {
        if (cell.keyed)
            DrawKeyedBitmap(b.bitmap, local, *cell.bitmap, SkinKeyColor);
        else
            CopyOpaque(b.bitmap, cell.x, cell.y, *cell.bitmap);
    }
    DrawItemContent(item, b.canvas, selected, local);
    b.DrawOn(target, r.Left, r.Top, ItemTextColour(item, selected));
}

void TMenuItemPainter::DrawMenuItem(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || !fsd) return;
    FormManagerLink* mg = Manager();
    if (mg) mg->SetPopMenu();
    if (!fsd->MenuItem) {
        DrawPlainItem(*item, ACanvas, Selected, ARect);
        return;
    }
    const HMENU parent = ParentHandle(*item);
    if (mg && parent) mg->SetHMenu(parent);
    DrawSkinnedItem(*item, parent, ACanvas, ARect, Selected, true);
}

void TMenuItemPainter::DrawSeparatorItem(TCanvas& canvas, const TRect& r) {
    TDataSkinObject& obj = *fsd->MenuItem;
    const int w = r.Width(), h = r.Height();
    TBitmap line;
    line.SetPixelFormat(pf24bit);
    line.SetSize(std::max(w, 1), std::max(h, 1));
    for (const MenuSlice& s :
         SeparatorSlices(obj.Map.Width() / kItemCells, obj.Map.Height(), w, h, obj.r.Left, obj.r.Right)) {
        StretchBlt(BitmapDC(line), s.dest.Left, s.dest.Top, s.dest.Width(), s.dest.Height(),
                   BitmapDC(obj.Map), s.src.Left, s.src.Top, s.src.Width(), s.src.Height(), SRCCOPY);
    }
    TransparentBlt(canvas.Handle(), r.Left, r.Top, w, h, BitmapDC(line), 0, 0, w, h, SkinKeyColor);
}

void TMenuItemPainter::DrawPlainItem(TMenuItem& item, TCanvas& canvas, bool selected, const TRect& r) {
    ItemBitmap& b = ItemScratch(r.Width(), r.Height()).item;
    Owned<HBRUSH> fill(
        CreateSolidBrush(ColorToRGB(fsd->Colors[selected ? scheme::kHilight : scheme::kMenu])));
    RECT whole{0, 0, r.Width(), r.Height()};
    FillRect(BitmapDC(b.bitmap), &whole, fill.get());
    DrawItemContent(item, b.canvas, selected, {0, 0, r.Width(), r.Height()});
    b.DrawOn(canvas, r.Left, r.Top, ItemTextColour(item, selected));
}

void TMenuItemPainter::DrawItemContent(TMenuItem& item, TCanvas& canvas, bool selected, const TRect& r) {
    const std::wstring text = GetStrPropByName(&item, "Caption");
    TMenu* menu = item.GetParentMenu();
    if (!menu) menu = FrameworkMenu();
    TCustomImageList* images = menu ? menu->Images() : nullptr;
    const int gw = MenuGlyphWidth(images ? images->Width() : 0, images != nullptr, item.Checked());
    const bool rtl = menu && menu->IsRightToLeft();
    const int indent = fsd->MenuItem ? fsd->MenuItem->r.Left : 0;
    const MenuItemPlaces places = PlaceMenuItem(r, rtl, item.IsLine(), gw, indent);
    TRect g = places.glyph;
    const HDC dc = canvas.Handle();
    if (!item.IsLine()) {
        const bool hasImage = images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
        if (hasImage) {
            if (item.Checked()) {
                RECT box = ToRECT(g);
                FillDither(dc, box);
                if (!rtl) g.Top = r.Top + (r.Height() - 16) / 2;
                box = ToRECT(g);
                DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
            } else if (!rtl) {
                g.Top = r.Top + (r.Height() - images->Height()) / 2;
            }
            images->Draw(canvas, g.Left, g.Top, item.ImageIndex(), item.Enabled());
        } else if (item.Checked()) {
            const CheckMark mark;
            const int y = rtl ? g.Top + (g.Height() - mark.size.cy) / 2 + 1
                              : r.Top + (r.Height() - mark.size.cy) / 2 + 1;
            mark.Draw(dc, g.Left + (g.Width() - mark.size.cx) / 2 + 1, y);
        }
    }
    TRect t = places.text;
    const TRect t0 = t;
    const UINT rtlFlags = rtl ? DT_RTLREADING | DT_RIGHT : 0;
    DrawItemText(item, canvas, kMeasureFlags | rtlFlags, selected, t, text);
    const int down = (t0.Height() - t.Height()) / 2;
    t.Top += down;
    t.Bottom += down;
    if (rtl) {
        t.Left = t0.Left;
        t.Right = t0.Right;
    }
    DrawItemText(item, canvas, kDrawFlags | rtlFlags, selected, t, text);
    if (item.ShortCut() != 0) {
        if (rtl) {
            t.Left = t0.Left + 10;
            DrawItemText(item, canvas, 0, selected, t, ShortCutToText(item.ShortCut()));
        } else {
            t.Left = t.Right;
            t.Right = t0.Right - 10;
            DrawItemText(item, canvas, DT_RIGHT, selected, t, ShortCutToText(item.ShortCut()));
        }
    }
}

TColor TMenuItemPainter::ItemTextColour(const TMenuItem& item, bool selected) const {
    if (item.Enabled()) return fsd->Colors[selected ? scheme::kHilightText : scheme::kMenuText];
    // A skin whose shadow is its menu text would hide the difference.
    return fsd->Colors[scheme::kButtonShadow] == fsd->Colors[scheme::kMenuText]
               ? TColor(GetSysColor(COLOR_BTNSHADOW))
               : fsd->Colors[scheme::kButtonShadow];
}

void TMenuItemPainter::DrawItemText(TMenuItem& item, TCanvas& canvas, UINT flags, bool selected, TRect& t,
                                    std::wstring text) {
    const bool measuring = (flags & DT_CALCRECT) != 0;
    if (measuring && (text.empty() || text == L"&")) text += L' ';
    const HDC dc = canvas.Handle();
    if (text == L"-") {
        if (!measuring) {
            RECT line{t.Left, t.Top + 4, t.Right, t.Bottom};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        }
        return;
    }
    // Only the default item needs a font of its own, the canvas's in bold.
    TFont bold;
    if (item.Default()) {
        bold.Assign(canvas.Font());
        TFontStyles style = bold.Style();
        style.Include(fsBold);
        bold.SetStyle(style);
    }
    Selected chosen(dc, item.Default() ? bold.Handle() : canvas.Font().Handle());
    const COLORREF oldColour = SetTextColor(dc, ColorToRGB(ItemTextColour(item, selected)));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT rect = ToRECT(t);
    DrawPlatformText(dc, text, rect, flags);
    t = ToTRect(rect);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
}

void TMenuItemPainter::DrawHandleItem(HMENU menu, UINT id, bool selected, const TRect& rc, HDC dc) {
    // A stand-in framework item with the entry's text and state.
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_TYPE;
    GetMenuItemInfoW(menu, id, FALSE, &info);
    wchar_t text[kMenuTextLength] = {};
    GetMenuStringW(menu, id, text, kMenuTextLength, MF_BYCOMMAND);
    TMenuItem temp(nullptr);
    temp.SetCaption(text[0] ? std::wstring(text) : std::wstring(L"-"));
    temp.SetEnabled((info.fState & 3) == 0);
    temp.SetChecked((info.fState & MFS_CHECKED) != 0);

    TCanvas target;
    CanvasBinding bind(target, dc);
    target.Font().Assign(Screen->MenuFont());
    if (!fsd->MenuItem)
        DrawPlainItem(temp, target, selected, rc);
    else
        DrawSkinnedItem(temp, menu, target, rc, selected, false);
}

bool TMenuItemPainter::OnDrawItem(TMessage& m) {
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (!di || di->CtlType != ODT_MENU || !hmenu || !fsd) {
        return false;
    }
    FormManagerLink* mg = Manager();
    if (mg) {
        mg->SetHMenu(HMENU(di->hwndItem));
        mg->SetPopMenu();
    }
    m.Result = 1;
    const bool selected = (di->itemState & ODS_SELECTED) != 0;
    const TRect rc = ToTRect(di->rcItem);
    if (FForm) {
        TMainMenu* menu = FrameworkMenu();
        if (TMenuItem* item = menu ? menu->FindItem(di->itemID, TFindItemKind::fkCommand) : nullptr) {
            TCanvas canvas;
            CanvasBinding bind(canvas, di->hDC);
            canvas.Font().Assign(Screen->MenuFont());
            DrawMenuItem(item, canvas, rc, selected);
            return true;
        }
        if (di->itemID >= 1 && di->itemID <= kLastAppCommand) {
            return false;
        }
    }
    DrawHandleItem(HMENU(di->hwndItem), di->itemID, selected, rc, di->hDC);
    return true;
}

void TMenuItemPainter::SetOwnerDrawItems(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[kMenuTextLength] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = kMenuTextLength;
        if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &info)) continue;
        MENUITEMINFOW mark{};
        mark.cbSize = sizeof mark;
        mark.fMask = MIIM_TYPE;
        mark.fType = info.fType | MFT_OWNERDRAW;
        mark.dwTypeData = text;
        SetMenuItemInfoW(menu, UINT(i), TRUE, &mark);
        if (info.hSubMenu) SetOwnerDrawItems(info.hSubMenu);
    }
}
