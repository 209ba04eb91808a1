// The response graph's repaint of only what changed: after each kind of change, a graph drawn again
// piece by piece shows what a graph drawn once in the final state shows; an unchanged copy draws
// nothing, and a moved marker draws only what lies around it.
#include "GraphScene.h"
#include "RecordingCanvas.h"
#include "support/TestApp.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace graph;

using testapp::EnsureApp;

namespace
{
// Everything a main-window graph shows, set in one go.
struct Scene {
    std::vector<graphscene::Band> bands = graphscene::TypicalBands();
    int selected = 3;
    bool showAll = false;
    int hidden = -1; // a band whose marker is hidden
    QString text;
    QString textFont = QStringLiteral("Times New Roman");
    bool line = false;
    bool overlay = true;
    double overlayShift = -6.0;
    TColor overlayColour = fw::clYellow;
    double yMax = 18.0;
    int hpSlope = 6;
    double hpFreq = 40.0;
};

void Show(LMyFFTDrawHpLp6dB& g, Plot& plot, const Scene& s)
{
    g.SetYMax(s.yMax);
    if (s.overlay) {
        graphscene::DrawOverlay(g, Plot::FirstOverlaySection, 5, s.overlayShift);
        TColor now = 0;
        if (g.GetPlotColor(now, Plot::FirstOverlaySection) && now != s.overlayColour)
            g.SetPlotColor(s.overlayColour, Plot::FirstOverlaySection);
    } else {
        g.RemovePlot(Plot::FirstOverlaySection);
    }
    g.SetParameterDisplay(s.showAll);
    for (std::size_t n = 0; n < s.bands.size(); ++n) {
        const graphscene::Band& b = s.bands[n];
        plot.Section(int(n)).SetFilterSection(b.gain, b.freq, b.q, PeqTypeCodes[std::size_t(b.typeIndex)]);
    }
    ComputeHpLpCurve(plot, true, s.hpSlope, s.hpFreq, Plot::HighPassSection);
    ComputeHpLpCurve(plot, false, 6, 16000.0, Plot::HighPassSection);
    plot.DrawTotalCurve(3);
    for (std::size_t n = 0; n < s.bands.size(); ++n)
        plot.DrawBandMarker(int(n), float(s.bands[n].gain), 1);
    if (s.hidden >= 0)
        g.DrawBlock(s.bands[std::size_t(s.hidden)].gain, g.Block(s.hidden).X, fw::clRed, s.hidden, true, 1);
    if (s.selected >= 0) {
        const graphscene::Band& b = s.bands[std::size_t(s.selected)];
        plot.ShowBandDetail(b.typeIndex, s.selected, float(b.gain), float(b.q), true);
    } else {
        plot.ShowBandDetail(0, 0, 0.0f, 0.0f, false);
    }
    g.DrawTextA(g.Width() / 3, g.Height() / 4, 60, fw::clBtnFace, s.textFont, s.text);
    if (s.line)
        g.DrawLine(2624.9, fw::clRed, true);
    g.UpdateCurvePage();
}

struct Repaint : ::testing::Test {
    void SetUp() override { EnsureApp(); }
};
} // namespace

TEST_F(Repaint, PieceByPieceEqualsDrawnAtOnce)
{
    struct Case {
        const char* name;
        Scene (*edit)(Scene);
    } cases[] = {
        {"band gain flips",
         [](Scene s) {
             s.bands[3].gain = 6.0;
             return s;
         }},
        {"band moves",
         [](Scene s) {
             s.bands[1].freq = 180.0;
             return s;
         }},
        {"other band selected",
         [](Scene s) {
             s.selected = 8;
             return s;
         }},
        {"selection removed",
         [](Scene s) {
             s.selected = -1;
             return s;
         }},
        {"shelf selected and raised",
         [](Scene s) {
             s.selected = 0;
             s.bands[0].gain = -7.5;
             return s;
         }},
        {"show-all texts on",
         [](Scene s) {
             s.showAll = true;
             return s;
         }},
        {"a marker hidden",
         [](Scene s) {
             s.hidden = 4;
             return s;
         }},
        {"bypass text",
         [](Scene s) {
             s.text = QStringLiteral("BYPASS");
             return s;
         }},
        {"marker line",
         [](Scene s) {
             s.line = true;
             return s;
         }},
        {"overlay moves",
         [](Scene s) {
             s.overlayShift = 3.0;
             return s;
         }},
        {"overlay colour",
         [](Scene s) {
             s.overlayColour = fw::clAqua;
             return s;
         }},
        {"overlay removed",
         [](Scene s) {
             s.overlay = false;
             return s;
         }},
        {"low cut steeper",
         [](Scene s) {
             s.hpSlope = 24;
             s.hpFreq = 80.0;
             return s;
         }},
        {"range",
         [](Scene s) {
             s.yMax = 24.0;
             return s;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Scene start;
        start.text = QStringLiteral("x"); // the free text's font reaches the markers
        const Scene end = c.edit(start);
        LMyFFTDrawHpLp6dB a, b;
        Plot pa(&a), pb(&b);
        graphscene::ConfigureLikeMainWindow(a, 1070);
        graphscene::ConfigureLikeMainWindow(b, 1070);
        a.PaintPages();
        b.PaintPages();
        Show(a, pa, start);
        a.UpdateCurvePage();
        // A screen image kept between the two, as a window keeps its pixels.
        QImage screen = a.Grab();
        a.ComposeScreen(screen);
        Show(a, pa, end);
        Show(b, pb, end);
        // Settled: the markers take the free text's font one copy later.
        a.UpdateCurvePage();
        b.UpdateCurvePage();
        a.ComposeScreen(screen);
        const QImage fresh = b.Grab();
        EXPECT_TRUE(a.Grab() == fresh);
        EXPECT_TRUE(screen == fresh);
    }
}

TEST_F(Repaint, ResizeAndFrameworkPaintMatchAFreshGraph)
{
    LMyFFTDrawHpLp6dB a, b;
    Plot pa(&a), pb(&b);
    graphscene::ConfigureLikeMainWindow(a, 1070);
    a.PaintPages();
    Show(a, pa, {});
    a.resize(530, 255);
    a.PaintPages();
    graphscene::ConfigureLikeMainWindow(b, 530);
    b.PaintPages();
    Show(b, pb, {});
    a.PaintPages();
    b.PaintPages();
    EXPECT_TRUE(a.Grab() == b.Grab());
}

// The overlay keeps its store across sizes: what it showed at one size must not stay at the next.
TEST_F(Repaint, ResizesBackAndForthLeaveNoOverlayBehind)
{
    struct Case {
        const char* name;
        std::vector<int> widths; // drawn at each in turn, the last one compared
    };
    // Markers, the free text and the line sit where the width puts them.
    auto Shown = [] {
        Scene s;
        s.text = QStringLiteral("Text");
        s.line = true;
        return s;
    };
    const Case cases[] = {
        {"shrink then grow back into the kept store", {1070, 900, 1070}},
        {"grow past the store", {530, 1070}},
        {"shrink twice then grow a little", {1070, 700, 530, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LMyFFTDrawHpLp6dB a, b;
        Plot pa(&a), pb(&b);
        graphscene::ConfigureLikeMainWindow(a, c.widths.front());
        a.PaintPages();
        for (std::size_t i = 0; i < c.widths.size(); ++i) {
            a.resize(c.widths[i], 255);
            Show(a, pa, Shown());
            a.PaintPages();
        }
        graphscene::ConfigureLikeMainWindow(b, c.widths.back());
        b.PaintPages();
        Show(b, pb, Shown());
        b.PaintPages();
        EXPECT_TRUE(a.Grab() == b.Grab());
    }
}

TEST_F(Repaint, OnlyWhatChangedIsDrawnAgain)
{
    LMyFFTDrawHpLp6dB g;
    Plot plot(&g);
    graphscene::ConfigureLikeMainWindow(g, 1070);
    g.PaintPages();
    Show(g, plot, {});
    g.UpdateCurvePage(); // the markers take the free text's font
    {
        testsupport::RecordingCanvas rec;
        g.UpdateCurvePage();
        EXPECT_TRUE(rec.Ops.empty()); // nothing changed: nothing drawn, nothing piles up
    }
    // Band 2 (350 Hz) moves up: its marker, and the band 4 text it may meet, are drawn again; the
    // markers far from it are not.
    Scene s;
    s.bands[2].gain = 5.0;
    testsupport::RecordingCanvas rec;
    Show(g, plot, s);
    std::vector<QString> numbers;
    for (const QString& t : rec.Texts())
        if (t.size() == 1 && t[0].isDigit())
            numbers.push_back(t);
    EXPECT_NE(std::find(numbers.begin(), numbers.end(), QStringLiteral("3")), numbers.end());
    for (const char* far : {"1", "7", "8"})
        EXPECT_EQ(std::find(numbers.begin(), numbers.end(), QString::fromLatin1(far)), numbers.end()) << far;
}

// A graph set to draw when shown draws nothing while its window is hidden, and its first paint (or a
// Grab) shows what a graph drawn all along shows.
TEST_F(Repaint, HiddenGraphDrawsOnItsFirstShow)
{
    LMyFFTDrawHpLp6dB a;
    Plot pa(&a);
    graphscene::ConfigureLikeMainWindow(a, 1070);
    a.PaintPages();
    Show(a, pa, {});
    a.UpdateCurvePage();

    struct Case {
        const char* name;
        bool viaPaint; // a window paint, or the control's Grab
    } cases[] = {{"first paint", true}, {"grab", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        window.resize(1100, 300);
        auto* b = new LMyFFTDrawHpLp6dB(&window);
        Plot pb(b);
        b->SetDrawWhenShown(true);
        {
            testsupport::RecordingCanvas rec;
            graphscene::ConfigureLikeMainWindow(*b, 1070);
            Show(*b, pb, {});
            b->UpdateCurvePage();
            EXPECT_TRUE(rec.Ops.empty());
        }
        if (c.viaPaint) {
            window.show();
            b->grab();
        } else {
            b->Grab();
        }
        b->UpdateCurvePage(); // settled, as the graph drawn all along
        const QImage shown =
            c.viaPaint ? b->grab().toImage().convertToFormat(QImage::Format_RGB32) : b->Grab();
        EXPECT_TRUE(shown == a.Grab());
    }
}
