// Edits under Wine: the flat skinned border over the sunken one after every paint, nothing over an edit
// without a border, and the print protocol for the control's own image.
#include "skin/controls/win/skin_edit.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/win/forms.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

TEST(SkinEdit, FlatBorderOverTheSunkenOne) {
    TSkinData skin(nullptr);
    skin.Colors[7] = 0x204060;  // ButtonShadow
    FormSkinnerStub form;
    auto host = MakeHostForm(300, 100);
    host->Show();
    const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"12", WS_CHILD | WS_VISIBLE, 10, 10, 120,
                                      24, host->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND flat = CreateWindowExW(0, L"EDIT", L"34", WS_CHILD | WS_VISIBLE, 10, 50, 120, 24,
                                      host->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    TSkinEdit s(&form), t(&form);
    s.Inithwnd(edit, &skin, nullptr, &form);
    t.Inithwnd(flat, &skin, nullptr, &form);
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    RedrawWindow(flat, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump(30);
    for (int y : {0, 12, 23}) EXPECT_EQ(WindowPixel(edit, 0, y), 0x204060) << y;
    EXPECT_EQ(WindowPixel(edit, 60, 0), 0x204060);
    EXPECT_EQ(WindowPixel(edit, 60, 1), 0xFFFFFF);
    EXPECT_EQ(WindowPixel(edit, 60, 2), 0xFFFFFF);
    EXPECT_EQ(WindowPixel(edit, 119, 12), 0x204060);
    EXPECT_NE(WindowPixel(flat, 0, 12), 0x204060);  // no border, nothing drawn over

    // Asked to print itself: the control's own image in the sender's dc, and the protocol's answer.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 120, 24);
    HGDIOBJ old = SelectObject(mem, bmp);
    EXPECT_EQ(SendMessageW(edit, SM_PRINTCONTROL, WPARAM(mem), SkinSignature), SkinSignature);
    EXPECT_NE(SendMessageW(edit, SM_PRINTCONTROL, WPARAM(mem), 0), SkinSignature);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    DestroyWindow(edit);
    DestroyWindow(flat);
}

}  // namespace
