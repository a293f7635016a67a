#include "platform/string_list.h"

#include <gtest/gtest.h>

TEST(StringList, TextSplitsAtEveryLineBreakKindAndATrailingBreakAddsNoLine) {
    TStringList l;
    l.SetText("a\r\nb\rc\nd\r\n");
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[0], "a");
    EXPECT_EQ(l[1], "b");
    EXPECT_EQ(l[2], "c");
    EXPECT_EQ(l[3], "d");

    l.SetText("\r\n\r\nx");  // empty lines are lines
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[2], "x");

    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
    l.SetText("\n\r");  // LF, then a lone CR: two empty lines
    EXPECT_EQ(l.Count(), 2);
}

TEST(StringList, IndexOfIgnoresAsciiCaseOnly) {
    TStringList l{"Alpha", "\xC4\xE3"};
    EXPECT_EQ(l.IndexOf("ALPHA"), 0);
    EXPECT_EQ(l.IndexOf("\xE4\xE3"), -1);  // bytes above 127 are not folded
    l.CaseSensitive = true;
    EXPECT_EQ(l.IndexOf("ALPHA"), -1);
}
