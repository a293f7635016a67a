// The date-time picker: the common control "SysDateTimePick32". A date picker drops a calendar down from
// its button; a time picker steps its fields with an up-down control.
#pragma once

#include "platform/date_time.h"
#include "platform/win/controls.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    // Starts at the current date and time.
    explicit TDateTimePicker(TComponent* owner);

    TDateValue Date() const;
    void SetDate(const TDateValue& value);  // an impossible date is ignored
    TTimeValue Time() const;
    void SetTime(const TTimeValue& value);
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind value);
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat value);
    // The calendar is dropped down.
    bool DroppedDown() const;

    // The user changed the date or the time.
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    std::string DateText() const { return FormatIsoDate(Date()); }
    void SetDateText(const std::string& text);
    std::string TimeText() const { return FormatIsoTime(Time()); }
    void SetTimeText(const std::string& text);
    void ValueToWindow();
    void ValueFromWindow();
    DWORD StyleBits() const;
    void Restyle();

    TDateValue date_;
    TTimeValue time_;
    TDateTimeKind kind_ = dtkDate;
    TDTDateFormat dateFormat_ = dfShort;
};
