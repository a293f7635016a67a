// The Lists page: combo boxes in their three styles with long lists, an extended combo box with images and
// the date and time pickers; every choice, drop-down and close-up is written to the log.
#include "gallery/win/gallery_images.h"
#include "gallery/win/gallery_page.h"
#include "platform/date_time.h"
#include "platform/win/combo_box.h"
#include "platform/win/date_time_picker.h"
#include "platform/win/image_list.h"

namespace {

std::wstring NameOf(TObject* sender) {
    auto* c = dynamic_cast<TComponent*>(sender);
    return c ? Utf8ToWide(c->Name()) : std::wstring();
}

class TListsPage : public TGalleryPage {
public:
    explicit TListsPage(TComponent* owner) : TGalleryPage(owner) {
        RegisterHandler("ComboChange", [this](TObject* sender) {
            if (auto* c = dynamic_cast<TCustomComboBox*>(sender))
                Note(L"组合框 " + NameOf(sender) + L": " + c->Text());
        });
        RegisterHandler("ComboDropDown", [this](TObject* sender) { Note(L"展开 " + NameOf(sender)); });
        RegisterHandler("ComboCloseUp", [this](TObject* sender) { Note(L"收起 " + NameOf(sender)); });
        RegisterHandler("DateChange", [this](TObject* sender) {
            auto* p = dynamic_cast<TDateTimePicker*>(sender);
            if (!p) return;
            const std::string value =
                p->Kind() == dtkDate ? FormatIsoDate(p->Date()) : FormatIsoTime(p->Time());
            Note(L"日期 " + NameOf(sender) + L": " + Utf8ToWide(value));
        });
        RegisterHandler("DateDropDown", [this](TObject* sender) { Note(L"日历 " + NameOf(sender)); });
        RegisterHandler("DateCloseUp", [this](TObject* sender) { Note(L"收起 " + NameOf(sender)); });
        ReadResource(L"PAGE_LISTS");

        if (auto* images = dynamic_cast<TImageList*>(FindComponent("ImageList1")))
            images->AddMasked(DrawMenuImages(), TColor(kMenuImageKey));
        if (auto* laps = dynamic_cast<TComboBox*>(FindComponent("ListCombo"))) {
            for (int i = 1; i <= 60; ++i) laps->Items().Add(L"第 " + std::to_wstring(i) + L" 圈 Lap");
            laps->SetItemIndex(0);
        }
        if (auto* simple = dynamic_cast<TComboBox*>(FindComponent("SimpleCombo"))) {
            static constexpr const wchar_t* kColours[] = {
                L"红 Red",    L"橙 Orange", L"黄 Yellow", L"绿 Green", L"青 Cyan",  L"蓝 Blue",
                L"紫 Violet", L"灰 Grey",   L"黑 Black",  L"白 White", L"棕 Brown", L"粉 Pink"};
            for (const wchar_t* c : kColours) simple->Items().Add(c);
            simple->SetItemIndex(5);
        }
    }
};

}  // namespace

TGalleryPage* MakeListsPage(TComponent* owner) { return new TListsPage(owner); }
