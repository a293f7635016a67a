// The scroll bar skinners under Wine. A memo's vertical scroll bar: the panel laid exactly over the
// platform's bar and painted from the skin's arrow strip, scrolling followed by the drawn thumb, a press on
// the skinned down arrow scrolling the memo through the platform's own handling, and no panel for a bar that
// is not shown. A dialog box made from a dialog template, with a default push button, an edit and a scroll
// bar control: the scroll bar control skinned by handle (and found by the dialog's form skinner), its arrows
// and thumb read back against the skin images, presses on the skinned arrow and a drag of the skinned thumb
// reaching the control (the dialog gets the scroll notifications and moves the position), the drawn thumb
// following. Then a bare list box's window scroll bar, and a list view.
#include "skin/controls/win/skin_scrollbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/stream.h"
#include "skin/controls/scroll_bar_layout.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

class SkinScrollbarTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_TRUE(skin.SArrow);
        host = MakeHostForm(300, 220);
        memo = new TMemo(host.get());
        memo->SetParent(host.get());
        memo->SetBounds(10, 10, 200, 150);
        memo->SetScrollBars(ssVertical);
        for (int i = 1; i <= 40; ++i) memo->Lines().Add(L"第 " + std::to_wstring(i) + L" 圈");
        host->Show();
        SendMessageW(memo->Handle(), EM_SETSEL, 0, 0);
        SendMessageW(memo->Handle(), EM_SCROLLCARET, 0, 0);
        skinner = new TSkinScrollbar(memo);
        skinner->InitScrollbar(memo, &skin, nullptr, &form);
        Pump(50);
    }
    void TearDown() override {
        host.reset();
        FreeSkinManager();
    }
    int FirstLine() { return int(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
    SCROLLBARINFO Bar() {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        User32Entries().GetScrollBarInfo(memo->Handle(), OBJID_VSCROLL, &info);
        return info;
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
    TMemo* memo = nullptr;
    TSkinScrollbar* skinner = nullptr;
};

TEST_F(SkinScrollbarTest, PanelCoversTheBarAndShowsTheSkin) {
    ASSERT_TRUE(skinner->vb && skinner->hb);
    EXPECT_TRUE(skinner->vb->sbVisible);
    EXPECT_FALSE(skinner->hb->sbVisible);  // the memo has no horizontal bar
    RECT panel;
    GetWindowRect(skinner->vb->Handle(), &panel);
    const SCROLLBARINFO bar = Bar();
    EXPECT_EQ(panel.left, bar.rcScrollBar.left);
    EXPECT_EQ(panel.top, bar.rcScrollBar.top);
    EXPECT_EQ(panel.right, bar.rcScrollBar.right);
    EXPECT_EQ(panel.bottom, bar.rcScrollBar.bottom);
    EXPECT_TRUE(IsWindowVisible(skinner->vb->Handle()));

    // The up arrow is cell 9 of the arrow strip, stretched into the first arrow-length of the bar.
    RedrawWindow(skinner->vb->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
    const TDataSkinObject& a = *skin.SArrow;
    const int cw = skinner->vb->CW, across = std::abs(a.Map.Height() - cw) > 2 ? cw : a.Map.Height();
    TBitmap cell(across, cw, pf24bit);
    const int cellWidth = a.Map.Width() / kArrowStripCells;
    StretchCopy(cell, Rect(0, 0, across, cw), a.Map, Rect(8 * cellWidth, 0, 9 * cellWidth, a.Map.Height()));
    HDC dc = GetDC(skinner->vb->Handle());
    int compared = 0;
    for (int y = 2; y < cw - 2; ++y)
        for (int x = 2; x < across - 2; ++x) {
            const TColor want = cell.Pixel(x, y);
            if (want == SkinKeyColor) continue;
            EXPECT_EQ(TColor(GetPixel(dc, x, y)), want) << x << "," << y;
            ++compared;
        }
    ReleaseDC(skinner->vb->Handle(), dc);
    EXPECT_GT(compared, 20);
}

TEST_F(SkinScrollbarTest, ScrollingIsFollowedAndPressesReachThePlatform) {
    EXPECT_EQ(FirstLine(), 0);
    const int before = skinner->vb->thumbTop;
    SendMessageW(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    RedrawWindow(skinner->vb->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
    EXPECT_GT(FirstLine(), 0);
    EXPECT_EQ(skinner->vb->thumbTop, Bar().xyThumbTop);  // the drawn thumb is the platform's
    EXPECT_GT(skinner->vb->thumbTop, before);

    // A press on the skinned down arrow is the platform's: its tracking scrolls the memo a line.
    const int first = FirstLine();
    RECT panel;
    GetWindowRect(skinner->vb->Handle(), &panel);
    const int x = (panel.right - panel.left) / 2, y = panel.bottom - panel.top - 5;
    PostMessageW(memo->Handle(), WM_LBUTTONUP, 0, 0);  // ends the platform's tracking loop at once
    SendMessageW(skinner->vb->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Pump(30);
    EXPECT_EQ(FirstLine(), first + 1);
    EXPECT_FALSE(skinner->vb->fdown);
}

// The box where the two bars meet is filled with the face, whether or not the memo has a border.
TEST_F(SkinScrollbarTest, TheCornerBoxSitsBetweenTheTwoBars) {
    skin.Colors[3] = RGBColor(10, 200, 30);
    memo->Hide();  // its panel would cover the box
    for (const TBorderStyle style : {bsSingle, bsNone}) {
        SCOPED_TRACE(style == bsNone ? "borderless" : "bordered");
        auto* both = new TMemo(host.get());
        both->SetParent(host.get());
        both->SetBounds(10, 10, 200, 150);
        both->SetBorderStyle(style);
        both->SetScrollBars(ssBoth);
        both->SetWordWrap(false);
        for (int i = 1; i <= 40; ++i) both->Lines().Add(std::wstring(60, L'圈'));
        auto* s = new TSkinScrollbar(both);
        s->InitScrollbar(both, &skin, nullptr, &form);
        Pump(30);
        ASSERT_TRUE(s->hb->sbVisible && s->vb->sbVisible);
        RedrawWindow(both->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        Pump(30);
        RECT w;
        GetWindowRect(both->Handle(), &w);
        POINT client{0, 0};
        ClientToScreen(both->Handle(), &client);
        const int dx = client.x - w.left, dy = client.y - w.top;
        const TRect box{s->vb->sbRect.Left + dx, s->hb->sbRect.Top + dy, s->vb->sbRect.Right + dx,
                        s->hb->sbRect.Bottom + dy};
        ASSERT_FALSE(box.IsEmpty());
        // Wine's bar rectangles reach one pixel into the box, so its first row and column may be a bar's.
        for (const TPoint p : {TPoint{box.Left + 1, box.Top + 1}, TPoint{box.Right - 1, box.Bottom - 1}})
            EXPECT_EQ(WindowPixel(both->Handle(), p.X, p.Y), RGBColor(10, 200, 30)) << p.X << "," << p.Y;
        delete both;
    }
}

// A skin without track or thumb images: those pieces are left out (the face colour shows), the arrows are
// still drawn, and nothing fails.
TEST_F(SkinScrollbarTest, ASkinWithoutTrackOrThumbStillPaintsTheArrows) {
    skin.HBar.reset();
    skin.VBar.reset();
    skin.HSlider.reset();
    skin.VSlider.reset();
    const HWND panel = skinner->vb->Handle();
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(20);
    const int cw = skinner->vb->CW;
    const TColor face = ResolveColor(skin.Colors[3]);
    HDC dc = GetDC(panel);
    // The track's middle and the thumb's place show the face colour.
    const int mid = (skinner->vb->thumbTop + skinner->vb->thumbbottom) / 2;
    EXPECT_EQ(TColor(GetPixel(dc, 3, mid)), face);
    RECT r;
    GetClientRect(panel, &r);
    EXPECT_EQ(TColor(GetPixel(dc, 3, r.bottom - cw - 3)), face);
    // The up arrow is there: its cell's middle pixel.
    const TDataSkinObject& a = *skin.SArrow;
    const int across = std::abs(a.Map.Height() - cw) > 2 ? cw : a.Map.Height();
    TBitmap cell(across, cw, pf24bit);
    const int cellWidth = a.Map.Width() / kArrowStripCells;
    StretchCopy(cell, Rect(0, 0, across, cw), a.Map, Rect(8 * cellWidth, 0, 9 * cellWidth, a.Map.Height()));
    int same = 0, compared = 0;
    for (int y = 2; y < cw - 2; ++y)
        for (int x = 2; x < across - 2; ++x) {
            if (cell.Pixel(x, y) == SkinKeyColor) continue;
            same += TColor(GetPixel(dc, x, y)) == cell.Pixel(x, y);
            ++compared;
        }
    ReleaseDC(panel, dc);
    EXPECT_GT(compared, 20);
    EXPECT_EQ(same, compared);
}

TEST_F(SkinScrollbarTest, HidingTheControlHidesThePanels) {
    memo->Hide();
    Pump(30);
    EXPECT_FALSE(skinner->vb->sbVisible);
    memo->Show();
    Pump(30);
    EXPECT_TRUE(skinner->vb->sbVisible);
}

constexpr int kButtonId = 101, kEditId = 102, kBarId = 103;

// A dialog template in memory: the header, then each item on a 4-byte boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy) {
        Dword(style);
        Dword(0);
        countAt_ = words_.size();
        Word(0);
        for (short v : {short(10), short(10), cx, cy}) Word(WORD(v));
        Word(0), Word(0), Word(0);  // no menu, the default class, no title
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom) {
        if (words_.size() % 2) Word(0);
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (short v : {x, y, cx, cy}) Word(WORD(v));
        Word(id);
        Word(0xFFFF), Word(atom);
        Word(0);  // no text
        Word(0);  // no creation data
        ++words_[countAt_];
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Word(WORD w) { words_.push_back(w); }
    void Dword(DWORD d) { Word(LOWORD(d)), Word(HIWORD(d)); }
    std::vector<WORD> words_;
    std::size_t countAt_ = 0;
};

// What the dialog saw of its scroll bar: the codes, and the position it set in reply.
std::vector<int> g_codes;

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_HSCROLL) return FALSE;
    const HWND bar = reinterpret_cast<HWND>(lParam);
    const int code = LOWORD(wParam);
    g_codes.push_back(code);
    int pos = GetScrollPos(bar, SB_CTL);
    switch (code) {
    case SB_LINERIGHT: ++pos; break;
    case SB_LINELEFT: --pos; break;
    case SB_PAGERIGHT: pos += 10; break;
    case SB_PAGELEFT: pos -= 10; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = HIWORD(wParam); break;
    default: return TRUE;
    }
    SetScrollPos(bar, SB_CTL, pos, TRUE);
    return TRUE;
}

// Cell I of the arrow strip as the skinner stretches it into a w x h rectangle.
TBitmap ArrowCell(const TDataSkinObject& arrows, int I, int w, int h) {
    TBitmap cell(w, h, pf24bit);
    const int cellWidth = arrows.Map.Width() / kArrowStripCells;
    StretchCopy(cell, Rect(0, 0, w, h), arrows.Map,
                Rect((I - 1) * cellWidth, 0, I * cellWidth, arrows.Map.Height()));
    return cell;
}

// Compares the pixels of dc inside (x0, y0, w, h) with want, a margin of 2 pixels left out, key colour
// skipped; answers how many were compared.
int ComparePixels(HDC dc, int x0, int y0, const TBitmap& want, int w, int h) {
    int compared = 0;
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x) {
            const TColor c = want.Pixel(x, y);
            if (c == SkinKeyColor) continue;
            EXPECT_EQ(TColor(GetPixel(dc, x0 + x, y0 + y)), c) << x << "," << y;
            ++compared;
        }
    return compared;
}

// A dialog box from a template: a default push button, an edit and a horizontal scroll bar control.
HWND OpenDialog() {
    DialogTemplate t(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 200, 120);
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 10, 50, 14, kButtonId, 0x0080);
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 70, 10, 80, 14, kEditId, 0x0081);
    t.Item(SBS_HORZ, 10, 40, 150, 10, kBarId, 0x0084);
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.get(), nullptr, DialogProc, 0);
}

void RedrawNow(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME); }

class ScrollControlTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_TRUE(skin.SArrow && skin.HSlider);
        Application->Initialize();
        dlg = OpenDialog();
        ASSERT_TRUE(dlg);
        bar = GetDlgItem(dlg, kBarId);
        const int cw = GetSystemMetrics(SM_CXHSCROLL);
        across = std::abs(skin.SArrow->Map.Height() - cw) > 2 ? cw : skin.SArrow->Map.Height();
        MoveWindow(bar, 10, 60, 200, across, TRUE);  // as thick as the skin draws: no stretch across
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 40, 0, 0};
        SetScrollInfo(bar, SB_CTL, &si, TRUE);
        g_codes.clear();
        skinner = new TSkinScControl(&form);
        skinner->Inithwnd(bar, &skin, nullptr, &form);
        Pump(50);
    }
    void TearDown() override {
        if (dlg) DestroyWindow(dlg);
        Pump(20);
        FreeSkinManager();
    }
    int Pos() { return GetScrollPos(bar, SB_CTL); }
    // A press on the panel at x along the bar, with the messages the control's tracking will read queued.
    void PressPanel(int x, const std::vector<std::pair<UINT, int>>& queued) {
        for (const auto& [msg, at] : queued)
            PostMessageW(bar, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at, across / 2));
        SendMessageW(skinner->sb->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, across / 2));
        Pump(30);
        RedrawNow(skinner->sb->Handle());
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    HWND dlg = nullptr, bar = nullptr;
    int across = 0;
    TSkinScControl* skinner = nullptr;
};

TEST_F(ScrollControlTest, ThePanelCoversTheControlAndShowsTheSkin) {
    ASSERT_TRUE(skinner->sb);
    EXPECT_EQ(SendMessageW(bar, SM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(skinner->sb->sbDir, 0);  // SBS_HORZ
    RECT panel, control;
    GetWindowRect(skinner->sb->Handle(), &panel);
    GetWindowRect(bar, &control);
    EXPECT_TRUE(EqualRect(&panel, &control));
    EXPECT_TRUE(IsWindowVisible(skinner->sb->Handle()));
    EXPECT_EQ(GetParent(skinner->sb->Handle()), dlg);

    RedrawNow(skinner->sb->Handle());
    Pump(20);
    const HWND h = skinner->sb->Handle();
    const int cw = skinner->sb->CW;
    HDC dc = GetDC(h);
    // The left and right arrows, cells 1 and 5 at rest.
    EXPECT_GT(ComparePixels(dc, 0, 0, ArrowCell(*skin.SArrow, 1, cw, across), cw, across), 20);
    EXPECT_GT(ComparePixels(dc, 200 - cw, 0, ArrowCell(*skin.SArrow, 5, cw, across), cw, across), 20);
    // The thumb: a page of 40 in 0..100 over the 166 pixels between the arrows.
    const ThumbSpan t = ControlThumb(200, cw, 0, 100, 40, 0);
    EXPECT_EQ(skinner->sb->thumbTop, t.top);
    EXPECT_EQ(skinner->sb->thumbbottom, t.bottom);
    const TDataSkinObject& s = *skin.HSlider;
    auto thumb = MakeSkinBitmap(Rect(0, 0, t.bottom - t.top, across), s.Map, s.r, 1, s.frame, 0, 0);
    int compared = 0;
    for (int y = 2; y < across - 2; ++y)
        for (int x = 1; x < 5; ++x) {  // the thumb's start, clear of the grip in its middle
            const TColor want = thumb->Pixel(x, y);
            if (s.trans && want == SkinKeyColor) continue;
            EXPECT_EQ(TColor(GetPixel(dc, t.top + x, y)), want) << x << "," << y;
            ++compared;
        }
    ReleaseDC(h, dc);
    EXPECT_GT(compared, 10);
}

TEST_F(ScrollControlTest, PressesAndDragsReachTheControl) {
    // A press on the skinned right arrow: the control's own tracking scrolls a line.
    PressPanel(195, {{WM_LBUTTONUP, 195}});
    EXPECT_EQ(Pos(), 1);
    ASSERT_FALSE(g_codes.empty());
    EXPECT_EQ(g_codes.front(), SB_LINERIGHT);
    EXPECT_FALSE(skinner->sb->fdown);

    // The thumb dragged 40 pixels to the right by mouse messages: the dialog follows the thumb, and so
    // does the drawn thumb.
    const int before = skinner->sb->thumbTop;
    const int x = (skinner->sb->thumbTop + skinner->sb->thumbbottom) / 2;
    g_codes.clear();
    PressPanel(x, {{WM_MOUSEMOVE, x + 40}, {WM_LBUTTONUP, x + 40}});
    EXPECT_NE(std::find(g_codes.begin(), g_codes.end(), SB_THUMBTRACK), g_codes.end());
    EXPECT_GT(Pos(), 15);
    EXPECT_GT(skinner->sb->thumbTop, before + 30);
    EXPECT_EQ(skinner->sb->thumbTop, ControlThumb(200, skinner->sb->CW, 0, 100, 40, Pos()).top);

    // The application moves the position itself: the panel is painted again without being asked.
    SetScrollPos(bar, SB_CTL, 50, TRUE);
    Pump(30);
    EXPECT_EQ(skinner->sb->thumbTop, ControlThumb(200, skinner->sb->CW, 0, 100, 40, 50).top);
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 10, 0};
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
    Pump(30);
    EXPECT_EQ(skinner->sb->thumbTop, ControlThumb(200, skinner->sb->CW, 0, 100, 40, 10).top);
}

TEST_F(ScrollControlTest, HidingTheControlHidesThePanel) {
    ShowWindow(bar, SW_HIDE);
    Pump(20);
    EXPECT_FALSE(skinner->sb->sbVisible);
    EXPECT_FALSE(IsWindowVisible(skinner->sb->Handle()));
    ShowWindow(bar, SW_SHOW);
    Pump(20);
    EXPECT_TRUE(skinner->sb->sbVisible);
    EXPECT_TRUE(IsWindowVisible(skinner->sb->Handle()));
}

// The form skinner of the dialog box finds its scroll bar control by handle, beside its button and edit.
TEST(DialogScrollBar, TheFormSkinnerSkinsTheScrollBarControl) {
    TSkinData skin{nullptr};
    if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
    Application->Initialize();
    const HWND dlg = OpenDialog();
    ASSERT_TRUE(dlg);
    {
        TWinSkinForm f(nullptr);
        f.Hwnd = dlg;
        f.InitDlg(&skin);
        PostMessageW(dlg, SM_INITSKIN, 0, 1000);
        ASSERT_TRUE(PumpUntil([&] { return f.Skinstate == TWinSkinForm::kActive; }, 2000));
        for (int id : {kButtonId, kEditId, kBarId})
            EXPECT_EQ(SendMessageW(GetDlgItem(dlg, id), SM_ISSKINNED, 0, 0), 1) << id;
        const auto bar = std::find_if(f.Controllist.begin(), f.Controllist.end(),
                                      [&](TSkinControl* c) { return c->hwnd == GetDlgItem(dlg, kBarId); });
        ASSERT_NE(bar, f.Controllist.end());
        EXPECT_TRUE(dynamic_cast<TSkinScControl*>(*bar));
        DestroyWindow(dlg);
        Pump(20);
    }
    FreeSkinManager();
}

// ---- A bare list box and a list view

class BareWindowBarsTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        host = MakeHostForm(320, 240);
        host->Show();
        Pump(20);
    }
    void TearDown() override {
        host.reset();
        Pump(20);
        FreeSkinManager();
    }
    static RECT VerticalBar(HWND h) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        SkinGetScrollBarInfo(h, OBJID_VSCROLL, &info);
        return info.rcScrollBar;
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
};

TEST_F(BareWindowBarsTest, AListBoxsBarIsCoveredAndFollowed) {
    const HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10, 10, 150,
                                      150, host->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(list);
    for (int i = 0; i < 50; ++i) SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"圈"));
    auto* skinner = new TSkinScrollbarH(&form);
    skinner->Inithwnd(list, &skin, nullptr, &form);
    Pump(30);
    ASSERT_TRUE(skinner->vb && skinner->hb);
    EXPECT_EQ(SendMessageW(list, SM_ISSKINNED, 0, 0), 1);
    EXPECT_FALSE(skinner->hb->sbVisible);
    EXPECT_TRUE(skinner->vb->sbVisible);
    RECT panel;
    GetWindowRect(skinner->vb->Handle(), &panel);
    const RECT bar = VerticalBar(list);
    EXPECT_TRUE(EqualRect(&panel, &bar));

    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(skinner->vb->scrollpos, SB_PAGEDOWN);

    ShowWindow(list, SW_HIDE);
    Pump(20);
    EXPECT_FALSE(IsWindowVisible(skinner->vb->Handle()));
    DestroyWindow(list);
    Pump(20);
    delete skinner;
}

// A list view as a framework control: the standard control under a class of its own.
class TTestListView : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        p.WinClassName = L"TTestListView";
        p.BaseClass = WC_LISTVIEWW;
        p.Style |= LVS_REPORT | WS_BORDER;
    }
};

TEST_F(BareWindowBarsTest, AListViewsBarsAndHeader) {
    auto* view = new TTestListView(host.get());
    view->SetParent(host.get());
    view->SetBounds(10, 10, 200, 160);
    const HWND h = view->Handle();
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 150;
    column.pszText = const_cast<wchar_t*>(L"圈");
    SendMessageW(h, LVM_INSERTCOLUMNW, 0, LPARAM(&column));
    for (int i = 0; i < 40; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(L"第 1 圈");
        SendMessageW(h, LVM_INSERTITEMW, 0, LPARAM(&item));
    }
    Pump(30);
    auto* skinner = new TSkinListView(view);
    skinner->InitScrollbar(view, &skin, nullptr, &form);
    Pump(30);
    EXPECT_TRUE(skinner->hHeader);
    EXPECT_EQ(skinner->hHeader, reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0)));
    ASSERT_TRUE(skinner->header);  // the header gets its own skinner
    EXPECT_EQ(skinner->header->hwnd, skinner->hHeader);
    EXPECT_EQ(SendMessageW(skinner->hHeader, SM_ISSKINNED, 0, 0), 1);
    ASSERT_TRUE(skinner->vb);
    EXPECT_TRUE(skinner->vb->sbVisible);
    RECT panel;
    GetWindowRect(skinner->vb->Handle(), &panel);
    const RECT bar = VerticalBar(h);
    EXPECT_TRUE(EqualRect(&panel, &bar));
}

}  // namespace
