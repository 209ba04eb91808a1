// The layout manager: keeps the Z-order bands of the chart's layout objects consistent on insert,
// removal and axis swap, and sorts them into four side lists (top, bottom, left, right) keyed by
// band and start percent. The data view is represented in each orientation by a placeholder that
// the manager owns; the layout objects themselves belong to their kind managers. UI thread only.
#pragma once

#include "chart/objects/ObjectManagers.h"

namespace chart
{

class TcPlotDataViewLayout : public TcPlotLayoutObject
{
  public:
    using TcPlotLayoutObject::TcPlotLayoutObject;
};
class TcPlotDataViewHorz : public TcPlotDataViewLayout
{
  public:
    using TcPlotDataViewLayout::TcPlotDataViewLayout;
};
class TcPlotDataViewVert : public TcPlotDataViewLayout
{
  public:
    using TcPlotDataViewLayout::TcPlotDataViewLayout;
};

enum TcInsertDirection { iidMerge, iidBelow, iidAbove };

class TcPlotLayoutManager : public TcPlotObjectManagerCustom
{
  public:
    TcPlotLayoutManager(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotLayoutManager() override;
    // Announces the manager, then creates and files the two placeholders.
    void Announce() override;
    void Dispose() override;

    TcPlotObject* CreateObject() override;
    QString GetBaseName() const override { return QStringLiteral("Layout Object"); }
    void NotificationInsert(TcPlotObject* AObject) override;
    void DoObjectRemoved(TcPlotObject* AObject) override;

    TcPlotLayoutObject* GetItem(int Index) const;
    void InsertZOrder(TcPlotLayoutObject* NewObject, int DesiredZOrder, TcInsertDirection InsertDirection);
    void RemoveZOrder(TcPlotLayoutObject* AObject);
    int VisibleCount(const TcSortedKeyList<TcPlotLayoutObject*>& AList) const;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool XYAxesReverse() const { return FXYAxesReverse; }
    void SetXYAxesReverse(bool Value);
    void RebuildSideLists();

    TcPlotDataViewHorz* DataViewHorz() const { return FDataViewHorz; }
    TcPlotDataViewVert* DataViewVert() const { return FDataViewVert; }
    const TcSortedKeyList<TcPlotLayoutObject*>& TopList() const { return FTopList; }
    const TcSortedKeyList<TcPlotLayoutObject*>& BottomList() const { return FBottomList; }
    const TcSortedKeyList<TcPlotLayoutObject*>& LeftList() const { return FLeftList; }
    const TcSortedKeyList<TcPlotLayoutObject*>& RightList() const { return FRightList; }
    int TopUniqueCount() const { return FTopUniqueCount; }
    int BottomUniqueCount() const { return FBottomUniqueCount; }
    int LeftUniqueCount() const { return FLeftUniqueCount; }
    int RightUniqueCount() const { return FRightUniqueCount; }

    static QString SideKey(const TcPlotLayoutObject* o);
    static int UniqueCount(const TcSortedKeyList<TcPlotLayoutObject*>& list);

  private:
    std::vector<TcPlotLayoutObject*> Others(const TcPlotLayoutObject* o) const;
    bool FXYAxesReverse = false;
    TcPlotDataViewHorz* FDataViewHorz = nullptr;
    TcPlotDataViewVert* FDataViewVert = nullptr;
    bool FEnabled = false;
    TcSortedKeyList<TcPlotLayoutObject*> FTopList, FBottomList, FLeftList, FRightList;
    int FTopUniqueCount = 0, FBottomUniqueCount = 0, FLeftUniqueCount = 0, FRightUniqueCount = 0;
};

} // namespace chart
