// The two skins we ship: "Tocvane" (the program's own, light with a blue caption) and "full" (a dark
// look that also supplies every optional element, so that every painting path has image data).

#include "platform/bitmap.h"
#include "platform/stream.h"
#include "skin/storage/skin_package_writer.h"
#include "tools/skingen/art.h"
#include "tools/skingen/skin.h"

namespace skingen {

namespace {

std::string ColourText(Rgb c) {
    return std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b);
}

using Meanings = std::vector<std::string>;
const Meanings kFrameCells{"active", "inactive"};
const Meanings kButtonCells{"normal", "pressed", "disabled", "hot", "focused/default"};
const Meanings kCaptionCells{"normal", "pressed", "hot", "disabled/inactive", "unused", "unused"};

class Builder {
public:
    Builder(std::string stem, Theme theme, std::string prefix, std::string iniName)
        : prefix_(std::move(prefix)) {
        skin_.stem = std::move(stem);
        skin_.theme = std::move(theme);
        skin_.iniName = std::move(iniName);
    }

    const Theme& T() const { return skin_.theme; }

    void Key(const std::string& section, const std::string& key, const std::string& value) {
        Section(section).keys.emplace_back(key, value);
    }
    void Key(const std::string& section, const std::string& key, int value) {
        Key(section, key, std::to_string(value));
    }
    void Margins(const std::string& section, int l, int t, int r, int b) {
        Key(section, "LeftWidth", l);
        Key(section, "TopHeight", t);
        Key(section, "RightWidth", r);
        Key(section, "BottomHeight", b);
    }

    // Adds an image and, when section is given, the key that names it.
    void Image(const std::string& name, const std::string& section, const std::string& key, Meanings meanings,
               Canvas pixels, CellLayout layout = CellLayout::SideBySide) {
        SkinImage image;
        image.file = prefix_ + name + ".bmp";
        image.section = section;
        image.key = key;
        image.cells = int(meanings.size());
        image.layout = layout;
        image.meanings = std::move(meanings);
        image.pixels = std::move(pixels);
        if (!section.empty()) Key(section, key, image.file);
        skin_.images.push_back(std::move(image));
    }

    IniSection& Section(const std::string& name) {
        for (auto& s : skin_.ini)
            if (s.name == name) return s;
        skin_.ini.push_back({name, {}});
        return skin_.ini.back();
    }

    Skin Take() { return std::move(skin_); }

private:
    std::string prefix_;
    Skin skin_;
};

// Everything both skins share: the frame, caption buttons, controls and colours.
void BuildCommon(Builder& b, bool full) {
    const Theme& t = b.T();
    b.Key("TitlebarSkin", "SkinName", t.name);

    // Window frame. The side strips keep 28 caption rows and 4 bottom rows unscaled; the top strip keeps
    // 11 columns on the left and the 140 under the caption buttons.
    FramePieces frame = DrawFrame(t);
    const std::string p = "Personality";
    b.Image("frame_left", p, "Left", kFrameCells, std::move(frame.left));
    b.Key(p, "LeftTopHeight", 28);
    b.Key(p, "LeftBotHeight", 4);
    b.Key(p, "LeftFrame", 2);
    b.Key(p, "LeftStretch", 1);
    b.Key(p, "LeftTrans", 1);
    b.Image("frame_right", p, "Right", kFrameCells, std::move(frame.right));
    b.Key(p, "RightTopHeight", 28);
    b.Key(p, "RightBotHeight", 4);
    b.Key(p, "RightFrame", 2);
    b.Key(p, "RightStretch", 1);
    b.Key(p, "RightTrans", 1);
    b.Image("frame_top", p, "Top", kFrameCells, std::move(frame.top), CellLayout::Stacked);
    b.Key(p, "TopTopHeight", 11);
    b.Key(p, "TopBotHeight", 140);
    b.Key(p, "TopFrame", 2);
    b.Key(p, "TopStretch", 0);
    b.Key(p, "TopTrans", 1);
    b.Image("frame_bottom", p, "Bottom", kFrameCells, std::move(frame.bottom), CellLayout::Stacked);
    b.Key(p, "BottomTopHeight", 1);
    b.Key(p, "BottomBotHeight", 1);
    b.Key(p, "BottomFrame", 2);
    b.Key(p, "BottomStretch", 1);
    b.Key(p, "BottomTrans", 1);

    // Caption text.
    if (full) {
        b.Image("title_textback", p, "TextBack", kFrameCells, DrawTitleTextBack(t), CellLayout::Stacked);
        b.Key(p, "TXTBackleft", 10);
        b.Key(p, "TXTBackRight", 10);
    }
    b.Key(p, "TextShift", 15);
    b.Key(p, "TextShiftVert", 0);
    b.Key(p, "TextRightClip", 78);
    b.Key(p, "TextAlignment", 0);
    for (const char* prefix : {"ActiveText", "InActiveText"})
        for (const char* c : {"R", "G", "B"}) b.Key(p, std::string(prefix) + c, 255);
    b.Image("menubar", p, "menuBar", kFrameCells, DrawMenuBar(t), CellLayout::Stacked);
    b.Key("Fonts", "FontHeight", 14);

    // Push buttons, check boxes and radio buttons.
    b.Image("button", "Buttons", "Bitmap", kButtonCells, DrawPushButton(t));
    // The default skin has the basic five cells; the full one four looks (normal, hot, pressed, disabled)
    // of each state.
    if (full) {
        Meanings checks, radios;
        for (const char* state : {"unchecked", "checked", "indeterminate"})
            for (const char* look : {"", " hot", " pressed", " disabled"})
                checks.push_back(state + std::string(look));
        for (const char* state : {"off", "on"})
            for (const char* look : {"", " hot", " pressed", " disabled"})
                radios.push_back(state + std::string(look));
        b.Image("checkbox", "Buttons", "CheckButton", checks, DrawCheckBox(t, true));
        b.Key("Buttons", "CheckButtonFrame", 12);
        b.Image("radiobutton", "Buttons", "RadioButton", radios, DrawRadioButton(t, true));
        b.Key("Buttons", "RadioButtonFrame", 8);
    } else {
        b.Image("checkbox", "Buttons", "CheckButton",
                {"unchecked", "checked", "unchecked disabled", "checked disabled", "indeterminate"},
                DrawCheckBox(t, false));
        b.Image("radiobutton", "Buttons", "RadioButton",
                {"off", "on", "off disabled", "on disabled", "unused"}, DrawRadioButton(t, false));
    }
    b.Margins("Buttons", 8, 9, 23, 9);
    b.Key("Buttons", "Trans", 1);
    b.Key("Buttons", "Tile", 0);
    if (full) {
        b.Key("Buttons", "NormalColour2", ColourText(t.text));
        b.Key("Buttons", "MouseOverColour2", ColourText(Lighter(t.text, 0.5)));
        b.Key("Buttons", "PressedColour2", ColourText(Lighter(t.accent, 0.55)));
    }

    // Caption buttons, in hit-test order: close, maximise, minimise, restore, then the window icon.
    struct Caption {
        const char* section;
        const char* file;
        CaptionGlyph glyph;
        int action, x, y, visibility, visibility1;
    };
    const Caption captions[] = {
        {"Button0", "caption_close", CaptionGlyph::Close, 0, 28, 4, 0, -1},
        {"Button1", "caption_maximize", CaptionGlyph::Maximize, 1, 52, 4, 2, 6},
        {"Button2", "caption_minimize", CaptionGlyph::Minimize, 2, 76, 4, 8, -1},
        {"Button3", "caption_restore", CaptionGlyph::Restore, 1, 52, 5, 1, -1},
    };
    for (const Caption& c : captions) {
        b.Key(c.section, "Action", c.action);
        b.Key(c.section, "Align", 1);
        b.Key(c.section, "XCoord", c.x);
        b.Key(c.section, "YCoord", c.y);
        b.Key(c.section, "Visibility", c.visibility);
        if (c.visibility1 >= 0) b.Key(c.section, "Visibility1", c.visibility1);
        b.Image(c.file, c.section, "ButtonImage", kCaptionCells, DrawCaptionButton(t, c.glyph));
    }
    b.Key("Button4", "Action", 3);
    b.Key("Button4", "Align", 0);
    b.Key("Button4", "XCoord", 8);
    b.Key("Button4", "YCoord", 7);
    b.Key("Button4", "Visibility", 0);

    Meanings mdi;
    for (const char* what : {"minimise", "restore", "close"})
        for (const char* state : {"normal", "pressed", "unused", "hot"})
            mdi.push_back(std::string(what) + " " + state);
    b.Image("mdi_controls", "MDICONTROLS", "Image", mdi, DrawMdiControls(t));

    // Progress bar: the two-cell look here; the full skin uses the chunk look.
    if (full) {
        b.Image("progress", "Progress", "Bitmap", {"background"}, DrawProgress(t, 1));
        b.Key("Progress", "Style", 1);
    } else {
        b.Image("progress", "Progress", "Bitmap", {"empty bar", "filled part"}, DrawProgress(t, 2));
        b.Key("Progress", "Style", 0);
    }
    b.Margins("Progress", 3, 3, 3, 3);
    b.Key("Progress", "Tile", 0);
    if (full) {
        b.Image("progress_chunk", "Progress.Chunk", "Image", {"chunk"}, DrawProgressChunk(t));
        b.Margins("Progress.Chunk", 1, 0, 1, 0);
        b.Key("Progress.Chunk", "Frame", 1);
        b.Key("Progress.Chunk", "Tile", 1);
    }

    b.Image("groupbox_edge", "GroupBoxEdge", "Image", {"normal", "disabled"}, DrawGroupBoxEdge(t));
    b.Margins("GroupBoxEdge", 5, 5, 5, 5);
    b.Image("groupbox_label", "GroupBox", "Image", {"label"}, DrawGroupBoxLabel(t));
    b.Margins("GroupBox", 8, 0, 8, 0);

    b.Image("tabs", "Tabs", "Image", {"other tabs", "current tab", "hot", "disabled", "unused"}, DrawTabs(t));
    b.Image("tabs_border", "Tabs", "Border", {"page frame"}, DrawTabBorder(t, 24));
    b.Key("Tabs", "Style", full ? 1 : 0);
    b.Margins("Tabs", 4, 4, 4, 3);
    b.Key("Tabs", "Trans", 1);
    b.Key("Tabs", "Tile", 0);
    b.Key("Tabs", "NormalColour2", ColourText(t.dark ? Mix(t.text, t.face, 0.3) : Mix(t.text, t.face, 0.25)));
    b.Key("Tabs", "MouseOverColour2", ColourText(t.text));
    if (full) {
        b.Image("tab_pane", "Tab.Pane", "Image", {"page frame"}, DrawTabBorder(t, 20));
        b.Margins("Tab.Pane", 4, 4, 4, 4);
    }

    b.Image("statusbar", "StatusBarEdges", "Image", {"simple/lowered", "raised", "no bevel"},
            DrawStatusBar(t));
    b.Margins("StatusBarEdges", 2, 2, 2, 2);
    if (full) b.Key("StatusBarEdges", "NormalColour2", ColourText(t.text));

    b.Image("toolbar_button", "ToolBars", "Image", {"normal", "pressed", "disabled", "hot", "checked"},
            DrawToolbarButton(t));
    b.Margins("ToolBars", 3, 3, 3, 3);

    const Meanings comboCells{"normal", "pressed", "disabled", "hot/focused"};
    b.Image("combo_button", "ComboButton", "Image", comboCells, DrawComboButton(t));
    b.Margins("ComboButton", 3, 3, 4, 3);
    b.Key("ComboButton", "Trans", 1);
    b.Image("sunken_edge", "SunkEdge", "Image", comboCells, DrawSunkenEdge(t));
    b.Margins("SunkEdge", 3, 3, 3, 3);
    b.Key("SunkEdge", "Trans", 1);
    b.Image("extra_images", "ExtraImages", "Image",
            {"arrow normal", "arrow pressed", "arrow disabled", "arrow hot", "size grip"},
            DrawExtraImages(t));
    b.Key("ExtraImages", "Trans", 1);

    b.Image("header", "Headerbar", "Image", {"normal", "hot", "pressed", "unused", "unused"}, DrawHeader(t));
    b.Margins("Headerbar", 2, 2, 3, 2);

    if (full) {
        b.Image("menu_item", "MenuItem", "Image", {"normal", "separator", "unused", "selected", "unused"},
                DrawMenuItem(t));
        b.Margins("MenuItem", 3, 3, 3, 3);
        b.Key("MenuItem", "Trans", 1);
    } else {
        b.Key("MenuItem", "Image", "");
    }
    b.Image("menu_background", "MenuBackground", "Image", {"background"}, DrawMenuBackground(t));
    b.Margins("MenuBackground", 3, 3, 3, 3);
    b.Key("MenuBackground", "Tile", 0);

    // Scroll bars.
    Meanings arrows;
    for (const char* what : {"left", "right", "up", "down"})
        for (const char* state : {"normal", "pressed", "disabled", "hot"})
            arrows.push_back(std::string(what) + " " + state);
    for (const char* what : {"h grip", "v grip"})
        for (const char* state : {"normal", "pressed", "hot"})
            arrows.push_back(std::string(what) + " " + state);
    arrows.push_back("spare");
    b.Image("scroll_arrows", "Scrollbar", "Image", arrows, DrawScrollArrows(t));
    b.Key("Scrollbar", "Trans", 1);
    const Meanings trackCells{"enabled", "unused", "disabled", "unused"};
    b.Image("hscroll_track", "HorzScroll", "Image", trackCells, DrawScrollTrack(t, false));
    b.Margins("HorzScroll", 0, 1, 0, 1);
    b.Image("vscroll_track", "VertScroll", "Image", trackCells, DrawScrollTrack(t, true));
    b.Margins("VertScroll", 1, 0, 1, 0);
    const Meanings thumbCells{"normal", "pressed", "hot"};
    b.Image("hscroll_thumb", "HorzScrollThumb", "Image", thumbCells, DrawScrollThumb(t, false));
    b.Margins("HorzScrollThumb", 5, 4, 5, 4);
    b.Key("HorzScrollThumb", "Trans", 1);
    b.Image("vscroll_thumb", "VertScrollThumb", "Image", thumbCells, DrawScrollThumb(t, true));
    b.Margins("VertScrollThumb", 4, 5, 4, 5);
    b.Key("VertScrollThumb", "Trans", 1);

    // Track bars.
    const Meanings trackThumb{"normal", "normal (drawn)", "hot", "pressed", "disabled"};
    const std::pair<const char*, Pointer> thumbs[] = {{"horz", Pointer::Down}, {"vert", Pointer::Right},
                                                      {"left", Pointer::Left}, {"right", Pointer::Right},
                                                      {"up", Pointer::Up},     {"down", Pointer::Down}};
    const char* thumbSections[] = {"Trackbar.ThumbHorz",  "Trackbar.ThumbVert", "Trackbar.ThumbLeft",
                                   "Trackbar.ThumbRight", "Trackbar.ThumbUp",   "Trackbar.ThumbDown"};
    for (int i = 0; i < 6; ++i) {
        b.Image(std::string("trackbar_thumb_") + thumbs[i].first, thumbSections[i], "Image", trackThumb,
                DrawTrackbarThumb(t, thumbs[i].second));
        b.Key(thumbSections[i], "Trans", 1);
    }
    if (full) {
        b.Image("track_horz", "Track", "Image", {"channel"}, DrawTrackChannel(t, false));
        b.Margins("Track", 3, 0, 3, 0);
        b.Key("Track", "Frame", 1);
        b.Image("track_vert", "TRACKVERT", "Image", {"channel"}, DrawTrackChannel(t, true));
        b.Margins("TRACKVERT", 0, 3, 0, 3);
        b.Key("TRACKVERT", "Frame", 1);
    }

    // Up-down buttons.
    Meanings hspin, vspin;
    for (const char* what : {"left", "right"})
        for (const char* state : {"normal", "pressed", "disabled", "hover"})
            hspin.push_back(std::string(what) + " " + state);
    for (const char* what : {"up", "down"})
        for (const char* state : {"normal", "pressed", "disabled", "hover"})
            vspin.push_back(std::string(what) + " " + state);
    b.Image("updown_horz", "UpDown.Horz", "Image", hspin, DrawUpDown(t, false));
    b.Image("updown_horz_glyph", "UpDown.Horz", "GlyphImage", hspin, DrawUpDownGlyph(t, false));
    b.Margins("UpDown.Horz", 3, 3, 3, 3);
    b.Key("UpDown.Horz", "Trans", 1);
    b.Image("updown_vert", "UpDown.Vert", "Image", vspin, DrawUpDown(t, true));
    b.Image("updown_vert_glyph", "UpDown.Vert", "GlyphImage", vspin, DrawUpDownGlyph(t, true));
    b.Margins("UpDown.Vert", 3, 3, 3, 3);
    b.Key("UpDown.Vert", "Trans", 1);

    // The colour scheme.
    const std::string c = "Colours";
    if (t.writeWindowText) b.Key(c, "WindowText", ColourText(t.schemeWindowText));
    b.Key(c, "TitleTextActive", ColourText(t.capText));
    b.Key(c, "TitleTextNoActive", ColourText(t.capTextInactive));
    b.Key(c, "ButtonFace", ColourText(t.face));
    b.Key(c, "ButtonText", ColourText(t.text));
    b.Key(c, "ButtonHilight", ColourText(t.hilight));
    b.Key(c, "Buttonlight", ColourText(t.schemeButtonlight));
    b.Key(c, "ButtonShadow", ColourText(t.shadow));
    b.Key(c, "ButtonDkShadow", ColourText(t.dkShadow));
    b.Key(c, "HilightText", ColourText(t.schemeHilightText));
    b.Key(c, "Hilight", ColourText(t.schemeHilight));
    b.Key(c, "Menubar", ColourText(t.schemeMenubar));
    b.Key(c, "MenuBarText", ColourText(t.schemeMenuBarText));
    b.Key(c, "MenuText", ColourText(t.schemeMenuText));
    b.Key(c, "Menu", ColourText(t.schemeMenu));
    b.Key(c, "Scrollbar", ColourText(t.schemeScrollbar));
    for (std::size_t i = 0; i < t.presets.size(); ++i)
        b.Key("Colour" + std::to_string(i), "color", ColourText(t.presets[i]));
}

}  // namespace

std::string Skin::IniText() const {
    std::string text = "; " + theme.name + " skin description\r\n";
    for (const IniSection& s : ini) {
        text += "\r\n[" + s.name + "]\r\n";
        for (const auto& [key, value] : s.keys) text += key + "=" + value + "\r\n";
    }
    return text;
}

const SkinImage* Skin::Find(const std::string& file) const {
    for (const SkinImage& image : images)
        if (image.file == file) return &image;
    return nullptr;
}

Skin BuildDefaultSkin() {
    Builder b("tocvane", DefaultTheme(), "tv_", "tv_tocvane_default_skin_description_2013.ini");
    BuildCommon(b, false);
    // Images the description does not name: the look of the optional elements, kept with the skin.
    const Theme& t = b.T();
    b.Image("menu_item", "", "", {"normal", "separator", "unused", "selected", "unused"}, DrawMenuItem(t));
    b.Image("title_textback", "", "", kFrameCells, DrawTitleTextBack(t), CellLayout::Stacked);
    b.Image("tab_pane", "", "", {"page frame"}, DrawTabBorder(t, 20));
    b.Image("progress_chunk", "", "", {"chunk"}, DrawProgressChunk(t));
    return b.Take();
}

Skin BuildFullSkin() {
    Builder b("full", DarkTheme(), "tvd_", "tvd_dusk_skin_description.ini");
    BuildCommon(b, true);
    for (int i = 0; i < 10; ++i) {
        const Rgb c = i < int(b.T().presets.size()) ? b.T().presets[std::size_t(i)] : Rgb{255, 255, 255};
        b.Key("Customcolors", "Color" + std::to_string(i), ColourText(c));
    }
    return b.Take();
}

std::vector<std::uint8_t> EncodeBmp(const Canvas& canvas) {
    TBitmap bmp(canvas.Width(), canvas.Height(), pf24bit);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb c = canvas.At(x, y);
            bmp.SetPixel(x, y, RGBColor(c.r, c.g, c.b));
        }
    TMemoryStream stream;
    bmp.SaveToStream(stream, 24);
    const auto* bytes = static_cast<const std::uint8_t*>(stream.Memory());
    return {bytes, bytes + stream.Size()};
}

static std::vector<SkinPackageEntry> Entries(const Skin& skin) {
    std::vector<SkinPackageEntry> entries;
    const std::string ini = skin.IniText();
    entries.push_back({skin.iniName, {ini.begin(), ini.end()}});
    for (const SkinImage& image : skin.images) entries.push_back({image.file, EncodeBmp(image.pixels)});
    return entries;
}

std::vector<std::uint8_t> PackageUnpacked(const Skin& skin) {
    return BuildSkinPackageUnpacked(Entries(skin));
}
std::vector<std::uint8_t> PackagePacked(const Skin& skin) { return BuildSkinPackage(Entries(skin)); }

}  // namespace skingen
