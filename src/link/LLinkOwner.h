// What a transport needs from the window that owns it. The owner outlives its transports.
// PostToUi may be called from any thread; the On... calls below it arrive on the UI thread;
// NetWrite, UsbWrite and LogComRead run on a transport's worker thread.
#pragma once

#include <cstdint>
#include <functional>

#include "proto/LCmd.h"

// Error codes of a lost link (the argument is the destination id of the pending frame).
enum LLinkError : int {
    LINK_ERR_NO_REPLY = 0,
    LINK_ERR_WAIT_START = 1,
    LINK_ERR_CLOSE_TIMEOUT = 5,
    LINK_ERR_WAIT = 6,
};

class LLinkOwner
{
  public:
    virtual ~LLinkOwner() = default;
    virtual void PostToUi(std::function<void()> fn) = 0;
    // A complete reply frame, valid during the call; ms since its request was handed over.
    // answered: the code of the request the reply answered, 0 when it answered none (nothing was
    // outstanding, or the outstanding frame was not written yet); replies carry no identity of their own.
    virtual void OnLinkFrame(const BSTM& frame, uint32_t ms, uint8_t answered) = 0;
    // Sent instead of OnLinkFrame when a serial port runs at another rate than 115200; unhandled.
    virtual void OnLinkFrameAltBaud(const BSTM& /*frame*/, uint32_t /*ms*/) {}
    // A lost link of the transport with this generation; stale generations are the owner's to drop.
    virtual void OnLinkError(int code, int arg, uint64_t generation) = 0;
    // The receive backlog of the transport with this generation has room again after it refused
    // bytes: a reader that stopped may go on.
    virtual void OnReceiveRoom(uint64_t /*generation*/) {}
    virtual void NetWrite(const uint8_t* /*bytes*/, int /*length*/) {}
    virtual void UsbWrite(const uint8_t* /*bytes*/, int /*length*/) {}
    virtual void LogComWrite(const uint8_t* /*bytes*/, int /*length*/) {}
    virtual void LogComRead(const uint8_t* /*bytes*/, int /*length*/) {}
};
