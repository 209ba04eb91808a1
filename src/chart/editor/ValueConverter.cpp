#include "chart/editor/ValueConverter.h"

#include "chart/core/ChartError.h"
#include "chart/core/ChartFormat.h"

#include <QDateTime>
#include <QLabel>

#include <cmath>

namespace chart
{

namespace
{

const QDate DayZero(1899, 12, 30);
constexpr double MSecsPerDay = 86400000.0;
// Shown as nothing by the pickers.
const QDateTime NoDateTime(QDate(1, 1, 1).addDays(-1), QTime(0, 0));

// A whole number typed into an edit: its digits as they stand (no int bound), 0 when not one.
double WholeNumber(const TcComponentEditorEdit* Edit)
{
    bool ok = false;
    const double v = Edit->text().trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? std::trunc(v) : 0;
}

// A day and a time of day as one value: before day 0 the time counts away from it, as DecodeTime
// reads it back.
double ComposeDateTime(double Day, double Time)
{
    return Day < 0 ? Day - Time : Day + Time;
}

QString WholeText(double v)
{
    return FormatDecimals(v, 0);
}

} // namespace

bool InDateRange(double Value)
{
    return std::isfinite(Value) && std::trunc(Value) >= MinDateTimeDay && std::trunc(Value) <= MaxDateTimeDay;
}

double EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
        throw EChartError(QStringLiteral("Invalid argument to time encode"));
    return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / MSecsPerDay;
}

TcTimeOfDay DecodeTime(double Value)
{
    TcTimeOfDay t;
    if (!std::isfinite(Value))
        return t;
    const double frac = std::fabs(Value - std::trunc(Value));
    long long ms = std::llround(frac * MSecsPerDay);
    if (ms >= (long long)MSecsPerDay)
        ms = (long long)MSecsPerDay - 1;
    t.MSec = int(ms % 1000);
    t.Sec = int(ms / 1000 % 60);
    t.Min = int(ms / 60000 % 60);
    t.Hour = int(ms / 3600000);
    return t;
}

QString DateTimeToText(double Value)
{
    if (!InDateRange(Value))
        return {};
    const QDate d = DayZero.addDays((long long)std::trunc(Value));
    const TcTimeOfDay t = DecodeTime(Value);
    QString s = d.toString(QStringLiteral("yyyy-MM-dd"));
    if (t.Hour || t.Min || t.Sec || t.MSec)
        s += QTime(t.Hour, t.Min, t.Sec, t.MSec).toString(QStringLiteral(" HH:mm:ss"));
    return s;
}

double TextToDateTime(const QString& Text)
{
    const QString t = Text.trimmed();
    for (const char* f : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(f));
        if (dt.isValid())
            return ComposeDateTime(double(DayZero.daysTo(dt.date())),
                                   dt.time().msecsSinceStartOfDay() / MSecsPerDay);
    }
    for (const char* f : {"HH:mm:ss", "HH:mm"}) {
        const QTime tm = QTime::fromString(t, QString::fromLatin1(f));
        if (tm.isValid())
            return tm.msecsSinceStartOfDay() / MSecsPerDay;
    }
    throw EChartError(QStringLiteral("'%1' is not a valid date and time").arg(Text));
}

TcValueConverterEditForm::TcValueConverterEditForm(QWidget* parent) : TcCustomEditorForm(parent)
{
    setWindowTitle(QStringLiteral("Value Converter"));
    SetCaption(QStringLiteral("Value Converter"));
    setFixedSize(269, 264);
    setAutoFillBackground(true);

    Pages = new TcComponentEditorPageControl(this);
    Pages->setGeometry(4, 4, 261, 170);
    auto label = [](QWidget* page, const QString& text, int x, int y, int w = 44) {
        auto* l = new QLabel(text, page);
        l->setGeometry(x, y, w, 21);
        return l;
    };
    auto edit = [&](QWidget* page, const char* name, const QString& caption, int x, int y, int max,
                    int increment = 1) {
        label(page, caption, x, y, 52);
        auto* e = new TcComponentEditorEdit(page);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(x + 54, y, 52, 21);
        auto* ud = new TcUpDown(page);
        ud->SetMax(std::int16_t(max));
        ud->SetIncrement(increment);
        ud->SetAssociate(e);
        return e;
    };

    QWidget* interval = Pages->AddPage(QStringLiteral("Interval"));
    WeeksEdit = edit(interval, "WeeksEdit", QStringLiteral("Weeks"), 6, 10, 0);
    DaysEdit = edit(interval, "DaysEdit", QStringLiteral("Days"), 6, 40, 0);
    HoursEdit = edit(interval, "HoursEdit", QStringLiteral("Hours"), 6, 70, 23);
    MinutesEdit = edit(interval, "MinutesEdit", QStringLiteral("Minutes"), 132, 10, 59);
    SecondsEdit = edit(interval, "SecondsEdit", QStringLiteral("Seconds"), 132, 40, 59);
    MilliSecondsEdit = edit(interval, "MilliSecondsEdit", QStringLiteral("mSec"), 132, 70, 999, 100);
    SetAllToZeroButton = new TcComponentEditorButton(interval);
    SetAllToZeroButton->setText(QStringLiteral("Set All To 0"));
    SetAllToZeroButton->setGeometry(6, 104, 90, 25);

    QWidget* dateTime = Pages->AddPage(QStringLiteral("Date/Time"));
    QLabel* dateLabel = label(dateTime, QStringLiteral("Date"), 10, 16, 30);
    QLabel* timeLabel = label(dateTime, QStringLiteral("Time"), 10, 48, 30);
    auto picker = [&](QLabel* l, const QString& format) {
        auto* p = new QDateTimeEdit(dateTime);
        p->setDisplayFormat(format);
        p->setMinimumDateTime(NoDateTime);
        p->setMaximumDateTime(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999)));
        p->setSpecialValueText(QStringLiteral(" "));
        p->setGeometry(l->x() + l->width() + 5, l->y() - 3, 137, 23);
        connect(p, &QDateTimeEdit::dateTimeChanged, this, [this] {
            if (!FFilling)
                GuardChartCall("value converter", [this] { DateTimePickerChange(); });
        });
        return p;
    };
    FDatePicker = picker(dateLabel, QStringLiteral("yyyy-MM-dd"));
    FDatePicker->setCalendarPopup(true);
    FTimePicker = picker(timeLabel, QStringLiteral("HH:mm:ss"));
    SetNowButton = new TcComponentEditorButton(dateTime);
    SetNowButton->setText(QStringLiteral("Now"));
    SetNowButton->setGeometry(10, 84, 75, 25);

    QWidget* price = Pages->AddPage(QStringLiteral("Price 32nds"));
    PriceIntegerEdit = edit(price, "PriceIntegerEdit", QStringLiteral("Integer"), 6, 10, 10000);
    Price32ndsEdit = edit(price, "Price32ndsEdit", QStringLiteral("32nds"), 6, 40, 31);
    Price256thsEdit = edit(price, "Price256thsEdit", QStringLiteral("256ths"), 6, 70, 7);

    ValueEdit = new TcComponentEditorEdit(this);
    ValueEdit->setObjectName(QStringLiteral("ValueEdit"));
    ValueEdit->setGeometry(4, 182, 261, 21);

    auto* panel = new QWidget(this);
    panel->setGeometry(0, 224, 269, 40);
    OKButton = new TcComponentEditorButton(panel);
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setGeometry(100, 7, 75, 25);
    OKButton->setDefault(true);
    CancelButton = new TcComponentEditorButton(panel);
    CancelButton->setText(QStringLiteral("Cancel"));
    CancelButton->setGeometry(185, 7, 75, 25);
    OKButton->OnClick = [this](TcComponentEditorButton*) { SetModalResult(mrOk); };
    CancelButton->OnClick = [this](TcComponentEditorButton*) { SetModalResult(mrCancel); };

    auto time = [this](TcComponentEditorEdit*) { TimeChange(); };
    for (TcComponentEditorEdit* e : {DaysEdit, HoursEdit, MinutesEdit, SecondsEdit, MilliSecondsEdit})
        e->OnUpdate = time;
    WeeksEdit->OnUpdate = [this](TcComponentEditorEdit*) { WeeksChange(); };
    for (TcComponentEditorEdit* e : {PriceIntegerEdit, Price32ndsEdit, Price256thsEdit})
        e->OnUpdate = [this](TcComponentEditorEdit*) { Price32Change(); };
    SetAllToZeroButton->OnClick = [this](TcComponentEditorButton*) { SetAllToZeroClick(); };
    SetNowButton->OnClick = [this](TcComponentEditorButton*) { SetNowButtonClick(); };
    SetValue(0);
}

void TcValueConverterEditForm::SelectPage(TcValueConverterPageType Page)
{
    Pages->SetTabIndex(int(Page));
}

void TcValueConverterEditForm::SetValue(double x)
{
    FFilling = true;
    ValueEdit->SetAsFloat(x);
    const bool finite = std::isfinite(x);
    // Beyond the calendar the interval view shows only the fraction.
    const double d = !finite ? 0 : InDateRange(x) ? x : x - std::trunc(x);
    if (finite && InDateRange(x)) {
        FDatePicker->setDateTime(QDateTime(DayZero.addDays((long long)std::trunc(d)), QTime(0, 0)));
        const TcTimeOfDay t = DecodeTime(d);
        FTimePicker->setDateTime(QDateTime(DayZero, QTime(t.Hour, t.Min, t.Sec, t.MSec)));
    } else {
        FDatePicker->setDateTime(NoDateTime);
        FTimePicker->setDateTime(NoDateTime);
    }
    const double days = std::trunc(d);
    DaysEdit->SetAsString(WholeText(days));
    WeeksEdit->SetAsString(WholeText(std::trunc(days / 7)));
    const TcTimeOfDay t = DecodeTime(d);
    HoursEdit->SetAsInteger(t.Hour);
    MinutesEdit->SetAsInteger(t.Min);
    SecondsEdit->SetAsInteger(t.Sec);
    MilliSecondsEdit->SetAsInteger(t.MSec);
    if (finite) {
        // The parts stay in 0..31 and 0..7: a negative value's integer part rounds down.
        const double whole = std::floor(x);
        const double frac = x - whole;
        const int n32 = std::clamp(int(std::trunc(frac * 32 + 1e-9)), 0, 31);
        const int n256 = std::clamp(int(std::trunc((frac - n32 / 32.0) * 256 + 1e-9)), 0, 7);
        PriceIntegerEdit->SetAsString(WholeText(whole));
        Price32ndsEdit->SetAsInteger(n32);
        Price256thsEdit->SetAsInteger(n256);
    } else {
        for (TcComponentEditorEdit* e : {PriceIntegerEdit, Price32ndsEdit, Price256thsEdit, DaysEdit,
                                         WeeksEdit, HoursEdit, MinutesEdit, SecondsEdit, MilliSecondsEdit})
            e->SetAsString(QString());
    }
    FFilling = false;
}

void TcValueConverterEditForm::Apply(double x)
{
    ValueEdit->SetAsFloat(x);
    SetValue(ValueEdit->AsFloat());
}

void TcValueConverterEditForm::TimeChange()
{
    const double time = EncodeTime(HoursEdit->AsInteger(), MinutesEdit->AsInteger(), SecondsEdit->AsInteger(),
                                   MilliSecondsEdit->AsInteger());
    Apply(ComposeDateTime(WholeNumber(DaysEdit), time));
}

void TcValueConverterEditForm::WeeksChange()
{
    const double time = EncodeTime(HoursEdit->AsInteger(), MinutesEdit->AsInteger(), SecondsEdit->AsInteger(),
                                   MilliSecondsEdit->AsInteger());
    Apply(ComposeDateTime(WholeNumber(WeeksEdit) * 7, time));
}

void TcValueConverterEditForm::Price32Change()
{
    ValueEdit->SetAsFloat(WholeNumber(PriceIntegerEdit) + Price32ndsEdit->AsInteger() / 32.0 +
                          Price256thsEdit->AsInteger() / 256.0);
}

void TcValueConverterEditForm::DateTimePickerChange()
{
    const QDateTime date = FDatePicker->dateTime();
    const double day = date == NoDateTime ? 0 : double(DayZero.daysTo(date.date()));
    const double time =
        FTimePicker->dateTime() == NoDateTime ? 0 : FTimePicker->time().msecsSinceStartOfDay() / MSecsPerDay;
    Apply(ComposeDateTime(day, time));
}

void TcValueConverterEditForm::SetNowButtonClick()
{
    const QDateTime now = QDateTime::currentDateTime();
    Apply(double(DayZero.daysTo(now.date())) + now.time().msecsSinceStartOfDay() / MSecsPerDay);
}

void TcValueConverterEditForm::SetAllToZeroClick()
{
    Apply(0);
}

} // namespace chart
