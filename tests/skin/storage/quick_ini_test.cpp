#include "skin/storage/quick_ini.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/stream.h"
#include "skin/storage/lzh.h"

namespace {

TQuickIni Loaded(const std::string& text) {
    TQuickIni ini;
    TMemoryStream s(std::vector<std::uint8_t>(text.begin(), text.end()));
    ini.LoadFromStream(&s);
    return ini;
}

std::string Saved(const TQuickIni& ini) {
    TMemoryStream s;
    ini.SaveToStream(&s);
    return std::string(s.Bytes().begin(), s.Bytes().end());
}

const char* const kSkin =
    "; skin description\r\n"
    "Stray=1\r\n"
    "\r\n"
    "[MdiControls]\r\n"
    "  Xcoord = 8  \r\n"
    "Visibility1=\r\n"
    "a=b=c\r\n"
    "NoEquals\r\n"
    "xcoord=9\r\n"
    "[ Spaced ]\r\n"
    "Key=v\n"
    "[Colours]\r"
    "Hex=0x1F\r\n"
    "Dollar=$1F\r\n"
    "Neg=-1\r\n"
    "Bad=12abc\r\n"
    "Quoted=\"x\"\r\n"
    "System=$FF00000F\r\n"
    "[mdicontrols]\r\n"
    "Xcoord=99\r\n";

TEST(QuickIni, LoadDropsBlanksAndCommentsAndIndexesHeaders) {
    const TQuickIni ini = Loaded(kSkin);
    EXPECT_EQ(ini.IniFile()[0], "Stray=1");
    EXPECT_EQ(ini.IniFile()[1], "[MdiControls]");
    EXPECT_EQ(ini.IniFile()[2], "Xcoord = 8");  // trimmed at both ends only
    ASSERT_EQ(ini.Sections().Count(), 4);
    EXPECT_EQ(ini.Sections()[0], "[MdiControls]");
    EXPECT_EQ(ini.Sections().Objects(0), 1);
    EXPECT_EQ(ini.Sections().Objects(1), 7);  // "[ Spaced ]": comment and blank line not counted
    EXPECT_EQ(ini.Sections().Objects(2), 9);  // after a lone LF, then a lone CR
    // A NUL ends the text.
    const TQuickIni cut = Loaded(std::string("[A]\r\nk=1\r\n\0[B]\r\nk=2\r\n", 22));
    EXPECT_EQ(cut.IniFile().Count(), 2);
    EXPECT_EQ(cut.ReadString("B", "k", "none"), "none");
    // Saving writes the stored lines only, each with CR LF.
    EXPECT_EQ(Saved(Loaded("[a]\n\n; c\n x=1 \n")), "[a]\r\nx=1\r\n");
}

TEST(QuickIni, LookupsIgnoreCaseAndTakeTheFirstMatch) {
    const TQuickIni ini = Loaded(kSkin);
    EXPECT_EQ(ini.ReadString("MDICONTROLS", "XCoord", "?"), "8");    // first section, first key
    EXPECT_EQ(ini.ReadString("mdicontrols", "A", "?"), "b=c");       // a value may hold "="
    EXPECT_EQ(ini.ReadString("MdiControls", "NoEquals", "?"), "?");  // a line without "=" never matches
    EXPECT_EQ(ini.ReadString("MdiControls", "Visibility1", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("MdiControls", "Visibility1", 7), 7);
    EXPECT_EQ(ini.ReadString("Colours", "Quoted", "?"), "\"x\"");  // quotes stay
    EXPECT_EQ(ini.ReadString("Missing", "Key", "d"), "d");
    EXPECT_EQ(ini.ReadString("", "Stray", "d"), "d");  // a key before any header is in no section
    // Blanks inside the brackets must be asked for.
    EXPECT_EQ(ini.ReadString("Spaced", "Key", "?"), "?");
    EXPECT_EQ(ini.ReadString(" Spaced ", "Key", "?"), "v");
    TStringList names;
    ini.ReadSections(&names);
    EXPECT_EQ(names.CommaText(), "MdiControls,Spaced,Colours,mdicontrols");
    EXPECT_EQ(TQuickIni().ReadString("A", "B", "empty"), "empty");
}

TEST(QuickIni, IntegersInDecimalAndHexadecimal) {
    const TQuickIni ini = Loaded(kSkin);
    EXPECT_EQ(ini.ReadInteger("Colours", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Colours", "Dollar", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Colours", "Neg", 0), -1);
    EXPECT_EQ(ini.ReadInteger("Colours", "Bad", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Colours", "System", 0), std::int32_t(0xFF00000Fu));
    EXPECT_TRUE(ini.ReadBool("Colours", "Hex", false));
    EXPECT_TRUE(ini.ReadBool("Colours", "Missing", true));
    EXPECT_FALSE(ini.ReadBool("Colours", "Missing", false));

    struct Case {
        const char* text;
        bool ok;
        std::int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"+12", true, 12},
        {"-0x10", true, -16},
        {"x10", true, 16},
        {"X10", true, 16},
        {"$", false, 0},
        {"0x", false, 0},
        {"", false, 0},
        {"2147483647", true, 2147483647},
        {"2147483648", false, 0},
        {"-2147483648", true, INT32_MIN},
        {"$FFFFFFFF", true, -1},
        {"$100000000", false, 0},
        {"1 2", false, 0},
        {"--1", false, 0},
        {" 5", true, 5},
        {"0X1f", true, 31},
        {"12abc", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::int32_t v = 0;
        ASSERT_EQ(IniTextToInt(c.text, v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

TEST(QuickIni, SectionListsAndTheirAssertions) {
    const TQuickIni ini = Loaded(kSkin);
    TStringList keys;
    ini.ReadSection("MdiControls", &keys);
    EXPECT_EQ(keys.CommaText(), "xcoord,visibility1,a,xcoord");
    TStringList values;
    ini.ReadSectionValues("mdicontrols", &values);
    EXPECT_EQ(values.CommaText(), "Xcoord = 8,Visibility1=,a=b=c,NoEquals,xcoord=9");
    ini.ReadSection("Missing", &keys);
    EXPECT_EQ(keys.Count(), 0);

    for (int which = 0; which < 3; ++which) {
        SCOPED_TRACE(which);
        try {
            if (which == 0) ini.ReadSections(nullptr);
            if (which == 1) ini.ReadSection("MdiControls", nullptr);
            if (which == 2) ini.ReadSectionValues("MdiControls", nullptr);
            ADD_FAILURE() << "no assertion failure";
        } catch (const EAssertionFailed& e) {
            const std::string text = e.what();
            EXPECT_EQ(text.rfind("The parameter Strings is unassigned! (Winskinini, line ", 0), 0u) << text;
            EXPECT_EQ(text.back(), ')');
            EXPECT_EQ(e.Unit(), "Winskinini");
            EXPECT_GT(e.Line(), 0);
        }
    }
}

TEST(QuickIni, WritingKeepsEverySectionReadable) {
    TQuickIni ini = Loaded("[One]\r\na=1\r\n[Two]\r\nb=2\r\n[Three]\r\nc=3\r\n");
    ini.WriteString("One", "New", "x");  // inserted before [Two]
    ini.WriteString("one", "A", "10");   // replaces a=1, keeping the ident as passed
    ini.WriteString("Three", "d", "4");  // appended at the end
    ini.WriteInteger("Four", "e", -5);   // new section at the end
    ini.WriteBool("Two", "f", true);
    ini.WriteString("Five", "", "ignored");  // only the section
    ini.WriteString("One", "", "ignored");   // nothing
    EXPECT_EQ(Saved(ini),
              "[One]\r\nA=10\r\nNew=x\r\n[Two]\r\nb=2\r\nf=1\r\n[Three]\r\nc=3\r\nd=4\r\n[Four]\r\ne=-5\r\n"
              "[Five]\r\n");
    EXPECT_EQ(ini.ReadString("Two", "b", "?"), "2");
    EXPECT_EQ(ini.ReadString("Three", "c", "?"), "3");
    EXPECT_EQ(ini.ReadInteger("Four", "E", 0), -5);
    EXPECT_TRUE(ini.ReadBool("two", "F", false));

    ini.DeleteKey("TWO", "B");
    ini.DeleteKey("Two", "missing");
    EXPECT_EQ(ini.ReadString("Two", "b", "gone"), "gone");
    EXPECT_EQ(ini.ReadString("Three", "d", "?"), "4");

    // Erasing leaves one empty line in place of a section that was not first.
    ini.EraseSection("Two");
    EXPECT_EQ(Saved(ini),
              "[One]\r\nA=10\r\nNew=x\r\n\r\n[Three]\r\nc=3\r\nd=4\r\n[Four]\r\ne=-5\r\n[Five]\r\n");
    ini.EraseSection("One");
    EXPECT_EQ(Saved(ini), "[Three]\r\nc=3\r\nd=4\r\n[Four]\r\ne=-5\r\n[Five]\r\n");  // the blank went with it
    EXPECT_EQ(ini.ReadString("Four", "e", "?"), "-5");
    ini.EraseSection("Missing");

    // The index always follows the text.
    TQuickIni rebuilt;
    rebuilt.SetIniFile(ini.IniFile());
    EXPECT_EQ(rebuilt.Sections(), ini.Sections());
    ini.Clear();
    EXPECT_EQ(ini.IniFile().Count(), 0);
    EXPECT_EQ(ini.Sections().Count(), 0);
}

TEST(QuickIni, IniFilePropertyIndexesUntrimmedHeadersOnly) {
    TQuickIni ini;
    ini.SetIniFile(TStringList{"[A]", "k=1", " [B]", "k=2", "", "[C] ", "[D]", "k=4"});
    TStringList names;
    ini.ReadSections(&names);
    EXPECT_EQ(names.CommaText(), "A,D");
    EXPECT_EQ(ini.ReadString("D", "k", "?"), "4");
}

TEST(QuickIni, FilesPlainAndPacked) {
    const std::string dir = std::string(TV_BINARY_DIR) + "/";
    TQuickIni ini = Loaded(kSkin);
    ini.SaveToFile(dir + "ini_test_plain.ini");
    ini.SavetoZip(dir + "ini_test_packed.ini");

    TQuickIni plain;
    plain.LoadFromFile(dir + "ini_test_plain.ini");
    EXPECT_EQ(plain.IniFile(), ini.IniFile());
    TQuickIni packed;
    packed.LoadFromZip(dir + "ini_test_packed.ini");
    EXPECT_EQ(packed.IniFile(), ini.IniFile());
    EXPECT_EQ(packed.ReadInteger("Colours", "Hex", 0), 31);

    // The packed file is the framed stream of the saved text.
    const std::vector<std::uint8_t> bytes = ReadFileBytes(dir + "ini_test_packed.ini");
    const std::string text = Saved(ini);
    EXPECT_EQ(LzhDeclaredSize(bytes), std::int64_t(text.size()));

    // Failures leave the text as it was.
    EXPECT_THROW(packed.LoadFromFile(dir + "no_such_file.ini"), EFOpenError);
    EXPECT_THROW(packed.LoadFromZip(dir + "no_such_file.ini"), EStreamError);
    const std::vector<std::uint8_t> bad = {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
    WriteFileBytes(dir + "ini_test_bad.ini", bad.data(), bad.size());
    EXPECT_THROW(packed.LoadFromZip(dir + "ini_test_bad.ini"), ElzhException);
    EXPECT_EQ(packed.IniFile(), ini.IniFile());

    // Missing streams are ignored.
    packed.LoadFromStream(nullptr);
    packed.SaveToStream(nullptr);
    EXPECT_EQ(packed.IniFile(), ini.IniFile());
}

}  // namespace
