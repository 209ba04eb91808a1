// A PlotPainter that records every call as one line of text, so a test can
// compare the whole sequence.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "curves/PlotPainter.h"

class RecordingPainter : public PlotPainter
{
  public:
    std::vector<std::string> calls;
    std::vector<double> lastValues; // of the last FFTDraw or DrawCurveFill

    bool FFTDraw(const double* y, int count, int plotNumber, fw::TColor colour, int style) override
    {
        lastValues.assign(y, y + count);
        Add("FFTDraw", count, plotNumber, Hex(colour), style);
        return false;
    }
    bool RemovePlot(int plotNumber) override
    {
        Add("RemovePlot", plotNumber);
        return true;
    }
    void DrawBlock(double y, double x, fw::TColor colour, int slot, bool hidden, int shape) override
    {
        Add("DrawBlock", y, x, Hex(colour), slot, hidden, shape);
    }
    int SetBlockParameter(int slot, double frequency, double gain, double q, int typeCode) override
    {
        Add("SetBlockParameter", slot, frequency, gain, q, typeCode);
        return slot;
    }
    void DrawParam(int typeIndex, double gain, double x, float frequency, double q,
                   fw::TColor colour) override
    {
        Add("DrawParam", typeIndex, gain, x, frequency, q, Hex(colour));
    }
    void DrawCurveFill(int typeIndex, const double* curve, int count) override
    {
        lastValues.assign(curve, curve + count);
        Add("DrawCurveFill", typeIndex, count);
    }
    bool SetCurveDisplay(bool on) override
    {
        Add("SetCurveDisplay", on);
        return on;
    }

  private:
    static std::string Hex(fw::TColor c)
    {
        std::ostringstream s;
        s << "0x" << std::hex << c;
        return s.str();
    }
    template <typename... Args> void Add(const char* name, const Args&... args)
    {
        std::ostringstream s;
        s.precision(10);
        s << std::boolalpha << name;
        ((s << ' ' << args), ...);
        calls.push_back(s.str());
    }
};
