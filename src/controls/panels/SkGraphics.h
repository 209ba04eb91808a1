// Gradient fills, transparent bitmaps with a key colour, and the parent's background under a control.
// Pictures are QImages; scaling is always nearest-neighbour so that no key colour bleeds into edges.
#pragma once

#include "controls/panels/SkCommon.h"

#include <QImage>

namespace sk
{

void GradientFillRect(TCanvas& c, TRect r, TGradientDirection dir, TColor start, TColor end, int steps = 1);
// The gradient as a picture of r's size (nothing for an empty one).
QImage RenderGradientImage(int w, int h, TGradientDirection dir, TColor start, TColor end);
void RenderGradientBitmap(TCanvas& c, TRect r, TGradientDirection dir, TColor start, TColor end,
                          int steps = 1);
void PaintGradientRim(TCanvas& c, TRect r, TGradientDirection dir, TColor start, TColor end);

void CopyTransparentPart(TCanvas& c, const QImage& bmp, TRect d, TColor key, TRect s);
void StretchTransparentPart(TCanvas& c, const QImage& bmp, TRect d, TColor key, TRect s);
void DrawTransparentBitmap(TCanvas& c, const QImage& bmp, TRect d, TColor key);
void TileTransparentBitmap(TCanvas& c, const QImage& bmp, TRect d, TColor key);

// Qt composes the parent (and lower siblings) under a widget that leaves its pixels transparent, so the
// parent's background under a control is "no paint": an off-screen ARGB image is cleared to transparent
// over the control's area. Without a parent the image is left untouched.
void PaintParentBackground(const QWidget* control, QImage& target);

} // namespace sk
