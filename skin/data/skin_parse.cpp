// Loading a skin: unpack the package, read its skin description and images into a new set of skin
// objects, derive the images painting needs, and take the result over only when all of it succeeded.
#include <algorithm>
#include <cctype>

#include "skin/data/skin_data.h"
#include "skin/data/skin_resources.h"
#include "skin/imaging/img_util.h"
#include "skin/storage/quick_ini.h"
#include "skin/storage/skin_read.h"

namespace {

constexpr TColor kMagenta = RGBColor(255, 0, 255);

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

int AtLeast1(int n) { return n < 1 ? 1 : n; }
int NotNegative(int n) { return n < 0 ? 0 : n; }

// Which of the common keys a section has: the key naming its image, "Style", "Frame", the three state
// colours with their three text colours, and what a Tile value above 1 becomes. Every section also has
// the four margins, "Trans" and "Tile".
struct TObjectKeys {
    const char* image = "Image";
    bool style = true;
    bool frame = false;
    bool colours = true;
    std::int32_t tileAbove1 = 0;
};

constexpr TObjectKeys kPlainKeys{.frame = true};
constexpr TObjectKeys kBorderKeys{};  // the second image is read beside them
constexpr TObjectKeys kProgressKeys{.image = "Bitmap", .colours = false, .tileAbove1 = 1};
constexpr TObjectKeys kButtonKeys{.image = "Bitmap", .style = false};

}  // namespace

TColor CaptionColorOf(const TSkinContent& skin) {
    const TDataSkinBorder* top = skin.border[2].get();
    if (!top || top->Map.Empty()) return skin.Colors[scheme::kButtonFace];
    const int cellHeight = top->Map.Height() / AtLeast1(top->frame);
    return top->Map.Pixel(top->Map.Width() / 3, cellHeight / 3);
}

// One load: the unpacked package, its description and the content being built. It exists for the
// duration of one LoadSkin, and only while it does can the component read images.
class TSkinLoad {
public:
    explicit TSkinLoad(TSkinData& owner) : owner_(owner) {
        content.MakeFixedObjects();
        owner_.load_ = this;
    }
    ~TSkinLoad() { owner_.load_ = nullptr; }
    TSkinLoad(const TSkinLoad&) = delete;
    TSkinLoad& operator=(const TSkinLoad&) = delete;

    // Unpacks `data` and reads the whole skin into `content`; false when it is no skin package.
    // A damaged package or description throws.
    bool Run(TStream& data);
    void Readbmp(TBitmap& bitmap, const std::string& name);

    TSkinContent content;
    bool arrowFilled = false;  // this load rebuilt comboxarrow's image

private:
    // The one reader skeleton: the object of a section that names an image under `imageKey`, created
    // afresh with that image; nullptr (and `field` empty) when the section names none.
    template <class T>
    T* Create(std::unique_ptr<T>& field, const std::string& section, const char* imageKey);
    void ReadKeys(TDataSkinObject& o, const std::string& section, const TObjectKeys& keys);
    template <class T>
    T* Read(std::unique_ptr<T>& field, const std::string& section, const TObjectKeys& keys = kPlainKeys);

    void ReadBorder(std::unique_ptr<TDataSkinBorder>& field, const std::string& section,
                    const char* secondKey);
    void ReadBoxLabel(std::unique_ptr<TDataSkinBoxLabel>& field, const std::string& section);
    void ReadButtons();
    void ReadMenuBar(std::unique_ptr<TDataSkinObject>& field, const std::string& section);
    void ReadTitle(TDataSkinTitle& title, const std::string& section);
    void ReadTextColor(const std::string& section, const std::string& prefix, TColor& color);
    void ReadFrameBorders();
    void ReadCaptionButtons();
    void CutMdiButtons(int first);
    void LoadResourceObject(std::unique_ptr<TDataSkinObject>& field, const std::string& name);
    void ReadColours();
    void ReadSchemeColor(int index, const std::string& key, TColor fallback);
    void SetFrameCounts();
    void MakeComboImages();
    void MakeComboArrow();
    void MakeToolbarImage();

    TSkinData& owner_;
    TSkinReader reader_;
    TMemoryStream scratch_;  // the file read last
    TQuickIni ini_;
    TStringList sections_;
};

// ---- loading -----------------------------------------------------------------------------------------

bool TSkinData::LoadSkin() {
    Empty = true;
    if (Designing()) return false;

    TSkinLoad load(*this);
    bool parsedOk = false;
    try {
        data.SetPosition(0);
        parsedOk = load.Run(data);
    } catch (...) {
        // A damaged package or description: the skin in use stays as it was.
        parsedOk = false;
    }
    if (!parsedOk) return false;

    CommitSkin(std::move(load.content), load.arrowFilled);
    native_->MakeBGBrush(Colors[scheme::kButtonFace]);
    Empty = false;
    return true;
}

// The content is taken over as a whole. The frame borders, the title and the button face keep their
// identity across loads (skinners may hold them); so do the derived toolbar and combo arrow, and the
// arrow keeps its image when this load made none.
void TSkinData::CommitSkin(TSkinContent&& parsed, bool arrowFilled) {
    // A long-lived object takes the new contents and then stands in the new content in their place, so
    // the move of the whole content below puts it back where it was.
    auto keep = [](auto& current, auto& fresh) {
        if (!current || !fresh) return;
        *current = std::move(*fresh);
        fresh = std::move(current);
    };
    for (std::size_t i = 0; i < border.size(); ++i) keep(border[i], parsed.border[i]);
    keep(Title, parsed.Title);
    keep(Button, parsed.Button);
    keep(Toolbar, parsed.Toolbar);
    if (comboxarrow && !arrowFilled)
        parsed.comboxarrow = std::move(comboxarrow);
    else
        keep(comboxarrow, parsed.comboxarrow);

    TSkinContent::operator=(std::move(parsed));
}

void TSkinData::Readbmp(TBitmap& bitmap, const std::string& fileName) {
    if (load_)
        load_->Readbmp(bitmap, fileName);
    else
        bitmap.Clear();
}

void TSkinLoad::Readbmp(TBitmap& bitmap, const std::string& fileName) {
    const std::size_t sep = fileName.find_last_of("\\:");
    const std::string name = sep == std::string::npos ? fileName : fileName.substr(sep + 1);
    const std::size_t dot = name.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    if (name.empty() || ext != ".bmp") {
        bitmap.Clear();
        return;
    }
    reader_.readfile(name, scratch_);
    if (scratch_.Size() <= 0) {
        bitmap.Clear();
        return;
    }
    scratch_.SetPosition(0);
    bitmap.LoadFromStream(scratch_);  // a file that is not a BMP leaves the bitmap empty
}

// ---- the parse ---------------------------------------------------------------------------------------

bool TSkinLoad::Run(TStream& data) {
    if (!reader_.Loadfromstream(data)) return false;
    std::string iniName;
    reader_.readIni(".ini", scratch_, iniName);
    scratch_.SetPosition(0);
    ini_.LoadFromStream(scratch_);

    TSkinContent& s = content;
    ini_.ReadSections(&sections_);
    s.SkinName = ini_.ReadString("TitlebarSkin", "SkinName", "");
    ReadFrameBorders();
    ReadColours();
    ReadCaptionButtons();

    ReadButtons();
    ReadTitle(*s.Title, "Personality");
    Read(s.progress, "Progress", kProgressKeys);
    Read(s.progresschunk, "Progress.Chunk");
    ReadMenuBar(s.Menubar, "Personality");
    Read(s.Box, "GroupBoxEdge");
    ReadBoxLabel(s.boxlabel, "GroupBox");
    ReadBorder(s.tab, "Tabs", "Border");
    Read(s.StatusBar, "StatusBarEdges");
    Read(s.TabSheet, "Tab.Pane");
    if (s.TabSheet) {
        TRect& r = s.TabSheet->r;
        r = {std::min(r.Left, 4), std::min(r.Top, 4), std::min(r.Right, 4), std::min(r.Bottom, 4)};
    }
    Read(s.Toolbarbtn, "ToolBars");
    ReadBorder(s.combox, "ComboButton", "****");
    Read(s.Comboxborder, "SunkEdge");

    if (s.combox && !s.combox->Map.Empty()) {  // for right-to-left layouts
        s.combox->MaskMap.Assign(s.combox->Map);
        s.combox->MaskMap.SetPixelFormat(pf24bit);
        MirrorBitmap(s.combox->MaskMap);
    }

    Read(s.ExtraImages, "ExtraImages");
    Read(s.Header, "Headerbar");
    Read(s.MenuItem, "MenuItem");
    Read(s.MenuitemBG, "MenuBackground");
    Read(s.SArrow, "Scrollbar");
    Read(s.HBar, "HorzScroll");
    Read(s.VBar, "VertScroll");
    Read(s.HSlider, "HorzScrollThumb");
    Read(s.VSlider, "VertScrollThumb");
    Read(s.TrackHorz, "Trackbar.ThumbHorz");
    Read(s.TrackVert, "Trackbar.ThumbVert");
    Read(s.TrackLeft, "Trackbar.ThumbLeft");
    Read(s.Trackright, "Trackbar.ThumbRight");
    Read(s.Tracktop, "Trackbar.ThumbUp");
    Read(s.Trackbottom, "Trackbar.ThumbDown");
    ReadBorder(s.HSpin, "UpDown.Horz", "GlyphImage");
    ReadBorder(s.VSpin, "UpDown.Vert", "GlyphImage");
    Read(s.TrackBar, "Track");
    Read(s.TrackBarVert, "TRACKVERT");
    if (!s.TrackBar) LoadResourceObject(s.TrackBar, "TRACK");
    if (!s.TrackBarVert) LoadResourceObject(s.TrackBarVert, "TRACKVERT");

    SetFrameCounts();
    MakeComboImages();
    MakeComboArrow();
    MakeToolbarImage();

    s.Colors[scheme::kCaptionColor] = CaptionColorOf(s);
    return true;
}

template <class T>
T* TSkinLoad::Create(std::unique_ptr<T>& field, const std::string& section, const char* imageKey) {
    field.reset();
    const std::string image = ini_.ReadString(section, imageKey, "");
    if (image.empty()) return nullptr;
    field = std::make_unique<T>(section);
    Readbmp(field->Map, image);
    return field.get();
}

void TSkinLoad::ReadKeys(TDataSkinObject& o, const std::string& section, const TObjectKeys& keys) {
    if (keys.style) o.style = ini_.ReadInteger(section, "Style", 0);
    o.r.Left = ini_.ReadInteger(section, "LeftWidth", 0);
    o.r.Right = ini_.ReadInteger(section, "RightWidth", 0);
    o.r.Top = ini_.ReadInteger(section, "TopHeight", 0);
    o.r.Bottom = ini_.ReadInteger(section, "BottomHeight", 0);
    if (keys.frame) o.frame = NotNegative(ini_.ReadInteger(section, "Frame", 0));
    o.trans = ini_.ReadInteger(section, "Trans", 0);
    o.Tile = ini_.ReadInteger(section, "Tile", 0);
    if (o.Tile > 1) o.Tile = keys.tileAbove1;
    if (!keys.colours) return;
    o.Normalcolor = ini_.ReadInteger(section, "NormalColour", -1);
    o.Overcolor = ini_.ReadInteger(section, "MouseOverColour", -1);
    o.Downcolor = ini_.ReadInteger(section, "PressedColour", -1);
    const TColor text = content.Colors[scheme::kButtonText];
    auto colour2 = [&](const char* key) {
        const std::string v = ini_.ReadString(section, key, "");
        return v.empty() ? text : ParseColorText(v);
    };
    o.Normalcolor2 = colour2("NormalColour2");
    o.Overcolor2 = colour2("MouseOverColour2");
    o.Downcolor2 = colour2("PressedColour2");
}

template <class T>
T* TSkinLoad::Read(std::unique_ptr<T>& field, const std::string& section, const TObjectKeys& keys) {
    T* o = Create(field, section, keys.image);
    if (o) ReadKeys(*o, section, keys);
    return o;
}

void TSkinLoad::ReadBorder(std::unique_ptr<TDataSkinBorder>& field, const std::string& section,
                           const char* secondKey) {
    TDataSkinBorder* o = Read(field, section, kBorderKeys);
    if (!o) return;
    const std::string second = ini_.ReadString(section, secondKey, "");
    if (!second.empty()) Readbmp(o->MaskMap, second);
}

void TSkinLoad::ReadBoxLabel(std::unique_ptr<TDataSkinBoxLabel>& field, const std::string& section) {
    TDataSkinBoxLabel* o = Read(field, section, kBorderKeys);
    if (!o) return;
    o->Alignment = ini_.ReadInteger(section, "BackgroundAlignment", 0);
    o->LeftShift = ini_.ReadInteger(section, "BackgroundLeftShift", 0);
    o->RightShift = ini_.ReadInteger(section, "BackgroundRightShift", 0);
}

// The button face is always there: a skin without its image leaves the image empty.
void TSkinLoad::ReadButtons() {
    const std::string section = "Buttons";
    TDataSkinButton& b = *content.Button;
    Readbmp(b.Map, ini_.ReadString(section, kButtonKeys.image, ""));
    ReadKeys(b, section, kButtonKeys);
    Readbmp(b.CheckMap, ini_.ReadString(section, "CheckButton", ""));
    Readbmp(b.RadioMap, ini_.ReadString(section, "RadioButton", ""));
    b.radioframe = NotNegative(ini_.ReadInteger(section, "RadioButtonFrame", 0));
    b.checkframe = NotNegative(ini_.ReadInteger(section, "CheckButtonFrame", 0));
    // Which text colours the skin gives itself rather than leaving to ButtonText.
    b.newnormal = !ini_.ReadString(section, "NormalColour2", "").empty();
    b.newover = !ini_.ReadString(section, "MouseOverColour2", "").empty();
    b.newdown = !ini_.ReadString(section, "PressedColour2", "").empty();
}

void TSkinLoad::ReadMenuBar(std::unique_ptr<TDataSkinObject>& field, const std::string& section) {
    TDataSkinObject* o = Create(field, section, "menuBar");
    if (!o) return;
    o->r.Top = o->r.Bottom = 0;
    o->Tile = ini_.ReadInteger(section, "TileMenu", 1);
    o->r.Left = ini_.ReadInteger(section, "TileLeftMenu", 1);
    o->r.Right = ini_.ReadInteger(section, "TileRightMenu", 1);
    if (o->Tile > 1) o->Tile = 1;
}

void TSkinLoad::ReadTitle(TDataSkinTitle& title, const std::string& section) {
    Readbmp(title.Map, ini_.ReadString(section, "TextBack", ""));
    title.r.Left = ini_.ReadInteger(section, "TextShift", 0);
    title.r.Top = ini_.ReadInteger(section, "TextShiftVert", 0);
    title.r.Right = ini_.ReadInteger(section, "TextRightClip", 0);
    title.r.Bottom = 0;
    title.Aligment = ini_.ReadInteger(section, "TextAlignment", 0);
    title.BackGround = ini_.ReadInteger(section, "Textbackground", 0);
    title.FontHeight = ini_.ReadInteger("Fonts", "FontHeight", 14);
    title.backleft = ini_.ReadInteger(section, "TXTBackleft", 0);
    title.backright = ini_.ReadInteger(section, "TXTBackRight", 0);
    title.activetext = clNone;
    title.inactivetext = clNone;
    ReadTextColor(section, "ActiveText", title.activetext);
    ReadTextColor(section, "InActiveText", title.inactivetext);
}

void TSkinLoad::ReadTextColor(const std::string& section, const std::string& prefix, TColor& color) {
    const int r = ini_.ReadInteger(section, prefix + "R", -1);
    const int g = ini_.ReadInteger(section, prefix + "G", -1);
    const int b = ini_.ReadInteger(section, prefix + "B", -1);
    if (r >= 0 && g >= 0 && b >= 0) color = RGBColor(r % 256, g % 256, b % 256);
}

void TSkinLoad::ReadFrameBorders() {
    const std::string section = "Personality";
    for (std::size_t i = 0; i < 4; ++i) {
        TDataSkinBorder& b = *content.border[i];
        const std::string id = b.IDName;
        const int start = ini_.ReadInteger(section, id + "TopHeight", 0);
        const int end = ini_.ReadInteger(section, id + "BotHeight", 0);
        if (i < 2)  // Left and Right: the ends of a vertical strip
            b.r = {0, start, 0, end};
        else  // Top and Bottom: the ends of a horizontal strip
            b.r = {start, 0, end, 0};
        b.frame = AtLeast1(ini_.ReadInteger(section, id + "Frame", 1));
        b.Tile = ini_.ReadInteger(section, id + "Stretch", 1);
        b.trans = ini_.ReadInteger(section, id + "Trans", 1);
        Readbmp(b.Map, ini_.ReadString(section, id, ""));
        if (b.Tile > 1) b.Tile = 1;
    }
}

void TSkinLoad::ReadCaptionButtons() {
    std::vector<std::unique_ptr<TDataSkinSysButton>>& buttons = content.SysBtn;
    buttons.clear();

    std::vector<std::string> kept;
    for (int i = 0; i < sections_.Count(); ++i) {
        const std::string& name = sections_[i];
        const std::string upper = Upper(name);
        if (!StartsWith(upper, "BUTTON")) continue;
        if (upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX" || upper == "BUTTON")
            continue;
        if (ini_.ReadInteger(name, "Action", 0) == -1 && ini_.ReadInteger(name, "Visibility", -1) != 0)
            continue;
        kept.push_back(name);
    }

    const int n = int(kept.size());
    bool remembered = false;
    int rememberedX = 0, rememberedY = 0;
    for (const std::string& section : kept) {
        auto b = std::make_unique<TDataSkinSysButton>(Upper(section));
        b->Action = ini_.ReadInteger(section, "Action", 0);
        b->Align = ini_.ReadInteger(section, "Align", 0);
        b->XCoord = ini_.ReadInteger(section, "Xcoord", 0);
        b->YCoord = ini_.ReadInteger(section, "Ycoord", 0);
        b->Visibility = ini_.ReadInteger(section, "Visibility", 0);
        b->Visibility1 = ini_.ReadInteger(section, "Visibility1", b->Action == -1 ? -1 : 0);
        if (b->Action == 1 && b->Visibility == 2) {
            remembered = true;
            rememberedX = b->XCoord;
            rememberedY = b->YCoord;
        }
        if (b->Action == 4 && remembered) {  // without an earlier one it keeps its own position
            b->XCoord = rememberedX;
            b->YCoord = rememberedY;
        }
        b->CombineOp = ini_.ReadInteger(section, "CombineOp", -1);
        b->frame = NotNegative(ini_.ReadInteger(section, "frame", 0));
        Readbmp(b->Map, ini_.ReadString(section, "ButtonImage", ""));
        if (b->frame == 0) {
            b->frame = 6;
            if (!b->Map.Empty()) b->frame = double(b->Map.Width()) / b->Map.Height() <= 3.8 ? 3 : 6;
            if (b->Action < 0) b->frame = 6;
            if (b->Action == 3 || b->Action == 11) b->Map.Clear();
        }
        buttons.push_back(std::move(b));
    }

    for (int action = 7; action <= 9; ++action) {
        auto b = std::make_unique<TDataSkinSysButton>();
        b->Action = action;
        b->Align = b->Visibility = b->Visibility1 = 100;
        b->frame = 4;
        buttons.push_back(std::move(b));
    }
    CutMdiButtons(n);
}

void TSkinLoad::CutMdiButtons(int first) {
    TBitmap source;
    Readbmp(source, ini_.ReadString("MDICONTROLS", "Image", ""));
    if (source.Empty()) return;
    const int cw = source.Width() / 12;
    const int h = source.Height();
    for (int i = 0; i < 3; ++i) {
        TDataSkinSysButton& b = *content.SysBtn[std::size_t(first + i)];
        b.Map = TBitmap(4 * cw, h, source.PixelFormat() == pf32bit ? pf32bit : pf24bit);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < 4 * cw; ++x) b.Map.SetPixel(x, y, source.Pixel(4 * i * cw + x, y));
        b.XCoord = (cw + 4) * (3 - i);
    }
}

void TSkinLoad::LoadResourceObject(std::unique_ptr<TDataSkinObject>& field, const std::string& name) {
    field = std::make_unique<TDataSkinObject>(name);
    TDataSkinObject* o = field.get();
    LoadSkinResourceBitmap(name, o->Map);
    o->r = {3, 3, 3, 3};
    o->Tile = 0;
    o->frame = 1;
}

// ---- colours -----------------------------------------------------------------------------------------

void TSkinLoad::ReadSchemeColor(int index, const std::string& key, TColor fallback) {
    const std::string value = ini_.ReadString("Colours", key, "");
    TSkinContent& s = content;
    s.hasColors[std::size_t(index)] = !value.empty();
    s.Colors[std::size_t(index)] = value.empty() ? fallback : ParseColorText(value);
}

void TSkinLoad::ReadColours() {
    TSkinContent& s = content;
    for (const TSchemeColorKey& k : kSchemeColorKeys)
        ReadSchemeColor(k.index, k.key,
                        k.fallback == kDefaultFromButtonFace ? s.Colors[scheme::kButtonFace] : k.fallback);

    s.ColorPreset.clear();
    for (int i = 0; i < sections_.Count(); ++i) {
        const std::string& name = sections_[i];
        const std::string upper = Upper(name);
        if (!StartsWith(upper, "COLOUR") || upper == "COLOURS") continue;
        const std::string value = ini_.ReadString(name, "color", "");
        s.ColorPreset.push_back(value.empty() ? clWindowText : ParseColorText(value));
    }
    for (int i = 0; i < 10; ++i) {
        const std::string value = ini_.ReadString("Customcolors", "Color" + std::to_string(i), "");
        s.PresetColors[std::size_t(i)] = value.empty() ? clWhite : ParseColorText(value);
    }
}

// ---- cell counts and derived images ------------------------------------------------------------------

void TSkinLoad::SetFrameCounts() {
    TSkinContent& s = content;
    TDataSkinButton& b = *s.Button;
    b.frame = 5;
    auto cells = [](const TBitmap& map) { return std::max(map.Width() / (map.Height() < 16 ? 13 : 16), 4); };
    if (b.radioframe == 0) b.radioframe = cells(b.RadioMap);
    if (b.checkframe == 0) b.checkframe = cells(b.CheckMap);

    auto set = [](auto& o, int n) {
        if (o) o->frame = n;
    };
    set(s.Title, 2);
    if (s.progress) s.progress->frame = s.progress->style != 0 ? 1 : 2;
    set(s.Menubar, 2);
    set(s.Box, 2);
    set(s.boxlabel, 1);
    set(s.tab, 5);
    set(s.StatusBar, 3);
    set(s.TabSheet, 1);
    set(s.Toolbarbtn, 5);
    set(s.combox, 4);
    set(s.Comboxborder, 4);
    set(s.ExtraImages, 5);
    if (s.Header && s.Header->frame == 0) s.Header->frame = 5;
    set(s.MenuItem, 5);
    set(s.MenuitemBG, 1);
    set(s.SArrow, 23);
    set(s.HBar, 4);
    set(s.VBar, 4);
    if (s.HSlider) s.HSlider->frame = ini_.ReadInteger("HorzScrollThumb", "FrameCount", 3);
    if (s.VSlider) s.VSlider->frame = ini_.ReadInteger("VertScrollThumb", "FrameCount", 3);
    for (auto* t : {&s.TrackHorz, &s.TrackVert, &s.TrackLeft, &s.Trackright, &s.Tracktop, &s.Trackbottom})
        set(*t, 5);
    set(s.HSpin, 8);
    set(s.VSpin, 8);

    // Painters divide by these counts: none may be below 1, whatever the skin says.
    auto clamp = [](TDataSkinObject* o) {
        if (o) o->frame = AtLeast1(o->frame);
    };
    for (TDataSkinObject* o : {static_cast<TDataSkinObject*>(s.progresschunk.get()), s.HSlider.get(),
                               s.VSlider.get(), s.TrackBar.get(), s.TrackBarVert.get(), s.Header.get()})
        clamp(o);
}

void TSkinLoad::MakeComboImages() {
    TSkinContent& s = content;
    if (!s.Comboxborder || !s.combox) return;
    TDataSkinObject& edge = *s.Comboxborder;
    TDataSkinBorder& button = *s.combox;
    const int n = edge.frame;
    const int w = owner_.Native().SystemMetric(SkinDataNative::cxHScroll) + 2;

    TBitmap work(50, 21, pf24bit);
    TBitmap faces(50 * n, 21, pf24bit);
    faces.Fill(kMagenta);
    for (int i = 1; i <= n; ++i) {
        work.Fill(kMagenta);
        DrawSkinRect(work, Rect(0, 0, 50, 21), edge.Map, edge.r, i, n, edge.trans != 0, false, false);
        const TRect buttonRect = Rect(50 - w, 0, 50, 21);
        DrawSkinRect(work, buttonRect, button.Map, button.r, i, button.frame, true, false, false);
        if (s.ExtraImages)
            DrawSkinCellCentered(work, buttonRect, s.ExtraImages->Map, i, s.ExtraImages->frame, true);
        for (int y = 2; y < 18; ++y)
            for (int x = 2; x < 49 - w; ++x) work.SetPixel(x, y, kMagenta);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 50; ++x) faces.SetPixel((i - 1) * 50 + x, y, work.Pixel(x, y));
    }
    button.style = 2;
    button.r = {2, edge.r.Top, w + 2, edge.r.Bottom};
    button.Map.Assign(faces);

    MirrorBitmap(faces);
    edge.Map = std::move(faces);
    edge.r.Left = w + 2;
    edge.r.Right = 2;
}

void TSkinLoad::MakeComboArrow() {
    TSkinContent& s = content;
    if (!s.comboxarrow) s.comboxarrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TDataSkinObject& arrow = *s.comboxarrow;
    if (!s.Comboxborder && s.combox) {
        arrow.Map.Assign(s.combox->Map);
        ReplaceKeyColor(arrow.Map, s.Colors[scheme::kButtonFace]);
        arrow.frame = s.combox->frame;
        arrowFilled = true;
    } else if (s.Comboxborder && s.combox && s.combox->style == 2) {
        const int n = s.Comboxborder->frame;
        const int cw = s.combox->Map.Width() / AtLeast1(n);
        TBitmap cells(17 * n, 17, pf24bit);
        for (int i = 1; i <= n; ++i)
            for (int y = 0; y < 17; ++y)
                for (int x = 0; x < 17; ++x)
                    cells.SetPixel(17 * (i - 1) + x, y, s.combox->Map.Pixel(i * cw - 19 + x, 2 + y));
        arrow.Map = std::move(cells);
        arrow.frame = n;
        arrowFilled = true;
    }
    arrow.frame = AtLeast1(arrow.frame);
}

void TSkinLoad::MakeToolbarImage() {
    TSkinContent& s = content;
    TBitmap bar(10, 40, pf24bit);
    const TColor c = CaptionColorOf(s);
    TColor bottom = BlendColors(RGBColor(0x80, 0x80, 0x80), c, 150);
    const TColor top = BlendColors(s.Colors[scheme::kButtonFace], clWhite, 150);
    const int saturation = ColorSaturation(c);
    if (saturation > 110) bottom = BlendColors(c, clWhite, (225 - saturation) * 25 / 140 + 50);
    FillGradientRect(bar, Rect(0, 0, 10, 40), top, bottom, 1);
    if (!s.Toolbar) s.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    s.Toolbar->Map = std::move(bar);
    s.Toolbar->frame = 1;
}
