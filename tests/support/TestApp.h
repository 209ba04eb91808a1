// The one application of a test program and synthetic input. Widget tests call EnsureApp (a
// QApplication); tests without widgets call EnsureCoreApp (a QCoreApplication, no platform needed).
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace testapp
{

namespace detail
{
inline int argc = 1;
inline char name[] = "morvex_tests";
inline char* argv[] = {name, nullptr};
} // namespace detail

inline void EnsureApp()
{
    if (!QCoreApplication::instance())
        new QApplication(detail::argc, detail::argv);
}

inline void EnsureCoreApp()
{
    if (!QCoreApplication::instance())
        new QCoreApplication(detail::argc, detail::argv);
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
