// TGalleryForm: the Gallery's main form. Its menus, image list, status bar and skin component come from its
// form description; its handlers open the other pages and the dialogs.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/win/dialogs.h"
#include "platform/win/forms.h"
#include "platform/win/image_list.h"
#include "platform/win/menus.h"
#include "platform/win/status_bar.h"
#include "skin/data/skin_data.h"
#include "skin/storage/skin_store.h"

struct GalleryPageEntry;
class TGalleryPage;

class TGalleryForm : public TForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    // Reads the form description from the program's resource "TGALLERYFORM".
    explicit TGalleryForm(TComponent* owner);
    // Reads the given description (tests).
    TGalleryForm(TComponent* owner, std::string_view description);

    TMainMenu* MainMenu1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TMemo* Memo1 = nullptr;
    TPanel* Panel1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TOpenDialog* SkinDialog1 = nullptr;
    TSkinData* SkinData1 = nullptr;    // absent from a bare description
    TSkinStore* SkinStore1 = nullptr;  // the skins the Skin menu offers

    // Loads the skin of the store of that name (compared without regard to case), or switches skinning
    // off ("none"); the Skin menu's radio items follow. False when the store has no such skin.
    bool UseSkin(const std::string& name);
    // Loads a skin package file. A file that is no skin package leaves the skin in use as it is; the
    // answer then says why (empty when the skin was loaded).
    std::wstring UseSkinFile(const std::wstring& fileName);
    // Opens a page or dialog by its command-line name once the message loop runs.
    void OpenPageLater(const std::string& page);

    // Writes one line to the log and the status bar.
    void Note(const std::wstring& text);

    void WndProc(TMessage& m) override;

private:
    void Build(std::string_view description);
    void FormCreate(TObject* sender);
    void OpenPage(const std::string& page);
    void ShowMessageBoxDemo();
    void ShowOpenDialog();
    void ShowControlsDialog();
    void ShowControlsDialogModeless();
    void ShowMdiPage();
    void ItemClick(TObject* sender);
    // The View menu's Pages submenu: one item per page of the page table.
    void AddPageItems();
    // The Skin menu's items for the skins of the store, before its other items.
    void AddSkinItems();
    void LoadSkinFileClick();
    void ShowSkinName(const std::wstring& name);
    // Shows a page, made the first time it is asked for.
    void ShowPage(const GalleryPageEntry& entry);

    std::string pendingPage_;
    std::map<std::string, TGalleryPage*> pages_;  // owned by the application
};
