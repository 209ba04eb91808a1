// The response graph control: plot list, ranges and their repairs, property clamps, layout with
// labels lost and regained, label texts, overlays' positions, and the second class's texts.
#include "GraphScene.h"
#include "RecordingCanvas.h"

#include "graph/LMyFFTDrawPhase.h"
#include "support/TestApp.h"

#include <QApplication>

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

using namespace graph;

using testapp::EnsureApp;

namespace
{
struct Graph : ::testing::Test {
    void SetUp() override { EnsureApp(); }
    static std::vector<QString> TextsAt(const testsupport::RecordingCanvas& rec) { return rec.Texts(); }
};

const fw::TCanvasOp* FindText(const testsupport::RecordingCanvas& rec, const QString& text)
{
    for (const auto& op : rec.Ops)
        if (std::strcmp(op.Name, "TextOut") == 0 && op.Text == text)
            return &op;
    return nullptr;
}
} // namespace

TEST_F(Graph, PlotListReplacesKeepsColourAndRemoves)
{
    LMyFFTDrawHpLp6dB g;
    const double a[] = {1, 2, 3}, b[] = {4, 5};
    EXPECT_FALSE(g.FFTDraw(a, 3, 7, fw::clRed, 0));
    EXPECT_FALSE(g.FFTDraw(a, 3, 8, fw::clBlue, 0));
    EXPECT_EQ(g.PlotNumbers(), (std::vector<int>{8, 7})); // newest first
    EXPECT_TRUE(g.FFTDraw(b, 2, 7, fw::clLime, 3));
    int count = 0, style = -1;
    TColor colour = 0;
    EXPECT_TRUE(g.GetPlotNumPoints(count, 7));
    EXPECT_TRUE(g.GetPlotColor(colour, 7));
    EXPECT_TRUE(g.GetPlotStyle(style, 7));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(colour, fw::clRed);
    EXPECT_EQ(style, 0);
    EXPECT_FALSE(g.RemovePlot(99));
    EXPECT_TRUE(g.RemovePlot(7));
    EXPECT_EQ(g.PlotNumbers(), (std::vector<int>{8}));
    // No points: refused, nothing stored.
    EXPECT_FALSE(g.FFTDraw(a, 0, 9, fw::clRed, 0));
    EXPECT_EQ(g.PlotCount(), 1);
    // One point of the spaced form stands at x0.
    g.FFTDraw(a, 1, 5.0, 9.0, 10, fw::clRed, 0);
    double x = 0;
    EXPECT_TRUE(g.GetPlotX(&x, 10));
    EXPECT_EQ(x, 5.0);
}

TEST_F(Graph, AutoRangeAndRepairs)
{
    LMyFFTDrawHpLp6dB g;
    g.SetYAutoScale(true);
    EXPECT_EQ(g.YMin(), -1.0);
    EXPECT_EQ(g.YMax(), 1.0);
    const double fives[] = {5, 5, 5};
    g.FFTDraw(fives, 3, 1, fw::clRed, 0);
    EXPECT_EQ(g.YMin(), 5.0);
    EXPECT_EQ(g.YMax(), 6.0);
    LMyFFTDrawHpLp6dB lg;
    lg.SetYAxisFormat(Log);
    lg.SetYAutoScale(true);
    lg.FFTDraw(fives, 3, 1, fw::clRed, 0);
    EXPECT_EQ(lg.YMin(), 5.0);
    EXPECT_EQ(lg.YMax(), 50.0);

    LMyFFTDrawHpLp6dB s;
    s.SetXYMinMax(0, 0, -3, -3);
    EXPECT_EQ(s.XMax(), 1.0);
    EXPECT_EQ(s.YMax(), -2.0);

    LMyFFTDrawHpLp6dB f;
    f.SetXAutoScale(false);
    f.SetYAutoScale(false);
    f.SetYMax(-5);
    f.SetYAxisFormat(Log);
    EXPECT_EQ(f.YMax(), 10.0);
    EXPECT_EQ(f.YMin(), 1.0);
    LMyFFTDrawHpLp6dB h;
    h.SetXAutoScale(false);
    h.SetYAutoScale(false);
    h.SetYMax(100);
    h.SetYMin(0);
    h.SetYAxisFormat(Log);
    EXPECT_EQ(h.YMin(), 10.0); // the format setter: 0.1 x max
    h.SetYMin(0);
    EXPECT_EQ(h.YMin(), 1.0); // the log bounds: 0.01 x max
}

TEST_F(Graph, PropertyClamps)
{
    LMyFFTDrawHpLp6dB g;
    g.SetPointSize(0);
    EXPECT_EQ(g.PointSize(), 1);
    g.SetPointSize(25);
    EXPECT_EQ(g.PointSize(), 10);
    g.SetNumHorzGrid(-4);
    EXPECT_EQ(g.NumHorzGrid(), 0);
    g.SetHorzTickLength(5000);
    EXPECT_EQ(g.HorzTickLength(), g.Width());
    g.SetVertTickLength(-3);
    EXPECT_EQ(g.VertTickLength(), 0);
}

namespace
{
// Every character 5 wide but one, 12 wide.
class OneWideCharMetrics : public fw::TextMetrics
{
  public:
    explicit OneWideCharMetrics(QChar wide) : FWide(wide) {}
    int Width(const QFont&, const QString& text) const override
    {
        int w = 0;
        for (const QChar c : text)
            w += c == FWide ? 12 : 5;
        return w;
    }
    int Height(const QFont&) const override { return 13; }
    int Ascent(const QFont&) const override { return 10; }

  private:
    QChar FWide;
};
} // namespace

TEST_F(Graph, YLabelColumnFitsTheWidestLabelOfTheSpan)
{
    // Digits all as wide ('x' wide), or one digit wider than the rest: the column follows the widest
    // label's width, whichever labels hold that digit.
    std::optional<int> margin; // the column's width less the widest label's, alike in every case
    for (const char16_t wide : {u'x', u'7', u'1', u'0'}) {
        SCOPED_TRACE(QString(QChar(wide)).toStdString());
        OneWideCharMetrics metrics{QChar(wide)};
        fw::SetTextMetrics(&metrics);
        LMyFFTDrawHpLp6dB g;
        graphscene::ConfigureLikeMainWindow(g, 800);
        const TLabelFormat f{int(g.XLabelFormat()), std::max(g.XLabelPrecision(), g.YLabelPrecision()),
                             std::max(g.XLabelDigits(), g.YLabelDigits())};
        int widest = 0;
        for (int k = -100; k <= 100; ++k)
            widest = std::max(widest, metrics.Width(QFont(), QString::fromStdString(LabelNumber(
                                                                 3.14159265358979 * std::pow(10.0, k), f))));
        const int column = g.Page(LMyFFTDrawHpLp6dB::YLabelPage).Width();
        fw::SetTextMetrics(nullptr);
        if (!margin)
            margin = column - widest;
        EXPECT_EQ(column - widest, *margin);
    }
}

TEST_F(Graph, XLabelSetsByWidthAndYLabelTexts)
{
    struct Case {
        const char* name;
        int width;
        std::vector<QString> x;
    } cases[] = {
        {"799 px", 799, {"20Hz", "100Hz", "1KHz", "10KHz"}},
        {"800 px",
         800,
         {"20Hz", "100Hz", "1KHz", "10KHz", "20KHz", "50Hz", "200Hz", "500Hz", "2KHz", "5KHz"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::RecordingCanvas rec;
        LMyFFTDrawHpLp6dB g;
        graphscene::ConfigureLikeMainWindow(g, c.width);
        rec.Clear();
        g.PaintPages();
        std::vector<QString> x;
        for (const QString& t : rec.Texts())
            if (t.endsWith(QLatin1String("Hz")))
                x.push_back(t);
        EXPECT_EQ(x, c.x);
        std::vector<QString> y;
        for (const QString& t : rec.Texts())
            if (t.endsWith(QLatin1String("dB")))
                y.push_back(t);
        EXPECT_EQ(y, (std::vector<QString>{"+18dB", "-18dB", "-12dB", "-6dB", "0dB", "+6dB", "+12dB"}));
    }
    testsupport::RecordingCanvas rec;
    LMyFFTDrawHpLp6dB p;
    graphscene::ConfigureLikeMainWindow(p, 1070);
    graphscene::PhaseView(p);
    rec.Clear();
    p.PaintPages();
    std::vector<QString> y;
    for (const QString& t : rec.Texts())
        if (t == QLatin1String("0") || t.startsWith(u'+') || t.startsWith(u'-'))
            y.push_back(t);
    EXPECT_EQ(y, (std::vector<QString>{"+180", "-180", "-90", "0", "+90"}));
}

TEST_F(Graph, MiddleYLabelsFollowTheGridCount)
{
    struct Case {
        int grid;
        std::size_t labels;
    } cases[] = {{0, 2}, {1, 2}, {2, 3}, {11, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grid);
        testsupport::RecordingCanvas rec;
        LMyFFTDrawHpLp6dB g;
        graphscene::ConfigureLikeMainWindow(g, 500);
        g.SetNumHorzGrid(c.grid);
        rec.Clear();
        g.PaintPages();
        std::size_t n = 0;
        for (const QString& t : rec.Texts())
            n += t.endsWith(QLatin1String("dB"));
        EXPECT_EQ(n, c.labels);
    }
}

TEST_F(Graph, TooSmallLosesLabelsAndGetsThemBack)
{
    LMyFFTDrawHpLp6dB g;
    graphscene::ConfigureLikeMainWindow(g, 1070, 255);
    g.PaintPages();
    EXPECT_TRUE(g.ShowXLabel());
    g.resize(40, 12);
    g.PaintPages();
    EXPECT_FALSE(g.ShowXLabel());
    EXPECT_FALSE(g.ShowYLabel());
    g.resize(1070, 255);
    g.PaintPages();
    EXPECT_TRUE(g.ShowXLabel());
    EXPECT_TRUE(g.ShowYLabel());
    EXPECT_GT(g.GetPlotWidth(), 900);
}

TEST_F(Graph, MarkersAndTextsArePlacedAtTheirAxisPositions)
{
    LMyFFTDrawHpLp6dB g;
    graphscene::ConfigureLikeMainWindow(g, 1070);
    g.PaintPages();
    const double x = 2624.9; // 1 kHz
    g.DrawBlock(-6.0, x, fw::clRed, 3, false, 1);
    g.SetBlockParameter(3, 1000.0, -6.0, 2.0, 1);
    g.DrawParam(0, -6.0, x, 1000.0f, 2.0, fw::clYellow);
    g.SetCurveDisplay(true);
    testsupport::RecordingCanvas rec;
    g.UpdateCurvePage();
    const int sx = Trunc(g.ScreenX(x)), sy = Trunc(g.ScreenY(-6.0));
    EXPECT_EQ(g.GetBlockPos(3), (fw::TPoint{sx, sy}));
    const auto ellipses = rec.Named("Ellipse");
    ASSERT_FALSE(ellipses.empty());
    EXPECT_EQ(ellipses[0].Args, (std::vector<int>{sx - 3, sy - 3, sx + 3, sy + 3}));
    EXPECT_EQ(ellipses[0].Pen.Width, 5);
    const fw::TCanvasOp* number = FindText(rec, QStringLiteral("4"));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Args, (std::vector<int>{sx - 3, sy - 23}));
    const fw::TCanvasOp* q = FindText(rec, QStringLiteral("Q:2.00"));
    const fw::TCanvasOp* f = FindText(rec, QStringLiteral("1.00KHz"));
    const fw::TCanvasOp* gain = FindText(rec, QStringLiteral("-6.0dB"));
    ASSERT_TRUE(q && f && gain);
    EXPECT_EQ(q->Args, (std::vector<int>{sx - 20, sy - 69}));
    EXPECT_EQ(f->Args, (std::vector<int>{sx - 20, sy - 56}));
    EXPECT_EQ(gain->Args, (std::vector<int>{sx - 20, sy - 43}));
    EXPECT_EQ(q->FontColor, fw::clYellow);
    // A hidden marker is left out of later paints; a slot outside 0..49 changes nothing.
    g.DrawBlock(0, x, fw::clRed, 3, true, 1);
    g.DrawBlock(0, x, fw::clRed, 50, false, 1);
    g.DrawBlock(0, x, fw::clRed, -1, false, 1);
    rec.Clear();
    g.UpdateCurvePage();
    EXPECT_EQ(FindText(rec, QStringLiteral("4")), nullptr);
    EXPECT_EQ(g.GetBlockPos(50), (fw::TPoint{}));
}

// The selected band's translucent fill reaches the screen once per page a full paint copies: the X
// and Y label pages and the plot page, so grey 128 at alpha 30 laid three times over black.
TEST_F(Graph, SelectedFillIsLaidOncePerCopiedPage)
{
    auto draw = [](bool fill) {
        LMyFFTDrawHpLp6dB g;
        graphscene::ConfigureLikeMainWindow(g, 1070);
        g.PaintPages();
        const double x = 2624.9;
        std::vector<double> curve(4096, 6.0);
        g.DrawParam(0, 6.0, x, 1000.0f, 2.0, fw::clYellow);
        g.DrawCurveFill(0, curve.data(), int(curve.size()));
        g.SetCurveDisplay(fill);
        g.UpdateCurvePage();
        return g.Grab().convertToFormat(QImage::Format_RGB32);
    };
    const QImage plain = draw(false), filled = draw(true);
    ASSERT_EQ(plain.size(), filled.size());
    std::vector<int> greys;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (plain.pixel(x, y) == qRgb(0, 0, 0) && filled.pixel(x, y) != plain.pixel(x, y))
                greys.push_back(qGreen(filled.pixel(x, y)));
    ASSERT_GT(greys.size(), 1000u);
    std::nth_element(greys.begin(), greys.begin() + long(greys.size() / 2), greys.end());
    const double once = 30.0 / 255.0;
    const double expected = 128.0 * (1.0 - std::pow(1.0 - once, 3));
    EXPECT_NEAR(greys[greys.size() / 2], expected, 3.0);
}

TEST_F(Graph, ShowAllTextsUseThePinnedTypeMapping)
{
    LMyFFTDrawHpLp6dB g;
    graphscene::ConfigureLikeMainWindow(g, 1070);
    g.PaintPages();
    g.SetParameterDisplay(true);
    // A second-order high-pass band (type code 4) is shown as index 3: frequency only.
    g.DrawBlock(2.0, 2000.0, fw::clRed, 0, false, 1);
    g.SetBlockParameter(0, 200.0, 2.0, 0.71, 4);
    testsupport::RecordingCanvas rec;
    g.UpdateCurvePage();
    EXPECT_NE(FindText(rec, QStringLiteral("200.0Hz")), nullptr);
    EXPECT_EQ(FindText(rec, QStringLiteral("Q:0.71")), nullptr);
    EXPECT_EQ(FindText(rec, QStringLiteral("200.0Hz"))->FontColor, fw::clWhite);
}

TEST_F(Graph, SecondClassShowsItsOwnLines)
{
    struct Case {
        const char* name;
        bool phaseClass;
        int type;
        bool q;
    } cases[] = {{"first class, type 3", false, 3, false},
                 {"second class, type 3", true, 3, true},
                 {"second class, type 7 repainted", true, 7, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<LMyFFTDrawHpLp6dB> g(c.phaseClass ? new LMyFFTDrawPhase : new LMyFFTDrawHpLp6dB);
        graphscene::ConfigureLikeMainWindow(*g, 1070);
        g->PaintPages();
        g->DrawParam(c.type, -3.0, 2624.9, 1000.0f, 1.5, fw::clYellow);
        g->SetCurveDisplay(true);
        testsupport::RecordingCanvas rec;
        g->UpdateCurvePage();
        EXPECT_EQ(FindText(rec, QStringLiteral("Q:1.50")) != nullptr, c.q);
        EXPECT_NE(FindText(rec, QStringLiteral("1.00KHz")), nullptr);
    }
}

TEST_F(Graph, PanAndBandZoom)
{
    LMyFFTDrawHpLp6dB g;
    g.SetXAutoScale(false);
    g.SetYAutoScale(false);
    g.resize(540, 260);
    g.PaintPages();
    g.SetXYMinMax(0, 100, -10, 10);
    const int W = g.GetPlotWidth();
    g.MouseDown1(fw::mbLeft, fw::ssLeft, 100, 100);
    g.MouseMove1(fw::ssLeft, 100 + W / 50, 100);
    g.MouseUp1(fw::mbLeft, 0, 100 + W / 50, 100);
    const double du = double(W / 50) * 100.0 / W; // 10 px of a 500 px page is 2 units
    EXPECT_NEAR(g.XMin(), -du, 1e-9);
    EXPECT_NEAR(g.XMax(), 100.0 - du, 1e-9);
    // Ctrl-drag released where it started: an empty range, widened by one.
    g.MouseDown1(fw::mbLeft, fw::ssCtrl | fw::ssLeft, 200, 100);
    g.MouseMove1(fw::ssCtrl | fw::ssLeft, 200, 100);
    g.MouseUp1(fw::mbLeft, fw::ssCtrl, 200, 100);
    EXPECT_NEAR(g.XMax() - g.XMin(), 1.0, 1e-9);
}

TEST_F(Graph, SelectedTextTakesTheOtherSideOfAMarkerInItsWay)
{
    struct Case {
        const char* name;
        bool bandInTheWay;
        int top; // of the frequency line, from the selected marker
    } cases[] = {{"clear above", false, -56}, {"a band's number above", true, 33}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LMyFFTDrawHpLp6dB g;
        graphscene::ConfigureLikeMainWindow(g, 1070);
        g.PaintPages();
        const double x = 2574.0; // 900 Hz
        g.DrawBlock(-6.0, x, fw::clAqua, 3, false, 1);
        g.SetBlockParameter(3, 900.0, -6.0, 3.0, 1);
        if (c.bandInTheWay) {
            g.DrawBlock(0.0, 2624.9, fw::clTeal, 8, false, 1); // 1 kHz, 0 dB: its number sits in the text
            g.SetBlockParameter(8, 1000.0, 0.0, 0.71, 17);
        }
        g.DrawParam(0, -6.0, x, 900.0f, 3.0, fw::clYellow);
        g.SetCurveDisplay(true);
        testsupport::RecordingCanvas rec;
        g.UpdateCurvePage();
        const fw::TCanvasOp* f = FindText(rec, QStringLiteral("900.0Hz"));
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Args[1], Trunc(g.ScreenY(-6.0)) + c.top);
    }
}

TEST_F(Graph, LabelsComeBackAfterThePagesAreCleared)
{
    LMyFFTDrawHpLp6dB g;
    graphscene::ConfigureLikeMainWindow(g, 1070);
    g.PaintPages();
    {
        testsupport::RecordingCanvas rec;
        g.DrawPlotsAndLabels(); // nothing changed: the label pages stand as drawn
        EXPECT_TRUE(rec.Texts().empty());
    }
    g.ClearPlot();
    testsupport::RecordingCanvas rec;
    g.DrawPlotsAndLabels();
    const std::vector<QString> texts = rec.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), QStringLiteral("1KHz")), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), QStringLiteral("+18dB")), texts.end());
}
