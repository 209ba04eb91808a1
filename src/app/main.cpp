// Entry point of the editor.
#include <QApplication>
#include <QWidget>

namespace {
constexpr const char* kProgramTitle = "Tolvane Morvex Processor Editor V1.04";
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(kProgramTitle);
    QWidget window;
    window.setWindowTitle(kProgramTitle);
    window.resize(1024, 700);
    window.show();
    return QApplication::exec();
}
