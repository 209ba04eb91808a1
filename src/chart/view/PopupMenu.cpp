#include "chart/view/PopupMenu.h"

#include <QMenu>

namespace chart
{

void FillQMenu(QMenu& Menu, const std::vector<TcMenuItem>& Items)
{
    for (const TcMenuItem& item : Items) {
        QAction* action = nullptr;
        if (!item.Items.empty()) {
            QMenu* sub = Menu.addMenu(item.Caption);
            FillQMenu(*sub, item.Items);
            action = sub->menuAction();
        } else {
            action = Menu.addAction(item.Caption);
            action->setCheckable(item.Checked);
            action->setChecked(item.Checked);
            if (item.OnClick) {
                const std::function<void()> click = item.OnClick;
                QObject::connect(action, &QAction::triggered, &Menu,
                                 [click] { GuardChartCall("popup menu", click); });
            }
        }
        action->setEnabled(item.Enabled);
        action->setVisible(item.Visible);
    }
}

QMenu* ShowPopupMenu(QWidget* Owner, const TcPopupMenu& Menu)
{
    auto* menu = new QMenu(Owner);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    FillQMenu(*menu, Menu.Items);
    menu->popup(QPoint(Menu.PopupAt.X, Menu.PopupAt.Y));
    return menu;
}

} // namespace chart
