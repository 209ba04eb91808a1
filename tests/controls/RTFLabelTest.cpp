// Our RTF reader (text, code pages, formats, tables, skipped destinations, broken input) and the RTF
// label: update nesting, byte-exact round trips through a rich edit, low 8 bits, background, drawing
// and printing to PDF.
#include "controls/smooth/RTFLabel.h"
#include "support/TestApp.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fx;

TEST(RtfReader, TextAndCodePages)
{
    struct Case {
        const char* name;
        const char* rtf;
        const char* text; // UTF-8, paragraphs joined by "\n"
    } cases[] = {
        {"plain", "{\\rtf1\\ansi Hello world}", "Hello world"},
        {"paragraphs", "{\\rtf1 one\\par two\\par}", "one\ntwo"},
        {"line and tab", "{\\rtf1 a\\line b\\tab c}", "a\u2028b\tc"},
        {"escapes", "{\\rtf1 \\{x\\}\\\\\\~y\\_z}", "{x}\\\u00A0y-z"},
        {"Windows-1252 byte", "{\\rtf1\\ansi\\ansicpg1252 caf\\'e9}", "caf\u00E9"},
        {"GBK pair", "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}", "\u4E2D\u6587"},
        {"unicode with its fallback skipped", "{\\rtf1 \\u20013?\\u25991\\'3f!}", "\u4E2D\u6587!"},
        {"negative unicode", "{\\rtf1 \\u-3913?}", "\uF0B7"},
        {"uc0 skips nothing", "{\\rtf1\\uc0 \\u65 B}", "AB"},
        {"skipped destinations", "{\\rtf1{\\*\\generator Riched20;}{\\info{\\title T}}{\\stylesheet{s;}}x}",
         "x"},
        {"unknown control words", "{\\rtf1\\viewkind4\\uc1\\lang2052 x}", "x"},
        {"unbalanced closing braces", "{\\rtf1 a}}} b}", "a b"},
        {"unclosed group", "{\\rtf1 {a", "a"},
        {"cut hex", "{\\rtf1 a\\'4", "a"},
        {"bad hex", "{\\rtf1 a\\'zzb}", "azzb"},
        {"cut control word", "{\\rtf1 a\\", "a"},
        {"huge parameter", "{\\rtf1\\fs99999999999999999999 a}", "a"},
        {"not RTF at all", "just text", "just text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TRtfDocument doc = ReadRtf(QByteArray(c.rtf));
        EXPECT_EQ(doc.PlainText(), QString::fromUtf8(c.text));
    }
    EXPECT_TRUE(ReadRtf("{\\rtf1 x}").IsRtf);
    EXPECT_FALSE(ReadRtf("x").IsRtf);
    // Nesting far deeper than the bound reads its text outside the deep part and ends.
    QByteArray deep = "{\\rtf1 a";
    deep += QByteArray(100000, '{') + "hidden" + QByteArray(100000, '}') + "b}";
    EXPECT_EQ(ReadRtf(deep).PlainText(), QStringLiteral("ab"));
}

TEST(RtfReader, FormatsAndTables)
{
    const QByteArray rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil\\fcharset134 SimSun;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
        "\\pard\\qc\\b\\fs28 Title\\b0\\par\\pard\\f1\\fs20\\cf1 red\\cf2\\i navy\\i0\\ul u\\ulnone\\strike "
        "s\\strike0"
        "\\plain p}";
    const TRtfDocument doc = ReadRtf(rtf);
    ASSERT_EQ(doc.Fonts.size(), 2u);
    EXPECT_EQ(doc.Fonts[0].Name, QStringLiteral("Arial"));
    EXPECT_EQ(doc.FontByNumber(1)->Name, QStringLiteral("SimSun"));
    EXPECT_EQ(doc.FontByNumber(1)->Charset, 134);
    ASSERT_EQ(doc.Colours.size(), 3u);
    EXPECT_FALSE(doc.Colours[0].isValid());
    EXPECT_EQ(doc.Colours[1], QColor(255, 0, 0));
    ASSERT_EQ(doc.Paragraphs.size(), 2u);
    EXPECT_EQ(doc.Paragraphs[0].Align, raCenter);
    EXPECT_EQ(doc.Paragraphs[1].Align, raLeft);
    const auto& title = doc.Paragraphs[0].Runs.at(0);
    EXPECT_TRUE(title.Format.Bold);
    EXPECT_EQ(title.Format.HalfPoints, 28);
    const auto& runs = doc.Paragraphs[1].Runs;
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].Text, QStringLiteral("red"));
    EXPECT_EQ(runs[0].Format.Colour, 1);
    EXPECT_EQ(runs[0].Format.Font, 1);
    EXPECT_EQ(runs[0].Format.HalfPoints, 20);
    EXPECT_TRUE(runs[1].Format.Italic);
    EXPECT_EQ(runs[1].Format.Colour, 2);
    EXPECT_TRUE(runs[2].Format.Underline);
    EXPECT_TRUE(runs[3].Format.StrikeOut);
    EXPECT_EQ(runs[4].Format, TRtfCharFormat{});
}

namespace
{
const QByteArray Doc =
    "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red200\\green0\\blue0;}"
    "\\f0\\fs40\\cf1 MMMM\\par}";

QImage Render(QWidget& w)
{
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::black);
    w.render(&img);
    return img;
}
} // namespace

TEST(RTFLabel, UpdatesNestAndEndOnlyOnce)
{
    testapp::EnsureApp();
    QWidget parent;
    TRTFLabel label(&parent);
    EXPECT_EQ(label.Version(), QStringLiteral("1.3.1.0"));
    label.SetRichText(Doc);
    label.EndUpdate(); // without a BeginUpdate: nothing
    EXPECT_EQ(label.RichText(), Doc);
    EXPECT_EQ(label.UpdateCount(), 0);
    label.BeginUpdate();
    label.BeginUpdate();
    TRichEdit* edit = label.GetRTF();
    ASSERT_NE(edit, nullptr);
    edit->setPlainText(QStringLiteral("edited {text}"));
    label.EndUpdate();
    EXPECT_EQ(label.RichText(), Doc); // the inner end changes nothing
    label.EndUpdate();
    EXPECT_EQ(ReadRtf(label.RichText()).PlainText(), QStringLiteral("edited {text}"));
    // Without a parent there is no rich edit to give.
    TRTFLabel alone;
    EXPECT_EQ(alone.GetRTF(), nullptr);
}

TEST(RTFLabel, RoundTripsKeepTheBytes)
{
    testapp::EnsureApp();
    TRichEdit a, b;
    QByteArray odd = Doc;
    odd.insert(6, "\\unknownword42 ");
    a.LoadRTF(odd);
    TRTFLabel label;
    label.CopyFromRichEdit(a);
    label.CopyToRichEdit(b);
    EXPECT_EQ(b.SaveRTF(), odd);
    EXPECT_EQ(b.toPlainText(), QStringLiteral("MMMM"));
    // One byte per character: the low 8 bits.
    label.SetRichTextChars(QString::fromUtf8("{\\rtf1 \u0141x}"));
    EXPECT_EQ(label.RichText(), QByteArray("{\\rtf1 Ax}"));
    EXPECT_EQ(PlainTextToRtf(QStringLiteral("a{b}\n\u4E2D")),
              QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Tahoma;}}\\f0\\fs16 "
                         "a\\{b\\}\\par\n\\u20013?}"));
}

TEST(RTFLabel, BackgroundTextAndUpdates)
{
    testapp::EnsureApp();
    QWidget parent;
    parent.resize(200, 80);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 0));
    parent.setPalette(pal);
    TRTFLabel label(&parent);
    label.SetBounds(0, 0, 200, 80);
    label.SetColor(fw::clYellow);
    label.SetRichText(Doc);
    QImage opaque = Render(label);
    EXPECT_EQ(opaque.pixelColor(190, 70), QColor(255, 255, 0));
    bool red = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            red |= opaque.pixelColor(x, y).red() > 150 && opaque.pixelColor(x, y).green() < 60;
    EXPECT_TRUE(red);
    label.SetTransparent(true);
    EXPECT_EQ(Render(label).pixelColor(190, 70), QColor(0, 128, 0));
    // Inside an update only the background is drawn.
    label.SetTransparent(false);
    label.BeginUpdate();
    const QImage held = Render(label);
    for (int y = 0; y < 80; y += 4)
        for (int x = 0; x < 200; x += 4)
            ASSERT_EQ(held.pixelColor(x, y), QColor(255, 255, 0));
    label.EndUpdate();
}

TEST(RTFLabel, PrintsToPdf)
{
    testapp::EnsureApp();
    QWidget parent;
    TRTFLabel label(&parent);
    label.SetRichText(Doc);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = dir.filePath(QStringLiteral("doc.pdf"));
    printer.setOutputFileName(file);
    ASSERT_TRUE(label.PrintTo(printer, QStringLiteral("Serial commands")));
    EXPECT_EQ(printer.docName(), QStringLiteral("Serial commands"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
}
