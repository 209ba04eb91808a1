// The response graph's arithmetic without a window: the frequency index of its X axis, the mapping of
// axis values to plot-page pixels, the point runs of a plot (far points break the line), the label
// texts and the parameter-text line sets by type index. Pure functions, any thread.
#pragma once

#include "base/Rounding.h"

#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace graph
{

enum TFFTNumber { n256, n512, n1024, n2048, n4096 };
enum TSampleRate { n48000, n96000, n192000 };
enum TMyAxisStyle { Box, Centered, CenteredBox, LB, None };
enum TMyAxisFormat { Linear, Log };

// Curve length N = 256 x 2^n and the frequency at index N: 24000 x (rate + 1) Hz (72000 for n192000,
// which the curves never use; kept so that stored graphs place their labels as before).
int CurveLength(TFFTNumber n);
double TopFrequency(TSampleRate r);
// N x log10(f) / log10(F); not finite for f <= 0 (callers pass frequencies > 0).
double FrequencyIndex(double f, TFFTNumber n, TSampleRate r);

// Double to int truncated toward zero, saturated at the int range; not a number gives INT_MIN, so a
// broken value is always a far point.
inline int Trunc(double v)
{
    return std::isnan(v) ? INT_MIN : TruncInt(v);
}

struct TIntPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TIntPoint&) const = default;
};

// Trunc(h - h x (v - min) / (max - min)) of n values, the rows of a linear axis, into rows (a loop
// of its own, where the divisions overlap).
void TruncLinearRows(int h, const double* v, int n, double min, double max, int* rows);

// The axis ranges and the plot page's size: ScreenX/ScreenY of the graph.
struct TAxisMap {
    int W = 0, H = 0;
    double XMin = 0, XMax = 1, YMin = 0, YMax = 1;
    double LogXMin = 0, LogXMax = 0, LogYMin = 0, LogYMax = 0;
    TMyAxisFormat XFormat = Linear, YFormat = Linear;
    double ScreenX(double x) const
    {
        return XFormat == Linear ? W * (x - XMin) / (XMax - XMin) : LogScreenX(x);
    }
    double ScreenY(double y) const
    {
        return YFormat == Linear ? H - H * (y - YMin) / (YMax - YMin) : LogScreenY(y);
    }
    double LogScreenX(double x) const;
    double LogScreenY(double y) const;
    bool operator==(const TAxisMap&) const = default;
};

// The plot page's place on the control with its (linear) axis ranges: the one geometry by which the
// graph draws its plot and the mouse handlers read a pointer position.
struct TPlotFrame {
    int Left = 0, Top = 0, W = 0, H = 0;
    double XMin = 0, XMax = 1, YMin = 0, YMax = 1;
    bool Empty() const { return W <= 0 || H <= 0; }
    // The X axis value under control column x.
    double AxisX(double x) const { return XMin + (x - Left) / W * (XMax - XMin); }
    // The axis value counted down from the top: YMin at the plot's top row, YMax at its bottom (the
    // negated level of a range symmetric about 0).
    double DownY(double y) const { return YMin + (y - Top) / H * (YMax - YMin); }
    // Control pixel of an axis value (as the page draws it, plus the page's place).
    double ControlX(double x) const { return Left + W * (x - XMin) / (XMax - XMin); }
    double ControlY(double y) const { return Top + H - H * (y - YMin) / (YMax - YMin); }
};

// The plot's points in page pixels, cut into runs: a point more than two page sizes before the page or
// three after it only moves the pen, so each run starts with such a move (or the first point). Runs of
// one point draw nothing and are left out; repeated points are merged.
using TRun = std::vector<TIntPoint>;
std::vector<TRun> PlotRuns(const double* xs, const double* ys, int count, const TAxisMap& map);
// The same for points whose columns Trunc(ScreenX(x)) are known.
std::vector<TRun> PlotRunsAt(const int* columns, const double* ys, int count, const TAxisMap& map);

// An X label: "20Hz", "500Hz", "1KHz", "20KHz" (the number in the X label format).
struct TLabelFormat {
    int Format = 0; // fw::TStringFloatFormat
    int Precision = 4;
    int Digits = 4;
};
std::string LabelNumber(double v, const TLabelFormat& f);
std::string XLabelText(double hz, const TLabelFormat& f);

// The labelled frequencies (log10 of Hz): 4 for a control narrower than 800 pixels, else 10.
std::vector<double> XLabelLogs(int controlWidth);

// Lines of a parameter text.
enum TParamLines { plNone, plFreq, plQFreq, plQFreqGain };
// The painter's line sets: 0..2 and negative: Q, frequency, gain; 3, 5, 7: frequency; others Q, frequency.
TParamLines ParamLinesHpLp(int typeIndex);
// The second painter's sets, for ShowParam and for the repainted selected band.
TParamLines ParamLinesPhase(int typeIndex, bool curveDisplay);
// The line texts: "Q:%4.2f", "%4.1fHz" below 1000 Hz else "%4.2fKHz", "%4.1fdB".
std::string QualityLine(double q);
std::string FreqLine(double hz);
std::string GainLine(double db);
// Tops of the lines relative to the marker's y: above it for gain <= 0, below it otherwise; moved,
// on the other side.
std::vector<int> ParamLineTops(TParamLines lines, double gain, bool moved = false);

// A box of page pixels, right and bottom excluded; empty when it holds no pixel.
struct TBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool Meets(const TBox& o) const
    {
        return !Empty() && !o.Empty() && Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
    }
    bool Within(const TBox& o) const
    {
        return Left >= o.Left && Top >= o.Top && Right <= o.Right && Bottom <= o.Bottom;
    }
    bool operator==(const TBox&) const = default;
};

// A marker as the texts around it see it: its body, its label (the band number, or "LPF"/"HPF" of a
// corner, which may also go below the marker), and its parameter text on its own side and on the
// other (empty: no text).
struct TLabelSpot {
    TBox Body, Label, LabelBelow, Text, TextOther;
    bool Corner = false;
    bool Shown = false;
};
struct TLabelPlan {
    std::vector<bool> LabelMoved, TextMoved;
    bool SelectedMoved = false;
    bool operator==(const TLabelPlan&) const = default;
};
// Where the texts go: a corner label, the selected band's text or a parameter text that would cover
// another marker, its label or a text placed before it takes its other place when that one is clear
// and on the page; otherwise it stays. The corner labels are placed first, then the selected band's
// text (the spots in `own` are its band's and do not count), then the parameter texts in order.
TLabelPlan PlanLabels(const std::vector<TLabelSpot>& spots, const TBox& selected, const TBox& selectedOther,
                      const std::vector<int>& own, const TBox& page);

// The type index the show-all texts use for a band's filter type code: 7 -> 5, 17 -> 6, else code - 1.
int ShowAllTypeIndex(int typeCode);

} // namespace graph
