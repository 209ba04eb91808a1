// The TCP client socket of the main window, driven by the Qt event loop: connect, read
// events (level-triggered, like the platform's read event) and errors on the UI thread;
// SendBuf may be called from the link worker. A refused connect and a connection the peer
// closed or broke leave the socket inactive, so the next SetActive(true) connects afresh.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/TcpClient.h"

class QSocketNotifier;

class LClientSocket
{
  public:
    // Where an error event comes from.
    enum class ErrorEvent { Connect, Receive, Disconnect };

    LClientSocket();
    ~LClientSocket();

    std::string Address;
    uint16_t Port = platform::TcpClient::DefaultPort;

    std::function<void()> OnConnecting;
    std::function<void()> OnConnect;
    std::function<void()> OnRead;
    // Raised after the socket has closed itself; set the code to 0 to silence it.
    std::function<void(ErrorEvent event, int& errorCode)> OnError;

    void SetActive(bool active);
    bool Active() const { return FClient.Active(); }
    bool Connected() const { return FConnected; }
    // At most max bytes; the count, 0 at end of stream, -1 for nothing. The end of the stream
    // or a failed read closes the socket once the read event has been handled.
    int ReceiveBuf(uint8_t* buf, int max);
    int SendBuf(const uint8_t* buf, int len) { return FClient.Send(buf, static_cast<size_t>(len)); }
    std::string RemoteAddress() const { return FClient.RemoteAddress(); }
    // Stops and resumes read events of the connection (the bytes wait in the socket meanwhile);
    // every new connection starts reading.
    void SetReading(bool reading);
    bool Reading() const { return FReading; }

  private:
    void Writable();
    void Readable();
    // Closes the socket; the notifiers go later when a handler of theirs is running.
    void Shut(bool deferNotifiers);
    void Fail(ErrorEvent event, int code);

    platform::TcpClient FClient;
    std::unique_ptr<QSocketNotifier> FRead, FWrite;
    bool FConnected = false;
    bool FReading = true;
    int FLostCode = 0; // set by ReceiveBuf when the peer closed or the read failed
};
