// The surface the main window shows the link session through: the state machine's view, the model's
// refresh flag and views, and the link going offline. User-interface thread only.
#pragma once

#include "model/CommandSink.h"
#include "model/LSyncView.h"

class LSessionView : public LSyncView, public LUnitView
{
  public:
    // The editor closed the link: captions and controls offline. A lost link comes as ReportLinkLost.
    virtual void ShowOffline() = 0;
};
