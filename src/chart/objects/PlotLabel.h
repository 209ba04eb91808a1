// TcPlotLabel: a layout object that shows one caption, or a picture of its own or from one of the
// chart's image lists, in a band beside the plotting area. Label 0 is the chart's title. Margins
// count in widths and heights of "0" in the label's font. UI thread only.
#pragma once

#include "chart/objects/PlotObject.h"
#include "framework/Fonts.h"

#include <QImage>
#include <memory>

namespace chart
{

class TcPlotLabel : public TcPlotLayoutObject
{
  public:
    TcPlotLabel(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v) { SetStringValue(v, FCaption, &TcPlotObject::DoChange); }
    double MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(double v) { SetDoubleValue(v, FMarginLeft, &TcPlotObject::DoChange); }
    double MarginTop() const { return FMarginTop; }
    void SetMarginTop(double v) { SetDoubleValue(v, FMarginTop, &TcPlotObject::DoChange); }
    double MarginRight() const { return FMarginRight; }
    void SetMarginRight(double v) { SetDoubleValue(v, FMarginRight, &TcPlotObject::DoChange); }
    double MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(double v) { SetDoubleValue(v, FMarginBottom, &TcPlotObject::DoChange); }
    TcAlignmentHorizontal Alignment() const { return FAlignment; }
    void SetAlignment(TcAlignmentHorizontal v);
    fw::TFont& Font() { return FFont; }
    const TPropertyTable& PropertyTable() const override;
    void SetFont(const fw::TFont& v) { FFont.Assign(v); }
    int ImageListIndex() const { return FImageListIndex; }
    void SetImageListIndex(int v) { SetIntegerValue(v, FImageListIndex, &TcPlotObject::DoChange); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { SetIntegerValue(v, FImageIndex, &TcPlotObject::DoChange); }
    const QImage* Image() const { return FImage.get(); }
    // Copies the image into the label's own; a null image frees it.
    void SetImage(const QImage* Value);
    void ImageClear();
    // Loads a picture file as the label's image; a failed load raises and keeps the old image.
    // Reads a picture file as the label's image; an unreadable or undecodable file is refused with
    // its text and leaves the image as it was.
    bool ImageLoadFromFile(const QString& FileName, QString* Error = nullptr);
    static constexpr std::size_t MaxImageFileSize = chart::MaxImageFileSize;
    int RequiredWidth() const { return FRequiredWidth; }

    int GetRequiredSize(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;

  private:
    void CalcSize(TCanvas& Canvas);
    // The x at which a picture of width w sits by the alignment.
    int PictureLeft(const TRect& R, int w) const;

    int FRequiredWidth = 0;
    int FMarginTopPixels = 0, FMarginBottomPixels = 0, FMarginLeftPixels = 0, FMarginRightPixels = 0;
    QString FCaption;
    double FMarginLeft = 0, FMarginRight = 0, FMarginBottom = 0, FMarginTop = 0;
    fw::TFont FFont;
    TcAlignmentHorizontal FAlignment = iahCenter;
    std::unique_ptr<QImage> FImage;
    int FImageListIndex = -1;
    int FImageIndex = 0;
};

} // namespace chart
