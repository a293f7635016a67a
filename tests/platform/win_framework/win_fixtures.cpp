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

void PumpIdle(int ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (GetTickCount() - start >= DWORD(ms)) return;
    }
}

namespace {
// The logs by window (a test has few).
std::vector<MessageLog*>& Logs() {
    static std::vector<MessageLog*> logs;
    return logs;
}
}  // namespace

MessageLog::MessageLog(HWND hwnd, std::function<int(HWND, UINT)> noter)
    : hwnd_(hwnd),
      prev_(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC))),
      noter_(std::move(noter)) {
    Logs().push_back(this);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageLog::Proc));
}

MessageLog::~MessageLog() {
    // Put back only when nothing came in front since (the window may also be gone).
    if (IsWindow(hwnd_) &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)) == &MessageLog::Proc)
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev_));
    Logs().erase(std::remove(Logs().begin(), Logs().end(), this), Logs().end());
}

LRESULT CALLBACK MessageLog::Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    for (MessageLog* log : Logs()) {
        if (log->hwnd_ != h) continue;
        log->entries_.push_back({msg, w, log->noter_ ? log->noter_(h, msg) : 0});
        return CallWindowProcW(log->prev_, h, msg, w, l);
    }
    return DefWindowProcW(h, msg, w, l);
}

std::vector<MessageLog::Entry> MessageLog::Of(UINT msg) const {
    std::vector<Entry> out;
    for (const Entry& e : entries_)
        if (e.msg == msg) out.push_back(e);
    return out;
}

testing::AssertionResult InOrder(const MessageLog& log, std::initializer_list<Expect> steps) {
    const auto& seen = log.Entries();
    std::size_t at = 0;
    int step = 0;
    for (const Expect& e : steps) {
        std::size_t i = at;
        while (i < seen.size() && seen[i].msg != e.msg) ++i;
        if (i < seen.size())
            at = i + 1;
        else if (!e.optional)
            return testing::AssertionFailure()
                   << "step " << step << " (message 0x" << std::hex << e.msg << ") not found in order";
        ++step;
    }
    return testing::AssertionSuccess();
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
