// The dynamics pages' rules without any control: typed entries, value texts and transfer curves.
#include "pages/DynamicsRules.h"

#include <clocale>
#include <gtest/gtest.h>

using namespace app;

namespace
{

constexpr std::optional<int> kRefused = std::nullopt;
const QString kLongDigits(400, u'9');

struct EntryCase {
    const char* name;
    QString text;
    int current;
    std::optional<int> expected; // nullopt: refused or unchanged
};

TEST(DynamicsRules, TypedThreshold)
{
    const EntryCase cases[] = {
        {"unit word", "-10.5dB", 0, -21},
        {"first decimal below five drops to the whole dB", "-10.4", 0, -20},
        {"first decimal five or more gives the half dB", "-10.7", 0, -21},
        {"positive half", "10.5", 0, 21},
        {"leading point, small", ".3", 10, 0},
        {"leading point, half", ".7", 0, 1},
        {"below the range", "-100", 0, -180},
        {"above the range", "25", 0, 40},
        {"plus sign", "+10", 0, 20},
        {"decimal comma", "1,5", 0, kRefused},
        {"leading blanks", "  5", 0, 10},
        {"blanks around the number and unit", "  -5.5  dB", 0, -11},
        {"blank inside the number", "-1 5", 0, kRefused},
        {"letters after the number", "12abc", 0, kRefused},
        {"long digit run", kLongDigits, 0, 40},
        {"long negative digit run", QStringLiteral("-") + kLongDigits, 0, -180},
        {"unit word DB", "5 DB", 0, 10},
        {"same value", "-10.0", -20, kRefused},
        {"same value as shown", "+20.0dB", 40, kRefused},
        {"clamped to the value held", "30", 40, kRefused},
        {"lone minus", "-", 0, kRefused},
        {"lone point", ".", 0, kRefused},
        {"nothing after the point", "5.", 0, kRefused},
        {"two points", "1..2", 0, kRefused},
        {"two minus signs", "--1", 0, kRefused},
        {"letter", "a", 0, kRefused},
        {"empty", "", 0, kRefused},
        {"unit word alone leaves nothing", "dB", 0, kRefused},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TypedThreshold(c.text, c.current), c.expected);
    }
}

TEST(DynamicsRules, TypedKnee)
{
    const EntryCase cases[] = {
        {"dB", "12dB", 0, 12},
        {"db", "12db", 0, 12},
        {"blank and DB", "12 DB", 0, 12},
        {"fraction drops", "7.9", 0, 7},
        {"above the range", "15", 0, 12},
        {"below the range", "-3", 4, 0},
        {"same knee", "6", 6, kRefused},
        {"a fraction differs from the knee held", "6.5", 6, 6},
        {"two points", "1.2.3", 0, kRefused},
        {"decimal comma", "1,5", 0, kRefused},
        {"blank inside the number", "1 2", 0, kRefused},
        {"lone minus", "-", 0, kRefused},
        {"empty", "", 0, kRefused},
        {"long digit run", kLongDigits, 0, 12},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TypedKnee(c.text, c.current), c.expected);
    }
}

TEST(DynamicsRules, TypedTime)
{
    struct Case {
        const char* name;
        QString text;
        int min, max, current;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"zero is one ms", "0", 0, 998, 49, 0},
        {"lone point", ".", 0, 998, 49, kRefused},
        {"only blanks", "   ", 0, 998, 49, kRefused},
        {"attack maximum", "5000", 0, 998, 49, 998},
        {"release maximum", "5000", 9, 2999, 499, 2999},
        {"hold maximum", "5000", 9, 998, 99, 998},
        {"release minimum", "5", 9, 2999, 499, 9},
        {"fraction drops", "12.9", 0, 998, 49, 11},
        {"unit word", "12ms", 0, 998, 49, 11},
        {"unit word MS after a blank", "12 MS", 0, 998, 49, 11},
        {"decimal comma", "1,5", 0, 998, 49, kRefused},
        {"two points", "1.5.2", 0, 998, 49, kRefused},
        {"letters after the number", "12abc", 0, 998, 49, kRefused},
        {"blank inside the number", "1 2", 0, 998, 49, kRefused},
        {"blanks before the number and unit", " 12 ms", 0, 998, 49, 11},
        {"twenty digits", "99999999999999999999", 0, 998, 49, 998},
        {"four hundred digits", kLongDigits, 9, 2999, 499, 2999},
        {"same time", "50", 0, 998, 49, kRefused},
        {"same time as shown", "  50ms", 0, 998, 49, kRefused},
        {"seconds", "12s", 0, 998, 49, kRefused},
        {"minus sign", "-5", 0, 998, 49, kRefused},
        {"empty", "", 0, 998, 49, kRefused},
        {"letter", "1e3", 0, 998, 49, kRefused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TypedTime(c.text, c.min, c.max, c.current), c.expected);
    }
}

TEST(DynamicsRules, TypedRatio)
{
    const EntryCase cases[] = {
        {"one to four", "1:4", 0, 9},
        {"four", "4", 0, 9},
        {"four point oh", "4.0", 0, 9},
        {"between steps takes the next", "3.2", 0, 8},
        {"fifteen", "15", 0, 14},
        {"twenty", "20", 0, 14},
        {"just above twenty", "20.05", 0, 15},
        {"below one", "0.5", 9, 0},
        {"above the last step", "25", 0, 15},
        {"long digit run", kLongDigits, 0, 15},
        {"unit word after the colon form", "1:4dB", 0, 9},
        {"point then unit word", "1:4.dB", 0, kRefused},
        {"colon after two digits", "11:4", 9, kRefused},
        {"decimal comma", "1,5", 0, kRefused},
        {"decimal comma after the colon", "1:4,5", 0, kRefused},
        {"two points", "1:4.5.2", 0, kRefused},
        {"same step", "1:4.0", 9, kRefused},
        {"colon first", ":5", 0, kRefused},
        {"nothing after the colon", "1:", 0, kRefused},
        {"other than one before the colon", "2:4", 0, kRefused},
        {"two colons", "1:4:0", 0, kRefused},
        {"ends with its point", "1:4.", 0, kRefused},
        {"ends with its point, plain", "4.", 0, kRefused},
        {"lone colon", ":", 0, kRefused},
        {"lone point", ".", 0, kRefused},
        {"blank", "4 dB", 0, kRefused},
        {"letter", "Limit", 0, kRefused},
        {"empty", "", 0, kRefused},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TypedRatio(c.text, c.current), c.expected);
    }
}

TEST(DynamicsRules, TextsIgnoreTheNumericLocale)
{
    const char* saved = std::setlocale(LC_NUMERIC, nullptr);
    const std::string restore = saved ? saved : "C";
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    struct Case {
        const char* name;
        QString text, expected;
    };
    const Case cases[] = {
        {"threshold zero", ThresholdText(0), "+0.0dB"},
        {"threshold negative half", ThresholdText(-21), "-10.5dB"},
        {"threshold top", ThresholdText(40), "+20.0dB"},
        {"threshold bottom", ThresholdText(-180), "-90.0dB"},
        {"padded time", PaddedTimeText(4), "  5ms"},
        {"padded time, wide", PaddedTimeText(2999), "3000ms"},
        {"time", TimeText(4), "5ms"},
        {"ratio first", RatioText(0), "1:1.0"},
        {"ratio four", RatioText(9), "1:4.0"},
        {"ratio twenty", RatioText(14), "1:20"},
        {"ratio limit", RatioText(15), "Limit"},
        {"ratio below the range", RatioText(-1), "1:1.0"},
        {"knee", KneeText(6), "6dB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text, c.expected);
    }
    // A typed entry reads "." whatever the locale.
    EXPECT_EQ(TypedThreshold("-10.5", 0), -21);
    std::setlocale(LC_NUMERIC, restore.c_str());
    if (!comma)
        GTEST_SKIP() << "no de_DE locale here; the texts were checked in the C locale only";
}

struct CurveCase {
    const char* name;
    TransferCurve curve;
    std::vector<CurvePoint> points;
    CurvePoint marker;
};

void ExpectCurve(const CurveCase& c)
{
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.curve.points.size(), c.points.size());
    for (std::size_t i = 0; i < c.points.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(c.curve.points[i].first, c.points[i].first);
        EXPECT_DOUBLE_EQ(c.curve.points[i].second, c.points[i].second);
    }
    EXPECT_DOUBLE_EQ(c.curve.marker.first, c.marker.first);
    EXPECT_DOUBLE_EQ(c.curve.marker.second, c.marker.second);
}

TEST(DynamicsRules, CompressorCurves)
{
    const CurveCase cases[] = {
        {"threshold -20, knee 6, 1:4",
         CompCurve(-40, 6, 9),
         {{20, -10}, {-14, -18.5}, {-26, -26}, {-100, -100}},
         {-19.8, -20.4}},
        {"limit at +20 without knee",
         CompCurve(40, 0, 15),
         {{20, 20}, {20, 20}, {20, 20}, {-100, -100}},
         {20.2, 19.6}},
        {"limit stays flat at the threshold",
         CompCurve(-20, 4, 15),
         {{20, -10}, {-6, -10}, {-14, -14}, {-100, -100}},
         {-9.8, -10.4}},
        {"knee beyond the right edge",
         CompCurve(40, 12, 9),
         {{20, 20}, {32, 23}, {8, 8}, {-100, -100}},
         {20.2, 19.6}},
        {"1:1 is the identity above the knee",
         CompCurve(-60, 0, 0),
         {{20, 20}, {-30, -30}, {-30, -30}, {-100, -100}},
         {-29.8, -30.4}},
        {"the limit step follows the up-down's maximum",
         CompCurve(-40, 0, 14, 14),
         {{20, -20}, {-20, -20}, {-20, -20}, {-100, -100}},
         {-19.8, -20.4}},
    };
    for (const CurveCase& c : cases)
        ExpectCurve(c);
}

TEST(DynamicsRules, LimiterAndGateCurves)
{
    const CurveCase cases[] = {
        {"limiter -6 dB, knee 3",
         LimitCurve(-12, 3),
         {{20, -6}, {-3, -6}, {-9, -9}, {-100, -100}},
         {-5.8, -6.4}},
        {"limiter +20 dB is the identity",
         LimitCurve(40, 0),
         {{20, 20}, {20, 20}, {20, 20}, {-100, -100}},
         {20.2, 19.6}},
        {"limiter third point left of the chart, out of order",
         LimitCurve(-180, 12),
         {{20, -90}, {-78, -90}, {-102, -102}, {-100, -100}},
         {-89.8, -90.4}},
        {"gate -40 dB", GateCurve(-80), {{20, 20}, {-40, -40}, {-40, -100}}, {-39.8, -40.4}},
        {"gate at its maximum", GateCurve(0), {{20, 20}, {0, 0}, {0, -100}}, {0.2, -0.4}},
        {"gate at its minimum", GateCurve(-180), {{20, 20}, {-90, -90}, {-90, -100}}, {-89.8, -90.4}},
    };
    for (const CurveCase& c : cases)
        ExpectCurve(c);
}

} // namespace

TEST(DynamicsRules, ValueTextOfEachPagesParameters)
{
    struct Case {
        const char* name;
        DynKind kind;
        int parameter, value;
        QString expected;
    };
    const Case cases[] = {
        {"compressor threshold", DynKind::Comp, 0, -21, "-10.5dB"},
        {"compressor attack is padded", DynKind::Comp, 1, 4, "  5ms"},
        {"compressor release is padded", DynKind::Comp, 2, 99, "100ms"},
        {"compressor ratio", DynKind::Comp, 3, 9, "1:4.0"},
        {"compressor ratio's last step", DynKind::Comp, 3, 15, "Limit"},
        {"compressor knee", DynKind::Comp, 4, 6, "6dB"},
        {"compressor has no sixth", DynKind::Comp, 5, 1, ""},
        {"limiter threshold", DynKind::Limit, 0, 40, "+20.0dB"},
        {"limiter attack is padded", DynKind::Limit, 1, 0, "  1ms"},
        {"limiter's fourth is the knee", DynKind::Limit, 3, 3, "3dB"},
        {"limiter has no fifth", DynKind::Limit, 4, 3, ""},
        {"gate threshold", DynKind::Gate, 0, -80, "-40.0dB"},
        {"gate attack is not padded", DynKind::Gate, 1, 4, "5ms"},
        {"gate hold", DynKind::Gate, 3, 249, "250ms"},
        {"no parameter below zero", DynKind::Gate, -1, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DynValueText(c.kind, c.parameter, c.value), c.expected);
    }
}

TEST(DynamicsRules, RatioUpDownTopIsLimit)
{
    EXPECT_EQ(RatioUpDownText(9, 15), "1:4.0");
    EXPECT_EQ(RatioUpDownText(15, 15), "Limit");
    EXPECT_EQ(RatioUpDownText(14, 14), "Limit") << "a shorter up-down still ends at Limit";
    EXPECT_EQ(RatioUpDownText(14, 15), "1:20");
}

TEST(DynamicsRules, MirrorChannelsOfALinkGroup)
{
    struct Case {
        const char* name;
        DynKind kind;
        int channel;
        unsigned group;
        int parameter;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"alone", DynKind::Comp, 5, 0, 0, {5}},
        {"group word without the channel still has it", DynKind::Comp, 5, 0b000001, 1, {3, 5}},
        {"outputs 1 to 3 from output 2", DynKind::Limit, 4, 0b000111, 2, {3, 4, 5}},
        {"up-down leaves its own channel out", DynKind::Comp, 4, 0b000111, 3, {3, 5}},
        {"limiter knee is an up-down", DynKind::Limit, 8, 0b110000, 3, {7}},
        {"gate inputs", DynKind::Gate, 1, 0b101, 3, {0, 1, 2}},
        {"bits past the page's channels count for nothing", DynKind::Gate, 0, 0b111000, 0, {0}},
        {"a channel of another page", DynKind::Gate, 3, 0b111, 0, {}},
        {"a parameter the page lacks", DynKind::Limit, 3, 0b1, 4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DynMirrorChannels(c.kind, c.channel, c.group, c.parameter), c.expected);
    }
}
