// The graphic equaliser page's rules without any control. Pure functions; any thread.
#pragma once

#include <cstdint>

namespace app
{

// The GEQ bypass word after input's bypass button is pressed: every input of its link group (bits 0..2 of
// linkGroup, input itself always included) takes the opposite of input's present state; the other bits
// are kept. bypass is the state the group takes. An input outside 0..2 changes nothing.
struct GeqBypassToggle {
    uint16_t mask;
    bool bypass;
};
GeqBypassToggle GeqBypassMaskToggle(uint16_t mask, unsigned linkGroup, int input);

} // namespace app
