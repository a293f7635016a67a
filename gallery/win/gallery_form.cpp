// The Gallery's main form: reads its description, fills its image list, and answers its menus.
#include "gallery/win/gallery_form.h"

#include <stdexcept>
#include <utility>

#include "gallery/win/controls_dialog.h"
#include "gallery/win/gallery_images.h"
#include "gallery/win/gallery_page.h"
#include "gallery/win/mdi_form.h"
#include "platform/class_registry.h"
#include "platform/form_reader.h"
#include "platform/stream.h"
#include "platform/win/framework_classes.h"
#include "platform/win/sys_utils.h"

const TClassInfo TGalleryForm::ClassInfo_{"TGalleryForm", &TForm::ClassInfo_, &TCustomForm::Props};

namespace {
// Posted to the form: open the page pendingPage_ names.
constexpr UINT WM_OPENPAGE = WM_APP + 1;

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }  // ASCII names
}  // namespace

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) {
    const std::string_view text = ProgramResourceText(L"TGALLERYFORM");
    if (text.empty()) throw std::runtime_error("the program has no form description TGALLERYFORM");
    Build(text);
    LoadIconResource(L"MAINICON");
}

TGalleryForm::TGalleryForm(TComponent* owner, std::string_view description) : TForm(owner) {
    Build(description);
}

void TGalleryForm::Build(std::string_view description) {
    RegisterHandler("FormCreate", [this](TObject* s) { FormCreate(s); });
    RegisterHandler("ItemClick", [this](TObject* s) { ItemClick(s); });
    RegisterHandler("ExitClick", [this](TObject*) { Close(); });
    RegisterHandler("OpenClick", [this](TObject*) { ShowOpenDialog(); });
    RegisterHandler("MessageBoxClick", [this](TObject*) { ShowMessageBoxDemo(); });
    RegisterHandler("DialogBoxClick", [this](TObject*) { ShowControlsDialog(); });
    RegisterHandler("MdiPageClick", [this](TObject*) { ShowMdiPage(); });
    RegisterHandler("SkinTocvaneClick", [this](TObject*) { UseSkin("tocvane"); });
    RegisterHandler("SkinFullClick", [this](TObject*) { UseSkin("full"); });
    RegisterHandler("SkinNoneClick", [this](TObject*) { UseSkin("none"); });
    RegisterHandler("AboutClick", [this](TObject*) {
        ShowMessageBox(
            L"皮肤画廊：引擎所能皮肤化的每一种窗口。\nGallery: every kind of window the skinning engine "
            L"paints, in every skin.",
            L"关于 About Gallery", MB_OK | MB_ICONINFORMATION);
    });
    RegisterFrameworkComponents();
    RegisterComponentClasses<TSkinData>();
    ReadComponentRes(description, *this);

    MainMenu1 = dynamic_cast<TMainMenu*>(FindComponent("MainMenu1"));
    PopupMenu1 = dynamic_cast<TPopupMenu*>(FindComponent("PopupMenu1"));
    ImageList1 = dynamic_cast<TImageList*>(FindComponent("ImageList1"));
    StatusBar1 = dynamic_cast<TStatusBar*>(FindComponent("StatusBar1"));
    Memo1 = dynamic_cast<TMemo*>(FindComponent("Memo1"));
    Panel1 = dynamic_cast<TPanel*>(FindComponent("Panel1"));
    OpenDialog1 = dynamic_cast<TOpenDialog*>(FindComponent("OpenDialog1"));
    SkinData1 = dynamic_cast<TSkinData*>(FindComponent("SkinData1"));
    if (!MainMenu1 || !PopupMenu1 || !ImageList1 || !StatusBar1 || !Memo1 || !Panel1 || !OpenDialog1)
        throw std::runtime_error("the Gallery's form description is incomplete");
    ImageList1->AddMasked(DrawMenuImages(), TColor(kMenuImageKey));
    AddPageItems();
}

void TGalleryForm::AddPageItems() {
    auto* view = dynamic_cast<TMenuItem*>(FindComponent("View1"));
    if (!view) return;
    auto* line = new TMenuItem(this);
    line->SetCaption(L"-");
    view->Add(line);
    auto* pages = new TMenuItem(this);
    pages->SetCaption(L"页面(&P)");
    view->Add(pages);
    for (const GalleryPageEntry& e : GalleryPageTable()) {
        auto* item = new TMenuItem(this);
        item->SetCaption(e.caption);
        const std::string name = e.name;
        item->OnClick = [this, name](TObject*) { OpenPage(name); };
        pages->Add(item);
    }
}

void TGalleryForm::FormCreate(TObject*) {
    Note(L"画廊已就绪 - Gallery ready. 右击此处打开上下文菜单 (right-click for the context menu).");
}

void TGalleryForm::Note(const std::wstring& text) {
    Memo1->Lines().Add(text);
    if (StatusBar1->Panels()->Count() > 1) StatusBar1->Panels()->Items(1)->SetText(text);
}

void TGalleryForm::ItemClick(TObject* sender) {
    if (auto* item = dynamic_cast<TMenuItem*>(sender)) {
        std::wstring text = StripHotkey(item->Caption());
        if (item->Checked()) text += L" [✓]";
        Note(L"菜单 menu: " + text);
    }
}

void TGalleryForm::UseSkin(const std::string& name) {
    skin_ = name;
    if (TMenuItem* item = dynamic_cast<TMenuItem*>(FindComponent(name == "full"   ? "SkinFull1"
                                                                 : name == "none" ? "SkinNone1"
                                                                                  : "SkinTocvane1")))
        item->SetChecked(true);
    if (!SkinData1) return;
    if (name == "none") {
        SkinData1->SetActive(false);
    } else {
        const std::string_view bytes = ProgramResourceText(name == "full" ? L"SKIN_FULL" : L"SKIN_TOCVANE");
        if (bytes.empty()) return;
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
        stream.SetPosition(0);
        SkinData1->LoadFromStream(stream);
        SkinData1->SetActive(true);
    }
    if (StatusBar1->Panels()->Count() > 0)
        StatusBar1->Panels()->Items(0)->SetText(L"皮肤 skin: " + Widen(name));
}

void TGalleryForm::OpenPageLater(const std::string& page) {
    pendingPage_ = page;
    PostMessageW(Handle(), WM_OPENPAGE, 0, 0);
}

void TGalleryForm::OpenPage(const std::string& page) {
    if (page == "dialogs")
        ShowControlsDialogModeless();
    else if (page == "message")
        ShowMessageBoxDemo();
    else if (page == "open")
        ShowOpenDialog();
    else if (page == "mdi")
        ShowMdiPage();
    else if (const GalleryPageEntry* entry = FindGalleryPage(page))
        ShowPage(*entry);
}

void TGalleryForm::ShowPage(const GalleryPageEntry& entry) {
    TGalleryPage*& page = pages_[entry.name];
    if (!page) {
        try {
            page = MakeGalleryPage(entry, Application);
        } catch (const std::exception& e) {
            Note(L"页面无法打开 page cannot open: " + Utf8ToWide(e.what()));
            return;
        }
        page->OnNote = [this](const std::wstring& text) { Note(text); };
        page->DoCreate();
    }
    page->Show();
    SetForegroundWindow(page->Handle());
}

void TGalleryForm::ShowMessageBoxDemo() {
    const int answer = ShowMessageBox(L"这是一个消息框。要继续吗？\nThis is a message box. Go on?",
                                      L"消息框 Message box", MB_YESNOCANCEL | MB_ICONQUESTION);
    Note(answer == IDYES  ? L"消息框：是 (yes)"
         : answer == IDNO ? L"消息框：否 (no)"
                          : L"消息框：取消 (cancel)");
}

void TGalleryForm::ShowOpenDialog() {
    if (OpenDialog1->Execute(Handle()))
        Note(L"打开 open: " + OpenDialog1->FileName);
    else
        Note(L"打开：已取消 (cancelled)");
}

void TGalleryForm::ShowControlsDialog() {
    const INT_PTR result = RunControlsDialog(Handle());
    Note(result == IDOK ? L"对话框：确定 (OK)" : L"对话框：取消 (cancel)");
}

void TGalleryForm::ShowControlsDialogModeless() {
    if (!::ShowControlsDialog(Handle())) Note(L"对话框资源缺失 (no dialog resource)");
}

void TGalleryForm::ShowMdiPage() {
    auto* mdi = new TMdiForm(Application);
    mdi->ShowTiled();
}

void TGalleryForm::WndProc(TMessage& m) {
    if (m.Msg == WM_OPENPAGE) {
        const std::string page = std::exchange(pendingPage_, std::string());
        OpenPage(page);
        m.Result = 0;
        return;
    }
    TForm::WndProc(m);
}
