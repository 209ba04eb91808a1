// The rules the compressor, limiter and gate pages share, without any control: the value texts, the
// typed entries (decibels, times, ratios) and the transfer curves. Pure functions; any thread.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace app
{

// Thresholds are fader positions in 0.5 dB steps; attack, release and hold positions are ms - 1;
// a knee is whole dB; a ratio is an index into the ratio steps (the last one is "Limit").
inline constexpr double ThresholdMinDb = -90.0, ThresholdMaxDb = 20.0;
inline constexpr int KneeMax = 12;
inline constexpr int RatioLimitIndex = 15;

// "%+1.1fdB" of position x 0.5 (the typed-entry form, minus sign or "+", prints the same).
QString ThresholdText(int position);
// "%3dms" of position + 1: compressor and limiter times after a fader change or mirroring.
QString PaddedTimeText(int position);
// "%dms" of position + 1: gate times, and every time after a typed entry.
QString TimeText(int position);
// "1:" + the ratio step's text, "Limit" at the last step (an index outside 0..15 is taken as the nearer end).
QString RatioText(int index);
// "%ddB".
QString KneeText(int knee);
// A ratio up-down's text: its top position (upDownMax) is "Limit" whatever the steps below it.
QString RatioUpDownText(int position, int upDownMax);

// The three pages. Their parameters in the order the model stores them: compressor threshold, attack,
// release, ratio, knee; limiter threshold, attack, release, knee; gate threshold, attack, release, hold.
enum class DynKind { Comp, Limit, Gate };
struct DynParam {
    const char* name; // the control names' part: "is" + "Comp" + name + "Out1"
    bool upDown;      // held by an up-down (else by a fader)
};
std::span<const DynParam> DynParams(DynKind kind);
// "Comp", "Limit", "Gate".
const char* DynKindName(DynKind kind);
// The page's channels: outputs 3..8 for the compressor and the limiter, inputs 0..2 for the gate.
int DynFirstChannel(DynKind kind);
int DynChannelCount(DynKind kind);
bool DynOnPage(DynKind kind, int channel);
// An edit's text for a parameter's value after a change, a mirroring or a refresh: compressor and
// limiter times padded to three digits, gate times not. Empty for a parameter the page does not have.
QString DynValueText(DynKind kind, int parameter, int value);
// The channels that show a value set on `channel`, ascending: the members of its link group (`group`,
// bit r = the page's r-th channel; the channel itself always counts), without the channel itself for
// an up-down's value (its up-down is about to take it).
std::vector<int> DynMirrorChannels(DynKind kind, int channel, unsigned group, int parameter);

// Typed entries. Each returns the position to write to the control, or nothing when the text is
// refused or names the value the control already holds (then the edit shows the current value).
// Without its unit word a text must read whole as a number (ParseDecimal), or it is refused.
// A threshold typed in dB ("dB" in any case may end it), clamped to -90..+20 dB; the fader clamps
// the result to its own range.
std::optional<int> TypedThreshold(const QString& text, int position);
// A knee typed in dB, clamped to 0..12.
std::optional<int> TypedKnee(const QString& text, int knee);
// A time typed in ms ("ms" in any case may end it) for a fader of faderMin..faderMax (= ms - 1).
std::optional<int> TypedTime(const QString& text, int faderMin, int faderMax, int position);
// A ratio typed as "1:4", "4" or "4.0": the lowest step not below the value, "Limit" above 20.1.
std::optional<int> TypedRatio(const QString& text, int index);

// X = input level, Y = output level, in dB.
using CurvePoint = std::pair<double, double>;
struct TransferCurve {
    std::vector<CurvePoint> points; // the curve, in drawing order (X may go back)
    CurvePoint marker;              // the threshold mark
};
// ratioIndex == limitIndex (the up-down's maximum) gives the flat "Limit" curve.
TransferCurve CompCurve(int thresholdPosition, int knee, int ratioIndex, int limitIndex = RatioLimitIndex);
TransferCurve LimitCurve(int thresholdPosition, int knee);
TransferCurve GateCurve(int thresholdPosition);

} // namespace app
