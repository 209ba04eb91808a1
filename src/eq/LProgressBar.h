// LProgressBar: the segmented level meter (and one-segment lamp), painted as one widget from an
// explicit lit-state vector: zone 1 at the top, zone 3 at the bottom, each with an unlit and a lit
// colour; Position lights segments from the bottom. No events. UI thread only.
#pragma once

#include "eq/MeterState.h"
#include "framework/Control.h"

namespace eq
{

using fw::TColor;

class LProgressBar : public fw::TControl
{
  public:
    explicit LProgressBar(QWidget* parent = nullptr);

    int FirstNum() const { return FState.FirstNum(); }
    void SetFirstNum(int v);
    int SecondNum() const { return FState.SecondNum(); }
    void SetSecondNum(int v);
    int ThirdNum() const { return FState.ThirdNum(); }
    void SetThirdNum(int v);
    TColor FirstColor() const { return FUnlit[0]; }
    void SetFirstColor(TColor v) { SetUnlit(0, v); }
    TColor SecondColor() const { return FUnlit[1]; }
    void SetSecondColor(TColor v) { SetUnlit(1, v); }
    TColor ThirdColor() const { return FUnlit[2]; }
    void SetThirdColor(TColor v) { SetUnlit(2, v); }
    TColor LFirstColor() const { return FLitColour[0]; }
    void SetLFirstColor(TColor v) { SetLit(0, v); }
    TColor LSecondColor() const { return FLitColour[1]; }
    void SetLSecondColor(TColor v) { SetLit(1, v); }
    TColor LThirdColor() const { return FLitColour[2]; }
    void SetLThirdColor(TColor v) { SetLit(2, v); }
    int Max() const { return FState.Max(); }
    void SetMax(int v) { FState.SetMax(v); }
    int Min() const { return FState.Min(); }
    void SetMin(int v) { FState.SetMin(v); }
    int Position() const { return FState.Position(); }
    void SetPosition(int v);

    const TMeterState& State() const { return FState; }
    // The colour segment i (from the top) shows.
    TColor SegmentColor(int i) const;
    // The segments' boxes at the last layout.
    const std::vector<TSegmentBox>& Segments() const { return FBoxes; }
    // Paints the meter into a canvas at the given offset (the widget's paint and page renders).
    void PaintTo(fw::TCanvas& c, int dx = 0, int dy = 0) const;

  protected:
    void Paint(fw::TCanvas& canvas) override;
    void Resized() override;

  private:
    void SetUnlit(int zone, TColor v);
    void SetLit(int zone, TColor v);
    void Layout();

    TMeterState FState;
    TColor FUnlit[3] = {fw::RGB(128, 0, 0), fw::RGB(128, 128, 0), fw::RGB(0, 128, 0)};
    TColor FLitColour[3] = {fw::RGB(255, 0, 0), fw::RGB(255, 255, 0), fw::RGB(0, 255, 0)};
    std::vector<TSegmentBox> FBoxes;
    int FLayoutW = 0, FLayoutH = 0;
};

// The main window's three configurations.
void ConfigureInputMeter(LProgressBar& m);
void ConfigureOutputMeter(LProgressBar& m);
void ConfigureLamp(LProgressBar& m);

} // namespace eq
