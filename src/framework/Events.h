// Input arguments of the framework: mouse buttons, shift state and virtual-key codes, converted from
// Qt's events in one place. Pure values.
#pragma once

#include <Qt>
#include <cstdint>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace fw
{

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
using TShiftState = unsigned;

using Word = std::uint16_t;

// Virtual-key codes.
enum : Word {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_F1 = 0x70,
    VK_F4 = 0x73,
    VK_OEM_PLUS = 0xBB,
    VK_OEM_MINUS = 0xBD
};

// Wheel: one notch.
constexpr int WHEEL_DELTA = 120;

TShiftState ShiftFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton);
// The virtual-key code of a key event, 0 when it has none.
Word KeyFromQt(const QKeyEvent& e);
bool ButtonFromQt(Qt::MouseButton b, TMouseButton& out);

} // namespace fw
