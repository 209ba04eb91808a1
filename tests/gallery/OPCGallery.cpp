// Gallery page of the OPC explorer window, filled from the in-process test library with three
// server connections.
#include "FakeOPCLibrary.h"
#include "Gallery.h"

#include "chart/io/OPCManager.h"

#include <QTreeWidget>

namespace
{

const gallery::GalleryPage explorer(QStringLiteral("chart-opc-explorer"), [] {
    chart::test::FakeOPCLibrary library;
    library.Connections = {QStringLiteral("Plant.Boiler.1"), QStringLiteral("Line2.Packaging"),
                           QStringLiteral("Local.Simulation")};
    auto form = std::make_unique<chart::TcOPCExplorerForm>();
    form->Refresh();
    form->TreeView()->setCurrentItem(form->TreeView()->topLevelItem(1)->child(1));
    return std::unique_ptr<QWidget>(std::move(form));
});

} // namespace
