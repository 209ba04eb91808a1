// The two programs bench-start compares, each ending right after its first frame: the editor's main
// window (with its dialogs, as the entry point makes them) and a plain Qt window of 600 stock widgets.
//   bench-start-child editor|peer
#include "app/main/TfmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{

// Ends the program once the window has painted its first frame: the first paint of any of its widgets
// starts that frame's one painting pass, and the quit runs after it.
class FirstFrame : public QObject
{
  public:
    explicit FirstFrame(QWidget& w) : FWindow(w) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(o);
        if (e->type() == QEvent::Paint && w && w->window() == &FWindow && !FDone) {
            FDone = true;
            // The frame is the end of the measure: no teardown (and no quit, which the editor would refuse).
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        }
        return false;
    }

  private:
    QWidget& FWindow;
    bool FDone = false;
};

std::unique_ptr<QWidget> Peer()
{
    auto w = std::make_unique<QWidget>();
    auto* grid = new QGridLayout(w.get());
    for (int i = 0; i < 600; ++i) {
        QWidget* c = nullptr;
        switch (i % 6) {
        case 0:
            c = new QLabel(QStringLiteral("Label %1").arg(i));
            break;
        case 1:
            c = new QPushButton(QStringLiteral("Button %1").arg(i));
            break;
        case 2:
            c = new QSlider(Qt::Vertical);
            break;
        case 3:
            c = new QLineEdit(QStringLiteral("%1.00 dB").arg(i));
            break;
        case 4:
            c = new QCheckBox(QStringLiteral("Check %1").arg(i));
            break;
        default: {
            auto* b = new QComboBox;
            b->addItems({QStringLiteral("12 dB/Oct"), QStringLiteral("24 dB/Oct")});
            c = b;
        }
        }
        grid->addWidget(c, i / 30, i % 30);
    }
    w->resize(1125, 727);
    return w;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool editor = argc > 1 && std::strcmp(argv[1], "editor") == 0;
    std::unique_ptr<QWidget> window;
    if (editor) {
        auto main = std::make_unique<app::TfmMain>();
        main->CreateDialogs();
        window = std::move(main);
    } else {
        window = Peer();
    }
    FirstFrame watch(*window);
    window->show();
    return QApplication::exec();
}
