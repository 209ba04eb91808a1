#include "curves/FilterSection.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "base/ValueScales.h"

// The curve loops are built for AVX-512 and AVX2 as well (below); the
// bodies are inlined into one entry point per level.
#if defined(__x86_64__) && defined(__GNUC__)
#define CURVE_LEVELS_X86 1
#endif
#define CURVE_BODY [[gnu::always_inline]] inline

namespace
{

bool IsPositive(double v)
{
    return std::isfinite(v) && v > 0.0;
}

bool AllFinite(const SectionCoefs& c)
{
    return std::isfinite(c.b0) && std::isfinite(c.b1) && std::isfinite(c.b2) && std::isfinite(c.a1) &&
           std::isfinite(c.a2);
}

// Which of the section's values a type code uses.
bool UsesQ(int type)
{
    return (type >= ftPeaking && type <= ftBandPass) || type == ftAllPass2;
}
bool UsesGain(int type)
{
    return type >= ftPeaking && type <= ftHighShelf;
}
bool UsesShape1(int type)
{
    return type >= ftXoverLowPass1 && type <= ftXoverBesselHp2;
}
bool UsesShape2(int type)
{
    return type == ftXoverBesselLp2 || type == ftXoverBesselHp2;
}

// What the rows are written from: the prewarped frequency K, its square, the second-order
// denominator D, the linear gain V and its root sV (for shelves), and the section's values.
struct RowInputs {
    double K, KK, D, V, sV, Q, c1, c2;
    bool cut;
};

// The peaking and shelving rows; false for another type.
bool WritePeakOrShelfRow(int type, const RowInputs& in, SectionCoefs& s)
{
    const double K = in.K, KK = in.KK, D = in.D, V = in.V, sV = in.sV, Q = in.Q;
    const bool cut = in.cut;
    switch (type) {
    case ftPeaking:
        if (!cut) {
            s.b0 = (1.0 + V * K / Q + KK) / D;
            s.b1 = 2.0 * (KK - 1.0) / D;
            s.b2 = (1.0 - V * K / Q + KK) / D;
            s.a1 = s.b1;
            s.a2 = (1.0 - K / Q + KK) / D;
        } else {
            const double E = 1.0 + V * K / Q + KK;
            s.b0 = (1.0 + K / Q + KK) / E;
            s.b1 = 2.0 * (KK - 1.0) / E;
            s.b2 = (1.0 - K / Q + KK) / E;
            s.a1 = s.b1;
            s.a2 = (1.0 - V * K / Q + KK) / E;
        }
        return true;
    case ftLowShelf:
        if (!cut) {
            s.b0 = (1.0 + sV * K / Q + V * KK) / D;
            s.b1 = 2.0 * (V * KK - 1.0) / D;
            s.b2 = (1.0 - sV * K / Q + V * KK) / D;
            s.a1 = 2.0 * (KK - 1.0) / D;
            s.a2 = (1.0 - K / Q + KK) / D;
        } else {
            const double E = 1.0 + sV * K / Q + V * KK;
            s.b0 = (1.0 + K / Q + KK) / E;
            s.b1 = 2.0 * (KK - 1.0) / E;
            s.b2 = (1.0 - K / Q + KK) / E;
            s.a1 = 2.0 * (V * KK - 1.0) / E;
            s.a2 = (1.0 - sV * K / Q + V * KK) / E;
        }
        return true;
    case ftHighShelf:
        if (!cut) {
            s.b0 = (V + sV * K / Q + KK) / D;
            s.b1 = 2.0 * (KK - V) / D;
            s.b2 = (V - sV * K / Q + KK) / D;
            s.a1 = 2.0 * (KK - 1.0) / D;
            s.a2 = (1.0 - K / Q + KK) / D;
        } else {
            const double E = V + sV * K / Q + KK;
            const double W = 1.0 / V;
            const double sW = std::sqrt(W);
            const double F = 1.0 + sW * K / Q + W * KK;
            s.b0 = (1.0 + K / Q + KK) / E;
            s.b1 = 2.0 * (KK - 1.0) / E;
            s.b2 = (1.0 - K / Q + KK) / E;
            s.a1 = 2.0 * (W * KK - 1.0) / F;
            s.a2 = (1.0 - sW * K / Q + W * KK) / F;
        }
        return true;
    default:
        return false;
    }
}

// The high-, low-, band- and all-pass rows and bypass; false for another type.
bool WritePassRow(int type, const RowInputs& in, SectionCoefs& s)
{
    const double K = in.K, KK = in.KK, D = in.D, Q = in.Q;
    switch (type) {
    case ftHighPass2:
        s.b0 = 1.0 / D;
        s.b1 = -2.0 / D;
        s.b2 = 1.0 / D;
        s.a1 = 2.0 * (KK - 1.0) / D;
        s.a2 = (1.0 - K / Q + KK) / D;
        return true;
    case ftLowPass2:
        s.b0 = KK / D;
        s.b1 = 2.0 * KK / D;
        s.b2 = KK / D;
        s.a1 = 2.0 * (KK - 1.0) / D;
        s.a2 = (1.0 - K / Q + KK) / D;
        return true;
    case ftBandPass: {
        const double E = Q + K + Q * KK;
        s.b0 = 2.0 * K / E;
        s.b1 = 0.0;
        s.b2 = -2.0 * K / E;
        s.a1 = 2.0 * Q * (KK - 1.0) / E;
        s.a2 = (Q - K + Q * KK) / E;
        return true;
    }
    case ftAllPass1:
        s.b0 = (1.0 - K) / (1.0 + K);
        s.b1 = -1.0;
        s.b2 = 0.0;
        s.a1 = (K - 1.0) / (1.0 + K);
        s.a2 = 0.0;
        return true;
    case ftLowPass1:
        s.b0 = K / (1.0 + K);
        s.b1 = s.b0;
        s.b2 = 0.0;
        s.a1 = (K - 1.0) / (1.0 + K);
        s.a2 = 0.0;
        return true;
    case ftHighPass1:
        s.b0 = -1.0 / (1.0 + K);
        s.b1 = 1.0 / (1.0 + K);
        s.b2 = 0.0;
        s.a1 = (K - 1.0) / (1.0 + K);
        s.a2 = 0.0;
        return true;
    case ftAllPass2:
        s.b0 = (1.0 - K / Q + KK) / D;
        s.b1 = 2.0 * (KK - 1.0) / D;
        s.b2 = (1.0 + K / Q + KK) / D;
        s.a1 = s.b1;
        s.a2 = s.b0;
        return true;
    case ftBypass:
        s = SectionCoefs{};
        return true;
    default:
        return false;
    }
}

// The crossover rows with their shape values c1 and c2; false for another type.
bool WriteXoverRow(int type, const RowInputs& in, SectionCoefs& s)
{
    const double K = in.K, KK = in.KK, c1 = in.c1, c2 = in.c2;
    switch (type) {
    case ftXoverLowPass1: {
        const double k = K / c1;
        s.b0 = k / (1.0 + k);
        s.b1 = s.b0;
        s.b2 = 0.0;
        s.a1 = (k - 1.0) / (k + 1.0);
        s.a2 = 0.0;
        return true;
    }
    case ftXoverLowPass2: {
        const double E = 1.0 + c1 * K + KK;
        s.b0 = KK / E;
        s.b1 = 2.0 * KK / E;
        s.b2 = KK / E;
        s.a1 = 2.0 * (KK - 1.0) / E;
        s.a2 = (1.0 - c1 * K + KK) / E;
        return true;
    }
    case ftXoverBesselLp2: {
        const double E = 1.0 + (c1 / c2) * K + KK / c2;
        s.b0 = (KK / c2) / E;
        s.b1 = 2.0 * (KK / c2) / E;
        s.b2 = s.b0;
        s.a1 = 2.0 * (KK / c2 - 1.0) / E;
        s.a2 = (1.0 - (c1 / c2) * K + KK / c2) / E;
        return true;
    }
    case ftXoverHighPass1: {
        const double E = 1.0 + c1 * K;
        s.b0 = 1.0 / E;
        s.b1 = -1.0 / E;
        s.b2 = 0.0;
        s.a1 = (c1 * K - 1.0) / E;
        s.a2 = 0.0;
        return true;
    }
    case ftXoverHighPass2: {
        const double E = 1.0 + c1 * K + KK;
        s.b0 = 1.0 / E;
        s.b1 = -2.0 / E;
        s.b2 = 1.0 / E;
        s.a1 = 2.0 * (KK - 1.0) / E;
        s.a2 = (1.0 - c1 * K + KK) / E;
        return true;
    }
    case ftXoverBesselHp2: {
        const double E = 1.0 + c1 * K + c2 * KK;
        s.b0 = 1.0 / E;
        s.b1 = -2.0 / E;
        s.b2 = 1.0 / E;
        s.a1 = 2.0 * (c2 * KK - 1.0) / E;
        s.a2 = (1.0 - c1 * K + c2 * KK) / E;
        return true;
    }
    default:
        return false;
    }
}

// Writes the design by the type code's row. False for a code outside 1..17.
bool WriteRow(int type, double frequency, double gain, double Q, double c1, double c2, SectionCoefs& s)
{
    const double K = std::tan(std::numbers::pi * frequency * (1.0 / CurveSampleRate));
    const double KK = K * K;
    const double D = 1.0 + K / Q + KK;
    const double V = std::pow(10.0, std::fabs(gain) / 20.0);
    const double sV = std::pow(10.0, std::fabs(gain) / 40.0);
    const bool cut = !(gain >= 0.0); // a gain that is not a number counts as a cut
    s.a0 = 1.0;
    const RowInputs in{K, KK, D, V, sV, Q, c1, c2, cut};
    return WritePeakOrShelfRow(type, in, s) || WritePassRow(type, in, s) || WriteXoverRow(type, in, s);
}

// The design of a section, or bypass when its values cannot make one.
// `bypass` tells the caller that the curve is flat.
bool Design(int type, double frequency, double gain, double q, double c1, double c2, SectionCoefs& coefs,
            bool& bypass)
{
    if (type < ftPeaking || type > ftAllPass2)
        return false;
    bypass = true;
    coefs = SectionCoefs{};
    if (type == ftBypass)
        return true;
    const bool valid = IsPositive(frequency) && frequency < CurveTopFrequency &&
                       (!UsesQ(type) || IsPositive(q)) && (!UsesGain(type) || std::isfinite(gain)) &&
                       (!UsesShape1(type) || IsPositive(c1)) && (!UsesShape2(type) || IsPositive(c2));
    if (!valid)
        return true;
    SectionCoefs s;
    WriteRow(type, frequency, gain, q, c1, c2, s);
    if (!AllFinite(s))
        return true;
    coefs = s;
    bypass = false;
    return true;
}

// Added to both squared magnitudes so that neither is zero nor below the
// normal range: a response that is zero at a grid point reads about -3000 dB,
// one that overflows (bits of infinity: exponent 1024) about +3000 dB, so no
// curve value is ever infinite. Nothing above 1e-284 is changed by it.
constexpr double PowerFloor = 1e-300;

// 10 log10(num / den) for num, den >= 0, written so that the compiler can
// vectorise the loop it sits in, with one division: both numbers split into
// exponent and mantissa by their bits, the mantissa quotient r brought into
// [sqrt(1/2), sqrt(2)] by a factor 2, then ln r = 2 atanh(t),
// t = (mn - md)/(mn + md), |t| <= 0.1716, by its series cut where the
// remainder drops below 1e-8 dB.
inline double DecibelRatio(double num, double den)
{
    num += PowerFloor;
    den += PowerFloor;
    const std::uint64_t nb = std::bit_cast<std::uint64_t>(num);
    const std::uint64_t db = std::bit_cast<std::uint64_t>(den);
    // Biased exponents as doubles, without an int-to-double conversion.
    const double en = std::bit_cast<double>((nb >> 52) | 0x4330000000000000ull);
    const double ed = std::bit_cast<double>((db >> 52) | 0x4330000000000000ull);
    double mn = std::bit_cast<double>((nb & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
    double md = std::bit_cast<double>((db & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
    const double up = mn > std::numbers::sqrt2 * md ? 1.0 : 0.0;
    const double down = mn * std::numbers::sqrt2 < md ? 1.0 : 0.0;
    md = md * (1.0 + up);
    mn = mn * (1.0 + down);
    const double e = (en - ed) + (up - down);
    const double t = (mn - md) / (mn + md);
    const double t2 = t * t;
    const double series = 1.0 + t2 * (1.0 / 3 + t2 * (1.0 / 5 + t2 * (1.0 / 7 + t2 * (1.0 / 9))));
    const double ln = e * std::numbers::ln2 + 2.0 * t * series;
    return ln * (10.0 / std::numbers::ln10);
}

// N and D at e^(-jw) are b0 + b1 e^(-jw) + b2 e^(-2jw) and the same with a.
// Their real parts are taken as (b0 + b1 + b2) - b1 (1 - cos w) - b2 (1 - cos 2w):
// the same sum, without the cancellation that cos w ~ 1 brings near 0 Hz.
CURVE_BODY void MagnitudeLoop(const SectionCoefs& c, const double* __restrict vers1,
                              const double* __restrict vers2, const double* __restrict sin1,
                              const double* __restrict sin2, double* __restrict out)
{
    const double b1 = c.b1, b2 = c.b2, a1 = c.a1, a2 = c.a2;
    const double bs = c.b0 + c.b1 + c.b2;
    const double as = c.a0 + c.a1 + c.a2;
    for (int p = 0; p < CurvePoints; ++p) {
        const double nr = bs - b1 * vers1[p] - b2 * vers2[p];
        const double ni = b1 * sin1[p] + b2 * sin2[p];
        const double dr = as - a1 * vers1[p] - a2 * vers2[p];
        const double di = a1 * sin1[p] + a2 * sin2[p];
        out[p] = DecibelRatio(nr * nr + ni * ni, dr * dr + di * di);
    }
}

// atan(x) for |x| <= tan(pi/8) as x P(x^2): a Chebyshev fit of degree 6 in
// x^2, within 1e-11 radians.
inline double AtanSmall(double x)
{
    const double z = x * x;
    const double p =
        0.99999999997913824 +
        z * (-0.33333332127901316 +
             z * (0.19999885900382577 +
                  z * (-0.14281639307153071 +
                       z * (0.11041054758599508 + z * (-0.084591125855341537 + z * 0.04713004539823442)))));
    return x * p;
}

// The single-argument arctangent of im/re in units of 10 degrees, written
// so that the compiler can vectorise the loop it sits in, with one division:
// the angle of (|re|, |im|) is brought into 0..pi/8 by the octant
// identities, and re = 0 reads +-9 as the arctangent of +-infinity does.
inline double PhaseUnits(double re, double im)
{
    constexpr double TanPi8 = 0.41421356237309503;
    const double a = std::fabs(im);
    const double b = std::fabs(re);
    const double lo = a > b ? b : a;
    const double hi = a > b ? a : b;
    // Above pi/8: atan t = pi/4 + atan((t - 1)/(t + 1)), t = lo/hi.
    const double n = lo > TanPi8 * hi ? lo - hi : lo;
    double d = lo > TanPi8 * hi ? lo + hi : hi;
    d = d > 0.0 ? d : 1.0; // both zero: angle 0
    double theta = (lo > TanPi8 * hi ? std::numbers::pi / 4 : 0.0) + AtanSmall(n / d);
    theta = a > b ? std::numbers::pi / 2 - theta : theta;
    return theta * std::copysign(1.0, im) * std::copysign(1.0, re) * PhaseScale;
}

// The response's phase before the per-code correction, N and D as in
// MagnitudeLoop; the phase of N times the conjugate of D.
CURVE_BODY void PhaseLoop(const SectionCoefs& c, const double* __restrict vers1,
                          const double* __restrict vers2, const double* __restrict sin1,
                          const double* __restrict sin2, double* __restrict out)
{
    const double b1 = c.b1, b2 = c.b2, a1 = c.a1, a2 = c.a2;
    const double bs = c.b0 + c.b1 + c.b2;
    const double as = c.a0 + c.a1 + c.a2;
    for (int p = 0; p < CurvePoints; ++p) {
        const double nr = bs - b1 * vers1[p] - b2 * vers2[p];
        const double ni = b1 * sin1[p] + b2 * sin2[p];
        const double dr = as - a1 * vers1[p] - a2 * vers2[p];
        const double di = a1 * sin1[p] + a2 * sin2[p];
        out[p] = PhaseUnits(nr * dr + ni * di, ni * dr - nr * di);
    }
}

// out = the point-wise sum of count curves (count >= 1), in their order, in
// blocks that stay in the first-level cache. out may be one of the curves:
// each block is read whole before it is written.
CURVE_BODY void SumRuns(const double* const* curves, int count, double* out)
{
    constexpr int Block = 512;
    for (int b = 0; b < CurvePoints; b += Block) {
        double acc[Block];
        const double* __restrict first = curves[0] + b;
        for (int p = 0; p < Block; ++p)
            acc[p] = first[p];
        for (int k = 1; k < count; ++k) {
            const double* __restrict c = curves[k] + b;
            for (int p = 0; p < Block; ++p)
                acc[p] += c[p];
        }
        for (int p = 0; p < Block; ++p)
            out[b + p] = acc[p];
    }
}

using CurveLoop = void (*)(const SectionCoefs&, const double*, const double*, const double*, const double*,
                           double*);
struct CurveLoops {
    CurveLoop magnitude;
    CurveLoop phase;
    void (*sum)(const double* const*, int, double*);
};

// One set of entry points per level, each with the bodies inlined.
#define CURVE_LOOP_SET(NAME, ATTR)                                                                           \
    ATTR void Magnitude##NAME(const SectionCoefs& c, const double* v1, const double* v2, const double* s1,   \
                              const double* s2, double* out)                                                 \
    {                                                                                                        \
        MagnitudeLoop(c, v1, v2, s1, s2, out);                                                               \
    }                                                                                                        \
    ATTR void Phase##NAME(const SectionCoefs& c, const double* v1, const double* v2, const double* s1,       \
                          const double* s2, double* out)                                                     \
    {                                                                                                        \
        PhaseLoop(c, v1, v2, s1, s2, out);                                                                   \
    }                                                                                                        \
    ATTR void Sum##NAME(const double* const* curves, int count, double* out)                                 \
    {                                                                                                        \
        SumRuns(curves, count, out);                                                                         \
    }                                                                                                        \
    constexpr CurveLoops Loops##NAME{Magnitude##NAME, Phase##NAME, Sum##NAME};

CURVE_LOOP_SET(Baseline, )
#ifdef CURVE_LEVELS_X86
// Built with exactly the features that BestCurveLoopLevel checks.
CURVE_LOOP_SET(Avx2, __attribute__((target("avx2,fma"))))
CURVE_LOOP_SET(Avx512, __attribute__((target("avx2,fma,avx512f,avx512dq,avx512vl"))))
#endif
#undef CURVE_LOOP_SET

const CurveLoops& LoopsOf(CurveLoopLevel level)
{
#ifdef CURVE_LEVELS_X86
    if (level == CurveLoopLevel::Avx512)
        return LoopsAvx512;
    if (level == CurveLoopLevel::Avx2)
        return LoopsAvx2;
#endif
    (void)level;
    return LoopsBaseline;
}

std::atomic<CurveLoopLevel>& LevelInUse()
{
    static std::atomic<CurveLoopLevel> level{BestCurveLoopLevel()};
    return level;
}

const CurveLoops& Loops()
{
    return LoopsOf(LevelInUse().load(std::memory_order_relaxed));
}

} // namespace

CurveLoopLevel BestCurveLoopLevel()
{
#ifdef CURVE_LEVELS_X86
    __builtin_cpu_init();
    const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    if (avx2 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
        __builtin_cpu_supports("avx512vl"))
        return CurveLoopLevel::Avx512;
    if (avx2)
        return CurveLoopLevel::Avx2;
#endif
    return CurveLoopLevel::Baseline;
}

CurveLoopLevel GetCurveLoopLevel()
{
    return LevelInUse().load(std::memory_order_relaxed);
}

bool SetCurveLoopLevel(CurveLoopLevel level)
{
    if (level > BestCurveLoopLevel())
        return false;
    LevelInUse().store(level, std::memory_order_relaxed);
    return true;
}

FilterSection::FilterSection() : FilterSection(Initial()) {}

FilterSection::FilterSection(ComputeTag)
{
    CalcSectionResponse();
}

// Every section starts with the same curve: it is computed once.
const FilterSection& FilterSection::Initial()
{
    static const FilterSection initial{ComputeTag{}};
    return initial;
}

const CurveArray& FilterSection::ZeroCurve()
{
    static const CurveArray zero{};
    return zero;
}

CurveArray& FilterSection::Values()
{
    if (!FCurve)
        FCurve = std::make_shared<CurveArray>();
    else if (FCurve.use_count() > 1)
        FCurve = std::make_shared<CurveArray>(*FCurve);
    return *FCurve;
}

void FilterSection::SetFilterSection(double gain, double frequency, double q, int type)
{
    FGain = gain;
    FFrequency = frequency;
    FQ = q;
    FType = type;
    CalcSectionResponse();
}

void FilterSection::SetXoverSection(double gain, double frequency, double q, int type, float shape1,
                                    float shape2)
{
    StoreXoverValues(gain, frequency, q, type, shape1, shape2);
    CalcSectionResponse();
}

void FilterSection::StoreXoverValues(double gain, double frequency, double q, int type, float shape1,
                                     float shape2)
{
    FGain = gain;
    FFrequency = frequency;
    FQ = q;
    FType = type;
    FShape1 = shape1;
    FShape2 = shape2;
}

bool FilterSection::CalcSectionCoefs(SectionCoefs& coefs) const
{
    bool bypass = true;
    return Design(FType, FFrequency, FGain, FQ, FShape1, FShape2, coefs, bypass);
}

void FilterSection::CalcSectionResponse()
{
    SectionCoefs c;
    bool bypass = true;
    if (!Design(FType, FFrequency, FGain, FQ, FShape1, FShape2, c, bypass) || bypass) {
        FCurve.reset();
        FFlat = true;
        return;
    }
    // Equal numerator and denominator (a band at 0 dB) give exactly 0 dB at every point: no curve to
    // compute or store.
    if (!FPhaseMode && c.b0 == c.a0 && c.b1 == c.a1 && c.b2 == c.a2) {
        FCurve.reset();
        FFlat = true;
        return;
    }
    if (FPhaseMode)
        FillPhase(c);
    else
        FillMagnitude(c);
    UpdateFlat();
}

void FilterSection::FillMagnitude(const SectionCoefs& c)
{
    const FrequencyGrid& g = FrequencyGrid::Get();
    Loops().magnitude(c, g.vers1.data(), g.vers2.data(), g.sin1.data(), g.sin2.data(), Values().data());
}

void FilterSection::FillPhase(const SectionCoefs& c)
{
    const FrequencyGrid& g = FrequencyGrid::Get();
    double* r = Values().data();
    Loops().phase(c, g.vers1.data(), g.vers2.data(), g.sin1.data(), g.sin2.data(), r);

    // The correction by type code; h is half a turn.
    constexpr double h = 18.0;
    switch (FType) {
    case ftHighPass2:
    case ftAllPass1:
    case ftHighPass1:
    case ftXoverHighPass2:
    case ftXoverBesselHp2:
        for (int p = 0; p < CurvePoints; ++p)
            r[p] = r[p] < 0.0 ? r[p] + h : r[p];
        break;
    case ftLowPass2:
    case ftLowPass1:
    case ftXoverLowPass2:
    case ftXoverBesselLp2:
        for (int p = 0; p < CurvePoints; ++p)
            r[p] = r[p] > 0.0 ? r[p] - h : r[p];
        break;
    case ftAllPass2:
        for (int p = 0; p < CurvePoints; ++p) {
            r[p] = r[p] > 0.0 ? r[p] - h : r[p];
            r[p] = g.frequency[p] > FFrequency ? r[p] + h : r[p];
        }
        break;
    case ftLowShelf:
        if (FGain > 0.0) {
            for (int p = 0; p < CurvePoints; ++p)
                r[p] = r[p] > 0.0 ? r[p] - h : r[p];
        } else if (FGain < 0.0) {
            for (int p = 0; p < CurvePoints; ++p)
                r[p] = r[p] < 0.0 ? r[p] + h : r[p];
        }
        break;
    case ftHighShelf:
        if (FGain > 0.0) {
            for (int p = 0; p < CurvePoints; ++p)
                r[p] = r[p] < 0.0 ? r[p] + h : r[p];
        } else if (FGain < 0.0) {
            for (int p = 0; p < CurvePoints; ++p)
                r[p] = r[p] > 0.0 ? r[p] - h : r[p];
        }
        break;
    default: // 1, 6, 10, 11, 14: none
        break;
    }
}

void FilterSection::SetCurve(const CurveArray& values)
{
    Values() = values;
    UpdateFlat();
}

void FilterSection::SumCurves(std::span<const FilterSection* const> parts)
{
    std::vector<const double*> live;
    live.reserve(parts.size());
    for (const FilterSection* s : parts)
        if (!s->FFlat)
            live.push_back(s->curve().data());
    if (live.empty()) {
        FCurve.reset();
        FFlat = true;
        return;
    }
    Loops().sum(live.data(), int(live.size()), Values().data());
    UpdateFlat();
}

double FoldPhase(double units)
{
    if (units > 18.0)
        return units - 36.0 * std::ceil((units - 18.0) / 36.0);
    if (units < -18.0)
        return units + 36.0 * std::ceil((-18.0 - units) / 36.0);
    return units;
}

void FilterSection::FoldCurve()
{
    if (FCurve)
        for (double& v : Values())
            v = FoldPhase(v);
    UpdateFlat();
}

void FilterSection::UpdateFlat()
{
    FFlat = !FCurve || std::all_of(FCurve->begin(), FCurve->end(), [](double v) { return v == 0.0; });
}
