// The TCP client socket of the main window, driven by the Qt event loop: connect, read
// events (level-triggered, like the platform's read event) and errors on the UI thread;
// SendBuf may be called from the link worker.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/TcpClient.h"

class QSocketNotifier;

class LClientSocket {
 public:
  LClientSocket();
  ~LClientSocket();

  std::string Address;
  uint16_t Port = platform::TcpClient::DefaultPort;

  std::function<void()> OnConnecting;
  std::function<void()> OnConnect;
  std::function<void()> OnRead;
  std::function<void(int& errorCode)> OnError;  // set the code to 0 to silence it

  void SetActive(bool active);
  bool Active() const { return FClient.Active(); }
  bool Connected() const { return FConnected; }
  // At most max bytes; the count, 0 at end of stream (reading then stops), -1 for nothing.
  int ReceiveBuf(uint8_t* buf, int max);
  int SendBuf(const uint8_t* buf, int len) { return FClient.Send(buf, static_cast<size_t>(len)); }
  std::string RemoteAddress() const { return FClient.RemoteAddress(); }

 private:
  void Writable();
  void Fail(int code);

  platform::TcpClient FClient;
  std::unique_ptr<QSocketNotifier> FRead, FWrite;
  bool FConnected = false;
};
