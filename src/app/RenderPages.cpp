// morvex-render-pages OUTDIR: renders the main window offscreen, each of its 16 pages at the design size
// (1125 x 727) and at 1400 x 900, in English and in Chinese, and every small dialog, to PNG files.
#include "app/dialogs/DeviceDialogs.h"
#include "app/dialogs/NetworkSetupDialog.h"
#include "app/dialogs/ScanDialog.h"
#include "app/dialogs/SmallDialogs.h"
#include "app/main/LinkController.h"
#include "app/main/MainLayout.h"
#include "app/main/MainSessionView.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "app/pages/DynamicsPage.h"
#include "app/pages/GeqPage.h"
#include "app/pages/MatrixPage.h"
#include "app/pages/PeqPage.h"
#include "app/pages/StripPage.h"
#include "base/ValueScales.h"
#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/ProgressBar.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "pages/PageRules.h"
#include "runtime/Timer.h"

#include <array>
#include <bit>
#include <cmath>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QThread>
#include <cstdio>

namespace
{

const char* const kPages[16] = {"InA",  "InB",  "InC",   "Out1", "Out2",   "Out3", "Out4",  "Out5",
                                "Out6", "Comp", "Delay", "Gain", "Matrix", "Gate", "Limit", "Geq"};

void Save(QWidget* w, const QString& path)
{
    QApplication::processEvents();
    if (!w->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The link's dialogs: the scan while it tries a port, after a fruitless scan, with a broken link;
// the ID/IP setup offline and online; the traffic log with a few lines.
void RenderLinkDialogs(app::TfmMain& main, const QString& out, const QString& lang)
{
    app::TLinkDialogs& d = main.Link().LinkDialogs();
    app::TfmNetwork& scan = *d.fmNetwork;
    auto shot = [&](QWidget* w, const char* name) {
        Save(w, QStringLiteral("%1/dialog-%2-%3.png").arg(out, QString::fromLatin1(name), lang));
    };
    scan.Show();
    scan.pbScan->SetMax(3);
    scan.pbScan->SetPosition(2);
    scan.lblDeviceID->SetCaption(QStringLiteral("2/3"));
    scan.lblScan->SetCaption(main.LookupText(QStringLiteral("SID_SCAN")) + QStringLiteral(" ttyUSB0 ......"));
    for (auto* b : {scan.btnOK, scan.btnId, scan.btnExit})
        b->SetEnabled(false);
    shot(&scan, "scan-scanning");
    scan.pbScan->SetPosition(3);
    scan.lblDeviceID->SetCaption(QString());
    scan.lblScan->SetCaption(main.LookupText(QStringLiteral("SID_NO_DEVICE")) +
                             QStringLiteral("\nttyS0: Permission denied; ttyS1: Permission denied"));
    for (auto* b : {scan.btnOK, scan.btnId, scan.btnExit})
        b->SetEnabled(true);
    shot(&scan, "scan-nodevice");
    scan.pbScan->SetPosition(0);
    scan.lblScan->SetCaption(main.LookupText(QStringLiteral("SID_LINK_BROKEN")));
    shot(&scan, "scan-broken");
    scan.Close();

    app::TfmNetworkSetup& setup = *d.fmNetworkSetup;
    main.Link().SetNetAddress(0xC0A80164);
    setup.SetEditsEnabled(true, true);
    setup.Show();
    shot(&setup, "network-setup");
    setup.SetEditsEnabled(false, false);
    shot(&setup, "network-setup-online");
    setup.Close();
    main.Link().SetNetAddress(0);

    app::TfmHidData& log = *d.fmHidData;
    log.Show();
    log.hbHidData->clear();
    log.AddLine(QStringLiteral("NET W 10 02 00 01 01 10 10 03 11 "));
    log.AddLine(QStringLiteral("NET R 10 02 01 00 01 10 10 03 02 "));
    log.AddLine(QStringLiteral("NET W 10 02 00 01 01 13 10 03 13 "));
    log.AddLine(QStringLiteral("NET R 10 02 01 00 0C 13 4D 4F 52 56 45 58 20 56 30 31 30 10 03 4A "));
    shot(&log, "traffic-log");
    log.hbHidData->clear();
    log.Close();
}

// The device dialogs: preset lists and name, link grid (offline, with a group of outputs 1 to 3
// and input B under A), copy, lock, channel names.
void RenderDeviceDialogs(app::TfmMain& main, const QString& out, const char* lang)
{
    app::TDeviceDialogs& d = *main.DeviceDialogs();
    auto save = [&](app::TDialogForm* dlg, const char* name) {
        Save(dlg, QStringLiteral("%1/dialog-%2-%3.png")
                      .arg(out, QString::fromLatin1(name), QString::fromLatin1(lang)));
        dlg->Close();
    };
    d.fmStorePreset->SetPresetName(2, "Live");
    d.fmRecallPreset->SetPresetName(3, "Live");
    d.fmStorePreset->Show();
    save(d.fmStorePreset.get(), "store-preset");
    d.fmRecallPreset->Show();
    save(d.fmRecallPreset.get(), "recall-preset");
    d.fmStorePreset->vledPresetNameSelectCell(3);
    save(d.fmStoreName.get(), "store-name");
    d.fmRecallPreset->vledPresetNameSelectCell(1);
    save(d.fmStoreName.get(), "recall-name");
    d.fmLinkSel->Show();
    d.fmLinkSel->ClickGridButton(4, 3);
    d.fmLinkSel->ClickGridButton(5, 3);
    d.fmLinkSel->ClickGridButton(1, 0);
    save(d.fmLinkSel.get(), "link");
    for (int ch = 0; ch < 9; ++ch)
        d.fmLinkSel->ShowLinkWord(ch, main.Unit()->GetLink(ch));
    d.fmCopy->Show();
    save(d.fmCopy.get(), "copy");
    d.fmLockPassWord->Show();
    save(d.fmLockPassWord.get(), "unlock");
    d.fmLockSetup->Show();
    save(d.fmLockSetup.get(), "lock-setup");
    d.fmChNameList->Show();
    d.fmChNameList->Edits[0]->SetText(QStringLiteral("Vocal"));
    d.fmChNameList->Edits[3]->SetText(QStringLiteral("Sub L"));
    save(d.fmChNameList.get(), "channel-names");
    d.fmChannelName->SetChannel(4);
    d.fmChannelName->SetNameText(QStringLiteral("Mid Hi"));
    d.fmChannelName->Show();
    save(d.fmChannelName.get(), "channel-name");
}

// The dynamics pages after edits made on their controls (a linked pair on the compressor page, a
// typed ratio and time, a limiter knee, a gate threshold and hold), in both languages.
void RenderDynamicsEdits(app::TfmMain& main, const QString& out)
{
    auto fader = [&](const char* n) { return main.Get<fx::TCustomTrackBar>(QString::fromLatin1(n)); };
    auto upDown = [&](const char* n) { return main.Get<app::TUpDown>(QString::fromLatin1(n)); };
    auto type = [&](const char* n, const char* text) {
        auto* e = main.Get<fx::TRoundEdit>(QString::fromLatin1(n));
        fw::Word key = fw::VK_RETURN;
        e->SetText(QString::fromLatin1(text));
        if (e->OnKeyDown)
            e->OnKeyDown(e, key, 0);
    };
    auto settle = [] {
        for (int i = 0; i < 5; ++i) {
            QThread::msleep(2);
            QApplication::processEvents();
        }
    };
    main.resize(app::kDesignWidth - app::kFrameWidth, app::kDesignHeight - app::kFrameHeight);
    main.Unit()->SetLink(5, 0); // Out2 leads Out3
    main.Unit()->SetLink(4, 0b110);
    fader("isCompThresholdOut2")->SetPosition(-40);
    upDown("udCompRatioOut2")->SetPosition(9);
    upDown("udCompKneeOut2")->SetPosition(6);
    type("cvdCompAttackOut2", "5");
    type("cvdCompRatioOut5", "25");
    fader("isCompThresholdOut2")->SetPosition(-41);
    fader("isCompThresholdOut2")->SetPosition(-40);
    fader("isLimitThresholdOut3")->SetPosition(-12);
    upDown("udLimitKneeOut3")->SetPosition(3);
    fader("isGateThresholdInB")->SetPosition(-80);
    type("cvdGateHoldInB", "250");
    settle();
    main.Dynamics().DrawGateCurve(1);
    for (const char* lang : {"zh", "en"}) {
        if (lang[0] == 'e')
            main.LanguageClick(main.MenuItem(QStringLiteral("English")));
        for (const char* page : {"Comp", "Limit", "Gate"}) {
            auto* b = main.Get<sk::TSkBmpButton>(QStringLiteral("rzbMenu") + QString::fromLatin1(page));
            b->SetDown(true);
            main.rzbMenuInAClick(b);
            settle();
            Save(&main, QStringLiteral("%1/edited-%2-%3.png")
                            .arg(out, QString::fromLatin1(page), QString::fromLatin1(lang)));
        }
    }
}

// The graphic equaliser, delay and matrix pages after edits made through their controls: GEQ
// bands of input B (linked to nothing) shown, delays, routes, mix levels and a channel name.
void RenderGeqDelayMatrixEdits(app::TfmMain& main, const QString& out, const char* lang)
{
    main.resize(app::kDesignWidth - app::kFrameWidth, app::kDesignHeight - app::kFrameHeight);
    const int bands[31] = {0,   10,  30,  60,  90,  120, 150, 180, 200, 220, 240, 200, 160, 120, 100, 80,
                           100, 120, 130, 140, 150, 160, 150, 140, 120, 110, 100, 90,  80,  100, 120};
    for (int b = 0; b < 31; ++b)
        if (auto* f =
                main.Get<fx::TCustomTrackBar>(QStringLiteral("isGeqCh%1InB").arg(b + 1, 2, 10, QChar(u'0'))))
            f->SetPosition(bands[b]);
    main.Geq().tmGeqCurveTimer();
    const int delays[9] = {0, 9600, 65280, 96, 4800, 19200, 32640, 48000, 65280};
    for (int ch = 0; ch < 9; ++ch)
        if (auto* f = main.Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + app::ChannelTitle(ch)))
            f->SetPosition(delays[ch]);
    for (const char* b : {"rzbAMatrixOut2", "rzbBMatrixOut1", "rzbAMatrixOut5", "rzbCMatrixOut4"})
        if (auto* r = main.Get<sk::TSkBmpButton>(QString::fromLatin1(b))) {
            r->SetDown(true);
            main.Matrix().rzbAMatrixOut1Click(r, QString::fromLatin1(b).right(1).toInt());
        }
    if (auto* e = main.Get<fx::TRoundEdit>(QStringLiteral("cvdAMatrixOut2"))) {
        e->SetText(QStringLiteral("-25.7"));
        main.Matrix().cvdAMatrixOut1Exit(e, 2);
    }
    main.Matrix().SetChannelName(4, app::ChannelNameField(QStringLiteral("Sub"), CurrentCodePage()));
    for (const auto& [button, name] :
         {std::pair{"rzbMenuGeq", "Geq"}, {"rzbMenuDelay", "Delay"}, {"rzbMenuMatrix", "Matrix"}}) {
        auto* b = main.Get<sk::TSkBmpButton>(QString::fromLatin1(button));
        b->SetDown(true);
        main.rzbMenuInAClick(b);
        if (name[0] == 'G')
            if (auto* sel = main.Get<sk::TSkBmpButton>(QStringLiteral("rzbGeqSelInB"))) {
                sel->SetDown(true);
                main.Geq().rzbGeqSelInAClick(sel);
            }
        Save(&main, QStringLiteral("%1/edited-%2-%3.png")
                        .arg(out, QString::fromLatin1(name), QString::fromLatin1(lang)));
    }
}

void ShowPage(app::TfmMain& main, const char* name)
{
    auto* b = main.Get<sk::TSkBmpButton>(QString::fromLatin1(name));
    b->SetDown(true);
    main.rzbMenuInAClick(b);
}

void SelectBand(app::TfmMain& main, const char* name)
{
    auto* b = main.Get<sk::TSkBmpButton>(QString::fromLatin1(name));
    b->SetDown(true);
    main.Peq().rzbEq1InAClick(b);
}

void SetFader(app::TfmMain& main, const char* name, int position)
{
    main.Get<fx::TCustomTrackBar>(QString::fromLatin1(name))->SetPosition(position);
}

// Output 1: a +6 dB peak at 2 kHz dragged on the graph, a -4 dB low shelf from the panel, cuts.
void ShapeOutput1(app::TfmMain& main, const std::function<void()>& tick)
{
    auto* graph = main.Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawOut1"));
    SelectBand(main, "rzbEq3Out1");
    tick();
    graph->Grab();
    auto* peq = main.Get<eq::TMyPEQType8>(QStringLiteral("peqPeqOut1"));
    const graph::TPlotFrame frame = graph->PlotFrame();
    const int x = frame.Left + graph->GetBlockPos(2).X;
    const int y = int(std::lround(frame.ControlY(peq->GetGainValue(2))));
    main.Peq().fftDrawInAMouseDown(graph, fw::mbLeft, 0, x, y);
    const double grid = std::log10(2000.0) / std::log10(48000.0) * 4096;
    const int tx = int(std::lround(frame.ControlX(grid)));
    const int ty = int(std::lround(frame.ControlY(6.15)));
    main.Peq().fftDrawInAMouseMove(graph, 0, tx, ty);
    main.Peq().fftDrawInAMouseUp(graph, fw::mbLeft, 0, tx, ty);
    tick();
    SelectBand(main, "rzbEq1Out1");
    peq->SetTypeValue(0, PeqTypeLowShelf);
    SetFader(main, "isEqFreqOut1", 100);
    tick();
    SetFader(main, "isEqGainOut1", 80);
    tick();
    main.Get<sk::TSkBmpButton>(QStringLiteral("rzbLowCutBypassOut1"))->SetDown(false);
    auto* slope = main.Get<sk::TSkComboBox>(QStringLiteral("rzcLowCutSlopOut1"));
    slope->SetItemIndex(9);
    main.Peq().rzcLowCutSlopInAChange(slope);
    SetFader(main, "isLowCutFreqOut1", 70);
    tick();
    main.Get<sk::TSkBmpButton>(QStringLiteral("rzbHighCutBypassOut1"))->SetDown(false);
    SetFader(main, "isHighCutFreqOut1", 270);
    tick();
}

// The linked pair's strip, polarity and mute; live levels.
void StripAndLevels(app::TfmMain& main)
{
    SetFader(main, "isGainOut1", -60);
    auto* phase = main.Get<sk::TSkBmpButton>(QStringLiteral("rzbPhaseOut1"));
    phase->SetDown(true);
    main.Strip().rzbPhaseInAClick(phase);
    auto* mute = main.Get<sk::TSkBmpButton>(QStringLiteral("rzbMuteOut1"));
    mute->SetDown(true);
    main.Strip().rzbMuteInAClick(mute);
    std::array<float, 12> levels{0.5f, 0.05f, 0.0f, 0.0f, 0.3f, 0.3f, 0.02f, 0.0f, 0.1f, 1.0f, 0.0f, 0.0f};
    std::vector<uint8_t> reply;
    for (float l : levels) {
        const uint32_t bits = std::bit_cast<uint32_t>(l);
        reply.insert(reply.end(), {uint8_t(bits >> 16), uint8_t(bits >> 24), uint8_t(bits >> 8)});
    }
    reply.insert(reply.end(), {0x01, 0x20});
    main.View().OnLevelReply(reply);
}

// The channel pages in an edited state: bands shaped on the graph and the panel, cuts, overlays, the
// strip of a linked pair, live levels, the phase view, an EQ bypass and a corner being dragged.
void RenderEditedStates(app::TfmMain& main, const QString& out)
{
    fw::FakeTimerScope clock;
    auto tick = [&] { clock.Fake.Advance(2); };
    auto get = [&](const char* n) { return main.Get<fw::TControl>(QString::fromLatin1(n)); };
    main.Unit()->SetLink(3, 0b11);
    main.Unit()->SetLink(4, 0);
    main.View().ShowAllParams();
    ShowPage(main, "rzbMenuOut1");
    QApplication::processEvents(); // the graph lays out at the current size
    ShapeOutput1(main, tick);
    // Output 2 gets a band too, shown as an overlay on output 1.
    ShowPage(main, "rzbMenuOut2");
    SelectBand(main, "rzbEq5Out2");
    SetFader(main, "isEqGainOut2", 200);
    tick();
    ShowPage(main, "rzbMenuOut1");
    auto* overlay = main.Get<sk::TLedPowerButton>(QStringLiteral("vrbShow2Out1"));
    overlay->SetActive(true);
    main.Peq().vrbShowOverlayClick(overlay, 3);
    StripAndLevels(main);
    Save(&main, out + QStringLiteral("/edited-Out1.png"));
    // A corner being dragged: its frequency text turns green.
    auto* graph = main.Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawOut1"));
    const int cx = graph->PlotFrame().Left + graph->GetBlockPos(31).X;
    const int cy = int(std::lround(graph->PlotFrame().ControlY(0)));
    main.Peq().fftDrawInAMouseDown(graph, fw::mbLeft, 0, cx, cy);
    main.Peq().fftDrawInAMouseMove(graph, 0, cx + 40, cy);
    tick();
    Save(&main, out + QStringLiteral("/edited-Out1-corner-drag.png"));
    main.Peq().fftDrawInAMouseUp(graph, fw::mbLeft, 0, cx + 40, cy);
    // Input B in the phase view, input C bypassed.
    ShowPage(main, "rzbMenuInB");
    main.Peq().rbShowPhaseInAClick(get("rbShowPhaseInB"));
    Save(&main, out + QStringLiteral("/edited-InB-phase.png"));
    ShowPage(main, "rzbMenuInC");
    main.Peq().vrbEqBypassInAClick(get("vrbEqBypassInC"));
    Save(&main, out + QStringLiteral("/edited-InC-bypass.png"));
    ShowPage(main, "rzbMenuGain");
    for (const char* n : {"vrbShow2Gain", "vrbShowBGain"}) {
        auto* b = main.Get<sk::TLedPowerButton>(QString::fromLatin1(n));
        b->SetActive(true);
        main.Peq().vrbShowOverlayClick(b, n[7] == 'B' ? 9 : 10);
    }
    Save(&main, out + QStringLiteral("/edited-Gain.png"));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication a(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("pages");
    QDir().mkpath(out);
    app::TfmMain main;
    main.CreateDialogs();
    main.show();
    app::TDialogForm::ModalRunner = [](app::TDialogForm*) {};
    for (const char* lang : {"en", "zh"}) {
        if (lang[1] == 'h') {
            QAction* zh = main.MenuItem(QStringLiteral("ChineseSimplified"));
            main.LanguageClick(zh);
        }
        for (const auto& size : {std::pair{app::kDesignWidth, app::kDesignHeight}, std::pair{1400, 900}}) {
            main.resize(size.first - app::kFrameWidth, size.second - app::kFrameHeight);
            for (int page = 0; page < 16; ++page) {
                static const char* const buttons[16] = {
                    "rzbMenuInA",    "rzbMenuInB",  "rzbMenuInC",   "rzbMenuOut1",
                    "rzbMenuOut2",   "rzbMenuOut3", "rzbMenuOut4",  "rzbMenuOut5",
                    "rzbMenuOut6",   "rzbMenuComp", "rzbMenuDelay", "rzbMenuGain",
                    "rzbMenuMatrix", "rzbMenuGate", "rzbMenuLimit", "rzbMenuGeq"};
                auto* b = main.Get<sk::TSkBmpButton>(QString::fromLatin1(buttons[page]));
                b->SetDown(true);
                main.rzbMenuInAClick(b);
                Save(&main, QStringLiteral("%1/page%2-%3-%4x%5-%6.png")
                                .arg(out)
                                .arg(page, 2, 10, QChar(u'0'))
                                .arg(QString::fromLatin1(kPages[page]))
                                .arg(size.first)
                                .arg(size.second)
                                .arg(QString::fromLatin1(lang)));
            }
        }
        app::TDialogs& d = *main.Dialogs();
        d.fmInformation->lbMessage->SetCaption(main.LookupText(QStringLiteral("SID_INFO_CON_FIRST")));
        const std::pair<app::TDialogForm*, const char*> dialogs[] = {
            {d.fmInformation.get(), "information"},
            {d.fmExit.get(), "exit"},
            {d.fmPeqRst.get(), "peqrst"},
            {d.fmFactory.get(), "factory"},
            {d.fmProcess.get(), "process"},
            {d.fmTest.get(), "test"},
            {&d.Memo(), "memo"},
            {d.fmAbout.get(), "about"},
            {&d.Rs232Code(false), "rs232code"},
            {&d.Rs232Code(true), "rs232code-english"}};
        for (const auto& [dlg, name] : dialogs) {
            dlg->Show();
            Save(dlg, QStringLiteral("%1/dialog-%2-%3.png")
                          .arg(out, QString::fromLatin1(name), QString::fromLatin1(lang)));
            dlg->Close();
        }
        RenderLinkDialogs(main, out, QString::fromLatin1(lang));
        RenderDeviceDialogs(main, out, lang);
    }
    RenderDynamicsEdits(main, out); // ends in English
    main.LanguageClick(main.MenuItem(QStringLiteral("ChineseSimplified")));
    RenderGeqDelayMatrixEdits(main, out, "zh");
    main.LanguageClick(main.MenuItem(QStringLiteral("English")));
    RenderGeqDelayMatrixEdits(main, out, "en");
    main.resize(app::kDesignWidth - app::kFrameWidth, app::kDesignHeight - app::kFrameHeight);
    RenderEditedStates(main, out);
    return 0;
}
