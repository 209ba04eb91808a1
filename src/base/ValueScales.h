// Value scales shared by the model, the curves and the pages: the
// conversions between the device's parameter indices and physical values,
// the fixed tables (Q, crossover designs, ratios, meters, GEQ) and a few
// text helpers. Everything here is constant or a pure function, so any
// thread may use it; the 8-bit text forms without a page read the current
// code page (set by the UI thread).
#pragma once

#include "base/CodePage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>

// ---------------------------------------------------------------------------
// Index scales

// Frequency index: 30 steps per octave, index 170 = 1000 Hz.
inline constexpr double FreqStepRatio = 1.023373891996775; // 2^(1/30)
inline constexpr int FreqIndexMin = 0;
inline constexpr int FreqIndexMax = 300;
inline constexpr int FreqIndex1kHz = 170;

// PEQ gain index: 0.1 dB per step, index 120 = 0 dB.
inline constexpr int GainIndexMin = 0;
inline constexpr int GainIndexZero = 120;
inline constexpr int GainIndexMax = 240;

// Q index into QTable.
inline constexpr int QIndexMin = 0;
inline constexpr int QIndexMax = 100;

// Delay: samples at 96 kHz.
inline constexpr int SamplesPerMs = 96;
inline constexpr float SoundSpeed = 343.5f;               // metres per second
inline constexpr double MetresPerFoot = 0.30480370641307; // 1/3.2808, as the device uses

// Values of the delay-unit setting, the unit argument of DelayToSamples.
enum DelayUnit : int { DelayUnitMs = 0, DelayUnitMetres = 1, DelayUnitFeet = 2 };

// Channel-gain position: 0 = 0 dB; 0.1 dB steps from -20 dB up, 0.5 dB below.
inline constexpr int GainPositionMin = -280;       // -60 dB
inline constexpr int GainPositionMax = 120;        // +12 dB (gain faders)
inline constexpr int MixPositionMax = 0;           // mix levels end at 0 dB
inline constexpr int GainPositionFineLimit = -200; // -20 dB, last 0.1 dB step

// ---------------------------------------------------------------------------
// Equaliser constants

inline constexpr double GeqBandQ = 8.65;
inline constexpr double PeqQCeiling = 3.0;
inline constexpr double PeqFixedQ = 0.71; // = QTable[10]
// 18/pi, built from the stored 18.0 and 180.0 in the device program's order.
inline constexpr double PhaseScale = 18.0 / 180.0 * 180.0 * (1.0 / std::numbers::pi);

// Q by Q index 0..100. A list of values, not a formula (see QToIndex/IndexToQ).
inline constexpr std::array<double, 101> QTable = {
    0.4,   0.42, 0.45, 0.47, 0.5,  0.53, 0.56,  0.59,  0.63,  0.67,  //  0
    0.71,  0.75, 0.79, 0.84, 0.89, 0.94, 1.0,   1.06,  1.12,  1.19,  // 10
    1.26,  1.3,  1.4,  1.5,  1.6,  1.7,  1.8,   1.9,   2.0,   2.1,   // 20
    2.2,   2.4,  2.5,  2.7,  2.8,  3.0,  3.2,   3.4,   3.6,   3.8,   // 30
    4.0,   4.2,  4.5,  4.8,  5.0,  5.3,  5.7,   6.0,   6.3,   6.7,   // 40
    7.1,   7.6,  8.0,  8.5,  9.0,  9.5,  10.1,  10.7,  11.3,  12.0,  // 50
    12.7,  13.5, 14.0, 15.0, 16.0, 17.0, 18.0,  19.0,  20.0,  21.0,  // 60
    23.0,  24.0, 25.0, 27.0, 29.0, 30.0, 32.0,  34.0,  36.0,  38.0,  // 70
    40.0,  43.0, 45.0, 48.0, 51.0, 54.0, 57.0,  60.0,  64.0,  68.0,  // 80
    72.0,  76.0, 81.0, 85.0, 91.0, 96.0, 102.0, 108.0, 114.0, 121.0, // 90
    128.0,                                                           // 100
};

// Band-editor type index 0..8, in the order of the band editor's type list.
enum PeqType : int {
    PeqTypePeak = 0,
    PeqTypeLowShelf = 1,
    PeqTypeHighShelf = 2,
    PeqTypeLp6 = 3,
    PeqTypeLp12 = 4,
    PeqTypeHp6 = 5,
    PeqTypeHp12 = 6,
    PeqTypeAllpass1 = 7,
    PeqTypeAllpass2 = 8,
};
inline constexpr int PeqTypeCount = 9;

// English names of the type indices (the shown names come from the language table).
inline constexpr std::array<std::string_view, PeqTypeCount> PeqTypeNames = {
    "Peak", "Low Shelf", "High Shelf", "LP -6dB", "LP -12dB", "HP -6dB", "HP -12dB", "Allpass1", "Allpass2",
};

// Type index -> filter type code of the response curves; the tenth entry is unused.
inline constexpr std::array<int, 10> PeqTypeCodes = {1, 2, 3, 8, 5, 9, 4, 7, 17, 0};
inline constexpr int FilterCodeBypass = 10; // a bypassed band's section

// 31 third-octave centres of the graphic equaliser, Hz.
inline constexpr std::array<float, 31> GeqCentres = {
    20.f,   25.f,   31.5f,  40.f,   50.f,   63.f,    80.f,    100.f,   125.f,   160.f,  200.f,
    250.f,  315.f,  400.f,  500.f,  630.f,  800.f,   1000.f,  1250.f,  1600.f,  2000.f, 2500.f,
    3150.f, 4000.f, 5000.f, 6300.f, 8000.f, 10000.f, 12500.f, 16000.f, 20000.f,
};

// ---------------------------------------------------------------------------
// Crossover designs

// Slope code (combo item + 1, 0 = bypassed) -> design row.
// Rows 1..8 Butterworth order 1..8, 9..16 Bessel order 1..8,
// 17..20 Linkwitz-Riley 12/24/36/48 dB per octave.
inline constexpr int XoverSlopeCount = 21;
inline constexpr std::array<int, XoverSlopeCount> XoverRowMap = {
    0, 1, 9, 2, 10, 17, 3, 11, 4, 12, 18, 5, 13, 6, 14, 19, 7, 15, 8, 16, 20,
};
inline constexpr int XoverRowBypass = 0;
inline constexpr int ButterworthFirstRow = 1;
inline constexpr int BesselFirstRow = 9;
inline constexpr int LinkwitzFirstRow = 17;
inline constexpr int XoverLastRow = 20;

// ButterworthRows[row - 1]: first-order flag (1 = present), then up to four
// damping values d of stages 1/(s^2 + d s + 1), 0 = absent.
inline constexpr std::array<std::array<float, 5>, 8> ButterworthRows = {{
    {1.0f, 0.f, 0.f, 0.f, 0.f},
    {0.f, 1.4142f, 0.f, 0.f, 0.f},
    {1.0f, 1.0f, 0.f, 0.f, 0.f},
    {0.f, 0.7654f, 1.8478f, 0.f, 0.f},
    {1.0f, 0.618f, 1.618f, 0.f, 0.f},
    {0.f, 0.5176f, 1.4142f, 1.9319f, 0.f},
    {1.0f, 0.445f, 1.247f, 1.8019f, 0.f},
    {0.f, 0.3902f, 1.1111f, 1.6629f, 1.9616f},
}};

// BesselRows[row - 9]: first-order coefficient (0 = absent), a zero, then four
// pairs (c1, c2) of stages 1/(c2 s^2 + c1 s + 1), a pair of zeros = absent.
// Row 16 holds 0.3126 as the device program has it; the display follows it.
inline constexpr std::array<std::array<float, 10>, 8> BesselRows = {{
    {1.0f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f},
    {0.f, 0.f, 1.3617f, 0.618f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f},
    {0.756f, 0.f, 0.9996f, 0.4772f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f},
    {0.f, 0.f, 1.3397f, 0.4889f, 0.7743f, 0.389f, 0.f, 0.f, 0.f, 0.f},
    {0.6656f, 0.f, 1.1402f, 0.4128f, 0.6216f, 0.3245f, 0.f, 0.f, 0.f, 0.f},
    {0.f, 0.f, 1.2217f, 0.3887f, 0.9686f, 0.3505f, 0.5131f, 0.2756f, 0.f, 0.f},
    {0.5937f, 0.f, 1.0944f, 0.3395f, 0.8304f, 0.3011f, 0.4332f, 0.2381f, 0.f, 0.f},
    {0.f, 0.f, 1.1112f, 0.3126f, 0.9754f, 0.2979f, 0.7202f, 0.2621f, 0.3728f, 0.2087f},
}};

// ---------------------------------------------------------------------------
// Compressor ratio steps, index 0..15

inline constexpr int RatioCount = 16;
inline constexpr std::array<std::string_view, RatioCount> RatioTexts = {
    "1.0", "1.1", "1.3", "1.5", "1.7", "2.0", "2.5", "3.0",
    "3.5", "4.0", "5.0", "6.0", "8.0", "10",  "20",  "Limit",
};
// "Limit" is 20.1, not infinity.
inline constexpr std::array<double, RatioCount> RatioValues = {
    1.0, 1.1, 1.3, 1.5, 1.7, 2.0, 2.5, 3.0, 3.5, 4.0, 5.0, 6.0, 8.0, 10.0, 20.0, 20.1,
};

// ---------------------------------------------------------------------------
// Typed-value suffixes

inline constexpr std::array<std::string_view, 4> DbSuffixes = {"dB", "DB", "db", "Db"};
inline constexpr std::array<std::string_view, 4> TimeSuffixes = {"ms", "Ms", "mS", "MS"};
inline constexpr std::array<std::string_view, 4> DelayMsSuffixes = {"ms", "Ms", "mS", "MS"};
inline constexpr std::array<std::string_view, 2> MetreSuffixes = {"m", "M"};
inline constexpr std::array<std::string_view, 4> FeetSuffixes = {"ft", "Ft", "fT", "FT"};

// ---------------------------------------------------------------------------
// Level meters: a segment per threshold (dB), in this order.

struct TMeterThresholds {
    std::array<float, 9> Inputs;
    std::array<float, 8> Outputs;
};
inline constexpr TMeterThresholds MeterThresholds = {
    {-50.f, -30.f, -20.f, -10.f, -5.f, 0.f, 5.f, 12.f, 15.f},
    {-50.f, -20.f, -10.f, -5.f, 0.f, 5.f, 12.f, 14.f},
};

// ---------------------------------------------------------------------------
// Conversions. A float-to-int step truncates toward zero unless stated;
// it saturates at the int range and a not-a-number value gives 0.

// ln(f/1000)/ln(FreqStepRatio) + 170, stepping up only above a fraction of .5.
// Not clamped to 0..300. A frequency that is not positive counts as 1e-300 Hz
// and one above 1e300 as 1e300, so the index stays finite (callers refuse those).
int FreqToIndex(double frequencyHz);
double IndexToFreq(int index);

// trunc(g * 10) + 120: -0.15 dB gives 119, never the nearest step.
int GainToIndex(double gainDb);
double IndexToGain(int index);

// Lands every QTable value on its own index. Not clamped: 0.3 gives -5, 200
// gives 106. Q outside 1e-300..1e300 (or not a number) is taken as the nearer end.
int QToIndex(double q);
// 128 / 1.0594^(100 - i) rounded to two decimals; close to, not equal to, QTable.
double IndexToQ(std::uint8_t index);

// Value in the given unit (DelayUnit) to samples, truncated toward zero.
// An unknown unit gives 0.
int DelayToSamples(double value, int unit);

// "+%3.1fdB" / "-%3.1fdB" of a channel-gain position.
std::string FormatGainText(int position);

// True when every character, in the 8-bit code page, is a digit, '.', ',' or a
// blank; the empty text is numeric. Takes UTF-8.
bool IsNumericText(std::string_view text);

// The number a typed text holds, read whole in the C locale: blanks around it, an optional sign,
// digits with at most one point and at least one digit. Anything else ("1,5", "1.5.2", "12abc", a
// blank inside, "", "-") gives nothing. A value too large for a double gives the largest double of
// its sign, one too small gives 0, so callers clamp a finite value.
std::optional<double> ParseDecimal(std::string_view text);

// printf "%<width>.<precision>f" in the C locale, whatever the process locale.
std::string FormatFixed(double value, int precision, int width = 0);

// ---------------------------------------------------------------------------
// 8-bit code page of the device's texts (CodePage.h): Windows-1252 while the interface is English,
// GBK while it is Chinese. A character the page cannot hold, and every malformed UTF-8 byte, becomes
// '?'. The forms without a page use the current one.

// UTF-8 text to 8-bit text; the string's c_str() is the NUL-terminated form.
std::string WideToAnsi(std::string_view utf8);
std::string WideToAnsi(std::string_view utf8, CodePage page);
// Same, cut to at most `width` bytes on a character boundary (a double-byte character that does not
// fit whole is left out) and padded with `pad` to exactly `width` bytes (channel names: zero bytes;
// preset names: blanks).
std::string WideToAnsiField(std::string_view utf8, std::size_t width, char pad);
std::string WideToAnsiField(std::string_view utf8, std::size_t width, char pad, CodePage page);
// 8-bit text back to UTF-8; a byte sequence the page does not define becomes '?'.
std::string AnsiToUtf8(std::string_view ansi);
std::string AnsiToUtf8(std::string_view ansi, CodePage page);
