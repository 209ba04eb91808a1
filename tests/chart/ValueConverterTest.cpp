// The value converter: one value shown as an interval, a date and time and a price, the views
// rebuilding the value, and values that lie beyond the calendar or are not finite.
#include "support/TestApp.h"

#include "chart/core/ChartError.h"
#include "chart/editor/ValueConverter.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

using namespace chart;
using namespace testapp;

class ValueConverter : public ::testing::Test
{
  protected:
    ValueConverter()
    {
        EnsureApp();
        Form = std::make_unique<TcValueConverterEditForm>();
    }
    struct Shown {
        QString date, time, weeks, days, hours, minutes, seconds, msec, integer, n32, n256;
    };
    Shown Views() const
    {
        const bool noDate = Form->FDatePicker->dateTime() == Form->FDatePicker->minimumDateTime();
        return {noDate ? QString() : Form->FDatePicker->date().toString(Qt::ISODate),
                noDate ? QString() : Form->FTimePicker->time().toString(QStringLiteral("HH:mm:ss.zzz")),
                Form->WeeksEdit->text(),
                Form->DaysEdit->text(),
                Form->HoursEdit->text(),
                Form->MinutesEdit->text(),
                Form->SecondsEdit->text(),
                Form->MilliSecondsEdit->text(),
                Form->PriceIntegerEdit->text(),
                Form->Price32ndsEdit->text(),
                Form->Price256thsEdit->text()};
    }
    std::unique_ptr<TcValueConverterEditForm> Form;
};

TEST_F(ValueConverter, ShowsOneValueInEveryView)
{
    struct Case {
        const char* name;
        double value;
        Shown want;
    } cases[] = {
        {"a date",
         45000.75,
         {"2023-03-15", "18:00:00.000", "6428", "45000", "18", "0", "0", "0", "45000", "24", "0"}},
        {"a price",
         100.5,
         {"1900-04-09", "12:00:00.000", "14", "100", "12", "0", "0", "0", "100", "16", "0"}},
        {"milliseconds",
         0.0000125,
         {"1899-12-30", "00:00:01.080", "0", "0", "0", "0", "1", "80", "0", "0", "0"}},
        {"a negative price keeps its parts in range",
         -100.5,
         {"1899-09-21", "12:00:00.000", "-14", "-100", "12", "0", "0", "0", "-101", "16", "0"}},
        {"just beyond the calendar: only the fraction",
         2958466.25,
         {"", "", "0", "0", "6", "0", "0", "0", "2958466", "8", "0"}},
        {"far beyond", 1e20, {"", "", "0", "0", "0", "0", "0", "0", "100000000000000000000", "0", "0"}},
        {"far below", -1e15 - 0.5, {"", "", "0", "0", "12", "0", "0", "0", "-1000000000000001", "16", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form->SetValue(c.value);
        const Shown s = Views();
        EXPECT_EQ(s.date, QString::fromLatin1(c.want.date.toLatin1()));
        EXPECT_EQ(s.time, c.want.time);
        EXPECT_EQ(s.weeks, c.want.weeks);
        EXPECT_EQ(s.days, c.want.days);
        EXPECT_EQ(s.hours, c.want.hours);
        EXPECT_EQ(s.minutes, c.want.minutes);
        EXPECT_EQ(s.seconds, c.want.seconds);
        EXPECT_EQ(s.msec, c.want.msec);
        EXPECT_EQ(s.integer, c.want.integer);
        EXPECT_EQ(s.n32, c.want.n32);
        EXPECT_EQ(s.n256, c.want.n256);
        EXPECT_DOUBLE_EQ(Form->Value(), c.value);
    }
}

TEST_F(ValueConverter, ValuesThatAreNotFiniteShowEmptyViews)
{
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(v);
        Form->SetValue(v);
        const Shown s = Views();
        EXPECT_TRUE(s.date.isEmpty());
        EXPECT_TRUE(s.days.isEmpty());
        EXPECT_TRUE(s.integer.isEmpty());
        EXPECT_FALSE(Form->ValueEdit->text().isEmpty());
    }
}

TEST_F(ValueConverter, EditedViewsRebuildTheValue)
{
    struct Case {
        const char* name;
        double start;
        TcComponentEditorEdit* TcValueConverterEditForm::*edit;
        const char* typed;
        double value;
        const char* days; // the interval view after the edit; the price view refreshes nothing
    } cases[] = {
        {"256ths", 100.5, &TcValueConverterEditForm::Price256thsEdit, "4", 100.515625, nullptr},
        {"32nds", 100.5, &TcValueConverterEditForm::Price32ndsEdit, "8", 100.25, nullptr},
        {"price integer beyond int", 0.5, &TcValueConverterEditForm::PriceIntegerEdit, "5000000000",
         5000000000.5, nullptr},
        {"weeks are totals", 0, &TcValueConverterEditForm::WeeksEdit, "2", 14, "14"},
        {"weeks keep the time", 3.25, &TcValueConverterEditForm::WeeksEdit, "1", 7.25, "7"},
        {"days", 45000.75, &TcValueConverterEditForm::DaysEdit, "1", 1.75, "1"},
        {"hours", 45000.75, &TcValueConverterEditForm::HoursEdit, "6", 45000.25, "45000"},
        {"milliseconds", 2, &TcValueConverterEditForm::MilliSecondsEdit, "500", 2 + 500 / 86400000.0, "2"},
        {"text in an edit counts as 0", 45000.75, &TcValueConverterEditForm::MinutesEdit, "x", 45000.75,
         "45000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form->SetValue(c.start);
        TcComponentEditorEdit* e = (*Form).*c.edit;
        e->setText(QString::fromLatin1(c.typed));
        Key(e, Qt::Key_Return);
        // The value passes through its 15-digit text.
        EXPECT_NEAR(Form->Value(), c.value, 1e-14 * std::max(1.0, std::fabs(c.value)));
        if (c.days) {
            EXPECT_EQ(Form->DaysEdit->text(), QString::fromLatin1(c.days)) << "the other views follow";
        }
    }
}

TEST_F(ValueConverter, ATimeOfDayOutOfRangeChangesNothing)
{
    std::vector<QString> logged;
    SetChartErrorLog([&](const QString& m) { logged.push_back(m); });
    Form->SetValue(45000.75);
    Form->HoursEdit->setText(QStringLiteral("24"));
    EXPECT_THROW(Form->TimeChange(), EChartError);
    Key(Form->HoursEdit, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(Form->Value(), 45000.75);
    EXPECT_EQ(logged.size(), 1u);
    SetChartErrorLog(nullptr);
}

TEST_F(ValueConverter, PickersAndButtonsSetTheValue)
{
    Form->SetValue(45000.75);
    Form->FDatePicker->setDate(QDate(2023, 3, 16));
    EXPECT_DOUBLE_EQ(Form->Value(), 45001.75);
    Form->FTimePicker->setTime(QTime(6, 0));
    EXPECT_DOUBLE_EQ(Form->Value(), 45001.25);
    Form->SetAllToZeroButton->click();
    EXPECT_EQ(Form->Value(), 0);
    EXPECT_EQ(Views().date, QStringLiteral("1899-12-30"));
    Form->SetNowButton->click();
    EXPECT_GT(Form->Value(), 45000);
}

TEST(DateTimeText, ReadsAndWritesTheCalendar)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"2023-03-15 18:00:00", 45000.75},
                 {"1899-12-30", 0},
                 {"1899-12-29 06:00:00", -1.25},
                 {"0001-01-01", MinDateTimeDay},
                 {"9999-12-31", MaxDateTimeDay}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(TextToDateTime(QString::fromLatin1(c.text)), c.value);
    }
    EXPECT_EQ(DateTimeToText(45000.75), QStringLiteral("2023-03-15 18:00:00"));
    EXPECT_EQ(DateTimeToText(MaxDateTimeDay + 1), QString());
    EXPECT_THROW(TextToDateTime(QStringLiteral("15.13.2023")), EChartError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EChartError);
    EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999 / 86400000.0);
}

} // namespace
