// The curve colour tables against their printed red, green and blue values.
#include "curves/CurveColours.h"

#include <gtest/gtest.h>

namespace
{

struct Rgb {
    int r, g, b;
    fw::TColor Color() const { return fw::RGB(r, g, b); }
};

TEST(ColourTables, MarkerCycle)
{
    ASSERT_EQ(MarkerColours.size(), 56u);
    struct Case {
        const char* name;
        int index;
        Rgb colour;
    };
    const Case cases[] = {
        {"red", 0, {255, 0, 0}},
        {"yellow", 1, {255, 255, 0}},
        {"sky blue", 6, {166, 202, 240}},
        {"cream", 10, {255, 251, 240}},
        {"navy", 13, {0, 0, 128}},
        {"cycle restarts", 14, {255, 0, 0}},
        {"third fuchsia", 30, {255, 0, 255}},
        {"last", 55, {0, 0, 128}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MarkerColours[c.index], c.colour.Color());
    }
    for (std::size_t i = 14; i < MarkerColours.size(); ++i)
        EXPECT_EQ(MarkerColours[i], MarkerColours[i - 14]) << i;
}

TEST(ColourTables, ChannelColours)
{
    ASSERT_EQ(ChannelColours.size(), 17u);
    const Rgb expected[17] = {
        {128, 0, 128}, {128, 128, 0}, {0, 128, 128}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
        {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {166, 202, 240}, {255, 251, 240}, {128, 0, 128},
        {128, 128, 0}, {128, 0, 128}, {128, 128, 0}, {0, 128, 128},   {128, 0, 0},
    };
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(ChannelColours[i], expected[i].Color()) << i;
}

TEST(ColourTables, ColorRefIsBgr)
{
    EXPECT_EQ(fw::clRed, 0x0000FF);
    EXPECT_EQ(fw::clNavy, 0x800000);
    EXPECT_EQ(fw::clSkyBlue, 0xF0CAA6);
}

} // namespace
