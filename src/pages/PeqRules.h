// The rules of the channel pages' equaliser and cuts without a window: the Q a band's type allows, the
// bypass mask over a link group, the cut slope code and the arithmetic of dragging a band or a cut
// corner on a graph. Pure functions; any thread.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace app
{

// Peak and all-pass bands take any Q; the other types (shelves, 6/12 dB cuts) are held.
bool PeqQFree(int type);

// A band's Q that an edit must set, with its Q index.
struct PeqQ {
    double q;
    int index;
    bool operator==(const PeqQ&) const = default;
};
// The Q rule of a band edited to `type` (the model holds `storedType`, the band shows `q`):
// a free type just chosen takes its default Q (index `defaultQIndex`, at most the last index);
// a held type that stays is held at 3.0; a held type just chosen takes 0.71. Empty: q stands.
std::optional<PeqQ> PeqQRule(int type, int storedType, double q, int defaultQIndex);
// The Q fader of a held type stops at the index of 3.0; a free type's position stands.
int PeqQFaderPosition(int type, int position);

// The EQ bypass mask after a click on the channel of kind bit `bit` (0..5): every channel of its
// `group` (bits of the `count` channels of the kind) follows the clicked one, all on or all off.
uint16_t ToggledEqBypass(uint16_t mask, int bit, unsigned group, int count);

// A cut's slope code: 0 when bypassed, otherwise the selector's index + 1.
int CutSlopeCode(bool bypassed, int slopeIndex);

// A cut fader's frequency text: "%4.2f" kHz + "KHz" from 1 kHz up, else "%4.1f" + "Hz".
QString CutFrequencyText(int position);

// A pointer at plot abscissa `axisX` (0..4096, logarithmic up to 48 kHz) as a frequency on the
// frequency grid; one below 19.6 Hz gives 19.7 Hz, one above 20.16 kHz gives 20.16 kHz.
double DragFrequency(double axisX);
// A band of gain `bandGain` dragged to plot ordinate `downY` (downwards positive; a band below 0 dB
// counts one unit higher): the gain held to +-12 dB and cut to 0.1 dB.
double DragGain(double downY, double bandGain);
// The frequency index a dragged band stores: at most the last index.
int DragBandFreqIndex(double hz);
// The cut fader position of a corner dragged to `hz`: within 0..300.
int CornerFaderPosition(double hz);

} // namespace app
