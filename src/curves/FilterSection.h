// One filter section of a response graph: a filter type code 1..17 with its
// frequency, gain, Q and crossover shape values, designed as a biquad at
// 96 kHz, and its response over the 4096-point grid (magnitude in dB or phase
// in units of 10 degrees). The curve always matches the parameters: every
// setter recomputes it. Owned by a Plot; UI thread only.
#pragma once

#include <memory>
#include <span>

#include "curves/FrequencyGrid.h"

// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2); a0 is always 1.
struct SectionCoefs {
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a0 = 1.0;
    double a1 = 0.0;
    double a2 = 0.0;
};

// Filter type codes. The band editor's type index maps onto 1..9 and 17
// (PeqTypeCodes), a bypassed band uses 10, crossover stages 10..16.
enum FilterTypeCode : int {
    ftPeaking = 1,
    ftLowShelf = 2,
    ftHighShelf = 3,
    ftHighPass2 = 4,
    ftLowPass2 = 5,
    ftBandPass = 6,
    ftAllPass1 = 7,
    ftLowPass1 = 8,
    ftHighPass1 = 9,
    ftBypass = 10,
    ftXoverLowPass1 = 11,  // 1/(c1 s + 1)
    ftXoverLowPass2 = 12,  // 1/(s^2 + c1 s + 1)
    ftXoverBesselLp2 = 13, // 1/(c2 s^2 + c1 s + 1)
    ftXoverHighPass1 = 14, // s/(s + c1)
    ftXoverHighPass2 = 15, // s^2/(s^2 + c1 s + 1)
    ftXoverBesselHp2 = 16, // s^2/(s^2 + c1 s + c2)
    ftAllPass2 = 17,
};

class FilterSection
{
  public:
    // Magnitude mode, type 3 at 1000 Hz, 0 dB, Q 0.4: a flat curve.
    FilterSection();

    // Store the four values and recompute; shape values and mode stay.
    void SetFilterSection(double gain, double frequency, double q, int type);
    // Store all six and recompute.
    void SetXoverSection(double gain, double frequency, double q, int type, float shape1, float shape2);

    // Coefficients of the section's design. False, and `coefs` untouched,
    // for a type code outside 1..17. A design the values cannot make (a
    // frequency outside 0..48000 Hz, a Q or shape value that is not
    // positive, a gain that is not finite, or a design that overflows) is
    // written as bypass and still returns true.
    bool CalcSectionCoefs(SectionCoefs& coefs) const;
    // Design, then the 4096 curve values in the section's mode.
    void CalcSectionResponse();

    // Sets the mode only; the caller recomputes the sections it uses.
    void SetPhaseMode(bool phase) { FPhaseMode = phase; }

    // Replace the curve by values computed elsewhere (a crossover's stage
    // sum, another channel's total); the parameters stay as they are.
    void SetCurve(const CurveArray& values);
    // Replace the curve by the point-wise sum of the parts' curves, in the
    // order given (flat parts add nothing); the parameters stay.
    void SumCurves(std::span<const FilterSection* const> parts);
    // Fold every value into -18..18 units of phase (FoldPhase).
    void FoldCurve();

    float shape1() const { return FShape1; }
    float shape2() const { return FShape2; }
    bool phaseMode() const { return FPhaseMode; }
    int type() const { return FType; }
    double frequency() const { return FFrequency; }
    double gain() const { return FGain; }
    double q() const { return FQ; }
    const CurveArray& curve() const { return FCurve ? *FCurve : ZeroCurve(); }
    // True when every curve value is 0, so a sum may skip the section.
    bool IsFlat() const { return FFlat; }

    // Store values without computing the curve; for a caller that sets the
    // curve itself right after (the crossover result section).
    void StoreXoverValues(double gain, double frequency, double q, int type, float shape1, float shape2);

  private:
    struct ComputeTag {
    };
    explicit FilterSection(ComputeTag);
    static const FilterSection& Initial();
    static const CurveArray& ZeroCurve();
    // The stored curve to write, made (zeroed) on first use and unshared first.
    CurveArray& Values();
    void FillMagnitude(const SectionCoefs& c);
    void FillPhase(const SectionCoefs& c);
    void UpdateFlat();

    float FShape1 = 1.0f;
    float FShape2 = 1.0f;
    bool FPhaseMode = false;
    int FType = ftHighShelf;
    double FFrequency = 1000.0;
    double FGain = 0.0;
    double FQ = 0.4;
    bool FFlat = true;
    // Null while every value is 0. Copies share it until one writes (the sections of a window
    // start alike and most keep their first curve; each curve is 32 KiB).
    std::shared_ptr<CurveArray> FCurve;
};

// Instruction-set level of the curve loops: the best the processor has,
// unless a lower one is chosen (tests check each level with it). Every level
// gives the same values.
enum class CurveLoopLevel { Baseline, Avx2, Avx512 };
CurveLoopLevel BestCurveLoopLevel();
CurveLoopLevel GetCurveLoopLevel();
// False, and nothing changed, when the processor lacks the level.
bool SetCurveLoopLevel(CurveLoopLevel level);

// Fold a summed phase into -18..18 units by whole turns of 36; exactly +-18 stays.
double FoldPhase(double units);
