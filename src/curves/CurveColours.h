// The colours of the response curves: band markers cycle through 14 colours, channels and overlays
// have one each. Standard library only.
#pragma once

#include "base/Color.h"

#include <array>
#include <cstddef>

inline constexpr std::array<fw::TColor, 14> MarkerColourCycle = {
    fw::clRed,    fw::clYellow, fw::clFuchsia, fw::clAqua,  fw::clLime,  fw::clBlue, fw::clSkyBlue,
    fw::clPurple, fw::clTeal,   fw::clMaroon,  fw::clCream, fw::clOlive, fw::clGray, fw::clNavy,
};

// Entry n = marker colour of section n: the cycle four times.
inline constexpr std::array<fw::TColor, 56> MarkerColours = [] {
    std::array<fw::TColor, 56> a{};
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = MarkerColourCycle[i % MarkerColourCycle.size()];
    return a;
}();

// Index = channel for 0..8 (inputs A..C, outputs 1..6), overlays beyond.
inline constexpr std::array<fw::TColor, 17> ChannelColours = {
    fw::clPurple, fw::clOlive,   fw::clTeal,  fw::clRed,     fw::clLime,   fw::clYellow,
    fw::clBlue,   fw::clFuchsia, fw::clAqua,  fw::clSkyBlue, fw::clCream,  fw::clPurple,
    fw::clOlive,  fw::clPurple,  fw::clOlive, fw::clTeal,    fw::clMaroon,
};
