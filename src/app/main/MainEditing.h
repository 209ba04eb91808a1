// Texts shared by the editing handlers of the main window. Pure functions.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace app
{

// Frequency text of the panel and cut edits: "%4.2f" kHz + "KHz" from 1 kHz up, else " %4.1f" + "Hz".
QString EditFreqText(float hz);
// PEQ gain-fader text of position 0..240 (120 = 0 dB): "+%3.1fdB" from 0 dB up, else "%4.1fdB".
QString EqGainText(int position);
// Q text "%3.2f" of the Q table entry.
QString EqQText(int index);

// Lit segments of an input (9 steps) or output (8 steps) meter for a level (1.0 = 0 dB); a level of 0
// counts as 1e-7.
int MeterSegments(float level, bool input);

} // namespace app
