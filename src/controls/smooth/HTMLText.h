// DrawHTMLText: lays out, draws, measures and hit-tests a short text with a small HTML-like markup
// (bold, italic, underline, strike-out, fonts, colours, links, line breaks, rules, paragraphs, lists,
// indents, subscript and superscript, shadow, error marking, hidden text, entities and inline pictures
// from an image list, the system's file icons or a picture container) in a rectangle of a
// smooth-drawing surface. Line by line: a measuring pass decides what the line holds, then a drawing
// pass runs over the same markup in the same state. Malformed markup is never an error. Numbers in
// the markup are bounded; a font size of 0 or less draws nothing. UI thread.
#pragma once

#include "framework/Colors.h"
#include "framework/Fonts.h"
#include "framework/Types.h"
#include "framework/gdiplus/GDIPAPI.h"

#include <QString>

namespace fw
{
class TCustomImageList;
}

namespace fx
{

class TGDIPPictureContainer;

struct THTMLDrawParams {
    fw::TCustomImageList* Images = nullptr;
    int X = -1, Y = -1; // the point to hit-test, in the rectangle's coordinates
    int FocusLink = -1; // 0-based
    int HoverLink = -1; // 1-based
    int ShadowOffset = 0;
    bool HitTestOnly = false;
    bool MeasureOnly = false;
    bool Printing = false;
    bool Selected = false;
    bool Blink = false; // the blink phase; when false, text after <BL> is white
    bool HoverStyle = false;
    bool WordWrap = true;
    double Scale = 1.0;
    fw::TColor URLColor = fw::clBlue;
    fw::TColor HoverColor = fw::clNone;
    fw::TColor HoverTextColor = fw::clNone;
    fw::TColor ShadowColor = fw::clGray;
    const TGDIPPictureContainer* PictureContainer = nullptr;
    int LineSpacing = 0;
};

struct THTMLDrawResult {
    bool Hit = false;  // the point lies on a link, or on a picture inside a link
    int Width = 0;     // the widest line + 2
    int Height = 0;    // the line heights + 2
    QString HoverHref; // of the link under the point
    QString FocusHref; // of the focused link
    int LinkCount = 0;
    int HoverLink = -1; // 1-based number of the link under the point
    fw::TRect HoverRect{};
    QString PlainText;
};

// How the renderer measures text: by default on the drawing surface (TextHeight and DrawText's
// measuring); tests and the fuzz target may install fixed metrics.
class THTMLMetrics
{
  public:
    virtual ~THTMLMetrics() = default;
    virtual int Width(gp::TGPGraphics& g, const QString& text, const fw::TFont& font) const;
    virtual int Height(gp::TGPGraphics& g, const QString& text, const fw::TFont& font) const;
};
// nullptr restores the surface's metrics. UI thread.
void SetHTMLMetrics(const THTMLMetrics* metrics);

// Returns THTMLDrawResult::Hit; `g` may only measure when MeasureOnly is set.
bool DrawHTMLText(gp::TGPGraphics* g, const fw::TFont& font, const QString& text, const fw::TRect& rect,
                  const THTMLDrawParams& params, THTMLDrawResult& result);

// The markup's pieces, for tests and the fuzz target.
// A colour value: "#RRGGBB" (hexadecimal pairs; a pair that is short or not hexadecimal gives 0) or a
// colour name ("clred", any case); an unknown name gives black.
fw::TColor HTMLColor(const QString& value);
// The whole text before layout: entities decoded once (a decoded "&" starts no new entity), the first
// "<#" loses its "<" and the ">" after it, carriage returns become <BR>, line feeds go.
QString PrepareHTMLText(const QString& text);
// A chunk's own entities (&nbsp; &lt; &gt;), after the split so that they never open a tag.
QString DecodeChunk(const QString& chunk);

} // namespace fx
