// The caption buttons of a skinned window as data: whether one is shown and can be clicked, where it goes,
// which cell of its image it shows, and what a click does. The form skinner fills a ButtonContext from
// the window and calls these; the Win32 side only draws and posts.
#pragma once

#include "platform/types.h"

class TDataSkinSysButton;

// What the visibility codes look at.
struct ButtonContext {
    bool maximised = false;
    bool active = true;      // FWindowActive
    bool hasMin = false;     // FormIcons: sbiMin
    bool hasMax = false;     //            sbiMax
    bool hasHelp = false;    //            sbiHelp
    bool hasSystem = false;  //            sbisystem
    bool messageBox = false;
    bool dialogBorder = false;          // FormBorder sbsDialog
    bool mdiChildMaxInMenuBar = false;  // an MDI main form with a maximised child and a skinned menu bar
};

// The answers for one button; `asks` is set for codes 1000..2000, whose A condition the application gives
// (SM_BUTTONVISIBLE) and the caller then passes as `applicationSays`.
struct ButtonVisibility {
    bool visible = false;
    bool enabled = true;
};
bool AsksApplication(int visibility);
ButtonVisibility EvaluateButton(const TDataSkinSysButton& b, const ButtonContext& c,
                                bool applicationSays = false);

// Where a button of cell size (cw, ch) goes, in window coordinates.
struct ButtonPlaceInput {
    int fwidth = 0;  // window width
    TRect ctr;       // the caption text rectangle of the last layout
    TRect bw;        // frame widths
    int MenuHeight = 0;
    int menubarLeft = 0;  // the Menubar object's r.Left (0 without one)
};
TRect PlaceButton(const TDataSkinSysButton& b, int cw, int ch, const ButtonPlaceInput& in);

// The resting cell of a full caption paint (1, or 4 when inactive or disabled and the image has 4 cells),
// and the cell of a single button's own repaint in state 1 normal, 2 pressed, 3 hot.
int RestingCell(int frames, bool active, bool enabled);
int StateCell(int state, int frames, bool enabled, bool inMenuBar);

// What a click on a button does.
enum class ButtonClick {
    None,
    Close,
    Maximize,
    Minimize,
    SystemMenu,
    Help,
    MdiMinimize,
    MdiRestore,
    MdiClose,
    Application
};
ButtonClick ClickOf(int action);
// The hint text of a button ("" for none).
const wchar_t* ButtonHint(int action);
// Actions that show the window's icon instead of an image.
constexpr bool IsIconButton(int action) { return action == 3 || action == 11; }
