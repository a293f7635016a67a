// Control discovery on a skinned window: the framework form's owned components and tab order, or a dialog
// box's child windows, each control getting the skinner its kind asks for.
#include <cctype>
#include <memory>

#include "platform/props.h"
#include "platform/string_list.h"  // AsciiLower
#include "platform/win/bit_btn.h"
#include "platform/win/choice_groups.h"
#include "platform/win/forms.h"
#include "platform/win/menu_button.h"
#include "platform/win/speed_button.h"
#include "platform/win/status_bar.h"
#include "platform/win/std_controls.h"
#include "skin/controls/win/combox_scroll_bar.h"
#include "skin/controls/win/skin_backgrounds.h"
#include "skin/controls/win/skin_boxes.h"
#include "skin/controls/win/skin_button.h"
#include "skin/controls/win/skin_check_box.h"
#include "skin/controls/win/skin_combo_box.h"
#include "skin/controls/win/skin_date_time.h"
#include "skin/controls/win/skin_edit.h"
#include "skin/controls/win/skin_glyph_buttons.h"
#include "skin/controls/win/skin_header.h"
#include "skin/controls/win/skin_media_player.h"
#include "skin/controls/win/skin_obj_image.h"
#include "skin/controls/win/skin_scrollbar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/form/control_discovery.h"
#include "skin/form/win/control_discovery_win.h"
#include "skin/form/win/win_skin_form.h"

namespace {

// The skinners this engine has so far; the other kinds are left to the control's own look.
std::unique_ptr<TSkinControl> MakeSkinner(SkinnerKind kind, TComponent* owner) {
    switch (kind) {
    case SkinnerKind::Button: return std::make_unique<TSkinButton>(owner);
    case SkinnerKind::CheckBox: return std::make_unique<TSkinCheckBox>(owner);
    case SkinnerKind::RadioButton: return std::make_unique<TSkinRadioButton>(owner);
    case SkinnerKind::GroupBox: return std::make_unique<TSkinGroupBox>(owner);
    case SkinnerKind::Box: return std::make_unique<TSkinBox>(owner);
    case SkinnerKind::StatusBar: return std::make_unique<TSkinStatusBar>(owner);
    case SkinnerKind::Edit: return std::make_unique<TSkinEdit>(owner);
    case SkinnerKind::Scrollbar: return std::make_unique<TSkinScrollbar>(owner);
    case SkinnerKind::ListView: return std::make_unique<TSkinListView>(owner);
    case SkinnerKind::ScrollbarH: return std::make_unique<TSkinScrollbarH>(owner);
    case SkinnerKind::ScControl: return std::make_unique<TSkinScControl>(owner);
    case SkinnerKind::ComboList: return std::make_unique<TComboxScrollBar>(owner);
    case SkinnerKind::BitButton: return std::make_unique<TSkinBitButton>(owner);
    case SkinnerKind::MenuButton: return std::make_unique<TSkinMenuButton>(owner);
    case SkinnerKind::SpeedButton: return std::make_unique<TSkinSpeedButton>(owner);
    case SkinnerKind::ComboBox: return std::make_unique<TSkinComBox>(owner);
    case SkinnerKind::DateTime: return std::make_unique<TSkinDateTime>(owner);
    case SkinnerKind::Header: return std::make_unique<TSkinHeader>(owner);
    case SkinnerKind::MediaPlayer: return std::make_unique<TSkinMP>(owner);
    case SkinnerKind::Sizer: return std::make_unique<TSkinSizer>(owner);
    case SkinnerKind::BoxH: return std::make_unique<TSkinBoxH>(owner);
    case SkinnerKind::ObjImage: return std::make_unique<TSkinObjImage>(owner);
    default: return nullptr;
    }
}

// A combo box of the extended kind draws its button as a separate window (told after Init).
void MarkSeparateButton(const std::vector<TSkinControl*>& skinners, TControl* control) {
    for (TSkinControl* c : skinners)
        if (auto* combo = dynamic_cast<TSkinComBox*>(c); combo && combo->control == control)
            combo->HasButton = true;
}

}  // namespace

FrameworkControl DescribeControl(TControl* control) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    FrameworkControl info;
    info.className = control->ClassName();
    info.windowed = windowed != nullptr;
    info.isGroupBox = dynamic_cast<TCustomGroupBox*>(control) != nullptr;
    info.isStatusBar = dynamic_cast<TCustomStatusBar*>(control) != nullptr;
    info.isPanel = dynamic_cast<TCustomPanel*>(control) != nullptr;
    info.isMemo = dynamic_cast<TCustomMemo*>(control) != nullptr;
    info.isButton = dynamic_cast<TButton*>(control) != nullptr;
    info.isEdit = dynamic_cast<TCustomEdit*>(control) != nullptr;
    info.isForm = dynamic_cast<TCustomForm*>(control) != nullptr;
    info.isCheckBox = dynamic_cast<TCustomCheckBox*>(control) != nullptr;
    info.isRadioButton = dynamic_cast<TRadioButton*>(control) != nullptr;
    info.isRadioGroup = dynamic_cast<TCustomRadioGroup*>(control) != nullptr;
    info.isCheckGroup = dynamic_cast<TCheckGroup*>(control) != nullptr;
    info.isBitBtn = dynamic_cast<TBitBtn*>(control) != nullptr;
    info.isMenuButton = dynamic_cast<TMenuButton*>(control) != nullptr;
    info.isSpeedButton = dynamic_cast<TSpeedButton*>(control) != nullptr;
    if (windowed && windowed->HandleAllocated()) {
        const DWORD style = DWORD(GetWindowLongW(windowed->Handle(), GWL_STYLE));
        info.hasScrollBars = (style & (WS_HSCROLL | WS_VSCROLL)) != 0 || dynamic_cast<TMemo*>(control);
    }
    info.numButtons = int(GetOrdPropByName(control, "NumButtons"));
    info.kindProp = GetEnumPropByName(control, "Kind");
    return info;
}

bool HasSkinnerFor(SkinnerKind kind) { return MakeSkinner(kind, nullptr) != nullptr; }

bool TWinSkinForm::AddControlList(TSkinControl* acontrol) {
    if (Contains(acontrol)) return true;
    Add(acontrol);
    return false;
}

void TWinSkinForm::DeleteControl(TSkinControl* c) { Remove(c); }

void TWinSkinForm::PurgeDeadControls() {
    for (std::size_t i = Controllist.size(); i-- > 0;) {
        TSkinControl* c = Controllist[i];
        if (c->skinstate != TSkinControl::kWindowGone) continue;
        Remove(c);
        TSkinControl::Free(c);
    }
}

TSkinControl* TWinSkinForm::FindControlSkinner(HWND ahwnd) const {
    for (TSkinControl* c : Controllist)
        if (c->hwnd == ahwnd) return c;
    return nullptr;
}

// ---- Framework forms

void TWinSkinForm::InitControls(TWinControl* wForm) {
    if (!wForm) return;
    PurgeDeadControls();
    SkinOwnedComponents(wForm);
    // Windowed controls the form does not own (made at run time, or owned elsewhere) come by tab order.
    std::vector<TWinControl*> tabOrder;
    wForm->GetTabOrderList(tabOrder);
    for (TWinControl* c : tabOrder)
        if (!SkipControl(c)) AddComp(c, wForm);
}

void TWinSkinForm::InitNestform(TWinControl* wForm) {
    PurgeDeadControls();
    Attach(wForm, int(SkinnerKind::Box), true, 0);
    SkinOwnedComponents(wForm);
}

void TWinSkinForm::SkinOwnedComponents(TWinControl* wForm) {
    for (TComponent* c : std::vector<TComponent*>(wForm->ComponentList()))
        if (auto* control = dynamic_cast<TControl*>(c)) AddComp(control, wForm);
}

void TWinSkinForm::SkinChildControls(TWinControl* control) {
    for (int i = 0; i < control->ControlCount(); ++i) AddComp(control->Controls(i), control);
}

bool TWinSkinForm::SkipControl(TWinControl* control) const {
    return !control->HandleAllocated() || control->Tag() == fsd->DisableTag() ||
           SendMessageW(control->Handle(), SM_ISSKINNED, 0, 0) == 1;
}

bool TWinSkinForm::IsControlSkinned(TControl* control) const {
    if (control->Perform(SM_ISSKINNED) == 1) return true;
    for (TSkinControl* c : Controllist)
        if (c->control == control || (c->GControl && c->GControl == control)) return true;
    return false;
}

void TWinSkinForm::DisableGroupChildren(TControl* control) {
    auto* group = dynamic_cast<TWinControl*>(control);
    if (!group) return;
    const std::string name = AsciiLower(control->ClassName());
    if (name.find("radiogroup") == std::string::npos && name.find("checkgroup") == std::string::npos) return;
    for (int i = 0; i < group->ControlCount(); ++i) group->Controls(i)->SetTag(fsd->DisableTag());
}

void TWinSkinForm::AddComp(TControl* Comp, TWinControl* wForm) {
    if (Comp->Tag() == fsd->DisableTag()) {
        DisableGroupChildren(Comp);
        return;
    }
    if (!Comp->Parent() || IsControlSkinned(Comp)) return;
    auto* windowed = dynamic_cast<TWinControl*>(Comp);
    if (windowed) {
        try {
            windowed->HandleNeeded();
        } catch (...) {
            return;  // a control whose window cannot be made stays as it is
        }
    }
    const std::string className = Comp->ClassName();
    if (fsd->OnSkinControl) {
        TComponent* made = nullptr;
        fsd->OnSkinControl(this, fsd, wForm, Comp, className, made);
        if (made) {
            auto* skinner = dynamic_cast<TSkinControl*>(made);
            if (skinner && !AddControlList(skinner))
                skinner->Init(this, fsd, fcanvas2.get(), skinner->newColor);
            if (auto* panel = dynamic_cast<TCustomPanel*>(Comp)) SkinChildControls(panel);
            return;
        }
    }

    const FrameworkControl info = DescribeControl(Comp);
    const SkinChoice choice =
        ChooseFrameworkSkinner(info, fsd->Skin3rd(), fsd->SkinControls(), fsd->tab != nullptr);

    if (choice.setTransparent) SetPropByName(Comp, "Transparent", std::string_view("True"));
    if (choice.childrenFirst && windowed) SkinChildControls(windowed);
    if (windowed && choice.childSkinner != SkinnerKind::None)
        for (int i = 0; i < windowed->ControlCount(); ++i)
            Attach(windowed->Controls(i), int(choice.childSkinner), true, choice.childKind);
    if (choice.scrollChildren && windowed)
        for (int i = 0; i < windowed->ControlCount(); ++i)
            if (auto* child = dynamic_cast<TWinControl*>(windowed->Controls(i)))
                if ((DWORD(GetWindowLongW(child->Handle(), GWL_STYLE)) & (WS_HSCROLL | WS_VSCROLL)) ||
                    dynamic_cast<TMemo*>(child))
                    Attach(child, int(SkinnerKind::Scrollbar), false, 0);
    if (choice.borderedOnly && windowed) {
        // A bordered edit only: its window and client rectangles differ.
        RECT w, c;
        GetWindowRect(windowed->Handle(), &w);
        GetClientRect(windowed->Handle(), &c);
        if (w.right - w.left != c.right || w.bottom - w.top != c.bottom) Attach(Comp, choice);
    } else if (choice.skinner != SkinnerKind::None) {
        Attach(Comp, choice);
        if (choice.hasButton) MarkSeparateButton(Controllist, Comp);
    }
    if (choice.childrenAfter && windowed) {
        for (int i = 0; i < windowed->ControlCount(); ++i)
            AddComp(windowed->Controls(i), choice.skinner == SkinnerKind::Box ? nullptr : windowed);
    }
    if (choice.ownedComponents && windowed) SkinOwnedComponents(windowed);
    if (choice.hwndChildren && windowed) InitHwndControls(windowed->Handle());
}

bool TWinSkinForm::Attach(TControl* control, int skinnerKind, bool recolour, int kind) {
    SkinChoice choice;
    choice.skinner = SkinnerKind(skinnerKind);
    choice.recolour = recolour;
    choice.kind = kind;
    return Attach(control, choice);
}

bool TWinSkinForm::Attach(TControl* control, const SkinChoice& choice) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (choice.useHwnd) {
        // The control's window as a bare window: the skinner is this form skinner's.
        if (!windowed) return false;
        auto skinner = MakeSkinner(choice.skinner, this);
        if (!skinner) return false;
        skinner.release()->Inithwnd(windowed->Handle(), fsd, fcanvas2.get(), this);
        return true;
    }
    auto skinner = MakeSkinner(choice.skinner, control);
    if (!skinner) return false;
    skinner->kind = choice.kind;
    if (auto* picture = dynamic_cast<TSkinBitButton*>(skinner.get()); picture && choice.picField)
        picture->PicField = choice.picField;
    TSkinControl* s = skinner.release();  // owned by the control from here
    const bool recolour = choice.recolour;
    if (auto* speed = dynamic_cast<TSkinSpeedButton*>(s)) {
        speed->InitGraphicControl(this, fsd, fcanvas2.get());  // windowless: no window to attach to
    } else if (auto* bars = dynamic_cast<TSkinScrollbar*>(s); bars && windowed) {
        bars->InitScrollbar(windowed, fsd, fcanvas2.get(), this);
    } else if (auto* bar = dynamic_cast<TSkinScControl*>(s); bar && windowed) {
        bar->InitScrollbar(windowed, fsd, fcanvas2.get(), this);
    } else {
        s->Init(this, fsd, fcanvas2.get(), recolour);
    }
    if (!s->Inited) {
        delete s;
        return false;
    }
    return true;
}

// ---- Plain windows

void TWinSkinForm::InitHwndControls(HWND ahwnd) {
    for (HWND child = GetTopWindow(ahwnd); child; child = GetWindow(child, GW_HWNDNEXT))
        if (DWORD(GetWindowLongW(child, GWL_STYLE)) & WS_CHILD) AddControlh(child);
}

void TWinSkinForm::AddControlh(HWND ahwnd) {
    if (!ahwnd || FindControlSkinner(ahwnd)) return;
    const DWORD style = DWORD(GetWindowLongW(ahwnd, GWL_STYLE));
    const HwndChoice choice = ChooseHwndSkinner(LowerClassName(ahwnd), style, fsd->SkinControls());
    if (choice.childrenFirst) InitHwndControls(ahwnd);
    if (choice.recolourFramework)
        if (auto* c = dynamic_cast<TControl*>(ControlOfWindow(ahwnd)))
            c->SetColor(fsd->Colors[scheme::kButtonFace]);
    const HWND target = choice.firstChild ? GetWindow(ahwnd, GW_CHILD) : ahwnd;
    if (!target) return;
    auto skinner = MakeSkinner(choice.skinner, this);
    if (!skinner) return;
    skinner.release()->Inithwnd(target, fsd, fcanvas2.get(), this);  // owned by this form skinner
}

void TWinSkinForm::ResetScrollbar(HWND ahwnd) {
    for (std::size_t i = Controllist.size(); i-- > 0;) {
        TSkinControl* old = Controllist[i];
        if (old->hwnd != ahwnd) continue;
        // The control and the skinner's family are read before the skinner goes: the new skinner is made
        // for the same control.
        TWinControl* control = old->control;
        const SkinnerKind family =
            dynamic_cast<TSkinListView*>(old) ? SkinnerKind::ListView : SkinnerKind::Scrollbar;
        Remove(old);
        TSkinControl::Free(old);
        if (control) Attach(control, int(family), false, 0);
        return;
    }
}
