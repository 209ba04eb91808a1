#include "chart/objects/LayoutManager.h"

#include "chart/axes/PlotAxis.h"

namespace chart
{

TcPlotLayoutManager::TcPlotLayoutManager(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotObjectManagerCustom(AOwner, handlers)
{
}

TcPlotLayoutManager::~TcPlotLayoutManager()
{
    delete FDataViewHorz;
    delete FDataViewVert;
}

void TcPlotLayoutManager::Announce()
{
    TcPlotObjectManagerCustom::Announce();
    FEnabled = false;
    FDataViewHorz = new TcPlotDataViewHorz(FOwner, FHandlers);
    FDataViewHorz->SetHorizontal(true);
    FDataViewHorz->SetZOrder(1);
    FDataViewHorz->SetName(QStringLiteral("Data View"));
    FDataViewHorz->DoInsert();
    FDataViewVert = new TcPlotDataViewVert(FOwner, FHandlers);
    FDataViewVert->SetHorizontal(false);
    FDataViewVert->SetZOrder(1);
    FDataViewVert->SetName(QStringLiteral("Data View"));
    FDataViewVert->DoInsert();
    FEnabled = true;
}

void TcPlotLayoutManager::Dispose()
{
    FreeObject(FDataViewHorz);
    FDataViewHorz = nullptr;
    FreeObject(FDataViewVert);
    FDataViewVert = nullptr;
    TcPlotObjectManagerCustom::Dispose();
}

TcPlotObject* TcPlotLayoutManager::CreateObject()
{
    throw EChartError(QStringLiteral("Object Manager does not support creation of objects"));
}

TcPlotLayoutObject* TcPlotLayoutManager::GetItem(int Index) const
{
    auto* o = dynamic_cast<TcPlotLayoutObject*>(Item(Index));
    if (!o)
        throw EChartError(QStringLiteral("Invalid class typecast"));
    return o;
}

void TcPlotLayoutManager::NotificationInsert(TcPlotObject* AObject)
{
    auto* o = dynamic_cast<TcPlotLayoutObject*>(AObject);
    if (!o)
        return;
    InsertObject(o);
    if (dynamic_cast<TcPlotAxis*>(o) || dynamic_cast<TcPlotToolBar*>(o) || dynamic_cast<TcPlotLegend*>(o) ||
        dynamic_cast<TcPlotDataView*>(o) || dynamic_cast<TcPlotLabel*>(o))
        o->OnLayoutChange = [this](TcPersistent*) { RebuildSideLists(); };
    if (dynamic_cast<TcPlotXAxis*>(o))
        o->SetHorizontal(!FXYAxesReverse);
    else if (dynamic_cast<TcPlotYAxis*>(o))
        o->SetHorizontal(FXYAxesReverse);
    if (FEnabled)
        InsertZOrder(o, 0, iidMerge);
}

void TcPlotLayoutManager::DoObjectRemoved(TcPlotObject* AObject)
{
    auto* o = dynamic_cast<TcPlotLayoutObject*>(AObject);
    if (!o)
        return;
    FTopList.Remove(o);
    FBottomList.Remove(o);
    FLeftList.Remove(o);
    FRightList.Remove(o);
    if (FEnabled)
        RemoveZOrder(o);
}

std::vector<TcPlotLayoutObject*> TcPlotLayoutManager::Others(const TcPlotLayoutObject* o) const
{
    std::vector<TcPlotLayoutObject*> out;
    for (TcPlotObject* x : FList) {
        auto* l = static_cast<TcPlotLayoutObject*>(x);
        if (l != o && l->Horizontal() == o->Horizontal())
            out.push_back(l);
    }
    return out;
}

void TcPlotLayoutManager::InsertZOrder(TcPlotLayoutObject* NewObject, int Value, TcInsertDirection Direction)
{
    const auto others = Others(NewObject);
    if (Direction == iidMerge) {
        bool conflict = false;
        for (TcPlotLayoutObject* o : others) {
            if (o->ZOrder() != Value || dynamic_cast<TcPlotDataView*>(o))
                continue;
            const bool overlap =
                o->StartPercent() < NewObject->StopPercent() && o->StopPercent() > NewObject->StartPercent();
            const bool same = o->StartPercent() == NewObject->StartPercent() &&
                              o->StopPercent() == NewObject->StopPercent();
            if (overlap || same)
                conflict = true;
        }
        if (!conflict) {
            NewObject->SetZOrder(Value);
            RebuildSideLists();
            return;
        }
    }
    for (TcPlotLayoutObject* o : others) {
        if (dynamic_cast<TcPlotDataView*>(o))
            continue;
        if (Direction == iidAbove ? o->ZOrder() > Value : o->ZOrder() >= Value)
            o->SetZOrder(o->ZOrder() + 1);
    }
    NewObject->SetZOrder(Direction == iidAbove ? Value + 1 : Value);
    RebuildSideLists();
}

void TcPlotLayoutManager::RemoveZOrder(TcPlotLayoutObject* AObject)
{
    const auto others = Others(AObject);
    bool shared = false;
    for (TcPlotLayoutObject* o : others)
        if (!dynamic_cast<TcPlotDataView*>(o) && o->ZOrder() == AObject->ZOrder())
            shared = true;
    if (!shared)
        for (TcPlotLayoutObject* o : others)
            if (o->ZOrder() > AObject->ZOrder())
                o->SetZOrder(o->ZOrder() - 1);
    RebuildSideLists();
}

QString TcPlotLayoutManager::SideKey(const TcPlotLayoutObject* o)
{
    return QString::number(o->ZOrder()).rightJustified(3, QLatin1Char('0')) +
           QString::number(RoundHalfEven(o->StartPercent())).rightJustified(3, QLatin1Char('0'));
}

int TcPlotLayoutManager::UniqueCount(const TcSortedKeyList<TcPlotLayoutObject*>& list)
{
    int count = 0;
    int previous = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const int band = list.Key(i).left(3).toInt();
        if (i == 0 || band > previous)
            ++count;
        previous = band;
    }
    return count;
}

void TcPlotLayoutManager::RebuildSideLists()
{
    if (!FEnabled || !FDataViewHorz || !FDataViewVert)
        return;
    FTopList.Clear();
    FBottomList.Clear();
    FLeftList.Clear();
    FRightList.Clear();
    for (TcPlotObject* x : FList) {
        auto* o = static_cast<TcPlotLayoutObject*>(x);
        if (dynamic_cast<TcPlotDataView*>(o) || dynamic_cast<TcPlotDataViewLayout*>(o))
            continue;
        const TcPlotLayoutObject* placeholder = o->Horizontal()
                                                    ? static_cast<TcPlotLayoutObject*>(FDataViewHorz)
                                                    : static_cast<TcPlotLayoutObject*>(FDataViewVert);
        const bool reverse = o->ZOrder() > placeholder->ZOrder();
        o->SetReverseSide(reverse);
        auto& list =
            o->Horizontal() ? (reverse ? FTopList : FBottomList) : (reverse ? FRightList : FLeftList);
        list.Add(SideKey(o), o);
    }
    FTopUniqueCount = UniqueCount(FTopList);
    FBottomUniqueCount = UniqueCount(FBottomList);
    FLeftUniqueCount = UniqueCount(FLeftList);
    FRightUniqueCount = UniqueCount(FRightList);
}

int TcPlotLayoutManager::VisibleCount(const TcSortedKeyList<TcPlotLayoutObject*>& AList) const
{
    int n = 0;
    for (int i = 0; i < AList.Count(); ++i)
        if (AList.Item(i)->Visible())
            ++n;
    return n;
}

void TcPlotLayoutManager::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    if (Value)
        RebuildSideLists();
}

void TcPlotLayoutManager::SetXYAxesReverse(bool Value)
{
    if (Value == FXYAxesReverse)
        return;
    FXYAxesReverse = Value;
    if (!FEnabled)
        return;
    TcSortedKeyList<TcPlotAxis*> axes;
    for (TcPlotObject* x : FList)
        if (auto* a = dynamic_cast<TcPlotAxis*>(x))
            axes.Add(QString::number(a->ZOrder()), a);
    for (int i = 0; i < axes.Count(); ++i) {
        TcPlotAxis* a = axes.Item(i);
        RemoveZOrder(a);
        a->SetHorizontal(dynamic_cast<TcPlotXAxis*>(a) ? !Value : Value);
        InsertZOrder(a, 0, iidMerge);
    }
}

} // namespace chart
