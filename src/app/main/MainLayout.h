// The main window's layout as data: one table per page (and one for the frame), each row a control
// with its class, name, parent, bounds at the design size and the few stored values it carries.
// TfmMain's builder reads the rows in order (a parent always comes before its children).
// Pure data; any thread.
#pragma once

#include "framework/Colors.h"

#include <QString>
#include <vector>

namespace app
{

enum class Kind {
    GroupBox,    // TSkGroupBox: page boxes and columns
    Panel,       // TSkPanel: meter and delay panels, matrix rows
    Label,       // TSkLabel
    Fader,       // TFxTrackBar, vertical
    Edit,        // TRoundEdit
    UpDown,      // TUpDown
    Combo,       // TSkComboBox (crossover slopes)
    BmpButton,   // TSkBmpButton
    PowerButton, // TLedPowerButton (overlay switches)
    DemoButton,  // TLedDemoButton (EQ bypass/reset/show-all)
    Radio,       // TRadioButton
    Meter,       // LProgressBar, input scale
    OutMeter,    // LProgressBar, output scale
    Lamp,        // LProgressBar as a lamp
    Graph,       // LMyFFTDrawHpLp6dB
    BandEditor,  // TMyPEQType8
    Chart,       // transfer-curve chart (made through CreateTransferChartControl)
    Image,       // TImage
    Shape,       // TShape
    PaintBox,    // TPaintBox
};

// The look of a row, picked by the builder.
enum class Look {
    Default,
    PageBox,
    GraphBox,
    Column,
    Title,
    Caption,
    Small,
    Value,
    Scale,
    DelayLine,
    Head,
    ChName
};

struct Item {
    Kind kind;
    QString name;
    QString parent; // empty: the form itself
    int x, y, w, h;
    QString caption = {};
    int tag = 0;
    int min = 0, max = 0, position = 0;
    int group = 0; // GroupIndex of bitmap buttons
    bool allowAllUp = false;
    Look look = Look::Default;
    bool visible = true;
};

// The design client size; the resize rules read the outer size, which adds the frame allowance.
constexpr int kDesignWidth = 1125;
constexpr int kDesignHeight = 727;
constexpr int kFrameWidth = 8;   // left and right borders
constexpr int kFrameHeight = 30; // title bar and borders
constexpr int kMenuHeight = 22;

// The pages by number (page buttons' Tag): 0..2 inputs, 3..8 outputs, then the function pages.
constexpr int kPageComp = 9, kPageDelay = 10, kPageGain = 11, kPageMatrix = 12, kPageGate = 13,
              kPageLimit = 14, kPageGeq = 15, kPageCount = 16;

// "A".."C" for channels 0..2, "1".."6" for 3..8.
QString ChannelSuffix(int ch);
// "In" + letter or "Out" + digit.
QString ChannelTitle(int ch);
// The group-box suffix of a page: "InA".."Out6", "Comp", "Delay", "Gain", "Matrix", "Gate", "Limit", "Geq".
QString PageSuffix(int page);

std::vector<Item> FrameTable();        // top bar, page container, preset bar, frame images
std::vector<Item> PageTable(int page); // one page's graph and parameter boxes with their controls

} // namespace app
