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

struct TcPlotLegendItem {
    TcPlotChannelCustom* Channel = nullptr;
    int MaxHeight = 0, ALeft = 0, ATop = 0, ARow = 0, ACol = 0;
};

class TcPlotLegend : public TcPlotLayoutObject
{
  public:
    TcPlotLegend(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotLegend() override;

#define CHART_LEGEND_PROPERTY(Type, Name, Default)                                                           \
  public:                                                                                                    \
    Type Name() const                                                                                        \
    {                                                                                                        \
        return F##Name;                                                                                      \
    }                                                                                                        \
    void Set##Name(Type v)                                                                                   \
    {                                                                                                        \
        StoreValue(v, F##Name, &TcPlotObject::DoChange);                                                     \
    }                                                                                                        \
                                                                                                             \
  private:                                                                                                   \
    Type F##Name = Type(Default);

    CHART_LEGEND_PROPERTY(double, MarginLeft, 1)
    CHART_LEGEND_PROPERTY(double, MarginRight, 1)
    CHART_LEGEND_PROPERTY(double, MarginTop, 1)
    CHART_LEGEND_PROPERTY(double, MarginBottom, 1)
    CHART_LEGEND_PROPERTY(TColor, BackGroundColor, 0x808080)
    CHART_LEGEND_PROPERTY(bool, BackGroundTransparent, true)
    CHART_LEGEND_PROPERTY(TColor, SelectedItemBackGroundColor, 0x00FFFF)
    CHART_LEGEND_PROPERTY(bool, ShowColumnLine, true)
    CHART_LEGEND_PROPERTY(bool, ShowColumnMarker, false)
    CHART_LEGEND_PROPERTY(bool, ShowColumnXAxisTitle, false)
    CHART_LEGEND_PROPERTY(bool, ShowColumnYAxisTitle, false)
    CHART_LEGEND_PROPERTY(bool, ShowColumnXValue, false)
    CHART_LEGEND_PROPERTY(bool, ShowColumnYValue, false)
    CHART_LEGEND_PROPERTY(bool, ShowColumnYMax, false)
    CHART_LEGEND_PROPERTY(bool, ShowColumnYMin, false)
    CHART_LEGEND_PROPERTY(bool, ShowColumnYMean, false)
    CHART_LEGEND_PROPERTY(QString, CaptionColumnTitle, "Title")
    CHART_LEGEND_PROPERTY(QString, CaptionColumnXAxisTitle, "X-Axis")
    CHART_LEGEND_PROPERTY(QString, CaptionColumnYAxisTitle, "Y-Axis")
    CHART_LEGEND_PROPERTY(QString, CaptionColumnXValue, "X")
    CHART_LEGEND_PROPERTY(QString, CaptionColumnYValue, "Y")
    CHART_LEGEND_PROPERTY(QString, CaptionColumnYMax, "Y-Max")
    CHART_LEGEND_PROPERTY(QString, CaptionColumnYMin, "Y-Min")
    CHART_LEGEND_PROPERTY(QString, CaptionColumnYMean, "Y-Mean")
    CHART_LEGEND_PROPERTY(double, ColumnSpacing, 0.5)
    CHART_LEGEND_PROPERTY(double, WrapRowSpacingMin, 0.25)
    CHART_LEGEND_PROPERTY(bool, WrapColAutoCountEnabled, false)
    CHART_LEGEND_PROPERTY(int, WrapColAutoCountMax, 100)
    CHART_LEGEND_PROPERTY(double, WrapColSpacingMin, 2)
    CHART_LEGEND_PROPERTY(bool, WrapColSpacingAuto, true)
    CHART_LEGEND_PROPERTY(bool, WrapRowAutoCountEnabled, true)
    CHART_LEGEND_PROPERTY(int, WrapRowAutoCountMax, 100)
    CHART_LEGEND_PROPERTY(bool, WrapRowSpacingAuto, false)
    CHART_LEGEND_PROPERTY(bool, ColumnTitlesVisible, false)
    CHART_LEGEND_PROPERTY(double, ChannelNameMaxWidth, 0)
    CHART_LEGEND_PROPERTY(TcPlotLegendChannelNameColorStyle, ChannelNameColorStyle, iplcncsFont)
    CHART_LEGEND_PROPERTY(int, LineColumnWidth, 13)
    CHART_LEGEND_PROPERTY(int, LineColumnHeight, 3)
#undef CHART_LEGEND_PROPERTY

  public:
    // One value under two names.
    double RowSpacing() const
    {
        return FWrapRowSpacingMin;
    }
    void SetRowSpacing(double v)
    {
        SetWrapRowSpacingMin(v);
    }
    int WrapColDesiredCount() const
    {
        return FWrapColDesiredCount;
    }
    void SetWrapColDesiredCount(int v)
    {
        SetIntegerValue(std::max(1, v), FWrapColDesiredCount, &TcPlotObject::DoChange);
    }
    int WrapRowDesiredCount() const
    {
        return FWrapRowDesiredCount;
    }
    void SetWrapRowDesiredCount(int v)
    {
        SetIntegerValue(std::max(1, v), FWrapRowDesiredCount, &TcPlotObject::DoChange);
    }
    fw::TFont& Font()
    {
        return FFont;
    }
    fw::TFont& SelectedItemFont()
    {
        return FSelectedItemFont;
    }
    fw::TFont& ColumnTitlesFont()
    {
        return FColumnTitlesFont;
    }
    int ViewStartIndex() const
    {
        return FItemViewStartIndex;
    }
    void SetViewStartIndex(int v)
    {
        SetIntegerValue(v, FItemViewStartIndex, &TcPlotObject::DoChange);
    }
    int ViewStopIndex() const
    {
        return FItemViewStopIndex;
    }

    // Cursor mode: set by the chart before each paint.
    bool FCursorAllChannels = false;

    int ItemCount() const
    {
        return int(FItemList.size());
    }
    const TcPlotLegendItem& Item(int i) const
    {
        return FItemList.at(std::size_t(i));
    }
    int ActualWrapColCount() const
    {
        return FActualWrapColCount;
    }
    int RowsShown() const
    {
        return FRows;
    }
    TcPlotLegendButton& UpButton()
    {
        return *FUpButton;
    }
    TcPlotLegendButton& DownButton()
    {
        return *FDownButton;
    }
    int RequiredWidth() const
    {
        return FRequiredWidth;
    }
    int RequiredHeight() const
    {
        return FRequiredHeight;
    }

    int GetRequiredSize(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    TcPlotObject* GetMouseOverObject(int X, int Y) override;
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
