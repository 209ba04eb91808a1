#include "curves/Crossover.h"

#include "base/ValueScales.h"
#include "curves/Plot.h"

namespace
{

// Q handed to every crossover section; the stage codes do not use it.
constexpr double StageQ = 0.05;
constexpr double FlatFrequency = 1000.0;

struct Stage {
    int type = ftBypass;
    float shape1 = 0.0f;
    float shape2 = 0.0f;
};

} // namespace

int XoverRowOfSlope(int slopeCode)
{
    if (slopeCode < 0 || slopeCode >= XoverSlopeCount)
        return XoverRowBypass;
    return XoverRowMap[std::size_t(slopeCode)];
}

namespace
{

using Stages = Stage[Plot::StageCount];

// The stages of a table row past the first Butterworth row: first-order, second-order and Bessel
// codes of the cut's side.
void StagesOfRow(int row, int first, int second, int bessel, Stages& stages)
{
    auto set = [&](int i, int type, float c1, float c2 = 0.0f) { stages[i] = Stage{type, c1, c2}; };
    if (row < BesselFirstRow) {
        const auto& r = ButterworthRows[std::size_t(row - ButterworthFirstRow)];
        if (r[0] == 1.0f)
            set(0, first, 1.0f);
        for (int i = 1; i <= 4; ++i)
            if (r[std::size_t(i)] != 0.0f)
                set(i, second, r[std::size_t(i)]);
    } else if (row < LinkwitzFirstRow) {
        const auto& r = BesselRows[std::size_t(row - BesselFirstRow)];
        if (r[0] != 0.0f)
            set(0, first, r[0]);
        for (int i = 1; i <= 4; ++i) {
            const float c1 = r[std::size_t(2 * i)];
            const float c2 = r[std::size_t(2 * i + 1)];
            if (c1 != 0.0f)
                set(i, bessel, c1, c2);
        }
    } else {
        // Linkwitz-Riley: Butterworth stages each used twice.
        switch (row) {
        case LinkwitzFirstRow: // -12
            set(0, first, 1.0f);
            set(1, first, 1.0f);
            break;
        case LinkwitzFirstRow + 1: // -24
            set(0, second, ButterworthRows[1][1]);
            set(1, second, ButterworthRows[1][1]);
            break;
        case LinkwitzFirstRow + 2: // -36
            set(0, first, 1.0f);
            set(1, first, 1.0f);
            set(2, second, ButterworthRows[2][1]);
            set(3, second, ButterworthRows[2][1]);
            break;
        default: // -48
            set(0, second, ButterworthRows[3][2]);
            set(1, second, ButterworthRows[3][2]);
            set(2, second, ButterworthRows[3][1]);
            set(3, second, ButterworthRows[3][1]);
            break;
        }
    }
}

// Designs the stage sections at the cut's frequency; returns the last stage used, or null.
const Stage* DesignStages(Plot& plot, const Stages& stages, double frequency)
{
    // Absent stages flat at 1 kHz.
    const Stage* last = nullptr;
    int lastSection = 0;
    for (int i = 0; i < Plot::StageCount; ++i) {
        FilterSection& s = plot.Section(Plot::FirstStageSection + i);
        const Stage& st = stages[i];
        if (st.type == ftBypass) {
            s.SetXoverSection(0.0, FlatFrequency, StageQ, ftBypass, 0.0f, 0.0f);
            continue;
        }
        // Linkwitz-Riley stages come in equal pairs: the second is a copy.
        if (last && last->type == st.type && last->shape1 == st.shape1 && last->shape2 == st.shape2)
            s = plot.Section(lastSection);
        else
            s.SetXoverSection(0.0, frequency, StageQ, st.type, st.shape1, st.shape2);
        last = &st;
        lastSection = Plot::FirstStageSection + i;
    }
    return last;
}

} // namespace

void ComputeHpLpCurve(Plot& plot, bool highPass, int slopeCode, double frequency, int base)
{
    const int result = highPass ? base : base + 1;
    const int first = highPass ? ftXoverHighPass1 : ftXoverLowPass1;
    const int second = highPass ? ftXoverHighPass2 : ftXoverLowPass2;
    const int bessel = highPass ? ftXoverBesselHp2 : ftXoverBesselLp2;

    const int row = XoverRowOfSlope(slopeCode);
    Stages stages;

    if (row == XoverRowBypass || row == ButterworthFirstRow) {
        for (int i = 0; i < Plot::StageCount; ++i)
            plot.Section(Plot::FirstStageSection + i)
                .SetXoverSection(0.0, FlatFrequency, StageQ, ftBypass, 0.0f, 0.0f);
        if (row == XoverRowBypass)
            plot.Section(result).SetXoverSection(0.0, frequency, StageQ, ftBypass, 0.0f, 0.0f);
        else
            plot.Section(result).SetXoverSection(0.0, frequency, StageQ, first, 1.0f, 0.0f);
        plot.DrawBandMarker(result, 0.0f, highPass ? 3 : 2);
        return;
    }

    StagesOfRow(row, first, second, bessel, stages);
    const Stage* last = DesignStages(plot, stages, frequency);
    // The result carries the last stage's code and shape to the marker; its
    // curve is the stage sum.
    FilterSection& out = plot.Section(result);
    if (last)
        out.StoreXoverValues(0.0, frequency, StageQ, last->type, last->shape1, last->shape2);
    else
        out.StoreXoverValues(0.0, frequency, StageQ, ftBypass, 0.0f, 0.0f);
    const FilterSection* parts[Plot::StageCount];
    for (int i = 0; i < Plot::StageCount; ++i)
        parts[i] = &plot.Section(Plot::FirstStageSection + i);
    out.SumCurves(parts);
    plot.DrawBandMarker(result, 0.0f, highPass ? 3 : 2);
}
