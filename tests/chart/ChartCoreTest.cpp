// The headless chart core: maths, number and span formats, text lines, data lists, the small data
// holders and the property text.
#include "chart/core/ChartError.h"
#include "chart/core/ChartFormat.h"
#include "chart/core/ChartMath.h"
#include "chart/core/PlotDataHolders.h"
#include "chart/core/PlotDataList.h"
#include "chart/core/PropertyText.h"

#include "ErrorOf.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace chart;

namespace
{

using charttest::ErrorOf;

TEST(ChartMath, LogAndPowerAreExactWhereUsedAndRefuseNonPositiveArguments)
{
    EXPECT_EQ(Log10(1000), 3);
    EXPECT_EQ(Log10(1e-5), -5);
    EXPECT_EQ(Power(10, 2), 100);
    EXPECT_EQ(Power(10, -3), 0.001);
    for (double bad : {0.0, -1.0, std::nan("")}) {
        EXPECT_THROW(Log10(bad), EChartDomainError) << bad;
        EXPECT_THROW(Power(bad, 2), EChartDomainError) << bad;
    }
}

TEST(ChartMath, SplineReproducesKnotsAndACubic)
{
    // y = x^3 - 2x sampled densely: the spline between knots follows it closely.
    const int n = 41;
    std::vector<double> x(n + 1), y(n + 1), y2;
    for (int i = 1; i <= n; ++i) {
        x[i] = -2 + 4.0 * (i - 1) / (n - 1);
        y[i] = x[i] * x[i] * x[i] - 2 * x[i];
    }
    Spline(x, y, n, y2);
    for (int i = 1; i <= n; ++i)
        EXPECT_NEAR(Splint(x, y, y2, n, x[i]), y[i], 1e-12);
    for (double v : {-1.73, -0.31, 0.5, 1.91})
        EXPECT_NEAR(Splint(x, y, y2, n, v), v * v * v - 2 * v, 2e-3) << v;

    std::vector<double> xs{0, 1, 1}, ys{0, 2, 3}, zero(3, 0.0);
    EXPECT_EQ(ErrorOf([&] { Splint(xs, ys, zero, 2, 1); }), "Splint Error - xa's must be distinct");
    EXPECT_THROW(Spline(xs, ys, 2, y2), EChartError);
    EXPECT_THROW(Spline(xs, ys, 1, y2), EChartError);
}

TEST(ChartMath, PolintAndRatint)
{
    std::vector<double> xa{0, 1, 2, 4}, ya{0, 1, 4, 16};
    double y, dy;
    Polint(xa, ya, 3, 3, y, dy);
    EXPECT_DOUBLE_EQ(y, 9);
    Ratint(xa, ya, 3, 2, y, dy);
    EXPECT_EQ(y, 4);
    EXPECT_EQ(dy, 0);
    std::vector<double> dup{0, 1, 1}, v{0, 1, 2};
    EXPECT_EQ(ErrorOf([&] { Polint(dup, v, 2, 0.5, y, dy); }),
              "Polynomial Interpolation Error - Pause in Routine Data");
}

TEST(ChartMath, SegmentIntersections)
{
    struct Case {
        const char* name;
        TcIPoint a, b, c, d;
        bool meet;
    } cases[] = {
        {"crossing diagonals", {0, 0}, {10, 10}, {0, 10}, {10, 0}, true},
        {"parallel", {0, 0}, {10, 0}, {0, 5}, {10, 5}, false},
        {"vertical through", {5, -5}, {5, 5}, {0, 0}, {10, 0}, true},
        {"vertical far above in y", {5, 100}, {5, 200}, {0, 0}, {10, 0}, false},
        {"apart in x", {0, 0}, {2, 2}, {5, 0}, {7, -2}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SegmentsIntersect(c.a, c.b, c.c, c.d), c.meet);
    }
    EXPECT_TRUE(LineIntersectsRect({2, 2}, {3, 3}, {0, 0, 10, 10}));  // inside
    EXPECT_TRUE(LineIntersectsRect({-5, 5}, {5, 5}, {0, 0, 10, 10})); // through the left edge
    EXPECT_FALSE(LineIntersectsRect({20, 5}, {20, 50}, {0, 0, 10, 10}));
}

TEST(ChartFormat, DecimalCounts)
{
    struct Case {
        const char* name;
        int precision, style;
        double a, b;
        int decimals;
    } cases[] = {
        {"span 120, 2 digits", 2, ipsSignificantDigits, 0, 120, 0},
        {"span 5, 3 digits", 3, ipsSignificantDigits, 0, 5, 2},
        {"span 0.05, 3 digits", 3, ipsSignificantDigits, 0, 0.05, 4},
        {"equal ends", 4, ipsSignificantDigits, 7, 7, 1},
        {"fixed", 3, ipsFixedDecimalPoints, 0, 1e9, 3},
        {"no precision", 0, ipsSignificantDigits, 0, 0.001, 0},
        {"unknown style", 3, 7, 0, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetDecimalCount(c.precision, c.style, c.a, c.b), c.decimals);
    }
}

TEST(ChartFormat, SpanCountsAreComputedIn64Bits)
{
    struct Case {
        const char* name;
        double span;
        int ms, s, min, h;
    } cases[] = {
        {"1.5 days", 1.5, 129600000, 129600, 2160, 36},
        {"30 days overflows ms", 30, INT_MAX, 2592000, 43200, 720},
        // 4.32e9 ms would wrap to a positive 32-bit value; it must not.
        {"50 days", 50, INT_MAX, 4320000, 72000, 1200},
        {"negative", -2.5, INT_MAX, INT_MAX, 10000, INT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SpanToMilliseconds(c.span), c.ms);
        EXPECT_EQ(SpanToSeconds(c.span), c.s);
        EXPECT_EQ(SpanToMinutes(c.span), c.min);
        EXPECT_EQ(SpanToHours(c.span), c.h);
    }
}

TEST(ChartFormat, PaperSizes)
{
    const double mm = 1 / 25.4;
    struct Case {
        const char* name;
        std::uint16_t code;
        double width, height;
    } cases[] = {
        {"letter", 1, 8.5, 11},
        {"tabloid", 3, 11, 17},
        {"ledger lies across", 4, 17, 11},
        {"legal", 5, 8.5, 14},
        {"A3 in millimetres", 8, 297 * mm, 420 * mm},
        {"A4", 9, 210 * mm, 297 * mm},
        {"A5", 11, 148 * mm, 210 * mm},
        {"B6 envelope is wider than high", 35, 176 * mm, 125 * mm},
        {"US standard fanfold", 39, 14.875, 11},
        {"tabloid extra", 52, 11.69, 18},
        {"A4 extra", 53, 9.27, 12.69},
        {"A2", 66, 420 * mm, 594 * mm},
        {"A3 extra transverse, the last code", 68, 322 * mm, 445 * mm},
        {"code 0 is letter", 0, 8.5, 11},
        {"reserved 48 is letter", 48, 8.5, 11},
        {"reserved 49 is letter", 49, 8.5, 11},
        {"beyond the table is letter", 69, 8.5, 11},
        {"user-defined is letter", 256, 8.5, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TcPaperSize p = GetPaperSizeInInches(c.code);
        EXPECT_NEAR(p.Width, c.width, 1e-12);
        EXPECT_NEAR(p.Height, c.height, 1e-12);
    }
    EXPECT_DOUBLE_EQ(MillimetersToInches(254), 10);
}

TEST(ChartFormat, ValueTexts)
{
    int n = 0;
    struct Case {
        const char* name;
        QString got, want;
    } cases[] = {
        {"prefix kilo", FormatPrefix(1500, 3, ipsSignificantDigits, n), "1.50K"},
        {"prefix milli", FormatPrefix(0.0002, 3, ipsSignificantDigits, n), "0.200m"},
        {"prefix truncated exponent", FormatPrefix(0.002, 3, ipsSignificantDigits, n), "0.00200"},
        {"prefix out of range", FormatPrefix(1e30, 3, ipsSignificantDigits, n), "Unknown"},
        {"price", FormatPrice32nds(100.5), "100.160"},
        {"price quarter", FormatPrice32nds(0.25), "0.080"},
        {"price negative", FormatPrice32nds(-0.25), "-0.080"},
        {"exponent", FormatExponent(1500, 2), "1.50E+003"},
        {"exponent small", FormatExponent(-0.000123, 1), "-1.2E-004"},
        {"thousands", FormatThousands(1234567.891, 2), "1,234,567.89"},
        {"thousands negative", FormatThousands(-1234, 0), "-1,234"},
        {"fixed no minus zero", FormatDecimals(-0.001, 2), "0.00"},
        {"fixed capped decimals", FormatDecimals(1, 300), "1." + QString(MaxDecimals, QLatin1Char('0'))},
        {"date-time", FormatDateTime("hh:nn", 3.5), "12:00"},
        {"date", FormatDateTime("yyyy-mm-dd hh:mm:ss", 36526.25), "2000-01-01 06:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, c.want);
    }
}

TEST(ChartFormat, TextLinesSplitAtCrLfAndLfCrTwice)
{
    EXPECT_EQ(TextLines("a\r\nb\n\rc"), QStringList({"a", "b", "", "c"}));
    EXPECT_EQ(TextLines(""), QStringList());
    EXPECT_EQ(TextLines("x\n"), QStringList({"x"}));
}

// Data lists.

std::vector<double> Ys(const TcPlotDataCustomList& l)
{
    std::vector<double> out;
    for (int i = 0; i < l.Count(); ++i)
        out.push_back(l.GetY(i));
    return out;
}

TEST(PlotDataList, GrowthAndSizesPerStyle)
{
    struct Case {
        const char* name;
        TcPlotDataStyle style;
        int size, max;
    } cases[] = {{"standard", ipdsStandard, 24, 89478485},
                 {"compact", ipdsCompact, 8, 268435455},
                 {"compact interval", ipdsCompactInterval, 4, 536870911},
                 {"full", ipdsFullFeature, 144, INT_MAX / 144}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto l = TcPlotDataCustomList::Create(c.style);
        EXPECT_EQ(l->DataPointSize(), c.size);
        EXPECT_EQ(l->MaxDataPoints(), c.max);
        std::vector<int> caps;
        for (int i = 0; i < 100; ++i) {
            l->Add(i, i, false, false);
            if (caps.empty() || caps.back() != l->Capacity())
                caps.push_back(l->Capacity());
        }
        EXPECT_EQ(caps, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
        EXPECT_EQ(l->MemoryUsed(), (long long)c.size * 118);
        EXPECT_EQ(ErrorOf([&] { l->SetCapacity(c.max + 1); }), "Exceed Maximum List Size");
        EXPECT_EQ(l->Count(), 100);
    }
}

TEST(PlotDataList, RingBufferKeepsTheNewestInOrder)
{
    TcPlotDataNullList l;
    l.SetRingBufferSize(3);
    for (double v : {1, 2, 3})
        l.Add(0, v, false, false);
    EXPECT_EQ(l.Add(0, 4, false, false), 2);
    EXPECT_EQ(Ys(l), (std::vector<double>{2, 3, 4}));
    l.Add(0, 5, false, false);
    EXPECT_EQ(Ys(l), (std::vector<double>{3, 4, 5}));
    l.Add(0, 6, false, false); // a complete wrap brings the tail back to slot 0
    l.Add(0, 7, false, false);
    EXPECT_EQ(Ys(l), (std::vector<double>{5, 6, 7}));
}

TEST(PlotDataList, RingBufferSizeChanges)
{
    struct Case {
        const char* name;
        int ring;   // initial ring size (0: off)
        int points; // points added
        int newSize;
        std::vector<double> ys;
        int capacity;
        int ringSize;
    } cases[] = {
        {"0 on a list without ring is a no-op", 0, 5, 0, {0, 1, 2, 3, 4}, 8, 0},
        {"0 before a wrap keeps points", 10, 7, 0, {0, 1, 2, 3, 4, 5, 6}, 10, 0},
        {"0 after a wrap empties", 3, 5, 0, {}, 0, 0},
        {"10 to 4 keeps the newest", 10, 7, 4, {3, 4, 5, 6}, 4, 4},
        {"negative counts as 0", 0, 2, -3, {0, 1}, 4, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TcPlotDataNullList l;
        if (c.ring)
            l.SetRingBufferSize(c.ring);
        for (int i = 0; i < c.points; ++i)
            l.Add(i, i, false, false);
        l.SetRingBufferSize(c.newSize);
        EXPECT_EQ(Ys(l), c.ys);
        EXPECT_EQ(l.Capacity(), c.capacity);
        EXPECT_EQ(l.RingBufferSize(), c.ringSize);
    }
}

TEST(PlotDataList, CapacityChangesAndDeletesOnAWrappedRingKeepOrder)
{
    TcPlotDataNullList l;
    l.SetRingBufferSize(10);
    for (int i = 0; i < 17; ++i)
        l.Add(i, i, false, false); // holds 7 .. 16, wrapped
    l.SetCapacity(5);              // keeps the oldest five, in order
    EXPECT_EQ(Ys(l), (std::vector<double>{7, 8, 9, 10, 11}));
    l.Add(0, 12, false, false);
    EXPECT_EQ(Ys(l), (std::vector<double>{8, 9, 10, 11, 12}));

    TcPlotDataNullList r;
    r.SetRingBufferSize(4);
    for (int i = 0; i < 6; ++i)
        r.Add(i, i, false, false); // 2 3 4 5
    r.DeletePoints(2);
    EXPECT_EQ(Ys(r), (std::vector<double>{4, 5}));
}

TEST(PlotDataList, ErrorsLeaveTheListUnchanged)
{
    TcPlotDataNullList s;
    TcPlotDataFullList f;
    TcPlotDataCompactIntervalList ci;
    for (int i = 0; i < 3; ++i) {
        s.Add(i, i, false, false);
        f.Add(i, i, false, false);
        ci.Add(i, i, false, false);
    }
    EXPECT_EQ(ErrorOf([&] { s.DeletePoints(3); }), "Delete size out of Range");
    EXPECT_EQ(ErrorOf([&] { s.DeletePoints(-1); }), "Delete size out of Range");
    EXPECT_EQ(ErrorOf([&] { f.DeletePoints(3); }), "Delete Size Out Of Range");
    EXPECT_EQ(ErrorOf([&] { s.GetX(-1); }), "Index out of Bounds");
    EXPECT_EQ(ErrorOf([&] { s.GetY(3); }), "Index out of Bounds");
    EXPECT_EQ(
        ErrorOf([&] { ci.SetX(1, 5); }),
        "Data Style does not support setting individual X-Value with the exception of the first X-Value");
    EXPECT_EQ(s.Count(), 3);
    s.DeletePoints(0);
    EXPECT_EQ(s.Count(), 3);
    ci.DeletePoints(3); // the compact-interval list accepts all
    EXPECT_EQ(ci.Count(), 0);
}

TEST(PlotDataList, WhatEachStyleKeeps)
{
    TcPlotDataCompactList compact;
    compact.Add(0.1, 2, true, true);
    EXPECT_FALSE(compact.GetNull(0));
    EXPECT_EQ(compact.GetX(0), double(0.1f));

    TcPlotDataCompactIntervalList ci;
    for (double x : {10, 12, 100})
        ci.Add(x, 0, false, false);
    EXPECT_EQ(ci.GetX(2), 14);
    ci.DeletePoints(1); // the remaining points keep their X
    EXPECT_EQ(ci.GetX(0), 12);
    EXPECT_EQ(ci.GetX(1), 14);
    ci.Clear();
    ci.Add(5, 0, false, false);
    ci.Add(6, 0, false, false);
    EXPECT_EQ(ci.GetX(1), 6);

    TcPlotDataNullList standard;
    standard.Stored().MarkerStyle = ipmsCharacter;
    standard.Add(1, 1, false, true);
    standard.Stored().MarkerStyle = ipmsSquare;
    standard.Stored().MarkerVisible = true;
    EXPECT_EQ(standard.GetMarkerStyle(0), ipmsCharacter);
    EXPECT_FALSE(standard.GetMarkerVisible(0));
    EXPECT_TRUE(standard.GetEmpty(0));

    TcPlotDataFullList full;
    full.Stored().MarkerCharacter = QLatin1Char('x');
    full.Stored().TraceLineWidth = 3;
    full.Add(1, 2, true, false);
    EXPECT_EQ(full.GetPointStyle(0).TraceLineWidth, 3);
    EXPECT_TRUE(full.GetPointStyle(0).MarkerCharacter.isNull());
    EXPECT_TRUE(full.GetNull(0));
}

TEST(PlotDataHolders, MinMaxPointAndLimitList)
{
    TcPlotMinMaxPoint p;
    for (double y : {3, 1, 2})
        p.AddData(7, 0.5, y);
    EXPECT_EQ(p.YFirst, 3);
    EXPECT_EQ(p.YMax, 3);
    EXPECT_EQ(p.YMin, 1);
    EXPECT_EQ(p.YLast, 2);
    EXPECT_EQ(p.XPixels, 7);

    TcLimitDataList l;
    std::vector<int> caps;
    for (int i = 0; i < 80; ++i) {
        l.Add(i, i, i);
        if (caps.empty() || caps.back() != l.Capacity())
            caps.push_back(l.Capacity());
    }
    EXPECT_EQ(caps, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95}));
    EXPECT_EQ(l.Third(79), 79);
    EXPECT_EQ(ErrorOf([&] { l.First(80); }), "Index out of Bounds");
    EXPECT_EQ(ErrorOf([&] { l.SetCapacity(134217728); }), "Exceed Maximum List Size");
}

// Property text.

class Sample : public TcPersistent
{
  public:
    enum Kind { kA, kB, kC };
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    double Level() const { return FLevel; }
    void SetLevel(double v) { FLevel = v; }
    Kind Style() const { return FStyle; }
    void SetStyle(Kind v) { FStyle = v; }
    int Count() const { return FCount; }
    void SetCount(int v) { FCount = v; }
    const TPropertyTable& PropertyTable() const override
    {
        static const TPropertyTable t = [] {
            TPropertyTable t;
            t.String("Caption", &Sample::Caption, &Sample::SetCaption, QString());
            t.Float("Level", &Sample::Level, &Sample::SetLevel, 0);
            t.Enum("Style", "Kind", &Sample::Style, &Sample::SetStyle, kA, {"kA", "kB", "kC"});
            t.Ordinal("Count", "Integer", &Sample::Count, &Sample::SetCount, 0);
            return t;
        }();
        return t;
    }
    QString FCaption;
    double FLevel = 0;
    Kind FStyle = kA;
    int FCount = 0;
};

TEST(PropertyText, RoundTripAndWrittenForm)
{
    Sample s;
    s.FCaption = "two\r\nlines";
    s.FLevel = 0.25;
    s.FStyle = Sample::kC;
    QStringList lines;
    SavePropertiesToList(s, "Channel0", lines, true);
    EXPECT_EQ(lines, QStringList({"Channel0.Caption = two#13#10lines", "Channel0.Level = 0.25",
                                  "Channel0.Style = 2"}));
    Sample t;
    LoadPropertiesFromList(t, "Channel0", lines);
    EXPECT_EQ(t.FCaption, s.FCaption);
    EXPECT_EQ(t.FLevel, 0.25);
    EXPECT_EQ(t.FStyle, Sample::kC);
    EXPECT_TRUE(lines.isEmpty());

    s.FCaption = QString(300, QLatin1Char('x'));
    lines.clear();
    SavePropertiesToList(s, "", lines, false);
    EXPECT_EQ(lines[0].size(), MaxPropertyLineLength);
}

TEST(PropertyText, ReaderRules)
{
    struct Case {
        const char* name;
        QStringList lines;
        QString prefix;
        QString caption;
        double level;
        int left; // lines left for the next reader
    } cases[] = {
        // The prefix is compared ignoring letter case.
        {"prefix in another case", {"channel0.Caption = a", "CHANNEL0.Level = 1,5"}, "Channel0", "a", 1.5, 0},
        {"stops at another prefix", {"Channel0.Caption = a", "Channel1.Caption = b"}, "Channel0", "a", 0, 1},
        {"#13 and #10 in any case", {"Caption = x#13y#10Z"}, "", "x\ry\nZ", 0, 0},
        {"comma decimal mark", {"Level = 0,25"}, "", "", 0.25, 0},
        {"unknown keys ignored", {"Nothing = 3", "Level = 2"}, "", "", 2, 0},
        {"blanks trimmed", {"  Caption =   spaced  "}, "", "spaced", 0, 0},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sample s;
        LoadPropertiesFromList(s, c.prefix, c.lines);
        EXPECT_EQ(s.FCaption, c.caption);
        EXPECT_EQ(s.FLevel, c.level);
        EXPECT_EQ(c.lines.size(), c.left);
    }
}

TEST(PropertyText, BadValuesRaiseAndKeepTheRest)
{
    Sample s;
    QStringList lines{"Count = 4", "Count = x", "Level = 1"};
    EXPECT_THROW(LoadPropertiesFromList(s, "", lines), EChartError);
    EXPECT_EQ(s.FCount, 4);
    EXPECT_EQ(lines.size(), 2);

    // An enumeration ordinal read from text is range-checked.
    QStringList enums{"Style = 7"};
    EXPECT_THROW(LoadPropertiesFromList(s, "", enums), EChartError);
    EXPECT_EQ(s.FStyle, Sample::kA);
    QStringList hex{"Count = $1F"};
    LoadPropertiesFromList(s, "", hex);
    EXPECT_EQ(s.FCount, 31);
}

TEST(PropertyText, KeyPrefixesAndObjectProperties)
{
    struct Case {
        const char* name;
        QString prefix, key, removed, rest;
    } cases[] = {
        {"exact", "Channel0", "Channel0.Font.Color", "Channel0", "Font.Color"},
        {"other letter case", "Channel0", "CHANNEL0.Visible", "CHANNEL0", "Visible"},
        {"another object", "Channel0", "Channel1.Visible", "", "Channel1.Visible"},
        {"a longer name is not the prefix", "Channel1", "Channel10.Visible", "", "Channel10.Visible"},
        {"no point", "Channel0", "Channel0", "", "Channel0"},
        {"empty name", "", ".Visible", "", ".Visible"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString key = c.key;
        EXPECT_EQ(StripKeyPrefix(c.prefix, key), c.removed);
        EXPECT_EQ(key, c.rest);
    }

    // A property holding an object: found by name in any letter case; other properties hold none.
    struct Outer : Sample {
        Sample FInner;
        Sample* Inner() { return &FInner; }
        const TPropertyTable& PropertyTable() const override
        {
            static const TPropertyTable t = [this] {
                TPropertyTable t(&Sample::PropertyTable());
                t.Object("Inner", "Sample", &Outer::Inner);
                return t;
            }();
            return t;
        }
    } outer;
    EXPECT_EQ(GetObjectProperty(outer, "inner"), &outer.FInner);
    EXPECT_EQ(GetObjectProperty(outer, "Caption"), nullptr);
    EXPECT_EQ(GetObjectProperty(outer, "Missing"), nullptr);

    struct Kind {
        const char* path;
        TcTypeKind kind;
    } kinds[] = {{"Count", tkInteger},     {"style", tkEnumeration},     {"Level", tkFloat},
                 {"Caption", tkString},    {"Inner.Level", tkFloat},     {"INNER.STYLE", tkEnumeration},
                 {"Inner", tkUnknown},     {"Inner.Missing", tkUnknown}, {"Missing.Level", tkUnknown},
                 {"InnerLevel", tkUnknown}};
    for (const auto& k : kinds)
        EXPECT_EQ(GetPropertyTypeKind(outer, k.path), k.kind) << k.path;
}

TEST(PropertyText, FindAndRemoveKeyIgnoresCase)
{
    QStringList lines{"Channel0.Visible = 1", "File Type = Plot Config"};
    QString v;
    EXPECT_TRUE(FindAndRemoveKey("file type", v, lines));
    EXPECT_EQ(v, "Plot Config");
    EXPECT_EQ(lines.size(), 1);
    EXPECT_FALSE(FindAndRemoveKey("file type", v, lines));
}

} // namespace
