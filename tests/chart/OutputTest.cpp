// The chart's output: image files by extension and their compression ranges, the clipboard, printing
// into a PDF along the first X axis with the chart's state restored, the save picker, the toolbar's
// commands, and the print preview with its settings dialog. Modal dialogs go through a test runner.
#include "ChartFixture.h"
#include "chart/io/Printer.h"
#include "chart/objects/PlotToolBar.h"
#include "chart/view/PlotForms.h"
#include "chart/view/XYPlot.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace chart;
using namespace charttest;

namespace
{

// Dialogs shown modally go to Run instead of a loop, for the scope's lifetime.
struct ModalScope {
    explicit ModalScope(std::function<int(QDialog&)> Run) { SetChartModalRunner(std::move(Run)); }
    ~ModalScope() { SetChartModalRunner(nullptr); }
};

// Printing installed, into File, for the scope's lifetime.
struct PrintScope {
    explicit PrintScope(const QString& File)
    {
        InstallPlotPrinting();
        SetPrintToFile(File);
    }
    ~PrintScope()
    {
        SetPrintToFile(QString());
        SetPlotPrinter(nullptr);
    }
};

QByteArray FileBytes(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The page objects of a PDF file.
int PdfPages(const QByteArray& pdf)
{
    return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

// A chart of 400 x 300 with a curve, its X axis at Min -100, Span 120, and a second toolbar that is
// hidden while the first shows.
class Output : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureApp();
        chart = std::make_unique<TcXYPlot>();
        chart->SetBounds(0, 0, 400, 300);
        chart->SetPrintShowDialog(false);
        for (int i = 0; i <= 20; ++i)
            chart->GetChannel(0)->AddXY(-100 + i * 6, i * 3);
        x()->SetTrackingEnabled(false);
        x()->SetMinSpan(-100, 120);
        chart->GetToolBar(chart->AddToolBar())->SetVisible(false);
        ASSERT_EQ(chart->ToolBarCount(), 2);
        ASSERT_TRUE(chart->GetToolBar(0)->Visible());
    }
    TcPlotAxis* x() { return chart->GetXAxis(0); }
    std::vector<bool> ToolBarsVisible()
    {
        std::vector<bool> v;
        for (int i = 0; i < chart->ToolBarCount(); ++i)
            v.push_back(chart->GetToolBar(i)->Visible());
        return v;
    }
    // The chart's picture with every toolbar hidden.
    QImage WithoutToolBars()
    {
        const TcToolBarsHidden hidden(*chart);
        return chart->PaintToImage();
    }
    void ClickToolBar(TcPlotToolBarButtonType Type)
    {
        chart->ReCalcLayout();
        TcPlotToolBar* bar = chart->GetToolBar(0);
        for (int i = 0; i < bar->ButtonCount(); ++i) {
            TcPlotToolBarButton* b = bar->Button(i);
            if (b->ButtonType() != Type || b->Style() == iptbbsSpacer)
                continue;
            const QPointF at(b->DrawRect().Left + 5, b->DrawRect().Top + 5);
            QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(chart.get(), &press);
            QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            QApplication::sendEvent(chart.get(), &release);
            return;
        }
        ADD_FAILURE() << "no button of type " << int(Type);
    }
    std::unique_ptr<TcXYPlot> chart;
    QTemporaryDir dir;
};

} // namespace

TEST_F(Output, ImageFilesTakeTheirFormatFromTheExtensionInAnyCase)
{
    struct Case {
        const char* file;
        const char* format; // what the file must read as; null: a PDF
    };
    for (const Case& c : {Case{"a.bmp", "BMP"}, Case{"B.BMP", "BMP"}, Case{"c.Jpg", "JPEG"},
                          Case{"d.PNG", "PNG"}, Case{"e.pdf", nullptr}, Case{"f.PDF", nullptr}}) {
        SCOPED_TRACE(c.file);
        const QString name = dir.filePath(QString::fromLatin1(c.file));
        QString error;
        ASSERT_TRUE(chart->SaveImage(name, &error)) << error.toStdString();
        const QByteArray bytes = FileBytes(name);
        if (!c.format) {
            EXPECT_TRUE(bytes.startsWith("%PDF"));
            EXPECT_EQ(PdfPages(bytes), 1);
            continue;
        }
        QImage image;
        ASSERT_TRUE(image.loadFromData(bytes, c.format));
        EXPECT_EQ(image.size(), QSize(400, 300));
    }
    // The bitmap is the chart's own picture, not the screen's.
    QImage bmp;
    ASSERT_TRUE(bmp.load(dir.filePath("a.bmp"), "BMP"));
    EXPECT_EQ(bmp.convertToFormat(QImage::Format_RGB32), chart->PaintToImage());

    // Unknown endings are refused with a text naming the file, and nothing is written.
    for (const char* file : {"g.emf", "h.txt", "Untitled", "i.bmp.bak"}) {
        SCOPED_TRACE(file);
        const QString name = dir.filePath(QString::fromLatin1(file));
        QString error;
        EXPECT_FALSE(chart->SaveImage(name, &error));
        EXPECT_TRUE(error.contains(name) && error.contains("file type is not known")) << error.toStdString();
        EXPECT_FALSE(QFile::exists(name));
    }
}

TEST_F(Output, CompressionOutsideItsRangeIsRefusedAndAFailedWriteKeepsTheOldFile)
{
    struct Case {
        const char* name;
        std::function<bool(QString*)> save;
        const char* error; // null: accepted
    };
    const QString jpg = dir.filePath("x.jpg"), png = dir.filePath("x.png");
    TcPlotComponent& c = *chart;
    for (const Case& k : {
             Case{"JPEG 0", [&](QString* e) { return c.SaveImageToJPEG(jpg, 0, false, e); },
                  "Compression must be in the range of 1-100"},
             Case{"JPEG 101", [&](QString* e) { return c.SaveImageToJPEG(jpg, 101, true, e); },
                  "Compression must be in the range of 1-100"},
             Case{"JPEG bytes 0", [&](QString* e) { return c.GetBytesJPEG(0, false, e).has_value(); },
                  "Compression must be in the range of 1-100"},
             Case{"PNG -1", [&](QString* e) { return c.SaveImageToPNG(png, -1, e); },
                  "Compression must be in the range of 0-9"},
             Case{"PNG bytes 10", [&](QString* e) { return c.GetBytesPNG(10, e).has_value(); },
                  "Compression must be in the range of 0-9"},
             Case{"JPEG 1", [&](QString* e) { return c.SaveImageToJPEG(jpg, 1, false, e); }, nullptr},
             Case{"JPEG 100", [&](QString* e) { return c.SaveImageToJPEG(jpg, 100, true, e); }, nullptr},
             Case{"PNG 0", [&](QString* e) { return c.SaveImageToPNG(png, 0, e); }, nullptr},
             Case{"PNG 9", [&](QString* e) { return c.SaveImageToPNG(png, 9, e); }, nullptr},
         }) {
        SCOPED_TRACE(k.name);
        QString error;
        EXPECT_EQ(k.save(&error), k.error == nullptr);
        EXPECT_EQ(error, k.error ? QString::fromLatin1(k.error) : QString());
    }
    // The PNG level reaches the encoder: level 0 stores, level 9 compresses.
    const auto stored = chart->GetBytesPNG(0), packed = chart->GetBytesPNG(9);
    ASSERT_TRUE(stored && packed);
    EXPECT_GT(stored->size(), 2 * packed->size());
    QImage a, b;
    ASSERT_TRUE(a.loadFromData(*stored, "PNG") && b.loadFromData(*packed, "PNG"));
    EXPECT_EQ(a, b);

    // A write into a missing folder is refused with the path; a failing paint keeps the old file.
    QString error;
    EXPECT_FALSE(chart->SaveImageToPNG(dir.filePath("missing/x.png"), 9, &error));
    EXPECT_TRUE(error.startsWith("Error Saving PNG - " + dir.filePath("missing/x.png")))
        << error.toStdString();
    const QByteArray before = FileBytes(jpg);
    chart->OnAfterPaint = [](TcPlotComponent*) { throw EChartError(QStringLiteral("no paint")); };
    EXPECT_FALSE(chart->SaveImageToJPEG(jpg, 50, false, &error));
    EXPECT_EQ(error, "no paint");
    EXPECT_EQ(FileBytes(jpg), before);
}

TEST_F(Output, CopyHidesEveryToolBarAndGivesEachItsOwnVisibilityBack)
{
    struct Case {
        const char* name;
        TcPlotExportFormat format;
        const char* mime;
        bool image;
    };
    for (const Case& c :
         {Case{"metafile", ipefMetaFile, "application/pdf", true}, Case{"bitmap", ipefBitmap, nullptr, true},
          Case{"JPEG", ipefJPEG, "image/jpeg", false}}) {
        SCOPED_TRACE(c.name);
        QApplication::clipboard()->clear();
        chart->SetCopyToClipBoardFormat(c.format);
        chart->GetLegend(0)->SetUserSelected(true);
        EXPECT_TRUE(chart->CopyToClipBoard());
        EXPECT_EQ(ToolBarsVisible(), (std::vector<bool>{true, false}));
        EXPECT_FALSE(chart->GetLegend(0)->UserSelected());
        const QMimeData* data = QApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        if (c.mime) {
            EXPECT_FALSE(data->data(QString::fromLatin1(c.mime)).isEmpty());
        }
        if (c.format == ipefJPEG) {
            QImage jpeg;
            ASSERT_TRUE(jpeg.loadFromData(data->data("image/jpeg"), "JPEG"));
            EXPECT_EQ(jpeg.size(), QSize(400, 300));
        }
        EXPECT_EQ(data->hasImage(), c.image);
        if (c.image) {
            EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32),
                      WithoutToolBars());
        }
    }
    // A picture that cannot be drawn: refused with the reason, the clipboard and toolbars kept.
    chart->OnAfterPaint = [](TcPlotComponent*) { throw EChartError(QStringLiteral("no paint")); };
    QString error;
    EXPECT_FALSE(chart->CopyToClipBoard(&error));
    EXPECT_EQ(error, "no paint");
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat("image/jpeg"));
    EXPECT_EQ(ToolBarsVisible(), (std::vector<bool>{true, false}));
    chart->OnAfterPaint = nullptr;

    // Without any toolbar the copy works all the same.
    chart->RemoveAllToolBars();
    chart->SetCopyToClipBoardFormat(ipefBitmap);
    EXPECT_TRUE(chart->CopyToClipBoard());
    EXPECT_EQ(qvariant_cast<QImage>(QApplication::clipboard()->mimeData()->imageData())
                  .convertToFormat(QImage::Format_RGB32),
              chart->PaintToImage());
}

TEST_F(Output, PrintingAWholeRangePrintsOnePageAndRestoresTheChart)
{
    const QString pdf = dir.filePath("print.pdf");
    const PrintScope printing(pdf);
    std::vector<std::pair<int, bool>> pages;
    std::vector<std::vector<bool>> toolBarsWhilePrinting;
    chart->OnBeforePrintPage = [&](int page, bool last) {
        pages.push_back({page, last});
        toolBarsWhilePrinting.push_back(ToolBarsVisible());
    };
    // Before a first print there is no paper to fit.
    chart->PrintSizeToFillPage();
    chart->PrintAdjustXSpanToMinutesPerMillimeter(10);
    EXPECT_EQ(chart->Height(), 300);
    EXPECT_EQ(x()->Span(), 120);

    QString error;
    ASSERT_TRUE(chart->PrintChart(&error)) << error.toStdString();
    EXPECT_EQ(PdfPages(FileBytes(pdf)), 1);
    EXPECT_EQ(pages, (std::vector<std::pair<int, bool>>{{1, true}}));
    EXPECT_EQ(toolBarsWhilePrinting, (std::vector<std::vector<bool>>{{false, false}}));
    EXPECT_EQ(x()->Min(), -100);
    EXPECT_EQ(x()->Span(), 120);
    EXPECT_EQ(ToolBarsVisible(), (std::vector<bool>{true, false}));
    const TcPrintPaper paper = chart->PrintPaper();
    EXPECT_GT(paper.WidthInches, paper.HeightInches) << "landscape";
    EXPECT_EQ(paper.WidthPixels, std::lround(paper.WidthInches * 1200)) << "printer pixels";
    chart->PrintSizeToFillPage();
    EXPECT_EQ(chart->Height(), int(400 * paper.HeightInches / paper.WidthInches));
    chart->SetBounds(0, 0, 400, 300);

    // A handler that narrows the span before printing gets a page per span; the axis comes back.
    QFile::remove(pdf);
    pages.clear();
    std::vector<double> mins;
    chart->OnBeforePrint = [&](QObject*) { x()->SetSpan(40); };
    chart->OnBeforePrintPage = [&](int page, bool last) {
        pages.push_back({page, last});
        mins.push_back(x()->Min());
    };
    ASSERT_TRUE(chart->PrintChart(&error)) << error.toStdString();
    EXPECT_EQ(PdfPages(FileBytes(pdf)), 3);
    EXPECT_EQ(pages, (std::vector<std::pair<int, bool>>{{1, false}, {2, false}, {3, true}}));
    EXPECT_EQ(mins, (std::vector<double>{-100, -60, -20}));
    EXPECT_EQ(x()->Min(), -100);
    EXPECT_EQ(x()->Span(), 120);

    // Without toolbars printing works as well.
    chart->OnBeforePrint = nullptr;
    chart->RemoveAllToolBars();
    QFile::remove(pdf);
    ASSERT_TRUE(chart->PrintChart(&error)) << error.toStdString();
    EXPECT_EQ(PdfPages(FileBytes(pdf)), 1);
}

TEST_F(Output, PrintFailuresAndACancelledDialogLeaveTheChartAsItWas)
{
    const QString pdf = dir.filePath("print.pdf");
    int dialogs = 0;
    const ModalScope modal([&](QDialog& d) {
        ++dialogs;
        EXPECT_NE(d.metaObject()->className(), nullptr);
        return int(QDialog::Rejected);
    });
    QString error;
    {
        // No print support installed: refused, and the toolbar's Print is off.
        EXPECT_FALSE(chart->PrintChart(&error));
        EXPECT_TRUE(error.startsWith("Error Printing : ")) << error.toStdString();
        EXPECT_FALSE(chart->ToolBarCommandAvailable(iptbbtPrint));
    }
    const PrintScope printing(pdf);
    EXPECT_TRUE(chart->ToolBarCommandAvailable(iptbbtPrint));
    // The print dialog cancelled: nothing printed, no error.
    chart->SetPrintShowDialog(true);
    EXPECT_TRUE(chart->PrintChart(&error));
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(QFile::exists(pdf));
    chart->SetPrintShowDialog(false);
    // Margins wider than the paper.
    chart->SetPrintMarginLeft(20);
    chart->SetPrintMarginRight(20);
    EXPECT_FALSE(chart->PrintChart(&error));
    EXPECT_EQ(error, "Error Printing : the print margins leave no room on the paper");
    EXPECT_FALSE(QFile::exists(pdf));
    chart->SetPrintMarginLeft(1);
    chart->SetPrintMarginRight(1);
    // A page that cannot be drawn: the job ends, the chart's state comes back.
    chart->OnBeforePrintPage = [&](int, bool) {
        x()->SetMin(-50);
        throw EChartError(QStringLiteral("no paper"));
    };
    EXPECT_FALSE(chart->PrintChart(&error));
    EXPECT_EQ(error, "Error Printing : no paper");
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(x()->Min(), -100);
    EXPECT_EQ(x()->Span(), 120);
    EXPECT_EQ(ToolBarsVisible(), (std::vector<bool>{true, false}));
    // A PDF that cannot be written.
    chart->OnBeforePrintPage = nullptr;
    SetPrintToFile(dir.filePath("missing/print.pdf"));
    EXPECT_FALSE(chart->PrintChart(&error));
    EXPECT_TRUE(error.startsWith("Error Printing : ") && error.contains("missing/print.pdf"))
        << error.toStdString();
}

TEST_F(Output, SavePickerOffersTheFileTypesAndSavesTheChosenFile)
{
    std::string chosen;
    QStringList filters;
    QString selectedFilter, suffix;
    const ModalScope modal([&](QDialog& d) {
        auto* picker = qobject_cast<QFileDialog*>(&d);
        if (!picker)
            return int(QDialog::Rejected);
        filters = picker->nameFilters();
        selectedFilter = picker->selectedNameFilter();
        suffix = picker->defaultSuffix();
        if (chosen.empty())
            return int(QDialog::Rejected);
        picker->selectFile(QString::fromStdString(chosen));
        return int(QDialog::Accepted);
    });
    chart->SetDefaultSaveImageFormat(ipifJPEG);
    chart->SetDefaultSaveImageDirectory(dir.path());
    QString error;
    EXPECT_TRUE(chart->Save(&error)) << "a cancel is no failure";
    EXPECT_EQ(filters, (QStringList{"Bitmap (*.bmp)", "PDF (*.pdf)", "JPEG File (*.jpg)", "PNG (*.png)"}));
    EXPECT_EQ(selectedFilter, "JPEG File (*.jpg)");
    EXPECT_EQ(suffix, "jpg");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    chosen = dir.filePath("chart.PNG").toStdString();
    ASSERT_TRUE(chart->Save(&error)) << error.toStdString();
    QImage saved;
    EXPECT_TRUE(saved.load(dir.filePath("chart.PNG"), "PNG"));

    // A name without an extension takes the chosen type's.
    chart->SetDefaultSaveImageFormat(ipifPNG);
    chosen = dir.filePath("plain").toStdString();
    ASSERT_TRUE(chart->Save(&error)) << error.toStdString();
    EXPECT_EQ(suffix, "png");
    EXPECT_TRUE(saved.load(dir.filePath("plain.png"), "PNG"));

    chosen = dir.filePath("chart.emf").toStdString();
    EXPECT_FALSE(chart->Save(&error));
    EXPECT_TRUE(error.contains("chart.emf")) << error.toStdString();
}

TEST_F(Output, ToolBarCommandsReachTheChartAndShowTheirFailures)
{
    std::vector<QString> shown;
    QString saveAs;
    const ModalScope modal([&](QDialog& d) {
        shown.push_back(dynamic_cast<TcPlotPreviewForm*>(&d)
                            ? QStringLiteral("preview")
                            : QString::fromLatin1(d.metaObject()->className()));
        if (auto* box = qobject_cast<QMessageBox*>(&d))
            shown.back() += ": " + box->text();
        if (auto* picker = qobject_cast<QFileDialog*>(&d)) {
            picker->selectFile(saveAs);
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    TcPlotToolBar* bar = chart->GetToolBar(0);
    bar->SetShowPreviewButton(true);
    chart->SetBounds(0, 0, 640, 300); // room for every button
    chart->ReCalcLayout();
    for (int i = 0; i < bar->ButtonCount(); ++i) {
        const TcPlotToolBarButton* b = bar->Button(i);
        if (b->Style() == iptbbsSpacer)
            continue;
        SCOPED_TRACE(b->Hint().toStdString());
        const bool off = b->ButtonType() == iptbbtEdit || b->ButtonType() == iptbbtPrint;
        EXPECT_EQ(b->Enabled(), !off);
    }
    QApplication::clipboard()->clear();
    ClickToolBar(iptbbtCopy);
    EXPECT_NE(QApplication::clipboard()->mimeData()->data("application/pdf").size(), 0);

    saveAs = dir.filePath("chart.jpeg");
    ClickToolBar(iptbbtSave);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "QFileDialog");
    EXPECT_TRUE(shown[1].startsWith("QMessageBox: Cannot save")) << shown[1].toStdString();

    ClickToolBar(iptbbtPreview);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], "preview");

    const QString pdf = dir.filePath("print.pdf");
    const PrintScope printing(pdf);
    ClickToolBar(iptbbtPrint);
    EXPECT_EQ(PdfPages(FileBytes(pdf)), 1);
}

TEST(PreviewSheet, PageAndPictureFitTheBox)
{
    struct Case {
        const char* name;
        int paper;
        bool landscape;
        int w, h;
        double margins[4];
        QSize picture;
        QRect page, pictureRect;
    };
    for (const Case& c : {
             // Letter across, limited by the height: 468 high, 468 / 8.5 x 11 = 605.6 wide.
             Case{"letter landscape",
                  0,
                  true,
                  828,
                  488,
                  {1, 1, 1, 1},
                  {400, 300},
                  QRect(106, 5, 606, 468),
                  QRect(106 + 55, 5 + 55, 477, 358)},
             // No margins: the picture reaches the page's edges in the direction that limits it.
             Case{"no margins, wide picture",
                  0,
                  true,
                  828,
                  488,
                  {0, 0, 0, 0},
                  {800, 300},
                  QRect(106, 5, 606, 468),
                  QRect(106, 5, 606, 227)},
             Case{"no margins, tall picture",
                  3,
                  false,
                  828,
                  488,
                  {0, 0, 0, 0},
                  {300, 800},
                  QRect(244, 5, 330, 468),
                  QRect(244, 5, 176, 468)},
             // Margins wider than the paper leave the page blank.
             Case{"margins too wide",
                  0,
                  false,
                  828,
                  488,
                  {5, 1, 5, 1},
                  {400, 300},
                  QRect(228, 5, 362, 468),
                  QRect()},
             Case{"an empty picture",
                  0,
                  false,
                  828,
                  488,
                  {1, 1, 1, 1},
                  {0, 0},
                  QRect(228, 5, 362, 468),
                  QRect()},
         }) {
        SCOPED_TRACE(c.name);
        const TcPreviewSheet s =
            PreviewSheetLayout(PreviewPaperSize(c.paper), c.landscape, c.w, c.h, c.margins, c.picture);
        EXPECT_EQ(s.Page, c.page);
        EXPECT_EQ(s.Picture, c.pictureRect);
    }
    struct Paper {
        int index;
        std::uint16_t code;
    };
    for (const Paper& p :
         {Paper{0, 1}, Paper{1, 5}, Paper{2, 8}, Paper{3, 9}, Paper{4, 11}, Paper{5, 1}, Paper{-1, 1}}) {
        SCOPED_TRACE(p.index);
        EXPECT_EQ(PreviewPaperSize(p.index).Width, GetPaperSizeInInches(p.code).Width);
        EXPECT_EQ(PreviewPaperSize(p.index).Height, GetPaperSizeInInches(p.code).Height);
    }
}

TEST_F(Output, PreviewShowsTheChartWithoutToolBarsAndItsSettingsGoToTheChart)
{
    chart->SetPrintDocumentName(QStringLiteral("Curve"));
    auto* translations = chart->Master().TranslationManager();
    for (auto [from, to] : {std::pair{"Close", "Schließen"}, {"Margin", "Rand"}}) {
        auto* t = translations->Item(chart->Master().AddTranslation());
        t->SetOriginalString(QString::fromUtf8(from));
        t->SetReplacementString(QString::fromUtf8(to));
    }
    std::function<int(TcPlotPreviewSettingsForm&)> settings;
    QObject* beforePrintSender = nullptr;
    chart->OnBeforePrint = [&](QObject* sender) { beforePrintSender = sender; };
    bool ran = false;
    std::vector<QString> messages;
    const ModalScope modal([&](QDialog& d) {
        if (auto* s = dynamic_cast<TcPlotPreviewSettingsForm*>(&d))
            return settings ? settings(*s) : int(QDialog::Rejected);
        if (auto* box = qobject_cast<QMessageBox*>(&d)) {
            messages.push_back(box->text());
            return int(QDialog::Accepted);
        }
        auto* form = dynamic_cast<TcPlotPreviewForm*>(&d);
        if (!form)
            return int(QDialog::Rejected);
        ran = true;
        EXPECT_EQ(form->windowTitle(), "Curve (Preview)");
        EXPECT_EQ(form->size(), QSize(836, 563));
        EXPECT_EQ(form->minimumSize(), QSize(500, 300));
        EXPECT_EQ(form->CloseButton->text(), "Schließen");
        form->Preview->resize(828, 488);
        const QImage sheet = form->PaintSheet();
        EXPECT_EQ(beforePrintSender, form);
        EXPECT_EQ(ToolBarsVisible(), (std::vector<bool>{true, false}));
        // Letter across: the page at (106, 5) 606 x 468, white inside its outline, with the chart
        // drawn from one inch (55 pixels) in.
        EXPECT_EQ(sheet.pixelColor(110, 9), QColor(Qt::white));
        EXPECT_EQ(sheet.pixelColor(106 + 606 + 3, 100), QColor(Qt::black)) << "the shadow";
        EXPECT_NE(sheet.pixelColor(161 + 1, 60 + 1), QColor(Qt::white)) << "the chart's corner";

        // Settings: A4, portrait, other margins and name, OK: the chart takes all but the paper.
        settings = [](TcPlotPreviewSettingsForm& s) {
            EXPECT_EQ(s.PrintMarginLeftEdit->text(), "1");
            EXPECT_EQ(s.findChildren<QGroupBox*>().value(0)->title(), "Rand");
            EXPECT_TRUE(s.LandscapeButton->isChecked());
            s.PrintMarginLeftEdit->setText("0.5");
            s.PrintMarginBottomEdit->setText("2");
            s.PortraitButton->setChecked(true);
            s.PrintDocumentNameEdit->setText("Sheet");
            s.PrintPaperSizeComboBox->setCurrentIndex(3);
            s.OKButton->click();
            return s.result();
        };
        form->SettingsButton->click();
        EXPECT_EQ(form->windowTitle(), "Sheet (Preview)");
        EXPECT_EQ(form->PrintSize, 3);
        EXPECT_EQ(chart->PrintMarginLeft(), 0.5);
        EXPECT_EQ(chart->PrintMarginBottom(), 2);
        EXPECT_EQ(chart->PrintOrientation(), poPortrait);
        EXPECT_EQ(chart->PrintDocumentName(), "Sheet");

        // A margin that is not a number: OK is refused with a message; Cancel changes nothing.
        settings = [&](TcPlotPreviewSettingsForm& s) {
            s.PrintMarginTopEdit->setText("wide");
            s.OKButton->click();
            EXPECT_NE(s.result(), int(QDialog::Accepted));
            s.PrintDocumentNameEdit->setText("Other");
            s.CancelButton->click();
            return s.result();
        };
        form->SettingsButton->click();
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_TRUE(!messages.empty() && messages[0].contains("wide"));
        EXPECT_EQ(form->windowTitle(), "Sheet (Preview)");
        EXPECT_EQ(chart->PrintMarginTop(), 1);
        EXPECT_EQ(chart->PrintDocumentName(), "Sheet");
        return int(QDialog::Accepted);
    });
    chart->PreviewChart();
    EXPECT_TRUE(ran);
}

TEST_F(Output, PreviewPrintsThroughTheChart)
{
    const QString pdf = dir.filePath("print.pdf");
    const PrintScope printing(pdf);
    const ModalScope modal([&](QDialog& d) {
        if (auto* form = dynamic_cast<TcPlotPreviewForm*>(&d)) {
            EXPECT_TRUE(form->PrintButton->isEnabled());
            form->PrintButton->click();
        }
        return int(QDialog::Accepted);
    });
    chart->PreviewChart();
    EXPECT_EQ(PdfPages(FileBytes(pdf)), 1);
    EXPECT_EQ(ToolBarsVisible(), (std::vector<bool>{true, false}));
}
