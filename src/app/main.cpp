// Entry point of the editor: one copy per user, the main window and its dialogs, the message loop.
#include "app/ProgramInfo.h"
#include "app/main/SingleInstance.h"
#include "app/main/TfmMain.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString title = QString::fromUtf8(ProgramTitle.data(), qsizetype(ProgramTitle.size())) + ' ' +
                          QString::fromUtf8(ProgramVersion.data(), qsizetype(ProgramVersion.size()));
    QApplication::setApplicationDisplayName(title);
    app::SingleInstance instance(QStringLiteral("morvex-editor"));
    if (instance.OtherRunning())
        return 0;
    try {
        app::TfmMain fmMain;
        fmMain.CreateDialogs();
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
