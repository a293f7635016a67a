#include "skin/form/caption_buttons.h"

#include "skin/data/skin_object.h"

namespace {

// One of the two conditions of a visibility code; `second` picks the Visibility1 column.
bool Condition(int code, const ButtonContext& c, bool second, bool applicationSays) {
    const bool minOrMax = c.hasMin || c.hasMax;
    switch (code) {
    case 0: return true;
    case 1: return c.maximised;
    case 2: return !c.maximised;
    case 3: return c.active;
    case 4: return !c.active;
    case 6:
    case 8: return second ? minOrMax : minOrMax && c.hasSystem;
    case 7: return !c.hasMax;
    case 9: return !c.hasMin;
    case 10: return second ? c.hasHelp : c.hasHelp && !minOrMax;
    case 100: return c.mdiChildMaxInMenuBar;
    case 200: return !c.messageBox && c.dialogBorder;
    default: break;
    }
    if (code >= 201 && code <= 999) return true;
    if (AsksApplication(code)) return second || applicationSays;
    return false;  // -1, 5 and unknown codes
}

}  // namespace

bool AsksApplication(int visibility) { return visibility >= 1000 && visibility <= 2000; }

ButtonVisibility EvaluateButton(const TDataSkinSysButton& b, const ButtonContext& c, bool applicationSays) {
    ButtonVisibility v;
    v.visible =
        Condition(b.Visibility, c, false, applicationSays) && Condition(b.Visibility1, c, true, false);
    switch (b.Action) {
    case 0: v.visible = v.visible && c.hasSystem; break;
    case 1: v.enabled = c.hasMax && c.hasSystem; break;
    case 2: v.enabled = c.hasMin && c.hasSystem; break;
    case 3:
    case 11:
    case 12: v.visible = v.visible && !c.dialogBorder; break;
    default: break;
    }
    return v;
}

TRect PlaceButton(const TDataSkinSysButton& b, int cw, int ch, const ButtonPlaceInput& in) {
    int left = 0, top = 0;
    switch (b.Align) {
    case 0: left = b.XCoord, top = b.YCoord; break;
    case 1: left = in.fwidth - b.XCoord, top = b.YCoord; break;
    case 2:
    case 8: left = in.ctr.Left - cw - b.XCoord, top = b.YCoord; break;
    case 3:
    case 9: left = in.ctr.Right + b.XCoord, top = b.YCoord; break;
    case 100:
        left = in.fwidth - b.XCoord - in.bw.Right - in.menubarLeft;
        top = in.bw.Top + (in.MenuHeight - ch) / 2;
        break;
    default: break;
    }
    return {left, top, left + cw, top + ch};
}

int RestingCell(int frames, bool active, bool enabled) {
    if (frames < 4) return 1;
    return !active || !enabled ? 4 : 1;
}

int StateCell(int state, int frames, bool enabled, bool inMenuBar) {
    int cell = state < 1 ? 1 : state;
    if (!enabled) cell = frames < 4 ? 1 : 4;
    if (inMenuBar && cell == 3) cell = 4;  // the menu bar's MDI buttons show cell 4 as their hot look
    return cell;
}

ButtonClick ClickOf(int action) {
    switch (action) {
    case 0: return ButtonClick::Close;
    case 1:
    case 22: return ButtonClick::Maximize;
    case 2:
    case 23: return ButtonClick::Minimize;
    case 3:
    case 11:
    case 12: return ButtonClick::SystemMenu;
    case 4: return ButtonClick::Help;
    case 7:
    case 60: return ButtonClick::MdiMinimize;
    case 8:
    case 61: return ButtonClick::MdiRestore;
    case 9:
    case 62: return ButtonClick::MdiClose;
    default: return action < 0 ? ButtonClick::None : ButtonClick::Application;
    }
}

const wchar_t* ButtonHint(int action) {
    switch (ClickOf(action)) {
    case ButtonClick::Close:
    case ButtonClick::MdiClose: return L"Close";
    case ButtonClick::Maximize: return L"Maximize";
    case ButtonClick::Minimize:
    case ButtonClick::MdiMinimize: return L"Minimize";
    case ButtonClick::MdiRestore: return L"Restore";
    default: return L"";
    }
}
