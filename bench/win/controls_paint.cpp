// The control skinners under Wine: one push button and a memo's vertical scroll bar painted skinned, each
// against the same control unskinned in the same run; no growth of GDI objects or windows over 10,000
// control paints and 1,000 hover changes; the processor time taken while a drop-down list's thumb is
// dragged and then held still for a second; glyph, menu and speed buttons skinned against unskinned; headers,
// list views, media players, tool bars and size grips the same way; and 1,000 whole paints of every Gallery
// page without growth. Runs as a Windows program: tools/bench.sh.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/win/bench_harness.h"
#include "gallery/win/gallery_images.h"
#include "gallery/win/gallery_page.h"
#include "platform/stream.h"
#include "platform/win/bit_btn.h"
#include "platform/win/check_boxes.h"
#include "platform/win/choice_groups.h"
#include "platform/win/combo_box.h"
#include "platform/win/date_time_picker.h"
#include "platform/win/forms.h"
#include "platform/win/gdi.h"
#include "platform/win/header_control.h"
#include "platform/win/list_view.h"
#include "platform/win/media_player.h"
#include "platform/win/menu_button.h"
#include "platform/win/speed_button.h"
#include "platform/win/std_controls.h"
#include "platform/win/tool_bar.h"
#include "skin/controls/win/combox_scroll_bar.h"
#include "skin/controls/win/skin_backgrounds.h"
#include "skin/controls/win/skin_button.h"
#include "skin/controls/win/skin_check_box.h"
#include "skin/controls/win/skin_combo_box.h"
#include "skin/controls/win/skin_date_time.h"
#include "skin/controls/win/skin_glyph_buttons.h"
#include "skin/controls/win/skin_header.h"
#include "skin/controls/win/skin_media_player.h"
#include "skin/controls/win/skin_scrollbar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/form/win/win_skin_form.h"

namespace {

// Stands in for the form skinner: keeps the control skinners' list.
class SkinnerList : public TComponent, public SkinControlList {
public:
    SkinnerList() : TComponent(nullptr) {}
};

std::unique_ptr<TForm> MakeForm(int x) {
    auto form = bench::MakeTimerSizedForm(x);
    form->Show();
    return form;
}

struct Controls {
    TButton* button;
    TMemo* memo;
};

Controls AddControls(TForm& form) {
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(20, 20, 75, 25);
    button->SetCaption(L"开始");
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(120, 20, 200, 150);
    memo->SetScrollBars(ssVertical);
    for (int i = 1; i <= 40; ++i) memo->Lines().Add(L"第 " + std::to_wstring(i) + L" 圈");
    return {button, memo};
}

void Redraw(HWND h, UINT extra = 0) {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | extra);
}

double ProcessSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](const FILETIME& f) {
        return double((std::uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// A drop-down list's thumb pressed, moved once, held still for a second and let go; the processor
// seconds the process spent meanwhile.
double HeldThumbCpu(TSkinData& skin, SkinnerList& list, HWND parent) {
    const HWND combo =
        CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 20, 200,
                        150, 200, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int i = 1; i <= 60; ++i) SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(std::to_wstring(i).c_str()));
    COMBOBOXINFO ci{};
    ci.cbSize = sizeof ci;
    if (!SkinGetComboBoxInfo(combo, &ci)) return -1;
    const HWND dropList = ci.hwndList;
    auto* skinner = new TComboxScrollBar(&list);
    skinner->Inithwnd(dropList, &skin, nullptr, &list);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    bench::Pump();
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    SkinGetScrollBarInfo(dropList, OBJID_VSCROLL, &info);
    const POINT press{info.rcScrollBar.left + 4,
                      info.rcScrollBar.top + (info.xyThumbTop + info.xyThumbBottom) / 2};
    POINT moved{press.x, press.y + 20};
    ScreenToClient(dropList, &moved);
    std::thread hand([&] {
        Sleep(50);
        PostMessageW(dropList, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(moved.x, moved.y));
        Sleep(1000);
        PostMessageW(dropList, WM_LBUTTONUP, 0, MAKELPARAM(moved.x, moved.y));
    });
    const double before = ProcessSeconds();
    SendMessageW(dropList, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
    const double cpu = ProcessSeconds() - before;
    hand.join();
    DestroyWindow(combo);
    bench::Pump();
    return cpu;
}

// Check boxes and radio buttons: each kind painted skinned against the same control unskinned (framework
// controls drawn whole, raw ones with the image over their own painting), and a page of them (three states,
// radio buttons, a radio group, a check group, disabled ones) repainted 1000 times without growth.
void Choices(TSkinData& skin, SkinnerList& list) {
    auto plainForm = MakeForm(20), skinnedForm = MakeForm(460);
    auto fill = [](TForm& form) {
        std::vector<TWinControl*> made;
        auto add = [&](TWinControl* c, int x, int y, int w, int h) {
            c->SetParent(&form);
            c->SetBounds(x, y, w, h);
            made.push_back(c);
        };
        const TCheckBoxState states[] = {cbUnchecked, cbChecked, cbGrayed, cbChecked};
        for (int i = 0; i < 4; ++i) {
            auto* box = new TCheckBox(&form);
            box->SetAllowGrayed(true);
            box->SetState(states[i]);
            box->SetCaption(L"复选框 Check box");
            box->SetEnabled(i < 3);
            add(box, 10, 10 + 22 * i, 130, 20);
        }
        for (int i = 0; i < 3; ++i) {
            auto* radio = new TRadioButton(&form);
            radio->SetCaption(L"单选 Radio");
            radio->SetChecked(i == 1);
            add(radio, 150, 10 + 22 * i, 110, 20);
        }
        auto* radios = new TRadioGroup(&form);
        radios->SetItems(TStringList{"红 Red", "绿 Green", "蓝 Blue", "黄 Yellow"});
        radios->SetColumns(2);
        add(radios, 10, 110, 180, 70);
        radios->SetItemIndex(1);
        auto* checks = new TCheckGroup(&form);
        checks->SetItems(TStringList{"粗体 Bold", "斜体 Italic", "下划线 Underline"});
        add(checks, 200, 110, 180, 70);
        checks->SetChecked(0, true);
        for (TCustomItemGroup* g :
             {static_cast<TCustomItemGroup*>(radios), static_cast<TCustomItemGroup*>(checks)})
            for (int i = 0; i < g->Count(); ++i) made.push_back(g->ItemControl(i));
        return made;
    };
    fill(*plainForm);
    for (TWinControl* c : fill(*skinnedForm)) {
        TSkinControl* s = dynamic_cast<TCustomCheckBox*>(c) ? static_cast<TSkinControl*>(new TSkinCheckBox(c))
                          : dynamic_cast<TRadioButton*>(c)
                              ? static_cast<TSkinControl*>(new TSkinRadioButton(c))
                              : nullptr;
        if (s) s->Init(&list, &skin, nullptr, false);
    }
    bench::Pump();
    auto first = [](TForm& form, auto is) -> HWND {
        for (int i = 0; i < form.ControlCount(); ++i)
            if (is(form.Controls(i))) return static_cast<TWinControl*>(form.Controls(i))->Handle();
        return nullptr;
    };
    auto isBox = [](TControl* c) { return dynamic_cast<TCheckBox*>(c) != nullptr; };
    auto isRadio = [](TControl* c) { return dynamic_cast<TRadioButton*>(c) != nullptr; };
    const bench::PairTimes box = bench::TimePairPerCall([&] { Redraw(first(*skinnedForm, isBox)); },
                                                        [&] { Redraw(first(*plainForm, isBox)); }, 300);
    bench::Report("check box paint, unskinned", box.b);
    bench::Report("check box paint, skinned (drawn whole)", box.a);
    bench::Ratio("check box skinned / unskinned", box.a, box.b, 2.0);
    const bench::PairTimes radio = bench::TimePairPerCall([&] { Redraw(first(*skinnedForm, isRadio)); },
                                                          [&] { Redraw(first(*plainForm, isRadio)); }, 300);
    bench::Report("radio button paint, unskinned", radio.b);
    bench::Report("radio button paint, skinned (drawn whole)", radio.a);
    bench::Ratio("radio button skinned / unskinned", radio.a, radio.b, 2.0);
    // A raw dialog control keeps its own painting; the skin's image goes over its box.
    auto raw = [&](TForm& form, int y) {
        return CreateWindowExW(0, L"BUTTON", L"记住 Remember", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 280,
                               y, 100, 20, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    const HWND rawPlain = raw(*plainForm, 10), rawSkinned = raw(*skinnedForm, 10);
    SendMessageW(rawPlain, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(rawSkinned, BM_SETCHECK, BST_CHECKED, 0);
    (new TSkinCheckBox(&list))->Inithwnd(rawSkinned, &skin, nullptr, &list);
    const bench::PairTimes rawTimes =
        bench::TimePairPerCall([&] { Redraw(rawSkinned); }, [&] { Redraw(rawPlain); }, 300);
    bench::Report("raw check box paint, unskinned", rawTimes.b);
    bench::Report("raw check box paint, skinned (image over it)", rawTimes.a);
    bench::Ratio("raw check box skinned / unskinned", rawTimes.a, rawTimes.b, 2.0);

    const HWND page = skinnedForm->Handle();
    auto paintPage = [&] { Redraw(page, RDW_ERASE | RDW_ALLCHILDREN); };
    paintPage();
    bench::Pump();
    const long gdiBefore = gdi::LiveHandles(), windowsBefore = bench::ThreadWindows();
    for (int i = 0; i < 1000; ++i) {
        paintPage();
        if (i % 100 == 0) bench::Pump();
    }
    bench::Pump();
    bench::Growth("GDI objects over 1000 paints of a page of choices", gdiBefore, gdi::LiveHandles());
    bench::Growth("windows over the same", windowsBefore, bench::ThreadWindows());
}

// ---- Glyph, menu and speed buttons, and the Gallery's pages

struct PictureButtons {
    TBitBtn* glyph;
    TMenuButton* menu;
    TSpeedButton* speed;
};

PictureButtons AddPictureButtons(TForm& form) {
    auto* glyph = new TBitBtn(&form);
    glyph->SetParent(&form);
    glyph->SetBounds(20, 190, 110, 40);
    glyph->SetCaption(L"上 Top");
    glyph->SetLayout(blGlyphTop);
    glyph->Glyph()->SetBitmap(DrawButtonGlyphs(0, 4));
    glyph->SetNumGlyphs(4);
    auto* menu = new TMenuButton(&form);
    menu->SetParent(&form);
    menu->SetBounds(140, 190, 100, 30);
    menu->SetCaption(L"操作 Act");
    menu->Glyph()->SetBitmap(DrawButtonGlyphs(2, 1));
    auto* speed = new TSpeedButton(&form);
    speed->SetParent(&form);
    speed->SetBounds(250, 190, 64, 32);
    speed->SetCaption(L"左 L");
    speed->SetGroupIndex(1);
    speed->Glyph()->SetBitmap(DrawButtonGlyphs(1, 4));
    speed->SetNumGlyphs(4);
    return {glyph, menu, speed};
}

// A windowless control repainted as its parent does it: its place invalidated and painted at once.
void RedrawOnParent(TControl* c) {
    const RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    RedrawWindow(c->Parent()->Handle(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void PictureButtonRows(TSkinData& skin, SkinnerList& list, TForm& plainForm, TForm& skinnedForm) {
    const PictureButtons plain = AddPictureButtons(plainForm);
    const PictureButtons skinned = AddPictureButtons(skinnedForm);
    (new TSkinBitButton(skinned.glyph))->Init(&list, &skin, nullptr, true);
    (new TSkinMenuButton(skinned.menu))->Init(&list, &skin, nullptr, true);
    (new TSkinSpeedButton(skinned.speed))->InitGraphicControl(&list, &skin, nullptr);
    bench::Pump();
    struct Row {
        const char* name;
        std::function<void()> plain, skinned;
    };
    const Row rows[] = {
        {"glyph button", [&] { Redraw(plain.glyph->Handle()); }, [&] { Redraw(skinned.glyph->Handle()); }},
        {"menu button", [&] { Redraw(plain.menu->Handle()); }, [&] { Redraw(skinned.menu->Handle()); }},
        {"speed button (its place on the parent)", [&] { RedrawOnParent(plain.speed); },
         [&] { RedrawOnParent(skinned.speed); }},
    };
    for (const Row& row : rows) {
        const bench::PairTimes t = bench::TimePairPerCall(row.plain, row.skinned, 300);
        bench::Report(std::string(row.name) + " paint, unskinned", t.a);
        bench::Report(std::string(row.name) + " paint, skinned", t.b);
        bench::Ratio(std::string(row.name) + " skinned / unskinned", t.b, t.a, 2.0);
    }
    skinned.speed->SetDown(true);
    const double down = bench::TimePerCall([&] { RedrawOnParent(skinned.speed); }, 300);
    bench::Report("speed button paint, skinned and down", down);
}

// Every Gallery page skinned as the manager skins a framework form, painted whole 1,000 times: no growth
// of GDI objects or windows.
void GalleryPageRows(TSkinData& skin) {
    for (const GalleryPageEntry& entry : GalleryPageTable()) {
        std::unique_ptr<TGalleryPage> page;
        try {
            page.reset(MakeGalleryPage(entry, nullptr));
        } catch (const std::exception& e) {
            std::printf("page %s cannot open: %s\n", entry.name, e.what());
            continue;
        }
        page->Show();
        auto* skinner = new TWinSkinForm(page.get());  // owned by the page
        skinner->Hwnd = page->Handle();
        skinner->InitTform(&skin, page.get());
        PostMessageW(page->Handle(), SM_INITSKIN, 0, 1000);
        for (int i = 0; i < 200 && skinner->Skinstate != TWinSkinForm::kActive; ++i) {
            bench::Pump();
            Sleep(5);
        }
        const HWND h = page->Handle();
        auto paint = [h] {
            RedrawWindow(h, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        };
        paint();
        bench::Pump();
        const long gdiBefore = gdi::LiveHandles(), windowsBefore = bench::ThreadWindows();
        const double t = bench::TimePerCall(paint, 100, 10);  // 1,000 paints and a warm-up
        bench::Pump();
        bench::Report(std::string("page ") + entry.name + ", whole repaint, skinned", t);
        bench::Growth(std::string("GDI objects over 1000 paints of page ") + entry.name, gdiBefore,
                      gdi::LiveHandles());
        bench::Growth(std::string("windows over the same"), windowsBefore, bench::ThreadWindows());
    }
}

// ---- Combo boxes and date pickers: each kind painted skinned against the same control unskinned, then no
// growth of GDI objects, windows or skinners over 1,000 paints of them all and 200 drop-downs of a combo box.
struct ComboKinds {
    TComboBox* list;
    TComboBox* drop;
    TComboBoxEx* ex;
    TDateTimePicker* date;
};

ComboKinds AddComboKinds(TForm& form) {
    auto box = [&](TComboBoxStyle style, int top) {
        auto* c = new TComboBox(&form);
        c->SetParent(&form);
        c->SetStyle(style);
        c->SetBounds(20, top, 150, 21);
        for (int i = 1; i <= 60; ++i) c->Items().Add(L"第 " + std::to_wstring(i) + L" 圈");
        c->SetItemIndex(0);
        return c;
    };
    auto* ex = new TComboBoxEx(&form);
    ex->SetParent(&form);
    ex->SetBounds(20, 100, 150, 22);
    for (int i = 1; i <= 20; ++i) ex->ItemsEx()->AddItem(L"项 " + std::to_wstring(i), -1);
    ex->SetItemIndex(0);
    auto* date = new TDateTimePicker(&form);
    date->SetParent(&form);
    date->SetBounds(200, 20, 140, 22);
    date->SetDate({2013, 1, 19});
    return {box(csDropDownList, 20), box(csDropDown, 60), ex, date};
}

void MeasureComboKinds(TSkinData& skin, SkinnerList& list) {
    auto plainForm = MakeForm(20);
    auto skinnedForm = MakeForm(460);
    const ComboKinds plain = AddComboKinds(*plainForm);
    const ComboKinds skinned = AddComboKinds(*skinnedForm);
    for (TWinControl* c : std::initializer_list<TWinControl*>{skinned.list, skinned.drop, skinned.ex})
        (new TSkinComBox(c))->Init(&list, &skin, nullptr, false);
    (new TSkinDateTime(skinned.date))->Init(&list, &skin, nullptr, false);
    bench::Pump();
    auto pair = [](const char* name, HWND a, HWND b) {
        const bench::PairTimes t = bench::TimePairPerCall([&] { Redraw(a); }, [&] { Redraw(b); }, 300);
        bench::Report(std::string(name) + " paint, unskinned", t.a);
        bench::Report(std::string(name) + " paint, skinned", t.b);
        bench::Ratio(std::string(name) + " skinned / unskinned", t.b, t.a, 2.0);
    };
    pair("drop-down list", plain.list->Handle(), skinned.list->Handle());
    pair("drop-down combo box", plain.drop->Handle(), skinned.drop->Handle());
    // The extended box shows its own combo box, which is what the skin paints over.
    pair("combo box ex", GetWindow(plain.ex->Handle(), GW_CHILD), GetWindow(skinned.ex->Handle(), GW_CHILD));
    pair("date picker", plain.date->Handle(), skinned.date->Handle());

    auto dropOnce = [&] {
        skinned.list->SetDroppedDown(true);
        bench::Pump();
        skinned.list->SetDroppedDown(false);
        bench::Pump();
    };
    dropOnce();  // whatever is made once is there before counting
    const long gdiBefore = gdi::LiveHandles(), windowsBefore = bench::ThreadWindows();
    const long skinnersBefore = long(list.Controllist.size());
    for (int i = 0; i < 1000; ++i) Redraw(skinnedForm->Handle(), RDW_ALLCHILDREN | RDW_FRAME);
    for (int i = 0; i < 200; ++i) dropOnce();
    bench::Growth("GDI objects over 1000 paints, 200 drop-downs", gdiBefore, gdi::LiveHandles());
    bench::Growth("windows over the same", windowsBefore, bench::ThreadWindows());
    bench::Growth("control skinners over the same", skinnersBefore, long(list.Controllist.size()));
}

// ---- Headers, list views, media players, tool bars and size grips: each painted skinned against the same
// control unskinned, then no growth of GDI objects, windows or skinners over 1,000 paints of them all and
// 1,000 hover changes on the headers.
struct HeaderKinds {
    TListView* list;
    THeaderControl* header;
    TMediaPlayer* player;
    TToolBar* bar;
    HWND grip;
};

HeaderKinds AddHeaderKinds(TForm& form) {
    auto* list = new TListView(&form);
    list->SetParent(&form);
    list->SetBounds(20, 20, 240, 120);
    list->SetViewStyle(vsReport);
    list->Columns()->AddColumn(L"圈 Lap", 70);
    list->Columns()->AddColumn(L"时间 Time", 80, taRightJustify);
    list->Columns()->AddColumn(L"分段 Split", 70, taRightJustify);
    for (int i = 1; i <= 30; ++i)
        list->Items()->AddItem(L"第 " + std::to_wstring(i) + L" 圈", {L"1:01.7", L"1:01.7"});
    auto* header = new THeaderControl(&form);
    header->SetParent(&form);
    header->SetAlign(alNone);
    header->SetBounds(20, 150, 300, 22);
    header->Sections()->AddSection(L"名称 Name", 140);
    header->Sections()->AddSection(L"大小 Size", 80)->SetAlignment(taRightJustify);
    auto* player = new TMediaPlayer(&form);
    player->SetParent(&form);
    player->SetBounds(20, 180, 270, 30);
    auto* bar = new TToolBar(&form);
    bar->SetParent(&form);
    bar->SetBounds(0, 220, 380, 28);
    for (const wchar_t* c : {L"新建 New", L"打开 Open", L"保存 Save"}) bar->Buttons()->Add()->SetCaption(c);
    const HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 360, 20, 16,
                                      16, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    return {list, header, player, bar, grip};
}

void MeasureHeaderKinds(TSkinData& skin, SkinnerList& list) {
    auto plainForm = MakeForm(20);
    auto skinnedForm = MakeForm(460);
    const HeaderKinds plain = AddHeaderKinds(*plainForm);
    const HeaderKinds skinned = AddHeaderKinds(*skinnedForm);
    auto* lv = new TSkinListView(skinned.list);
    lv->InitScrollbar(skinned.list, &skin, nullptr, &list);
    (new TSkinHeader(skinned.header))->Init(&list, &skin, nullptr, false);
    auto* mp = new TSkinMP(skinned.player);
    mp->Init(&list, &skin, nullptr, false);
    (new TSkinBoxH(skinned.bar))->Init(&list, &skin, nullptr, true);
    (new TSkinSizer(&list))->Inithwnd(skinned.grip, &skin, nullptr, &list);
    bench::Pump();
    const HWND listHeader = skinned.list->HeaderWindow();
    auto pair = [](const char* name, HWND a, HWND b) {
        const bench::PairTimes t = bench::TimePairPerCall([&] { Redraw(a); }, [&] { Redraw(b); }, 300);
        bench::Report(std::string(name) + " paint, unskinned", t.a);
        bench::Report(std::string(name) + " paint, skinned", t.b);
        bench::Ratio(std::string(name) + " skinned / unskinned", t.b, t.a, 2.0);
    };
    pair("list view header", plain.list->HeaderWindow(), listHeader);
    pair("header control", plain.header->Handle(), skinned.header->Handle());
    // The skinned bar shows on the panel laid over the player.
    pair("media player (the panel over it)", plain.player->Handle(), mp->mp ? mp->mp->Handle() : nullptr);
    pair("tool bar", plain.bar->Handle(), skinned.bar->Handle());
    pair("size grip", plain.grip, skinned.grip);

    auto hover = [&](int i) {
        for (const HWND h : {listHeader, skinned.header->Handle()}) {
            SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(i % 2 ? 20 : 100, 5));
            SendMessageW(h, WM_MOUSELEAVE, 0, 0);
        }
    };
    hover(0);
    hover(1);  // each item lit once: its cell is composed before counting
    Redraw(skinnedForm->Handle(), RDW_ALLCHILDREN | RDW_FRAME);
    bench::Pump();
    const long gdiBefore = gdi::LiveHandles(), windowsBefore = bench::ThreadWindows();
    const long skinnersBefore = long(list.Controllist.size());
    for (int i = 0; i < 1000; ++i) {
        Redraw(skinnedForm->Handle(), RDW_ALLCHILDREN | RDW_FRAME);
        hover(i);
        if (i % 100 == 0) bench::Pump();
    }
    bench::Pump();
    bench::Growth("GDI objects over 1000 paints, 1000 header hovers", gdiBefore, gdi::LiveHandles());
    bench::Growth("windows over the same", windowsBefore, bench::ThreadWindows());
    bench::Growth("control skinners over the same", skinnersBefore, long(list.Controllist.size()));
}

}  // namespace

int main(int argc, char** argv) {
    Application->Initialize();
    TSkinData skin(nullptr);
    if (!bench::LoadBenchSkin(skin, argc, argv)) return 1;
    SkinnerList list;
    auto plainForm = MakeForm(20);
    auto skinnedForm = MakeForm(460);
    const Controls plain = AddControls(*plainForm);
    const Controls skinned = AddControls(*skinnedForm);
    auto* buttonSkinner = new TSkinButton(skinned.button);
    buttonSkinner->Init(&list, &skin, nullptr, true);
    auto* memoSkinner = new TSkinScrollbar(skinned.memo);
    memoSkinner->InitScrollbar(skinned.memo, &skin, nullptr, &list);
    bench::Pump();
    const HWND panel = memoSkinner->vb->Handle();

    const double buttonPlain = bench::TimePerCall([&] { Redraw(plain.button->Handle()); }, 500);
    const double buttonSkinned = bench::TimePerCall([&] { Redraw(skinned.button->Handle()); }, 500);
    bench::Report("push button paint, unskinned", buttonPlain);
    bench::Report("push button paint, skinned", buttonSkinned);
    bench::Ratio("push button skinned / unskinned", buttonSkinned, buttonPlain, 2.0);
    // The platform paints a window scroll bar with the memo's frame; the skin paints it on its panel.
    const double barPlain =
        bench::TimePerCall([&] { SendMessageW(plain.memo->Handle(), WM_NCPAINT, 1, 0); }, 500);
    const double barSkinned = bench::TimePerCall([&] { Redraw(panel); }, 500);
    bench::Report("memo scroll bar paint, unskinned (frame and bar)", barPlain);
    bench::Report("memo scroll bar paint, skinned (panel)", barSkinned);
    bench::Ratio("memo scroll bar skinned / unskinned", barSkinned, barPlain, 2.0);
    const double memoPlain = bench::TimePerCall([&] { Redraw(plain.memo->Handle(), RDW_FRAME); }, 200);
    const double memoSkinned = bench::TimePerCall(
        [&] {
            Redraw(skinned.memo->Handle(), RDW_FRAME);
            Redraw(panel);
        },
        200);
    bench::Report("whole memo repaint, unskinned", memoPlain);
    bench::Report("whole memo repaint, skinned (memo and panel)", memoSkinned);
    bench::Ratio("whole memo skinned / unskinned", memoSkinned, memoPlain, 2.0);

    Choices(skin, list);

    // One round of hovering first, so that whatever is made once is there before counting.
    auto hover = [&](int i) {
        const HWND b = skinned.button->Handle();
        SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        SendMessageW(b, WM_MOUSELEAVE, 0, 0);
        SendMessageW(panel, WM_MOUSEMOVE, 0, MAKELPARAM(5, i % 2 ? 5 : 60));
        SendMessageW(panel, WM_MOUSELEAVE, 0, 0);
        bench::Pump();
    };
    hover(0);
    const long gdiBefore = gdi::LiveHandles(), windowsBefore = bench::ThreadWindows();
    for (int i = 0; i < 5000; ++i) {
        Redraw(skinned.button->Handle());
        Redraw(panel);
    }
    for (int i = 0; i < 1000; ++i) hover(i);
    bench::Growth("GDI objects over 10000 control paints, 1000 hovers", gdiBefore, gdi::LiveHandles());
    bench::Growth("windows over the same", windowsBefore, bench::ThreadWindows());

    PictureButtonRows(skin, list, *plainForm, *skinnedForm);
    GalleryPageRows(skin);
    MeasureComboKinds(skin, list);
    MeasureHeaderKinds(skin, list);

    // The process's times come in clock ticks and may read a hair lower the second time: near zero either
    // way.
    const double cpu = HeldThumbCpu(skin, list, skinnedForm->Handle());
    const bool held = cpu > -0.5;  // -1: the drop-down list could not be set up
    std::printf("%-52s %12.3f s    (goal: near zero) %s\n", "CPU while a list's thumb is held for 1 s",
                std::max(cpu, 0.0), held && cpu < 0.1 ? "met" : "NOT MET");

    skinnedForm.reset();
    plainForm.reset();
    FreeSkinManager();
    return 0;
}
