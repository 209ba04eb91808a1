// Helpers of the panel and button tests: press by key or mouse, the wheel, and a canvas on an image.
#pragma once

#include "framework/Canvas.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <memory>

namespace panels_test
{

using testapp::ClickAt;
using testapp::EnsureApp;
using testapp::Key;
using testapp::Move;
using testapp::Press;
using testapp::Release;

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
    testapp::Wheel(w, delta, QPointF(5, 5));
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
