// One running editor per user: the first start listens on a socket in the user's runtime directory;
// a second start of the same user asks it to raise its window and ends. Another user's editor or any
// other window never counts. UI thread only.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace app
{

class SingleInstance
{
  public:
    // key: the socket name (one per user is made from it).
    explicit SingleInstance(const QString& key);
    ~SingleInstance();
    // True when another copy for this user runs; it has then been asked to raise its window.
    bool OtherRunning() const { return FOtherRunning; }
    // Called in the running copy when a second start asks for its window.
    std::function<void()> OnRaise;

  private:
    bool FOtherRunning = false;
    std::unique_ptr<QLocalServer> FServer;
};

} // namespace app
