// Synchronous hand-over from a worker thread to the UI thread that closing can abandon.
// The worker's Call posts a closure and waits until the UI thread ran it or the gate was
// closed; the closure owns copies of its data, so an abandoned call touches nothing freed.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class LSyncGate
{
  public:
    using Poster = std::function<void(std::function<void()>)>;

    LSyncGate();
    // Worker thread. True when fn ran; false when the gate was or became closed.
    bool Call(const Poster& post, std::function<void()> fn);
    // Any thread: wakes a waiting Call, and later calls return at once.
    void Close();
    void Reopen();
    bool Closed() const;

  private:
    struct Shared {
        std::mutex Lock;
        std::condition_variable Cv;
        bool Closed = false;
    };
    std::shared_ptr<Shared> FShared;
};
