// Scoped owners for GDI handles and device contexts: own what you create, borrow what you are lent.
#pragma once

#include <windows.h>

#include <optional>
#include <utility>

namespace gdi {
// Handles currently held by the owners below (objects, DCs and selections). Tests compare it before and
// after a piece of work to catch leaks that Wine would not report.
int LiveHandles();
void CountHandle(int delta);
// Objects that were still selected into a DC when their owner deleted them. Windows refuses to delete such
// an object (it leaks), Wine deletes it late, once it is deselected; tests compare the count before and
// after a paint.
int DeletedWhileSelected();
// Counts object if DeleteObject left it alive (stock objects, which are never deleted, do not count).
void CheckDeleted(HGDIOBJ object);
}  // namespace gdi

// Sole owner of a GDI object (HBITMAP, HFONT, HRGN, HBRUSH, HPEN); deletes it when it goes.
template <class H>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {
        if (h_) gdi::CountHandle(1);
    }
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            h_ = std::exchange(other.h_, nullptr);
        }
        return *this;
    }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset(H h = nullptr) {
        if (h_ == h) return;
        if (h_) {
            DeleteObject(h_);
            gdi::CheckDeleted(h_);
            gdi::CountHandle(-1);
        }
        h_ = h;
        if (h_) gdi::CountHandle(1);
    }
    // Hands the handle on (to SetWindowRgn, say); this owner forgets it.
    H release() {
        if (h_) gdi::CountHandle(-1);
        return std::exchange(h_, nullptr);
    }

private:
    H h_ = nullptr;
};

// Base of the scoped DC types: not copyable, converts to HDC.
class ScopedDC {
public:
    ScopedDC(const ScopedDC&) = delete;
    ScopedDC& operator=(const ScopedDC&) = delete;
    HDC get() const { return dc_; }
    operator HDC() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

protected:
    ScopedDC() = default;
    ~ScopedDC() = default;
    HDC dc_ = nullptr;
};

// GetWindowDC / ReleaseDC on the same window.
class WindowDC : public ScopedDC {
public:
    explicit WindowDC(HWND hwnd);
    ~WindowDC();

private:
    HWND hwnd_;
};

// GetDC / ReleaseDC on the same window.
class ClientDC : public ScopedDC {
public:
    explicit ClientDC(HWND hwnd);
    ~ClientDC();

private:
    HWND hwnd_;
};

// BeginPaint / EndPaint. Only for WM_PAINT without a dc in wParam.
class PaintDC : public ScopedDC {
public:
    explicit PaintDC(HWND hwnd);
    ~PaintDC();
    const PAINTSTRUCT& Info() const { return ps_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// A memory DC compatible with another one; DeleteDC when it goes.
class MemoryDC : public ScopedDC {
public:
    explicit MemoryDC(HDC compatibleWith);
    ~MemoryDC();
};

// SaveDC / RestoreDC on a DC we were lent: every setting made in the scope is undone.
class SavedDC {
public:
    explicit SavedDC(HDC dc);
    ~SavedDC();
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int state_;
};

// SelectObject, and the previous object back when the scope ends. Declare it after the owner of the
// object, so the object is deselected before it is deleted.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object);
    ~Selected();
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Off-screen drawing: a compatible DC with a bitmap of the target rectangle's size, whose origin is moved
// so callers draw in the target's coordinates. Blits to the target once, when it goes (unless Cancel).
class BufferDC : public ScopedDC {
public:
    BufferDC(HDC target, const RECT& area);
    ~BufferDC();
    void Cancel() { blit_ = false; }

private:
    HDC target_;
    RECT area_;
    MemoryDC memory_;
    Owned<HBITMAP> bitmap_;  // declared before the selection: deselected first, deleted after
    std::optional<Selected> selection_;
    bool blit_ = true;
};
