// TCustomImageList: the framework's image list, as far as the controls use it: a fixed cell size and
// images drawn by index, enabled or greyed. Controls borrow it; a QPointer to it clears itself when
// the list is destroyed. UI thread only.
#pragma once

#include "framework/Canvas.h"

#include <QImage>
#include <QObject>
#include <vector>

namespace fw
{

class TCustomImageList : public QObject
{
  public:
    TCustomImageList(int width, int height, QObject* parent = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return int(FImages.size()); }
    void Clear() { FImages.clear(); }
    // A new cell size; the images held are dropped.
    void SetSize(int width, int height)
    {
        FImages.clear();
        FWidth = width;
        FHeight = height;
    }
    // Adds one image (scaled to the cell when its size differs); returns its index.
    int Add(const QImage& image);
    // Nothing for an index outside the list; a disabled image is drawn greyed.
    void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled = true) const;

  private:
    int FWidth, FHeight;
    std::vector<QImage> FImages;
};

} // namespace fw
