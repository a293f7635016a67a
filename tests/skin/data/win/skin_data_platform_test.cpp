// The skin component's Windows services: user32 look-ups, the caption font, the button-face brush, the
// hint window, the application icon and the text helpers. Runs under Wine.
#include <gtest/gtest.h>

#include "platform/win/graphics.h"
#include "platform/win/sys_utils.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/storage/skin_package_writer.h"

namespace {

class SkinDataWin : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InstallSkinDataPlatform(); }
    void TearDown() override { FreeSkinManager(); }
};

HWND FindHintWindow() { return FindWindowW(L"THintWindow", nullptr); }

// A top-level window that carries an object under the framework's window property, as framework
// windows do.
struct PropertyWindow {
    explicit PropertyWindow(void* object) {
        hwnd =
            CreateWindowExW(0, L"STATIC", L"app", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        wchar_t key[32];
        swprintf(key, 32, L"ControlOfs%.8X%.8X",
                 unsigned(reinterpret_cast<UINT_PTR>(GetModuleHandleW(nullptr))),
                 unsigned(GetCurrentThreadId()));
        SetPropW(hwnd, key, object);
        name = key;
    }
    ~PropertyWindow() {
        RemovePropW(hwnd, name.c_str());
        DestroyWindow(hwnd);
    }
    HWND hwnd;
    std::wstring name;
};

}  // namespace

TEST_F(SkinDataWin, OptionalEntryPointsAndMetrics) {
    EXPECT_NE(User32Entries().GetScrollBarInfo, nullptr);
    EXPECT_NE(User32Entries().TrackMouseEvent, nullptr);
    EXPECT_NE(User32Entries().GetComboBoxInfo, nullptr);
    TSkinData d(nullptr);
    EXPECT_EQ(d.cxMax, GetSystemMetrics(SM_CXMAXIMIZED));
    EXPECT_EQ(d.cyMax, GetSystemMetrics(SM_CYMAXIMIZED));
    d.Loaded();
    EXPECT_TRUE(d.SkinControls().Contains(xcScrollbar));  // the platform has GetScrollBarInfo
    LOGFONTW font{};
    ASSERT_NE(d.CaptionFont(), nullptr);
    EXPECT_GT(GetObjectW(d.CaptionFont(), sizeof font, &font), 0);
}

TEST_F(SkinDataWin, ButtonFaceBrushFollowsTheSkin) {
    TSkinData d(nullptr);
    EXPECT_EQ(d.BGBrush(), nullptr);
    d.SetSkinFormtype(sfDialog);
    // the smallest skin: a description whose ButtonFace is given
    const std::string ini = "[Colours]\r\nButtonFace=1 2 3\r\n";
    TMemoryStream s(BuildSkinPackage({{"s.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())}}));
    d.LoadFromStream(s);
    ASSERT_FALSE(d.Empty);
    LOGBRUSH brush{};
    ASSERT_GT(GetObjectW(d.BGBrush(), sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbColor, RGB(1, 2, 3));
}

TEST_F(SkinDataWin, HintWindowShowsWithoutTakingTheFocus) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(owner);
    TSkinData d(nullptr);
    d.ActivateHint(Rect(100, 120, 140, 140), L"关闭");
    ASSERT_TRUE(d.IsHint());
    HWND hint = FindHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(IsWindowVisible(hint));
    RECT r;
    GetWindowRect(hint, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 120);
    EXPECT_LE(r.right - r.left, 500 + 8);
    EXPECT_EQ(GetActiveWindow(), owner);
    d.ActivateHint(Rect(0, 0, 1, 1), L"again");  // one hint at a time
    GetWindowRect(hint, &r);
    EXPECT_EQ(r.left, 100);
    d.HideHint();
    EXPECT_FALSE(IsWindowVisible(hint));
    EXPECT_FALSE(d.IsHint());
    DestroyWindow(owner);
}

TEST_F(SkinDataWin, ApplicationIconOnMagenta) {
    TSkinData d(nullptr);
    d.GetAppIcon();  // no framework window yet: no icon, nothing changes
    EXPECT_TRUE(d.SysIcon.Empty());

    TSkinData object(nullptr);
    PropertyWindow app(&object);
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    SendMessageW(app.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    EXPECT_EQ(ControlOfWindow(app.hwnd), &object);
    d.GetAppIcon();
    ASSERT_FALSE(d.SysIcon.Empty());
    EXPECT_EQ(d.SysIcon.Width(), GetSystemMetrics(SM_CXSMICON));
    EXPECT_TRUE(d.SysIcon.Transparent());
    EXPECT_EQ(d.SysIcon.TransparentColor(), 0xFF00FFu);
}

TEST_F(SkinDataWin, TextHelpers) {
    EXPECT_EQ(AnsiToWide("Tocvane 1"), L"Tocvane 1");
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(WideLeft(L"abcdef", 3), L"abc");
    EXPECT_EQ(WideLeft(L"abcdef", -1), L"abcdef");
    EXPECT_EQ(WideLeft(L"ab", 9), L"ab");
    EXPECT_TRUE(PlatformInfo().IsNT());
    HDC dc = GetDC(nullptr);
    RECT r{0, 0, 0, 0};
    EXPECT_GT(DrawPlatformText(dc, L"暂停 Pause", r, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_GT(r.right, 0);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(ControlOfWindow(nullptr), nullptr);
    EXPECT_EQ(ControlOfWindow(GetDesktopWindow()), nullptr);
    TrackMouseLeave(GetDesktopWindow());  // asks once; nothing to check but that it returns
}

TEST_F(SkinDataWin, TheComponentsGdiObjectsAreSeenByTheLiveHandleCounter) {
    // The brush and the caption font are held by owners the counter sees: a component that kept one past
    // its end would show as a count that does not come back.
    const int before = gdi::LiveHandles();
    {
        TSkinData d(nullptr);
        const int made = gdi::LiveHandles();  // the component's own bitmaps
        d.Native().MakeBGBrush(clBtnFace);
        EXPECT_EQ(gdi::LiveHandles(), made + 1);
        d.Native().MakeBGBrush(RGBColor(1, 2, 3));  // the old brush goes
        EXPECT_EQ(gdi::LiveHandles(), made + 1);
        d.Native().GetCaptionFont();
        EXPECT_EQ(gdi::LiveHandles(), made + 2);
    }
    EXPECT_EQ(gdi::LiveHandles(), before);
}
