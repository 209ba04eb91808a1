// The master manager of a chart: creates and owns the per-kind managers, the manager of all
// objects, the layout manager and the translation list; creates objects by kind; is the one
// receiver of every insert, remove, rename, change and focus notification and passes each on in
// a fixed order; hands chart-wide settings to every object; translates the texts of forms; opens,
// fills and frees the chart's property editor and mirrors objects into its lists. UI thread only.
#pragma once

#include "chart/objects/LayoutManager.h"
#include "chart/objects/Translation.h"

#include <QPointer>

#include <array>

class QWidget;

namespace chart
{

class TcPlotComponent;
class TcPlotMasterManager;

// The chart's property editor window as the master manager drives it. The editor library
// provides it (InstallPlotEditor); without it a chart has no editor.
class TcPlotEditor
{
  public:
    static constexpr int PageControlCount = 14;
    using TcPageIndexes = std::array<int, PageControlCount>;

    virtual ~TcPlotEditor() = default;
    virtual QWidget* Window() = 0;
    // True once the window's close has begun; the master then stops updating it.
    virtual bool Closing() const = 0;
    // Lists filled from the chart's objects, the first of each kind selected and its page loaded.
    virtual void Fill() = 0;
    virtual void UpdateAll() = 0;
    virtual void LoadChartPage() = 0;
    virtual void SetLoggingControls() = 0;
    virtual void ObjectInserted(TcPlotObject* Object) = 0;
    virtual void ObjectRemoved(TcPlotObject* Object) = 0;
    virtual void ObjectRenamed(TcPlotObject* Object) = 0;
    // Shows the page of the object's kind with the object selected; false for kinds without one.
    virtual bool SelectObject(TcPlotObject* Object) = 0;
    virtual TcPageIndexes PageIndexes() const = 0;
    virtual void SetPageIndexes(const TcPageIndexes& Indexes) = 0;
    virtual void ShowChannelAddRemove(bool Value) = 0;
    // The chart is being destroyed: the editor no longer refers to it.
    virtual void ForgetChart() = 0;
    virtual int ShowModal() = 0;
    // Called when the window begins to close.
    std::function<void()> OnClose;
};
using TcPlotEditorFactory = std::function<TcPlotEditor*(TcPlotComponent* Chart, TcPlotMasterManager* Master)>;
// Installs the maker of the charts' property editors; an empty one removes it.
void SetPlotEditorFactory(TcPlotEditorFactory Factory);
bool PlotEditorInstalled();

class TcPlotMasterManager
{
  public:
    explicit TcPlotMasterManager(TcPlotOwner* AOwner);
    ~TcPlotMasterManager();
    TcPlotMasterManager(const TcPlotMasterManager&) = delete;
    TcPlotMasterManager& operator=(const TcPlotMasterManager&) = delete;

    TcPlotObjectManager* ObjectManager() const { return FObjectManager; }
    TcPlotToolBarManager* ToolBarManager() const { return FToolBarManager; }
    TcPlotLegendManager* LegendManager() const { return FLegendManager; }
    TcPlotTableManager* TableManager() const { return FTableManager; }
    TcPlotXAxisManager* XAxisManager() const { return FXAxisManager; }
    TcPlotYAxisManager* YAxisManager() const { return FYAxisManager; }
    TcPlotChannelManager* ChannelManager() const { return FChannelManager; }
    TcPlotDataViewManager* DataViewManager() const { return FDataViewManager; }
    TcPlotDataCursorManager* DataCursorManager() const { return FDataCursorManager; }
    TcPlotLimitManager* LimitManager() const { return FLimitManager; }
    TcPlotLabelManager* LabelManager() const { return FLabelManager; }
    TcPlotAnnotationManager* AnnotationManager() const { return FAnnotationManager; }
    TcPlotLayoutManager* LayoutManager() const { return FLayoutManager; }
    TcPlotTranslationManager* TranslationManager() const { return FTranslationManager; }

    int AddChannel();
    int AddDataView();
    int AddDataCursor();
    int AddXAxis();
    int AddYAxis();
    int AddLegend();
    int AddTable();
    int AddToolBar();
    int AddLimit();
    int AddLabel();
    int AddAnnotation();
    int AddTranslation();

    void ShowToolBars(bool Value);
    void ClearAllData();
    void DeSelectAll();
    bool UserCanEditObjects() const { return FUserCanEditObjects; }
    void SetUserCanEditObjects(bool Value);
    bool XYAxesReverse() const { return FXYAxesReverse; }
    void SetXYAxesReverse(bool Value);
    void SetChannelClass(TcChannelClass Value);

    void ObjectChange(TcPersistent* Sender);
    void ObjectInsert(TcPersistent* Sender);
    void ObjectRemove(TcPersistent* Sender);
    void ObjectRename(TcPersistent* Sender);
    void ObjectSetFocus(TcPersistent* Sender);
    void EditObject(TcPersistent* Sender);
    // Replaces the texts of Form through the translation list (exact matches only): its caption,
    // then in child order each control's text or title, the items of combo boxes and radio
    // groups and the top-level items of each popup menu. Nothing happens without a form or with
    // an empty list.
    void TranslateForm(QWidget* Form);

    // The property editor (only when the owner is a chart): EditProperties opens it, modally or
    // stay-on-top by the chart's EditorFormStyle, with the chart page filled from the chart;
    // BasicPropertyChanged follows an edit on the chart page (the chart's controls write their
    // properties themselves) and sets the log file controls; EditorFormClose is the form's close hook.
    void EditProperties();
    void BasicPropertyChanged();
    void CreateEditorForm();
    void EditorFormClose();
    // The open editor, or null.
    TcPlotEditor* Editor() const;
    // The remembered active page of each of the editor's page controls.
    const TcPlotEditor::TcPageIndexes& PageIndexes() const { return FPageIndexes; }

    // The object's index in the manager of its kind; -1 when not filed.
    int KindIndex(const TcPlotObject* Object) const;

    TcObjectHandler OnChange;
    TcObjectHandler OnInsert;
    TcObjectHandler OnRemove;
    TcObjectHandler OnInvalidateNow;
    TcObjectHandler OnEdit;

  private:
    template <class M> M* MakeManager();
    int AddTo(TcPlotObjectManagerCustom* manager);
    std::vector<TcPlotObjectManagerCustom*> KindManagers() const;
    void ForEachObject(const std::function<void(TcPlotObject*)>& f) const;
    TcPlotHandlers Handlers();

    TcPlotOwner* FOwner;
    TcPlotObjectManager* FObjectManager = nullptr;
    TcPlotToolBarManager* FToolBarManager = nullptr;
    TcPlotLegendManager* FLegendManager = nullptr;
    TcPlotTableManager* FTableManager = nullptr;
    TcPlotChannelManager* FChannelManager = nullptr;
    TcPlotDataCursorManager* FDataCursorManager = nullptr;
    TcPlotDataViewManager* FDataViewManager = nullptr;
    TcPlotXAxisManager* FXAxisManager = nullptr;
    TcPlotYAxisManager* FYAxisManager = nullptr;
    TcPlotLimitManager* FLimitManager = nullptr;
    TcPlotLabelManager* FLabelManager = nullptr;
    TcPlotAnnotationManager* FAnnotationManager = nullptr;
    TcPlotLayoutManager* FLayoutManager = nullptr;
    TcPlotTranslationManager* FTranslationManager = nullptr;
    bool FUserCanEditObjects = true;
    bool FXYAxesReverse = false;
    TcChannelClass FChannelClass;
    TcPlotEditor* FEditor = nullptr;
    QPointer<QWidget> FEditorWindow; // FEditor's window: null once it is gone
    TcPlotEditor::TcPageIndexes FPageIndexes{};
    // The open editor that is not closing, or null.
    TcPlotEditor* LiveForm() const;
    void RememberPages();
    void FreeEditor();
};

// A chart owner without a window: the master manager and the object events, for code and tests
// that need the object model alone.
class TcPlotHost : public TcPlotOwner
{
  public:
    TcPlotHost();
    ~TcPlotHost() override;
    TcPlotMasterManager& Master() override { return *FMaster; }
    void DoPlotEvent(TcPlotEvent& Event) override
    {
        if (OnPlotEvent)
            OnPlotEvent(Event);
    }
    std::function<void(TcPlotEvent&)> OnPlotEvent;

  private:
    std::unique_ptr<TcPlotMasterManager> FMaster;
};

} // namespace chart
