// The Media page: media player bars (all nine buttons, three of them, none); a click on a button is written
// to the log, and the big bar behaves as a player would: playing enables pause and stop, stopping enables
// play again, and so on.
#include "gallery/win/gallery_page.h"
#include "platform/win/media_player.h"
#include "platform/win/std_controls.h"

namespace {

std::wstring ButtonName(TMPBtnType b) {
    const std::string_view n = kMPBtnNames[std::size_t(b)];
    return std::wstring(n.begin(), n.end());
}

class TMediaPage : public TGalleryPage {
public:
    explicit TMediaPage(TComponent* owner) : TGalleryPage(owner) {
        RegisterHandler<TMPButtonEvent>("PlayerClick", [this](TMediaPlayer* player, TMPBtnType button) {
            Note(L"媒体 " + Utf8ToWide(player->Name()) + L": " + ButtonName(button));
            if (player->Name() == "Player") Act(*player, button);
        });
        ReadResource(L"PAGE_MEDIA");
    }

private:
    void Act(TMediaPlayer& player, TMPBtnType button) {
        const wchar_t* state = nullptr;
        TButtonSet enabled = player.EnabledButtons();
        switch (button) {
        case btPlay:
            state = L"播放 Playing";
            enabled = {btPause, btStop, btNext, btPrev, btStep, btBack};
            break;
        case btPause:
            state = L"暂停 Paused";
            enabled = {btPlay, btStop, btNext, btPrev, btStep, btBack};
            break;
        case btStop:
            state = L"停止 Stopped";
            enabled = {btPlay, btNext, btPrev, btRecord, btEject};
            break;
        case btRecord:
            state = L"录音 Recording";
            enabled = {btStop};
            break;
        case btEject:
            state = L"弹出 Ejected";
            enabled = {btEject};
            break;
        default: return;  // next, previous, step and back keep what plays
        }
        player.SetEnabledButtons(enabled);
        if (auto* label = dynamic_cast<TLabel*>(FindComponent("PlayerState"))) label->SetCaption(state);
    }
};

}  // namespace

TGalleryPage* MakeMediaPage(TComponent* owner) { return new TMediaPage(owner); }
