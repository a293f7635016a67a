// TForm1: the lap timer window. Its controls come from the form description; its handlers drive LapTimer.
#pragma once

#include "app/lap_timer.h"

#include <memory>
#include <string_view>

#include "platform/win/forms.h"
#include "platform/win/status_bar.h"
#include "platform/win/timer.h"
#include "skin/data/skin_data.h"

class TForm1 : public TForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    // Reads the form description from the program's resource "TFORM1"; real clock, sounds and shell.
    explicit TForm1(TComponent* owner);
    // Reads the given description and works through the given clock and effects (which must outlive it).
    TForm1(TComponent* owner, std::string_view description, Clock& clock, Effects& effects);
    ~TForm1() override;

    // The components of the description, by their names there.
    TGroupBox* GroupBox1 = nullptr;
    TLabel* L1 = nullptr;
    TEdit* EditVer = nullptr;
    TButton* B2 = nullptr;
    TButton* Button2 = nullptr;
    TButton* ButtonClear = nullptr;
    TButton* ButtonWebUrl = nullptr;
    TButton* Button3 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TMemo* Memo_Log = nullptr;
    TButton* Button1 = nullptr;
    TEdit* Edit_Num = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* Timer2 = nullptr;
    TSkinData* SkinData1 = nullptr;  // the program's stored skin; absent from a bare description

    void FormCreate(TObject* sender);
    void Timer1Timer(TObject* sender);
    void Timer2Timer(TObject* sender);
    void B2Click(TObject* sender);
    void Button2Click(TObject* sender);
    void ButtonClearClick(TObject* sender);
    void Button1Click(TObject* sender);
    void ButtonWebUrlClick(TObject* sender);
    void StatusBar1Click(TObject* sender);
    void Button3Click(TObject* sender);

    LapTimer& Logic() { return *logic_; }

private:
    class View;
    void Build(std::string_view description, Clock& clock, Effects& effects);

    std::unique_ptr<Clock> ownClock_;
    std::unique_ptr<Effects> ownEffects_;
    std::unique_ptr<View> view_;
    std::unique_ptr<LapTimer> logic_;
};

extern TForm1* Form1;
