// morvex-render-pages OUTDIR: renders the main window offscreen, each of its 16 pages at the design size
// (1125 x 727) and at 1400 x 900, in English and in Chinese, and every small dialog, to PNG files.
#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "model/LUnitControl.h"

#include <QAction>
#include <QApplication>
#include <QDir>
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
    main.DrawGateCurve(1);
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
    RenderDynamicsEdits(main, out);
    return 0;
}
