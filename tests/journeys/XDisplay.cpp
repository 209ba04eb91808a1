#include "XDisplay.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace journeys
{

namespace
{

Display* D(void* p)
{
    return static_cast<Display*>(p);
}

// Starts a program that dies with this process; -1 when it cannot.
pid_t Spawn(const std::vector<std::string>& args, int keepFd = -1)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    if (!std::getenv("MORVEX_JOURNEY_VERBOSE"))
        ::dup2(null, 2);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keepFd)
            ::close(fd);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

void StopChild(int& pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    pid = -1;
}

std::vector<unsigned long> WindowList(Display* d, Window w, const char* property, Atom type)
{
    std::vector<unsigned long> out;
    Atom actual;
    int format;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, XInternAtom(d, property, False), 0, 4096, False, type, &actual, &format,
                           &count, &rest, &data) == Success &&
        data) {
        if (format == 32)
            for (unsigned long i = 0; i < count; ++i)
                out.push_back(reinterpret_cast<unsigned long*>(data)[i]);
        XFree(data);
    }
    return out;
}

std::string Title(Display* d, Window w)
{
    Atom actual;
    int format;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(d, "UTF8_STRING", False), &actual, &format, &count, &rest,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

XRect ClientRect(Display* d, Window w)
{
    XWindowAttributes a{};
    XRect r;
    if (!XGetWindowAttributes(d, w, &a))
        return r;
    Window child;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &r.x, &r.y, &child);
    r.w = a.width;
    r.h = a.height;
    return r;
}

} // namespace

bool XServer::Start(int width, int height, std::string& error)
{
    int fds[2];
    if (::pipe(fds) != 0) {
        error = "pipe";
        return false;
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    FXvfb = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp",
                   "-noreset", "+extension", "XTEST"},
                  fds[1]);
    ::close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (::poll(&p, 1, 10000) > 0) {
        char c;
        if (::read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    ::close(fds[0]);
    if (number.empty()) {
        error = "Xvfb did not start (is the xvfb package installed?)";
        Stop();
        return false;
    }
    FDisplay = ":" + number;
    ::setenv("DISPLAY", FDisplay.c_str(), 1);
    FWm = Spawn({"openbox", "--sm-disable"});
    // The window manager is up once it has claimed the root window.
    ::Display* d = XOpenDisplay(FDisplay.c_str());
    if (!d) {
        error = "cannot open " + FDisplay;
        Stop();
        return false;
    }
    bool up = false;
    for (int i = 0; i < 1000 && !up; ++i) {
        up = !WindowList(d, DefaultRootWindow(d), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty();
        if (!up)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    XCloseDisplay(d);
    if (!up) {
        error = "openbox did not start (is the openbox package installed?)";
        Stop();
        return false;
    }
    return true;
}

void XServer::Stop()
{
    StopChild(FWm);
    StopChild(FXvfb);
}

Person::Person() : FDpy(XOpenDisplay(nullptr)) {}

Person::~Person()
{
    if (FDpy)
        XCloseDisplay(D(FDpy));
}

void Person::Sync()
{
    XSync(D(FDpy), False);
}

bool Person::PointerHeld()
{
    Display* d = D(FDpy);
    const int status = XGrabPointer(d, DefaultRootWindow(d), False, 0, GrabModeAsync, GrabModeAsync, None,
                                    None, CurrentTime);
    if (status == GrabSuccess)
        XUngrabPointer(d, CurrentTime);
    Sync();
    return status == AlreadyGrabbed;
}

void Person::MoveTo(int x, int y)
{
    XTestFakeMotionEvent(D(FDpy), -1, x, y, CurrentTime);
    Sync();
}

void Person::Press(int button)
{
    XTestFakeButtonEvent(D(FDpy), unsigned(button), True, CurrentTime);
    Sync();
}

void Person::Release(int button)
{
    XTestFakeButtonEvent(D(FDpy), unsigned(button), False, CurrentTime);
    Sync();
}

void Person::Click(int x, int y, int button)
{
    MoveTo(x, y);
    Press(button);
    Release(button);
}

void Person::Drag(int x0, int y0, int x1, int y1, int steps, void (*pump)(int ms))
{
    MoveTo(x0, y0);
    pump(20);
    Press();
    pump(20);
    for (int i = 1; i <= steps; ++i) {
        MoveTo(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        pump(15);
    }
    Release();
    pump(20);
}

void Person::Key(const std::string& keysym, const std::vector<std::string>& held)
{
    Display* d = D(FDpy);
    std::vector<KeyCode> mods;
    for (const std::string& m : held)
        mods.push_back(XKeysymToKeycode(d, XStringToKeysym(m.c_str())));
    for (KeyCode k : mods)
        XTestFakeKeyEvent(d, k, True, CurrentTime);
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(keysym.c_str()));
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    for (auto it = mods.rbegin(); it != mods.rend(); ++it)
        XTestFakeKeyEvent(d, *it, False, CurrentTime);
    Sync();
}

void Person::Type(const std::string& text)
{
    Display* d = D(FDpy);
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    for (char c : text) {
        const KeySym sym = c == ' ' ? XK_space : KeySym(static_cast<unsigned char>(c));
        const KeyCode code = XKeysymToKeycode(d, sym);
        if (!code)
            continue;
        const bool shifted = XkbKeycodeToKeysym(d, code, 0, 0) != sym;
        if (shifted)
            XTestFakeKeyEvent(d, shift, True, CurrentTime);
        XTestFakeKeyEvent(d, code, True, CurrentTime);
        XTestFakeKeyEvent(d, code, False, CurrentTime);
        if (shifted)
            XTestFakeKeyEvent(d, shift, False, CurrentTime);
    }
    Sync();
}

std::vector<XClient> Person::Stacking()
{
    Display* d = D(FDpy);
    std::vector<XClient> out;
    for (unsigned long w : WindowList(d, DefaultRootWindow(d), "_NET_CLIENT_LIST_STACKING", XA_WINDOW))
        out.push_back({w, Title(d, Window(w)), ClientRect(d, Window(w))});
    return out;
}

unsigned long Person::ActiveWindow()
{
    Display* d = D(FDpy);
    const auto list = WindowList(d, DefaultRootWindow(d), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return list.empty() ? 0 : list.front();
}

XClient Person::FindWindow(const std::string& text)
{
    for (const XClient& c : Stacking())
        if (c.title.find(text) != std::string::npos)
            return c;
    return {};
}

XRect Person::FrameOf(unsigned long window)
{
    Display* d = D(FDpy);
    XRect r = ClientRect(d, Window(window));
    const auto extents = WindowList(d, Window(window), "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (extents.size() == 4) {
        r.x -= int(extents[0]);
        r.y -= int(extents[2]);
        r.w += int(extents[0] + extents[1]);
        r.h += int(extents[2] + extents[3]);
    }
    return r;
}

} // namespace journeys
