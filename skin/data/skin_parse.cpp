// Loading a skin: unpack the package, read its skin description and images into a new set of skin
// objects, derive the images painting needs, and take the result over only when all of it succeeded.
#include <algorithm>
#include <cctype>

#include "skin/data/skin_resources.h"
#include "skin/data/skin_data.h"
#include "skin/imaging/img_util.h"
#include "skin/storage/skin_read.h"
#include "skin/storage/quick_ini.h"

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

}  // namespace

TColor CaptionColorOf(const TSkinContent& skin) {
    const TDataSkinBorder* top = skin.border[2].get();
    if (!top || top->Map.Empty()) return skin.Colors[3];
    const int cellHeight = top->Map.Height() / AtLeast1(top->frame);
    return top->Map.Pixel(top->Map.Width() / 3, cellHeight / 3);
}

// ---- loading -----------------------------------------------------------------------------------------

bool TSkinData::LoadSkin() {
    Empty = true;
    if (Designing()) return false;

    TSkinContent content;
    content.MakeFixedObjects();
    TSkinReader packageReader;
    TMemoryStream scratch;
    TQuickIni description;
    bool parsedOk = false;
    try {
        data.SetPosition(0);
        if (packageReader.Loadfromstream(data)) {
            reader = &packageReader;
            ms = &scratch;
            ini = &description;
            std::string iniName;
            reader->readIni(".ini", *ms, iniName);
            ms->SetPosition(0);
            ini->LoadFromStream(*ms);
            parsed_ = &content;
            ParseSkin();
            parsedOk = true;
        }
    } catch (...) {
        // A damaged package or description: the skin in use stays as it was.
        parsedOk = false;
    }
    reader = nullptr;
    ms = nullptr;
    ini = nullptr;
    parsed_ = nullptr;
    delete sectionlist;
    sectionlist = nullptr;
    if (!parsedOk) return false;

    CommitSkin(std::move(content));
    native_->MakeBGBrush(Colors[3]);
    Empty = false;
    return true;
}

// The frame borders, the title and the button face keep their identity across loads (skinners may hold
// them); so do the derived toolbar and combo arrow. Everything else is replaced.
void TSkinData::CommitSkin(TSkinContent&& parsed) {
    auto keep = [](auto& current, auto& fresh) {
        if (current && fresh)
            *current = std::move(*fresh);
        else
            current = std::move(fresh);
    };
    for (std::size_t i = 0; i < border.size(); ++i) keep(border[i], parsed.border[i]);
    keep(Title, parsed.Title);
    keep(Button, parsed.Button);
    keep(Toolbar, parsed.Toolbar);
    if (!comboxarrow || arrowFilled_) keep(comboxarrow, parsed.comboxarrow);

    SysBtn = std::move(parsed.SysBtn);
    progress = std::move(parsed.progress);
    progresschunk = std::move(parsed.progresschunk);
    Menubar = std::move(parsed.Menubar);
    Box = std::move(parsed.Box);
    boxlabel = std::move(parsed.boxlabel);
    tab = std::move(parsed.tab);
    StatusBar = std::move(parsed.StatusBar);
    TabSheet = std::move(parsed.TabSheet);
    Toolbarbtn = std::move(parsed.Toolbarbtn);
    combox = std::move(parsed.combox);
    Comboxborder = std::move(parsed.Comboxborder);
    ExtraImages = std::move(parsed.ExtraImages);
    Header = std::move(parsed.Header);
    MenuItem = std::move(parsed.MenuItem);
    MenuitemBG = std::move(parsed.MenuitemBG);
    SArrow = std::move(parsed.SArrow);
    HBar = std::move(parsed.HBar);
    VBar = std::move(parsed.VBar);
    HSlider = std::move(parsed.HSlider);
    VSlider = std::move(parsed.VSlider);
    TrackHorz = std::move(parsed.TrackHorz);
    TrackVert = std::move(parsed.TrackVert);
    TrackLeft = std::move(parsed.TrackLeft);
    Trackright = std::move(parsed.Trackright);
    Tracktop = std::move(parsed.Tracktop);
    Trackbottom = std::move(parsed.Trackbottom);
    HSpin = std::move(parsed.HSpin);
    VSpin = std::move(parsed.VSpin);
    TrackBar = std::move(parsed.TrackBar);
    TrackBarVert = std::move(parsed.TrackBarVert);
    MinCaption = std::move(parsed.MinCaption);

    Colors = parsed.Colors;
    hasColors = parsed.hasColors;
    ColorPreset = std::move(parsed.ColorPreset);
    PresetColors = parsed.PresetColors;
    SkinName = std::move(parsed.SkinName);
}

void TSkinData::Readbmp(TBitmap& bitmap, const std::string& fileName) {
    const std::size_t sep = fileName.find_last_of("\\:");
    const std::string name = sep == std::string::npos ? fileName : fileName.substr(sep + 1);
    const std::size_t dot = name.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    if (name.empty() || ext != ".bmp" || !reader || !ms) {
        bitmap.Clear();
        return;
    }
    reader->readfile(name, *ms);
    if (ms->Size() <= 0) {
        bitmap.Clear();
        return;
    }
    ms->SetPosition(0);
    bitmap.LoadFromStream(*ms);  // a file that is not a BMP leaves the bitmap empty
}

// ---- the parse ---------------------------------------------------------------------------------------

void TSkinData::ParseSkin() {
    TSkinContent& s = *parsed_;
    arrowFilled_ = false;
    sectionlist = new TStringList;
    ini->ReadSections(sectionlist);
    s.SkinName = ini->ReadString("TitlebarSkin", "SkinName", "");
    ReadFrameBorders();
    ReadColours();
    ReadCaptionButtons();

    ReadButtons();
    ReadTitle(*s.Title, "Personality");
    ReadProgress(s.progress, "Progress");
    ReadSkinObject(s.progresschunk, "Progress.Chunk");
    ReadMenuBar(s.Menubar, "Personality");
    ReadSkinObject(s.Box, "GroupBoxEdge");
    ReadBoxLabel(s.boxlabel, "GroupBox");
    ReadBorderObject(s.tab, "Tabs", "Border");
    ReadSkinObject(s.StatusBar, "StatusBarEdges");
    ReadSkinObject(s.TabSheet, "Tab.Pane");
    if (s.TabSheet) {
        TRect& r = s.TabSheet->r;
        r = {std::min(r.Left, 4), std::min(r.Top, 4), std::min(r.Right, 4), std::min(r.Bottom, 4)};
    }
    ReadSkinObject(s.Toolbarbtn, "ToolBars");
    ReadBorderObject(s.combox, "ComboButton", "****");
    ReadSkinObject(s.Comboxborder, "SunkEdge");

    if (s.combox && !s.combox->Map.Empty()) {  // for right-to-left layouts
        s.combox->MaskMap.Assign(s.combox->Map);
        s.combox->MaskMap.SetPixelFormat(pf24bit);
        MirrorBitmap(s.combox->MaskMap);
    }

    ReadSkinObject(s.ExtraImages, "ExtraImages");
    ReadSkinObject(s.Header, "Headerbar");
    ReadSkinObject(s.MenuItem, "MenuItem");
    ReadSkinObject(s.MenuitemBG, "MenuBackground");
    ReadSkinObject(s.SArrow, "Scrollbar");
    ReadSkinObject(s.HBar, "HorzScroll");
    ReadSkinObject(s.VBar, "VertScroll");
    ReadSkinObject(s.HSlider, "HorzScrollThumb");
    ReadSkinObject(s.VSlider, "VertScrollThumb");
    ReadSkinObject(s.TrackHorz, "Trackbar.ThumbHorz");
    ReadSkinObject(s.TrackVert, "Trackbar.ThumbVert");
    ReadSkinObject(s.TrackLeft, "Trackbar.ThumbLeft");
    ReadSkinObject(s.Trackright, "Trackbar.ThumbRight");
    ReadSkinObject(s.Tracktop, "Trackbar.ThumbUp");
    ReadSkinObject(s.Trackbottom, "Trackbar.ThumbDown");
    ReadBorderObject(s.HSpin, "UpDown.Horz", "GlyphImage");
    ReadBorderObject(s.VSpin, "UpDown.Vert", "GlyphImage");
    ReadSkinObject(s.TrackBar, "Track");
    ReadSkinObject(s.TrackBarVert, "TRACKVERT");
    if (!s.TrackBar) LoadResourceObject(s.TrackBar, "TRACK");
    if (!s.TrackBarVert) LoadResourceObject(s.TrackBarVert, "TRACKVERT");

    SetFrameCounts();
    MakeComboImages();
    MakeComboArrow();
    MakeToolbarImage();

    s.Colors[17] = CaptionColorOf(s);
    delete sectionlist;
    sectionlist = nullptr;
}

template <class T>
T* TSkinData::NewObject(std::unique_ptr<T>& field, const std::string& id) {
    field = std::make_unique<T>(id);
    return field.get();
}

void TSkinData::ReadStdKeys(TDataSkinObject& o, const std::string& section, bool withFrame,
                            bool withColours) {
    o.style = ini->ReadInteger(section, "Style", 0);
    o.r.Left = ini->ReadInteger(section, "LeftWidth", 0);
    o.r.Right = ini->ReadInteger(section, "RightWidth", 0);
    o.r.Top = ini->ReadInteger(section, "TopHeight", 0);
    o.r.Bottom = ini->ReadInteger(section, "BottomHeight", 0);
    if (withFrame) o.frame = NotNegative(ini->ReadInteger(section, "Frame", 0));
    o.trans = ini->ReadInteger(section, "Trans", 0);
    o.Tile = ini->ReadInteger(section, "Tile", 0);
    if (!withColours) return;
    o.Normalcolor = ini->ReadInteger(section, "NormalColour", -1);
    o.Overcolor = ini->ReadInteger(section, "MouseOverColour", -1);
    o.Downcolor = ini->ReadInteger(section, "PressedColour", -1);
    const TColor text = parsed_->Colors[4];
    auto colour2 = [&](const char* key) {
        const std::string v = ini->ReadString(section, key, "");
        return v.empty() ? text : ParseColorText(v);
    };
    o.Normalcolor2 = colour2("NormalColour2");
    o.Overcolor2 = colour2("MouseOverColour2");
    o.Downcolor2 = colour2("PressedColour2");
}

void TSkinData::ReadSkinObject(std::unique_ptr<TDataSkinObject>& field, const std::string& section) {
    field.reset();
    const std::string image = ini->ReadString(section, "Image", "");
    if (image.empty()) return;
    TDataSkinObject* o = NewObject(field, section);
    Readbmp(o->Map, image);
    ReadStdKeys(*o, section, true, true);
    if (o->Tile > 1) o->Tile = 0;
}

void TSkinData::ReadBorderObject(std::unique_ptr<TDataSkinBorder>& field, const std::string& section,
                                 const std::string& secondKey) {
    field.reset();
    const std::string image = ini->ReadString(section, "Image", "");
    if (image.empty()) return;
    TDataSkinBorder* o = NewObject(field, section);
    Readbmp(o->Map, image);
    ReadStdKeys(*o, section, false, true);
    const std::string second = ini->ReadString(section, secondKey, "");
    if (!second.empty()) Readbmp(o->MaskMap, second);
    if (o->Tile > 1) o->Tile = 0;
}

void TSkinData::ReadProgress(std::unique_ptr<TDataSkinBorder>& field, const std::string& section) {
    field.reset();
    const std::string image = ini->ReadString(section, "Bitmap", "");
    if (image.empty()) return;
    TDataSkinBorder* o = NewObject(field, section);
    Readbmp(o->Map, image);
    ReadStdKeys(*o, section, false, false);
    if (o->Tile > 1) o->Tile = 1;
}

void TSkinData::ReadBoxLabel(std::unique_ptr<TDataSkinBoxLabel>& field, const std::string& section) {
    field.reset();
    const std::string image = ini->ReadString(section, "Image", "");
    if (image.empty()) return;
    TDataSkinBoxLabel* o = NewObject(field, section);
    Readbmp(o->Map, image);
    ReadStdKeys(*o, section, false, true);
    if (o->Tile > 1) o->Tile = 0;
    o->Alignment = ini->ReadInteger(section, "BackgroundAlignment", 0);
    o->LeftShift = ini->ReadInteger(section, "BackgroundLeftShift", 0);
    o->RightShift = ini->ReadInteger(section, "BackgroundRightShift", 0);
}

void TSkinData::ReadButtons() {
    const std::string section = "Buttons";
    TDataSkinButton& b = *parsed_->Button;
    b.r.Left = ini->ReadInteger(section, "LeftWidth", 0);
    b.r.Right = ini->ReadInteger(section, "RightWidth", 0);
    b.r.Top = ini->ReadInteger(section, "TopHeight", 0);
    b.r.Bottom = ini->ReadInteger(section, "BottomHeight", 0);
    b.trans = ini->ReadInteger(section, "Trans", 0);
    Readbmp(b.Map, ini->ReadString(section, "Bitmap", ""));
    b.Tile = ini->ReadInteger(section, "Tile", 0);
    Readbmp(b.CheckMap, ini->ReadString(section, "CheckButton", ""));
    Readbmp(b.RadioMap, ini->ReadString(section, "RadioButton", ""));
    b.Normalcolor = ini->ReadInteger(section, "NormalColour", -1);
    b.Overcolor = ini->ReadInteger(section, "MouseOverColour", -1);
    b.Downcolor = ini->ReadInteger(section, "PressedColour", -1);
    b.radioframe = NotNegative(ini->ReadInteger(section, "RadioButtonFrame", 0));
    b.checkframe = NotNegative(ini->ReadInteger(section, "CheckButtonFrame", 0));
    if (b.Tile > 1) b.Tile = 0;
    const std::string n2 = ini->ReadString(section, "NormalColour2", "");
    const std::string o2 = ini->ReadString(section, "MouseOverColour2", "");
    const std::string d2 = ini->ReadString(section, "PressedColour2", "");
    b.newnormal = !n2.empty();
    b.newover = !o2.empty();
    b.newdown = !d2.empty();
    const TColor text = parsed_->Colors[4];
    b.Normalcolor2 = n2.empty() ? text : ParseColorText(n2);
    b.Overcolor2 = o2.empty() ? text : ParseColorText(o2);
    b.Downcolor2 = d2.empty() ? text : ParseColorText(d2);
}

void TSkinData::ReadMenuBar(std::unique_ptr<TDataSkinObject>& field, const std::string& section) {
    field.reset();
    const std::string image = ini->ReadString(section, "menuBar", "");
    if (image.empty()) return;
    TDataSkinObject* o = NewObject(field, section);
    Readbmp(o->Map, image);
    o->r.Top = o->r.Bottom = 0;
    o->Tile = ini->ReadInteger(section, "TileMenu", 1);
    o->r.Left = ini->ReadInteger(section, "TileLeftMenu", 1);
    o->r.Right = ini->ReadInteger(section, "TileRightMenu", 1);
    if (o->Tile > 1) o->Tile = 1;
}

void TSkinData::ReadTitle(TDataSkinTitle& title, const std::string& section) {
    Readbmp(title.Map, ini->ReadString(section, "TextBack", ""));
    title.r.Left = ini->ReadInteger(section, "TextShift", 0);
    title.r.Top = ini->ReadInteger(section, "TextShiftVert", 0);
    title.r.Right = ini->ReadInteger(section, "TextRightClip", 0);
    title.r.Bottom = 0;
    title.Aligment = ini->ReadInteger(section, "TextAlignment", 0);
    title.BackGround = ini->ReadInteger(section, "Textbackground", 0);
    title.FontHeight = ini->ReadInteger("Fonts", "FontHeight", 14);
    title.backleft = ini->ReadInteger(section, "TXTBackleft", 0);
    title.backright = ini->ReadInteger(section, "TXTBackRight", 0);
    title.activetext = clNone;
    title.inactivetext = clNone;
    ReadTextColor(section, "ActiveText", title.activetext);
    ReadTextColor(section, "InActiveText", title.inactivetext);
}

void TSkinData::ReadTextColor(const std::string& section, const std::string& prefix, TColor& color) {
    const int r = ini->ReadInteger(section, prefix + "R", -1);
    const int g = ini->ReadInteger(section, prefix + "G", -1);
    const int b = ini->ReadInteger(section, prefix + "B", -1);
    if (r >= 0 && g >= 0 && b >= 0) color = RGBColor(r % 256, g % 256, b % 256);
}

void TSkinData::ReadFrameBorders() {
    const std::string section = "Personality";
    for (std::size_t i = 0; i < 4; ++i) {
        TDataSkinBorder& b = *parsed_->border[i];
        const std::string id = b.IDName;
        const int start = ini->ReadInteger(section, id + "TopHeight", 0);
        const int end = ini->ReadInteger(section, id + "BotHeight", 0);
        if (i < 2)  // Left and Right: the ends of a vertical strip
            b.r = {0, start, 0, end};
        else        // Top and Bottom: the ends of a horizontal strip
            b.r = {start, 0, end, 0};
        b.frame = AtLeast1(ini->ReadInteger(section, id + "Frame", 1));
        b.Tile = ini->ReadInteger(section, id + "Stretch", 1);
        b.trans = ini->ReadInteger(section, id + "Trans", 1);
        Readbmp(b.Map, ini->ReadString(section, id, ""));
        if (b.Tile > 1) b.Tile = 1;
    }
}

void TSkinData::ReadCaptionButtons() {
    std::vector<std::unique_ptr<TDataSkinSysButton>>& buttons = parsed_->SysBtn;
    buttons.clear();

    std::vector<std::string> kept;
    for (int i = 0; i < sectionlist->Count(); ++i) {
        const std::string& name = (*sectionlist)[i];
        const std::string upper = Upper(name);
        if (!StartsWith(upper, "BUTTON")) continue;
        if (upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX" || upper == "BUTTON")
            continue;
        if (ini->ReadInteger(name, "Action", 0) == -1 && ini->ReadInteger(name, "Visibility", -1) != 0) continue;
        kept.push_back(name);
    }

    const int n = int(kept.size());
    bool remembered = false;
    int rememberedX = 0, rememberedY = 0;
    for (const std::string& section : kept) {
        auto b = std::make_unique<TDataSkinSysButton>(Upper(section));
        b->Action = ini->ReadInteger(section, "Action", 0);
        b->Align = ini->ReadInteger(section, "Align", 0);
        b->XCoord = ini->ReadInteger(section, "Xcoord", 0);
        b->YCoord = ini->ReadInteger(section, "Ycoord", 0);
        b->Visibility = ini->ReadInteger(section, "Visibility", 0);
        b->Visibility1 = ini->ReadInteger(section, "Visibility1", b->Action == -1 ? -1 : 0);
        if (b->Action == 1 && b->Visibility == 2) {
            remembered = true;
            rememberedX = b->XCoord;
            rememberedY = b->YCoord;
        }
        if (b->Action == 4 && remembered) {  // without an earlier one it keeps its own position
            b->XCoord = rememberedX;
            b->YCoord = rememberedY;
        }
        b->CombineOp = ini->ReadInteger(section, "CombineOp", -1);
        b->frame = NotNegative(ini->ReadInteger(section, "frame", 0));
        Readbmp(b->Map, ini->ReadString(section, "ButtonImage", ""));
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

void TSkinData::CutMdiButtons(int first) {
    TBitmap source;
    Readbmp(source, ini->ReadString("MDICONTROLS", "Image", ""));
    if (source.Empty()) return;
    const int cw = source.Width() / 12;
    const int h = source.Height();
    for (int i = 0; i < 3; ++i) {
        TDataSkinSysButton& b = *parsed_->SysBtn[std::size_t(first + i)];
        b.Map = TBitmap(4 * cw, h, source.PixelFormat() == pf32bit ? pf32bit : pf24bit);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < 4 * cw; ++x) b.Map.SetPixel(x, y, source.Pixel(4 * i * cw + x, y));
        b.XCoord = (cw + 4) * (3 - i);
    }
}

void TSkinData::LoadResourceObject(std::unique_ptr<TDataSkinObject>& field, const std::string& name) {
    TDataSkinObject* o = NewObject(field, name);
    LoadSkinResourceBitmap(name, o->Map);
    o->r = {3, 3, 3, 3};
    o->Tile = 0;
    o->frame = 1;
}

// ---- colours -----------------------------------------------------------------------------------------

void TSkinData::ReadSchemeColor(int index, const std::string& key, TColor fallback) {
    const std::string value = ini->ReadString("Colours", key, "");
    TSkinContent& s = *parsed_;
    s.hasColors[std::size_t(index)] = !value.empty();
    s.Colors[std::size_t(index)] = value.empty() ? fallback : ParseColorText(value);
}

void TSkinData::ReadColours() {
    TSkinContent& s = *parsed_;
    for (const TSchemeColorKey& k : kSchemeColorKeys)
        ReadSchemeColor(k.index, k.key, k.fallback == kDefaultFromButtonFace ? s.Colors[3] : k.fallback);

    s.ColorPreset.clear();
    for (int i = 0; i < sectionlist->Count(); ++i) {
        const std::string& name = (*sectionlist)[i];
        const std::string upper = Upper(name);
        if (!StartsWith(upper, "COLOUR") || upper == "COLOURS") continue;
        const std::string value = ini->ReadString(name, "color", "");
        s.ColorPreset.push_back(value.empty() ? clWindowText : ParseColorText(value));
    }
    for (int i = 0; i < 10; ++i) {
        const std::string value = ini->ReadString("Customcolors", "Color" + std::to_string(i), "");
        s.PresetColors[std::size_t(i)] = value.empty() ? clWhite : ParseColorText(value);
    }
}

// ---- cell counts and derived images ------------------------------------------------------------------

void TSkinData::SetFrameCounts() {
    TSkinContent& s = *parsed_;
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
    if (s.HSlider) s.HSlider->frame = ini->ReadInteger("HorzScrollThumb", "FrameCount", 3);
    if (s.VSlider) s.VSlider->frame = ini->ReadInteger("VertScrollThumb", "FrameCount", 3);
    for (auto* t : {&s.TrackHorz, &s.TrackVert, &s.TrackLeft, &s.Trackright, &s.Tracktop, &s.Trackbottom})
        set(*t, 5);
    set(s.HSpin, 8);
    set(s.VSpin, 8);

    // Painters divide by these counts: none may be below 1, whatever the skin says.
    auto clamp = [](TDataSkinObject* o) {
        if (o) o->frame = AtLeast1(o->frame);
    };
    for (TDataSkinObject* o :
         {static_cast<TDataSkinObject*>(s.progresschunk.get()), s.HSlider.get(), s.VSlider.get(),
          s.TrackBar.get(), s.TrackBarVert.get(), s.Header.get()})
        clamp(o);
}

void TSkinData::MakeComboImages() {
    TSkinContent& s = *parsed_;
    if (!s.Comboxborder || !s.combox) return;
    TDataSkinObject& edge = *s.Comboxborder;
    TDataSkinBorder& button = *s.combox;
    const int n = edge.frame;
    const int w = native_->SystemMetric(SkinDataNative::cxHScroll) + 2;

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

void TSkinData::MakeComboArrow() {
    TSkinContent& s = *parsed_;
    if (!s.comboxarrow) s.comboxarrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TDataSkinObject& arrow = *s.comboxarrow;
    if (!s.Comboxborder && s.combox) {
        arrow.Map.Assign(s.combox->Map);
        ReplaceKeyColor(arrow.Map, s.Colors[3]);
        arrow.frame = s.combox->frame;
        arrowFilled_ = true;
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
        arrowFilled_ = true;
    }
    arrow.frame = AtLeast1(arrow.frame);
}

void TSkinData::MakeToolbarImage() {
    TSkinContent& s = *parsed_;
    TBitmap bar(10, 40, pf24bit);
    const TColor c = CaptionColorOf(s);
    TColor bottom = BlendColors(RGBColor(0x80, 0x80, 0x80), c, 150);
    const TColor top = BlendColors(s.Colors[3], clWhite, 150);
    const int saturation = ColorSaturation(c);
    if (saturation > 110) bottom = BlendColors(c, clWhite, (225 - saturation) * 25 / 140 + 50);
    FillGradientRect(bar, Rect(0, 0, 10, 40), top, bottom, 1);
    if (!s.Toolbar) s.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    s.Toolbar->Map = std::move(bar);
    s.Toolbar->frame = 1;
}
