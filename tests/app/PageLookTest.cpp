// What the pages draw: the graph view radios show their mark where a person clicks, the gain
// strips' buttons hold their captions whole.
#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"

#include "TestApp.h"

#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace app;

namespace
{

class PageLook : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        testapp::EnsureApp();
        w = new TfmMain();
        w->CreateDialogs();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    static void TearDownTestSuite()
    {
        w->SetExitConfirmed(true);
        delete w;
        w = nullptr;
    }
    template <class T> static T* Get(const QString& name) { return w->Get<T>(name); }
    static void Open(const QString& page)
    {
        if (auto* b = Get<sk::TSkBmpButton>(QStringLiteral("rzbMenu") + page))
            b->Click();
        QCoreApplication::processEvents();
    }
    static inline TfmMain* w = nullptr;
};

// Pixels of the radio's mark: the green dot inside its ring.
int MarkPixels(QWidget* radio)
{
    const QImage img = radio->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.green() > 180 && c.red() < 80 && c.blue() < 80;
        }
    return n;
}

// The centre of the ring the radio draws (light grey outline), in the radio's pixels.
QPoint RingCentre(QWidget* radio)
{
    const QImage img = radio->grab().toImage();
    QRect ring;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width() / 2; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 150 && c.red() == c.green() && c.green() == c.blue() &&
                std::abs(c.red() - 200) < 30)
                ring |= QRect(x, y, 1, 1);
        }
    return ring.center();
}

TEST_F(PageLook, GraphViewRadiosShowTheirMarkAndAClickMovesIt)
{
    for (int ch : {0, 5}) {
        const QString s = ChannelTitle(ch);
        SCOPED_TRACE(s.toStdString());
        Open(s);
        auto* gain = Get<TRadioButton>(QStringLiteral("rbShowGain") + s);
        auto* phase = Get<TRadioButton>(QStringLiteral("rbShowPhase") + s);
        ASSERT_TRUE(gain && phase && gain->isVisible());
        // The graph starts in the magnitude view: Gain is marked, Phase not.
        EXPECT_GT(MarkPixels(gain), 4);
        EXPECT_EQ(MarkPixels(phase), 0);
        // A click on the Phase ring, through the window, moves the mark.
        const QPoint at = phase->mapTo(w, RingCentre(phase));
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        EXPECT_EQ(MarkPixels(gain), 0);
        EXPECT_GT(MarkPixels(phase), 4);
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, gain->mapTo(w, RingCentre(gain)));
        QCoreApplication::processEvents();
        EXPECT_GT(MarkPixels(gain), 4);
        EXPECT_EQ(MarkPixels(phase), 0);
    }
}

TEST_F(PageLook, PolarityAndMuteCaptionsFitTheirButtons)
{
    // Both captions of the polarity button and the mute caption, on the Gain page and the channel strips.
    for (const char* stem : {"rzbPhaseBackup", "rzbMuteBackup", "rzbPhase", "rzbMute"})
        for (int ch = 0; ch < 9; ++ch) {
            auto* b = Get<sk::TSkBmpButton>(QString::fromLatin1(stem) + ChannelTitle(ch));
            ASSERT_NE(b, nullptr) << stem << ch;
            const QFontMetrics fm(b->Font().ToQFont());
            for (const char* caption : {"Inverse", "Normal", "Mute"})
                EXPECT_LE(fm.horizontalAdvance(QString::fromLatin1(caption)) + 8, b->Width())
                    << stem << ch << " " << caption;
        }
}

TEST_F(PageLook, MatrixNamesStayInsideTheirFrames)
{
    Open(QStringLiteral("Matrix"));
    struct Case {
        const char* label;
        const char* frame;
        QString name;
        bool shortened;
    } cases[] = {{"lbMatrixChNameOut2", "spMatrixNameOut2", QStringLiteral("WWWWWWWW"), true},
                 {"lbMatrixChNameInB", "spMatrixNameInB", QStringLiteral("MMMMMMMM"), true},
                 {"lbMatrixChNameOut3", "spMatrixNameOut3", QStringLiteral("Sub"), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto* label = Get<TNameLabel>(QString::fromLatin1(c.label));
        auto* frame = Get<QWidget>(QString::fromLatin1(c.frame));
        ASSERT_TRUE(label && frame);
        label->SetCaption(c.name);
        QCoreApplication::processEvents();
        // Every white pixel of the name lies inside the frame.
        const QImage img = label->grab().toImage();
        const QRect inFrame = frame->geometry().translated(-label->pos());
        QRect white;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) == qRgb(255, 255, 255))
                    white |= QRect(x, y, 1, 1);
        EXPECT_FALSE(white.isEmpty());
        EXPECT_TRUE(inFrame.contains(white)) << white.x() << "," << white.width();
        // What is drawn fits the white area; a shortened name ends in an ellipsis, whole in the hint.
        const QFontMetrics fm(label->Font().ToQFont());
        EXPECT_LE(fm.horizontalAdvance(label->ShownText()), white.width());
        EXPECT_EQ(label->ShownText().endsWith(QChar(0x2026)), c.shortened);
        EXPECT_EQ(label->Hint(), c.shortened ? c.name : QString());
        EXPECT_EQ(label->Caption(), c.name);
    }
}

TEST_F(PageLook, MatrixBlockNamesFitTheirFrames)
{
    Open(QStringLiteral("Matrix"));
    for (const char* block : {"XoverOut1", "DelayOut6", "PhaseOut3", "HpLpInA", "DelayInC", "GeqInB"}) {
        const QString n = QString::fromLatin1(block);
        auto* label = Get<fw::TControl>(QStringLiteral("lbMatrix") + n);
        auto* frame = Get<QWidget>(QStringLiteral("spMatrix") + n);
        ASSERT_TRUE(label && frame) << block;
        const QFontMetrics fm(label->Font().ToQFont());
        EXPECT_LE(fm.horizontalAdvance(label->Caption()) + 4, frame->width()) << block;
        EXPECT_EQ(label->Font().Color(), fw::clWhite) << block;
    }
}

} // namespace
