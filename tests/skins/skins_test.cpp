// Our two skin packages, loaded the way the skin component loads them: the package reader unpacks them,
// the INI store holds the description and every image comes back through the BMP loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/stream.h"
#include "platform/string_list.h"
#include "skin/storage/lzh.h"
#include "skin/storage/quick_ini.h"
#include "skin/storage/skin_package_writer.h"
#include "skin/storage/skin_read.h"

namespace {

constexpr TColor kKeyColour = 0x00FF00FF;

struct LoadedSkin {
    std::vector<std::uint8_t> packed;
    TSkinReader reader;
    TQuickIni ini;
    std::string iniName;
    bool loaded = false;
};

void Load(const char* path, LoadedSkin& skin) {
    skin.packed = ReadFileBytes(path);
    TMemoryStream stream(skin.packed);
    skin.loaded = skin.reader.Loadfromstream(stream);
    TMemoryStream ini;
    skin.reader.readIni(".ini", ini, skin.iniName);
    ini.SetPosition(0);
    skin.ini.LoadFromStream(ini);
}

std::vector<std::string> Sections(const TQuickIni& ini) {
    TStringList list;
    ini.ReadSections(&list);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list[i]);
    return names;
}

bool HasSection(const TQuickIni& ini, const std::string& name) {
    for (const std::string& s : Sections(ini))
        if (SameTextAscii(s, name)) return true;
    return false;
}

bool HasKey(const TQuickIni& ini, const std::string& section, const std::string& key) {
    TStringList keys;
    ini.ReadSection(section, &keys);
    return keys.IndexOf(key) >= 0;
}

std::string Value(const TQuickIni& ini, const std::string& section, const std::string& key) {
    return ini.ReadString(section, key, "");
}

int Int(const TQuickIni& ini, const std::string& section, const std::string& key, int def = -12345) {
    return ini.ReadInteger(section, key, def);
}

// The image a key names, found as the loader finds it: the file-name part after the last "\" or ":",
// which must end in exactly ".bmp".
TBitmap Image(LoadedSkin& skin, const std::string& section, const std::string& key) {
    std::string name = Value(skin.ini, section, key);
    const std::size_t cut = name.find_last_of("\\:");
    if (cut != std::string::npos) name = name.substr(cut + 1);
    TBitmap bmp;
    if (name.size() < 4 || name.substr(name.size() - 4) != ".bmp") return bmp;
    TMemoryStream data;
    skin.reader.readfile(name, data);
    if (data.Size() > 0) bmp.LoadFromStream(data);
    return bmp;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

// Every image key the engine reads, with the number of cells it cuts the image into, whether the cells
// are stacked, and where the key colour may appear: never (the image is copied opaque), always (its
// painter keys it out), or only with the section's Trans key set.
enum class Key { Never, Always, WithTrans };
struct ImageKey {
    const char* section;
    const char* key;
    int cells;  // 0: decided below
    bool stacked;
    Key keyColour;
};
const ImageKey kImageKeys[] = {
    {"Personality", "Left", 2, false, Key::WithTrans},
    {"Personality", "Right", 2, false, Key::WithTrans},
    {"Personality", "Top", 2, true, Key::WithTrans},
    {"Personality", "Bottom", 2, true, Key::WithTrans},
    {"Personality", "TextBack", 2, true, Key::Always},
    {"Personality", "menuBar", 2, true, Key::Never},
    {"Buttons", "Bitmap", 5, false, Key::WithTrans},
    {"Buttons", "CheckButton", 0, false, Key::Always},
    {"Buttons", "RadioButton", 0, false, Key::Always},
    {"Button0", "ButtonImage", 6, false, Key::Always},
    {"Button1", "ButtonImage", 6, false, Key::Always},
    {"Button2", "ButtonImage", 6, false, Key::Always},
    {"Button3", "ButtonImage", 6, false, Key::Always},
    {"MDICONTROLS", "Image", 12, false, Key::Always},
    {"Progress", "Bitmap", 0, false, Key::Always},
    {"Progress.Chunk", "Image", 1, false, Key::Never},
    {"GroupBoxEdge", "Image", 2, false, Key::Never},
    {"GroupBox", "Image", 1, false, Key::Never},
    {"Tabs", "Image", 5, false, Key::WithTrans},
    {"Tabs", "Border", 1, false, Key::Never},
    {"Tab.Pane", "Image", 1, false, Key::Never},
    {"StatusBarEdges", "Image", 3, false, Key::Never},
    {"ToolBars", "Image", 5, false, Key::Never},
    {"ComboButton", "Image", 4, false, Key::Always},
    {"SunkEdge", "Image", 4, false, Key::WithTrans},
    {"ExtraImages", "Image", 5, false, Key::Always},
    {"Headerbar", "Image", 5, false, Key::Never},
    {"MenuItem", "Image", 5, false, Key::WithTrans},
    {"MenuBackground", "Image", 1, false, Key::Never},
    {"Scrollbar", "Image", 23, false, Key::Always},
    {"HorzScroll", "Image", 4, false, Key::WithTrans},
    {"VertScroll", "Image", 4, false, Key::WithTrans},
    {"HorzScrollThumb", "Image", 0, false, Key::WithTrans},
    {"VertScrollThumb", "Image", 0, false, Key::WithTrans},
    {"Trackbar.ThumbHorz", "Image", 5, false, Key::Always},
    {"Trackbar.ThumbVert", "Image", 5, false, Key::Always},
    {"Trackbar.ThumbLeft", "Image", 5, false, Key::Always},
    {"Trackbar.ThumbRight", "Image", 5, false, Key::Always},
    {"Trackbar.ThumbUp", "Image", 5, false, Key::Always},
    {"Trackbar.ThumbDown", "Image", 5, false, Key::Always},
    {"UpDown.Horz", "Image", 8, false, Key::Always},
    {"UpDown.Horz", "GlyphImage", 8, false, Key::Always},
    {"UpDown.Vert", "Image", 8, false, Key::Always},
    {"UpDown.Vert", "GlyphImage", 8, false, Key::Always},
    {"Track", "Image", 0, false, Key::Never},
    {"TRACKVERT", "Image", 0, false, Key::Never},
};

// Image keys with a value anywhere in the description: every one must be among the keys checked.
int CountImageKeys(LoadedSkin& skin) {
    int n = 0;
    for (const std::string& section : Sections(skin.ini)) {
        TStringList keys;
        skin.ini.ReadSectionValues(section, &keys);
        for (int i = 0; i < keys.Count(); ++i) {
            const std::string& line = keys[i];
            if (line.size() > 4 && line.substr(line.size() - 4) == ".bmp") ++n;
        }
    }
    return n;
}

bool IsNearKey(TColor c) { return GetRValue(c) >= 254 && GetGValue(c) <= 1 && GetBValue(c) >= 254; }

// Key-colour pixels of one cell, as (x, y) within the cell.
std::set<std::pair<int, int>> KeyPixels(const TBitmap& bmp, int x0, int y0, int w, int h) {
    std::set<std::pair<int, int>> keyed;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (bmp.Pixel(x0 + x, y0 + y) == kKeyColour) keyed.emplace(x, y);
    return keyed;
}

// What the engine relies on for every image of a skin: each key names a .bmp of the package that loads,
// its size divides into its cells, the key colour appears only where a painter keys it out and never as a
// near miss, and the two frame cells of each border carry the same mask, kept to the unscaled ends.
void CheckImages(LoadedSkin& skin) {
    int checked = 0;
    for (const ImageKey& k : kImageKeys) {
        if (!HasSection(skin.ini, k.section) || Value(skin.ini, k.section, k.key).empty()) continue;
        SCOPED_TRACE(std::string(k.section) + " " + k.key);
        const std::string name = Value(skin.ini, k.section, k.key);
        EXPECT_EQ(name.substr(name.size() - 4), ".bmp");
        const TBitmap bmp = Image(skin, k.section, k.key);
        ASSERT_FALSE(bmp.Empty()) << name << " does not resolve to an image";
        ++checked;

        int cells = k.cells;
        const std::string section = k.section;
        const bool checkOrRadio = section == "Buttons" && std::string(k.key) != "Bitmap";
        if (checkOrRadio) cells = bmp.Width() / (bmp.Height() < 16 ? 13 : 16);
        if (section == "Progress") cells = Int(skin.ini, "Progress", "Style", 0) != 0 ? 1 : 2;
        if (section == "HorzScrollThumb" || section == "VertScrollThumb")
            cells = Int(skin.ini, "HorzScrollThumb", "FrameCount", 3);
        if (section == "Track" || section == "TRACKVERT") cells = Int(skin.ini, section, "Frame", 1);
        if (checkOrRadio) {
            EXPECT_GE(cells, 4);
            EXPECT_EQ(bmp.Width() % (bmp.Height() < 16 ? 13 : 16), 0);
        }
        ASSERT_GT(cells, 0);
        if (k.stacked)
            EXPECT_EQ(bmp.Height() % cells, 0) << bmp.Height() << " rows in " << cells << " cells";
        else
            EXPECT_EQ(bmp.Width() % cells, 0) << bmp.Width() << " columns in " << cells << " cells";

        bool hasKey = false;
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x) {
                const TColor c = bmp.Pixel(x, y);
                if (c == kKeyColour)
                    hasKey = true;
                else
                    EXPECT_FALSE(IsNearKey(c)) << "near-key pixel at " << x << "," << y;
            }
        if (hasKey && k.keyColour == Key::Never) ADD_FAILURE() << "key colour in an image drawn opaque";
        if (hasKey && k.keyColour == Key::WithTrans) {
            const bool border = section == "Personality";
            const int trans = border ? Int(skin.ini, "Personality", std::string(k.key) + "Trans", 1)
                                     : Int(skin.ini, k.section, "Trans", 0);
            EXPECT_EQ(trans, 1) << "key colour in an image whose Trans is off";
        }
    }
    EXPECT_EQ(checked, CountImageKeys(skin));

    // Borders: the mask of the inactive cell is the mask of the active one, and sits in the unscaled ends.
    for (const char* id : {"Left", "Right", "Top", "Bottom"}) {
        SCOPED_TRACE(id);
        const TBitmap bmp = Image(skin, "Personality", id);
        ASSERT_FALSE(bmp.Empty());
        const bool stacked = std::string(id) == "Top" || std::string(id) == "Bottom";
        const int frame = Int(skin.ini, "Personality", std::string(id) + "Frame", 1);
        ASSERT_EQ(frame, 2);
        const int w = stacked ? bmp.Width() : bmp.Width() / 2, h = stacked ? bmp.Height() / 2 : bmp.Height();
        const auto active = KeyPixels(bmp, 0, 0, w, h);
        const auto inactive = stacked ? KeyPixels(bmp, 0, h, w, h) : KeyPixels(bmp, w, 0, w, h);
        EXPECT_EQ(active, inactive);
        const int start = Int(skin.ini, "Personality", std::string(id) + "TopHeight", 0);
        const int end = Int(skin.ini, "Personality", std::string(id) + "BotHeight", 0);
        for (const auto& [x, y] : active) {
            const int along = stacked ? x : y, length = stacked ? w : h;
            EXPECT_TRUE(along < start || along >= length - end)
                << "key colour in the stretched part at " << x << "," << y;
        }
    }
}

// Caption buttons count as described: every section named Button... except the four reserved names.
std::vector<std::string> CaptionButtonSections(const TQuickIni& ini) {
    std::vector<std::string> kept;
    for (const std::string& s : Sections(ini)) {
        const std::string up = Upper(s);
        if (up.rfind("BUTTON", 0) != 0) continue;
        if (up == "BUTTONS" || up == "BUTTON.RADIO" || up == "BUTTON.CHECKBOX" || up == "BUTTON") continue;
        if (ini.ReadInteger(s, "Action", 0) == -1 && ini.ReadInteger(s, "Visibility", -1) != 0) continue;
        kept.push_back(s);
    }
    return kept;
}

std::vector<std::string> PresetSections(const TQuickIni& ini) {
    std::vector<std::string> kept;
    for (const std::string& s : Sections(ini)) {
        const std::string up = Upper(s);
        if (up.rfind("COLOUR", 0) == 0 && up != "COLOURS") kept.push_back(s);
    }
    return kept;
}

TSize SizeOf(LoadedSkin& skin, const std::string& section, const std::string& key) {
    const TBitmap bmp = Image(skin, section, key);
    return {bmp.Width(), bmp.Height()};
}

// The package is a well-formed container: the data area is exactly the entries' bytes, every entry can be
// read back, and packing the unpacked bytes again gives the very bytes stored.
void CheckContainer(LoadedSkin& skin) {
    ASSERT_TRUE(skin.loaded) << skin.reader.LastError;
    EXPECT_EQ(skin.reader.header.Version, 70000);
    std::int64_t total = 0;
    for (int i = 0; i < skin.reader.Num; ++i) total += skin.reader.sizes[std::size_t(i)];
    EXPECT_EQ(total, skin.reader.ms.Size());

    const std::vector<std::uint8_t> unpacked = LzhUnpackBytes(skin.packed);
    EXPECT_EQ(LzhPackBytes(unpacked), skin.packed);
    // Rebuilding the container from its own entries gives the same unpacked bytes.
    std::vector<SkinPackageEntry> entries;
    for (int i = 0; i < skin.reader.Num; ++i) {
        TMemoryStream file;
        skin.reader.readfile(skin.reader.Dir[i], file);
        ASSERT_EQ(file.Size(), skin.reader.sizes[std::size_t(i)]) << skin.reader.Dir[i];
        entries.push_back({skin.reader.Dir[i], {file.Memory(), file.Memory() + file.Size()}});
    }
    EXPECT_EQ(BuildSkinPackageUnpacked(entries), unpacked);
}

class SkinPackages : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Load(TV_DEFAULT_SKIN, tocvane);
        Load(TV_FULL_SKIN, full);
    }
    static LoadedSkin tocvane;
    static LoadedSkin full;
};
LoadedSkin SkinPackages::tocvane;
LoadedSkin SkinPackages::full;

TEST_F(SkinPackages, DefaultSkinHoldsWhatTheTimingWindowReads) {
    LoadedSkin& s = tocvane;
    CheckContainer(s);
    ASSERT_TRUE(s.loaded);
    const TQuickIni& ini = s.ini;

    // 45 entries: one description, 44 images.
    EXPECT_EQ(s.reader.Num, 45);
    int inis = 0, bmps = 0;
    for (int i = 0; i < s.reader.Num; ++i) {
        const std::string& name = s.reader.Dir[i];
        if (name.find(".ini") != std::string::npos)
            ++inis;
        else if (name.size() > 4 && name.substr(name.size() - 4) == ".bmp")
            ++bmps;
    }
    EXPECT_EQ(inis, 1);
    EXPECT_EQ(bmps, 44);

    // Frame borders.
    EXPECT_EQ(SizeOf(s, "Personality", "Left"), (TSize{8, 63}));
    EXPECT_EQ(SizeOf(s, "Personality", "Right"), (TSize{8, 63}));
    EXPECT_EQ(SizeOf(s, "Personality", "Top"), (TSize{223, 56}));
    EXPECT_EQ(SizeOf(s, "Personality", "Bottom"), (TSize{41, 8}));
    for (const char* side : {"Left", "Right"}) {
        const std::string id = side;
        EXPECT_EQ(Int(ini, "Personality", id + "TopHeight"), 28);
        EXPECT_EQ(Int(ini, "Personality", id + "BotHeight"), 4);
        EXPECT_EQ(Int(ini, "Personality", id + "Frame", 1), 2);
        EXPECT_EQ(Int(ini, "Personality", id + "Stretch", 1), 1);
        EXPECT_EQ(Int(ini, "Personality", id + "Trans", 1), 1);
    }
    EXPECT_EQ(Int(ini, "Personality", "TopTopHeight"), 11);
    EXPECT_EQ(Int(ini, "Personality", "TopBotHeight"), 140);
    EXPECT_EQ(Int(ini, "Personality", "TopFrame", 1), 2);
    EXPECT_EQ(Int(ini, "Personality", "TopStretch", 1), 0);
    EXPECT_EQ(Int(ini, "Personality", "BottomTopHeight"), 1);
    EXPECT_EQ(Int(ini, "Personality", "BottomBotHeight"), 1);
    EXPECT_EQ(Int(ini, "Personality", "BottomFrame", 1), 2);

    // Caption text: no text background, offsets, white text both ways.
    EXPECT_TRUE(Value(ini, "Personality", "TextBack").empty());
    EXPECT_EQ(Int(ini, "Personality", "TextShift", 0), 15);
    EXPECT_EQ(Int(ini, "Personality", "TextRightClip", 0), 78);
    EXPECT_EQ(Int(ini, "Fonts", "FontHeight", 14), 14);
    for (const char* c :
         {"ActiveTextR", "ActiveTextG", "ActiveTextB", "InActiveTextR", "InActiveTextG", "InActiveTextB"})
        EXPECT_EQ(Int(ini, "Personality", c, -1), 255) << c;

    // Push buttons, check boxes, radio buttons.
    EXPECT_EQ(SizeOf(s, "Buttons", "Bitmap"), (TSize{195, 23}));
    EXPECT_EQ(Int(ini, "Buttons", "LeftWidth", 0), 8);
    EXPECT_EQ(Int(ini, "Buttons", "TopHeight", 0), 9);
    EXPECT_EQ(Int(ini, "Buttons", "RightWidth", 0), 23);
    EXPECT_EQ(Int(ini, "Buttons", "BottomHeight", 0), 9);
    EXPECT_EQ(Int(ini, "Buttons", "Trans", 0), 1);
    EXPECT_EQ(SizeOf(s, "Buttons", "CheckButton"), (TSize{65, 13}));
    EXPECT_EQ(SizeOf(s, "Buttons", "RadioButton"), (TSize{65, 13}));
    EXPECT_FALSE(HasKey(ini, "Buttons", "CheckButtonFrame"));
    EXPECT_FALSE(HasKey(ini, "Buttons", "RadioButtonFrame"));
    {  // The stretched middle of a push-button cell (columns 8..15) varies only from top to bottom.
        const TBitmap bmp = Image(s, "Buttons", "Bitmap");
        for (int cell = 0; cell < 5; ++cell)
            for (int y = 0; y < 23; ++y)
                for (int x = 9; x < 16; ++x)
                    EXPECT_EQ(bmp.Pixel(cell * 39 + x, y), bmp.Pixel(cell * 39 + 8, y))
                        << cell << " " << x << "," << y;
    }

    // Caption buttons: exactly Button0..Button4, in that order, with the stated codes and places.
    EXPECT_EQ(CaptionButtonSections(ini),
              (std::vector<std::string>{"Button0", "Button1", "Button2", "Button3", "Button4"}));
    struct Caption {
        const char* section;
        int action, align, x, y, visibility, visibility1;
    };
    const Caption captions[] = {{"Button0", 0, 1, 28, 4, 0, 0},
                                {"Button1", 1, 1, 52, 4, 2, 6},
                                {"Button2", 2, 1, 76, 4, 8, 0},
                                {"Button3", 1, 1, 52, 5, 1, 0},
                                {"Button4", 3, 0, 8, 7, 0, 0}};
    for (const Caption& c : captions) {
        SCOPED_TRACE(c.section);
        EXPECT_EQ(Int(ini, c.section, "Action", 0), c.action);
        EXPECT_EQ(Int(ini, c.section, "Align", 0), c.align);
        EXPECT_EQ(Int(ini, c.section, "Xcoord", 0), c.x);
        EXPECT_EQ(Int(ini, c.section, "Ycoord", 0), c.y);
        EXPECT_EQ(Int(ini, c.section, "Visibility", 0), c.visibility);
        EXPECT_EQ(Int(ini, c.section, "Visibility1", 0), c.visibility1);
        EXPECT_FALSE(HasKey(ini, c.section, "frame"));
        if (c.action == 3) {
            EXPECT_TRUE(Value(ini, c.section, "ButtonImage").empty());
        } else {
            const TSize size = SizeOf(s, c.section, "ButtonImage");
            EXPECT_EQ(size, (TSize{126, 21}));  // width / height = 6.0: six cells
        }
    }
    EXPECT_EQ(SizeOf(s, "MDICONTROLS", "Image"), (TSize{156, 13}));
    EXPECT_EQ(SizeOf(s, "Scrollbar", "Image"), (TSize{391, 16}));
    EXPECT_FALSE(HasKey(ini, "HorzScrollThumb", "FrameCount"));
    EXPECT_EQ(Int(ini, "Headerbar", "Frame", 0), 0);

    // Every image key of a section the skin has is given, except the two left empty on purpose.
    for (const ImageKey& k : kImageKeys) {
        const std::string id = std::string(k.section) + " " + k.key;
        if (!HasSection(ini, k.section) || id == "Personality TextBack" || id == "MenuItem Image") continue;
        EXPECT_FALSE(Value(ini, k.section, k.key).empty()) << id;
    }

    // Elements the timing window's skin leaves out.
    EXPECT_TRUE(HasSection(ini, "MenuItem"));
    EXPECT_TRUE(HasKey(ini, "MenuItem", "Image"));
    EXPECT_TRUE(Value(ini, "MenuItem", "Image").empty());
    for (const char* absent : {"Tab.Pane", "Progress.Chunk", "Track", "TRACKVERT", "Customcolors"})
        EXPECT_FALSE(HasSection(ini, absent)) << absent;
    EXPECT_EQ(Int(ini, "Progress", "Style", 0), 0);
    EXPECT_EQ(Int(ini, "Tabs", "Style", 0), 0);

    // Colours: no WindowText; the stated face, menu bar and presets.
    EXPECT_FALSE(HasKey(ini, "Colours", "WindowText"));
    EXPECT_EQ(Value(ini, "Colours", "ButtonFace"), "237, 237, 237");
    EXPECT_EQ(Value(ini, "Colours", "Menubar"), "236, 233, 216");
    EXPECT_NE(Value(ini, "Colours", "ButtonShadow"), Value(ini, "Colours", "MenuText"));
    const auto presets = PresetSections(ini);
    ASSERT_EQ(presets.size(), 12u);
    for (std::size_t i = 0; i < presets.size(); ++i) {
        EXPECT_EQ(presets[i], "Colour" + std::to_string(i));
        EXPECT_FALSE(Value(ini, presets[i], "color").empty());
    }
    EXPECT_EQ(Value(ini, "Colour6", "color"), "0, 70, 213");

    CheckImages(s);
}

TEST_F(SkinPackages, FullSkinSuppliesEveryOptionalElementInAnotherLook) {
    LoadedSkin& s = full;
    CheckContainer(s);
    ASSERT_TRUE(s.loaded);
    const TQuickIni& ini = s.ini;

    for (const auto& [section, key] :
         std::vector<std::pair<std::string, std::string>>{{"Personality", "TextBack"},
                                                          {"MenuItem", "Image"},
                                                          {"Tab.Pane", "Image"},
                                                          {"Progress.Chunk", "Image"},
                                                          {"Track", "Image"},
                                                          {"TRACKVERT", "Image"},
                                                          {"Personality", "menuBar"},
                                                          {"MenuBackground", "Image"}}) {
        EXPECT_FALSE(Image(s, section, key).Empty()) << section << " " << key;
    }
    for (const ImageKey& k : kImageKeys)
        EXPECT_FALSE(Value(ini, k.section, k.key).empty()) << k.section << " " << k.key;
    EXPECT_EQ(Int(ini, "Tabs", "Style", 0), 1);
    EXPECT_EQ(Int(ini, "Progress", "Style", 0), 1);
    for (const char* side : {"Left", "Right", "Top", "Bottom"})
        EXPECT_EQ(SizeOf(s, "Personality", side), SizeOf(tocvane, "Personality", side)) << side;

    // Only the reserved names start with Button or Colour.
    EXPECT_EQ(CaptionButtonSections(ini).size(), 5u);
    EXPECT_EQ(PresetSections(ini).size(), 12u);

    // Dark faces with light text, and another accent than the default skin's.
    auto luminance = [&](const std::string& key) {
        int rgb[3] = {0, 0, 0};
        std::sscanf(Value(ini, "Colours", key).c_str(), "%d, %d, %d", &rgb[0], &rgb[1], &rgb[2]);
        return (rgb[0] * 3 + rgb[1] * 6 + rgb[2]) / 10;
    };
    EXPECT_LT(luminance("ButtonFace"), 80);
    EXPECT_GT(luminance("ButtonText"), 180);
    EXPECT_GT(luminance("WindowText"), 180);
    EXPECT_NE(Value(ini, "Colours", "Hilight"), Value(tocvane.ini, "Colours", "Hilight"));
    EXPECT_NE(Value(ini, "Colours", "ButtonFace"), Value(tocvane.ini, "Colours", "ButtonFace"));

    CheckImages(s);
}

}  // namespace
