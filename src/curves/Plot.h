// The filter mathematics behind one response graph: 48 filter sections with
// fixed roles (0..30 bands, 31 high-pass, 32 low-pass, 33 total, 34..38
// crossover stages, 39..47 overlays), the total curve with its phase folding,
// and the hand-over of curves and markers to the graph's painter, which only
// draws what it is given. Owns its sections, not the painter (which may be
// null: nothing is then drawn). UI thread only.
#pragma once

#include <vector>

#include "curves/FilterSection.h"
#include "curves/PlotPainter.h"

class Plot
{
  public:
    static constexpr int sectionCount = 48;
    static constexpr int HighPassSection = 31;
    static constexpr int LowPassSection = 32;
    static constexpr int TotalSection = 33;
    static constexpr int FirstStageSection = 34;
    static constexpr int StageCount = 5;
    static constexpr int FirstOverlaySection = 39;

    explicit Plot(PlotPainter* painter = nullptr);

    PlotPainter* painter() const { return FPainter; }

    // Section n, 0..47.
    FilterSection& Section(int n);
    const FilterSection& Section(int n) const;

    // Mode of the plot and of all 48 sections; recomputes nothing.
    void SetPhaseMode(bool phase);
    bool GetPhaseMode() const { return FPhaseMode; }

    // Section n's curve as the painter's plot n.
    void DrawSectionCurve(int n, fw::TColor colour);
    void RemoveCurve(int n);
    // Sum sections 0..32 into section 33 (folded into -18..18 in phase mode)
    // and draw it as plot 33 in ChannelColours[index].
    void DrawTotalCurve(int index);
    // Only the sum of DrawTotalCurve, without drawing.
    void ComputeTotalCurve();
    // Marker n at the section's frequency; style 1 band, 3 high-pass, 2 low-pass.
    void DrawBandMarker(int n, float y, int style);
    // The selected band's parameter text and filled curve (show), or hide them.
    void ShowBandDetail(int kind, int n, float gain, float q, bool show);

  private:
    bool FPhaseMode = false;
    PlotPainter* FPainter = nullptr;
    std::vector<FilterSection> FSections;
};
