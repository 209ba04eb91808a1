// The mini-HTML renderer over arbitrary markup. The first bytes choose the rectangle (narrow ones
// included), the point to hit-test, word wrap, the line spacing and the modes; the rest is the markup
// as UTF-8. Both passes run over every line, measuring only or hit-testing (which runs the drawing
// pass without painting): painting text through the fonts would make a run take milliseconds, and the
// drawing mode is covered by the tests. Text is measured by fixed metrics. A picture container holds one
// picture and an image list one image, so that named and numbered pictures are found as well as missed. Every
// run must end, whatever the markup.
#include "FuzzInput.h"
#include "controls/smooth/HTMLText.h"
#include "controls/smooth/PictureContainer.h"
#include "framework/ImageList.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace
{
// Fixed metrics: the layout's rules are what is fuzzed, and measuring through the fonts would make a
// run take milliseconds.
struct TFixedMetrics : fx::THTMLMetrics {
    int Width(gp::TGPGraphics&, const QString& text, const fw::TFont& font) const override
    {
        return int(text.size()) * std::max(1, font.Size()) / 2;
    }
    int Height(gp::TGPGraphics&, const QString&, const fw::TFont& font) const override
    {
        return std::max(1, font.Size()) * 4 / 3 + 2;
    }
};

fx::TGDIPPictureContainer* gPictures = nullptr;
fw::TCustomImageList* gImages = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QGuiApplication app(*argc, *argv);
    static fx::TGDIPPictureContainer pictures;
    QImage img(24, 12, QImage::Format_ARGB32);
    img.fill(Qt::blue);
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    fx::TPictureItem* item = pictures.Items().Add();
    item->Name = QStringLiteral("pic");
    item->Picture().LoadFromStream(png);
    gPictures = &pictures;
    static fw::TCustomImageList images(16, 16);
    images.Add(img);
    gImages = &images;
    static TFixedMetrics metrics;
    fx::SetHTMLMetrics(&metrics);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t flags = in.Byte();
    const int width = in.Byte();
    const int height = in.Byte();
    fx::THTMLDrawParams p;
    p.X = in.Byte();
    p.Y = in.Byte();
    p.WordWrap = flags & 1;
    p.MeasureOnly = flags & 2;
    p.HitTestOnly = !p.MeasureOnly;
    p.Selected = flags & 8;
    p.HoverStyle = flags & 16;
    p.Blink = flags & 32;
    p.Printing = flags & 64;
    p.LineSpacing = (flags & 128) ? 2 : 0;
    p.HoverLink = 1;
    p.FocusLink = 0;
    p.ShadowOffset = 3;
    p.HoverColor = fw::clYellow;
    p.HoverTextColor = fw::clRed;
    p.PictureContainer = gPictures;
    p.Images = gImages;
    const std::vector<uint8_t> rest = in.Bytes(in.Remaining());
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));

    static QImage image(64, 64, QImage::Format_ARGB32);
    static QPainter painter(&image);
    static gp::TGPGraphics g(painter);
    static fw::TFont font;
    font.SetName(QStringLiteral("Tahoma"));
    font.SetSize(8);
    fx::THTMLDrawResult r;
    fx::DrawHTMLText(&g, font, text, fw::TRect{0, 0, width, height}, p, r);
    // The measured size never comes out negative.
    if (r.Height < 2 || r.Width < 0)
        __builtin_trap();
    return 0;
}
