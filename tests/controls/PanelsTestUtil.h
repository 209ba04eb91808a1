// Helpers of the panel and button tests: an application, synthetic input, and a canvas on an image.
#pragma once

#include "framework/Canvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <memory>

namespace panels_test {

inline void EnsureApp()
{
    static int argc = 1;
    static char name[] = "panels_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}

inline void Mouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton b = Qt::LeftButton,
                  Qt::MouseButtons held = Qt::NoButton)
{
    const QPointF local(x, y);
    QMouseEvent e(type, local, w->mapToGlobal(local), b, held, Qt::NoModifier);
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
inline void Move(QWidget* w, int x, int y) { Mouse(w, QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton); }
inline void ClickAt(QWidget* w, int x, int y)
{
    Press(w, x, y);
    Release(w, x, y);
}
inline void Key(QWidget* w, QEvent::Type type, int key, const QString& text = {}, bool repeat = false)
{
    QKeyEvent e(type, key, Qt::NoModifier, text, repeat);
    QApplication::sendEvent(w, &e);
}
// A press by Space or by the left button at (x, y), and its end.
inline void StartPress(QWidget* w, bool bySpace, int x, int y)
{
    if (bySpace)
        Key(w, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    else
        Press(w, x, y);
}
inline void EndPress(QWidget* w, bool bySpace, int x, int y)
{
    if (bySpace)
        Key(w, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    else
        Release(w, x, y);
}
inline void Wheel(QWidget* w, int delta)
{
    QWheelEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

// A canvas over a white image of w x h.
struct ImageCanvas {
    ImageCanvas(int w, int h) : image(w, h, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        canvas = std::make_unique<fw::TCanvas>(*painter);
    }
    fw::TColor At(int x, int y) { return canvas->Pixel(x, y); }
    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<fw::TCanvas> canvas;
};

} // namespace panels_test
