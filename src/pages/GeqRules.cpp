#include "pages/GeqRules.h"

namespace app
{

GeqBypassToggle GeqBypassMaskToggle(uint16_t mask, unsigned linkGroup, int input)
{
    if (input < 0 || input > 2)
        return {mask, false};
    const bool bypass = !(mask & (1u << input));
    const unsigned group = (linkGroup | (1u << input)) & 0b111u;
    return {uint16_t(bypass ? mask | group : mask & ~group), bypass};
}

} // namespace app
