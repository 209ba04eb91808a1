#include "framework/Events.h"

#include <QKeyEvent>

namespace fw
{

TShiftState ShiftFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    TShiftState s = 0;
    if (mods & Qt::ShiftModifier)
        s |= ssShift;
    if (mods & Qt::AltModifier)
        s |= ssAlt;
    if (mods & Qt::ControlModifier)
        s |= ssCtrl;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

bool ButtonFromQt(Qt::MouseButton b, TMouseButton& out)
{
    switch (b) {
    case Qt::LeftButton:
        out = mbLeft;
        return true;
    case Qt::RightButton:
        out = mbRight;
        return true;
    case Qt::MiddleButton:
        out = mbMiddle;
        return true;
    default:
        return false;
    }
}

Word KeyFromQt(const QKeyEvent& e)
{
    const int k = e.key();
    switch (k) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    // The plus and minus keys: the keypad's own codes, else the main keyboard's (its plus key is
    // the '=' key unshifted).
    case Qt::Key_Plus:
        return e.modifiers() & Qt::KeypadModifier ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal:
        return VK_OEM_PLUS;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return e.modifiers() & Qt::KeypadModifier ? VK_SUBTRACT : VK_OEM_MINUS;
    default:
        break;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return Word(VK_F1 + (k - Qt::Key_F1));
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z))
        return Word(k);
    return 0;
}

} // namespace fw
