#include "chart/core/PlotDataHolders.h"

#include "chart/core/ChartError.h"

#include <algorithm>

namespace chart
{

int TcLimitDataList::Add(double First, double Second, double Third)
{
    if (FCount == FCapacity)
        SetCapacity(FCapacity > 64  ? FCapacity + FCapacity / 4
                    : FCapacity > 8 ? FCapacity + 16
                                    : FCapacity + 4);
    FList[FCount] = {{First, Second, Third}};
    return FCount++;
}

void TcLimitDataList::Clear()
{
    FCount = 0;
    FCapacity = 0;
    std::vector<Element>().swap(FList);
}

void TcLimitDataList::SetCapacity(int NewCapacity)
{
    if (NewCapacity > 134217727)
        throw EChartError(QStringLiteral("Exceed Maximum List Size"));
    NewCapacity = std::max(0, NewCapacity);
    FList.resize(std::size_t(NewCapacity));
    FCapacity = NewCapacity;
    FCount = std::min(FCount, NewCapacity);
}

const TcLimitDataList::Element& TcLimitDataList::At(int Index) const
{
    if (Index < 0 || Index >= FCount)
        throw EChartError(QStringLiteral("Index out of Bounds"));
    return FList[Index];
}

} // namespace chart
