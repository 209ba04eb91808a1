// TfmMain: the graphic equaliser page. A fader stores its band at once; the total curve is redrawn by
// a 1 ms one-shot timer, so a drag gives one redraw per event-loop turn. The selector shows a linked
// input's leader panels captioned with the clicked input.
#include "app/main/TfmMain.h"

#include "app/dialogs/SmallDialogs.h"
#include "app/main/FlagScope.h"
#include "app/main/MainLayout.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/TrackBar.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "pages/PageRules.h"

namespace app
{

namespace
{

constexpr int kGeqGraphTag = 11; // the GEQ graphs' Tag: 11 + input

QString BandName(int band)
{
    return QStringLiteral("%1").arg(band + 1, 2, 10, QChar(u'0'));
}

} // namespace

void TfmMain::ConnectGeqHandlers()
{
    tmGeqCurve.SetInterval(1);
    tmGeqCurve.OnTimer = [this](fw::TTimer*) { tmGeqCurveTimer(); };
    for (int input = 0; input < 3; ++input) {
        const QString in = ChannelTitle(input);
        for (int band = 0; band < 31; ++band)
            if (auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("isGeqCh") + BandName(band) + in))
                f->OnChange = [this, input](fw::TControl* s) {
                    if (input == 0)
                        isGeqCh01InAChange(s);
                    else if (input == 1)
                        isGeqCh01InBChange(s);
                    else
                        isGeqCh01InCChange(s);
                };
        if (auto* b = Get<sk::TSkBmpButton>(QStringLiteral("rzbGeqSelIn") + ChannelSuffix(input))) {
            b->OnClick = [this](fw::TControl* s) { rzbGeqSelInAClick(s); };
            if (input == 0)
                b->SetDown(true);
        }
        if (auto* b = Get<fw::TControl>(QStringLiteral("vrbEqBypassGeq") + in))
            b->OnClick = [this](fw::TControl* s) { vrbEqBypassGeqInAClick(s); };
        if (auto* b = Get<fw::TControl>(QStringLiteral("vrbEqResetGeq") + in))
            b->OnClick = [this](fw::TControl* s) { vrbEqResetGeqInAClick(s); };
    }
}

void TfmMain::isGeqCh01InAChange(fw::TControl* Sender)
{
    GeqFaderChange(Sender, 0);
}

void TfmMain::isGeqCh01InBChange(fw::TControl* Sender)
{
    GeqFaderChange(Sender, 1);
}

void TfmMain::isGeqCh01InCChange(fw::TControl* Sender)
{
    GeqFaderChange(Sender, 2);
}

void TfmMain::GeqFaderChange(fw::TControl* Sender, int input)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    if (!fader || fader->Tag() < 0 || fader->Tag() > 30)
        return;
    const int band = int(fader->Tag());
    const int p = fader->Position();
    const double gain = (p - 120) * 0.1;
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbGeqGainCh") + BandName(band) + ChannelTitle(input)))
        l->SetCaption(GeqGainText(p));
    FPlots[std::size_t(kGeqGraphTag + input)]->Section(band).SetFilterSection(
        gain, GeqCentres[std::size_t(band)], GeqBandQ, 1);
    tmGeqCurve.SetEnabled(true);
    FGeqCurve = {kGeqGraphTag + input, band, gain, float(GeqBandQ)};
    // A refresh only shows the model: storing here would copy one input onto its linked partners.
    if (!FUpdating && FUnit)
        FUnit->SetGeq(input, band, int16_t(p));
}

void TfmMain::tmGeqCurveTimer()
{
    tmGeqCurve.SetEnabled(false);
    const int tag = FGeqCurve.tag;
    Plot& plot = *FPlots[std::size_t(tag)];
    plot.ShowBandDetail(1, FGeqCurve.band, float(FGeqCurve.gain), FGeqCurve.q, FGeqCurve.gain != 0);
    plot.DrawTotalCurve(tag);
    if (auto* g =
            Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawGeq") + ChannelTitle(tag - kGeqGraphTag)))
        g->UpdateCurvePage();
}

void TfmMain::DrawGeqCurve(int input)
{
    if (input < 0 || input > 2 || !FUnit)
        return;
    Plot& plot = *FPlots[std::size_t(kGeqGraphTag + input)];
    for (int b = 0; b < 31; ++b)
        plot.Section(b).SetFilterSection(IndexToGain(FUnit->GetGeq(input, b)), GeqCentres[std::size_t(b)],
                                         GeqBandQ, 1);
    plot.DrawTotalCurve(kGeqGraphTag + input);
    if (auto* g = Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawGeq") + ChannelTitle(input)))
        g->UpdateCurvePage();
}

void TfmMain::rzbGeqSelInAClick(fw::TControl* Sender)
{
    if (!Sender || Sender->Tag() < 0 || Sender->Tag() > 2)
        return;
    const int a = int(Sender->Tag());
    const int leader = LeaderOf(a);
    if (leader < 0)
        return;
    const QString l = ChannelTitle(leader);
    auto* graphBox = Get<fw::TControl>(QStringLiteral("rzgFftGeq") + l);
    auto* faderBox = Get<fw::TControl>(QStringLiteral("rzgGeq") + l);
    if (!graphBox || !faderBox)
        return;
    Plot& plot = *FPlots[std::size_t(kGeqGraphTag + leader)];
    plot.RemoveCurve(Plot::TotalSection);
    plot.DrawSectionCurve(Plot::TotalSection, ChannelColours[std::size_t(a)]);
    if (auto* g = Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawGeq") + l))
        g->UpdateCurvePage();
    auto* graphCaption = Get<fw::TControl>(QStringLiteral("lbFftChGeq") + l);
    auto* faderCaption = Get<fw::TControl>(QStringLiteral("lbGeq") + l); // finds lbGeqinA too
    if (!graphCaption || !faderCaption)
        return;
    graphCaption->SetCaption(ChannelTitle(a));
    faderCaption->SetCaption(ChannelTitle(a));
    // The panels of the three inputs lie on each other; the leader's come to the front.
    for (int i = 0; i < 3; ++i)
        for (const char* box : {"rzgGeq", "rzgFftGeq"})
            if (auto* c = Get<fw::TControl>(QString::fromLatin1(box) + ChannelTitle(i)))
                c->SetVisible(i == leader);
    faderBox->raise();
    graphBox->raise();
    FPlots[std::size_t(FGeqCurve.tag)]->ShowBandDetail(1, FGeqCurve.band, float(FGeqCurve.gain), FGeqCurve.q,
                                                       false);
}

void TfmMain::vrbEqBypassGeqInAClick(fw::TControl* Sender)
{
    if (!Sender || Sender->Tag() < 0 || Sender->Tag() > 2 || !FUnit)
        return;
    const int a = int(Sender->Tag());
    uint16_t mask = FUnit->GetGeqBypassMask();
    const unsigned group = FUnit->GetLinkGroup(a) | (1u << a);
    const bool bypassed = mask & (1u << a);
    std::vector<graph::LMyFFTDrawHpLp6dB*> graphs;
    for (int i = 0; i < 3; ++i)
        if (group & (1u << i)) {
            auto* g = Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawGeq") + ChannelTitle(i));
            if (!g)
                return;
            graphs.push_back(g);
            mask = bypassed ? uint16_t(mask & ~(1u << i)) : uint16_t(mask | (1u << i));
        }
    for (graph::LMyFFTDrawHpLp6dB* g : graphs) {
        g->DrawTextA(g->Width() / 3, g->Height() / 4, 60, fw::clBtnFace, QStringLiteral("Times New Roman"),
                     bypassed ? QString() : QStringLiteral("BYPASS"));
        g->update();
    }
    FUnit->SetGeqBypass(a, mask);
}

void TfmMain::vrbEqResetGeqInAClick(fw::TControl* Sender)
{
    if (!Sender || !FDialogs)
        return;
    FDialogs->fmPeqRst->SetTarget(int(Sender->Tag()) + 9);
    FDialogs->fmPeqRst->ShowModal();
}

void TfmMain::ResetGeqBands(int target)
{
    const int input = target - 9;
    if (input < 0 || input > 2 || !FUnit)
        return;
    FUnit->ResetGeq(input);
    const FlagScope shown(FUpdating); // the faders show the stored defaults
    for (int b = 0; b < 31; ++b) {
        auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("isGeqCh") + BandName(b) + ChannelTitle(input));
        if (!f)
            break;
        f->SetPosition(FUnit->GetGeq(input, b));
    }
}

} // namespace app
