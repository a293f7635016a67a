// Opening menus under Wine: a context menu of 20 items opened, painted and closed, skinned (the popup's
// frame and background from the skin, every item owner-drawn on it) against the same menu with the skin not
// active, with the program's skin and with the dark skin that also draws the items from an image; a drop-down
// of the skinned menu bar the same way; and no growth of GDI objects, windows, menus or popup skinners over
// 500 openings of the context menu and 100 of the drop-down. Runs as a Windows program: tools/bench.sh.
//
// An opening is timed from the call that opens the menu to the return of its modal loop. The loop is ended
// by its owner as soon as the loop first goes idle (WM_ENTERIDLE): by then the popup window is made, shown
// and painted (whatever it still has to paint is painted there, inside the time).
#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "bench/win/bench_harness.h"
#include "platform/stream.h"
#include "platform/win/forms.h"
#include "platform/win/gdi.h"
#include "platform/win/menus.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/manager/skin_decision.h"
#include "skin/manager/win/skin_manage.h"
#include "skin/manager/win/skin_pop_menu.h"

namespace {

constexpr int kItems = 20;
constexpr int kGrowthOpenings = 500;
constexpr int kGrowthBarOpenings = 100;

// What the menu loops of this thread showed: counted by the owners below, read after each opening.
struct MenuWatch {
    int idles = 0;                    // loops that went idle (and were closed there)
    int shown = 0;                    // of those, the loops whose popup window was on screen by then
    int drawnItems = 0;               // owner-drawn items the owner was asked to paint
    bool popupShown = false;          // the last loop's popup window was on screen
    std::function<void(HWND)> probe;  // runs at the idle moment, before the menu closes
};
MenuWatch watch;

// The loop is idle: everything the menu shows is painted; look at it if asked, then end the loop.
void OnMenuIdle(HWND popup) {
    if (!popup) popup = FindWindowW(L"#32768", nullptr);  // a menu-bar loop names no popup window
    if (popup) UpdateWindow(popup);
    ++watch.idles;
    watch.popupShown = popup && IsWindowVisible(popup);
    if (watch.popupShown) ++watch.shown;
    if (watch.probe) watch.probe(popup);
    EndMenu();
}

// The windows that own the menu loops: the framework's hidden window for every context menu, and a form
// for its menu bar. This procedure goes in front of whatever each window has (a skinner's own included), so
// that it also sees the items the skinner draws.
std::map<HWND, WNDPROC> ownProcs;
LRESULT CALLBACK WatchingProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (msg == WM_ENTERIDLE && wParam == MSGF_MENU) {
            OnMenuIdle(HWND(lParam));
            return 0;
        }
        if (msg == WM_DRAWITEM) ++watch.drawnItems;
    } catch (...) {
        // Nothing unwinds into the menu loop.
    }
    return CallWindowProcW(ownProcs[h], h, msg, wParam, lParam);
}

void WatchMenusOf(HWND h) {
    ownProcs[h] = WNDPROC(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(&WatchingProc)));
}

void StopWatching(HWND h) {
    SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(ownProcs[h]));
    ownProcs.erase(h);
}

// Twenty entries as a program's context menu has them: captions with accelerators, a few shortcuts, a
// checked entry, a disabled one and two separators.
void FillMenu(TComponent* owner, TMenuItem* root) {
    const wchar_t* captions[kItems] = {
        L"开始(&S)",   L"暂停(&P)",     L"继续(&C)", L"结束(&E)", L"-",
        L"记一圈(&L)", L"清除记录(&R)", L"复制记录", L"保存记录", L"打印记录",
        L"-",          L"总在最前(&T)", L"显示毫秒", L"声音提示", L"选项(&O)...",
        L"皮肤",       L"检查更新",     L"帮助(&H)", L"关于(&A)", L"退出(&X)"};
    for (int i = 0; i < kItems; ++i) {
        auto* item = new TMenuItem(owner);
        item->SetCaption(captions[i]);
        root->Add(item);
    }
    TShiftState ctrl;
    ctrl |= ssCtrl;
    root->Items(0)->SetShortCut(ShortCut(VK_F5, {}));
    root->Items(1)->SetShortCut(ShortCut(VK_F6, {}));
    root->Items(5)->SetShortCut(ShortCut(VK_SPACE, {}));
    root->Items(7)->SetShortCut(ShortCut('C', ctrl));
    root->Items(8)->SetShortCut(ShortCut('S', ctrl));
    root->Items(11)->SetChecked(true);
    root->Items(12)->SetChecked(true);
    root->Items(9)->SetEnabled(false);
    root->Items(19)->SetShortCut(ShortCut(VK_F4, TShiftState{std::uint8_t(ssAlt)}));
}

std::unique_ptr<TForm> MakeForm(int x, const wchar_t* caption, bool withBar) {
    auto form = bench::MakeTimerSizedForm(x, caption);
    if (withBar) {
        auto* bar = new TMainMenu(form.get());
        auto* file = new TMenuItem(form.get());
        file->SetCaption(L"&File");
        bar->Items()->Add(file);
        FillMenu(form.get(), file);
        auto* help = new TMenuItem(form.get());
        help->SetCaption(L"&Help");
        bar->Items()->Add(help);
        form->SetMenu(bar);
    }
    return form;
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        bench::Pump();
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

// The skin switched off for the manager while it lives: no popup window gets a skinner.
class SkinPaused {
public:
    explicit SkinPaused(TSkinManage& m) : m_(m), was_(m.active) { m_.active = false; }
    ~SkinPaused() { m_.active = was_; }
    SkinPaused(const SkinPaused&) = delete;
    SkinPaused& operator=(const SkinPaused&) = delete;

private:
    TSkinManage& m_;
    bool was_;
};

bool LoadSkin(TSkinData& skin, const std::string& path) {
    try {
        TMemoryStream s(ReadFileBytes(path));
        skin.LoadFromStream(s);
    } catch (...) {
        return false;
    }
    return !skin.Empty;
}

// The dark skin beside the given one (it draws the menu items from an image too); empty when none.
std::string FullSkinBeside(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "full.skn";
}

// The memory the process has committed, in KiB (0 where the system does not say).
long CommittedKiB() {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c)) return 0;
    return long(c.PagefileUsage / 1024);
}

// One look at a skinned opening: the popup has its skinner with a background of the window's size, and
// every entry was drawn by the item painter.
void ReportSkinnedOpening(const std::string& name, TSkinManage& manager, const std::function<void()>& open) {
    int skinners = 0, bgWidth = 0, bgHeight = 0;
    RECT window{};
    watch.probe = [&](HWND popup) {
        if (popup) GetWindowRect(popup, &window);
        for (TWinSkinPopMenu* p : manager.PopMenus()) {
            ++skinners;
            if (p->hwnd == popup && p->MenuBg) {
                bgWidth = p->MenuBg->Width();
                bgHeight = p->MenuBg->Height();
            }
        }
    };
    const int drawnBefore = watch.drawnItems;
    open();
    watch.probe = nullptr;
    const bool whole = watch.popupShown && skinners == 1 && bgWidth == window.right - window.left &&
                       bgHeight == window.bottom - window.top && watch.drawnItems - drawnBefore >= kItems;
    std::printf("%-52s %d popup skinner, background %dx%d, %d items drawn   %s\n", name.c_str(), skinners,
                bgWidth, bgHeight, watch.drawnItems - drawnBefore, whole ? "painted" : "NOT PAINTED");
}

}  // namespace

int main(int argc, char** argv) {
    Application->Initialize();
    UseSkinManager();
    const std::string skinPath = argc > 1 ? argv[1] : "tocvane.skn";
    auto skin = std::make_unique<TSkinData>(nullptr);
    if (!LoadSkin(*skin, skinPath)) {
        std::printf("no skin package at %s\n", skinPath.c_str());
        return 1;
    }
    skin->SetActive(true);
    TSkinManage* manager = PrimarySkinManager();
    if (!manager) return 1;

    // The mouse stays clear of the menus, so that no entry is hot while it opens.
    SetCursorPos(0, 0);
    auto plain = MakeForm(20, L"不换肤", true);
    plain->SetTag(kNeverSkinTag);
    auto* plainPopup = new TPopupMenu(plain.get());
    FillMenu(plain.get(), plainPopup->Items());
    auto skinned = MakeForm(460, L"Tocvane 计时器", true);
    auto* skinnedPopup = new TPopupMenu(skinned.get());
    FillMenu(skinned.get(), skinnedPopup->Items());
    plain->Show();
    skinned->Show();
    SetForegroundWindow(skinned->Handle());
    PumpFor(300);
    TWinSkinForm* skinner = manager->FindForm(skinned->Handle());
    if (!skinner || skinner->Skinstate != TWinSkinForm::kActive || !skinnedPopup->OwnerDraw() ||
        manager->FindForm(plain->Handle())) {
        std::printf("the forms were not set up as expected (skinned form %s)\n",
                    skinner ? "found" : "missing");
        return 1;
    }
    const HWND list = TPopupMenu::ListWindow();
    WatchMenusOf(list);

    auto openPlain = [&] {
        SkinPaused off(*manager);
        plainPopup->Popup(120, 120);
    };
    auto openSkinned = [&] { skinnedPopup->Popup(560, 120); };
    auto openPlainBar = [&] {
        SkinPaused off(*manager);
        SendMessageW(plain->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f');
    };
    auto openSkinnedBar = [&] { SendMessageW(skinned->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f'); };
    constexpr int kIterations = 10;
    constexpr int kRounds = 9;

    // The skinned opening against the plain one, taken in turns; says so when an opening fell short.
    auto compare = [&](const std::string& what, const std::string& skinName,
                       const std::function<void()>& plainOpen, const std::function<void()>& skinnedOpen) {
        const int idles = watch.idles, shown = watch.shown;
        const bench::PairTimes t = bench::TimePairPerCall(plainOpen, skinnedOpen, kIterations, kRounds);
        bench::Report(what + " of 20 opened, unskinned", t.a);
        bench::Report(what + " of 20 opened, skinned (" + skinName + ")", t.b);
        bench::Ratio(what + " skinned / unskinned (" + skinName + ")", t.b, t.a, 2.0);
        const int openings = 2 * (kIterations * kRounds + 1);
        if (watch.idles - idles != openings || watch.shown - shown != openings)
            std::printf("  (of %d openings %d reached their idle moment, %d with the menu on screen)\n",
                        openings, watch.idles - idles, watch.shown - shown);
    };

    ReportSkinnedOpening("popup opening, program's skin", *manager, openSkinned);
    compare("popup menu", "program's skin", openPlain, openSkinned);
    const std::string fullPath = FullSkinBeside(skinPath);
    if (LoadSkin(*skin, fullPath) && skin->MenuItem) {
        PumpFor(600);  // the manager applies the changed skin to the form a little later
        ReportSkinnedOpening("popup opening, skin with item images", *manager, openSkinned);
        compare("popup menu", "item images", openPlain, openSkinned);
    } else {
        std::printf("no skin with item images at %s: measured with the program's skin only\n",
                    fullPath.c_str());
    }

    // The menu bar's drop-down: the skinned band opens it as a popup menu whose entries the painter draws.
    WatchMenusOf(plain->Handle());
    WatchMenusOf(skinned->Handle());
    ReportSkinnedOpening("menu-bar drop-down opening", *manager, openSkinnedBar);
    compare("menu-bar drop-down", skin->MenuItem ? "item images" : "program's skin", openPlainBar,
            openSkinnedBar);

    // Growth over many openings of the skinned context menu and some of the skinned drop-down, after one of
    // each has made what is made once.
    openSkinned();
    openSkinnedBar();
    bench::Pump();
    const HMENU menuHandle = skinnedPopup->Handle();
    const HMENU barMenuHandle = skinned->Menu()->Items()->Items(0)->Handle();
    const long gdiBefore = gdi::LiveHandles(), windowsBefore = bench::ThreadWindows();
    const long entriesBefore = GetMenuItemCount(menuHandle) + GetMenuItemCount(barMenuHandle);
    const long systemGdiBefore = long(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    const long systemUserBefore = long(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    const long memoryBefore = CommittedKiB();
    const int idles = watch.idles, shown = watch.shown;
    for (int i = 0; i < kGrowthOpenings; ++i) openSkinned();
    for (int i = 0; i < kGrowthBarOpenings; ++i) openSkinnedBar();
    bench::Pump();
    bench::Growth("GDI objects over " + std::to_string(kGrowthOpenings) + " popup and " +
                      std::to_string(kGrowthBarOpenings) + " drop-down openings",
                  gdiBefore, gdi::LiveHandles());
    bench::Growth("windows over the same", windowsBefore, bench::ThreadWindows());
    bench::Growth("popup skinners held over the same", 0, long(manager->PopMenus().size()));
    const bool sameMenus = skinnedPopup->Handle() == menuHandle && IsMenu(menuHandle) &&
                           skinned->Menu()->Items()->Items(0)->Handle() == barMenuHandle &&
                           IsMenu(barMenuHandle);
    bench::Growth(
        std::string("menu entries over the same (") + (sameMenus ? "same menus" : "MENUS REMADE") + ")",
        entriesBefore, GetMenuItemCount(menuHandle) + GetMenuItemCount(barMenuHandle));
    const long systemGdi = long(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    const long systemUser = long(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (systemGdiBefore > 0 || systemGdi > 0) {
        bench::Growth("GDI objects of the process (system count)", systemGdiBefore, systemGdi);
        bench::Growth("USER objects of the process (system count)", systemUserBefore, systemUser);
    } else {
        std::printf("%-52s (the system does not count them here)\n", "GDI and USER objects of the process");
    }
    std::printf("%-52s %6ld -> %6ld KiB   (for information)\n", "committed memory over the same",
                memoryBefore, CommittedKiB());
    const int all = kGrowthOpenings + kGrowthBarOpenings;
    if (watch.idles - idles != all || watch.shown - shown != all)
        std::printf("  (of %d openings %d reached their idle moment, %d with the menu on screen)\n", all,
                    watch.idles - idles, watch.shown - shown);

    StopWatching(list);
    StopWatching(plain->Handle());
    StopWatching(skinned->Handle());
    skinned.reset();
    plain.reset();
    FreeSkinManager();
    skin.reset();
    return 0;
}
