#include "chart/io/OPCManager.h"

#include "chart/core/ChartError.h"
#include "chart/core/PropertyStream.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace chart
{

namespace
{

QPointer<TcOPCExplorerForm> GExplorer;

} // namespace

// TcOPCGroupObject.

void TcOPCGroupObject::Suspend()
{
    if (!TcOPCDLL::OPCDLLMissing() && Handle != 0)
        TcOPCDLL::GroupSuspend(Handle);
}

void TcOPCGroupObject::Resume()
{
    if (!TcOPCDLL::OPCDLLMissing() && Handle != 0)
        TcOPCDLL::GroupResume(Handle);
}

void TcOPCGroupObject::SetUpdateRate(int Rate)
{
    if (Rate == UpdateRate)
        return;
    UpdateRate = Rate;
    if (!TcOPCDLL::OPCDLLMissing() && Handle != 0)
        TcOPCDLL::GroupSetUpdateRate(Handle, Rate);
}

const TPropertyTable& TcOPCGroupStream::PropertyTable() const
{
    using X = TcOPCGroupStream;
    static const TPropertyTable table = [] {
        TPropertyTable t;
        t.String("Name", &X::Name, &X::SetName, QString());
        t.String("ComputerName", &X::ComputerName, &X::SetComputerName, QString());
        t.String("OPCServerName", &X::OPCServerName, &X::SetOPCServerName, QString());
        t.Ordinal("UpdateRate", "Integer", &X::UpdateRate, &X::SetUpdateRate, 0);
        return t;
    }();
    return table;
}

// TcOPCManager.

TcOPCManager::TcOPCManager() : FFirstInstance(TcOPCDLL::ManagerCreated() != 0) {}

TcOPCManager::~TcOPCManager()
{
    try {
        GroupClear();
    } catch (...) {
        // A library that fails while the manager goes cannot be helped.
    }
    delete GExplorer.data();
    if (FFirstInstance) {
        try {
            TcOPCDLL::ManagerDestroyed();
        } catch (...) {
        }
    }
}

int TcOPCManager::GroupAdd(const QString& Name, const QString& ComputerName, const QString& OPCServerName,
                           int UpdateRate)
{
    auto g = std::make_unique<TcOPCGroupObject>();
    g->Name = Name;
    g->ComputerName = ComputerName;
    g->OPCServerName = OPCServerName;
    g->UpdateRate = UpdateRate;
    FGroups.push_back(std::move(g));
    if (!TcOPCDLL::OPCDLLMissing())
        FGroups.back()->Handle = TcOPCDLL::GroupAdd(Name, ComputerName, OPCServerName, UpdateRate, this);
    return GroupCount() - 1;
}

TcOPCGroupObject& TcOPCManager::GetGroup(int Index) const
{
    if (Index < 0 || Index >= GroupCount())
        throw EChartError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return *FGroups[std::size_t(Index)];
}

void TcOPCManager::GroupDelete(int Index)
{
    TcOPCGroupObject& g = GetGroup(Index);
    if (!TcOPCDLL::OPCDLLMissing() && g.Handle != 0)
        TcOPCDLL::GroupDelete(g.Handle);
    FGroups.erase(FGroups.begin() + Index);
}

void TcOPCManager::GroupClear()
{
    while (!FGroups.empty())
        GroupDelete(0);
}

int TcOPCManager::GetGroupIndex(const QString& Name) const
{
    for (std::size_t i = 0; i < FGroups.size(); ++i)
        if (FGroups[i]->Name.compare(Name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void TcOPCManager::CloseAllServerConnections()
{
    if (!TcOPCDLL::OPCDLLMissing())
        TcOPCDLL::CloseAllServerConnections();
}

void TcOPCManager::ExplorerShow()
{
    if (!GExplorer)
        GExplorer = new TcOPCExplorerForm;
    GExplorer->Refresh();
    GExplorer->show();
}

QString TcOPCManager::GroupNameOf(int Handle) const
{
    for (const auto& g : FGroups)
        if (g->Handle == Handle)
            return g->Name;
    return {};
}

void TcOPCManager::BeforeGroupUpdate(int GroupHandle)
{
    if (OnBeforeGroupUpdate)
        GuardChartCall("OPC group update", [&] { OnBeforeGroupUpdate(this, GroupNameOf(GroupHandle)); });
}

void TcOPCManager::AfterGroupUpdate(int GroupHandle)
{
    if (OnAfterGroupUpdate)
        GuardChartCall("OPC group update", [&] { OnAfterGroupUpdate(this, GroupNameOf(GroupHandle)); });
}

void TcOPCManager::DefineProperties(TcFiler& Filer)
{
    auto write = [this](TcWriter& w) {
        w.WriteListBegin();
        for (const auto& g : FGroups) {
            TcOPCGroupStream s;
            s.SetName(g->Name);
            s.SetComputerName(g->ComputerName);
            s.SetOPCServerName(g->OPCServerName);
            s.SetUpdateRate(g->UpdateRate);
            w.WriteListBegin();
            WriteObjectProperties(w, s);
            w.WriteListEnd();
        }
        w.WriteListEnd();
    };
    auto read = [this](TcReader& r) {
        GroupClear();
        // Anything but a list of groups ends the property.
        if (r.NextValue() != TcValueType::List) {
            r.SkipValue();
            return;
        }
        r.ReadListBegin();
        while (!r.EndOfList()) {
            TcOPCGroupStream s;
            r.ReadListBegin();
            ReadObjectProperties(r, s);
            r.ReadListEnd();
            GroupAdd(s.Name(), s.ComputerName(), s.OPCServerName(), s.UpdateRate());
        }
        r.ReadListEnd();
    };
    Filer.DefineProperty(QStringLiteral("Groups"), read, write, GroupCount() > 0);
}

// TcOPCExplorerForm.

namespace
{

// The tree's pictures, 16 x 16: the connections (a server rack), the groups (a folder), one
// connection (a plug on a line).
QIcon ExplorerIcon(int Index)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (Index) {
    case 0:
        for (int y : {1, 6, 11}) {
            p.setPen(QColor(40, 60, 90));
            p.setBrush(QColor(120, 150, 200));
            p.drawRect(QRectF(2.5, y + 0.5, 11, 4));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 200, 80));
            p.drawEllipse(QRectF(10.5, y + 2, 2, 2));
        }
        break;
    case 1:
        p.setPen(QColor(140, 100, 20));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        p.drawRect(QRectF(1.5, 2.5, 5, 2));
        break;
    default:
        p.setPen(QPen(QColor(40, 60, 90), 1.5));
        p.drawLine(QPointF(1, 8), QPointF(6, 8));
        p.setBrush(QColor(90, 170, 90));
        p.drawRoundedRect(QRectF(6.5, 4.5, 6, 7), 1.5, 1.5);
        p.drawLine(QPointF(12.5, 6.5), QPointF(15, 6.5));
        p.drawLine(QPointF(12.5, 9.5), QPointF(15, 9.5));
        break;
    }
    return QIcon(pm);
}

} // namespace

TcOPCExplorerForm::TcOPCExplorerForm(QWidget* parent) : fw::TForm(parent), FTreeView(new QTreeWidget(this))
{
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("OPC Explorer"));
    setMinimumSize(250, 300);
    resize(256, 319);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FTreeView);
    FTreeView->setHeaderHidden(true);
    FTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTreeView->setSortingEnabled(true);
    FTreeView->sortByColumn(0, Qt::AscendingOrder);
}

TcOPCExplorerForm* TcOPCExplorerForm::Instance()
{
    return GExplorer.data();
}

void TcOPCExplorerForm::Refresh()
{
    FTreeView->clear();
    auto* servers = new QTreeWidgetItem(FTreeView, {QStringLiteral("Servers Connections")});
    servers->setIcon(0, ExplorerIcon(0));
    auto* groups = new QTreeWidgetItem(FTreeView, {QStringLiteral("Groups")});
    groups->setIcon(0, ExplorerIcon(1));
    if (TcOPCDLL::OPCDLLMissing())
        return;
    const int count = TcOPCDLL::ServerConnectionGetCount();
    for (int i = 0; i < count; ++i) {
        auto* server = new QTreeWidgetItem(servers, {TcOPCDLL::ServerConnectionGetName(i)});
        server->setIcon(0, ExplorerIcon(2));
    }
    servers->setExpanded(true);
}

} // namespace chart
