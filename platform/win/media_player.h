// The media player: a bar of the nine media buttons (play, pause, stop, next, previous, step, back, record,
// eject), of which it shows, enables and colours the sets it publishes. It plays nothing itself: a click on
// an enabled button is told to OnButtonClick, and the program decides what the button does.
#pragma once

#include <functional>

#include "platform/media_buttons.h"
#include "platform/win/controls.h"

class TMediaPlayer;
using TMPButtonEvent = std::function<void(TMediaPlayer* sender, TMPBtnType button)>;

class TMediaPlayer : public TCustomControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TMediaPlayer(TComponent* owner);

    TButtonSet VisibleButtons() const { return visible_; }
    void SetVisibleButtons(TButtonSet value);
    TButtonSet EnabledButtons() const { return enabled_; }
    void SetEnabledButtons(TButtonSet value);
    TButtonSet ColoredButtons() const { return colored_; }
    void SetColoredButtons(TButtonSet value);

    // The width of one shown button (the bar's width shared out; what is left over stays at the right).
    int ButtonWidth() const;
    // The shown button at x (client coordinates), kMPNoButton for none.
    int ButtonAt(int x) const;
    // The button a press went down on and is held over (kMPNoButton: none).
    int PressedButton() const { return down_ && over_ ? pressed_ : kMPNoButton; }

    TMPButtonEvent OnButtonClick;
    void WndProc(TMessage& m) override;

protected:
    void Paint() override;

private:
    bool Usable(int button) const;
    void Changed();

    TButtonSet visible_ = kAllMPButtons;
    TButtonSet enabled_ = kAllMPButtons;
    TButtonSet colored_ = kAllMPButtons;
    int pressed_ = kMPNoButton;
    bool down_ = false;
    bool over_ = false;
};
