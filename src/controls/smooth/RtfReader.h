// Our reader of the rich-text (RTF) subset the documents use: groups, the font and colour tables, the
// code page (Windows-1252 or GBK) with \'hh bytes and \u characters, paragraphs and line breaks, tabs,
// alignment, bold, italic, underline, strike-out, font, size and colour. Other destinations are
// skipped. Any bytes read to a document (bad ones included), never past the input; nesting deeper than
// a bound is skipped. Pure functions, any thread.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <vector>

namespace fx
{

struct TRtfCharFormat {
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
    int Font = 0;        // index into the font table (by \f number)
    int HalfPoints = 24; // \fs
    int Colour = 0;      // index into the colour table; 0 is the automatic colour
    bool operator==(const TRtfCharFormat&) const = default;
};

struct TRtfRun {
    QString Text;
    TRtfCharFormat Format;
};

enum TRtfAlign { raLeft, raCenter, raRight, raJustify };

struct TRtfParagraph {
    TRtfAlign Align = raLeft;
    std::vector<TRtfRun> Runs;
};

struct TRtfFont {
    int Number = 0;
    QString Name;
    int Charset = 0;
};

struct TRtfDocument {
    bool IsRtf = false; // the bytes began with "{\rtf"
    std::vector<TRtfFont> Fonts;
    std::vector<QColor> Colours; // entry 0 is the automatic colour (invalid QColor)
    std::vector<TRtfParagraph> Paragraphs;
    // The font of a \f number, or null.
    const TRtfFont* FontByNumber(int number) const;
    QString PlainText() const;
};

TRtfDocument ReadRtf(const QByteArray& bytes);

} // namespace fx
