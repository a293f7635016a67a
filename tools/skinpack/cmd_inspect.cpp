// inspect: loads a skin package through the real skin component and prints what the engine will see, one
// "key: value" line per fact, in a fixed order, so that two skins (or two versions of one) can be diffed.
// skindata-block: the lap timer window's skin component as a form description block, holding a package.
#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

#include "platform/form_reader.h"
#include "platform/stream.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/storage/quick_ini.h"
#include "skin/storage/skin_read.h"
#include "tools/skinpack/command.h"

namespace {

int Inspect(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int SkinDataBlock(std::span<const std::string> args, std::ostream& out, std::ostream& err);

const skinpack::Command kInspect{"inspect", "inspect PACKAGE",
                                 "print every skin object, caption button and colour the engine reads",
                                 Inspect};
const skinpack::Registration reg{kInspect};
const skinpack::Command kSkinDataBlock{"skindata-block", "skindata-block PACKAGE",
                                       "print the lap timer's SkinData1 form block holding PACKAGE",
                                       SkinDataBlock};
const skinpack::Registration regBlock{kSkinDataBlock};

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

bool AllDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ColourText(TColor c) {
    char buf[48];
    if (IsSystemColor(c))
        std::snprintf(buf, sizeof buf, "system %d", SystemColorIndex(c));
    else if (c == clNone)
        std::snprintf(buf, sizeof buf, "none");
    else
        std::snprintf(buf, sizeof buf, "%d,%d,%d", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

std::string Size(const TBitmap& b) {
    return b.Empty() ? "none" : std::to_string(b.Width()) + "x" + std::to_string(b.Height());
}

std::string Margins(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}

class Printer {
public:
    explicit Printer(std::ostream& out) : out_(out) {}

    void Fact(const std::string& key, const std::string& value) { out_ << key << ": " << value << "\n"; }
    void Warn(const std::string& text) { warnings_.push_back(text); }

    // An image of `cells` cells; stacked cells are rows.
    void Cells(const std::string& key, const TBitmap& map, int cells, bool stacked) {
        Fact(key + ".image", Size(map));
        Fact(key + ".cells", std::to_string(cells));
        if (map.Empty()) return;
        Fact(key + ".layout", stacked ? "stacked" : "side-by-side");
        const int length = stacked ? map.Height() : map.Width();
        if (cells > 0) {
            Fact(key + ".cell", stacked
                                    ? std::to_string(map.Width()) + "x" + std::to_string(length / cells)
                                    : std::to_string(length / cells) + "x" + std::to_string(map.Height()));
            if (length % cells != 0)
                Warn(key + ": image " + (stacked ? "height " : "width ") + std::to_string(length) +
                     " does not divide into " + std::to_string(cells) + " cells");
        }
    }

    void Object(const std::string& name, const TDataSkinObject* o, bool stacked = false) {
        const std::string key = "object." + name;
        if (!o) {
            Fact(key, "absent");
            return;
        }
        Fact(key + ".section", o->IDName);
        Cells(key, o->Map, o->frame, stacked);
        Fact(key + ".margins", Margins(o->r));
        Fact(key + ".trans", std::to_string(o->trans));
        Fact(key + ".tile", std::to_string(o->Tile));
        Fact(key + ".style", std::to_string(o->style));
        Fact(key + ".colours", std::to_string(o->Normalcolor) + " " + std::to_string(o->Overcolor) + " " +
                                   std::to_string(o->Downcolor));
        Fact(key + ".colours2",
             ColourText(o->Normalcolor2) + " " + ColourText(o->Overcolor2) + " " + ColourText(o->Downcolor2));
        if (auto* b = dynamic_cast<const TDataSkinBorder*>(o); b && !b->MaskMap.Empty())
            Fact(key + ".second-image", Size(b->MaskMap));
    }

    void Flush() {
        for (const std::string& w : warnings_) Fact("warning", w);
    }

private:
    std::ostream& out_;
    std::vector<std::string> warnings_;
};

// Checks every value of the description that names an image against the loader's rules and the package.
void CheckImageNames(const TQuickIni& ini, TSkinReader& reader, Printer& p) {
    const TStringList& lines = ini.IniFile();
    std::string section;
    std::set<std::string> reported;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string value = line.substr(eq + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        value.erase(value.find_last_not_of(" \t") + 1);
        const std::size_t sep = value.find_last_of("\\:");
        const std::string name = sep == std::string::npos ? value : value.substr(sep + 1);
        const std::size_t dot = name.rfind('.');
        if (dot == std::string::npos) continue;
        const std::string ext = name.substr(dot);
        const std::string where = "[" + section + "] " + line.substr(0, eq);
        if (Upper(ext) == ".BMP" && ext != ".bmp") {
            p.Warn(where + ": \"" + value + "\" is not read (the extension must be lower-case .bmp)");
            continue;
        }
        if (ext != ".bmp" || !reported.insert(AsciiLower(name)).second) continue;
        TMemoryStream file;
        reader.readfile(name, file);
        if (file.Size() == 0) {
            p.Warn(where + ": image \"" + name + "\" is missing from the package");
            continue;
        }
        TBitmap probe;
        if (!probe.LoadFromStream(file))
            p.Warn(where + ": image \"" + name + "\" is not a BMP the loader accepts");
    }
}

void CheckSectionNames(const TQuickIni& ini, Printer& p) {
    TStringList sections;
    ini.ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i) {
        const std::string upper = Upper(sections[i]);
        if (upper.rfind("BUTTON", 0) == 0 && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
            upper != "BUTTON.CHECKBOX" && upper != "BUTTON" && !AllDigits(upper.substr(6))) {
            const bool skipped = ini.ReadInteger(sections[i], "Action", 0) == -1 &&
                                 ini.ReadInteger(sections[i], "Visibility", -1) != 0;
            if (!skipped) p.Warn("section [" + sections[i] + "] is read as a caption button");
        }
        if (upper.rfind("COLOUR", 0) == 0 && upper != "COLOURS" && !AllDigits(upper.substr(6)))
            p.Warn("section [" + sections[i] + "] is read as a colour preset");
    }
}

int Inspect(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return skinpack::UsageError(err, kInspect);
    const std::string& file = args[0];
    std::vector<std::uint8_t> bytes;
    try {
        bytes = skinpack::ReadInputFile(file);
    } catch (const std::exception& e) {
        return skinpack::Fail(err, file, e.what());
    }

    // The package as the loader sees it, for the reasons of a refusal and the checks on names.
    TSkinReader reader;
    TQuickIni ini;
    {
        TMemoryStream packed(bytes);
        bool loaded = false;
        try {
            loaded = reader.Loadfromstream(packed);
        } catch (const std::exception& e) {
            return skinpack::Fail(err, file, std::string("not a skin package: ") + e.what());
        }
        if (!loaded)
            return skinpack::Fail(
                err, file,
                reader.LastError.empty() ? "not a skin package of a known version" : reader.LastError);
        TMemoryStream text;
        std::string iniName;
        reader.readIni(".ini", text, iniName);
        if (text.Size() == 0)
            return skinpack::Fail(err, file, "the package holds no skin description (.ini)");
        ini.LoadFromStream(text);
    }

    TSkinData skin(nullptr);
    skin.SetSkinFormtype(sfDLL);  // a component on its own: no manager involved
    TMemoryStream packed(bytes);
    skin.LoadFromStream(packed);
    FreeSkinManager();
    if (skin.Empty) return skinpack::Fail(err, file, "the skin component could not load the package");

    Printer p(out);
    p.Fact("package", file);
    p.Fact("skin-name", skin.SkinName);

    static const char* const borderNames[4] = {"Left", "Right", "Top", "Bottom"};
    for (int i = 0; i < 4; ++i)
        p.Object(std::string("border[") + std::to_string(i) + "]." + borderNames[i],
                 skin.border[std::size_t(i)].get(), i >= 2);
    p.Object("Title", skin.Title.get(), true);
    p.Fact("object.Title.align", std::to_string(skin.Title->Aligment));
    p.Fact("object.Title.font-height", std::to_string(skin.Title->FontHeight));
    p.Fact("object.Title.back-caps",
           std::to_string(skin.Title->backleft) + "," + std::to_string(skin.Title->backright));
    p.Fact("object.Title.text-colours",
           ColourText(skin.Title->activetext) + " " + ColourText(skin.Title->inactivetext));
    p.Object("Button", skin.Button.get());
    p.Cells("object.Button.check", skin.Button->CheckMap, skin.Button->checkframe, false);
    p.Cells("object.Button.radio", skin.Button->RadioMap, skin.Button->radioframe, false);
    p.Fact("object.Button.new-text-colours", std::string(skin.Button->newnormal ? "normal " : "") +
                                                 (skin.Button->newover ? "over " : "") +
                                                 (skin.Button->newdown ? "down" : ""));

    const std::pair<const char*, const TDataSkinObject*> objects[] = {
        {"progress", skin.progress.get()},
        {"progresschunk", skin.progresschunk.get()},
        {"Menubar", skin.Menubar.get()},
        {"Box", skin.Box.get()},
        {"boxlabel", skin.boxlabel.get()},
        {"tab", skin.tab.get()},
        {"StatusBar", skin.StatusBar.get()},
        {"TabSheet", skin.TabSheet.get()},
        {"Toolbarbtn", skin.Toolbarbtn.get()},
        {"combox", skin.combox.get()},
        {"Comboxborder", skin.Comboxborder.get()},
        {"comboxarrow", skin.comboxarrow.get()},
        {"ExtraImages", skin.ExtraImages.get()},
        {"Header", skin.Header.get()},
        {"MenuItem", skin.MenuItem.get()},
        {"MenuitemBG", skin.MenuitemBG.get()},
        {"SArrow", skin.SArrow.get()},
        {"HBar", skin.HBar.get()},
        {"VBar", skin.VBar.get()},
        {"HSlider", skin.HSlider.get()},
        {"VSlider", skin.VSlider.get()},
        {"TrackHorz", skin.TrackHorz.get()},
        {"TrackVert", skin.TrackVert.get()},
        {"TrackLeft", skin.TrackLeft.get()},
        {"Trackright", skin.Trackright.get()},
        {"Tracktop", skin.Tracktop.get()},
        {"Trackbottom", skin.Trackbottom.get()},
        {"HSpin", skin.HSpin.get()},
        {"VSpin", skin.VSpin.get()},
        {"TrackBar", skin.TrackBar.get()},
        {"TrackBarVert", skin.TrackBarVert.get()},
        {"Toolbar", skin.Toolbar.get()},
        {"MinCaption", skin.MinCaption.get()},
    };
    for (const auto& [name, o] : objects) p.Object(name, o, o == skin.Menubar.get() && o);
    if (skin.boxlabel)
        p.Fact("object.boxlabel.background", std::to_string(skin.boxlabel->Alignment) + " " +
                                                 std::to_string(skin.boxlabel->LeftShift) + " " +
                                                 std::to_string(skin.boxlabel->RightShift));

    p.Fact("caption-buttons", std::to_string(skin.SysBtn.size()));
    for (std::size_t i = 0; i < skin.SysBtn.size(); ++i) {
        const TDataSkinSysButton& b = *skin.SysBtn[i];
        const std::string key = "caption-button." + std::to_string(i);
        p.Fact(key + ".section", b.IDName.empty() ? "(MDI child button)" : b.IDName);
        p.Fact(key + ".action", std::to_string(b.Action));
        p.Fact(key + ".align", std::to_string(b.Align));
        p.Fact(key + ".position", std::to_string(b.XCoord) + "," + std::to_string(b.YCoord));
        p.Fact(key + ".visibility", std::to_string(b.Visibility) + " " + std::to_string(b.Visibility1));
        p.Fact(key + ".combine", std::to_string(b.CombineOp));
        p.Cells(key, b.Map, b.frame, false);
    }

    static const char* const colourKeys[20] = {"WindowText",
                                               "TitleTextActive",
                                               "TitleTextNoActive",
                                               "ButtonFace",
                                               "ButtonText",
                                               "ButtonHilight",
                                               "Buttonlight",
                                               "ButtonShadow",
                                               "ButtonDkShadow",
                                               "-",
                                               "-",
                                               "HilightText",
                                               "Hilight",
                                               "Menubar",
                                               "MenuBarText",
                                               "MenuText",
                                               "Menu",
                                               "(caption colour)",
                                               "Scrollbar",
                                               "-"};
    for (int i = 0; i < 20; ++i)
        p.Fact("colour." + std::to_string(i) + "." + colourKeys[i],
               ColourText(skin.Colors[std::size_t(i)]) + (skin.hasColors[std::size_t(i)] ? " (given)" : ""));
    p.Fact("presets", std::to_string(skin.ColorPreset.size()));
    for (std::size_t i = 0; i < skin.ColorPreset.size(); ++i)
        p.Fact("preset." + std::to_string(i), ColourText(skin.ColorPreset[i]));
    for (std::size_t i = 0; i < skin.PresetColors.size(); ++i)
        p.Fact("custom-colour." + std::to_string(i), ColourText(skin.PresetColors[i]));

    CheckImageNames(ini, reader, p);
    CheckSectionNames(ini, p);
    p.Flush();
    return skinpack::kExitOk;
}

// The window's settings of its skin component; the stored skin is the package, after its 4-byte count.
int SkinDataBlock(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return skinpack::UsageError(err, kSkinDataBlock);
    std::vector<std::uint8_t> packed;
    try {
        packed = skinpack::ReadInputFile(args[0]);
    } catch (const std::exception& e) {
        return skinpack::Fail(err, args[0], e.what());
    }
    TMemoryStream value;
    value.WriteInt32(std::int32_t(packed.size()));
    value.WriteBuffer(packed.data(), std::int64_t(packed.size()));

    out << "  object SkinData1: TSkinData\n"
           "    Active = True\n"
           "    DisableTag = 99\n"
           "    SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, "
           "xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, "
           "xcPanel, "
           "xcGroupBox, xcStatusBar, xcTab, xcTrackBar]\n"
           "    Options = [xoPreview, xoToolbarBK, xoCaptionButtonHint]\n"
           "    Skin3rd.Strings = (";
    for (const std::string& row : DefaultSkin3rdRows()) out << "\n      '" << row << "'";
    out << ")\n"
           "    SkinStore = '(Good)'\n"
           "    SkinFormtype = sfMainform\n"
           "    Version = '5.60.03.29'\n"
           "    MenuUpdate = True\n"
           "    MenuMerge = False\n"
           "    SkinStream = "
        << FormatBinaryValue(value.Memory(), std::size_t(value.Size()), 6) << "\n  end\n";
    return skinpack::kExitOk;
}

}  // namespace
