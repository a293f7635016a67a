// Header controls, list views, tool bars, media players and child dialogs of the framework under Wine:
// what each sends to its standard control, the events of real mouse input and notifications, and a form
// description that sets them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "platform/form_reader.h"
#include "platform/win/child_dialog.h"
#include "platform/win/framework_classes.h"
#include "platform/win/header_control.h"
#include "platform/win/list_view.h"
#include "platform/win/media_player.h"
#include "platform/win/tool_bar.h"
#include "win_fixtures.h"

namespace {

class BarsTest : public testing::Test {
protected:
    void SetUp() override {
        host = MakeHostForm(500, 300);
        host->Show();
    }
    template <class T>
    T* Make(int left, int top, int width, int height) {
        auto* c = new T(host.get());
        c->SetParent(host.get());
        c->SetAlign(alNone);
        c->SetBounds(left, top, width, height);
        return c;
    }
    // A click of the left button at (x, y) of a window, as the mouse gives it.
    static void Click(HWND h, int x, int y) {
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump(20);
    }
    std::unique_ptr<TForm> host;
};

HDITEMW HeaderItem(HWND h, int i, wchar_t (&text)[64]) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(h, HDM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    return item;
}

TEST_F(BarsTest, AHeaderControlShowsItsSectionsAndTellsClicksAndNewWidths) {
    auto* header = Make<THeaderControl>(10, 10, 400, 22);
    header->Sections()->AddSection(L"名称 Name", 150)->SetImageIndex(0);
    header->Sections()->AddSection(L"大小 Size", 80)->SetAlignment(taRightJustify);
    const HWND h = header->Handle();
    ASSERT_EQ(SendMessageW(h, HDM_GETITEMCOUNT, 0, 0), 2);
    wchar_t text[64];
    const HDITEMW first = HeaderItem(h, 0, text);
    EXPECT_STREQ(text, L"名称 Name");
    EXPECT_EQ(first.cxy, 150);
    EXPECT_TRUE(first.fmt & HDF_IMAGE);
    const HDITEMW second = HeaderItem(h, 1, text);
    EXPECT_EQ(second.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_FALSE(second.fmt & HDF_IMAGE);  // a section without an image shows none

    std::vector<std::wstring> clicked;
    header->OnSectionClick = [&](THeaderControl*, THeaderSection* s) { clicked.push_back(s->Text()); };
    Click(h, 200, 10);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], L"大小 Size");
    header->Sections()->Items(1)->AllowClick = false;
    Click(h, 200, 10);
    EXPECT_EQ(clicked.size(), 1u);

    // A divider dragged: the section has the width the control gives it.
    int resized = 0;
    header->OnSectionResize = [&](THeaderControl*, THeaderSection*) { ++resized; };
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 10));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(190, 10));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(190, 10));
    Pump(20);
    EXPECT_GE(resized, 1);
    EXPECT_EQ(header->Sections()->Items(0)->Width(), 190);
}

std::wstring ListText(HWND h, int item, int sub) {
    wchar_t text[64] = {};
    LVITEMW lv{};
    lv.iSubItem = sub;
    lv.pszText = text;
    lv.cchTextMax = 64;
    SendMessageW(h, LVM_GETITEMTEXTW, WPARAM(item), reinterpret_cast<LPARAM>(&lv));
    return text;
}

TEST_F(BarsTest, AListViewInReportModeShowsColumnsAndRowsAndTellsChoicesAndColumnClicks) {
    auto* list = new TListView(host.get());
    list->SetViewStyle(vsReport);
    list->SetRowSelect(true);
    list->Columns()->AddColumn(L"圈 Lap", 60);
    list->Columns()->AddColumn(L"时间 Time", 80, taRightJustify);
    list->Items()->AddItem(L"第 1 圈", {L"1:01.7"});
    list->Items()->AddItem(L"第 2 圈", {L"2:07.1"});
    list->SetItemIndex(1);  // before the window: applied when it is made
    list->SetParent(host.get());
    list->SetBounds(10, 10, 300, 150);
    const HWND h = list->Handle();
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(SendMessageW(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    ASSERT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(ListText(h, 1, 0), L"第 2 圈");
    EXPECT_EQ(ListText(h, 1, 1), L"2:07.1");
    EXPECT_EQ(list->ItemIndex(), 1);
    const HWND header = list->HeaderWindow();
    ASSERT_TRUE(header);
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);

    // One row changed in place; a row added: the window shows them all, the choice kept.
    list->Items()->Items(0)->SetCaption(L"一");
    list->Items()->AddItem(L"第 3 圈", {L"3:07.2"});
    EXPECT_EQ(ListText(h, 0, 0), L"一");
    EXPECT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(list->ItemIndex(), 1);

    int changes = 0;
    std::wstring column;
    list->OnChange = [&](TObject*) { ++changes; };
    list->OnColumnClick = [&](TListView*, TListColumn* c) { column = c->Caption(); };
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(h, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    Click(h, 100, (row.top + row.bottom) / 2);  // on the row, right of its caption
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(changes, 1);
    Click(header, 100, 8);
    EXPECT_EQ(column, L"时间 Time");
}

TEST_F(BarsTest, AToolBarShowsItsButtonsAndTellsClicks) {
    auto* bar = Make<TToolBar>(0, 0, 400, 28);
    for (const wchar_t* caption : {L"新建 New", L"", L"剪切 Cut", L"粘贴 Paste"}) {
        TToolBarButton* b = bar->Buttons()->Add();
        b->SetCaption(caption);
    }
    bar->Buttons()->Items(1)->SetStyle(tbsSeparator);
    bar->Buttons()->Items(2)->SetStyle(tbsCheck);
    bar->Buttons()->Items(3)->SetEnabled(false);
    const HWND h = bar->Handle();
    ASSERT_EQ(SendMessageW(h, TB_BUTTONCOUNT, 0, 0), 4);
    EXPECT_FALSE(SendMessageW(h, TB_ISBUTTONENABLED, 4, 0));
    std::vector<std::wstring> clicks;
    bar->OnButtonClick = [&](TToolBar*, TToolBarButton* b) {
        clicks.push_back(b->Caption() + (b->Down() ? L" down" : L""));
    };
    auto middle = [&](int i) {
        const TRect r = bar->ButtonRect(i);
        return std::pair{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    };
    for (int i : {0, 2, 2, 3}) {
        const auto [x, y] = middle(i);
        Click(h, x, y);
    }
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"新建 New", L"剪切 Cut down", L"剪切 Cut"}));
}

TEST_F(BarsTest, AMediaPlayerClicksOnlyEnabledButtonsReleasedWhereTheyWerePressed) {
    auto* player = Make<TMediaPlayer>(10, 10, 270, 30);
    player->SetVisibleButtons({btPlay, btPause, btStop});
    player->SetEnabledButtons({btPlay, btStop});
    EXPECT_EQ(player->ButtonWidth(), 90);
    EXPECT_EQ(player->ButtonAt(90), btPlay);  // the shared edge belongs to the left button
    EXPECT_EQ(player->ButtonAt(91), btPause);
    EXPECT_EQ(player->ButtonAt(-3), kMPNoButton);
    std::vector<TMPBtnType> clicks;
    player->OnButtonClick = [&](TMediaPlayer*, TMPBtnType b) { clicks.push_back(b); };
    const HWND h = player->Handle();
    Click(h, 45, 15);                                                  // play
    Click(h, 135, 15);                                                 // pause: disabled
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 15));  // stop, released over play
    EXPECT_EQ(player->PressedButton(), btStop);
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
    EXPECT_EQ(player->PressedButton(), kMPNoButton);
    Click(h, 200, 15);
    EXPECT_EQ(clicks, (std::vector<TMPBtnType>{btPlay, btStop}));
    player->SetEnabled(false);
    Click(h, 45, 15);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(BarsTest, ADescriptionSetsTheBarsAndTheChildDialogMakesItsTemplate) {
    RegisterFrameworkComponents();
    auto form = std::make_unique<TForm>(nullptr);
    ReadComponentRes(R"(object BarsForm: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Player: TMediaPlayer
    Left = 8
    Top = 8
    Width = 200
    Height = 30
    VisibleButtons = [btPlay, btStop, btEject]
    ColoredButtons = []
  end
  object Header: THeaderControl
    Align = alNone
    Top = 50
    HotTrack = True
    Sections = <
      item
        Text = '名称'
        Width = 120
      end>
  end
  object List: TListView
    Top = 80
    ViewStyle = vsReport
    Columns = <
      item
        Caption = '圈'
      end>
    Items = <
      item
        Caption = '第 1 圈'
        SubItems.Strings = (
          '1:01.7')
      end>
  end
  object Pane: TChildDialog
    Left = 8
    Top = 240
    Width = 300
    Height = 50
    Template = 'NO_SUCH_TEMPLATE'
  end
end
)",
                     *form);
    auto* player = dynamic_cast<TMediaPlayer*>(form->FindComponent("Player"));
    ASSERT_TRUE(player);
    EXPECT_EQ(player->VisibleButtons(), (TButtonSet{btPlay, btStop, btEject}));
    EXPECT_TRUE(player->ColoredButtons().Empty());
    EXPECT_EQ(GetSetPropByName(player, "VisibleButtons"), "btPlay,btStop,btEject");
    auto* header = dynamic_cast<THeaderControl*>(form->FindComponent("Header"));
    ASSERT_TRUE(header);
    EXPECT_TRUE(GetWindowLongPtrW(header->Handle(), GWL_STYLE) & HDS_HOTTRACK);
    EXPECT_EQ(header->Sections()->Items(0)->Width(), 120);
    auto* list = dynamic_cast<TListView*>(form->FindComponent("List"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->Items()->Count(), 1);
    EXPECT_EQ(list->Items()->Items(0)->SubItems(), std::vector<std::wstring>{L"1:01.7"});
    // A template the program does not have: the control stands empty.
    auto* pane = dynamic_cast<TChildDialog*>(form->FindComponent("Pane"));
    ASSERT_TRUE(pane);
    form->Show();
    EXPECT_TRUE(pane->HandleAllocated());
    EXPECT_EQ(pane->DialogWindow(), nullptr);
}

}  // namespace
