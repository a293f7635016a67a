// Check boxes and radio buttons of other libraries, which take their glyphs through published properties:
// the strips each kind gets from the skin's check and radio images cell by cell, the properties set on the
// way, the control's own glyphs given back, and nothing touched without the image or the property. The
// controls here are small classes of the test's own that publish those properties under the names the
// libraries use.
#include "skin/controls/win/skin_obj_image.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/graphic_bitmap.h"
#include "skin/controls/check_box.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

// A check box or radio button that takes its glyphs as one strip ("CustomGlyphs") while "UseCustomGlyphs".
class TRzCheckBox : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TWinControl::TWinControl;

    TGraphicBitmap* CustomGlyphs() { return &glyphs; }
    bool UseCustomGlyphs() const { return use; }
    void SetUseCustomGlyphs(bool value) {
        use = value;
        ++switches;
    }
    TGraphicBitmap glyphs;
    bool use = false;
    int switches = 0;
    int transparentcolor = 0;
};
const PropTable TRzCheckBox::Props{&TWinControl::Props,
                                   {
                                       Prop::Obj("CustomGlyphs", &TRzCheckBox::CustomGlyphs),
                                       Prop::Enum("UseCustomGlyphs", &TRzCheckBox::UseCustomGlyphs,
                                                  &TRzCheckBox::SetUseCustomGlyphs, kBooleanNames),
                                       Prop::Int("transparentcolor", &TRzCheckBox::transparentcolor),
                                   }};
const TClassInfo TRzCheckBox::ClassInfo_{"TRzCheckBox", &TWinControl::ClassInfo_, &TRzCheckBox::Props};

// A check box that takes its glyph through an object property "Properties".
class TcxProperties : public TPersistent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    TGraphicBitmap* Glyph() { return &glyph; }
    TGraphicBitmap glyph;
};
const PropTable TcxProperties::Props{&TPersistent::Props, {Prop::Obj("Glyph", &TcxProperties::Glyph)}};
const TClassInfo TcxProperties::ClassInfo_{"TcxProperties", &TPersistent::ClassInfo_, &TcxProperties::Props};

class TcxCheckBox : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TWinControl::TWinControl;
    TcxProperties* Properties() { return &properties; }
    TcxProperties properties;
};
const PropTable TcxCheckBox::Props{&TWinControl::Props, {Prop::Obj("Properties", &TcxCheckBox::Properties)}};
const TClassInfo TcxCheckBox::ClassInfo_{"TcxCheckBox", &TWinControl::ClassInfo_, &TcxCheckBox::Props};

class SkinObjImageTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_TRUE(skin.Button);
        ASSERT_EQ(skin.Button->checkframe, 5);
        host = MakeHostForm(300, 200);
        host->Show();
    }
    void TearDown() override {
        host.reset();
        Pump(20);
        FreeSkinManager();
    }
    template <class T>
    T* Make() {
        auto* c = new T(host.get());
        c->SetParent(host.get());
        c->SetBounds(10, 10, 120, 20);
        c->HandleNeeded();
        return c;
    }
    TSkinObjImage* Skin(TWinControl* c, int kind) {
        auto* s = new TSkinObjImage(c);
        s->kind = kind;
        s->Init(&form, &skin, nullptr, true);
        return s;
    }
    // Whether cell dest of strip holds cell source of image (cells of width w).
    static bool SameCell(const TBitmap& strip, int dest, const TBitmap& image, int source, int w) {
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < w; ++x)
                if (strip.Pixel((dest - 1) * w + x, y) != image.Pixel((source - 1) * w + x, y)) return false;
        return true;
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
};

TEST_F(SkinObjImageTest, ACheckBoxGetsItsNineCellStripAndSwitchesItsGlyphsOnAgain) {
    auto* box = Make<TRzCheckBox>();
    const TColor colour = box->Color();
    TSkinObjImage* s = Skin(box, 1);
    EXPECT_TRUE(s->Inited);
    EXPECT_EQ(box->Color(), colour);  // the colour flag is not used
    const TBitmap& image = skin.Button->CheckMap;
    const int w = image.Width() / 5;
    const TBitmap& strip = box->glyphs.Bitmap();
    ASSERT_EQ(strip.Width(), 9 * w);
    ASSERT_EQ(strip.Height(), image.Height());
    for (auto [dest, source] :
         {std::pair{1, 1}, {4, 1}, {2, 2}, {5, 2}, {7, 3}, {8, 4}, {3, 5}, {6, 5}, {9, 5}})
        EXPECT_TRUE(SameCell(strip, dest, image, source, w)) << dest;
    EXPECT_EQ(box->transparentcolor, int(SkinKeyColor));
    EXPECT_TRUE(box->use);
    EXPECT_EQ(box->switches, 2);  // off, then on: the control reads its glyphs anew
    // A skin change hands the strip over again; the end of skinning gives the control its own glyphs.
    s->SkinChange();
    EXPECT_EQ(box->switches, 4);
    s->Unsubclass();
    EXPECT_FALSE(box->use);
}

TEST_F(SkinObjImageTest, ARadioButtonGetsItsSixCellStrip) {
    auto* radio = Make<TRzCheckBox>();
    Skin(radio, 2);
    const TBitmap& image = skin.Button->RadioMap;
    const int w = image.Width() / skin.Button->radioframe;
    ASSERT_EQ(radio->glyphs.Width(), 6 * w);
    for (auto [dest, source] : {std::pair{1, 1}, {3, 1}, {2, 2}, {4, 2}, {5, 3}, {6, 4}})
        EXPECT_TRUE(SameCell(radio->glyphs.Bitmap(), dest, image, source, w)) << dest;
}

TEST_F(SkinObjImageTest, ACheckBoxWithAPropertiesGlyphGetsItKeyedButNotTransparent) {
    auto* box = Make<TcxCheckBox>();
    TSkinObjImage* s = Skin(box, 3);
    const TBitmap& glyph = box->properties.glyph.Bitmap();
    const int w = skin.Button->CheckMap.Width() / 5;
    ASSERT_EQ(glyph.Width(), 6 * w);
    EXPECT_TRUE(SameCell(glyph, 6, skin.Button->CheckMap, 5, w));
    EXPECT_EQ(glyph.TransparentColor(), SkinKeyColor);
    EXPECT_FALSE(glyph.Transparent());
    s->Unsubclass();
    EXPECT_TRUE(box->properties.glyph.Empty());
}

TEST_F(SkinObjImageTest, NothingIsTouchedWithoutTheImageOrTheProperty) {
    // A control of the wrong kind for its properties: none is set.
    auto* box = Make<TcxCheckBox>();
    Skin(box, 1);
    EXPECT_TRUE(box->properties.glyph.Empty());
    // A skin without a check image: the control keeps its own glyphs.
    skin.Button->CheckMap.Clear();
    auto* rz = Make<TRzCheckBox>();
    Skin(rz, 1);
    EXPECT_TRUE(rz->glyphs.Empty());
    EXPECT_EQ(rz->switches, 0);
}

}  // namespace
