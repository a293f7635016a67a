// The skin's text colours on a skinned framework form under Wine: default-coloured text on the skin's face
// takes the skin's ButtonText, an explicit colour stays, a skin change brings the new colour, and each way
// of giving the window back leaves text and face matching.
#include "skin/form/win/skin_text_colors.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/stream.h"
#include "platform/win/std_controls.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/form/win/win_skin_form.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

constexpr TColor kFace = RGBColor(40, 40, 44), kText = RGBColor(250, 200, 0),
                 kNewText = RGBColor(0, 220, 250);

class SkinTextColorsTest : public testing::Test {
protected:
    void SetUp() override {
        skin.SetSkinFormtype(sfDialog);
        TMemoryStream s(testskin::DefaultPackage());
        skin.LoadFromStream(s);
        ASSERT_FALSE(skin.Empty);
        skin.Colors[3] = kFace;
        skin.Colors[4] = kText;
        form = MakeHostForm(240, 80);
        plain = Label(10);
        blue = Label(40);
        blue->Font()->SetColor(clBlue);
        form->Show();
        Pump(30);
    }
    void TearDown() override {
        form.reset();
        FreeSkinManager();
    }
    TLabel* Label(int top) {
        auto* l = new TLabel(form.get());
        l->SetParent(form.get());
        l->SetBounds(10, top, 200, 24);
        l->Font()->SetHeight(-22);
        l->Font()->SetStyle(TFontStyles{fsBold});
        l->SetCaption(L"字体颜色");
        return l;
    }
    TWinSkinForm* Skin() {
        auto* g = new TWinSkinForm(form.get());  // owned by the form, as the manager makes it
        g->Hwnd = form->Handle();
        g->InitTform(&skin, form.get());
        PostMessageW(form->Handle(), SM_INITSKIN, 0, 1000);
        EXPECT_TRUE(PumpUntil([&] { return g->Skinstate == TWinSkinForm::kActive; }, 5000));
        return g;
    }
    // Whether the label shows a pixel of exactly that colour.
    bool Shows(TLabel* label, TColor colour) {
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(form->Handle());
        bool found = false;
        for (int y = label->Top(); y < label->Top() + label->Height() && !found; ++y)
            for (int x = label->Left(); x < label->Left() + label->Width() && !found; ++x)
                found = TColor(GetPixel(dc, x, y)) == colour;
        ReleaseDC(form->Handle(), dc);
        return found;
    }
    TColor Black() const { return TColor(GetSysColor(COLOR_WINDOWTEXT)); }

    TSkinData skin{nullptr};
    std::unique_ptr<TForm> form;
    TLabel* plain = nullptr;
    TLabel* blue = nullptr;
};

TEST_F(SkinTextColorsTest, DefaultTextTakesTheSkinsColourUntilTheFormIsGivenBack) {
    ASSERT_TRUE(Shows(plain, Black()));
    TWinSkinForm* g = Skin();
    EXPECT_TRUE(Shows(plain, kText));
    EXPECT_FALSE(Shows(plain, Black()));
    EXPECT_TRUE(Shows(blue, RGBColor(0, 0, 255)));  // a colour of its own stays

    skin.Colors[4] = kNewText;
    g->SkinChange();
    EXPECT_TRUE(Shows(plain, kNewText));

    g->UnSubclass();
    EXPECT_FALSE(form->FaceText());
    EXPECT_TRUE(Shows(plain, Black()));
    delete g;

    // Without frame skinning the window is given back by the other path, the same way.
    skin.SetSkinControls(TSkinControlTypes(skin.SkinControls()).Exclude(xcMainMenu));
    g = Skin();
    EXPECT_TRUE(Shows(plain, kNewText));
    g->UnSubclass();
    EXPECT_FALSE(form->FaceText());
    EXPECT_TRUE(Shows(plain, Black()));
    delete g;
}

// Letting go without giving back (the window goes, the engine shuts down): the face keeps the skin's
// colour, and so does the text on it; nothing of the freed skinner is used afterwards.
TEST_F(SkinTextColorsTest, LettingGoLeavesTextAndFaceMatching) {
    TWinSkinForm* g = Skin();
    g->UnSubclass3();
    delete g;
    EXPECT_EQ(form->Color(), kFace);
    EXPECT_TRUE(Shows(plain, kText));
    form->SetColor(clBtnFace);  // the application's own face again: its own text colour with it
    EXPECT_TRUE(Shows(plain, Black()));
}

}  // namespace
