#include "test_skins.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/stream.h"

namespace testskin {

TColor CellColor(int seed, int cell) {
    return RGBColor(seed * 7 % 200 + 20, cell * 37 % 250, 90 + seed % 100);
}

TBitmap CellStrip(int width, int height, int cells, int seed, bool stacked) {
    TBitmap b(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int cell = stacked ? y / (height / cells) : x / (width / cells);
            b.SetPixel(x, y, CellColor(seed, cell + 1));
        }
    return b;
}

std::vector<std::uint8_t> BmpBytes(const TBitmap& bitmap) {
    TMemoryStream s;
    bitmap.SaveToStream(s);
    return s.TakeBytes();
}

std::string DefaultIni() {
    return R"(; a skin laid out like the lap timer's
[TitlebarSkin]
SkinName=Test Skin

[Personality]
Left=left.bmp
LeftTopHeight=28
LeftBotHeight=4
LeftFrame=2
LeftStretch=1
LeftTrans=1
Right=Skin\right.bmp
RightTopHeight=28
RightBotHeight=4
RightFrame=2
RightStretch=1
RightTrans=1
Top=top.bmp
TopTopHeight=11
TopBotHeight=140
TopFrame=2
TopStretch=0
TopTrans=1
Bottom=bottom.bmp
BottomTopHeight=1
BottomBotHeight=1
BottomFrame=2
TextShift=15
TextRightClip=78
ActiveTextR=255
ActiveTextG=255
ActiveTextB=255
InActiveTextR=255
InActiveTextG=255
InActiveTextB=255
menuBar=menubar.bmp

[Colours]
ButtonFace=237, 237, 237
ButtonText=0 0 0
Menubar=236, 233, 216
ButtonShadow=160 160 160
TitleTextActive=255,255,255

[Colour0]
color=10,20,30
[Colour1]
color=1 1 1
[Colour2]
color=2 2 2
[Colour3]
color=3 3 3
[Colour4]
color=4 4 4
[Colour5]
color=5 5 5
[Colour6]
color=0, 70, 213
[Colour7]
color=7 7 7
[Colour8]
color=
[Colour9]
color=9 9 9
[Colour10]
color=10 10 10
[Colour11]
color=11 11 11

[Buttons]
Bitmap=buttons.bmp
CheckButton=checkbox.bmp
RadioButton=radio.bmp
LeftWidth=8
TopHeight=9
RightWidth=23
BottomHeight=9
Trans=1
NormalColour2=12, 34, 56

[Button0]
Action=0
Align=1
Xcoord=23
Ycoord=5
ButtonImage=close.bmp
[Button1]
Action=1
Align=1
Xcoord=44
Ycoord=5
Visibility=2
ButtonImage=max.bmp
[Button2]
Action=4
Align=1
Xcoord=0
Ycoord=0
ButtonImage=restore.bmp
[Button3]
Action=2
Align=1
Xcoord=65
Ycoord=5
ButtonImage=min.bmp
[Button4]
Action=3
Align=0
Xcoord=6
Ycoord=6

[MDIControls]
Image=mdi.bmp

[Scrollbar]
Image=scroll.bmp
Trans=1
[HorzScroll]
Image=hscroll.bmp
LeftWidth=3
RightWidth=3
[VertScroll]
Image=vscroll.bmp
TopHeight=3
BottomHeight=3
[HorzScrollThumb]
Image=hthumb.bmp
LeftWidth=4
RightWidth=4
[VertScrollThumb]
Image=vthumb.bmp
FrameCount=0
[Headerbar]
Image=header.bmp
LeftWidth=2
RightWidth=2
[MenuItem]
Image=
[GroupBoxEdge]
Image=groupbox.bmp
[GroupBox]
Image=boxlabel.bmp
BackgroundAlignment=1
Tile=7
[StatusBarEdges]
Image=status.bmp
Tile=1
[ComboButton]
Image=combobtn.bmp
LeftWidth=2
RightWidth=2
[SunkEdge]
Image=sunkedge.bmp
LeftWidth=2
TopHeight=2
RightWidth=2
BottomHeight=2
[Progress]
Bitmap=progress.bmp
Tile=5
)";
}

std::vector<SkinPackageEntry> DefaultImages() {
    struct StripImage {
        const char* name;
        int w, h, cells, seed;
        bool stacked;
    };
    static const StripImage strips[] = {
        {"left.bmp", 8, 63, 2, 1, false},       {"right.bmp", 8, 63, 2, 2, false},
        {"top.bmp", 223, 56, 2, 3, true},       {"bottom.bmp", 41, 8, 2, 4, true},
        {"menubar.bmp", 20, 40, 2, 5, true},    {"buttons.bmp", 195, 23, 5, 6, false},
        {"checkbox.bmp", 65, 13, 5, 7, false},  {"radio.bmp", 65, 13, 5, 8, false},
        {"close.bmp", 126, 21, 6, 9, false},    {"max.bmp", 126, 21, 6, 10, false},
        {"restore.bmp", 126, 21, 6, 11, false}, {"min.bmp", 126, 21, 6, 12, false},
        {"mdi.bmp", 156, 13, 12, 13, false},    {"scroll.bmp", 391, 16, 23, 14, false},
        {"hscroll.bmp", 64, 16, 4, 15, false},  {"vscroll.bmp", 64, 16, 4, 16, false},
        {"hthumb.bmp", 48, 16, 3, 17, false},   {"vthumb.bmp", 48, 16, 3, 18, false},
        {"header.bmp", 100, 20, 5, 19, false},  {"groupbox.bmp", 20, 10, 2, 20, false},
        {"boxlabel.bmp", 10, 10, 1, 21, false}, {"status.bmp", 30, 10, 3, 22, false},
        {"combobtn.bmp", 68, 21, 4, 23, false}, {"sunkedge.bmp", 88, 21, 4, 24, false},
        {"progress.bmp", 40, 10, 2, 25, false},
    };
    std::vector<SkinPackageEntry> out;
    for (const StripImage& s : strips)
        out.push_back({s.name, BmpBytes(CellStrip(s.w, s.h, s.cells, s.seed, s.stacked))});
    return out;
}

std::vector<std::uint8_t> Package(const std::string& ini, const std::vector<SkinPackageEntry>& images) {
    std::vector<SkinPackageEntry> entries{{"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())}};
    entries.insert(entries.end(), images.begin(), images.end());
    return BuildSkinPackage(entries);
}

std::vector<std::uint8_t> DefaultPackage() { return Package(DefaultIni(), DefaultImages()); }

std::vector<std::uint8_t> SecondPackage() {
    const std::string ini = R"([TitlebarSkin]
SkinName=Second
[Personality]
Left=l2.bmp
LeftFrame=1
Right=l2.bmp
RightFrame=1
Top=t2.bmp
TopFrame=1
Bottom=t2.bmp
BottomFrame=1
TextShift=3
[Colours]
ButtonFace=10 20 30
[Colour0]
color=5 5 5
[Customcolors]
Color3=1 2 3
[Buttons]
Bitmap=b2.bmp
CheckButton=c2.bmp
RadioButton=c2.bmp
[Button0]
Action=0
ButtonImage=x2.bmp
[MDIControls]
Image=m2.bmp
[Scrollbar]
Image=s2.bmp
[HorzScroll]
Image=s2.bmp
[VertScroll]
Image=s2.bmp
[HorzScrollThumb]
Image=s2.bmp
FrameCount=2
[VertScrollThumb]
Image=s2.bmp
[Headerbar]
Image=s2.bmp
Frame=2
[MenuItem]
Image=s2.bmp
[GroupBoxEdge]
Image=s2.bmp
[GroupBox]
Image=s2.bmp
[StatusBarEdges]
Image=s2.bmp
[ComboButton]
Image=s2.bmp
[SunkEdge]
Image=s2.bmp
[Progress]
Bitmap=s2.bmp
[Progress.Chunk]
Image=s2.bmp
Frame=3
[Tab.Pane]
Image=s2.bmp
LeftWidth=9
TopHeight=2
[Tabs]
Image=s2.bmp
Border=c2.bmp
[ToolBars]
Image=s2.bmp
[ExtraImages]
Image=s2.bmp
[MenuBackground]
Image=s2.bmp
[Trackbar.ThumbHorz]
Image=s2.bmp
[Trackbar.ThumbVert]
Image=s2.bmp
[Trackbar.ThumbLeft]
Image=s2.bmp
[Trackbar.ThumbRight]
Image=s2.bmp
[Trackbar.ThumbUp]
Image=s2.bmp
[Trackbar.ThumbDown]
Image=s2.bmp
[UpDown.Horz]
Image=s2.bmp
GlyphImage=c2.bmp
[UpDown.Vert]
Image=s2.bmp
[Track]
Image=s2.bmp
Frame=2
[TRACKVERT]
Image=s2.bmp
)";
    return Package(ini, {
                            {"l2.bmp", BmpBytes(CellStrip(6, 30, 1, 31))},
                            {"t2.bmp", BmpBytes(CellStrip(60, 24, 1, 32))},
                            {"b2.bmp", BmpBytes(CellStrip(100, 20, 5, 33))},
                            {"c2.bmp", BmpBytes(CellStrip(64, 16, 4, 34))},
                            {"x2.bmp", BmpBytes(CellStrip(60, 20, 3, 35))},
                            {"m2.bmp", BmpBytes(CellStrip(120, 10, 12, 36))},
                            {"s2.bmp", BmpBytes(CellStrip(120, 24, 24, 37))},
                        });
}

std::vector<std::uint8_t> BuiltPackage(const std::string& fileName) {
    const std::filesystem::path path = std::filesystem::path(TV_BINARY_DIR) / "skins" / fileName;
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> ProgramPackage() {
    std::vector<std::uint8_t> built = BuiltPackage("tocvane.skn");
    return built.empty() ? DefaultPackage() : built;
}

}  // namespace testskin
