// The skin component: properties, the stored skin, the load operations and the requests it makes of the
// skin manager. Parsing is in skin_parse.cpp.
#include "skin/data/skin_data.h"

#include <filesystem>
#include <system_error>

#include "platform/collection.h"
#include "platform/filer.h"
#include "platform/props.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_resources.h"

// ---- platform services -------------------------------------------------------------------------------

int SkinDataNative::SystemMetric(Metric m) const {
    switch (m) {  // a 1024 x 768 desktop at 96 dpi
    case cxMaximized: return 1032;
    case cyMaximized: return 776;
    case cxHScroll: return 17;
    default: return 16;
    }
}

namespace {

std::unique_ptr<SkinDataNative> PortableNative(TSkinData&) { return std::make_unique<SkinDataNative>(); }

TSkinDataNativeFactory nativeFactory = &PortableNative;

}  // namespace

TSkinDataNativeFactory SetSkinDataNativeFactory(TSkinDataNativeFactory factory) {
    TSkinDataNativeFactory previous = nativeFactory;
    nativeFactory = factory ? factory : &PortableNative;
    return previous;
}

// ---- skin content ------------------------------------------------------------------------------------

TSkinContent::TSkinContent() : Colors(DefaultSchemeColors()) { PresetColors.fill(clWhite); }
TSkinContent::TSkinContent(TSkinContent&&) noexcept = default;
TSkinContent& TSkinContent::operator=(TSkinContent&&) noexcept = default;
TSkinContent::~TSkinContent() = default;

void TSkinContent::MakeFixedObjects() {
    static const char* const ids[4] = {"Left", "Right", "Top", "Bottom"};
    for (int i = 0; i < 4; ++i) border[std::size_t(i)] = std::make_unique<TDataSkinBorder>(ids[i]);
    Title = std::make_unique<TDataSkinTitle>("Title");
    Button = std::make_unique<TDataSkinButton>("Buttons");
}

// ---- published properties ----------------------------------------------------------------------------

const PropTable TSkinData::Props{
    &TComponent::Props,
    {
        Prop::Enum("Active", &TSkinData::Active, &TSkinData::SetActive, kBooleanNames),
        Prop::Int("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag),
        Prop::Set("SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls,
                  PropNames(kSkinControlTypeNames)),
        Prop::Set("Options", &TSkinData::Options, &TSkinData::SetOptions, PropNames(kSkinOptionNames)),
        Prop::Strings("Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd),
        Prop::Str("SkinFile", &TSkinData::SkinFile, &TSkinData::LoadFromFile),
        Prop::Str("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore),
        Prop::Enum("SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype,
                   PropNames(kSkinFormTypeNames)),
        Prop::Str("Version", &TSkinData::Version, &TSkinData::SetVersion),
        Prop::Enum("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate, kBooleanNames),
        Prop::Enum("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge, kBooleanNames),
        Prop::Event("OnFormSkin", &TSkinData::OnFormSkin),
        Prop::Event("OnSkinChanged", &TSkinData::OnSkinChanged),
        Prop::Event("OnSkinControl", &TSkinData::OnSkinControl),
        Prop::Event("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm),
        Prop::Event("OnAfterSkinForm", &TSkinData::OnAfterSkinForm),
    }};
const TClassInfo TSkinData::ClassInfo_{"TSkinData", &TComponent::ClassInfo_, &TSkinData::Props};

// ---- lifecycle ---------------------------------------------------------------------------------------

TSkinData::TSkinData(TComponent* AOwner)
    : TComponent(AOwner),
      FSkinControls(DefaultSkinControls()),
      fSkinOptions(DefaultSkinOptions()),
      native_(nativeFactory(*this)) {
    FContainers = AllWinContainers();
    SysIcon.SetPixelFormat(pf24bit);
    FillDefaultSkin3rd(f3rdControls);
    MakeFixedObjects();
    LoadSkinResourceBitmap("PELISKMENU", bmpmenu);
    bmpmenu.SetTransparentColor(clWhite);
    bmpmenu.SetTransparent(true);
    cxMax = native_->SystemMetric(SkinDataNative::cxMaximized);
    cyMax = native_->SystemMetric(SkinDataNative::cyMaximized);
}

TSkinData::~TSkinData() {
    if (SkinManagerLink* m = SkinManager()) m->RemoveSkinData(this);
    // The hint window, the caption font and the brush go with the platform part; the skin objects and
    // the images with the members.
    native_.reset();
}

// ---- the stored skin ---------------------------------------------------------------------------------

void TSkinData::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "SkinStream", [this](TStream& s) { ReadSkinStream(s); }, [this](TStream& s) { WriteSkinStream(s); },
        true);
}

void TSkinData::ReadSkinStream(TStream& stream) {
    const std::int64_t available = stream.Remaining();
    std::int32_t count = 0;
    if (available >= 4) count = stream.ReadInt32();
    if (count <= 0) return;
    data.Clear();
    // A count that does not match the bytes stored is damage: no skin rather than a guess.
    if (count > available - 4) {
        Empty = true;
        return;
    }
    data.SetSize(count);
    stream.ReadBuffer(data.Memory(), count);
    data.SetPosition(0);
    if (!Designing()) LoadSkin();
}

void TSkinData::WriteSkinStream(TStream& stream) const {
    const std::int64_t size = data.Bytes().size();
    stream.WriteInt32(std::int32_t(size));
    if (size > 0) stream.WriteBuffer(data.Bytes().data(), size);
}

std::string TSkinData::SkinStore() const {
    if (Designing() && !data.Bytes().empty()) return "(Good)";
    return "(none)";
}

void TSkinData::LoadFromFile(const std::string& fileName) {
    Empty = true;
    fskinfile = fileName;
    if (Designing()) {
        if (!fileName.empty() && !data.Bytes().empty()) data.Clear();
        return;
    }
    const std::filesystem::path path(std::u8string(fileName.begin(), fileName.end()));
    std::error_code ec;
    if (fileName.empty() || !std::filesystem::is_regular_file(path, ec)) return;
    data.Clear();
    try {
        data.LoadFromFile(path);
    } catch (const EStreamError&) {
        data.Clear();
    }
    LoadSkin();
    ApplySkinChange();
}

void TSkinData::LoadFromStream(TStream& stream) {
    Empty = true;
    data.Clear();
    data.LoadFromStream(stream);
    LoadSkin();
    if (ftype == sfMainform) ApplySkinChange();
}

void TSkinData::LoadFromCollection(TPersistent* store, int index) {
    // A skin store publishes its skins as the collection "Store"; each item streams its packed skin as the
    // binary property "DataStream".
    const TCollection* items = GetObjectPropByName<TCollection>(store, "Store");
    if (!items || index < 0 || index >= items->Count()) return;
    const std::vector<std::uint8_t> bytes = TBinaryProperties(*items->Items(index)).Write("DataStream");
    Empty = true;
    data.Clear();
    if (!bytes.empty()) data.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    data.SetPosition(0);
    LoadSkin();
    ApplySkinChange();
}

// ---- the manager -------------------------------------------------------------------------------------

void TSkinData::ApplySkinChange() {
    if (Designing() || Reading()) return;
    if (!SkinManager() && !loaded_) Loaded();
    SkinManagerLink* m = SkinManager();
    if (!m) return;  // no engine in this program: the skin is only held
    m->UpdateData = this;
    m->DeleteSysbtn();
    if (m->state == SkinManagerLink::kRunning) m->SetAction(saSkinChanged, kSkinActionDelayMs);
}

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (Designing()) return;
    loaded_ = true;
    if (!native_->HasScrollBarInfo()) FSkinControls.Exclude(xcScrollbar);
    SkinManagerLink* m = LoadSkinManager();
    if (m) m->AddSkinData(this);
    GetCaptionFont();
    if (ftype != sfMainform) {
        if (!m) return;
        m->active = true;
        m->state += 1;
        if (HWND owner = native_->FormWindow(Owner()); owner && factive) m->AddForm(owner);
        return;
    }
    if (m) m->InstallHook();
    if (factive) {
        if (Empty)
            factive = false;  // nothing to show: the field only, no request
        else if (m)
            m->SetAction(saInstall, kSkinActionDelayMs);
    }
    if (FSkinControls.Contains(xcMainMenu))
        FSkinControls.Exclude(xcMenuItem);
    else
        FSkinControls.Exclude(xcSystemMenu);
    GetAppIcon();
}

void TSkinData::SetActive(bool value) {
    if (value == factive) return;
    factive = value;
    if (Designing() || Reading()) return;
    SkinManagerLink* m = SkinManager();
    if (!m) return;  // not loaded yet: Loaded acts on the stored value
    switch (ftype) {
    case sfMainform:
        if (value) {
            if (Empty) return;
            m->Request(this, saInstall);
            m->state = SkinManagerLink::kRunning;
        } else {
            m->Request(this, saUninstall);
        }
        break;
    case sfOnlyThisForm:
        m->UpdateData = this;
        if (value && Empty) return;
        m->Request(this, value ? saInstall : saUninstall);
        break;
    default: break;
    }
}

void TSkinData::Install() {
    if (SkinManagerLink* m = SkinManager()) m->Request(this, saInstall);
}

void TSkinData::Uninstall() {
    if (SkinManagerLink* m = SkinManager()) m->Request(this, saUninstall);
}

void TSkinData::EnableSkin(bool value) {
    if (SkinManagerLink* m = SkinManager()) m->active = value;
}

void TSkinData::SkinForm(HWND window) {
    if (SkinManagerLink* m = SkinManager()) {
        m->skinchildform = true;
        m->AddForm(window);
        m->skinchildform = false;
    }
}

void TSkinData::ChangeForm(HWND formWindow) {
    if (SkinManagerLink* m = SkinManager()) {
        m->lpara = formWindow;
        m->Request(this, saReskinForm);
    }
}

void TSkinData::InstallThread(std::uint32_t threadId) {
    if (SkinManagerLink* m = SkinManager()) m->InstallThread(threadId);
}

void TSkinData::UnInstallThread(std::uint32_t threadId) {
    if (SkinManagerLink* m = SkinManager()) m->UnInstallThread(threadId);
}

void TSkinData::DoFormSkin(HWND window, const std::string& className, bool& DoSkin) {
    formhwnd = window;
    if (OnFormSkin) {
        OnFormSkin(this, className, DoSkin);
        return;
    }
    if (className == "SysMonthCal32")
        DoSkin = false;
    else if (FSkinControls.Contains(xcFastReport) && className.compare(0, 3, "Tfr") == 0)
        DoSkin = false;
}

void TSkinData::DoSkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::ChangeProperty(TObject* object, const std::string& propName, const std::string& value) {
    if (!object) return;
    const Prop* p = FindProp(object, propName);
    if (p && p->Kind == PropKind::Enumeration) SetPropByName(object, propName, std::string_view(value));
}

// ---- small services ----------------------------------------------------------------------------------

bool TSkinData::GetPrecolor(TColor& color, int index) const {
    if (index < 0 || index >= int(ColorPreset.size())) return false;
    color = ColorPreset[std::size_t(index)];
    return true;
}

std::string TSkinData::GetFileName(const std::string& text) {
    const std::size_t dot = text.find('.');
    return dot == std::string::npos ? std::string() : text.substr(0, dot);
}

TColor TSkinData::GetCaptionColor() const { return CaptionColorOf(*this); }

void TSkinData::GetCaptionFont() { native_->GetCaptionFont(); }

void TSkinData::GetAppIcon() {
    const int w = native_->SystemMetric(SkinDataNative::cxSmallIcon);
    const int h = native_->SystemMetric(SkinDataNative::cySmallIcon);
    TBitmap icon(w, h, pf24bit);
    icon.Fill(RGBColor(255, 0, 255));
    if (!native_->GetAppIcon(icon)) return;
    SysIcon = std::move(icon);
    SysIcon.SetTransparentColor(RGBColor(255, 0, 255));
    SysIcon.SetTransparent(true);
}

void TSkinData::ActivateHint(const TRect& rect, const std::wstring& hint) {
    if (!fSkinOptions.Contains(xoCaptionButtonHint) || hashint) return;
    native_->ShowHint(rect, hint);
    hashint = true;
}

void TSkinData::HideHint() {
    if (!hashint) return;
    native_->HideHint();
    hashint = false;
}

void TSkinData::DoDebug(const std::string& text) {
    if (DebugList) DebugList->Add(text);
}
