// Which windows are skinned and by which component, decided from what is read off the window.
#include "skin/manager/skin_decision.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/window_styles.h"

namespace {

// A visible top-level form of the program's own module, not yet skinned.
FormCandidate OwnForm() {
    FormCandidate w;
    w.className = "TMainForm";
    w.style = WinStyle::Caption;
    w.width = 402;
    w.height = 276;
    w.frameworkObject = true;
    w.ownModule = true;
    return w;
}

SkinVerdict Decide(const FormCandidate& w, bool skinChildForm = false) {
    return DecideForm(w, {true, skinChildForm}, true, TSkinOptions{});
}

}  // namespace

TEST(SkinDecision, RefusalsInOrder) {
    EXPECT_EQ(Decide(OwnForm()), SkinVerdict::Skin);
    EXPECT_EQ(DecideForm(OwnForm(), {false, false}, true, {}), SkinVerdict::Inactive);
    FormCandidate w = OwnForm();
    w.answersSkinned = true;
    EXPECT_EQ(Decide(w), SkinVerdict::AlreadySkinned);
    w = OwnForm();
    w.hasSkinner = true;
    EXPECT_EQ(Decide(w), SkinVerdict::HasSkinner);

    w = OwnForm();
    w.tag = 99;
    EXPECT_EQ(Decide(w), SkinVerdict::NeverSkinTag);
    w.tag = 98;
    EXPECT_EQ(Decide(w), SkinVerdict::Skin);
    for (const char* cls : {"TApplication", "xTcxPopupEditPopupWindow", "TTERenderWindow2"}) {
        w = OwnForm();
        w.className = cls;
        EXPECT_EQ(Decide(w), SkinVerdict::ExcludedClass) << cls;
    }
    w.className = "tapplication";  // exact and case-sensitive
    EXPECT_EQ(Decide(w), SkinVerdict::Skin);
}

TEST(SkinDecision, SizeModuleAndChildWindows) {
    FormCandidate w = OwnForm();
    w.height = 0;
    EXPECT_EQ(Decide(w), SkinVerdict::ZeroSize);
    w.exStyle = WinStyle::ExMdiChild;
    EXPECT_EQ(Decide(w), SkinVerdict::Skin);

    // Another module's windows are skinned only when they are standard dialog boxes.
    w = OwnForm();
    w.frameworkObject = false;
    w.ownModule = false;
    EXPECT_EQ(Decide(w), SkinVerdict::ForeignModule);
    w.className = "#32770";
    EXPECT_EQ(Decide(w), SkinVerdict::Skin);
    w.className = "Plain";
    w.ownModule = true;
    EXPECT_EQ(Decide(w), SkinVerdict::Skin);

    // Child windows only on request, except inside an MDI client.
    w = OwnForm();
    w.style |= WinStyle::Child;
    w.parentClassName = "TPanel";
    EXPECT_EQ(Decide(w), SkinVerdict::ChildWindow);
    EXPECT_EQ(Decide(w, true), SkinVerdict::Skin);
    w.parentClassName = "MDIClient";
    EXPECT_EQ(Decide(w), SkinVerdict::Skin);
    w.parentClassName = "TPanel";
    w.exStyle = WinStyle::ExMdiChild;
    EXPECT_EQ(Decide(w), SkinVerdict::Skin);
}

TEST(SkinDecision, TheMainComponentsVeto) {
    // Previews need xoPreview, in any letter case; without a main component nothing is vetoed.
    EXPECT_FALSE(CanSkinClass("TPrintPreView", WinStyle::Caption, true, {}));
    EXPECT_TRUE(CanSkinClass("TPrintPreView", WinStyle::Caption, true, {xoPreview}));
    EXPECT_TRUE(CanSkinClass("TPrintPreView", WinStyle::Caption, false, {}));
    EXPECT_FALSE(CanSkinClass("#32770", WinStyle::SetForeground, true, {}));
    EXPECT_TRUE(CanSkinClass("#32770", WinStyle::Caption, true, {}));
    EXPECT_TRUE(CanSkinClass("#32770", WinStyle::SetForeground, false, {}));
    EXPECT_FALSE(CanSkinClass("TPopupDBTreeView", 0, true, {}));
    FormCandidate w = OwnForm();
    w.className = "preview";
    EXPECT_EQ(Decide(w), SkinVerdict::Vetoed);
}

TEST(SkinDecision, ChoosingTheComponent) {
    EXPECT_EQ(ChooseSkinData({}, "TForm1"), -1);
    const std::vector<SkinChoice> two{{sfMainform, false}, {sfDialog, false}, {sfMainform, false}};
    EXPECT_EQ(ChooseSkinData(two, "TForm1"), 2);  // the later main component wins
    EXPECT_EQ(ChooseSkinData(two, "#32770"), 1);
    EXPECT_EQ(ChooseSkinData(two, "TMessageForm"), 1);
    const std::vector<SkinChoice> noDialog{{sfOnlyThisForm, false}, {sfMainform, false}};
    EXPECT_EQ(ChooseSkinData(noDialog, "#32770"), 1);
    const std::vector<SkinChoice> own{{sfOnlyThisForm, true}, {sfMainform, false}};
    EXPECT_EQ(ChooseSkinData(own, "TForm1"), 0);
    const std::vector<SkinChoice> none{{sfDLL, false}, {sfOnlyThisForm, false}};
    EXPECT_EQ(ChooseSkinData(none, "TForm1"), 0);  // the first registered, whatever its type
}

TEST(SkinDecision, PopupMenusAndCreatedWindows) {
    EXPECT_TRUE(PopupMenuAllowed(0, {xcPopupMenu}));
    EXPECT_FALSE(PopupMenuAllowed(0, {xcMainMenu}));
    EXPECT_TRUE(PopupMenuAllowed(1, {xcMenuItem}));
    EXPECT_TRUE(PopupMenuAllowed(1, {xcMainMenu}));
    EXPECT_FALSE(PopupMenuAllowed(1, {xcPopupMenu}));
    EXPECT_TRUE(PopupMenuAllowed(2, {xcSystemMenu}));
    EXPECT_FALSE(PopupMenuAllowed(2, {xcMainMenu}));
    EXPECT_TRUE(PopupMenuAllowed(3, {}));

    CreateActions a = OnCreateWindow("ScrollBar", WinStyle::Child | WinStyle::SizeGrip, 0, true);
    EXPECT_TRUE(a.sizeGrip);
    EXPECT_FALSE(OnCreateWindow("ScrollBar", WinStyle::Child, 0, true).sizeGrip);
    EXPECT_TRUE(OnCreateWindow("#32768", WinStyle::Popup, 0, true).popupMenu);
    EXPECT_FALSE(OnCreateWindow("#32768", WinStyle::Popup, 0, false).popupMenu);
    EXPECT_FALSE(OnCreateWindow("#32768", WinStyle::Child, 0, true).popupMenu);
    a = OnCreateWindow("TChild", WinStyle::Child, WinStyle::ExMdiChild, false);
    EXPECT_TRUE(a.mdiChild && !a.popupMenu && !a.sizeGrip);
    EXPECT_TRUE(ThreadHookRefuses("ScrollBar", true));
    EXPECT_FALSE(ThreadHookRefuses("ScrollBar", false));
    EXPECT_FALSE(ThreadHookRefuses("scrollbar", true));
}
