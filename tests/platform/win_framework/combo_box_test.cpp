// Combo boxes, extended combo boxes and date pickers of the framework under Wine: items kept before the
// window exists and across a new window, the chosen item and the text in each style, the dropped list's
// height, the events of real notifications, and a form description that sets them all.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "platform/form_reader.h"
#include "platform/win/combo_box.h"
#include "platform/win/date_time_picker.h"
#include "platform/win/framework_classes.h"
#include "win_fixtures.h"

namespace {

class ComboBoxTest : public testing::Test {
protected:
    void SetUp() override {
        host = MakeHostForm(400, 300);
        host->Show();
    }
    template <class T>
    T* Make(int top) {
        auto* c = new T(host.get());
        c->SetParent(host.get());
        c->SetBounds(20, top, 160, 21);
        return c;
    }
    std::unique_ptr<TForm> host;
};

TEST_F(ComboBoxTest, ItemsChoiceAndTextLiveInTheObjectBeforeTheWindowAndInTheWindowAfter) {
    auto* c = new TComboBox(nullptr);
    c->SetStyle(csDropDownList);
    c->SetSorted(true);
    for (const wchar_t* s : {L"樱桃", L"Apple", L"banana"}) c->Items().Add(s);
    c->SetItemIndex(1);
    EXPECT_FALSE(c->HandleAllocated());
    EXPECT_EQ(c->Items()[0], L"Apple");  // sorted ignoring case
    EXPECT_EQ(c->Items()[1], L"banana");
    EXPECT_EQ(c->Text(), L"banana");
    c->SetParent(host.get());
    const HWND h = c->Handle();
    EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->Text(), L"banana");
    c->SetComboText(L"樱桃");  // a drop-down list chooses the item of that text
    EXPECT_EQ(c->ItemIndex(), 2);
    c->SetComboText(L"nothing");
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->Text(), L"");

    // A new style is a new window: the items and the choice go with it.
    c->SetItemIndex(0);
    c->SetStyle(csDropDown);
    EXPECT_NE(c->Handle(), h);
    EXPECT_EQ(GetWindowLongPtrW(c->Handle(), GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_EQ(c->Items().Count(), 3);
    EXPECT_EQ(c->Text(), L"Apple");
    c->SetComboText(L"自由 free text");  // an editable box takes any text
    EXPECT_EQ(c->Text(), L"自由 free text");
    EXPECT_EQ(c->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, TheDroppedListShowsDropDownCountItemsAndTheEventsFollowTheList) {
    TComboBox* c = Make<TComboBox>(20);
    c->SetStyle(csDropDownList);
    for (int i = 1; i <= 40; ++i) c->Items().Add(std::to_wstring(i));
    c->SetDropDownCount(6);
    int changes = 0, drops = 0, closes = 0;
    c->OnChange = [&](TObject*) { ++changes; };
    c->OnDropDown = [&](TObject*) { ++drops; };
    c->OnCloseUp = [&](TObject*) { ++closes; };
    EXPECT_LT(c->Height(), 40);  // the control is as high as its field: the list's height is not its own
    c->SetDroppedDown(true);
    Pump(30);
    EXPECT_TRUE(c->DroppedDown());
    COMBOBOXINFO ci{};
    ci.cbSize = sizeof ci;
    ASSERT_TRUE(GetComboBoxInfo(c->Handle(), &ci));
    RECT client;
    GetClientRect(ci.hwndList, &client);
    const int item = int(SendMessageW(ci.hwndList, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(client.bottom / item, 6);
    // A choice in the list, as the keyboard makes it, then the list closes.
    SendMessageW(c->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(c->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Pump(30);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_GE(changes, 1);
    EXPECT_EQ(c->ItemIndex(), 0);
}

TEST_F(ComboBoxTest, AnExtendedBoxShowsItsItemsWithTheirImages) {
    auto* images = new TImageList(host.get());
    TBitmap strip(32, 16, pf24bit);
    strip.Fill(RGBColor(200, 0, 0));
    images->AddMasked(strip, clWhite);
    auto* ex = Make<TComboBoxEx>(60);
    ex->SetImages(images);
    ex->ItemsEx()->AddItem(L"新建 New", 0);
    ex->ItemsEx()->AddItem(L"打开 Open", 1)->SetIndent(1);
    ex->SetItemIndex(1);
    const HWND h = ex->Handle();
    EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 2);
    COMBOBOXEXITEMW item{};
    wchar_t text[32] = {};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_INDENT;
    item.iItem = 1;
    item.pszText = text;
    item.cchTextMax = 32;
    ASSERT_TRUE(SendMessageW(h, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, L"打开 Open");
    EXPECT_EQ(item.iImage, 1);
    EXPECT_EQ(item.iIndent, 1);
    EXPECT_EQ(ex->Text(), L"打开 Open");
    EXPECT_TRUE(SendMessageW(h, CBEM_GETIMAGELIST, 0, 0));
    // An item changed in the collection shows at once.
    ex->ItemsEx()->Items(0)->SetCaption(L"新 Fresh");
    item.iItem = 0;
    ASSERT_TRUE(SendMessageW(h, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, L"新 Fresh");
    EXPECT_EQ(ex->ItemIndex(), 1);
    // The image list goes first: the box draws no images from then on.
    delete images;
    EXPECT_EQ(ex->Images(), nullptr);
    EXPECT_FALSE(SendMessageW(h, CBEM_GETIMAGELIST, 0, 0));
}

TEST_F(ComboBoxTest, APickerKeepsItsDateAndTimeAndReportsTheUsersChange) {
    auto* p = Make<TDateTimePicker>(100);
    p->SetDate({2013, 1, 19});
    p->SetTime({8, 30, 0});
    p->SetDate({2013, 2, 30});  // no such day: ignored
    EXPECT_EQ(p->Date(), (TDateValue{2013, 1, 19}));
    EXPECT_EQ(p->Time(), (TTimeValue{8, 30, 0}));
    int changes = 0;
    p->OnChange = [&](TObject*) { ++changes; };
    // The user's change comes from the control as a notification.
    SYSTEMTIME st{2013, 1, 0, 22, 8, 30, 0, 0};
    SendMessageW(p->Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    NMDATETIMECHANGE n{};
    n.nmhdr.hwndFrom = p->Handle();
    n.nmhdr.idFrom = 0;
    n.nmhdr.code = DTN_DATETIMECHANGE;
    n.dwFlags = GDT_VALID;
    n.st = st;
    SendMessageW(host->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(p->Date(), (TDateValue{2013, 1, 22}));
    // A time picker is a new window with the same value, stepped by an up-down control.
    const HWND before = p->Handle();
    p->SetKind(dtkTime);
    EXPECT_NE(p->Handle(), before);
    EXPECT_EQ(GetWindowLongPtrW(p->Handle(), GWL_STYLE) & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
    EXPECT_EQ(p->Date(), (TDateValue{2013, 1, 22}));
    EXPECT_EQ(p->Time(), (TTimeValue{8, 30, 0}));
}

TEST(ComboBoxDescription, AFormDescriptionSetsItemsChoiceDatesAndEvents) {
    RegisterFrameworkComponents();
    TForm form(nullptr);
    int changes = 0;
    form.RegisterHandler("Changed", [&](TObject*) { ++changes; });
    ReadComponentRes(R"(object F: TForm
  object C: TComboBox
    Style = csDropDownList
    Items.Strings = (
      '一'
      '二')
    ItemIndex = 1
    DropDownCount = 4
    OnChange = Changed
  end
  object X: TComboBoxEx
    ItemsEx = <
      item
        Caption = '甲'
        ImageIndex = 2
      end>
  end
  object D: TDateTimePicker
    Date = '2013-01-19'
    Time = '23:59:59'
    Kind = dtkTime
  end
end)",
                     form);
    auto* c = dynamic_cast<TComboBox*>(form.FindComponent("C"));
    auto* x = dynamic_cast<TComboBoxEx*>(form.FindComponent("X"));
    auto* d = dynamic_cast<TDateTimePicker*>(form.FindComponent("D"));
    ASSERT_TRUE(c && x && d);
    EXPECT_EQ(c->Text(), L"二");
    EXPECT_EQ(c->DropDownCount(), 4);
    EXPECT_TRUE(c->OnChange);
    EXPECT_EQ(x->ItemsEx()->Items(0)->ImageIndex(), 2);
    EXPECT_EQ(d->Date(), (TDateValue{2013, 1, 19}));
    EXPECT_EQ(d->Time(), (TTimeValue{23, 59, 59}));
    EXPECT_EQ(GetPropText(d, "Date"), L"2013-01-19");
}

}  // namespace
