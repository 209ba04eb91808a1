// The chart's own windows: the print preview with its settings dialog, and the one way every chart
// window and dialog (the save picker and the print dialog too) is shown modally, which tests replace.
// UI thread only.
#pragma once

#include "chart/core/ChartFormat.h"

#include <QDialog>
#include <QRect>
#include <functional>
#include <vector>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QPushButton;

namespace chart
{

class TcPlotComponent;

// Runs Dialog modally (exec) and gives its result; a test's runner may drive it instead.
int RunChartModal(QDialog& Dialog);
void SetChartModalRunner(std::function<int(QDialog&)> Runner);
// A warning with Text, shown modally over Parent.
void ShowChartMessage(QWidget* Parent, const QString& Text);

// Hides every toolbar of Chart for its lifetime; each gets its own visibility back.
class TcToolBarsHidden
{
  public:
    explicit TcToolBarsHidden(TcPlotComponent& Chart);
    ~TcToolBarsHidden();
    TcToolBarsHidden(const TcToolBarsHidden&) = delete;
    TcToolBarsHidden& operator=(const TcToolBarsHidden&) = delete;

  private:
    TcPlotComponent& FChart;
    std::vector<bool> FVisible;
};

// The sheet of the preview in a box of W x H pixels: the page with its printable area (inside the
// margins, in inches) and the picture of PictureSize scaled into it, keeping its proportions. The
// picture rectangle is empty when nothing fits.
struct TcPreviewSheet {
    QRect Page, Picture;
};
TcPreviewSheet PreviewSheetLayout(TcPaperSize Paper, bool Landscape, int W, int H, const double Margins[4],
                                  QSize PictureSize);
// The paper of the preview's paper-size index: letter, legal, A3, A4, A5; letter for any other.
TcPaperSize PreviewPaperSize(int PrintSize);

class TcPlotPreviewForm : public QDialog
{
  public:
    explicit TcPlotPreviewForm(TcPlotComponent* Chart, QWidget* Parent = nullptr);

    TcPlotComponent* iComponent;
    double PrintMarginLeft = 1, PrintMarginTop = 1, PrintMarginRight = 1, PrintMarginBottom = 1;
    int PrintOrientation = 1;
    QString PrintDocumentName;
    int PrintSize = 0;

    void DoTranslation();
    void UpdateCaption();
    // The sheet as the preview box shows it.
    QImage PaintSheet();
    void PrintButtonClick();
    void SettingsButtonClick();

    QToolButton* PrintButton;
    QPushButton *SettingsButton, *CloseButton;
    QWidget* Preview;

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
};

class TcPlotPreviewSettingsForm : public QDialog
{
  public:
    explicit TcPlotPreviewSettingsForm(QWidget* Parent = nullptr);

    QLineEdit *PrintMarginLeftEdit, *PrintMarginTopEdit, *PrintMarginRightEdit, *PrintMarginBottomEdit;
    QRadioButton *PortraitButton, *LandscapeButton;
    QLineEdit* PrintDocumentNameEdit;
    QComboBox* PrintPaperSizeComboBox;
    QPushButton *OKButton, *CancelButton;

    // A margin edit's value in inches; false when it is not a number of 0 or more.
    static bool MarginValue(const QLineEdit* Edit, double& Value);

    // OK closes only when every margin is a number of 0 or more.
    void accept() override;
};

} // namespace chart
