// TRTFLabel: a label showing a rich-text (RTF) document kept as its bytes, unchanged, so that the
// document travels with the form and comes back byte for byte. It renders the document through our
// RTF reader into its canvas, prints it, and exchanges it with a rich edit (TRichEdit). The label owns
// its hidden rich edit. UI thread only.
#pragma once

#include "controls/smooth/RtfReader.h"
#include "framework/Control.h"

#include <QByteArray>
#include <QTextEdit>

class QPagedPaintDevice;
class QPrinter;
class QTextDocument;

namespace fx
{

// A rich edit: shows an RTF document and gives back the bytes it was loaded with; once its text was
// edited, it saves that text as a plain RTF document (the formatting is not written).
class TRichEdit : public QTextEdit
{
  public:
    explicit TRichEdit(QWidget* parent = nullptr);
    bool PlainText = false;
    void LoadRTF(const QByteArray& bytes);
    QByteArray SaveRTF() const;
    void Clear();

  private:
    QByteArray FLoaded;
    QString FLoadedText;
};

// The document of RTF bytes as a text document: fonts through the font substitutions, sizes in points,
// colours of the table (the automatic one: black), paragraphs with their alignment.
void BuildTextDocument(const TRtfDocument& rtf, QTextDocument& doc);
// A plain text as an RTF document of our own (Windows-1252, \u for other characters).
QByteArray PlainTextToRtf(const QString& text);
// Text for the body of such a document: "\", "{" and "}" escaped, line breaks as paragraphs, tabs,
// characters outside ASCII as \u with "?" for readers without Unicode; other control characters go.
QByteArray RtfEscape(const QString& text);

class TRTFLabel : public fw::TControl
{
  public:
    explicit TRTFLabel(QWidget* parent = nullptr);
    ~TRTFLabel() override;

    const QByteArray& RichText() const { return FRichText; }
    // Stored as given; no repaint.
    void SetRichText(const QByteArray& bytes) { FRichText = bytes; }
    // One byte per character: its low 8 bits.
    void SetRichTextChars(const QString& text);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    QString Version() const;
    void SetVersion(const QString&) {}
    virtual int GetVersionNr() const { return (1 << 24) | (3 << 16) | (1 << 8); }

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // The hidden rich edit, emptied for editing; null without a parent.
    TRichEdit* GetRTF();
    // Takes the hidden rich edit's document and repaints.
    void ShowRTF();
    void CopyFromRichEdit(const TRichEdit& edit);
    void CopyToRichEdit(TRichEdit& edit) const;
    // Prints the document through the printer dialog's default printer, with the caption as the job's
    // title; false when there is nothing to print on or the printer fails.
    bool Print(const QString& caption);
    bool PrintTo(QPrinter& printer, const QString& caption);
    // Renders the document into the client rectangle on any painter.
    void PaintTo(QPainter& painter);
    int UpdateCount() const { return FUpdateCount; }

  protected:
    void Paint(fw::TCanvas& canvas) override;

  private:
    void RenderRTF(QPainter& painter, const QRect& r);
    QByteArray FRichText;
    TRichEdit* FRichEdit;
    int FUpdateCount = 0;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FPainting = false;
};

} // namespace fx
