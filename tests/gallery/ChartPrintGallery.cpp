// Gallery pages of the chart's print preview (a letter sheet across, with the chart drawn inside
// its margins and the toolbar left out) and of the preview's settings dialog.
#include "Gallery.h"

#include "chart/view/PlotForms.h"
#include "chart/view/XYPlot.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

using namespace chart;

namespace
{

const gallery::GalleryPage preview(QStringLiteral("chart-print-preview"), [] {
    auto form = std::make_unique<TcPlotPreviewForm>(nullptr);
    // The previewed chart lives with the form, hidden: the sheet shows its picture.
    auto* chart = new TcXYPlot(form.get());
    chart->hide();
    chart->SetBounds(0, 0, 560, 320);
    chart->SetTitleText(QStringLiteral("Response"));
    chart->SetPrintDocumentName(QStringLiteral("Response"));
    TcXYPlotChannel* ch = chart->GetChannel(0);
    ch->SetTraceLineWidth(2);
    for (int i = 0; i <= 60; ++i)
        ch->AddXY(i * 2, 50 + 35 * std::sin(i / 7.0));
    form->iComponent = chart;
    form->PrintDocumentName = chart->PrintDocumentName();
    form->UpdateCaption();
    return std::unique_ptr<QWidget>(form.release());
});

const gallery::GalleryPage settings(QStringLiteral("chart-print-settings"), [] {
    auto d = std::make_unique<TcPlotPreviewSettingsForm>();
    d->PrintMarginLeftEdit->setText(QStringLiteral("1"));
    d->PrintMarginTopEdit->setText(QStringLiteral("0.75"));
    d->PrintMarginRightEdit->setText(QStringLiteral("1"));
    d->PrintMarginBottomEdit->setText(QStringLiteral("0.75"));
    d->LandscapeButton->setChecked(true);
    d->PrintDocumentNameEdit->setText(QStringLiteral("Response"));
    d->PrintPaperSizeComboBox->setCurrentIndex(3);
    return std::unique_ptr<QWidget>(d.release());
});

} // namespace
