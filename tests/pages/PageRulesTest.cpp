// The graphic equaliser, delay and matrix pages' rules without a window: texts, typed-entry parsers,
// marker geometry, route lines and the channel-name field.
#include "pages/PageRules.h"

#include <gtest/gtest.h>

using namespace app;

namespace
{

TEST(PageRules, GeqGainText)
{
    struct Case {
        int position;
        const char* text;
    } cases[] = {{150, "+3.0"}, {90, "-3.0"}, {120, "+0.0"}, {119, "-0.1"}, {0, "-12.0"}, {240, "+12.0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(GeqGainText(c.position), QString::fromLatin1(c.text));
    }
}

TEST(PageRules, DelayTextInEveryUnit)
{
    struct Case {
        int samples, unit;
        const char* text;
    } cases[] = {{192, 0, "2.000ms"},     {192, 1, "0.687m"},     {192, 2, "2.254ft"},
                 {65280, 0, "680.000ms"}, {65280, 1, "233.580m"}, {65280, 2, "766.329ft"},
                 {0, 0, "0.000ms"},       {96, 7, "1.000ms"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DelayText(c.samples, c.unit), QString::fromLatin1(c.text));
    }
}

TEST(PageRules, TypedDelay)
{
    struct Case {
        const char* name;
        const char* text;
        int unit;
        std::optional<int> samples;
    } cases[] = {
        {"ms with its word", "1.5ms", 0, 144},
        {"upper-case word", "2MS", 0, 192},
        {"above the range", "700", 0, 65280},
        {"feet truncated", "766.329", 2, 65279},
        {"metres with a blank", "1.5 m", 1, 419},
        {"blanks before the number and word", "  1.5 ms", 0, 144},
        {"ms word under metres", "5ms", 1, std::nullopt},
        {"decimal comma", "1,5", 0, std::nullopt},
        {"two points", "1.5.2", 0, std::nullopt},
        {"letters after the number", "12abc", 0, std::nullopt},
        {"blank inside the number", "1 5", 0, std::nullopt},
        {"lone minus", "-", 0, std::nullopt},
        {"forty digits", "9999999999999999999999999999999999999999", 0, 65280},
        {"four hundred digits", nullptr, 2, 65280},
        {"exponent", "1e999", 0, std::nullopt},
        {"negative", "-5", 0, std::nullopt},
        {"empty", "", 0, std::nullopt},
        {"only the word", "ms", 0, std::nullopt},
        {"no digit", ".", 0, std::nullopt},
        {"letters", "abc", 0, std::nullopt},
        {"zero", "0", 0, 0},
    };
    const QString huge(400, QChar(u'9'));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseTypedDelay(c.text ? QString::fromLatin1(c.text) : huge, c.unit, 65280), c.samples);
    }
}

TEST(PageRules, DelayMarkerDashesAndDrag)
{
    EXPECT_EQ(DelayDashes(40), QString());
    EXPECT_EQ(DelayDashes(425).size(), 64);
    EXPECT_EQ(DelayDashes(420).size(), 63);
    EXPECT_EQ(DelayDashes(10), QString()); // a marker left of the line's start
    EXPECT_EQ(DelayDashes(5000).size(), 132);
    EXPECT_EQ(DragDashes(20), QString());
    EXPECT_EQ(DragDashes(21).size(), 1);
    EXPECT_EQ(DragDashes(5000).size(), 132);

    struct Case {
        const char* name;
        int x, width;
        std::optional<int> position;
    } cases[] = {
        {"start", 15, 475, 0},
        {"left of the start", -40, 475, 0},
        {"end of travel", 400, 475, 65280},
        {"past the end", 900, 475, 65280},
        {"middle", 207, 475, 32555},
        {"line of 90 pixels", 50, 90, std::nullopt},
        {"line narrower", 50, 40, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DelayDragPosition(c.x, c.width, 65280), c.position);
    }
    // Input marker at 40: its centre is line x 15.
    EXPECT_TRUE(NearDelayMarker(15, 24, 40, 49));
    EXPECT_TRUE(NearDelayMarker(29, 24, 40, 49));
    EXPECT_FALSE(NearDelayMarker(30, 24, 40, 49));
    EXPECT_FALSE(NearDelayMarker(15, 39, 40, 49));
}

TEST(PageRules, TypedMix)
{
    struct Case {
        const char* text;
        std::optional<int> position;
    } cases[] = {
        {"-3.75", -37},
        {"-25.3", -210},
        {"-25.7", -211},
        {"-20.7", -201},
        {"-20.3", -200},
        {"-25.5", -211},
        {"-70", -280},
        {"3", 0},
        {"+3", 0},
        {"-5 dB", -50},
        {"-5dB", -50},
        {"-0.3", -3},
        {"-60", -280},
        {"-1,5", std::nullopt},
        {"-1.5.2", std::nullopt},
        {"-12abc", std::nullopt},
        {"-1 5", std::nullopt},
        {"  -5  dB", -50},
        {"-12.34dB", -123},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"", std::nullopt},
        {"-5.", std::nullopt},
        {"1.2.3", std::nullopt},
        {"--5", std::nullopt},
        {"-5d", std::nullopt},
        {"+", std::nullopt},
        {"x", std::nullopt},
        {"99999999999999999999999999999999999999", 0},
        {"-99999999999999999999999999999999999999", -280},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseTypedMix(QString::fromLatin1(c.text)), c.position);
    }
}

TEST(PageRules, RouteSegments)
{
    const std::array<int, 3> still3{};
    const std::array<int, 6> still6{};
    const std::array<uint16_t, 6> aTo1And5 = {1, 0, 0, 0, 1, 0};
    EXPECT_EQ(MatrixRouteSegments(aTo1And5, still3, still6, 97),
              (std::vector<RouteSegment>{{0, 0, 0, 31, 97, 0, fw::clPurple},
                                         {0, 4, 0, 31, 97, 166, fw::clPurple}}));
    // Bits above the three inputs draw nothing; inputs come before outputs; moved rows take their lines.
    const std::array<uint16_t, 6> mixed = {0xFFF8 | 4, 2, 0, 0, 0, 1};
    const std::array<int, 3> in = {26, 15, 4};
    const std::array<int, 6> out = {-13, -14, -15, -16, -17, -18};
    EXPECT_EQ(MatrixRouteSegments(mixed, in, out, 200),
              (std::vector<RouteSegment>{{0, 5, 0, 31 + 26, 200, 206 - 18, fw::clPurple},
                                         {1, 1, 0, 103 + 15, 200, 41 - 14, fw::clOlive},
                                         {2, 0, 0, 175 + 4, 200, 0 - 13, fw::clTeal}}));
}

TEST(PageRules, ChannelNameField)
{
    const std::array<uint8_t, 8> sub = {'S', 'u', 'b', 0, 0, 0, 0, 0};
    EXPECT_EQ(ChannelNameField(QStringLiteral("Sub"), CodePage::Windows1252), sub);
    EXPECT_EQ(ChannelNameText(sub, CodePage::Windows1252), QStringLiteral("Sub"));
    const auto longName = ChannelNameField(QStringLiteral("Subwoofer Left"), CodePage::Windows1252);
    EXPECT_EQ(ChannelNameText(longName, CodePage::Windows1252), QStringLiteral("Subwoofe"));
    // One byte and four double-byte characters: the last would be cut in two and is left out.
    const auto chinese = ChannelNameField(QStringLiteral("A低音左声"), CodePage::Gbk);
    EXPECT_EQ(chinese[7], 0);
    EXPECT_EQ(ChannelNameText(chinese, CodePage::Gbk), QStringLiteral("A低音左"));
}

} // namespace
