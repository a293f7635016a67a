#include "skin/form/control_discovery.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr unsigned kSizeBox = 0x08;   // SBS_SIZEBOX
constexpr unsigned kSizeGrip = 0x10;  // SBS_SIZEGRIP

std::string Upper(std::string_view s) {
    std::string out(s);
    for (auto& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool Is(const std::string& upper, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), upper) != names.end();
}

SkinChoice Make(SkinnerKind k, bool recolour = false) {
    SkinChoice c;
    c.skinner = k;
    c.recolour = recolour;
    return c;
}

// A kind from the class-name map; the answer is handled whatever comes of it.
SkinChoice ByKind(const std::string& kind, const FrameworkControl& c, TSkinControlTypes x, bool hasTab) {
    const std::string upper = Upper(c.className);
    const bool trz = upper.find("TRZ") != std::string::npos;
    SkinChoice s;
    if (kind == "combobox" && x.Contains(xcCombo)) {
        s = Make(SkinnerKind::ComboBox);
    } else if (kind == "comboboxex" && x.Contains(xcCombo)) {
        s = Make(SkinnerKind::ComboBox);
        s.hasButton = true;
    } else if (kind == "edit" && x.Contains(xcEdit)) {
        s = Make(SkinnerKind::Edit);
        s.borderedOnly = true;  // the caller measures the control
    } else if (kind == "radiobutton" && x.Contains(xcRadioButton)) {
        s = Make(SkinnerKind::RadioButton);
    } else if (kind == "panel" && x.Contains(xcPanel)) {
        s = Make(SkinnerKind::Box, true);
        s.setTransparent = true;
    } else if (kind == "trackbar" && x.Contains(xcButton)) {
        s = Make(SkinnerKind::TrackBar);
        s.setTransparent = true;
    } else if (kind == "button" && x.Contains(xcButton)) {
        s = Make(SkinnerKind::Button);
    } else if (kind == "datetimepicker" && x.Contains(xcCombo)) {
        s = Make(SkinnerKind::DateTime);
    } else if (kind == "mediaplayer" && x.Contains(xcButton)) {
        s = Make(SkinnerKind::MediaPlayer);
    } else if (kind == "bitbtn" && x.Contains(xcButton)) {
        const bool dropDown = upper == "TCXBUTTON" && c.kindProp == "cxbkDropDownButton";
        s = Make(dropDown ? SkinnerKind::MenuButton : SkinnerKind::BitButton);
    } else if (kind == "pngbitbtn" && x.Contains(xcButton)) {
        s = Make(SkinnerKind::BitButton);
        s.picField = "PngImage";
    } else if (kind == "pngspeedbutton" && x.Contains(xcButton)) {
        s = Make(SkinnerKind::SpeedButton);
        s.picField = "PngImage";
    } else if (kind == "menubtn" && x.Contains(xcButton)) {
        s = Make(SkinnerKind::MenuButton);
    } else if (kind == "speedbutton" && x.Contains(xcSpeedButton)) {
        s = Make(SkinnerKind::SpeedButton);
    } else if (kind == "tab" && x.Contains(xcTab) && hasTab) {
        s = Make(SkinnerKind::Tab);
    } else if (kind == "progress" && x.Contains(xcProgress)) {
        s = Make(SkinnerKind::Progress);
    } else if (kind == "scrollbar" && x.Contains(xcScrollbar)) {
        s = Make(SkinnerKind::Scrollbar);
        s.childrenAfter = true;
    } else if (kind == "singlescrollbar" && x.Contains(xcScrollbar)) {
        s = Make(SkinnerKind::Scrollbar);
        s.kind = 1;
    } else if (kind == "embedscrollbar" && x.Contains(xcScrollbar)) {
        s.scrollChildren = true;
    } else if (kind == "container") {
        s.childrenAfter = true;
    } else if (kind == "groupbox" && x.Contains(xcGroupBox)) {
        s = Make(SkinnerKind::GroupBox, true);
    } else if (kind == "advpagecontrol" && x.Contains(xcTab)) {
        s = Make(SkinnerKind::AdvPage, true);
        s.kind = 4;
    } else if (kind == "radiogroup" && x.Contains(xcGroupBox)) {
        s = Make(SkinnerKind::GroupBox, true);
        if (x.Contains(xcRadioButton)) {
            s.childSkinner = trz ? SkinnerKind::ObjImage : SkinnerKind::RadioButton;
            s.childKind = trz ? 2 : 0;
        }
    } else if (kind == "checkgroup" && x.Contains(xcPanel)) {
        if (x.Contains(xcGroupBox)) s = Make(SkinnerKind::GroupBox, true);
        if (x.Contains(xcRadioButton)) {
            s.childSkinner = trz ? SkinnerKind::ObjImage : SkinnerKind::CheckBox;
            s.childKind = trz ? 1 : 0;
        }
    } else if (kind == "checkbox" && x.Contains(xcCheckBox)) {
        s = Make(SkinnerKind::CheckBox);
    }
    s.handled = true;
    return s;
}

}  // namespace

SkinChoice ChooseFrameworkSkinner(const FrameworkControl& c, const TStringList& Skin3rd, TSkinControlTypes x,
                                  bool hasTab) {
    const std::string kind = LookupSkin3rd(Skin3rd, c.className);
    if (kind == "nil") {
        SkinChoice s;
        s.handled = true;
        return s;
    }
    if (!kind.empty()) return ByKind(kind, c, x, hasTab);

    const std::string u = Upper(c.className);
    if (Is(u, {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"})) return {};
    auto when = [&](bool flag, SkinChoice s) { return flag ? s : SkinChoice{}; };
    if (u == "TTABSET") return when(x.Contains(xcTab) && hasTab, Make(SkinnerKind::Tab31));
    if (u == "TTABBEDNOTEBOOK") return when(x.Contains(xcTab) && hasTab, Make(SkinnerKind::Tab));
    if (u == "TMVCPANEL") {
        SkinChoice s;
        s.childrenAfter = true;
        return s;
    }
    if (Is(u, {"TUPDOWN", "TSPINBUTTON"})) return when(x.Contains(xcSpin), Make(SkinnerKind::UpDown));
    if (u == "TMEDIAPLAYER") return when(x.Contains(xcButton), Make(SkinnerKind::MediaPlayer));
    if (u == "TDBNAVIGATOR") {
        SkinChoice s = Make(SkinnerKind::Box, true);
        s.childrenAfter = true;
        return when(x.Contains(xcPanel), s);
    }
    if (Is(u, {"TRZDBCHECKBOX", "TRZCHECKBOX"}) || Is(u, {"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}) ||
        Is(u, {"TCXDBCHECKBOX", "TCXCHECKBOX"})) {
        const bool radio = Is(u, {"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"});
        SkinChoice s = Make(SkinnerKind::ObjImage, true);
        s.kind = radio ? 2 : u.rfind("TCX", 0) == 0 ? 3 : 1;
        return when(x.Contains(radio ? xcRadioButton : xcCheckBox), s);
    }
    // The framework's own groups of radio buttons and check boxes are skinned as the map's kinds of the
    // same names would skin them (before the group box row, which would take them as plain group boxes).
    if (c.isRadioGroup || c.isCheckGroup) {
        SkinChoice s = ByKind(c.isRadioGroup ? "radiogroup" : "checkgroup", c, x, hasTab);
        s.handled = false;
        return s;
    }
    if (c.isCheckBox && x.Contains(xcCheckBox)) return Make(SkinnerKind::CheckBox);
    if (c.isRadioButton && x.Contains(xcRadioButton)) return Make(SkinnerKind::RadioButton);
    // Rows that test a flag and fail go on to the next row.
    if (c.isGroupBox && x.Contains(xcPanel)) {
        SkinChoice s = Make(SkinnerKind::GroupBox);
        s.childrenFirst = true;
        return s;
    }
    if (c.isStatusBar && x.Contains(xcStatusBar)) return Make(SkinnerKind::StatusBar);
    if (u == "TTNTCOMBOBOX" && x.Contains(xcCombo)) return Make(SkinnerKind::ComboBox);
    // The framework's own combo boxes and date pickers, told by class before the rows that look at window
    // styles (a combo box has a scroll bar style). A time picker steps its fields with an up-down control
    // and has no drop-down button to cover.
    // The decision ends at these rows whether xcCombo is set or not.
    if (Is(u, {"TCOMBOBOX", "TCOMBOBOXEX"})) return when(x.Contains(xcCombo), Make(SkinnerKind::ComboBox));
    if (u == "TDATETIMEPICKER")
        return when(x.Contains(xcCombo) && c.kindProp == "dtkDate", Make(SkinnerKind::DateTime));
    if (Is(u, {"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"}) && x.Contains(xcScrollbar))
        return Make(SkinnerKind::Scrollbar);
    if (c.isPanel && x.Contains(xcPanel)) {
        SkinChoice s = Make(SkinnerKind::Box, true);
        s.childrenFirst = true;
        return s;
    }
    if (Is(u, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && x.Contains(xcScrollbar))
        return Make(SkinnerKind::Scrollbar);
    if (c.isMemo && x.Contains(xcScrollbar)) return Make(SkinnerKind::Scrollbar);
    // Scroll bar controls and list views are told by class before the rows that look at window styles.
    if (u == "TSCROLLBAR" && x.Contains(xcScrollbar)) return Make(SkinnerKind::ScControl);
    if (u == "TLISTVIEW" && x.Contains(xcScrollbar)) return Make(SkinnerKind::ListView);
    // The framework's header controls, tool bars and child dialogs, as their standard windows are skinned
    // in a dialog box: a child dialog's own windows are raw ones, skinned by the plain-window rows.
    if (u == "THEADERCONTROL") return Make(SkinnerKind::Header);
    if (u == "TTOOLBAR") return Make(SkinnerKind::BoxH, true);
    if (u == "TCHILDDIALOG") {
        SkinChoice s;
        s.hwndChildren = true;
        return s;
    }
    if (c.windowed && c.hasScrollBars && x.Contains(xcScrollbar)) return Make(SkinnerKind::Scrollbar);
    // Buttons with a picture before the push button they derive from. Without their flag they keep their
    // own look: a push button's skinner would paint their caption alone.
    if (c.isMenuButton) return when(x.Contains(xcButton), Make(SkinnerKind::MenuButton));
    if (c.isBitBtn) return when(x.Contains(xcBitBtn), Make(SkinnerKind::BitButton));
    if (c.isSpeedButton) return when(x.Contains(xcSpeedButton), Make(SkinnerKind::SpeedButton));
    if (c.isButton && x.Contains(xcButton)) return Make(SkinnerKind::Button);
    if (c.isEdit && x.Contains(xcEdit)) return Make(SkinnerKind::Edit);
    if (Is(u, {"TDCEDIT", "TDCDBEDIT"})) {
        if (c.numButtons == 1) return when(x.Contains(xcCombo), Make(SkinnerKind::ComboBox));
        SkinChoice s = Make(SkinnerKind::Edit);
        s.useHwnd = true;
        return c.numButtons == 0 ? when(x.Contains(xcEdit), s) : SkinChoice{};
    }
    if (c.isForm) {
        SkinChoice s = Make(SkinnerKind::Box, true);
        s.ownedComponents = true;
        return s;
    }
    return {};
}

HwndChoice ChooseHwndSkinner(std::string_view cls, unsigned style, TSkinControlTypes x) {
    HwndChoice h;
    auto make = [](SkinnerKind k) {
        HwndChoice c;
        c.skinner = k;
        return c;
    };
    if (cls == "button" && (style & 0xB) != 0xB) {
        if ((style & 7) == 7 || (style & 0x80) == 0x80)
            return h;  // group boxes (BS_GROUPBOX), pictures (BS_BITMAP)
        if ((style & 3) == 3 || (style & 2) == 2 || (style & 5) == 5)
            return x.Contains(xcCheckBox) ? make(SkinnerKind::CheckBox) : h;
        if ((style & 9) == 9 || (style & 4) == 4)
            return x.Contains(xcRadioButton) ? make(SkinnerKind::RadioButton) : h;
        return x.Contains(xcButton) ? make(SkinnerKind::Button) : h;
    }
    if (cls == "combobox" && x.Contains(xcCombo)) return (style & 3) == 1 ? h : make(SkinnerKind::ComboBox);
    if (cls == "comboboxex32" && x.Contains(xcCombo)) {
        HwndChoice c = make(SkinnerKind::ComboBox);
        c.firstChild = true;
        return c;
    }
    // A size grip is told by its style, not by a missing tab stop (a dialog's scroll bar has none either);
    // a plain size box keeps its look, and every other scroll bar control gets the scroll bar skinner.
    if (cls == "scrollbar") {
        if (style & kSizeGrip) return make(SkinnerKind::Sizer);
        if (style & kSizeBox) return h;
        if (x.Contains(xcScrollbar)) return make(SkinnerKind::ScControl);
        return h;
    }
    if (cls == "systreeview32") return h;
    if (cls == "sysheader32") return make(SkinnerKind::Header);
    if (cls == "#32770" && !(style & 0x10000)) {
        HwndChoice c = make(SkinnerKind::BoxH);
        c.childrenFirst = true;
        return c;
    }
    if (cls == "tpanel" || cls == "ttntpanel.unicodeclass" || cls == "ttntsilentpaintpanel.unicodeclass") {
        h.childrenFirst = true;
        h.recolourFramework = true;
        return h;
    }
    if (cls == "tcheckbox" && x.Contains(xcCheckBox)) return make(SkinnerKind::CheckBox);
    if (cls == "tcombobox" && x.Contains(xcCombo)) return make(SkinnerKind::ComboBox);
    if (cls == "tbutton" && x.Contains(xcButton)) return make(SkinnerKind::Button);
    if (cls == "tprogressbar") return make(SkinnerKind::Progress);
    if (cls == "tsilentpaintpanel") {
        h.recolourFramework = true;
        return h;
    }
    if (cls == "systabcontrol32" && x.Contains(xcTab) && (style & 0x2000) != 0x2000)
        return make(SkinnerKind::Tab);
    if (cls == "toolbarwindow32") return make(SkinnerKind::BoxH);
    if (cls == "edit" && x.Contains(xcEdit)) return make(SkinnerKind::Edit);
    return h;
}
