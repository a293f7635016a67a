// Group boxes, panels and status bars skinned on real framework controls under Wine: the rounded frame in
// the skin's shadow colour below half the caption height, panels recoloured and given their colour back,
// and the status bar's last panel drawn from the skin image to the bar's right edge.
#include "skin/controls/win/skin_boxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

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
    const int held = gdi::DeletedWhileSelected();
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
    EXPECT_EQ(gdi::DeletedWhileSelected(), held);  // the bar's font is let go before it is freed
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

// The columns where a status bar's text shows: those that change when the text goes.
struct InkSpan {
    int left = -1, right = -1;
};
InkSpan TextColumns(TStatusBar* bar, const std::function<void(const std::wstring&)>& setText,
                    const std::wstring& text) {
    auto grab = [&] {
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT r;
        GetWindowRect(bar->Handle(), &r);
        std::vector<TColor> pixels;
        HDC dc = GetWindowDC(bar->Handle());
        for (int y = 0; y < r.bottom - r.top; ++y)
            for (int x = 0; x < r.right - r.left; ++x) pixels.push_back(TColor(GetPixel(dc, x, y)));
        ReleaseDC(bar->Handle(), dc);
        return pixels;
    };
    setText(text);
    const std::vector<TColor> with = grab();
    setText(L"");
    const std::vector<TColor> without = grab();
    setText(text);
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    const int w = r.right - r.left;
    InkSpan span;
    for (std::size_t i = 0; i < with.size(); ++i) {
        if (with[i] == without[i]) continue;
        const int x = int(i % std::size_t(w));
        if (span.left < 0 || x < span.left) span.left = x;
        span.right = std::max(span.right, x);
    }
    return span;
}

// Every right-to-left mode puts the simple text at the right end and swaps a panel's alignment, as the
// framework's own right-to-left reading test does; left to right keeps them where they were.
TEST_F(SkinBoxesTest, StatusBarTextFollowsEveryRightToLeftMode) {
    auto* bar = new TStatusBar(host.get());
    bar->SetParent(host.get());
    bar->SetAlign(alBottom);
    bar->Panels()->Add()->SetWidth(200);
    bar->Panels()->Add()->SetWidth(50);
    auto* s = new TSkinStatusBar(bar);
    s->Init(&form, &skin, nullptr, false);
    RECT pr;
    SendMessageW(bar->Handle(), SB_GETRECT, 0, LPARAM(&pr));
    const int width = bar->Width();
    for (const TBiDiMode mode :
         {bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly}) {
        SCOPED_TRACE(int(mode));
        const bool rtl = mode != bdLeftToRight;
        bar->SetBiDiMode(mode);
        bar->SetSimplePanel(true);
        const InkSpan simple = TextColumns(
            bar, [&](const std::wstring& t) { bar->SetSimpleText(t); }, L"就绪 ready");
        ASSERT_GE(simple.left, 0);
        EXPECT_EQ(rtl, simple.right > width - 12) << simple.right;
        EXPECT_EQ(rtl, simple.left > width / 2) << simple.left;

        bar->SetSimplePanel(false);
        TStatusPanel* panel = bar->Panels()->Items(0);
        panel->SetBiDiMode(mode);
        const InkSpan first = TextColumns(
            bar, [&](const std::wstring& t) { panel->SetText(t); }, L"第一 one");
        ASSERT_GE(first.left, 0);
        EXPECT_EQ(rtl, first.right > pr.right - 8) << first.right;
        EXPECT_EQ(rtl, first.left > (pr.left + pr.right) / 2) << first.left;
    }
}

}  // namespace
