#include "controls/smooth/RTFLabel.h"

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace fx
{

void BuildTextDocument(const TRtfDocument& rtf, QTextDocument& doc)
{
    doc.clear();
    doc.setDocumentMargin(0);
    QTextCursor cursor(&doc);
    bool first = true;
    for (const TRtfParagraph& p : rtf.Paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(p.Align == raCenter    ? Qt::AlignHCenter
                           : p.Align == raRight   ? Qt::AlignRight
                           : p.Align == raJustify ? Qt::AlignJustify
                                                  : Qt::AlignLeft);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        for (const TRtfRun& r : p.Runs) {
            QTextCharFormat f;
            const TRtfFont* font = rtf.FontByNumber(r.Format.Font);
            f.setFontFamilies({fw::SubstituteFamily(
                font && !font->Name.isEmpty() ? font->Name : QStringLiteral("Tahoma"))});
            f.setFontPointSize(r.Format.HalfPoints / 2.0);
            f.setFontWeight(r.Format.Bold ? QFont::Bold : QFont::Normal);
            f.setFontItalic(r.Format.Italic);
            f.setFontUnderline(r.Format.Underline);
            f.setFontStrikeOut(r.Format.StrikeOut);
            const std::size_t c = std::size_t(std::max(0, r.Format.Colour));
            const QColor colour = c < rtf.Colours.size() ? rtf.Colours[c] : QColor();
            f.setForeground(colour.isValid() ? colour : QColor(Qt::black));
            cursor.insertText(r.Text, f);
        }
    }
}

QByteArray RtfEscape(const QString& text)
{
    QByteArray out;
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u'\n' || u == 0x2029) {
            out += "\\par\n";
        } else if (u == 0x2028) {
            out += "\\line ";
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else if (u >= 0x20) {
            out += "\\u" + QByteArray::number(int(short(u))) + '?';
        }
    }
    return out;
}

QByteArray PlainTextToRtf(const QString& text)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Tahoma;}}\\f0\\fs16 " + RtfEscape(text) +
           '}';
}

// ---------------------------------------------------------------------------------------------------

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {}

void TRichEdit::LoadRTF(const QByteArray& bytes)
{
    FLoaded = bytes;
    if (PlainText) {
        setPlainText(QString::fromLatin1(bytes));
    } else {
        QTextDocument* doc = document();
        BuildTextDocument(ReadRtf(bytes), *doc);
    }
    document()->setModified(false);
    FLoadedText = toPlainText();
}

QByteArray TRichEdit::SaveRTF() const
{
    // Unchanged, the document goes back as the bytes it came in.
    if (!document()->isModified() && toPlainText() == FLoadedText)
        return FLoaded;
    return PlainTextToRtf(toPlainText());
}

void TRichEdit::Clear()
{
    clear();
    FLoaded.clear();
    FLoadedText.clear();
    document()->setModified(false);
}

// ---------------------------------------------------------------------------------------------------

TRTFLabel::TRTFLabel(QWidget* parent) : TControl(parent), FRichEdit(new TRichEdit)
{
    // The hidden rich edit has no parent but while an operation uses it; it is the label's to free.
    FRichEdit->setVisible(false);
    FRichEdit->resize(10, 10);
    FRichEdit->setLineWrapMode(QTextEdit::NoWrap);
    FRichEdit->setFrameStyle(0);
}

TRTFLabel::~TRTFLabel()
{
    delete FRichEdit;
}

QString TRTFLabel::Version() const
{
    const int v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4")
        .arg((v >> 24) & 0xFF)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

void TRTFLabel::SetRichTextChars(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text)
        bytes += char(ch.unicode() & 0xFF);
    FRichText = bytes;
}

void TRTFLabel::SetWordWrap(bool v)
{
    FWordWrap = v;
    FRichEdit->setLineWrapMode(v ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TRTFLabel::SetTransparent(bool v)
{
    if (v != FTransparent) {
        FTransparent = v;
        update();
    }
}

void TRTFLabel::EndUpdate()
{
    if (FUpdateCount <= 0)
        return;
    if (--FUpdateCount == 0)
        ShowRTF();
}

TRichEdit* TRTFLabel::GetRTF()
{
    if (!parentWidget())
        return nullptr;
    FRichEdit->Clear();
    return FRichEdit;
}

void TRTFLabel::ShowRTF()
{
    if (!parentWidget())
        return;
    FRichText = FRichEdit->SaveRTF();
    update();
}

void TRTFLabel::CopyFromRichEdit(const TRichEdit& edit)
{
    FRichText = edit.SaveRTF();
    update();
}

void TRTFLabel::CopyToRichEdit(TRichEdit& edit) const
{
    edit.PlainText = false;
    edit.LoadRTF(FRichText);
}

bool TRTFLabel::Print(const QString& caption)
{
    if (!parentWidget())
        return false;
    QPrinter printer;
    return PrintTo(printer, caption);
}

bool TRTFLabel::PrintTo(QPrinter& printer, const QString& caption)
{
    printer.setDocName(caption);
    QTextDocument doc;
    BuildTextDocument(ReadRtf(FRichText), doc);
    doc.setPageSize(printer.pageRect(QPrinter::DevicePixel).size());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.end();
    doc.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

void TRTFLabel::RenderRTF(QPainter& painter, const QRect& r)
{
    const QColor back = FTransparent && parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                                       : fw::ToQColor(Color());
    painter.fillRect(r, back);
    QTextDocument doc;
    BuildTextDocument(ReadRtf(FRichText), doc);
    // A fixed margin of one pixel, as the document is placed.
    const QRect inner = r.adjusted(1, 1, 0, 0);
    if (FWordWrap)
        doc.setTextWidth(inner.width());
    painter.save();
    painter.setClipRect(inner);
    painter.translate(inner.topLeft());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, 0, inner.width(), inner.height());
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

void TRTFLabel::PaintTo(QPainter& painter)
{
    RenderRTF(painter, rect());
}

void TRTFLabel::Paint(fw::TCanvas& canvas)
{
    QPainter& p = canvas.Painter();
    if (!FTransparent)
        p.fillRect(rect(), fw::ToQColor(Color()));
    if (FUpdateCount > 0 || FPainting)
        return;
    FPainting = true;
    RenderRTF(p, rect());
    FPainting = false;
}

} // namespace fx
