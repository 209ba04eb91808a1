#include "chart/editor/PlotEditorForm.h"

#include "chart/editor/LayoutViewer.h"

#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/core/ChartError.h"
#include "chart/objects/MasterManager.h"
#include "chart/objects/PlotDataCursor.h"
#include "chart/objects/PlotDataView.h"
#include "chart/objects/PlotLabel.h"
#include "chart/objects/PlotLegend.h"
#include "chart/objects/PlotLimit.h"
#include "chart/objects/PlotTable.h"
#include "chart/objects/PlotToolBar.h"
#include "chart/view/PlotComponent.h"
#include "chart/view/PlotForms.h"
#include "framework/Colors.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

namespace chart
{

namespace
{

using fw::TPersistent;
using fw::TPropertyInfo;
using fw::TPropertyKind;

constexpr int kRowsPerColumn = 7;
constexpr int kLabelWidth = 96;
constexpr int kControlWidth = 110;

template <class T> T* Named(QWidget* parent, const QString& name)
{
    auto* w = new T(parent);
    w->setObjectName(name);
    return w;
}

// The page takes the face colour the check boxes and radio groups draw on.
void FacePage(QWidget* page)
{
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, fw::ToQColor(fw::clBtnFace));
    page->setPalette(palette);
    page->setAutoFillBackground(true);
}

QString PageControlName(const QString& prefix, const QString& subPage)
{
    if (subPage == QLatin1String("Labels"))
        return prefix + QStringLiteral("LabelsPageControl");
    if (subPage == QLatin1String("Grid Lines"))
        return prefix + QStringLiteral("GridLinesCustomPageControl");
    QString name = prefix;
    for (QChar c : subPage)
        if (c.isLetterOrNumber())
            name += c;
    return name + QStringLiteral("PageControl");
}

} // namespace

TcPlotEditorForm::TcPlotEditorForm(TcPlotComponent* Chart, TcPlotMasterManager* Master, QWidget* parent)
    : TcCustomEditorForm(parent), FChart(Chart), FMaster(Master)
{
    setObjectName(QStringLiteral("PlotEditorForm"));
    SetCaption(QStringLiteral("Plot"));
    setWindowFlag(Qt::Dialog);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FPageControl = Named<TcComponentEditorPageControl>(this, QStringLiteral("PageControl"));
    layout->addWidget(FPageControl);

    BuildChartPage();
    FLayoutPage = FPageControl->AddPage(QStringLiteral("Layout"));
    FLayoutPage->setObjectName(QStringLiteral("LayoutTabSheet"));
    auto* layoutBox = new QVBoxLayout(FLayoutPage);
    layoutBox->setContentsMargins(4, 4, 4, 4);
    FLayoutViewer = Named<TcPlotLayoutViewer>(FLayoutPage, QStringLiteral("cPlotLayoutViewer"));
    FLayoutViewer->ShowLayoutOf(FMaster);
    FLayoutViewer->OnChange = [this](TcPlotLayoutViewer*) { LayoutViewerChanged(); };
    FLayoutViewer->installEventFilter(this);
    layoutBox->addWidget(FLayoutViewer);
    BuildLayoutMenu();
    BuildObjectPage(pkChannel, QStringLiteral("Channels"), ChannelPageTable(), "ChannelListBox",
                    "iChannelAddButton", "ChannelRemoveButton", false);
    BuildChannelStats();
    BuildObjectPage(pkDataCursor, QStringLiteral("Cursors"), DataCursorPageTable(), "DataCursorListBox",
                    "iDataCursorAddButton", "DataCursorRemoveButton", false);
    BuildObjectPage(pkLimit, QStringLiteral("Limits"), LimitPageTable(), "LimitListBox", "iLimitAddButton",
                    "LimitRemoveButton", false);
    BuildObjectPage(pkLabel, QStringLiteral("Labels"), LabelPageTable(), "LabelListBox", "iLabelAddButton",
                    "LabelRemoveButton", false);
    BuildObjectPage(pkXAxis, QStringLiteral("X-Axes"), XAxisPageTable(), "XAxisListBox", "XAxesAddButton",
                    "XAxisRemoveButton", false);
    BuildObjectPage(pkYAxis, QStringLiteral("Y-Axes"), YAxisPageTable(), "YAxisListBox", "YAxesAddButton",
                    "YAxisRemoveButton", false);
    BuildCopyDefault(pkXAxis);
    BuildCopyDefault(pkYAxis);
    BuildObjectPage(pkLegend, QStringLiteral("Legend"), LegendPageTable(), "LegendListBox", "", "", true);
    BuildObjectPage(pkTable, QStringLiteral("Tables"), TablePageTable(), "TableListBox", "iTableAddButton",
                    "TableRemoveButton", false);
    BuildObjectPage(pkToolBar, QStringLiteral("ToolBar"), ToolBarPageTable(), "ToolBarListBox", "", "", true);
    BuildObjectPage(pkDataView, QStringLiteral("Data View"), DataViewPageTable(), "DataViewListBox", "", "",
                    true);
    BuildFileCommands();
    // Channels are added and removed here only where the chart allows it.
    ShowChannelAddRemove(false);
    const QSize least = minimumSizeHint();
    resize(std::max({576, least.width(), FPageControl->tabBar()->sizeHint().width() + 4}),
           std::max(272, least.height()));
}

void TcPlotEditorForm::ShowChannelAddRemove(bool Value)
{
    for (const char* name : {"iChannelAddButton", "ChannelRemoveButton"})
        if (QWidget* w = Control(QString::fromLatin1(name)))
            w->setVisible(Value);
}

void TcPlotEditorForm::Fill()
{
    for (int k = 0; k < pkCount; ++k) {
        const auto kind = TcPageKind(k);
        TcPlotObjectManagerCustom* m = Manager(kind);
        TcComponentEditorListBox* list = FPages[kind].List;
        list->Clear();
        for (int i = 0; m && i < m->Count(); ++i)
            list->AddObject(QString(), m->Item(i));
        list->SetItemIndex(list->Count() > 0 ? 0 : -1);
        UpdatePage(kind);
    }
}

TcPlotEditor::TcPageIndexes TcPlotEditorForm::PageIndexes() const
{
    TcPageIndexes out{};
    const auto controls = PageControls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        out[i] = controls[i] ? controls[i]->TabIndex() : 0;
    return out;
}

void TcPlotEditorForm::SetPageIndexes(const TcPageIndexes& Indexes)
{
    const auto controls = PageControls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i])
            controls[i]->SetTabIndex(Indexes[i]);
}

void InstallPlotEditor()
{
    SetPlotEditorFactory([](TcPlotComponent* chart, TcPlotMasterManager* master) -> TcPlotEditor* {
        auto* form = new TcPlotEditorForm(chart, master);
        form->SetFormTranslationMethod([master](QWidget* f) { master->TranslateForm(f); });
        return form;
    });
}

TcPlotEditorForm::~TcPlotEditorForm()
{
    if (FChart && FChart->OnAfterCloseEditor)
        FChart->OnAfterCloseEditor(this);
}

bool TcPlotEditorForm::eventFilter(QObject* watched, QEvent* e)
{
    // A press of any button on the layout viewer chooses the object its menu works on.
    if (watched == FLayoutViewer && e->type() == QEvent::MouseButtonPress) {
        const QPoint at = static_cast<QMouseEvent*>(e)->position().toPoint();
        SetPopupObject(FLayoutViewer->GetMouseOverBlock(at.x(), at.y()));
    }
    return TcCustomEditorForm::eventFilter(watched, e);
}

void TcPlotEditorForm::closeEvent(QCloseEvent* e)
{
    if (OnClose)
        OnClose();
    IsClosing = true;
    TcCustomEditorForm::closeEvent(e);
}

void TcPlotEditorForm::changeEvent(QEvent* e)
{
    TcCustomEditorForm::changeEvent(e);
    // A stay-on-top editor shows what changed in the chart while it was inactive.
    if (e->type() == QEvent::ActivationChange && isActiveWindow() &&
        (windowFlags() & Qt::WindowStaysOnTopHint) && !IsClosing)
        UpdateAll();
}

std::vector<TcPlotEditorForm::Binding>
TcPlotEditorForm::BuildFields(QWidget* Host, const TcEditorPageTable& Table, TcPropertyBindings& Props)
{
    std::vector<Binding> out;
    auto* hostLayout = new QVBoxLayout(Host);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    auto* top = Named<TcComponentEditorPageControl>(Host, Table.Prefix + QStringLiteral("PageControl"));
    hostLayout->addWidget(top);
    FSubPageControls[top->objectName()] = top;

    // Each (inner) sub-page holds columns of rows (a label and its control, or a check box alone);
    // a group's rows sit in a group box; a column takes kRowsPerColumn rows at most.
    struct Column {
        QGridLayout* Grid = nullptr;
        int Used = 0;
        QString Group;
        QGridLayout* GroupGrid = nullptr;
        // A group taller than a column lays its rows out in two halves of GroupHalf rows.
        int GroupHalf = 0;
        int GroupIndex = 0;
    };
    std::map<QString, QWidget*> pages;
    std::map<QWidget*, QHBoxLayout*> columnsOf;
    std::map<QWidget*, Column> columnOf;
    // A page holds its columns on top and, below them, the page control of its inner pages.
    auto pageFor = [&](const QString& path) -> QWidget* {
        if (auto it = pages.find(path); it != pages.end())
            return it->second;
        QWidget* page = nullptr;
        const int bar = path.indexOf(QLatin1Char('|'));
        if (path.isEmpty()) {
            page = top->AddPage(Table.Prefix);
            top->tabBar()->hide();
        } else if (bar < 0) {
            page = top->AddPage(path);
        } else {
            const QString outer = path.left(bar);
            QWidget* outerPage = pages.count(outer) ? pages[outer] : nullptr;
            if (!outerPage) {
                outerPage = top->AddPage(outer);
                new QVBoxLayout(outerPage);
                pages[outer] = outerPage;
            }
            const QString innerName = PageControlName(Table.Prefix, outer);
            auto& inner = FSubPageControls[innerName];
            if (!inner) {
                outerPage->layout()->setContentsMargins(2, 2, 2, 2);
                inner = Named<TcComponentEditorPageControl>(outerPage, innerName);
                static_cast<QVBoxLayout*>(outerPage->layout())->addWidget(inner, 1);
            }
            page = inner->AddPage(path.mid(bar + 1));
        }
        FacePage(page);
        new QVBoxLayout(page);
        page->layout()->setContentsMargins(0, 0, 0, 0);
        pages[path] = page;
        return page;
    };
    auto columnsFor = [&](QWidget* page) {
        QHBoxLayout*& cols = columnsOf[page];
        if (!cols) {
            cols = new QHBoxLayout;
            cols->setContentsMargins(6, 4, 6, 4);
            cols->setSpacing(12);
            static_cast<QVBoxLayout*>(page->layout())->insertLayout(0, cols);
        }
        return cols;
    };
    // Rows keep their height: the space left goes below the last row of each column.
    const auto close = [](QGridLayout* grid) {
        grid->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(),
                      0);
    };
    auto newColumn = [&](QWidget* page) {
        if (auto it = columnOf.find(page); it != columnOf.end())
            close(it->second.Grid);
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(2);
        columnsFor(page)->addLayout(grid);
        columnOf[page] = Column{grid, 0, QString(), nullptr};
    };

    // The widest caption of each caption column (a grid and its column).
    std::map<std::pair<QGridLayout*, int>, int> captionWidths;
    const auto rowsOf = [](const TcEditorField& f) {
        return f.Kind == TcEditorFieldKind::Radio ? int(f.Items.size()) + 1 : 1;
    };
    for (std::size_t i = 0; i < Table.Fields.size(); ++i) {
        const TcEditorField& f = Table.Fields[i];
        QWidget* page = pageFor(f.SubPage);
        const bool inGroup = !f.Group.isEmpty() && columnOf.count(page) && columnOf[page].Group == f.Group;
        if (!inGroup) {
            // A group is kept whole in one column: its caption and all its rows.
            int need = rowsOf(f);
            if (!f.Group.isEmpty()) {
                need = 1;
                for (std::size_t k = i; k < Table.Fields.size() && Table.Fields[k].Group == f.Group &&
                                        Table.Fields[k].SubPage == f.SubPage;
                     ++k)
                    need += rowsOf(Table.Fields[k]);
            }
            const int half = need - 1 > kRowsPerColumn ? need / 2 : 0;
            if (half)
                need = half + 1;
            if (!columnOf.count(page) ||
                (columnOf[page].Used > 0 && columnOf[page].Used + need > kRowsPerColumn))
                newColumn(page);
            columnOf[page].Used += need;
            columnOf[page].GroupHalf = half;
            columnOf[page].GroupIndex = 0;
        }
        Column& col = columnOf[page];
        const int rows = rowsOf(f);
        QGridLayout* grid = col.Grid;
        QWidget* parent = page;
        if (f.Group.isEmpty()) {
            col.Group.clear();
            col.GroupGrid = nullptr;
        } else {
            if (col.Group != f.Group || !col.GroupGrid) {
                auto* box = new TcComponentEditorGroupBox(page);
                box->setTitle(f.Group);
                col.GroupGrid = new QGridLayout(box);
                col.GroupGrid->setContentsMargins(6, 2, 6, 4);
                col.GroupGrid->setHorizontalSpacing(4);
                col.GroupGrid->setVerticalSpacing(2);
                col.Group = f.Group;
                col.Grid->addWidget(box, col.Grid->rowCount(), 0, 1, 2);
            }
            grid = col.GroupGrid;
            parent = grid->parentWidget();
        }
        QWidget* control = nullptr;
        QWidget* extra = nullptr;
        bool labelled = true;
        switch (f.Kind) {
        case TcEditorFieldKind::Edit: {
            auto* e = Named<TcComponentEditorEdit>(parent, f.Control);
            Props.Edit(e, f.Property);
            control = e;
            if (f.FilePicker) {
                auto* fp = Named<TcComponentEditorOpenPicker>(parent, f.Control.left(f.Control.size() - 4) +
                                                                          QStringLiteral("Picker"));
                fp->setText(QStringLiteral("..."));
                fp->Filter = f.Filter;
                fp->DefaultExt = f.DefaultExt;
                fp->setFixedSize(21, 21);
                extra = fp;
            } else if (f.UpDown) {
                auto* ud =
                    Named<TcUpDown>(parent, f.Control.left(f.Control.size() - 4) + QStringLiteral("UpDown"));
                ud->SetAssociate(e);
                ud->SetMax(std::numeric_limits<std::int16_t>::max());
                ud->setFixedSize(15, 21);
                extra = ud;
            } else if (f.Converter != TcEditorConverter::None) {
                auto* vc = Named<TcComponentEditorValueConverterPicker>(
                    parent, f.Control.left(f.Control.size() - 4) + QStringLiteral("ValueConverterPicker"));
                vc->SetAssociate(e);
                vc->SetDefaultPage(f.Converter == TcEditorConverter::DateTime ? ivcptDateTime
                                                                              : ivcptInterval);
                vc->setToolTip(QStringLiteral("Date/Time Editor"));
                vc->setFixedSize(21, 21);
                extra = vc;
            }
            break;
        }
        case TcEditorFieldKind::Check: {
            auto* c = Named<TcComponentEditorCheckBox>(parent, f.Control);
            c->SetCaption(f.Caption);
            c->setFixedSize(c->fontMetrics().horizontalAdvance(f.Caption) + 24, 19);
            Props.CheckBox(c, f.Property);
            control = c;
            labelled = false;
            break;
        }
        case TcEditorFieldKind::Combo:
        case TcEditorFieldKind::TextCombo:
        case TcEditorFieldKind::NameCombo: {
            auto* c = Named<TcComponentEditorComboBox>(parent, f.Control);
            c->setEditable(f.Kind == TcEditorFieldKind::TextCombo);
            c->SetItems(f.Items);
            Props.ComboBox(c, f.Property);
            control = c;
            break;
        }
        case TcEditorFieldKind::Radio: {
            auto* r = Named<TcComponentEditorRadioGroup>(parent, f.Control);
            r->SetCaption(f.Caption);
            r->SetItems(f.Items);
            r->setFixedSize(kLabelWidth + kControlWidth, rows * 18 + 6);
            Props.RadioGroup(r, f.Property);
            control = r;
            labelled = false;
            break;
        }
        case TcEditorFieldKind::Color: {
            auto* c = Named<TcComponentEditorColorPicker>(parent, f.Control);
            c->setFixedSize(47, 21);
            Props.ColorPicker(c, f.Property);
            control = c;
            break;
        }
        case TcEditorFieldKind::Font: {
            auto* c = Named<TcComponentEditorFontPicker>(parent, f.Control);
            c->setText(f.Caption);
            c->setFixedSize(75, 23);
            Props.FontPicker(c, f.Property);
            control = c;
            labelled = false;
            break;
        }
        case TcEditorFieldKind::Button:
        case TcEditorFieldKind::OpenFile:
        case TcEditorFieldKind::SaveFile: {
            TcComponentEditorButton* b = nullptr;
            if (f.Kind == TcEditorFieldKind::OpenFile) {
                auto* o = Named<TcComponentEditorOpenPicker>(parent, f.Control);
                o->Filter = f.Filter;
                o->DefaultExt = f.DefaultExt;
                o->FileMustExist = f.FileMustExist;
                b = o;
            } else if (f.Kind == TcEditorFieldKind::SaveFile) {
                auto* o = Named<TcComponentEditorSavePicker>(parent, f.Control);
                o->Filter = f.Filter;
                o->DefaultExt = f.DefaultExt;
                b = o;
            } else {
                b = Named<TcComponentEditorButton>(parent, f.Control);
            }
            b->setText(f.Caption);
            b->setFixedSize(75, 23);
            control = b;
            labelled = false;
            break;
        }
        }
        if (f.Kind == TcEditorFieldKind::Edit || f.Kind == TcEditorFieldKind::Combo ||
            f.Kind == TcEditorFieldKind::TextCombo || f.Kind == TcEditorFieldKind::NameCombo) {
            int width = extra ? kControlWidth - extra->width() - 2 : kControlWidth;
            for (const QString& item : f.Items) // combo boxes show their longest item whole
                width = std::max(width, control->fontMetrics().horizontalAdvance(item) + 34);
            control->setFixedSize(width, 21);
        }
        int row = grid->rowCount();
        int at = 0;
        if (grid == col.GroupGrid && col.GroupHalf > 0) {
            row = col.GroupIndex % col.GroupHalf;
            at = 2 * (col.GroupIndex / col.GroupHalf);
            ++col.GroupIndex;
        }
        QLabel* caption = nullptr;
        if (labelled) {
            caption = new QLabel(f.Caption, parent);
            caption->setObjectName(Table.Prefix + f.Property + QStringLiteral("Label"));
            int& widest = captionWidths[{grid, at}];
            widest = std::max(widest, caption->fontMetrics().horizontalAdvance(f.Caption));
            grid->addWidget(caption, row, at);
            auto* cell = new QHBoxLayout;
            cell->setSpacing(2);
            cell->addWidget(control);
            if (extra)
                cell->addWidget(extra);
            cell->addStretch(1);
            grid->addLayout(cell, row, at + 1);
        } else {
            grid->addWidget(control, row, at, 1, 2);
        }
        out.push_back({&f, control});
        if (f.StripOnly)
            for (QWidget* w : {control, extra, static_cast<QWidget*>(caption)})
                if (w)
                    FStripControls.emplace_back(w);
    }
    for (const auto& [column, width] : captionWidths)
        column.first->setColumnMinimumWidth(column.second, width);
    for (auto& [page, col] : columnOf)
        close(col.Grid);
    for (auto& [page, cols] : columnsOf)
        cols->addStretch(1);
    // Inner page controls show all their tabs, and their pages whole.
    for (auto& [name, pages] : FSubPageControls)
        if (pages != top)
            pages->setMinimumWidth(
                std::max(pages->tabBar()->sizeHint().width() + 4, pages->minimumSizeHint().width()));
    return out;
}

void TcPlotEditorForm::BuildChartPage()
{
    QWidget* page = FPageControl->AddPage(QStringLiteral("Control"));
    page->setObjectName(QStringLiteral("ControlTabSheet"));
    FChartBindings = BuildFields(page, ControlPageTable(), FChartProps);
    FChartProps.OnApplied = [this](const QString& path) {
        if (FMaster)
            FMaster->BasicPropertyChanged();
        // The title is the chart's first label.
        if (path.startsWith(QLatin1String("Title"), Qt::CaseInsensitive))
            UpdatePage(pkLabel);
    };
}

void TcPlotEditorForm::BuildObjectPage(TcPageKind Kind, const QString& Caption,
                                       const TcEditorPageTable& Table, const char* ListName,
                                       const char* AddName, const char* RemoveName, bool HiddenList)
{
    Page& p = FPages[Kind];
    p.Kind = Kind;
    p.Table = &Table;
    QWidget* page = FPageControl->AddPage(Caption);
    QString sheet = Caption;
    sheet.remove(QLatin1Char(' '));
    sheet.remove(QLatin1Char('-'));
    page->setObjectName(sheet + QStringLiteral("TabSheet"));
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* listBox = new TcComponentEditorGroupBox(page);
    listBox->setObjectName(QStringLiteral("ListGroupBoxOf") + Table.Prefix); // outside the page prefix
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->setContentsMargins(0, 0, 0, 0);
    p.List = Named<TcComponentEditorListBox>(listBox, QString::fromLatin1(ListName));
    p.List->setFixedWidth(120);
    p.List->FreeObject = [](void* o) { FreeObject(static_cast<TcPlotObject*>(o)); };
    p.List->OnGetData = [](TcComponentEditorListBox* list, int index, bool& drawColorBox, TColor& color,
                           QString& text) {
        auto* o = static_cast<TcPlotObject*>(list->Object(index));
        drawColorBox = false;
        if (!o)
            return;
        text = o->Name();
        if (auto* c = dynamic_cast<TcPlotChannelCustom*>(o)) {
            drawColorBox = true;
            color = c->Color();
        } else if (auto* d = dynamic_cast<TcPlotDataCursor*>(o)) {
            drawColorBox = true;
            color = d->Color();
        } else if (auto* l = dynamic_cast<TcPlotLimit*>(o)) {
            drawColorBox = true;
            color = l->Color();
        } else if (auto* a = dynamic_cast<TcPlotAxis*>(o)) {
            drawColorBox = true;
            color = a->LabelsFont().Color();
        }
    };
    p.List->OnClick = [this, Kind](TcComponentEditorListBox*) {
        UpdatePage(Kind);
        if (Kind == pkChannel)
            ClearChannelStats();
    };
    listLayout->addWidget(p.List, 1);
    auto* buttons = new QHBoxLayout;
    if (*AddName) {
        auto* add = Named<TcComponentEditorButton>(listBox, QString::fromLatin1(AddName));
        add->setText(QStringLiteral("Add"));
        add->OnClick = [this, Kind](TcComponentEditorButton*) { AddObject(Kind); };
        buttons->addWidget(add);
        auto* remove = Named<TcComponentEditorButton>(listBox, QString::fromLatin1(RemoveName));
        remove->setText(QStringLiteral("Remove"));
        remove->setEnabled(false);
        remove->OnClick = [this, Kind](TcComponentEditorButton*) { RemoveObject(Kind); };
        buttons->addWidget(remove);
        p.Remove = remove;
    }
    listLayout->addLayout(buttons);
    layout->addWidget(listBox);
    if (HiddenList)
        listBox->setVisible(false);

    auto* host = new QWidget(page);
    layout->addWidget(host, 1);
    p.Props = std::make_unique<TcPropertyBindings>();
    p.Props->OnApplied = [this, Kind](const QString&) { Applied(Kind); };
    p.Bindings = BuildFields(host, Table, *p.Props);
    for (Binding& b : p.Bindings)
        if (b.Field->Kind == TcEditorFieldKind::NameCombo)
            static_cast<TcComponentEditorComboBox*>(b.Control)->OnDropDown =
                [this, Kind, f = b.Field](TcComponentEditorComboBox* box) {
                    RefillNames(box, f->Names, Kind);
                };
}

TcPlotObjectManagerCustom* TcPlotEditorForm::Manager(TcPageKind Kind) const
{
    if (!FMaster)
        return nullptr;
    switch (Kind) {
    case pkToolBar:
        return FMaster->ToolBarManager();
    case pkLegend:
        return FMaster->LegendManager();
    case pkXAxis:
        return FMaster->XAxisManager();
    case pkYAxis:
        return FMaster->YAxisManager();
    case pkChannel:
        return FMaster->ChannelManager();
    case pkDataView:
        return FMaster->DataViewManager();
    case pkDataCursor:
        return FMaster->DataCursorManager();
    case pkLimit:
        return FMaster->LimitManager();
    case pkLabel:
        return FMaster->LabelManager();
    case pkTable:
        return FMaster->TableManager();
    case pkCount:
        break;
    }
    return nullptr;
}

TcComponentEditorListBox* TcPlotEditorForm::List(TcPageKind Kind) const
{
    return FPages[Kind].List;
}

TcPlotObject* TcPlotEditorForm::Selected(TcPageKind Kind) const
{
    const TcComponentEditorListBox* list = FPages[Kind].List;
    const int i = list ? list->ItemIndex() : -1;
    return i < 0 ? nullptr : static_cast<TcPlotObject*>(list->Object(i));
}

QWidget* TcPlotEditorForm::Control(const QString& Name) const
{
    return findChild<QWidget*>(Name);
}

std::array<TcComponentEditorPageControl*, TcPlotEditorForm::PageControlCount>
TcPlotEditorForm::PageControls() const
{
    std::array<TcComponentEditorPageControl*, PageControlCount> out{};
    const char* names[PageControlCount] = {"PageControl",
                                           "ControlPageControl",
                                           "ChannelPageControl",
                                           "XAxisPageControl",
                                           "XAxisLabelsPageControl",
                                           "YAxisPageControl",
                                           "YAxisLabelsPageControl",
                                           "DataCursorPageControl",
                                           "LimitPageControl",
                                           "LabelPageControl",
                                           "LegendPageControl",
                                           "TablePageControl",
                                           "DataViewPageControl",
                                           "DataViewGridLinesCustomPageControl"};
    for (int i = 0; i < PageControlCount; ++i)
        out[std::size_t(i)] =
            dynamic_cast<TcComponentEditorPageControl*>(Control(QString::fromLatin1(names[i])));
    return out;
}

void TcPlotEditorForm::DisableControls(const QString& Prefix)
{
    SwitchControls(Prefix, false);
}

void TcPlotEditorForm::EnableControls(const QString& Prefix)
{
    SwitchControls(Prefix, true);
}

void TcPlotEditorForm::SwitchControls(const QString& Prefix, bool Enable)
{
    // Editor controls switch themselves (a disabled edit is cleared); others are enabled or not.
    const auto turn = [Enable](auto* control) {
        if (Enable)
            control->Enable();
        else
            control->Disable();
    };
    for (QWidget* w : findChildren<QWidget*>()) {
        if (!w->objectName().startsWith(Prefix, Qt::CaseInsensitive) || qobject_cast<QTabWidget*>(w) ||
            qobject_cast<QLabel*>(w) || w->objectName().endsWith(QLatin1String("TabSheet")))
            continue;
        if (auto* e = dynamic_cast<TcComponentEditorEdit*>(w))
            turn(e);
        else if (auto* c = dynamic_cast<TcComponentEditorCheckBox*>(w))
            turn(c);
        else if (auto* r = dynamic_cast<TcComponentEditorRadioGroup*>(w))
            turn(r);
        else if (auto* b = dynamic_cast<TcComponentEditorComboBox*>(w))
            turn(b);
        else if (auto* cp = dynamic_cast<TcComponentEditorColorPicker*>(w))
            turn(cp);
        else if (auto* ud = dynamic_cast<TcUpDown*>(w))
            turn(ud);
        else
            w->setEnabled(Enable);
    }
}

void TcPlotEditorForm::SetFormTranslationMethod(const TFormTranslationMethod& Method)
{
    for (QWidget* w : findChildren<QWidget*>())
        if (auto* picker = dynamic_cast<TcComponentEditorValueConverterPicker*>(w))
            picker->TranslationMethod = Method;
}

void TcPlotEditorForm::RefillNames(TcComponentEditorComboBox* Box, TcEditorNameList List, TcPageKind Kind)
{
    if (!FMaster || !Box)
        return;
    const bool xPage = Kind == pkXAxis;
    TcPlotObjectManagerCustom* m = nullptr;
    QString first = QStringLiteral("<None>"), last;
    switch (List) {
    case TcEditorNameList::None:
        return;
    case TcEditorNameList::XAxes:
        m = FMaster->XAxisManager();
        break;
    case TcEditorNameList::YAxes:
        m = FMaster->YAxisManager();
        break;
    case TcEditorNameList::GridXAxes:
        m = FMaster->XAxisManager();
        last = QStringLiteral("<All>");
        break;
    case TcEditorNameList::GridYAxes:
        m = FMaster->YAxisManager();
        last = QStringLiteral("<All>");
        break;
    case TcEditorNameList::Channels:
        m = FMaster->ChannelManager();
        first = QStringLiteral("<All>");
        break;
    case TcEditorNameList::OtherAxes:
        m = xPage ? static_cast<TcPlotObjectManagerCustom*>(FMaster->YAxisManager())
                  : FMaster->XAxisManager();
        break;
    case TcEditorNameList::SameAxes:
        m = xPage ? static_cast<TcPlotObjectManagerCustom*>(FMaster->XAxisManager())
                  : FMaster->YAxisManager();
        break;
    }
    if (!m)
        return;
    const auto translate = [this](const QString& t) {
        return FMaster->TranslationManager() ? FMaster->TranslationManager()->FindReplacement(t) : t;
    };
    const QString kept = Box->AsString();
    QStringList items{translate(first)};
    for (int i = 0; i < m->Count(); ++i)
        items << m->Item(i)->Name();
    if (!last.isEmpty())
        items << translate(last);
    Box->SetItems(items);
    Box->SetAsInteger(int(items.indexOf(kept)));
}

void TcPlotEditorForm::RefillPageNames(Page& P)
{
    for (Binding& b : P.Bindings)
        if (b.Field->Kind == TcEditorFieldKind::NameCombo)
            RefillNames(static_cast<TcComponentEditorComboBox*>(b.Control), b.Field->Names, P.Kind);
}

void TcPlotEditorForm::UpdatePage(TcPageKind Kind)
{
    Page& p = FPages[Kind];
    if (Kind == pkChannel)
        ShowStripParts(FChart && FChart->IsStripChart());
    if (Kind != pkXAxis && Kind != pkYAxis)
        RefillPageNames(p);
    TcPlotObject* o = Selected(Kind);
    if (!o) {
        p.Props->SetObject(nullptr);
        DisableControls(p.Table->Prefix);
        return;
    }
    EnableControls(p.Table->Prefix);
    if (Kind == pkXAxis || Kind == pkYAxis)
        RefillPageNames(p);
    p.Props->SetObject(o);
    if (auto* c = dynamic_cast<TcPlotChannelCustom*>(o); c && Kind == pkChannel)
        SetLogControls(QStringLiteral("Channel"), c->LoggingActive(), c->LogFileName());
    if (Kind == pkLabel && p.Remove)
        p.Remove->setEnabled(p.List->ItemIndex() > 0);
    p.List->viewport()->update();
}

void TcPlotEditorForm::UpdateAll()
{
    for (int k = 0; k < pkCount; ++k)
        UpdatePage(TcPageKind(k));
}

void TcPlotEditorForm::Applied(TcPageKind Kind)
{
    Page& p = FPages[Kind];
    switch (Kind) {
    case pkDataCursor:
    case pkLimit:
        UpdatePage(Kind);
        break;
    case pkLabel:
        UpdatePage(Kind);
        if (p.List->ItemIndex() == 0 && FChart)
            FChartProps.Refresh(); // the title controls show the first label
        break;
    case pkTable:
        break;
    default:
        UpdateAll();
        break;
    }
}

void TcPlotEditorForm::AddObject(TcPageKind Kind)
{
    if (!FMaster)
        return;
    switch (Kind) {
    case pkXAxis:
        FMaster->AddXAxis();
        break;
    case pkYAxis:
        FMaster->AddYAxis();
        break;
    case pkChannel:
        FMaster->AddChannel();
        break;
    case pkDataCursor:
        FMaster->AddDataCursor();
        break;
    case pkLimit:
        FMaster->AddLimit();
        break;
    case pkLabel:
        FMaster->AddLabel();
        break;
    case pkTable:
        FMaster->AddTable();
        break;
    default:
        return;
    }
    FPages[Kind].List->SelectLast();
    UpdatePage(Kind);
    if (Kind == pkChannel)
        ClearChannelStats();
}

void TcPlotEditorForm::RemoveObject(TcPageKind Kind)
{
    Page& p = FPages[Kind];
    if (!Selected(Kind))
        return;
    if (Kind == pkLabel && p.List->ItemIndex() == 0)
        return; // the chart title stays
    p.List->DeleteSelectedObject();
    if (Kind == pkXAxis || Kind == pkYAxis)
        UpdatePage(pkChannel);
    UpdatePage(Kind);
    if (Kind == pkChannel)
        ClearChannelStats();
}

namespace
{
enum { miReverse, miAddX, miAddY, miAddLabel, miDelete, miVisible, miEdit, miCount };
}

void TcPlotEditorForm::BuildLayoutMenu()
{
    FLayoutPopupMenu = new QMenu(this);
    FLayoutPopupMenu->setObjectName(QStringLiteral("LayoutPopupMenu"));
    const char* captions[miCount] = {"XY-Axes Reverse", "Add X-Axis", "Add Y-Axis", "Add Label",
                                     "Delete",          "Visible",    "Edit"};
    for (int i = 0; i < miCount; ++i) {
        if (i == miAddX || i == miDelete)
            FLayoutPopupMenu->addSeparator();
        QAction* a = FLayoutPopupMenu->addAction(QString::fromLatin1(captions[i]));
        a->setCheckable(i == miReverse || i == miVisible);
        connect(a, &QAction::triggered, this, [this, i] { LayoutMenuAction(i); });
    }
    connect(FLayoutPopupMenu, &QMenu::aboutToShow, this, [this] { LayoutPopupMenuPopup(); });
    FLayoutViewer->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FLayoutViewer, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { FLayoutPopupMenu->popup(FLayoutViewer->mapToGlobal(at)); });
}

void TcPlotEditorForm::LayoutPopupMenuPopup()
{
    QList<QAction*> items;
    for (QAction* a : FLayoutPopupMenu->actions())
        if (!a->isSeparator())
            items << a;
    items[miReverse]->setChecked(FMaster && FMaster->XYAxesReverse());
    items[miDelete]->setEnabled(false);
    items[miVisible]->setEnabled(false);
    items[miVisible]->setChecked(false);
    items[miEdit]->setEnabled(false);
    TcPlotLayoutObject* o = FPopupObject;
    if (!o)
        return;
    const bool firstLabel = FMaster && FMaster->LabelManager() && FMaster->LabelManager()->Count() > 0 &&
                            FMaster->LabelManager()->Item(0) == o;
    items[miDelete]->setEnabled(dynamic_cast<TcPlotAxis*>(o) || dynamic_cast<TcPlotTable*>(o) ||
                                (dynamic_cast<TcPlotLabel*>(o) && !firstLabel));
    items[miVisible]->setEnabled(!dynamic_cast<TcPlotDataView*>(o));
    items[miVisible]->setChecked(o->Visible());
    items[miEdit]->setEnabled(true);
}

void TcPlotEditorForm::LayoutMenuAction(int Item)
{
    if (!FMaster)
        return;
    switch (Item) {
    case miReverse:
        FMaster->SetXYAxesReverse(!FMaster->XYAxesReverse());
        return;
    case miAddX:
        FMaster->AddXAxis();
        return;
    case miAddY:
        FMaster->AddYAxis();
        return;
    case miAddLabel:
        FMaster->AddLabel();
        return;
    default:
        break;
    }
    TcPlotLayoutObject* o = FPopupObject;
    if (!o)
        return;
    if (Item == miDelete) {
        FreeObject(o);
        UpdateAll();
    } else if (Item == miVisible) {
        o->SetVisible(!o->Visible());
        UpdateAll();
    } else if (Item == miEdit) {
        if (!dynamic_cast<TcPlotTable*>(o)) // the tables page is not opened from here
            ShowObject(o);
    }
}

void TcPlotEditorForm::BuildCopyDefault(TcPageKind Kind)
{
    const QString prefix = FPages[Kind].Table->Prefix;
    auto* labels =
        dynamic_cast<TcComponentEditorPageControl*>(Control(prefix + QStringLiteral("LabelsPageControl")));
    if (!labels)
        return;
    for (const QString& format : {QStringLiteral("Cursor"), QStringLiteral("Legend")}) {
        QWidget* page = nullptr;
        for (int i = 0; i < labels->count(); ++i)
            if (labels->tabText(i) == format)
                page = labels->widget(i);
        if (!page)
            continue;
        auto* button =
            Named<TcComponentEditorButton>(page, prefix + format + QStringLiteral("CopyDefaultButton"));
        button->setText(QStringLiteral("Copy Default"));
        button->OnClick = [this, Kind, format](TcComponentEditorButton*) { CopyDefaultFormat(Kind, format); };
        auto* cols = static_cast<QBoxLayout*>(page->layout()->itemAt(0)->layout());
        cols->insertWidget(cols->count() - 1, button, 0, Qt::AlignTop);
    }
}

void TcPlotEditorForm::CopyDefaultFormat(TcPageKind Kind, const QString& Format)
{
    TcPlotObject* axis = Selected(Kind);
    if (!axis)
        return;
    // The default label format's properties and the names of the same settings of the other formats.
    const char* const pairs[][2] = {
        {"LabelsFormatStyle", "FormatStyle"},       {"DateTimeFormat", "DateTimeFormat"},
        {"LabelsPrecisionStyle", "PrecisionStyle"}, {"LabelsPrecision", "Precision"},
        {"LabelsMinLength", "MinLength"},           {"LabelsMinLengthAutoAdjust", "MinLengthAutoAdjust"}};
    for (const auto& pair : pairs)
        SetPropertyByPath(*axis, QString(), GetPropertyText(*axis, QString::fromLatin1(pair[0])),
                          Format + QString::fromLatin1(pair[1]));
    UpdateAll();
}

void TcPlotEditorForm::BuildChannelStats()
{
    auto* pages = FSubPageControls[QStringLiteral("ChannelPageControl")];
    QWidget* page = pages->AddPage(QStringLiteral("Stats"));
    FacePage(page);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(2);
    const char* displays[][2] = {{"PointCount", "Point Count"},
                                 {"PointCapacity", "Point Capacity"},
                                 {"Memory", "Memory Used"},
                                 {"DataPointSize", "Data Point Size"},
                                 {"MaxDataPoints", "Max Data Points"},
                                 {"XMin", "X-Min"},
                                 {"XMax", "X-Max"},
                                 {"XMean", "X-Mean"},
                                 {"YMin", "Y-Min"},
                                 {"YMax", "Y-Max"},
                                 {"YMean", "Y-Mean"}};
    int row = 0;
    for (const auto& d : displays) {
        const int column = row < 5 ? 0 : 2;
        const int r = row < 5 ? row : row - 5;
        grid->addWidget(new QLabel(QString::fromLatin1(d[1]), page), r, column);
        auto* value = new QLabel(QStringLiteral("Click Refresh"), page);
        value->setObjectName(QStringLiteral("ChannelStats") + QString::fromLatin1(d[0]) +
                             QStringLiteral("Display"));
        value->setMinimumWidth(110);
        grid->addWidget(value, r, column + 1);
        FStatsDisplays.push_back(value);
        ++row;
    }
    auto* refresh = Named<TcComponentEditorButton>(page, QStringLiteral("ChannelStatsRefreshButton"));
    refresh->setText(QStringLiteral("Refresh"));
    refresh->OnClick = [this](TcComponentEditorButton*) { RefreshChannelStats(); };
    grid->addWidget(refresh, 6, 0);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(7, 1);
}

void TcPlotEditorForm::ClearChannelStats()
{
    const QString text = Selected(pkChannel) ? QStringLiteral("Click Refresh") : QString();
    for (QLabel* l : FStatsDisplays)
        l->setText(text);
}

void TcPlotEditorForm::RefreshChannelStats()
{
    auto* c = dynamic_cast<TcPlotChannelCustom*>(Selected(pkChannel));
    if (!c) {
        ClearChannelStats();
        return;
    }
    c->ReCalcRunningMinMaxMean();
    const auto value = [](TcPlotAxis* axis, double v) {
        return axis ? axis->GetLabelText(v) : QString::number(v, 'g', 15);
    };
    TcPlotAxis* x = c->XAxis();
    TcPlotAxis* y = c->YAxis();
    const QString texts[] = {QString::number(c->Count()),
                             QString::number(c->Capacity()),
                             QString::number(c->MemoryUsed()) + QStringLiteral(" Bytes"),
                             QString::number(c->DataPointSize()) + QStringLiteral(" Bytes"),
                             QString::number(c->MaxDataPoints()),
                             value(x, c->RunningXMin()),
                             value(x, c->RunningXMax()),
                             value(x, c->RunningXMean()),
                             value(y, c->RunningYMin()),
                             value(y, c->RunningYMax()),
                             value(y, c->RunningYMean())};
    for (std::size_t i = 0; i < FStatsDisplays.size(); ++i)
        FStatsDisplays[i]->setText(texts[i]);
}

TcPlotEditorForm::TcPageKind TcPlotEditorForm::KindOf(const TcPlotObject* Object, bool* Found) const
{
    *Found = true;
    for (int k = 0; k < pkCount; ++k)
        if (TcPlotObjectManagerCustom* m = Manager(TcPageKind(k)); m && m->GetIndex(Object) >= 0)
            return TcPageKind(k);
    if (dynamic_cast<const TcPlotToolBar*>(Object))
        return pkToolBar;
    if (dynamic_cast<const TcPlotLegend*>(Object))
        return pkLegend;
    if (dynamic_cast<const TcPlotXAxis*>(Object))
        return pkXAxis;
    if (dynamic_cast<const TcPlotYAxis*>(Object))
        return pkYAxis;
    if (dynamic_cast<const TcPlotChannelCustom*>(Object))
        return pkChannel;
    if (dynamic_cast<const TcPlotDataView*>(Object))
        return pkDataView;
    if (dynamic_cast<const TcPlotDataCursor*>(Object))
        return pkDataCursor;
    if (dynamic_cast<const TcPlotLimit*>(Object))
        return pkLimit;
    if (dynamic_cast<const TcPlotLabel*>(Object))
        return pkLabel;
    if (dynamic_cast<const TcPlotTable*>(Object))
        return pkTable;
    *Found = false;
    return pkCount;
}

void TcPlotEditorForm::ObjectInserted(TcPlotObject* Object)
{
    bool found = false;
    const TcPageKind k = KindOf(Object, &found);
    if (!found)
        return;
    FPages[k].List->AddObject(QString(), Object);
    FPages[k].List->SelectLast();
    UpdatePage(k);
}

void TcPlotEditorForm::ObjectRemoved(TcPlotObject* Object)
{
    if (Object == FPopupObject)
        FPopupObject = nullptr; // a menu opened later offers nothing for it
    if (FLayoutViewer && dynamic_cast<TcPlotLayoutObject*>(Object))
        FLayoutViewer->ShowLayoutOf(FMaster); // the viewer forgets a block it may hold
    for (Page& p : FPages)
        if (p.List && p.List->IndexOfObject(Object) >= 0) {
            p.List->DeleteObjectIndex(Object);
            UpdatePage(p.Kind); // the page no longer edits the object that is going
        }
}

void TcPlotEditorForm::ObjectRenamed(TcPlotObject* Object)
{
    bool found = false;
    const TcPageKind k = KindOf(Object, &found);
    if (!found || (k != pkXAxis && k != pkYAxis && k != pkChannel))
        return;
    const QString old = Object->NameOld();
    for (Page& p : FPages)
        for (Binding& b : p.Bindings) {
            if (b.Field->Kind != TcEditorFieldKind::NameCombo)
                continue;
            auto* box = static_cast<TcComponentEditorComboBox*>(b.Control);
            if (box->AsString() != old)
                continue;
            TcEditorNameList list = b.Field->Names;
            // The axis pages' reference lists offer the axes of the page's orientation or the other.
            if (list == TcEditorNameList::OtherAxes || list == TcEditorNameList::SameAxes)
                list = (list == TcEditorNameList::SameAxes) == (p.Kind == pkXAxis) ? TcEditorNameList::XAxes
                                                                                   : TcEditorNameList::YAxes;
            const bool matches =
                (k == pkXAxis && (list == TcEditorNameList::XAxes || list == TcEditorNameList::GridXAxes)) ||
                (k == pkYAxis && (list == TcEditorNameList::YAxes || list == TcEditorNameList::GridYAxes)) ||
                (k == pkChannel && list == TcEditorNameList::Channels);
            if (!matches)
                continue;
            RefillNames(box, list, p.Kind);
            box->SetAsInteger(box->findText(Object->Name()));
        }
}

bool TcPlotEditorForm::SelectObject(TcPlotObject* Object)
{
    return !dynamic_cast<TcPlotLabel*>(Object) && ShowObject(Object);
}

bool TcPlotEditorForm::ShowObject(TcPlotObject* Object)
{
    bool found = false;
    const TcPageKind k = KindOf(Object, &found);
    if (!found)
        return false;
    const int index = FPages[k].List->IndexOfObject(Object);
    if (index < 0)
        return false;
    FPageControl->setCurrentWidget(FPages[k].List->parentWidget()->parentWidget());
    FPages[k].List->SetItemIndex(index);
    UpdatePage(k);
    return true;
}

void TcPlotEditorForm::LoadChartPage()
{
    FChartProps.SetObject(FChart);
    SetLoggingControls();
    if (!FChart)
        return;
    // The file pickers start in the chart's folders for each kind of file.
    const std::pair<const char*, QString> folders[] = {
        {"ControlPropertiesOpenPicker", FChart->DefaultPropertyDirectory()},
        {"ControlPropertiesSavePicker", FChart->DefaultPropertyDirectory()},
        {"ControlDataOpenPicker", FChart->DefaultDataDirectory()},
        {"ControlDataSavePicker", FChart->DefaultDataDirectory()},
        {"ControlAnnotationOpenPicker", FChart->DefaultAnnotationDirectory()},
        {"ControlAnnotationSavePicker", FChart->DefaultAnnotationDirectory()}};
    for (const auto& [name, folder] : folders)
        if (auto* choice = dynamic_cast<TcFileChoice*>(Control(QString::fromLatin1(name))))
            choice->DefaultDir = folder;
}

void TcPlotEditorForm::SetLoggingControls()
{
    if (FChart)
        SetLogControls(QStringLiteral("Control"), FChart->LoggingActive(), FChart->LogFileName());
}

void TcPlotEditorForm::SetLogControls(const QString& Prefix, bool Active, const QString& FileName)
{
    if (auto* e = dynamic_cast<TcComponentEditorEdit*>(Control(Prefix + QStringLiteral("LogFileNameEdit")))) {
        if (Active)
            e->DisableNoClear(); // its text stays shown
        else
            e->Enable();
    }
    if (auto* picker = dynamic_cast<TcComponentEditorOpenPicker*>(
            Control(Prefix + QStringLiteral("LogFileNamePicker")))) {
        picker->FileName = FileName;
        picker->setEnabled(!Active);
    }
    if (QWidget* on = Control(Prefix + QStringLiteral("LogActivateButton")))
        on->setEnabled(!Active);
    if (QWidget* off = Control(Prefix + QStringLiteral("LogDeactivateButton")))
        off->setEnabled(Active);
}

void TcPlotEditorForm::ShowStripParts(bool Value)
{
    for (const QPointer<QWidget>& w : FStripControls)
        if (w)
            w->setVisible(Value);
    // The tabs whose fields all belong to strip charts.
    std::map<QString, bool> stripOnly;
    for (const TcEditorField& f : ChannelPageTable().Fields) {
        auto [it, fresh] = stripOnly.emplace(f.SubPage.section(QLatin1Char('|'), 0, 0), f.StripOnly);
        if (!fresh)
            it->second = it->second && f.StripOnly;
    }
    TcComponentEditorPageControl* pages = FSubPageControls[QStringLiteral("ChannelPageControl")];
    for (int i = 0; pages && i < pages->count(); ++i)
        if (auto it = stripOnly.find(pages->tabText(i)); it != stripOnly.end() && it->second)
            pages->setTabVisible(i, Value);
}

void TcPlotEditorForm::RunFileCommand(const std::function<bool(QString* Error)>& Command)
{
    QString error;
    if (!Command(&error))
        ShowChartMessage(this, error);
}

void TcPlotEditorForm::BuildFileCommands()
{
    const auto find = [this](const char* name) { return Control(QString::fromLatin1(name)); };
    const auto onClick = [&](const char* name, std::function<void()> action) {
        if (auto* b = dynamic_cast<TcComponentEditorButton*>(find(name)))
            b->OnClick = [action = std::move(action)](TcComponentEditorButton*) { action(); };
    };
    const auto onOpen = [&](const char* name, std::function<void(const QString&)> action) {
        if (auto* p = dynamic_cast<TcComponentEditorOpenPicker*>(find(name)))
            p->OnChange = [action = std::move(action)](TcComponentEditorOpenPicker* s) {
                action(s->FileName);
            };
    };
    const auto onSave = [&](const char* name, std::function<void(const QString&)> action) {
        if (auto* p = dynamic_cast<TcComponentEditorSavePicker*>(find(name)))
            p->OnChange = [action = std::move(action)](TcComponentEditorSavePicker* s) {
                action(s->FileName);
            };
    };
    // A chosen log file goes into the edit, which writes it to the object.
    const auto toLogEdit = [this](const char* edit) {
        return [this, edit](const QString& file) {
            if (auto* e = dynamic_cast<TcComponentEditorEdit*>(Control(QString::fromLatin1(edit)))) {
                e->SetAsString(file);
                if (e->OnUpdate)
                    e->OnUpdate(e);
            }
        };
    };
    const auto logging = [](const std::function<void()>& hook) {
        return [hook](QString* error) { return CatchChartError(hook, error); };
    };

    // The selected channel's files and log.
    const auto channel = [this] { return dynamic_cast<TcPlotChannelCustom*>(Selected(pkChannel)); };
    onClick("ChannelLogActivateButton", [this, channel, logging] {
        if (TcPlotChannelCustom* c = channel())
            RunFileCommand(logging([c] { c->LogActivate(false); }));
        UpdatePage(pkChannel);
    });
    onClick("ChannelLogDeactivateButton", [this, channel, logging] {
        if (TcPlotChannelCustom* c = channel())
            RunFileCommand(logging([c] { c->LogDeactivate(); }));
        UpdatePage(pkChannel);
    });
    onOpen("ChannelLogFileNamePicker", toLogEdit("ChannelLogFileNameEdit"));
    onOpen("ChannelPropertiesOpenPicker", [this, channel](const QString& file) {
        if (TcPlotChannelCustom* c = channel())
            RunFileCommand([&](QString* e) { return c->LoadPropertiesFromFile(file, e); });
        UpdatePage(pkChannel);
    });
    onSave("ChannelPropertiesSavePicker", [this, channel](const QString& file) {
        if (TcPlotChannelCustom* c = channel())
            RunFileCommand([&](QString* e) { return c->SavePropertiesToFile(file, e); });
    });
    onOpen("ChannelDataOpenPicker", [this, channel](const QString& file) {
        if (TcPlotChannelCustom* c = channel())
            RunFileCommand([&](QString* e) { return c->LoadDataFromFile(file, true, e); });
    });
    onSave("ChannelDataSavePicker", [this, channel](const QString& file) {
        if (TcPlotChannelCustom* c = channel())
            RunFileCommand([&](QString* e) { return c->SaveDataToFile(file, e); });
    });

    // The chart's files and log.
    onClick("ControlLogActivateButton", [this, logging] {
        if (FChart)
            RunFileCommand(logging([this] { FChart->LogActivate(false); }));
        SetLoggingControls();
    });
    onClick("ControlLogDeactivateButton", [this, logging] {
        if (FChart)
            RunFileCommand(logging([this] { FChart->LogDeactivate(); }));
        SetLoggingControls();
    });
    onOpen("ControlLogFileNamePicker", toLogEdit("ControlLogFileNameEdit"));
    onOpen("ControlPropertiesOpenPicker", [this](const QString& file) {
        if (!FChart)
            return;
        RunFileCommand([&](QString* e) { return FChart->LoadPropertiesFromFile(file, e); });
        LoadChartPage();
        UpdateAll();
    });
    onSave("ControlPropertiesSavePicker", [this](const QString& file) {
        if (FChart)
            RunFileCommand([&](QString* e) { return FChart->SavePropertiesToFile(file, e); });
    });
    onOpen("ControlDataOpenPicker", [this](const QString& file) {
        if (FChart)
            RunFileCommand([&](QString* e) { return FChart->LoadDataFromFile(file, true, e); });
    });
    onSave("ControlDataSavePicker", [this](const QString& file) {
        if (FChart)
            RunFileCommand([&](QString* e) { return FChart->SaveDataToFile(file, e); });
    });
    onOpen("ControlAnnotationOpenPicker", [this](const QString& file) {
        if (FChart)
            RunFileCommand([&](QString* e) { return FChart->LoadAnnotationsFromFile(file, e); });
    });
    onSave("ControlAnnotationSavePicker", [this](const QString& file) {
        if (FChart)
            RunFileCommand([&](QString* e) { return FChart->SaveAnnotationsToFile(file, e); });
    });
}

} // namespace chart
