// TGalleryPage: one page of the Gallery, a form read from its own description (the program's resource
// "PAGE_<NAME>", from gallery/program/pages/<name>.form) that shows one family of controls. A page that
// needs code derives from it, registers its handlers in its constructor and then reads its description.
// The page table lists every page with the View menu's caption for it and, for pages with code, the
// function that makes one.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/forms.h"

class TGalleryPage : public TForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TGalleryPage(TComponent* owner);

    // Reads the description of the program's resource of that name (throws when it is missing or wrong).
    void ReadResource(const wchar_t* resource);
    // Reads a description given as text (tests).
    void Read(std::string_view description);

    // Where the page's lines go (the main form's log); nothing happens without it.
    std::function<void(const std::wstring&)> OnNote;
    void Note(const std::wstring& text);
};

struct GalleryPageEntry {
    const char* name;         // as --page takes it (the command line lists the same names)
    const wchar_t* caption;   // the View menu's item
    const wchar_t* resource;  // the page's description
    // Makes a page with code (it reads its own description); nullptr: a plain TGalleryPage.
    TGalleryPage* (*make)(TComponent* owner) = nullptr;
};

// The pages in the order the View menu lists them.
const std::vector<GalleryPageEntry>& GalleryPageTable();
const GalleryPageEntry* FindGalleryPage(std::string_view name);
// Makes and reads the page (not shown yet); throws as ReadResource does.
TGalleryPage* MakeGalleryPage(const GalleryPageEntry& entry, TComponent* owner);
