// MDI forms on real windows (children made, tiled, cascaded, maximised into the menu bar, listed in the
// Window menu, closed), and the dialogs: the common file-open dialog.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/win/dialogs.h"
#include "platform/win/status_bar.h"
#include "win_fixtures.h"

namespace {

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::wstring& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

RECT ChildRect(TCustomForm* child) {
    RECT r;
    GetWindowRect(child->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child->Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// An MDI form with a menu bar (File, Window), a status bar and three children.
struct MdiFrame {
    std::unique_ptr<TForm> frame = std::make_unique<TForm>(nullptr);
    TMainMenu* menu = new TMainMenu(frame.get());
    TMenuItem* file = NewItem(frame.get(), menu->Items(), L"&File");
    TMenuItem* quit = NewItem(frame.get(), file, L"E&xit");
    TMenuItem* window = NewItem(frame.get(), menu->Items(), L"&Window");
    TMenuItem* tile = NewItem(frame.get(), window, L"&Tile");
    TStatusBar* status = new TStatusBar(frame.get());
    std::vector<TForm*> children;

    MdiFrame() {
        Application->Initialize();
        frame->SetFormStyle(fsMDIForm);
        frame->SetBounds(20, 20, 600, 440);
        frame->SetMenu(menu);
        frame->SetWindowMenu(window);
        status->SetParent(frame.get());
        status->SetHeight(20);
        status->SetAlign(alBottom);
        frame->Show();
        for (int i = 0; i < 3; ++i) {
            auto* child = new TForm(frame.get());
            child->SetFormStyle(fsMDIChild);
            child->SetCaption(L"子窗口 " + std::to_wstring(i + 1));
            child->SetBounds(0, 0, 200, 150);
            child->Show();
            children.push_back(child);
        }
        Pump(50);
    }
};

TEST(MdiForm, ChildrenLiveInTheClientWindowBesideTheAlignedControls) {
    MdiFrame f;
    HWND client = f.frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(_wcsicmp(WindowClassName(client).c_str(), L"MDIClient"), 0);
    EXPECT_EQ(GetParent(client), f.frame->Handle());
    EXPECT_EQ(f.frame->MDIChildCount(), 3);
    for (TForm* c : f.children) {
        EXPECT_EQ(GetParent(c->Handle()), client);
        EXPECT_TRUE(GetWindowLongPtrW(c->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    }
    // The last one made is active.
    EXPECT_EQ(f.frame->ActiveMDIChild(), f.children.back());
    // The client fills what the status bar leaves.
    RECT frameClient, clientRect;
    GetClientRect(f.frame->Handle(), &frameClient);
    GetWindowRect(client, &clientRect);
    MapWindowPoints(HWND_DESKTOP, f.frame->Handle(), reinterpret_cast<POINT*>(&clientRect), 2);
    EXPECT_EQ(clientRect.bottom, frameClient.bottom - f.status->Height());
    EXPECT_EQ(clientRect.right, frameClient.right);
    // The Window menu lists the children after its own items.
    EXPECT_GT(GetMenuItemCount(f.window->Handle()), 1 + 3);
}

TEST(MdiForm, TileAndCascadeArrangeTheChildren) {
    MdiFrame f;
    RECT area;
    GetClientRect(f.frame->ClientHandle(), &area);
    f.frame->TileMode = tbHorizontal;
    f.frame->Tile();
    Pump(20);
    // Tiled: no two children overlap, and together they span the client's height.
    int top = area.bottom, bottom = 0;
    for (std::size_t i = 0; i < f.children.size(); ++i) {
        const RECT a = ChildRect(f.children[i]);
        top = std::min<int>(top, a.top);
        bottom = std::max<int>(bottom, a.bottom);
        EXPECT_EQ(a.right - a.left, area.right - area.left);
        for (std::size_t j = i + 1; j < f.children.size(); ++j) {
            const RECT b = ChildRect(f.children[j]), none{};
            RECT both;
            EXPECT_FALSE(IntersectRect(&both, &a, &b)) << i << " overlaps " << j;
            (void)none;
        }
    }
    EXPECT_EQ(top, 0);
    EXPECT_NEAR(bottom, area.bottom, 3);  // rows of whole pixels

    f.frame->Cascade();
    Pump(20);
    // Cascaded: each child further down and right than the one before, all the same size.
    std::vector<RECT> rects;
    for (TForm* c : f.children) rects.push_back(ChildRect(c));
    std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
    for (std::size_t i = 1; i < rects.size(); ++i) {
        EXPECT_GT(rects[i].left, rects[i - 1].left);
        EXPECT_GT(rects[i].top, rects[i - 1].top);
        EXPECT_EQ(rects[i].right - rects[i].left, rects[0].right - rects[0].left);
    }
}

TEST(MdiForm, AMaximisedChildMergesIntoTheMenuBarAndMenuChangesKeepTheMerge) {
    MdiFrame f;
    HMENU bar = GetMenu(f.frame->Handle());
    ASSERT_EQ(bar, f.menu->Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    TForm* child = f.children[1];
    child->SetWindowState(wsMaximized);
    Pump(20);
    EXPECT_EQ(child->WindowState(), wsMaximized);
    EXPECT_EQ(f.frame->ActiveMDIChild(), child);
    // The child's system menu leads the bar and its buttons follow our entries.
    const int merged = GetMenuItemCount(bar);
    EXPECT_GT(merged, 2);
    // Showing another item while maximised keeps the platform's entries where they are.
    TMenuItem* help = NewItem(f.frame.get(), f.menu->Items(), L"&Help");
    EXPECT_EQ(GetMenuItemCount(bar), merged + 1);
    wchar_t text[32] = {};
    GetMenuStringW(bar, 1, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&File");
    GetMenuStringW(bar, 3, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Help");
    delete help;
    EXPECT_EQ(GetMenuItemCount(bar), merged);

    child->SetWindowState(wsNormal);
    Pump(20);
    EXPECT_EQ(child->WindowState(), wsNormal);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
}

TEST(MdiForm, ClosingAChildFreesItAndMenuCommandsStillReachTheFrame) {
    MdiFrame f;
    int tiles = 0;
    f.tile->OnClick = [&](TObject*) { ++tiles; };
    SendMessageW(f.frame->Handle(), WM_COMMAND, MAKEWPARAM(f.tile->Command(), 0), 0);
    EXPECT_EQ(tiles, 1);

    TForm* closing = f.children[0];
    SendMessageW(closing->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return f.frame->MDIChildCount() == 2; }, 1000));
    EXPECT_EQ(f.frame->FindComponent(""), nullptr);
    EXPECT_EQ(f.frame->ComponentCount(), 2 + 4 + 2);  // menu, items, status bar, two children
    // A window-list command activates that child.
    SendMessageW(f.frame->Handle(), WM_COMMAND, MAKEWPARAM(0xFF00, 0), 0);
    Pump(20);
    EXPECT_NE(f.frame->ActiveMDIChild(), nullptr);
}

// The client hands the activation on when the active child closes, as when the platform closes it.
TEST(MdiForm, ClosingTheActiveChildActivatesAnother) {
    MdiFrame f;
    TForm* closing = f.children[2];
    HWND client = GetParent(closing->Handle());
    ASSERT_EQ(HWND(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)), closing->Handle());
    SendMessageW(closing->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return f.frame->MDIChildCount() == 2; }, 1000));
    const HWND active = HWND(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
    EXPECT_TRUE(active == f.children[0]->Handle() || active == f.children[1]->Handle());
    EXPECT_NE(f.frame->ActiveMDIChild(), nullptr);
}

TEST(MdiForm, AChildWithoutAnMdiFormIsRefused) {
    Application->Initialize();
    TForm child(nullptr);
    child.SetFormStyle(fsMDIChild);
    EXPECT_THROW(child.HandleNeeded(), std::runtime_error);
    TForm shown(nullptr);
    shown.HandleNeeded();
    EXPECT_THROW(shown.SetFormStyle(fsMDIForm), std::logic_error);
}

// Cancels the file-open dialog once it shows.
TEST(OpenDialog, ShowsThePlatformDialogAndReportsACancel) {
    auto form = MakeHostForm(200, 100);
    form->Show();
    TOpenDialog dialog(form.get());
    dialog.Title = L"打开文件";
    dialog.Filter = L"Text (*.txt)|*.txt|All files|*.*";
    HWND seen = nullptr;
    std::wstring title;
    dialog.OnShow = [&](TObject*) {
        seen = dialog.Handle();
        wchar_t text[64] = {};
        GetWindowTextW(seen, text, 64);
        title = text;
        PostMessageW(seen, WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_FALSE(dialog.Execute(form->Handle()));
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(title, L"打开文件");
    EXPECT_EQ(dialog.Handle(), nullptr);

    const std::wstring filter = TOpenDialog::PlatformFilter(L"A|*.a|B|*.b");
    EXPECT_EQ(filter, std::wstring(L"A\0*.a\0B\0*.b\0\0", 13));
}

}  // namespace
