// The data lists of a chart channel: an ordered, growable array of point records with an optional
// ring buffer. Four classes share TcPlotDataCustomList and differ in what a point keeps (24, 8, 4
// or 144 bytes). The base also holds the channel's stored style defaults. A list is owned by its
// channel; no locking (the chart's Lock guards feeding from other threads).
#pragma once

#include "framework/Colors.h"

#include <QChar>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <vector>

namespace chart
{

using fw::TColor;

enum TcPlotDataStyle : std::uint8_t { ipdsStandard, ipdsCompact, ipdsCompactInterval, ipdsFullFeature };
constexpr int TcPlotDataStyleCount = 4;
enum TcPlotLineStyle : std::uint8_t { iplsSolid, iplsDash, iplsDot, iplsDashDot, iplsDashDotDot };
enum TcPlotMarkerStyle : std::uint8_t {
    ipmsCircle,
    ipmsSquare,
    ipmsDiamond,
    ipmsCross,
    ipmsPlus,
    ipmsTriangleUp,
    ipmsTriangleDown,
    ipmsTriangleLeft,
    ipmsTriangleRight,
    ipmsVerticalLine,
    ipmsHorizontalLine,
    ipmsCharacter
};
// Pen and brush styles as the framework's TPenStyle and TBrushStyle ordinals.
using TcPenStyleValue = std::uint8_t;
using TcBrushStyleValue = std::uint8_t;

// The per-point styles, as stored defaults of a list or fields of a full-feature point.
struct TcPlotPointStyle {
    TColor TraceLineColor = 0;
    int TraceLineWidth = 0;
    TcPlotLineStyle TraceLineStyle = iplsSolid;
    bool MarkerVisible = false;
    int MarkerSize = 0;
    TcPlotMarkerStyle MarkerStyle = ipmsCircle;
    TColor MarkerPenColor = 0;
    int MarkerPenWidth = 0;
    TcPenStyleValue MarkerPenStyle = 0;
    TColor MarkerBrushColor = 0;
    TcBrushStyleValue MarkerBrushStyle = 0;
    QChar MarkerCharacter;
    bool BarVisible = true;
    double BarReference = 0;
    double BarWidth = 0;
    TColor BarPenColor = 0;
    int BarPenWidth = 0;
    TcPenStyleValue BarPenStyle = 0;
    TColor BarBrushColor = 0;
    TcBrushStyleValue BarBrushStyle = 0;
};

class TcPlotDataCustomList
{
  public:
    virtual ~TcPlotDataCustomList() = default;

    virtual double GetX(int Index) const = 0;
    virtual double GetY(int Index) const = 0;
    virtual bool GetEmpty(int) const { return false; }
    virtual bool GetNull(int) const { return false; }
    virtual double GetHigh(int) const { return 0; }
    virtual double GetLow(int) const { return 0; }
    virtual double GetOpen(int) const { return 0; }
    virtual double GetClose(int) const { return 0; }
    virtual void SetX(int Index, double Value) = 0;
    virtual void SetY(int Index, double Value) = 0;
    virtual void SetEmpty(int, bool) {}
    virtual void SetNull(int, bool) {}
    virtual void SetHigh(int, double) {}
    virtual void SetLow(int, double) {}
    virtual void SetOpen(int, double) {}
    virtual void SetClose(int, double) {}
    // Per-point styles: the stored defaults unless the list keeps them per point.
    virtual TcPlotPointStyle GetPointStyle(int Index) const;
    virtual bool GetMarkerVisible(int) const { return FStored.MarkerVisible; }
    virtual TcPlotMarkerStyle GetMarkerStyle(int) const { return FStored.MarkerStyle; }
    virtual void SetMarkerVisible(int, bool) {}
    virtual void SetMarkerStyle(int, TcPlotMarkerStyle) {}
    virtual void SetPointStyle(int, const TcPlotPointStyle&) {}

    // Appends a point; returns its index.
    virtual int Add(double X, double Y, bool Null, bool Empty) = 0;
    virtual void Clear();
    virtual void SetCapacity(int NewCapacity) = 0;
    // Removes the Size oldest points.
    virtual void DeletePoints(int Size) = 0;
    virtual void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const = 0;

    int Count() const { return FCount; }
    int Capacity() const { return FCapacity; }
    int DataPointSize() const { return FDataPointSize; }
    int MaxDataPoints() const { return FMaxDataPoints; }
    long long MemoryUsed() const { return (long long)FDataPointSize * FCapacity; }
    bool RingBufferEnabled() const { return FRingBufferEnabled; }
    int RingBufferSize() const { return FRingBufferEnabled ? FCapacity : 0; }
    void SetRingBufferSize(int Value);

    TcPlotPointStyle& Stored() { return FStored; }
    const TcPlotPointStyle& Stored() const { return FStored; }

    // A new list of a style (nullptr for an ordinal outside the enumeration).
    static std::unique_ptr<TcPlotDataCustomList> Create(TcPlotDataStyle Style);

  protected:
    explicit TcPlotDataCustomList(int dataPointSize);
    int GetStorageIndex(int Index) const
    {
        if (Index < 0 || Index >= FCount)
            IndexOutOfBounds();
        if (FTail == 0)
            return Index;
        const int slot = Index + FTail;
        return slot > FCount - 1 ? slot - FCount : slot;
    }
    [[noreturn]] static void IndexOutOfBounds();
    int GrownCapacity() const;

    int FCount = 0;
    int FCapacity = 0;
    int FTail = 0;
    bool FRingBufferEnabled = false;
    int FDataPointSize = 0;
    int FMaxDataPoints = 0;
    TcPlotPointStyle FStored;
};

// Point records.
struct TcPlotDataNull {
    double X;
    double Y;
    std::uint16_t Extra;
};
struct TcPlotDataSingle {
    float X;
    float Y;
};
struct TcPlotDataCompactInterval {
    float Y;
};
struct TcPlotDataFull {
    double X, Y;
    bool Null, Empty;
    double High, Low, Open, Close;
    TcPlotPointStyle Style;
};

// The storage shared by the four lists: slots, growth, ring buffer, deletion in index order.
// Records are plain values kept in one realloc'd block, so that growing a large list can extend
// it in place instead of copying it.
template <class Rec> class TcPlotDataStorageList : public TcPlotDataCustomList
{
    static_assert(std::is_trivially_copyable_v<Rec>);

  public:
    ~TcPlotDataStorageList() override { std::free(FList); }
    TcPlotDataStorageList(const TcPlotDataStorageList&) = delete;
    TcPlotDataStorageList& operator=(const TcPlotDataStorageList&) = delete;
    void SetCapacity(int NewCapacity) override;
    void DeletePoints(int Size) override;

  protected:
    using TcPlotDataCustomList::TcPlotDataCustomList;
    // The slot for a new point (growing or overwriting the oldest); sets Index to its index.
    Rec& NewSlot(int& Index)
    {
        if (FCount < FCapacity) {
            Index = FCount++;
            return FList[Index];
        }
        return FullSlot(Index);
    }
    Rec& FullSlot(int& Index);
    Rec& At(int Index) { return FList[GetStorageIndex(Index)]; }
    const Rec& At(int Index) const { return FList[GetStorageIndex(Index)]; }
    // Puts the oldest point in slot 0 so that a capacity change keeps the points in order.
    void Linearise();
    virtual const char* DeleteRangeMessage() const { return "Delete size out of Range"; }
    virtual bool AcceptsDeleteAll() const { return false; }
    Rec* FList = nullptr;
};

class TcPlotDataNullList final : public TcPlotDataStorageList<TcPlotDataNull>
{
  public:
    TcPlotDataNullList() : TcPlotDataStorageList(24) {}
    double GetX(int Index) const override { return At(Index).X; }
    double GetY(int Index) const override { return At(Index).Y; }
    bool GetEmpty(int Index) const override { return At(Index).Extra & 2; }
    bool GetNull(int Index) const override { return At(Index).Extra & 1; }
    void SetX(int Index, double Value) override { At(Index).X = Value; }
    void SetY(int Index, double Value) override { At(Index).Y = Value; }
    void SetEmpty(int Index, bool Value) override { SetBit(Index, 2, Value); }
    void SetNull(int Index, bool Value) override { SetBit(Index, 1, Value); }
    bool GetMarkerVisible(int Index) const override { return At(Index).Extra & 4; }
    TcPlotMarkerStyle GetMarkerStyle(int Index) const override
    {
        return TcPlotMarkerStyle((At(Index).Extra >> 3) & 0xF);
    }
    void SetMarkerVisible(int Index, bool Value) override { SetBit(Index, 4, Value); }
    void SetMarkerStyle(int Index, TcPlotMarkerStyle Value) override;
    TcPlotPointStyle GetPointStyle(int Index) const override;
    // Inline: the channel's per-point path calls it directly.
    int Add(double X, double Y, bool Null, bool Empty) override
    {
        int index;
        auto& r = NewSlot(index);
        r.X = X;
        r.Y = Y;
        r.Extra = std::uint16_t((Null ? 1 : 0) | (Empty ? 2 : 0) | (FStored.MarkerVisible ? 4 : 0) |
                                ((FStored.MarkerStyle & 0xF) << 3));
        return index;
    }
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const override;

  private:
    void SetBit(int Index, std::uint16_t bit, bool on);
};

class TcPlotDataCompactList : public TcPlotDataStorageList<TcPlotDataSingle>
{
  public:
    TcPlotDataCompactList() : TcPlotDataStorageList(8) {}
    double GetX(int Index) const override { return At(Index).X; }
    double GetY(int Index) const override { return At(Index).Y; }
    void SetX(int Index, double Value) override { At(Index).X = float(Value); }
    void SetY(int Index, double Value) override { At(Index).Y = float(Value); }
    int Add(double X, double Y, bool Null, bool Empty) override;
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const override;
};

// Only Y is stored; X is the first X plus the index times the step the first two points define.
class TcPlotDataCompactIntervalList : public TcPlotDataStorageList<TcPlotDataCompactInterval>
{
  public:
    TcPlotDataCompactIntervalList() : TcPlotDataStorageList(4) {}
    double GetX(int Index) const override { return FFirstX + Index * Interval(); }
    double GetY(int Index) const override { return At(Index).Y; }
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override { At(Index).Y = float(Value); }
    int Add(double X, double Y, bool Null, bool Empty) override;
    void Clear() override;
    void DeletePoints(int Size) override;
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const override;
    // -1 while no step is known.
    double Interval() const { return FIntervalKnown ? FInterval : -1; }
    double FirstX() const { return FFirstX; }

  protected:
    bool AcceptsDeleteAll() const override { return true; }

  private:
    double FInterval = 0;
    bool FIntervalKnown = false;
    double FFirstX = 0;
};

class TcPlotDataFullList : public TcPlotDataStorageList<TcPlotDataFull>
{
  public:
    TcPlotDataFullList() : TcPlotDataStorageList(144) {}
    double GetX(int Index) const override { return At(Index).X; }
    double GetY(int Index) const override { return At(Index).Y; }
    bool GetEmpty(int Index) const override { return At(Index).Empty; }
    bool GetNull(int Index) const override { return At(Index).Null; }
    double GetHigh(int Index) const override { return At(Index).High; }
    double GetLow(int Index) const override { return At(Index).Low; }
    double GetOpen(int Index) const override { return At(Index).Open; }
    double GetClose(int Index) const override { return At(Index).Close; }
    void SetX(int Index, double Value) override { At(Index).X = Value; }
    void SetY(int Index, double Value) override { At(Index).Y = Value; }
    void SetEmpty(int Index, bool Value) override { At(Index).Empty = Value; }
    void SetNull(int Index, bool Value) override { At(Index).Null = Value; }
    void SetHigh(int Index, double Value) override { At(Index).High = Value; }
    void SetLow(int Index, double Value) override { At(Index).Low = Value; }
    void SetOpen(int Index, double Value) override { At(Index).Open = Value; }
    void SetClose(int Index, double Value) override { At(Index).Close = Value; }
    TcPlotPointStyle GetPointStyle(int Index) const override { return At(Index).Style; }
    bool GetMarkerVisible(int Index) const override { return At(Index).Style.MarkerVisible; }
    TcPlotMarkerStyle GetMarkerStyle(int Index) const override { return At(Index).Style.MarkerStyle; }
    void SetMarkerVisible(int Index, bool Value) override { At(Index).Style.MarkerVisible = Value; }
    void SetMarkerStyle(int Index, TcPlotMarkerStyle Value) override { At(Index).Style.MarkerStyle = Value; }
    void SetPointStyle(int Index, const TcPlotPointStyle& Value) override { At(Index).Style = Value; }
    int Add(double X, double Y, bool Null, bool Empty) override;
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const override;

  protected:
    const char* DeleteRangeMessage() const override { return "Delete Size Out Of Range"; }
};

} // namespace chart
