// morvex-gallery OUTDIR: writes one PNG per control page, offscreen.
#include "Gallery.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <cstdio>
#include <vector>

namespace gallery
{

namespace
{
struct Entry {
    QString name;
    Builder builder;
    AfterShow afterShow;
};
std::vector<Entry>& Registry()
{
    static std::vector<Entry> entries;
    return entries;
}
} // namespace

void RegisterGalleryPage(const QString& name, Builder builder, AfterShow afterShow)
{
    Registry().push_back({name, std::move(builder), std::move(afterShow)});
}

std::unique_ptr<QWidget> FilledDarkPage(int w, int h)
{
    auto page = std::make_unique<QWidget>();
    page->resize(w, h);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
    page->setPalette(pal);
    page->setAutoFillBackground(true);
    return page;
}

void Caption(QWidget* page, int x, int y, const QString& text)
{
    auto* l = new QLabel(text, page);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    l->setFont(f);
    l->move(x, y);
    l->adjustSize();
    l->show(); // a page that is shown already does not show new children by itself
}

void Hover(QWidget* w, int x, int y)
{
    QEnterEvent enter(QPointF(x, y), QPointF(x, y), w->mapToGlobal(QPointF(x, y)));
    QApplication::sendEvent(w, &enter);
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void PressAt(QWidget* w, int x, int y)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

} // namespace gallery

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: morvex-gallery OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "cannot create '%s'\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const auto& e : gallery::Registry()) {
        std::unique_ptr<QWidget> page = e.builder();
        page->setAttribute(Qt::WA_DontShowOnScreen, false);
        page->setAutoFillBackground(true);
        page->show();
        QApplication::setActiveWindow(page.get());
        QApplication::processEvents();
        if (e.afterShow)
            e.afterShow(page.get());
        QApplication::processEvents();
        const QString path = QDir(out).filePath(e.name + QStringLiteral(".png"));
        if (!page->grab().save(path)) {
            std::fprintf(stderr, "cannot write '%s'\n", qPrintable(path));
            ++failures;
        } else {
            std::printf("%s\n", qPrintable(path));
        }
    }
    return failures == 0 ? 0 : 1;
}
