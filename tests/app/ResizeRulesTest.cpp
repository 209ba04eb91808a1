// The resize rules as a pure function of the outer window size.
#include "app/main/ResizeRules.h"

#include <gtest/gtest.h>

using namespace app;

namespace
{

// The value a plan gives a control's property, or -1 when it gives none.
int ValueOf(const ResizePlan& plan, const char* name, Prop prop)
{
    int value = -1;
    for (const Placement& p : plan.placements)
        if (p.name == QString::fromLatin1(name) && p.prop == prop)
            value = p.value;
    return value;
}

TEST(ResizeRules, Cases)
{
    struct Case {
        const char* name;
        int w, h;
        const char* control;
        Prop prop;
        int expected;
    };
    const Case cases[] = {
        {"design: page meter top", 1125, 727, "pbLevelCompOut", Prop::Top, 43},
        {"design: page meter height", 1125, 727, "pbLevelCompOut", Prop::Height, 185},
        {"design: bypass button", 1125, 727, "vrbEqBypassInA", Prop::Left, 776},
        {"design: preset top", 1125, 727, "rzgPreset", Prop::Top, 626},
        {"design: preset left", 1125, 727, "rzgPreset", Prop::Left, 10},
        {"1200 wide: matrix out row left", 1200, 727, "plMatrixOut1", Prop::Left, 611},
        {"1200 wide: matrix out row width", 1200, 727, "plMatrixOut1", Prop::Width, 535},
        {"1200 wide: gain column", 1200, 727, "lbMatrixGainInA", Prop::Left, 83},
        {"1200 wide: gain out graph", 1200, 727, "fftDrawGainOut", Prop::Left, 587},
        {"dh 100: limit label", 1125, 827, "lbLimitCompOut", Prop::Top, 33},
        {"dh 100: clip label", 1125, 827, "lbClipCompOut", Prop::Top, 67},
        {"dh 100: -60 label", 1125, 827, "lbN60CompOut", Prop::Top, 308},
        {"dh 100: gate meter height", 1125, 827, "pbLevelGateInB", Prop::Height, 296},
        {"dh 100: gate meter top", 1125, 827, "pbLevelGateInB", Prop::Top, 43},
        {"dh 100: output 6 delay row", 1125, 827, "lbDelayLineOut6", Prop::Top, 272},
        {"dh 100: -60 output 3 label", 1125, 827, "lbN60LimitOut3", Prop::Top, 322},
        {"dh 100: -20 gate B label", 1125, 827, "lbN20GateInB", Prop::Top, 252},
        {"dh 8: meter grows", 1125, 735, "pbLevelCompOut", Prop::Height, 192},
        {"dh 8: meter top stays", 1125, 735, "pbLevelCompOut", Prop::Top, 43},
        {"1124x900: height pass runs", 1124, 900, "rzgMain", Prop::Height, 802},
        {"1124x900: no width pass", 1124, 900, "rzgMain", Prop::Width, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ValueOf(ResizeRules(c.w, c.h), c.control, c.prop), c.expected);
    }
}

TEST(ResizeRules, PassesAndScrollBars)
{
    const ResizePlan design = ResizeRules(1125, 727);
    EXPECT_FALSE(design.autoScroll);
    EXPECT_TRUE(design.heightPass && design.widthPass);
    const ResizePlan narrow = ResizeRules(1124, 900);
    EXPECT_TRUE(narrow.autoScroll);
    EXPECT_TRUE(narrow.heightPass);
    EXPECT_FALSE(narrow.widthPass);
    EXPECT_EQ(narrow.extraHeight, 173);
    const ResizePlan small = ResizeRules(800, 600);
    EXPECT_TRUE(small.autoScroll);
    EXPECT_TRUE(small.placements.empty());
    // Absolute rules: the same size gives the same plan whatever came before.
    EXPECT_EQ(ResizeRules(1300, 800).placements, ResizeRules(1300, 800).placements);
}

TEST(ResizeRules, DelayMarker)
{
    EXPECT_EQ(DelayMarkerLeft(0, 475, 65280), 40);
    EXPECT_EQ(DelayMarkerLeft(65280, 475, 65280), 475 - 50);
    EXPECT_EQ(DelayMarkerLeft(32640, 470, 65280), 190 + 40);
}

} // namespace
