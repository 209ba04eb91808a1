#include "graph/LMyFFTDrawHpLp6dB.h"

#include "graph/PlotRaster.h"

#include <QPaintEvent>
#include <algorithm>
#include <cstring>
#include <cmath>
#include <numbers>

namespace graph {

using fw::TCanvas;

namespace {

// A canvas over a page's bitmap with the page's font; nothing when the page has no pixels.
struct PageCanvas {
    explicit PageCanvas(QImage& image, const fw::TFont& font, TColor background)
    {
        if (image.isNull())
            return;
        P.emplace(&image);
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

int TextWidthOf(const fw::TFont& f, const QString& text) { return fw::CurrentTextMetrics().Width(f.ToQFont(), text); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

void TPaintPage::SetRect(int left, int top, int right, int bottom)
{
    const int w = std::max(0, right - left), h = std::max(0, bottom - top);
    if (Bitmap.width() != w || Bitmap.height() != h)
        Bitmap = w > 0 && h > 0 ? QImage(w, h, QImage::Format_RGB32) : QImage();
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

LMyFFTDrawHpLp6dB::~LMyFFTDrawHpLp6dB() { CleanUp(); }

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
    // A plot without points is refused: the drawing and the ranges read the first point.
    if (count <= 0 || !x || !y)
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
    m->X.assign(x, x + count);
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
    std::vector<double> x(std::size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        x[std::size_t(i)] = i;
    return FFTDraw(x.data(), y, count, plotNumber, colour, style);
}

bool LMyFFTDrawHpLp6dB::FFTDraw(const double* y, int count, double x0, double x1, int plotNumber, TColor colour,
                                int style)
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
    auto it = std::find_if(FPlots.begin(), FPlots.end(), [&](const auto& m) { return m->Number == plotNumber; });
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
    FlushPlots();
    DrawOnePlot(*m);
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

bool LMyFFTDrawHpLp6dB::SetPlotWidth(int width)
{
    TPaintPage& p = *FPages[PlotPage];
    const int h = p.Height();
    p.Bitmap = width > 0 && h > 0 ? QImage(width, h, QImage::Format_RGB32) : QImage();
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
        int w = 0;
        for (int k = -100; k <= 100; ++k)
            w = std::max(w, TextWidthOf(FAxisLabelFont, Q(LabelNumber(std::numbers::pi * std::pow(10.0, k), f))));
        left += w + 4;
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
        int w = 0;
        for (int k = -100; k <= 100; ++k)
            w = std::max(w, TextWidthOf(FMouseCoordFont,
                                        QStringLiteral("x = ") +
                                            Q(LabelNumber(std::numbers::pi * std::pow(10.0, k), FYLabel))));
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
    FPlotsDirty = false;
    FBaseHasOverlays = false;
    if (!Visible())
        return;
    TPaintPage& page = *FPages[PlotPage];
    // Grid, ticks and axes change only with the ranges, sizes and colours: kept as a background.
    const QString key = BackgroundKey();
    if (key == FBackgroundKey && FBackground.size() == page.Bitmap.size() && !page.Bitmap.isNull()) {
        std::copy_n(FBackground.constBits(), FBackground.sizeInBytes(), page.Bitmap.bits());
    } else {
        page.Clear(Color());
        DrawGrid();
        DrawTicks();
        DrawAxis();
        FBackground = page.Bitmap.copy();
        FBackgroundKey = key;
    }
    for (auto& m : FPlots)
        DrawOnePlot(*m);
}

void LMyFFTDrawHpLp6dB::DrawOnePlot(TPlotListMember& m)
{
    if (!Visible() || FPages[PlotPage]->Bitmap.isNull() || m.Count <= 0)
        return;
    const TAxisMap map = Map();
    if (m.CachedVersion != m.Version || !(m.CachedMap == map)) {
        m.CachedRuns = PlotRuns(m.X.data(), m.Y.data(), m.Count, map);
        m.CachedVersion = m.Version;
        m.CachedMap = map;
    }
    QImage& img = FPages[PlotPage]->Bitmap;
    if (m.Style == psLines || m.Style == psLinesFilled || m.Style == psLinesHollow)
        for (const TRun& run : m.CachedRuns)
            RasterPolyline(img, run, fw::ToQColor(m.Color).rgb(), 2);
    if (m.Style >= psFilledSquares && m.Style <= psLinesHollow) {
        PageCanvas c(img, FPages[PlotPage]->Font, Color());
        c->Pen.Color = m.Color;
        c->Pen.Width = 2;
        c->Brush.Color = (m.Style == psFilledSquares || m.Style == psLinesFilled) ? m.Color : Color();
        const int s = FPointSize;
        for (int i = 0; i < m.Count; ++i) {
            const int px = Trunc(map.ScreenX(m.X[std::size_t(i)])), py = Trunc(map.ScreenY(m.Y[std::size_t(i)]));
            if (px < -2LL * map.W || px >= 3LL * map.W || py < -2LL * map.H || py >= 3LL * map.H)
                continue;
            c->Rectangle(px - s, py - s, px + s, py + s);
        }
    }
}

void LMyFFTDrawHpLp6dB::UpdatePaintPage(int page)
{
    if (page == PlotPage) {
        // The overlays go over clean plots once per copy, so nothing piles up between copies.
        if (FPlotsDirty || FBaseHasOverlays)
            DrawAllPlots();
        PaintOverlays();
        FBaseHasOverlays = true;
    }
    FPages[std::size_t(page)]->CopySeq = ++FCopySeq;
    FCopyPending = true;
    update();
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
}

void LMyFFTDrawHpLp6dB::PaintPages()
{
    if (Width() != FLastWidth || Height() != FLastHeight) {
        FLastWidth = Width();
        FLastHeight = Height();
        ResizePaintPage();
    }
    // A framework paint draws the label pages anew; the plot page gets its overlays once.
    FXLabelKey.clear();
    FYLabelKey.clear();
    Redraw();
}

QImage LMyFFTDrawHpLp6dB::Grab()
{
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
    for (const TPaintPage* pg : CopyOrder()) {
        const QImage& img = pg->Bitmap;
        if (img.isNull())
            continue;
        const QRect r = QRect(pg->Dest.Left, pg->Dest.Top, img.width(), img.height()) & screen.rect();
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(reinterpret_cast<QRgb*>(screen.scanLine(y)) + r.left(),
                        reinterpret_cast<const QRgb*>(img.constScanLine(y - pg->Dest.Top)) + (r.left() - pg->Dest.Left),
                        std::size_t(r.width()) * sizeof(QRgb));
    }
    if (FBandShown) {
        QPainter p(&screen);
        DrawBand(p);
    }
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
    if (!FCopyPending || Width() != FLastWidth || Height() != FLastHeight)
        PaintPages();
    FCopyPending = false;
    QPainter p(this);
    p.fillRect(rect(), fw::ToQColor(Color()));
    ComposeScreen(p);
}

// ---------------------------------------------------------------------------------------------------
// Axes, grid, ticks, labels, titles

void LMyFFTDrawHpLp6dB::DrawAxis()
{
    if (!Visible())
        return;
    QImage& img = FPages[PlotPage]->Bitmap;
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
    case Box: frame(); break;
    case Centered: centred(); break;
    case CenteredBox:
        frame();
        centred();
        break;
    case LB:
        c->MoveTo(0, 0);
        c->LineTo(0, H - 1);
        c->LineTo(W, H - 1);
        break;
    case None: break;
    }
}

namespace {
// Values of the horizontal grid lines and ticks.
std::vector<double> HorzValues(TMyAxisFormat format, double yMin, double yMax, double logMin, double logMax, int n)
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

void LMyFFTDrawHpLp6dB::DrawGrid()
{
    QImage& img = FPages[PlotPage]->Bitmap;
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

void LMyFFTDrawHpLp6dB::DrawTicks()
{
    QImage& img = FPages[PlotPage]->Bitmap;
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
                    tick(ScreenX(FrequencyIndex(m * std::pow(10.0, e), FFFTNumber, FSampleRate)), FVertTickLength + 2);
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
    if (!FShowXLabel)
        return;
    TPaintPage& page = *FPages[XLabelPage];
    page.SetFont(FAxisLabelFont);
    const QString key = LabelKey(false);
    if (key != FXLabelKey) {
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
    UpdatePaintPage(XLabelPage);
}

void LMyFFTDrawHpLp6dB::DrawYAxisLabels()
{
    if (!FShowYLabel)
        return;
    TPaintPage& page = *FPages[YLabelPage];
    page.SetFont(FAxisLabelFont);
    const QString key = LabelKey(true);
    if (key != FYLabelKey) {
        page.Clear(Color());
        PageCanvas c(page.Bitmap, page.Font, Color());
        if (c) {
            const int pw = page.Width();
            const double s = FYLabelScale;
            auto number = [&](double v) { return Q(LabelNumber(v, FYLabel)); };
            auto put = [&](const QString& text, int top) { c->TextOut(pw - c->TextWidth(text) - 2, top, text); };
            if (FYAxisFormat == Linear) {
                put(QStringLiteral("+") + number(FYMax * s) + FYLabelText, 0);
                const QString bottom = number(FYMin * s) + FYLabelText;
                put(bottom, Trunc(ScreenY(FYMin)) - c->TextHeight(bottom));
                const double step = (FYMax - FYMin) / (FNumHorzGrid + 1);
                for (int k = 2; k <= FNumHorzGrid; k += 2) {
                    const double v = FYMin + k * step;
                    const QString text = (v > 0 ? QStringLiteral("+") : QString()) + number(k * step * s + FYMin * s) +
                                         FYLabelText;
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
    UpdatePaintPage(YLabelPage);
}

QString LMyFFTDrawHpLp6dB::BackgroundKey() const
{
    const TAxisMap m = Map();
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10")
               .arg(m.W)
               .arg(m.H)
               .arg(FXMin, 0, 'g', 17)
               .arg(FXMax, 0, 'g', 17)
               .arg(FYMin, 0, 'g', 17)
               .arg(FYMax, 0, 'g', 17)
               .arg(FLogXMin, 0, 'g', 17)
               .arg(FLogXMax, 0, 'g', 17)
               .arg(FLogYMin, 0, 'g', 17)
               .arg(FLogYMax, 0, 'g', 17) +
           QStringLiteral(" %1 %2 %3 %4 %5 %6 %7 %8 %9 %10")
               .arg(int(FXAxisFormat))
               .arg(int(FYAxisFormat))
               .arg(Color())
               .arg(FAxisColor)
               .arg(FGridColor)
               .arg(int(FAxisStyle))
               .arg(FNumHorzGrid)
               .arg(FNumVertGrid)
               .arg(FVertTickLength)
               .arg(FHorzTickLength) +
           QStringLiteral(" %1%2%3%4 %5 %6")
               .arg(int(FShowHorzGrid))
               .arg(int(FShowVertGrid))
               .arg(int(FShowHorzTicks))
               .arg(int(FShowVertTicks))
               .arg(int(FFFTNumber))
               .arg(int(FSampleRate));
}

QString LMyFFTDrawHpLp6dB::LabelKey(bool y) const
{
    // Everything a label page's pixels depend on: unchanged, the page is not drawn again.
    const TAxisMap m = Map();
    const fw::TFont& f = FAxisLabelFont;
    const TPaintPage& page = *FPages[y ? YLabelPage : XLabelPage];
    QString k = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                    .arg(m.W)
                    .arg(m.H)
                    .arg(page.Width())
                    .arg(page.Height())
                    .arg(Width())
                    .arg(Color())
                    .arg(f.Name())
                    .arg(f.Height())
                    .arg(f.Color());
    k += QStringLiteral(" %1").arg(f.Style());
    if (y)
        k += QStringLiteral(" %1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11")
                 .arg(FYMin, 0, 'g', 17)
                 .arg(FYMax, 0, 'g', 17)
                 .arg(FLogYMin, 0, 'g', 17)
                 .arg(FLogYMax, 0, 'g', 17)
                 .arg(int(FYAxisFormat))
                 .arg(FYLabelScale, 0, 'g', 17)
                 .arg(FNumHorzGrid)
                 .arg(int(FYLabel.Format))
                 .arg(FYLabel.Precision)
                 .arg(FYLabel.Digits)
                 .arg(FYLabelText);
    else
        k += QStringLiteral(" %1 %2 %3 %4 %5 %6 %7 %8 %9 %10")
                 .arg(FXMin, 0, 'g', 17)
                 .arg(FXMax, 0, 'g', 17)
                 .arg(FLogXMin, 0, 'g', 17)
                 .arg(FLogXMax, 0, 'g', 17)
                 .arg(int(FXAxisFormat))
                 .arg(int(FXLabel.Format))
                 .arg(FXLabel.Precision)
                 .arg(FXLabel.Digits)
                 .arg(int(FFFTNumber))
                 .arg(int(FSampleRate));
    return k;
}

void LMyFFTDrawHpLp6dB::DrawTitles()
{
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

void LMyFFTDrawHpLp6dB::PaintOverlays()
{
    BlockPaint();
    if (FLineShown)
        LinePaint();
    TextPaint();
    CuveDisplayPaint();
}

void LMyFFTDrawHpLp6dB::DrawMarker(int slot, int penWidth, bool paintParams)
{
    const TBlockSlot& b = FSlots[std::size_t(slot)];
    if (b.Shape < 0 || b.Shape > 3)
        return;
    QImage& img = FPages[PlotPage]->Bitmap;
    TPaintPage& page = *FPages[PlotPage];
    {
        PageCanvas c(img, page.Font, Color());
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
            c->Font.SetSize(8);
            c->TextOut(sx - 8, sy - 20, b.Shape == 2 ? QStringLiteral("LPF") : QStringLiteral("HPF"));
        }
    }
    if (paintParams && b.Shape == 1 && FParamDisplay && (b.X != FSelX || b.Y != FSelGain))
        ShowParam(ShowAllTypeIndex(int(b.Type)), b.Gain, b.X, float(b.Freq), b.Q, fw::clWhite);
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
            DrawMarker(i, 5, true);
}

TParamLines LMyFFTDrawHpLp6dB::ParamLinesFor(int typeIndex, bool) const { return ParamLinesHpLp(typeIndex); }

void LMyFFTDrawHpLp6dB::DrawParamText(TParamLines lines, double gain, double x, float frequency, double q,
                                      TColor colour)
{
    PageCanvas c(FPages[PlotPage]->Bitmap, FPages[PlotPage]->Font, Color());
    if (!c)
        return;
    const int sx = Trunc(ScreenX(x)), sy = Trunc(ScreenY(gain));
    c->Pen.Color = colour;
    c->Pen.Width = 1;
    c->Font.SetColor(colour);
    c->Font.SetSize(8);
    c->Brush.Style = fw::bsClear;
    std::vector<QString> texts;
    if (lines == plQFreqGain || lines == plQFreq)
        texts.push_back(Q(QualityLine(q)));
    if (lines != plNone)
        texts.push_back(Q(FreqLine(frequency)));
    if (lines == plQFreqGain)
        texts.push_back(Q(GainLine(gain)));
    const std::vector<int> tops = ParamLineTops(lines, gain);
    for (std::size_t i = 0; i < texts.size(); ++i)
        c->TextOut(sx - 20, sy + tops[i], texts[i]);
}

void LMyFFTDrawHpLp6dB::ShowParam(int typeIndex, double gain, double x, float frequency, double q, TColor colour)
{
    DrawParamText(ParamLinesFor(typeIndex, false), gain, x, frequency, q, colour);
}

void LMyFFTDrawHpLp6dB::DrawParam(int typeIndex, double gain, double x, float frequency, double q, TColor colour)
{
    FSelType = typeIndex;
    FSelGain = gain;
    FSelX = x;
    FSelFreq = frequency;
    FSelQ = q;
    FSelColor = colour;
}

void LMyFFTDrawHpLp6dB::FillSelectedCurve(bool outlineBeforeClosing, int count)
{
    QImage& img = FPages[PlotPage]->Bitmap;
    if (img.isNull())
        return;
    const int W = img.width(), H = img.height();
    // Far-off values stay within what the rasteriser can take.
    constexpr int limit = 1 << 20;
    std::vector<TIntPoint> pts;
    pts.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const int px = std::clamp(Trunc(W * (i - FXMin) / (FXMax - FXMin)), -limit, limit);
        const int py = std::clamp(Trunc(H - H * (FSelCurve[std::size_t(i)] - FYMin) / (FYMax - FYMin)), -limit, limit);
        if (!pts.empty() && pts.back().X == px && pts.back().Y == py)
            continue; // a repeated pixel adds nothing to the curve
        // A straight stretch along a row is one piece of the curve.
        if (pts.size() >= 2 && pts[pts.size() - 2].Y == py && pts.back().Y == py && pts.back().X > pts[pts.size() - 2].X &&
            px > pts.back().X) {
            pts.back().X = px;
            continue;
        }
        pts.push_back({px, py});
    }
    std::vector<TPointF> path = CardinalPolyline(pts);
    const QRgb grey = qRgb(128, 128, 128);
    constexpr int alpha = 30;
    if (outlineBeforeClosing)
        BlendPolyline(img, path, grey, alpha);
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
    if (!outlineBeforeClosing)
        BlendPolyline(img, path, grey, alpha);
    BlendFillPolygon(img, path, grey, alpha);
}

void LMyFFTDrawHpLp6dB::DrawCurveFill(int, const double* curve, int count)
{
    count = std::clamp(count, 0, SelectedCurveLength);
    if (curve)
        std::copy_n(curve, count, FSelCurve.begin());
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
    DrawParamText(ParamLinesFor(FSelType, true), FSelGain, FSelX, FSelFreq, FSelQ, FSelColor);
    FillSelectedCurve(true, SelectedCurveLength);
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

void LMyFFTDrawHpLp6dB::TextPaint()
{
    TPaintPage& page = *FPages[PlotPage];
    if (!FTextFont.isEmpty())
        page.Font.SetName(FTextFont);
    if (FTextSize > 0)
        page.Font.SetSize(FTextSize);
    page.Font.SetColor(FTextColor);
    if (FText.isEmpty())
        return;
    PageCanvas c(FPages[PlotPage]->Bitmap, page.Font, Color());
    if (!c)
        return;
    c->Brush.Style = fw::bsClear;
    c->TextOut(FTextX, FTextY, FText);
}

void LMyFFTDrawHpLp6dB::DrawLine(double x, TColor colour, bool marker)
{
    FLineX = x;
    FLineColor = colour;
    FLineMarker = marker;
    FLineShown = true;
}

void LMyFFTDrawHpLp6dB::LinePaint()
{
    PageCanvas c(FPages[PlotPage]->Bitmap, FPages[PlotPage]->Font, Color());
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

// ---------------------------------------------------------------------------------------------------
// Navigation and readout

double LMyFFTDrawHpLp6dB::PlotX(double px) const
{
    const TPaintPage& p = *FPages[PlotPage];
    const double W = p.Width(), L = p.Dest.Left;
    if (FXAxisFormat == Linear)
        return FXMin + (px - L) * (FXMax - FXMin) / W;
    return std::pow(10.0, FLogXMin + (px - L) * (FLogXMax - FLogXMin) / W);
}

double LMyFFTDrawHpLp6dB::PlotY(double py) const
{
    const TPaintPage& p = *FPages[PlotPage];
    const double H = p.Height(), T = p.Dest.Top;
    if (FYAxisFormat == Linear)
        return FYMin + (H - (py - T)) * (FYMax - FYMin) / H;
    return std::pow(10.0, FLogYMin + (H - (py - T)) * (FLogYMax - FLogYMin) / H);
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

} // namespace graph
