// The fill description's loader and painting with its numbers from the input: every key of a saved
// section is left out or given a value of 1, 2 or 4 input bytes or one near an end of the int range
// (so that in-range and out-of-range values both come), the pictures are fixed valid ones (PNG, BMP, JPEG or
// none), and a fill that loads is saved again, loaded back and painted into a small rectangle that the input
// also chooses, so that the picture placement always runs. The first input byte can also hand the rest to the
// INI parser as text.
#include "FuzzInput.h"
#include "controls/smooth/GDIPFill.h"
#include "framework/IniFile.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace
{

const char* const kKeys[] = {"Color",
                             "ColorTo",
                             "ColorMirror",
                             "ColorMirrorTo",
                             "GradientType",
                             "GradientMirrorType",
                             "HatchStyle",
                             "HatchStyleMirror",
                             "BackGroundPictureMode",
                             "BackGroundPicturePosition",
                             "BackGroundPictureLeft",
                             "BackGroundPictureTop",
                             "PicturePosition",
                             "PictureLeft",
                             "PictureTop",
                             "PictureSize",
                             "PictureWidth",
                             "PictureHeight",
                             "Opacity",
                             "OpacityTo",
                             "OpacityMirror",
                             "OpacityMirrorTo",
                             "BorderColor",
                             "BorderOpacity",
                             "BorderWidth",
                             "Rounding",
                             "RoundingType",
                             "ShadowOffset",
                             "ShadowColor",
                             "Angle",
                             "Glow",
                             "GlowGradientColor",
                             "GlowRadialColor",
                             "PictureDataSize"};

QString gPictures[3]; // hex text of a PNG, a BMP and a JPEG picture

QString PictureHex(const char* format, int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, QColor((x * 40) & 255, (y * 60) & 255, 128, x == y ? 128 : 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return fx::StreamToHex(bytes);
}

int Value(FuzzInput& in, uint8_t kind)
{
    switch (kind) {
    case 1:
        return static_cast<int8_t>(in.Byte());
    case 2:
        return static_cast<int16_t>(in.Word());
    case 3:
        return in.Int();
    default: {
        // Near either end of the int range, where sums overflow.
        const uint8_t b = in.Byte();
        return b & 0x80 ? std::numeric_limits<int>::max() - (b & 0x7F) : std::numeric_limits<int>::min() + b;
    }
    }
}

void Paint(fx::TGDIPFill& fill, FuzzInput& in)
{
    QImage target(64, 48, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter p(&target);
    gp::TGPGraphics g(p);
    g.SetSmoothingMode(in.Byte() & 1 ? gdip::SmoothingModeAntiAlias : gdip::SmoothingModeNone);
    fill.Focus = in.Byte() & 1;
    const gp::TGPRectF r{gp::REAL(in.Byte() % 16) - 4, gp::REAL(in.Byte() % 16) - 4, gp::REAL(in.Byte() % 72),
                         gp::REAL(in.Byte() % 56)};
    fill.Fill(&g, r, in.Byte(), in.Byte(), 255, 255, in.Byte());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    gPictures[0] = PictureHex("PNG", 5, 4);
    gPictures[1] = PictureHex("BMP", 3, 6);
    gPictures[2] = PictureHex("JPEG", 8, 8);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const QString section = QStringLiteral("Fill");
    fw::TIniFile ini;
    const uint8_t mode = in.Byte();
    if (mode == 0xFF) {
        // Any text through the INI parser and the loader.
        const std::vector<uint8_t> rest = in.Bytes(in.Remaining());
        ini.Parse(QString::fromUtf8(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size())));
        fx::TGDIPFill fill;
        if (fill.LoadFromIni(ini, section)) {
            FuzzInput none(nullptr, 0);
            Paint(fill, none);
        }
        return 0;
    }
    for (const char* key : kKeys) {
        const uint8_t kind = in.Byte() % 5;
        if (kind != 0)
            ini.WriteInteger(section, QString::fromLatin1(key), Value(in, kind));
    }
    const uint8_t pictures = in.Byte();
    if (pictures % 4 != 3)
        ini.WriteString(section, QStringLiteral("Picture"), gPictures[pictures % 4]);
    if ((pictures >> 2) % 4 != 3)
        ini.WriteString(section, QStringLiteral("BackgroundPicture"), gPictures[(pictures >> 2) % 4]);

    fx::TGDIPFill fill;
    if (!fill.LoadFromIni(ini, section))
        return 0;
    // What loads saves to a section that loads back to the same values.
    fw::TIniFile again;
    fill.SaveToIni(again, section);
    fx::TGDIPFill copy;
    if (!copy.LoadFromIni(again, section))
        std::abort();
    fw::TIniFile twice;
    copy.SaveToIni(twice, section);
    if (twice.Text() != again.Text())
        std::abort();
    Paint(copy, in);
    return 0;
}
