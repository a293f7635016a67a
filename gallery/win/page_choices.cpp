// The Choices page: check boxes in their three states, radio buttons, a radio group and a check group, with
// disabled ones; every change of a choice is written to the log.
#include "gallery/win/gallery_page.h"
#include "platform/win/check_boxes.h"
#include "platform/win/choice_groups.h"

namespace {

const wchar_t* StateText(TCheckBoxState s) {
    switch (s) {
    case cbChecked: return L"选中 checked";
    case cbGrayed: return L"灰 grayed";
    default: return L"未选 unchecked";
    }
}

class TChoicesPage : public TGalleryPage {
public:
    explicit TChoicesPage(TComponent* owner) : TGalleryPage(owner) {
        RegisterHandler("CheckClick", [this](TObject* sender) {
            if (auto* b = dynamic_cast<TCustomCheckBox*>(sender))
                Note(L"复选框 check box: " + b->Caption() + L" = " + StateText(b->State()));
        });
        RegisterHandler("RadioClick", [this](TObject* sender) {
            if (auto* r = dynamic_cast<TRadioButton*>(sender); r && r->Checked())
                Note(L"单选 radio: " + r->Caption());
        });
        RegisterHandler("RadioGroupClick", [this](TObject* sender) {
            if (auto* g = dynamic_cast<TCustomRadioGroup*>(sender))
                Note(L"单选组 radio group: " + std::to_wstring(g->ItemIndex()) + L" " +
                     g->Item(g->ItemIndex()));
        });
        RegisterHandler<TGroupItemEvent>("CheckGroupItemClick", [this](TObject* sender, int index) {
            if (auto* g = dynamic_cast<TCheckGroup*>(sender))
                Note(L"复选组 check group: " + g->Item(index) + L" = " + StateText(g->State(index)));
        });
        ReadResource(L"PAGE_CHOICES");
    }
};

}  // namespace

TGalleryPage* MakeChoicesPage(TComponent* owner) { return new TChoicesPage(owner); }
