// The Bars page: a tool bar with plain, check and disabled buttons, a header control with hot tracking and
// a child dialog of raw standard controls (with a size grip); clicks on buttons and sections and dragged
// dividers are written to the log.
#include "gallery/win/gallery_images.h"
#include "gallery/win/gallery_page.h"
#include "platform/win/child_dialog.h"
#include "platform/win/header_control.h"
#include "platform/win/image_list.h"
#include "platform/win/tool_bar.h"

namespace {

constexpr int kIdcPaneEdit = 161;

class TBarsPage : public TGalleryPage {
public:
    explicit TBarsPage(TComponent* owner) : TGalleryPage(owner) {
        RegisterHandler<TToolButtonEvent>("ToolClick", [this](TToolBar*, TToolBarButton* b) {
            Note(L"工具 tool: " + b->Caption() +
                 (b->Style() == tbsCheck ? (b->Down() ? L" = 按下 down" : L" = 弹起 up") : L""));
        });
        RegisterHandler<TSectionNotifyEvent>("SectionClick", [this](THeaderControl*, THeaderSection* s) {
            Note(L"表头 section: " + s->Text());
        });
        RegisterHandler<TSectionNotifyEvent>("SectionResize", [this](THeaderControl*, THeaderSection* s) {
            Note(L"表头宽 width: " + s->Text() + L" " + std::to_wstring(s->Width()));
        });
        ReadResource(L"PAGE_BARS");
        if (auto* images = dynamic_cast<TImageList*>(FindComponent("ImageList1")))
            images->AddMasked(DrawMenuImages(), TColor(kMenuImageKey));
        if (auto* pane = dynamic_cast<TChildDialog*>(FindComponent("ChildDialog1")))
            pane->OnDialogCreate = [](TObject* sender) {
                const HWND dlg = static_cast<TChildDialog*>(sender)->DialogWindow();
                SetDlgItemTextW(dlg, kIdcPaneEdit, L"子对话框 Pane");
            };
    }
};

}  // namespace

TGalleryPage* MakeBarsPage(TComponent* owner) { return new TBarsPage(owner); }
