// The surface the main window shows the link session through: the state machine's view, the model's
// refresh flag and views, and the link going offline. User-interface thread only.
#pragma once

#include <string>

#include "model/LSyncView.h"

class LSessionView : public LSyncView
{
  public:
    // True while every control is filled from the model; the model's setters then send nothing.
    virtual bool IsUpdating() const = 0;
    // Every response graph that shows channel ch has to redraw it.
    virtual void MarkChannelCurvesDirty(int ch) = 0;
    // Puts the name of user preset p (1..20) into the recall and store preset lists.
    virtual void ShowPresetName(int p, const std::string& name) = 0;
    // The editor closed the link: captions and controls offline. A lost link comes as ReportLinkLost.
    virtual void ShowOffline() = 0;
};
