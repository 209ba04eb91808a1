// morvex-render-on-device OUTDIR: the main window after a full read from the in-process test device
// (loopback TCP, a set with values away from the defaults), every page to PNG, offscreen.
#include "WindowOnDevice.h"
#include "app/dialogs/ScanDialog.h"
#include "app/main/LinkController.h"
#include "app/main/MainSessionView.h"
#include "controls/panels/SkBmpButton.h"

#include <QDir>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testapp::EnsureApp();
    app::TDialogForm::ModalRunner = [](app::TDialogForm*) {};
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("pages-on-device");
    QDir().mkpath(out);
    testapp::WindowOnDevice rig;
    ParamImage image = rig.Device.Image();
    std::memcpy(image.inputs[0].name, "VOCAL\0\0\0", 8);
    std::memcpy(image.outputs[0].name, "SUB L\0\0\0", 8);
    image.inputs[0].gain = 150;
    image.outputs[0].gain = 60;
    image.outputs[1].delay = 900;
    image.outputs[2].polarity = 1;
    rig.Device.SetImage(image);
    rig.Device.StartTcp(0);
    app::TfmMain& main = *rig.Main;
    main.Link().StartLink(nullptr, false);
    main.Link().LinkDialogs().fmNetwork->PortLister = [] { return std::vector<platform::SerialPortEntry>{}; };
    main.Link().SetNetAddress(0x7F000001);
    main.Session().Core.ClientSocket.Port = rig.Device.Port();
    main.show();
    main.Link().rzbMenuLinkClick();
    LLinkSession& s = main.Session();
    if (!testapp::WindowOnDevice::Until(
            [&] { return s.Machine.Online() && !s.Machine.Busy() && main.View().LevelPollOn(); }, 20000)) {
        std::fprintf(stderr, "no full read\n");
        return 1;
    }
    static const char* const buttons[16] = {"rzbMenuInA",    "rzbMenuInB",  "rzbMenuInC",   "rzbMenuOut1",
                                            "rzbMenuOut2",   "rzbMenuOut3", "rzbMenuOut4",  "rzbMenuOut5",
                                            "rzbMenuOut6",   "rzbMenuComp", "rzbMenuDelay", "rzbMenuGain",
                                            "rzbMenuMatrix", "rzbMenuGate", "rzbMenuLimit", "rzbMenuGeq"};
    for (int page = 0; page < 16; ++page) {
        auto* b = main.Get<sk::TSkBmpButton>(QString::fromLatin1(buttons[page]));
        b->SetDown(true);
        main.rzbMenuInAClick(b);
        QCoreApplication::processEvents();
        const QString path = QStringLiteral("%1/online-page%2-%3.png")
                                 .arg(out)
                                 .arg(page, 2, 10, QChar(u'0'))
                                 .arg(QString::fromLatin1(buttons[page] + 7));
        if (!main.grab().save(path))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
    main.SetExitConfirmed(true);
    return 0;
}
