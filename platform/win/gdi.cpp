// Scoped GDI owners and their live-handle counter.
#include "platform/win/gdi.h"

namespace gdi {
namespace {
int live = 0;
int deletedWhileSelected = 0;
}  // namespace
int LiveHandles() { return live; }
void CountHandle(int delta) { live += delta; }
int DeletedWhileSelected() { return deletedWhileSelected; }
void CheckDeleted(HGDIOBJ object) {
    if (GetObjectType(object) == 0) return;
    // CreateBrushIndirect answers a hollow brush with the stock one, which DeleteObject keeps.
    for (int i = WHITE_BRUSH; i <= DC_PEN; ++i)
        if (GetStockObject(i) == object) return;
    ++deletedWhileSelected;
}
}  // namespace gdi

WindowDC::WindowDC(HWND hwnd) : hwnd_(hwnd) {
    dc_ = GetWindowDC(hwnd);
    if (dc_) gdi::CountHandle(1);
}
WindowDC::~WindowDC() {
    if (dc_) {
        ReleaseDC(hwnd_, dc_);
        gdi::CountHandle(-1);
    }
}

ClientDC::ClientDC(HWND hwnd) : hwnd_(hwnd) {
    dc_ = GetDC(hwnd);
    if (dc_) gdi::CountHandle(1);
}
ClientDC::~ClientDC() {
    if (dc_) {
        ReleaseDC(hwnd_, dc_);
        gdi::CountHandle(-1);
    }
}

PaintDC::PaintDC(HWND hwnd) : hwnd_(hwnd) {
    dc_ = BeginPaint(hwnd, &ps_);
    if (dc_) gdi::CountHandle(1);
}
PaintDC::~PaintDC() {
    EndPaint(hwnd_, &ps_);
    if (dc_) gdi::CountHandle(-1);
}

MemoryDC::MemoryDC(HDC compatibleWith) {
    dc_ = CreateCompatibleDC(compatibleWith);
    if (dc_) gdi::CountHandle(1);
}
MemoryDC::~MemoryDC() {
    if (dc_) {
        DeleteDC(dc_);
        gdi::CountHandle(-1);
    }
}

SavedDC::SavedDC(HDC dc) : dc_(dc), state_(dc ? SaveDC(dc) : 0) {
    if (state_) gdi::CountHandle(1);
}
SavedDC::~SavedDC() {
    if (state_) {
        RestoreDC(dc_, state_);
        gdi::CountHandle(-1);
    }
}

Selected::Selected(HDC dc, HGDIOBJ object)
    : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {
    if (old_) gdi::CountHandle(1);
}
Selected::~Selected() {
    if (old_) {
        SelectObject(dc_, old_);
        gdi::CountHandle(-1);
    }
}

BufferDC::BufferDC(HDC target, const RECT& area) : target_(target), area_(area), memory_(target) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (!memory_ || w <= 0 || h <= 0) {
        // Nothing to buffer: draw straight onto the target.
        dc_ = target;
        blit_ = false;
        return;
    }
    bitmap_.reset(CreateCompatibleBitmap(target, w, h));
    if (!bitmap_) {
        dc_ = target;
        blit_ = false;
        return;
    }
    selection_.emplace(memory_.get(), bitmap_.get());
    dc_ = memory_.get();
    SetWindowOrgEx(dc_, area.left, area.top, nullptr);
    // The buffer starts with the target's text settings, so drawing code behaves as on the target.
    SetBkMode(dc_, GetBkMode(target));
    SetTextColor(dc_, GetTextColor(target));
    SetBkColor(dc_, GetBkColor(target));
}
BufferDC::~BufferDC() {
    if (blit_) {
        BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_,
               area_.left, area_.top, SRCCOPY);
    }
    // The selection goes before the bitmap (member order), then the memory DC.
    selection_.reset();
}
