// Painting: scoped GDI owners, painting onto a given dc, windowless children, colour inheritance.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/bitmap.h"
#include "win_fixtures.h"

namespace {

// A 32-bit top-down DIB section to paint into and read back.
struct Surface {
    MemoryDC dc{nullptr};
    Owned<HBITMAP> bitmap;
    std::uint32_t* bits = nullptr;
    int width, height;
    std::optional<Selected> select;

    Surface(int w, int h) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* p = nullptr;
        bitmap.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
        bits = static_cast<std::uint32_t*>(p);
        select.emplace(dc.get(), bitmap.get());
    }
    // $00BBGGRR like TColor.
    TColor At(int x, int y) const {
        GdiFlush();
        const std::uint32_t v = bits[y * width + x];
        return RGBColor(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF));
    }
};

TEST(Gdi, ScopedOwnersBalanceTheLiveCounterAndBufferBlitsOnce) {
    const int before = gdi::LiveHandles();
    {
        Surface target(40, 20);
        EXPECT_GT(gdi::LiveHandles(), before);
        {
            RECT area{10, 5, 30, 15};
            BufferDC buffer(target.dc, area);
            Owned<HBRUSH> red{CreateSolidBrush(RGB(255, 0, 0))};
            RECT r{10, 5, 30, 15};  // the buffer is drawn in the target's coordinates
            FillRect(buffer, &r, red.get());
            EXPECT_EQ(target.At(20, 10), clBlack);  // nothing reaches the target before the end
        }
        EXPECT_EQ(target.At(20, 10), RGBColor(255, 0, 0));
        EXPECT_EQ(target.At(9, 10), clBlack);
        EXPECT_EQ(target.At(30, 10), clBlack);

        // A region handed to its new owner is no longer counted.
        Owned<HRGN> rgn{CreateRectRgn(0, 0, 5, 5)};
        HRGN taken = rgn.release();
        DeleteObject(taken);
    }
    EXPECT_EQ(gdi::LiveHandles(), before);

    // A font deleted while a dc still holds it is counted; one deselected first is not.
    {
        Surface target(10, 10);
        const int held = gdi::DeletedWhileSelected();
        {
            Owned<HFONT> font{CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial")};
            Selected use(target.dc, font.get());
        }
        EXPECT_EQ(gdi::DeletedWhileSelected(), held);
        HGDIOBJ old = nullptr;
        {
            Owned<HFONT> font{CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial")};
            old = SelectObject(target.dc, font.get());
        }
        EXPECT_EQ(gdi::DeletedWhileSelected(), held + 1);
        SelectObject(target.dc, old);
    }

    // A canvas whose font and brush change while it is bound leaves nothing behind.
    {
        Surface target(10, 10);
        const int bound = gdi::LiveHandles();
        TCanvas canvas;
        {
            CanvasBinding bind(canvas, target.dc);
            canvas.Font().SetHeight(-20);
            canvas.TextOut(0, 0, L"字");
            canvas.Font().SetStyle(TFontStyles{fsBold});
            canvas.Brush().SetColor(clRed);
            canvas.FillRect(Rect(0, 0, 10, 10));
        }
        EXPECT_FALSE(canvas.HandleAllocated());
        EXPECT_EQ(target.At(5, 5), clRed);
        // Only the canvas's own font and brush remain, deselected.
        EXPECT_LE(gdi::LiveHandles(), bound + 2);
    }
    EXPECT_EQ(gdi::LiveHandles(), before);
}

TEST(Canvas, DrawsBitmapsAndCopiesBetweenCanvases) {
    Surface target(20, 10);
    TBitmap bmp(4, 2, pf24bit);
    bmp.Fill(RGBColor(0, 128, 255));
    bmp.SetPixel(0, 0, RGBColor(255, 255, 255));
    TCanvas canvas;
    CanvasBinding bind(canvas, target.dc);
    canvas.Draw(2, 3, bmp);
    EXPECT_EQ(target.At(2, 3), RGBColor(255, 255, 255));  // top row first
    EXPECT_EQ(target.At(5, 4), RGBColor(0, 128, 255));
    EXPECT_EQ(target.At(6, 4), clBlack);
    EXPECT_EQ(target.At(2, 5), clBlack);

    // Transparent: the key colour (bottom-left pixel) leaves the target alone.
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(10, 0, 20, 10));
    bmp.SetTransparent(true);
    canvas.Draw(12, 0, bmp);
    EXPECT_EQ(target.At(12, 0), RGBColor(255, 255, 255));
    EXPECT_EQ(target.At(13, 1), clRed);

    Surface copy(20, 10);
    TCanvas other;
    CanvasBinding bindOther(other, copy.dc);
    other.CopyRect(Rect(0, 0, 4, 2), canvas, Rect(2, 3, 6, 5));
    EXPECT_EQ(copy.At(0, 0), RGBColor(255, 255, 255));
    EXPECT_EQ(copy.At(3, 1), RGBColor(0, 128, 255));
}

TEST(Painting, ParentPaintsOntoAGivenDcWithItsWindowlessChildrenInItsColour) {
    auto form = MakeHostForm(100, 60);
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetBounds(10, 10, 50, 20);
    label->SetAutoSize(false);
    label->Font()->SetColor(RGBColor(0, 0, 255));
    label->Font()->SetHeight(-18);
    label->Font()->SetStyle(TFontStyles{fsBold});
    label->SetCaption(L"WWWW");
    // The form's colour changes later; the label follows it (it uses its parent's colour).
    form->SetColor(RGBColor(10, 200, 30));
    EXPECT_EQ(label->Color(), RGBColor(10, 200, 30));
    form->HandleNeeded();

    Surface s(100, 60);
    form->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.dc.get()), 0);
    EXPECT_EQ(s.At(5, 5), RGBColor(10, 200, 30));
    EXPECT_EQ(s.At(95, 55), RGBColor(10, 200, 30));

    // WM_PAINT with a dc paints the label onto it, at its place and clipped to it.
    form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s.dc.get()), 0);
    bool sawText = false;
    for (int x = 10; x < 60; ++x)
        for (int y = 10; y < 30; ++y) sawText |= s.At(x, y) == RGBColor(0, 0, 255);
    EXPECT_TRUE(sawText);
    EXPECT_EQ(s.At(61, 15), RGBColor(10, 200, 30));
    EXPECT_EQ(s.At(9, 15), RGBColor(10, 200, 30));

    // A label with a colour of its own keeps it.
    label->SetColor(clRed);
    label->SetCaption(L"");
    form->SetColor(clWhite);
    EXPECT_EQ(label->Color(), clRed);
    EXPECT_FALSE(label->ParentColor());

    // PaintControls on its own, with the dc's origin moved as a skinner does for a child.
    Surface t(100, 60);
    SetViewportOrgEx(t.dc, -10, -10, nullptr);
    form->PaintControls(t.dc, nullptr);
    SetViewportOrgEx(t.dc, 0, 0, nullptr);
    EXPECT_EQ(t.At(1, 1), clRed);
}

TEST(Painting, AFormColourReachesLabelsOnGroupBoxes) {
    auto form = MakeHostForm(200, 100);
    auto* group = new TGroupBox(form.get());
    group->SetParent(form.get());
    auto* label = new TLabel(form.get());
    label->SetParent(group);
    form->HandleNeeded();
    form->SetColor(RGBColor(237, 237, 237));
    EXPECT_EQ(group->Color(), RGBColor(237, 237, 237));
    EXPECT_EQ(label->Color(), RGBColor(237, 237, 237));
    EXPECT_EQ(GetOrdPropByName(group, "Color"), std::int64_t(RGBColor(237, 237, 237)));
    // Restoring the system colour restores theirs.
    form->SetColor(clBtnFace);
    EXPECT_EQ(label->Color(), clBtnFace);
}

TEST(Painting, DoubleBufferedFormStillErasesOnRequest) {
    auto form = MakeHostForm(50, 50);
    form->SetDoubleBuffered(true);
    form->SetColor(RGBColor(1, 2, 3));
    form->Show();
    Pump(50);
    Surface s(50, 50);
    // A skinner asks the parent for its background behind a control.
    EXPECT_NE(form->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.dc.get()), 0), 0);
    EXPECT_EQ(s.At(25, 25), RGBColor(1, 2, 3));
}

// A label's new text in the same place is painted at once, as a full repaint of its parent would show it,
// and leaves the parent nothing to repaint; a transparent label, or one whose size changes, is still
// left to the parent's next paint.
TEST(Painting, AnOpaqueLabelPaintsItsNewTextAtOnceAsItsParentWould) {
    auto form = MakeHostForm(320, 120);
    auto* box = new TGroupBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(0, 0, 320, 70);
    box->SetCaption(L"计时");
    auto* label = new TLabel(form.get());
    label->SetParent(box);
    label->SetLeft(8);
    label->SetTop(16);
    label->Font()->SetHeight(-29);
    label->Font()->SetStyle(TFontStyles{fsBold});
    label->Font()->SetColor(RGBColor(0, 0, 255));
    label->SetCaption(L"00时00分00秒000毫秒");
    form->Show();
    Pump(50);
    const HWND h = box->Handle();
    RECT pending{};
    int n = 0;
    for (bool buffered : {false, true}) {
        SCOPED_TRACE(buffered ? "double-buffered parent" : "plain parent");
        box->SetDoubleBuffered(buffered);
        const auto before = ClientPixels(h);
        label->SetCaption(L"00时00分0" + std::to_wstring(++n) + L"秒234毫秒");
        EXPECT_FALSE(GetUpdateRect(h, &pending, FALSE));
        const auto shown = ClientPixels(h);
        EXPECT_NE(shown, before);
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(ClientPixels(h), shown);
    }
    label->SetCaption(L"0");  // a new size
    EXPECT_TRUE(GetUpdateRect(h, &pending, FALSE));
    Pump(30);
    label->SetTransparent(true);
    Pump(30);
    label->SetCaption(L"1");
    EXPECT_TRUE(GetUpdateRect(h, &pending, FALSE));
}

}  // namespace
