// The level meter's state without a window: three colour zones of segments counted from the top,
// Min/Max clamps and the lit segments of a position, and the segments' geometry. Pure values.
#pragma once

#include <vector>

namespace eq
{

struct TSegmentBox {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TSegmentBox&) const = default;
};

class TMeterState
{
  public:
    int Count() const { return FFirst + FSecond + FThird; }
    int FirstNum() const { return FFirst; }
    int SecondNum() const { return FSecond; }
    int ThirdNum() const { return FThird; }
    // A count change leaves every segment unlit (until the next position change). Negative counts
    // are taken as 0.
    void SetCounts(int first, int second, int third);
    int Max() const { return FMax; }
    int Min() const { return FMin; }
    void SetMax(int v) { FMax = v; }
    void SetMin(int v) { FMin = v; }
    int Position() const { return FPosition; }
    // Returns false when the position was already p (nothing changes then).
    bool SetPosition(int p);
    // The zone (0, 1, 2) of segment i, counted from the top.
    int ZoneOf(int i) const { return i < FFirst ? 0 : i < FFirst + FSecond ? 1 : 2; }
    // Lit flags from the top.
    const std::vector<bool>& Lit() const { return FLit; }
    // Makes every segment of a zone unlit (its unlit colour was set).
    void UnlightZone(int zone);
    // A meter that cannot show a level: no segments, or Max not above Min.
    bool Drawable() const { return Count() > 0 && FMax > FMin; }

  private:
    int FFirst = 1, FSecond = 1, FThird = 3;
    int FMax = 100, FMin = 0, FPosition = 0;
    std::vector<bool> FLit = std::vector<bool>(5, false);
};

// Segment i of n in a bar of width w and height h: full width, h / n + 2 high, at trunc(h / n * i) - 1.
TSegmentBox SegmentBox(int i, int n, int w, int h);

} // namespace eq
