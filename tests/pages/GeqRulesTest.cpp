// The graphic equaliser page's rules without any control: the bypass word of a link group.
#include "pages/GeqRules.h"

#include <gtest/gtest.h>

using namespace app;

namespace
{

TEST(GeqRules, BypassMaskToggle)
{
    struct Case {
        const char* name;
        uint16_t mask;
        unsigned group;
        int input;
        uint16_t expected;
        bool bypass;
    } cases[] = {
        {"alone, on", 0b000, 0b000, 1, 0b010, true},
        {"alone, off", 0b010, 0b000, 1, 0b000, false},
        {"group word without the input itself", 0b000, 0b100, 0, 0b101, true},
        {"the group follows the pressed input, not its own bits", 0b100, 0b101, 0, 0b101, true},
        {"a bypassed input frees its whole group", 0b011, 0b011, 1, 0b000, false},
        {"inputs outside the group keep their bit", 0b100, 0b011, 0, 0b111, true},
        {"outside the group, off", 0b111, 0b011, 1, 0b100, false},
        {"bits above the inputs are kept", 0xFF00, 0b000, 2, 0xFF04, true},
        {"group bits above the inputs are ignored", 0b000, 0xFFF8, 0, 0b001, true},
        {"input below the range", 0b101, 0b111, -1, 0b101, false},
        {"input above the range", 0b000, 0b111, 3, 0b000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GeqBypassToggle t = GeqBypassMaskToggle(c.mask, c.group, c.input);
        EXPECT_EQ(t.mask, c.expected);
        EXPECT_EQ(t.bypass, c.bypass);
    }
}

} // namespace
