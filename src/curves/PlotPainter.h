// What a Plot draws on: the response graph painter's plot list, band markers
// and selected-band display. The graph painter implements it; tests record it.
// The Plot does not own its painter. UI thread only.
#pragma once

#include "base/Color.h"

class PlotPainter
{
  public:
    virtual ~PlotPainter() = default;

    // Add or replace plot `plotNumber` with x = 0, 1, ..., count - 1; style
    // is a TMyPlotStyle value (0 = polyline). True when the number existed.
    virtual bool FFTDraw(const double* y, int count, int plotNumber, fw::TColor colour, int style) = 0;
    virtual bool RemovePlot(int plotNumber) = 0;

    virtual void DrawBlock(double y, double x, fw::TColor colour, int slot, bool hidden, int shape) = 0;
    virtual int SetBlockParameter(int slot, double frequency, double gain, double q, int typeCode) = 0;
    virtual void DrawParam(int typeIndex, double gain, double x, float frequency, double q,
                           fw::TColor colour) = 0;
    virtual void DrawCurveFill(int typeIndex, const double* curve, int count) = 0;
    virtual bool SetCurveDisplay(bool on) = 0;
};
