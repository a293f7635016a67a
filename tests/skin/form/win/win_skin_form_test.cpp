// The form skinner core on real windows under Wine: set-up from the window's styles, the frame the system
// is told about, fitting the window around its client, the region cut from the borders' key colour, and
// giving the window back.
#include "skin/form/win/win_skin_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/stream.h"
#include "platform/win/menus.h"
#include "platform/win/std_controls.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

TRect ClientOf(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    return {r.left, r.top, r.right, r.bottom};
}

TSize WindowSizeOf(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return {r.right - r.left, r.bottom - r.top};
}

class FormSkinnerTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClass(L"TvFormSkinnerTest", PlainProc); }
    void SetUp() override {
        skin.SetSkinFormtype(sfDialog);
        const std::vector<std::uint8_t> built = testskin::BuiltPackage("tocvane.skn");
        TMemoryStream s(built.empty() ? testskin::DefaultPackage() : built);
        skin.LoadFromStream(s);
        ASSERT_FALSE(skin.Empty);
        realSkin = !built.empty();
    }
    void TearDown() override {
        if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
        FreeSkinManager();
    }
    HWND MakeWindow(DWORD style, int clientWidth, int clientHeight) {
        RECT r{0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&r, style, FALSE, 0);
        hwnd = CreateWindowExW(0, L"TvFormSkinnerTest", L"皮肤窗口", style, 60, 60, r.right - r.left,
                               r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        Pump(50);
        return hwnd;
    }

    TSkinData skin{nullptr};
    bool realSkin = false;
    HWND hwnd = nullptr;
};

TEST_F(FormSkinnerTest, ActivationFitsTheWindowAroundItsClientAndCutsItToShape) {
    MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 394, 244);
    ASSERT_EQ(ClientOf(hwnd), (TRect{0, 0, 394, 244}));
    TWinSkinForm f(nullptr);
    f.Hwnd = hwnd;
    f.InitDlg(&skin);

    // Set-up: the frame from the border images, the window's kind from its styles, nothing painted yet.
    EXPECT_EQ(f.FormBorder, sbsSingle);
    EXPECT_TRUE(f.FormIcons.Contains(sbisystem));
    EXPECT_TRUE(f.FormIcons.Contains(sbiMin));
    EXPECT_FALSE(f.FormIcons.Contains(sbiMax));
    EXPECT_TRUE(f.sMainMenu);
    EXPECT_EQ(f.Skinstate, TWinSkinForm::kCreated);
    if (realSkin) {
        EXPECT_EQ(f.bw, (TRect{4, 28, 4, 4}));
    }
    EXPECT_EQ(FindFormSkinner(hwnd), &f);
    EXPECT_EQ(SendMessageW(hwnd, SM_ISSKINNED, 0, 0), 1);

    // Activation keeps the client size under the skinned frame.
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinstate == TWinSkinForm::kActive; }, 2000));
    EXPECT_EQ(ClientOf(hwnd), (TRect{0, 0, 394, 244}));
    EXPECT_EQ(WindowSizeOf(hwnd), (TSize{394 + f.bw.Left + f.bw.Right, 244 + f.bw.Top + f.bw.Bottom}));
    EXPECT_TRUE(f.crop);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(hwnd, rgn), ERROR);
    if (realSkin) {
        // The magenta corners of the border images are outside the window.
        EXPECT_FALSE(PtInRegion(rgn, 0, 0));
        EXPECT_FALSE(PtInRegion(rgn, 401, 0));
        EXPECT_TRUE(PtInRegion(rgn, 200, 10));
        EXPECT_TRUE(PtInRegion(rgn, 3, 100));
    }
    DeleteObject(rgn);

    // The same size again keeps the region; another size builds a new one.
    const int crWidth = f.crwidth;
    f.Cropwindow();
    EXPECT_EQ(f.crwidth, crWidth);
    SetWindowPos(hwnd, nullptr, 0, 0, 450, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (realSkin) {
        EXPECT_EQ(f.crwidth, 450);
    }

    // Given back: its own procedure, no region, and a client of the size it had while skinned.
    const TRect skinnedClient = ClientOf(hwnd);
    f.UnSubclass();
    EXPECT_EQ(ClientOf(hwnd), skinnedClient);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), LONG_PTR(&PlainProc));
    EXPECT_FALSE(f.crop);
    EXPECT_EQ(SendMessageW(hwnd, SM_ISSKINNED, 0, 0), 0);
}

// The frame on screen, pixel for pixel, is what the imaging routines compose from the border images: the
// active cells while the window is active, the inactive ones after it lost activation.
TEST_F(FormSkinnerTest, FramePixelsAreTheComposedBorderCells) {
    MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 394, 244);
    SetWindowTextW(hwnd, L"");  // the caption bar alone
    TWinSkinForm f(nullptr);
    f.Hwnd = hwnd;
    f.InitDlg(&skin);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinstate == TWinSkinForm::kActive; }, 2000));
    const TSize size = WindowSizeOf(hwnd);
    auto expected = [&](int piece, int cell, int x, int y) {
        const TDataSkinBorder& b = *skin.border[std::size_t(piece - 1)];
        const TRect place =
            piece == 3 ? Rect(f.bw.Left, 0, size.cx - f.bw.Right, f.bw.Top) : Rect(0, 0, f.bw.Left, size.cy);
        auto bmp = MakeSkinBitmap(Rect(0, 0, place.Width(), place.Height()), b.Map, b.r,
                                  b.frame == 1 ? 1 : cell, b.frame, b.Tile != 1, piece >= 3);
        return bmp->Pixel(x - place.Left, y - place.Top);
    };
    auto shown = [&](int x, int y) {
        HDC dc = GetWindowDC(hwnd);
        const TColor c = TColor(GetPixel(dc, x, y));
        ReleaseDC(hwnd, dc);
        return c;
    };
    for (int active : {1, 0}) {
        SCOPED_TRACE(active);
        SendMessageW(hwnd, WM_NCACTIVATE, WPARAM(active), 0);
        Pump(30);
        const int cell = active ? 1 : 2;
        for (int x : {f.bw.Left, 60, size.cx / 2, size.cx - f.bw.Right - 1})
            for (int y : {3, f.bw.Top / 2, f.bw.Top - 1})
                EXPECT_EQ(shown(x, y), expected(3, cell, x, y)) << x << "," << y;
        for (int y : {f.bw.Top, size.cy / 2}) EXPECT_EQ(shown(1, y), expected(1, cell, 1, y)) << y;
    }
}

TEST_F(FormSkinnerTest, NonClientSizeFollowsTheSkinFrame) {
    MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200);
    TWinSkinForm f(nullptr);
    f.Hwnd = hwnd;
    f.InitDlg(&skin);
    EXPECT_EQ(f.FormBorder, sbsSizeable);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinstate == TWinSkinForm::kActive; }, 2000));

    // wParam 0 always answers 0; otherwise the client is the window less the skin frame.
    RECT plain{10, 10, 200, 100};
    EXPECT_EQ(SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, LPARAM(&plain)), 0);
    NCCALCSIZE_PARAMS p{};
    WINDOWPOS pos{hwnd, nullptr, 100, 50, 320, 240, 0};
    p.rgrc[0] = {100, 50, 420, 290};
    p.lppos = &pos;
    EXPECT_EQ(SendMessageW(hwnd, WM_NCCALCSIZE, TRUE, LPARAM(&p)), WVR_VALIDRECTS);
    EXPECT_EQ(p.rgrc[0].left, 100 + f.bw.Left);
    EXPECT_EQ(p.rgrc[0].top, 50 + f.bw.Top);
    EXPECT_EQ(p.rgrc[0].right, 420 - f.bw.Right);
    EXPECT_EQ(p.rgrc[0].bottom, 290 - f.bw.Bottom);
    EXPECT_EQ(p.rgrc[1].left, p.rgrc[0].left);
}

// Below its top three pixels the skinned caption band is the caption, wherever the standard frame would
// have put its own borders; the client and the window's own answers elsewhere stay as they are.
TEST_F(FormSkinnerTest, HitTestingFollowsTheSkinnedCaption) {
    MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 394, 244);
    TWinSkinForm f(nullptr);
    f.Hwnd = hwnd;
    f.InitDlg(&skin);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinstate == TWinSkinForm::kActive; }, 2000));
    RECT w;
    GetWindowRect(hwnd, &w);
    auto hit = [&](int x, int y) {
        return SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(w.left + x, w.top + y));
    };
    EXPECT_EQ(hit(200, 4), HTCAPTION);
    EXPECT_EQ(hit(200, f.bw.Top - 1), HTCAPTION);
    EXPECT_EQ(hit(200, f.bw.Top + 10), HTCLIENT);
    EXPECT_EQ(hit(60, 20), HTCAPTION);
    // The top pixels keep the window's own answer, whatever it is; never the client.
    EXPECT_NE(hit(200, 1), HTCLIENT);
}

// The skinned system menu: the window's own items with the enabling of its state, the component's glyphs,
// every item drawn by the menu item painter, and a chosen item's command posted to the window.
TEST_F(FormSkinnerTest, TheSystemMenuIsAFrameworkMenuDrawnByThePainter) {
    MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 394, 244);
    TWinSkinForm f(nullptr);
    f.Hwnd = hwnd;
    f.InitDlg(&skin);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinstate == TWinSkinForm::kActive; }, 2000));

    struct Seen {
        std::wstring caption;
        bool enabled;
        int image;
        bool drawnByPainter;
    };
    static std::vector<Seen> seen;
    static TWinSkinForm* skinner;
    seen.clear();
    skinner = &f;
    // Looks at the menu while it is open, then chooses Minimize by its command.
    struct Look {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            TMenuItem* items = skinner->sysmenu->Items();
            for (int i = 0; i < items->Count(); ++i) {
                TMenuItem* it = items->Items(i);
                seen.push_back({it->Caption(), it->Enabled(), it->ImageIndex(), bool(it->OnDrawItem)});
                if ((it->Tag() & 0xFFF0) == SC_MINIMIZE) it->Click();
            }
            EndMenu();
        }
    };
    SetTimer(nullptr, 0, 300, &Look::Tick);
    f.PopupSysMenu({200, 200});
    ASSERT_FALSE(seen.empty());
    auto find = [&](const std::wstring& part) {
        for (const Seen& s : seen)
            if (s.caption.find(part) != std::wstring::npos) return s;
        return Seen{};
    };
    EXPECT_FALSE(find(L"Restore").enabled);  // a normal window cannot be restored
    EXPECT_EQ(find(L"Restore").image, 0);
    EXPECT_TRUE(find(L"nimize").enabled);
    EXPECT_EQ(find(L"nimize").image, 2);
    EXPECT_FALSE(find(L"ximize").enabled);  // no maximise box
    EXPECT_EQ(find(L"Close").image, 3);
    for (const Seen& s : seen) EXPECT_TRUE(s.drawnByPainter) << WideToUtf8(s.caption);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(hwnd) != FALSE; }, 2000));
}

// The caption buttons of our skin on a window without a maximise box: placed from the right edge, each
// repainted in its hot and pressed cells under the mouse, the disabled maximise ignoring clicks, and close
// closing the window on release.
TEST_F(FormSkinnerTest, CaptionButtonsFollowTheMouseAndClick) {
    if (!realSkin) GTEST_SKIP() << "needs the built default skin";
    MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 394, 244);
    TWinSkinForm f(nullptr);
    f.Hwnd = hwnd;
    f.InitDlg(&skin);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinstate == TWinSkinForm::kActive; }, 2000));
    SendMessageW(hwnd, WM_NCACTIVATE, TRUE, 0);  // drawn active, whatever the desktop's focus
    Pump(30);

    TWinSysButton* close = nullptr;
    TWinSysButton* max = nullptr;
    for (auto& b : f.SysBtn) {
        if (b->data->Action == 0) close = b.get();
        if (b->data->Action == 1 && b->visible) max = b.get();
    }
    ASSERT_TRUE(close && max);
    EXPECT_EQ(close->bounds.Left, 374);
    EXPECT_EQ(max->bounds.Left, 350);
    EXPECT_FALSE(max->enabled);

    RECT w;
    GetWindowRect(hwnd, &w);
    const LPARAM overClose = MAKELPARAM(w.left + close->bounds.Left + 8, w.top + close->bounds.Top + 8);
    const LPARAM overMax = MAKELPARAM(w.left + max->bounds.Left + 8, w.top + max->bounds.Top + 8);
    // A point of the button where the looks differ: each cell's pixel there is opaque and its own.
    auto telling = [](const TDataSkinSysButton& d, std::initializer_list<int> cells) {
        const int cw = CellWidth(d.Map, d.frame);
        for (int y = 0; y < d.Map.Height(); ++y)
            for (int x = 0; x < cw; ++x) {
                std::vector<TColor> seen;
                for (int cell : cells) {
                    const TColor c = d.Map.Pixel((cell - 1) * cw + x, y);
                    if (c == SkinKeyColor || std::find(seen.begin(), seen.end(), c) != seen.end()) break;
                    seen.push_back(c);
                }
                if (seen.size() == cells.size()) return TPoint{x, y};
            }
        return TPoint{-1, -1};
    };
    const TPoint closeAt = telling(*close->data, {1, 2, 3});
    const TPoint maxAt = telling(*max->data, {1, 4});
    ASSERT_GE(closeAt.X, 0);
    ASSERT_GE(maxAt.X, 0);
    auto shownCell = [&](const TWinSysButton& b, TPoint at, int cell) {
        const TDataSkinSysButton& d = *b.data;
        HDC dc = GetWindowDC(hwnd);
        const TColor c = TColor(GetPixel(dc, b.bounds.Left + at.X, b.bounds.Top + at.Y));
        ReleaseDC(hwnd, dc);
        return c == d.Map.Pixel((cell - 1) * CellWidth(d.Map, d.frame) + at.X, at.Y);
    };
    EXPECT_TRUE(shownCell(*close, closeAt, 1));
    EXPECT_TRUE(shownCell(*max, maxAt, 4));  // disabled

    SendMessageW(hwnd, WM_NCMOUSEMOVE, HTCAPTION, overClose);
    EXPECT_EQ(f.ActiveBtn, close);
    EXPECT_TRUE(shownCell(*close, closeAt, 3));
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, overClose);
    EXPECT_TRUE(shownCell(*close, closeAt, 2));
    // Moving to the disabled maximise: close goes back to rest; a click there does nothing.
    SendMessageW(hwnd, WM_NCMOUSEMOVE, HTCAPTION, overMax);
    EXPECT_EQ(f.ActiveBtn, max);
    EXPECT_TRUE(shownCell(*close, closeAt, 1));
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, overMax);
    SendMessageW(hwnd, WM_NCLBUTTONUP, HTCAPTION, overMax);
    Pump(50);
    EXPECT_EQ(f.Windowstate, swsNormal);

    // Pressed and released on close: the window closes.
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, overClose);
    SendMessageW(hwnd, WM_NCLBUTTONUP, HTCAPTION, overClose);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }, 2000));
    EXPECT_EQ(f.Skinstate, TWinSkinForm::kDead);
}

// Activation finds the controls: a dialog's push buttons by handle (not its owner-drawn button or group
// box frame), a framework form's buttons through the framework (not its label), each skinned once.
TEST_F(FormSkinnerTest, ActivationSkinsTheControls) {
    MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 300, 200);
    auto child = [&](DWORD style, int y) {
        return CreateWindowExW(0, L"BUTTON", L"按钮", WS_CHILD | WS_VISIBLE | style, 10, y, 100, 25, hwnd,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    const HWND push = child(BS_DEFPUSHBUTTON, 10), drawn = child(BS_OWNERDRAW, 40),
               frame = child(BS_GROUPBOX, 70);
    TWinSkinForm f(nullptr);
    f.Hwnd = hwnd;
    f.InitDlg(&skin);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinstate == TWinSkinForm::kActive; }, 2000));
    EXPECT_EQ(SendMessageW(push, SM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(SendMessageW(drawn, SM_ISSKINNED, 0, 0), 0);
    EXPECT_EQ(SendMessageW(frame, SM_ISSKINNED, 0, 0), 0);
    ASSERT_EQ(f.Controllist.size(), 1u);
    f.AddControlh(push);  // a second time attaches nothing
    EXPECT_EQ(f.Controllist.size(), 1u);

    auto form = MakeHostForm(300, 120);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 90, 30);
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    form->Show();
    auto* g = new TWinSkinForm(form.get());  // owned by the form, as the manager makes it
    g->Hwnd = form->Handle();
    g->InitTform(&skin, form.get());
    PostMessageW(form->Handle(), SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return g->Skinstate == TWinSkinForm::kActive; }, 2000));
    EXPECT_EQ(SendMessageW(button->Handle(), SM_ISSKINNED, 0, 0), 1);
    ASSERT_EQ(g->Controllist.size(), 1u);
    EXPECT_EQ(g->Controllist[0]->control, button);
    form.reset();  // the form goes with its skinners
}

TEST_F(FormSkinnerTest, WindowWithoutCaptionKeepsItsFrame) {
    MakeWindow(WS_POPUP | WS_BORDER, 200, 100);
    const TSize before = WindowSizeOf(hwnd);
    TWinSkinForm f(nullptr);
    f.Hwnd = hwnd;
    f.InitDlg(&skin);
    EXPECT_EQ(f.FormBorder, sbsNone);
    EXPECT_EQ(f.bw, TRect{});
    EXPECT_EQ(f.MenuHeight, 0);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f.Skinstate == TWinSkinForm::kActive; }, 2000));
    EXPECT_EQ(WindowSizeOf(hwnd), before);
}

TEST_F(FormSkinnerTest, WithoutFrameSkinningOnlyTheOwnMessagesAreAnswered) {
    TSkinControlTypes controls = skin.SkinControls();
    skin.SetSkinControls(controls.Exclude(xcMainMenu));
    MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200);
    const TSize before = WindowSizeOf(hwnd);
    TWinSkinForm f(nullptr);
    f.Hwnd = hwnd;
    f.InitDlg(&skin);
    EXPECT_FALSE(f.sMainMenu);
    EXPECT_EQ(f.Skinstate, TWinSkinForm::kActive);  // nothing to prepare
    EXPECT_EQ(SendMessageW(hwnd, SM_ISSKINNED, 0, 0), 1);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    Pump(100);
    EXPECT_EQ(WindowSizeOf(hwnd), before);
    EXPECT_FALSE(f.crop);
}

TEST_F(FormSkinnerTest, TheWindowsLastMessageEndsTheSkinner) {
    MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200);
    auto* f = new TWinSkinForm(nullptr);
    f->Hwnd = hwnd;
    f->InitDlg(&skin);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f->Skinstate == TWinSkinForm::kActive; }, 2000));
    DestroyWindow(hwnd);
    EXPECT_EQ(f->Skinstate, TWinSkinForm::kDead);
    EXPECT_EQ(f->FObjectInst, nullptr);
    delete f;  // the manager's clean-up, later
    EXPECT_EQ(FindFormSkinner(hwnd), nullptr);
}

}  // namespace

namespace {

// What the window's own procedure sees, in order, while it is skinned: the window is fitted to the frame
// before it is cut to shape, a size change reaches it twice, and its last message comes after the skinner has
// let go.
TEST_F(FormSkinnerTest, TheWindowsOwnProcedureSeesItsMessagesInTheOrderGiven) {
    MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200);
    auto regionNow = [](HWND h, UINT) {
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(h, r);
        DeleteObject(r);
        return kind == ERROR ? 0 : 1;
    };
    MessageLog log(hwnd, regionNow);
    auto* f = new TWinSkinForm(nullptr);
    f->Hwnd = hwnd;
    f->InitDlg(&skin);
    PostMessageW(hwnd, SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return f->Skinstate == TWinSkinForm::kActive; }, 2000));
    // Fitted (a new size, computed for the skinned frame) while no region is set; cut afterwards.
    const auto sized = log.Of(WM_WINDOWPOSCHANGED);
    ASSERT_FALSE(sized.empty());
    EXPECT_EQ(sized.front().note, 0);
    EXPECT_NE(regionNow(hwnd, 0), 0);

    log.Clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 360, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(log.Of(WM_SIZE).size(), 2u);
    EXPECT_TRUE(InOrder(log, {{WM_WINDOWPOSCHANGING}, {WM_NCCALCSIZE}, {WM_SIZE}, {WM_SIZE}}));

    log.Clear();
    DestroyWindow(hwnd);
    EXPECT_EQ(f->Skinstate, TWinSkinForm::kDead);
    ASSERT_FALSE(log.Entries().empty());
    EXPECT_EQ(log.Entries().back().msg, UINT(WM_NCDESTROY));
    EXPECT_TRUE(InOrder(log, {{WM_DESTROY}, {WM_NCDESTROY}}));
    delete f;
}

}  // namespace
