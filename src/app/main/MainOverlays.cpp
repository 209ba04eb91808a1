// Overlays of the other channels' total curves on the response graphs: the stale-curve masks are
// consumed when a page is shown, and the overlay buttons switch a curve on or off.
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"

#include "controls/panels/LedButtons.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"

namespace app
{

using graph::LMyFFTDrawHpLp6dB;

namespace
{

constexpr int kGainInGraph = 9;
constexpr int kGainOutGraph = 10;

QString GraphName(int g)
{
    if (g == kGainInGraph)
        return QStringLiteral("fftDrawGainIn");
    if (g == kGainOutGraph)
        return QStringLiteral("fftDrawGainOut");
    return QStringLiteral("fftDraw") + ChannelTitle(g);
}

// Section and plot number of channel k's curve on graph g.
int OverlaySlot(int g, int k)
{
    if (g >= kGainInGraph)
        return k;
    return Plot::FirstOverlaySection + (k < 3 ? k : k - 3);
}

} // namespace

void TfmMain::ConnectOverlayHandlers()
{
    for (int g = 0; g <= kGainOutGraph; ++g) {
        const bool inputs = g < 3 || g == kGainInGraph;
        const QString suffix = g >= kGainInGraph ? QStringLiteral("Gain") : ChannelTitle(g);
        for (int k = inputs ? 0 : 3; k < (inputs ? 3 : 9); ++k)
            if (auto* b = Get<sk::TLedPowerButton>(QStringLiteral("vrbShow") + ChannelSuffix(k) + suffix))
                b->OnClick = [this, g](fw::TControl* s) { vrbShowOverlayClick(s, g); };
    }
    // Start-up state: the Gain page shows input A and output 1.
    for (const char* n : {"vrbShowAGain", "vrbShow1Gain"})
        if (auto* b = Get<sk::TLedPowerButton>(QString::fromLatin1(n)))
            b->SetActive(true);
}

void TfmMain::RefreshChannelOverlays(int ch)
{
    if (ch < 0 || ch > 8)
        return;
    const bool input = ch < 3;
    Plot& plot = *FPlots[std::size_t(ch)];
    for (int k = input ? 0 : 3; k < (input ? 3 : 9); ++k) {
        if (k == ch)
            continue;
        auto* b = Get<sk::TLedPowerButton>(QStringLiteral("vrbShow") + ChannelSuffix(k) + ChannelTitle(ch));
        if (!b)
            return;
        const unsigned bit = 1u << k;
        if (!(FCurveDirty[std::size_t(ch)] & bit))
            continue;
        FCurveDirty[std::size_t(ch)] &= ~bit;
        const int slot = OverlaySlot(ch, k);
        plot.Section(slot).SetCurve(FPlots[std::size_t(k)]->Section(Plot::TotalSection).curve());
        if (b->Active())
            plot.DrawSectionCurve(slot, ChannelColours[std::size_t(k)]);
    }
    if (auto* g = Get<LMyFFTDrawHpLp6dB>(GraphName(ch)))
        g->UpdateCurvePage();
}

void TfmMain::RefreshGainPageOverlays()
{
    for (int k = 0; k < 9; ++k) {
        Plot& target = *FPlots[std::size_t(k < 3 ? kGainInGraph : kGainOutGraph)];
        target.Section(k).SetCurve(FPlots[std::size_t(k)]->Section(Plot::TotalSection).curve());
    }
    for (int k = 0; k < 9; ++k) {
        const int g = k < 3 ? kGainInGraph : kGainOutGraph;
        auto* b =
            Get<sk::TLedPowerButton>(QStringLiteral("vrbShow") + ChannelSuffix(k) + QStringLiteral("Gain"));
        if (!b)
            return;
        const unsigned bit = 1u << k;
        if (b->Active() && (FCurveDirty[std::size_t(g)] & bit)) {
            FCurveDirty[std::size_t(g)] &= ~bit;
            FPlots[std::size_t(g)]->DrawSectionCurve(k, ChannelColours[std::size_t(k)]);
        }
    }
    for (int g : {kGainInGraph, kGainOutGraph})
        if (auto* graph = Get<LMyFFTDrawHpLp6dB>(GraphName(g)))
            graph->UpdateCurvePage();
}

void TfmMain::vrbShowOverlayClick(fw::TControl* Sender, int g)
{
    auto* b = dynamic_cast<sk::TLedPowerButton*>(Sender);
    if (!b || g < 0 || g > kGainOutGraph)
        return;
    const int k = int(b->Tag());
    if (k < 0 || k > 8)
        return;
    FCurveDirty[std::size_t(g)] &= ~(1u << k);
    Plot& plot = *FPlots[std::size_t(g)];
    const int slot = OverlaySlot(g, k);
    if (b->Active())
        plot.DrawSectionCurve(slot, ChannelColours[std::size_t(k)]);
    else
        plot.RemoveCurve(slot);
    if (auto* graph = Get<LMyFFTDrawHpLp6dB>(GraphName(g)))
        graph->UpdateCurvePage();
}

} // namespace app
