// What the skin costs where a user feels it, under Wine:
//   - a timing run: Tocvane started and its Start button clicked, beside a bare Win32 window of this program
//     whose static label is set from a 10 ms timer in the time label's font; the processor time each
//     process takes over the same seconds, in rounds (the two run side by side, so a load that comes and
//     goes on the machine weighs on both alike);
//   - one push-button paint skinned against the same button unskinned, taken in turns, and the time of the
//     skinner's own steps (into a memory dc, without the platform's part of a window paint).
// Runs as a Windows program: tools/bench.sh. `--bare` runs the bare window alone (the benchmark starts it
// so); argv[2], when given, is the program to time (else Tocvane.exe of the same build).
#include <windows.h>

#include <tlhelp32.h>  // after windows.h, which it needs

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/win/bench_harness.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/forms.h"
#include "platform/win/gdi.h"
#include "platform/win/std_controls.h"
#include "skin/controls/win/skin_button.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"

namespace {

constexpr int kRounds = 3;
constexpr DWORD kRoundMs = 10000;
constexpr DWORD kStartDeadlineMs = 120000;  // a loaded machine takes a while to show a program's window
constexpr wchar_t kBareClass[] = L"TvBareTimer";

// ---- The bare window: a static label set from a 10 ms timer, as the lap timer's time label is.

struct BareWindow {
    HWND label = nullptr;
    DWORD start = 0;
    HFONT font = nullptr;
};
BareWindow bare;

// The lap timer's text for a run of ms milliseconds: 00时01分05秒120毫秒.
std::wstring TimeText(DWORD ms) {
    const DWORD s = ms / 1000;
    wchar_t text[40];
    std::swprintf(text, 40, L"%02lu时%02lu分%02lu秒%03lu毫秒", (s / 3600) % 60, (s / 60) % 60, s % 60,
                  ms % 1000);
    return text;
}

LRESULT CALLBACK BareProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
    case WM_TIMER: try { SetWindowTextW(bare.label, TimeText(GetTickCount() - bare.start).c_str());
        } catch (...) {
            // Nothing unwinds into the system; the next tick tries again.
        }
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(h, msg, wParam, lParam);
    }
}

int RunBareWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &BareProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    wc.lpszClassName = kBareClass;
    if (!RegisterClassExW(&wc)) return 1;
    // The lap timer's window: client 394 x 244, single border, system menu and minimise.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r{0, 0, 394, 244};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    const HWND h = CreateWindowExW(0, kBareClass, L"bare timer", style, 20, 40, r.right - r.left,
                                   r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (!h) return 1;
    // The time label's font: 宋体, 29 pixels high, bold.
    bare.font = CreateFontW(-29, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
    bare.label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 8, 16, 300, 29, h,
                                 nullptr, instance, nullptr);
    SendMessageW(bare.label, WM_SETFONT, WPARAM(bare.font), FALSE);
    ShowWindow(h, SW_SHOWNORMAL);
    UpdateWindow(h);
    bare.start = GetTickCount();
    SetTimer(h, 1, 10, nullptr);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    DeleteObject(bare.font);
    return 0;
}

// ---- Processes of the timing run

std::wstring ThisProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// Tocvane.exe of the same build: ..\app\program\ from this program's folder.
std::wstring TocvaneBeside(const std::wstring& self) {
    std::wstring dir = self.substr(0, self.find_last_of(L"\\/"));
    dir = dir.substr(0, dir.find_last_of(L"\\/"));
    return dir + L"\\app\\program\\Tocvane.exe";
}

std::wstring Widen(const char* s) {
    std::wstring w(std::strlen(s) + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, s, -1, w.data(), int(w.size()));
    w.resize(n > 0 ? std::size_t(n - 1) : 0);
    return w;
}

class Child {
public:
    Child(const std::wstring& program, const std::wstring& arguments) {
        std::wstring line = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                           &pi_)) {
            CloseHandle(pi_.hThread);
            pi_.hThread = nullptr;
        }
    }
    ~Child() {
        if (!pi_.hProcess) return;
        // Closed as its user closes it; a program that shows no window, or does not end, is ended.
        if (!window_ || !PostMessageW(window_, WM_CLOSE, 0, 0) ||
            WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hProcess);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Id() const { return pi_.dwProcessId; }
    bool Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
    void SetWindow(HWND h) { window_ = h; }

    // Kernel and user time of the process's threads so far, in seconds. (Wine answers GetProcessTimes for
    // another process with the caller's own times, but knows every thread's.)
    double Cpu() const {
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return 0;
        double sum = 0;
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
            if (entry.th32OwnerProcessID != pi_.dwProcessId) continue;
            const HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
            if (!thread) continue;
            FILETIME created, ended, kernel, user;
            if (GetThreadTimes(thread, &created, &ended, &kernel, &user))
                sum += Seconds(kernel) + Seconds(user);
            CloseHandle(thread);
        }
        CloseHandle(snapshot);
        return sum;
    }

private:
    static double Seconds(const FILETIME& f) {
        return double((std::uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
    }

    PROCESS_INFORMATION pi_{};
    HWND window_ = nullptr;
};

struct WindowSearch {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    if (pid != s->pid || !IsWindowVisible(h) || std::wcscmp(name, s->cls) != 0) return TRUE;
    s->found = h;
    return FALSE;
}

HWND VisibleWindowOf(DWORD pid, const wchar_t* cls) {
    WindowSearch s{pid, cls, nullptr};
    EnumWindows(&MatchWindow, LPARAM(&s));
    return s.found;
}

std::wstring TextOf(HWND h) {
    wchar_t text[64] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, 64, LPARAM(text), SMTO_ABORTIFHUNG, 2000, &got);
    return text;
}

struct ButtonSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK MatchButton(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<ButtonSearch*>(lp);
    if (TextOf(h) != s->text) return TRUE;
    s->found = h;
    return FALSE;
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
    ButtonSearch s{text, nullptr};
    EnumChildWindows(parent, &MatchButton, LPARAM(&s));
    return s.found;
}

// Waits until ready() holds or the deadline passes; the answer of the last try.
template <class F>
bool WaitFor(F ready, DWORD deadlineMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (ready()) return true;
        if (GetTickCount() - start > deadlineMs) return false;
        Sleep(50);
    }
}

bool IsSkinned(HWND h) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(h, SM_ISSKINNED, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) && answer == 1;
}

// Both programs started and Tocvane's run started by a click on its Start button, then rounds of
// measurement. False, after saying why, when the run could not be set up.
bool TimingRun(const std::wstring& tocvanePath) {
    Child skinned(tocvanePath, L"");
    Child plain(ThisProgram(), L"--bare");
    if (!skinned.Started() || !plain.Started()) {
        std::printf("timing run: could not start %ls or the bare window\n", tocvanePath.c_str());
        return false;
    }
    HWND form = nullptr, bareWindow = nullptr;
    const bool shown = WaitFor(
        [&] {
            if (!form) form = VisibleWindowOf(skinned.Id(), L"TForm1");
            if (!bareWindow) bareWindow = VisibleWindowOf(plain.Id(), kBareClass);
            return form && bareWindow && IsSkinned(form);
        },
        kStartDeadlineMs);
    skinned.SetWindow(form);
    plain.SetWindow(bareWindow);
    if (!shown) {
        std::printf("timing run: the windows were not shown skinned and bare within %lu s\n",
                    kStartDeadlineMs / 1000);
        return false;
    }
    // The user's click on 开始: pressed and released over the button, through its skinner.
    const HWND start = ChildWithText(form, L"开始");
    if (!start) {
        std::printf("timing run: Tocvane shows no 开始 button\n");
        return false;
    }
    PostMessageW(start, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(start, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    if (!WaitFor([&] { return TextOf(start) == L"暂停"; }, 10000)) {
        std::printf("timing run: the click on 开始 did not start a run\n");
        return false;
    }
    Sleep(1000);  // whatever the start repaints is done before the first round

    // The processor time is counted in the system's clock ticks (10 ms under Wine), a few dozen of them
    // per round: the rounds show the spread, their sum gives the figure.
    std::vector<double> ratios;
    double skinnedSum = 0, plainSum = 0;
    for (int round = 1; round <= kRounds; ++round) {
        const double s0 = skinned.Cpu(), p0 = plain.Cpu();
        Sleep(kRoundMs);
        const double s = skinned.Cpu() - s0, p = plain.Cpu() - p0;
        if (!skinned.Running() || !plain.Running()) {
            std::printf("timing run: a program ended during the run\n");
            return false;
        }
        std::printf("%-52s %6.2f s against %5.2f s   %5.2f x\n",
                    ("round " + std::to_string(round) + ": CPU over 10 s, skinned against bare").c_str(), s,
                    p, p > 0 ? s / p : 0.0);
        if (p > 0) ratios.push_back(s / p);
        skinnedSum += s;
        plainSum += p;
    }
    if (ratios.empty() || plainSum <= 0) {
        std::printf("timing run: the bare window took no measurable time\n");
        return false;
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("%-52s %5.2f .. %5.2f x\n", "timing run, rounds lowest .. highest", ratios.front(),
                ratios.back());
    bench::Ratio("timing run CPU, skinned Tocvane / bare window", skinnedSum, plainSum, 1.5);
    return true;
}

// ---- One push-button paint

// Stands in for the form skinner: keeps the control skinners' list.
class SkinnerList : public TComponent, public SkinControlList {
public:
    SkinnerList() : TComponent(nullptr) {}
};

TButton* AddButton(TForm& form) {
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(23, 63, 69, 25);  // the lap timer's Start button
    button->SetCaption(L"开始");
    return button;
}

void Redraw(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void ButtonPaint(TSkinData& skin) {
    SkinnerList list;
    auto plainForm = bench::MakeTimerSizedForm(20);
    auto skinnedForm = bench::MakeTimerSizedForm(460);
    TButton* plain = AddButton(*plainForm);
    TButton* skinned = AddButton(*skinnedForm);
    plainForm->Show();
    skinnedForm->Show();
    auto* buttonSkinner = new TSkinButton(skinned);
    buttonSkinner->Init(&list, &skin, nullptr, true);
    bench::Pump();

    const bench::PairTimes t =
        bench::TimePairPerCall([&] { Redraw(plain->Handle()); }, [&] { Redraw(skinned->Handle()); }, 200, 9);
    bench::Report("push button paint, unskinned", t.a);
    bench::Report("push button paint, skinned", t.b);
    bench::Ratio("push button skinned / unskinned", t.b, t.a, 2.0);

    // Where the time goes: the button's own drawing and the skinner's, each into a memory dc, taken in turns;
    // the rest of a window paint (the invalidation, BeginPaint, EndPaint, the copy to the screen) is the
    // platform's, the same for both.
    TBitmap target(69, 25, pf24bit);
    const HDC memory = BitmapDC(target);
    const HWND h = plain->Handle();
    const bench::PairTimes d = bench::TimePairPerCall(
        [&] { SendMessageW(h, WM_PRINTCLIENT, WPARAM(memory), PRF_CLIENT | PRF_ERASEBKGND); },
        [&] { buttonSkinner->PaintControl(memory); }, 200, 9);
    bench::Report("  of the unskinned paint: the button's own drawing", d.a);
    bench::Report("  of the skinned paint: the skinner's drawing", d.b);
    bench::Report("  the platform's part of a paint (unskinned - own)", t.a - d.a);
    skinnedForm.reset();
    plainForm.reset();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return RunBareWindow();
    Application->Initialize();
    TSkinData skin(nullptr);
    if (!bench::LoadBenchSkin(skin, argc, argv)) return 1;
    ButtonPaint(skin);
    const std::wstring tocvane = argc > 2 ? Widen(argv[2]) : TocvaneBeside(ThisProgram());
    TimingRun(tocvane);
    FreeSkinManager();
    return 0;
}
