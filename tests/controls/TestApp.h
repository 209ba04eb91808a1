// Shared helpers of the control tests: one QApplication and synthetic input.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QKeyEvent>
#include <QWidget>

namespace testapp {

inline void EnsureApp()
{
    static int argc = 1;
    static char name[] = "controls_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}

inline void Mouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  type == QEvent::MouseMove ? Qt::MouseButtons(Qt::LeftButton) : buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void Press(QWidget* w, int x, int y) { Mouse(w, QEvent::MouseButtonPress, x, y); }
inline void Release(QWidget* w, int x, int y) { Mouse(w, QEvent::MouseButtonRelease, x, y); }
inline void Move(QWidget* w, int x, int y) { Mouse(w, QEvent::MouseMove, x, y); }


inline void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent e(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &e);
}

inline void Wheel(QWidget* w, int delta)
{
    QWheelEvent e(QPointF(2, 2), QPointF(2, 2), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

} // namespace testapp
