#include "eq/TMyPEQGain.h"

#include "curves/CurveColours.h"

namespace eq
{

const QStringList& FiveTypeNames()
{
    static const QStringList names = {QStringLiteral(" Peak       "), QStringLiteral(" Low Shelf  "),
                                      QStringLiteral(" High Shelf "), QStringLiteral(" Low Cut    "),
                                      QStringLiteral(" High Cut   ")};
    return names;
}

namespace
{

TPeqRules FiveTypeRules(int rowSlots)
{
    TPeqRules r;
    r.Slots = rowSlots;
    r.TypeNames = FiveTypeNames();
    r.BypassText = QStringLiteral("   BYPASS   ");
    r.SnapFreq = [](double hz, char) { return SnapFreqPositionRounded(hz); };
    r.QText = SiblingQText;
    r.GainText = SiblingGainText;
    return r;
}

TPeqRules GainRules()
{
    TPeqRules r = FiveTypeRules(TMyPEQGain::RowSlots);
    r.NumberColours.assign(MarkerColourCycle.begin(), MarkerColourCycle.end());
    r.ParamGainPosition = RoundedGainPosition;
    r.GainPosition = GainPosition;
    r.ParseGain = ParseGainEntry;
    return r;
}

TPeqRules HpLpRules()
{
    TPeqRules r = FiveTypeRules(TMyPEQHpLp::RowSlots);
    r.NumberColours = {fw::RGB(255, 0, 0),     fw::RGB(255, 255, 0),   fw::RGB(255, 0, 255),
                       fw::RGB(0, 255, 255),   fw::RGB(0, 255, 0),     fw::RGB(0, 0, 255),
                       fw::RGB(166, 202, 240), fw::RGB(128, 0, 128),   fw::RGB(0, 128, 128),
                       fw::RGB(128, 0, 0),     fw::RGB(255, 251, 240), fw::RGB(128, 128, 0),
                       fw::RGB(128, 128, 128), fw::RGB(192, 192, 192), fw::RGB(0, 0, 0)};
    r.GainLimit = 24;
    r.GainStep = 0.5;
    r.FreqShowsRowIndex = false;
    r.ChannelNumberFiresChange = false;
    // Values come in single precision; the shown gain is the given one, widened.
    r.ParamGainPosition = [](double db) { return HalfDbPosition(float(db)); };
    r.GainPosition = [](double db) { return HalfDbPosition(float(db)); };
    r.ParseGain = ParseHalfDbGainEntry;
    return r;
}

} // namespace

TMyPEQGain::TMyPEQGain(QWidget* parent) : TPeqTableCore(parent, GainRules(), RowSlots) {}

TMyPEQHpLp::TMyPEQHpLp(QWidget* parent) : TPeqTableCore(parent, HpLpRules(), RowSlots) {}

} // namespace eq
