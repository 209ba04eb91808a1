#include "app/pages/GeqPage.h"

#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "base/FlagScope.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/TrackBar.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "pages/GeqRules.h"
#include "pages/PageRules.h"
#include "proto/Commands.h"
#include "proto/LCmd.h"

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

void GeqPage::Bind(TControlBinder& b)
{
    for (int input = 0; input < 3; ++input) {
        const QString in = ChannelTitle(input);
        Input& c = FInputs[std::size_t(input)];
        for (int band = 0; band < 31; ++band) {
            b.Bind(c.faders[std::size_t(band)], QStringLiteral("isGeqCh") + BandName(band) + in);
            b.Bind(c.gains[std::size_t(band)], QStringLiteral("lbGeqGainCh") + BandName(band) + in);
        }
        b.Bind(c.graph, QStringLiteral("fftDrawGeq") + in);
        b.Bind(c.selector, QStringLiteral("rzbGeqSelIn") + ChannelSuffix(input));
        b.Bind(c.bypass, QStringLiteral("vrbEqBypassGeq") + in);
        b.Bind(c.reset, QStringLiteral("vrbEqResetGeq") + in);
        b.Bind(c.faderBox, QStringLiteral("rzgGeq") + in);
        b.Bind(c.graphBox, QStringLiteral("rzgFftGeq") + in);
        b.Bind(c.faderCaption, QStringLiteral("lbGeq") + in); // finds lbGeqinA too
        b.Bind(c.graphCaption, QStringLiteral("lbFftChGeq") + in);
    }
}

void GeqPage::Connect()
{
    tmGeqCurve.SetInterval(1);
    tmGeqCurve.OnTimer = [this](fw::TTimer*) { tmGeqCurveTimer(); };
    for (int input = 0; input < 3; ++input) {
        Input& c = FInputs[std::size_t(input)];
        for (fx::TCustomTrackBar* f : c.faders)
            f->OnChange = [this, input](fw::TControl* s) {
                if (input == 0)
                    isGeqCh01InAChange(s);
                else if (input == 1)
                    isGeqCh01InBChange(s);
                else
                    isGeqCh01InCChange(s);
            };
        c.selector->OnClick = [this](fw::TControl* s) { rzbGeqSelInAClick(s); };
        if (input == 0)
            c.selector->SetDown(true);
        c.bypass->OnClick = [this](fw::TControl* s) { vrbEqBypassGeqInAClick(s); };
        c.reset->OnClick = [this](fw::TControl* s) { vrbEqResetGeqInAClick(s); };
    }
}

void GeqPage::isGeqCh01InAChange(fw::TControl* Sender)
{
    GeqFaderChange(Sender, 0);
}

void GeqPage::isGeqCh01InBChange(fw::TControl* Sender)
{
    GeqFaderChange(Sender, 1);
}

void GeqPage::isGeqCh01InCChange(fw::TControl* Sender)
{
    GeqFaderChange(Sender, 2);
}

void GeqPage::GeqFaderChange(fw::TControl* Sender, int input)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    if (!fader || fader->Tag() < 0 || fader->Tag() > 30 || input < 0 || input > 2)
        return;
    const int band = int(fader->Tag());
    const int p = fader->Position();
    const double gain = (p - 120) * 0.1;
    FInputs[std::size_t(input)].gains[std::size_t(band)]->SetCaption(GeqGainText(p));
    FMain.Plots(kGeqGraphTag + input)
        ->Section(band)
        .SetFilterSection(gain, GeqCentres[std::size_t(band)], GeqBandQ, 1);
    tmGeqCurve.SetEnabled(true);
    FGeqCurve = {kGeqGraphTag + input, band, gain, float(GeqBandQ)};
    // A refresh only shows the model: storing here would copy one input onto its linked partners.
    if (!FMain.UpdatingFlag() && FMain.Unit())
        FMain.Unit()->SetGeq(input, band, int16_t(p));
}

void GeqPage::tmGeqCurveTimer()
{
    tmGeqCurve.SetEnabled(false);
    const int tag = FGeqCurve.tag;
    Plot& plot = *FMain.Plots(tag);
    plot.ShowBandDetail(1, FGeqCurve.band, float(FGeqCurve.gain), FGeqCurve.q, FGeqCurve.gain != 0);
    plot.DrawTotalCurve(tag);
    FInputs[std::size_t(tag - kGeqGraphTag)].graph->UpdateCurvePage();
}

void GeqPage::DrawGeqCurve(int input)
{
    LUnitControl* unit = FMain.Unit();
    if (input < 0 || input > 2 || !unit)
        return;
    Plot& plot = *FMain.Plots(kGeqGraphTag + input);
    for (int b = 0; b < 31; ++b)
        plot.Section(b).SetFilterSection(IndexToGain(unit->GetGeq(input, b)), GeqCentres[std::size_t(b)],
                                         GeqBandQ, 1);
    plot.DrawTotalCurve(kGeqGraphTag + input);
    FInputs[std::size_t(input)].graph->UpdateCurvePage();
}

void GeqPage::rzbGeqSelInAClick(fw::TControl* Sender)
{
    if (!Sender || Sender->Tag() < 0 || Sender->Tag() > 2)
        return;
    const int a = int(Sender->Tag());
    const int leader = FMain.Unit() ? FMain.Unit()->LeaderOf(a) : -1;
    if (leader < 0 || leader > 2)
        return;
    Input& l = FInputs[std::size_t(leader)];
    Plot& plot = *FMain.Plots(kGeqGraphTag + leader);
    plot.RemoveCurve(Plot::TotalSection);
    plot.DrawSectionCurve(Plot::TotalSection, ChannelColours[std::size_t(a)]);
    l.graph->UpdateCurvePage();
    l.graphCaption->SetCaption(ChannelTitle(a));
    l.faderCaption->SetCaption(ChannelTitle(a));
    for (int i = 0; i < 3; ++i) {
        FInputs[std::size_t(i)].faderBox->SetVisible(i == leader);
        FInputs[std::size_t(i)].graphBox->SetVisible(i == leader);
    }
    l.faderBox->raise();
    l.graphBox->raise();
    FMain.Plots(FGeqCurve.tag)->ShowBandDetail(1, FGeqCurve.band, float(FGeqCurve.gain), FGeqCurve.q, false);
}

void GeqPage::MarkBypass(Input& in, bool bypass)
{
    graph::LMyFFTDrawHpLp6dB* g = in.graph;
    g->DrawTextA(g->Width() / 3, g->Height() / 4, 60, fw::clBtnFace, QStringLiteral("Times New Roman"),
                 bypass ? QStringLiteral("BYPASS") : QString());
    g->update();
}

void GeqPage::vrbEqBypassGeqInAClick(fw::TControl* Sender)
{
    LUnitControl* unit = FMain.Unit();
    if (!Sender || Sender->Tag() < 0 || Sender->Tag() > 2 || !unit)
        return;
    const int a = int(Sender->Tag());
    const unsigned group = unit->GetLinkGroup(a) | (1u << a);
    const GeqBypassToggle t = GeqBypassMaskToggle(unit->GetGeqBypassMask(), group, a);
    for (int i = 0; i < 3; ++i)
        if (group & (1u << i))
            MarkBypass(FInputs[std::size_t(i)], t.bypass);
    unit->SetGeqBypass(a, t.mask);
}

void GeqPage::vrbEqResetGeqInAClick(fw::TControl* Sender)
{
    if (!Sender || !FMain.Dialogs())
        return;
    FMain.Dialogs()->fmPeqRst->SetTarget(int(Sender->Tag()) + 9);
    FMain.Dialogs()->fmPeqRst->ShowModal();
}

void GeqPage::ResetGeqBands(int target)
{
    const int input = target - 9;
    LUnitControl* unit = FMain.Unit();
    if (input < 0 || input > 2 || !unit)
        return;
    unit->ResetGeq(input);
    const FlagScope shown(FMain.UpdatingFlag()); // the faders show the stored defaults
    for (int b = 0; b < 31; ++b)
        FInputs[std::size_t(input)].faders[std::size_t(b)]->SetPosition(unit->GetGeq(input, b));
}

void GeqPage::ShowGeqBands(int input)
{
    LUnitControl* unit = FMain.Unit();
    if (input < 0 || input > 2 || !unit)
        return;
    Input& c = FInputs[std::size_t(input)];
    for (int band = 0; band < 31; ++band) {
        fx::TCustomTrackBar* f = c.faders[std::size_t(band)];
        f->SetPosition(unit->GetGeq(input, band));
        c.gains[std::size_t(band)]->SetCaption(GeqGainText(f->Position()));
    }
}

void GeqPage::ShowGeqBypass(int input)
{
    if (input >= 0 && input <= 2 && FMain.Unit())
        MarkBypass(FInputs[std::size_t(input)], FMain.Unit()->GetGeqBypassMask() & (1u << input));
}

} // namespace app
