// Journeys on the graphs: a band, a crossover corner and a delay marker taken where they are drawn on
// the screen and dragged with the pointer, against the test device.
#include "DrawnSpots.h"
#include "Journey.h"

#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkComboBox.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "model/LUnitControl.h"
#include "proto/Commands.h"

#include <QListWidget>

namespace journeys
{
namespace
{

using Graphs = Journey;

QWidget* Named(app::TfmMain* main, const QString& name)
{
    return Gui([&] { return main->Get<QWidget>(name); });
}

// The spot of `colour` nearest to `near` in a grab of the screen over `area` (screen coordinates).
QPoint SpotNear(const Journey& j, const QImage& grab, QRect area, fw::TColor colour, QPoint near)
{
    (void)j;
    QPoint best(-10000, -10000);
    for (QPoint p : testapp::Spots(grab, colour))
        if ((p + area.topLeft() - near).manhattanLength() < (best - near).manhattanLength())
            best = p + area.topLeft();
    return best;
}

// A band's marker pressed where it is drawn follows the pointer; the device gets the band.
TEST_F(Graphs, BandIsDraggedFromWhereItIsDrawn)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    Click(Named(Main.get(), QStringLiteral("rzbMenuInA")));
    Pump(200);
    QWidget* graph = Named(Main.get(), QStringLiteral("fftDrawInA"));
    ASSERT_NE(graph, nullptr);
    const QRect area = OnScreen(graph);
    const fw::TColor colour = MarkerColours[2];
    const std::vector<QPoint> spots = testapp::Spots(Grab(area), colour);
    ASSERT_EQ(spots.size(), 1u) << "band 3's marker is drawn once";
    const QPoint marker = spots.front() + area.topLeft();
    const PeqBand before = Gui([&] { return Main->Unit()->GetPeq(0, 2); });
    const size_t from = DeviceFrames().size();

    const QPoint to = marker + QPoint(90, -40);
    Me->Drag(marker.x(), marker.y(), to.x(), to.y(), 10, [](int ms) { Pump(ms); });
    Pump(200);
    const PeqBand after = Gui([&] { return Main->Unit()->GetPeq(0, 2); });
    EXPECT_GT(after.freq, before.freq) << "the band moved up in frequency";
    EXPECT_GT(after.gain, before.gain) << "and up in gain";
    const QPoint drawn = SpotNear(*this, Grab(area), area, colour, to);
    EXPECT_LE((drawn - to).manhattanLength(), 5) << "the marker is drawn under the release point";
    ASSERT_TRUE(WaitForCode(proto::kPeq, from)) << "the band did not reach the device";
    const LCmd last = FramesWithCode(proto::kPeq, from).back();
    ASSERT_GE(last.GetPayload().size(), 2u);
    EXPECT_EQ(last.GetPayload()[0], 0) << "input A";
    EXPECT_EQ(last.GetPayload()[1], 2) << "band 3";
}

// A slope chosen in the drawn list brings the low-cut corner; the corner dragged where it is drawn
// raises the cut frequency on the device.
TEST_F(Graphs, CrossoverCornerIsDraggedFromWhereItIsDrawn)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    Click(Named(Main.get(), QStringLiteral("rzbMenuInA")));
    Pump(200);
    auto* combo = static_cast<sk::TSkComboBox*>(Named(Main.get(), QStringLiteral("rzcLowCutSlopInA")));
    ASSERT_NE(combo, nullptr);
    Click(combo);
    QListWidget* list = nullptr;
    ASSERT_TRUE(Until([&] {
        list = combo->DropDownList();
        return list && list->isVisible();
    })) << "the slope list did not open";
    const QPoint item = Gui([&]() -> QPoint {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == u"BW -12")
                return list->viewport()->mapToGlobal(list->visualItemRect(list->item(i)).center());
        return {};
    });
    ASSERT_FALSE(item.isNull()) << "no \"BW -12\" in the list";
    ClickAt(item);
    ASSERT_TRUE(Until([&] { return !list->isVisible(); }));
    Pump(200);

    QWidget* graph = Named(Main.get(), QStringLiteral("fftDrawInA"));
    const QRect area = OnScreen(graph);
    const fw::TColor colour = MarkerColours[Plot::HighPassSection];
    // The corner of a cut at 20 Hz: the small square of its colour in the left fifth of the graph (band 4
    // shares the colour further right).
    const QImage before = Grab(area);
    const QRgb want = fw::ToQColor(colour).rgb();
    QPoint sum;
    int n = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width() / 5; ++x)
            if (testapp::Near(before.pixel(x, y), want))
                ++n, sum += QPoint(x, y);
    ASSERT_GE(n, 9) << "no corner drawn";
    const QPoint corner = sum / n + area.topLeft();
    const int hpBefore = Gui([&] { return int(Main->Unit()->GetXover(0).hpFreq); });
    const size_t from = DeviceFrames().size();
    const QPoint to = corner + QPoint(120, 0);
    Me->Drag(corner.x(), corner.y(), to.x(), to.y(), 10, [](int ms) { Pump(ms); });
    Pump(200);
    EXPECT_GT(Gui([&] { return int(Main->Unit()->GetXover(0).hpFreq); }), hpBefore) << "the low cut moved up";
    const QImage after = Grab(area);
    int near = 0;
    for (int y = to.y() - area.y() - 4; y <= to.y() - area.y() + 4; ++y)
        for (int x = to.x() - area.x() - 4; x <= to.x() - area.x() + 4; ++x)
            near += testapp::Near(after.pixel(x, y), want);
    EXPECT_GE(near, 9) << "the corner is drawn under the release point";
    EXPECT_GT(DeviceFrames().size(), from) << "nothing reached the device";
}

// A delay marker pressed where it is drawn (the picture over the line) and dragged sets a longer delay
// on the device.
TEST_F(Graphs, DelayMarkerIsDraggedFromWhereItIsDrawn)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    Click(Named(Main.get(), QStringLiteral("rzbMenuDelay")));
    Pump(200);
    for (const char* channel : {"InB", "Out3"}) {
        SCOPED_TRACE(channel);
        QWidget* line = Named(Main.get(), QStringLiteral("lbDelayLine") + QString::fromLatin1(channel));
        ASSERT_NE(line, nullptr);
        const QRect row = OnScreen(line);
        // The marker: the orange triangle drawn in the channel's row.
        const QImage img = Grab(QRect(row.x() - 60, row.y(), row.width() + 60, row.height()));
        int n = 0;
        QPoint sum;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 130 && c.green() < 240 && c.blue() < 140)
                    ++n, sum += QPoint(x, y);
            }
        ASSERT_GT(n, 60) << "the marker is drawn";
        const QPoint marker = sum / n + QPoint(row.x() - 60, row.y());
        const size_t from = DeviceFrames().size();
        const QPoint to = marker + QPoint(150, 0);
        Me->Drag(marker.x(), marker.y(), to.x(), to.y(), 10, [](int ms) { Pump(ms); });
        Pump(200);
        ASSERT_TRUE(WaitForCode(proto::kDelay, from)) << "no delay reached the device";
        QWidget* picture = Named(Main.get(), QStringLiteral("imDelay") + QString::fromLatin1(channel));
        EXPECT_NEAR(Centre(picture).x(), to.x(), 4) << "the marker follows the pointer";
    }
}

} // namespace
} // namespace journeys
