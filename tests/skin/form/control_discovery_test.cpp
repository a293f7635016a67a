// Which skinner each control gets: the timing window's controls, the class-name map (its "nil" kind, its
// lower-casing, flags that must be set), the fallback rows, and the bare windows of dialog boxes.
#include "skin/form/control_discovery.h"

#include <gtest/gtest.h>

namespace {

TSkinControlTypes TimingWindowControls() {
    return {xcButton, xcEdit, xcScrollbar, xcPanel, xcGroupBox, xcStatusBar};
}

FrameworkControl Control(std::string className) {
    FrameworkControl c;
    c.className = std::move(className);
    c.windowed = true;
    return c;
}

TEST(ControlDiscovery, TheTimingWindowsControls) {
    TStringList map;
    FillDefaultSkin3rd(map);
    const TSkinControlTypes x = TimingWindowControls();
    auto choose = [&](FrameworkControl c) { return ChooseFrameworkSkinner(c, map, x, false); };

    FrameworkControl button = Control("TButton");
    button.isButton = true;
    EXPECT_EQ(choose(button).skinner, SkinnerKind::Button);

    FrameworkControl group = Control("TGroupBox");
    group.isGroupBox = true;
    const SkinChoice g = choose(group);
    EXPECT_EQ(g.skinner, SkinnerKind::GroupBox);
    EXPECT_TRUE(g.childrenFirst);  // the label and buttons inside first

    FrameworkControl memo = Control("TMemo");
    memo.isMemo = memo.isEdit = memo.hasScrollBars = true;
    EXPECT_EQ(choose(memo).skinner, SkinnerKind::Scrollbar);  // memos before edits

    FrameworkControl edit = Control("TEdit");
    edit.isEdit = true;
    EXPECT_EQ(choose(edit).skinner, SkinnerKind::Edit);

    FrameworkControl bar = Control("TStatusBar");
    bar.isStatusBar = true;
    EXPECT_EQ(choose(bar).skinner, SkinnerKind::StatusBar);

    FrameworkControl label = Control("TLabel");
    label.windowed = false;
    EXPECT_EQ(choose(label).skinner, SkinnerKind::None);
    EXPECT_FALSE(choose(label).handled);
}

TEST(ControlDiscovery, TheClassNameMapComesFirst) {
    TStringList map;
    map.Add("TMyButton=nil");
    map.Add("TRzCheckGroup=CheckGroup");
    map.Add("TFancyTrack=TrackBar");
    map.Add("TRzRadioGroup=RadioGroup");
    map.Add("TNoKind");
    FrameworkControl c = Control("TMyButton");
    c.isButton = true;  // a fallback row would skin it; "nil" wins
    SkinChoice s = ChooseFrameworkSkinner(c, map, TimingWindowControls(), false);
    EXPECT_EQ(s.skinner, SkinnerKind::None);
    EXPECT_TRUE(s.handled);

    // Map lines are lower-cased before use; the check group asks for the radio-button flag of its children.
    const TSkinControlTypes withRadio = TimingWindowControls() | TSkinControlTypes{xcRadioButton};
    s = ChooseFrameworkSkinner(Control("TRzCheckGroup"), map, withRadio, false);
    EXPECT_EQ(s.skinner, SkinnerKind::GroupBox);
    EXPECT_EQ(s.childSkinner, SkinnerKind::ObjImage);  // "TRZ" in the class: the library's own boxes
    EXPECT_EQ(s.childKind, 1);
    s = ChooseFrameworkSkinner(Control("TRzRadioGroup"), map, withRadio, false);
    EXPECT_EQ(s.childKind, 2);

    // A track bar needs the button flag, not the track-bar flag.
    s = ChooseFrameworkSkinner(Control("TFancyTrack"), map, {xcTrackBar}, false);
    EXPECT_EQ(s.skinner, SkinnerKind::None);
    EXPECT_TRUE(s.handled);
    s = ChooseFrameworkSkinner(Control("TFancyTrack"), map, {xcButton}, false);
    EXPECT_EQ(s.skinner, SkinnerKind::TrackBar);
    EXPECT_TRUE(s.setTransparent);

    // A row without "=" after the class does not match.
    EXPECT_FALSE(ChooseFrameworkSkinner(Control("TNoKind"), map, {xcButton}, false).handled);
}

TEST(ControlDiscovery, FallbackRowsAndTheirFlags) {
    TStringList none;
    FrameworkControl tabs = Control("TTabSet");
    EXPECT_EQ(ChooseFrameworkSkinner(tabs, none, {xcTab}, true).skinner, SkinnerKind::Tab31);
    EXPECT_EQ(ChooseFrameworkSkinner(tabs, none, {xcTab}, false).skinner, SkinnerKind::None);  // no tab image
    FrameworkControl panel = Control("TPanel");
    panel.isPanel = true;
    SkinChoice s = ChooseFrameworkSkinner(panel, none, {xcPanel}, false);
    EXPECT_EQ(s.skinner, SkinnerKind::Box);
    EXPECT_TRUE(s.recolour);
    EXPECT_TRUE(s.childrenFirst);
    FrameworkControl dc = Control("TDCEdit");
    dc.numButtons = 0;
    s = ChooseFrameworkSkinner(dc, none, {xcEdit}, false);
    EXPECT_EQ(s.skinner, SkinnerKind::Edit);
    EXPECT_TRUE(s.useHwnd);
    dc.numButtons = 2;
    EXPECT_EQ(ChooseFrameworkSkinner(dc, none, {xcEdit, xcCombo}, false).skinner, SkinnerKind::None);
    FrameworkControl cx = Control("TcxCheckBox");
    s = ChooseFrameworkSkinner(cx, none, {xcCheckBox}, false);
    EXPECT_EQ(s.skinner, SkinnerKind::ObjImage);
    EXPECT_EQ(s.kind, 3);
    FrameworkControl form = Control("TNestedForm");
    form.isForm = true;
    EXPECT_TRUE(ChooseFrameworkSkinner(form, none, {}, false).ownedComponents);
}

TEST(ControlDiscovery, ButtonsWithAPictureBeforeThePushButtonTheyDeriveFrom) {
    TStringList map;
    FillDefaultSkin3rd(map);
    const TSkinControlTypes all{xcButton, xcBitBtn, xcSpeedButton, xcEdit};
    FrameworkControl bit = Control("TBitBtn");
    bit.isButton = bit.isBitBtn = true;
    EXPECT_EQ(ChooseFrameworkSkinner(bit, map, all, false).skinner, SkinnerKind::BitButton);
    // Without its flag a glyph button keeps its own look rather than lose its glyph to a push button's.
    EXPECT_EQ(ChooseFrameworkSkinner(bit, map, {xcButton}, false).skinner, SkinnerKind::None);
    FrameworkControl menu = Control("TMenuButton");
    menu.isButton = menu.isBitBtn = menu.isMenuButton = true;
    EXPECT_EQ(ChooseFrameworkSkinner(menu, map, all, false).skinner, SkinnerKind::MenuButton);
    FrameworkControl speed = Control("TSpeedButton");
    speed.windowed = false;
    speed.isSpeedButton = true;
    EXPECT_EQ(ChooseFrameworkSkinner(speed, map, all, false).skinner, SkinnerKind::SpeedButton);
    EXPECT_EQ(ChooseFrameworkSkinner(speed, map, {xcButton}, false).skinner, SkinnerKind::None);

    // Picture buttons of the class-name map name their picture property; its speed buttons are windowless.
    SkinChoice s = ChooseFrameworkSkinner(Control("TPngBitBtn"), map, all, false);
    EXPECT_EQ(s.skinner, SkinnerKind::BitButton);
    EXPECT_STREQ(s.picField, "PngImage");
    s = ChooseFrameworkSkinner(Control("TPngSpeedButton"), map, all, false);
    EXPECT_EQ(s.skinner, SkinnerKind::SpeedButton);
    EXPECT_STREQ(s.picField, "PngImage");
    FrameworkControl dropDown = Control("TcxButton");
    dropDown.kindProp = "cxbkDropDownButton";
    EXPECT_EQ(ChooseFrameworkSkinner(dropDown, map, all, false).skinner, SkinnerKind::MenuButton);

    // Only an edit of the class-name map is measured for its border; a framework edit is skinned as it is.
    s = ChooseFrameworkSkinner(Control("TLMDEdit"), map, all, false);
    EXPECT_EQ(s.skinner, SkinnerKind::Edit);
    EXPECT_TRUE(s.borderedOnly);
    FrameworkControl edit = Control("TEdit");
    edit.isEdit = true;
    EXPECT_FALSE(ChooseFrameworkSkinner(edit, map, all, false).borderedOnly);
}

TEST(ControlDiscovery, TheFrameworksComboBoxesAndPickers) {
    TStringList map;
    FillDefaultSkin3rd(map);
    const TSkinControlTypes all = {xcCombo, xcScrollbar, xcEdit};
    FrameworkControl combo = Control("TComboBox");
    combo.hasScrollBars = true;  // a combo box has the style of a vertical bar
    EXPECT_EQ(ChooseFrameworkSkinner(combo, map, all, false).skinner, SkinnerKind::ComboBox);
    EXPECT_EQ(ChooseFrameworkSkinner(combo, map, {xcScrollbar}, false).skinner, SkinnerKind::None);
    FrameworkControl ex = Control("TComboBoxEx");
    ex.hasScrollBars = true;
    const SkinChoice byMap = ChooseFrameworkSkinner(ex, map, all, false);
    EXPECT_EQ(byMap.skinner, SkinnerKind::ComboBox);  // the map's "TComboboxex=combobox"
    EXPECT_FALSE(byMap.hasButton);
    EXPECT_EQ(ChooseFrameworkSkinner(ex, TStringList{}, all, false).skinner, SkinnerKind::ComboBox);
    TStringList separate{"TComboBoxEx=ComboBoxEx"};
    EXPECT_TRUE(ChooseFrameworkSkinner(ex, separate, all, false).hasButton);
    FrameworkControl picker = Control("TDateTimePicker");
    picker.kindProp = "dtkDate";
    EXPECT_EQ(ChooseFrameworkSkinner(picker, map, all, false).skinner, SkinnerKind::DateTime);
    picker.kindProp = "dtkTime";  // an up-down, no button to cover
    EXPECT_EQ(ChooseFrameworkSkinner(picker, map, all, false).skinner, SkinnerKind::None);
}

TEST(ControlDiscovery, DialogBoxChildWindows) {
    const TSkinControlTypes all = {xcButton, xcCheckBox, xcRadioButton, xcCombo, xcEdit, xcTab};
    EXPECT_EQ(ChooseHwndSkinner("button", 0xB, all).skinner, SkinnerKind::None);       // owner-drawn
    EXPECT_EQ(ChooseHwndSkinner("button", 9, all).skinner, SkinnerKind::RadioButton);  // auto radio
    EXPECT_EQ(ChooseHwndSkinner("button", 7, all).skinner, SkinnerKind::None);         // group box frame
    EXPECT_EQ(ChooseHwndSkinner("button", 1, all).skinner, SkinnerKind::Button);       // default push button
    EXPECT_EQ(ChooseHwndSkinner("button", 3, all).skinner, SkinnerKind::CheckBox);
    EXPECT_EQ(ChooseHwndSkinner("button", 0, {xcCheckBox}).skinner,
              SkinnerKind::None);                                                 // flag off: no more rows
    EXPECT_EQ(ChooseHwndSkinner("combobox", 1, all).skinner, SkinnerKind::None);  // simple combo box
    EXPECT_EQ(ChooseHwndSkinner("combobox", 2, all).skinner, SkinnerKind::ComboBox);
    EXPECT_TRUE(ChooseHwndSkinner("comboboxex32", 2, all).firstChild);
    EXPECT_EQ(ChooseHwndSkinner("systabcontrol32", 0x2000, all).skinner, SkinnerKind::None);
    EXPECT_EQ(ChooseHwndSkinner("edit", 0, all).skinner, SkinnerKind::Edit);
    EXPECT_EQ(ChooseHwndSkinner("edit", 0, {}).skinner, SkinnerKind::None);
    // Size grips get the sizer; an ordinary scroll bar control keeps its look.
    EXPECT_EQ(ChooseHwndSkinner("scrollbar", 0x10, all).skinner, SkinnerKind::Sizer);
    EXPECT_EQ(ChooseHwndSkinner("scrollbar", 1, all).skinner, SkinnerKind::None);
    const HwndChoice inner = ChooseHwndSkinner("#32770", 0, all);
    EXPECT_EQ(inner.skinner, SkinnerKind::BoxH);
    EXPECT_TRUE(inner.childrenFirst);
    EXPECT_TRUE(ChooseHwndSkinner("tpanel", 0, all).recolourFramework);
}

TEST(ControlDiscovery, ScrollBarControlsAndSizeGrips) {
    const TSkinControlTypes bars = {xcScrollbar};
    // A dialog's scroll bar control (no tab stop, as resources make it) gets the scroll bar skinner, in
    // either direction; size grips are told by SBS_SIZEGRIP, and a plain size box keeps its look.
    EXPECT_EQ(ChooseHwndSkinner("scrollbar", 0, bars).skinner, SkinnerKind::ScControl);
    EXPECT_EQ(ChooseHwndSkinner("scrollbar", 1, bars).skinner, SkinnerKind::ScControl);
    EXPECT_EQ(ChooseHwndSkinner("scrollbar", 0x10, bars).skinner, SkinnerKind::Sizer);
    EXPECT_EQ(ChooseHwndSkinner("scrollbar", 0x18, {}).skinner, SkinnerKind::Sizer);
    EXPECT_EQ(ChooseHwndSkinner("scrollbar", 0x08, bars).skinner, SkinnerKind::None);
    EXPECT_EQ(ChooseHwndSkinner("scrollbar", 1, {}).skinner, SkinnerKind::None);  // scroll bars switched off

    // Framework scroll bar controls and list views by class, before the rows that look at window styles.
    FrameworkControl bar = Control("TScrollBar");
    bar.windowed = true;
    EXPECT_EQ(ChooseFrameworkSkinner(bar, {}, bars, false).skinner, SkinnerKind::ScControl);
    FrameworkControl list = Control("TListView");
    list.windowed = list.hasScrollBars = true;
    EXPECT_EQ(ChooseFrameworkSkinner(list, {}, bars, false).skinner, SkinnerKind::ListView);
    EXPECT_EQ(ChooseFrameworkSkinner(list, {}, {}, false).skinner, SkinnerKind::None);
}

}  // namespace

namespace {

// The framework's own check boxes, radio buttons and their groups, with the flags each asks for; a group is
// taken as its kind, not as the plain group box it also is.
TEST(ControlDiscovery, TheFrameworksCheckBoxesRadioButtonsAndGroups) {
    TStringList map;
    FillDefaultSkin3rd(map);
    const TSkinControlTypes all = {xcCheckBox, xcRadioButton, xcGroupBox, xcPanel, xcButton};
    FrameworkControl box = Control("TCheckBox");
    box.isCheckBox = true;
    EXPECT_EQ(ChooseFrameworkSkinner(box, map, all, false).skinner, SkinnerKind::CheckBox);
    EXPECT_FALSE(ChooseFrameworkSkinner(box, map, all, false).recolour);
    EXPECT_EQ(ChooseFrameworkSkinner(box, map, {xcRadioButton}, false).skinner, SkinnerKind::None);
    FrameworkControl item = Control("TGroupButton");
    item.isRadioButton = true;
    EXPECT_EQ(ChooseFrameworkSkinner(item, map, all, false).skinner, SkinnerKind::RadioButton);
    EXPECT_EQ(ChooseFrameworkSkinner(item, map, {xcCheckBox}, false).skinner, SkinnerKind::None);

    FrameworkControl radios = Control("TRadioGroup");
    radios.isRadioGroup = radios.isGroupBox = true;
    SkinChoice s = ChooseFrameworkSkinner(radios, map, all, false);
    EXPECT_EQ(s.skinner, SkinnerKind::GroupBox);
    EXPECT_TRUE(s.recolour);
    EXPECT_EQ(s.childSkinner, SkinnerKind::RadioButton);
    EXPECT_FALSE(s.childrenFirst);
    // Without radio buttons the group alone; without group boxes nothing, not the group box row.
    EXPECT_EQ(ChooseFrameworkSkinner(radios, map, {xcGroupBox}, false).childSkinner, SkinnerKind::None);
    EXPECT_EQ(ChooseFrameworkSkinner(radios, map, {xcPanel, xcRadioButton}, false).skinner,
              SkinnerKind::None);

    FrameworkControl checks = Control("TCheckGroup");
    checks.isCheckGroup = checks.isGroupBox = true;
    s = ChooseFrameworkSkinner(checks, map, all, false);
    EXPECT_EQ(s.skinner, SkinnerKind::GroupBox);
    EXPECT_EQ(s.childSkinner, SkinnerKind::CheckBox);
    // A check group asks for the panel flag, and for radio buttons (not check boxes) before its items.
    EXPECT_EQ(ChooseFrameworkSkinner(checks, map, {xcGroupBox, xcRadioButton}, false).skinner,
              SkinnerKind::None);
    s = ChooseFrameworkSkinner(checks, map, {xcPanel, xcCheckBox}, false);
    EXPECT_EQ(s.skinner, SkinnerKind::None);
    EXPECT_EQ(s.childSkinner, SkinnerKind::None);
}

TEST(ControlDiscovery, HeadersToolBarsMediaPlayersAndChildDialogs) {
    TStringList none;
    // Header controls in a dialog box and of the framework get the header skinner, whatever the flags.
    EXPECT_EQ(ChooseHwndSkinner("sysheader32", 0, {}).skinner, SkinnerKind::Header);
    EXPECT_EQ(ChooseFrameworkSkinner(Control("THeaderControl"), none, {}, false).skinner,
              SkinnerKind::Header);
    // A list view's header comes with the list view's skinner.
    EXPECT_EQ(ChooseFrameworkSkinner(Control("TListView"), none, {xcScrollbar}, false).skinner,
              SkinnerKind::ListView);
    // A tool bar: the background of the bare window, and the framework bar takes the face colour.
    EXPECT_EQ(ChooseHwndSkinner("toolbarwindow32", 0, {}).skinner, SkinnerKind::BoxH);
    const SkinChoice bar = ChooseFrameworkSkinner(Control("TToolBar"), none, {}, false);
    EXPECT_EQ(bar.skinner, SkinnerKind::BoxH);
    EXPECT_TRUE(bar.recolour);
    // A child dialog host: no skinner of its own; its dialog goes through the plain-window rows.
    const SkinChoice pane = ChooseFrameworkSkinner(Control("TChildDialog"), none, {}, false);
    EXPECT_EQ(pane.skinner, SkinnerKind::None);
    EXPECT_TRUE(pane.hwndChildren);
    EXPECT_EQ(ChooseHwndSkinner("#32770", 0x10000, {}).skinner, SkinnerKind::None);  // a tab stop: no pane
    EXPECT_EQ(ChooseFrameworkSkinner(Control("TMediaPlayer"), none, {xcButton}, false).skinner,
              SkinnerKind::MediaPlayer);
    EXPECT_EQ(ChooseFrameworkSkinner(Control("TMediaPlayer"), none, {}, false).skinner, SkinnerKind::None);
}

}  // namespace
