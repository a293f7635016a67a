// Combo boxes skinned under Wine: the face of each state read back from the real control against the skin's
// cells composed by the imaging routines; hot tracking over the button; the list skinners a framework box
// gets and that they are freed once whoever goes first; the dc a paint is lent keeps its clipping; the
// button hook of a narrow window; simple and extended boxes.
#include "skin/controls/win/skin_combo_box.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/win/combo_box.h"
#include "skin/controls/combo_box_layout.h"
#include "skin/controls/scroll_bar_layout.h"
#include "skin/controls/win/combox_scroll_bar.h"
#include "skin/controls/win/skin_scrollbar.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

constexpr TColor kUnset = 0x010203;  // no skin pixel composed here

// A procedure under the skinner's on a list window: counts the presses on the list's scroll bar that get
// past the skinner to the list's own handling.
WNDPROC spiedProc = nullptr;
int pressesPassedOn = 0;
LRESULT CALLBACK CountPresses(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_NCLBUTTONDOWN) ++pressesPassedOn;
    return CallWindowProcW(spiedProc, h, msg, w, l);
}

class SkinComboTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_TRUE(skin.combox);
        host = MakeHostForm(400, 300);
        host->Show();
    }
    void TearDown() override {
        host.reset();
        Pump(20);
        FreeSkinManager();
    }
    TComboBox* Box(TComboBoxStyle style, int items = 40) {
        auto* c = new TComboBox(host.get());
        c->SetParent(host.get());
        c->SetStyle(style);
        c->SetBounds(20, 20, 150, style == csSimple ? 100 : 21);
        for (int i = 1; i <= items; ++i) c->Items().Add(L"第 " + std::to_wstring(i) + L" 圈");
        c->SetItemIndex(0);
        return c;
    }
    TSkinComBox* Skin(TComboBox* c) {
        auto* s = new TSkinComBox(c);
        s->Init(&form, &skin, nullptr, false);
        Pump(30);
        return s;
    }
    // The skin's whole face, cell I, composed over the window's size: kUnset where the box shows through.
    TBitmap Face(HWND h, int I) {
        RECT w;
        GetWindowRect(h, &w);
        TBitmap face(w.right - w.left, w.bottom - w.top, pf24bit);
        face.Fill(kUnset);
        const TDataSkinBorder& b = *skin.combox;
        DrawSkinRect(face, Rect(0, 0, face.Width(), face.Height()), b.Map, b.r, I, b.frame, 1, 0, 0);
        return face;
    }
    // Pixels of the window that differ from the composed face, out of those the face covers.
    int Mismatches(HWND h, const TBitmap& face, int* covered = nullptr) {
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(20);
        HDC dc = GetWindowDC(h);
        int bad = 0, n = 0;
        for (int y = 0; y < face.Height(); ++y)
            for (int x = 0; x < face.Width(); ++x) {
                const TColor want = face.Pixel(x, y);
                if (want == kUnset) continue;
                ++n;
                if (TColor(GetPixel(dc, x, y)) != want) ++bad;
            }
        ReleaseDC(h, dc);
        if (covered) *covered = n;
        return bad;
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
};

TEST_F(SkinComboTest, EachStateShowsItsCellOfTheSkinsFace) {
    ASSERT_EQ(skin.combox->style, 2);  // both skins have whole faces
    TComboBox* c = Box(csDropDownList);
    TSkinComBox* s = Skin(c);
    const HWND h = c->Handle();
    EXPECT_EQ(SendMessageW(h, SM_ISSKINNED, 0, 0), 1);
    int covered = 0;
    EXPECT_EQ(Mismatches(h, Face(h, ccNormal), &covered), 0);
    EXPECT_GT(covered, 200);
    EXPECT_FALSE(s->rBtn.IsEmpty());

    // The mouse over the button: hot; over the field: normal again.
    const TRect b = s->rBtn;
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(b.Left + 3, b.Top + 5));
    EXPECT_TRUE(s->state & TSkinControl::kHot);
    EXPECT_EQ(Mismatches(h, Face(h, ccHot)), 0);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    EXPECT_FALSE(s->state & TSkinControl::kHot);
    EXPECT_EQ(Mismatches(h, Face(h, ccNormal)), 0);

    // Focused: the hot-looking cell; disabled: the disabled cell whatever else holds.
    c->SetFocus();
    Pump(20);
    EXPECT_EQ(Mismatches(h, Face(h, ccHot)), 0);
    c->SetEnabled(false);
    Pump(20);
    EXPECT_EQ(Mismatches(h, Face(h, ccDisabled)), 0);
    c->SetEnabled(true);

    // Held down on the button (the list drops): pressed; released: no longer.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.Left + 3, b.Top + 5));
    EXPECT_TRUE(s->state & TSkinControl::kPressed);
    EXPECT_TRUE(c->DroppedDown());
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(b.Left + 3, b.Top + 5));
    EXPECT_FALSE(s->state & TSkinControl::kPressed);
    c->SetDroppedDown(false);
    Pump(20);
    // Held down and dragged into the list, the box hands the mouse to its list and gets no release: the press
    // is over all the same, and so it is when the list closes up.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.Left + 3, b.Top + 5));
    ASSERT_TRUE(s->state & TSkinControl::kPressed);
    SendMessageW(h, WM_CAPTURECHANGED, 0, 0);
    EXPECT_FALSE(s->state & TSkinControl::kPressed);
    s->state |= TSkinControl::kPressed;
    c->SetDroppedDown(false);
    Pump(20);
    EXPECT_FALSE(s->state & TSkinControl::kPressed);
    EXPECT_EQ(Mismatches(h, Face(h, ccHot)), 0);  // still focused
}

// The face's cells are mirrored for a button on the left (the cell order with them).
TEST_F(SkinComboTest, AButtonOnTheLeftUsesTheMirroredFaces) {
    TComboBox* c = Box(csDropDownList);
    const HWND h = c->Handle();
    SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    Skin(c);
    RECT w;
    GetWindowRect(h, &w);
    TBitmap face(w.right - w.left, w.bottom - w.top, pf24bit);
    face.Fill(kUnset);
    const TDataSkinObject& m = *skin.Comboxborder;
    DrawSkinRect(face, Rect(0, 0, face.Width(), face.Height()), m.Map, m.r, ccNormal, m.frame, 1, 0, 0);
    EXPECT_EQ(Mismatches(h, face), 0);
}

TEST_F(SkinComboTest, ADropDownBoxGetsItsListsScrollBarAndTheListsSkinnerIsFreedOnce) {
    TComboBox* c = Box(csDropDown);
    TSkinComBox* s = Skin(c);
    ASSERT_TRUE(s->db);
    COMBOBOXINFO ci{};
    ci.cbSize = sizeof ci;
    ASSERT_TRUE(SkinGetComboBoxInfo(c->Handle(), &ci));
    EXPECT_EQ(s->db->hwnd, ci.hwndList);
    EXPECT_EQ(SendMessageW(ci.hwndList, SM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(s->hlist, nullptr);
    EXPECT_EQ(s->hbtn, nullptr);  // a wide window keeps its first child unhooked
    EXPECT_EQ(form.Controllist.size(), 2u);

    // Unskinned: the list's skinner is gone, the list has its own procedure back, and the box's skinner
    // frees nothing more when it goes.
    s->Unsubclass();
    EXPECT_EQ(s->db, nullptr);
    EXPECT_NE(SendMessageW(ci.hwndList, SM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(form.Controllist.size(), 1u);
    delete s;
    EXPECT_TRUE(form.Controllist.empty());

    // The list's skinner freed first by someone else (the form skinner's purge of dead skinners): the box's
    // skinner forgets it.
    TComboBox* d = Box(csDropDownList);
    TSkinComBox* t = Skin(d);
    ASSERT_TRUE(t->db);
    delete t->db;
    EXPECT_EQ(t->db, nullptr);
    delete t;
    EXPECT_TRUE(form.Controllist.empty());
}

// A box above the top of the screen (or on a monitor left of the main one): the dropped list's thumb sits at
// negative screen coordinates, and a press on it is still a press on the thumb.
TEST_F(SkinComboTest, TheDroppedListsThumbIsDraggedAboveTheTopOfTheScreen) {
    host->SetTop(-160);
    TComboBox* c = Box(csDropDownList, 60);
    c->SetDropDownCount(12);
    COMBOBOXINFO ci{};
    ci.cbSize = sizeof ci;
    ASSERT_TRUE(SkinGetComboBoxInfo(c->Handle(), &ci));
    spiedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(ci.hwndList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountPresses)));
    pressesPassedOn = 0;
    TSkinComBox* s = Skin(c);
    ASSERT_TRUE(s->db);
    c->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(s->db->hwnd) != FALSE; }, 3000));
    const HWND list = s->db->hwnd;
    SCROLLBARINFO b{};
    b.cbSize = sizeof b;
    ASSERT_TRUE(SkinGetScrollBarInfo(list, OBJID_VSCROLL, &b));
    const POINT press{b.rcScrollBar.left + 4, b.rcScrollBar.top + (b.xyThumbTop + b.xyThumbBottom) / 2};
    ASSERT_LT(press.y, 0);
    POINT moved{press.x, press.y + 30};
    ScreenToClient(list, &moved);
    PostMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(moved.x, moved.y));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(moved.x, moved.y));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &si);
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
    Pump(20);
    // The skin's own drag, not the platform's: the press stops at the skinner, and the list stands where the
    // skin's thumb was drawn.
    const int cw = s->db->cw;
    const int want =
        ListThumbPosition(b.xyThumbTop - cw + 30, b.rcScrollBar.bottom - b.rcScrollBar.top - 2 * cw,
                          b.xyThumbBottom - b.xyThumbTop, si.nMin, si.nMax, si.nPage);
    EXPECT_GT(want, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), want);
    EXPECT_EQ(pressesPassedOn, 0);
    c->SetDroppedDown(false);
}

TEST_F(SkinComboTest, ASimpleBoxIsNotPaintedButItsListGetsAScrollBarSkinner) {
    TComboBox* c = Box(csSimple);
    const HWND h = c->Handle();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(20);
    TBitmap before(150, 20, pf24bit);
    {
        HDC dc = GetWindowDC(h);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 150; ++x) before.SetPixel(x, y, TColor(GetPixel(dc, x, y)));
        ReleaseDC(h, dc);
    }
    TSkinComBox* s = Skin(c);
    ASSERT_TRUE(s->vb);
    EXPECT_EQ(s->db, nullptr);
    COMBOBOXINFO ci{};
    ci.cbSize = sizeof ci;
    ASSERT_TRUE(SkinGetComboBoxInfo(h, &ci));
    EXPECT_EQ(s->vb->hwnd, ci.hwndList);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(20);
    HDC dc = GetWindowDC(h);
    int changed = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 150; ++x) changed += TColor(GetPixel(dc, x, y)) != before.Pixel(x, y);
    ReleaseDC(h, dc);
    EXPECT_EQ(changed, 0);
}

// A paint handed a dc (as a parent printing its children does): the field cut out of the default look's
// drawing must not stay cut out of the caller's dc.
TEST_F(SkinComboTest, TheDefaultLookPutsTheLentDcsClippingBack) {
    skin.combox->style = 0;  // the look of a skin without whole faces
    TComboBox* c = Box(csDropDownList);
    Skin(c);
    const HWND h = c->Handle();
    HDC screen = GetDC(h);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 150, 21);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(h, WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(mem, clip), 0);  // no clipping region left behind
    // And the caller can still draw in the middle of the field.
    SetPixel(mem, 40, 10, RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(mem, 40, 10), RGB(1, 2, 3));
    DeleteObject(clip);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(h, screen);
}

// The flat look: the outer ring in the skin's button shadow, the button cell stretched into the button at
// the side, and the focus or the mouse winning over the disabled cell.
TEST_F(SkinComboTest, TheFlatLookFramesTheBoxAndStretchesTheButtonCell) {
    skin.combox->style = 1;
    TComboBox* c = Box(csDropDownList);
    TSkinComBox* s = Skin(c);
    const HWND h = c->Handle();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(20);
    EXPECT_EQ(WindowPixel(h, 0, 10), ResolveColor(skin.Colors[7]));
    EXPECT_EQ(WindowPixel(h, 60, 0), ResolveColor(skin.Colors[7]));
    const TDataSkinBorder& b = *skin.combox;
    const TRect B = s->rBtn;
    ASSERT_FALSE(B.IsEmpty());
    EXPECT_EQ(B.Right, 150 - 2);  // the button column on the right, inside the rings
    TBitmap cell(B.Width(), B.Height(), pf24bit);
    const int w = b.Map.Width() / b.frame;
    StretchCopy(cell, Rect(0, 0, B.Width(), B.Height()), b.Map, Rect(0, 0, w, b.Map.Height()));
    HDC dc = GetWindowDC(h);
    int bad = 0, n = 0;
    for (int y = 0; y < B.Height(); ++y)
        for (int x = 0; x < B.Width(); ++x) {
            if (cell.Pixel(x, y) == SkinKeyColor) continue;
            ++n;
            bad += TColor(GetPixel(dc, B.Left + x, B.Top + y)) != cell.Pixel(x, y);
        }
    ReleaseDC(h, dc);
    EXPECT_GT(n, 20);
    EXPECT_EQ(bad, 0);
}

// A box whose button is a window of its own (the class map's "comboboxex", a box of another library with a
// border): the two rings round the box and the arrow cell over the button window; an arrow strip without
// cells leaves the button's face plain.
TEST_F(SkinComboTest, ASeparateButtonWindowGetsTheArrowCellAndTheBoxTwoRings) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "TvButtonedBox";
    RegisterClassA(&wc);
    const HWND h = CreateWindowExA(0, "TvButtonedBox", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 60, 150, 24,
                                   host->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(h);
    const HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 130, 2, 16, 18, h, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    auto* s = new TSkinComBox(&form);
    s->Inithwnd(h, &skin, nullptr, &form);
    s->HasButton = true;
    EXPECT_EQ(s->hbtn, button);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    Pump(20);
    EXPECT_EQ(WindowPixel(h, 0, 8), ResolveColor(skin.Colors[7]));
    EXPECT_EQ(WindowPixel(h, 1, 8), clWhite);
    RECT b, w;
    GetWindowRect(button, &b);
    GetWindowRect(h, &w);
    const TDataSkinObject& arrow = *skin.comboxarrow;
    const TRect cell = StripCell(arrow.Map.Width(), arrow.Map.Height(), arrow.frame, ccNormal);
    TBitmap want(b.right - b.left, b.bottom - b.top, pf24bit);
    StretchCopy(want, Rect(0, 0, want.Width(), want.Height()), arrow.Map, cell);
    const int x0 = b.left - w.left, y0 = b.top - w.top;
    int bad = 0;
    for (int y = 0; y < want.Height(); ++y)
        for (int x = 0; x < want.Width(); ++x)
            if (want.Pixel(x, y) != SkinKeyColor) bad += WindowPixel(h, x0 + x, y0 + y) != want.Pixel(x, y);
    EXPECT_EQ(bad, 0);
    skin.comboxarrow->frame = 0;
    s->PaintControl(nullptr);
    EXPECT_EQ(WindowPixel(h, x0 + 3, y0 + 3), ResolveColor(skin.Colors[3]));
    delete s;
    DestroyWindow(h);
}

// A narrow (ANSI) drop-down box gets its first child, the edit, followed: a press there is a press of the
// box, and the edit's paints repaint the box's skin over it.
TEST_F(SkinComboTest, TheFirstChildOfANarrowBoxIsFollowed) {
    const HWND h = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 20,
                                   60, 150, 200, host->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(h);
    ASSERT_FALSE(IsWindowUnicode(h));
    auto* s = new TSkinComBox(&form);
    s->Inithwnd(h, &skin, nullptr, &form);
    const HWND edit = GetTopWindow(h);
    ASSERT_TRUE(edit);
    EXPECT_EQ(s->hbtn, edit);
    EXPECT_EQ(s->db, nullptr);  // a raw box gets no list skinner
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(s->state & TSkinControl::kPressed);
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(s->state & TSkinControl::kPressed);
    delete s;  // the edit gets its own procedure back: the freed skinner hears of no more presses
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    DestroyWindow(h);
}

TEST_F(SkinComboTest, AnExtendedBoxIsSkinnedThroughItsOwnComboBox) {
    auto* ex = new TComboBoxEx(host.get());
    ex->SetParent(host.get());
    ex->SetBounds(20, 120, 160, 22);
    for (int i = 0; i < 5; ++i) ex->ItemsEx()->AddItem(L"项 " + std::to_wstring(i), -1);
    ex->SetItemIndex(2);
    auto* s = new TSkinComBox(ex);
    s->Init(&form, &skin, nullptr, false);
    Pump(30);
    const HWND inner = GetWindow(ex->Handle(), GW_CHILD);
    ASSERT_TRUE(inner);
    EXPECT_EQ(s->hwnd, inner);
    EXPECT_EQ(s->control, ex);
    EXPECT_EQ(SendMessageW(inner, SM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(SendMessageW(ex->Handle(), SM_ISSKINNED, 0, 0), 1);  // the box's own window answers for it
    ASSERT_TRUE(s->db);  // a framework box: its dropped list is skinned too
    EXPECT_EQ(Mismatches(inner, Face(inner, ccNormal)), 0);
    EXPECT_EQ(ex->Text(), L"项 2");
    // Switched off through the box's own window, the skin leaves its combo box.
    SendMessageW(ex->Handle(), SM_SETSKINNED, 0, 0);
    EXPECT_NE(SendMessageW(ex->Handle(), SM_ISSKINNED, 0, 0), 1);
    EXPECT_NE(SendMessageW(inner, SM_ISSKINNED, 0, 0), 1);
    delete s;  // the box's own window gets its WindowProc back
    EXPECT_NE(SendMessageW(ex->Handle(), SM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(ex->ItemIndex(), 2);
}

}  // namespace
