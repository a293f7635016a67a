// The Gallery's command line: Gallery.exe [--page NAME] [--skin NAME] [--help].
#pragma once

#include <string>
#include <vector>

struct GalleryOptions {
    std::string page = "main";
    std::string skin = "tocvane";
    bool help = false;
};

struct GalleryArguments {
    GalleryOptions options;
    std::string error;  // empty when the arguments were understood
};

// The pages and skins by name, in the order --help lists them, with one line about each.
struct GalleryName {
    const char* name;
    const char* about;
};
const std::vector<GalleryName>& GalleryPages();
const std::vector<GalleryName>& GallerySkins();

// Reads the arguments after the program name. "--page NAME" and "--page=NAME" are the same; names are
// compared without regard to case and come back lower-cased. An unknown option or name, or an option
// without its value, gives an error that says what was expected.
GalleryArguments ParseGalleryArguments(const std::vector<std::string>& args);
// The text --help prints.
std::string GalleryUsage();
