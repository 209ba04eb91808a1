// The skin pictures of the buttons, drawn by our own code: rounded faces for each bitmap-button state on a
// key-colour background (teal or olive), shape-button outlines and the demo button's background tile.
// Pure pictures; any thread.
#pragma once

#include "framework/Colors.h"

#include <QImage>

namespace sk
{

enum class TSkinState { Up, Down, StayDown, Hot, Disabled };

// A face of w x h on the key colour; the face colour follows the state.
QImage SkinButtonFace(int w, int h, TSkinState state, fw::TColor key = fw::clTeal, fw::TColor face = 0x707070,
                      fw::TColor lit = 0x30C0FF);
// A filled ellipse on the key colour, for shape buttons (key is the bottom-left pixel).
QImage SkinShape(int w, int h, fw::TColor shapeColor = 0xB08040, fw::TColor key = fw::clFuchsia);
// A dark brushed tile for the demo button's background.
QImage SkinDemoTile();

} // namespace sk
