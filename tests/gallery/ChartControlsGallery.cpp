// Gallery pages of the chart library's check box and radio group in their states (plain, checked,
// box at the right, disabled, pressed, focused; one and three columns, a pressed item) over a
// coloured parent, and of the chart's table (scroll buttons at the top, in the middle, all rows
// shown, titles hidden, selected).
#include "Gallery.h"

#include "chart/component/CheckBox.h"
#include "chart/component/RadioGroup.h"
#include "chart/objects/PlotTable.h"
#include "chart/view/XYPlot.h"

#include <QPalette>
#include <cmath>

using namespace chart;

namespace
{

std::unique_ptr<QWidget> Page(int w, int h, QColor colour)
{
    auto page = std::make_unique<QWidget>();
    page->resize(w, h);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, colour);
    page->setPalette(pal);
    page->setAutoFillBackground(true);
    return page;
}

TcCheckBox* Box(QWidget* page, int x, int y, const QString& caption)
{
    auto* b = new TcCheckBox(page);
    b->setObjectName(caption);
    b->SetBounds(x, y, 97, 17);
    b->SetCaption(caption);
    return b;
}

TcRadioGroup* Group(QWidget* page, int x, int y, int w, int h, const QString& caption,
                    const QStringList& items)
{
    auto* g = new TcRadioGroup(page);
    g->setObjectName(caption);
    g->SetBounds(x, y, w, h);
    g->SetCaption(caption);
    g->SetItems(items);
    return g;
}

const gallery::GalleryPage checkRadio(
    QStringLiteral("chart-check-radio"),
    [] {
        auto page = Page(640, 360, QColor(0xD8, 0xE4, 0xEC));
        QWidget* p = page.get();
        Box(p, 20, 20, QStringLiteral("Unchecked"));
        Box(p, 20, 50, QStringLiteral("Checked"))->SetChecked(true);
        TcCheckBox* right = Box(p, 20, 80, QStringLiteral("Box at the right"));
        right->SetAlignment(taLeftJustify);
        right->SetCaption(QStringLiteral("Box at the right "));
        right->SetChecked(true);
        TcCheckBox* off = Box(p, 20, 110, QStringLiteral("Disabled"));
        off->SetChecked(true);
        off->SetEnabled(false);
        Box(p, 20, 140, QStringLiteral("Pressed"));
        Box(p, 20, 170, QStringLiteral("Focused"))->SetChecked(true);
        TcCheckBox* big = Box(p, 20, 200, QStringLiteral("Bold red caption"));
        big->Font().SetColor(0x0000C0);
        big->Font().SetStyle(fw::fsBold);

        TcRadioGroup* one =
            Group(p, 220, 15, 180, 110, QStringLiteral("Response"),
                  {QStringLiteral("Magnitude"), QStringLiteral("Phase"), QStringLiteral("Delay")});
        one->SetItemIndex(1);
        TcRadioGroup* three = Group(p, 220, 140, 400, 90, QStringLiteral("Band (3 columns)"),
                                    {"31 Hz", "63 Hz", "125 Hz", "250 Hz", "500 Hz", "1 kHz", "2 kHz"});
        three->SetColumns(3);
        three->SetItemIndex(6);
        TcRadioGroup* off2 = Group(p, 420, 15, 200, 110, QStringLiteral("Disabled"),
                                   {QStringLiteral("Left"), QStringLiteral("Right")});
        off2->SetEnabled(false);
        Group(p, 220, 245, 180, 95, QStringLiteral("Pressed item"),
              {QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Third")})
            ->SetItemIndex(0);
        Group(p, 420, 245, 200, 95, QStringLiteral("Focused"),
              {QStringLiteral("Input"), QStringLiteral("Output")})
            ->SetItemIndex(1);
        return page;
    },
    [](QWidget* page) {
        auto* pressed = page->findChild<TcCheckBox*>(QStringLiteral("Pressed"));
        gallery::PressAt(pressed, 6, pressed->Height() / 2);
        page->findChild<TcCheckBox*>(QStringLiteral("Focused"))->setFocus();
        auto* group = page->findChild<TcRadioGroup*>(QStringLiteral("Pressed item"));
        (void)group->grab();
        const TPoint second = RadioItemCentre(group->LastLayout(), 1);
        gallery::PressAt(group, second.X, second.Y);
        page->findChild<TcRadioGroup*>(QStringLiteral("Focused"))->setFocus();
    });

TcPlotTable* Table(TcXYPlot* chart, int rows, int rowsMax)
{
    TcPlotTable* t = chart->GetTable(chart->AddTable());
    t->AddColumn(QStringLiteral("Band"));
    t->AddColumn(QStringLiteral("Freq"));
    t->AddColumn(QStringLiteral("Gain"));
    t->GetColumn(2).DataFontColor = 0x00FFFF;
    t->GetColumn(0).DataAlignment = iahLeft;
    t->SetRowsMax(rowsMax);
    const char* freqs[] = {"31", "63", "125", "250", "500", "1k", "2k", "4k", "8k", "16k"};
    for (int i = 0; i < rows; ++i) {
        const int r = t->AddRow();
        t->SetCellText(0, r, QString::number(r + 1));
        t->SetCellText(1, r, QString::fromLatin1(freqs[r % 10]));
        t->SetCellText(2, r, QStringLiteral("%1 dB").arg(double(r % 5) * 1.5 - 3, 0, 'f', 1));
    }
    return t;
}

TcXYPlot* TableChart(QWidget* page, int x, int y, const QString& title)
{
    auto* chart = new TcXYPlot(page);
    chart->SetBounds(x, y, 460, 220);
    chart->SetTitleText(title);
    TcXYPlotChannel* ch = chart->GetChannel(0);
    ch->SetTraceLineWidth(2);
    for (int i = 0; i <= 50; ++i)
        ch->AddXY(i * 2, 50 + 30 * std::sin(i / 6.0));
    return chart;
}

const gallery::GalleryPage table(QStringLiteral("chart-table"), [] {
    auto page = Page(960, 480, QColor(0x2B, 0x2B, 0x2B));
    Table(TableChart(page.get(), 10, 10, QStringLiteral("Scroll at the top")), 10, 4);
    TcPlotTable* middle = Table(TableChart(page.get(), 490, 10, QStringLiteral("Scrolled, selected")), 10, 4);
    middle->SetRowDisplayStartIndex(3);
    middle->SetUserSelected(true);
    Table(TableChart(page.get(), 10, 250, QStringLiteral("All rows shown")), 4, 0);
    TcPlotTable* plain =
        Table(TableChart(page.get(), 490, 250, QStringLiteral("No titles, no grid lines")), 5, 0);
    plain->SetColumnTitlesVisible(false);
    plain->SetGridLinesShow(false);
    plain->SetGridBackGroundColor(0x404000);
    return page;
});

} // namespace
