// What the parameter model needs from its owner: the send path and the device id (CommandSink), and
// the refresh flag and the few views the model updates (LUnitView, which the window implements).
// Called on the user-interface thread only.
#pragma once

#include <string>

class LCmd;

class LUnitView
{
  public:
    virtual ~LUnitView() = default;

    // True while every control is filled from the model; the setters then store without sending.
    virtual bool IsUpdating() const = 0;
    // Every response graph that shows channel ch has to redraw it.
    virtual void MarkChannelCurvesDirty(int ch) = 0;
    // Puts the name of user preset p (1..20) into the recall and store preset lists.
    virtual void ShowPresetName(int p, const std::string& name) = 0;
};

class CommandSink : public LUnitView
{
  public:
    // Frames the command (mode 1) and queues it on the open transport; drops it when none is open.
    // noCoalesce: always append instead of letting the queue replace a waiting frame of the same kind.
    virtual void SendCommand(const LCmd& cmd, bool noCoalesce) = 0;
    // The current device id; its low byte addresses every command.
    virtual int GetDeviceId() const = 0;
};
