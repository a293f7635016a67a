// The Buttons page: push buttons in their looks; each click is written to the log.
#include "gallery/win/gallery_page.h"
#include "platform/win/std_controls.h"

namespace {

class TButtonsPage : public TGalleryPage {
public:
    explicit TButtonsPage(TComponent* owner) : TGalleryPage(owner) {
        RegisterHandler("ButtonClick", [this](TObject* sender) {
            if (auto* b = dynamic_cast<TButton*>(sender)) Note(L"按钮 button: " + b->Caption());
        });
        ReadResource(L"PAGE_BUTTONS");
    }
};

}  // namespace

TGalleryPage* MakeButtonsPage(TComponent* owner) { return new TButtonsPage(owner); }
