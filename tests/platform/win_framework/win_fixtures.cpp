// Message pumping and host forms for window tests.
#include "win_fixtures.h"

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

std::wstring WindowClassName(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

void RegisterTestClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc ? proc : DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}
