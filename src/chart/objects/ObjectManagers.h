// The chart's object managers: one owning manager per object kind (default names and links on
// insert, removal fan-out, rename and focus pass-through, lookup by name), the non-owning manager
// of all objects (input fan-out to the selected objects, shut-down), and the sorted list that
// keeps duplicates with a new item before equal keys. A manager is announced to the master after
// construction (Announce) and withdrawn before destruction (Dispose). UI thread only.
#pragma once

#include "chart/core/PropertyStream.h"
#include "chart/objects/PlotObject.h"
#include "chart/objects/PlotObjectKinds.h"

#include <algorithm>
#include <functional>
#include <type_traits>
#include <vector>

namespace chart
{

class TcPlotAxis;
class TcPlotXAxis;
class TcPlotYAxis;
class TcPlotChannelCustom;

// A list sorted by text key that keeps duplicates; a new item goes before the items of equal key,
// so among equal keys the newest comes first.
template <class T> class TcSortedKeyList
{
  public:
    int Add(const QString& key, T item)
    {
        auto it = std::lower_bound(FItems.begin(), FItems.end(), key,
                                   [](const Entry& e, const QString& k) { return e.Key < k; });
        const int index = int(it - FItems.begin());
        FItems.insert(it, Entry{key, item});
        return index;
    }
    void Remove(T item)
    {
        FItems.erase(
            std::remove_if(FItems.begin(), FItems.end(), [&](const Entry& e) { return e.Item == item; }),
            FItems.end());
    }
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    T Item(int i) const { return FItems[std::size_t(i)].Item; }
    const QString& Key(int i) const { return FItems[std::size_t(i)].Key; }
    bool Contains(T item) const
    {
        return std::any_of(FItems.begin(), FItems.end(), [&](const Entry& e) { return e.Item == item; });
    }

  private:
    struct Entry {
        QString Key;
        T Item;
    };
    std::vector<Entry> FItems;
};

class TcPlotObjectManagerCustom : public TcPersistent
{
  public:
    TcPlotObjectManagerCustom(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotObjectManagerCustom() override = default;

    // Tells the master manager about this manager (after construction).
    virtual void Announce();
    // Frees or forgets the objects and tells the master that the manager goes (before deletion).
    virtual void Dispose();

    virtual TcPlotObject* CreateObject() = 0;
    virtual QString GetBaseName() const = 0;
    virtual void DoObjectRemoved(TcPlotObject*) {}
    virtual void NotificationRemove(TcPersistent* AObject);
    virtual void NotificationInsert(TcPlotObject* AObject) = 0;
    virtual void NotificationRename(TcPlotObject* AObject);
    virtual void NotificationSetFocus(TcPlotObject* AObject);
    virtual void Clear() {}
    virtual void Delete(int Index);

    void InsertObject(TcPlotObject* AObject);
    QString GetNextName() const;
    int GetIndex(const TcPlotObject* AObject) const;
    TcPlotObject* GetObjectByName(const QString& Text) const;
    int GetIndexByName(const QString& Text) const;
    TcPlotObject* Item(int Index) const;
    int Count() const { return int(FList.size()); }
    bool DoWriteToStream() const { return !FList.empty(); }
    // The objects as one collection: a list holding, per object, the list of its stored properties.
    void WriteToStream(TcWriter& Writer);
    // Clears the manager, then makes and files one object per list of the collection; a value that
    // is not a collection is passed over and leaves the manager empty.
    void ReadFromStream(TcReader& Reader);
    TcPlotOwner* Owner() const { return FOwner; }

  protected:
    std::vector<TcPlotObject*> FList;
    TcPlotOwner* FOwner;
    TcPlotHandlers FHandlers;
};

class TcPlotObjectOwnedManager : public TcPlotObjectManagerCustom
{
  public:
    using TcPlotObjectManagerCustom::TcPlotObjectManagerCustom;
    ~TcPlotObjectOwnedManager() override;
    void Clear() override;
    void NotificationRemove(TcPersistent* AObject) override;
};

// An owning manager of one kind T: files objects of that class, names them and applies the kind's
// defaults.
template <class T> class TcPlotKindManager : public TcPlotObjectOwnedManager
{
  public:
    using TcPlotObjectOwnedManager::TcPlotObjectOwnedManager;
    TcPlotObject* CreateObject() override
    {
        if constexpr (std::is_abstract_v<T>)
            throw EChartError(QStringLiteral("Abstract object class"));
        else
            return new T(FOwner, FHandlers);
    }
    void NotificationInsert(TcPlotObject* AObject) override
    {
        T* o = dynamic_cast<T*>(AObject);
        if (!o)
            return;
        InsertObject(o);
        if (o->Name().isEmpty()) {
            o->SetName(GetNextName());
            ApplyDefaults(o);
        }
    }
    T* GetItem(int Index) const
    {
        T* o = dynamic_cast<T*>(Item(Index));
        if (!o)
            throw EChartError(QStringLiteral("Invalid class typecast"));
        return o;
    }

  protected:
    virtual void ApplyDefaults(T*) {}
};

class TcPlotToolBarManager : public TcPlotKindManager<TcPlotToolBar>
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    QString GetBaseName() const override { return QStringLiteral("Toolbar"); }
};
class TcPlotLegendManager : public TcPlotKindManager<TcPlotLegend>
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    QString GetBaseName() const override { return QStringLiteral("Legend"); }
};
class TcPlotTableManager : public TcPlotKindManager<TcPlotTable>
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    QString GetBaseName() const override { return QStringLiteral("Table"); }
};

// The managers that link new objects to the first X and Y axis.
class TcPlotAxisLinks
{
  public:
    TcPlotObjectManagerCustom* FXAxisManager = nullptr;
    TcPlotObjectManagerCustom* FYAxisManager = nullptr;
    QString FirstXAxisName() const;
    QString FirstYAxisName() const;
    void ForgetManager(TcPersistent* AObject);
};

class TcPlotXAxisManager : public TcPlotKindManager<TcPlotXAxis>
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    TcPlotObject* CreateObject() override;
    QString GetBaseName() const override { return QStringLiteral("X-Axis"); }

  protected:
    void ApplyDefaults(TcPlotXAxis* o) override;
};
class TcPlotYAxisManager : public TcPlotKindManager<TcPlotYAxis>
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    TcPlotObject* CreateObject() override;
    QString GetBaseName() const override { return QStringLiteral("Y-Axis"); }

  protected:
    void ApplyDefaults(TcPlotYAxis* o) override;
};

using TcChannelClass =
    std::function<TcPlotChannelCustom*(TcPlotOwner* Owner, const TcPlotHandlers& Handlers)>;

class TcPlotChannelManager : public TcPlotKindManager<TcPlotChannelCustom>, public TcPlotAxisLinks
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    TcPlotObject* CreateObject() override;
    QString GetBaseName() const override { return QStringLiteral("Channel"); }
    void NotificationRemove(TcPersistent* AObject) override;
    TColor GetNextChannelColor() const;
    TcChannelClass ChannelClass;

  protected:
    void ApplyDefaults(TcPlotChannelCustom* o) override;
};

class TcPlotDataViewManager : public TcPlotKindManager<TcPlotDataView>, public TcPlotAxisLinks
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    QString GetBaseName() const override { return QStringLiteral("Data View"); }
    void NotificationRemove(TcPersistent* AObject) override;

  protected:
    void ApplyDefaults(TcPlotDataView* o) override;
};

class TcPlotDataCursorManager : public TcPlotKindManager<TcPlotDataCursor>
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    QString GetBaseName() const override { return QStringLiteral("Cursor"); }
    void NotificationRemove(TcPersistent* AObject) override;
    TcPlotObjectManagerCustom* FChannelManager = nullptr;
    TcPlotObjectManagerCustom* FDataViewManager = nullptr;

  protected:
    void ApplyDefaults(TcPlotDataCursor* o) override;
};

class TcPlotLimitManager : public TcPlotKindManager<TcPlotLimit>, public TcPlotAxisLinks
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    QString GetBaseName() const override { return QStringLiteral("Limit"); }
    void NotificationRemove(TcPersistent* AObject) override;

  protected:
    void ApplyDefaults(TcPlotLimit* o) override;
};

class TcPlotLabelManager : public TcPlotKindManager<TcPlotLabel>
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    QString GetBaseName() const override { return QStringLiteral("Label"); }

  protected:
    void ApplyDefaults(TcPlotLabel* o) override { o->SetCaption(o->Name()); }
};

// Annotations are filed but never named or linked.
class TcPlotAnnotationManager : public TcPlotKindManager<TcPlotAnnotation>
{
  public:
    using TcPlotKindManager::TcPlotKindManager;
    QString GetBaseName() const override { return QStringLiteral("Annotation"); }
    void NotificationInsert(TcPlotObject* AObject) override
    {
        if (auto* o = dynamic_cast<TcPlotAnnotation*>(AObject))
            InsertObject(o);
    }
};

// Every object of the chart, not owned: routes input to the selected objects.
class TcPlotObjectManager : public TcPlotObjectManagerCustom
{
  public:
    using TcPlotObjectManagerCustom::TcPlotObjectManagerCustom;
    TcPlotObject* CreateObject() override;
    QString GetBaseName() const override { return QStringLiteral("n/a"); }
    void NotificationInsert(TcPlotObject* AObject) override { InsertObject(AObject); }

    void ClearAllUserSelections();
    void SetShiftState(TShiftState Value);
    void MouseDownFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                               TcPopupMenu* Menu);
    void MouseMoveFocusObjects(const TcHintData& Hint, TShiftState Shift, int X, int Y, int ScreenX,
                               int ScreenY, bool DblClickActive);
    void MouseUpFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                             bool DblClickActive, TcPopupMenu* Menu);
    void KeyDownFocusObjects(Word& CharCode, TShiftState Shift, TcPopupMenu* Menu);
    bool MouseWheelFocusObjects(int WheelDelta, TShiftState Shift, TPoint MousePos);
    void ShutDownSetup();
};

// The 30 channel colours, in the order new channels take them.
extern const TColor ChannelPalette[30];

} // namespace chart
