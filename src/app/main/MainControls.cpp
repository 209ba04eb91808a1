#include "app/main/MainControls.h"
#include "app/main/ResizeRules.h"
#include "app/pages/Page.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/TrackBar.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "proto/ParamImage.h"

namespace app
{

namespace
{

QString L(const char* s)
{
    return QString::fromLatin1(s);
}

// Captions every channel page has, then the inputs' (gate, GEQ buttons) and the outputs' (compressor,
// limiter).
const char* const kChannelCaptions[][2] = {{"lbFftParam", "SID_PARAM_KEY"},
                                           {"lbGain", "SID_GAIN"},
                                           {"rzbMute", "SID_MUTE"},
                                           {"lbEqParam", "SID_EQ_PARAM"},
                                           {"lbEqFreq", "SID_EQ_FREQ"},
                                           {"lbEqBw", "SID_EQ_BW"},
                                           {"lbEqGain", "SID_EQ_GAIN"},
                                           {"lbEq", "SID_EQ_PARAM_TITLE"},
                                           {"lbLowCutFreq", "SID_HPF"},
                                           {"lbLowCutSlop", "SID_HLP_SLOP"},
                                           {"rzbLowCutBypass", "SID_HLP_BYPASS"},
                                           {"lbHighCutFreq", "SID_LPF"},
                                           {"lbHighCutSlop", "SID_HLP_SLOP"},
                                           {"rzbHighCutBypass", "SID_HLP_BYPASS"},
                                           {"vrbEqShowAll", "SID_SHOW_ALL_EQ"},
                                           {"vrbEqReset", "SID_RESET_EQ"},
                                           {"vrbEqBypass", "SID_BYPASS_EQ"}};
const char* const kInputCaptions[][2] = {
    {"lbGateThreshold", "SID_COMP_THRESHOLD"}, {"lbGateAttack", "SID_COMP_ATTACK"},
    {"lbGateRelease", "SID_COMP_RELEASE"},     {"lbGateHold", "SID_GATE_HOLD"},
    {"vrbEqResetGeq", "SID_RESET_EQ"},         {"vrbEqBypassGeq", "SID_BYPASS_EQ"}};
const char* const kOutputCaptions[][2] = {
    {"lbCompRatio", "SID_COMP_RATIO"},    {"lbCompThreshold", "SID_COMP_THRESHOLD"},
    {"lbCompAttack", "SID_COMP_ATTACK"},  {"lbCompRelease", "SID_COMP_RELEASE"},
    {"lbCompKnee", "SID_COMP_KNEE"},      {"lbLimitThreshold", "SID_COMP_THRESHOLD"},
    {"lbLimitAttack", "SID_COMP_ATTACK"}, {"lbLimitRelease", "SID_COMP_RELEASE"},
    {"lbLimitKnee", "SID_COMP_KNEE"}};
const char* const kWindowCaptions[][2] = {
    {"lPreset", "SID_PRESET"},        {"lAddress", "SID_ADDRESS"},        {"bStore", "SID_BT_STORE"},
    {"bRecall", "SID_BT_RECALL"},     {"lbGainInput", "SID_IN"},          {"lbGainOutput", "SID_OUT"},
    {"lbDelayInput", "SID_IN"},       {"lbDelayOutput", "SID_OUT"},       {"lbDelayUnit", "SID_DELAY_UNIT"},
    {"lbFftDelayIn", "SID_IN_DELAY"}, {"lbFftDelayOut", "SID_OUT_DELAY"}, {"rzbUnit0", "SID_UNIT_MS"},
    {"rzbUnit1", "SID_UNIT_M"},       {"rzbUnit2", "SID_UNIT_FT"},        {"lbFftGainIn", "SID_IN"},
    {"lbFftGainOut", "SID_OUT"}};

const char* const kGraphs[TMainControls::kGraphCount] = {
    "fftDrawInA",     "fftDrawInB",    "fftDrawInC",    "fftDrawOut1",  "fftDrawOut2",
    "fftDrawOut3",    "fftDrawOut4",   "fftDrawOut5",   "fftDrawOut6",  "fftDrawGainIn",
    "fftDrawGainOut", "fftDrawGeqInA", "fftDrawGeqInB", "fftDrawGeqInC"};

} // namespace

void TMainControls::Bind(TControlBinder& b)
{
    for (int page = 0; page < kPageCount; ++page) {
        const QString p = PageSuffix(page);
        b.Bind(pageButtons[std::size_t(page)], QStringLiteral("rzbMenu") + p);
        b.Bind(graphBoxes[std::size_t(page)], QStringLiteral("rzgFft") + p);
        b.Bind(paramBoxes[std::size_t(page)], QStringLiteral("rzgParam") + p);
    }
    for (int g = 0; g < kGraphCount; ++g)
        b.Bind(graphs[std::size_t(g)], L(kGraphs[g]));
    auto caption = [&](const QString& name, const char* key) {
        fw::TControl* c = nullptr;
        b.Bind(c, name);
        captions.emplace_back(c, L(key));
    };
    for (const auto& [name, key] : kWindowCaptions)
        caption(L(name), key);
    for (int ch = 0; ch < 9; ++ch) {
        const std::size_t i = std::size_t(ch);
        const QString s = ChannelTitle(ch);
        b.Bind(channelLabels[i], QStringLiteral("lbFftChannel") + s);
        b.Bind(gainNames[i], QStringLiteral("lbGainName") + s);
        b.Bind(bandEditors[i], QStringLiteral("peqPeq") + s);
        b.Bind(phase[i][0], QStringLiteral("rzbPhase") + s);
        b.Bind(phase[i][1], QStringLiteral("rzbPhaseBackup") + s);
        caption(QStringLiteral("rzbMuteBackup") + s, "SID_MUTE");
        for (const auto& [name, key] : kChannelCaptions)
            caption(L(name) + s, key);
        if (ch < kInputCount)
            for (const auto& [name, key] : kInputCaptions)
                caption(L(name) + s, key);
        else
            for (const auto& [name, key] : kOutputCaptions)
                caption(L(name) + s, key);
    }
    for (int in = 0; in < kInputCount; ++in) {
        const QString x = ChannelSuffix(in);
        b.Bind(geqSelectors[std::size_t(in)], QStringLiteral("rzbGeqSelIn") + x);
        for (int band = 1; band <= 31; ++band)
            b.Bind(geqFaders[std::size_t(in)][std::size_t(band - 1)],
                   QStringLiteral("isGeqCh%1In").arg(band, 2, 10, QChar(u'0')) + x);
        for (int out = 1; out <= 6; ++out)
            b.Bind(routes[std::size_t(in)][std::size_t(out - 1)],
                   QStringLiteral("rzb") + x + QStringLiteral("MatrixOut") + QString::number(out));
    }
    b.Bind(charts[0], QStringLiteral("ipComp"));
    b.Bind(charts[1], QStringLiteral("ipGate"));
    b.Bind(charts[2], QStringLiteral("ipLimit"));
    b.Bind(link, QStringLiteral("rzbMenuLink"));
    b.Bind(store, QStringLiteral("bStore"));
    b.Bind(recall, QStringLiteral("bRecall"));
    b.Bind(presetNumber, QStringLiteral("lbPstNum"));
    b.Bind(presetName, QStringLiteral("lbPstName"));
    b.Bind(presetBar, QStringLiteral("rzgPreset"));
    b.Bind(mainBox, QStringLiteral("rzgMain"));
    // Both passes of the design size place every control the rules know.
    for (const Placement& p : ResizeRules(kDesignWidth, kDesignHeight).placements)
        if (auto [it, added] = placed.try_emplace(p.name, nullptr); added)
            b.Bind(it->second, p.name);
}

} // namespace app
