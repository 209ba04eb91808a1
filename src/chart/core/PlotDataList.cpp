#include "chart/core/PlotDataList.h"

#include "chart/core/ChartError.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace chart
{

namespace
{
[[noreturn]] void Fail(const char* message)
{
    throw EChartError(QString::fromLatin1(message));
}
} // namespace

TcPlotDataCustomList::TcPlotDataCustomList(int dataPointSize)
    : FDataPointSize(dataPointSize), FMaxDataPoints(INT_MAX / dataPointSize)
{
    FStored.BarVisible = true;
}

std::unique_ptr<TcPlotDataCustomList> TcPlotDataCustomList::Create(TcPlotDataStyle Style)
{
    switch (Style) {
    case ipdsStandard:
        return std::make_unique<TcPlotDataNullList>();
    case ipdsCompact:
        return std::make_unique<TcPlotDataCompactList>();
    case ipdsCompactInterval:
        return std::make_unique<TcPlotDataCompactIntervalList>();
    case ipdsFullFeature:
        return std::make_unique<TcPlotDataFullList>();
    }
    return nullptr;
}

TcPlotPointStyle TcPlotDataCustomList::GetPointStyle(int) const
{
    return FStored;
}

void TcPlotDataCustomList::IndexOutOfBounds()
{
    Fail("Index out of Bounds");
}

int TcPlotDataCustomList::GrownCapacity() const
{
    if (FCapacity > 64)
        return FCapacity + FCapacity / 4;
    if (FCapacity > 8)
        return FCapacity + 16;
    return FCapacity + 4;
}

void TcPlotDataCustomList::Clear()
{
    FCount = 0;
    FTail = 0;
    if (!FRingBufferEnabled)
        SetCapacity(0);
}

void TcPlotDataCustomList::SetRingBufferSize(int Value)
{
    Value = std::max(0, Value);
    if (Value == 0) {
        // Writing 0 to a list whose ring is off changes nothing.
        if (!FRingBufferEnabled)
            return;
        FRingBufferEnabled = false;
        if (FTail != 0)
            Clear();
        return;
    }
    FRingBufferEnabled = true;
    if (Value == FCapacity)
        return;
    if (FTail != 0)
        Clear();
    if (Value > FCapacity) {
        SetCapacity(Value);
    } else {
        if (FCount > Value)
            DeletePoints(FCount - Value);
        SetCapacity(Value);
    }
}

template <class Rec> void TcPlotDataStorageList<Rec>::Linearise()
{
    if (FTail == 0)
        return;
    std::rotate(FList, FList + FTail, FList + FCount);
    FTail = 0;
}

template <class Rec> void TcPlotDataStorageList<Rec>::SetCapacity(int NewCapacity)
{
    NewCapacity = std::max(0, NewCapacity);
    if (NewCapacity > FMaxDataPoints)
        Fail("Exceed Maximum List Size");
    if (NewCapacity == FCapacity)
        return;
    Linearise();
    if (NewCapacity == 0) {
        std::free(FList);
        FList = nullptr;
    } else {
        void* grown = std::realloc(FList, sizeof(Rec) * std::size_t(NewCapacity));
        if (!grown)
            throw std::bad_alloc();
        FList = static_cast<Rec*>(grown); // new slots are written by Add before anything reads them
    }
    FCapacity = NewCapacity;
    if (FCount > NewCapacity)
        FCount = NewCapacity;
}

template <class Rec> void TcPlotDataStorageList<Rec>::DeletePoints(int Size)
{
    if (Size < 0 || Size > FCount || (Size == FCount && !AcceptsDeleteAll()))
        Fail(DeleteRangeMessage());
    if (Size == 0)
        return;
    Linearise();
    std::memmove(static_cast<void*>(FList), FList + Size, sizeof(Rec) * std::size_t(FCount - Size));
    FCount -= Size;
}

template <class Rec> Rec& TcPlotDataStorageList<Rec>::FullSlot(int& Index)
{
    if (FRingBufferEnabled && FCapacity > 0 && FCount == FCapacity) {
        ++FTail;
        if (FTail == FCount)
            FTail = 0;
        Index = FCount - 1;
        return FList[FTail == 0 ? FCount - 1 : FTail - 1];
    }
    if (FCount == FCapacity)
        SetCapacity(GrownCapacity());
    Index = FCount++;
    return FList[Index];
}

template class TcPlotDataStorageList<TcPlotDataNull>;
template class TcPlotDataStorageList<TcPlotDataSingle>;
template class TcPlotDataStorageList<TcPlotDataCompactInterval>;
template class TcPlotDataStorageList<TcPlotDataFull>;

// Standard list.
void TcPlotDataNullList::SetBit(int Index, std::uint16_t bit, bool on)
{
    auto& r = At(Index);
    r.Extra = on ? (r.Extra | bit) : (r.Extra & ~bit);
}

void TcPlotDataNullList::SetMarkerStyle(int Index, TcPlotMarkerStyle Value)
{
    auto& r = At(Index);
    r.Extra = std::uint16_t((r.Extra & ~(0xF << 3)) | ((Value & 0xF) << 3));
}

TcPlotPointStyle TcPlotDataNullList::GetPointStyle(int Index) const
{
    TcPlotPointStyle s = FStored;
    s.MarkerVisible = GetMarkerVisible(Index);
    s.MarkerStyle = GetMarkerStyle(Index);
    return s;
}

void TcPlotDataNullList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const
{
    const auto& r = At(Index);
    X = r.X;
    Y = r.Y;
    Empty = r.Extra & 2;
    Null = r.Extra & 1;
}

// Compact list.
int TcPlotDataCompactList::Add(double X, double Y, bool, bool)
{
    int index;
    auto& r = NewSlot(index);
    r.X = float(X);
    r.Y = float(Y);
    return index;
}

void TcPlotDataCompactList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const
{
    const auto& r = At(Index);
    X = r.X;
    Y = r.Y;
    Empty = Null = false;
}

// Compact-interval list.
void TcPlotDataCompactIntervalList::SetX(int Index, double Value)
{
    if (Index != 0 || FCount == 0)
        Fail(
            "Data Style does not support setting individual X-Value with the exception of the first X-Value");
    FFirstX = Value;
}

int TcPlotDataCompactIntervalList::Add(double X, double Y, bool, bool)
{
    if (FCount == 0)
        FFirstX = X;
    else if (FCount == 1 && !FIntervalKnown) {
        FInterval = X - FFirstX;
        FIntervalKnown = true;
    }
    const bool overwrites = FRingBufferEnabled && FCapacity > 0 && FCount == FCapacity;
    int index;
    NewSlot(index).Y = float(Y);
    if (overwrites && FCount > 1)
        FFirstX += Interval();
    return index;
}

void TcPlotDataCompactIntervalList::Clear()
{
    TcPlotDataCustomList::Clear();
    FIntervalKnown = false;
}

// The remaining points keep their X: the first X moves on by the deleted steps.
void TcPlotDataCompactIntervalList::DeletePoints(int Size)
{
    TcPlotDataStorageList::DeletePoints(Size);
    if (FIntervalKnown)
        FFirstX += Size * FInterval;
}

void TcPlotDataCompactIntervalList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty,
                                                   bool& Null) const
{
    Y = At(Index).Y;
    X = GetX(Index);
    Empty = Null = false;
}

// Full-feature list.
int TcPlotDataFullList::Add(double X, double Y, bool Null, bool Empty)
{
    int index;
    auto& r = NewSlot(index);
    r = TcPlotDataFull{X, Y, Null, Empty, 0, 0, 0, 0, FStored};
    r.Style.MarkerCharacter = QChar();
    return index;
}

void TcPlotDataFullList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const
{
    const auto& r = At(Index);
    X = r.X;
    Y = r.Y;
    Empty = r.Empty;
    Null = r.Null;
}

} // namespace chart
