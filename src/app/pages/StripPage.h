// The channel strip and the live levels. Gain fader, polarity and mute sit on each channel page and
// again on the Gain page (the "Backup" copies); an edit on either is stored for the link group, sent,
// and shown on both copies of every member. The level poll asks the device for its levels every
// 300 ms while it runs; a reply lights the meters and lamps of the strip and of the dynamics pages.
#pragma once

#include "app/pages/Page.h"
#include "runtime/Timer.h"

#include <array>
#include <cstdint>
#include <span>

namespace fx
{
class TCustomTrackBar;
class TRoundEdit;
} // namespace fx

namespace sk
{
class TSkBmpButton;
}

namespace eq
{
class LProgressBar;
}

namespace app
{

class TUpDown;

class StripPage : public TPage
{
  public:
    using TPage::TPage;
    void Bind(TControlBinder& b) override;
    void Connect() override;

    void isGainInAChange(fw::TControl* Sender);
    void isGainBackupInAChange(fw::TControl* Sender);
    void rzbPhaseInAClick(fw::TControl* Sender);
    void rzbPhaseBackupInAClick(fw::TControl* Sender);
    void rzbMuteInAClick(fw::TControl* Sender);
    void rzbMuteBackupInAClick(fw::TControl* Sender);
    // Show a value on both copies of every member of ch's link group.
    void SyncGainDisplay(int ch, int position);
    void SyncPhaseDisplay(int ch, bool down);
    void SyncMuteDisplay(int ch, bool down);

    // Levels: the poll's tick sends the level request; stopping the poll clears every meter.
    void tmInLevelDetTimer();
    void SetLevelPoll(bool on);
    // A level reply on the meters and lamps; a short one leaves them as they are.
    void ShowLevels(std::span<const uint8_t> payload);
    void ResetLevelMeters();

    // Refresh: a channel's gain, polarity and mute from the model.
    void ShowChannelStrip(int ch);

  private:
    struct Strip {
        fx::TCustomTrackBar* gain = nullptr; // isGain
        fx::TRoundEdit* gainEdit = nullptr;  // cvdGain
        sk::TSkBmpButton* phase = nullptr;   // rzbPhase
        sk::TSkBmpButton* mute = nullptr;    // rzbMute
    };
    struct Channel {
        std::array<Strip, 2> strips{}; // the channel page's, the Gain page's ("Backup")
        // Inputs: pbLevelIn, pbLevelBackupIn, pbLevelGateIn; outputs: pbLevelOut, pbLevelBackupOut,
        // pbLevelCompOut, pbLevelLimitOut.
        std::array<eq::LProgressBar*, 4> levels{};
        // Outputs: pbLimitOut, pbLimitBackupOut, pbLimitCompOut, pbLimitLimitOut.
        std::array<eq::LProgressBar*, 4> lamps{};
        TUpDown* ratio = nullptr;                      // udCompRatioOut: a compressor at 1:1 never acts
        fx::TCustomTrackBar* limitThreshold = nullptr; // isLimitThresholdOut
    };
    // The meters of the channel each dynamics page shows.
    struct PageMeters {
        eq::LProgressBar* gateLevel = nullptr;  // pbLevelGateIn
        eq::LProgressBar* compLevel = nullptr;  // pbLevelCompOut
        eq::LProgressBar* compLamp = nullptr;   // pbLimitCompOut
        eq::LProgressBar* limitLevel = nullptr; // pbLevelLimitOut
        eq::LProgressBar* limitLamp = nullptr;  // pbLimitLimitOut
    };
    Channel* Of(const fw::TControl* sender);
    QString PhaseCaption(bool down) const;
    void GainChange(fw::TControl* Sender, bool backup);
    void PhaseClick(fw::TControl* Sender, bool backup);
    void MuteClick(fw::TControl* Sender, bool backup);
    std::array<Channel, 9> FChannels{};
    PageMeters FPageMeters;
    fw::TTimer tmInLevelDet;
};

} // namespace app
