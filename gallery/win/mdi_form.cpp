// The MDI page: the description gives the menus, the handlers drive the MDI client.
#include "gallery/win/mdi_form.h"

#include <stdexcept>
#include <string>

#include "platform/form_reader.h"
#include "platform/win/dialogs.h"
#include "platform/win/framework_classes.h"
#include "platform/win/sys_utils.h"

const TClassInfo TMdiForm::ClassInfo_{"TMdiForm", &TForm::ClassInfo_, &TCustomForm::Props};

namespace {
// Posted to the form by a child that goes: show the number of children again.
constexpr UINT WM_UPDATESTATUS = WM_APP + 2;

// A document window: when it is closed, the MDI page counts its children again after it has gone (a closed
// child is released by a posted message; this one comes after it).
class TDocumentForm : public TForm {
public:
    // The page owns the document, so it outlives it; its window may be made anew meanwhile.
    explicit TDocumentForm(TForm* page) : TForm(page), page_(page) {}
    void WndProc(TMessage& m) override {
        TForm::WndProc(m);
        if (m.Msg == WM_CLOSE && page_->HandleAllocated())
            PostMessageW(page_->Handle(), WM_UPDATESTATUS, 0, 0);
    }

private:
    TWinControl* page_;
};
}  // namespace

TMdiForm::TMdiForm(TComponent* owner) : TForm(owner) {
    const std::string_view text = ProgramResourceText(L"TMDIFORM");
    if (text.empty()) throw std::runtime_error("the program has no form description TMDIFORM");
    Build(text);
    for (int i = 0; i < 3; ++i) NewChild();
}

void TMdiForm::ShowTiled() {
    Show();
    // The platform tiles only the children it can see: the form must be shown first.
    Tile();
}

TMdiForm::TMdiForm(TComponent* owner, std::string_view description) : TForm(owner) { Build(description); }

void TMdiForm::Build(std::string_view description) {
    RegisterHandler("NewChildClick", [this](TObject*) { NewChild(); });
    RegisterHandler("CloseChildClick", [this](TObject*) {
        if (TCustomForm* child = ActiveMDIChild()) child->Close();
    });
    RegisterHandler("ExitClick", [this](TObject*) { Close(); });
    RegisterHandler("TileHorizontalClick", [this](TObject*) {
        TileMode = tbHorizontal;
        Tile();
    });
    RegisterHandler("TileVerticalClick", [this](TObject*) {
        TileMode = tbVertical;
        Tile();
    });
    RegisterHandler("CascadeClick", [this](TObject*) { Cascade(); });
    RegisterHandler("ArrangeClick", [this](TObject*) { ArrangeIcons(); });
    RegisterHandler("MaximizeClick", [this](TObject*) {
        if (TCustomForm* child = ActiveMDIChild()) child->SetWindowState(wsMaximized);
    });
    RegisterHandler("NextClick", [this](TObject*) { Next(); });
    RegisterHandler("AboutClick", [](TObject*) {
        ShowMessageBox(
            L"MDI 页：平铺、层叠、最大化子窗口。\nThe MDI page: tile, cascade and maximise the children.",
            L"Gallery", MB_OK | MB_ICONINFORMATION);
    });
    RegisterFrameworkComponents();
    ReadComponentRes(description, *this);
    MainMenu1 = dynamic_cast<TMainMenu*>(FindComponent("MainMenu1"));
    Window1 = dynamic_cast<TMenuItem*>(FindComponent("Window1"));
    StatusBar1 = dynamic_cast<TStatusBar*>(FindComponent("StatusBar1"));
    if (!MainMenu1 || !Window1 || !StatusBar1)
        throw std::runtime_error("the MDI form description is incomplete");
}

TForm* TMdiForm::NewChild() {
    auto* child = new TDocumentForm(this);
    child->SetFormStyle(fsMDIChild);
    const std::wstring number = std::to_wstring(++made_);
    child->SetCaption(L"文档 " + number + L" - Document " + number);
    child->SetBounds(0, 0, 260, 170);
    auto* memo = new TMemo(child);
    memo->SetParent(child);
    memo->SetAlign(alClient);
    memo->SetScrollBars(ssVertical);
    child->Show();
    for (int i = 1; i <= 12; ++i)
        memo->Lines().Add(L"第 " + std::to_wstring(i) + L" 行 - line " + std::to_wstring(i) +
                          L" of document " + number);
    UpdateStatus();
    return child;
}

void TMdiForm::UpdateStatus() {
    if (StatusBar1->Panels()->Count() > 0)
        StatusBar1->Panels()->Items(0)->SetText(L"子窗口 children: " + std::to_wstring(MDIChildCount()));
}

void TMdiForm::WndProc(TMessage& m) {
    TForm::WndProc(m);
    switch (m.Msg) {
    case WM_MDIACTIVATE:
    case WM_PARENTNOTIFY:
    case WM_UPDATESTATUS: UpdateStatus(); break;
    case WM_CLOSE:
        if (EndsProgram && Application) Application->Terminate();
        break;
    default: break;
    }
}
