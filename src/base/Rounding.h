// Double to integer without the undefined cases of a plain cast: rounding halves to even (the
// default rounding mode, as the drawn controls and the chart round) and truncation toward zero, both
// saturated at the target's range. Pure functions, any thread.
#pragma once

// To nearest, halves to even; saturated at the 64-bit range; not a number gives 0.
long long RoundHalfEven(double v);
// The same, saturated at the int range.
int RoundInt(double v);
// Toward zero, saturated at the int range; not a number gives 0.
int TruncInt(double v);
// Saturated at the int range.
int SaturateInt(long long v);
