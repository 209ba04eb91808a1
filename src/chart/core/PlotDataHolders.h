// Small shared data holders of the chart: the summary of the points in one pixel column, the
// growable array of limit points and the state of a digital (step) trace. Plain values.
#pragma once

#include <vector>

namespace chart
{

struct TcPlotMinMaxPoint {
    bool Empty = true;
    int XPixels = 0;
    double XValue = 0;
    double YMax = -1e301;
    double YMin = 1e301;
    double YFirst = 0;
    double YLast = 0;

    void Clear()
    {
        Empty = true;
        YMax = -1e301;
        YMin = 1e301;
    }
    void AddData(int NewXPixels, double NewXValue, double NewYValue)
    {
        if (Empty) {
            Empty = false;
            XPixels = NewXPixels;
            XValue = NewXValue;
            YFirst = NewYValue;
        }
        if (NewYValue > YMax)
            YMax = NewYValue;
        if (NewYValue < YMin)
            YMin = NewYValue;
        YLast = NewYValue;
    }
    void AssignDown(const TcPlotMinMaxPoint& Source) { *this = Source; }
};

class TcLimitDataList
{
  public:
    int Add(double First, double Second, double Third);
    void Clear();
    void SetCapacity(int NewCapacity);
    int Count() const { return FCount; }
    int Capacity() const { return FCapacity; }
    double First(int Index) const { return At(Index).v[0]; }
    double Second(int Index) const { return At(Index).v[1]; }
    double Third(int Index) const { return At(Index).v[2]; }

  private:
    struct Element {
        double v[3];
    };
    const Element& At(int Index) const;
    std::vector<Element> FList;
    int FCount = 0;
    int FCapacity = 0;
};

struct TDigitalSequenceData {
    bool StartSet = false;
    double StartXValue = 0;
    bool StartYValue = false;
    bool StopSet = false;
    double StopXValue = 0;
    bool TransitionSet = false;
    double TransitionXValue = 0;

    void Clear() { StartSet = StopSet = TransitionSet = false; }
};

} // namespace chart
