#include "graph/GraphGeometry.h"

#include "framework/FloatFormat.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace graph
{

int CurveLength(TFFTNumber n)
{
    return 256 << int(n);
}

double TopFrequency(TSampleRate r)
{
    return 24000.0 * (int(r) + 1);
}

double FrequencyIndex(double f, TFFTNumber n, TSampleRate r)
{
    return CurveLength(n) * std::log10(f) / std::log10(TopFrequency(r));
}

double TAxisMap::LogScreenX(double x) const
{
    const double lx = x > 0 ? std::log10(x) : std::log10(0.1 * XMin);
    return W * (lx - LogXMin) / (LogXMax - LogXMin);
}

double TAxisMap::LogScreenY(double y) const
{
    const double ly = y > 0 ? std::log10(y) : std::log10(0.1 * YMin);
    return H - H * (ly - LogYMin) / (LogYMax - LogYMin);
}

void TruncLinearRows(int h, const double* v, int n, double min, double max, int* rows)
{
    const double span = max - min;
    auto row = [&](int i) { return h - h * (v[i] - min) / span; };
    int i = 0;
    // Four independent divisions at a time keep the divider busy.
    for (; i + 4 <= n; i += 4) {
        const double a = row(i), b = row(i + 1), c = row(i + 2), d = row(i + 3);
        rows[i] = Trunc(a);
        rows[i + 1] = Trunc(b);
        rows[i + 2] = Trunc(c);
        rows[i + 3] = Trunc(d);
    }
    for (; i < n; ++i)
        rows[i] = Trunc(row(i));
}

namespace
{
template <class Column>
std::vector<TRun> Runs(Column column, const double* ys, int count, const TAxisMap& map)
{
    std::vector<TRun> runs;
    if (count <= 0)
        return runs;
    const long long w = map.W, h = map.H;
    TRun run;
    run.reserve(std::size_t(count));
    auto flush = [&] {
        if (run.size() >= 2)
            runs.push_back(std::move(run));
        run.clear();
    };
    // The rows first, in a loop of their own (the divisions overlap there).
    std::vector<int> rows(std::size_t(count), 0);
    if (map.YFormat == Linear) {
        TruncLinearRows(map.H, ys, count, map.YMin, map.YMax, rows.data());
    } else {
        for (int i = 0; i < count; ++i)
            rows[std::size_t(i)] = Trunc(map.ScreenY(ys[i]));
    }
    for (int i = 0; i < count; ++i) {
        const TIntPoint p{column(i), rows[std::size_t(i)]};
        const bool far = p.X < -2 * w || p.X >= 3 * w || p.Y < -2 * h || p.Y >= 3 * h;
        if (far || run.empty()) {
            flush();
            run.push_back(p);
            continue;
        }
        if (p == run.back())
            continue;
        // A straight run along a row or a column is one segment.
        if (run.size() >= 2) {
            const TIntPoint a = run[run.size() - 2], b = run.back();
            const bool row = a.Y == b.Y && b.Y == p.Y && (b.X - a.X > 0) == (p.X - b.X > 0);
            const bool column = a.X == b.X && b.X == p.X && (b.Y - a.Y > 0) == (p.Y - b.Y > 0);
            if (row || column) {
                run.back() = p;
                continue;
            }
        }
        run.push_back(p);
    }
    flush();
    return runs;
}
} // namespace

std::vector<TRun> PlotRuns(const double* xs, const double* ys, int count, const TAxisMap& map)
{
    return Runs([&](int i) { return Trunc(map.ScreenX(xs[i])); }, ys, count, map);
}

std::vector<TRun> PlotRunsAt(const int* columns, const double* ys, int count, const TAxisMap& map)
{
    return Runs([&](int i) { return columns[i]; }, ys, count, map);
}

std::string LabelNumber(double v, const TLabelFormat& f)
{
    return fw::FloatToStrF(v, fw::TStringFloatFormat(f.Format), f.Precision, f.Digits);
}

std::string XLabelText(double hz, const TLabelFormat& f)
{
    if (hz < 1000)
        return LabelNumber(hz, f) + "Hz";
    return LabelNumber(hz * 0.001, f) + "KHz";
}

std::vector<double> XLabelLogs(int controlWidth)
{
    static const double table[10] = {1.30103, 2, 3, 4, 4.30103, 1.69897, 2.30103, 2.69897, 3.30103, 3.69897};
    return std::vector<double>(table, table + (controlWidth < 800 ? 4 : 10));
}

TParamLines ParamLinesHpLp(int t)
{
    if (t <= 2)
        return plQFreqGain;
    if (t == 3 || t == 5 || t == 7)
        return plFreq;
    return plQFreq;
}

TParamLines ParamLinesPhase(int t, bool curveDisplay)
{
    if (t <= 2)
        return plQFreqGain;
    if (t == 3 || t == 4 || t == 6)
        return plQFreq;
    if (t == 5 || t == 10 || t == 11)
        return plFreq;
    return curveDisplay ? plQFreq : plNone;
}

namespace
{
std::string Printf(const char* fmt, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, v);
    std::string s = buf;
    for (char& c : s)
        if (c == ',') // a process locale with a decimal comma
            c = '.';
    return s;
}
} // namespace

std::string QualityLine(double q)
{
    return Printf("Q:%4.2f", q);
}

std::string FreqLine(double hz)
{
    return hz < 1000 ? Printf("%4.1fHz", hz) : Printf("%4.2fKHz", hz * 0.001);
}

std::string GainLine(double db)
{
    return Printf("%4.1fdB", db);
}

std::vector<int> ParamLineTops(TParamLines lines, double gain, bool moved)
{
    const bool above = (gain <= 0) != moved;
    switch (lines) {
    case plQFreqGain:
        return above ? std::vector<int>{-69, -56, -43} : std::vector<int>{20, 33, 46};
    case plQFreq:
        return above ? std::vector<int>{-69, -56} : std::vector<int>{20, 33};
    case plFreq:
        return above ? std::vector<int>{-43} : std::vector<int>{20};
    case plNone:
        break;
    }
    return {};
}

TLabelPlan PlanLabels(const std::vector<TLabelSpot>& spots, const TBox& selected, const TBox& selectedOther,
                      const std::vector<int>& own, const TBox& page)
{
    TLabelPlan plan;
    plan.LabelMoved.assign(spots.size(), false);
    plan.TextMoved.assign(spots.size(), false);
    // What is on the page so far, with the spot it belongs to (-1: a text placed before).
    std::vector<std::pair<TBox, int>> taken;
    for (std::size_t i = 0; i < spots.size(); ++i)
        if (spots[i].Shown) {
            taken.emplace_back(spots[i].Body, int(i));
            if (!spots[i].Corner)
                taken.emplace_back(spots[i].Label, int(i));
        }
    auto clear = [&](const TBox& b, auto mine) {
        for (const auto& [box, owner] : taken)
            if (!mine(owner) && box.Meets(b))
                return false;
        return true;
    };
    // The first place unless it is covered and the other one is clear.
    auto choose = [&](const TBox& first, const TBox& other, auto mine) {
        return !clear(first, mine) && !other.Empty() && other.Within(page) && clear(other, mine);
    };
    for (std::size_t i = 0; i < spots.size(); ++i) {
        const TLabelSpot& s = spots[i];
        if (!s.Shown || !s.Corner)
            continue;
        auto mine = [&](int owner) { return owner == int(i); };
        plan.LabelMoved[i] = choose(s.Label, s.LabelBelow, mine);
        taken.emplace_back(plan.LabelMoved[i] ? s.LabelBelow : s.Label, int(i));
    }
    if (!selected.Empty()) {
        auto mine = [&](int owner) { return std::find(own.begin(), own.end(), owner) != own.end(); };
        plan.SelectedMoved = choose(selected, selectedOther, mine);
        taken.emplace_back(plan.SelectedMoved ? selectedOther : selected, -1);
    }
    for (std::size_t i = 0; i < spots.size(); ++i) {
        const TLabelSpot& s = spots[i];
        if (!s.Shown || s.Text.Empty())
            continue;
        auto mine = [&](int owner) { return owner == int(i); };
        plan.TextMoved[i] = choose(s.Text, s.TextOther, mine);
        taken.emplace_back(plan.TextMoved[i] ? s.TextOther : s.Text, -1);
    }
    return plan;
}

int ShowAllTypeIndex(int typeCode)
{
    if (typeCode == 7)
        return 5;
    if (typeCode == 17)
        return 6;
    return typeCode - 1;
}

} // namespace graph
