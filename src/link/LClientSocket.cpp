#include "link/LClientSocket.h"

#include <QSocketNotifier>

#include <cerrno>

LClientSocket::LClientSocket() = default;

LClientSocket::~LClientSocket() { SetActive(false); }

void LClientSocket::SetActive(bool active) {
  if (!active) {
    FRead.reset();
    FWrite.reset();
    FClient.Close();
    FConnected = false;
    return;
  }
  if (FClient.Active()) return;
  if (OnConnecting) OnConnecting();
  if (!FClient.Connect(Address, Port)) {
    Fail(EINVAL);
    return;
  }
  FWrite = std::make_unique<QSocketNotifier>(FClient.Fd(), QSocketNotifier::Write);
  QObject::connect(FWrite.get(), &QSocketNotifier::activated, FWrite.get(), [this] { Writable(); });
}

void LClientSocket::Writable() {
  FWrite->setEnabled(false);
  if (!FClient.FinishConnect()) {
    Fail(ECONNREFUSED);
    return;
  }
  FConnected = true;
  FRead = std::make_unique<QSocketNotifier>(FClient.Fd(), QSocketNotifier::Read);
  QObject::connect(FRead.get(), &QSocketNotifier::activated, FRead.get(), [this] {
    if (OnRead) OnRead();
  });
  if (OnConnect) OnConnect();
}

void LClientSocket::Fail(int code) {
  if (OnError) OnError(code);
}

int LClientSocket::ReceiveBuf(uint8_t* buf, int max) {
  if (!FClient.Active() || max <= 0) return -1;
  int n = FClient.Read(buf, static_cast<size_t>(max));
  if (n == 0 && FRead) FRead->setEnabled(false);  // end of stream: stop the level-triggered event
  return n;
}
