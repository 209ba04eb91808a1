// Entry point of the editor: one copy per user, the main window and its dialogs, the message loop.
#include "app/ProgramInfo.h"
#include "app/main/LinkController.h"
#include "app/main/SingleInstance.h"
#include "app/main/TfmMain.h"
#include "platform/HidBackend.h"
#include "platform/SerialPortList.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <cstdlib>
#include <exception>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // No application display name: the window system would show it after every dialog's own title.
    const QString title = QString::fromUtf8(ProgramTitle.data(), qsizetype(ProgramTitle.size())) + ' ' +
                          QString::fromUtf8(ProgramVersion.data(), qsizetype(ProgramVersion.size()));
    app::SingleInstance instance(QStringLiteral("morvex-editor"));
    if (instance.OtherRunning())
        return 0;
    try {
        app::TfmMain fmMain;
        fmMain.CreateDialogs();
        // MORVEX_SERIAL_PORTS replaces the machine's serial ports with these paths (colon-separated;
        // empty: none), so that a demonstration run opens only ports it made.
        if (const char* ports = std::getenv("MORVEX_SERIAL_PORTS")) {
            std::vector<platform::SerialPortEntry> list;
            for (const QString& path : QString::fromLocal8Bit(ports).split(u':', Qt::SkipEmptyParts))
                list.push_back({path.section(u'/', -1).toStdString(), path.toStdString()});
            platform::SetSerialPortProvider([list] { return list; });
        }
        fmMain.Link().StartLink(std::make_shared<platform::HidrawBackend>(), true);
        instance.OnRaise = [&fmMain] {
            fmMain.setWindowState(fmMain.windowState() & ~Qt::WindowMinimized);
            fmMain.show();
            fmMain.raise();
            fmMain.activateWindow();
        };
        fmMain.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, title, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, title, QString());
    }
    return 0;
}
