// Flat backgrounds under Wine: a size grip filled with the skin's face, a child dialog erased in it with
// its statics' text in the skin's button text on its brush, and a framework tool bar on the face.
#include "skin/controls/win/skin_backgrounds.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/win/tool_bar.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

class SkinBackgroundsTest : public testing::Test {
protected:
    // The skin's brush needs the platform's skin services; the colours and services the other tests of
    // this program run with come back afterwards.
    static void SetUpTestSuite() {
        colours = SetSysColorFunc(nullptr);
        SetSysColorFunc(colours);
        services = SetSkinDataNativeFactory(nullptr);
        SetSkinDataNativeFactory(services);
        InstallSkinDataPlatform();
    }
    static void TearDownTestSuite() {
        SetSysColorFunc(colours);
        SetSkinDataNativeFactory(services);
    }
    static inline SysColorFunc colours = nullptr;
    static inline TSkinDataNativeFactory services = nullptr;
    void SetUp() override {
        const std::vector<std::uint8_t> bytes = testskin::BuiltPackage("full.skn");
        if (bytes.empty()) GTEST_SKIP() << "needs the built full skin";
        skin.SetSkinFormtype(sfDialog);
        TMemoryStream s(bytes);
        skin.LoadFromStream(s);
        ASSERT_FALSE(skin.Empty);
        host = MakeHostForm(400, 240);
        host->Show();
    }
    void TearDown() override {
        host.reset();
        Pump(20);
        FreeSkinManager();
    }
    HWND Child(const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent = nullptr) {
        return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                               parent ? parent : host->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    TColor Face() const { return ResolveColor(skin.Colors[3]); }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
};

TEST_F(SkinBackgroundsTest, ASizeGripBecomesAFlatSquareOfTheFace) {
    const HWND grip = Child(L"SCROLLBAR", SBS_SIZEGRIP, 300, 200, 16, 16);
    (new TSkinSizer(&form))->Inithwnd(grip, &skin, nullptr, &form);
    EXPECT_EQ(SendMessageW(grip, SM_ISSKINNED, 0, 0), 1);
    RedrawWindow(grip, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(20);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(WindowPixel(grip, x, y), Face()) << x << "," << y;
}

TEST_F(SkinBackgroundsTest, AChildDialogWearsTheFaceAndItsStaticsTheButtonText) {
    const HWND pane = Child(L"#32770", 0, 10, 10, 300, 120);
    const HWND label = Child(L"STATIC", SS_LEFT, 10, 10, 200, 20, pane);
    SetWindowTextW(label, L"子对话框 Pane");
    (new TSkinBoxH(&form))->Inithwnd(pane, &skin, nullptr, &form);
    RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(20);
    EXPECT_EQ(WindowPixel(pane, 250, 100), Face());
    HDC dc = GetDC(label);
    const LRESULT brush = SendMessageW(pane, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(label));
    EXPECT_EQ(brush, LRESULT(skin.BGBrush()));
    EXPECT_EQ(GetTextColor(dc), ColorToRGB(ResolveColor(skin.Colors[4])));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    ReleaseDC(label, dc);
    // The label's own paint: dark skin, light text, no box of the platform's face round it.
    RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(20);
    EXPECT_EQ(WindowPixel(label, 199, 19), Face());
}

TEST_F(SkinBackgroundsTest, AFrameworkToolBarShowsTheFaceBehindItsButtons) {
    auto* bar = new TToolBar(host.get());
    bar->SetParent(host.get());
    bar->SetBounds(0, 0, 400, 28);
    bar->Buttons()->Add()->SetCaption(L"新建 New");
    auto* s = new TSkinBoxH(bar);
    s->Init(&form, &skin, nullptr, true);
    EXPECT_EQ(bar->Color(), skin.Colors[3]);
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(20);
    EXPECT_EQ(WindowPixel(bar->Handle(), 390, 14), Face());
    s->Unsubclass();
    EXPECT_NE(bar->Color(), skin.Colors[3]);
}

}  // namespace
