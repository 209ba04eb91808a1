// Event-loop helpers for link tests: a QCoreApplication and a pump with a deadline.
#pragma once

#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <thread>

inline QCoreApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "link-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until pred holds or the deadline passes; returns pred().
inline bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 3000)
{
    TestApp();
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}
