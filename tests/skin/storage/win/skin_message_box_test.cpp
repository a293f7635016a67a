// The unknown-version message as a real message box: a CBT hook reads the box's text and closes it.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/storage/lzh.h"
#include "skin/storage/skin_package_writer.h"
#include "skin/storage/skin_read.h"
#include "skin/storage/win/skin_message_box.h"

namespace {

HHOOK hook = nullptr;
std::wstring seenText;
int boxes = 0;

LRESULT CALLBACK WatchBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[64] = {};
        GetClassNameW(box, cls, 64);
        if (std::wstring(cls) == L"#32770") {  // other windows of the process may be activated too
            wchar_t text[256] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message's static control
            seenText = text;
            ++boxes;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

TEST(SkinMessageBox, UnknownVersionShowsTheMessageInABox) {
    InstallSkinMessageBox();
    hook = SetWindowsHookExW(WH_CBT, WatchBoxes, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);

    std::vector<std::uint8_t> package = BuildSkinPackageUnpacked({{"a.ini", {'x'}}});
    package[0] = 0x10;  // version 69904
    TMemoryStream stream(LzhPackBytes(package));
    TSkinReader reader;
    EXPECT_FALSE(reader.Loadfromstream(stream));
    UnhookWindowsHookEx(hook);
    SetSkinMessageHook(nullptr);

    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(seenText, L"This is Older Skin File\rPlease update to new version !");
}

}  // namespace
