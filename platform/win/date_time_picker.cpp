// The date-time picker.
#include "platform/win/date_time_picker.h"

#include <commctrl.h>

#include <array>

namespace {

constexpr std::array<std::string_view, 2> kKindNames{"dtkDate", "dtkTime"};
constexpr std::array<std::string_view, 2> kFormatNames{"dfShort", "dfLong"};

}  // namespace

const PropTable TDateTimePicker::Props{
    &TWinControl::Props,
    {
        Prop::Str("Date", &TDateTimePicker::DateText, &TDateTimePicker::SetDateText),
        Prop::Str("Time", &TDateTimePicker::TimeText, &TDateTimePicker::SetTimeText),
        Prop::Enum("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind, PropNames{kKindNames}),
        Prop::Enum("DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat,
                   PropNames{kFormatNames}),
        Prop::Event("OnChange", &TDateTimePicker::OnChange),
        Prop::Event("OnDropDown", &TDateTimePicker::OnDropDown),
        Prop::Event("OnCloseUp", &TDateTimePicker::OnCloseUp),
    }};
const TClassInfo TDateTimePicker::ClassInfo_{"TDateTimePicker", &TWinControl::ClassInfo_,
                                             &TDateTimePicker::Props};

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    SetBoundsQuiet(0, 0, 186, 21);
    SetTabStop(true);
    color_ = clWindow;
    SYSTEMTIME now;
    GetLocalTime(&now);
    date_ = {now.wYear, now.wMonth, now.wDay};
    time_ = {now.wHour, now.wMinute, now.wSecond};
}

TDateValue TDateTimePicker::Date() const {
    const_cast<TDateTimePicker*>(this)->ValueFromWindow();
    return date_;
}

void TDateTimePicker::SetDate(const TDateValue& value) {
    if (!IsValidDate(value)) return;
    ValueFromWindow();  // keeps the time the user may have set
    date_ = value;
    ValueToWindow();
}

TTimeValue TDateTimePicker::Time() const {
    const_cast<TDateTimePicker*>(this)->ValueFromWindow();
    return time_;
}

void TDateTimePicker::SetTime(const TTimeValue& value) {
    if (!IsValidTime(value)) return;
    ValueFromWindow();
    time_ = value;
    ValueToWindow();
}

void TDateTimePicker::SetDateText(const std::string& text) {
    TDateValue d;
    if (ParseIsoDate(text, d)) SetDate(d);
}

void TDateTimePicker::SetTimeText(const std::string& text) {
    TTimeValue t;
    if (ParseIsoTime(text, t)) SetTime(t);
}

void TDateTimePicker::SetKind(TDateTimeKind value) {
    if (value == kind_) return;
    kind_ = value;
    Restyle();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat value) {
    if (value == dateFormat_) return;
    dateFormat_ = value;
    Restyle();
}

bool TDateTimePicker::DroppedDown() const {
    return HandleAllocated() &&
           SendMessageW(const_cast<TDateTimePicker*>(this)->Handle(), DTM_GETMONTHCAL, 0, 0) != 0;
}

DWORD TDateTimePicker::StyleBits() const {
    if (kind_ == dtkTime) return DTS_TIMEFORMAT;
    return dateFormat_ == dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT;
}

void TDateTimePicker::Restyle() {
    if (!HandleAllocated()) return;
    // The platform makes the up-down or the drop-down button with the window: a new kind needs a new one.
    const bool hadParent = Parent() && Parent()->HandleAllocated();
    ValueFromWindow();
    DestroyHandle();
    if (hadParent) HandleNeeded();
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(p);
    p.BaseClass = DATETIMEPICK_CLASSW;
    p.Style |= StyleBits();
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::CreateWnd() {
    TWinControl::CreateWnd();
    ValueToWindow();
}

void TDateTimePicker::ValueToWindow() {
    if (!HandleAllocated()) return;
    SYSTEMTIME st{};
    st.wYear = WORD(date_.Year), st.wMonth = WORD(date_.Month), st.wDay = WORD(date_.Day);
    st.wHour = WORD(time_.Hour), st.wMinute = WORD(time_.Minute), st.wSecond = WORD(time_.Second);
    SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

void TDateTimePicker::ValueFromWindow() {
    if (!HandleAllocated()) return;
    SYSTEMTIME st{};
    if (SendMessageW(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return;
    const TDateValue d{st.wYear, st.wMonth, st.wDay};
    const TTimeValue t{st.wHour, st.wMinute, st.wSecond};
    if (IsValidDate(d)) date_ = d;
    if (IsValidTime(t)) time_ = t;
}

void TDateTimePicker::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        m.Result = 0;
        if (!hdr) return;
        switch (hdr->code) {
        case DTN_DATETIMECHANGE:
            ValueFromWindow();
            if (OnChange) OnChange(this);
            break;
        case DTN_DROPDOWN:
            if (OnDropDown) OnDropDown(this);
            break;
        case DTN_CLOSEUP:
            if (OnCloseUp) OnCloseUp(this);
            break;
        default: break;
        }
        return;
    }
    case WM_DESTROY:
        ValueFromWindow();  // kept for a window made again
        return TWinControl::WndProc(m);
    default: TWinControl::WndProc(m);
    }
}
