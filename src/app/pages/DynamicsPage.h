// The compressor, limiter and gate pages. One handler per parameter serves every channel (the sender's
// Tag is the channel): it stores through the model, shows the value on the other channels of the link
// group with the refresh flag set, and redraws the page's transfer curve (compressor and limiter through
// their one-shot timers, the gate at once). The value rules are in pages/DynamicsRules.
#pragma once

#include "app/pages/Page.h"
#include "pages/DynamicsRules.h"
#include "runtime/Timer.h"

#include <array>

namespace fx
{
class TCustomTrackBar;
class TRoundEdit;
} // namespace fx

namespace app
{

class TUpDown;

class DynamicsPage : public TPage
{
  public:
    explicit DynamicsPage(TfmMain& main);
    void Bind(TControlBinder& b) override;
    void Connect() override;

    // Model writes (parameter indices: comp 0 threshold, 1 attack, 2 release, 3 ratio, 4 knee; limit
    // 0 threshold, 1 attack, 2 release, 3 knee; gate 0 threshold, 1 attack, 2 release, 3 hold).
    void SetCompParam(int channel, int parameter, int value);
    void SetLimitParam(int channel, int parameter, int value);
    void SetGateParam(int channel, int parameter, int value);
    // Shows one parameter on every channel of the channel's link group.
    void SyncCompDisplay(int channel, int parameter, int value);
    void SyncLimitDisplay(int channel, int parameter, int value);
    void SyncGateDisplay(int channel, int parameter, int value);
    // Draws the page's transfer curve of one channel from its controls and selects that channel.
    void DrawCompCurve(int channel);
    void DrawLimitCurve(int channel);
    void DrawGateCurve(int channel);
    // Handlers, one per parameter for every channel (the sender's Tag is the channel).
    void isCompThresholdOut1Change(fw::TControl* Sender);
    void isCompAttackOut1Change(fw::TControl* Sender);
    void isCompReleaseOut1Change(fw::TControl* Sender);
    void udCompRatioOut1ChangingEx(fw::TControl* Sender, bool& AllowChange, int NewValue);
    void udCompKneeOut1ChangingEx(fw::TControl* Sender, bool& AllowChange, int NewValue);
    void cvdCompThresholdOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompThresholdOut1Exit(fw::TControl* Sender);
    void cvdCompAttackOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompAttackOut1Exit(fw::TControl* Sender);
    void cvdCompReleaseOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompReleaseOut1Exit(fw::TControl* Sender);
    void cvdCompRatioOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompRatioOut1Exit(fw::TControl* Sender);
    void cvdCompKneeOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompKneeOut1Exit(fw::TControl* Sender);
    void isCompThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                      int X, int Y);
    void cvdCompThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                       int X, int Y);
    void lbCompOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                             int Y);
    void tmCompDispTimer(fw::TTimer* Sender);
    void isLimitThresholdOut1Change(fw::TControl* Sender);
    void isLimitAttackOut1Change(fw::TControl* Sender);
    void isLimitReleaseOut1Change(fw::TControl* Sender);
    void udLimitKneeOut1ChangingEx(fw::TControl* Sender, bool& AllowChange, int NewValue);
    void cvdLimitThresholdOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdLimitThresholdOut1Exit(fw::TControl* Sender);
    void cvdLimitAttackOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdLimitAttackOut1Exit(fw::TControl* Sender);
    void cvdLimitReleaseOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdLimitReleaseOut1Exit(fw::TControl* Sender);
    void cvdLimitKneeOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdLimitKneeOut1Exit(fw::TControl* Sender);
    void isLimitThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                       int X, int Y);
    void cvdLimitThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                        int X, int Y);
    void lbLimitOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                              int Y);
    void tmLimitDispTimer(fw::TTimer* Sender);
    void isGateThresholdInAChange(fw::TControl* Sender);
    void isGateAttackInAChange(fw::TControl* Sender);
    void isGateReleaseInAChange(fw::TControl* Sender);
    void isGateHoldInAChange(fw::TControl* Sender);
    void cvdGateThresholdInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdGateThresholdInAExit(fw::TControl* Sender);
    void cvdGateAttackInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdGateAttackInAExit(fw::TControl* Sender);
    void cvdGateReleaseInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdGateReleaseInAExit(fw::TControl* Sender);
    void cvdGateHoldInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdGateHoldInAExit(fw::TControl* Sender);
    void cvdGateThresholdInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                      int X, int Y);
    void isGateThresholdInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                     int X, int Y);
    void lbGateInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                            int Y);

    // The channel each page shows (its curve, title and page meters).
    int CompChannel() const { return FCompChannel; }
    int LimitChannel() const { return FLimitChannel; }
    int GateChannel() const { return FGateChannel; }

    // Refresh: an input's gate or an output's compressor and limiter from the model; input A's gate
    // curve and title; the titles in the current language.
    void ShowChannelDynamics(int ch);
    void ShowGateCurveOfA();
    void WriteTitles();

    // One-shot redraws of the compressor and limiter curves (1 ms; enabling an enabled one does not
    // restart it, so a run of changes draws once).
    fw::TTimer tmCompDisp;
    fw::TTimer tmLimitDisp;

  private:
    struct Param {
        fx::TCustomTrackBar* fader = nullptr; // is<Kind><Param>; faders only
        TUpDown* upDown = nullptr;            // ud<Kind><Param>; up-downs only
        fx::TRoundEdit* edit = nullptr;       // cvd<Kind><Param>
    };
    struct Channel {
        std::array<Param, 5> params{};
        fw::TControl* label = nullptr; // lb<Kind>Out1 / lb<Kind>InA: chooses the page's channel
    };
    struct Chart {
        fw::TControl* chart = nullptr; // ip<Kind>
        fw::TControl* name = nullptr;  // lb<Kind>Name
        fw::TControl* head = nullptr;  // lbHeadCompOut, lbHeadLimitOut, lbHeadGateIn
    };
    Channel* Of(DynKind kind, const fw::TControl* sender);
    Channel& At(DynKind kind, int channel);
    Chart& ChartOf(DynKind kind) { return FCharts[std::size_t(kind)]; }
    void ShowTitle(DynKind kind, int channel, const char* key);
    void DynFaderChange(DynKind kind, fw::TControl* Sender, int parameter);
    void DynUpDownChanging(DynKind kind, fw::TControl* Sender, int NewValue, int parameter);
    void DynTypedDecibel(DynKind kind, fw::TControl* Sender, bool knee);
    void DynTypedTime(DynKind kind, fw::TControl* Sender, int parameter);
    void DynTypedRatio(fw::TControl* Sender);
    void DynSyncDisplay(DynKind kind, int channel, int parameter, int value);
    void DrawGateSteps(int channel, int thresholdPosition);
    void ConnectLabelsAndTimers();

    // By kind (Comp, Limit, Gate), then by the page's channel (the gate uses three).
    std::array<std::array<Channel, 6>, 3> FChannels{};
    std::array<Chart, 3> FCharts{};
    int FCompChannel = 3;
    int FLimitChannel = 3;
    int FGateChannel = 0;
    int FCompDrawChannel = 3;
    int FLimitDrawChannel = 3;
};

} // namespace app
