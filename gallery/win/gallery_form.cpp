// The Gallery's main form: reads its description, fills its image list, and answers its menus.
#include "gallery/win/gallery_form.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

#include "gallery/win/controls_dialog.h"
#include "gallery/win/gallery_images.h"
#include "gallery/win/gallery_page.h"
#include "gallery/win/mdi_form.h"
#include "platform/class_registry.h"
#include "platform/form_reader.h"
#include "platform/stream.h"
#include "platform/string_list.h"
#include "platform/win/framework_classes.h"
#include "platform/win/sys_utils.h"
#include "skin/storage/skin_read.h"

const TClassInfo TGalleryForm::ClassInfo_{"TGalleryForm", &TForm::ClassInfo_, &TCustomForm::Props};

namespace {
// Posted to the form: open the page pendingPage_ names.
constexpr UINT WM_OPENPAGE = WM_APP + 1;

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
    RegisterHandler("SkinNoneClick", [this](TObject*) { UseSkin("none"); });
    RegisterHandler("LoadSkinFileClick", [this](TObject*) { LoadSkinFileClick(); });
    RegisterHandler("AboutClick", [this](TObject*) {
        ShowMessageBox(
            L"皮肤画廊：引擎所能皮肤化的每一种窗口。\nGallery: every kind of window the skinning engine "
            L"paints, in every skin.",
            L"关于 About Gallery", MB_OK | MB_ICONINFORMATION);
    });
    RegisterFrameworkComponents();
    RegisterComponentClasses<TSkinData, TSkinStore>();
    ReadComponentRes(description, *this);

    MainMenu1 = dynamic_cast<TMainMenu*>(FindComponent("MainMenu1"));
    PopupMenu1 = dynamic_cast<TPopupMenu*>(FindComponent("PopupMenu1"));
    ImageList1 = dynamic_cast<TImageList*>(FindComponent("ImageList1"));
    StatusBar1 = dynamic_cast<TStatusBar*>(FindComponent("StatusBar1"));
    Memo1 = dynamic_cast<TMemo*>(FindComponent("Memo1"));
    Panel1 = dynamic_cast<TPanel*>(FindComponent("Panel1"));
    OpenDialog1 = dynamic_cast<TOpenDialog*>(FindComponent("OpenDialog1"));
    SkinDialog1 = dynamic_cast<TOpenDialog*>(FindComponent("SkinDialog1"));
    SkinData1 = dynamic_cast<TSkinData*>(FindComponent("SkinData1"));
    SkinStore1 = dynamic_cast<TSkinStore*>(FindComponent("SkinStore1"));
    if (!MainMenu1 || !PopupMenu1 || !ImageList1 || !StatusBar1 || !Memo1 || !Panel1 || !OpenDialog1 ||
        !SkinDialog1)
        throw std::runtime_error("the Gallery's form description is incomplete");
    ImageList1->AddMasked(DrawMenuImages(), TColor(kMenuImageKey));
    AddPageItems();
    AddSkinItems();
}

void TGalleryForm::AddSkinItems() {
    auto* skins = dynamic_cast<TMenuItem*>(FindComponent("Skin1"));
    if (!skins || !SkinStore1) return;
    const TSkinCollection& store = *SkinStore1->Store();
    for (int i = 0; i < store.Count(); ++i) {
        auto* item = new TMenuItem(this);
        const std::string name = store.Items(i)->Name();
        item->SetName("SkinItem" + std::to_string(i));
        item->SetCaption(Utf8ToWide(name));
        item->SetRadioItem(true);
        item->SetGroupIndex(3);
        item->SetChecked(i == 0);
        item->OnClick = [this, name](TObject*) { UseSkin(name); };
        skins->Insert(i, item);
    }
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

bool TGalleryForm::UseSkin(const std::string& name) {
    if (!SkinData1) return false;
    if (AsciiLower(name) == "none") {
        SkinData1->SetActive(false);
        if (auto* none = dynamic_cast<TMenuItem*>(FindComponent("SkinNone1"))) none->SetChecked(true);
        ShowSkinName(L"none");
        return true;
    }
    const TSkinCollection* store = SkinStore1 ? SkinStore1->Store() : nullptr;
    int index = -1;
    for (int i = 0; store && i < store->Count(); ++i)
        if (AsciiLower(store->Items(i)->Name()) == AsciiLower(name)) index = i;
    if (index < 0) return false;
    SkinData1->LoadFromCollection(SkinStore1, index);
    SkinData1->SetActive(true);
    if (auto* item = dynamic_cast<TMenuItem*>(FindComponent("SkinItem" + std::to_string(index))))
        item->SetChecked(true);
    ShowSkinName(Utf8ToWide(store->Items(index)->Name()));
    return true;
}

std::wstring TGalleryForm::UseSkinFile(const std::wstring& fileName) {
    if (!SkinData1) return L"这个画廊没有皮肤组件 (this Gallery has no skin component)";
    std::vector<std::uint8_t> bytes;
    try {
        TMemoryStream file;
        file.LoadFromFile(std::filesystem::path(fileName));
        bytes = file.TakeBytes();
    } catch (const std::exception&) {
        return L"文件无法读取 (the file cannot be read): " + fileName;
    }
    // The package is read on the side first: the skin in use stays unless this one is a whole skin.
    std::string said;
    const TSkinMessageHook previous = SetSkinMessageHook([&](const std::string& text) { said = text; });
    TSkinData check(nullptr);
    check.SetSkinFormtype(sfDialog);
    {
        TMemoryStream s(bytes);
        check.LoadFromStream(s);
    }
    SetSkinMessageHook(previous);
    if (check.Empty) {
        std::wstring why = L"这不是能用的皮肤包 (this is no skin package this program can use): " + fileName;
        if (!said.empty()) why += L"\n" + Utf8ToWide(said);
        return why;
    }
    TMemoryStream s(std::move(bytes));
    SkinData1->LoadFromStream(s);
    SkinData1->SetActive(true);
    for (int i = 0; TComponent* c = FindComponent("SkinItem" + std::to_string(i)); ++i)
        if (auto* item = dynamic_cast<TMenuItem*>(c)) item->SetChecked(false);
    if (auto* none = dynamic_cast<TMenuItem*>(FindComponent("SkinNone1"))) none->SetChecked(false);
    ShowSkinName(std::filesystem::path(fileName).filename().wstring());
    return {};
}

void TGalleryForm::LoadSkinFileClick() {
    if (!SkinDialog1->Execute(Handle())) return;
    const std::wstring why = UseSkinFile(SkinDialog1->FileName);
    if (why.empty()) {
        Note(L"皮肤文件 skin file: " + SkinDialog1->FileName);
    } else {
        Note(why);
        ShowMessageBox(why, L"Load skin file", MB_OK | MB_ICONWARNING);
    }
}

void TGalleryForm::ShowSkinName(const std::wstring& name) {
    if (StatusBar1->Panels()->Count() > 0) StatusBar1->Panels()->Items(0)->SetText(L"皮肤 skin: " + name);
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
