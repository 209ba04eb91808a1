// TcPlotTable: a layout object showing a grid of text cells beside the plotting area: a row of
// column titles, then as many rows as fit, with two auto-repeat buttons that scroll the rows when
// not all of them fit. A row's cells are the lines of its text. UI thread only.
#pragma once

#include "chart/component/ChartDraw.h"
#include "chart/objects/PlotLegend.h"
#include "chart/objects/PlotObject.h"
#include "framework/Fonts.h"

#include <QStringList>
#include <memory>
#include <vector>

namespace chart
{

// Widths and margins are in widths of "0" of the column's font.
struct TcPlotTableColumn {
    int WidthPixels = 0;
    QString Title;
    double Width = 10;
    bool Visible = true;
    TcAlignmentHorizontal TitleAlignment = iahCenter;
    double TitleAlignmentMargin = 1;
    TColor TitleFontColor = 0;
    TcAlignmentHorizontal DataAlignment = iahCenter;
    double DataAlignmentMargin = 1;
    TColor DataFontColor = 0;
    bool AutoSize = true;
};

// The scroll buttons, drawn as the legend's.
class TcPlotTableButton : public TcPlotLegendButton
{
  public:
    using TcPlotLegendButton::TcPlotLegendButton;
};

class TcPlotTable : public TcPlotLayoutObject
{
  public:
    TcPlotTable(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotTable() override;

    double MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(double v) { SetDoubleValue(v, FMarginLeft, &TcPlotObject::DoChange); }
    double MarginTop() const { return FMarginTop; }
    void SetMarginTop(double v) { SetDoubleValue(v, FMarginTop, &TcPlotObject::DoChange); }
    double MarginRight() const { return FMarginRight; }
    void SetMarginRight(double v) { SetDoubleValue(v, FMarginRight, &TcPlotObject::DoChange); }
    double MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(double v) { SetDoubleValue(v, FMarginBottom, &TcPlotObject::DoChange); }
    TColor GridBackGroundColor() const { return FGridBackGroundColor; }
    void SetGridBackGroundColor(TColor v) { SetColorValue(v, FGridBackGroundColor, &TcPlotObject::DoChange); }
    bool GridBackGroundTransparent() const { return FGridBackGroundTransparent; }
    void SetGridBackGroundTransparent(bool v)
    {
        SetBooleanValue(v, FGridBackGroundTransparent, &TcPlotObject::DoChange);
    }
    TColor GridLinesColor() const { return FGridLinesColor; }
    void SetGridLinesColor(TColor v) { SetColorValue(v, FGridLinesColor, &TcPlotObject::DoChange); }
    bool GridLinesShow() const { return FGridLinesShow; }
    void SetGridLinesShow(bool v) { SetBooleanValue(v, FGridLinesShow, &TcPlotObject::DoChange); }
    fw::TFont& DataFont() { return FDataFont; }
    double ColumnSpacing() const { return FColumnSpacing; }
    void SetColumnSpacing(double v) { SetDoubleValue(v, FColumnSpacing, &TcPlotObject::DoChange); }
    double RowSpacing() const { return FRowSpacing; }
    void SetRowSpacing(double v) { SetDoubleValue(v, FRowSpacing, &TcPlotObject::DoChange); }
    int RowsMax() const { return FRowsMax; }
    void SetRowsMax(int v) { SetIntegerValue(v, FRowsMax, &TcPlotObject::DoChange); }
    bool ColumnTitlesVisible() const { return FColumnTitlesVisible; }
    void SetColumnTitlesVisible(bool v) { SetBooleanValue(v, FColumnTitlesVisible, &TcPlotObject::DoChange); }
    fw::TFont& ColumnTitlesFont() { return FColumnTitlesFont; }

    int RowCount() const { return int(FRowDataList.size()); }
    int ColumnCount() const { return int(FColumnList.size()); }
    // The first row shown; no notification.
    int RowDisplayStartIndex() const { return FItemViewStartIndex; }
    void SetRowDisplayStartIndex(int v) { FItemViewStartIndex = v; }
    int RowDisplayStopIndex() const { return FItemViewStopIndex; }

    // Columns: added with the defaults, no notification. An index out of range raises.
    int AddColumn(const QString& Title);
    void DeleteColumn(int Index);
    void RemoveAllColumns();
    TcPlotTableColumn& GetColumn(int Index);
    // Rows: each change notifies. An index out of range raises.
    int AddRow();
    void DeleteRow(int Index);
    void RemoveAllRows();
    // The cell's line of the row's text ("" past the row's lines). An index out of range raises.
    QString GetCellText(int Column, int Row) const;
    // Replaces the cell's line (a line break in Text becomes a blank) and notifies.
    void SetCellText(int Column, int Row, const QString& Text);

    TcPlotTableButton& UpButton() { return *FUpButton; }
    TcPlotTableButton& DownButton() { return *FDownButton; }
    TRect GridRect() const { return FGridRect; }
    TRect TitleRect() const { return FTitleRect; }
    int RowHeight() const { return FRowHeight; }

    void NotificationSetFocus(TcPlotObject* AObject) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    TcPlotObject* GetMouseOverObject(int X, int Y) override;
    void FillPopupMenu(TcPopupMenu& Menu) override;
    int GetRequiredSize(TCanvas& Canvas) override;
    const TPropertyTable& PropertyTable() const override;

  private:
    // Places grid, titles, columns and buttons in the drawing rectangle; the required width and
    // height of what it placed.
    void Layout(TCanvas& Canvas);
    void DrawCellText(TCanvas& Canvas, const QString& Text, TRect Cell, TcAlignmentHorizontal Alignment,
                      double Margin, int CharWidth);
    std::unique_ptr<TcPlotTableButton> FUpButton;
    std::unique_ptr<TcPlotTableButton> FDownButton;
    int FRequiredWidth = 0, FRequiredHeight = 0;
    std::vector<TcPlotTableColumn> FColumnList;
    QStringList FRowDataList;
    int FItemViewStartIndex = 0, FItemViewStopIndex = -1;
    int FRowHeight = 0;
    double FMarginLeft = 1, FMarginRight = 1, FMarginBottom = 1, FMarginTop = 1;
    bool FGridBackGroundTransparent = false;
    TColor FGridBackGroundColor = 0x808080;
    bool FGridLinesShow = true;
    TColor FGridLinesColor = 0xFFFFFF;
    double FColumnSpacing = 2, FRowSpacing = 0.5;
    int FRowsMax = 0;
    fw::TFont FDataFont;
    TRect FGridRect, FTitleRect;
    bool FColumnTitlesVisible = true;
    fw::TFont FColumnTitlesFont;
};

} // namespace chart
