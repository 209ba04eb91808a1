// The strip's rules without a window: the compressor and limiter lamps of a level reply.
#include "pages/StripRules.h"

#include <gtest/gtest.h>

using namespace app;

namespace
{

TEST(StripRules, OutputLamps)
{
    struct Case {
        const char* name;
        uint16_t flags;
        int output, ratio, threshold;
        OutputLamps expected;
    };
    const Case cases[] = {
        {"no flags", 0x0000, 0, 9, 0, {0, 0, 0}},
        {"compressor of output 1", 0x0001, 0, 9, 0, {1, 0, 1}},
        {"compressor at 1:1 stays dark", 0x0001, 0, 0, 0, {0, 0, 0}},
        {"limiter of output 6", 0x2000, 5, 9, -12, {0, 1, 1}},
        {"limiter at its top threshold stays dark", 0x2000, 5, 9, 40, {0, 0, 0}},
        {"both", 0x0404, 2, 3, 0, {1, 1, 1}},
        {"another output's flags", 0x0202, 0, 9, 0, {0, 0, 0}},
        {"flags above the limiter bits count for nothing", 0xC0C0, 3, 9, 0, {0, 0, 0}},
        {"no output past 6", 0xFFFF, 6, 9, 0, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LampsOf(c.flags, c.output, c.ratio, c.threshold), c.expected);
    }
}

} // namespace
