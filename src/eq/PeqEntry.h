// The band editor's values without a window: frequency positions (1/30 octave from 1 kHz), Q
// indices, gain positions in tenths of a dB, their canonical texts, and the typed-entry parsers with
// their unit words and refusal rules. A refused text is an empty optional. Pure functions.
#pragma once

#include <optional>
#include <string>

namespace eq
{

inline constexpr int FreqPositionMin = -170, FreqPositionMax = 130;
inline constexpr int QIndexDefault = 20;
inline constexpr int GainPositionLimit = 120;

// 1000 x 2^(position / 30) Hz.
double PositionToFreq(int position);
// The editor's own snapping of a frequency set from code: x = ln(f / 1000) / ln(2^(1/30)) written
// with two decimals; a first decimal above 5 steps one away from zero; then cut toward zero
// (12.55 -> 12, 12.60 -> 13, -12.60 -> -13). Refused (empty) for a frequency that is not
// positive or not finite; the position is not clamped.
std::optional<int> SnapFreqPosition(double hz);
// The gain position of SetEqParamValue: h = trunc(dB x 100), trunc(h / 10) and one more when the
// remainder is above 5. Saturates at the int range; not a number gives 0.
int ParamGainPosition(double db);
// The gain position of SetGainValue: trunc(dB x 10), saturated.
int GainPosition(double db);
// A Q index argument: truncated toward zero and kept within 0..100.
int ClampQIndex(double q);

// "%4.2fKHz" of f / 1000 from 1000 Hz up, else "%4.1fHz".
std::string FreqText(double hz);
// "%1.2f" of the Q.
std::string QText(double q);
// "%1.1fdB".
std::string GainText(double db);

// The typed texts below, without their unit word, must read whole as a number (ParseDecimal) with no
// blank, and a sign only in a gain.
// A typed frequency ("1.5kHz", "250", "19.7Hz"): the grid index 0..300 nearest to it (the value
// scales' rule), or empty when refused. Texts that read as zero or are not finite are refused.
std::optional<int> ParseFreqEntry(const std::string& text);
// A typed Q: the Q index 0..100 (values clamped to 0.4..128), or empty when refused (also a value
// that reads as zero or is not finite).
std::optional<int> ParseQEntry(const std::string& text);
// A typed gain ("-3.5dB"): the gain position -120..120 (one decimal, clamped to +-12 dB), or empty.
std::optional<int> ParseGainEntry(const std::string& text);

} // namespace eq

namespace eq
{

// The sibling band tables' number texts: Q and gain texts take the user's decimal separator `sep`;
// frequency texts, step counts and typed values always use ".".

// The step count ln(f / 1000) / ln(2^(1/30)) rounded to three significant digits and at most two
// decimals (45.58 -> "45.60", 120.52 -> "121.00"), then the editor's snapping on that text: a first
// decimal above 5 steps one away from zero, the rest is cut toward zero. The text is written with "."
// whatever the user's separator, so that a band lands on the same point everywhere. Refused for a
// frequency that is not positive or not finite.
std::optional<int> SnapFreqPositionRounded(double hz);
// The plain table's snapping: the step count written with up to 15 significant digits, then the same
// stepping and cut (45.596 -> 45, 45.62 -> 46).
std::optional<int> SnapFreqPositionPlain(double hz);
// Gain position of the five-type table's SetEqParamValue: |h| = |trunc(dB x 100)|, |h| / 10 and one
// more when |h| mod 10 is above 5, with the sign of h (-1.26 -> -13).
int RoundedGainPosition(double db);
// Half-decibel position: trunc(dB x 2) in single precision, saturated.
int HalfDbPosition(float db);
// A value in general form: up to 15 significant digits, no trailing zeros or point.
std::string GeneralText(double v, char sep);
// The QTable entry with two decimals, rounded to at most three significant digits.
std::string SiblingQText(double q, char sep);
// The general text of a gain followed by "dB".
std::string SiblingGainText(double db, char sep);
// A typed half-decibel gain (the 15-band and plain tables): unit word and refusals as ParseGainEntry;
// then the first decimal d decides: 6..9 cut after it, 0..4 drop the decimals, 5 keep the text; the
// value clamped to +-12 dB goes to the 0.5 dB grid toward zero (position -24..24). Texts that cannot
// be read after that step (".3", "3.-") are refused too.
std::optional<int> ParseHalfDbGainEntry(const std::string& text);
// The plain table's typed Q: digits and one "." only, not "0", not reading as zero; the index of
// the value (no 0.4 and 128 limits before the lookup), 0..100.
std::optional<int> ParsePlainQEntry(const std::string& text);

} // namespace eq
