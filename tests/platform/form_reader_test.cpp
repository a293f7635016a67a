// The form reader on good and damaged descriptions: every kind of value, build order, errors by line.
#include <gtest/gtest.h>

#include "framework_fixtures.h"
#include "platform/form_reader.h"

namespace {

const char* const kForm = R"(object Form1: TTestForm1
  Left = 10
  Caption = 'Tocvane'
  Color = clBtnFace
  Font.Name = '宋体'
  Font.Height = -12
  Font.Color = clWindowText
  Font.Charset = ANSI_CHARSET
  Font.Style = []
  OnClick = FormClick
  object GroupBox1: TTestControl
    Width = 394
    Caption = '计时'
    Align = alTop
    object L1: TTestControl
      Font.Name = '宋体'
      Font.Height = -29
      Font.Style = [fsBold]
      Buddy = EditVer
    end
    object EditVer: TTestControl
      Caption = 'v1.2.20130119'
      Visible = False
    end
  end
  object B2: TTestButton
    Caption = #24320'始'
    Hint = 'it''s a '+
      'button'
    OnClick = B2Click
  end
  object Memo_Log: TTestMemo
    Lines.Strings = (
      '第一行'
      'second')
  end
  object StatusBar1: TTestStatusBar
    Panels = <
      item
        Width = 50
        Text = '作者'
      end
      item
      end>
  end
  object SkinData1: TTestSkin
    Active = True
    DisableTag = 99
    Options = [xoPreview, xoToolbarBK, xoCaptionButtonHint]
    Skin3rd = ('tcheckbox=checkbox' 'tedit=edit')
    SkinFormtype = sfMainform
    Version = '5.60.03.29'
    SkinStream = {
      0300000041
      4243}
  end
end
)";

class FormReader : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFixtureClasses();
        EventLog().clear();
    }
    template <class T>
    T* Find(TComponent& root, const char* name) {
        return dynamic_cast<T*>(root.FindComponent(name));
    }
};

// The line and message of the error a description raises; line 0 when it reads without error.
std::pair<int, std::string> ReadError(const std::string& text) {
    TTestForm1 form(nullptr);
    try {
        ReadComponentRes(text, form);
    } catch (const EFormReadError& e) {
        EXPECT_EQ(form.ComponentCount(), 0) << "components of a failed read are freed";
        EXPECT_EQ(std::string(e.what()), "line " + std::to_string(e.Line()) + ": " + e.Message());
        return {e.Line(), e.Message()};
    }
    return {0, ""};
}

}  // namespace

TEST_F(FormReader, ReadsEveryKindOfValueIntoTheTree) {
    TTestForm1 form(nullptr);
    ReadComponentRes(kForm, form);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Left, 10);
    EXPECT_EQ(form.Caption(), L"Tocvane");
    EXPECT_EQ(form.Color, clBtnFace);
    EXPECT_EQ(form.Font()->Name, L"宋体");
    EXPECT_EQ(form.Font()->Height, -12);
    EXPECT_EQ(form.Font()->Color, clWindowText);
    EXPECT_EQ(form.Font()->Charset, 0);
    ASSERT_EQ(form.ComponentCount(), 7);  // every object belongs to the root, nested or not

    auto* group = Find<TTestControl>(form, "GroupBox1");
    auto* label = Find<TTestControl>(form, "L1");
    auto* edit = Find<TTestControl>(form, "EditVer");
    ASSERT_TRUE(group && label && edit);
    EXPECT_EQ(group->Caption(), L"计时");
    EXPECT_EQ(group->Align, TAlign::alTop);
    EXPECT_EQ(group->Parent(), &form);
    EXPECT_EQ(label->Parent(), group);
    EXPECT_EQ(edit->Parent(), group);
    EXPECT_TRUE(label->Font()->Style.Contains(TFontStyle::fsBold));
    EXPECT_EQ(label->Font()->Height, -29);
    EXPECT_EQ(label->Buddy(), edit);  // a reference to a component read later
    EXPECT_FALSE(edit->Visible);

    auto* b2 = Find<TTestButton>(form, "B2");
    ASSERT_TRUE(b2);
    EXPECT_EQ(b2->Caption(), L"开始");  // #24320 is 开
    EXPECT_EQ(b2->Hint, "it's a button");
    ASSERT_TRUE(b2->OnClick);
    b2->OnClick(b2);
    ASSERT_TRUE(form.OnClick);
    form.OnClick(&form);
    EXPECT_EQ(form.clicks, (std::vector<std::string>{"B2Click B2", "FormClick"}));

    auto* memo = Find<TTestMemo>(form, "Memo_Log");
    ASSERT_TRUE(memo);
    EXPECT_EQ(*memo->Lines(), (TStringList{"第一行", "second"}));

    auto* bar = Find<TTestStatusBar>(form, "StatusBar1");
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->Panels()->Count(), 2);
    EXPECT_EQ(bar->Panels()->ItemAs<TTestPanel>(0)->Width(), 50);
    EXPECT_EQ(bar->Panels()->ItemAs<TTestPanel>(0)->Text, L"作者");
    EXPECT_EQ(bar->Panels()->ItemAs<TTestPanel>(1)->Width(), 50);

    auto* skin = Find<TTestSkin>(form, "SkinData1");
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->DisableTag, 99);
    EXPECT_EQ(skin->Options, (SetOf<TSkinOption>{TSkinOption::xoPreview, TSkinOption::xoToolbarBK,
                                                 TSkinOption::xoCaptionButtonHint}));
    EXPECT_EQ(skin->Skin3rd, (TStringList{"tcheckbox=checkbox", "tedit=edit"}));
    EXPECT_EQ(skin->Version, "5.60.03.29");
    EXPECT_EQ(skin->data, (std::vector<std::uint8_t>{3, 0, 0, 0, 0x41, 0x42, 0x43}));
    EXPECT_TRUE(skin->activated);

    for (TComponent* c : form.ComponentList()) EXPECT_EQ(c->ComponentState(), 0u) << c->Name();
    EXPECT_EQ(form.ComponentState(), 0u);
}

TEST_F(FormReader, PropertiesThenBinaryThenLoadedOnEveryComponentAfterTheWholeTree) {
    TTestForm1 form(nullptr);
    ReadComponentRes(kForm, form);
    const auto& log = EventLog();
    auto at = [&](const std::string& entry) {
        const auto it = std::find(log.begin(), log.end(), entry);
        EXPECT_NE(it, log.end()) << entry;
        return it - log.begin();
    };
    // Parent first, then properties in the order written, the binary one in its place.
    EXPECT_LT(at("B2.Parent"), at("B2.Caption"));
    EXPECT_LT(at("SkinData1.Active"), at("SkinData1.SkinStream 7"));
    // Every Loaded after the last value of the last object; in reading order, the root last.
    const auto lastValue = at("SkinData1.SkinStream 7");
    const std::vector<std::string> loaded{"GroupBox1.Loaded", "L1.Loaded",       "EditVer.Loaded",
                                          "B2.Loaded",        "Memo_Log.Loaded", "StatusBar1.Loaded",
                                          "SkinData1.Loaded", "Form1.Loaded"};
    ASSERT_EQ(log.size(), std::size_t(lastValue) + 1 + loaded.size());
    EXPECT_EQ(std::vector<std::string>(log.begin() + lastValue + 1, log.end()), loaded);
    // The skin was switched on while still loading: that only took effect in Loaded.
    auto* skin = Find<TTestSkin>(form, "SkinData1");
    EXPECT_TRUE(skin->activated);
}

TEST_F(FormReader, StringForms) {
    TTestForm1 form(nullptr);
    ReadComponentRes(
        "\xEF\xBB\xBFobject F: TTestForm1\n"
        "  Caption = ''\n"
        "end",
        form);
    EXPECT_EQ(form.Caption(), L"");
    ReadComponentRes("object F: TTestForm1 Caption = 'a'#13#10'b'#$41'''' + '退出' end", form);
    EXPECT_EQ(form.Caption(), L"a\r\nbA'退出");
    ReadComponentRes("object F: TTestForm1 Caption = #128512 end", form);
    EXPECT_EQ(WideToUtf8(form.Caption()), "\xF0\x9F\x98\x80");
}

TEST_F(FormReader, DamagedTextIsAnErrorNamingItsLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"object F: TTestForm1\n  object X: TNoSuchClass\n  end\nend", 2, "unknown class 'TNoSuchClass'"},
        {"object F: TTestForm1\n\n  Colour = 1\nend", 3, "unknown property 'Colour' of TTestForm1"},
        {"object F: TTestForm1\n  Font.Size = 1\nend", 2, "unknown property 'Size' of TTestFont"},
        {"object F: TTestForm1\n  Left.X = 1\nend", 2, "'Left' of TTestForm1 has no properties of its own"},
        {"object F: TTestForm1\n  object S: TTestSkin\n    SkinStream = {\n 0A0G }\n  end\nend", 4,
         "bad hex digit 'G' in binary value"},
        {"object F: TTestForm1\n  object S: TTestSkin\n    SkinStream = { 0A0 }\n  end\nend", 3,
         "odd number"},
        {"object F: TTestForm1\n  object S: TTestSkin\n    SkinStream = { 0A0B\n", 4, "unterminated binary"},
        {"object F: TTestForm1\n  object S: TTestSkin\n    Data = { 0A0B }\n  end\nend", 3,
         "unknown property 'Data' of TTestSkin"},
        {"object F: TTestForm1\n  object B: TTestButton\n  end\n", 4, "'end' missing"},
        {"object F: TTestForm1\nend\nend\n", 3, "unexpected text after the last 'end'"},
        {"object F: TTestForm1\n  Left =", 2, "a value is missing"},
        {"object F: TTestForm1\n  Caption = 'abc\nend", 2, "unterminated string"},
        {"object F: TTestForm1\n  Left = 'ten'\nend", 2, "a string cannot be assigned to property 'Left'"},
        {"object F: TTestForm1\n  Left = 1.5\nend", 2, "a floating-point number cannot be assigned"},
        {"object F: TTestForm1\n  Left = 99999999999\nend", 2, "value out of range"},
        {"object F: TTestForm1\n  Left = 12px\nend", 2, "malformed number"},
        {"object F: TTestForm1\n  Color = clMauve\nend", 2, "unknown identifier 'clMauve'"},
        {"object F: TTestForm1\n  Visible = Yes\nend", 2, "'Yes' is not a value of property 'Visible'"},
        {"object F: TTestForm1\n  Font.Style = [fsBold, fsHeavy]\nend", 2, "'fsHeavy' is not a member"},
        {"object F: TTestForm1\n  Font.Style = [fsBold,]\nend", 2, "expected a set member"},
        {"object F: TTestForm1\n  OnClick = NoSuchHandler\nend", 2, "unknown event handler 'NoSuchHandler'"},
        {"object F: TTestForm1\n  OnClick = PanelDraw\nend", 2, "does not fit event 'OnClick'"},
        {"object F: TTestForm1\n  Buddy = Nobody\nend", 2, "unknown component 'Nobody'"},
        {"object F: TTestForm1\n  object A: TTestSkin\n  end\n  Buddy = A\nend", 4, "after nested objects"},
        {"object F: TTestForm1\n  object A: TTestSkin\n  end\n  object B: TTestButton\n    Buddy = A\n  "
         "end\nend",
         5, "A (TTestSkin) does not fit property 'Buddy'"},
        {"object F: TTestForm1\n  object A: TTestButton\n  end\n  object a: TTestButton\n  end\nend", 4,
         "a component named a already exists"},
        {"object F: TTestForm1\n  object F: TTestButton\n  end\nend", 2, "already exists"},
        {"object F: TTestMemo\nend", 1, "the form is a TTestMemo but is read into a TTestForm1"},
        {"objekt F: TTestForm1\nend", 1, "expected 'object'"},
        {"object F: TTestForm1\n  object M: TTestMemo\n    Lines.Strings = ( 'a' 12 )\n  end\nend", 3,
         "expected a string or ')'"},
        {"object F: TTestForm1\n  object S: TTestStatusBar\n    Panels = < item Width = 1 end thing >\n  "
         "end\nend",
         3, "expected 'item'"},
        {"object F: TTestForm1\n  object S: TTestStatusBar\n    Panels = < item Depth = 1 end >\n  end\nend",
         3, "unknown property 'Depth' of TTestPanel"},
        {"object F: TTestForm1\n  Caption = 'a' +\n  end", 3, "expected a string after '+'"},
        {"object F: TTestForm1\n  Caption = #55296\nend", 2, "malformed character code"},
        {"object F: TTestForm1\n  Caption = '\xE5\xBC'\nend", 2, "not valid UTF-8"},
        {"object F: TTestForm1\n  Font..Name = 'x'\nend", 2, "malformed name"},
        {"object F: TTestForm1\n  Left @ 1\nend", 2, "unexpected character '@'"},
        {"object F: TTestForm1\n  object S: TTestSkin\n    SkinStream = { EE }\n  end\nend", 3,
         "damaged skin"},
        {"object F: TTestForm1\n  object B: TTestButton\n    Name = 'B 2'\n  end\nend", 3, "not a valid"},
        {"object F: TTestForm1\n  Font = nil\nend", 2, "cannot be nil"},
        {"", 1, "expected 'object'"},
    };
    for (const Case& c : cases) {
        const auto [line, message] = ReadError(c.text);
        EXPECT_EQ(line, c.line) << c.text << "\n -> " << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.text << "\n -> " << message;
    }
}

TEST_F(FormReader, AFailedReadFreesWhatItMadeAndLeavesNoFlags) {
    TTestForm1 form(nullptr);
    const std::string text =
        std::string(kForm).replace(std::string(kForm).find("DisableTag = 99"), 15, "DisableTag = x9");
    EXPECT_THROW(ReadComponentRes(text, form), EFormReadError);
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_TRUE(form.Children().empty());  // the freed controls left their parent too
    EXPECT_EQ(form.ComponentState(), 0u);
    // The same root reads a good description afterwards.
    ReadComponentRes(kForm, form);
    EXPECT_EQ(form.ComponentCount(), 7);
}

TEST_F(FormReader, ReferencesFromItemsOfARefilledCollectionAreDropped) {
    TTestForm1 form(nullptr);
    ReadComponentRes(
        "object F: TTestForm1\n"
        "  object S: TTestStatusBar\n"
        "    Panels = < item Link = S end item Link = S end >\n"
        "    Panels = < item Width = 7 end >\n"  // the first items are freed here
        "  end\n"
        "end\n",
        form);
    auto* bar = Find<TTestStatusBar>(form, "S");
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->Panels()->Count(), 1);
    EXPECT_EQ(bar->Panels()->ItemAs<TTestPanel>(0)->Width(), 7);
    EXPECT_EQ(bar->Panels()->ItemAs<TTestPanel>(0)->Link, nullptr);
    // A kept reference is resolved once the whole tree is read.
    TTestForm1 form2(nullptr);
    ReadComponentRes(
        "object F: TTestForm1\n"
        "  object S: TTestStatusBar\n"
        "    Panels = < item Link = Later end >\n"
        "  end\n"
        "  object Later: TTestButton\n"
        "  end\n"
        "end\n",
        form2);
    auto* bar2 = Find<TTestStatusBar>(form2, "S");
    ASSERT_TRUE(bar2);
    EXPECT_EQ(bar2->Panels()->ItemAs<TTestPanel>(0)->Link, form2.FindComponent("Later"));
}

TEST_F(FormReader, EveryTruncationIsAnErrorNeverACrash) {
    const std::string text = kForm;
    const std::size_t complete = text.rfind("end");
    for (std::size_t n = 0; n < complete + 3; ++n) {
        TTestForm1 form(nullptr);
        EXPECT_THROW(ReadComponentRes(std::string_view(text).substr(0, n), form), EFormReadError) << n;
        EXPECT_EQ(form.ComponentCount(), 0);
    }
}

TEST_F(FormReader, DeepNestingIsRefused) {
    std::string text = "object F: TTestForm1\n";
    for (int i = 0; i < 200; ++i) text += "object C" + std::to_string(i) + ": TTestControl\n";
    for (int i = 0; i < 200; ++i) text += "end\n";
    text += "end\n";
    const auto [line, message] = ReadError(text);
    EXPECT_GT(line, 1);
    EXPECT_NE(message.find("nested too deeply"), std::string::npos);
}

TEST(FormatBinaryValue, ReadsBackAsTheSameBytes) {
    RegisterFixtureClasses();
    std::vector<std::uint8_t> bytes(300);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = std::uint8_t(i * 7);
    const std::string text = "object F: TTestForm1\n object S: TTestSkin\n  SkinStream = " +
                             FormatBinaryValue(bytes.data(), bytes.size(), 4) + "\n end\nend\n";
    TTestForm1 form(nullptr);
    ReadComponentRes(text, form);
    auto* skin = dynamic_cast<TTestSkin*>(form.FindComponent("S"));
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->data, bytes);
    EXPECT_EQ(TBinaryProperties(*skin).Write("skinstream"), bytes);
    EXPECT_TRUE(TBinaryProperties(*skin).Find("SkinStream")->HasData);
}
