// Runs closures from any thread on the thread that created the poster (the UI thread).
// The closures wait in our own locked queue and an eventfd wakes the event loop, so every
// hand-over is ordered by a lock the thread checker sees. Pending closures die with it.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/UniqueFd.h"

class QSocketNotifier;

class LUiPoster
{
  public:
    LUiPoster();
    ~LUiPoster();
    LUiPoster(const LUiPoster&) = delete;
    LUiPoster& operator=(const LUiPoster&) = delete;

    void Post(std::function<void()> fn);
    void Drain(); // UI thread

  private:
    platform::EventFd FWake;
    std::unique_ptr<QSocketNotifier> FNotifier;
    std::mutex FLock;
    std::deque<std::function<void()>> FQueue;
};
