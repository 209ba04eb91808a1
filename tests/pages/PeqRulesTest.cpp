// The channel pages' equaliser and cut rules without any control: the Q rules of the band types, the
// group bypass mask, the slope code and the drag arithmetic.
#include "pages/PeqRules.h"

#include "base/ValueScales.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace app;

namespace
{

constexpr std::optional<PeqQ> kStands = std::nullopt;

TEST(PeqRules, QRuleOfTheBandTypes)
{
    struct Case {
        const char* name;
        int type, storedType;
        double q;
        int defaultQIndex;
        std::optional<PeqQ> want;
    };
    const Case cases[] = {
        {"peak kept: any Q", PeqTypePeak, PeqTypePeak, 40.0, 10, kStands},
        {"peak chosen: its default Q", PeqTypePeak, PeqTypeLowShelf, 0.71, 16, PeqQ{1.0, 16}},
        {"peak chosen at its default Q already", PeqTypePeak, PeqTypeHp6, 1.0, 16, kStands},
        {"all-pass chosen: default index past the table", PeqTypeAllpass2, PeqTypePeak, 1.0, 250,
         PeqQ{128.0, QIndexMax}},
        {"all-pass 1 kept", PeqTypeAllpass1, PeqTypeAllpass1, 90.0, 10, kStands},
        {"shelf kept above the ceiling: held at 3.0", PeqTypeLowShelf, PeqTypeLowShelf, 4.0, 10,
         PeqQ{3.0, 35}},
        {"shelf kept at the ceiling", PeqTypeHighShelf, PeqTypeHighShelf, 3.0, 10, kStands},
        {"shelf kept below the ceiling", PeqTypeHighShelf, PeqTypeHighShelf, 0.5, 10, kStands},
        {"cut chosen: the fixed Q", PeqTypeHp12, PeqTypePeak, 2.5, 10, PeqQ{0.71, 10}},
        {"cut chosen at the fixed Q", PeqTypeLp6, PeqTypePeak, 0.71, 10, kStands},
        {"held type chosen from another held type", PeqTypeLp12, PeqTypeLowShelf, 0.4, 10, PeqQ{0.71, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PeqQRule(c.type, c.storedType, c.q, c.defaultQIndex), c.want);
    }
    // The set Q lands on its own index, so the nested change finds nothing more to do.
    EXPECT_EQ(QTable[std::size_t(QToIndex(PeqQCeiling))], PeqQCeiling);
    EXPECT_EQ(QTable[std::size_t(QToIndex(PeqFixedQ))], PeqFixedQ);
}

TEST(PeqRules, QFaderOfAHeldTypeStopsAtTheCeiling)
{
    const int ceiling = QToIndex(PeqQCeiling);
    struct Case {
        int type, position, want;
    };
    const Case cases[] = {
        {PeqTypePeak, 80, 80},
        {PeqTypeAllpass1, 100, 100},
        {PeqTypeAllpass2, 0, 0},
        {PeqTypeLowShelf, 80, ceiling},
        {PeqTypeHp6, ceiling, ceiling},
        {PeqTypeLp12, ceiling - 1, ceiling - 1},
        {PeqTypeHighShelf, 100, ceiling},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PeqQFaderPosition(c.type, c.position), c.want) << c.type << ' ' << c.position;
}

TEST(PeqRules, BypassFollowsTheClickedChannelOverItsGroup)
{
    struct Case {
        const char* name;
        uint16_t mask;
        int bit;
        unsigned group;
        int count;
        uint16_t want;
    };
    const Case cases[] = {
        {"alone, on", 0x00, 1, 0b010, 3, 0b010},
        {"alone, off", 0b111, 1, 0b010, 3, 0b101},
        {"group on, mixed members follow", 0b100, 0, 0b111, 3, 0b111},
        {"group off, mixed members follow", 0b001, 0, 0b011, 3, 0b000},
        {"outputs: member of 2..4", 0b000001, 3, 0b011100, 6, 0b011101},
        {"bits beyond the kind untouched", 0xFF00, 2, 0xFFFF, 3, 0xFF07},
        {"output 6 off in a group of all", 0b111111, 5, 0b111111, 6, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToggledEqBypass(c.mask, c.bit, c.group, c.count), c.want);
    }
}

TEST(PeqRules, CutSlopeCode)
{
    EXPECT_EQ(CutSlopeCode(true, 3), 0);
    EXPECT_EQ(CutSlopeCode(false, 0), 1);
    EXPECT_EQ(CutSlopeCode(false, 7), 8);
}

TEST(PeqRules, CutFrequencyText)
{
    EXPECT_EQ(CutFrequencyText(0), QStringLiteral("19.7Hz"));
    EXPECT_EQ(CutFrequencyText(FreqIndex1kHz), QStringLiteral("1.00KHz"));
    EXPECT_EQ(CutFrequencyText(FreqIndexMax), QStringLiteral("20.16KHz"));
    EXPECT_EQ(CutFrequencyText(FreqIndex1kHz - 1), QStringLiteral("977.2Hz"));
}

TEST(PeqRules, DragFrequencyIsOnTheGridAndHeldToTheAudioBand)
{
    struct Case {
        const char* name;
        double axisX;
        double want;
    };
    const Case cases[] = {
        {"left edge", 0, 19.7},
        {"below the band", 1000, 19.7},
        {"1 kHz on the grid", 4096 * 3 / std::log10(48000.0), IndexToFreq(FreqIndex1kHz)},
        {"right edge", 4096, 20160},
        {"past the right edge", 5000, 20160},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(DragFrequency(c.axisX), c.want);
    }
    for (double x = 0; x <= 4096; x += 37.5) {
        const double f = DragFrequency(x);
        EXPECT_GE(f, IndexToFreq(0));
        EXPECT_LE(f, 20160);
        if (f != 19.7 && f < 20160) {
            EXPECT_DOUBLE_EQ(f, IndexToFreq(FreqToIndex(f))) << x;
        }
    }
}

TEST(PeqRules, DragGainIsHeldAndCut)
{
    struct Case {
        const char* name;
        double downY, bandGain, want;
    };
    const Case cases[] = {
        {"raised band, down 3.27", 3.27, 2.0, -3.2},
        {"lowered band counts one higher", 3.27, -2.0, -4.2},
        {"0 dB band", -5.55, 0.0, 5.5},
        {"above the top", -20, 0.0, 12.0},
        {"below the bottom", 30, 0.0, -12.0},
        {"lowered band at the bottom", 11.5, -1.0, -12.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(DragGain(c.downY, c.bandGain), c.want, 1e-9);
    }
}

TEST(PeqRules, DraggedIndicesStayOnTheFaders)
{
    struct Case {
        double hz;
        int band, corner;
    };
    const Case cases[] = {
        {19.7, FreqToIndex(19.7), 0},
        {1000, FreqIndex1kHz, FreqIndex1kHz},
        {20160, FreqIndexMax, FreqIndexMax},
        {1e6, FreqIndexMax, FreqIndexMax},
        {1.0, FreqIndexMax, 0}, // a negative index wraps to a large one and is held at the top
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DragBandFreqIndex(c.hz), c.band) << c.hz;
        EXPECT_EQ(CornerFaderPosition(c.hz), c.corner) << c.hz;
    }
}

} // namespace
