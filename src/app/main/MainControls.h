// The window's own controls (navigation, preset bar, language captions, resize targets, skin copies),
// found once right after they are built; the first one missing stops the window's creation.
#pragma once

#include "app/main/MainLayout.h"

#include <QString>
#include <array>
#include <map>
#include <utility>
#include <vector>

namespace fw
{
class TControl;
}
namespace fx
{
class TFxTrackBar;
}
namespace sk
{
class TSkBmpButton;
}
namespace eq
{
class TMyPEQType8;
}
namespace graph
{
class LMyFFTDrawHpLp6dB;
}

namespace app
{

class TControlBinder;

struct TMainControls {
    static constexpr int kGraphCount = 14;

    std::array<sk::TSkBmpButton*, kPageCount> pageButtons{}; // rzbMenu<page>
    std::array<fw::TControl*, kPageCount> graphBoxes{};      // rzgFft<page>
    std::array<fw::TControl*, kPageCount> paramBoxes{};      // rzgParam<page>
    std::array<fw::TControl*, 9> channelLabels{};            // lbFftChannel<channel>
    std::array<fw::TControl*, 9> gainNames{};                // lbGainName<channel>
    // fftDraw<channel>, then GainIn, GainOut, GeqInA..GeqInC (the plots' order).
    std::array<graph::LMyFFTDrawHpLp6dB*, kGraphCount> graphs{};
    std::array<eq::TMyPEQType8*, 9> bandEditors{};               // peqPeq<channel>
    std::array<std::array<sk::TSkBmpButton*, 2>, 9> phase{};     // rzbPhase<channel>, rzbPhaseBackup<channel>
    std::array<fw::TControl*, 3> geqSelectors{};                 // rzbGeqSelIn<A..C>
    std::array<std::array<fx::TFxTrackBar*, 31>, 3> geqFaders{}; // isGeqCh<nn>In<A..C>
    std::array<std::array<sk::TSkBmpButton*, 6>, 3> routes{};    // rzb<A..C>MatrixOut<1..6>
    std::array<fw::TControl*, 3> charts{};                       // ipComp, ipGate, ipLimit
    sk::TSkBmpButton* link = nullptr;                            // rzbMenuLink
    fw::TControl* store = nullptr;                               // bStore
    fw::TControl* recall = nullptr;                              // bRecall
    fw::TControl* presetNumber = nullptr;                        // lbPstNum
    fw::TControl* presetName = nullptr;                          // lbPstName
    fw::TControl* presetBar = nullptr;                           // rzgPreset
    fw::TControl* mainBox = nullptr;                             // rzgMain
    // The captions the language sets: the control and its text key (the link button's and the
    // phase buttons' follow their state and are set apart).
    std::vector<std::pair<fw::TControl*, QString>> captions;
    // Every control the resize rules place, by name.
    std::map<QString, fw::TControl*> placed;

    void Bind(TControlBinder& b);
};

} // namespace app
