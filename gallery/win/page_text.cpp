// The Text page: edits (plain, read-only, disabled), a memo with both scroll bars and a list view in report
// mode under its column header; typing, a click on a column's header and a chosen row are written to the log.
#include <cstdio>

#include "gallery/win/gallery_page.h"
#include "platform/win/list_view.h"
#include "platform/win/std_controls.h"

namespace {

std::wstring LapTime(int tenths) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%d:%02d.%d", tenths / 600, tenths / 10 % 60, tenths % 10);
    return text;
}

class TTextPage : public TGalleryPage {
public:
    explicit TTextPage(TComponent* owner) : TGalleryPage(owner) {
        RegisterHandler("EditChange", [this](TObject* sender) {
            if (auto* e = dynamic_cast<TCustomEdit*>(sender)) Note(L"编辑框 edit: " + e->Text());
        });
        RegisterHandler<TLVColumnClickEvent>("ColumnClick", [this](TListView*, TListColumn* column) {
            Note(L"列 column: " + column->Caption());
        });
        RegisterHandler("LapChange", [this](TObject* sender) {
            auto* list = dynamic_cast<TListView*>(sender);
            const int i = list ? list->ItemIndex() : -1;
            if (i >= 0) Note(L"行 row: " + list->Items()->Items(i)->Caption());
        });
        ReadResource(L"PAGE_TEXT");

        if (auto* memo = dynamic_cast<TMemo*>(FindComponent("LogMemo"))) {
            std::wstring text;
            for (int i = 1; i <= 30; ++i)
                text += L"第 " + std::to_wstring(i) + L" 行 Line " + std::to_wstring(i) +
                        L": 一段很长的文字，长到备忘框要横着滚动 a line long enough to scroll sideways\r\n";
            memo->SetText(text);
        }
        if (auto* list = dynamic_cast<TListView*>(FindComponent("LapList"))) {
            TListItems& items = *list->Items();
            items.BeginUpdate();
            int total = 0;
            for (int lap = 1; lap <= 40; ++lap) {
                const int split = 580 + (lap * 37) % 90;  // tenths of a second
                total += split;
                items.AddItem(L"第 " + std::to_wstring(lap) + L" 圈", {LapTime(total), LapTime(split)});
            }
            items.EndUpdate();
        }
    }
};

}  // namespace

TGalleryPage* MakeTextPage(TComponent* owner) { return new TTextPage(owner); }
