// Wide solid lines straight into a page's pixels: the plots of the response graph are thousands of
// short segments, which the painter's stroker would take milliseconds for. Pure drawing, any thread.
#pragma once

#include "graph/GraphGeometry.h"

#include <QImage>
#include <vector>

namespace graph {

// Draws the run as joined segments, `width` pixels wide (1 or 2), each leaving out its end point as
// the framework's LineTo does; clipped to the image. The image is Format_RGB32 or ARGB32.
void RasterPolyline(QImage& image, const TRun& run, QRgb colour, int width);

struct TPointF {
    double X = 0, Y = 0;
};

// A cardinal spline (tension 0.5) through the points as a polyline: pieces between points at most
// two pixels apart are straight (the curve cannot leave that pixel band), longer ones are cut into
// two-pixel steps.
std::vector<TPointF> CardinalPolyline(const std::vector<TIntPoint>& points);

// Blends `colour` with `alpha` (0..255) over every pixel whose centre lies inside the polygon
// (alternate rule; the polygon closes itself), and over a one-pixel line along a polyline.
void BlendFillPolygon(QImage& image, const std::vector<TPointF>& polygon, QRgb colour, int alpha);
void BlendPolyline(QImage& image, const std::vector<TPointF>& polyline, QRgb colour, int alpha);

} // namespace graph
