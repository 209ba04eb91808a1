#include "chart/objects/MasterManager.h"

#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/component/RadioGroup.h"
#include "chart/view/PlotComponent.h"
#include "framework/Control.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QScreen>
#include <QVariant>

namespace chart
{

TcPlotHandlers TcPlotMasterManager::Handlers()
{
    return {[this](TcPersistent* s) { ObjectRename(s); }, [this](TcPersistent* s) { ObjectRemove(s); },
            [this](TcPersistent* s) { ObjectInsert(s); }, [this](TcPersistent* s) { ObjectChange(s); }};
}

template <class M> M* TcPlotMasterManager::MakeManager()
{
    auto* m = new M(FOwner, Handlers());
    m->Announce(); // records it in its member through ObjectInsert
    return m;
}

TcPlotMasterManager::TcPlotMasterManager(TcPlotOwner* AOwner) : FOwner(AOwner)
{
    MakeManager<TcPlotObjectManager>();
    MakeManager<TcPlotToolBarManager>();
    MakeManager<TcPlotLegendManager>();
    MakeManager<TcPlotTableManager>();
    MakeManager<TcPlotChannelManager>();
    MakeManager<TcPlotDataCursorManager>();
    MakeManager<TcPlotDataViewManager>();
    MakeManager<TcPlotXAxisManager>();
    MakeManager<TcPlotYAxisManager>();
    MakeManager<TcPlotLimitManager>();
    MakeManager<TcPlotLabelManager>();
    MakeManager<TcPlotAnnotationManager>();
    MakeManager<TcPlotLayoutManager>();
    auto* t = new TcPlotTranslationManager([this](TcPersistent* s) { ObjectRemove(s); },
                                           [this](TcPersistent* s) { ObjectInsert(s); });
    t->Announce();
    FChannelManager->FXAxisManager = FXAxisManager;
    FChannelManager->FYAxisManager = FYAxisManager;
    FDataViewManager->FXAxisManager = FXAxisManager;
    FDataViewManager->FYAxisManager = FYAxisManager;
    FDataCursorManager->FChannelManager = FChannelManager;
    FDataCursorManager->FDataViewManager = FDataViewManager;
    FLimitManager->FXAxisManager = FXAxisManager;
    FLimitManager->FYAxisManager = FYAxisManager;
    FUserCanEditObjects = true;
}

TcPlotMasterManager::~TcPlotMasterManager()
{
    if (Editor()) {
        FEditor->ForgetChart(); // the chart is going: no close event to raise on it
        FreeEditor();
    }
    auto dispose = [](auto*& m) {
        if (!m)
            return;
        auto* keep = m;
        keep->Dispose(); // clears m through ObjectRemove
        delete keep;
        m = nullptr;
    };
    dispose(FToolBarManager);
    dispose(FLegendManager);
    dispose(FTableManager);
    dispose(FChannelManager);
    dispose(FXAxisManager);
    dispose(FYAxisManager);
    dispose(FDataViewManager);
    dispose(FDataCursorManager);
    dispose(FLimitManager);
    dispose(FLabelManager);
    dispose(FAnnotationManager);
    dispose(FTranslationManager);
    dispose(FObjectManager);
    dispose(FLayoutManager);
}

std::vector<TcPlotObjectManagerCustom*> TcPlotMasterManager::KindManagers() const
{
    return {FToolBarManager, FLegendManager,  FTableManager,     FXAxisManager,
            FYAxisManager,   FChannelManager, FDataViewManager,  FDataCursorManager,
            FLimitManager,   FLabelManager,   FAnnotationManager};
}

void TcPlotMasterManager::ObjectInsert(TcPersistent* Sender)
{
    if (auto* o = dynamic_cast<TcPlotObject*>(Sender)) {
        if (FObjectManager)
            FObjectManager->NotificationInsert(o);
        if (FLayoutManager)
            FLayoutManager->NotificationInsert(o);
        for (TcPlotObjectManagerCustom* m : KindManagers())
            if (m)
                m->NotificationInsert(o);
        o->OnSetFocus = [this](TcPersistent* s) { ObjectSetFocus(s); };
        o->OnInvalidateNow = OnInvalidateNow;
        o->SetUserCanEdit(FUserCanEditObjects);
        o->OnEdit = [this](TcPersistent* s) { EditObject(s); };
        o->SetXYAxesReverse(FXYAxesReverse);
        if (TcPlotEditor* form = LiveForm())
            form->ObjectInserted(o);
    } else if (dynamic_cast<TcPlotTranslationObject*>(Sender)) {
        if (FTranslationManager)
            FTranslationManager->NotificationInsert(Sender);
    } else if (auto* m = dynamic_cast<TcPlotObjectManager*>(Sender)) {
        FObjectManager = m;
    } else if (auto* m = dynamic_cast<TcPlotToolBarManager*>(Sender)) {
        FToolBarManager = m;
    } else if (auto* m = dynamic_cast<TcPlotLegendManager*>(Sender)) {
        FLegendManager = m;
    } else if (auto* m = dynamic_cast<TcPlotTableManager*>(Sender)) {
        FTableManager = m;
    } else if (auto* m = dynamic_cast<TcPlotChannelManager*>(Sender)) {
        FChannelManager = m;
        m->ChannelClass = FChannelClass;
    } else if (auto* m = dynamic_cast<TcPlotDataCursorManager*>(Sender)) {
        FDataCursorManager = m;
    } else if (auto* m = dynamic_cast<TcPlotDataViewManager*>(Sender)) {
        FDataViewManager = m;
    } else if (auto* m = dynamic_cast<TcPlotXAxisManager*>(Sender)) {
        FXAxisManager = m;
    } else if (auto* m = dynamic_cast<TcPlotYAxisManager*>(Sender)) {
        FYAxisManager = m;
    } else if (auto* m = dynamic_cast<TcPlotLimitManager*>(Sender)) {
        FLimitManager = m;
    } else if (auto* m = dynamic_cast<TcPlotLabelManager*>(Sender)) {
        FLabelManager = m;
    } else if (auto* m = dynamic_cast<TcPlotAnnotationManager*>(Sender)) {
        FAnnotationManager = m;
    } else if (auto* m = dynamic_cast<TcPlotLayoutManager*>(Sender)) {
        FLayoutManager = m;
    } else if (auto* m = dynamic_cast<TcPlotTranslationManager*>(Sender)) {
        FTranslationManager = m;
    }
    if (OnInsert)
        OnInsert(Sender);
}

void TcPlotMasterManager::ObjectRemove(TcPersistent* Sender)
{
    if (OnRemove)
        OnRemove(Sender);
    if (dynamic_cast<TcPlotTranslationObject*>(Sender)) {
        if (FTranslationManager)
            FTranslationManager->NotificationRemove(Sender);
        return;
    }
    if (auto* o = dynamic_cast<TcPlotObject*>(Sender)) {
        if (TcPlotEditor* form = LiveForm())
            form->ObjectRemoved(o);
        if (FObjectManager)
            FObjectManager->NotificationRemove(Sender);
        if (FLayoutManager)
            FLayoutManager->NotificationRemove(Sender);
        for (TcPlotObjectManagerCustom* m : KindManagers())
            if (m)
                m->NotificationRemove(Sender);
        return;
    }
    // A manager going: the others forget their links to it, then the member is cleared.
    for (TcPlotObjectManagerCustom* m : KindManagers())
        if (m && m != Sender)
            m->NotificationRemove(Sender);
    auto forget = [&](auto*& member) {
        if (static_cast<TcPersistent*>(member) == Sender)
            member = nullptr;
    };
    forget(FObjectManager);
    forget(FToolBarManager);
    forget(FLegendManager);
    forget(FTableManager);
    forget(FChannelManager);
    forget(FDataCursorManager);
    forget(FDataViewManager);
    forget(FXAxisManager);
    forget(FYAxisManager);
    forget(FLimitManager);
    forget(FLabelManager);
    forget(FAnnotationManager);
    forget(FLayoutManager);
    forget(FTranslationManager);
}

void TcPlotMasterManager::ObjectRename(TcPersistent* Sender)
{
    auto* o = dynamic_cast<TcPlotObject*>(Sender);
    if (!o)
        return;
    for (TcPlotObjectManagerCustom* m : KindManagers())
        if (m)
            m->NotificationRename(o);
    if (FLayoutManager)
        FLayoutManager->NotificationRename(o);
    if (TcPlotEditor* form = LiveForm())
        form->ObjectRenamed(o);
}

void TcPlotMasterManager::ObjectSetFocus(TcPersistent* Sender)
{
    auto* o = dynamic_cast<TcPlotObject*>(Sender);
    if (!o)
        return;
    for (TcPlotObjectManagerCustom* m : KindManagers())
        if (m)
            m->NotificationSetFocus(o);
    if (FLayoutManager)
        FLayoutManager->NotificationSetFocus(o);
}

void TcPlotMasterManager::ObjectChange(TcPersistent*)
{
    if (OnChange)
        OnChange(nullptr);
}

void TcPlotMasterManager::TranslateForm(QWidget* Form)
{
    if (!Form || !FTranslationManager || FTranslationManager->Count() == 0)
        return;
    const auto translate = [this](const QString& text) { return FTranslationManager->FindReplacement(text); };
    // A framework control's text is its Caption (and a radio group's items); a combo box has its
    // items; other widgets keep it in "text" (labels, buttons, edits) or "title" (group boxes).
    const auto translateControl = [&](QWidget* w) {
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < box->count(); ++i)
                box->setItemText(i, translate(box->itemText(i)));
            return;
        }
        if (auto* c = dynamic_cast<fw::TControl*>(w)) {
            c->SetCaption(translate(c->Caption()));
            if (auto* group = dynamic_cast<TcRadioGroup*>(w)) {
                QStringList items = group->Items();
                for (QString& item : items)
                    item = translate(item);
                group->SetItems(items);
            }
            return;
        }
        for (const char* name : {"text", "title"}) {
            const QVariant v = w->property(name);
            if (v.typeId() == QMetaType::QString) {
                const QString t = translate(v.toString());
                if (t != v.toString())
                    w->setProperty(name, t);
                return;
            }
        }
    };
    if (auto* c = dynamic_cast<fw::TControl*>(Form))
        c->SetCaption(translate(c->Caption()));
    else
        Form->setWindowTitle(translate(Form->windowTitle()));
    for (QObject* o : Form->findChildren<QObject*>()) {
        if (auto* menu = qobject_cast<QMenu*>(o)) {
            if (qobject_cast<QMenu*>(menu->parent()))
                continue; // a submenu: only the top-level items are translated
            for (QAction* a : menu->actions())
                a->setText(translate(a->text()));
        } else if (auto* w = qobject_cast<QWidget*>(o)) {
            translateControl(w);
        }
    }
}

void TcPlotMasterManager::EditObject(TcPersistent* Sender)
{
    if (OnEdit)
        OnEdit(Sender);
    if (!dynamic_cast<TcPlotComponent*>(FOwner))
        return;
    if (!Editor())
        CreateEditorForm();
    if (!Editor())
        return;
    if (auto* o = dynamic_cast<TcPlotObject*>(Sender))
        FEditor->SelectObject(o);
    EditProperties();
}

namespace
{
TcPlotEditorFactory& EditorFactory()
{
    static TcPlotEditorFactory factory;
    return factory;
}
} // namespace

void SetPlotEditorFactory(TcPlotEditorFactory Factory)
{
    EditorFactory() = std::move(Factory);
}

bool PlotEditorInstalled()
{
    return bool(EditorFactory());
}

TcPlotEditor* TcPlotMasterManager::Editor() const
{
    return FEditorWindow ? FEditor : nullptr;
}

TcPlotEditor* TcPlotMasterManager::LiveForm() const
{
    return Editor() && !FEditor->Closing() ? FEditor : nullptr;
}

void TcPlotMasterManager::FreeEditor()
{
    delete FEditorWindow.data();
    FEditorWindow = nullptr;
    FEditor = nullptr;
}

void TcPlotMasterManager::CreateEditorForm()
{
    auto* chart = dynamic_cast<TcPlotComponent*>(FOwner);
    if (chart && EditorFactory()) {
        FEditor = EditorFactory()(chart, this);
        FEditorWindow = FEditor->Window();
        FEditor->OnClose = [this] { EditorFormClose(); };
        FEditor->Fill();
        FEditor->SetPageIndexes(FPageIndexes);
        FEditor->ShowChannelAddRemove(chart->UserCanAddRemoveChannels());
    }
    if (Editor())
        TranslateForm(FEditor->Window());
}

void TcPlotMasterManager::RememberPages()
{
    if (Editor())
        FPageIndexes = FEditor->PageIndexes();
}

void TcPlotMasterManager::EditProperties()
{
    auto* chart = dynamic_cast<TcPlotComponent*>(FOwner);
    if (!chart)
        return;
    if (!Editor())
        CreateEditorForm();
    if (!Editor())
        return;
    FEditor->UpdateAll();
    FEditor->LoadChartPage();
    QWidget* window = FEditor->Window();
    if (const QScreen* screen = window->screen()) {
        const QRect r = screen->geometry();
        window->move(r.width() / 2 - window->width() / 2, r.height() / 2 - window->height() / 2);
    }
    if (chart->OnAfterOpenEditor)
        chart->OnAfterOpenEditor(this);
    if (chart->EditorFormStyle() == ipfsStayOnTop) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        window->show();
        RememberPages();
        return;
    }
    // Modal: the form is freed when the run ends, also when it ends by an error.
    struct Free {
        TcPlotMasterManager* m;
        ~Free()
        {
            m->RememberPages();
            m->FreeEditor();
        }
    } free{this};
    FEditor->ShowModal();
}

void TcPlotMasterManager::EditorFormClose()
{
    auto* chart = dynamic_cast<TcPlotComponent*>(FOwner);
    if (!chart || !Editor() || chart->EditorFormStyle() != ipfsStayOnTop)
        return;
    RememberPages();
    FEditorWindow->deleteLater();
    FEditorWindow = nullptr;
    FEditor = nullptr;
}

void TcPlotMasterManager::BasicPropertyChanged()
{
    if (!dynamic_cast<TcPlotComponent*>(FOwner))
        return;
    if (TcPlotEditor* form = LiveForm())
        form->SetLoggingControls();
}

int TcPlotMasterManager::AddTo(TcPlotObjectManagerCustom* manager)
{
    TcPlotObject* o = manager->CreateObject();
    o->DoInsert();
    return manager->Count() - 1;
}

int TcPlotMasterManager::AddChannel()
{
    return AddTo(FChannelManager);
}
int TcPlotMasterManager::AddDataView()
{
    return AddTo(FDataViewManager);
}
int TcPlotMasterManager::AddDataCursor()
{
    return AddTo(FDataCursorManager);
}
int TcPlotMasterManager::AddXAxis()
{
    return AddTo(FXAxisManager);
}
int TcPlotMasterManager::AddYAxis()
{
    return AddTo(FYAxisManager);
}
int TcPlotMasterManager::AddLegend()
{
    return AddTo(FLegendManager);
}
int TcPlotMasterManager::AddTable()
{
    return AddTo(FTableManager);
}
int TcPlotMasterManager::AddToolBar()
{
    return AddTo(FToolBarManager);
}
int TcPlotMasterManager::AddLimit()
{
    return AddTo(FLimitManager);
}
int TcPlotMasterManager::AddLabel()
{
    return AddTo(FLabelManager);
}
int TcPlotMasterManager::AddAnnotation()
{
    return AddTo(FAnnotationManager);
}
int TcPlotMasterManager::AddTranslation()
{
    return FTranslationManager->Add();
}

void TcPlotMasterManager::ForEachObject(const std::function<void(TcPlotObject*)>& f) const
{
    for (TcPlotObjectManagerCustom* m : KindManagers())
        if (m)
            for (int i = 0; i < m->Count(); ++i)
                f(m->Item(i));
}

void TcPlotMasterManager::ShowToolBars(bool Value)
{
    for (int i = 0; FToolBarManager && i < FToolBarManager->Count(); ++i)
        FToolBarManager->Item(i)->SetVisible(Value);
}

void TcPlotMasterManager::ClearAllData()
{
    for (int i = 0; FChannelManager && i < FChannelManager->Count(); ++i)
        FChannelManager->GetItem(i)->Clear();
    for (int i = 0; FXAxisManager && i < FXAxisManager->Count(); ++i)
        FXAxisManager->GetItem(i)->ResetFirstAlign();
    for (int i = 0; FYAxisManager && i < FYAxisManager->Count(); ++i)
        FYAxisManager->GetItem(i)->ResetFirstAlign();
}

void TcPlotMasterManager::DeSelectAll()
{
    if (FObjectManager)
        FObjectManager->ClearAllUserSelections();
}

void TcPlotMasterManager::SetUserCanEditObjects(bool Value)
{
    FUserCanEditObjects = Value;
    for (TcPlotObjectManagerCustom* m : {static_cast<TcPlotObjectManagerCustom*>(FChannelManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FXAxisManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FYAxisManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FDataViewManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FToolBarManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FLegendManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FTableManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FDataCursorManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FLimitManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FLabelManager),
                                         static_cast<TcPlotObjectManagerCustom*>(FAnnotationManager)})
        for (int i = 0; m && i < m->Count(); ++i)
            m->Item(i)->SetUserCanEdit(Value);
}

void TcPlotMasterManager::SetXYAxesReverse(bool Value)
{
    if (Value == FXYAxesReverse)
        return;
    FXYAxesReverse = Value;
    if (FLayoutManager)
        FLayoutManager->SetXYAxesReverse(Value);
    ForEachObject([&](TcPlotObject* o) { o->SetXYAxesReverse(Value); });
    if (OnInvalidateNow)
        OnInvalidateNow(nullptr);
}

void TcPlotMasterManager::SetChannelClass(TcChannelClass Value)
{
    FChannelClass = std::move(Value);
    if (FChannelManager)
        FChannelManager->ChannelClass = FChannelClass;
}

int TcPlotMasterManager::KindIndex(const TcPlotObject* Object) const
{
    for (TcPlotObjectManagerCustom* m : KindManagers())
        if (m) {
            const int i = m->GetIndex(Object);
            if (i >= 0)
                return i;
        }
    return -1;
}

TcPlotHost::TcPlotHost() : FMaster(std::make_unique<TcPlotMasterManager>(this)) {}

TcPlotHost::~TcPlotHost()
{
    if (FMaster->ObjectManager())
        FMaster->ObjectManager()->ShutDownSetup();
    FMaster.reset();
}

} // namespace chart
