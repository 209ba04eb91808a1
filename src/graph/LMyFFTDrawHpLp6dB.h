// LMyFFTDrawHpLp6dB: the response graph. It draws plots (X/Y point series) with grid, axes, labels
// and titles into nine off-screen pages, paints the band markers, the selected band's parameter text
// and filled curve, a free text and a marker line over the plot page, and copies pages to the screen
// (a copy marks the page for the next paintEvent, which blits the copied pages in their copy order).
// The plots are kept drawn in a layer under the plot page, and a copy of the plot page draws again
// only the tiles where a plot or an overlay changed.
// It owns its plot list, pages and fonts; a Plot draws through it as its PlotPainter. UI thread only.
#pragma once

#include "curves/PlotPainter.h"
#include "framework/Control.h"
#include "framework/FloatFormat.h"
#include "graph/GraphGeometry.h"
#include "graph/PlotRaster.h"

#include <QHash>
#include <QImage>
#include <QRegion>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace graph
{

using fw::TColor;
using fw::TStringFloatFormat;

enum TMyPlotStyle {
    psLines = 0,
    psFilledSquares = 1,
    psHollowSquares = 2,
    psLinesFilled = 3,
    psLinesHollow = 4
};

struct TPlotListMember {
    std::vector<double> X, Y;
    TColor Color = 0;
    int Style = 0;
    int Count = 0;
    int Number = 0;
    // X holds 0, 1, 2, ... (a curve over its point indices).
    bool IndexX = false;
    // The page points of the last drawing, kept while the data and the mapping stay the same.
    unsigned Version = 0;
    unsigned CachedVersion = ~0u;
    TAxisMap CachedMap;
    std::vector<TRun> CachedRuns;
    // Its line pixels on the plot page, from the cached runs.
    std::shared_ptr<const TPlotPixels> CachedPixels;
};

// An off-screen page: its bitmap, its place on the control and the font drawn with.
struct TPaintPage {
    QImage Bitmap;
    fw::TRect Dest;
    fw::TRect Src;
    fw::TFont Font;
    // Order of the last copy to the screen (0: never copied since the last layout).
    unsigned CopySeq = 0;
    // Counts the bitmaps the page has had (a new one holds nothing drawn).
    unsigned Generation = 0;
    void SetRect(int left, int top, int right, int bottom);
    void Clear(TColor colour);
    void SetFont(const fw::TFont& f) { Font.Assign(f); }
    // The page's size as laid out; the bitmap may be let go while the graph is hidden.
    int Width() const { return W; }
    int Height() const { return H; }
    int W = 0, H = 0;
};

struct TBlockSlot {
    double X = 0, Y = 0;
    TColor Color = 0;
    int Shape = 0;
    bool Hidden = false;
    double PX = 0, PY = 0;
    fw::TPoint Pos;
    double Freq = 0, Gain = 0, Q = 0, Type = 0;
};

class LMyFFTDrawHpLp6dB : public fw::TControl, public PlotPainter
{
  public:
    static constexpr int SlotCount = 50;
    static constexpr int SelectedCurveLength = 4096;
    enum PageIndex {
        PlotPage,
        XLabelPage,
        YLabelPage,
        XTitlePage,
        YTitlePage,
        YTitleScratch,
        PlotTitlePage,
        RightStripPage,
        CoordPage,
        PageCount
    };

    explicit LMyFFTDrawHpLp6dB(QWidget* parent = nullptr);
    // A copy of the source's plots and properties (not its markers, texts or line).
    LMyFFTDrawHpLp6dB(const LMyFFTDrawHpLp6dB& source, QWidget* parent);
    ~LMyFFTDrawHpLp6dB() override;

    virtual void Change();
    fw::TNotifyEvent OnChange;

    // Properties.
    bool AutoRedraw() const { return FAutoRedraw; }
    virtual void SetAutoRedraw(bool v);
    TColor AxisColor() const { return FAxisColor; }
    virtual void SetAxisColor(TColor v);
    TMyAxisStyle AxisStyle() const { return FAxisStyle; }
    virtual void SetAxisStyle(TMyAxisStyle v);
    TMyAxisFormat YAxisFormat() const { return FYAxisFormat; }
    virtual void SetYAxisFormat(TMyAxisFormat v);
    TMyAxisFormat XAxisFormat() const { return FXAxisFormat; }
    virtual void SetXAxisFormat(TMyAxisFormat v);
    TStringFloatFormat YLabelFormat() const { return TStringFloatFormat(FYLabel.Format); }
    virtual void SetYLabelFormat(TStringFloatFormat v);
    TStringFloatFormat XLabelFormat() const { return TStringFloatFormat(FXLabel.Format); }
    virtual void SetXLabelFormat(TStringFloatFormat v);
    int YLabelPrecision() const { return FYLabel.Precision; }
    virtual void SetYLabelPrecision(int v);
    int XLabelPrecision() const { return FXLabel.Precision; }
    virtual void SetXLabelPrecision(int v);
    int YLabelDigits() const { return FYLabel.Digits; }
    virtual void SetYLabelDigits(int v);
    int XLabelDigits() const { return FXLabel.Digits; }
    virtual void SetXLabelDigits(int v);
    // The label and title switches read false while the control is too small to show them; the
    // value asked for comes back when it grows again.
    bool ShowXLabel() const { return FShowXLabel; }
    virtual void SetShowXLabel(bool v);
    bool ShowYLabel() const { return FShowYLabel; }
    virtual void SetShowYLabel(bool v);
    bool ShowCoordinates() const { return FShowCoordinates; }
    virtual void SetShowCoordinates(bool v);
    bool YAutoScale() const { return FYAutoScale; }
    virtual void SetYAutoScale(bool v);
    bool XAutoScale() const { return FXAutoScale; }
    virtual void SetXAutoScale(bool v);
    double YLabelScale() const { return FYLabelScale; }
    virtual void SetYLabelScale(double v);
    double YMax() const { return FYMax; }
    virtual void SetYMax(double v);
    double YMin() const { return FYMin; }
    virtual void SetYMin(double v);
    double XMax() const { return FXMax; }
    virtual void SetXMax(double v);
    double XMin() const { return FXMin; }
    virtual void SetXMin(double v);
    int PointSize() const { return FPointSize; }
    virtual void SetPointSize(int v);
    bool ShowHorzGrid() const { return FShowHorzGrid; }
    virtual void SetShowHorzGrid(bool v);
    bool ShowVertGrid() const { return FShowVertGrid; }
    virtual void SetShowVertGrid(bool v);
    bool ShowHorzTicks() const { return FShowHorzTicks; }
    virtual void SetShowHorzTicks(bool v);
    bool ShowVertTicks() const { return FShowVertTicks; }
    virtual void SetShowVertTicks(bool v);
    int HorzTickLength() const { return FHorzTickLength; }
    virtual void SetHorzTickLength(int v);
    int VertTickLength() const { return FVertTickLength; }
    virtual void SetVertTickLength(int v);
    int NumHorzGrid() const { return FNumHorzGrid; }
    virtual void SetNumHorzGrid(int v);
    int NumVertGrid() const { return FNumVertGrid; }
    virtual void SetNumVertGrid(int v);
    TColor GridColor() const { return FGridColor; }
    virtual void SetGridColor(TColor v);
    bool ShowXTitle() const { return FShowXTitle; }
    virtual void SetShowXTitle(bool v);
    bool ShowYTitle() const { return FShowYTitle; }
    virtual void SetShowYTitle(bool v);
    bool ShowPlotTitle() const { return FShowPlotTitle; }
    virtual void SetShowPlotTitle(bool v);
    const QString& XTitle() const { return FXTitle; }
    virtual void SetXTitle(const QString& v);
    const QString& YTitle() const { return FYTitle; }
    virtual void SetYTitle(const QString& v);
    const QString& YLabel() const { return FYLabelText; }
    virtual void SetYLabel(const QString& v);
    const QString& PlotTitle() const { return FPlotTitle; }
    virtual void SetPlotTitle(const QString& v);
    const fw::TFont& PlotTitleFont() const { return FPlotTitleFont; }
    virtual void SetPlotTitleFont(const fw::TFont& f);
    const fw::TFont& AxisTitleFont() const { return FAxisTitleFont; }
    virtual void SetAxisTitleFont(const fw::TFont& f);
    const fw::TFont& AxisLabelFont() const { return FAxisLabelFont; }
    virtual void SetAxisLabelFont(const fw::TFont& f);
    const fw::TFont& MouseCoordFont() const { return FMouseCoordFont; }
    virtual void SetMouseCoordFont(const fw::TFont& f);
    bool MouseControl() const { return FMouseControl; }
    void SetMouseControl(bool v) { FMouseControl = v; }
    double MouseX() const { return FMouseX; }
    double MouseY() const { return FMouseY; }
    TFFTNumber FFTNuimber() const { return FFFTNumber; }
    void SetFFTNuimber(TFFTNumber v) { FFFTNumber = v; }
    TSampleRate SampleRate() const { return FSampleRate; }
    void SetSampleRate(TSampleRate v) { FSampleRate = v; }

    // Plot list.
    bool FFTDraw(const double* x, const double* y, int count, int plotNumber, TColor colour, int style);
    bool FFTDraw(const double* y, int count, int plotNumber, TColor colour, int style) override;
    bool FFTDraw(const double* y, int count, double x0, double x1, int plotNumber, TColor colour, int style);
    bool RemovePlot(int plotNumber) override;
    bool SetPlotColor(TColor colour, int plotNumber);
    bool SetPlotStyle(int style, int plotNumber);
    bool GetPlotStyle(int& style, int plotNumber) const;
    bool GetPlotColor(TColor& colour, int plotNumber) const;
    bool GetPlotNumPoints(int& count, int plotNumber) const;
    bool GetPlotX(double* out, int plotNumber) const;
    bool GetPlotY(double* out, int plotNumber) const;
    int PlotCount() const { return int(FPlots.size()); }
    // Plot numbers from the head of the list (newest first).
    std::vector<int> PlotNumbers() const;
    void AssignPlot(const LMyFFTDrawHpLp6dB& other);
    void AssignPlotData(const LMyFFTDrawHpLp6dB& other);
    void AppendPlotData(const LMyFFTDrawHpLp6dB& other);
    void AssignPlotProperties(const LMyFFTDrawHpLp6dB& other);

    // Ranges and mapping.
    void SetXYMinMax(double xMin, double xMax, double yMin, double yMax);
    void FindXMaxMin();
    void FindYMaxMin();
    void CompareMaxMin();
    void CalculateLogMaxMin();
    double ScreenX(double x) const { return Map().ScreenX(x); }
    double ScreenY(double y) const { return Map().ScreenY(y); }
    double FFTScreenX(double x) const { return ScreenX(x); }
    double FFTScreenY(double y) const { return ScreenY(y); }
    int GetPlotWidth() const { return FPages[PlotPage]->Width(); }
    int GetPlotHeight() const { return FPages[PlotPage]->Height(); }
    bool SetPlotWidth(int width);
    TAxisMap Map() const;
    // Where the plot page stands on the control (laid out by ResizePaintPage) and the axis ranges.
    TPlotFrame PlotFrame() const;

    // Drawing.
    void Redraw();
    void DrawPlotsAndLabels();
    void DrawPlotsAndLabelsNoUpdate();
    void DrawAllPlots();
    void UpdatePaintPage(int page);
    void UpdateCurvePage() { UpdatePaintPage(PlotPage); }
    void RedrawScreen();
    void ClearPlot();
    void ResizePaintPage();
    void DrawAxis();
    void DrawGrid();
    void DrawTicks();
    void DrawXAxisLabels();
    void DrawYAxisLabels();
    void DrawTitles();

    // Markers, parameter texts, curve fill, free text, marker line.
    void DrawBlock(double y, double x, TColor colour, int slot, bool hidden, int shape) override;
    int SetBlockParameter(int slot, double frequency, double gain, double q, int typeCode) override;
    void SetBlockPosition(double px, double py, int slot);
    fw::TPoint GetBlockPos(int slot) const;
    const TBlockSlot& Block(int slot) const { return FSlots[std::size_t(slot)]; }
    void BlockPaint();
    void ShowParam(int typeIndex, double gain, double x, float frequency, double q, TColor colour);
    void DrawParam(int typeIndex, double gain, double x, float frequency, double q, TColor colour) override;
    void DrawCurveFill(int typeIndex, const double* curve, int count) override;
    bool SetCurveDisplay(bool on) override;
    bool CurveDisplay() const { return FSelDisplay; }
    void CuveDisplayPaint();
    bool SetParameterDisplay(bool on);
    bool ParameterDisplay() const { return FParamDisplay; }
    void DrawTextA(int x, int y, int size, TColor colour, const QString& fontName, const QString& text);
    const QString& FreeText() const { return FText; }
    void TextPaint();
    void DrawLine(double x, TColor colour, bool marker);
    void LinePaint();

    // Navigation and readout.
    void MouseDown1(fw::TMouseButton button, fw::TShiftState shift, int x, int y);
    void MouseMove1(fw::TShiftState shift, int x, int y);
    void MouseUp1(fw::TMouseButton button, fw::TShiftState shift, int x, int y);
    void DblClick1();
    double PlotX(double px) const;
    double PlotY(double py) const;
    void DrawMouseCoord();

    const TPaintPage& Page(int page) const { return *FPages[std::size_t(page)]; }
    // The control as the screen shows it (the copied pages over Color), for tests and pictures.
    QImage Grab();
    // Blits the copied pages in their copy order (what paintEvent shows).
    void ComposeScreen(QPainter& p);
    // The same into an RGB32 image of the control's size, row by row; the image composed last time,
    // untouched since, gets only what changed.
    void ComposeScreen(QImage& screen);
    // The Paint of the framework: relayout after a size change, redraw, overlays.
    void PaintPages();
    // On: while the control is not on screen, changes draw nothing; its next paint (or Grab) draws it
    // whole. Off by default, for graphs drawn only into pictures.
    void SetDrawWhenShown(bool v) { FDrawWhenShown = v; }

  protected:
    // Which parameter lines a type index gets: in ShowParam (curveDisplay false) and in the repaint of
    // the selected band (true).
    virtual TParamLines ParamLinesFor(int typeIndex, bool curveDisplay) const;
    void paintEvent(QPaintEvent* e) override;
    // Drawing when shown (SetDrawWhenShown), a hidden graph keeps no pictures: its next paint draws it
    // whole.
    void hideEvent(QHideEvent* e) override;

  private:
    void SetProperties();
    void Initialize();
    void CleanUp();
    bool Store(const double* x, const double* y, int count, int plotNumber, TColor colour, int style);
    // A copy of a page; `unchanged`: the page was not drawn since its last copy.
    void UpdatePaintPage(int page, bool unchanged);
    TPlotListMember* Find(int number);
    const TPlotListMember* Find(int number) const;
    void Changed(bool plotsOnly);
    void Full();
    void FlushPlots();
    // What an overlay drew at the last copy of the plot page: enough to tell whether it changed, and
    // the area it covers.
    struct TOverlayState {
        bool Drawn = false;
        std::array<double, 16> V{};
        QString Font, Text;
        QRect Area;
        bool Same(const TOverlayState& o) const
        {
            return Drawn == o.Drawn && V == o.V && Font == o.Font && Text == o.Text;
        }
    };
    // Where the overlays draw while the plot page is repaired (none: anywhere on the plot page).
    struct TOverlayClip {
        QImage* Target = nullptr;
        QRegion Region;
    };
    struct TLayerPlot {
        std::shared_ptr<const TPlotPixels> Pixels; // null: the plot draws no line
        TColor Color = 0;
        int Number = 0;
    };
    struct TFillKey {
        bool Shown = false;
        int Type = 0;
        bool Negative = false;
        unsigned Curve = 0;
        TAxisMap Map;
        bool operator==(const TFillKey&) const = default;
    };

    void DrawPlotOn(QImage& image, TPlotListMember& m);
    // Views the overlay at a new page size over its kept store, all clear.
    void ResizeOverlay(const QSize& size);
    void EnsurePixels(TPlotListMember& m, const TAxisMap& map);
    void UpdateLayer();
    // True (and the change noted) when a change is not drawn now; see SetDrawWhenShown.
    bool DeferDrawing();
    // Grid, ticks and axes to be drawn again when their key or the size changed; true if so.
    bool RefreshBackground(QSize size);
    // Grid, ticks and axes drawn on a new image of the page's size.
    void PaintBackground(QImage& img);
    // The background, drawn when first asked for after a change.
    const QImage& Background();
    void RedrawChangedTiles(const std::vector<TLayerPlot>& now, QSize size);
    // Draws the plot page again where needed; returns the bounds of what changed.
    QRect RefreshPlotPage();
    // The overlays' states now (markers, marker line, free text, selected band's text).
    std::vector<TOverlayState> OverlayStates(const TPaintPage& page, const fw::TFont& markerFont) const;
    // Damage where a changed overlay was and where it goes; each state gets its area.
    void MarkOverlayChanges(std::vector<TOverlayState>& now, const TPaintPage& page,
                            const fw::TFont& markerFont);
    // The selected band's fill outline and cover again when its key changed, with the damage.
    void UpdateSelectedFill(const TPaintPage& page);
    void RedrawOverlays(const std::vector<TOverlayState>& now, const TPaintPage& page,
                        const fw::TFont& markerFont);
    void PaintGrid(QImage& image);
    void PaintTicks(QImage& image);
    void PaintAxis(QImage& image);
    void DrawMarker(int slot, int penWidth, bool paintParams, const fw::TFont& font,
                    const TOverlayClip* clip);
    void DrawParamText(TParamLines lines, double gain, double x, float frequency, double q, TColor colour,
                       const fw::TFont& font, const TOverlayClip* clip, bool moved);
    void DrawFreeText(const TOverlayClip* clip);
    void DrawMarkerLine(const TOverlayClip* clip);
    void ApplyFreeTextFont();
    std::vector<TPointF> SelectedFillPath(int count, std::size_t& outline) const;
    // Page columns of the indices 0 .. count - 1 on a linear X axis.
    const std::vector<int>& IndexColumns(int count) const;
    void FillSelectedCurve(bool outlineBeforeClosing, int count);
    bool ShowsParamText(int slot) const;
    TOverlayState MarkerState(int slot, const fw::TFont& font) const;
    TOverlayState ParamTextState(TParamLines lines, double gain, double x, float frequency, double q,
                                 TColor colour, const fw::TFont& font) const;
    QRect MarkerArea(int slot, const fw::TFont& font) const;
    QRect ParamTextArea(TParamLines lines, double gain, double x, float frequency, double q,
                        const fw::TFont& font, bool moved) const;
    // The texts around the markers placed so that none covers another marker (markers in the
    // first font, the selected band's text in the second).
    TLabelPlan PlanTexts(const fw::TFont& markerFont, const fw::TFont& textFont) const;
    QSize TextSize(const fw::TFont& font, int size, const QString& text) const;
    bool LabelMoved(int slot) const
    {
        return std::size_t(slot) < FPlan.LabelMoved.size() && FPlan.LabelMoved[std::size_t(slot)];
    }
    bool TextMoved(int slot) const
    {
        return std::size_t(slot) < FPlan.TextMoved.size() && FPlan.TextMoved[std::size_t(slot)];
    }
    void LayoutOnce(int& left, int& plotTop, int& plotBottom, bool& fitsV, bool& fitsH);
    void ApplyFont(fw::TFont& to, const fw::TFont& from, int page1, int page2 = -1);
    std::vector<const TPaintPage*> CopyOrder() const;
    void DrawBand(QPainter& p);
    // What a drawing depends on; an unchanged key lets the drawing stand.
    struct TDrawKey {
        bool Valid = false;
        std::array<double, 26> V{};
        QString Text, Text2;
        bool operator==(const TDrawKey&) const = default;
    };
    TDrawKey LabelKey(bool y) const;
    TDrawKey BackgroundKey() const;
    int FreeTextSize() const { return FTextSize; }

    // Properties.
    bool FAutoRedraw = true;
    TColor FAxisColor = 0x008C00;
    TMyAxisStyle FAxisStyle = CenteredBox;
    TMyAxisFormat FXAxisFormat = Linear, FYAxisFormat = Linear;
    TLabelFormat FXLabel{fw::sffGeneral, 4, 4}, FYLabel{fw::sffGeneral, 5, 4};
    bool FWantXLabel = true, FWantYLabel = true, FWantXTitle = false, FWantYTitle = false,
         FWantPlotTitle = false;
    bool FShowXLabel = true, FShowYLabel = true, FShowXTitle = false, FShowYTitle = false,
         FShowPlotTitle = false;
    bool FShowCoordinates = true;
    bool FYAutoScale = true, FXAutoScale = true;
    double FYLabelScale = 1.0;
    double FYMax = 18.0, FYMin = -18.0, FXMax = 4130.0, FXMin = 1030.0;
    double FLogXMin = 0, FLogXMax = 0, FLogYMin = 0, FLogYMax = 0;
    int FPointSize = 2;
    bool FMouseControl = true;
    bool FShowVertGrid = true, FShowHorzGrid = true, FShowVertTicks = true, FShowHorzTicks = true;
    int FVertTickLength = 0, FHorzTickLength = 0;
    int FNumVertGrid = 10, FNumHorzGrid = 11;
    TColor FGridColor = 0x004800;
    double FMouseX = 0, FMouseY = 0;
    QString FXTitle, FYTitle, FYLabelText, FPlotTitle;
    fw::TFont FPlotTitleFont, FAxisTitleFont, FAxisLabelFont, FMouseCoordFont;
    TFFTNumber FFFTNumber = n4096;
    TSampleRate FSampleRate = n48000;

    // Plot list, head first.
    std::vector<std::unique_ptr<TPlotListMember>> FPlots;
    std::array<std::unique_ptr<TPaintPage>, PageCount> FPages;
    unsigned FCopySeq = 0;
    bool FCopyPending = false;
    bool FDrawWhenShown = false;
    bool FDrawDeferred = false; // a change was not drawn while hidden
    bool FPainting = false;     // inside PaintPages: draw even while hidden
    // What the copies changed on the screen since the last ComposeScreen into an image, and that
    // image (all: compose everything).
    QRegion FScreenDirty;
    bool FScreenAll = true;
    qint64 FScreenKey = 0;
    QSize FScreenSize;
    bool FPlotsDirty = false;
    TDrawKey FXLabelKey, FYLabelKey;
    QImage FBackground;
    TDrawKey FBackgroundKey;
    QSize FBackgroundSize;
    // Grid and plots as drawn, with what each plot drew; the markers, the line and the texts on a
    // transparent layer of their own; the plot page is the one over the other with the selected
    // band's fill over both.
    QImage FLayer, FOverlay;
    std::vector<TLayerPlot> FLayerPlots;
    // Tiles of the page and tiles of the overlay layer to draw again at the next copy; both are
    // whole only while the page is valid.
    TTileMask FDamage, FOverlayDamage;
    // Tiles of the overlay layer that hold a pixel; every other pixel of its store is clear.
    TTileMask FOverlayUsed;
    // The overlay's pixels once the page was resized: rows of FOverlayStride, kept (with room to grow)
    // while the page fits.
    std::vector<QRgb> FOverlayStore;
    int FOverlayStride = 0, FOverlayRows = 0;
    bool FPageValid = false;
    unsigned FPageGeneration = 0;
    // The overlays as drawn at the last copy: 50 markers, the marker line, the free text, the
    // selected band's text; and the selected band's fill outline.
    std::vector<TOverlayState> FDrawn;
    TFillKey FFillKey;
    bool FFillKnown = false;
    std::vector<TPointF> FFillPath;
    std::size_t FFillOutline = 0;
    TCover FFillCover;
    TLabelPlan FPlan;
    mutable QHash<QString, QSize> FTextSizes;
    mutable QString FTextSizeFont;
    mutable int FTextSizeStyle = -1;
    mutable std::vector<int> FIndexColumns;
    mutable TAxisMap FIndexMap;
    unsigned FSelCurveVersion = 0;
    int FLastWidth = 0, FLastHeight = 0;

    // Overlays.
    std::array<TBlockSlot, SlotCount> FSlots{};
    bool FSelDisplay = false;
    int FSelType = 0;
    double FSelGain = 0, FSelX = 0, FSelQ = 0;
    float FSelFreq = 0;
    TColor FSelColor = 0;
    std::vector<double> FSelCurve;
    bool FParamDisplay = false;
    int FTextX = 0, FTextY = 0, FTextSize = 0;
    TColor FTextColor = 0;
    QString FTextFont, FText;
    double FLineX = 0;
    TColor FLineColor = 0;
    bool FLineMarker = false, FLineShown = false;
    int FLineColumn = 0;

    // Navigation.
    int FLastX = 0, FLastY = 0;
    bool FPan = false, FZoom = false, FBandZoom = false;
    bool FBandShown = false;
    fw::TRect FBand;
    fw::TPoint FAnchor;
};

// The main window's scales, colours and fonts of a response graph (magnitude view); redraws once.
void SetMainWindowLook(LMyFFTDrawHpLp6dB& g);

} // namespace graph
