#include "graph/LMyFFTDrawHpLp6dB.h"

#include "graph/PlotRaster.h"

#include <QPaintEvent>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <tuple>
#include <vector>

namespace graph
{

using fw::TCanvas;

namespace
{

// A canvas over a page's bitmap with the page's font; nothing when the page has no pixels.
struct PageCanvas {
    explicit PageCanvas(QImage& image, const fw::TFont& font, TColor background,
                        const QRegion* clip = nullptr)
    {
        if (image.isNull())
            return;
        P.emplace(&image);
        if (clip)
            P->setClipRegion(*clip);
        C.emplace(*P);
        C->Font.Assign(font);
        C->Brush.Color = background;
    }
    explicit operator bool() const { return C.has_value(); }
    TCanvas* operator->() { return &*C; }
    TCanvas& operator*() { return *C; }
    std::optional<QPainter> P;
    std::optional<TCanvas> C;
};

int TextHeightOf(const fw::TFont& f, const QString& text)
{
    (void)text;
    return fw::CurrentTextMetrics().Height(f.ToQFont());
}

int TextWidthOf(const fw::TFont& f, const QString& text)
{
    return fw::CurrentTextMetrics().Width(f.ToQFont(), text);
}

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

// The labels of pi * 10^k, k = -100..100, in a format: the set whose widest sets the label column.
// Pure, and asked for on every relayout of every graph, so each format's set is made once (UI thread).
const std::vector<QString>& SpanLabels(const TLabelFormat& f)
{
    static std::map<std::tuple<int, int, int>, std::vector<QString>> made;
    auto [it, added] = made.try_emplace({f.Format, f.Precision, f.Digits});
    if (added)
        for (int k = -100; k <= 100; ++k)
            it->second.push_back(Q(LabelNumber(std::numbers::pi * std::pow(10.0, k), f)));
    return it->second;
}

// The widest of SpanLabels(f), each after prefix, in a font; with the fonts' own metrics measured
// once per format, prefix and font (UI thread).
int WidestSpanLabel(const TLabelFormat& f, const fw::TFont& font, const QString& prefix = {})
{
    const QFont q = font.ToQFont();
    auto measure = [&] {
        const fw::TextMetrics& m = fw::CurrentTextMetrics();
        // In a face whose digits are all as wide (tabular figures, as interface faces have), labels
        // that differ only in their digits are as wide: one label of each digit pattern is measured.
        const int digit = m.Width(q, QStringLiteral("0"));
        bool tabular = true;
        for (char16_t d = u'1'; d <= u'9' && tabular; ++d)
            tabular = m.Width(q, QString(QChar(d))) == digit;
        QSet<QString> patterns;
        int w = 0;
        for (const QString& label : SpanLabels(f)) {
            if (tabular) {
                QString pattern = label;
                for (QChar& c : pattern)
                    if (c >= u'0' && c <= u'9')
                        c = u'0';
                if (patterns.contains(pattern))
                    continue;
                patterns.insert(pattern);
            }
            w = std::max(w, m.Width(q, prefix + label));
        }
        return w;
    };
    if (!fw::DefaultTextMetrics())
        return measure();
    static std::map<std::tuple<int, int, int, QString, QString>, int> measured;
    auto [it, added] = measured.try_emplace({f.Format, f.Precision, f.Digits, q.key(), prefix});
    if (added)
        it->second = measure();
    return it->second;
}

} // namespace

void TPaintPage::SetRect(int left, int top, int right, int bottom)
{
    const int w = std::max(0, right - left), h = std::max(0, bottom - top);
    if (Bitmap.width() != w || Bitmap.height() != h) {
        Bitmap = w > 0 && h > 0 ? QImage(w, h, QImage::Format_RGB32) : QImage();
        ++Generation;
    }
    W = Bitmap.width();
    H = Bitmap.height();
    Src = fw::Rect(0, 0, right - left, bottom - top);
    Dest = fw::Rect(left, top, right, bottom);
}

void TPaintPage::Clear(TColor colour)
{
    if (!Bitmap.isNull())
        Bitmap.fill(fw::ToQColor(colour));
}

// ---------------------------------------------------------------------------------------------------
// Construction

LMyFFTDrawHpLp6dB::LMyFFTDrawHpLp6dB(QWidget* parent) : TControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetProperties();
    Initialize();
}

LMyFFTDrawHpLp6dB::LMyFFTDrawHpLp6dB(const LMyFFTDrawHpLp6dB& source, QWidget* parent) : TControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetProperties();
    Initialize();
    AssignPlot(source);
}

LMyFFTDrawHpLp6dB::~LMyFFTDrawHpLp6dB()
{
    CleanUp();
}

void LMyFFTDrawHpLp6dB::SetProperties()
{
    resize(500, 250);
    SetColor(fw::clBlack);
    FXTitle = QStringLiteral("Frequency ");
    FYTitle = QStringLiteral("dB");
    FYLabelText = QStringLiteral("dB");
    FPlotTitle = QStringLiteral("Frequency Response");
    FSelCurve.assign(SelectedCurveLength, 0.0);
}

void LMyFFTDrawHpLp6dB::Initialize()
{
    FPlots.clear();
    for (auto& p : FPages)
        p = std::make_unique<TPaintPage>();
    FPlotTitleFont.SetColor(fw::clLime);
    FAxisTitleFont.SetColor(fw::clLime);
    FAxisLabelFont.SetColor(fw::clYellow);
    FMouseCoordFont.SetColor(fw::clLime);
}

void LMyFFTDrawHpLp6dB::CleanUp()
{
    FPlots.clear();
    for (auto& p : FPages)
        p.reset();
}

void LMyFFTDrawHpLp6dB::Change()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------------------------------------------
// Properties

void LMyFFTDrawHpLp6dB::Changed(bool plotsOnly)
{
    if (!FAutoRedraw)
        return;
    if (plotsOnly)
        DrawAllPlots();
    else
        DrawPlotsAndLabels();
}

void LMyFFTDrawHpLp6dB::Full()
{
    ResizePaintPage();
    if (FAutoRedraw)
        Redraw();
}

void LMyFFTDrawHpLp6dB::SetAutoRedraw(bool v)
{
    FAutoRedraw = v;
    if (v)
        Redraw();
}

void LMyFFTDrawHpLp6dB::SetAxisColor(TColor v)
{
    FAxisColor = v;
    FlushPlots();
    DrawAxis();
    // The layer gets the new axes at the next copy.
    FPlotsDirty = true;
}

void LMyFFTDrawHpLp6dB::SetAxisStyle(TMyAxisStyle v)
{
    FAxisStyle = v;
    Changed(false);
}

void LMyFFTDrawHpLp6dB::SetXAxisFormat(TMyAxisFormat v)
{
    FXAxisFormat = v;
    FindXMaxMin();
    if (v == Log) {
        if (FXMax <= 0) {
            FXMax = 10;
            FXMin = 1;
        } else if (FXMin <= 0) {
            FXMin = 0.1 * FXMax;
        }
        FLogXMin = std::log10(FXMin);
        FLogXMax = std::log10(FXMax);
    }
    Changed(false);
}

void LMyFFTDrawHpLp6dB::SetYAxisFormat(TMyAxisFormat v)
{
    FYAxisFormat = v;
    FindYMaxMin();
    if (v == Log) {
        if (FYMax <= 0) {
            FYMax = 10;
            FYMin = 1;
        } else if (FYMin <= 0) {
            FYMin = 0.1 * FYMax;
        }
        FLogYMin = std::log10(FYMin);
        FLogYMax = std::log10(FYMax);
    }
    Changed(false);
}

void LMyFFTDrawHpLp6dB::SetYLabelFormat(TStringFloatFormat v)
{
    FYLabel.Format = v;
    SetShowYLabel(FWantYLabel);
}
void LMyFFTDrawHpLp6dB::SetXLabelFormat(TStringFloatFormat v)
{
    FXLabel.Format = v;
    SetShowXLabel(FWantXLabel);
}
void LMyFFTDrawHpLp6dB::SetYLabelPrecision(int v)
{
    FYLabel.Precision = v;
    SetShowYLabel(FWantYLabel);
}
void LMyFFTDrawHpLp6dB::SetXLabelPrecision(int v)
{
    FXLabel.Precision = v;
    SetShowXLabel(FWantXLabel);
}
void LMyFFTDrawHpLp6dB::SetYLabelDigits(int v)
{
    FYLabel.Digits = v;
    SetShowYLabel(FWantYLabel);
}
void LMyFFTDrawHpLp6dB::SetXLabelDigits(int v)
{
    FXLabel.Digits = v;
    SetShowXLabel(FWantXLabel);
}

void LMyFFTDrawHpLp6dB::SetShowXLabel(bool v)
{
    FWantXLabel = v;
    Full();
}
void LMyFFTDrawHpLp6dB::SetShowYLabel(bool v)
{
    FWantYLabel = v;
    Full();
}
void LMyFFTDrawHpLp6dB::SetShowXTitle(bool v)
{
    FWantXTitle = v;
    Full();
}
void LMyFFTDrawHpLp6dB::SetShowYTitle(bool v)
{
    FWantYTitle = v;
    Full();
}
void LMyFFTDrawHpLp6dB::SetShowPlotTitle(bool v)
{
    FWantPlotTitle = v;
    Full();
}

void LMyFFTDrawHpLp6dB::SetShowCoordinates(bool v)
{
    FShowCoordinates = v;
    if (Visible() && FAutoRedraw) {
        FPages[CoordPage]->Clear(Color());
        UpdatePaintPage(CoordPage);
        DrawAllPlots();
    }
}

void LMyFFTDrawHpLp6dB::SetYAutoScale(bool v)
{
    FYAutoScale = v;
    FindYMaxMin();
    Changed(false);
}

void LMyFFTDrawHpLp6dB::SetXAutoScale(bool v)
{
    FXAutoScale = v;
    FindXMaxMin();
    Changed(false);
}

void LMyFFTDrawHpLp6dB::SetYLabelScale(double v)
{
    FYLabelScale = v;
    Changed(false);
}

void LMyFFTDrawHpLp6dB::SetYMax(double v)
{
    FYMax = v;
    CompareMaxMin();
    CalculateLogMaxMin();
    Changed(false);
}
void LMyFFTDrawHpLp6dB::SetYMin(double v)
{
    FYMin = v;
    CompareMaxMin();
    CalculateLogMaxMin();
    Changed(false);
}
void LMyFFTDrawHpLp6dB::SetXMax(double v)
{
    FXMax = v;
    CompareMaxMin();
    CalculateLogMaxMin();
    Changed(false);
}
void LMyFFTDrawHpLp6dB::SetXMin(double v)
{
    FXMin = v;
    CompareMaxMin();
    CalculateLogMaxMin();
    Changed(false);
}

void LMyFFTDrawHpLp6dB::SetPointSize(int v)
{
    FPointSize = v <= 0 ? 1 : std::min(v, 10);
    Changed(true);
}

void LMyFFTDrawHpLp6dB::SetShowHorzGrid(bool v)
{
    FShowHorzGrid = v;
    Changed(true);
}
void LMyFFTDrawHpLp6dB::SetShowVertGrid(bool v)
{
    FShowVertGrid = v;
    Changed(true);
}
void LMyFFTDrawHpLp6dB::SetShowHorzTicks(bool v)
{
    FShowHorzTicks = v;
    Changed(true);
}
void LMyFFTDrawHpLp6dB::SetShowVertTicks(bool v)
{
    FShowVertTicks = v;
    Changed(true);
}
void LMyFFTDrawHpLp6dB::SetVertTickLength(int v)
{
    FVertTickLength = std::clamp(v, 0, std::max(0, Height()));
    Changed(true);
}
void LMyFFTDrawHpLp6dB::SetHorzTickLength(int v)
{
    FHorzTickLength = std::clamp(v, 0, std::max(0, Width()));
    Changed(true);
}
void LMyFFTDrawHpLp6dB::SetNumHorzGrid(int v)
{
    FNumHorzGrid = std::max(0, v);
    Changed(false);
}
void LMyFFTDrawHpLp6dB::SetNumVertGrid(int v)
{
    FNumVertGrid = std::max(0, v);
    Changed(false);
}
void LMyFFTDrawHpLp6dB::SetGridColor(TColor v)
{
    FGridColor = v;
    Changed(true);
}

void LMyFFTDrawHpLp6dB::SetXTitle(const QString& v)
{
    FXTitle = v;
    if (FAutoRedraw)
        DrawTitles();
}
void LMyFFTDrawHpLp6dB::SetPlotTitle(const QString& v)
{
    FPlotTitle = v;
    if (FAutoRedraw)
        DrawTitles();
}
void LMyFFTDrawHpLp6dB::SetYTitle(const QString& v)
{
    FYTitle = v;
    ResizePaintPage();
    if (FAutoRedraw)
        DrawTitles();
}
void LMyFFTDrawHpLp6dB::SetYLabel(const QString& v)
{
    FYLabelText = v;
    ResizePaintPage();
    Changed(false);
}

void LMyFFTDrawHpLp6dB::ApplyFont(fw::TFont& to, const fw::TFont& from, int page1, int page2)
{
    to.Assign(from);
    FPages[std::size_t(page1)]->SetFont(from);
    if (page2 >= 0)
        FPages[std::size_t(page2)]->SetFont(from);
    ResizePaintPage();
}

void LMyFFTDrawHpLp6dB::SetPlotTitleFont(const fw::TFont& f)
{
    ApplyFont(FPlotTitleFont, f, PlotTitlePage);
    if (FAutoRedraw)
        Redraw();
}
void LMyFFTDrawHpLp6dB::SetAxisTitleFont(const fw::TFont& f)
{
    ApplyFont(FAxisTitleFont, f, XTitlePage, YTitlePage);
    if (FAutoRedraw)
        Redraw();
}
void LMyFFTDrawHpLp6dB::SetAxisLabelFont(const fw::TFont& f)
{
    ApplyFont(FAxisLabelFont, f, XLabelPage, YLabelPage);
    if (FAutoRedraw)
        Redraw();
}
void LMyFFTDrawHpLp6dB::SetMouseCoordFont(const fw::TFont& f)
{
    ApplyFont(FMouseCoordFont, f, CoordPage);
    if (FAutoRedraw)
        DrawPlotsAndLabels();
}

// ---------------------------------------------------------------------------------------------------
// Plot list

TPlotListMember* LMyFFTDrawHpLp6dB::Find(int number)
{
    for (auto& m : FPlots)
        if (m->Number == number)
            return m.get();
    return nullptr;
}

const TPlotListMember* LMyFFTDrawHpLp6dB::Find(int number) const
{
    for (const auto& m : FPlots)
        if (m->Number == number)
            return m.get();
    return nullptr;
}

std::vector<int> LMyFFTDrawHpLp6dB::PlotNumbers() const
{
    std::vector<int> out;
    for (const auto& m : FPlots)
        out.push_back(m->Number);
    return out;
}

bool LMyFFTDrawHpLp6dB::FFTDraw(const double* x, const double* y, int count, int plotNumber, TColor colour,
                                int style)
{
    return x ? Store(x, y, count, plotNumber, colour, style) : Find(plotNumber) != nullptr;
}

// FFTDraw with x = 0, 1, ... when no x values are given.
bool LMyFFTDrawHpLp6dB::Store(const double* x, const double* y, int count, int plotNumber, TColor colour,
                              int style)
{
    // A plot without points is refused: the drawing and the ranges read the first point.
    if (count <= 0 || !y)
        return Find(plotNumber) != nullptr;
    TPlotListMember* m = Find(plotNumber);
    const bool found = m != nullptr;
    if (!m) {
        auto fresh = std::make_unique<TPlotListMember>();
        fresh->Number = plotNumber;
        fresh->Color = colour;
        fresh->Style = style;
        m = fresh.get();
        FPlots.insert(FPlots.begin(), std::move(fresh));
    }
    if (!x) {
        if (!m->IndexX || int(m->X.size()) != count) {
            m->X.resize(std::size_t(count));
            for (int i = 0; i < count; ++i)
                m->X[std::size_t(i)] = i;
        }
        m->IndexX = true;
    } else {
        m->X.assign(x, x + count);
        m->IndexX = true;
        for (int i = 0; i < count && m->IndexX; ++i)
            m->IndexX = x[i] == i;
    }
    m->Y.assign(y, y + count);
    m->Count = count;
    ++m->Version;
    FindXMaxMin();
    FindYMaxMin();
    if (FAutoRedraw)
        DrawPlotsAndLabelsNoUpdate();
    return found;
}

bool LMyFFTDrawHpLp6dB::FFTDraw(const double* y, int count, int plotNumber, TColor colour, int style)
{
    return Store(nullptr, y, count, plotNumber, colour, style);
}

bool LMyFFTDrawHpLp6dB::FFTDraw(const double* y, int count, double x0, double x1, int plotNumber,
                                TColor colour, int style)
{
    std::vector<double> x(std::size_t(std::max(count, 0)));
    // One point stands at x0 (no step to divide by).
    const double step = count > 1 ? (x1 - x0) / (count - 1) : 0.0;
    for (int i = 0; i < count; ++i)
        x[std::size_t(i)] = x0 + i * step;
    return FFTDraw(x.data(), y, count, plotNumber, colour, style);
}

bool LMyFFTDrawHpLp6dB::RemovePlot(int plotNumber)
{
    auto it =
        std::find_if(FPlots.begin(), FPlots.end(), [&](const auto& m) { return m->Number == plotNumber; });
    if (it == FPlots.end())
        return false;
    FPlots.erase(it);
    FindXMaxMin();
    FindYMaxMin();
    if (FAutoRedraw)
        DrawPlotsAndLabelsNoUpdate();
    return true;
}

bool LMyFFTDrawHpLp6dB::SetPlotColor(TColor colour, int plotNumber)
{
    TPlotListMember* m = Find(plotNumber);
    if (!m)
        return false;
    m->Color = colour;
    // The copy below draws the plot in its new colour over the others, as it lies in the list.
    RedrawScreen();
    return true;
}

bool LMyFFTDrawHpLp6dB::SetPlotStyle(int style, int plotNumber)
{
    TPlotListMember* m = Find(plotNumber);
    if (!m)
        return false;
    m->Style = style;
    if (FAutoRedraw)
        DrawAllPlots();
    return true;
}

bool LMyFFTDrawHpLp6dB::GetPlotStyle(int& style, int plotNumber) const
{
    const TPlotListMember* m = Find(plotNumber);
    if (m)
        style = m->Style;
    return m != nullptr;
}

bool LMyFFTDrawHpLp6dB::GetPlotColor(TColor& colour, int plotNumber) const
{
    const TPlotListMember* m = Find(plotNumber);
    if (m)
        colour = m->Color;
    return m != nullptr;
}

bool LMyFFTDrawHpLp6dB::GetPlotNumPoints(int& count, int plotNumber) const
{
    const TPlotListMember* m = Find(plotNumber);
    if (m)
        count = m->Count;
    return m != nullptr;
}

bool LMyFFTDrawHpLp6dB::GetPlotX(double* out, int plotNumber) const
{
    const TPlotListMember* m = Find(plotNumber);
    if (!m)
        return false;
    std::copy(m->X.begin(), m->X.end(), out);
    return true;
}

bool LMyFFTDrawHpLp6dB::GetPlotY(double* out, int plotNumber) const
{
    const TPlotListMember* m = Find(plotNumber);
    if (!m)
        return false;
    std::copy(m->Y.begin(), m->Y.end(), out);
    return true;
}

void LMyFFTDrawHpLp6dB::AssignPlotData(const LMyFFTDrawHpLp6dB& other)
{
    FPlots.clear();
    // Copies go in at the head one by one, so the copy runs in the reverse order of the source.
    for (const auto& src : other.FPlots) {
        auto m = std::make_unique<TPlotListMember>(*src);
        m->CachedVersion = ~0u;
        FPlots.insert(FPlots.begin(), std::move(m));
    }
    FindXMaxMin();
    FindYMaxMin();
    ResizePaintPage();
    if (FAutoRedraw)
        Redraw();
}

void LMyFFTDrawHpLp6dB::AppendPlotData(const LMyFFTDrawHpLp6dB& other)
{
    const bool autoRedraw = FAutoRedraw;
    FAutoRedraw = false;
    for (const auto& src : other.FPlots)
        FFTDraw(src->X.data(), src->Y.data(), src->Count, src->Number, src->Color, src->Style);
    FAutoRedraw = autoRedraw;
    FindXMaxMin();
    FindYMaxMin();
    ResizePaintPage();
    if (FAutoRedraw)
        Redraw();
}

void LMyFFTDrawHpLp6dB::AssignPlot(const LMyFFTDrawHpLp6dB& other)
{
    CleanUp();
    Initialize();
    for (const auto& src : other.FPlots) {
        auto m = std::make_unique<TPlotListMember>(*src);
        m->CachedVersion = ~0u;
        FPlots.insert(FPlots.begin(), std::move(m));
    }
    const bool autoRedraw = other.FAutoRedraw;
    FAutoRedraw = false;
    AssignPlotProperties(other);
    FAutoRedraw = autoRedraw;
    FindXMaxMin();
    FindYMaxMin();
    ResizePaintPage();
    if (FAutoRedraw)
        Redraw();
}

void LMyFFTDrawHpLp6dB::AssignPlotProperties(const LMyFFTDrawHpLp6dB& o)
{
    FAutoRedraw = o.FAutoRedraw;
    FAxisColor = o.FAxisColor;
    FAxisStyle = o.FAxisStyle;
    FXAxisFormat = o.FXAxisFormat;
    FYAxisFormat = o.FYAxisFormat;
    FWantXLabel = o.FWantXLabel;
    FWantYLabel = o.FWantYLabel;
    FShowXLabel = o.FShowXLabel;
    FShowYLabel = o.FShowYLabel;
    FShowCoordinates = o.FShowCoordinates;
    FYAutoScale = o.FYAutoScale;
    FXAutoScale = o.FXAutoScale;
    FYLabelScale = o.FYLabelScale;
    FYMax = o.FYMax;
    FYMin = o.FYMin;
    FXMax = o.FXMax;
    FXMin = o.FXMin;
    FLogXMin = o.FLogXMin;
    FLogXMax = o.FLogXMax;
    FLogYMin = o.FLogYMin;
    FLogYMax = o.FLogYMax;
    FXLabel = o.FXLabel;
    FYLabel = o.FYLabel;
    FPointSize = o.FPointSize;
    FShowVertGrid = o.FShowVertGrid;
    FShowHorzGrid = o.FShowHorzGrid;
    FShowVertTicks = o.FShowVertTicks;
    FShowHorzTicks = o.FShowHorzTicks;
    FVertTickLength = o.FVertTickLength;
    FHorzTickLength = o.FHorzTickLength;
    FNumVertGrid = o.FNumVertGrid;
    FNumHorzGrid = o.FNumHorzGrid;
    FGridColor = o.FGridColor;
    FMouseControl = o.FMouseControl;
    FWantXTitle = o.FWantXTitle;
    FWantYTitle = o.FWantYTitle;
    FWantPlotTitle = o.FWantPlotTitle;
    FShowXTitle = o.FShowXTitle;
    FShowYTitle = o.FShowYTitle;
    FShowPlotTitle = o.FShowPlotTitle;
    FXTitle = o.FXTitle;
    FYTitle = o.FYTitle;
    FYLabelText = o.FYLabelText;
    FPlotTitle = o.FPlotTitle;
    FPlotTitleFont.Assign(o.FPlotTitleFont);
    FAxisTitleFont.Assign(o.FAxisTitleFont);
    FAxisLabelFont.Assign(o.FAxisLabelFont);
    FMouseCoordFont.Assign(o.FMouseCoordFont);
    FPages[PlotTitlePage]->SetFont(FPlotTitleFont);
    FPages[XTitlePage]->SetFont(FAxisTitleFont);
    FPages[YTitlePage]->SetFont(FAxisTitleFont);
    FPages[XLabelPage]->SetFont(FAxisLabelFont);
    FPages[YLabelPage]->SetFont(FAxisLabelFont);
    FPages[CoordPage]->SetFont(FMouseCoordFont);
    FFFTNumber = o.FFFTNumber;
    if (FAutoRedraw)
        Redraw();
}

// ---------------------------------------------------------------------------------------------------
// Ranges

void LMyFFTDrawHpLp6dB::SetXYMinMax(double xMin, double xMax, double yMin, double yMax)
{
    FXMin = xMin;
    FXMax = xMax;
    FYMin = yMin;
    FYMax = yMax;
    CalculateLogMaxMin();
    CompareMaxMin();
    if (FAutoRedraw)
        DrawPlotsAndLabels();
}

void LMyFFTDrawHpLp6dB::FindYMaxMin()
{
    if (!FYAutoScale)
        return;
    if (FPlots.empty()) {
        FYMax = 1;
        FYMin = -1;
    } else {
        FYMax = FYMin = FPlots.front()->Y[0];
        for (const auto& m : FPlots)
            for (double v : m->Y) {
                FYMax = std::max(FYMax, v);
                FYMin = std::min(FYMin, v);
            }
    }
    CompareMaxMin();
    CalculateLogMaxMin();
}

void LMyFFTDrawHpLp6dB::FindXMaxMin()
{
    if (!FXAutoScale)
        return;
    if (FPlots.empty()) {
        FXMax = 1;
        FXMin = -1;
    } else {
        FXMax = FXMin = FPlots.front()->X[0];
        for (const auto& m : FPlots)
            for (double v : m->X) {
                FXMax = std::max(FXMax, v);
                FXMin = std::min(FXMin, v);
            }
    }
    CompareMaxMin();
    CalculateLogMaxMin();
}

void LMyFFTDrawHpLp6dB::CompareMaxMin()
{
    if (FYMax == FYMin)
        FYMax = FYAxisFormat == Log ? FYMin * 10 : FYMax + 1;
    if (FXMax == FXMin)
        FXMax = FXAxisFormat == Log ? FXMin * 10 : FXMax + 1;
}

void LMyFFTDrawHpLp6dB::CalculateLogMaxMin()
{
    if (FXAxisFormat == Log) {
        if (FXMax <= 0)
            FXMax = 10;
        if (FXMin <= 0)
            FXMin = 0.1 * FXMax;
        FLogXMin = std::log10(FXMin);
        FLogXMax = std::log10(FXMax);
    }
    if (FYAxisFormat == Log) {
        if (FYMax <= 0)
            FYMax = 10;
        if (FYMin <= 0)
            FYMin = 0.01 * FYMax;
        FLogYMin = std::log10(FYMin);
        FLogYMax = std::log10(FYMax);
    }
}

TAxisMap LMyFFTDrawHpLp6dB::Map() const
{
    TAxisMap m;
    m.W = FPages[PlotPage]->Width();
    m.H = FPages[PlotPage]->Height();
    m.XMin = FXMin;
    m.XMax = FXMax;
    m.YMin = FYMin;
    m.YMax = FYMax;
    m.LogXMin = FLogXMin;
    m.LogXMax = FLogXMax;
    m.LogYMin = FLogYMin;
    m.LogYMax = FLogYMax;
    m.XFormat = FXAxisFormat;
    m.YFormat = FYAxisFormat;
    return m;
}

TPlotFrame LMyFFTDrawHpLp6dB::PlotFrame() const
{
    const TPaintPage& p = *FPages[PlotPage];
    return {p.Dest.Left, p.Dest.Top, p.Width(), p.Height(), FXMin, FXMax, FYMin, FYMax};
}

bool LMyFFTDrawHpLp6dB::SetPlotWidth(int width)
{
    TPaintPage& p = *FPages[PlotPage];
    const int h = p.Height();
    p.Bitmap = width > 0 && h > 0 ? QImage(width, h, QImage::Format_RGB32) : QImage();
    p.W = p.Bitmap.width();
    p.H = p.Bitmap.height();
    ++p.Generation;
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Layout

void LMyFFTDrawHpLp6dB::LayoutOnce(int& left, int& plotTop, int& plotBottom, bool& fitsV, bool& fitsH)
{
    const int W = Width(), H = Height();
    left = -30;
    int yTitleWidth = 0;
    plotBottom = H;
    int xLabelBottom = H;
    plotTop = 0;
    if (FShowXLabel) {
        FPages[XLabelPage]->SetFont(FAxisLabelFont);
        const int h = TextHeightOf(FAxisLabelFont, Q(LabelNumber(FXMin, FXLabel)));
        plotBottom = H - int(1.2 * h);
    }
    if (FShowXTitle) {
        FPages[XTitlePage]->SetFont(FAxisTitleFont);
        const int h = TextHeightOf(FAxisTitleFont, FXTitle);
        plotBottom -= 2 * h;
        xLabelBottom -= 2 * h;
    }
    if (FShowYLabel) {
        FPages[YLabelPage]->SetFont(FAxisLabelFont);
        const TLabelFormat f{FXLabel.Format, std::max(FXLabel.Precision, FYLabel.Precision),
                             std::max(FXLabel.Digits, FYLabel.Digits)};
        left += WidestSpanLabel(f, FAxisLabelFont) + 4;
    }
    int scratchW = 0, scratchH = 0;
    if (FShowYTitle) {
        FPages[YTitlePage]->SetFont(FAxisTitleFont);
        FPages[YTitleScratch]->SetFont(FAxisTitleFont);
        const int h = TextHeightOf(FAxisTitleFont, FYTitle);
        left += 2 * h;
        yTitleWidth = 2 * h;
        scratchW = TextWidthOf(FAxisTitleFont, FYTitle);
        scratchH = h;
    }
    if (FShowPlotTitle) {
        FPages[PlotTitlePage]->SetFont(FPlotTitleFont);
        plotTop = 2 * TextHeightOf(FPlotTitleFont, FPlotTitle);
    } else {
        plotTop = 10;
    }
    if (FShowCoordinates) {
        FPages[CoordPage]->SetFont(FMouseCoordFont);
        const int w = WidestSpanLabel(FYLabel, FMouseCoordFont, QStringLiteral("x = "));
        const int box = 2 * TextHeightOf(FMouseCoordFont, QStringLiteral("x = ")) + 10;
        FPages[CoordPage]->SetRect(W - w - 5, plotTop + 4, W - 5, plotTop + box + 2);
    }
    if (plotTop < plotBottom && left < W) {
        FPages[PlotPage]->SetRect(left, plotTop, W - 10, plotBottom);
        FPages[XLabelPage]->SetRect(left, plotBottom, W - 10, xLabelBottom);
        FPages[XTitlePage]->SetRect(left, xLabelBottom, W - 10, H);
        FPages[YLabelPage]->SetRect(yTitleWidth, plotTop, left, H);
        FPages[YTitlePage]->SetRect(0, plotTop, yTitleWidth, H);
        FPages[YTitleScratch]->SetRect(0, 0, scratchW, scratchH);
        FPages[PlotTitlePage]->SetRect(0, 0, W - 10, plotTop);
        FPages[RightStripPage]->SetRect(W - 10, 0, W, H);
    }
    fitsV = !(plotBottom < plotTop);
    fitsH = !(W < left);
}

void LMyFFTDrawHpLp6dB::ResizePaintPage()
{
    // Start from the switches asked for, so that labels hidden at a small size come back.
    FShowXLabel = FWantXLabel;
    FShowYLabel = FWantYLabel;
    FShowXTitle = FWantXTitle;
    FShowYTitle = FWantYTitle;
    FShowPlotTitle = FWantPlotTitle;
    int left = 0, top = 0, bottom = 0;
    bool fitsV = true, fitsH = true;
    LayoutOnce(left, top, bottom, fitsV, fitsH);
    if (!fitsV) {
        FShowPlotTitle = FShowXLabel = FShowXTitle = false;
        LayoutOnce(left, top, bottom, fitsV, fitsH);
    }
    if (!fitsH) {
        FShowYLabel = FShowYTitle = false;
        LayoutOnce(left, top, bottom, fitsV, fitsH);
    }
    for (auto& p : FPages)
        p->CopySeq = 0;
    FScreenAll = true;
    for (int i = 0; i < SlotCount; ++i)
        SetBlockPosition(ScreenX(FSlots[std::size_t(i)].X), ScreenY(FSlots[std::size_t(i)].Y), i);
}

// ---------------------------------------------------------------------------------------------------
// Drawing

void LMyFFTDrawHpLp6dB::Redraw()
{
    DrawPlotsAndLabels();
    DrawTitles();
}

void LMyFFTDrawHpLp6dB::DrawPlotsAndLabels()
{
    DrawPlotsAndLabelsNoUpdate();
    UpdatePaintPage(PlotPage);
}

void LMyFFTDrawHpLp6dB::DrawPlotsAndLabelsNoUpdate()
{
    // The plot page is drawn when it is next used: a burst of plot changes draws it once.
    if (Visible())
        FPlotsDirty = true;
    DrawXAxisLabels();
    DrawYAxisLabels();
}

void LMyFFTDrawHpLp6dB::FlushPlots()
{
    if (FPlotsDirty)
        DrawAllPlots();
}

void LMyFFTDrawHpLp6dB::DrawAllPlots()
{
    UpdateLayer();
}

namespace
{
bool DrawsLines(int style)
{
    return style == psLines || style == psLinesFilled || style == psLinesHollow;
}
bool DrawsSquares(int style)
{
    return style >= psFilledSquares && style <= psLinesHollow;
}
} // namespace

const std::vector<int>& LMyFFTDrawHpLp6dB::IndexColumns(int count) const
{
    const TPaintPage& page = *FPages[PlotPage];
    const int W = page.Width();
    if (FIndexMap.W != W || FIndexMap.XMin != FXMin || FIndexMap.XMax != FXMax) {
        FIndexColumns.clear();
        FIndexMap.W = W;
        FIndexMap.XMin = FXMin;
        FIndexMap.XMax = FXMax;
    }
    for (int i = int(FIndexColumns.size()); i < count; ++i)
        FIndexColumns.push_back(Trunc(W * (i - FXMin) / (FXMax - FXMin)));
    return FIndexColumns;
}

void LMyFFTDrawHpLp6dB::EnsurePixels(TPlotListMember& m, const TAxisMap& map)
{
    if (m.CachedVersion == m.Version && m.CachedMap == map && m.CachedPixels)
        return;
    // A curve over its indices on a linear axis takes its columns from the shared list.
    if (m.IndexX && map.XFormat == Linear && map.W == GetPlotWidth())
        m.CachedRuns = PlotRunsAt(IndexColumns(m.Count).data(), m.Y.data(), m.Count, map);
    else
        m.CachedRuns = PlotRuns(m.X.data(), m.Y.data(), m.Count, map);
    m.CachedPixels = std::make_shared<const TPlotPixels>(PolylinePixels(m.CachedRuns, map.W, map.H, 2));
    m.CachedVersion = m.Version;
    m.CachedMap = map;
}

bool LMyFFTDrawHpLp6dB::DeferDrawing()
{
    if (!FDrawWhenShown || FPainting || isVisible())
        return false;
    FDrawDeferred = true;
    return true;
}

bool LMyFFTDrawHpLp6dB::RefreshBackground(QSize size)
{
    const TDrawKey key = BackgroundKey();
    if (key == FBackgroundKey && FBackgroundSize == size)
        return false;
    FBackground = QImage();
    FBackgroundKey = key;
    FBackgroundSize = size;
    return true;
}

void LMyFFTDrawHpLp6dB::PaintBackground(QImage& img)
{
    img = QImage(FBackgroundSize, QImage::Format_RGB32);
    img.fill(fw::ToQColor(Color()));
    PaintGrid(img);
    PaintTicks(img);
    PaintAxis(img);
}

const QImage& LMyFFTDrawHpLp6dB::Background()
{
    if (FBackground.isNull() || FBackground.size() != FBackgroundSize)
        PaintBackground(FBackground);
    return FBackground;
}

void LMyFFTDrawHpLp6dB::RedrawChangedTiles(const std::vector<TLayerPlot>& now, QSize size)
{
    // Only the tiles where a plot's pixels or colour changed are drawn again, with every plot.
    TTileMask dirty;
    dirty.Reset(size.width(), size.height());
    const int tiles = dirty.TileCount();
    for (std::size_t i = 0; i < now.size(); ++i) {
        const TLayerPlot& was = FLayerPlots[i];
        const TLayerPlot& is = now[i];
        if (was.Pixels == is.Pixels && was.Color == is.Color)
            continue;
        for (int t = 0; t < tiles; ++t) {
            const bool wasEmpty = !was.Pixels || was.Pixels->Empty(t);
            const bool isEmpty = !is.Pixels || is.Pixels->Empty(t);
            if (wasEmpty && isEmpty)
                continue;
            if (wasEmpty != isEmpty || was.Color != is.Color || !was.Pixels->SameIn(*is.Pixels, t))
                dirty.Add(t);
        }
    }
    if (dirty.Any()) {
        CopyTiles(FLayer, Background(), dirty);
        std::vector<int> list;
        for (int t = 0; t < tiles; ++t)
            if (dirty.Tile(t))
                list.push_back(t);
        for (const TLayerPlot& p : now)
            if (p.Pixels)
                PutPixels(FLayer, *p.Pixels, fw::ToQColor(p.Color).rgb(), &list);
        FDamage.Merge(dirty);
    }
}

void LMyFFTDrawHpLp6dB::UpdateLayer()
{
    FPlotsDirty = false;
    if (!Visible() || DeferDrawing())
        return;
    const TPaintPage& page = *FPages[PlotPage];
    if (page.Bitmap.isNull()) {
        FLayer = QImage();
        FLayerPlots.clear();
        return;
    }
    const QSize size = page.Bitmap.size();
    if (FDamage.Width() != size.width() || FDamage.Height() != size.height()) {
        FDamage.Reset(size.width(), size.height());
        FOverlayDamage.Reset(size.width(), size.height());
        ResizeOverlay(size);
        FPageValid = false;
    }
    // Grid, ticks and axes change only with the ranges, sizes and colours: kept as a background.
    const bool newBackground = RefreshBackground(size);
    bool full = newBackground || FLayer.size() != size;
    const TAxisMap map = Map();
    std::vector<TLayerPlot> now;
    now.reserve(FPlots.size());
    for (auto& m : FPlots) {
        TLayerPlot p;
        p.Number = m->Number;
        p.Color = m->Color;
        if (m->Count > 0 && DrawsLines(m->Style)) {
            EnsurePixels(*m, map);
            p.Pixels = m->CachedPixels;
        }
        full = full || DrawsSquares(m->Style);
        now.push_back(std::move(p));
    }
    full = full || now.size() != FLayerPlots.size();
    for (std::size_t i = 0; !full && i < now.size(); ++i)
        full = now[i].Number != FLayerPlots[i].Number;
    if (full) {
        // A new background is drawn straight on the layer; a copy of it is kept once the layer is
        // drawn again over the same one (a graph drawn once needs none).
        if (newBackground)
            PaintBackground(FLayer);
        else
            FLayer = Background().copy();
        for (auto& m : FPlots)
            DrawPlotOn(FLayer, *m);
        FDamage.SetAll();
    } else {
        RedrawChangedTiles(now, size);
    }
    FLayerPlots = std::move(now);
}

void LMyFFTDrawHpLp6dB::ResizeOverlay(const QSize& size)
{
    const bool first = FOverlay.isNull() && FOverlayStore.empty();
    // A resized page keeps a store with room to grow, all clear but for the tiles it uses: clearing
    // those leaves it clear for the next size, so a resize neither allocates nor clears it.
    if (!FOverlayStore.empty())
        ClearTiles(FOverlay, FOverlayUsed);
    FOverlayUsed.Reset(size.width(), size.height());
    // A page at its first size has an image of its own, cleared only where something is drawn.
    if (first) {
        FOverlay = QImage(size, QImage::Format_ARGB32_Premultiplied);
        return;
    }
    if (size.width() > FOverlayStride || size.height() > FOverlayRows) {
        FOverlay = QImage();
        FOverlayStride = size.width() + size.width() / 4;
        FOverlayRows = size.height() + size.height() / 4;
        FOverlayStore.assign(std::size_t(FOverlayStride) * std::size_t(FOverlayRows), 0);
    }
    FOverlay =
        QImage(reinterpret_cast<uchar*>(FOverlayStore.data()), size.width(), size.height(),
               qsizetype(FOverlayStride) * qsizetype(sizeof(QRgb)), QImage::Format_ARGB32_Premultiplied);
}

void LMyFFTDrawHpLp6dB::DrawPlotOn(QImage& img, TPlotListMember& m)
{
    if (img.isNull() || m.Count <= 0)
        return;
    const TAxisMap map = Map();
    if (DrawsLines(m.Style)) {
        EnsurePixels(m, map);
        PutPixels(img, *m.CachedPixels, fw::ToQColor(m.Color).rgb());
    }
    if (DrawsSquares(m.Style)) {
        PageCanvas c(img, FPages[PlotPage]->Font, Color());
        c->Pen.Color = m.Color;
        c->Pen.Width = 2;
        c->Brush.Color = (m.Style == psFilledSquares || m.Style == psLinesFilled) ? m.Color : Color();
        const int s = FPointSize;
        for (int i = 0; i < m.Count; ++i) {
            const int px = Trunc(map.ScreenX(m.X[std::size_t(i)])),
                      py = Trunc(map.ScreenY(m.Y[std::size_t(i)]));
            if (px < -2LL * map.W || px >= 3LL * map.W || py < -2LL * map.H || py >= 3LL * map.H)
                continue;
            c->Rectangle(px - s, py - s, px + s, py + s);
        }
    }
}

void LMyFFTDrawHpLp6dB::UpdatePaintPage(int page)
{
    UpdatePaintPage(page, false);
}

void LMyFFTDrawHpLp6dB::UpdatePaintPage(int page, bool unchanged)
{
    if (DeferDrawing())
        return;
    TPaintPage& pg = *FPages[std::size_t(page)];
    const QRect whole(pg.Dest.Left, pg.Dest.Top, pg.Dest.Width(), pg.Dest.Height());
    // A label page copied before and not drawn since shows nothing new (no page lies over it).
    QRect changed = unchanged && pg.CopySeq != 0 ? QRect() : whole;
    if (page == PlotPage) {
        UpdateLayer();
        const QRect damage = RefreshPlotPage();
        // A page copied last already lies over the others: only what changed is shown again.
        if (pg.CopySeq != 0 && pg.CopySeq == FCopySeq)
            changed = damage.translated(pg.Dest.Left, pg.Dest.Top);
    }
    pg.CopySeq = ++FCopySeq;
    FCopyPending = true;
    if (!changed.isEmpty()) {
        // A paint in progress shows every page: asking for another one would paint without end.
        if (!FPainting)
            update(changed);
        FScreenDirty += changed;
    }
}

void LMyFFTDrawHpLp6dB::RedrawScreen()
{
    if (FShowXLabel)
        UpdatePaintPage(XLabelPage);
    if (FShowXTitle)
        UpdatePaintPage(XTitlePage);
    if (FShowYLabel)
        UpdatePaintPage(YLabelPage);
    if (FShowYTitle)
        UpdatePaintPage(YTitlePage);
    if (FShowPlotTitle)
        UpdatePaintPage(PlotTitlePage);
    UpdatePaintPage(RightStripPage);
    UpdatePaintPage(PlotPage);
}

void LMyFFTDrawHpLp6dB::ClearPlot()
{
    const TColor c = Color();
    if (FShowXLabel)
        FPages[XLabelPage]->Clear(c);
    if (FShowXTitle)
        FPages[XTitlePage]->Clear(c);
    if (FShowYLabel)
        FPages[YLabelPage]->Clear(c);
    if (FShowYTitle) {
        FPages[YTitlePage]->Clear(c);
        FPages[YTitleScratch]->Clear(c);
    }
    if (FShowPlotTitle)
        FPages[PlotTitlePage]->Clear(c);
    FPages[RightStripPage]->Clear(c);
    FPages[PlotPage]->Clear(c);
    FPageValid = false;
    // The label pages hold nothing now: the next label drawing draws them again.
    FXLabelKey = {};
    FYLabelKey = {};
}

void LMyFFTDrawHpLp6dB::PaintPages()
{
    if (Width() != FLastWidth || Height() != FLastHeight) {
        FLastWidth = Width();
        FLastHeight = Height();
        ResizePaintPage();
    }
    // A framework paint draws the label pages anew; the plot page gets its overlays once.
    FXLabelKey = {};
    FYLabelKey = {};
    FDrawDeferred = false;
    const bool wasPainting = FPainting;
    FPainting = true;
    Redraw();
    FPainting = wasPainting;
}

QImage LMyFFTDrawHpLp6dB::Grab()
{
    if (FDrawDeferred)
        PaintPages();
    QImage out(std::max(1, Width()), std::max(1, Height()), QImage::Format_RGB32);
    out.fill(fw::ToQColor(Color()));
    ComposeScreen(out);
    return out;
}

std::vector<const TPaintPage*> LMyFFTDrawHpLp6dB::CopyOrder() const
{
    std::vector<const TPaintPage*> order;
    for (const auto& pg : FPages)
        if (pg->CopySeq != 0 && pg.get() != FPages[YTitleScratch].get())
            order.push_back(pg.get());
    std::sort(order.begin(), order.end(), [](auto a, auto b) { return a->CopySeq < b->CopySeq; });
    return order;
}

void LMyFFTDrawHpLp6dB::ComposeScreen(QImage& screen)
{
    // The image composed last time, untouched since, needs only what the copies since changed (as
    // a paint gets only the region its updates asked for).
    const bool again = !FScreenAll && screen.cacheKey() == FScreenKey && screen.size() == FScreenSize;
    const QRegion region = again ? FScreenDirty : QRegion(screen.rect());
    for (const TPaintPage* pg : CopyOrder()) {
        const QImage& img = pg->Bitmap;
        if (img.isNull())
            continue;
        const QRect page = QRect(pg->Dest.Left, pg->Dest.Top, img.width(), img.height()) & screen.rect();
        for (const QRect& part : region) {
            const QRect r = part & page;
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::memcpy(reinterpret_cast<QRgb*>(screen.scanLine(y)) + r.left(),
                            reinterpret_cast<const QRgb*>(img.constScanLine(y - pg->Dest.Top)) +
                                (r.left() - pg->Dest.Left),
                            std::size_t(r.width()) * sizeof(QRgb));
        }
    }
    FScreenAll = FBandShown; // the band is drawn over the image: the next one starts afresh
    if (FBandShown) {
        QPainter p(&screen);
        DrawBand(p);
    }
    FScreenDirty = QRegion();
    FScreenKey = screen.cacheKey();
    FScreenSize = screen.size();
}

void LMyFFTDrawHpLp6dB::DrawBand(QPainter& p)
{
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setPen(QPen(Qt::black, 0, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(FBand.Left, FBand.Top, FBand.Width() - 1, FBand.Height() - 1));
}

void LMyFFTDrawHpLp6dB::ComposeScreen(QPainter& p)
{
    for (const TPaintPage* pg : CopyOrder()) {
        const QImage& img = pg->Bitmap;
        if (!img.isNull())
            p.drawImage(QPoint(pg->Dest.Left, pg->Dest.Top), img);
    }
    if (FBandShown)
        DrawBand(p);
}

void LMyFFTDrawHpLp6dB::paintEvent(QPaintEvent*)
{
    // A copy asked for by the control shows its pages; any other paint is the framework's Paint.
    if (!FCopyPending || FDrawDeferred || Width() != FLastWidth || Height() != FLastHeight)
        PaintPages();
    FCopyPending = false;
    QPainter p(this);
    p.fillRect(rect(), fw::ToQColor(Color()));
    ComposeScreen(p);
}

void LMyFFTDrawHpLp6dB::hideEvent(QHideEvent* e)
{
    TControl::hideEvent(e);
    if (!FDrawWhenShown || FPainting)
        return;
    for (auto& p : FPages) {
        p->Bitmap = QImage();
        ++p->Generation;
        p->CopySeq = 0;
    }
    FLayer = QImage();
    FOverlay = QImage();
    FOverlayStore = {};
    FOverlayStride = FOverlayRows = 0;
    FBackground = QImage();
    FBackgroundKey = {};
    FBackgroundSize = {};
    FLayerPlots.clear();
    FDamage.Reset(0, 0);
    FOverlayDamage.Reset(0, 0);
    FOverlayUsed.Reset(0, 0);
    FPageValid = false;
    FXLabelKey = {};
    FYLabelKey = {};
    FLastWidth = FLastHeight = 0; // the next paint lays the pages out again
    FScreenAll = true;
    FDrawDeferred = true;
}

// ---------------------------------------------------------------------------------------------------
// Axes, grid, ticks, labels, titles

void LMyFFTDrawHpLp6dB::DrawAxis()
{
    if (!Visible())
        return;
    PaintAxis(FPages[PlotPage]->Bitmap);
    FPageValid = false;
}

void LMyFFTDrawHpLp6dB::DrawGrid()
{
    PaintGrid(FPages[PlotPage]->Bitmap);
    FPageValid = false;
}

void LMyFFTDrawHpLp6dB::DrawTicks()
{
    PaintTicks(FPages[PlotPage]->Bitmap);
    FPageValid = false;
}

void LMyFFTDrawHpLp6dB::PaintAxis(QImage& img)
{
    PageCanvas c(img, FPages[PlotPage]->Font, Color());
    if (!c)
        return;
    const int W = img.width(), H = img.height();
    c->Pen.Color = FAxisColor;
    c->Brush.Style = fw::bsSolid;
    c->Brush.Color = FAxisColor;
    auto frame = [&] { c->FrameRect(fw::Rect(0, 0, W, H)); };
    auto centred = [&] {
        if (FYMax != FYMin) {
            const int y = Trunc(ScreenY(0));
            c->MoveTo(0, y);
            c->LineTo(W, y);
        }
        if (FXMax != FXMin) {
            const int x = Trunc(ScreenX(0));
            c->MoveTo(x, 0);
            c->LineTo(x, H);
        }
    };
    switch (FAxisStyle) {
    case Box:
        frame();
        break;
    case Centered:
        centred();
        break;
    case CenteredBox:
        frame();
        centred();
        break;
    case LB:
        c->MoveTo(0, 0);
        c->LineTo(0, H - 1);
        c->LineTo(W, H - 1);
        break;
    case None:
        break;
    }
}

namespace
{
// Values of the horizontal grid lines and ticks.
std::vector<double> HorzValues(TMyAxisFormat format, double yMin, double yMax, double logMin, double logMax,
                               int n)
{
    std::vector<double> out;
    if (format == Linear) {
        const double step = (yMax - yMin) / (n + 1);
        for (int i = 1; i <= n; ++i)
            out.push_back(yMin + i * step);
        return out;
    }
    if (!std::isfinite(logMin) || !std::isfinite(logMax))
        return out;
    for (double d = std::floor(logMin); d < logMax && out.size() < 100000; d += 1) {
        const double a = std::pow(10.0, d), b = std::pow(10.0, d + 1);
        out.push_back(a);
        for (int i = 1; i <= n; ++i)
            out.push_back(a + i * (b - a) / (n + 1));
    }
    return out;
}
} // namespace

void LMyFFTDrawHpLp6dB::PaintGrid(QImage& img)
{
    PageCanvas c(img, FPages[PlotPage]->Font, Color());
    if (!c)
        return;
    const int W = img.width(), H = img.height();
    c->Pen.Color = FGridColor;
    if (FShowHorzGrid)
        for (double v : HorzValues(FYAxisFormat, FYMin, FYMax, FLogYMin, FLogYMax, FNumHorzGrid)) {
            const int y = Trunc(ScreenY(v));
            c->MoveTo(0, y);
            c->LineTo(W, y);
        }
    if (FShowVertGrid) {
        auto vline = [&](double x) {
            const int px = Trunc(x);
            if (px < -1 || px > W)
                return;
            c->MoveTo(px, 0);
            c->LineTo(px, H);
        };
        if (FXAxisFormat == Linear) {
            for (int e = 1; e <= 14; ++e)
                for (int m = 1; m <= 10; ++m) {
                    c->Pen.Color = m == 1 ? FAxisColor : FGridColor;
                    vline(ScreenX(FrequencyIndex(m * std::pow(10.0, e), FFFTNumber, FSampleRate)));
                }
        } else if (std::isfinite(FLogXMin) && std::isfinite(FLogXMax)) {
            for (double d = std::floor(FLogXMin); d < FLogXMax; d += 1) {
                const double a = std::pow(10.0, d), b = std::pow(10.0, d + 1);
                vline(ScreenX(a));
                for (int i = 1; i <= FNumVertGrid; ++i)
                    vline(ScreenX(a + i * (b - a) / (FNumVertGrid + 1)));
            }
        }
    }
}

void LMyFFTDrawHpLp6dB::PaintTicks(QImage& img)
{
    PageCanvas c(img, FPages[PlotPage]->Font, Color());
    if (!c)
        return;
    const int W = img.width(), H = img.height();
    c->Pen.Color = FAxisColor;
    if (FShowHorzTicks)
        for (double v : HorzValues(FYAxisFormat, FYMin, FYMax, FLogYMin, FLogYMax, FNumHorzGrid)) {
            const int y = Trunc(ScreenY(v));
            c->MoveTo(0, y);
            c->LineTo(FHorzTickLength, y);
        }
    if (FShowVertTicks) {
        auto tick = [&](double x, int length) {
            const int px = Trunc(x);
            if (px < -1 || px > W)
                return;
            c->MoveTo(px, H);
            c->LineTo(px, H - length);
        };
        if (FXAxisFormat == Linear) {
            for (int e = 1; e <= 14; ++e)
                for (int m = 1; m <= 10; ++m)
                    tick(ScreenX(FrequencyIndex(m * std::pow(10.0, e), FFFTNumber, FSampleRate)),
                         FVertTickLength + 2);
        } else if (std::isfinite(FLogXMin) && std::isfinite(FLogXMax)) {
            for (double d = std::floor(FLogXMin); d < FLogXMax; d += 1) {
                const double a = std::pow(10.0, d), b = std::pow(10.0, d + 1);
                tick(ScreenX(a), FVertTickLength);
                for (int i = 1; i <= FNumVertGrid; ++i)
                    tick(ScreenX(a + i * (b - a) / (FNumVertGrid + 1)), FVertTickLength);
            }
        }
    }
    (void)W;
}

void LMyFFTDrawHpLp6dB::DrawXAxisLabels()
{
    if (!FShowXLabel || DeferDrawing())
        return;
    TPaintPage& page = *FPages[XLabelPage];
    page.SetFont(FAxisLabelFont);
    const TDrawKey key = LabelKey(false);
    const bool same = key == FXLabelKey;
    if (!same) {
        page.Clear(Color());
        PageCanvas c(page.Bitmap, page.Font, Color());
        if (c) {
            const double N = CurveLength(FFFTNumber), F = std::log10(TopFrequency(FSampleRate));
            for (double t : XLabelLogs(Width())) {
                const int x = Trunc(ScreenX(N * t / F));
                const QString text = Q(XLabelText(std::pow(10.0, t), FXLabel));
                c->TextOut(x - c->TextWidth(text) / 2, 1, text);
            }
        }
        FXLabelKey = key;
    }
    UpdatePaintPage(XLabelPage, same);
}

void LMyFFTDrawHpLp6dB::DrawYAxisLabels()
{
    if (!FShowYLabel || DeferDrawing())
        return;
    TPaintPage& page = *FPages[YLabelPage];
    page.SetFont(FAxisLabelFont);
    const TDrawKey key = LabelKey(true);
    const bool same = key == FYLabelKey;
    if (!same) {
        page.Clear(Color());
        PageCanvas c(page.Bitmap, page.Font, Color());
        if (c) {
            const int pw = page.Width();
            const double s = FYLabelScale;
            auto number = [&](double v) { return Q(LabelNumber(v, FYLabel)); };
            auto put = [&](const QString& text, int top) {
                c->TextOut(pw - c->TextWidth(text) - 2, top, text);
            };
            if (FYAxisFormat == Linear) {
                put(QStringLiteral("+") + number(FYMax * s) + FYLabelText, 0);
                const QString bottom = number(FYMin * s) + FYLabelText;
                put(bottom, Trunc(ScreenY(FYMin)) - c->TextHeight(bottom));
                const double step = (FYMax - FYMin) / (FNumHorzGrid + 1);
                for (int k = 2; k <= FNumHorzGrid; k += 2) {
                    const double v = FYMin + k * step;
                    const QString text = (v > 0 ? QStringLiteral("+") : QString()) +
                                         number(k * step * s + FYMin * s) + FYLabelText;
                    put(text, Trunc(ScreenY(v)) - c->TextHeight(text) / 2);
                }
            } else if (std::isfinite(FLogYMin) && std::isfinite(FLogYMax)) {
                for (double d = std::floor(FLogYMin) + 1; d < FLogYMax; d += 1) {
                    const QString text = number(std::pow(10.0, d * s)) + FYLabelText;
                    put(text, Trunc(ScreenY(std::pow(10.0, d))) - c->TextHeight(text) / 2);
                }
            }
        }
        FYLabelKey = key;
    }
    UpdatePaintPage(YLabelPage, same);
}

LMyFFTDrawHpLp6dB::TDrawKey LMyFFTDrawHpLp6dB::BackgroundKey() const
{
    const TAxisMap m = Map();
    TDrawKey k;
    k.Valid = true;
    k.V = {double(m.W),
           double(m.H),
           FXMin,
           FXMax,
           FYMin,
           FYMax,
           FLogXMin,
           FLogXMax,
           FLogYMin,
           FLogYMax,
           double(FXAxisFormat),
           double(FYAxisFormat),
           double(Color()),
           double(FAxisColor),
           double(FGridColor),
           double(FAxisStyle),
           double(FNumHorzGrid),
           double(FNumVertGrid),
           double(FVertTickLength),
           double(FHorzTickLength),
           double(FShowHorzGrid),
           double(FShowVertGrid),
           double(FShowHorzTicks),
           double(FShowVertTicks),
           double(FFFTNumber),
           double(FSampleRate)};
    return k;
}

LMyFFTDrawHpLp6dB::TDrawKey LMyFFTDrawHpLp6dB::LabelKey(bool y) const
{
    // Everything a label page's pixels depend on: unchanged, the page is not drawn again.
    const TAxisMap m = Map();
    const fw::TFont& f = FAxisLabelFont;
    const TPaintPage& page = *FPages[y ? YLabelPage : XLabelPage];
    TDrawKey k;
    k.Valid = true;
    k.Text = f.Name();
    if (y) {
        k.Text2 = FYLabelText;
        k.V = {double(m.W),
               double(m.H),
               double(page.Width()),
               double(page.Height()),
               double(Width()),
               double(Color()),
               double(f.Height()),
               double(f.Color()),
               double(f.Style()),
               FYMin,
               FYMax,
               FLogYMin,
               FLogYMax,
               double(FYAxisFormat),
               FYLabelScale,
               double(FNumHorzGrid),
               double(FYLabel.Format),
               double(FYLabel.Precision),
               double(FYLabel.Digits)};
    } else {
        k.V = {double(m.W),
               double(m.H),
               double(page.Width()),
               double(page.Height()),
               double(Width()),
               double(Color()),
               double(f.Height()),
               double(f.Color()),
               double(f.Style()),
               FXMin,
               FXMax,
               FLogXMin,
               FLogXMax,
               double(FXAxisFormat),
               double(FXLabel.Format),
               double(FXLabel.Precision),
               double(FXLabel.Digits),
               double(FFFTNumber),
               double(FSampleRate)};
    }
    return k;
}

void LMyFFTDrawHpLp6dB::DrawTitles()
{
    if (DeferDrawing())
        return;
    const TColor bg = Color();
    TPaintPage& title = *FPages[PlotTitlePage];
    title.Clear(bg);
    if (FShowPlotTitle) {
        title.SetFont(FPlotTitleFont);
        PageCanvas c(title.Bitmap, title.Font, bg);
        if (c) {
            const int th = c->TextHeight(FPlotTitle), tw = c->TextWidth(FPlotTitle);
            const TPaintPage& plot = *FPages[PlotPage];
            c->TextOut((plot.Width() - tw) / 2 + plot.Dest.Left, title.Height() - 3 * th / 2, FPlotTitle);
        }
    }
    UpdatePaintPage(PlotTitlePage);
    if (FShowXTitle) {
        TPaintPage& p = *FPages[XTitlePage];
        p.Clear(bg);
        p.SetFont(FAxisTitleFont);
        PageCanvas c(p.Bitmap, p.Font, bg);
        if (c) {
            const int th = c->TextHeight(FXTitle), tw = c->TextWidth(FXTitle);
            c->TextOut((p.Width() - tw) / 2, p.Height() - 3 * th / 2, FXTitle);
        }
        UpdatePaintPage(XTitlePage);
    }
    if (FShowYTitle) {
        TPaintPage& p = *FPages[YTitlePage];
        TPaintPage& s = *FPages[YTitleScratch];
        p.Clear(bg);
        s.Clear(bg);
        p.SetFont(FAxisTitleFont);
        s.SetFont(FAxisTitleFont);
        {
            PageCanvas cs(s.Bitmap, s.Font, bg);
            if (cs)
                cs->TextOut(0, 0, FYTitle);
        }
        PageCanvas c(p.Bitmap, p.Font, bg);
        if (c) {
            const int th = c->TextHeight(FYTitle), tw = c->TextWidth(FYTitle);
            c->TextOut(th / 2, (FPages[PlotPage]->Height() - tw) / 2, FYTitle);
        }
        UpdatePaintPage(YTitlePage);
    }
    FPages[RightStripPage]->Clear(bg);
    UpdatePaintPage(RightStripPage);
}

// ---------------------------------------------------------------------------------------------------
// Markers, parameter text, fill, free text, marker line

namespace
{
// Room around a text for glyphs reaching past their advance.
QRect TextBox(int x, int y, int w, int h)
{
    return QRect(x, y, w, h).adjusted(-3, -3, 3, 3);
}

// The lines of a parameter text, top to bottom.
std::vector<QString> ParamTexts(TParamLines lines, double gain, float frequency, double q)
{
    std::vector<QString> texts;
    if (lines == plQFreqGain || lines == plQFreq)
        texts.push_back(Q(QualityLine(q)));
    if (lines != plNone)
        texts.push_back(Q(FreqLine(frequency)));
    if (lines == plQFreqGain)
        texts.push_back(Q(GainLine(gain)));
    return texts;
}

void SetFontState(std::array<double, 16>& v, std::size_t at, const fw::TFont& f)
{
    v[at] = f.Style();
    v[at + 1] = f.Charset();
    v[at + 2] = f.Orientation();
}
} // namespace

// The parameter text a circle marker gets from BlockPaint when the show-all switch is on.
bool LMyFFTDrawHpLp6dB::ShowsParamText(int slot) const
{
    const TBlockSlot& b = FSlots[std::size_t(slot)];
    return b.Shape == 1 && FParamDisplay && (b.X != FSelX || b.Y != FSelGain);
}

void LMyFFTDrawHpLp6dB::DrawMarker(int slot, int penWidth, bool paintParams, const fw::TFont& font,
                                   const TOverlayClip* clip)
{
    const TBlockSlot& b = FSlots[std::size_t(slot)];
    if (b.Shape < 0 || b.Shape > 3)
        return;
    QImage& img = FPages[PlotPage]->Bitmap;
    {
        PageCanvas c(clip ? *clip->Target : img, font, Color(), clip ? &clip->Region : nullptr);
        if (!c)
            return;
        const int sx = Trunc(ScreenX(b.X)), sy = Trunc(ScreenY(b.Y));
        c->Pen.Color = b.Color;
        c->Pen.Width = penWidth;
        c->Brush.Style = fw::bsCross;
        c->Brush.Color = Color();
        if (b.Shape == 1)
            c->Ellipse(sx - 3, sy - 3, sx + 3, sy + 3);
        else
            c->Rectangle(sx - 3, sy - 3, sx + 3, sy + 3);
        c->Brush.Style = fw::bsClear;
        c->Font.SetColor(fw::clWhite);
        if (b.Shape <= 1) {
            c->Font.SetSize(11);
            c->TextOut(sx - 3, sy - 23, QString::number(slot + 1));
        } else {
            // A corner label that would cover a band's number goes below its marker.
            c->Font.SetSize(8);
            c->TextOut(sx - 8, LabelMoved(slot) ? sy + 7 : sy - 20,
                       b.Shape == 2 ? QStringLiteral("LPF") : QStringLiteral("HPF"));
        }
    }
    if (paintParams && ShowsParamText(slot))
        DrawParamText(ParamLinesFor(ShowAllTypeIndex(int(b.Type)), false), b.Gain, b.X, float(b.Freq), b.Q,
                      fw::clWhite, font, clip, TextMoved(slot));
}

namespace
{
QString MarkerLabel(int slot, int shape)
{
    return shape <= 1   ? QString::number(slot + 1)
           : shape == 2 ? QStringLiteral("LPF")
                        : QStringLiteral("HPF");
}
TBox BoxOf(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
} // namespace

QSize LMyFFTDrawHpLp6dB::TextSize(const fw::TFont& font, int size, const QString& text) const
{
    // Sizes are kept for one font family and style at a time.
    if (font.Name() != FTextSizeFont || int(font.Style()) != FTextSizeStyle || FTextSizes.size() >= 2048) {
        FTextSizes.clear();
        FTextSizeFont = font.Name();
        FTextSizeStyle = int(font.Style());
    }
    const QString key = QChar(ushort(size)) + text;
    auto it = FTextSizes.constFind(key);
    if (it != FTextSizes.constEnd())
        return *it;
    fw::TFont f;
    f.Assign(font);
    f.SetSize(size);
    return *FTextSizes.insert(key, QSize(TextWidthOf(f, text), TextHeightOf(f, text)));
}

TLabelPlan LMyFFTDrawHpLp6dB::PlanTexts(const fw::TFont& markerFont, const fw::TFont& textFont) const
{
    std::vector<TLabelSpot> spots(static_cast<std::size_t>(SlotCount));
    auto textBox = [&](TParamLines lines, double gain, double x, float frequency, double q,
                       const fw::TFont& font, bool moved) {
        const int sx = Trunc(ScreenX(x)), sy = Trunc(ScreenY(gain));
        const std::vector<QString> texts = ParamTexts(lines, gain, frequency, q);
        const std::vector<int> tops = ParamLineTops(lines, gain, moved);
        QRect r;
        for (std::size_t i = 0; i < texts.size(); ++i)
            r |= QRect(QPoint(sx - 20, sy + tops[i]), TextSize(font, 8, texts[i]));
        return BoxOf(r);
    };
    std::vector<int> own;
    for (int i = 0; i < SlotCount; ++i) {
        const TBlockSlot& b = FSlots[std::size_t(i)];
        TLabelSpot& s = spots[std::size_t(i)];
        const int sx = Trunc(ScreenX(b.X)), sy = Trunc(ScreenY(b.Y));
        // A marker far off the page has nothing on it to meet.
        s.Shown = !b.Hidden && b.Shape >= 0 && b.Shape <= 3 && sx > -200 && sx < GetPlotWidth() + 200 &&
                  sy > -200 && sy < GetPlotHeight() + 200;
        if (!s.Shown)
            continue;
        s.Body = {sx - 6, sy - 6, sx + 7, sy + 7};
        s.Corner = b.Shape >= 2;
        const QSize label = TextSize(markerFont, s.Corner ? 8 : 11, MarkerLabel(i, b.Shape));
        s.Label = s.Corner ? BoxOf(QRect(QPoint(sx - 8, sy - 20), label))
                           : BoxOf(QRect(QPoint(sx - 3, sy - 23), label));
        if (s.Corner)
            s.LabelBelow = BoxOf(QRect(QPoint(sx - 8, sy + 7), label));
        if (ShowsParamText(i)) {
            const TParamLines lines = ParamLinesFor(ShowAllTypeIndex(int(b.Type)), false);
            s.Text = textBox(lines, b.Gain, b.X, float(b.Freq), b.Q, markerFont, false);
            s.TextOther = textBox(lines, b.Gain, b.X, float(b.Freq), b.Q, markerFont, true);
        }
        if (b.X == FSelX && b.Y == FSelGain)
            own.push_back(i);
    }
    TBox selected, selectedOther;
    if (FSelDisplay) {
        const TParamLines lines = ParamLinesFor(FSelType, true);
        selected = textBox(lines, FSelGain, FSelX, FSelFreq, FSelQ, textFont, false);
        selectedOther = textBox(lines, FSelGain, FSelX, FSelFreq, FSelQ, textFont, true);
    }
    return PlanLabels(spots, selected, selectedOther, own, {0, 0, GetPlotWidth(), GetPlotHeight()});
}

LMyFFTDrawHpLp6dB::TOverlayState LMyFFTDrawHpLp6dB::MarkerState(int slot, const fw::TFont& font) const
{
    const TBlockSlot& b = FSlots[std::size_t(slot)];
    TOverlayState s;
    s.Drawn = !b.Hidden && b.Shape >= 0 && b.Shape <= 3;
    if (!s.Drawn)
        return s;
    s.V = {double(Trunc(ScreenX(b.X))), double(Trunc(ScreenY(b.Y))), double(b.Color), double(b.Shape)};
    SetFontState(s.V, 4, font);
    if (ShowsParamText(slot)) {
        s.V[7] = 1;
        s.V[8] = ParamLinesFor(ShowAllTypeIndex(int(b.Type)), false);
        s.V[9] = Trunc(ScreenY(b.Gain));
        s.V[10] = b.Gain;
        s.V[11] = float(b.Freq);
        s.V[12] = b.Q;
        s.V[13] = TextMoved(slot);
    }
    s.V[14] = LabelMoved(slot);
    s.Font = font.Name();
    return s;
}

QRect LMyFFTDrawHpLp6dB::MarkerArea(int slot, const fw::TFont& font) const
{
    const TBlockSlot& b = FSlots[std::size_t(slot)];
    const int sx = Trunc(ScreenX(b.X)), sy = Trunc(ScreenY(b.Y));
    // The wide pen reaches a few pixels past the 6-pixel box.
    QRect area(sx - 8, sy - 8, 17, 17);
    fw::TFont f;
    f.Assign(font);
    f.SetSize(b.Shape <= 1 ? 11 : 8);
    const QString label = MarkerLabel(slot, b.Shape);
    area |= b.Shape <= 1 ? TextBox(sx - 3, sy - 23, TextWidthOf(f, label), TextHeightOf(f, label))
                         : TextBox(sx - 8, LabelMoved(slot) ? sy + 7 : sy - 20, TextWidthOf(f, label),
                                   TextHeightOf(f, label));
    if (ShowsParamText(slot))
        area |= ParamTextArea(ParamLinesFor(ShowAllTypeIndex(int(b.Type)), false), b.Gain, b.X, float(b.Freq),
                              b.Q, font, TextMoved(slot));
    return area;
}

void LMyFFTDrawHpLp6dB::DrawBlock(double y, double x, TColor colour, int slot, bool hidden, int shape)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    TBlockSlot& b = FSlots[std::size_t(slot)];
    b.X = x;
    b.Y = y;
    b.Color = colour;
    SetBlockPosition(ScreenX(x), ScreenY(y), slot);
    b.Shape = shape;
    b.Hidden = hidden;
}

int LMyFFTDrawHpLp6dB::SetBlockParameter(int slot, double frequency, double gain, double q, int typeCode)
{
    if (slot >= 0 && slot < SlotCount) {
        TBlockSlot& b = FSlots[std::size_t(slot)];
        b.Freq = frequency;
        b.Gain = gain;
        b.Q = q;
        b.Type = typeCode;
    }
    return slot;
}

void LMyFFTDrawHpLp6dB::SetBlockPosition(double px, double py, int slot)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    TBlockSlot& b = FSlots[std::size_t(slot)];
    b.PX = px;
    b.PY = py;
    b.Pos = {Trunc(px), Trunc(py)};
}

fw::TPoint LMyFFTDrawHpLp6dB::GetBlockPos(int slot) const
{
    if (slot < 0 || slot >= SlotCount)
        return {};
    return FSlots[std::size_t(slot)].Pos;
}

void LMyFFTDrawHpLp6dB::BlockPaint()
{
    for (int i = 0; i < SlotCount; ++i)
        if (!FSlots[std::size_t(i)].Hidden)
            DrawMarker(i, 5, true, FPages[PlotPage]->Font, nullptr);
    FPageValid = false;
}

TParamLines LMyFFTDrawHpLp6dB::ParamLinesFor(int typeIndex, bool) const
{
    return ParamLinesHpLp(typeIndex);
}

void LMyFFTDrawHpLp6dB::DrawParamText(TParamLines lines, double gain, double x, float frequency, double q,
                                      TColor colour, const fw::TFont& font, const TOverlayClip* clip,
                                      bool moved)
{
    PageCanvas c(clip ? *clip->Target : FPages[PlotPage]->Bitmap, font, Color(),
                 clip ? &clip->Region : nullptr);
    if (!c)
        return;
    const int sx = Trunc(ScreenX(x)), sy = Trunc(ScreenY(gain));
    c->Pen.Color = colour;
    c->Pen.Width = 1;
    c->Font.SetColor(colour);
    c->Font.SetSize(8);
    c->Brush.Style = fw::bsClear;
    const std::vector<QString> texts = ParamTexts(lines, gain, frequency, q);
    const std::vector<int> tops = ParamLineTops(lines, gain, moved);
    for (std::size_t i = 0; i < texts.size(); ++i)
        c->TextOut(sx - 20, sy + tops[i], texts[i]);
}

LMyFFTDrawHpLp6dB::TOverlayState LMyFFTDrawHpLp6dB::ParamTextState(TParamLines lines, double gain, double x,
                                                                   float frequency, double q, TColor colour,
                                                                   const fw::TFont& font) const
{
    TOverlayState s;
    s.Drawn = lines != plNone;
    if (!s.Drawn)
        return s;
    s.V = {double(lines),  double(Trunc(ScreenX(x))),  double(Trunc(ScreenY(gain))), gain, frequency, q,
           double(colour), double(FPlan.SelectedMoved)};
    SetFontState(s.V, 8, font);
    s.Font = font.Name();
    return s;
}

QRect LMyFFTDrawHpLp6dB::ParamTextArea(TParamLines lines, double gain, double x, float frequency, double q,
                                       const fw::TFont& font, bool moved) const
{
    fw::TFont f;
    f.Assign(font);
    f.SetSize(8);
    const int sx = Trunc(ScreenX(x)), sy = Trunc(ScreenY(gain));
    const std::vector<QString> texts = ParamTexts(lines, gain, frequency, q);
    const std::vector<int> tops = ParamLineTops(lines, gain, moved);
    QRect area;
    for (std::size_t i = 0; i < texts.size(); ++i)
        area |= TextBox(sx - 20, sy + tops[i], TextWidthOf(f, texts[i]), TextHeightOf(f, texts[i]));
    return area;
}

void LMyFFTDrawHpLp6dB::ShowParam(int typeIndex, double gain, double x, float frequency, double q,
                                  TColor colour)
{
    DrawParamText(ParamLinesFor(typeIndex, false), gain, x, frequency, q, colour, FPages[PlotPage]->Font,
                  nullptr, false);
    FPageValid = false;
}

void LMyFFTDrawHpLp6dB::DrawParam(int typeIndex, double gain, double x, float frequency, double q,
                                  TColor colour)
{
    FSelType = typeIndex;
    FSelGain = gain;
    FSelX = x;
    FSelFreq = frequency;
    FSelQ = q;
    FSelColor = colour;
}

// The selected band's curve as the fill's outline, then the closing lines of its type; `outline`
// receives the number of outline points.
std::vector<TPointF> LMyFFTDrawHpLp6dB::SelectedFillPath(int count, std::size_t& outline) const
{
    const QImage& img = FPages[PlotPage]->Bitmap;
    const int H = img.height();
    // Far-off values stay within what the rasteriser can take.
    constexpr int limit = 1 << 20;
    std::vector<TIntPoint> pts;
    pts.reserve(std::size_t(count));
    const std::vector<int>& columns = IndexColumns(count);
    std::vector<int> rows(std::size_t(std::max(count, 0)));
    TruncLinearRows(H, FSelCurve.data(), count, FYMin, FYMax, rows.data());
    for (int i = 0; i < count; ++i) {
        const int px = std::clamp(columns[std::size_t(i)], -limit, limit);
        const int py = std::clamp(rows[std::size_t(i)], -limit, limit);
        if (!pts.empty() && pts.back().X == px && pts.back().Y == py)
            continue; // a repeated pixel adds nothing to the curve
        // A straight stretch along a row is one piece of the curve.
        if (pts.size() >= 2 && pts[pts.size() - 2].Y == py && pts.back().Y == py &&
            pts.back().X > pts[pts.size() - 2].X && px > pts.back().X) {
            pts.back().X = px;
            continue;
        }
        pts.push_back({px, py});
    }
    std::vector<TPointF> path = CardinalPolyline(pts);
    outline = path.size();
    auto line = [&](double x1, double y1, double x2, double y2) {
        auto cx = [&](double v) { return std::clamp(ScreenX(v), -double(limit), double(limit)); };
        auto cy = [&](double v) { return std::clamp(ScreenY(v), -double(limit), double(limit)); };
        path.push_back({cx(x1), cy(y1)});
        path.push_back({cx(x2), cy(y2)});
    };
    const int t = FSelType;
    const double gainEnd = FSelGain < 0 ? FYMin : FYMax;
    if (t == 0) {
        line(10, 0, 20000, 0);
    } else if (t == 1) {
        line(20000, 0, 10, 0);
        line(10, 0, 10, gainEnd);
    } else if (t == 2) {
        line(20000, gainEnd, 20000, 0);
        line(20000, 0, 10, 0);
    } else if (t > 2) {
        line(20000, 0, 20000, FYMin);
        line(20000, FYMin, 10, FYMin);
    }
    return path;
}

namespace
{
const QRgb FillGrey = qRgb(128, 128, 128);
constexpr int FillAlpha = 30;

// The fill over the page: its outline (the curve without the closing lines) when asked, then the
// whole path outlined and filled.
void BlendSelectedFill(QImage& img, const std::vector<TPointF>& path, std::size_t outline,
                       const TCover& cover, bool outlineBeforeClosing, const TTileMask* only)
{
    BlendPolyline(img, path, outlineBeforeClosing ? outline : path.size(), FillGrey, FillAlpha, only);
    BlendCover(img, cover, FillGrey, FillAlpha, only);
}
} // namespace

void LMyFFTDrawHpLp6dB::FillSelectedCurve(bool outlineBeforeClosing, int count)
{
    QImage& img = FPages[PlotPage]->Bitmap;
    if (img.isNull())
        return;
    std::size_t outline = 0;
    const std::vector<TPointF> path = SelectedFillPath(count, outline);
    BlendSelectedFill(img, path, outline, PolygonCover(path, img.width(), img.height()), outlineBeforeClosing,
                      nullptr);
}

void LMyFFTDrawHpLp6dB::DrawCurveFill(int, const double* curve, int count)
{
    count = std::clamp(count, 0, SelectedCurveLength);
    if (curve)
        std::copy_n(curve, count, FSelCurve.begin());
    ++FSelCurveVersion;
}

bool LMyFFTDrawHpLp6dB::SetCurveDisplay(bool on)
{
    FSelDisplay = on;
    return on;
}

void LMyFFTDrawHpLp6dB::CuveDisplayPaint()
{
    if (!FSelDisplay)
        return;
    DrawParamText(ParamLinesFor(FSelType, true), FSelGain, FSelX, FSelFreq, FSelQ, FSelColor,
                  FPages[PlotPage]->Font, nullptr, FPlan.SelectedMoved);
    FillSelectedCurve(true, SelectedCurveLength);
    FPageValid = false;
}

bool LMyFFTDrawHpLp6dB::SetParameterDisplay(bool on)
{
    FParamDisplay = on;
    return on;
}

void LMyFFTDrawHpLp6dB::DrawTextA(int x, int y, int size, TColor colour, const QString& fontName,
                                  const QString& text)
{
    FTextX = x;
    FTextY = y;
    FTextSize = size;
    FTextColor = colour;
    FTextFont = fontName;
    FText = text;
}

// The plot page's font takes the free text's name, size and colour (the markers drawn next use it).
void LMyFFTDrawHpLp6dB::ApplyFreeTextFont()
{
    TPaintPage& page = *FPages[PlotPage];
    if (!FTextFont.isEmpty())
        page.Font.SetName(FTextFont);
    if (FTextSize > 0)
        page.Font.SetSize(FTextSize);
    page.Font.SetColor(FTextColor);
}

void LMyFFTDrawHpLp6dB::DrawFreeText(const TOverlayClip* clip)
{
    if (FText.isEmpty())
        return;
    PageCanvas c(clip ? *clip->Target : FPages[PlotPage]->Bitmap, FPages[PlotPage]->Font, Color(),
                 clip ? &clip->Region : nullptr);
    if (!c)
        return;
    c->Brush.Style = fw::bsClear;
    c->TextOut(FTextX, FTextY, FText);
}

void LMyFFTDrawHpLp6dB::TextPaint()
{
    ApplyFreeTextFont();
    DrawFreeText(nullptr);
    FPageValid = false;
}

void LMyFFTDrawHpLp6dB::DrawLine(double x, TColor colour, bool marker)
{
    FLineX = x;
    FLineColor = colour;
    FLineMarker = marker;
    FLineShown = true;
}

void LMyFFTDrawHpLp6dB::DrawMarkerLine(const TOverlayClip* clip)
{
    PageCanvas c(clip ? *clip->Target : FPages[PlotPage]->Bitmap, FPages[PlotPage]->Font, Color(),
                 clip ? &clip->Region : nullptr);
    if (!c)
        return;
    const int sx = Trunc(ScreenX(FLineX));
    c->Pen.Width = 1;
    c->Pen.Color = fw::clRed;
    c->Pen.Style = fw::psDot;
    c->MoveTo(sx, 0);
    c->LineTo(sx, Height() - 10);
    c->Pen.Style = fw::psSolid;
    if (FLineMarker) {
        FLineColumn = sx;
        const int sy = Trunc(ScreenY(-3.0));
        c->Pen.Color = fw::clYellow;
        c->Brush.Style = fw::bsClear;
        c->Rectangle(sx - 4, sy - 4, sx + 4, sy + 4);
    }
}

void LMyFFTDrawHpLp6dB::LinePaint()
{
    DrawMarkerLine(nullptr);
    FPageValid = false;
}

std::vector<LMyFFTDrawHpLp6dB::TOverlayState>
LMyFFTDrawHpLp6dB::OverlayStates(const TPaintPage& page, const fw::TFont& markerFont) const
{
    std::vector<TOverlayState> now(std::size_t(SlotCount) + 3);
    for (int i = 0; i < SlotCount; ++i)
        now[std::size_t(i)] = MarkerState(i, markerFont);
    TOverlayState& line = now[SlotCount];
    line.Drawn = FLineShown;
    if (line.Drawn)
        line.V = {double(Trunc(ScreenX(FLineX))), double(FLineMarker), double(Trunc(ScreenY(-3.0))),
                  double(Height())};
    TOverlayState& text = now[SlotCount + 1];
    text.Drawn = !FText.isEmpty();
    if (text.Drawn) {
        text.V = {double(FTextX), double(FTextY), double(page.Font.Height()), double(page.Font.Color())};
        SetFontState(text.V, 4, page.Font);
        text.Font = page.Font.Name();
        text.Text = FText;
    }
    TOverlayState& selected = now[SlotCount + 2];
    if (FSelDisplay)
        selected = ParamTextState(ParamLinesFor(FSelType, true), FSelGain, FSelX, FSelFreq, FSelQ, FSelColor,
                                  page.Font);
    return now;
}

void LMyFFTDrawHpLp6dB::MarkOverlayChanges(std::vector<TOverlayState>& now, const TPaintPage& page,
                                           const fw::TFont& markerFont)
{
    const bool known = FDrawn.size() == now.size();
    for (std::size_t i = 0; i < now.size(); ++i) {
        TOverlayState& is = now[i];
        if (known && is.Same(FDrawn[i])) {
            is.Area = FDrawn[i].Area;
            continue;
        }
        if (known && FDrawn[i].Drawn)
            FOverlayDamage.AddRect(FDrawn[i].Area);
        if (!is.Drawn)
            continue;
        if (i < std::size_t(SlotCount))
            is.Area = MarkerArea(int(i), markerFont);
        else if (i == std::size_t(SlotCount))
            is.Area = QRect(QPoint(int(is.V[0]) - 1, -1), QPoint(int(is.V[0]) + 1, Height() - 9)) |
                      QRect(int(is.V[0]) - 5, int(is.V[2]) - 5, 11, 11);
        else if (i == std::size_t(SlotCount) + 1) {
            const int h = TextHeightOf(page.Font, FText);
            is.Area = TextBox(FTextX, FTextY, TextWidthOf(page.Font, FText), h)
                          .adjusted(-h / 4, -h / 4, h / 4, h / 4);
        } else
            is.Area = ParamTextArea(ParamLinesFor(FSelType, true), FSelGain, FSelX, FSelFreq, FSelQ,
                                    page.Font, FPlan.SelectedMoved);
        FOverlayDamage.AddRect(is.Area);
    }
}

void LMyFFTDrawHpLp6dB::UpdateSelectedFill(const TPaintPage& page)
{
    // The fill changes only where its outline moved (columns, all rows: the area below it may change).
    const TFillKey fillKey{FSelDisplay, FSelType, FSelGain < 0, FSelCurveVersion, Map()};
    if (FFillKnown && fillKey == FFillKey)
        return;
    std::size_t outline = 0;
    std::vector<TPointF> path;
    if (FSelDisplay)
        path = SelectedFillPath(SelectedCurveLength, outline);
    TCover cover = PolygonCover(path, page.Width(), page.Height());
    if (FFillCover.Width != cover.Width || FFillCover.Height != cover.Height)
        FDamage.SetAll();
    AddOutlineDifference(FDamage, FFillPath, FFillOutline, path, outline);
    AddCoverDifference(FDamage, FFillCover, cover);
    FFillPath = std::move(path);
    FFillOutline = outline;
    FFillCover = std::move(cover);
    FFillKey = fillKey;
    FFillKnown = true;
}

void LMyFFTDrawHpLp6dB::RedrawOverlays(const std::vector<TOverlayState>& now, const TPaintPage& page,
                                       const fw::TFont& markerFont)
{
    // The tiles an overlay drawn now reaches.
    TTileMask reach;
    reach.Reset(FOverlayDamage.Width(), FOverlayDamage.Height());
    for (const TOverlayState& s : now)
        if (s.Drawn)
            reach.AddRect(s.Area);
    // Only the tiles that hold something, or are drawn on now, need clearing: a kept store is clear
    // elsewhere, and the tiles of a page's own image that nothing uses are never read (a new image
    // is not cleared where nothing is drawn).
    TTileMask dirty;
    dirty.Reset(FOverlayDamage.Width(), FOverlayDamage.Height());
    const bool storeClear = !FOverlayStore.empty() && FOverlayUsed.TileCount() == FOverlayDamage.TileCount();
    const bool usedKnown = FOverlayUsed.TileCount() == FOverlayDamage.TileCount();
    for (int t = 0; t < FOverlayDamage.TileCount(); ++t)
        if (FOverlayDamage.Tile(t) && (!usedKnown || FOverlayUsed.Tile(t) || (!storeClear && reach.Tile(t))))
            dirty.Add(t);
    ClearTiles(FOverlay, dirty);
    TOverlayClip clip;
    clip.Target = &FOverlay;
    const std::vector<QRect> rects = FOverlayDamage.Rects();
    clip.Region.setRects(rects.data(), int(rects.size()));
    for (int i = 0; i < SlotCount; ++i)
        if (now[std::size_t(i)].Drawn && FOverlayDamage.Intersects(now[std::size_t(i)].Area))
            DrawMarker(i, 5, true, markerFont, &clip);
    const TOverlayState& line = now[SlotCount];
    const TOverlayState& text = now[SlotCount + 1];
    const TOverlayState& selected = now[SlotCount + 2];
    if (line.Drawn && FOverlayDamage.Intersects(line.Area))
        DrawMarkerLine(&clip);
    if (text.Drawn && FOverlayDamage.Intersects(text.Area))
        DrawFreeText(&clip);
    if (selected.Drawn && FOverlayDamage.Intersects(selected.Area))
        DrawParamText(ParamLinesFor(FSelType, true), FSelGain, FSelX, FSelFreq, FSelQ, FSelColor, page.Font,
                      &clip, FPlan.SelectedMoved);
    // The repaired tiles that no overlay drawn now reaches hold nothing: they are not scanned.
    MarkUsedTiles(FOverlayUsed, FOverlay, FOverlayDamage, &reach);
    FDamage.Merge(FOverlayDamage);
}

QRect LMyFFTDrawHpLp6dB::RefreshPlotPage()
{
    TPaintPage& page = *FPages[PlotPage];
    if (page.Bitmap.isNull() || FLayer.size() != page.Bitmap.size())
        return {};
    if (page.Generation != FPageGeneration) {
        FPageGeneration = page.Generation;
        FPageValid = false;
    }

    // What every overlay draws now; those that changed mark where they were and where they go.
    // The markers use the font the free text left on the page at the last copy, the texts after
    // them the font it sets now.
    fw::TFont markerFont;
    markerFont.Assign(page.Font);
    ApplyFreeTextFont();
    FPlan = PlanTexts(markerFont, page.Font);
    std::vector<TOverlayState> now = OverlayStates(page, markerFont);
    MarkOverlayChanges(now, page, markerFont);
    UpdateSelectedFill(page);
    if (!FPageValid) {
        FOverlayDamage.SetAll();
        FDamage.SetAll();
        FPageValid = true;
    }
    // The overlay layer again where an overlay changed, every overlay there drawn once more.
    if (FOverlayDamage.Any())
        RedrawOverlays(now, page, markerFont);
    FDrawn = std::move(now);
    if (!FDamage.Any())
        return {};
    // The page: the overlays over the plots, the fill over both.
    ComposeTiles(page.Bitmap, FLayer, FOverlay, FDamage, &FOverlayUsed);
    // A full paint lays the overlays on the plot page once per label page it copies and once more
    // for the plot page itself: the translucent fill reaches the screen that many times over.
    if (FSelDisplay)
        for (int pass = 0, passes = 1 + int(FShowXLabel) + int(FShowYLabel); pass < passes; ++pass)
            BlendSelectedFill(page.Bitmap, FFillPath, FFillOutline, FFillCover, true, &FDamage);
    QRect bounds;
    for (const QRect& r : FDamage.Rects())
        bounds |= r;
    FDamage.Clear();
    FOverlayDamage.Clear();
    return bounds;
}

// ---------------------------------------------------------------------------------------------------
// Navigation and readout

double LMyFFTDrawHpLp6dB::PlotX(double px) const
{
    const TPlotFrame f = PlotFrame();
    if (FXAxisFormat == Linear)
        return f.AxisX(px);
    return std::pow(10.0, FLogXMin + (px - f.Left) * (FLogXMax - FLogXMin) / f.W);
}

double LMyFFTDrawHpLp6dB::PlotY(double py) const
{
    const TPlotFrame f = PlotFrame();
    const double H = f.H;
    if (FYAxisFormat == Linear)
        return FYMin + (H - (py - f.Top)) * (FYMax - FYMin) / H;
    return std::pow(10.0, FLogYMin + (H - (py - f.Top)) * (FLogYMax - FLogYMin) / H);
}

void LMyFFTDrawHpLp6dB::MouseDown1(fw::TMouseButton button, fw::TShiftState shift, int x, int y)
{
    TControl::MouseDown(button, shift, x, y);
    if (button == fw::mbLeft) {
        if (shift == (fw::ssAlt | fw::ssLeft) || shift == (fw::ssAlt | fw::ssRight))
            FZoom = true;
        else if (shift == (fw::ssCtrl | fw::ssLeft))
            FBandZoom = true;
        else
            FPan = true;
    }
    if (FBandZoom && FMouseControl) {
        FBand = fw::Rect(x, y, x + 2, y + 2);
        FAnchor = {x, y};
        FBandShown = !FBandShown;
        update();
    }
    FLastX = x;
    FLastY = y;
}

void LMyFFTDrawHpLp6dB::MouseMove1(fw::TShiftState shift, int x, int y)
{
    TControl::MouseMove(shift, x, y);
    const int dx = x - FLastX, dy = y - FLastY;
    FLastX = x;
    FLastY = y;
    const TPaintPage& p = *FPages[PlotPage];
    const double W = p.Width(), H = p.Height();
    const double du = FXAxisFormat == Linear ? dx * (FXMax - FXMin) / W : dx * (FLogXMax - FLogXMin) / W;
    const double dv = FYAxisFormat == Linear ? dy * (FYMax - FYMin) / H : dy * (FLogYMax - FLogYMin) / H;
    if (FMouseControl) {
        if (FPan || FZoom) {
            double yMin, yMax, xMin, xMax;
            const double sign = FPan ? 1 : -1;
            if (FYAxisFormat == Linear) {
                yMin = FYMin + sign * dv;
                yMax = FYMax + dv;
            } else {
                yMin = FPan ? FYMin * std::pow(10.0, dv) : FYMin / std::pow(10.0, dv);
                yMax = FYMax * std::pow(10.0, dv);
            }
            if (FXAxisFormat == Linear) {
                xMin = FXMin - sign * du;
                xMax = FXMax - du;
            } else {
                xMin = FPan ? FXMin / std::pow(10.0, du) : FXMin * std::pow(10.0, du);
                xMax = FXMax / std::pow(10.0, du);
            }
            SetXYMinMax(xMin, xMax, yMin, yMax);
            if (!FAutoRedraw) {
                DrawAllPlots();
                DrawXAxisLabels();
                DrawYAxisLabels();
            }
        } else if (FBandZoom) {
            FBand = fw::Bounds(std::min(FAnchor.X, x), std::min(FAnchor.Y, y), std::abs(x - FAnchor.X),
                               std::abs(y - FAnchor.Y));
            update();
        }
    }
    FMouseX = PlotX(x);
    FMouseY = PlotY(y);
    if (!FPan && !FZoom)
        DrawMouseCoord();
}

void LMyFFTDrawHpLp6dB::MouseUp1(fw::TMouseButton button, fw::TShiftState shift, int x, int y)
{
    TControl::MouseUp(button, shift, x, y);
    FPan = FZoom = false;
    if (FBandZoom && FMouseControl) {
        FBandShown = false;
        update();
        SetXYMinMax(PlotX(FBand.Left), PlotX(FBand.Right), PlotY(FBand.Bottom), PlotY(FBand.Top));
    }
    FBandZoom = false;
}

void LMyFFTDrawHpLp6dB::DblClick1()
{
    TControl::DblClick();
    if (FMouseControl) {
        FindYMaxMin();
        FindXMaxMin();
        DrawPlotsAndLabels();
    }
}

void LMyFFTDrawHpLp6dB::DrawMouseCoord()
{
    if (!FShowCoordinates || !Visible())
        return;
    TPaintPage& page = *FPages[CoordPage];
    page.SetFont(FMouseCoordFont);
    page.Clear(Color());
    PageCanvas c(page.Bitmap, page.Font, Color());
    if (c) {
        const QString xs = QStringLiteral("x = ") + Q(LabelNumber(FMouseX, FXLabel));
        c->TextOut(0, 0, xs);
        const int h = c->TextHeight(xs);
        c->TextOut(0, h + 3, QStringLiteral("y = ") + Q(LabelNumber(FMouseY, FYLabel)));
    }
    UpdatePaintPage(CoordPage);
}

void SetMainWindowLook(LMyFFTDrawHpLp6dB& g)
{
    g.SetAutoRedraw(false);
    g.SetColor(fw::clBlack);
    g.SetAxisColor(35840);
    g.SetGridColor(18432);
    g.SetXAutoScale(false);
    g.SetYAutoScale(false);
    g.SetYLabelScale(1.0);
    g.SetYMax(18.0);
    g.SetYMin(-18.0);
    g.SetXMin(966.0);
    g.SetXMax(3840.0);
    g.SetYLabelPrecision(5);
    g.SetVertTickLength(0);
    g.SetHorzTickLength(0);
    g.SetNumVertGrid(10);
    g.SetNumHorzGrid(11);
    g.SetShowXTitle(false);
    g.SetShowYTitle(false);
    g.SetShowPlotTitle(false);
    g.SetYLabel(QStringLiteral("dB"));
    g.SetFFTNuimber(graph::n4096);
    g.SetSampleRate(graph::n96000);
    fw::TFont f;
    f.SetName(QStringLiteral("Tahoma"));
    f.SetHeight(-11);
    f.SetColor(fw::clLime);
    g.SetPlotTitleFont(f);
    g.SetAxisTitleFont(f);
    g.SetMouseCoordFont(f);
    f.SetColor(fw::clActiveBorder);
    g.SetAxisLabelFont(f);
    g.SetAutoRedraw(true);
}

} // namespace graph
