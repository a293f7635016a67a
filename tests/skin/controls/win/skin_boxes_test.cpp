// Group boxes, panels and status bars skinned on real framework controls under Wine: the rounded frame in
// the skin's shadow colour below half the caption height, panels recoloured and given their colour back,
// and the status bar's last panel drawn from the skin image to the bar's right edge.
#include "skin/controls/win/skin_boxes.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/stream.h"
#include "platform/win/status_bar.h"
#include "platform/win/std_controls.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

class SkinBoxesTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_FALSE(skin.Empty);
        host = MakeHostForm(394, 244);
        host->Show();
    }
    void TearDown() override {
        host.reset();
        FreeSkinManager();
    }
    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
};

TEST_F(SkinBoxesTest, GroupBoxFrameAndCaption) {
    auto* box = new TGroupBox(host.get());
    box->SetParent(host.get());
    box->SetBounds(10, 10, 200, 100);
    box->SetCaption(L"计时");
    auto* s = new TSkinGroupBox(box);
    s->Init(&form, &skin, nullptr, true);
    EXPECT_EQ(s->kind, 1);
    RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
    HDC dc = GetDC(box->Handle());
    SelectObject(dc, box->Font()->Handle());
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    ReleaseDC(box->Handle(), dc);
    const int top = zero.cy / 2 - 1;
    const TColor shadow = ResolveColor(skin.Colors[7]);
    // The frame's straight edges: the left side, the bottom, and the top line right of the caption.
    EXPECT_EQ(WindowPixel(box->Handle(), 1, 50), shadow);
    EXPECT_EQ(WindowPixel(box->Handle(), 100, 98), shadow);
    EXPECT_EQ(WindowPixel(box->Handle(), 190, top), shadow);
    // Inside, the skin's button face.
    EXPECT_EQ(WindowPixel(box->Handle(), 100, 60), ResolveColor(skin.Colors[3]));
}

// The lap timer's case: the time label on a skinned group box shows each new text at once, pixel for
// pixel as the skinner's whole paint of the box shows it.
TEST_F(SkinBoxesTest, ALabelOnAGroupBoxShowsItsNewTextAsTheSkinnerPaintsTheBox) {
    auto* box = new TGroupBox(host.get());
    box->SetParent(host.get());
    box->SetBounds(0, 0, 394, 57);
    box->SetCaption(L"计时");
    auto* label = new TLabel(host.get());
    label->SetParent(box);
    label->SetLeft(8);
    label->SetTop(16);
    label->Font()->SetHeight(-29);
    label->Font()->SetStyle(TFontStyles{fsBold});
    label->Font()->SetColor(RGBColor(0, 0, 255));
    label->SetCaption(L"00时00分00秒000毫秒");
    auto* s = new TSkinGroupBox(box);
    s->Init(&form, &skin, nullptr, true);
    RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(30);
    label->SetCaption(L"00时00分01秒234毫秒");
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(box->Handle(), &pending, FALSE));
    const auto shown = ClientPixels(box->Handle());
    RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(ClientPixels(box->Handle()), shown);
}

TEST_F(SkinBoxesTest, PanelsTakeTheButtonFaceAndGiveItBack) {
    auto* panel = new TPanel(host.get());
    panel->SetParent(host.get());
    panel->SetColor(0x00FF00);
    auto* s = new TSkinBox(panel);
    s->Init(&form, &skin, nullptr, true);
    EXPECT_EQ(panel->Color(), skin.Colors[3]);
    EXPECT_EQ(SendMessageW(panel->Handle(), SM_ISSKINNED, 0, 0), 0);  // it takes no messages
    s->Unsubclass();
    EXPECT_EQ(panel->Color(), 0x00FF00);
    EXPECT_EQ(s->skinstate, 2);
}

TEST_F(SkinBoxesTest, StatusBarPanelsFromTheSkinImage) {
    auto* bar = new TStatusBar(host.get());
    bar->SetParent(host.get());
    bar->SetAlign(alBottom);
    bar->Panels()->Add()->SetWidth(50);
    bar->Panels()->Items(0)->SetText(L"就绪");
    auto* s = new TSkinStatusBar(bar);
    s->Init(&form, &skin, nullptr, false);
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    const int w = r.right - r.left;
    ASSERT_TRUE(skin.StatusBar);
    const TDataSkinObject& sb = *skin.StatusBar;
    // The one panel reaches the right edge: its frame there is the composed cell's right edge.
    RECT pr;
    SendMessageW(bar->Handle(), SB_GETRECT, 0, LPARAM(&pr));
    const TRect panel{pr.left, pr.top, w, pr.bottom};
    auto composed = MakeSkinBitmap(Rect(0, 0, panel.Width(), panel.Height()), sb.Map, sb.r, 1, 3, sb.Tile, 0);
    for (int y : {panel.Top, panel.Top + panel.Height() / 2, panel.Bottom - 1})
        EXPECT_EQ(WindowPixel(bar->Handle(), w - 1, y), composed->Pixel(panel.Width() - 1, y - panel.Top))
            << y;
}

}  // namespace
