// The one application of a test program, the event-loop pumps and synthetic input. Tests without
// widgets call EnsureCoreApp (a QCoreApplication, no platform needed); widget tests call EnsureApp (a
// QApplication). The first one made stays for the whole program. The widget half (EnsureApp and the
// input) is there only where the test links the widget module, so core tests include this header too.
#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <functional>
#include <thread>

namespace testapp
{

namespace detail
{
inline int argc = 1;
inline char name[] = "morvex_tests";
inline char* argv[] = {name, nullptr};
} // namespace detail

inline QCoreApplication& EnsureCoreApp()
{
    if (!QCoreApplication::instance())
        new QCoreApplication(detail::argc, detail::argv);
    return *QCoreApplication::instance();
}

// Runs the event loop until pred holds or the time is up, pausing a millisecond between rounds so that
// another thread (a device, a reader) can act on what it received; returns pred().
inline bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 3000)
{
    EnsureCoreApp();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}

// Waits for another thread without running the event loop, until pred holds or the time is up;
// returns pred().
inline bool SleepUntil(const std::function<bool()>& pred, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// The same as PumpUntil, sleeping in the event loop until something arrives, as the program does
// (for measurements).
inline bool WaitInEventLoop(const std::function<bool()>& pred, int timeoutMs)
{
    EnsureCoreApp();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    // The heartbeat bounds the wait for a predicate that another thread changes without an event.
    QTimer heartbeat;
    heartbeat.start(10);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace testapp

#if __has_include(<QApplication>)

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace testapp
{

inline void EnsureApp()
{
    if (!QCoreApplication::instance())
        new QApplication(detail::argc, detail::argv);
}

// A mouse event at (x, y) with `button` changing and `held` down after it.
inline void Mouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPointF local(x, y);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void Press(QWidget* w, int x, int y, Qt::MouseButton b = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseButtonPress, x, y, b, b);
}
inline void Release(QWidget* w, int x, int y, Qt::MouseButton b = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseButtonRelease, x, y, b, Qt::NoButton);
}
// A move with the left button held (a drag).
inline void Move(QWidget* w, int x, int y)
{
    Mouse(w, QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton);
}
inline void ClickAt(QWidget* w, int x, int y)
{
    Press(w, x, y);
    Release(w, x, y);
}

inline void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent e(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &e);
}
inline void Key(QWidget* w, QEvent::Type type, int key, const QString& text = {}, bool repeat = false)
{
    QKeyEvent e(type, key, Qt::NoModifier, text, repeat);
    QApplication::sendEvent(w, &e);
}

// A wheel turn at `at`.
inline void Wheel(QWidget* w, int delta, QPointF at = QPointF(2, 2))
{
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

} // namespace testapp

#endif
