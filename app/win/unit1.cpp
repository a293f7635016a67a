// The lap timer window: reads its description, finds its components and hands their events to LapTimer.
#include "app/win/unit1.h"

#include <stdexcept>
#include <string>

#include "app/win/system_services.h"
#include "platform/class_registry.h"
#include "platform/form_reader.h"
#include "platform/win/framework_classes.h"
#include "platform/win/sys_utils.h"

TForm1* Form1 = nullptr;

const TClassInfo TForm1::ClassInfo_{"TForm1", &TForm::ClassInfo_, &TCustomForm::Props};

// What LapTimer sees of the window: the controls themselves, read back each time.
class TForm1::View : public LapTimerView {
public:
    explicit View(TForm1& f) : f_(f) {}
    std::wstring B2Caption() override { return f_.B2->Caption(); }
    void SetB2Caption(const std::wstring& text) override { f_.B2->SetCaption(text); }
    std::wstring L1Caption() override { return f_.L1->Caption(); }
    void SetL1Caption(const std::wstring& text) override { f_.L1->SetCaption(text); }
    void SetL1Color(TColor color) override { f_.L1->Font()->SetColor(color); }
    std::wstring EditNumText() override { return f_.Edit_Num->Text(); }
    void SetEditNumText(const std::wstring& text) override { f_.Edit_Num->SetText(text); }
    std::wstring EditVerText() override { return f_.EditVer->Text(); }
    std::wstring WindowCaption() override { return f_.Caption(); }
    void SetWindowCaption(const std::wstring& text) override { f_.SetCaption(text); }
    void AppendLogLine(const std::wstring& line) override { f_.Memo_Log->Lines().Add(line); }
    void ClearLog() override { f_.Memo_Log->Lines().Clear(); }
    void SetTimer1Enabled(bool on) override { f_.Timer1->SetEnabled(on); }
    void SetTimer2Enabled(bool on) override { f_.Timer2->SetEnabled(on); }

private:
    TForm1& f_;
};

namespace {

template <class T>
T* Find(TComponent& root, const char* name) {
    T* c = dynamic_cast<T*>(root.FindComponent(name));
    if (!c) throw std::runtime_error(std::string("the form description lacks ") + name);
    return c;
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    ownClock_ = std::make_unique<SystemClock>();
    ownEffects_ = std::make_unique<SystemEffects>([this] { return HandleAllocated() ? Handle() : nullptr; });
    const std::string_view text = ProgramResourceText(L"TFORM1");
    if (text.empty()) throw std::runtime_error("the program has no form description TFORM1");
    Build(text, *ownClock_, *ownEffects_);
    LoadIconResource(L"MAINICON");
}

TForm1::TForm1(TComponent* owner, std::string_view description, Clock& clock, Effects& effects)
    : TForm(owner) {
    Build(description, clock, effects);
}

TForm1::~TForm1() {
    // The timers and controls go before the logic they call into.
    Destroying();
    DestroyComponents();
}

void TForm1::Build(std::string_view description, Clock& clock, Effects& effects) {
    view_ = std::make_unique<View>(*this);
    logic_ = std::make_unique<LapTimer>(*view_, clock, effects);

    RegisterHandler("FormCreate", [this](TObject* s) { FormCreate(s); });
    RegisterHandler("Timer1Timer", [this](TObject* s) { Timer1Timer(s); });
    RegisterHandler("Timer2Timer", [this](TObject* s) { Timer2Timer(s); });
    RegisterHandler("B2Click", [this](TObject* s) { B2Click(s); });
    RegisterHandler("Button2Click", [this](TObject* s) { Button2Click(s); });
    RegisterHandler("ButtonClearClick", [this](TObject* s) { ButtonClearClick(s); });
    RegisterHandler("Button1Click", [this](TObject* s) { Button1Click(s); });
    RegisterHandler("ButtonWebUrlClick", [this](TObject* s) { ButtonWebUrlClick(s); });
    RegisterHandler("StatusBar1Click", [this](TObject* s) { StatusBar1Click(s); });
    RegisterHandler("Button3Click", [this](TObject* s) { Button3Click(s); });
    RegisterFrameworkComponents();
    RegisterComponentClasses<TSkinData>();
    ReadComponentRes(description, *this);

    GroupBox1 = Find<TGroupBox>(*this, "GroupBox1");
    L1 = Find<TLabel>(*this, "L1");
    EditVer = Find<TEdit>(*this, "EditVer");
    B2 = Find<TButton>(*this, "B2");
    Button2 = Find<TButton>(*this, "Button2");
    ButtonClear = Find<TButton>(*this, "ButtonClear");
    ButtonWebUrl = Find<TButton>(*this, "ButtonWebUrl");
    Button3 = Find<TButton>(*this, "Button3");
    GroupBox2 = Find<TGroupBox>(*this, "GroupBox2");
    Memo_Log = Find<TMemo>(*this, "Memo_Log");
    Button1 = Find<TButton>(*this, "Button1");
    Edit_Num = Find<TEdit>(*this, "Edit_Num");
    StatusBar1 = Find<TStatusBar>(*this, "StatusBar1");
    Timer1 = Find<TTimer>(*this, "Timer1");
    Timer2 = Find<TTimer>(*this, "Timer2");
    SkinData1 = dynamic_cast<TSkinData*>(FindComponent("SkinData1"));
}

void TForm1::FormCreate(TObject*) {
    SetDoubleBuffered(true);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    logic_->FormCreate();
}

void TForm1::Timer1Timer(TObject*) { logic_->Timer1Timer(); }
void TForm1::Timer2Timer(TObject*) { logic_->Timer2Timer(); }
void TForm1::B2Click(TObject*) { logic_->B2Click(); }
void TForm1::Button2Click(TObject*) { logic_->Button2Click(); }
void TForm1::ButtonClearClick(TObject*) { logic_->ButtonClearClick(); }
void TForm1::Button1Click(TObject*) { logic_->Button1Click(); }
void TForm1::ButtonWebUrlClick(TObject*) { logic_->ButtonWebUrlClick(); }
void TForm1::StatusBar1Click(TObject*) { logic_->StatusBar1Click(); }
void TForm1::Button3Click(TObject*) { Close(); }
