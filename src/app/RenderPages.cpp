// morvex-render-pages OUTDIR: renders the main window offscreen, each of its 16 pages at the design size
// (1125 x 727) and at 1400 x 900, in English and in Chinese, and every small dialog, to PNG files.
#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainLayout.h"
#include "app/main/PageRules.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"

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

// The graphic equaliser, delay and matrix pages after edits made through their controls: GEQ bands of
// input B (linked to nothing) shown, delays, routes, mix levels and a channel name.
void RenderGeqDelayMatrixEdits(app::TfmMain& main, const QString& out, const char* lang)
{
    main.resize(app::kDesignWidth - app::kFrameWidth, app::kDesignHeight - app::kFrameHeight);
    const int bands[31] = {0,   10,  30,  60,  90,  120, 150, 180, 200, 220, 240, 200, 160, 120, 100, 80,
                           100, 120, 130, 140, 150, 160, 150, 140, 120, 110, 100, 90,  80,  100, 120};
    for (int b = 0; b < 31; ++b)
        if (auto* f =
                main.Get<fx::TCustomTrackBar>(QStringLiteral("isGeqCh%1InB").arg(b + 1, 2, 10, QChar(u'0'))))
            f->SetPosition(bands[b]);
    main.tmGeqCurveTimer();
    const int delays[9] = {0, 9600, 65280, 96, 4800, 19200, 32640, 48000, 65280};
    for (int ch = 0; ch < 9; ++ch)
        if (auto* f = main.Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + app::ChannelTitle(ch)))
            f->SetPosition(delays[ch]);
    for (const char* b : {"rzbAMatrixOut2", "rzbBMatrixOut1", "rzbAMatrixOut5", "rzbCMatrixOut4"})
        if (auto* r = main.Get<sk::TSkBmpButton>(QString::fromLatin1(b))) {
            r->SetDown(true);
            main.rzbAMatrixOut1Click(r, QString::fromLatin1(b).right(1).toInt());
        }
    if (auto* e = main.Get<fx::TRoundEdit>(QStringLiteral("cvdAMatrixOut2"))) {
        e->SetText(QStringLiteral("-25.7"));
        main.cvdAMatrixOut1Exit(e, 2);
    }
    main.SetChannelName(4, app::ChannelNameField(QStringLiteral("Sub"), CurrentCodePage()));
    for (const auto& [button, name] :
         {std::pair{"rzbMenuGeq", "Geq"}, {"rzbMenuDelay", "Delay"}, {"rzbMenuMatrix", "Matrix"}}) {
        auto* b = main.Get<sk::TSkBmpButton>(QString::fromLatin1(button));
        b->SetDown(true);
        main.rzbMenuInAClick(b);
        if (name[0] == 'G')
            if (auto* sel = main.Get<sk::TSkBmpButton>(QStringLiteral("rzbGeqSelInB"))) {
                sel->SetDown(true);
                main.rzbGeqSelInAClick(sel);
            }
        Save(&main, QStringLiteral("%1/edited-%2-%3.png")
                        .arg(out, QString::fromLatin1(name), QString::fromLatin1(lang)));
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
    RenderGeqDelayMatrixEdits(main, out, "zh");
    main.LanguageClick(main.MenuItem(QStringLiteral("English")));
    RenderGeqDelayMatrixEdits(main, out, "en");
    return 0;
}
