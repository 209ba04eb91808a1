#include "chart/objects/PlotLegend.h"

#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/objects/MasterManager.h"

#include <algorithm>
#include <cmath>

namespace chart
{

void WireScrollButtons(TcPlotLegendButton& up, TcPlotLegendButton& down, int& startIndex,
                       std::function<int()> count, std::function<void()> invalidate)
{
    down.Up = false;
    for (TcPlotLegendButton* b : {&up, &down}) {
        b->SetTimerEnabled(true);
        b->SetVisible(false);
        b->OnInvalidate = [invalidate](TcPlotButton*) { invalidate(); };
    }
    up.OnClick = [&startIndex](TcPlotButton*) {
        if (startIndex > 0)
            --startIndex;
    };
    down.OnClick = [&startIndex, count = std::move(count)](TcPlotButton*) {
        if (startIndex < count() - 1)
            ++startIndex;
    };
}

using namespace fw;

namespace
{

int CeilDiv(int a, int b)
{
    return b <= 0 ? a : (a + b - 1) / b;
}

QString ChannelTitle(TcPlotChannelCustom* c)
{
    return c->TitleText().trimmed().isEmpty() ? c->Name() : c->TitleText();
}

// The column order inside an item.
enum { kLine, kMarker, kName, kXName, kYName, kXValue, kYValue, kYMax, kYMin, kYMean };

} // namespace

void TcPlotLegendButton::Draw(TCanvas& Canvas, TColor)
{
    if (!Visible())
        return;
    const TRect r = DrawRect();
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = clBtnFace;
    Canvas.FillRect(r);
    DrawButtonFrame(Canvas, r, FMouseDown ? 0 : 1);
    const TColor c = Enabled() ? clBlack : 0x808080;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    Canvas.Pen.Color = c;
    Canvas.Brush.Color = c;
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    if (Up)
        Canvas.Polygon({{cx - 4, cy + 2}, {cx + 4, cy + 2}, {cx, cy - 2}});
    else
        Canvas.Polygon({{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 2}});
}

TcPlotLegend::TcPlotLegend(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotLayoutObject(AOwner, handlers), FUpButton(std::make_unique<TcPlotLegendButton>(AOwner)),
      FDownButton(std::make_unique<TcPlotLegendButton>(AOwner))
{
    FFont.SetColor(clWhite);
    FSelectedItemFont.SetColor(clBlack);
    FColumnTitlesFont.SetColor(0xFFFF00);
    FColumnTitlesFont.SetStyle(fsBold);
    for (TFont* f : {&FFont, &FSelectedItemFont, &FColumnTitlesFont})
        f->OnChange = [this](TFont*) { DoChange(); };
    WireScrollButtons(
        *FUpButton, *FDownButton, FItemViewStartIndex, [this] { return int(FItemList.size()); },
        [this] { DoInvalidateNow(); });
    SetHorizontal(false);
}

TcPlotLegend::~TcPlotLegend() = default;

QString TcPlotLegend::ItemText(TcPlotChannelCustom* c, Column C) const
{
    if (C == ColName)
        return ChannelTitle(c);
    if (C == ColXAxisTitle || C == ColYAxisTitle) {
        TcPlotAxis* a = C == ColXAxisTitle ? c->GetXAxis() : c->GetYAxis();
        if (!a)
            return TranslateText(QStringLiteral("None"));
        return a->Title().trimmed().isEmpty() ? a->Name() : a->Title();
    }
    if (FCursorAllChannels && (C == ColXValue || C == ColYValue))
        return C == ColXValue ? c->DataCursorXText() : c->DataCursorYText();
    if (c->Count() == 0)
        return TranslateText(QStringLiteral("Empty"));
    TcPlotAxis* a = C == ColXValue ? c->GetXAxis() : c->GetYAxis();
    if (!a)
        return TranslateText(QStringLiteral("N/A"));
    switch (C) {
    case ColXValue:
        return a->GetLegendText(c->GetPointX(c->Count() - 1));
    case ColYValue:
        return a->GetLegendText(c->GetPointY(c->Count() - 1));
    case ColYMax:
        return a->GetLegendText(c->RunningYMax());
    case ColYMin:
        return a->GetLegendText(c->RunningYMin());
    default:
        return a->GetLegendText(c->RunningYMean());
    }
}

const TPropertyTable& TcPlotLegend::PropertyTable() const
{
    using L = TcPlotLegend;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotLayoutObject::ClassTable());
        t.Float("MarginLeft", &L::MarginLeft, &L::SetMarginLeft, 1);
        t.Float("MarginRight", &L::MarginRight, &L::SetMarginRight, 1);
        t.Float("MarginTop", &L::MarginTop, &L::SetMarginTop, 1);
        t.Float("MarginBottom", &L::MarginBottom, &L::SetMarginBottom, 1);
        t.Ordinal("BackGroundColor", "TColor", &L::BackGroundColor, &L::SetBackGroundColor, 0x808080);
        t.Boolean("BackGroundTransparent", &L::BackGroundTransparent, &L::SetBackGroundTransparent, true);
        t.Ordinal("SelectedItemBackGroundColor", "TColor", &L::SelectedItemBackGroundColor,
                  &L::SetSelectedItemBackGroundColor, 0x00FFFF);
        t.Object("SelectedItemFont", "TFont", &L::SelectedItemFont);
        t.Boolean("ShowColumnLine", &L::ShowColumnLine, &L::SetShowColumnLine, true);
        t.Boolean("ShowColumnMarker", &L::ShowColumnMarker, &L::SetShowColumnMarker, false);
        t.Boolean("ShowColumnXAxisTitle", &L::ShowColumnXAxisTitle, &L::SetShowColumnXAxisTitle, false);
        t.Boolean("ShowColumnYAxisTitle", &L::ShowColumnYAxisTitle, &L::SetShowColumnYAxisTitle, false);
        t.Boolean("ShowColumnXValue", &L::ShowColumnXValue, &L::SetShowColumnXValue, false);
        t.Boolean("ShowColumnYValue", &L::ShowColumnYValue, &L::SetShowColumnYValue, false);
        t.Boolean("ShowColumnYMax", &L::ShowColumnYMax, &L::SetShowColumnYMax, false);
        t.Boolean("ShowColumnYMin", &L::ShowColumnYMin, &L::SetShowColumnYMin, false);
        t.Boolean("ShowColumnYMean", &L::ShowColumnYMean, &L::SetShowColumnYMean, false);
        t.String("CaptionColumnTitle", &L::CaptionColumnTitle, &L::SetCaptionColumnTitle,
                 QStringLiteral("Title"));
        t.String("CaptionColumnXAxisTitle", &L::CaptionColumnXAxisTitle, &L::SetCaptionColumnXAxisTitle,
                 QStringLiteral("X-Axis"));
        t.String("CaptionColumnYAxisTitle", &L::CaptionColumnYAxisTitle, &L::SetCaptionColumnYAxisTitle,
                 QStringLiteral("Y-Axis"));
        t.String("CaptionColumnXValue", &L::CaptionColumnXValue, &L::SetCaptionColumnXValue,
                 QStringLiteral("X"));
        t.String("CaptionColumnYValue", &L::CaptionColumnYValue, &L::SetCaptionColumnYValue,
                 QStringLiteral("Y"));
        t.String("CaptionColumnYMax", &L::CaptionColumnYMax, &L::SetCaptionColumnYMax,
                 QStringLiteral("Y-Max"));
        t.String("CaptionColumnYMin", &L::CaptionColumnYMin, &L::SetCaptionColumnYMin,
                 QStringLiteral("Y-Min"));
        t.String("CaptionColumnYMean", &L::CaptionColumnYMean, &L::SetCaptionColumnYMean,
                 QStringLiteral("Y-Mean"));
        t.Object("Font", "TFont", &L::Font);
        t.Float("ColumnSpacing", &L::ColumnSpacing, &L::SetColumnSpacing, 0.5);
        t.Float("RowSpacing", &L::RowSpacing, &L::SetRowSpacing, 0.25);
        t.Float("WrapRowSpacingMin", &L::WrapRowSpacingMin, &L::SetWrapRowSpacingMin, 0.25);
        t.Ordinal("WrapColDesiredCount", "Integer", &L::WrapColDesiredCount, &L::SetWrapColDesiredCount, 1,
                  1);
        t.Boolean("WrapColAutoCountEnabled", &L::WrapColAutoCountEnabled, &L::SetWrapColAutoCountEnabled,
                  false);
        t.Ordinal("WrapColAutoCountMax", "Integer", &L::WrapColAutoCountMax, &L::SetWrapColAutoCountMax, 100);
        t.Float("WrapColSpacingMin", &L::WrapColSpacingMin, &L::SetWrapColSpacingMin, 2);
        t.Boolean("WrapColSpacingAuto", &L::WrapColSpacingAuto, &L::SetWrapColSpacingAuto, true);
        t.Ordinal("WrapRowDesiredCount", "Integer", &L::WrapRowDesiredCount, &L::SetWrapRowDesiredCount, 5,
                  1);
        t.Boolean("WrapRowAutoCountEnabled", &L::WrapRowAutoCountEnabled, &L::SetWrapRowAutoCountEnabled,
                  true);
        t.Ordinal("WrapRowAutoCountMax", "Integer", &L::WrapRowAutoCountMax, &L::SetWrapRowAutoCountMax, 100);
        t.Boolean("WrapRowSpacingAuto", &L::WrapRowSpacingAuto, &L::SetWrapRowSpacingAuto, false);
        t.Boolean("ColumnTitlesVisible", &L::ColumnTitlesVisible, &L::SetColumnTitlesVisible, false);
        t.Object("ColumnTitlesFont", "TFont", &L::ColumnTitlesFont);
        t.Float("ChannelNameMaxWidth", &L::ChannelNameMaxWidth, &L::SetChannelNameMaxWidth, 0);
        t.Enum("ChannelNameColorStyle", "TcPlotLegendChannelNameColorStyle", &L::ChannelNameColorStyle,
               &L::SetChannelNameColorStyle, iplcncsFont,
               {"iplcncsFont", "iplcncsChannelColor", "iplcncsXAxisFontColor", "iplcncsYAxisFontColor"});
        t.Ordinal("LineColumnWidth", "Integer", &L::LineColumnWidth, &L::SetLineColumnWidth, 13);
        t.Ordinal("LineColumnHeight", "Integer", &L::LineColumnHeight, &L::SetLineColumnHeight, 3);
        return t;
    }();
    return table;
}

std::array<bool, 10> TcPlotLegend::ShownColumns() const
{
    return {FShowColumnLine,       FShowColumnMarker,     true,
            FShowColumnXAxisTitle, FShowColumnYAxisTitle, FShowColumnXValue2,
            FShowColumnYValue2,    FShowColumnYMax,       FShowColumnYMin,
            FShowColumnYMean};
}

std::array<QString, 10> TcPlotLegend::ColumnCaptions() const
{
    return {QString(),
            QString(),
            FCaptionColumnTitle,
            FCaptionColumnXAxisTitle,
            FCaptionColumnYAxisTitle,
            FCaptionColumnXValue,
            FCaptionColumnYValue,
            FCaptionColumnYMax,
            FCaptionColumnYMin,
            FCaptionColumnYMean};
}

void TcPlotLegend::MeasureNameColumn(TCanvas& Canvas, int w, int h)
{
    if (FChannelNameMaxWidth == 0) {
        for (auto& item : FItemList) {
            const QString name = ChannelTitle(item.Channel);
            Canvas.Font.Assign(FFont);
            int width = GetMaxLineWidth(Canvas, name);
            Canvas.Font.Assign(FSelectedItemFont);
            width = std::max(width, GetMaxLineWidth(Canvas, name));
            FMaxWidth[kName] = std::max(FMaxWidth[kName], width);
            item.MaxHeight = h;
        }
    } else {
        FMaxWidth[kName] = RoundInt(w * FChannelNameMaxWidth);
        for (auto& item : FItemList) {
            const QString name = ChannelTitle(item.Channel);
            Canvas.Font.Assign(FFont);
            int height = WrappedTextHeight(Canvas, name, FMaxWidth[kName]);
            Canvas.Font.Assign(FSelectedItemFont);
            height = std::max(height, WrappedTextHeight(Canvas, name, FMaxWidth[kName]));
            item.MaxHeight = height;
        }
    }
    for (const auto& item : FItemList)
        FMaxItemHeight = std::max(FMaxItemHeight, item.MaxHeight);
}

void TcPlotLegend::MeasureItemColumns(TCanvas& Canvas, int w, const std::array<bool, 10>& shown)
{
    Canvas.Font.Assign(FFont);
    for (const auto& item : FItemList) {
        TcPlotChannelCustom* c = item.Channel;
        if (FShowColumnXAxisTitle)
            FMaxWidth[kXName] = std::max(FMaxWidth[kXName], Canvas.TextWidth(ItemText(c, ColXAxisTitle)));
        if (FShowColumnYAxisTitle)
            FMaxWidth[kYName] = std::max(FMaxWidth[kYName], Canvas.TextWidth(ItemText(c, ColYAxisTitle)));
        TcPlotAxis* xa = c->GetXAxis();
        TcPlotAxis* ya = c->GetYAxis();
        const int zero = Canvas.TextWidth(QStringLiteral("0"));
        auto minWidth = [&](TcPlotAxis* a) {
            if (!a)
                return 0;
            if (FCursorAllChannels)
                return RoundInt(zero *
                                (a->CursorUseDefaultFormat() ? a->LabelsMinLength() : a->CursorMinLength()));
            return RoundInt(zero *
                            (a->LegendUseDefaultFormat() ? a->LabelsMinLength() : a->LegendMinLength()));
        };
        if (FShowColumnXValue2)
            FMaxWidth[kXValue] = std::max(FMaxWidth[kXValue], minWidth(xa));
        if (FShowColumnYValue2)
            FMaxWidth[kYValue] = std::max(FMaxWidth[kYValue], minWidth(ya));
        if (FCursorAllChannels) {
            FMaxWidth[kXValue] =
                std::max(FMaxWidth[kXValue], RoundInt(c->DataCursorXText().size() * double(w)));
            FMaxWidth[kYValue] =
                std::max(FMaxWidth[kYValue], RoundInt(c->DataCursorYText().size() * double(w)));
        } else {
            if (FShowColumnXValue2)
                FMaxWidth[kXValue] = std::max(FMaxWidth[kXValue], Canvas.TextWidth(ItemText(c, ColXValue)));
            if (FShowColumnYValue2)
                FMaxWidth[kYValue] = std::max(FMaxWidth[kYValue], Canvas.TextWidth(ItemText(c, ColYValue)));
        }
        const Column stats[3] = {ColYMax, ColYMin, ColYMean};
        for (int s = 0; s < 3; ++s)
            if (shown[kYMax + s])
                FMaxWidth[kYMax + s] =
                    std::max(FMaxWidth[kYMax + s], Canvas.TextWidth(ItemText(c, stats[s])));
    }
}

void TcPlotLegend::MeasureColumns(TCanvas& Canvas, int w, const std::array<bool, 10>& shown)
{
    if (FColumnTitlesVisible) {
        Canvas.Font.Assign(FColumnTitlesFont);
        FColumnTitlesHeightPixels = Canvas.TextHeight(QStringLiteral("0"));
        FColumnTitlesMarginPixels = FColumnTitlesHeightPixels / 4;
        const std::array<QString, 10> captions = ColumnCaptions();
        for (int c = kName; c <= kYMean; ++c)
            if (shown[c])
                FMaxWidth[c] = std::max(FMaxWidth[c], Canvas.TextWidth(TranslateText(captions[c])));
    }
    if (FShowColumnLine)
        FMaxWidth[kLine] = std::max(FMaxWidth[kLine], FLineColumnWidth + 3);
    if (FShowColumnMarker)
        FMaxWidth[kMarker] = std::max(FMaxWidth[kMarker], FLineColumnWidth + 3);
    MeasureItemColumns(Canvas, w, shown);
    int x = 0;
    for (int c = kLine; c <= kYMean; ++c) {
        FColumnStart[c] = x;
        if (shown[c])
            x += FMaxWidth[c] + FColumnSpacingPixels;
    }
    FItemWidth = x - FColumnSpacingPixels;
}

void TcPlotLegend::CountWrap(int N, int W, int H, int colPitch, int rowPitch, int& cols, int& rows)
{
    const int colsFit =
        colPitch > 0 ? std::max(1, (W - (Horizontal() ? 25 : 0) + FWrapSpacingPixels) / colPitch) : 1;
    const int rowsFit = rowPitch > 0 ? std::max(1, (H + FRowSpacingPixels) / rowPitch) : 1;
    cols = std::max(1, FWrapColAutoCountEnabled ? FWrapColAutoCountMax : FWrapColDesiredCount);
    const int rowLimit = std::max(1, FWrapRowAutoCountEnabled ? FWrapRowAutoCountMax : FWrapRowDesiredCount);
    if (Horizontal()) {
        cols = std::min(cols, colsFit);
        rows = FWrapRowAutoCountEnabled ? CeilDiv(N, cols) : rowLimit;
        rows = std::min(rows, rowLimit);
        if (rows < 3 && rows * cols < N)
            rows = 3;
        if (rows == 0)
            cols = 0;
        else if (FWrapColAutoCountEnabled)
            cols = std::min(cols, CeilDiv(N, rows));
    } else {
        if (FWrapColAutoCountEnabled)
            cols = CeilDiv(N, rowsFit);
        cols = std::min(cols, std::max(1, FWrapColAutoCountMax));
        rows = std::min({rowsFit, N, rowLimit});
        if (rows < 3 && rows * cols < N)
            rows = 3;
    }
    FActualWrapColCount = cols;
    FActualWrapRowCount = rowLimit;
    FRows = rows;
}

void TcPlotLegend::AssignItemCells(int N, int rows, int cols, int rowPitch, int colPitch)
{
    FItemViewStopIndex = N - 1;
    FColumnList.push_back(FInnerRect.Left);
    int row = 1, col = 1, y = FItemsRect.Top;
    for (int i = FItemViewStartIndex; i < N; ++i) {
        auto& item = FItemList[std::size_t(i)];
        item.ARow = row;
        item.ACol = col;
        item.ALeft = FColumnList[std::size_t(col - 1)];
        item.ATop = y;
        y += rowPitch;
        ++row;
        if (row > rows && i != N - 1) {
            row = 1;
            y = FItemsRect.Top;
            ++col;
            if (col > cols) {
                FItemViewStopIndex = i;
                break;
            }
            if (int(FColumnList.size()) < col)
                FColumnList.push_back(FInnerRect.Left + (col - 1) * colPitch);
        }
    }
}

void TcPlotLegend::ShowScrollButtons(bool show)
{
    FUpButton->SetVisible(show);
    FDownButton->SetVisible(show);
    if (!show) {
        FItemViewStartIndex = 0;
        return;
    }
    FUpButton->SetDrawRect({FItemsRect.Right - 17, FItemsRect.Top, FItemsRect.Right, FItemsRect.Top + 17});
    FDownButton->SetDrawRect(
        {FItemsRect.Right - 17, FItemsRect.Bottom - 17, FItemsRect.Right, FItemsRect.Bottom});
    FRequiredWidth += 25;
}

void TcPlotLegend::SpreadAutoSpacing(int W, int H, int cols)
{
    if (FWrapColSpacingAuto && Horizontal() && cols > 1) {
        const int s = int(std::trunc(double(W - 25 - cols * FItemWidth) / (cols - 1)));
        for (auto& item : FItemList)
            item.ALeft = FInnerRect.Left + (item.ACol - 1) * (FItemWidth + s);
        for (std::size_t j = 0; j < FColumnList.size(); ++j)
            FColumnList[j] = FInnerRect.Left + int(j) * (FItemWidth + s);
    }
    if (FWrapRowSpacingAuto && !Horizontal()) {
        int r = 0;
        for (int i = FItemViewStartIndex; i <= FItemViewStopIndex; ++i)
            if (FItemList[std::size_t(i)].ACol == 1)
                ++r;
        if (r > 1) {
            FRowSpacingPixels = int(std::trunc(double(H - FMaxItemHeight * r) / (r - 1)));
            for (auto& item : FItemList) {
                item.ATop = FInnerRect.Top + (item.ARow - 1) * (FMaxItemHeight + FRowSpacingPixels);
                if (FColumnTitlesVisible)
                    item.ATop += FColumnTitlesHeightPixels + FColumnTitlesMarginPixels;
            }
        }
    }
}

void TcPlotLegend::Layout(TCanvas& Canvas)
{
    Canvas.Font.Assign(FFont);
    const int w = Canvas.TextWidth(QStringLiteral("0"));
    const int h = Canvas.TextHeight(QStringLiteral("0"));
    FColumnList.clear();
    const int mTop = RoundInt(h * FMarginTop), mBottom = RoundInt(h * FMarginBottom);
    const int mLeft = RoundInt(w * FMarginLeft), mRight = RoundInt(w * FMarginRight);
    const TRect d = DrawRect();
    FInnerRect = {d.Left + mLeft, d.Top + mTop, d.Right - mRight, d.Bottom - mBottom};
    FColumnSpacingPixels = RoundInt(w * FColumnSpacing);
    FRowSpacingPixels = RoundInt(h * FWrapRowSpacingMin);
    FWrapSpacingPixels = RoundInt(h * FWrapColSpacingMin);
    FItemHeight = h;
    FMaxItemHeight = 0;
    FColumnTitlesHeightPixels = FColumnTitlesMarginPixels = 0;
    std::fill(std::begin(FMaxWidth), std::end(FMaxWidth), 0);
    FShowColumnXValue2 = FShowColumnXValue || FCursorAllChannels;
    FShowColumnYValue2 = FShowColumnYValue || FCursorAllChannels;

    FItemList.clear();
    auto* channels = FOwner ? FOwner->Master().ChannelManager() : nullptr;
    for (int i = 0; channels && i < channels->Count(); ++i)
        if (TcPlotChannelCustom* c = channels->GetItem(i); c->VisibleInLegend())
            FItemList.push_back({c});
    const int N = int(FItemList.size());
    if (N == 0)
        return;
    FItemViewStartIndex = std::clamp(FItemViewStartIndex, 0, N - 1);

    MeasureNameColumn(Canvas, w, h);
    MeasureColumns(Canvas, w, ShownColumns());

    FColumnTitlesRect = {FInnerRect.Left, FInnerRect.Top, FInnerRect.Right,
                         FInnerRect.Top + FColumnTitlesHeightPixels};
    FItemsRect = {FInnerRect.Left, FColumnTitlesRect.Bottom + FColumnTitlesMarginPixels, FInnerRect.Right,
                  FInnerRect.Bottom};
    const int W = FItemsRect.Width(), H = FItemsRect.Height();
    // Zero spacings with empty texts leave nothing to divide by: one column or row then fits.
    const int colPitch = FItemWidth + FWrapSpacingPixels, rowPitch = FMaxItemHeight + FRowSpacingPixels;
    int cols = 0, rows = 0;
    CountWrap(N, W, H, colPitch, rowPitch, cols, rows);
    AssignItemCells(N, rows, cols, rowPitch, colPitch);
    FRequiredWidth = cols * FItemWidth + (cols - 1) * FWrapSpacingPixels + mLeft + mRight;
    FRequiredHeight = mTop + FColumnTitlesHeightPixels + FColumnTitlesMarginPixels + rows * rowPitch -
                      FRowSpacingPixels + mBottom;
    ShowScrollButtons(rows * cols < N && Enabled());
    SpreadAutoSpacing(W, H, cols);
    FUpButton->SetEnabled(FItemViewStartIndex != 0);
    FDownButton->SetEnabled(FItemViewStopIndex != N - 1);
}

int TcPlotLegend::GetRequiredSize(TCanvas& Canvas)
{
    Layout(Canvas);
    return Horizontal() ? FRequiredHeight : FRequiredWidth;
}

void TcPlotLegend::DrawLineSample(TCanvas& Canvas, int X, int Y, TColor Color, int Style)
{
    Canvas.Pen.Color = Color;
    Canvas.Pen.Width = 1;
    static const int dashes[5][7] = {
        {0, 13, -1}, {0, 5, 8, 13, -1}, {0, 2, 4, 6, 8, 10, -1}, {0, 5, 7, 9, -1}, {0, 5, 7, 9, 11, 13, -1}};
    const int top = Y - FLineColumnHeight / 2;
    for (int row = 0; row <= FLineColumnHeight; ++row) {
        const int y = top + row;
        if (FLineColumnWidth == 13) {
            Canvas.Pen.Style = psSolid;
            const int* seg = dashes[std::clamp(Style, 0, 4)];
            for (int k = 0; seg[k] >= 0; k += 2) {
                Canvas.MoveTo(X + seg[k], y);
                Canvas.LineTo(X + seg[k + 1], y);
            }
        } else {
            Canvas.Pen.Style = TPenStyle(std::clamp(Style, 0, 4));
            Canvas.MoveTo(X, y);
            Canvas.LineTo(X + FLineColumnWidth, y);
        }
    }
}

void TcPlotLegend::DrawColumnTitles(TCanvas& Canvas, TColor BackGroundColor,
                                    const std::array<bool, 10>& shown)
{
    Canvas.Font.Assign(FColumnTitlesFont);
    Canvas.Brush.Style = bsClear;
    const std::array<QString, 10> captions = ColumnCaptions();
    for (int x : FColumnList)
        for (int c = kName; c <= kYMean; ++c) {
            if (!shown[c])
                continue;
            const unsigned flags = TextLayoutToDrawTextFlags(c == kName                     ? 657
                                                             : (c == kXName || c == kYName) ? 658
                                                                                            : 660);
            TRect r{x + FColumnStart[c], FColumnTitlesRect.Top, x + FColumnStart[c] + FMaxWidth[c],
                    FColumnTitlesRect.Top + FColumnTitlesHeightPixels};
            DrawTextInRect(Canvas, TranslateText(captions[c]), r, flags, true, BackGroundColor);
        }
}

void TcPlotLegend::DrawItem(TCanvas& Canvas, TColor BackGroundColor, const TcPlotLegendItem& item,
                            const std::array<bool, 10>& shown)
{
    const int h = FItemHeight;
    TcPlotChannelCustom* c = item.Channel;
    const int L = item.ALeft, T = item.ATop;
    const TRect nameRect{L + FColumnStart[kName], T, L + FColumnStart[kName] + FMaxWidth[kName] + 1,
                         T + item.MaxHeight};
    c->SetLegendRect(nameRect);
    if (FShowColumnLine)
        DrawLineSample(Canvas, L + FColumnStart[kLine], T + h / 2, c->Color(), c->TraceLineStyle());
    if (FShowColumnMarker)
        c->DrawMarker(Canvas, -1, BackGroundColor,
                      {L + FColumnStart[kMarker] + FMaxWidth[kMarker] / 2, T + h / 2});
    if (c->UserSelected()) {
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = FSelectedItemBackGroundColor;
        Canvas.FillRect(nameRect);
        Canvas.Font.Assign(FSelectedItemFont);
    } else {
        Canvas.Brush.Style = bsClear;
        Canvas.Font.Assign(FFont);
    }
    if (FChannelNameColorStyle == iplcncsChannelColor) {
        Canvas.Font.SetColor(c->Color());
    } else if (FChannelNameColorStyle == iplcncsXAxisFontColor ||
               FChannelNameColorStyle == iplcncsYAxisFontColor) {
        if (TcPlotAxis* a = FChannelNameColorStyle == iplcncsXAxisFontColor ? c->GetXAxis() : c->GetYAxis())
            Canvas.Font.SetColor(a->LabelsFont().Color());
    }
    TRect r = nameRect;
    DrawTextInRect(Canvas, ChannelTitle(c), r, TextLayoutToDrawTextFlags(16457), true, BackGroundColor);
    Canvas.Brush.Style = bsClear;
    Canvas.Font.Assign(FFont);
    const Column cols[7] = {ColXAxisTitle, ColYAxisTitle, ColXValue, ColYValue, ColYMax, ColYMin, ColYMean};
    for (int k = 0; k < 7; ++k) {
        const int col = kXName + k;
        if (!shown[col])
            continue;
        TRect cell{L + FColumnStart[col], T, L + FColumnStart[col] + FMaxWidth[col], T + h};
        const unsigned flags = TextLayoutToDrawTextFlags(col <= kYName ? 17 : 20);
        DrawTextInRect(Canvas, ItemText(c, cols[k]), cell, flags, true, BackGroundColor);
    }
}

void TcPlotLegend::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    if (!Visible() || FItemList.empty())
        return;
    Layout(Canvas);
    if (FItemList.empty())
        return;
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Style = psSolid;
    if (!FBackGroundTransparent) {
        Canvas.Brush.Color = FBackGroundColor;
        Canvas.FillRect(DrawRect());
    }
    const std::array<bool, 10> shown = ShownColumns();
    if (FColumnTitlesVisible)
        DrawColumnTitles(Canvas, BackGroundColor, shown);
    Canvas.Font.Assign(FFont);
    Canvas.Brush.Style = bsClear;
    for (auto& item : FItemList)
        item.Channel->SetLegendRect({});
    for (int i = FItemViewStartIndex; i <= FItemViewStopIndex && i < int(FItemList.size()); ++i)
        DrawItem(Canvas, BackGroundColor, FItemList[std::size_t(i)], shown);
    FUpButton->Draw(Canvas, BackGroundColor);
    FDownButton->Draw(Canvas, BackGroundColor);
    if (UserSelected()) {
        Canvas.Brush.Style = bsClear;
        Canvas.Font.SetColor(clWhite);
        TRect r = DrawRect();
        if (Horizontal()) {
            r.Top += 2;
            r.Bottom -= 2;
        } else {
            r.Left += 2;
            r.Right -= 2;
        }
        DrawFocusRectangle(Canvas, r);
    }
}

TcPlotObject* TcPlotLegend::GetMouseOverObject(int X, int Y)
{
    TcPlotObject::GetMouseOverObject(X, Y);
    const TPoint p{X, Y};
    TcPlotObject* hit = this;
    if (FUpButton->Visible() && FUpButton->DrawRect().Contains(p))
        hit = FUpButton.get();
    else if (FDownButton->Visible() && FDownButton->DrawRect().Contains(p))
        hit = FDownButton.get();
    else
        for (const auto& item : FItemList)
            if (item.Channel->VisibleInLegend() && item.Channel->LegendRect().Contains(p)) {
                hit = item.Channel;
                break;
            }
    FMouseOverObject = hit;
    return hit;
}

void TcPlotLegend::DoMouseUp(const TcPlotMouseData& M)
{
    if (FMouseDown && DrawRect().Contains({M.X, M.Y}))
        FireEvent(M.DblClickActive ? TcPlotEventKind::DblClick : TcPlotEventKind::Click);
}

void TcPlotLegend::NotificationSetFocus(TcPlotObject* AObject)
{
    if (AObject != this && AObject->UserSelected())
        SetUserSelected(false);
}

void TcPlotLegend::FillPopupMenu(TcPopupMenu& Menu)
{
    TcPlotObject::FillPopupMenu(Menu);
    AddEditMenuItem(Menu);
}

} // namespace chart
