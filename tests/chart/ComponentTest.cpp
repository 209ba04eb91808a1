// The component base: repaint pacing on a fake clock (a clock stepped back included), the update
// lock, the shared repaint timer, the paint that survives a failure, input order and failures,
// bounds and the private timer; and the shared drawing functions on the recording canvas.
#include "ChartFixture.h"

#include "chart/component/ChartDraw.h"
#include "chart/component/Component.h"
#include "chart/io/Printer.h"
#include "runtime/Timer.h"
#include "support/RecordingCanvas.h"

#include "ErrorOf.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace chart;
using namespace charttest;

namespace
{

using charttest::ErrorOf;

struct FakeClock : TcPaceClock {
    double now = 1000;
    double NowMs() const override { return now; }
};

class Probe : public TcCustomComponent
{
  public:
    std::function<void()> PaintHook;
    std::vector<std::string> Calls;
    bool ThrowOnMouse = false;
    bool ThrowEverywhere = false;
    int Painted = 0;
    using TcComponent::BackGroundChange;

  protected:
    void iPaint(TCanvas& Canvas) override
    {
        ++Painted;
        DrawBackGround(Canvas, BackGroundColor());
        if (PaintHook)
            PaintHook();
    }
    void Fail()
    {
        if (ThrowEverywhere)
            throw std::runtime_error("boom");
    }
    void iKeyDown(Word&, TShiftState) override
    {
        Calls.push_back("iKeyDown");
        Fail();
    }
    void iKeyUp(Word&, TShiftState) override { Fail(); }
    void iMouseDown(TMouseButton, TShiftState, int, int) override
    {
        Calls.push_back("iMouseDown");
        if (ThrowOnMouse)
            throw std::runtime_error("boom");
        Fail();
    }
    void iMouseMove(TShiftState, int, int) override { Fail(); }
    void iMouseUp(TMouseButton b, TShiftState s, int x, int y) override
    {
        Calls.push_back("iMouseUp " + std::to_string(int(b)) + " " + std::to_string(s) + " " +
                        std::to_string(x) + " " + std::to_string(y));
        Fail();
    }
    void iDoubleClick() override
    {
        Calls.push_back("iDoubleClick");
        Fail();
    }
    bool iMouseWheel(int, TShiftState, TPoint) override
    {
        Fail();
        return true;
    }
};

class Component : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureApp();
        SetPaceClock(&clock);
        SetChartErrorLog([this](const QString& m) { logged.push_back(m); });
        probe = std::make_unique<Probe>();
        probe->SetBounds(0, 0, 120, 60);
        probe->RepaintNow();
    }
    void TearDown() override
    {
        probe.reset();
        SetPaceClock(nullptr);
        SetChartErrorLog(nullptr);
    }
    FakeClock clock;
    std::vector<QString> logged;
    std::unique_ptr<Probe> probe;
};

TEST_F(Component, PacedRepaintsAndTheSharedTimer)
{
    probe->SetAutoFrameRate(true);
    clock.now += 100;
    probe->RepaintNow();
    clock.now += 5;
    probe->InvalidateChange(); // within one frame (16.7 ms): stays pending
    EXPECT_TRUE(probe->NeedsRepaint());
    TcUpdateObject::Instance().DoTimer();
    EXPECT_TRUE(probe->NeedsRepaint()); // still within the frame
    clock.now += 20;
    TcUpdateObject::Instance().DoTimer();
    EXPECT_FALSE(probe->NeedsRepaint());

    // A clock that steps back never freezes the chart.
    clock.now -= 3600 * 1000;
    probe->InvalidateChange();
    EXPECT_FALSE(probe->NeedsRepaint());
    EXPECT_EQ(probe->LastUpdateMs(), clock.now);

    probe->SetUpdateFrameRate(0);
    clock.now += 1;
    probe->InvalidateChange();
    EXPECT_FALSE(probe->NeedsRepaint());
}

TEST_F(Component, UpdateLockIsAFlag)
{
    const double last = probe->LastUpdateMs();
    clock.now += 100;
    probe->BeginUpdate();
    probe->BeginUpdate();
    probe->InvalidateChange();
    EXPECT_EQ(probe->LastUpdateMs(), last);
    TcUpdateObject::Instance().DoTimer(); // the timer leaves a locked control alone
    EXPECT_TRUE(probe->NeedsRepaint());
    probe->EndUpdate(); // one EndUpdate releases both
    EXPECT_FALSE(probe->UpdateActive());
    EXPECT_EQ(probe->LastUpdateMs(), clock.now);
    clock.now += 100;
    probe->BeginUpdate();
    probe->EndUpdate(); // nothing changed: no repaint
    EXPECT_EQ(probe->LastUpdateMs(), clock.now - 100);
}

TEST_F(Component, SharedTimerFollowsRegistrations)
{
    auto& u = TcUpdateObject::Instance();
    const std::size_t before = u.Count();
    probe.reset();
    EXPECT_EQ(u.Count(), before - 1);
    if (u.Count() == 0) {
        EXPECT_FALSE(u.TimerEnabled());
    }
    probe = std::make_unique<Probe>();
    EXPECT_TRUE(u.TimerEnabled());
}

TEST_F(Component, APaintFailureShowsItsMessage)
{
    struct Case {
        const char* name;
        std::function<void()> fail;
        QString message;
    } cases[] = {
        {"library error", [] { throw EChartError("Bad thing"); }, "Bad thing"},
        {"other exception", [] { throw std::out_of_range("index 7"); }, "index 7"},
        {"anything", [] { throw 42; }, "Unknown error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        probe->PaintHook = c.fail;
        int onPaint = 0;
        probe->OnPaint = [&](TcComponent*, TCanvas&) { ++onPaint; };
        testsupport::RecordingCanvas rec;
        const QImage image = probe->PaintToImage();
        EXPECT_EQ(onPaint, 1);
        EXPECT_EQ(image.pixelColor(1, 50), QColor(Qt::black));
        ASSERT_FALSE(rec.Texts().empty());
        EXPECT_EQ(rec.Texts().back(), c.message);
        EXPECT_EQ(rec.Named("DrawText").back().FontColor, fw::clWhite);
    }
    probe->PaintHook = nullptr;
    probe->repaint(); // through paintEvent: nothing escapes
}

TEST_F(Component, InputOrderAndFailures)
{
    std::vector<std::string>& calls = probe->Calls;
    probe->OnKeyDown = [&](fw::TControl*, Word&, TShiftState) { calls.push_back("OnKeyDown"); };
    probe->OnMouseDown = [&](fw::TControl*, TMouseButton, TShiftState, int, int) {
        calls.push_back("OnMouseDown");
    };
    probe->OnDblClick = [&](fw::TControl*) { calls.push_back("OnDblClick"); };
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(probe.get(), &key);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(probe.get(), &press);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(probe.get(), &dbl);
    EXPECT_EQ(calls, (std::vector<std::string>{"OnKeyDown", "iKeyDown", "iMouseDown", "OnMouseDown",
                                               "iDoubleClick", "OnDblClick", "iMouseDown", "OnMouseDown"}));

    calls.clear();
    probe->ThrowOnMouse = true;
    QApplication::sendEvent(probe.get(), &press); // logged and ignored
    EXPECT_EQ(calls, (std::vector<std::string>{"iMouseDown"}));
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_TRUE(logged[0].contains("boom"));

    calls.clear();
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(probe.get(), &out);
    EXPECT_EQ(calls, (std::vector<std::string>{"iMouseUp 0 0 0 0"}));
}

TEST_F(Component, BoundsAndCachedDrawing)
{
    probe->PaintToImage();
    EXPECT_FALSE(probe->BackGroundChanged());
    probe->SetBounds(0, 0, 120, 60); // unchanged: no repaint
    EXPECT_FALSE(probe->BackGroundChanged());
    probe->SetBounds(0, 0, 130, 60);
    EXPECT_TRUE(probe->BackGroundChanged());
    ASSERT_NE(probe->BackGroundBitmap(), nullptr);
    EXPECT_EQ(probe->BackGroundBitmap()->width(), 130);
    probe->SetCachedDrawing(false);
    EXPECT_EQ(probe->BackGroundBitmap(), nullptr);
    probe->SetCachedDrawing(true);
    EXPECT_EQ(probe->BackGroundBitmap(), nullptr);
    probe->SetBounds(0, 0, 140, 60);
    EXPECT_NE(probe->BackGroundBitmap(), nullptr);
}

TEST_F(Component, SaveImageToBitmap)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("probe.bmp");
    probe->SetBackGroundColor(fw::clRed);
    ASSERT_TRUE(probe->SaveImageToBitmap(file));
    QImage saved;
    ASSERT_TRUE(saved.load(file, "BMP"));
    EXPECT_EQ(saved.size(), QSize(120, 60));
    EXPECT_EQ(saved.pixelColor(60, 30), QColor(Qt::red));

    // A folder that does not exist, and a paint that fails: refused with the text, the old file kept.
    QString error;
    EXPECT_FALSE(probe->SaveImageToBitmap(dir.filePath("missing/probe.bmp"), &error));
    EXPECT_TRUE(error.startsWith("Error Saving Bitmap - " + dir.filePath("missing/probe.bmp")))
        << error.toStdString();
    probe->PaintHook = [] { throw EChartError("no paint"); };
    probe->SetBackGroundColor(fw::clBlue);
    EXPECT_FALSE(probe->SaveImageToBitmap(file, &error));
    EXPECT_EQ(error, "no paint");
    ASSERT_TRUE(saved.load(file, "BMP"));
    EXPECT_EQ(saved.pixelColor(60, 30), QColor(Qt::red));
}

// Every input and timer handler with a failing hook: nothing passes the component's edge, each
// failure is logged once under its handler's name, and the control goes on working.
TEST_F(Component, NoFailureLeavesAnInputHandler)
{
    fw::FakeTimerScope timers;
    probe->ThrowEverywhere = true;
    probe->OnInternalTimer = [](TcVCLComponent*) { throw std::runtime_error("boom"); };
    const QPointF at(5, 5);
    auto send = [&](QEvent* e) {
        std::unique_ptr<QEvent> owned(e);
        QApplication::sendEvent(probe.get(), owned.get());
    };
    auto mouse = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons) {
        return [=] { send(new QMouseEvent(type, at, at, button, buttons, Qt::NoModifier)); };
    };
    struct Case {
        const char* name;
        std::function<void()> send;
        const char* where;
        std::size_t failures = 1;
    } cases[] = {
        {"key down", [&] { send(new QKeyEvent(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier)); },
         "key down"},
        {"key up", [&] { send(new QKeyEvent(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier)); }, "key up"},
        {"mouse down", mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton), "mouse down"},
        {"mouse move", mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton), "mouse move"},
        {"mouse up", mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton), "mouse up"},
        {"double click", mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton), "double click",
         2},
        {"wheel",
         [&] {
             send(new QWheelEvent(at, at, QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                                  Qt::NoScrollPhase, false));
         },
         "mouse wheel"},
        {"focus out", [&] { send(new QFocusEvent(QEvent::FocusOut)); }, "kill focus"},
        {"timer",
         [&] {
             probe->TimerStart(0, 10);
             timers.Fake.Advance(10);
             probe->TimerStop();
         },
         "timer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        logged.clear();
        EXPECT_NO_THROW(c.send());
        // A double click is also a press: both handlers fail.
        ASSERT_EQ(logged.size(), c.failures);
        EXPECT_TRUE(logged[0].startsWith(QString::fromLatin1(c.where) + ": ")) << logged[0].toStdString();
        EXPECT_TRUE(logged[0].contains("boom"));
    }
    // A failing paint draws its text in the control and raises nothing.
    probe->PaintHook = [] { throw std::runtime_error("boom"); };
    QImage shown;
    EXPECT_NO_THROW(shown = probe->PaintToImage());
    EXPECT_EQ(shown.size(), QSize(120, 60));
}

TEST_F(Component, PrivateTimer)
{
    fw::FakeTimerScope timers;
    std::vector<int> ticks;
    probe->OnInternalTimer = [&](TcVCLComponent*) { ticks.push_back(timers.Fake.Now()); };
    probe->TimerStart(500, 100);
    probe->TimerStart(10, 10); // ignored while running
    timers.Fake.Advance(800);
    EXPECT_EQ(ticks, (std::vector<int>{500, 600, 700, 800}));
    probe->TimerStop();
    EXPECT_FALSE(probe->GetTimerRunning());
    timers.Fake.Advance(500);
    EXPECT_EQ(ticks.size(), 4u);
    probe->TimerStart(0, 0);
    EXPECT_FALSE(probe->GetTimerRunning());
}

TEST_F(Component, PropertyKindsByDottedPath)
{
    EXPECT_EQ(probe->GetPropertyTypeKind("autoframerate"), tkEnumeration);
    EXPECT_EQ(probe->GetPropertyTypeKind("UpdateFrameRate"), tkInteger);
    EXPECT_EQ(probe->GetPropertyTypeKind("Nothing.Here"), tkUnknown);
    EXPECT_EQ(tkUnknown, 0);
}

TEST_F(Component, EnablingRedrawsTheBackgroundWhoeverSetsIt)
{
    probe->PaintToImage();
    ASSERT_FALSE(probe->BackGroundChanged());
    static_cast<fw::TControl*>(probe.get())->SetEnabled(false);
    EXPECT_TRUE(probe->BackGroundChanged());
    probe->SetEnabled(true);
    QWidget parent;
    probe->setParent(&parent);
    probe->PaintToImage();
    parent.setEnabled(false); // disabled through its parent
    EXPECT_TRUE(probe->BackGroundChanged());
    probe->setParent(nullptr);
}

// Shared drawing functions.

class Drawing : public ::testing::Test
{
  protected:
    void SetUp() override { EnsureApp(); }
    MetricsScope metrics;
    Scratch s;
};

TEST_F(Drawing, GradientStartsOnTheNamedSide)
{
    testsupport::RecordingCanvas rec;
    FillGradient(s.canvas, {0, 0, 10, 5}, ifdTopBottom, fw::clRed, fw::clBlue);
    const auto lines = rec.Named("LineTo");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines.front().Args, (std::vector<int>{0, 0, 10, 0}));
    EXPECT_EQ(lines.front().Pen.Color, fw::clRed);
    EXPECT_EQ(lines.back().Pen.Color, fw::clBlue);
    EXPECT_EQ(lines[2].Pen.Color, fw::RGB(128, 0, 128)); // 127.5 rounds to even
    EXPECT_EQ(s.image.pixelColor(3, 0), QColor(255, 0, 0));

    rec.Clear();
    FillGradient(s.canvas, {0, 0, 10, 5}, ifdBottomTop, fw::clRed, fw::clBlue);
    EXPECT_EQ(rec.Named("LineTo").back().Pen.Color, fw::clRed);
    rec.Clear();
    FillGradient(s.canvas, {0, 0, 10, 1}, ifdTopBottom, fw::clRed, fw::clBlue); // 0 steps
    FillGradient(s.canvas, {0, 0, 3, 3}, ifdCircleOut, fw::clRed, fw::clBlue);
    EXPECT_TRUE(rec.Ops.empty());
}

TEST_F(Drawing, FramesTextAndFlags)
{
    testsupport::RecordingCanvas rec;
    DrawButtonFrame(s.canvas, {10, 10, 50, 30}, 2);
    ASSERT_EQ(rec.Named("Polygon").size(), 1u);
    EXPECT_EQ(rec.Named("Polygon")[0].Pen.Color, fw::clBtnShadow);
    rec.Clear();
    DrawButtonFrame(s.canvas, {10, 10, 50, 30}, 5);
    EXPECT_TRUE(rec.Ops.empty());

    fw::TRect r{0, 0, 100, 20};
    DrawTextInRect(s.canvas, "abc", r, fw::DT_NOPREFIX, false, fw::clBlack); // black: drawn once
    EXPECT_EQ(rec.Named("DrawText").size(), 1u);
    rec.Clear();
    DrawTextInRect(s.canvas, "abc", r, fw::DT_NOPREFIX, false, fw::clBtnFace); // embossed
    const auto draws = rec.Named("DrawText");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].Args[0], 1);
    EXPECT_EQ(draws[0].FontColor, ShiftColor(fw::clBtnFace, 64, true));
    EXPECT_EQ(draws[1].FontColor, ShiftColor(fw::clBtnFace, 32, false));
    EXPECT_EQ(ShiftColor(fw::RGB(250, 10, 128), 64, true), fw::RGB(255, 74, 192));

    struct Case {
        std::uint16_t layout;
        unsigned flags;
    } cases[] = {{528, fw::DT_VCENTER | fw::DT_NOCLIP | fw::DT_NOPREFIX},
                 {649, fw::DT_SINGLELINE | fw::DT_NOCLIP | fw::DT_NOPREFIX},
                 {2560, fw::DT_NOCLIP | fw::DT_CALCRECT | fw::DT_NOPREFIX},
                 {73, fw::DT_WORDBREAK | fw::DT_NOPREFIX}};
    for (const auto& c : cases)
        EXPECT_EQ(TextLayoutToDrawTextFlags(c.layout), c.flags) << c.layout;

    fw::TRect out;
    DrawRotatedText(s.canvas, "ABCDEF", {0, 0, 100, 100}, ira090, iahCenter, true, fw::clBlack, out);
    EXPECT_EQ(out, (fw::TRect{44, 32, 56, 68}));
    EXPECT_EQ(GetMaxLineWidth(s.canvas, "ab\r\nabcd\nx"), 24);
    EXPECT_EQ(GetTextHeight(s.canvas, "ab\r\nabcd"), 26);
    EXPECT_EQ(RectFromCornersXY(true, 5, 1, 2, 9), (fw::TRect{1, 2, 9, 5}));
    EXPECT_EQ(PointXY(true, 1, 2), (fw::TPoint{2, 1}));
}

TEST_F(Drawing, OwnerFormsFocusAndPages)
{
    fw::TForm form;
    QWidget panel(&form);
    QWidget button(&panel);
    EXPECT_EQ(GetOwnerForm(&button), &form);
    EXPECT_EQ(GetOwnerForm(&panel), &form);
    // The search starts at the owner: a form's own owner chain has nothing above it.
    EXPECT_EQ(GetOwnerForm(&form), nullptr);
    EXPECT_EQ(GetOwnerForm(nullptr), nullptr);
    // A plain object in between is passed over; a chain without any widget has no form.
    QObject holder(&button);
    QObject leaf(&holder);
    EXPECT_EQ(GetOwnerForm(&leaf), &form);
    QObject root;
    QObject child(&root);
    EXPECT_EQ(GetOwnerForm(&child), nullptr);

    QTabWidget pages;
    EXPECT_EQ(GetActivePageIndex(&pages), -1);
    for (const char* name : {"a", "b", "c"})
        pages.addTab(new QWidget, name);
    SetActivePageIndex(&pages, 2);
    EXPECT_EQ(GetActivePageIndex(&pages), 2);
    SetActivePageIndex(&pages, 3); // not a page: unchanged
    SetActivePageIndex(&pages, -1);
    EXPECT_EQ(GetActivePageIndex(&pages), 2);
}

TEST_F(Drawing, PrinterPaperSize)
{
    std::vector<bool> asked;
    std::vector<std::optional<TcPrinterSetup>> answers;
    SetPrinterSetupSource([&](bool reselect) {
        asked.push_back(reselect);
        auto a = answers.front();
        answers.erase(answers.begin());
        return a;
    });
    struct Case {
        const char* name;
        std::vector<std::optional<TcPrinterSetup>> answers;
        double width, height;
        std::vector<bool> asked;
    } cases[] = {
        {"A4 portrait", {TcPrinterSetup{9, false}}, 210 / 25.4, 297 / 25.4, {false}},
        {"letter landscape", {TcPrinterSetup{1, true}}, 11, 8.5, {false}},
        {"found when selected again", {std::nullopt, TcPrinterSetup{5, false}}, 8.5, 14, {false, true}},
        {"a code beyond the table", {TcPrinterSetup{256, false}}, 8.5, 11, {false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        answers = c.answers;
        asked.clear();
        TcPaperSize p;
        ASSERT_TRUE(GetPrinterPaperSize(p));
        EXPECT_NEAR(p.Width, c.width, 1e-12);
        EXPECT_NEAR(p.Height, c.height, 1e-12);
        EXPECT_EQ(asked, c.asked);
    }
    answers = {std::nullopt, std::nullopt};
    asked.clear();
    TcPaperSize unchanged{1, 2};
    QString error;
    EXPECT_FALSE(GetPrinterPaperSize(unchanged, &error));
    EXPECT_EQ(error, "Could not initialize printer DeviceMode Structure");
    EXPECT_EQ(unchanged.Width, 1);
    EXPECT_EQ(asked, (std::vector<bool>{false, true}));
    SetPrinterSetupSource(nullptr);
}

} // namespace
