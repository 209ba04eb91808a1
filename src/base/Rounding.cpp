#include "base/Rounding.h"

#include <algorithm>
#include <climits>
#include <cmath>

long long RoundHalfEven(double v)
{
    const double r = std::nearbyint(v);
    // 2^63 is the first double past the range; every double below it converts exactly.
    if (!(r < 9223372036854775808.0))
        return std::isnan(r) ? 0 : LLONG_MAX;
    if (r < -9223372036854775808.0)
        return LLONG_MIN;
    return static_cast<long long>(r);
}

int RoundInt(double v)
{
    return SaturateInt(RoundHalfEven(v));
}

int TruncInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483648.0)
        return INT_MAX;
    if (v <= -2147483649.0)
        return INT_MIN;
    return static_cast<int>(v);
}

int SaturateInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}
