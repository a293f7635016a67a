// Message pumping and host forms for window tests.
#include "win_fixtures.h"

#include <algorithm>

void Pump(int ms) {
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < DWORD(ms));
    return done();
}

std::unique_ptr<TForm> MakeHostForm(int clientWidth, int clientHeight) {
    Application->Initialize();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsSingle);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->SetLeft(40);
    form->SetTop(40);
    return form;
}

std::vector<std::uint32_t> ClientPixels(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    const int w = r.right, h = r.bottom;
    std::vector<std::uint32_t> pixels(std::size_t(w > 0 && h > 0 ? w * h : 0));
    if (pixels.empty()) return pixels;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, section);
    HDC dc = GetDC(hwnd);
    BitBlt(memory, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    GdiFlush();
    std::copy_n(static_cast<const std::uint32_t*>(bits), pixels.size(), pixels.begin());
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

void RegisterTestClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc ? proc : DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}
