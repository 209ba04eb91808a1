// A flag held set for a scope goes back to what it was, however the scope ends.
#include "base/FlagScope.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{

TEST(FlagScope, GivesBackThePreviousSetting)
{
    struct Case {
        const char* name;
        bool before;
        bool throws;
    } cases[] = {
        {"clear flag, normal end", false, false},
        {"clear flag, exception", false, true},
        {"set flag (a nested scope), normal end", true, false},
        {"set flag (a nested scope), exception", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool flag = c.before;
        bool inside = false;
        try {
            FlagScope scope(flag);
            inside = flag;
            if (c.throws)
                throw std::runtime_error("handler failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_TRUE(inside);
        EXPECT_EQ(flag, c.before);
    }
}

TEST(FlagScope, InnerScopeKeepsTheOuterSetting)
{
    bool flag = false;
    {
        FlagScope outer(flag);
        {
            FlagScope inner(flag);
            EXPECT_TRUE(flag);
        }
        EXPECT_TRUE(flag);
    }
    EXPECT_FALSE(flag);
}

} // namespace
