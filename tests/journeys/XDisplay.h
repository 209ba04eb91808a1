// A virtual X server with a window manager for the journeys, and the person at it: the pointer and the
// keyboard driven through the XTest extension, and the window manager's view of the top-level windows.
// Xlib stays inside XDisplay.cpp (its macros clash with Qt's names).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace journeys
{

struct XRect {
    int x = 0, y = 0, w = 0, h = 0;
    int cx() const { return x + w / 2; }
    int cy() const { return y + h / 2; }
};

// A top-level client window as the window manager lists it.
struct XClient {
    unsigned long id = 0;
    std::string title;
    XRect frame; // the client area on the screen
};

class XServer
{
  public:
    // Starts Xvfb on a free display (width x height x 24) and openbox on it, and sets DISPLAY for this
    // process. False with a reason when either cannot start.
    bool Start(int width, int height, std::string& error);
    void Stop();
    ~XServer() { Stop(); }
    const std::string& Display() const { return FDisplay; }

  private:
    int FXvfb = -1, FWm = -1;
    std::string FDisplay;
};

// The person: pointer and keys through XTest, on this process's own connection to the server.
class Person
{
  public:
    Person();
    ~Person();
    bool Ok() const { return FDpy != nullptr; }

    void MoveTo(int x, int y);
    void Press(int button = 1);
    void Release(int button = 1);
    void Click(int x, int y, int button = 1);
    // Press at (x0,y0), move there in steps, release at (x1,y1); pump() runs between steps.
    void Drag(int x0, int y0, int x1, int y1, int steps, void (*pump)(int ms));
    // Types text (ASCII) key by key, with shift where the character needs it.
    void Type(const std::string& text);
    // One key by its X keysym name ("Return", "Escape", "F10", "Tab", "plus", "minus"), with modifiers
    // held around it ("Alt_L", "Shift_L", "Control_L").
    void Key(const std::string& keysym, const std::vector<std::string>& held = {});
    // Makes sure every request reached the server.
    void Sync();
    // Whether another client (the window manager moving or resizing a window) holds the pointer: a
    // click now would go to it.
    bool PointerHeld();

    // The window manager's clients, bottom to top.
    std::vector<XClient> Stacking();
    unsigned long ActiveWindow();
    // The first client whose title contains text (empty id when none).
    XClient FindWindow(const std::string& text);
    // The top-level's frame (title bar and borders included) on the screen.
    XRect FrameOf(unsigned long window);

  private:
    void* FDpy = nullptr;
};

} // namespace journeys
