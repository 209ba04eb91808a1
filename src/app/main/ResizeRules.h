// The window's layout on resize as a pure function of its outer size: which property of which control
// takes which value. Below the design size in a direction that direction's pass is skipped (the caller
// keeps the last layout and shows scroll bars). Delay markers are placed separately (they read the
// sliders). Pure; any thread.
#pragma once

#include <QString>
#include <vector>

namespace app
{

enum class Prop { Left, Top, Width, Height };

struct Placement {
    QString name;
    Prop prop;
    int value;
    bool operator==(const Placement&) const = default;
};

struct ResizePlan {
    bool autoScroll = false;
    bool heightPass = false;
    bool widthPass = false;
    int extraHeight = 0;               // dh of the height pass
    std::vector<Placement> placements; // height rules first, then width rules
};

ResizePlan ResizeRules(int outerWidth, int outerHeight);

// A delay marker's Left: position x (line width - 90) / max + 40, product first.
int DelayMarkerLeft(int position, int lineWidth, int sliderMax);

} // namespace app
