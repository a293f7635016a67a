// Small component classes for the framework tests: a control tree, a font, a status bar with panels
// and a component with a binary property, each logging what happens to it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/collection.h"
#include "platform/component.h"
#include "platform/filer.h"
#include "platform/types.h"

// What the fixtures did, in order ("B2.Caption", "Skin.SkinStream 3", "Skin.Loaded" ...).
std::vector<std::string>& EventLog();

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TTestFont : public TPersistent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    void Assign(const TPersistent& source) override;

    std::wstring Name = L"MS Sans Serif";
    int Height = -11;
    TColor Color = clWindowText;
    int Charset = 1;
    SetOf<TFontStyle> Style;
};

class TTestControl : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TTestControl(TComponent* owner) : TComponent(owner) {}
    ~TTestControl() override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    TTestControl* Parent() const { return parent_; }
    void SetParent(TTestControl* parent);
    const std::vector<TTestControl*>& Children() const { return children_; }
    TTestFont* Font() const { return font_.get(); }
    void SetFont(const TTestFont& font) { font_->Assign(font); }
    TTestControl* Buddy() const { return buddy_; }
    void SetBuddy(TTestControl* buddy);

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override { return parent_; }
    bool HasParent() const override { return true; }
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    TColor Color = clBtnFace;
    TAlign Align = TAlign::alNone;
    TNotifyEvent OnClick;

private:
    std::wstring caption_;
    TTestControl* parent_ = nullptr;
    TTestControl* buddy_ = nullptr;
    std::vector<TTestControl*> children_;
    std::unique_ptr<TTestFont> font_ = std::make_unique<TTestFont>();
};

class TTestButton : public TTestControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TTestControl::TTestControl;

    void SetClientWidth(int width) { Width = width + 4; }  // a setter with an inherited getter
    bool Default = false;
    std::string Hint;  // a UTF-8 string property
};

class TTestMemo : public TTestControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TTestControl::TTestControl;

    TStringList* Lines() { return &lines_; }

private:
    TStringList lines_;
};

class TTestPanel : public TCollectionItem {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCollectionItem::TCollectionItem;
    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override;

    int Width() const { return width_; }
    void SetWidth(int width);
    std::wstring Text;
    TTestControl* Link = nullptr;

private:
    int width_ = 50;
};

class TTestPanels : public TCollection {
public:
    explicit TTestPanels(TPersistent* owner)
        : TCollection(TTestPanel::ClassInfo_, FactoryOf<TTestPanel>(), owner) {}
    int updates = 0;      // Update calls for the whole collection
    int itemUpdates = 0;  // Update calls for one item

protected:
    void Update(TCollectionItem* item) override { ++(item ? itemUpdates : updates); }
};

class TTestStatusBar : public TTestControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    explicit TTestStatusBar(TComponent* owner) : TTestControl(owner), panels_(this) {}

    TTestPanels* Panels() { return &panels_; }

private:
    TTestPanels panels_;
};

enum class TSkinOption { xoPreview, xoToolbarBK, xoCaptionButtonHint, xoMDIScrollbar };
enum class TSkinFormType { sfMainform, sfDialog, sfOnlyThisForm };

// A non-visual component with a binary property "SkinStream".
class TTestSkin : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TComponent::TComponent;

    bool Active() const { return active_; }
    void SetActive(bool value);
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;

    int DisableTag = 0;
    SetOf<TSkinOption> Options;
    TSkinFormType SkinFormtype = TSkinFormType::sfMainform;
    TStringList Skin3rd;
    std::string Version;
    std::vector<std::uint8_t> data;
    bool activated = false;  // SetActive(true) took effect

private:
    bool active_ = false;
};

// The root classes: a form base and a form of its own class.
class TTestForm : public TTestControl {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TTestControl::TTestControl;
};

class TTestForm1 : public TTestForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    explicit TTestForm1(TComponent* owner);

    std::vector<std::string> clicks;
};

// Registers every fixture class with the class registry (once).
void RegisterFixtureClasses();
