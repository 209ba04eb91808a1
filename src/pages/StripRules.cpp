#include "pages/StripRules.h"

namespace app
{

OutputLamps LampsOf(uint16_t flags, int output, int ratioPosition, int limitThresholdPosition)
{
    OutputLamps l;
    if (output < 0 || output > 5)
        return l;
    l.comp = (flags & (1u << output)) && ratioPosition != 0 ? 1 : 0;
    l.limit = (flags & (1u << (8 + output))) && limitThresholdPosition != LimitThresholdTop ? 1 : 0;
    l.either = l.comp || l.limit ? 1 : 0;
    return l;
}

} // namespace app
