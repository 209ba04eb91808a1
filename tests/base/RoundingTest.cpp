// Double to integer: halves to even, truncation toward zero, both saturated, not a number to 0.
#include "base/Rounding.h"

#include "support/NonFinite.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{

TEST(Rounding, HalfEven)
{
    struct Case {
        const char* name;
        double value;
        long long wide;
        int narrow;
    } cases[] = {
        {"half down to even", 2.5, 2, 2},
        {"half up to even", 3.5, 4, 4},
        {"negative half to even", -2.5, -2, -2},
        {"minus a half to zero", -0.5, 0, 0},
        {"below a half", 2.4999999, 2, 2},
        {"above a half", -2.5000001, -3, -3},
        {"int top", 2147483647.4, 2147483647, INT_MAX},
        {"past the int top", 2147483647.5, 2147483648LL, INT_MAX},
        {"int bottom, even", -2147483648.5, -2147483648LL, INT_MIN},
        {"past the int bottom", -2147483649.0, -2147483649LL, INT_MIN},
        {"largest double below 2^63", 9223372036854774784.0, 9223372036854774784LL, INT_MAX},
        {"2^63", 9223372036854775808.0, LLONG_MAX, INT_MAX},
        {"-2^63", -9223372036854775808.0, LLONG_MIN, INT_MIN},
        {"huge", 1e300, LLONG_MAX, INT_MAX},
        {"huge negative", -1e300, LLONG_MIN, INT_MIN},
        {"infinity", kInf, LLONG_MAX, INT_MAX},
        {"minus infinity", -kInf, LLONG_MIN, INT_MIN},
        {"not a number", kNaN, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RoundHalfEven(c.value), c.wide);
        EXPECT_EQ(RoundInt(c.value), c.narrow);
    }
}

TEST(Rounding, TruncatesTowardZeroSaturated)
{
    struct Case {
        const char* name;
        double value;
        int result;
    } cases[] = {
        {"positive", 2.9, 2},
        {"negative", -2.9, -2},
        {"just below one", 0.9999, 0},
        {"int top with a fraction", 2147483647.9, INT_MAX},
        {"2^31", 2147483648.0, INT_MAX},
        {"int bottom with a fraction", -2147483648.9, INT_MIN},
        {"below the int bottom", -2147483649.0, INT_MIN},
        {"huge", 1e300, INT_MAX},
        {"infinity", kInf, INT_MAX},
        {"minus infinity", -kInf, INT_MIN},
        {"not a number", kNaN, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TruncInt(c.value), c.result);
    }
}

TEST(Rounding, SaturatesAWideInteger)
{
    struct Case {
        const char* name;
        long long value;
        int result;
    } cases[] = {
        {"inside", -5, -5},
        {"int top", INT_MAX, INT_MAX},
        {"past the top", INT_MAX + 1LL, INT_MAX},
        {"int bottom", INT_MIN, INT_MIN},
        {"past the bottom", INT_MIN - 1LL, INT_MIN},
        {"widest", LLONG_MAX, INT_MAX},
        {"widest negative", LLONG_MIN, INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SaturateInt(c.value), c.result);
    }
}

} // namespace
