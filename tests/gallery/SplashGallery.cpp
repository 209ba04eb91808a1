// Gallery pages of the mini-HTML renderer (every kind of markup it knows, drawn and hit-tested) and
// of the splash screen's parts.
#include "Gallery.h"

#include "controls/smooth/HTMLText.h"
#include "controls/smooth/PictureContainer.h"
#include "controls/smooth/RTFLabel.h"
#include "controls/smooth/SplashScreen.h"

#include <QBuffer>
#include <QPainter>

using namespace fx;

namespace
{

QByteArray Png(int w, int h, QColor a, QColor b)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(a);
    QPainter p(&img);
    p.fillRect(2, 2, w - 4, h - 4, b);
    p.end();
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

// Draws one markup text in its rectangle through the renderer, with the rectangle outlined.
class THtmlView : public QWidget
{
  public:
    THtmlView(QWidget* parent, QString text, const TGDIPPictureContainer* pictures, THTMLDrawParams params)
        : QWidget(parent), FText(std::move(text)), FPictures(pictures), FParams(params)
    {
    }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QColor(200, 200, 200));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        gp::TGPGraphics g(p);
        g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
        fw::TFont font;
        font.SetName(QStringLiteral("Tahoma"));
        font.SetSize(9);
        THTMLDrawParams params = FParams;
        params.PictureContainer = FPictures;
        THTMLDrawResult r;
        DrawHTMLText(&g, font, FText, fw::TRect{4, 4, width() - 4, height() - 4}, params, r);
    }

  private:
    QString FText;
    const TGDIPPictureContainer* FPictures;
    THTMLDrawParams FParams;
};

const gallery::GalleryPage html(QStringLiteral("minihtml"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(640, 420);
    auto* pictures = new TGDIPPictureContainer;
    TPictureItem* item = pictures->Items().Add();
    item->Name = QStringLiteral("logo");
    item->Picture().LoadFromStream(Png(40, 20, QColor(0, 60, 160), QColor(120, 180, 255)));
    TPictureItem* dot = pictures->Items().Add();
    dot->Name = QStringLiteral("dot");
    dot->Picture().LoadFromStream(Png(10, 10, QColor(0, 120, 0), QColor(120, 220, 120)));
    QObject::connect(page.get(), &QObject::destroyed, [pictures] { delete pictures; });
    THTMLDrawParams plain;
    THTMLDrawParams hover;
    hover.HoverStyle = true;
    hover.HoverLink = 2;
    hover.HoverColor = fw::RGB(255, 255, 200);
    hover.ShadowOffset = 2;
    struct View {
        int x, y, w, h;
        const char* text;
        const THTMLDrawParams* params;
    } views[] = {
        {10, 10, 300, 120,
         "Plain, <B>bold</B>, <I>italic</I>, <U>underline</U>, <S>strike-out</S>.<BR>"
         "<FONT face=\"Arial\" size=\"4\" color=\"#C00000\">Arial 14 red</FONT> and "
         "<FONT size=\"2\" bgcolor=\"clYellow\">small on yellow</FONT>.<BR>"
         "H<SUB>2</SUB>O and x<SUP>2</SUP>; &copy; &reg; &trade; &euro; &amp;copy; &lt;B&gt;<HR>"
         "<E>Misspeled wurds</E> and <SHAD>shadowed text</SHAD>.",
         &plain},
        {330, 10, 300, 120,
         "<P align=\"center\">Centred paragraph that wraps over more than one line of the box.</P>"
         "<P align=\"right\">Right</P><P align=\"left\" indent=\"20\">Indented by 20</P>",
         &plain},
        {10, 140, 300, 130,
         "<UL><LI>first bullet</LI><LI type=\"square\" color=\"#0000FF\">square, blue</LI>"
         "<LI type=\"circle\" color=\"clRed\">circle, red</LI><UL><LI>second level</LI>"
         "<LI type=\"image\" name=\"dot\">picture bullet</LI></UL></UL>",
         &plain},
        {330, 140, 300, 130,
         "Links: <A href=\"one\">first link</A>, <A href=\"two\">hovered link</A> and "
         "<A href=\"three\">third</A>.<BR>Picture <IMG src=\"logo\"> inline, stretched "
         "<IMG src=\"logo\" width=\"20\" height=\"10\"> and one not found <IMG src=\"none\">.",
         &hover},
        {10, 280, 620, 130,
         "<FONT size=\"20\" color=\"clNavy\">Loading Program....</FONT><br>"
         "<HI>highlighted</HI>, <Z>hidden text </Z>visible after hidden text; <IND x=\"300\">at 300<BR>"
         "<OFS x=\"40\">offset by 40 from here on: the lines that follow keep the offset until it ends, "
         "as this long text shows when it wraps onto the next line</OFS><BR>back at the left",
         &plain},
    };
    for (const View& v : views) {
        auto* w = new THtmlView(page.get(), QString::fromUtf8(v.text), pictures, *v.params);
        w->setGeometry(v.x, v.y, v.w, v.h);
    }
    return page;
});

// A splash screen's layers drawn as its window would show them: the picture background, the program's
// name and version, a free item, the list item, a top-layer box and the progress bar.
class TSplashView : public QWidget
{
  public:
    explicit TSplashView(QWidget* parent) : QWidget(parent)
    {
        QImage pic(620, 350, QImage::Format_ARGB32);
        pic.fill(Qt::transparent);
        QPainter p(&pic);
        QLinearGradient grad(0, 60, 0, 350);
        grad.setColorAt(0, QColor(30, 60, 120));
        grad.setColorAt(1, QColor(5, 15, 40));
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(grad);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(0, 60, 620, 290), 24, 24);
        p.end();
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        pic.save(&buf, "PNG");
        S.Fill().Picture().LoadFromStream(bytes);
        S.Fill().SetPicturePosition(ppBottomCenter);
        S.Fill().SetOpacity(249);
        S.Fill().SetColor(fw::clNone);
        S.Fill().SetColorTo(fw::clNone);
        S.Width = 700;
        TSplashItem* item = S.Items().Add();
        item->Text = QStringLiteral("Tolvane");
        item->PosX = 210;
        item->PosY = 80;
        item->Font().SetName(QStringLiteral("Tahoma"));
        item->Font().SetHeight(-32);
        item->Font().SetStyle(fw::fsBold);
        item->Font().SetColor(fw::clWhite);
        TBasicProgramInfo& info = S.BasicProgramInfo();
        info.ProgramName().SetText(QStringLiteral("Morvex Processor Editor"));
        info.ProgramName().Location = ilCustom;
        info.ProgramName().PosX = 70;
        info.ProgramName().PosY = 140;
        info.ProgramName().Font().SetHeight(-32);
        info.ProgramName().ColorStart = fw::clWhite;
        info.ProgramName().ColorEnd = fw::clWhite;
        info.ProgramName().GradientType = gp::gtHatch;
        info.ProgramVersion().SetText(QStringLiteral("V 1.04"));
        info.ProgramVersion().Location = ilCustom;
        info.ProgramVersion().PosX = 490;
        info.ProgramVersion().PosY = 190;
        info.ProgramVersion().Font().SetHeight(-19);
        info.ProgramVersion().ColorStart = fw::clWhite;
        info.ProgramVersion().ColorEnd = fw::RGB(150, 180, 255);
        S.ListItemsSettings().Rect = {180, 250, 680, 500};
        S.ListItems().Add()->HTMLText =
            QStringLiteral("<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>");
        TFxSplashTopLayerItem* top = S.TopLayerItems().Add();
        top->Left = 440;
        top->Top = 70;
        top->Width = 160;
        top->Height = 40;
        top->Fill().SetColor(fw::RGB(255, 230, 160));
        top->Fill().SetColorTo(fw::RGB(255, 190, 90));
        top->Fill().SetRounding(8);
        top->Fill().SetBorderColor(fw::RGB(160, 100, 20));
        top->HTMLText.Text = QStringLiteral("<B>Top layer</B> box");
        top->HTMLText.Location = cpCenterCenter;
        S.ProgressBar().SetLeft(160);
        S.ProgressBar().SetTop(320);
        S.ProgressBar().SetWidth(300);
        S.ProgressBar().SetHeight(12);
        S.ProgressBar().SetComponentStyle(tsOffice2007Luna);
        S.ProgressBar().SetPosition(65);
        S.ProgressBar().SetVisible(true);
    }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(90, 90, 90));
        const QSize size = S.WindowSize();
        QImage buffer(size, QImage::Format_ARGB32_Premultiplied);
        buffer.fill(Qt::transparent);
        {
            QPainter b(&buffer);
            gp::TGPGraphics g(b);
            S.DrawLayers(g, size.width(), size.height(), true);
        }
        p.drawImage(10, 10, buffer);
    }

  private:
    TFxSmoothSplashScreen S;
};

const gallery::GalleryPage splash(QStringLiteral("splash-screen"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(642, 372);
    new TSplashView(page.get());
    page->findChild<TSplashView*>()->setGeometry(0, 0, 642, 372);
    return page;
});

const gallery::GalleryPage progress(QStringLiteral("splash-progressbar"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(340, 200);
    struct Bar {
        double position;
        TTMSStyle style;
        bool value;
        TGDIPProgressValuePosition where;
    } bars[] = {{0, tsOffice2007Luna, true, vpCenter},
                {35, tsOffice2007Luna, true, vpProgressCenter},
                {70, tsOffice2003Blue, true, vpProgressRight},
                {100, tsWindows7, true, vpRight},
                {50, tsOffice2010Black, false, vpLeft}};
    int y = 24;
    for (const Bar& b : bars) {
        auto* bar = new TFxSplashProgressBar(page.get());
        TGDIPSplashProgress look;
        look.SetComponentStyle(b.style);
        look.SetValueVisible(b.value);
        look.SetValuePosition(b.where);
        look.SetValueType(vtPercentage);
        look.SetLeft(20);
        look.SetTop(y);
        look.SetWidth(300);
        look.SetHeight(20);
        look.SetPosition(b.position);
        look.SetVisible(true);
        bar->SetAppearance(look);
        gallery::Caption(page.get(), 20, y - 14, QStringLiteral("%1%").arg(b.position));
        y += 36;
    }
    return page;
});

const gallery::GalleryPage rtf(QStringLiteral("rtf-label"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(420, 260);
    auto* label = new TRTFLabel(page.get());
    label->SetBounds(10, 10, 400, 240);
    label->SetColor(fw::clWhite);
    label->SetWordWrap(true);
    label->SetRichText(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}"
        "{\\f2\\fnil\\fcharset134 SimSun;}}{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green0\\blue128;}"
        "\\pard\\qc\\b\\f0\\fs32 Serial commands\\b0\\par"
        "\\pard\\fs20 Frames begin with \\cf2\\b 10 02 00\\b0\\cf0 , carry the device id, a length and the "
        "command code, and end with \\cf2 10 03\\cf0  and a check byte.\\par"
        "\\f1\\i Times, italic;\\i0  \\ul underlined\\ulnone , \\strike struck\\strike0 , "
        "\\cf1 red\\cf0 .\\par"
        "\\qr\\f0 right aligned\\par\\ql\\f2\\ansicpg936 \\'d6\\'d0\\'ce\\'c4 \\u25991?\\u23383?\\par "
        "a\\tab tab\\line next line\\par}");
    return page;
});

} // namespace
