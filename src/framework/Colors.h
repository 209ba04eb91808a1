// Framework colours over Qt: system colours resolved through one fixed classic table (so the look and
// the tests do not follow the desktop theme) and the conversions to QColor. Any thread.
#pragma once

#include "base/Color.h"

class QColor;

namespace fw
{

// A system colour index's RGB from the fixed classic table; 0 for an unknown index.
TColor GetSysColor(int index);
// Resolves system colours to plain 0x00BBGGRR; plain colours pass unchanged (clNone stays clNone).
TColor ColorToRGB(TColor c);
QColor ToQColor(TColor c, int alpha = 255);
TColor FromQColor(const QColor& c);

} // namespace fw
