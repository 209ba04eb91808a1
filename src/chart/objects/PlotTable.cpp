#include "chart/objects/PlotTable.h"

#include "base/Rounding.h"
#include "chart/core/ChartError.h"

namespace chart
{

using namespace fw;

namespace
{
[[noreturn]] void IndexError(int Index)
{
    throw EChartError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

QStringList CellLines(const QString& RowText, int Columns)
{
    QStringList lines = RowText.isEmpty() ? QStringList() : RowText.split(QLatin1Char('\n'));
    for (QString& l : lines)
        l.remove(QLatin1Char('\r'));
    while (lines.size() < Columns)
        lines << QString();
    return lines;
}
} // namespace

TcPlotTable::TcPlotTable(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotLayoutObject(AOwner, handlers), FUpButton(std::make_unique<TcPlotTableButton>(AOwner)),
      FDownButton(std::make_unique<TcPlotTableButton>(AOwner))
{
    FDataFont.SetColor(clWhite);
    FDataFont.SetStyle(fsBold);
    FColumnTitlesFont.SetColor(0xFFFF00);
    FColumnTitlesFont.SetStyle(fsBold);
    for (TFont* f : {&FDataFont, &FColumnTitlesFont})
        f->OnChange = [this](TFont*) { DoChange(); };
    FUpButton->SetName(QStringLiteral("PlotTableUpButton"));
    FDownButton->SetName(QStringLiteral("PlotTableDownButton"));
    WireScrollButtons(
        *FUpButton, *FDownButton, FItemViewStartIndex, [this] { return RowCount(); },
        [this] { DoInvalidateNow(); });
    SetHorizontal(false);
}

TcPlotTable::~TcPlotTable() = default;

const TPropertyTable& TcPlotTable::PropertyTable() const
{
    using T = TcPlotTable;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotLayoutObject::ClassTable());
        t.Float("MarginLeft", &T::MarginLeft, &T::SetMarginLeft, 1);
        t.Float("MarginTop", &T::MarginTop, &T::SetMarginTop, 1);
        t.Float("MarginRight", &T::MarginRight, &T::SetMarginRight, 1);
        t.Float("MarginBottom", &T::MarginBottom, &T::SetMarginBottom, 1);
        t.Ordinal("GridBackGroundColor", "TColor", &T::GridBackGroundColor, &T::SetGridBackGroundColor,
                  0x808080);
        t.Boolean("GridBackGroundTransparent", &T::GridBackGroundTransparent,
                  &T::SetGridBackGroundTransparent, false);
        t.Ordinal("GridLinesColor", "TColor", &T::GridLinesColor, &T::SetGridLinesColor, 0xFFFFFF);
        t.Boolean("GridLinesShow", &T::GridLinesShow, &T::SetGridLinesShow, true);
        t.Object("DataFont", "TFont", &T::DataFont);
        t.Float("ColumnSpacing", &T::ColumnSpacing, &T::SetColumnSpacing, 2);
        t.Float("RowSpacing", &T::RowSpacing, &T::SetRowSpacing, 0.5);
        t.Ordinal("RowsMax", "Integer", &T::RowsMax, &T::SetRowsMax, 0);
        t.Boolean("ColumnTitlesVisible", &T::ColumnTitlesVisible, &T::SetColumnTitlesVisible, true);
        t.Object("ColumnTitlesFont", "TFont", &T::ColumnTitlesFont);
        return t;
    }();
    return table;
}

int TcPlotTable::AddColumn(const QString& Title)
{
    TcPlotTableColumn c;
    c.Title = Title;
    c.TitleFontColor = FColumnTitlesFont.Color();
    c.DataFontColor = FDataFont.Color();
    FColumnList.push_back(c);
    return ColumnCount() - 1;
}

void TcPlotTable::DeleteColumn(int Index)
{
    if (Index < 0 || Index >= ColumnCount())
        IndexError(Index);
    FColumnList.erase(FColumnList.begin() + Index);
}

void TcPlotTable::RemoveAllColumns()
{
    FColumnList.clear();
}

TcPlotTableColumn& TcPlotTable::GetColumn(int Index)
{
    if (Index < 0 || Index >= ColumnCount())
        IndexError(Index);
    return FColumnList[std::size_t(Index)];
}

int TcPlotTable::AddRow()
{
    FRowDataList << QString();
    DoChange();
    return RowCount() - 1;
}

void TcPlotTable::DeleteRow(int Index)
{
    if (Index < 0 || Index >= RowCount())
        IndexError(Index);
    FRowDataList.removeAt(Index);
    DoChange();
}

void TcPlotTable::RemoveAllRows()
{
    FRowDataList.clear();
    DoChange();
}

QString TcPlotTable::GetCellText(int Column, int Row) const
{
    if (Row < 0 || Row >= RowCount())
        IndexError(Row);
    if (Column < 0)
        IndexError(Column);
    const QStringList lines = CellLines(FRowDataList[Row], ColumnCount());
    return Column < lines.size() ? lines[Column] : QString();
}

void TcPlotTable::SetCellText(int Column, int Row, const QString& Text)
{
    if (Row < 0 || Row >= RowCount())
        IndexError(Row);
    if (Column < 0 || Column >= ColumnCount())
        IndexError(Column);
    QStringList lines = CellLines(FRowDataList[Row], ColumnCount());
    QString cell = Text;
    cell.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    lines[Column] = cell;
    FRowDataList[Row] = lines.join(QLatin1Char('\n'));
    DoChange();
}

void TcPlotTable::NotificationSetFocus(TcPlotObject* AObject)
{
    if (AObject != this && AObject->UserSelected())
        SetUserSelected(false);
}

void TcPlotTable::Layout(TCanvas& Canvas)
{
    const int rows = RowCount();
    if (rows == 0 || ColumnCount() == 0) {
        FRequiredWidth = 0;
        FRequiredHeight = 0;
        return;
    }
    const TRect R = DrawRect();
    Canvas.Font.Assign(FColumnTitlesFont);
    const int W = Canvas.TextWidth(QStringLiteral("0")), H = Canvas.TextHeight(QStringLiteral("0"));
    const int mt = RoundInt(FMarginTop * H), mb = RoundInt(FMarginBottom * H);
    const int ml = RoundInt(FMarginLeft * W), mr = RoundInt(FMarginRight * W);
    FGridRect = Rect(R.Left + ml, R.Top + mt, R.Right - mr, R.Bottom - mb);
    FTitleRect =
        Rect(FGridRect.Left, FGridRect.Top, FGridRect.Right, FGridRect.Top + (FColumnTitlesVisible ? H : 0));

    Canvas.Font.Assign(FDataFont);
    const int W2 = Canvas.TextWidth(QStringLiteral("0")), H2 = Canvas.TextHeight(QStringLiteral("0"));
    FRowHeight = H2 + RoundInt(H2 * FRowSpacing);
    int n = FRowsMax != 0 && FRowsMax < rows ? FRowsMax : rows;
    FGridRect.Bottom = FTitleRect.Bottom + n * FRowHeight;
    FRequiredHeight = mt + mb + FTitleRect.Height() + n * FRowHeight;

    int sum = 0;
    for (TcPlotTableColumn& c : FColumnList) {
        if (!c.Visible)
            continue;
        if (c.AutoSize) {
            Canvas.Font.Assign(FColumnTitlesFont);
            int w = Canvas.TextWidth(c.Title) + RoundInt(W * FColumnSpacing) + W;
            Canvas.Font.Assign(FDataFont);
            const int column = int(&c - FColumnList.data());
            for (int r = 0; r < rows; ++r)
                w = std::max(w,
                             Canvas.TextWidth(GetCellText(column, r)) + RoundInt(W2 * FColumnSpacing) + W2);
            c.WidthPixels = w;
            c.Width = W2 > 0 ? double(w / W2) : 0;
        } else {
            c.WidthPixels = RoundInt(c.Width * W2);
        }
        sum += c.WidthPixels;
    }
    FRequiredWidth = ml + mr + sum;
    FGridRect.Right = FGridRect.Left + sum;

    if (R.Bottom - mb < FGridRect.Bottom && FRowHeight > 0) {
        n = std::max(0, (R.Bottom - mb - FTitleRect.Bottom) / FRowHeight);
        FGridRect.Bottom = FTitleRect.Bottom + n * FRowHeight;
    }

    if (n < rows) {
        if (Enabled()) {
            const int up = FTitleRect.Bottom + FRowHeight / 2;
            const int down = FTitleRect.Bottom + n * FRowHeight - FRowHeight / 2;
            FUpButton->SetDrawRect(Rect(FGridRect.Right + 5, up - 8, FGridRect.Right + 22, up + 9));
            FDownButton->SetDrawRect(Rect(FGridRect.Right + 5, down - 8, FGridRect.Right + 22, down + 9));
            FRequiredWidth += FUpButton->DrawRect().Width() + 5;
        }
        FUpButton->SetVisible(true);
        FDownButton->SetVisible(true);
        FItemViewStopIndex = FItemViewStartIndex + n - 1;
        if (FItemViewStopIndex > rows - 1) {
            FItemViewStopIndex = rows - 1;
            FItemViewStartIndex = FItemViewStopIndex - n + 1;
        }
        if (FItemViewStartIndex < 0) {
            FItemViewStartIndex = 0;
            FItemViewStopIndex = n - 1;
        }
    } else {
        FUpButton->SetVisible(false);
        FDownButton->SetVisible(false);
        FItemViewStartIndex = 0;
        FItemViewStopIndex = n - 1;
    }
    FUpButton->SetEnabled(FItemViewStartIndex != 0);
    FDownButton->SetEnabled(FItemViewStopIndex != rows - 1);
}

int TcPlotTable::GetRequiredSize(TCanvas& Canvas)
{
    Layout(Canvas);
    return IsHorz() ? FRequiredHeight : FRequiredWidth;
}

void TcPlotTable::DrawCellText(TCanvas& Canvas, const QString& Text, TRect Cell,
                               TcAlignmentHorizontal Alignment, double Margin, int CharWidth)
{
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (Alignment == iahLeft) {
        Cell.Left += RoundInt(Margin * CharWidth);
        flags |= DT_LEFT;
    } else if (Alignment == iahRight) {
        Cell.Right -= RoundInt(Margin * CharWidth);
        flags |= DT_RIGHT;
    } else {
        flags |= DT_CENTER;
    }
    DrawTextInRect(Canvas, Text, Cell, flags, true, clBlack);
}

void TcPlotTable::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    if (!Visible() || RowCount() == 0 || ColumnCount() == 0)
        return;
    Layout(Canvas);
    if (!FGridBackGroundTransparent) {
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = FGridBackGroundColor;
        Canvas.FillRect(FGridRect);
    }
    if (FGridLinesShow) {
        Canvas.Pen.Style = psSolid;
        Canvas.Pen.Width = 1;
        Canvas.Pen.Color = FGridLinesColor;
        auto vertical = [&](int x) {
            Canvas.MoveTo(x, FGridRect.Top);
            Canvas.LineTo(x, FGridRect.Bottom);
        };
        auto horizontal = [&](int y) {
            Canvas.MoveTo(FGridRect.Left, y);
            Canvas.LineTo(FGridRect.Right + 1, y);
        };
        vertical(FGridRect.Left);
        int x = FGridRect.Left;
        for (const TcPlotTableColumn& c : FColumnList)
            if (c.Visible)
                vertical(x += c.WidthPixels);
        horizontal(FGridRect.Top);
        horizontal(FTitleRect.Bottom);
        for (int k = 1; k <= FItemViewStopIndex - FItemViewStartIndex + 1; ++k)
            horizontal(FTitleRect.Bottom + k * FRowHeight);
    }
    Canvas.Brush.Style = bsClear;
    if (FColumnTitlesVisible) {
        Canvas.Font.Assign(FColumnTitlesFont);
        const int W = Canvas.TextWidth(QStringLiteral("0"));
        int x = FGridRect.Left;
        for (const TcPlotTableColumn& c : FColumnList) {
            if (!c.Visible)
                continue;
            Canvas.Font.SetColor(c.TitleFontColor);
            DrawCellText(Canvas, c.Title, Rect(x, FTitleRect.Top, x + c.WidthPixels, FTitleRect.Bottom),
                         c.TitleAlignment, c.TitleAlignmentMargin, W);
            x += c.WidthPixels;
        }
    }
    Canvas.Font.Assign(FDataFont);
    const int W2 = Canvas.TextWidth(QStringLiteral("0"));
    for (int row = FItemViewStartIndex; row <= FItemViewStopIndex; ++row) {
        const int top = FTitleRect.Bottom + (row - FItemViewStartIndex) * FRowHeight;
        int x = FGridRect.Left;
        for (int column = 0; column < ColumnCount(); ++column) {
            const TcPlotTableColumn& c = FColumnList[std::size_t(column)];
            if (!c.Visible)
                continue;
            Canvas.Font.SetColor(c.DataFontColor);
            DrawCellText(Canvas, GetCellText(column, row), Rect(x, top, x + c.WidthPixels, top + FRowHeight),
                         c.DataAlignment, c.DataAlignmentMargin, W2);
            x += c.WidthPixels;
        }
    }
    FUpButton->Draw(Canvas, BackGroundColor);
    FDownButton->Draw(Canvas, BackGroundColor);
    if (UserSelected()) {
        TRect r = DrawRect();
        if (IsHorz()) {
            r.Top += 2;
            r.Bottom -= 2;
        }
        DrawFocusRectangle(Canvas, r);
    }
}

TcPlotObject* TcPlotTable::GetMouseOverObject(int X, int Y)
{
    TcPlotObject::GetMouseOverObject(X, Y);
    const TPoint p{X, Y};
    if (FUpButton->Visible() && FUpButton->DrawRect().Contains(p))
        return FUpButton.get();
    if (FDownButton->Visible() && FDownButton->DrawRect().Contains(p))
        return FDownButton.get();
    return this;
}

void TcPlotTable::FillPopupMenu(TcPopupMenu& Menu)
{
    TcPlotLayoutObject::FillPopupMenu(Menu);
    AddEditMenuItem(Menu);
}

} // namespace chart
