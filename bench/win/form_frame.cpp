// The skinned frame of a window the size of the timing window: one full frame repaint against the same
// window unskinned, and no growth of GDI objects or windows over many repaints, activation changes and
// skin re-applications. Runs as a Windows program: tools/bench.sh.
#include <cstdio>

#include "bench/win/bench_harness.h"
#include "platform/stream.h"
#include "platform/win/forms.h"
#include "platform/win/gdi.h"
#include "platform/win/std_controls.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/form/win/win_skin_form.h"

namespace {

std::unique_ptr<TForm> MakeForm(int x) {
    auto form = bench::MakeTimerSizedForm(x);
    form->Show();
    return form;
}

void RepaintFrame(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }

}  // namespace

int main(int argc, char** argv) {
    Application->Initialize();
    TSkinData skin(nullptr);
    if (!bench::LoadBenchSkin(skin, argc, argv)) return 1;
    auto plain = MakeForm(20);
    auto skinned = MakeForm(460);
    auto* f = new TWinSkinForm(skinned.get());
    f->Hwnd = skinned->Handle();
    f->InitTform(&skin, skinned.get());
    SendMessageW(skinned->Handle(), SM_INITSKIN, 0, 1000);
    bench::Pump();

    const double unskinnedNs = bench::TimePerCall([&] { RepaintFrame(plain->Handle()); }, 200);
    const double skinnedNs = bench::TimePerCall([&] { RepaintFrame(skinned->Handle()); }, 200);
    bench::Report("frame repaint, unskinned", unskinnedNs);
    bench::Report("frame repaint, skinned", skinnedNs);
    bench::Ratio("skinned / unskinned", skinnedNs, unskinnedNs, 2.0);

    // One round of every change first: the skinner keeps the composed pieces of both looks, so the count
    // settles there; any growth after it would be a leak.
    SendMessageW(skinned->Handle(), WM_NCACTIVATE, FALSE, 0);
    SendMessageW(skinned->Handle(), WM_NCACTIVATE, TRUE, 0);
    SendMessageW(skinned->Handle(), SM_SKINCHANGE, 0, 0);
    bench::Pump();
    const long gdiBefore = gdi::LiveHandles(), windowsBefore = bench::ThreadWindows();
    for (int i = 0; i < 1000; ++i) RepaintFrame(skinned->Handle());
    for (int i = 0; i < 100; ++i) {
        SendMessageW(skinned->Handle(), WM_NCACTIVATE, i % 2, 0);
        bench::Pump();
    }
    for (int i = 0; i < 20; ++i) {
        SendMessageW(skinned->Handle(), SM_SKINCHANGE, 0, 0);
        bench::Pump();
    }
    bench::Growth("GDI objects over 1000 repaints, 100 activations, 20 skin changes", gdiBefore,
                  gdi::LiveHandles());
    bench::Growth("windows over the same", windowsBefore, bench::ThreadWindows());
    skinned.reset();
    plain.reset();
    FreeSkinManager();
    return 0;
}
