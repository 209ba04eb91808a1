// The main window's control families for the repaint benchmarks: each Add… function puts one family's
// controls, set up as the main window has them, on a grid under parent from origin. UI thread.
#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>
#include <vector>

namespace fx
{
class TFxTrackBar;
}

namespace bench
{

constexpr int kFaders = 213;
constexpr int kEdits = 156;
constexpr int kBmpButtons = 175;
constexpr int kGroupBoxes = 282;
constexpr int kLedButtons = 78; // power and demo buttons, half each

// Each returns the size the family's grid takes.
QSize AddFaders(QWidget* parent, QPoint origin, std::vector<fx::TFxTrackBar*>* faders = nullptr);
QSize AddEdits(QWidget* parent, QPoint origin);
QSize AddBmpButtons(QWidget* parent, QPoint origin);
QSize AddGroupBoxes(QWidget* parent, QPoint origin);
QSize AddLedButtons(QWidget* parent, QPoint origin);

} // namespace bench
