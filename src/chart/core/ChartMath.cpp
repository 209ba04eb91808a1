#include "chart/core/ChartMath.h"

#include "chart/core/ChartError.h"

#include <cmath>
#include <cstdlib>

namespace chart
{

double Log10(double x)
{
    if (!(x > 0))
        throw EChartDomainError(QStringLiteral("Log10 Error - Argument must be Greater than Zero"));
    return std::log10(x);
}

double Power(double base, double exponent)
{
    if (!(base > 0))
        throw EChartDomainError(QStringLiteral("Power Error - Base must be Greater than Zero"));
    return std::pow(base, exponent);
}

void Spline(const std::vector<double>& x, const std::vector<double>& y, int n, std::vector<double>& y2)
{
    if (n < 2 || int(x.size()) <= n || int(y.size()) <= n)
        throw EChartError(QStringLiteral("Spline Error - at least two points required"));
    for (int i = 2; i <= n; ++i)
        if (x[i] == x[i - 1])
            throw EChartError(QStringLiteral("Spline Error - xa's must be distinct"));
    y2.assign(n + 1, 0.0);
    std::vector<double> u(n + 1, 0.0);
    const double s1 = (y[2] - y[1]) / (x[2] - x[1]);
    if (s1 > 9.9e29) {
        y2[1] = u[1] = 0;
    } else {
        y2[1] = -0.5;
        u[1] = 3 / (x[2] - x[1]) * ((y[2] - y[1]) / (x[2] - x[1]) - s1);
    }
    for (int i = 2; i <= n - 1; ++i) {
        const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
        const double p = sig * y2[i - 1] + 2;
        y2[i] = (sig - 1) / p;
        u[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
        u[i] = (6 * u[i] / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p;
    }
    const double sn = (y[n] - y[n - 1]) / (x[n] - x[n - 1]);
    double qn = 0, un = 0;
    if (!(sn > 9.9e29)) {
        qn = 0.5;
        un = 3 / (x[n] - x[n - 1]) * (sn - (y[n] - y[n - 1]) / (x[n] - x[n - 1]));
    }
    y2[n] = (un - qn * u[n - 1]) / (qn * y2[n - 1] + 1);
    for (int k = n - 1; k >= 1; --k)
        y2[k] = y2[k] * y2[k + 1] + u[k];
}

double Splint(const std::vector<double>& xa, const std::vector<double>& ya, const std::vector<double>& y2a,
              int n, double x)
{
    int klo = 1, khi = n;
    while (khi - klo > 1) {
        const int k = (khi + klo) / 2;
        if (x < xa[k])
            khi = k;
        else
            klo = k;
    }
    const double h = xa[khi] - xa[klo];
    if (h == 0)
        throw EChartError(QStringLiteral("Splint Error - xa's must be distinct"));
    const double a = (xa[khi] - x) / h, b = (x - xa[klo]) / h;
    return a * ya[klo] + b * ya[khi] + ((a * a * a - a) * y2a[klo] + (b * b * b - b) * y2a[khi]) * h * h / 6;
}

namespace
{
int Nearest(const std::vector<double>& xa, int n, double x)
{
    int ns = 1;
    double dif = std::fabs(x - xa[1]);
    for (int i = 2; i <= n; ++i) {
        const double d = std::fabs(x - xa[i]);
        if (d < dif) {
            ns = i;
            dif = d;
        }
    }
    return ns;
}
} // namespace

void Polint(const std::vector<double>& xa, const std::vector<double>& ya, int n, double x, double& y,
            double& dy)
{
    std::vector<double> c(n + 2), d(n + 2);
    int ns = Nearest(xa, n, x);
    for (int i = 1; i <= n; ++i)
        c[i] = d[i] = ya[i];
    y = ya[ns--];
    dy = 0;
    for (int m = 1; m <= n - 1; ++m) {
        for (int i = 1; i <= n - m; ++i) {
            const double ho = xa[i] - x, hp = xa[i + m] - x, w = c[i + 1] - d[i];
            double den = ho - hp;
            if (den == 0)
                throw EChartError(QStringLiteral("Polynomial Interpolation Error - Pause in Routine Data"));
            den = w / den;
            d[i] = hp * den;
            c[i] = ho * den;
        }
        dy = (2 * ns < n - m) ? c[ns + 1] : d[ns--];
        y += dy;
    }
}

void Ratint(const std::vector<double>& xa, const std::vector<double>& ya, int n, double x, double& y,
            double& dy)
{
    for (int i = 1; i <= n; ++i)
        if (xa[i] == x) {
            y = ya[i];
            dy = 0;
            return;
        }
    std::vector<double> c(n + 2), d(n + 2);
    int ns = Nearest(xa, n, x);
    for (int i = 1; i <= n; ++i) {
        c[i] = ya[i];
        d[i] = ya[i] + 1e-25;
    }
    y = ya[ns--];
    dy = 0;
    for (int m = 1; m <= n - 1; ++m) {
        for (int i = 1; i <= n - m; ++i) {
            const double w = c[i + 1] - d[i], h = xa[i + m] - x;
            const double t = (xa[i] - x) * d[i] / h;
            double dd = t - c[i + 1];
            if (dd == 0)
                throw EChartError(QStringLiteral("Rational Interpolation Error - Pause in Routine Data"));
            dd = w / dd;
            d[i] = c[i + 1] * dd;
            c[i] = t * dd;
        }
        dy = (2 * ns < n - m) ? c[ns + 1] : d[ns--];
        y += dy;
    }
}

void LineCoefficients(TcIPoint p1, TcIPoint p2, double& m, double& b)
{
    m = (p1.X == p2.X) ? 1e30 : double(p2.Y - p1.Y) / double(p2.X - p1.X);
    b = p1.Y - p1.X * m;
}

namespace
{
bool Within(double v, int a, int b)
{
    return v >= std::min(a, b) && v <= std::max(a, b);
}
} // namespace

// The crossing of the two lines must lie on both segments in x and in y (a vertical segment is
// only met within its own y range).
bool SegmentsIntersect(TcIPoint p1, TcIPoint p2, TcIPoint p3, TcIPoint p4)
{
    const double dx1 = p2.X - p1.X, dy1 = p2.Y - p1.Y, dx2 = p4.X - p3.X, dy2 = p4.Y - p3.Y;
    const double den = dx1 * dy2 - dy1 * dx2;
    if (den == 0)
        return false;
    const double t = ((p3.X - p1.X) * dy2 - (p3.Y - p1.Y) * dx2) / den;
    const double x = p1.X + t * dx1, y = p1.Y + t * dy1;
    return Within(std::round(x), p1.X, p2.X) && Within(std::round(x), p3.X, p4.X) &&
           Within(std::round(y), p1.Y, p2.Y) && Within(std::round(y), p3.Y, p4.Y);
}

bool LineIntersectsRect(TcIPoint p1, TcIPoint p2, const TcIRect& r)
{
    if (SegmentsIntersect(p1, p2, {r.Left, r.Top}, {r.Left, r.Bottom}) ||
        SegmentsIntersect(p1, p2, {r.Left, r.Top}, {r.Right, r.Top}) ||
        SegmentsIntersect(p1, p2, {r.Right, r.Top}, {r.Right, r.Bottom}) ||
        SegmentsIntersect(p1, p2, {r.Right, r.Bottom}, {r.Left, r.Bottom}))
        return true;
    auto inside = [&](TcIPoint p) {
        return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
    };
    return inside(p1) || inside(p2);
}

} // namespace chart
