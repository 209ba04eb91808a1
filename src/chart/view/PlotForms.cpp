#include "chart/view/PlotForms.h"

#include "chart/objects/PlotToolBar.h"
#include "chart/view/PlotComponent.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPicture>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

namespace chart
{

namespace
{
std::function<int(QDialog&)>& ModalRunner()
{
    static std::function<int(QDialog&)> runner;
    return runner;
}
} // namespace

int RunChartModal(QDialog& Dialog)
{
    return ModalRunner() ? ModalRunner()(Dialog) : Dialog.exec();
}

void SetChartModalRunner(std::function<int(QDialog&)> Runner)
{
    ModalRunner() = std::move(Runner);
}

void ShowChartMessage(QWidget* Parent, const QString& Text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Chart"), Text, QMessageBox::Ok, Parent);
    RunChartModal(box);
}

TcToolBarsHidden::TcToolBarsHidden(TcPlotComponent& Chart) : FChart(Chart)
{
    for (int i = 0; i < Chart.ToolBarCount(); ++i) {
        FVisible.push_back(Chart.GetToolBar(i)->Visible());
        Chart.GetToolBar(i)->SetVisible(false);
    }
}

TcToolBarsHidden::~TcToolBarsHidden()
{
    for (int i = 0; i < FChart.ToolBarCount() && i < int(FVisible.size()); ++i)
        FChart.GetToolBar(i)->SetVisible(FVisible[std::size_t(i)]);
}

TcPaperSize PreviewPaperSize(int PrintSize)
{
    static constexpr std::uint16_t kCodes[] = {1, 5, 8, 9, 11};
    return GetPaperSizeInInches(PrintSize >= 0 && PrintSize < 5 ? kCodes[PrintSize] : 1);
}

TcPreviewSheet PreviewSheetLayout(TcPaperSize Paper, bool Landscape, int W, int H, const double Margins[4],
                                  QSize PictureSize)
{
    TcPreviewSheet sheet;
    if (Landscape)
        std::swap(Paper.Width, Paper.Height);
    if (Paper.Width <= 0 || Paper.Height <= 0 || W <= 20 || H <= 20)
        return sheet;
    const double aw = W - 20, ah = H - 20;
    int pageW, pageH;
    if (ah / Paper.Height > aw / Paper.Width) {
        pageW = W - 20;
        pageH = int(RoundHalfEven(aw / Paper.Width * Paper.Height));
    } else {
        pageH = H - 20;
        pageW = int(RoundHalfEven(ah / Paper.Height * Paper.Width));
    }
    const int p = int(RoundHalfEven(pageW / Paper.Width));
    const int left = W / 2 - pageW / 2 - 5, top = H / 2 - pageH / 2 - 5;
    sheet.Page = QRect(left, top, W / 2 + pageW / 2 - 5 - left, H / 2 + pageH / 2 - 5 - top);
    const int printW = pageW - int(RoundHalfEven((Margins[0] + Margins[2]) * p));
    const int printH = pageH - int(RoundHalfEven((Margins[1] + Margins[3]) * p));
    // Margins wider than the paper or an empty picture leave the page blank.
    if (printW <= 0 || printH <= 0 || PictureSize.width() <= 0 || PictureSize.height() <= 0)
        return sheet;
    const double rw = double(printW) / PictureSize.width(), rh = double(printH) / PictureSize.height();
    int w, h;
    if (rw < rh) {
        w = printW;
        h = int(RoundHalfEven(PictureSize.height() * rw));
    } else {
        h = printH;
        w = int(RoundHalfEven(PictureSize.width() * rh));
    }
    sheet.Picture = QRect(sheet.Page.left() + int(RoundHalfEven(p * Margins[0])),
                          sheet.Page.top() + int(RoundHalfEven(p * Margins[1])), w, h);
    return sheet;
}

// The preview form.

TcPlotPreviewForm::TcPlotPreviewForm(TcPlotComponent* Chart, QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      iComponent(Chart)
{
    resize(836, 563);
    setMinimumSize(500, 300);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setFixedHeight(41);
    PrintButton = new QToolButton(panel);
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    PrintButton->setGeometry(8, 6, 28, 28);
    PrintButton->setIcon(QIcon(QPixmap::fromImage(ToolBarPicture(QStringLiteral("PRINTER")))));
    PrintButton->setIconSize(QSize(22, 22));
    PrintButton->setToolTip(QStringLiteral("Print"));
    PrintButton->setEnabled(TcPlotComponent::PrintingAvailable());
    SettingsButton = new QPushButton(QStringLiteral("Settings"), panel);
    SettingsButton->setObjectName(QStringLiteral("SettingsButton"));
    SettingsButton->setGeometry(44, 6, 75, 28);
    CloseButton = new QPushButton(QStringLiteral("Close"), panel);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(127, 6, 75, 28);
    Preview = new QWidget(this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setAttribute(Qt::WA_OpaquePaintEvent);
    Preview->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(Preview, 1);
    connect(PrintButton, &QToolButton::clicked, this, [this] { PrintButtonClick(); });
    connect(SettingsButton, &QPushButton::clicked, this, [this] { SettingsButtonClick(); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    if (Chart) {
        PrintMarginLeft = Chart->PrintMarginLeft();
        PrintMarginTop = Chart->PrintMarginTop();
        PrintMarginRight = Chart->PrintMarginRight();
        PrintMarginBottom = Chart->PrintMarginBottom();
        PrintOrientation = Chart->PrintOrientation();
        PrintDocumentName = Chart->PrintDocumentName();
    }
    UpdateCaption();
}

void TcPlotPreviewForm::UpdateCaption()
{
    setWindowTitle(PrintDocumentName + QStringLiteral(" (Preview)"));
}

void TcPlotPreviewForm::DoTranslation()
{
    if (iComponent)
        iComponent->Master().TranslateForm(this);
}

QImage TcPlotPreviewForm::PaintSheet()
{
    QImage image(std::max(1, Preview->width()), std::max(1, Preview->height()), QImage::Format_RGB32);
    image.fill(fw::ToQColor(fw::clBtnFace));
    if (!iComponent)
        return image;
    TcPlotComponent& chart = *iComponent;
    const TcToolBarsHidden hidden(chart);
    if (chart.OnBeforePrint)
        chart.OnBeforePrint(this);
    const double margins[4] = {chart.PrintMarginLeft(), chart.PrintMarginTop(), chart.PrintMarginRight(),
                               chart.PrintMarginBottom()};
    const QSize pictureSize(chart.Width(), chart.Height());
    const TcPreviewSheet sheet =
        PreviewSheetLayout(PreviewPaperSize(PrintSize), PrintOrientation == poLandscape, image.width(),
                           image.height(), margins, pictureSize);
    QPainter painter(&image);
    if (!sheet.Page.isEmpty()) {
        painter.fillRect(sheet.Page.translated(7, 7), Qt::black);
        painter.fillRect(sheet.Page, Qt::white);
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(sheet.Page.adjusted(0, 0, -1, -1));
    }
    if (!sheet.Picture.isEmpty()) {
        const QPicture& picture = chart.GetSnapShotPicture();
        painter.save();
        painter.setClipRect(sheet.Picture);
        painter.translate(sheet.Picture.topLeft());
        painter.scale(double(sheet.Picture.width()) / pictureSize.width(),
                      double(sheet.Picture.height()) / pictureSize.height());
        painter.drawPicture(0, 0, picture);
        painter.restore();
    }
    painter.end();
    if (chart.OnAfterPrint)
        chart.OnAfterPrint(this);
    return image;
}

bool TcPlotPreviewForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == Preview && Event->type() == QEvent::Paint) {
        QImage sheet;
        GuardChartCall("preview paint", [&] { sheet = PaintSheet(); });
        QPainter painter(Preview);
        painter.drawImage(0, 0, sheet);
        return true;
    }
    return QDialog::eventFilter(Watched, Event);
}

void TcPlotPreviewForm::PrintButtonClick()
{
    if (!iComponent)
        return;
    QString error;
    if (!iComponent->PrintChart(&error))
        ShowChartMessage(this, error);
    Preview->update();
}

void TcPlotPreviewForm::SettingsButtonClick()
{
    TcPlotPreviewSettingsForm d(this);
    d.PrintMarginLeftEdit->setText(QString::number(PrintMarginLeft));
    d.PrintMarginTopEdit->setText(QString::number(PrintMarginTop));
    d.PrintMarginRightEdit->setText(QString::number(PrintMarginRight));
    d.PrintMarginBottomEdit->setText(QString::number(PrintMarginBottom));
    (PrintOrientation == poLandscape ? d.LandscapeButton : d.PortraitButton)->setChecked(true);
    d.PrintDocumentNameEdit->setText(PrintDocumentName);
    d.PrintPaperSizeComboBox->setCurrentIndex(std::clamp(PrintSize, 0, 4));
    if (iComponent)
        iComponent->Master().TranslateForm(&d);
    if (RunChartModal(d) != QDialog::Accepted)
        return;
    TcPlotPreviewSettingsForm::MarginValue(d.PrintMarginLeftEdit, PrintMarginLeft);
    TcPlotPreviewSettingsForm::MarginValue(d.PrintMarginTopEdit, PrintMarginTop);
    TcPlotPreviewSettingsForm::MarginValue(d.PrintMarginRightEdit, PrintMarginRight);
    TcPlotPreviewSettingsForm::MarginValue(d.PrintMarginBottomEdit, PrintMarginBottom);
    PrintOrientation = d.LandscapeButton->isChecked() ? poLandscape : poPortrait;
    PrintDocumentName = d.PrintDocumentNameEdit->text();
    PrintSize = d.PrintPaperSizeComboBox->currentIndex();
    if (iComponent) {
        iComponent->SetPrintMarginLeft(PrintMarginLeft);
        iComponent->SetPrintMarginTop(PrintMarginTop);
        iComponent->SetPrintMarginRight(PrintMarginRight);
        iComponent->SetPrintMarginBottom(PrintMarginBottom);
        iComponent->SetPrintOrientation(TcPrinterOrientation(PrintOrientation));
        iComponent->SetPrintDocumentName(PrintDocumentName);
    }
    UpdateCaption();
    Preview->update();
}

// The settings dialog.

TcPlotPreviewSettingsForm::TcPlotPreviewSettingsForm(QWidget* Parent) : QDialog(Parent)
{
    setWindowTitle(QStringLiteral("Settings"));
    auto* margin = new QGroupBox(QStringLiteral("Margin"), this);
    auto* marginLayout = new QFormLayout(margin);
    const auto edit = [&](const char* name, const char* label) {
        auto* e = new QLineEdit(margin);
        e->setObjectName(QString::fromLatin1(name));
        marginLayout->addRow(new QLabel(QString::fromLatin1(label), margin), e);
        return e;
    };
    PrintMarginLeftEdit = edit("PrintMarginLeftEdit", "Left");
    PrintMarginTopEdit = edit("PrintMarginTopEdit", "Top");
    PrintMarginRightEdit = edit("PrintMarginRightEdit", "Right");
    PrintMarginBottomEdit = edit("PrintMarginBottomEdit", "Bottom");
    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), this);
    orientation->setObjectName(QStringLiteral("PrintOrientationRadioGroup"));
    auto* orientationLayout = new QVBoxLayout(orientation);
    PortraitButton = new QRadioButton(QStringLiteral("Portrait"), orientation);
    LandscapeButton = new QRadioButton(QStringLiteral("Landscape"), orientation);
    orientationLayout->addWidget(PortraitButton);
    orientationLayout->addWidget(LandscapeButton);
    orientationLayout->addStretch(1);
    PrintDocumentNameEdit = new QLineEdit(this);
    PrintDocumentNameEdit->setObjectName(QStringLiteral("PrintDocumentNameEdit"));
    PrintPaperSizeComboBox = new QComboBox(this);
    PrintPaperSizeComboBox->setObjectName(QStringLiteral("PrintPaperSizeComboBox"));
    PrintPaperSizeComboBox->addItems({QStringLiteral("Letter"), QStringLiteral("Legal"), QStringLiteral("A3"),
                                      QStringLiteral("A4"), QStringLiteral("A5")});
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { reject(); });

    auto* top = new QHBoxLayout;
    top->addWidget(margin);
    top->addWidget(orientation);
    auto* fields = new QFormLayout;
    fields->addRow(new QLabel(QStringLiteral("Document Name"), this), PrintDocumentNameEdit);
    fields->addRow(new QLabel(QStringLiteral("Paper Size"), this), PrintPaperSizeComboBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

bool TcPlotPreviewSettingsForm::MarginValue(const QLineEdit* Edit, double& Value)
{
    bool ok = false;
    const double v = Edit->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0)
        return false;
    Value = v;
    return true;
}

void TcPlotPreviewSettingsForm::accept()
{
    for (QLineEdit* e :
         {PrintMarginLeftEdit, PrintMarginTopEdit, PrintMarginRightEdit, PrintMarginBottomEdit}) {
        double v = 0;
        if (!MarginValue(e, v)) {
            ShowChartMessage(
                this,
                QStringLiteral("\"%1\" is not a margin in inches (a number of 0 or more)").arg(e->text()));
            e->setFocus();
            return;
        }
    }
    QDialog::accept();
}

} // namespace chart
