#include "link/LUiPoster.h"

#include <QSocketNotifier>

LUiPoster::LUiPoster() : FNotifier(std::make_unique<QSocketNotifier>(FWake.Fd(), QSocketNotifier::Read))
{
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, FNotifier.get(), [this] {
        FWake.Consume();
        Drain();
    });
}

LUiPoster::~LUiPoster()
{
    FNotifier.reset();
    std::lock_guard g(FLock);
    FQueue.clear();
}

void LUiPoster::Post(std::function<void()> fn)
{
    {
        std::lock_guard g(FLock);
        FQueue.push_back(std::move(fn));
    }
    FWake.Signal();
}

void LUiPoster::Drain()
{
    for (;;) {
        std::function<void()> fn;
        {
            std::lock_guard g(FLock);
            if (FQueue.empty())
                return;
            fn = std::move(FQueue.front());
            FQueue.pop_front();
        }
        fn();
    }
}
