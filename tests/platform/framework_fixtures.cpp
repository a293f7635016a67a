// The fixture classes of the framework tests.
#include "framework_fixtures.h"

#include <algorithm>
#include <array>

#include "platform/class_registry.h"

std::vector<std::string>& EventLog() {
    static std::vector<std::string> log;
    return log;
}

namespace {
void Log(const TComponent* c, const std::string& what) { EventLog().push_back(c->Name() + "." + what); }

constexpr std::array<std::string_view, 4> kFontStyleNames{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr std::array<std::string_view, 6> kAlignNames{"alNone", "alTop",   "alBottom",
                                                      "alLeft", "alRight", "alClient"};
constexpr std::array<std::string_view, 4> kSkinOptionNames{"xoPreview", "xoToolbarBK", "xoCaptionButtonHint",
                                                           "xoMDIScrollbar"};
constexpr std::array<std::string_view, 3> kFormTypeNames{"sfMainform", "sfDialog", "sfOnlyThisForm"};
}  // namespace

const PropTable TTestFont::Props{&TObject::Props,
                                 {
                                     Prop::Str("Name", &TTestFont::Name),
                                     Prop::Int("Height", &TTestFont::Height),
                                     Prop::Int("Color", &TTestFont::Color),
                                     Prop::Int("Charset", &TTestFont::Charset),
                                     Prop::Set("Style", &TTestFont::Style, nullptr, kFontStyleNames),
                                 }};
const TClassInfo TTestFont::ClassInfo_{"TTestFont", &TPersistent::ClassInfo_, &TTestFont::Props};

void TTestFont::Assign(const TPersistent& source) {
    const auto* f = dynamic_cast<const TTestFont*>(&source);
    if (!f) return TPersistent::Assign(source);
    Name = f->Name;
    Height = f->Height;
    Color = f->Color;
    Charset = f->Charset;
    Style = f->Style;
}

const PropTable TTestControl::Props{
    &TComponent::Props,
    {
        Prop::Int("Left", &TTestControl::Left),
        Prop::Int("Top", &TTestControl::Top),
        Prop::Int("Width", &TTestControl::Width),
        Prop::Int("Height", &TTestControl::Height),
        Prop::Str("Caption", &TTestControl::Caption, &TTestControl::SetCaption),
        Prop::Enum("Visible", &TTestControl::Visible, nullptr, kBooleanNames),
        Prop::Int("Color", &TTestControl::Color),
        Prop::Enum("Align", &TTestControl::Align, nullptr, kAlignNames),
        Prop::Obj("Font", &TTestControl::Font, &TTestControl::SetFont),
        Prop::Obj("Buddy", &TTestControl::Buddy, &TTestControl::SetBuddy),
        Prop::Event("OnClick", &TTestControl::OnClick),
    }};
const TClassInfo TTestControl::ClassInfo_{"TTestControl", &TComponent::ClassInfo_, &TTestControl::Props};

TTestControl::~TTestControl() {
    // Children go first, while this object is still whole; then leave the parent.
    Destroying();
    DestroyComponents();
    for (TTestControl* c : std::vector<TTestControl*>(children_)) c->SetParent(nullptr);
    SetParent(nullptr);
    Log(this, "destroyed");
}

void TTestControl::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    Log(this, "Caption");
}

void TTestControl::SetParent(TTestControl* parent) {
    if (parent_ == parent) return;
    if (parent_) {
        auto& list = parent_->children_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    parent_ = parent;
    if (parent_) parent_->children_.push_back(this);
}

void TTestControl::SetBuddy(TTestControl* buddy) {
    if (buddy_) RemoveFreeNotification(buddy_);
    buddy_ = buddy;
    if (buddy_) FreeNotification(buddy_);
}

void TTestControl::SetParentComponent(TComponent* parent) {
    Log(this, "Parent");
    SetParent(dynamic_cast<TTestControl*>(parent));
}

void TTestControl::Loaded() {
    TComponent::Loaded();
    Log(this, "Loaded");
}

void TTestControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == buddy_) buddy_ = nullptr;
}

const PropTable TTestButton::Props{
    &TTestControl::Props,
    {
        Prop::Enum("Default", &TTestButton::Default, nullptr, kBooleanNames),
        Prop::Str("Hint", &TTestButton::Hint),
        Prop::Int("ClientWidth", &TTestControl::Width, &TTestButton::SetClientWidth),
    }};
const TClassInfo TTestButton::ClassInfo_{"TTestButton", &TTestControl::ClassInfo_, &TTestButton::Props};

const PropTable TTestMemo::Props{&TTestControl::Props,
                                 {
                                     Prop::Strings("Lines", &TTestMemo::Lines),
                                 }};
const TClassInfo TTestMemo::ClassInfo_{"TTestMemo", &TTestControl::ClassInfo_, &TTestMemo::Props};

const PropTable TTestPanel::Props{&TObject::Props,
                                  {
                                      Prop::Int("Width", &TTestPanel::Width, &TTestPanel::SetWidth),
                                      Prop::Str("Text", &TTestPanel::Text),
                                      Prop::Obj("Link", &TTestPanel::Link),
                                  }};
const TClassInfo TTestPanel::ClassInfo_{"TTestPanel", &TCollectionItem::ClassInfo_, &TTestPanel::Props};

void TTestPanel::Assign(const TPersistent& source) {
    const auto* p = dynamic_cast<const TTestPanel*>(&source);
    if (!p) return TCollectionItem::Assign(source);
    width_ = p->width_;
    Text = p->Text;
}

std::string TTestPanel::DisplayName() const { return WideToUtf8(Text); }

void TTestPanel::SetWidth(int width) {
    width_ = width;
    Changed(false);
}

const PropTable TTestStatusBar::Props{&TTestControl::Props,
                                      {
                                          Prop::Obj("Panels", &TTestStatusBar::Panels),
                                      }};
const TClassInfo TTestStatusBar::ClassInfo_{"TTestStatusBar", &TTestControl::ClassInfo_,
                                            &TTestStatusBar::Props};

const PropTable TTestSkin::Props{
    &TComponent::Props,
    {
        Prop::Enum("Active", &TTestSkin::Active, &TTestSkin::SetActive, kBooleanNames),
        Prop::Int("DisableTag", &TTestSkin::DisableTag),
        Prop::Set("Options", &TTestSkin::Options, nullptr, kSkinOptionNames),
        Prop::Enum("SkinFormtype", &TTestSkin::SkinFormtype, nullptr, kFormTypeNames),
        Prop::Strings("Skin3rd", &TTestSkin::Skin3rd),
        Prop::Str("Version", &TTestSkin::Version),
    }};
const TClassInfo TTestSkin::ClassInfo_{"TTestSkin", &TComponent::ClassInfo_, &TTestSkin::Props};

void TTestSkin::SetActive(bool value) {
    active_ = value;
    Log(this, "Active");
    // Inert while the form is being read: Loaded switches it on.
    if (value && !HasState(csLoading)) activated = true;
}

void TTestSkin::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "SkinStream",
        [this](TStream& s) {
            data.resize(std::size_t(s.Size()));
            s.ReadBuffer(data.data(), std::int64_t(data.size()));
            Log(this, "SkinStream " + std::to_string(data.size()));
            if (!data.empty() && data[0] == 0xEE) throw EReadError("damaged skin");
        },
        [this](TStream& s) { s.WriteBuffer(data.data(), std::int64_t(data.size())); }, !data.empty());
}

void TTestSkin::Loaded() {
    TComponent::Loaded();
    Log(this, "Loaded");
    if (active_) activated = true;
}

const TClassInfo TTestForm::ClassInfo_{"TTestForm", &TTestControl::ClassInfo_, &TTestControl::Props};
const TClassInfo TTestForm1::ClassInfo_{"TTestForm1", &TTestForm::ClassInfo_, &TTestControl::Props};

TTestForm1::TTestForm1(TComponent* owner) : TTestForm(owner) {
    RegisterHandler("B2Click", [this](TObject* sender) {
        clicks.push_back("B2Click " + static_cast<TComponent*>(sender)->Name());
    });
    RegisterHandler("FormClick", [this](TObject*) { clicks.push_back("FormClick"); });
    RegisterHandler<std::function<void(TObject*, int)>>("PanelDraw", [](TObject*, int) {});
}

void RegisterFixtureClasses() {
    RegisterComponentClasses<TTestControl, TTestButton, TTestMemo, TTestStatusBar, TTestSkin>();
}
