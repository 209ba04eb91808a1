// The level meter's lit segments, clamps and geometry, without a window.
#include "eq/MeterState.h"

#include <gtest/gtest.h>
#include <string>

using namespace eq;

namespace
{
// Lit mask from the top as a string ("0" unlit, "1" lit).
std::string Mask(const TMeterState& m)
{
    std::string s;
    for (bool b : m.Lit())
        s += b ? '1' : '0';
    return s;
}

TMeterState Config(int a, int b, int c, int max)
{
    TMeterState m;
    m.SetCounts(a, b, c);
    m.SetMax(max);
    return m;
}
} // namespace

TEST(MeterState, PositionLightsFromTheBottom)
{
    struct Case {
        const char* name;
        int a, b, c, max;
        int position;
        const char* mask;
        int stored;
    } cases[] = {
        {"input at 4", 1, 2, 6, 9, 4, "000001111", 4},
        {"input at 8", 1, 2, 6, 9, 8, "011111111", 8},
        {"input at 9", 1, 2, 6, 9, 9, "111111111", 9},
        {"input above max", 1, 2, 6, 9, 30, "111111111", 9},
        {"input negative", 1, 2, 6, 9, -5, "000000000", 0},
        {"output at 3", 1, 3, 4, 8, 3, "00000111", 3},
        {"output at 8", 1, 3, 4, 8, 8, "11111111", 8},
        {"lamp on", 0, 1, 0, 1, 1, "1", 1},
        {"three of 100 at full scale", 1, 1, 1, 100, 100, "111", 100},
        {"three of 100 at 66", 1, 1, 1, 100, 66, "001", 66},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMeterState m = Config(c.a, c.b, c.c, c.max);
        EXPECT_TRUE(m.SetPosition(c.position));
        EXPECT_EQ(Mask(m), c.mask);
        EXPECT_EQ(m.Position(), c.stored);
    }
}

TEST(MeterState, SamePositionAndCountChanges)
{
    TMeterState m = Config(1, 2, 6, 9);
    m.SetPosition(5);
    EXPECT_FALSE(m.SetPosition(5));
    m.SetCounts(1, 3, 6);
    EXPECT_EQ(Mask(m), "0000000000"); // a count change leaves all unlit
    EXPECT_FALSE(m.SetPosition(5));   // and the same position lights nothing until it changes
    EXPECT_EQ(Mask(m), "0000000000");
    m.SetPosition(4);
    EXPECT_EQ(Mask(m), "0000001111");
    m.UnlightZone(2);
    EXPECT_EQ(Mask(m), "0000000000");
}

TEST(MeterState, UnusableMetersLightNothing)
{
    struct Case {
        const char* name;
        int a, b, c, max, min;
    } cases[] = {{"no segments", 0, 0, 0, 9, 0},
                 {"max equals min", 1, 2, 6, 0, 0},
                 {"max below min", 1, 2, 6, -5, 0},
                 {"negative counts", -1, -2, -3, 9, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMeterState m = Config(c.a, c.b, c.c, c.max);
        m.SetMin(c.min);
        m.SetPosition(7);
        EXPECT_FALSE(m.Drawable());
        for (bool b : m.Lit())
            EXPECT_FALSE(b);
    }
}

TEST(MeterState, SegmentGeometry)
{
    EXPECT_EQ(SegmentBox(0, 9, 14, 132), (TSegmentBox{0, -1, 14, 16}));
    EXPECT_EQ(SegmentBox(1, 9, 14, 132), (TSegmentBox{0, 13, 14, 16}));
    EXPECT_EQ(SegmentBox(8, 9, 14, 132), (TSegmentBox{0, 116, 14, 16}));
    EXPECT_EQ(SegmentBox(3, 8, 14, 100), (TSegmentBox{0, 36, 14, 14}));
    EXPECT_EQ(SegmentBox(0, 0, 14, 100), (TSegmentBox{}));
}
