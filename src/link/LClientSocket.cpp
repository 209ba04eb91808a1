#include "link/LClientSocket.h"

#include <QSocketNotifier>

#include <cerrno>

LClientSocket::LClientSocket() = default;

LClientSocket::~LClientSocket()
{
    SetActive(false);
}

void LClientSocket::SetActive(bool active)
{
    if (!active) {
        Shut(false);
        return;
    }
    if (FClient.Active())
        return;
    if (OnConnecting)
        OnConnecting();
    if (!FClient.Connect(Address, Port)) {
        Fail(ErrorEvent::Connect, EINVAL);
        return;
    }
    FWrite = std::make_unique<QSocketNotifier>(FClient.Fd(), QSocketNotifier::Write);
    QObject::connect(FWrite.get(), &QSocketNotifier::activated, FWrite.get(), [this] { Writable(); });
}

void LClientSocket::Shut(bool deferNotifiers)
{
    for (auto* n : {&FRead, &FWrite}) {
        if (!*n)
            continue;
        (*n)->setEnabled(false);
        if (deferNotifiers)
            n->release()->deleteLater();
        else
            n->reset();
    }
    FClient.Close();
    FConnected = false;
    FReading = true;
    FLostCode = 0;
}

void LClientSocket::SetReading(bool reading)
{
    FReading = reading;
    if (FRead)
        FRead->setEnabled(reading);
}

void LClientSocket::Writable()
{
    if (!FClient.FinishConnect()) {
        Shut(true);
        Fail(ErrorEvent::Connect, ECONNREFUSED);
        return;
    }
    FWrite->setEnabled(false);
    FConnected = true;
    FRead = std::make_unique<QSocketNotifier>(FClient.Fd(), QSocketNotifier::Read);
    QObject::connect(FRead.get(), &QSocketNotifier::activated, FRead.get(), [this] { Readable(); });
    if (OnConnect)
        OnConnect();
}

void LClientSocket::Readable()
{
    if (OnRead)
        OnRead();
    if (FLostCode == 0)
        return;
    int code = FLostCode;
    Shut(true);
    Fail(code == ENOTCONN ? ErrorEvent::Disconnect : ErrorEvent::Receive, code);
}

void LClientSocket::Fail(ErrorEvent event, int code)
{
    if (OnError)
        OnError(event, code);
}

int LClientSocket::ReceiveBuf(uint8_t* buf, int max)
{
    if (!FClient.Active() || max <= 0)
        return -1;
    int n = FClient.Read(buf, static_cast<size_t>(max));
    if (n == 0) {
        FLostCode = ENOTCONN; // the peer closed the connection
    } else if (n == -2) {
        FLostCode = FClient.ReadError();
        return -1;
    }
    return n;
}
