#include "link/LSyncGate.h"

LSyncGate::LSyncGate() : FShared(std::make_shared<Shared>()) {}

bool LSyncGate::Call(const Poster& post, std::function<void()> fn)
{
    auto s = FShared;
    auto done = std::make_shared<bool>(false);
    {
        std::lock_guard g(s->Lock);
        if (s->Closed)
            return false;
    }
    post([s, done, fn = std::move(fn)] {
        {
            std::lock_guard g(s->Lock);
            if (s->Closed)
                return;
        }
        fn();
        {
            std::lock_guard g(s->Lock);
            *done = true;
        }
        s->Cv.notify_all();
    });
    std::unique_lock l(s->Lock);
    s->Cv.wait(l, [&] { return *done || s->Closed; });
    return *done;
}

void LSyncGate::Close()
{
    {
        std::lock_guard g(FShared->Lock);
        FShared->Closed = true;
    }
    FShared->Cv.notify_all();
}

void LSyncGate::Reopen()
{
    std::lock_guard g(FShared->Lock);
    FShared->Closed = false;
}

bool LSyncGate::Closed() const
{
    std::lock_guard g(FShared->Lock);
    return FShared->Closed;
}
