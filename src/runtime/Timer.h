// The timer service: every timer of the program goes through it, so that tests can use the fake
// one and step time. TTimer is the framework's timer component (Interval, Enabled, OnTimer); a
// one-shot timer switches itself off in its tick. UI thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>

namespace fw
{

class TimerService
{
  public:
    virtual ~TimerService() = default;
    // Lets a timer see whether the service that started it still exists.
    std::weak_ptr<void> Token() const { return FToken; }
    // Starts a repeating timer; returns its id (never 0).
    virtual int Start(int intervalMs, std::function<void()> tick) = 0;
    virtual void Stop(int id) = 0;

  private:
    std::shared_ptr<int> FToken = std::make_shared<int>(0);
};

// The service in use (the Qt one unless a test installed another).
TimerService& Timers();
// Installs a service for tests; nullptr restores the Qt one. The caller keeps ownership.
void SetTimerService(TimerService* service);

// A fake clock for tests: Advance(ms) fires due timers in time order.
class FakeTimerService : public TimerService
{
  public:
    int Start(int intervalMs, std::function<void()> tick) override;
    void Stop(int id) override;
    void Advance(int ms);
    int Now() const { return FNow; }
    bool IsActive(int id) const { return FTimers.count(id) != 0; }
    std::size_t ActiveCount() const { return FTimers.size(); }

  private:
    struct Entry {
        int interval;
        long long due;
        std::function<void()> tick;
    };
    std::map<int, Entry> FTimers;
    long long FNow = 0;
    int FNextId = 1;
};

// Installs a FakeTimerService for the lifetime of the guard.
class FakeTimerScope
{
  public:
    FakeTimerScope() { SetTimerService(&Fake); }
    ~FakeTimerScope() { SetTimerService(nullptr); }
    FakeTimerService Fake;
};

class TTimer
{
  public:
    TTimer() = default;
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    int Interval() const { return FInterval; }
    void SetInterval(int value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);

    std::function<void(TTimer*)> OnTimer;

  private:
    void Update();
    int FInterval = 1000;
    bool FEnabled = false;
    int FId = 0;
    TimerService* FService = nullptr;
    std::weak_ptr<void> FServiceAlive; // a timer may outlive a test's fake service
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

} // namespace fw
