// The GDI end of the skin-image routines on real device contexts: a memory DC and a real window.
#include "skin/imaging/win/img_gdi.h"

#include <gtest/gtest.h>

#include "platform/win/bitmap_win.h"

namespace {

// Every source pixel tells where it came from, with some key-coloured pixels mixed in.
TBitmap Strip(int w, int h) {
    TBitmap b(w, h, pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, (x + y) % 5 == 0 ? SkinKeyColor : RGBColor(x * 7, y * 9, 40));
    return b;
}

TBitmap Background(int w, int h) {
    TBitmap b(w, h, pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGBColor(200, x, y));
    return b;
}

// Reads back what a dc shows in the rectangle (0, 0, w, h) through our own bitmap's DC.
TBitmap ReadBack(HDC dc, int w, int h) {
    TBitmap b(w, h, pf24bit);
    BitBlt(BitmapDC(b), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    GdiFlush();
    return b;
}

void ExpectSamePixels(const TBitmap& got, const TBitmap& want) {
    ASSERT_EQ(got.Width(), want.Width());
    ASSERT_EQ(got.Height(), want.Height());
    int bad = 0;
    for (int y = 0; y < got.Height(); ++y)
        for (int x = 0; x < got.Width(); ++x)
            if (got.Pixel(x, y) != want.Pixel(x, y) && ++bad <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << got.Pixel(x, y) << " want "
                              << want.Pixel(x, y);
    EXPECT_EQ(bad, 0);
}

// Runs the same drawing on a GDI memory DC and on the portable surface, from the same background.
template <class Gdi, class Pixels>
void ExpectGdiMatchesPixels(Gdi gdi, Pixels pixels) {
    TBitmap target = Background(60, 40), expected = Background(60, 40);
    gdi(BitmapDC(target));
    GdiFlush();
    pixels(expected);
    ExpectSamePixels(target, expected);
}

TEST(BitmapDC, GdiAndThePixelViewShareOneBlockOfMemory) {
    TBitmap b(8, 4, pf24bit);
    HDC dc = BitmapDC(b);
    ASSERT_NE(dc, nullptr);
    const RECT r{2, 1, 5, 3};
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    EXPECT_EQ(b.Pixel(2, 1), RGBColor(10, 20, 30));  // GDI wrote, ScanLine sees it
    EXPECT_EQ(b.Pixel(5, 1), clBlack);
    b.SetPixel(7, 3, RGBColor(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 7, 3), RGB(1, 2, 3));  // and the other way round
    BITMAP info{};
    GetObjectW(BitmapHandle(b), sizeof info, &info);
    EXPECT_EQ(info.bmBits, static_cast<void*>(b.ScanLine(0)));  // top-down section: row 0 first

    // A bitmap made on the heap moves into a section on first use, keeping its pixels.
    const TBitmapStoreFactory dib = SetBitmapStoreFactory(nullptr);
    TBitmap heap(3, 3, pf32bit);
    heap.SetPixel(1, 1, 0x123456);
    SetBitmapStoreFactory(dib);
    EXPECT_EQ(GetPixel(BitmapDC(heap), 1, 1), COLORREF(0x123456));

    // Palette bitmaps get their colour table.
    TBitmap indexed(2, 1, pf8bit);
    indexed.SetPalette({0x0000FF, 0x00FF00});
    indexed.SetPixel(1, 0, 0x00FF00);
    EXPECT_EQ(GetPixel(BitmapDC(indexed), 1, 0), RGB(0, 255, 0));
}

TEST(ImgGdi, OpaqueAndKeyedCompositionLandAsThePixelRulesSay) {
    const TBitmap strip = Strip(48, 12);  // 3 frames of 16 x 12
    const TRect margins = Rect(3, 2, 4, 3);
    for (int trans : {0, 1}) {
        for (int tile : {0, 1}) {
            SCOPED_TRACE(::testing::Message() << "trans " << trans << " tile " << tile);
            ExpectGdiMatchesPixels(
                [&](HDC dc) { DrawSkinRect(dc, Rect(5, 3, 50, 31), strip, margins, 2, 3, trans, tile, 0); },
                [&](TBitmap& b) {
                    DrawSkinRect(b, Rect(5, 3, 50, 31), strip, margins, 2, 3, trans, tile, 0);
                });
        }
        ExpectGdiMatchesPixels(
            [&](HDC dc) { DrawSkinBar(dc, Rect(-4, 10, 57, 20), strip, margins, 3, 3, trans, 0); },
            [&](TBitmap& b) { DrawSkinBar(b, Rect(-4, 10, 57, 20), strip, margins, 3, 3, trans, 0); });
        ExpectGdiMatchesPixels([&](HDC dc) { DrawSkinCell(dc, Rect(0, 0, 33, 17), strip, 1, 3, trans); },
                               [&](TBitmap& b) { DrawSkinCell(b, Rect(0, 0, 33, 17), strip, 1, 3, trans); });
        ExpectGdiMatchesPixels(
            [&](HDC dc) { DrawSkinCellCentered(dc, Rect(0, 0, 10, 10), strip, 2, 3, trans); },
            [&](TBitmap& b) { DrawSkinCellCentered(b, Rect(0, 0, 10, 10), strip, 2, 3, trans); });
    }
    // A keyed copy from any pixel format leaves out exactly the key's pixels.
    for (TPixelFormat f : {pf24bit, pf32bit, pf8bit}) {
        SCOPED_TRACE(::testing::Message() << "format " << int(f));
        TBitmap source = Strip(33, 17);
        source.SetPixelFormat(f);
        ExpectGdiMatchesPixels(
            [&](HDC dc) { DrawKeyedBitmap(dc, Rect(3, 2, 36, 19), source, SkinKeyColor); },
            [&](TBitmap& b) { DrawKeyedBitmap(b, Rect(3, 2, 36, 19), source, SkinKeyColor); });
    }
    // An empty skin image leaves the dc as it was, in both modes.
    const TBitmap missing;
    for (int trans : {0, 1})
        ExpectGdiMatchesPixels(
            [&](HDC dc) { DrawSkinRect(dc, Rect(5, 3, 50, 31), missing, margins, 1, 1, trans, 0, 0); },
            [](TBitmap&) {});
    ExpectGdiMatchesPixels(
        [&](HDC dc) { StretchSkinBar(dc, Rect(2, 2, 58, 9), strip, margins, 1, 3, 0, 0); },
        [&](TBitmap& b) { StretchSkinBar(b, Rect(2, 2, 58, 9), strip, margins, 1, 3, 0, 0); });
    ExpectGdiMatchesPixels(
        [&](HDC dc) { TileBitmapRect(dc, Rect(1, 1, 30, 30), strip, Rect(3, 3, 10, 8)); },
        [&](TBitmap& b) { TileBitmapRect(b, Rect(1, 1, 30, 30), strip, Rect(3, 3, 10, 8)); });
}

TEST(ImgGdi, KeyedBlitLeavesKeyPixelsUntouchedInARealWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ImgGdiTestWindow";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    HWND wnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 80, 50,
                               nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    UpdateWindow(wnd);
    MSG msg;
    for (int i = 0; i < 50 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessageW(&msg);

    HDC dc = GetDC(wnd);
    TBitmap background = Background(60, 40);
    BlitOpaque(dc, 0, 0, background);
    const TBitmap strip = Strip(30, 10);
    DrawSkinRect(dc, Rect(4, 4, 56, 36), strip, Rect(2, 2, 2, 2), 1, 1, 1, 1, 0);
    TBitmap shown = ReadBack(dc, 60, 40);
    ReleaseDC(wnd, dc);
    DestroyWindow(wnd);

    TBitmap expected = Background(60, 40);
    DrawSkinRect(expected, Rect(4, 4, 56, 36), strip, Rect(2, 2, 2, 2), 1, 1, 1, 1, 0);
    ExpectSamePixels(shown, expected);
    EXPECT_EQ(shown.Pixel(4, 4),
              background.Pixel(4, 4));  // the strip's (0, 0) is key: the window shows through
}

// A keyed picture made once draws what the keyed blit draws, here and at a second place.
TEST(ImgGdi, AKeyedBitmapMadeOnceDrawsAsTheKeyedBlit) {
    const TBitmap strip = Strip(30, 10);
    const auto picture = MakeSkinBitmap(Rect(0, 0, 40, 20), strip, Rect(2, 2, 2, 2), 1, 1, 0, 0);
    KeyedBitmap keyed(*picture, SkinKeyColor);
    ExpectGdiMatchesPixels(
        [&](HDC dc) {
            keyed.Draw(dc, 3, 4);
            keyed.Draw(dc, 20, 14);
        },
        [&](TBitmap& b) {
            DrawKeyedBitmap(b, Bounds(3, 4, 40, 20), *picture, SkinKeyColor);
            DrawKeyedBitmap(b, Bounds(20, 14, 40, 20), *picture, SkinKeyColor);
        });
}

std::vector<RECT> RegionRects(HRGN rgn) {
    const DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<std::uint8_t> data(size);
    auto* rd = reinterpret_cast<RGNDATA*>(data.data());
    GetRegionData(rgn, size, rd);
    const RECT* r = reinterpret_cast<const RECT*>(rd->Buffer);
    return std::vector<RECT>(r, r + rd->rdh.nCount);
}

TEST(ImgGdi, ColorKeyRegionCoversExactlyTheOpaquePixels) {
    TBitmap small(3, 1);
    small.SetPixel(0, 0, SkinKeyColor);
    small.SetPixel(1, 0, 0x0000FF);
    small.SetPixel(2, 0, SkinKeyColor);
    Owned<HRGN> owner = BuildColorKeyRegion(small, 10, 20, SkinKeyColor, 1, 1, 1);
    HRGN r = owner.get();
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 11);
    EXPECT_EQ(box.top, 20);
    EXPECT_EQ(box.right, 12);
    EXPECT_EQ(box.bottom, 21);

    TBitmap none(5, 5);
    none.Fill(RGBColor(255, 1, 255));
    owner = BuildColorKeyRegion(none, 0, 0, SkinKeyColor, 1, 1, 1);
    r = owner.get();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);

    // Enough runs for two region creations combined (checkerboard: 50 runs a row x 100 rows).
    TBitmap board(100, 100, pf24bit);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) board.SetPixel(x, y, (x + y) % 2 ? SkinKeyColor : RGBColor(x, y, 0));
    TBitmap copy;
    copy.Assign(board);
    owner = BuildColorKeyRegion(board, -3, 7, SkinKeyColor, 1, 1, 1);
    r = owner.get();
    int wrong = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if ((PtInRegion(r, x - 3, y + 7) != 0) != ((x + y) % 2 == 0)) ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_FALSE(PtInRegion(r, 98, 7));  // nothing right of the shifted bitmap
    EXPECT_EQ(RegionRects(r).size(), 5000u);
}

TEST(ImgGdi, EveryGdiObjectGoesThroughTheCountedOwners) {
    // The drawing routines free what they make; a region handed out stays counted until its owner frees it,
    // so a caller that leaked it would show.
    TBitmap target = Background(60, 40);
    HDC dc = BitmapDC(target);  // the bitmap's own DC lives as long as the bitmap
    const TBitmap strip = Strip(30, 10);
    const int before = gdi::LiveHandles();
    DrawSkinRect(dc, Rect(4, 4, 56, 36), strip, Rect(2, 2, 2, 2), 1, 1, 1, 0, 0);
    FillColorRect(dc, Rect(0, 0, 5, 5), clBtnFace);
    FillGradientRect(dc, Rect(0, 0, 60, 10), 0x0000FF, 0xFF0000, 0);
    DrawTextCentered(dc, Rect(0, 0, 60, 40), L"暂停", 0, 0, 2);
    EXPECT_EQ(gdi::LiveHandles(), before);
    TBitmap mask(4, 4);
    mask.Fill(0x0000FF);
    Owned<HRGN> region = BuildColorKeyRegion(mask, 0, 0, SkinKeyColor, 1, 1, 1);
    const int withRegion = gdi::LiveHandles();  // the mask's own DIB section is counted too
    region.reset();
    EXPECT_EQ(gdi::LiveHandles(), withRegion - 1);
}

TEST(ImgGdi, GradientBandsOnlyInsideTheClipBoxWithFullLengthColours) {
    TBitmap target = Background(120, 10), expected = Background(120, 10);
    HDC dc = BitmapDC(target);
    HRGN clip = CreateRectRgn(30, 0, 120, 10);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);
    FillGradientRect(dc, Rect(0, 2, 100, 6), 0x000000, clBtnFace, 0);
    SelectClipRgn(dc, nullptr);
    GdiFlush();
    const TRect box = Rect(30, 0, 120, 10);
    FillGradientRect(expected, Rect(0, 2, 100, 6), 0x000000, clBtnFace, 0, &box);
    ExpectSamePixels(target, expected);

    // Nothing visible: nothing drawn.
    TBitmap untouched = Background(20, 20), same = Background(20, 20);
    HDC udc = BitmapDC(untouched);
    IntersectClipRect(udc, 0, 0, 5, 5);
    FillGradientRect(udc, Rect(10, 10, 20, 20), 0, 0xFF, 1);
    GdiFlush();
    ExpectSamePixels(untouched, same);
}

TEST(ImgGdi, DisabledTextUsesTheButtonShadowAndArrowsFollowTheirPenLines) {
    TBitmap b(80, 30, pf24bit);
    b.Fill(0xFFFFFF);
    HDC dc = BitmapDC(b);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextCentered(dc, Rect(0, 0, 80, 30), L"MMMM", 0, 0, 2);
    GdiFlush();
    // Smoothed glyph edges blend toward the white background, so no text pixel may be darker than the shadow.
    const TColor shadow = TColor(GetSysColor(COLOR_BTNSHADOW));
    int inked = 0, tooDark = 0, exact = 0, top = 30, bottom = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            const TColor c = b.Pixel(x, y);
            if (c == clWhite) continue;
            ++inked;
            exact += c == shadow;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            if (GetRValue(c) < GetRValue(shadow) || GetGValue(c) < GetGValue(shadow) ||
                GetBValue(c) < GetBValue(shadow))
                ++tooDark;
        }
    EXPECT_GT(inked, 10);
    EXPECT_GT(exact, 0);
    EXPECT_EQ(tooDark, 0);
    EXPECT_LE(std::abs((top + bottom) - 29), 4);  // centred vertically, within the font's internal leading

    TBitmap a(20, 20, pf24bit);
    a.Fill(0xFFFFFF);
    HDC adc = BitmapDC(a);
    SelectObject(adc, GetStockObject(BLACK_PEN));
    DrawArrowGlyph(adc, 10, 10, 0);
    DrawArrowGlyph(adc, 10, 10, 7);  // unknown kind: nothing
    GdiFlush();
    EXPECT_EQ(a.Pixel(10, 10), clBlack);  // the tip
    EXPECT_EQ(a.Pixel(10, 9), clWhite);   // end points are not drawn
    EXPECT_EQ(a.Pixel(11, 11), clBlack);
    EXPECT_EQ(a.Pixel(13, 13), clBlack);
    EXPECT_EQ(a.Pixel(14, 14), clWhite);
    EXPECT_EQ(a.Pixel(7, 13), clBlack);
}

}  // namespace
