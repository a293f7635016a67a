// Which control skinner a control gets: for a framework control from its class name, the skin component's
// class-name map and the control's kind; for a bare child window of a dialog box from its window class and
// style. Pure decisions; the form skinner walks the controls and makes what these answer.
#pragma once

#include <string>
#include <string_view>

#include "skin/data/skin_options.h"

// The skinners a control can get.
enum class SkinnerKind {
    None,
    Button,       // TSkinButton
    CheckBox,     // TSkinCheckBox
    RadioButton,  // TSkinRadioButton
    ComboBox,     // TSkinComBox
    Edit,         // TSkinEdit
    Box,          // TSkinBox (panels, navigators, nested forms)
    BoxH,         // TSkinBoxH (dialogs inside dialogs, tool bars)
    GroupBox,     // TSkinGroupBox
    StatusBar,    // TSkinStatusBar
    Scrollbar,    // TSkinScrollbar
    ListView,     // TSkinListView (a list view's window scroll bars and its header)
    ScrollbarH,   // TSkinScrollbarH (window scroll bars of a bare window)
    ScControl,    // TSkinScControl (a scroll bar control)
    ComboList,    // TComboxScrollBar (the drop-down list of a combo box)
    Sizer,        // TSkinSizer (size grips)
    Tab,          // TSkinTab
    Tab31,        // TSkinTab31
    AdvPage,      // TSkinAdvPage
    Progress,     // TSkinProgress
    UpDown,       // TSkinUpDown
    TrackBar,     // TSkinTrackBar
    DateTime,     // TSkinDateTime
    MediaPlayer,  // TSkinMP
    BitButton,    // TSkinBitButton
    MenuButton,   // TSkinMenuButton
    SpeedButton,  // TSkinSpeedButton (a graphic control)
    ObjImage,     // TSkinObjImage (check boxes and radio buttons of other libraries)
    Header,       // TSkinHeader (header controls; a list view's header gets one from its skinner)
};

// What to do with one control. Children go through discovery before or after the control's own skinner.
struct SkinChoice {
    SkinnerKind skinner = SkinnerKind::None;
    bool recolour = false;           // the colour flag: the control takes the skin's button face
    int kind = 0;                    // the skinner's kind (ObjImage 1 check, 2 radio, 3 other; AdvPage 4 ...)
    bool hasButton = false;          // combo boxes of the extended kind
    const char* picField = nullptr;  // "PngImage" for picture buttons
    bool childrenFirst = false;      // skin the control's children before the control
    bool childrenAfter = false;      // skin the control's children after the control
    bool scrollChildren = false;     // the children with scroll bars get scroll bar skinners
    // Group children: each child of a radio or check group gets this skinner (None: no child skinners).
    SkinnerKind childSkinner = SkinnerKind::None;
    int childKind = 0;
    bool setTransparent = false;   // the control's "Transparent" property becomes True
    bool useHwnd = false;          // attach to the control's window (Inithwnd) rather than the control
    bool borderedOnly = false;     // an edit of the class-name map: skinned only when it has a border
    bool ownedComponents = false;  // an embedded form: its owned components go through discovery
    bool hwndChildren = false;     // the control's child windows go through the plain-window rows
    bool handled = false;          // the class-name map had the class: no fallback rows
};

// What discovery knows of a framework control.
struct FrameworkControl {
    std::string className;  // as the class reports it
    bool windowed = false;
    bool hasScrollBars = false;  // WS_HSCROLL or WS_VSCROLL, or a memo
    bool isGroupBox = false, isStatusBar = false, isPanel = false, isMemo = false, isButton = false,
         isEdit = false, isForm = false;
    // The framework's check boxes, radio buttons and their groups.
    bool isCheckBox = false, isRadioButton = false, isRadioGroup = false, isCheckGroup = false;
    bool isBitBtn = false, isMenuButton = false, isSpeedButton = false;  // glyph, menu and speed buttons
    int numButtons = -1;   // the "NumButtons" property (-1 when missing)
    std::string kindProp;  // the "Kind" enumeration property (empty when missing)
};

// The skinner of a framework control: the class-name map (LookupSkin3rd) first, then the fixed rows.
SkinChoice ChooseFrameworkSkinner(const FrameworkControl& c, const TStringList& Skin3rd,
                                  TSkinControlTypes controls, bool hasTabObject);

// A bare child window of a plain window (a dialog box), by its lower-cased class name and style.
struct HwndChoice {
    SkinnerKind skinner = SkinnerKind::None;
    bool childrenFirst = false;      // InitHwndControls of the window before its own skinner
    bool firstChild = false;         // attach to the window's first child (extended combo boxes)
    bool recolourFramework = false;  // the framework control of the window takes the button face
};
HwndChoice ChooseHwndSkinner(std::string_view lowerClass, unsigned style, TSkinControlTypes controls);
