// TcPlotLegend: a layout object that lists the chart's channels in rows and wrap columns: a line
// sample, a marker sample, the name, axis titles, values and Y statistics. Items that do not fit are
// paged with two auto-repeating scroll buttons; a channel's name is its hit area. While a data cursor
// follows all channels, the value columns show each channel's cursor texts. UI thread only.
#pragma once

#include "chart/objects/PlotObject.h"
#include "framework/Fonts.h"

#include <array>
#include <memory>
#include <vector>

namespace chart
{

class TcPlotChannelCustom;

enum TcPlotLegendChannelNameColorStyle : std::uint8_t {
    iplcncsFont,
    iplcncsChannelColor,
    iplcncsXAxisFontColor,
    iplcncsYAxisFontColor
};

class TcPlotLegendButton : public TcPlotButton
{
  public:
    using TcPlotButton::TcPlotButton;
    bool Up = true;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
};

// The up and down buttons of a scrolled list: auto-repeat, hidden until the layout shows them; a click
// moves the first shown item within 0..count()-1, without a change notification (the next layout clamps).
void WireScrollButtons(TcPlotLegendButton& up, TcPlotLegendButton& down, int& startIndex,
                       std::function<int()> count, std::function<void()> invalidate);

struct TcPlotLegendItem {
    TcPlotChannelCustom* Channel = nullptr;
    int MaxHeight = 0, ALeft = 0, ATop = 0, ARow = 0, ACol = 0;
};

class TcPlotLegend : public TcPlotLayoutObject
{
  public:
    TcPlotLegend(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotLegend() override;
    const TPropertyTable& PropertyTable() const override;

  public:
    double MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(double v) { SetDoubleValue(v, FMarginLeft, &TcPlotObject::DoChange); }
    double MarginRight() const { return FMarginRight; }
    void SetMarginRight(double v) { SetDoubleValue(v, FMarginRight, &TcPlotObject::DoChange); }
    double MarginTop() const { return FMarginTop; }
    void SetMarginTop(double v) { SetDoubleValue(v, FMarginTop, &TcPlotObject::DoChange); }
    double MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(double v) { SetDoubleValue(v, FMarginBottom, &TcPlotObject::DoChange); }
    TColor BackGroundColor() const { return FBackGroundColor; }
    void SetBackGroundColor(TColor v) { SetColorValue(v, FBackGroundColor, &TcPlotObject::DoChange); }
    bool BackGroundTransparent() const { return FBackGroundTransparent; }
    void SetBackGroundTransparent(bool v)
    {
        SetBooleanValue(v, FBackGroundTransparent, &TcPlotObject::DoChange);
    }
    TColor SelectedItemBackGroundColor() const { return FSelectedItemBackGroundColor; }
    void SetSelectedItemBackGroundColor(TColor v)
    {
        SetColorValue(v, FSelectedItemBackGroundColor, &TcPlotObject::DoChange);
    }
    bool ShowColumnLine() const { return FShowColumnLine; }
    void SetShowColumnLine(bool v) { SetBooleanValue(v, FShowColumnLine, &TcPlotObject::DoChange); }
    bool ShowColumnMarker() const { return FShowColumnMarker; }
    void SetShowColumnMarker(bool v) { SetBooleanValue(v, FShowColumnMarker, &TcPlotObject::DoChange); }
    bool ShowColumnXAxisTitle() const { return FShowColumnXAxisTitle; }
    void SetShowColumnXAxisTitle(bool v)
    {
        SetBooleanValue(v, FShowColumnXAxisTitle, &TcPlotObject::DoChange);
    }
    bool ShowColumnYAxisTitle() const { return FShowColumnYAxisTitle; }
    void SetShowColumnYAxisTitle(bool v)
    {
        SetBooleanValue(v, FShowColumnYAxisTitle, &TcPlotObject::DoChange);
    }
    bool ShowColumnXValue() const { return FShowColumnXValue; }
    void SetShowColumnXValue(bool v) { SetBooleanValue(v, FShowColumnXValue, &TcPlotObject::DoChange); }
    bool ShowColumnYValue() const { return FShowColumnYValue; }
    void SetShowColumnYValue(bool v) { SetBooleanValue(v, FShowColumnYValue, &TcPlotObject::DoChange); }
    bool ShowColumnYMax() const { return FShowColumnYMax; }
    void SetShowColumnYMax(bool v) { SetBooleanValue(v, FShowColumnYMax, &TcPlotObject::DoChange); }
    bool ShowColumnYMin() const { return FShowColumnYMin; }
    void SetShowColumnYMin(bool v) { SetBooleanValue(v, FShowColumnYMin, &TcPlotObject::DoChange); }
    bool ShowColumnYMean() const { return FShowColumnYMean; }
    void SetShowColumnYMean(bool v) { SetBooleanValue(v, FShowColumnYMean, &TcPlotObject::DoChange); }
    const QString& CaptionColumnTitle() const { return FCaptionColumnTitle; }
    void SetCaptionColumnTitle(const QString& v)
    {
        SetStringValue(v, FCaptionColumnTitle, &TcPlotObject::DoChange);
    }
    const QString& CaptionColumnXAxisTitle() const { return FCaptionColumnXAxisTitle; }
    void SetCaptionColumnXAxisTitle(const QString& v)
    {
        SetStringValue(v, FCaptionColumnXAxisTitle, &TcPlotObject::DoChange);
    }
    const QString& CaptionColumnYAxisTitle() const { return FCaptionColumnYAxisTitle; }
    void SetCaptionColumnYAxisTitle(const QString& v)
    {
        SetStringValue(v, FCaptionColumnYAxisTitle, &TcPlotObject::DoChange);
    }
    const QString& CaptionColumnXValue() const { return FCaptionColumnXValue; }
    void SetCaptionColumnXValue(const QString& v)
    {
        SetStringValue(v, FCaptionColumnXValue, &TcPlotObject::DoChange);
    }
    const QString& CaptionColumnYValue() const { return FCaptionColumnYValue; }
    void SetCaptionColumnYValue(const QString& v)
    {
        SetStringValue(v, FCaptionColumnYValue, &TcPlotObject::DoChange);
    }
    const QString& CaptionColumnYMax() const { return FCaptionColumnYMax; }
    void SetCaptionColumnYMax(const QString& v)
    {
        SetStringValue(v, FCaptionColumnYMax, &TcPlotObject::DoChange);
    }
    const QString& CaptionColumnYMin() const { return FCaptionColumnYMin; }
    void SetCaptionColumnYMin(const QString& v)
    {
        SetStringValue(v, FCaptionColumnYMin, &TcPlotObject::DoChange);
    }
    const QString& CaptionColumnYMean() const { return FCaptionColumnYMean; }
    void SetCaptionColumnYMean(const QString& v)
    {
        SetStringValue(v, FCaptionColumnYMean, &TcPlotObject::DoChange);
    }
    double ColumnSpacing() const { return FColumnSpacing; }
    void SetColumnSpacing(double v) { SetDoubleValue(v, FColumnSpacing, &TcPlotObject::DoChange); }
    double WrapRowSpacingMin() const { return FWrapRowSpacingMin; }
    void SetWrapRowSpacingMin(double v) { SetDoubleValue(v, FWrapRowSpacingMin, &TcPlotObject::DoChange); }
    bool WrapColAutoCountEnabled() const { return FWrapColAutoCountEnabled; }
    void SetWrapColAutoCountEnabled(bool v)
    {
        SetBooleanValue(v, FWrapColAutoCountEnabled, &TcPlotObject::DoChange);
    }
    int WrapColAutoCountMax() const { return FWrapColAutoCountMax; }
    void SetWrapColAutoCountMax(int v) { SetIntegerValue(v, FWrapColAutoCountMax, &TcPlotObject::DoChange); }
    double WrapColSpacingMin() const { return FWrapColSpacingMin; }
    void SetWrapColSpacingMin(double v) { SetDoubleValue(v, FWrapColSpacingMin, &TcPlotObject::DoChange); }
    bool WrapColSpacingAuto() const { return FWrapColSpacingAuto; }
    void SetWrapColSpacingAuto(bool v) { SetBooleanValue(v, FWrapColSpacingAuto, &TcPlotObject::DoChange); }
    bool WrapRowAutoCountEnabled() const { return FWrapRowAutoCountEnabled; }
    void SetWrapRowAutoCountEnabled(bool v)
    {
        SetBooleanValue(v, FWrapRowAutoCountEnabled, &TcPlotObject::DoChange);
    }
    int WrapRowAutoCountMax() const { return FWrapRowAutoCountMax; }
    void SetWrapRowAutoCountMax(int v) { SetIntegerValue(v, FWrapRowAutoCountMax, &TcPlotObject::DoChange); }
    bool WrapRowSpacingAuto() const { return FWrapRowSpacingAuto; }
    void SetWrapRowSpacingAuto(bool v) { SetBooleanValue(v, FWrapRowSpacingAuto, &TcPlotObject::DoChange); }
    bool ColumnTitlesVisible() const { return FColumnTitlesVisible; }
    void SetColumnTitlesVisible(bool v) { SetBooleanValue(v, FColumnTitlesVisible, &TcPlotObject::DoChange); }
    double ChannelNameMaxWidth() const { return FChannelNameMaxWidth; }
    void SetChannelNameMaxWidth(double v)
    {
        SetDoubleValue(v, FChannelNameMaxWidth, &TcPlotObject::DoChange);
    }
    TcPlotLegendChannelNameColorStyle ChannelNameColorStyle() const { return FChannelNameColorStyle; }
    void SetChannelNameColorStyle(TcPlotLegendChannelNameColorStyle v)
    {
        if (v == FChannelNameColorStyle)
            return;
        FChannelNameColorStyle = v;
        DoChange();
    }
    int LineColumnWidth() const { return FLineColumnWidth; }
    void SetLineColumnWidth(int v) { SetIntegerValue(v, FLineColumnWidth, &TcPlotObject::DoChange); }
    int LineColumnHeight() const { return FLineColumnHeight; }
    void SetLineColumnHeight(int v) { SetIntegerValue(v, FLineColumnHeight, &TcPlotObject::DoChange); }

  public:
    // One value under two names.
    double RowSpacing() const { return FWrapRowSpacingMin; }
    void SetRowSpacing(double v) { SetWrapRowSpacingMin(v); }
    int WrapColDesiredCount() const { return FWrapColDesiredCount; }
    void SetWrapColDesiredCount(int v)
    {
        SetIntegerValue(std::max(1, v), FWrapColDesiredCount, &TcPlotObject::DoChange);
    }
    int WrapRowDesiredCount() const { return FWrapRowDesiredCount; }
    void SetWrapRowDesiredCount(int v)
    {
        SetIntegerValue(std::max(1, v), FWrapRowDesiredCount, &TcPlotObject::DoChange);
    }
    fw::TFont& Font() { return FFont; }
    fw::TFont& SelectedItemFont() { return FSelectedItemFont; }
    fw::TFont& ColumnTitlesFont() { return FColumnTitlesFont; }
    int ViewStartIndex() const { return FItemViewStartIndex; }
    void SetViewStartIndex(int v) { SetIntegerValue(v, FItemViewStartIndex, &TcPlotObject::DoChange); }
    int ViewStopIndex() const { return FItemViewStopIndex; }

    // Cursor mode: set by the chart before each paint.
    bool FCursorAllChannels = false;

    int ItemCount() const { return int(FItemList.size()); }
    const TcPlotLegendItem& Item(int i) const { return FItemList.at(std::size_t(i)); }
    int ActualWrapColCount() const { return FActualWrapColCount; }
    int RowsShown() const { return FRows; }
    TcPlotLegendButton& UpButton() { return *FUpButton; }
    TcPlotLegendButton& DownButton() { return *FDownButton; }
    int RequiredWidth() const { return FRequiredWidth; }
    int RequiredHeight() const { return FRequiredHeight; }

    int GetRequiredSize(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    TcPlotObject* GetMouseOverObject(int X, int Y) override;
    int GetMouseCursor(TPoint P) override { return CustomizeMouseCursor(TcPlotObject::GetMouseCursor(P)); }
    void NotificationSetFocus(TcPlotObject* AObject) override;
    void FillPopupMenu(TcPopupMenu& Menu) override;
    // The text of one column of an item (name, axis titles, values, statistics).
    enum Column { ColName, ColXAxisTitle, ColYAxisTitle, ColXValue, ColYValue, ColYMax, ColYMin, ColYMean };
    QString ItemText(TcPlotChannelCustom* Channel, Column C) const;
    // Draws the line sample of a channel style at (x, y).
    void DrawLineSample(TCanvas& Canvas, int X, int Y, TColor Color, int Style);

  protected:
    void DoMouseUp(const TcPlotMouseData& M) override;

  private:
    double FMarginLeft = 1;
    double FMarginRight = 1;
    double FMarginTop = 1;
    double FMarginBottom = 1;
    TColor FBackGroundColor = 0x808080;
    bool FBackGroundTransparent = true;
    TColor FSelectedItemBackGroundColor = 0x00FFFF;
    bool FShowColumnLine = true;
    bool FShowColumnMarker = false;
    bool FShowColumnXAxisTitle = false;
    bool FShowColumnYAxisTitle = false;
    bool FShowColumnXValue = false;
    bool FShowColumnYValue = false;
    bool FShowColumnYMax = false;
    bool FShowColumnYMin = false;
    bool FShowColumnYMean = false;
    QString FCaptionColumnTitle = QStringLiteral("Title");
    QString FCaptionColumnXAxisTitle = QStringLiteral("X-Axis");
    QString FCaptionColumnYAxisTitle = QStringLiteral("Y-Axis");
    QString FCaptionColumnXValue = QStringLiteral("X");
    QString FCaptionColumnYValue = QStringLiteral("Y");
    QString FCaptionColumnYMax = QStringLiteral("Y-Max");
    QString FCaptionColumnYMin = QStringLiteral("Y-Min");
    QString FCaptionColumnYMean = QStringLiteral("Y-Mean");
    double FColumnSpacing = 0.5;
    double FWrapRowSpacingMin = 0.25;
    bool FWrapColAutoCountEnabled = false;
    int FWrapColAutoCountMax = 100;
    double FWrapColSpacingMin = 2;
    bool FWrapColSpacingAuto = true;
    bool FWrapRowAutoCountEnabled = true;
    int FWrapRowAutoCountMax = 100;
    bool FWrapRowSpacingAuto = false;
    bool FColumnTitlesVisible = false;
    double FChannelNameMaxWidth = 0;
    TcPlotLegendChannelNameColorStyle FChannelNameColorStyle = iplcncsFont;
    int FLineColumnWidth = 13;
    int FLineColumnHeight = 3;
    void Layout(TCanvas& Canvas);
    // Per column (line, marker, name, axis titles, values, statistics): shown, and its title.
    std::array<bool, 10> ShownColumns() const;
    std::array<QString, 10> ColumnCaptions() const;
    void MeasureNameColumn(TCanvas& Canvas, int w, int h);
    void MeasureItemColumns(TCanvas& Canvas, int w, const std::array<bool, 10>& shown);
    // Column widths and starts and the item width.
    void MeasureColumns(TCanvas& Canvas, int w, const std::array<bool, 10>& shown);
    // How many columns and rows of items are shown.
    void CountWrap(int N, int W, int H, int colPitch, int rowPitch, int& cols, int& rows);
    void AssignItemCells(int N, int rows, int cols, int rowPitch, int colPitch);
    void ShowScrollButtons(bool show);
    void SpreadAutoSpacing(int W, int H, int cols);
    void DrawColumnTitles(TCanvas& Canvas, TColor BackGroundColor, const std::array<bool, 10>& shown);
    void DrawItem(TCanvas& Canvas, TColor BackGroundColor, const TcPlotLegendItem& item,
                  const std::array<bool, 10>& shown);

    std::unique_ptr<TcPlotLegendButton> FUpButton, FDownButton;
    int FRequiredWidth = 0, FRequiredHeight = 0;
    TRect FInnerRect;
    std::vector<TcPlotLegendItem> FItemList;
    std::vector<int> FColumnList;
    int FItemWidth = 0, FActualWrapColCount = 0, FActualWrapRowCount = 0, FRows = 0;
    int FColumnSpacingPixels = 0, FRowSpacingPixels = 0, FWrapSpacingPixels = 0;
    int FColumnStart[10] = {};
    int FMaxWidth[10] = {};
    int FItemViewStartIndex = 0, FItemViewStopIndex = -1;
    int FItemHeight = 0, FMaxItemHeight = 0;
    int FColumnTitlesHeightPixels = 0, FColumnTitlesMarginPixels = 0;
    TRect FColumnTitlesRect, FItemsRect;
    bool FShowColumnXValue2 = false, FShowColumnYValue2 = false;
    int FWrapColDesiredCount = 1, FWrapRowDesiredCount = 5;
    fw::TFont FFont, FSelectedItemFont, FColumnTitlesFont;
};

} // namespace chart
