#include "framework/ImageList.h"

#include <QPainter>
#include <algorithm>

namespace fw
{

TCustomImageList::TCustomImageList(int width, int height, QObject* parent)
    : QObject(parent), FWidth(std::max(0, width)), FHeight(std::max(0, height))
{
}

int TCustomImageList::Add(const QImage& image)
{
    QImage cell = image.convertToFormat(QImage::Format_ARGB32);
    if (cell.size() != QSize(FWidth, FHeight))
        cell = cell.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    FImages.push_back(cell);
    return Count() - 1;
}

void TCustomImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) const
{
    if (Index < 0 || Index >= Count() || FImages[Index].isNull())
        return;
    if (Enabled) {
        Canvas.Painter().drawImage(X, Y, FImages[Index]);
        return;
    }
    QImage grey = FImages[Index];
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int g = 128 + qGray(line[x]) / 2; // light grey, as the framework greys a disabled image
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    Canvas.Painter().drawImage(X, Y, grey);
}

} // namespace fw
