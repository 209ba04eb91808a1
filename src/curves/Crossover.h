// The crossover curve builder: a high-pass or low-pass cut of a slope code
// (0 bypass, 1..20 the slope list's items) built on a Plot out of up to five
// first- and second-order stages. UI thread only, like the Plot it writes.
#pragma once

class Plot;

// Result section of a cut: `base` (31) for the high-pass, base + 1 for the
// low-pass; stages in sections 34..38. A slope code outside 0..20 counts as
// bypass. Ends by placing the cut's marker (style 3 high-pass, 2 low-pass).
void ComputeHpLpCurve(Plot& plot, bool highPass, int slopeCode, double frequency, int base);

// Design row of a slope code (XoverRowMap), 0 for a code outside 0..20.
int XoverRowOfSlope(int slopeCode);
