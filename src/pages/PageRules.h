// The rules of the graphic equaliser, delay and matrix pages without a window: value texts, the typed
// delay and mix parsers (a refused text is an empty optional), the delay marker geometry and the route
// lines of the matrix diagram. Pure functions; any thread.
#pragma once

#include "base/CodePage.h"
#include "base/Color.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace app
{

// A GEQ band's gain text: "+%3.1f" from 0 dB up, else "%4.1f" (fader position 120 = 0 dB).
QString GeqGainText(int position);

// A delay of s samples in the unit (0 ms, 1 m, 2 ft): "%4.3fms", "%4.3fm", "%4.3fft". Another unit
// shows milliseconds.
QString DelayText(int samples, int unit);
// A typed delay in the unit: the unit word is dropped, the rest must read whole as a number without
// a sign (ParseDecimal); it becomes samples, clamped to 0..max.
std::optional<int> ParseTypedDelay(const QString& text, int unit, int max);

// The delay line's caption up to a marker at `markerLeft`: (left - 40) / 6 dashes, at most 132.
QString DelayDashes(int markerLeft);
// Dashes of a drag at line x (d = x - 15): d / 6, at most 132.
QString DragDashes(int x);
// The fader position for a drag to line x: x is held at width - 75, then (x - 15) x max / (width - 90),
// kept within 0..max. Empty for a line of 90 pixels or less (there is no travel).
std::optional<int> DelayDragPosition(int x, int lineWidth, int max);
// A press at (x, y) on a delay line grabs the marker at `markerLeft` (panel coordinates).
bool NearDelayMarker(int x, int y, int markerLeft, int lineHeight);

// A typed mix level ("-5dB", "-25.7"): the up-down position -280..0 (0.1 dB steps to -20 dB, 0.5 dB
// below), or empty when refused (the text without its unit word must read whole, ParseDecimal).
std::optional<int> ParseTypedMix(const QString& text);

// One route line of the matrix diagram, in the paint box's coordinates.
struct RouteSegment {
    int input, output; // 0..2, 0..5
    int x0, y0, x1, y1;
    fw::TColor colour;
    bool operator==(const RouteSegment&) const = default;
};
inline constexpr std::array<fw::TColor, 3> kRouteColours = {fw::clPurple, fw::clOlive, fw::clTeal};
// The lines of the six outputs' routing words (bit i = input i) on a box `width` wide; by input, then
// output. At the design size a line runs from (0, 31 / 103 / 175) for inputs A..C to (width, 0 / 41 /
// 83 / 124 / 166 / 206) for outputs 1..6; the shifts are how far each row has moved against the box
// since (the resize rules move rows and box apart), so that the lines stay on their rows.
std::vector<RouteSegment> MatrixRouteSegments(std::span<const uint16_t, 6> routes,
                                              std::span<const int, 3> inputShift,
                                              std::span<const int, 6> outputShift, int width);

// A channel name as the 8-byte field of the code page: cut on a character boundary, zero-padded.
std::array<uint8_t, 8> ChannelNameField(const QString& name, CodePage page);
// The field's text up to its first zero byte.
QString ChannelNameText(std::span<const uint8_t, 8> field, CodePage page);

} // namespace app
