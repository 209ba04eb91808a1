#include "chart/objects/PlotLabel.h"

#include "chart/core/ChartError.h"

namespace chart
{

using namespace fw;

const TPropertyTable& TcPlotLabel::PropertyTable() const
{
    using L = TcPlotLabel;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotLayoutObject::ClassTable());
        t.Redeclare("Horizontal", QStringLiteral("1"));
        t.String("Caption", &L::Caption, &L::SetCaption, QString());
        t.Float("MarginLeft", &L::MarginLeft, &L::SetMarginLeft, 0);
        t.Float("MarginTop", &L::MarginTop, &L::SetMarginTop, 0);
        t.Float("MarginRight", &L::MarginRight, &L::SetMarginRight, 0);
        t.Float("MarginBottom", &L::MarginBottom, &L::SetMarginBottom, 0);
        t.Enum("Alignment", "TcAlignmentHorizontal", &L::Alignment, &L::SetAlignment, iahCenter,
               {"iahCenter", "iahLeft", "iahRight"});
        t.Object("Font", "TFont", &L::Font);
        t.Ordinal("ImageListIndex", "Integer", &L::ImageListIndex, &L::SetImageListIndex, -1);
        t.Ordinal("ImageIndex", "Integer", &L::ImageIndex, &L::SetImageIndex, 0);
        return t;
    }();
    return table;
}

TcPlotLabel::TcPlotLabel(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotLayoutObject(AOwner, handlers)
{
    FFont.SetName(QStringLiteral("Arial"));
    FFont.SetSize(14);
    FFont.SetStyle(fsBold);
    FFont.SetColor(clWhite);
    FFont.OnChange = [this](TFont*) { DoChange(); };
    SetHorizontal(true);
}

void TcPlotLabel::SetAlignment(TcAlignmentHorizontal v)
{
    if (v == FAlignment)
        return;
    FAlignment = v;
    DoChange();
}

void TcPlotLabel::SetImage(const QImage* Value)
{
    if (Value)
        FImage = std::make_unique<QImage>(*Value);
    else
        FImage.reset();
    DoChange();
}

void TcPlotLabel::ImageClear()
{
    if (!FImage)
        return;
    FImage.reset();
    DoChange();
}

bool TcPlotLabel::ImageLoadFromFile(const QString& FileName, QString* Error)
{
    QImage image;
    if (!LoadImageFile(FileName, image, Error))
        return false;
    SetImage(&image);
    return true;
}

void TcPlotLabel::CalcSize(TCanvas& Canvas)
{
    Canvas.Font.Assign(FFont);
    const int W = Canvas.TextWidth(QStringLiteral("0"));
    const int H = Canvas.TextHeight(QStringLiteral("0"));
    FMarginTopPixels = int(RoundHalfEven(FMarginTop * H));
    FMarginBottomPixels = int(RoundHalfEven(FMarginBottom * H));
    FMarginLeftPixels = int(RoundHalfEven(FMarginLeft * W));
    FMarginRightPixels = int(RoundHalfEven(FMarginRight * W));
    FRequiredWidth = GetTextHeight(Canvas, FCaption) + FMarginTopPixels + FMarginBottomPixels;
}

int TcPlotLabel::GetRequiredSize(TCanvas& Canvas)
{
    CalcSize(Canvas);
    return FRequiredWidth;
}

int TcPlotLabel::PictureLeft(const TRect& R, int w) const
{
    switch (FAlignment) {
    case iahLeft:
        return R.Left + FMarginLeftPixels;
    case iahRight:
        return R.Right - FMarginRightPixels - w;
    default:
        return (R.Left + R.Right) / 2 - w / 2;
    }
}

void TcPlotLabel::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    CalcSize(Canvas);
    if (!Visible())
        return;
    const TRect R = DrawRect();
    if (FImage && !FImage->isNull()) {
        const TColor key = FromQColor(FImage->pixelColor(0, FImage->height() - 1));
        const int x = PictureLeft(R, FImage->width());
        const int y = R.Top + FMarginTopPixels;
        Canvas.DrawTransparent({x, y, x + FImage->width(), y + FImage->height()}, *FImage, key);
        return;
    }
    if (FOwner) {
        if (TCustomImageList* list = FOwner->ImageList(FImageListIndex);
            list && FImageIndex >= 0 && FImageIndex < list->Count()) {
            list->Draw(Canvas, PictureLeft(R, list->Width()), R.Top + FMarginTopPixels, FImageIndex,
                       Enabled());
            return;
        }
    }
    Canvas.Brush.Style = bsClear;
    Canvas.Font.Assign(FFont);
    if (Horizontal()) {
        TRect r{R.Left + FMarginLeftPixels, R.Top + FMarginTopPixels, R.Right - FMarginRightPixels,
                R.Bottom - FMarginBottomPixels};
        const unsigned align = FAlignment == iahLeft    ? DT_LEFT
                               : FAlignment == iahRight ? DT_RIGHT
                                                        : DT_CENTER;
        // Several lines are centred as a block; one line by the text drawer's own centring.
        const int h = GetTextHeight(Canvas, FCaption);
        if (FCaption.contains(QLatin1Char('\n'))) {
            r.Top += (r.Height() - h) / 2;
            DrawTextInRect(Canvas, FCaption, r, align | DT_NOPREFIX, true, BackGroundColor);
        } else {
            DrawTextInRect(Canvas, FCaption, r, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, true,
                           BackGroundColor);
        }
        return;
    }
    const int w = GetMaxLineWidth(Canvas, FCaption);
    int cy;
    switch (FAlignment) {
    case iahLeft:
        cy = R.Bottom - w / 2 - FMarginLeftPixels;
        break;
    case iahRight:
        cy = R.Top + w / 2 + FMarginRightPixels;
        break;
    default:
        cy = (R.Top + R.Bottom) / 2;
        break;
    }
    TRect drawn;
    DrawRotatedText(Canvas, FCaption,
                    {R.Left + FMarginTopPixels, cy - w / 2, R.Right - FMarginBottomPixels, cy + w / 2},
                    ira090, iahCenter, true, BackGroundColor, drawn);
}

} // namespace chart
