// Windows created by a test really show and paint on the display the tests run on, and the system reports
// the Windows version that the version-dependent code paths are tested against.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Handles the queued messages of this thread (painting, activation) without blocking.
void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

class ShownWindow : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"TvEnvTestWindow";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, L"TvEnvTestWindow", L"环境测试", WS_OVERLAPPEDWINDOW, 40, 40, 320, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(hwnd_, nullptr);
        ShowWindow(hwnd_, SW_SHOWNORMAL);
        UpdateWindow(hwnd_);
        Pump();
    }
    void TearDown() override {
        if (hwnd_) DestroyWindow(hwnd_);
        UnregisterClassW(L"TvEnvTestWindow", GetModuleHandleW(nullptr));
    }
    HWND hwnd_ = nullptr;
};

TEST_F(ShownWindow, IsVisibleWithItsTitle) {
    EXPECT_TRUE(IsWindowVisible(hwnd_));
    wchar_t title[32] = {};
    GetWindowTextW(hwnd_, title, 32);
    EXPECT_STREQ(title, L"环境测试");
    RECT client = {};
    ASSERT_TRUE(GetClientRect(hwnd_, &client));
    EXPECT_GT(client.right, 0);
    EXPECT_GT(client.bottom, 0);
}

TEST_F(ShownWindow, ReadsBackWhatWasPainted) {
    const COLORREF colours[] = {RGB(12, 34, 56), RGB(255, 0, 255), RGB(250, 250, 250)};
    for (COLORREF colour : colours) {
        HDC dc = GetDC(hwnd_);
        ASSERT_NE(dc, nullptr);
        RECT r = {10, 10, 60, 40};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        GdiFlush();
        EXPECT_EQ(GetPixel(dc, 10, 10), colour);
        EXPECT_EQ(GetPixel(dc, 59, 39), colour);
        // Outside the rectangle the class background is untouched.
        EXPECT_EQ(GetPixel(dc, 61, 41), GetSysColor(COLOR_BTNFACE));
        ReleaseDC(hwnd_, dc);
    }
}

TEST_F(ShownWindow, TheNonClientAreaCanBePainted) {
    // The frame belongs to the program, not to a window manager: what WM_NCPAINT code draws is kept.
    HDC dc = GetWindowDC(hwnd_);
    ASSERT_NE(dc, nullptr);
    RECT r = {0, 0, 8, 8};
    HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 128, 0));
    ReleaseDC(hwnd_, dc);
}

TEST(SystemVersion, IsWindows7) {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ASSERT_TRUE(GetVersionExW(&info));
    DWORD packed = GetVersion();
#pragma GCC diagnostic pop
    EXPECT_EQ(info.dwMajorVersion, 6u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    // The NT family is the one whose top bit of GetVersion is clear.
    EXPECT_EQ(packed & 0x80000000u, 0u);
    EXPECT_EQ(LOBYTE(LOWORD(packed)), 6);
    EXPECT_EQ(HIBYTE(LOWORD(packed)), 1);
}

}  // namespace
