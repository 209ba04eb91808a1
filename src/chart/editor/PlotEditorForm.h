// The chart's run-time property editor: a page for the chart itself ("Control"), a "Layout" page
// and a page per kind of object, each with the list of the chart's objects of that kind and the
// controls of the selected object's properties. There is no OK or Cancel: every edit is written
// at once through the object's property table and the pages are reloaded from the objects. The
// master manager creates, fills, shows and frees the form and mirrors objects into its lists.
// UI thread only.
#pragma once

#include "chart/editor/EditorControls.h"
#include "chart/editor/EditorPageTables.h"
#include "chart/editor/PropertyBinding.h"
#include "chart/objects/MasterManager.h"

#include <QLabel>
#include <QMenu>
#include <QPointer>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace chart
{

class TcPlotLayoutObject;
class TcPlotLayoutViewer;

class TcPlotEditorForm : public TcCustomEditorForm, public TcPlotEditor
{
  public:
    // The object pages in the order of UpdateAll.
    enum TcPageKind {
        pkToolBar,
        pkLegend,
        pkXAxis,
        pkYAxis,
        pkChannel,
        pkDataView,
        pkDataCursor,
        pkLimit,
        pkLabel,
        pkTable,
        pkCount
    };

    TcPlotEditorForm(TcPlotComponent* Chart, TcPlotMasterManager* Master, QWidget* parent = nullptr);
    ~TcPlotEditorForm() override;

    bool IsClosing = false;

    // The editor as the master manager drives it.
    QWidget* Window() override { return this; }
    bool Closing() const override { return IsClosing; }
    void Fill() override;
    TcPageIndexes PageIndexes() const override;
    void SetPageIndexes(const TcPageIndexes& Indexes) override;
    void ShowChannelAddRemove(bool Value) override;
    void ForgetChart() override { FChart = nullptr; }
    int ShowModal() override { return TcCustomEditorForm::ShowModal(); }

    void UpdateAll() override;
    void UpdatePage(TcPageKind Kind);
    // The chart page: its controls read and write the chart's properties.
    void LoadChartPage() override;
    // The chart page's state that follows the chart (the log file controls).
    void SetLoggingControls() override;

    // Master notifications while the form is open and not closing.
    void ObjectInserted(TcPlotObject* Object) override;
    void ObjectRemoved(TcPlotObject* Object) override;
    void ObjectRenamed(TcPlotObject* Object) override;
    bool SelectObject(TcPlotObject* Object) override;

    TcComponentEditorListBox* List(TcPageKind Kind) const;
    TcPlotObject* Selected(TcPageKind Kind) const;
    TcComponentEditorPageControl* MainPageControl() const { return FPageControl; }
    // PageControl, ControlPageControl, ChannelPageControl, ... in the order the master remembers them.
    std::array<TcComponentEditorPageControl*, PageControlCount> PageControls() const;
    TcPlotMasterManager* Master() const { return FMaster; }
    // The component of the form with that name, or null.
    QWidget* Control(const QString& Name) const;
    // The "Layout" page with the layout viewer. The viewer's changes reload every page; a mouse
    // press on it chooses the popup object of its menu.
    QWidget* LayoutPage() const { return FLayoutPage; }
    TcPlotLayoutViewer* LayoutViewer() const { return FLayoutViewer; }
    void LayoutViewerChanged() { UpdateAll(); }
    void SetPopupObject(TcPlotLayoutObject* Object) { FPopupObject = Object; }
    TcPlotLayoutObject* PopupObject() const { return FPopupObject; }
    // The layout page's menu: "XY-Axes Reverse", "Add X-Axis", "Add Y-Axis", "Add Label", "Delete",
    // "Visible", "Edit"; LayoutPopupMenuPopup sets their state for the popup object.
    QMenu* LayoutPopupMenu() const { return FLayoutPopupMenu; }
    void LayoutPopupMenuPopup();

    // Every control whose name begins with Prefix (letter case ignored), but page controls, their
    // pages and labels; a page's list and Remove button share its prefix, its Add button does not.
    void DisableControls(const QString& Prefix);
    void EnableControls(const QString& Prefix);
    void SetFormTranslationMethod(const TFormTranslationMethod& Method);

    // Refills a name combo box with its list's objects, keeping its text selected when present.
    void RefillNames(TcComponentEditorComboBox* Box, TcEditorNameList List, TcPageKind Kind);

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    struct Binding {
        const TcEditorField* Field;
        QWidget* Control;
    };
    struct Page {
        TcPageKind Kind;
        const TcEditorPageTable* Table = nullptr;
        TcComponentEditorListBox* List = nullptr;
        QPushButton* Remove = nullptr;
        std::unique_ptr<TcPropertyBindings> Props;
        std::vector<Binding> Bindings;
    };

    void BuildChartPage();
    void BuildObjectPage(TcPageKind Kind, const QString& Caption, const TcEditorPageTable& Table,
                         const char* ListName, const char* AddName, const char* RemoveName, bool HiddenList);
    // Places the table's controls on sub-pages of Host, each bound to its property through Props.
    std::vector<Binding> BuildFields(QWidget* Host, const TcEditorPageTable& Table,
                                     TcPropertyBindings& Props);
    // After an edit on a page was written: the pages that show it are reloaded.
    void Applied(TcPageKind Kind);
    TcPlotObjectManagerCustom* Manager(TcPageKind Kind) const;
    void AddObject(TcPageKind Kind);
    void RemoveObject(TcPageKind Kind);
    void RefillPageNames(Page& P);
    void SwitchControls(const QString& Prefix, bool Enable);
    void BuildChannelStats();
    // The "File I/O" commands of the chart page and the channel page: loading and saving files and
    // switching logging. A refused command shows its reason; what the object held stays.
    void BuildFileCommands();
    void RunFileCommand(const std::function<bool(QString* Error)>& Command);
    // The log controls of the page with Prefix follow the logging state: while logging, the file
    // cannot be changed and only "Deactivate" is offered.
    void SetLogControls(const QString& Prefix, bool Active, const QString& FileName);
    // The strip-chart tabs and fields of the channel page.
    void ShowStripParts(bool Value);
    // "Copy Default" on an axis page's "Cursor" and "Legend" label pages: the default label format
    // is copied into that format.
    void BuildCopyDefault(TcPageKind Kind);
    void CopyDefaultFormat(TcPageKind Kind, const QString& Format);
    void BuildLayoutMenu();
    void LayoutMenuAction(int Item);
    // Shows the page of the object's kind with the object selected and loaded.
    bool ShowObject(TcPlotObject* Object);
    // Every statistics display shows "Click Refresh" with a channel selected, nothing without.
    void ClearChannelStats();
    void RefreshChannelStats();
    TcPageKind KindOf(const TcPlotObject* Object, bool* Found) const;

    TcPlotComponent* FChart;
    TcPlotMasterManager* FMaster;
    TcComponentEditorPageControl* FPageControl = nullptr;
    QWidget* FLayoutPage = nullptr;
    std::array<Page, pkCount> FPages;
    TcPropertyBindings FChartProps;
    std::vector<Binding> FChartBindings;
    std::map<QString, TcComponentEditorPageControl*> FSubPageControls;
    std::vector<QLabel*> FStatsDisplays;
    std::vector<QPointer<QWidget>> FStripControls;
    QMenu* FLayoutPopupMenu = nullptr;
    TcPlotLayoutViewer* FLayoutViewer = nullptr;
    TcPlotLayoutObject* FPopupObject = nullptr;
};

// Makes every chart's Edit command open a TcPlotEditorForm.
void InstallPlotEditor();

} // namespace chart
