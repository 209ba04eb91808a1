// The delay page. A fader, a typed edit or a dragged marker sets a channel's delay; it is stored for
// the link group, sent, and shown on every member (fader, edit, marker, dashes, time). The unit (ms,
// m, ft) is one setting of the whole device.
#pragma once

#include "app/pages/Page.h"

#include <array>

namespace fx
{
class TCustomTrackBar;
class TRoundEdit;
} // namespace fx

namespace sk
{
class TSkBmpButton;
}

namespace app
{

class TPaintBox;

class DelayPage : public TPage
{
  public:
    using TPage::TPage;
    void Bind(TControlBinder& b) override;
    void Connect() override;

    void isDelayInAChange(fw::TControl* Sender);
    void rzbUnit0Click(fw::TControl* Sender);
    void cvdDelayInBKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdDelayInAExit(fw::TControl* Sender);
    void lbDelayLineInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                                 int Y);
    void lbDelayLineInAMouseMove(fw::TControl* Sender, fw::TShiftState Shift, int X, int Y);
    void lbDelayLineInAMouseUp(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                               int Y);
    // Shows a delay on every member of the channel's link group.
    void SyncDelayDisplay(int channel, int samples, int markerLeft);
    // The time label beside the marker and the dashes up to it.
    void PlaceDelayMarker(int channel);
    bool DelayDragging() const { return FDelayDragging != 0; }

    // Refresh: the channel's delay from the model, the unit buttons and every text in the unit, and
    // every marker from its fader (after a resize).
    void ShowChannelDelay(int ch);
    void ShowDelayUnit(int unit);
    void WriteDelayTexts(int unit);
    void PlaceDelayMarkers();

  private:
    struct Channel {
        fx::TCustomTrackBar* fader = nullptr; // isDelay
        fx::TRoundEdit* edit = nullptr;       // cvdDelay
        fw::TControl* marker = nullptr;       // imDelay
        TPaintBox* line = nullptr;            // lbDelayLine
        fw::TControl* time = nullptr;         // lbFftDelayTime
    };
    Channel* Of(const fw::TControl* sender);
    int DelayUnit() const;
    void TypedDelay(fw::TControl* Sender);
    std::array<Channel, 9> FChannels{};
    std::array<sk::TSkBmpButton*, 3> FUnitButtons{};
    int FDelayDragging = 0;
};

} // namespace app
