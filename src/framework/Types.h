// Small geometry values of the framework, with the framework's conventions (Right and Bottom are
// exclusive). Pure values.
#pragma once

#include <QPoint>
#include <QRect>
#include <algorithm>

namespace fw
{

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    bool operator==(const TRect&) const = default;
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect& r)
    {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
};

inline TRect Rect(int l, int t, int r, int b)
{
    return {l, t, r, b};
}
inline TRect Bounds(int l, int t, int w, int h)
{
    return {l, t, l + w, t + h};
}
inline TPoint Point(int x, int y)
{
    return {x, y};
}
inline void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}
inline void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}
inline bool PtInRect(const TRect& r, TPoint p)
{
    return r.Contains(p);
}
inline TRect IntersectRect(const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty())
        return {};
    return r;
}

} // namespace fw
