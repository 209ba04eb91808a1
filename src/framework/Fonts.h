// Fonts of the framework: TFont is a value-like owned sub-object (a control owns its TFont and
// assigns into it); OnChange lets the owner repaint. Family names of the original layouts are mapped
// once to the installed metric-compatible faces. Text metrics go through one replaceable seam so that
// layout tests can fix them. UI thread only.
#pragma once

#include "framework/Colors.h"
#include "framework/Property.h"

#include <QFont>
#include <QString>
#include <functional>

namespace fw
{

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont : public TPersistent
{
  public:
    TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    void Assign(const TFont& source);

    const QString& Name() const { return FName; }
    void SetName(const QString& value);
    // Size in points (96 dpi: Height = -Size * 96 / 72, rounded).
    int Size() const;
    void SetSize(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    int Charset() const { return FCharset; }
    void SetCharset(int value);
    // Escapement in tenths of a degree, counter-clockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int value);

    // Charset, Color, Height, Name, Orientation and Style, as property files hold a font.
    const TPropertyTable& PropertyTable() const override;

    QFont ToQFont() const;
    bool operator==(const TFont& other) const;

    std::function<void(TFont*)> OnChange;

  private:
    void Changed();
    QString FName;
    int FHeight;
    TColor FColor;
    TFontStyles FStyle;
    int FCharset;
    int FOrientation;
    // The last QFont built, kept while name, height and style stay the same.
    mutable QFont FQFont;
    mutable QString FQFontName;
    mutable int FQFontHeight = 0;
    mutable TFontStyles FQFontStyle = 0;
    mutable bool FQFontValid = false;
};

// The installed family standing in for a family name of the layouts (Tahoma, Arial, …).
QString SubstituteFamily(const QString& family);
// Registers the substitutions with Qt once (called by the first TFont; harmless to call again).
void InstallFontSubstitutions();

// The seam for text metrics. Tests may install their own; nullptr restores the default.
class TextMetrics
{
  public:
    virtual ~TextMetrics() = default;
    virtual int Width(const QFont& font, const QString& text) const;
    virtual int Height(const QFont& font) const;
    virtual int Ascent(const QFont& font) const;
};
const TextMetrics& CurrentTextMetrics();
void SetTextMetrics(const TextMetrics* metrics);
// True while the default metrics (the fonts' own) are in use: their results may be kept.
bool DefaultTextMetrics();

} // namespace fw
