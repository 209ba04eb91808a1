// morvex-render-pages OUTDIR: renders the main window offscreen, each of its 16 pages at the design size
// (1125 x 727) and at 1400 x 900, in English and in Chinese, and every small dialog, to PNG files.
#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "base/ValueScales.h"
#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/TrackBar.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "runtime/Timer.h"

#include <array>
#include <bit>
#include <cmath>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
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

// The channel pages in an edited state: bands shaped on the graph and the panel, cuts, overlays, the
// strip of a linked pair, live levels, the phase view, an EQ bypass and a corner being dragged.
void RenderEditedStates(app::TfmMain& main, const QString& out)
{
    fw::FakeTimerScope clock;
    auto tick = [&] { clock.Fake.Advance(2); };
    auto get = [&](const char* n) { return main.Get<fw::TControl>(QString::fromLatin1(n)); };
    auto page = [&](const char* n) {
        auto* b = main.Get<sk::TSkBmpButton>(QString::fromLatin1(n));
        b->SetDown(true);
        main.rzbMenuInAClick(b);
    };
    auto selectBand = [&](const char* n) {
        auto* b = main.Get<sk::TSkBmpButton>(QString::fromLatin1(n));
        b->SetDown(true);
        main.rzbEq1InAClick(b);
    };
    auto fader = [&](const char* n, int p) {
        main.Get<fx::TCustomTrackBar>(QString::fromLatin1(n))->SetPosition(p);
    };
    main.Unit()->SetLink(3, 0b11);
    main.Unit()->SetLink(4, 0);
    main.ShowAllParams();
    page("rzbMenuOut1");
    QApplication::processEvents(); // the graph lays out at the current size
    // Output 1: a +6 dB peak at 2 kHz dragged on the graph, a -4 dB low shelf from the panel, cuts.
    auto* graph = main.Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawOut1"));
    selectBand("rzbEq3Out1");
    tick();
    graph->Grab();
    auto* peq = main.Get<eq::TMyPEQType8>(QStringLiteral("peqPeqOut1"));
    const int x = int(GraphLeftMargin) + graph->GetBlockPos(2).X;
    const int y = 7 + int(std::lround((18 - peq->GetGainValue(2)) / 36 * graph->GetPlotHeight()));
    main.fftDrawInAMouseDown(graph, fw::mbLeft, 0, x, y);
    const double grid = std::log10(2000.0) / std::log10(48000.0) * 4096;
    const int tx = int(GraphLeftMargin +
                       (grid - graph->XMin()) / (graph->XMax() - graph->XMin()) * graph->GetPlotWidth());
    main.fftDrawInAMouseMove(graph, 0, tx, 7 + 76);
    main.fftDrawInAMouseUp(graph, fw::mbLeft, 0, tx, 7 + 76);
    tick();
    selectBand("rzbEq1Out1");
    peq->SetTypeValue(0, PeqTypeLowShelf);
    fader("isEqFreqOut1", 100);
    tick();
    fader("isEqGainOut1", 80);
    tick();
    main.Get<sk::TSkBmpButton>(QStringLiteral("rzbLowCutBypassOut1"))->SetDown(false);
    auto* slope = main.Get<sk::TSkComboBox>(QStringLiteral("rzcLowCutSlopOut1"));
    slope->SetItemIndex(9);
    main.rzcLowCutSlopInAChange(slope);
    fader("isLowCutFreqOut1", 70);
    tick();
    main.Get<sk::TSkBmpButton>(QStringLiteral("rzbHighCutBypassOut1"))->SetDown(false);
    fader("isHighCutFreqOut1", 270);
    tick();
    // Output 2 gets a band too, shown as an overlay on output 1.
    page("rzbMenuOut2");
    selectBand("rzbEq5Out2");
    fader("isEqGainOut2", 200);
    tick();
    page("rzbMenuOut1");
    auto* overlay = main.Get<sk::TLedPowerButton>(QStringLiteral("vrbShow2Out1"));
    overlay->SetActive(true);
    main.vrbShowOverlayClick(overlay, 3);
    // The linked pair's strip, polarity and mute; live levels.
    fader("isGainOut1", -60);
    auto* phase = main.Get<sk::TSkBmpButton>(QStringLiteral("rzbPhaseOut1"));
    phase->SetDown(true);
    main.rzbPhaseInAClick(phase);
    auto* mute = main.Get<sk::TSkBmpButton>(QStringLiteral("rzbMuteOut1"));
    mute->SetDown(true);
    main.rzbMuteInAClick(mute);
    std::array<float, 12> levels{0.5f, 0.05f, 0.0f, 0.0f, 0.3f, 0.3f, 0.02f, 0.0f, 0.1f, 1.0f, 0.0f, 0.0f};
    std::vector<uint8_t> reply;
    for (float l : levels) {
        const uint32_t bits = std::bit_cast<uint32_t>(l);
        reply.insert(reply.end(), {uint8_t(bits >> 16), uint8_t(bits >> 24), uint8_t(bits >> 8)});
    }
    reply.insert(reply.end(), {0x01, 0x20});
    main.OnLevelReply(reply);
    Save(&main, out + QStringLiteral("/edited-Out1.png"));
    // A corner being dragged: its frequency text turns green.
    const int cx = int(GraphLeftMargin) + graph->GetBlockPos(31).X;
    const int cy = 7 + graph->GetPlotHeight() / 2;
    main.fftDrawInAMouseDown(graph, fw::mbLeft, 0, cx, cy);
    main.fftDrawInAMouseMove(graph, 0, cx + 40, cy);
    tick();
    Save(&main, out + QStringLiteral("/edited-Out1-corner-drag.png"));
    main.fftDrawInAMouseUp(graph, fw::mbLeft, 0, cx + 40, cy);
    // Input B in the phase view, input C bypassed.
    page("rzbMenuInB");
    main.rbShowPhaseInAClick(get("rbShowPhaseInB"));
    Save(&main, out + QStringLiteral("/edited-InB-phase.png"));
    page("rzbMenuInC");
    main.vrbEqBypassInAClick(get("vrbEqBypassInC"));
    Save(&main, out + QStringLiteral("/edited-InC-bypass.png"));
    page("rzbMenuGain");
    for (const char* n : {"vrbShow2Gain", "vrbShowBGain"}) {
        auto* b = main.Get<sk::TLedPowerButton>(QString::fromLatin1(n));
        b->SetActive(true);
        main.vrbShowOverlayClick(b, n[7] == 'B' ? 9 : 10);
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
            {d.fmMemo.get(), "memo"},
            {d.fmAbout.get(), "about"},
            {d.fmRs232Code.get(), "rs232code"},
            {d.fmRs232CodeEnglish.get(), "rs232code-english"}};
        for (const auto& [dlg, name] : dialogs) {
            dlg->Show();
            Save(dlg, QStringLiteral("%1/dialog-%2-%3.png")
                          .arg(out, QString::fromLatin1(name), QString::fromLatin1(lang)));
            dlg->Close();
        }
    }
    main.LanguageClick(main.MenuItem(QStringLiteral("English")));
    main.resize(app::kDesignWidth - app::kFrameWidth, app::kDesignHeight - app::kFrameHeight);
    RenderEditedStates(main, out);
    return 0;
}
