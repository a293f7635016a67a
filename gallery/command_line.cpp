// The Gallery's command line, read without the platform so that both builds test it.
#include "gallery/command_line.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string NameList(const std::vector<GalleryName>& names) {
    std::string s;
    for (const GalleryName& n : names) s += (s.empty() ? "" : ", ") + std::string(n.name);
    return s;
}

bool Known(const std::vector<GalleryName>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(), [&](const GalleryName& n) { return name == n.name; });
}

}  // namespace

const std::vector<GalleryName>& GalleryPages() {
    static const std::vector<GalleryName> pages{
        {"main", "the main form: menu bar, context menu, image list, status bar"},
        {"mdi", "an MDI form with three children, tiled"},
        {"dialogs", "a dialog box from a dialog resource with standard controls"},
        {"message", "a message box over the main form"},
        {"open", "the platform's file-open dialog over the main form"},
        {"buttons", "push, glyph, speed and menu buttons in their looks"},
        {"choices", "check boxes in their three states, radio buttons, a radio group and a check group"},
        {"lists", "combo boxes in their three styles, a combo box with images, date and time pickers"},
        {"text", "edits, a memo with both scroll bars, a list view in report mode with its header"},
        {"media", "media player bars: all nine buttons, three of them, none"},
        {"bars", "a tool bar, a header control and a child dialog with a size grip"},
    };
    return pages;
}

const std::vector<GalleryName>& GallerySkins() {
    static const std::vector<GalleryName> skins{
        {"tocvane", "the default skin, stored in the main form"},
        {"full", "a dark skin that supplies every optional element"},
        {"none", "no skin: the platform's own look"},
    };
    return skins;
}

GalleryArguments ParseGalleryArguments(const std::vector<std::string>& args) {
    GalleryArguments result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (arg == "--help" || arg == "-h" || arg == "/?") {
            result.options.help = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            hasValue = true;
        }
        if (arg != "--page" && arg != "--skin") {
            result.error = "unknown argument '" + args[i] + "' (try --help)";
            return result;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                result.error = arg + " needs a name";
                return result;
            }
            value = args[++i];
        }
        value = Lower(value);
        const bool page = arg == "--page";
        const auto& names = page ? GalleryPages() : GallerySkins();
        if (!Known(names, value)) {
            result.error = std::string("unknown ") + (page ? "page" : "skin") + " '" + value + "'; the " +
                           (page ? "pages" : "skins") + " are: " + NameList(names);
            return result;
        }
        (page ? result.options.page : result.options.skin) = value;
    }
    return result;
}

std::string GalleryUsage() {
    std::string s = "Gallery.exe [--page NAME] [--skin NAME]\n\nPages:\n";
    for (const GalleryName& n : GalleryPages()) s += "  " + std::string(n.name) + "\t" + n.about + "\n";
    s += "\nSkins:\n";
    for (const GalleryName& n : GallerySkins()) s += "  " + std::string(n.name) + "\t" + n.about + "\n";
    return s;
}
