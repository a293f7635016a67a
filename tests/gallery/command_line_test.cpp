// The Gallery's command line: pages and skins by name, both spellings of an option, and clear errors.
#include <gtest/gtest.h>

#include "gallery/command_line.h"

namespace {

GalleryArguments Parse(std::vector<std::string> args) { return ParseGalleryArguments(args); }

TEST(GalleryCommandLine, PagesAndSkinsByNameInBothSpellings) {
    GalleryArguments a = Parse({});
    EXPECT_EQ(a.error, "");
    EXPECT_EQ(a.options.page, "main");
    EXPECT_EQ(a.options.skin, "tocvane");
    EXPECT_FALSE(a.options.help);

    a = Parse({"--page", "MDI", "--skin=Full"});
    EXPECT_EQ(a.error, "");
    EXPECT_EQ(a.options.page, "mdi");
    EXPECT_EQ(a.options.skin, "full");
    // The last of a repeated option wins; --help may come with the others.
    a = Parse({"--page=dialogs", "--page", "open", "--help"});
    EXPECT_EQ(a.options.page, "open");
    EXPECT_TRUE(a.options.help);
    for (const GalleryName& page : GalleryPages()) EXPECT_EQ(Parse({"--page", page.name}).error, "");
}

TEST(GalleryCommandLine, UnknownNamesAndOptionsSayWhatWasExpected) {
    GalleryArguments a = Parse({"--page", "nope"});
    // The list names every page, in the order --help gives.
    EXPECT_EQ(a.error.rfind("unknown page 'nope'; the pages are: main, mdi, dialogs, message, open", 0), 0u);
    a = Parse({"--skin=blue"});
    EXPECT_EQ(a.error, "unknown skin 'blue'; the skins are: tocvane, full, none");
    EXPECT_EQ(Parse({"--page"}).error, "--page needs a name");
    EXPECT_EQ(Parse({"--colour", "red"}).error, "unknown argument '--colour' (try --help)");
    EXPECT_EQ(Parse({"main"}).error, "unknown argument 'main' (try --help)");
    // "--page=" names the empty page, which does not exist; it does not take the next argument.
    EXPECT_NE(Parse({"--page=", "main"}).error, "");
}

TEST(GalleryCommandLine, UsageListsEveryPageAndSkin) {
    const std::string usage = GalleryUsage();
    for (const GalleryName& n : GalleryPages())
        EXPECT_NE(usage.find(std::string("  ") + n.name + "\t"), std::string::npos);
    for (const GalleryName& n : GallerySkins())
        EXPECT_NE(usage.find(std::string("  ") + n.name + "\t"), std::string::npos);
}

}  // namespace
