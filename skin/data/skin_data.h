// TSkinData: the skin component. It keeps one packed skin, unpacks and parses it into skin objects,
// colours and caption buttons, carries the options that decide what is skinned, and drives the skin
// manager. Every skinner reaches the loaded skin through it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/component.h"
#include "platform/handles.h"
#include "platform/stream.h"
#include "platform/string_list.h"
#include "platform/types.h"
#include "skin/data/skin_object.h"
#include "skin/data/skin_options.h"

class TSkinData;
class TSkinLoad;

// The version text every component reports, whatever its stored properties say.
inline constexpr const char* kSkinDataVersion = "5.40.07.15";

// Everything a skin load produces. The component holds one of these; a load builds a new one and takes
// it over only when the whole skin was read, so a damaged skin leaves the previous one in use.
struct TSkinContent {
    TSkinContent();
    TSkinContent(TSkinContent&&) noexcept;
    TSkinContent& operator=(TSkinContent&&) noexcept;
    ~TSkinContent();
    // The objects every skin fills: the four frame borders, the title and the button face.
    void MakeFixedObjects();

    // The window frame: Left, Right, Top, Bottom (ids "Left", "Right", "Top", "Bottom").
    std::array<std::unique_ptr<TDataSkinBorder>, 4> border;
    std::unique_ptr<TDataSkinTitle> Title;  // id "Title"
    // The caption buttons in skin order, then the three MDI child buttons (Action 7, 8, 9).
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysBtn;
    std::unique_ptr<TDataSkinButton> Button;  // id "Buttons"
    std::unique_ptr<TDataSkinBorder> progress;
    std::unique_ptr<TDataSkinObject> progresschunk;
    std::unique_ptr<TDataSkinObject> Menubar;
    std::unique_ptr<TDataSkinObject> Box;
    std::unique_ptr<TDataSkinBoxLabel> boxlabel;
    std::unique_ptr<TDataSkinBorder> tab;
    std::unique_ptr<TDataSkinObject> StatusBar;
    std::unique_ptr<TDataSkinObject> TabSheet;
    std::unique_ptr<TDataSkinObject> Toolbarbtn;
    std::unique_ptr<TDataSkinBorder> combox;        // rebuilt into whole combo faces at load
    std::unique_ptr<TDataSkinObject> Comboxborder;  // the same faces mirrored
    std::unique_ptr<TDataSkinObject> comboxarrow;   // id "ComboxArrow", derived
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Header;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuitemBG;
    std::unique_ptr<TDataSkinObject> SArrow;
    std::unique_ptr<TDataSkinObject> HBar, VBar;
    std::unique_ptr<TDataSkinObject> HSlider, VSlider;
    std::unique_ptr<TDataSkinObject> TrackHorz, TrackVert, TrackLeft, Trackright, Tracktop, Trackbottom;
    std::unique_ptr<TDataSkinBorder> HSpin, VSpin;
    std::unique_ptr<TDataSkinObject> TrackBar, TrackBarVert;
    std::unique_ptr<TDataSkinObject> Toolbar;     // id "Toolbar", derived
    std::unique_ptr<TDataSkinObject> MinCaption;  // never filled

    TShemeColors Colors{};
    THasColors hasColors{};
    std::vector<TColor> ColorPreset;
    std::array<TColor, 10> PresetColors{};
    std::string SkinName;
};

// Events.
using TOnFormSkin = std::function<void(TObject* Sender, const std::string& aName, bool& DoSkin)>;
using TOnSkinForm = std::function<void(TObject* Sender, HWND ahwnd, const std::string& aName)>;
using TOnSkinControl =
    std::function<void(TComponent* Sender, TSkinData* SkinData, TComponent* Form, TComponent* Control,
                       const std::string& ControlClass, TComponent*& SkinnedControl)>;

// The platform's side of one component: system metrics, the caption font, the application icon, the
// button-face brush and the hint window. The portable default answers with fixed metrics and owns no
// platform objects; the Windows build installs its own (InstallSkinDataPlatform).
class SkinDataNative {
public:
    virtual ~SkinDataNative() = default;
    enum Metric { cxMaximized, cyMaximized, cxHScroll, cxSmallIcon, cySmallIcon };
    virtual int SystemMetric(Metric m) const;
    // GetScrollBarInfo was found in user32 at start-up.
    virtual bool HasScrollBarInfo() const { return true; }
    virtual void GetCaptionFont() {}
    virtual HFONT CaptionFont() const { return nullptr; }
    // Draws the application's small icon onto magenta; false when the application has no icon.
    virtual bool GetAppIcon(TBitmap& icon) { return false; }
    virtual void MakeBGBrush(TColor color) {}
    virtual HBRUSH BGBrush() const { return nullptr; }
    virtual void ShowHint(const TRect& rect, const std::wstring& text) {}
    virtual void HideHint() {}
    // The window of a component's owner when that owner is a form, nullptr otherwise.
    virtual HWND FormWindow(TComponent* owner) const { return nullptr; }
};
using TSkinDataNativeFactory = std::unique_ptr<SkinDataNative> (*)(TSkinData& owner);
// The factory that new components use; nullptr restores the portable default. Returns the previous one.
TSkinDataNativeFactory SetSkinDataNativeFactory(TSkinDataNativeFactory factory);

class TSkinData : public TComponent, public TSkinContent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TSkinData(TComponent* AOwner);
    ~TSkinData() override;

    // Published properties.
    bool Active() const { return factive; }
    void SetActive(bool value);
    std::int32_t DisableTag() const { return fdisableTag; }
    void SetDisableTag(std::int32_t value) { fdisableTag = value; }
    TSkinControlTypes SkinControls() const { return FSkinControls; }
    void SetSkinControls(TSkinControlTypes value) { FSkinControls = value; }
    TSkinOptions Options() const { return fSkinOptions; }
    void SetOptions(TSkinOptions value) { fSkinOptions = value; }
    const TStringList& Skin3rd() const { return f3rdControls; }
    void SetSkin3rd(const TStringList& rows) { f3rdControls.Assign(rows); }
    const std::string& SkinFile() const { return fskinfile; }
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return ftype; }
    void SetSkinFormtype(TSkinFormType value) { ftype = value; }
    std::string Version() const { return fversion; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate() const { return fmenuauto; }
    void SetMenuUpdate(bool value) { fmenuauto = value; }
    bool MenuMerge() const { return fmenumerge; }
    void SetMenuMerge(bool value) { fmenumerge = value; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // Framework hooks.
    void Loaded() override;
    void DefineProperties(TFiler& filer) override;
    // The SkinStream value: a signed 32-bit count N, then N bytes of packed skin.
    void ReadSkinStream(TStream& stream);
    void WriteSkinStream(TStream& stream) const;

    // Loading. Each replaces data, parses it and asks the manager to refresh the skinned windows.
    void LoadFromFile(const std::string& fileName);  // also the SkinFile setter
    void LoadFromStream(TStream& stream);
    // Skin index of a skin store (TSkinStore); an index outside the store loads nothing.
    void LoadFromCollection(TPersistent* store, int index);
    // Reads one image of the package being parsed; outside a parse the bitmap is emptied.
    void Readbmp(TBitmap& bitmap, const std::string& fileName);

    bool GetPrecolor(TColor& color, int index) const;
    static std::string GetFileName(const std::string& text);
    TColor GetCaptionColor() const;

    // Requests to the skin manager.
    void Install();
    void Uninstall();
    void EnableSkin(bool value);
    void SkinForm(HWND window);
    void ChangeForm(HWND formWindow);
    void InstallThread(std::uint32_t threadId);
    void UnInstallThread(std::uint32_t threadId);
    // The last word on skinning a window (called by the manager).
    void DoFormSkin(HWND window, const std::string& className, bool& DoSkin);
    void DoSkinChanged();
    // Sets an enumeration property of any object from a value name; anything else does nothing.
    void ChangeProperty(TObject* object, const std::string& propName, const std::string& value);

    // Platform services.
    void GetAppIcon();
    HFONT CaptionFont() const { return native_->CaptionFont(); }
    HBRUSH BGBrush() const { return native_->BGBrush(); }
    void ActivateHint(const TRect& rect, const std::wstring& hint);
    void HideHint();
    bool IsHint() const { return hashint; }
    void DoDebug(const std::string& text);
    SkinDataNative& Native() { return *native_; }

    // Fields the skinners read.
    TMemoryStream data;  // the packed skin
    bool Empty = true;   // no parsed skin available
    TBitmap SysIcon;     // the application's small icon on magenta
    TBitmap bmpmenu;     // 16 x 16 glyphs of the menu bar's MDI buttons, white transparent
    bool hashint = false;
    std::int32_t hintcount = 0;
    bool MenuMsg = true;
    HWND formhwnd = nullptr;
    std::int32_t cxMax = 0;
    std::int32_t cyMax = 0;
    TStringList* DebugList = nullptr;  // not owned
    TWinContainers FContainers;
    bool FInDLL = false;
    TColor fMenuSideBar = 0;

private:
    bool Designing() const { return HasState(csDesigning); }
    bool Reading() const { return HasState(csReading | csLoading); }
    bool LoadSkin();
    void ApplySkinChange();
    void GetCaptionFont();
    // Takes over a whole parsed skin; `arrowFilled`: the parse rebuilt comboxarrow's image.
    void CommitSkin(TSkinContent&& parsed, bool arrowFilled);

    bool factive = false;
    std::int32_t fdisableTag = 99;
    TSkinControlTypes FSkinControls;
    TSkinOptions fSkinOptions;
    TStringList f3rdControls;
    std::string fskinfile;
    TSkinFormType ftype = sfMainform;
    std::string fversion = kSkinDataVersion;
    bool fmenuauto = true;
    bool fmenumerge = false;

    std::unique_ptr<SkinDataNative> native_;
    bool loaded_ = false;  // Loaded has run at run time

    // The load in progress, set and cleared by the load itself; images are readable only meanwhile.
    friend class TSkinLoad;
    TSkinLoad* load_ = nullptr;
};

// The caption colour a skin gives: a pixel in the first third of the first cell of the Top border image,
// or the button-face colour when that image is empty.
TColor CaptionColorOf(const TSkinContent& skin);
