// The 4096-point logarithmic frequency grid shared by every response curve:
// point p stands for 48000^(p/4096) Hz at the device's 96 kHz sample rate.
// Built once on first use (thread-safe), read-only afterwards.
#pragma once

#include <array>

inline constexpr int CurvePoints = 4096;
inline constexpr double CurveSampleRate = 96000.0;
inline constexpr double CurveTopFrequency = 48000.0; // half the sample rate

using CurveArray = std::array<double, CurvePoints>;

struct FrequencyGrid {
    CurveArray frequency; // f(p) in Hz, as w(p) * 48000 / pi
    CurveArray omega;     // w(p) = f(p) * pi / 48000, radians per sample
    // 1 - cos(k w) = 2 sin^2(k w / 2) for k = 1, 2: exact where cos(k w) is
    // all but 1, so responses near 0 Hz keep their precision.
    CurveArray vers1;
    CurveArray vers2;
    CurveArray sin1; // sin(-w)
    CurveArray sin2; // sin(-2w)

    static const FrequencyGrid& Get();
};

// Grid position of a frequency: 4096 * log10(f) / log10(48000). Kept within
// 0..4096 so that a frequency that is not positive, or not a number, gives 0.
double GridPosition(double frequencyHz);
