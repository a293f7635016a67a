// The Buttons page: push buttons, glyph buttons with one to four cells in every layout and of the stock
// kinds, speed buttons in groups, flat and disabled, and menu buttons with their drop-down menu. Every
// click, drop-down and menu command is written to the log; the glyphs are drawn from code.
#include <string>

#include "gallery/win/gallery_images.h"
#include "gallery/win/gallery_page.h"
#include "platform/win/bit_btn.h"
#include "platform/win/menu_button.h"
#include "platform/win/menus.h"
#include "platform/win/speed_button.h"
#include "platform/win/std_controls.h"
#include "platform/win/sys_utils.h"

namespace {

class TButtonsPage : public TGalleryPage {
public:
    explicit TButtonsPage(TComponent* owner) : TGalleryPage(owner) {
        RegisterHandler("ButtonClick", [this](TObject* sender) {
            if (auto* b = dynamic_cast<TButton*>(sender)) Note(L"按钮 button: " + StripHotkey(b->Caption()));
        });
        RegisterHandler("SpeedClick", [this](TObject* sender) {
            if (auto* b = dynamic_cast<TSpeedButton*>(sender))
                Note(L"快速按钮 speed: " + b->Caption() + (b->Down() ? L" [down]" : L" [up]"));
        });
        RegisterHandler("ActionClick", [this](TObject* sender) {
            if (auto* item = dynamic_cast<TMenuItem*>(sender))
                Note(L"菜单按钮 menu: " + StripHotkey(item->Caption()));
        });
        ReadResource(L"PAGE_BUTTONS");
        AddGlyphs();
    }

private:
    void SetGlyph(const char* name, int picture, int cells) {
        TComponent* c = FindComponent(name);
        TGraphicBitmap* glyph = nullptr;
        if (auto* b = dynamic_cast<TBitBtn*>(c)) glyph = b->Glyph();
        if (auto* s = dynamic_cast<TSpeedButton*>(c)) glyph = s->Glyph();
        if (!glyph) return;
        TBitmap strip = DrawButtonGlyphs(picture, cells);
        glyph->SetBitmap(std::move(strip));
    }

    void AddGlyphs() {
        static const char* const kLayouts = "LRTB";
        for (int cells = 1; cells <= 4; ++cells)
            for (int l = 0; l < 4; ++l) {
                const std::string name = "Glyph" + std::to_string(cells) + kLayouts[l];
                SetGlyph(name.c_str(), cells - 1, cells);
            }
        SetGlyph("Disabled1", 0, 1);
        SetGlyph("Disabled2", 1, 2);
        int picture = 0;
        for (const char* name :
             {"SpeedLeft", "SpeedCentre", "SpeedRight", "SpeedBold", "SpeedFlat", "SpeedDisabled"})
            SetGlyph(name, picture++, 4);
        SetGlyph("MenuButton2", 2, 1);
        if (auto* menu = dynamic_cast<TMenuButton*>(FindComponent("MenuButton1")))
            menu->OnDropDown = [this](TObject*) { Note(L"菜单按钮 drop-down: 操作 Act"); };
        if (auto* menu = dynamic_cast<TMenuButton*>(FindComponent("MenuButton2")))
            menu->OnDropDown = [this](TObject*) { Note(L"菜单按钮 drop-down: 新建 New"); };
    }
};

}  // namespace

TGalleryPage* MakeButtonsPage(TComponent* owner) { return new TButtonsPage(owner); }
