// The two programs bench-start compares, each ending right after its first frame: the editor's main
// window (with its dialogs, as the entry point makes them) and a plain Qt window of 600 stock widgets.
//   bench-start-child editor|peer
#include "PeerWindow.h"
#include "app/main/TfmMain.h"

#include <QApplication>
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
        window = PeerWindow();
    }
    FirstFrame watch(*window);
    window->show();
    return QApplication::exec();
}
