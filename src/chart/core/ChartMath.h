// The chart maths: base-10 logarithm and power with domain checks, cubic-spline, polynomial and
// rational interpolation (arrays are 1-based: element 0 is not used), and segment/rectangle
// intersection on integer points. Pure functions, any thread.
#pragma once

#include <vector>

namespace chart
{

struct TcIPoint {
    int X = 0;
    int Y = 0;
};
struct TcIRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// log10(x); exact for whole powers of ten. Raises EChartDomainError for x <= 0 (and NaN).
double Log10(double x);
// base ** exponent for base > 0; exact where the result is representable (Power(10, 2) is 100).
// Raises EChartDomainError for base <= 0.
double Power(double base, double exponent);

// Second derivatives y2[1..n] of the cubic spline through (x[i], y[i]); the end slopes are the
// chords'. Raises for n < 2 or two equal x.
void Spline(const std::vector<double>& x, const std::vector<double>& y, int n, std::vector<double>& y2);
double Splint(const std::vector<double>& xa, const std::vector<double>& ya, const std::vector<double>& y2a,
              int n, double x);
void Polint(const std::vector<double>& xa, const std::vector<double>& ya, int n, double x, double& y,
            double& dy);
void Ratint(const std::vector<double>& xa, const std::vector<double>& ya, int n, double x, double& y,
            double& dy);

void LineCoefficients(TcIPoint p1, TcIPoint p2, double& m, double& b);
bool SegmentsIntersect(TcIPoint p1, TcIPoint p2, TcIPoint p3, TcIPoint p4);
bool LineIntersectsRect(TcIPoint p1, TcIPoint p2, const TcIRect& r);

} // namespace chart
