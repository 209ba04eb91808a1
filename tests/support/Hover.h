// A plain pointer move with no button held, delivered through the window system as the pointer makes
// it, so that a widget's mouse tracking decides whether it arrives. Shows the window if needed.
#pragma once

#include <QApplication>
#include <QWidget>
#include <QtTest/QTest>

namespace testsupport
{

inline void Hover(QWidget* w, int x, int y)
{
    QWidget* top = w->window();
    if (!top->isVisible()) {
        top->show();
        QApplication::processEvents();
    }
    QTest::mouseMove(w, QPoint(x, y));
    QApplication::processEvents();
}

} // namespace testsupport
