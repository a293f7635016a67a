// Fuzz target: the form reader on arbitrary text. Any error must be an EFormReadError; the tree it
// builds is freed with the root.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/class_registry.h"
#include "platform/collection.h"
#include "platform/component.h"
#include "platform/filer.h"
#include "platform/form_reader.h"

namespace {

enum class Style { Bold, Italic };
enum class Align { None, Top, Bottom };
constexpr std::array<std::string_view, 2> kStyleNames{"fsBold", "fsItalic"};
constexpr std::array<std::string_view, 3> kAlignNames{"alNone", "alTop", "alBottom"};

class FuzzFont : public TPersistent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    std::wstring Name;
    int Height = 0;
    SetOf<Style> Styles;
};
const PropTable FuzzFont::Props{&TObject::Props,
                                {
                                    Prop::Str("Name", &FuzzFont::Name),
                                    Prop::Int("Height", &FuzzFont::Height),
                                    Prop::Set("Style", &FuzzFont::Styles, nullptr, kStyleNames),
                                }};
const TClassInfo FuzzFont::ClassInfo_{"TFuzzFont", &TPersistent::ClassInfo_, &FuzzFont::Props};

class FuzzItem : public TCollectionItem {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCollectionItem::TCollectionItem;
    int Width = 0;
    std::wstring Text;
};
const PropTable FuzzItem::Props{&TObject::Props,
                                {
                                    Prop::Int("Width", &FuzzItem::Width),
                                    Prop::Str("Text", &FuzzItem::Text),
                                }};
const TClassInfo FuzzItem::ClassInfo_{"TFuzzItem", &TCollectionItem::ClassInfo_, &FuzzItem::Props};

class FuzzControl : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    explicit FuzzControl(TComponent* owner)
        : TComponent(owner), items_(FuzzItem::ClassInfo_, TCollection::FactoryOf<FuzzItem>(), this) {}
    ~FuzzControl() override {
        Destroying();
        DestroyComponents();
    }

    FuzzFont* Font() { return &font_; }
    TCollection* Items() { return &items_; }
    TComponent* Link() const { return link_; }
    void SetLink(TComponent* link) {
        if (link_) RemoveFreeNotification(link_);
        link_ = link;
        if (link_) FreeNotification(link_);
    }
    void Notification(TComponent* c, TOperation op) override {
        if (op == TOperation::opRemove && c == link_) link_ = nullptr;
    }
    void DefineProperties(TFiler& filer) override {
        filer.DefineBinaryProperty(
            "Data",
            [this](TStream& s) {
                data_.resize(std::size_t(s.Size()));
                s.ReadBuffer(data_.data(), std::int64_t(data_.size()));
            },
            [this](TStream& s) { s.WriteBuffer(data_.data(), std::int64_t(data_.size())); }, !data_.empty());
    }

    int Left = 0;
    bool Visible = true;
    Align Alignment = Align::None;
    std::wstring Caption;
    std::string Hint;
    TStringList Lines;
    TNotifyEvent OnClick;

private:
    FuzzFont font_;
    TCollection items_;
    TComponent* link_ = nullptr;
    std::vector<std::uint8_t> data_;
};
const PropTable FuzzControl::Props{&TComponent::Props,
                                   {
                                       Prop::Int("Left", &FuzzControl::Left),
                                       Prop::Enum("Visible", &FuzzControl::Visible, nullptr, kBooleanNames),
                                       Prop::Enum("Align", &FuzzControl::Alignment, nullptr, kAlignNames),
                                       Prop::Str("Caption", &FuzzControl::Caption),
                                       Prop::Str("Hint", &FuzzControl::Hint),
                                       Prop::Strings("Lines", &FuzzControl::Lines),
                                       Prop::Obj("Font", &FuzzControl::Font),
                                       Prop::Obj("Items", &FuzzControl::Items),
                                       Prop::Obj("Link", &FuzzControl::Link, &FuzzControl::SetLink),
                                       Prop::Event("OnClick", &FuzzControl::OnClick),
                                   }};
const TClassInfo FuzzControl::ClassInfo_{"TFuzzControl", &TComponent::ClassInfo_, &FuzzControl::Props};

class FuzzForm : public FuzzControl {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    explicit FuzzForm(TComponent* owner) : FuzzControl(owner) {
        RegisterHandler("Click", [](TObject*) {});
    }
};
const TClassInfo FuzzForm::ClassInfo_{"TFuzzForm", &FuzzControl::ClassInfo_, &FuzzControl::Props};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = [] {
        RegisterComponentClass<FuzzControl>();
        return true;
    }();
    (void)registered;
    FuzzForm form(nullptr);
    try {
        ReadComponentRes(std::string_view(reinterpret_cast<const char*>(data), size), form);
    } catch (const EFormReadError&) {
    }
    return 0;
}
