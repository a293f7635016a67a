// The Gallery's pages: the common page form and the table of pages.
#include "gallery/win/gallery_page.h"

#include <stdexcept>

#include "platform/form_reader.h"
#include "platform/win/framework_classes.h"
#include "platform/win/sys_utils.h"

const TClassInfo TGalleryPage::ClassInfo_{"TGalleryPage", &TForm::ClassInfo_, &TCustomForm::Props};

TGalleryPage::TGalleryPage(TComponent* owner) : TForm(owner) {}

void TGalleryPage::ReadResource(const wchar_t* resource) {
    const std::string_view text = ProgramResourceText(resource);
    if (text.empty()) throw std::runtime_error("the program has no page description " + WideToUtf8(resource));
    Read(text);
    LoadIconResource(L"MAINICON");
}

void TGalleryPage::Read(std::string_view description) {
    RegisterFrameworkComponents();
    ReadComponentRes(description, *this);
}

void TGalleryPage::Note(const std::wstring& text) {
    if (OnNote) OnNote(text);
}

// Pages with code of their own (each in its page_<name>.cpp).
TGalleryPage* MakeButtonsPage(TComponent* owner);
TGalleryPage* MakeChoicesPage(TComponent* owner);
TGalleryPage* MakeListsPage(TComponent* owner);
TGalleryPage* MakeTextPage(TComponent* owner);
TGalleryPage* MakeMediaPage(TComponent* owner);
TGalleryPage* MakeBarsPage(TComponent* owner);

const std::vector<GalleryPageEntry>& GalleryPageTable() {
    static const std::vector<GalleryPageEntry> pages{
        {"buttons", L"按钮 Buttons", L"PAGE_BUTTONS", &MakeButtonsPage},
        {"choices", L"选择 Choices", L"PAGE_CHOICES", &MakeChoicesPage},
        {"lists", L"列表 Lists", L"PAGE_LISTS", &MakeListsPage},
        {"text", L"文本 Text", L"PAGE_TEXT", &MakeTextPage},
        {"media", L"媒体 Media", L"PAGE_MEDIA", &MakeMediaPage},
        {"bars", L"工具栏 Bars", L"PAGE_BARS", &MakeBarsPage},
    };
    return pages;
}

const GalleryPageEntry* FindGalleryPage(std::string_view name) {
    for (const GalleryPageEntry& e : GalleryPageTable())
        if (name == e.name) return &e;
    return nullptr;
}

TGalleryPage* MakeGalleryPage(const GalleryPageEntry& entry, TComponent* owner) {
    if (entry.make) return entry.make(owner);
    auto* page = new TGalleryPage(owner);
    try {
        page->ReadResource(entry.resource);
    } catch (...) {
        delete page;
        throw;
    }
    return page;
}
