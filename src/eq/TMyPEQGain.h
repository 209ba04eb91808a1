// TMyPEQGain: the five-type band table (peak, shelves, low and high cut) on the row core: 50 slots,
// gains in tenths of a dB rounded alike on both sides of zero, Q and gain texts with the user's
// decimal separator, fixed built-in texts. No window of the editor creates one. UI thread only.
#pragma once

#include "eq/PeqTableCore.h"

namespace eq
{

class TMyPEQGain : public TPeqTableCore
{
  public:
    static constexpr int RowSlots = 50;
    explicit TMyPEQGain(QWidget* parent = nullptr);
};

// TMyPEQHpLp: the fifteen-band table: at most 15 rows, the five types, gains on a 0.5 dB grid and
// values handed over in single precision. No window of the editor creates one. UI thread only.
class TMyPEQHpLp : public TPeqTableCore
{
  public:
    static constexpr int RowSlots = 15;
    explicit TMyPEQHpLp(QWidget* parent = nullptr);

    void SetEqParamValue(int i, float hz, float qIndex, float db, int type, bool bypass)
    {
        TPeqTableCore::SetEqParamValue(i, hz, qIndex, db, type, bypass);
    }
    void SetFreqValue(int i, float hz) { TPeqTableCore::SetFreqValue(i, hz); }
    void SetQValue(int i, float qIndex) { TPeqTableCore::SetQValue(i, qIndex); }
    void SetGainValue(int i, float db) { TPeqTableCore::SetGainValue(i, db); }
};

// The five type names and the bypass text of both tables.
const QStringList& FiveTypeNames();

} // namespace eq
