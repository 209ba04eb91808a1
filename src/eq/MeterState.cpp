#include "eq/MeterState.h"

#include <algorithm>

namespace eq
{

void TMeterState::SetCounts(int first, int second, int third)
{
    FFirst = std::max(0, first);
    FSecond = std::max(0, second);
    FThird = std::max(0, third);
    FLit.assign(std::size_t(Count()), false);
}

bool TMeterState::SetPosition(int p)
{
    if (p == FPosition)
        return false;
    FPosition = p < FMin ? FMin : p > FMax ? FMax : p;
    const int n = Count();
    int lit = 0;
    if (n > 0 && FMax > 0 && FMax > FMin) {
        const float step = float(FMax) / float(n);
        const float q = float(FPosition) / step;
        lit = q <= 0 ? 0 : q >= float(n) ? n : int(q);
        if (p >= FMax && lit < n)
            ++lit;
    }
    for (int i = 0; i < n; ++i)
        FLit[std::size_t(i)] = i >= n - lit;
    return true;
}

void TMeterState::UnlightZone(int zone)
{
    for (int i = 0; i < Count(); ++i)
        if (ZoneOf(i) == zone)
            FLit[std::size_t(i)] = false;
}

TSegmentBox SegmentBox(int i, int n, int w, int h)
{
    if (n <= 0)
        return {};
    return {0, int(double(h) / n * i) - 1, w, h / n + 2};
}

} // namespace eq
