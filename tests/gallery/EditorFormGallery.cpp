// Gallery pages of the chart's property editor: one picture per page of the editor, opened on an
// XY chart with a second Y axis, a limit and a table, each page on its first sub-page, and the
// sub-pages with inner pages or many groups; the channel pages of a strip chart.
#include "Gallery.h"

#include "chart/editor/PlotEditorForm.h"
#include "chart/view/StripChart.h"
#include "chart/view/XYPlot.h"

#include <QTabWidget>

using namespace chart;

namespace
{

// The editor on the page with that caption and, when given, on that sub-page of it.
std::unique_ptr<QWidget> EditorPage(const QString& caption, const QString& subPage = QString(),
                                    bool strip = false)
{
    auto holder = std::make_unique<QWidget>();
    TcPlotComponent* plot = strip ? static_cast<TcPlotComponent*>(new TcPlot(holder.get()))
                                  : static_cast<TcPlotComponent*>(new TcXYPlot(holder.get()));
    plot->hide();
    plot->SetUserCanAddRemoveChannels(true);
    plot->Master().AddYAxis();
    plot->Master().AddLimit();
    plot->Master().AddTable();
    plot->GetChannelCustom(0)->SetName(QStringLiteral("Input"));
    plot->Master().CreateEditorForm();
    auto* form = dynamic_cast<TcPlotEditorForm*>(plot->Master().Editor());
    form->setParent(holder.get(), Qt::Widget);
    form->UpdateAll();
    form->LoadChartPage();
    TcComponentEditorPageControl* pages = form->MainPageControl();
    for (int i = 0; i < pages->count(); ++i)
        if (pages->tabText(i) == caption)
            pages->setCurrentIndex(i);
    if (auto* sub = pages->currentWidget()->findChild<QTabWidget*>())
        for (int i = 0; i < sub->count(); ++i)
            if (sub->tabText(i) == subPage)
                sub->setCurrentIndex(i);
    form->move(0, 0);
    form->show();
    holder->resize(form->size());
    return holder;
}

struct EditorPages {
    EditorPages()
    {
        InstallPlotEditor(); // every chart of the gallery has its editor
        for (const char* caption : {"Control", "Layout", "Channels", "Cursors", "Limits", "Labels", "X-Axes",
                                    "Y-Axes", "Legend", "Tables", "ToolBar", "Data View"}) {
            QString name = QString::fromLatin1(caption).toLower();
            name.replace(QLatin1Char(' '), QLatin1Char('-'));
            gallery::RegisterGalleryPage(QStringLiteral("chart-editor-") + name,
                                         [c = QString::fromLatin1(caption)] { return EditorPage(c); });
        }
        // Sub-pages with inner pages or many groups.
        const char* subPages[][3] = {
            {"chart-editor-x-axes-labels", "X-Axes", "Labels"},
            {"chart-editor-channels-marker", "Channels", "Marker"},
            {"chart-editor-channels-stats", "Channels", "Stats"},
            {"chart-editor-data-view-grid-lines", "Data View", "Grid Lines"},
            {"chart-editor-legend-wrap", "Legend", "Wrap"},
            {"chart-editor-control-annotation-defaults", "Control", "Annotation Defaults"},
            {"chart-editor-control-file-io", "Control", "File I/O"},
            {"chart-editor-channels-file-io", "Channels", "File I/O"}};
        for (const auto& p : subPages)
            gallery::RegisterGalleryPage(QString::fromLatin1(p[0]),
                                         [c = QString::fromLatin1(p[1]), sub = QString::fromLatin1(p[2])] {
                                             return EditorPage(c, sub);
                                         });
        // The strip chart's channel page with the tabs of its own channels.
        for (const char* sub : {"General", "Trace", "Bar", "High/Low", "Fill", "Digital"}) {
            QString name = QString::fromLatin1(sub).toLower();
            name.remove(QLatin1Char('/'));
            gallery::RegisterGalleryPage(
                QStringLiteral("chart-editor-strip-channels-") + name,
                [s = QString::fromLatin1(sub)] { return EditorPage(QStringLiteral("Channels"), s, true); });
        }
    }
} const editorPages;

} // namespace
