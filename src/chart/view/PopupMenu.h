// The chart objects' popup menus as window menus: items, ticks, disabled and hidden items and
// sub-menus. A choice runs the item's click; a failure in it is logged and goes no further. UI
// thread only; the menu owns the sub-menus it makes.
#pragma once

#include "chart/objects/PlotObject.h"

class QMenu;
class QWidget;

namespace chart
{

void FillQMenu(QMenu& Menu, const std::vector<TcMenuItem>& Items);
// Opens the items as a window menu of Owner at the menu's screen position; the menu deletes itself
// when it closes. Returns it.
QMenu* ShowPopupMenu(QWidget* Owner, const TcPopupMenu& Menu);

} // namespace chart
