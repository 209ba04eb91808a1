// Feeds arbitrary text to the fill's INI loader (the clipboard's section and a named one); a fill that
// loads is saved again and painted into a small image, so the loaded values reach the drawing code too.
#include "controls/GDIPFill.h"
#include "framework/IniFile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fw::TIniFile ini;
    ini.Parse(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const QString& section : {QStringLiteral("GDI+ Fill"), QStringLiteral("Fill")}) {
        fx::TGDIPFill fill;
        if (!fill.LoadFromIni(ini, section))
            continue;
        fw::TIniFile again;
        fill.SaveToIni(again, section);
        QImage target(48, 32, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::white);
        QPainter p(&target);
        gp::TGPGraphics g(p);
        g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
        fill.Fill(&g, gp::TGPRectF{2, 2, 40, 24});
    }
    return 0;
}
