// Entry point of the editor.
#include <QApplication>
#include <QWidget>

#include "app/ProgramInfo.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString title = QString::fromUtf8(ProgramTitle.data(), qsizetype(ProgramTitle.size())) + ' ' +
                          QString::fromUtf8(ProgramVersion.data(), qsizetype(ProgramVersion.size()));
    QApplication::setApplicationDisplayName(title);
    QWidget window;
    window.setWindowTitle(title);
    window.resize(1024, 700);
    window.show();
    return QApplication::exec();
}
