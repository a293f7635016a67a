// Published properties by name across the class chain, class information and UTF-8 text.
#include <gtest/gtest.h>

#include "framework_fixtures.h"
#include "platform/props.h"

TEST(ClassInfo, NamesAndAncestryAlongTheChain) {
    TTestButton button(nullptr);
    const TObject& o = button;
    EXPECT_EQ(o.ClassName(), "TTestButton");
    EXPECT_TRUE(o.InheritsFrom(TTestControl::ClassInfo_));
    EXPECT_TRUE(o.InheritsFrom(TComponent::ClassInfo_));
    EXPECT_TRUE(o.InheritsFrom(TObject::ClassInfo_));
    EXPECT_TRUE(o.InheritsFrom("tcomponent"));  // by name, any case
    EXPECT_FALSE(o.InheritsFrom(TTestMemo::ClassInfo_));
    EXPECT_FALSE(o.InheritsFrom("TTestMemo"));
    EXPECT_FALSE(TTestControl(nullptr).InheritsFrom(TTestButton::ClassInfo_));
}

TEST(PropertyByName, IntegerKindIncludingSystemColours) {
    TTestButton b(nullptr);
    EXPECT_TRUE(SetPropByName(&b, "Left", "23"));
    EXPECT_EQ(b.Left, 23);
    EXPECT_EQ(GetOrdPropByName(&b, "Left"), 23);
    EXPECT_TRUE(SetPropByName(&b, "Tag", L"99"));  // declared two classes up
    EXPECT_EQ(b.Tag(), 99);
    // A system colour written as a signed 32-bit number lands on the same TColor.
    EXPECT_EQ(GetOrdPropByName(&b, "Color"), std::int64_t(clBtnFace));
    EXPECT_TRUE(SetPropByName(&b, "Color", "-16777208"));
    EXPECT_EQ(b.Color, clWindowText);
    EXPECT_TRUE(SetPropByName(&b, "Color", "$00FF0000"));
    EXPECT_EQ(b.Color, clBlue);
    EXPECT_TRUE(SetPropByName(&b, "ClientWidth", "10"));  // inherited getter, own setter
    EXPECT_EQ(GetOrdPropByName(&b, "ClientWidth"), 14);
    EXPECT_TRUE(SetPropByName(b.Font(), "Color", "16711935"));
    EXPECT_EQ(b.Font()->Color, 0xFF00FFu);

    // Failures set nothing and say so.
    EXPECT_FALSE(SetPropByName(&b, "Left", "12px"));
    EXPECT_FALSE(SetPropByName(&b, "Left", ""));
    EXPECT_FALSE(SetPropByName(&b, "Left", "99999999999"));  // does not fit an int
    EXPECT_EQ(b.Left, 23);

    EXPECT_EQ(GetOrdPropByName(&b, "NoSuchProperty"), -1);
    EXPECT_EQ(GetOrdPropByName(nullptr, "Left"), -1);
    EXPECT_EQ(GetOrdPropByName(&b, "Visible"), -1);  // an enumeration is not of integer kind
    EXPECT_EQ(GetOrdPropByName(&b, "Caption"), -1);
    EXPECT_FALSE(SetPropByName(nullptr, "Left", "1"));
    EXPECT_FALSE(SetPropByName(&b, "NoSuchProperty", "1"));
}

TEST(PropertyByName, EnumerationsByValueNameAnyCase) {
    TTestButton b(nullptr);
    EXPECT_EQ(GetEnumPropByName(&b, "Visible"), "True");
    EXPECT_TRUE(SetPropByName(&b, "Visible", "false"));
    EXPECT_FALSE(b.Visible);
    EXPECT_EQ(GetEnumPropByName(&b, "Visible"), "False");
    EXPECT_TRUE(SetPropByName(&b, "Default", L"TRUE"));
    EXPECT_TRUE(b.Default);
    EXPECT_TRUE(SetPropByName(&b, "Align", "altop"));
    EXPECT_EQ(b.Align, TAlign::alTop);
    EXPECT_EQ(GetEnumPropByName(&b, "Align"), "alTop");

    EXPECT_FALSE(SetPropByName(&b, "Align", "alMiddle"));
    EXPECT_FALSE(SetPropByName(&b, "Visible", "1"));  // a number is not a value name
    EXPECT_EQ(b.Align, TAlign::alTop);
    EXPECT_EQ(GetEnumPropByName(&b, "Left"), "");
    EXPECT_EQ(GetEnumPropByName(&b, "Missing"), "");
    EXPECT_EQ(GetEnumPropByName(nullptr, "Visible"), "");
}

TEST(PropertyByName, StringsAreWideAndKeepChineseText) {
    TTestButton b(nullptr);
    EXPECT_TRUE(SetPropByName(&b, "Caption", L"开始"));
    EXPECT_EQ(b.Caption(), L"开始");
    EXPECT_EQ(GetStrPropByName(&b, "caption"), L"开始");
    EXPECT_TRUE(SetPropByName(&b, "Caption", std::string_view("暂停")));  // UTF-8 text
    EXPECT_EQ(GetStrPropByName(&b, "Caption"), L"暂停");

    // A property kept as UTF-8 reads back as the same wide text: nothing passes a narrow code page.
    EXPECT_TRUE(SetPropByName(&b, "Hint", L"计次 — lap"));
    EXPECT_EQ(b.Hint, "计次 — lap");
    EXPECT_EQ(GetStrPropByName(&b, "Hint"), L"计次 — lap");

    EXPECT_EQ(GetStrPropByName(&b, "Left"), L"");
    EXPECT_EQ(GetStrPropByName(&b, "Missing"), L"");
    EXPECT_EQ(GetStrPropByName(nullptr, "Caption"), L"");
}

TEST(PropertyByName, SetsObjectsListsAndEvents) {
    TTestSkin s(nullptr);
    s.Options = {TSkinOption::xoPreview, TSkinOption::xoCaptionButtonHint};
    EXPECT_EQ(GetSetPropByName(&s, "Options"), "xoPreview,xoCaptionButtonHint");
    EXPECT_EQ(GetSetPropByName(&s, "DisableTag"), "");
    EXPECT_FALSE(SetPropByName(&s, "Options", "xoPreview"));  // sets are not set from text
    EXPECT_FALSE(SetPropByName(&s, "Skin3rd", "a=b"));

    TTestButton b(nullptr);
    EXPECT_EQ(GetObjectPropByName(&b, "Font", TTestFont::ClassInfo_), b.Font());
    EXPECT_EQ(GetObjectPropByName<TTestFont>(&b, "Font"), b.Font());
    EXPECT_EQ(GetObjectPropByName(&b, "Font", TPersistent::ClassInfo_), b.Font());   // a base class is fine
    EXPECT_EQ(GetObjectPropByName(&b, "Font", TTestControl::ClassInfo_), nullptr);   // wrong class
    EXPECT_EQ(GetObjectPropByName(&b, "Buddy", TTestControl::ClassInfo_), nullptr);  // nil
    EXPECT_EQ(GetObjectPropByName(&b, "Caption", TObject::ClassInfo_), nullptr);
    EXPECT_EQ(GetObjectPropByName(&b, "Missing", TObject::ClassInfo_), nullptr);

    // An object setter checks the class of what it is given.
    const Prop* buddy = FindProp(&b, "Buddy");
    ASSERT_NE(buddy, nullptr);
    TTestFont font;
    EXPECT_FALSE(buddy->SetObj(b, &font));
    TTestControl other(nullptr);
    EXPECT_TRUE(buddy->SetObj(b, &other));
    EXPECT_EQ(b.Buddy(), &other);

    // An event binds only a handler of its own type.
    const Prop* onClick = FindProp(&b, "OnClick");
    ASSERT_NE(onClick, nullptr);
    int clicks = 0;
    EXPECT_FALSE(onClick->SetEvent(b, std::any(std::function<void(TObject*, int)>())));
    EXPECT_TRUE(onClick->SetEvent(b, std::any(TNotifyEvent([&](TObject*) { ++clicks; }))));
    ASSERT_TRUE(b.OnClick);
    b.OnClick(&b);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetPropText(&b, "OnClick"), L"assigned");

    TTestMemo m(nullptr);
    const Prop* lines = FindProp(&m, "Lines");
    ASSERT_NE(lines, nullptr);
    EXPECT_TRUE(lines->SetStrings(m, TStringList{"一", "two"}));
    EXPECT_EQ(m.Lines()->Count(), 2);
    EXPECT_EQ(GetPropText(&m, "Lines"), L"一\r\ntwo\r\n");
}

TEST(PropertyTable, LookupAndListingFollowTheClassChain) {
    TTestButton b(nullptr);
    const PropTable& table = *b.ClassType().Props;
    EXPECT_EQ(table.Find("HINT"), &TTestButton::Props.Own()[1]);
    EXPECT_NE(table.Find("Name"), nullptr);   // from the component
    EXPECT_EQ(table.Find("Lines"), nullptr);  // a sibling class's
    const auto all = table.All();
    ASSERT_GE(all.size(), 4u);
    EXPECT_EQ(all.front()->Name, "Name");  // ancestors first
    EXPECT_EQ(all.back()->Name, "ClientWidth");
    // An object setter that copies from a reference refuses nil rather than crashing.
    const Prop* font = table.Find("Font");
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->SetObj(b, nullptr));
}

TEST(PropertyText, ParseIntegerAcceptsOnlyWholeNumbers) {
    std::int64_t v = 0;
    EXPECT_TRUE(ParseInteger("-12", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(ParseInteger("$FF00000F", v));
    EXPECT_EQ(v, 0xFF00000F);
    EXPECT_TRUE(ParseInteger("0x10", v));
    EXPECT_EQ(v, 16);
    EXPECT_TRUE(ParseInteger("-9223372036854775808", v));
    EXPECT_EQ(v, INT64_MIN);
    EXPECT_FALSE(ParseInteger("9223372036854775808", v));
    EXPECT_FALSE(ParseInteger("-", v));
    EXPECT_FALSE(ParseInteger("$", v));
    EXPECT_FALSE(ParseInteger("1 ", v));
    EXPECT_FALSE(ParseInteger("1.5", v));
    EXPECT_FALSE(ParseInteger("$G", v));
}

TEST(Utf8Text, RoundTripsAndReplacesMalformedBytes) {
    const std::string text = "计时 Tocvane \xF0\x9F\x98\x80";  // includes a character beyond 16 bits
    const std::wstring wide = Utf8ToWide(text);
    EXPECT_EQ(WideToUtf8(wide), text);
    EXPECT_EQ(wide.size(), sizeof(wchar_t) == 2 ? 13u : 12u);
    EXPECT_TRUE(Utf8Valid(text));
    for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE8\xAE", "\xFF", "a\x80"}) {
        EXPECT_FALSE(Utf8Valid(bad)) << bad;
        EXPECT_NE(Utf8ToWide(bad).find(L'\xFFFD'), std::wstring::npos) << bad;
    }
    EXPECT_EQ(Utf8ToWide("\xE8\xAE"
                         "a"),
              L"\xFFFD"
              L"a");  // a cut sequence does not swallow the next one
}
