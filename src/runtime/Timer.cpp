#include "runtime/Timer.h"

#include <QObject>
#include <QTimerEvent>
#include <algorithm>
#include <unordered_map>

namespace fw
{

namespace
{

class QtTimerService : public TimerService, public QObject
{
  public:
    int Start(int intervalMs, std::function<void()> tick) override
    {
        const int id = startTimer(std::max(0, intervalMs), Qt::PreciseTimer);
        if (id != 0)
            FTicks[id] = std::move(tick);
        return id;
    }
    void Stop(int id) override
    {
        if (FTicks.erase(id))
            killTimer(id);
    }

  protected:
    void timerEvent(QTimerEvent* e) override
    {
        auto it = FTicks.find(e->timerId());
        if (it == FTicks.end())
            return;
        auto tick = it->second; // the tick may stop its own timer
        tick();
    }

  private:
    std::unordered_map<int, std::function<void()>> FTicks;
};

TimerService* gService = nullptr;

} // namespace

TimerService& Timers()
{
    if (gService)
        return *gService;
    static QtTimerService* qt = new QtTimerService; // lives with the process
    return *qt;
}

void SetTimerService(TimerService* service)
{
    gService = service;
}

int FakeTimerService::Start(int intervalMs, std::function<void()> tick)
{
    const int id = FNextId++;
    const int interval = std::max(1, intervalMs);
    FTimers[id] = Entry{interval, FNow + interval, std::move(tick)};
    return id;
}

void FakeTimerService::Stop(int id)
{
    FTimers.erase(id);
}

void FakeTimerService::Advance(int ms)
{
    const long long end = FNow + ms;
    for (;;) {
        auto next = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
            if (it->second.due <= end && (next == FTimers.end() || it->second.due < next->second.due))
                next = it;
        if (next == FTimers.end())
            break;
        FNow = next->second.due;
        next->second.due += next->second.interval;
        auto tick = next->second.tick;
        tick();
    }
    FNow = end;
}

TTimer::~TTimer()
{
    *FAlive = false;
    if (FId && FService && !FServiceAlive.expired())
        FService->Stop(FId);
}

void TTimer::SetInterval(int value)
{
    if (value == FInterval)
        return;
    FInterval = value;
    Update();
}

void TTimer::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    Update();
}

void TTimer::Update()
{
    if (FId && FService && !FServiceAlive.expired())
        FService->Stop(FId);
    FId = 0;
    FService = nullptr;
    FServiceAlive.reset();
    if (!FEnabled || FInterval <= 0)
        return;
    FService = &Timers();
    FServiceAlive = FService->Token();
    std::weak_ptr<bool> alive = FAlive;
    FId = FService->Start(FInterval, [this, alive] {
        if (alive.expired() || !*alive.lock())
            return;
        if (OnTimer)
            OnTimer(this);
    });
}

} // namespace fw
