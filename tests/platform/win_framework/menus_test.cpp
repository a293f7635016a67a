// Menus on real windows: items reach the platform menu, commands and shortcuts reach the items, popup
// menus open on a right click, owner-drawn items are measured and drawn through the item events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/class_registry.h"
#include "platform/form_reader.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/framework_classes.h"
#include "platform/win/gdi.h"
#include "platform/win/image_list.h"
#include "platform/win/menus.h"
#include "win_fixtures.h"

namespace {

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::wstring& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

std::wstring EntryText(HMENU menu, int pos) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, UINT(pos), text, 128, MF_BYPOSITION);
    return text;
}

UINT EntryType(HMENU menu, int pos) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, UINT(pos), TRUE, &info);
    return info.fType;
}

// A form with a main menu: File (Open Ctrl+O, -, Recent > (a, b), Exit), View (two radio items, a
// check item, a hidden item).
struct MenuForm {
    std::unique_ptr<TForm> form = MakeHostForm(300, 200);
    TMainMenu* menu = new TMainMenu(form.get());
    TMenuItem* file = NewItem(form.get(), menu->Items(), L"&File");
    TMenuItem* open = NewItem(form.get(), file, L"&Open...");
    TMenuItem* line = NewItem(form.get(), file, L"-");
    TMenuItem* recent = NewItem(form.get(), file, L"&Recent");
    TMenuItem* recentA = NewItem(form.get(), recent, L"a.txt");
    TMenuItem* recentB = NewItem(form.get(), recent, L"b.txt");
    TMenuItem* quit = NewItem(form.get(), file, L"E&xit");
    TMenuItem* view = NewItem(form.get(), menu->Items(), L"&View");
    TMenuItem* large = NewItem(form.get(), view, L"&Large");
    TMenuItem* compact = NewItem(form.get(), view, L"&Small");
    TMenuItem* bar = NewItem(form.get(), view, L"Status &bar");
    TMenuItem* hidden = NewItem(form.get(), view, L"Hidden");

    MenuForm() {
        open->SetShortCut(ShortCut('O', TShiftState{std::uint8_t(ssCtrl)}));
        for (TMenuItem* r : {large, compact}) {
            r->SetRadioItem(true);
            r->SetGroupIndex(1);
        }
        large->SetChecked(true);
        hidden->SetVisible(false);
        form->SetMenu(menu);
        form->Show();
    }
};

TEST(MainMenu, TheTreeReachesThePlatformMenuBar) {
    MenuForm f;
    HMENU bar = GetMenu(f.form->Handle());
    ASSERT_EQ(bar, f.menu->Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(EntryText(bar, 0), L"&File");
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(file, f.file->Handle());
    ASSERT_EQ(GetMenuItemCount(file), 4);
    // The shortcut's text follows a tab; a "-" caption is a separator; sub-items give a submenu.
    EXPECT_EQ(EntryText(file, 0), L"&Open...\tCtrl+O");
    EXPECT_TRUE(EntryType(file, 1) & MFT_SEPARATOR);
    EXPECT_EQ(GetSubMenu(file, 2), f.recent->Handle());
    EXPECT_EQ(GetMenuItemCount(f.recent->Handle()), 2);
    EXPECT_EQ(GetMenuItemID(file, 3), f.quit->Command());
    // A hidden item has no entry; showing it adds one in its place.
    HMENU view = f.view->Handle();
    EXPECT_EQ(GetMenuItemCount(view), 3);
    f.hidden->SetVisible(true);
    EXPECT_EQ(GetMenuItemCount(view), 4);
    EXPECT_EQ(EntryText(view, 3), L"Hidden");
    // Removing the last sub-item turns a submenu entry back into a command.
    delete f.recentA;
    delete f.recentB;
    EXPECT_EQ(GetSubMenu(file, 2), nullptr);
    EXPECT_EQ(GetMenuItemID(file, 2), f.recent->Command());
    EXPECT_FALSE(f.recent->HandleAllocated());
}

TEST(MainMenu, StateChangesReachTheEntriesAndRadioGroupsStayExclusive) {
    MenuForm f;
    HMENU view = f.view->Handle();
    EXPECT_TRUE(EntryType(view, 0) & MFT_RADIOCHECK);
    EXPECT_TRUE(GetMenuState(view, f.large->Command(), MF_BYCOMMAND) & MF_CHECKED);
    f.compact->SetChecked(true);
    EXPECT_FALSE(f.large->Checked());
    EXPECT_FALSE(GetMenuState(view, f.large->Command(), MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(view, f.compact->Command(), MF_BYCOMMAND) & MF_CHECKED);
    // A check item outside the radio group is not touched by it.
    f.bar->SetChecked(true);
    f.large->SetChecked(true);
    EXPECT_TRUE(f.bar->Checked());
    EXPECT_FALSE(f.compact->Checked());

    f.quit->SetEnabled(false);
    EXPECT_TRUE(GetMenuState(f.file->Handle(), f.quit->Command(), MF_BYCOMMAND) & MF_GRAYED);
    f.open->SetDefault(true);
    EXPECT_EQ(GetMenuDefaultItem(f.file->Handle(), FALSE, 0), f.open->Command());
    f.quit->SetDefault(true);  // one default per menu
    EXPECT_FALSE(f.open->Default());
    f.open->SetCaption(L"&Open file...");
    EXPECT_EQ(EntryText(f.file->Handle(), 0), L"&Open file...\tCtrl+O");
}

TEST(MainMenu, CommandsAndShortcutsReachEnabledItemsOnly) {
    MenuForm f;
    int opened = 0, exited = 0;
    f.open->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, f.open);
        ++opened;
    };
    f.quit->OnClick = [&](TObject*) { ++exited; };
    HWND h = f.form->Handle();
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(f.open->Command(), 0), 0);
    EXPECT_EQ(opened, 1);
    f.quit->SetEnabled(false);
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(f.quit->Command(), 0), 0);
    EXPECT_EQ(exited, 0);

    // AutoCheck toggles a check item and checks a radio item before OnClick sees it.
    f.bar->AutoCheck = f.compact->AutoCheck = true;
    bool seen = false;
    f.bar->OnClick = [&](TObject*) { seen = f.bar->Checked(); };
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(f.bar->Command(), 0), 0);
    EXPECT_TRUE(seen);
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(f.compact->Command(), 0), 0);
    EXPECT_TRUE(f.compact->Checked());
    EXPECT_FALSE(f.large->Checked());

    // Ctrl+O: the keyboard state decides the modifiers.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE saved[256];
    std::copy(std::begin(keys), std::end(keys), saved);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg{h, WM_KEYDOWN, 'O', 0, 0, {}};
    EXPECT_TRUE(f.form->IsShortCut(msg));
    EXPECT_EQ(opened, 2);
    // Disabled parents hide their items' shortcuts.
    f.file->SetEnabled(false);
    EXPECT_FALSE(f.form->IsShortCut(msg));
    SetKeyboardState(saved);
    msg.wParam = 'O';
    EXPECT_FALSE(f.form->IsShortCut(msg));  // no Ctrl: not the shortcut
}

TEST(MainMenu, OpeningASubmenuClicksItsItem) {
    MenuForm f;
    int clicks = 0;
    f.recent->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(f.form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(f.recent->Handle()), 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(f.menu->FindItem(reinterpret_cast<UINT_PTR>(f.recent->Handle()), fkHandle), f.recent);
    EXPECT_EQ(f.menu->FindItem(f.recentB->Command(), fkCommand), f.recentB);
    EXPECT_EQ(f.menu->FindItem(f.open->ShortCut(), fkShortCut), f.open);
}

TEST(MainMenu, FreeingTheFormFreesTheTreeAndItsCommands) {
    UINT openCommand = 0;
    {
        MenuForm f;
        openCommand = f.open->Command();
        EXPECT_EQ(TMenuItem::FromCommand(openCommand), f.open);
    }
    EXPECT_EQ(TMenuItem::FromCommand(openCommand), nullptr);
    // A menu freed before its form leaves no bar behind.
    MenuForm g;
    delete g.menu;
    EXPECT_EQ(g.form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(g.form->Handle()), nullptr);
    // A form freed before a menu it does not own leaves the menu without a form.
    auto menu = std::make_unique<TMainMenu>(nullptr);
    NewItem(nullptr, menu->Items(), L"&Alone");
    g.form->SetMenu(menu.get());
    EXPECT_EQ(menu->Form(), g.form.get());
    g.form.reset();
    EXPECT_EQ(menu->Form(), nullptr);
    menu->Items()->Items(0)->SetCaption(L"&Still here");  // no form to tell
}

TEST(OwnerDrawMenu, ItemsBelowTheBarAreMeasuredAndDrawnThroughTheirEvents) {
    MenuForm f;
    f.menu->SetOwnerDraw(true);
    EXPECT_FALSE(EntryType(f.menu->Handle(), 0) & MFT_OWNERDRAW);  // the bar's own entries stay text
    EXPECT_TRUE(EntryType(f.file->Handle(), 0) & MFT_OWNERDRAW);
    EXPECT_TRUE(EntryType(f.recent->Handle(), 1) & MFT_OWNERDRAW);
    // The string stays on an owner-drawn entry: raw-menu painters read it.
    EXPECT_EQ(EntryText(f.file->Handle(), 0), L"&Open...\tCtrl+O");

    int measuredWidth = -1;
    f.open->OnMeasureItem = [&](TObject*, TCanvas&, int& w, int& h) {
        measuredWidth = w;  // after the default measurement
        w += 7;
        h = 21;
    };
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, f.open->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(f.open)};
    EXPECT_EQ(SendMessageW(f.form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), TRUE);
    EXPECT_GT(measuredWidth, 40);
    EXPECT_EQ(int(mis.itemWidth), measuredWidth + 7);
    EXPECT_EQ(mis.itemHeight, 21u);

    bool drawnSelected = false;
    TRect drawnRect;
    f.open->OnDrawItem = [&](TObject*, TCanvas& canvas, const TRect& r, bool selected) {
        drawnSelected = selected;
        drawnRect = r;
        EXPECT_NE(canvas.Handle(), nullptr);
    };
    TBitmap target(100, 20);
    HDC dc = BitmapDC(target);
    // itemData that is not a live item: the command identifier finds it.
    DRAWITEMSTRUCT dis{ODT_MENU,
                       0,
                       f.open->Command(),
                       ODA_DRAWENTIRE,
                       ODS_SELECTED,
                       reinterpret_cast<HWND>(f.file->Handle()),
                       dc,
                       {0, 0, 100, 20},
                       12345};
    EXPECT_EQ(SendMessageW(f.form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_TRUE(drawnSelected);
    EXPECT_EQ(drawnRect.Right, 100);

    // The default drawing of a selected item fills it in the highlight colour.
    DRAWITEMSTRUCT plain = dis;
    plain.itemID = f.quit->Command();
    plain.itemData = reinterpret_cast<ULONG_PTR>(f.quit);
    SendMessageW(f.form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&plain));
    EXPECT_EQ(GetPixel(dc, 98, 1), GetSysColor(COLOR_HIGHLIGHT));

    // Items the menus do not know are not answered.
    MEASUREITEMSTRUCT foreign{ODT_MENU, 0, 0xF060, 0, 0, 0};
    EXPECT_EQ(SendMessageW(f.form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&foreign)), FALSE);

    f.menu->SetOwnerDraw(false);
    EXPECT_FALSE(EntryType(f.file->Handle(), 0) & MFT_OWNERDRAW);
}

// Finds the open popup menu window, runs action on it, and closes the menu.
struct MenuCloser {
    static inline HWND found = nullptr;
    static inline std::function<void(HWND)> action;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        KillTimer(nullptr, id);
        found = menu;
        if (action)
            action(menu);
        else
            EndMenu();
    }
};

TEST(PopupMenu, ARightClickOpensTheControlsMenuAndAChoiceRunsItsItem) {
    auto form = MakeHostForm(200, 120);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 100, 30);
    auto* popup = new TPopupMenu(form.get());
    TMenuItem* first = NewItem(form.get(), popup->Items(), L"&First");
    TMenuItem* second = NewItem(form.get(), popup->Items(), L"&Second");
    button->SetPopupMenu(popup);
    form->Show();
    Pump(100);

    int popups = 0, seconds = 0;
    popup->OnPopup = [&](TObject*) { ++popups; };
    second->OnClick = [&](TObject*) { ++seconds; };
    first->OnClick = [&](TObject*) { ADD_FAILURE() << "the first item was not chosen"; };

    MenuCloser::found = nullptr;
    MenuCloser::action = nullptr;
    SetTimer(nullptr, 0, 20, &MenuCloser::Tick);
    POINT at{20, 20};
    ClientToScreen(button->Handle(), &at);
    SendMessageW(button->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->Handle()),
                 MAKELPARAM(at.x, at.y));
    EXPECT_NE(MenuCloser::found, nullptr);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(popup->PopupComponent(), button);
    EXPECT_EQ(seconds, 0);  // closed without a choice

    // Down, down, Enter: the second item's OnClick runs before Popup returns.
    MenuCloser::action = [](HWND menu) {
        for (WPARAM key : {WPARAM(VK_DOWN), WPARAM(VK_DOWN), WPARAM(VK_RETURN)}) {
            PostMessageW(menu, WM_KEYDOWN, key, 0);
            PostMessageW(menu, WM_KEYUP, key, 0);
        }
    };
    SetTimer(nullptr, 0, 20, &MenuCloser::Tick);
    popup->Popup(at.x, at.y);
    EXPECT_EQ(seconds, 1);
    MenuCloser::action = nullptr;

    // A control without a menu passes the request to its parent (here: nothing opens).
    button->SetPopupMenu(nullptr);
    EXPECT_EQ(SendMessageW(button->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->Handle()),
                           MAKELPARAM(at.x, at.y)),
              0);
    EXPECT_EQ(popups, 2);
    // Freeing the menu clears the control's reference.
    button->SetPopupMenu(popup);
    delete popup;
    EXPECT_EQ(button->PopupMenu(), nullptr);
}

TEST(Shortcuts, TextsNamesAndAccelerators) {
    const TShiftState ctrlShift{std::uint8_t(ssCtrl) | std::uint8_t(ssShift)};
    EXPECT_EQ(ShortCutToText(ShortCut('S', ctrlShift)), L"Shift+Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F4, TShiftState{std::uint8_t(ssAlt)})), L"Alt+F4");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {})), L"Del");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F12, {})), L"F12");
    EXPECT_EQ(ShortCutToText(0), L"");
    EXPECT_EQ(ShortCutToText(0x07), L"");  // a key without a name
    EXPECT_EQ(TextToShortCut(L"ALT+F4"), ShortCut(VK_F4, TShiftState{std::uint8_t(ssAlt)}));
    EXPECT_EQ(TextToShortCut(L"ctrl+shift+s"), ShortCut('S', ctrlShift));
    EXPECT_EQ(TextToShortCut(L"Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut(L"Hyper+X"), 0);
    for (TShortCut s : {TShortCut(scCtrl | 'O'), TShortCut(scAlt | scShift | VK_F10), TShortCut(VK_PRIOR)})
        EXPECT_EQ(TextToShortCut(ShortCutToText(s)), s);

    EXPECT_TRUE(IsAccel(L'f', L"&File"));
    EXPECT_TRUE(IsAccel(L'X', L"E&xit"));
    EXPECT_FALSE(IsAccel(L'F', L"File"));
    EXPECT_FALSE(IsAccel(L'B', L"Fish && &Chips"));
    EXPECT_TRUE(IsAccel(L'c', L"Fish && &Chips"));
    EXPECT_FALSE(IsAccel(L'x', L"Trailing&"));
    EXPECT_EQ(StripHotkey(L"Fish && &Chips&"), L"Fish & Chips");
}

TEST(MenuDescription, MenusAndTheirItemsComeFromAFormDescription) {
    Application->Initialize();
    constexpr const char* kText = R"(object Form1: TForm
  Caption = 'menus'
  ClientHeight = 100
  ClientWidth = 200
  Menu = MainMenu1
  PopupMenu = PopupMenu1
  object MainMenu1: TMainMenu
    Images = ImageList1
    object File1: TMenuItem
      Caption = '文件(&F)'
      object Open1: TMenuItem
        Caption = '打开(&O)...'
        ShortCut = 16463
        ImageIndex = 0
        Default = True
      end
    end
  end
  object PopupMenu1: TPopupMenu
    object Copy1: TMenuItem
      Caption = '复制'
      Checked = True
    end
  end
  object ImageList1: TImageList
    Width = 16
  end
end)";
    TForm form(nullptr);
    ReadComponentRes(kText, form);
    auto* menu = dynamic_cast<TMainMenu*>(form.FindComponent("MainMenu1"));
    auto* open = dynamic_cast<TMenuItem*>(form.FindComponent("Open1"));
    auto* popup = dynamic_cast<TPopupMenu*>(form.FindComponent("PopupMenu1"));
    ASSERT_TRUE(menu && open && popup);
    EXPECT_EQ(form.Menu(), menu);
    EXPECT_EQ(form.PopupMenu(), popup);
    EXPECT_EQ(menu->Images(), form.FindComponent("ImageList1"));
    EXPECT_EQ(open->Parent(), form.FindComponent("File1"));
    EXPECT_EQ(open->GetParentMenu(), menu);
    EXPECT_EQ(popup->Items()->Count(), 1);
    EXPECT_EQ(open->ShortCut(), TShortCut(scCtrl | 'O'));
    form.HandleNeeded();
    HMENU file = GetSubMenu(GetMenu(form.Handle()), 0);
    EXPECT_EQ(EntryText(file, 0), L"打开(&O)...\tCtrl+O");
    EXPECT_TRUE(EntryType(file, 0) & MFT_OWNERDRAW);  // an image list draws its items
    EXPECT_EQ(GetMenuDefaultItem(file, FALSE, 0), open->Command());
}

TEST(ImageList, CellsAreAddedWithTheirMaskAndDrawnByIndex) {
    const int before = gdi::LiveHandles();
    {
        TImageList images(nullptr);
        // Two 16x16 cells: a red square with a magenta border, and a blue one.
        TBitmap strip(32, 16);
        strip.Fill(0xFF00FF);
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x) {
                strip.SetPixel(x, y, 0x0000FF);
                strip.SetPixel(16 + x, y, 0xFF0000);
            }
        EXPECT_EQ(images.AddMasked(strip, 0xFF00FF), 0);
        EXPECT_EQ(images.Count(), 2);
        EXPECT_EQ(images.AddMasked(TBitmap(8, 16), clWhite), -1);  // no whole cell

        TBitmap target(40, 20);
        target.Fill(0x00FF00);
        HDC dc = BitmapDC(target);
        images.Draw(dc, 2, 2, 1);
        images.Draw(dc, 2, 2, 7);  // out of range: nothing
        GdiFlush();
        EXPECT_EQ(GetPixel(dc, 2 + 8, 2 + 8), RGB(0, 0, 255));  // opaque pixel of cell 1
        EXPECT_EQ(GetPixel(dc, 2 + 1, 2 + 1), RGB(0, 255, 0));  // transparent: the background stays
        // Disabled: the shape in the shadow colour, the rest untouched.
        images.Draw(dc, 20, 2, 0, false);
        GdiFlush();
        EXPECT_EQ(GetPixel(dc, 20 + 6, 2 + 6), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(GetPixel(dc, 20 + 1, 2 + 1), RGB(0, 255, 0));

        HIMAGELIST h = images.Handle();
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(ImageList_GetImageCount(h), 2);
        int changes = 0;
        images.OnChange = [&](TObject*) { ++changes; };
        images.SetWidth(24);  // a new size drops the images
        EXPECT_EQ(images.Count(), 0);
        EXPECT_EQ(changes, 1);
    }
    EXPECT_EQ(gdi::LiveHandles(), before);
}

}  // namespace
namespace {

// A multi-line edit inside a form's dialog navigation posts WM_CLOSE to its parent on Esc; a child control
// must not be destroyed by it behind its object's back.
TEST(ChildControls, OutliveAStrayCloseFromAMemoOnEscape) {
    auto form = MakeHostForm(300, 200);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetAlign(alClient);
    auto* memo = new TMemo(form.get());
    memo->SetParent(panel);
    memo->SetBounds(10, 10, 200, 100);
    form->Show();
    memo->SetFocus();
    Pump(50);
    MSG esc{memo->Handle(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    IsDialogMessageW(form->Handle(), &esc);  // as the message loop does
    SendMessageW(memo->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(panel->Handle(), WM_CLOSE, 0, 0);
    Pump(100);
    ASSERT_TRUE(panel->HandleAllocated());
    EXPECT_TRUE(IsWindow(panel->Handle()));
    EXPECT_TRUE(IsWindowVisible(memo->Handle()));
}

}  // namespace
