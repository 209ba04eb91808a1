// Conversions between parameter indices and physical values, and the text helpers.
#include "base/ValueScales.h"

#include "support/NonFinite.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace
{

// Frequency of a (possibly fractional) index, from 2^(1/30) rather than the stored ratio.
double FrequencyAt(double index)
{
    return 1000.0 * std::exp2((index - 170.0) / 30.0);
}

// A typed number is read whole or not at all, whatever the locale.
TEST(NumericText, DecimalReadWhole)
{
    const char* saved = std::setlocale(LC_NUMERIC, nullptr);
    const std::string restore = saved ? saved : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // a comma locale where there is one
    struct Case {
        const char* name;
        std::string text;
        std::optional<double> value;
    };
    const double max = std::numeric_limits<double>::max();
    const Case cases[] = {
        {"integer", "12", 12.0},
        {"decimal point", "1.5", 1.5},
        {"blanks around", "  -2.25 \t", -2.25},
        {"plus sign", "+3", 3.0},
        {"leading point", ".5", 0.5},
        {"trailing point", "5.", 5.0},
        {"zero", "0", 0.0},
        {"four hundred digits", std::string(400, '9'), max},
        {"four hundred negative digits", "-" + std::string(400, '9'), -max},
        {"tiny fraction", "0." + std::string(400, '0') + "1", 0.0},
        {"decimal comma", "1,5", std::nullopt},
        {"two points", "1.5.2", std::nullopt},
        {"letters after digits", "12abc", std::nullopt},
        {"letters", "abc", std::nullopt},
        {"empty", "", std::nullopt},
        {"only blanks", "   ", std::nullopt},
        {"lone minus", "-", std::nullopt},
        {"lone point", ".", std::nullopt},
        {"blank inside", "1 5", std::nullopt},
        {"blank after the sign", "- 5", std::nullopt},
        {"two signs", "--5", std::nullopt},
        {"exponent", "1e3", std::nullopt},
        {"hex", "0x10", std::nullopt},
        {"infinity", "inf", std::nullopt},
        {"fullwidth digit", "\xEF\xBC\x91", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseDecimal(c.text), c.value);
    }
    std::setlocale(LC_NUMERIC, restore.c_str());
}

// ---------------------------------------------------------------------------
// Frequency index

TEST(FreqScale, PartCases)
{
    struct Case {
        const char* name;
        double hz;
        int index;
    };
    const Case cases[] = {
        {"1 kHz", 1000.0, 170},
        {"20 Hz", 20.0, 1},
        {"19.6 Hz", 19.6, 0},
        {"20 kHz", 20000.0, 300},
        {"just below the step at 170.5", 1011.6, 170},
        {"just above the step at 170.5", 1011.7, 171},
        {"bottom of the scale", 19.686, 0},
        {"top of the scale", 20158.7, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FreqToIndex(c.hz), c.index);
    }
}

TEST(FreqScale, IndexToFreqEndsAndCentre)
{
    EXPECT_DOUBLE_EQ(IndexToFreq(170), 1000.0);
    EXPECT_NEAR(IndexToFreq(0), 19.686, 0.0005);
    EXPECT_NEAR(IndexToFreq(300), 20158.7, 0.05);
    EXPECT_NEAR(IndexToFreq(200), 2000.0, 1e-9); // one octave up
    EXPECT_NEAR(IndexToFreq(140), 500.0, 1e-9);
}

TEST(FreqScale, RoundTripEveryIndex)
{
    for (int i = FreqIndexMin; i <= FreqIndexMax; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(FreqToIndex(IndexToFreq(i)), i);
        EXPECT_NEAR(IndexToFreq(i), FrequencyAt(i), FrequencyAt(i) * 1e-12);
    }
}

// The index steps up only past the geometric midpoint between two steps.
TEST(FreqScale, StepsUpAtEveryMidpoint)
{
    for (int i = FreqIndexMin; i < FreqIndexMax; ++i) {
        SCOPED_TRACE(i);
        const double mid = FrequencyAt(i + 0.5);
        EXPECT_EQ(FreqToIndex(mid * (1.0 - 1e-9)), i);
        EXPECT_EQ(FreqToIndex(mid * (1.0 + 1e-9)), i + 1);
    }
}

TEST(FreqScale, BeyondTheEndsIsNotClamped)
{
    struct Case {
        const char* name;
        double hz;
        int index;
    };
    const Case cases[] = {
        {"10 Hz", 10.0, -29},
        {"30 kHz", 30000.0, 317},
        {"25 kHz", 25000.0, 309},
        // Index -0.86: truncation toward zero, not the nearest -1.
        {"19.3 Hz truncates toward zero", 19.3, 0},
        // Index -1.54: the negative fraction never steps, nearest would be -2.
        {"19.0 Hz truncates toward zero", 19.0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FreqToIndex(c.hz), c.index);
    }
}

TEST(FreqScale, NonPositiveAndNonFiniteStayOrderedAndFinite)
{
    const int low = FreqToIndex(0.0);
    EXPECT_LT(low, -30000);
    EXPECT_GT(low, -40000);
    EXPECT_EQ(FreqToIndex(-5.0), low);
    EXPECT_EQ(FreqToIndex(kNaN), low);
    EXPECT_EQ(FreqToIndex(-kInf), low);
    const int high = FreqToIndex(kInf);
    EXPECT_GT(high, 29000);
    EXPECT_LT(high, 40000);
    EXPECT_LE(FreqToIndex(1e-300), FreqToIndex(1e-10));
}

// ---------------------------------------------------------------------------
// PEQ gain index

TEST(GainScale, TruncatesTowardZero)
{
    struct Case {
        const char* name;
        double db;
        int index;
    };
    const Case cases[] = {
        {"-12 dB", -12.0, 0},
        {"-0.05 dB", -0.05, 120},
        {"+0.05 dB", 0.05, 120},
        {"+12 dB", 12.0, 240},
        {"0 dB", 0.0, 120},
        {"-0.15 dB stays at 119", -0.15, 119},
        {"+0.19 dB stays at 121", 0.19, 121},
        {"+0.29 dB stays at 122", 0.29, 122},
        {"-0.29 dB stays at 118", -0.29, 118},
        {"-0.1 dB", -0.1, 119},
        {"+13 dB beyond the end", 13.0, 250},
        {"-13 dB beyond the end", -13.0, -10},
        {"not a number", kNaN, 120},
        {"huge saturates", 1e300, std::numeric_limits<int>::max()},
        {"huge negative saturates", -1e300, std::numeric_limits<int>::min()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GainToIndex(c.db), c.index);
    }
}

TEST(GainScale, RoundTripEveryIndex)
{
    for (int i = GainIndexMin; i <= GainIndexMax; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(IndexToGain(i), (i - 120) / 10.0, 1e-12);
        EXPECT_EQ(GainToIndex(IndexToGain(i)), i);
    }
}

// ---------------------------------------------------------------------------
// Q index

TEST(QScale, PartCases)
{
    struct Case {
        const char* name;
        double q;
        int index;
    };
    const Case cases[] = {
        {"0.4", 0.4, 0},
        {"0.71", 0.71, 10},
        {"1.0", 1.0, 16},
        {"3.0", 3.0, 35},
        {"GEQ band Q 8.65", 8.65, 53},
        {"128", 128.0, 100},
        {"below the table", 0.3, -5},
        {"above the table", 200.0, 106},
        {"just above 128 (r = -0.27)", 130.0, 100},
        {"r = -1.55 steps toward zero", 140.0, 100},
        {"r = -2.74", 150.0, 101},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(QToIndex(c.q), c.index);
    }
}

TEST(QScale, EveryTableValueMapsToItsIndex)
{
    for (int i = QIndexMin; i <= QIndexMax; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(QToIndex(QTable[i]), i);
    }
}

// The step-up rule reads the first decimal of r printed with ten decimals.
TEST(QScale, StepUpFollowsTenDecimalPrint)
{
    struct Case {
        const char* name;
        double r; // ln(128/q) / ln(1.0596)
        int index;
    };
    const Case cases[] = {
        {"fraction .45 stays", 3.45, 97},
        {"fraction .4999999 stays", 3.4999999, 97},
        {"fraction .49999999998 prints as .5 and steps", 3.49999999998, 96},
        {"fraction .5 steps", 3.5, 96},
        {"fraction .55 steps", 3.55, 96},
        {"fraction .05 stays", 3.05, 97},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(QToIndex(128.0 * std::pow(1.0596, -c.r)), c.index);
    }
}

// Index i holds the Q values whose r = ln(128/q)/ln(1.0596) lies within half a
// step of 100 - i, so the index changes where r crosses 100 - i + 0.5.
TEST(QScale, StepsAtEveryHalfStepOfBase10596)
{
    for (int i = QIndexMin + 1; i <= QIndexMax; ++i) {
        SCOPED_TRACE(i);
        const double qMid = 128.0 * std::pow(1.0596, -(100.0 - i + 0.5));
        EXPECT_EQ(QToIndex(qMid * (1.0 + 1e-9)), i);
        EXPECT_EQ(QToIndex(qMid * (1.0 - 1e-9)), i - 1);
    }
}

TEST(QScale, NonPositiveAndNonFiniteStayFinite)
{
    const int low = QToIndex(0.0);
    EXPECT_LT(low, -10000);
    EXPECT_EQ(QToIndex(-1.0), low);
    EXPECT_EQ(QToIndex(kNaN), low);
    const int high = QToIndex(kInf);
    EXPECT_GT(high, 10000);
    EXPECT_LT(QToIndex(1e-6), 0);
}

TEST(QScale, IndexToQPartCases)
{
    struct Case {
        const char* name;
        int index;
        double q;
    };
    const Case cases[] = {
        {"first", 0, 0.4},
        {"second", 1, 0.42},
        {"fixed Q", 10, 0.71},
        {"differs from the table at 50", 50, 7.15},
        {"next to last", 99, 120.82},
        {"last", 100, 128.0},
        {"beyond the table", 101, 135.60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(IndexToQ(static_cast<std::uint8_t>(c.index)), c.q);
    }
}

TEST(QScale, IndexToQHasTwoDecimalsAndRoundTrips)
{
    for (int i = QIndexMin; i <= QIndexMax; ++i) {
        SCOPED_TRACE(i);
        const double q = IndexToQ(static_cast<std::uint8_t>(i));
        EXPECT_NEAR(q * 100.0, std::round(q * 100.0), 1e-7);
        EXPECT_NEAR(q, QTable[i], 0.06 * QTable[i]);
        EXPECT_EQ(QToIndex(q), i);
    }
}

// ---------------------------------------------------------------------------
// Delay

TEST(DelayScale, ToSamplesPerUnit)
{
    struct Case {
        const char* name;
        double value;
        int unit;
        int samples;
    };
    const Case cases[] = {
        {"1 ms", 1.0, DelayUnitMs, 96},
        {"1 m", 1.0, DelayUnitMetres, 279},
        {"1 ft", 1.0, DelayUnitFeet, 85},
        {"0.01 ms truncates to 0", 0.01, DelayUnitMs, 0},
        {"2.5 ms", 2.5, DelayUnitMs, 240},
        {"680 ms, the longest delay", 680.0, DelayUnitMs, 65280},
        {"10 m", 10.0, DelayUnitMetres, 2794},
        {"100 m", 100.0, DelayUnitMetres, 27947},
        {"10 ft", 10.0, DelayUnitFeet, 851},
        // 1/3.2808 m per foot, not 0.3048 (which gives 85184).
        {"1000 ft uses 1/3.2808", 1000.0, DelayUnitFeet, 85185},
        {"negative truncates toward zero", -0.5, DelayUnitMetres, -139},
        {"negative ms", -1.0, DelayUnitMs, -96},
        {"unknown unit 3", 5.0, 3, 0},
        {"unknown unit -1", 5.0, -1, 0},
        {"not a number", kNaN, DelayUnitMs, 0},
        {"huge saturates", 1e300, DelayUnitMs, std::numeric_limits<int>::max()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DelayToSamples(c.value, c.unit), c.samples);
    }
}

// ---------------------------------------------------------------------------
// Text helpers

// The gain text from integer arithmetic: tenths of a dB per position.
std::string ExpectedGainText(int p)
{
    int tenths = 0;
    if (p >= 0)
        tenths = p;
    else if (-p <= 200)
        tenths = -p;
    else
        tenths = 200 + (-p - 200) * 5;
    return std::string(p >= 0 ? "+" : "-") + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) +
           "dB";
}

TEST(GainText, PartCases)
{
    struct Case {
        const char* name;
        int position;
        const char* text;
    };
    const Case cases[] = {
        {"zero", 0, "+0.0dB"},
        {"15", 15, "+1.5dB"},
        {"-5", -5, "-0.5dB"},
        {"last fine step", -200, "-20.0dB"},
        {"first coarse step", -201, "-20.5dB"},
        {"bottom", -280, "-60.0dB"},
        {"top", 120, "+12.0dB"},
        {"-1", -1, "-0.1dB"},
        {"-202", -202, "-21.0dB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatGainText(c.position), c.text);
    }
}

TEST(GainText, WholeFaderRange)
{
    for (int p = GainPositionMin; p <= GainPositionMax; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(FormatGainText(p), ExpectedGainText(p));
    }
}

TEST(GainText, ExtremePositionsDoNotOverflow)
{
    EXPECT_EQ(FormatGainText(std::numeric_limits<int>::min()).substr(0, 1), "-");
    EXPECT_EQ(FormatGainText(std::numeric_limits<int>::max()).substr(0, 1), "+");
}

TEST(FormatFixedText, PrintfShapes)
{
    struct Case {
        const char* name;
        double value;
        int precision;
        int width;
        const char* text;
    };
    const Case cases[] = {
        {"%4.1f pads", 1.5, 1, 4, " 1.5"},
        {"%4.1f wider value", -12.5, 1, 4, "-12.5"},
        {"%3.1f", 0.0, 1, 3, "0.0"},
        {"%4.2f", 7.1457, 2, 4, "7.15"},
        {"%1.10f", 3.5, 10, 1, "3.5000000000"},
        {"%d-like", 96.0, 0, 0, "96"},
        {"rounds half to even on exact ties", 0.125, 2, 0, "0.12"},
        {"negative zero", -0.0, 1, 0, "-0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatFixed(c.value, c.precision, c.width), c.text);
    }
}

// Qt sets the process locale from the environment; the texts must not follow it.
TEST(FormatFixedText, IgnoresCommaLocale)
{
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"};
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    bool set = false;
    for (const char* n : names)
        if (std::setlocale(LC_NUMERIC, n) != nullptr) {
            set = true;
            break;
        }
    if (!set)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const std::string gain = FormatGainText(15);
    const std::string fixed = FormatFixed(2.25, 2);
    const int q = QToIndex(8.65);
    const double iq = IndexToQ(50);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(gain, "+1.5dB");
    EXPECT_EQ(fixed, "2.25");
    EXPECT_EQ(q, 53);
    EXPECT_DOUBLE_EQ(iq, 7.15);
}

TEST(NumericText, Cases)
{
    struct Case {
        const char* name;
        const char* text;
        bool numeric;
    };
    const Case cases[] = {
        {"decimal point", "12.5", true},
        {"decimal comma", "1,5", true},
        {"empty", "", true},
        {"blanks between digits", " 1 2 ", true},
        {"only a point", ".", true},
        {"minus sign", "-3", false},
        {"unit suffix", "12ms", false},
        {"exponent", "1e3", false},
        {"tab", "1\t2", false},
        {"plus sign", "+3", false},
        {"Latin-1 one half", "\xC2\xBD", false},
        {"Arabic-Indic digit", "\xD9\xA3", false},
        {"fullwidth digit", "\xEF\xBC\x91", false},
        {"malformed UTF-8", "1\xFF", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsNumericText(c.text), c.numeric);
    }
}

// ---------------------------------------------------------------------------
// 8-bit code page

TEST(AnsiText, WideToAnsi)
{
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string utf8;
        std::string western; // Windows-1252
        std::string chinese; // GBK
    };
    const Case cases[] = {
        {"ASCII unchanged", "Default Preset", "Default Preset", "Default Preset"},
        {"Latin letter", "M\xC3\xBCller", "M\xFCller", "M\xA8\xB9ller"},
        {"euro sign", "\xE2\x82\xAC", "\x80", "\x80"},
        {"dash", "\xE2\x80\x94", "\x97", "\xA1\xAA"},
        {"first code point past Latin-1", "\xC4\x80", "?", "?"},
        {"two CJK characters", "\xE4\xB8\xAD\xE6\x96\x87", "??", "\xD6\xD0\xCE\xC4"},
        {"four-byte character", "\xF0\x9F\x98\x80", "?", "?"},
        {"stray continuation byte",
         "a\x80"
         "b",
         "a?b", "a?b"},
        {"invalid byte", "\xFF", "?", "?"},
        {"truncated sequence at the end", "ab\xE4\xB8", "ab?", "ab?"},
        {"truncated sequence before ASCII",
         "\xC3"
         "A",
         "?A", "?A"},
        {"overlong NUL", "\xC0\x80", "?", "?"},
        {"surrogate", "\xED\xA0\x80", "?", "?"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", "?", "?"},
        {"embedded NUL kept", "a\0b"s, "a\0b"s, "a\0b"s},
        {"empty", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WideToAnsi(c.utf8, CodePage::Windows1252), c.western);
        EXPECT_EQ(WideToAnsi(c.utf8, CodePage::Gbk), c.chinese);
    }
}

// The forms without a page follow the current one (the interface language's).
TEST(AnsiText, CurrentPageIsUsed)
{
    const CodePage was = CurrentCodePage();
    SetCodePage(CodePage::Gbk);
    EXPECT_EQ(WideToAnsi("\xE4\xB8\xAD"), "\xD6\xD0");
    EXPECT_EQ(AnsiToUtf8("\xD6\xD0"), "\xE4\xB8\xAD");
    EXPECT_TRUE(IsNumericText("12.5"));
    SetCodePage(CodePage::Windows1252);
    EXPECT_EQ(WideToAnsi("\xE4\xB8\xAD"), "?");
    EXPECT_EQ(AnsiToUtf8("\xD6\xD0"), "\xC3\x96\xC3\x90");
    SetCodePage(was);
}

TEST(AnsiText, FieldIsCutOnACharacterAndPaddedToWidth)
{
    using namespace std::string_literals;
    struct Case {
        const char* name;
        const char* utf8;
        std::size_t width;
        char pad;
        CodePage page;
        std::string field;
    };
    constexpr CodePage W = CodePage::Windows1252, G = CodePage::Gbk;
    const Case cases[] = {
        {"channel name padded with zero bytes", "Ab", 8, '\0', W, "Ab\0\0\0\0\0\0"s},
        {"channel name cut after 8 bytes", "Subwoofer L", 8, '\0', W, "Subwoofe"},
        {"preset name padded with blanks", "Live", 14, ' ', W, "Live          "},
        {"preset name of exactly 14", "Default Preset", 14, ' ', W, "Default Preset"},
        {"Latin letters count one byte each",
         "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 8, '\0', W,
         "\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9"},
        {"CJK name in the western page becomes marks", "\xE4\xB8\xAD\xE6\x96\x87", 8, '\0', W,
         "??\0\0\0\0\0\0"s},
        {"Chinese name that fits", "\xE4\xB8\xAD\xE6\x96\x87", 8, '\0', G, "\xD6\xD0\xCE\xC4\0\0\0\0"s},
        // Four characters of two bytes in 7: the fourth is left out, not cut in half.
        {"Chinese name cut before a character", "\xE6\xB5\x8B\xE8\xAF\x95\xE5\x90\x8D\xE7\xA7\xB0", 7, '\0',
         G, "\xB2\xE2\xCA\xD4\xC3\xFB\0"s},
        {"mixed name cut after a single byte", "A\xE4\xB8\xAD\xE6\x96\x87", 4, ' ', G, "A\xD6\xD0 "},
        {"empty name", "", 4, ' ', W, "    "},
        {"zero width", "abc", 0, ' ', G, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string field = WideToAnsiField(c.utf8, c.width, c.pad, c.page);
        EXPECT_EQ(field.size(), c.width);
        EXPECT_EQ(field, c.field);
    }
}

TEST(AnsiText, RoundTrips)
{
    // A Chinese name from the device comes back to the same bytes.
    const std::string name = "\xB2\xE2\xCA\xD4 1"; // "测试 1"
    EXPECT_EQ(AnsiToUtf8(name, CodePage::Gbk), "\xE6\xB5\x8B\xE8\xAF\x95 1");
    EXPECT_EQ(WideToAnsi(AnsiToUtf8(name, CodePage::Gbk), CodePage::Gbk), name);
    // Every byte the western page defines comes back; the five it leaves undefined read as '?'.
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string ansi(1, static_cast<char>(b));
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        EXPECT_EQ(WideToAnsi(AnsiToUtf8(ansi, CodePage::Windows1252), CodePage::Windows1252),
                  undefined ? "?" : ansi);
    }
    // Bytes that are no GBK text: a lead byte without its trail, a byte no character starts with.
    struct Case {
        const char* name;
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"lead byte at the end", "AB\xD6", "AB?"},
        {"lead byte before a byte no trail can be", "\xD6\x20x", "? x"},
        {"0xFF",
         "\xFF"
         "A",
         "?A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string utf8 = AnsiToUtf8(c.bytes, CodePage::Gbk);
        EXPECT_EQ(utf8, c.utf8);
        EXPECT_NE(WideToAnsi(utf8, CodePage::Gbk), c.bytes);
    }
}

} // namespace
