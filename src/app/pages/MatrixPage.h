// The matrix page. Route buttons and mix levels per output (no link groups), the route lines of the
// block diagram drawn from the model on every paint, the diagram's block labels that open the pages, and
// the channel names shown on the diagram and as the page buttons' hints.
#pragma once

#include "app/pages/Page.h"

#include <array>
#include <functional>
#include <span>
#include <vector>

namespace fx
{
class TRoundEdit;
}

namespace sk
{
class TSkBmpButton;
}

namespace app
{

class TPaintBox;
class TUpDown;
struct RouteSegment;

class MatrixPage : public TPage
{
  public:
    using TPage::TPage;
    void Bind(TControlBinder& b) override;
    void Connect() override;

    // Output n (1..6) of each family; the input comes from the Sender's Tag.
    void rzbAMatrixOut1Click(fw::TControl* Sender, int output);
    void udMixGainAOut1ChangingEx(fw::TControl* Sender, bool& AllowChange, int NewValue, int output);
    void cvdAMatrixOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift, int output);
    void cvdAMatrixOut1Exit(fw::TControl* Sender, int output);
    // The route lines of the model on the diagram's paint box.
    std::vector<RouteSegment> MatrixRoutes();
    void DrawMatrixRoutes(fw::TCanvas& Canvas);
    void RepaintMatrixRoutes();

    void lbMatrixHpLpInAClick(fw::TControl* Sender); // the row's own channel page
    void lbMatrixGateInAClick(fw::TControl* Sender);
    void lbMatrixGeqInAClick(fw::TControl* Sender);
    void lbMatrixDelayInAClick(fw::TControl* Sender);
    void lbMatrixCompOut1Click(fw::TControl* Sender);
    void lbMatrixPhaseOut1Click(fw::TControl* Sender);
    void lbMatrixChNameInAClick(fw::TControl* Sender);
    void lbMatrixChNameInAMouseMove(fw::TControl* Sender);
    void lbMatrixChNameInAMouseLeave(fw::TControl* Sender);
    // The model's 8-byte name of ch.
    std::span<const uint8_t, 8> GetChannelName(int ch) const;
    // Shows the name on the diagram and as the page button's hint, stores it and sends it.
    void SetChannelName(int ch, const std::array<uint8_t, 8>& name);
    // Opens the channel-name dialog for (channel, shown name); set where the dialog is created.
    std::function<void(int channel, const QString& name)> ChannelNameDialog;

    // Refresh: a channel's name from the model (in the current code page), an output's route buttons and
    // mix levels.
    void ShowChannelName(int ch);
    void ShowOutputMix(int ch);

  private:
    struct Channel {
        fw::TControl* row = nullptr;      // plMatrix
        fw::TControl* name = nullptr;     // lbMatrixChName
        sk::TSkBmpButton* menu = nullptr; // rzbMenu: the channel's page button
    };
    struct Mix {
        sk::TSkBmpButton* route = nullptr; // rzbAMatrixOut1
        TUpDown* gain = nullptr;           // udMixGainAOut1
        fx::TRoundEdit* edit = nullptr;    // cvdAMatrixOut1
    };
    using LabelClick = void (MatrixPage::*)(fw::TControl*);
    struct BlockLabel {
        fw::TControl* label = nullptr; // lbMatrix...
        LabelClick click = nullptr;
    };
    struct Menus {
        sk::TSkBmpButton *gate = nullptr, *geq = nullptr, *delay = nullptr, *comp = nullptr, *limit = nullptr,
                         *matrix = nullptr;
    };
    Mix* MixOf(const fw::TControl* sender, int output);
    void TypedMix(fw::TControl* Sender, int output);
    void OpenPageFromLabel(sk::TSkBmpButton* button);
    void ShowName(int ch, const QString& text);
    std::array<Channel, 9> FChannels{};
    std::array<std::array<Mix, 3>, 6> FMix{}; // [output - 1][input]
    std::vector<BlockLabel> FLabels;
    Menus FMenus;
    std::array<sk::TSkBmpButton*, 3> FGeqTabs{}; // rzbGeqSelIn
    TPaintBox* FBox = nullptr;                   // pbMatrix
    std::array<int, 9> FMatrixRowOffsets{};      // matrix rows' tops against pbMatrix at the design size
};

} // namespace app
