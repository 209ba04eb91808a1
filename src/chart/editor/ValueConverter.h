// The value converter: one double shown as an interval (weeks and days as totals, then the time of
// day), as a date and time, and as a price in 32nds and 256ths. Filling is silent; an edited view
// rebuilds the value. Values outside the calendar's range (years 1 to 9999) leave the date view
// empty and the interval view shows only their fraction; the price view keeps its parts in
// 0..31 and 0..7 for negative values too (the integer part rounds down). UI thread only.
#pragma once

#include "chart/editor/EditorControls.h"

#include <QDateTimeEdit>

namespace chart
{

// Days since 30 December 1899 as the framework counts them.
constexpr double MinDateTimeDay = -693593; // 1 January 1
constexpr double MaxDateTimeDay = 2958465; // 31 December 9999
// Whether the day of Value lies within the calendar's range.
bool InDateRange(double Value);
// The time of day as a fraction of a day; raises EChartError outside 0..23, 0..59, 0..59, 0..999.
double EncodeTime(int Hour, int Min, int Sec, int MSec);
struct TcTimeOfDay {
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
};
// The time of day of Value (its fraction, sign ignored), to the nearest millisecond.
TcTimeOfDay DecodeTime(double Value);
// "yyyy-mm-dd hh:nn:ss" (the time left out at midnight); empty outside the calendar's range.
QString DateTimeToText(double Value);
// Reads a date, a date and time, or a time; raises EChartError on a text that is none of them.
double TextToDateTime(const QString& Text);

class TcValueConverterEditForm : public TcCustomEditorForm
{
  public:
    explicit TcValueConverterEditForm(QWidget* parent = nullptr);

    double Value() const { return ValueEdit->AsFloat(); }
    // Fills every view silently.
    void SetValue(double x);
    void SelectPage(TcValueConverterPageType Page);

    void TimeChange();
    void WeeksChange();
    void Price32Change();
    void DateTimePickerChange();
    void SetNowButtonClick();
    void SetAllToZeroClick();

    TcComponentEditorPageControl* Pages;
    TcComponentEditorEdit* WeeksEdit;
    TcComponentEditorEdit* DaysEdit;
    TcComponentEditorEdit* HoursEdit;
    TcComponentEditorEdit* MinutesEdit;
    TcComponentEditorEdit* SecondsEdit;
    TcComponentEditorEdit* MilliSecondsEdit;
    TcComponentEditorEdit* PriceIntegerEdit;
    TcComponentEditorEdit* Price32ndsEdit;
    TcComponentEditorEdit* Price256thsEdit;
    TcComponentEditorEdit* ValueEdit;
    TcComponentEditorButton* SetAllToZeroButton;
    TcComponentEditorButton* SetNowButton;
    TcComponentEditorButton* OKButton;
    TcComponentEditorButton* CancelButton;
    QDateTimeEdit* FDatePicker;
    QDateTimeEdit* FTimePicker;

  private:
    // Sets the value from a handler: ValueEdit, then every view.
    void Apply(double x);
    bool FFilling = false;
};

} // namespace chart
