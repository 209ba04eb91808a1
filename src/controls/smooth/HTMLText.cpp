#include "controls/smooth/HTMLText.h"

#include "controls/smooth/PictureContainer.h"
#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "framework/gdiplus/GdiPlusObjects.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <optional>

namespace fx
{

namespace
{

// Stands for an "&" that an entity gave, so that it starts no second entity.
constexpr char16_t AmpMark = 0xFDD0;
// Bounds of the markup's numbers: sizes, indents, picture sizes and list levels.
constexpr int MaxNumber = 32767;
constexpr int MaxPointSize = 1000;
constexpr int MaxListLevel = 1000;
constexpr int BulletWidth = 12;

struct TEntity {
    const char* Name;
    char16_t Ch;
};
const TEntity WholeTextEntities[] = {{"&amp;", AmpMark},   {"&quot;", u'"'},    {"&sect;", 0xA7},
                                     {"&permil;", 0x2030}, {"&reg;", 0xAE},     {"&copy;", 0xA9},
                                     {"&para;", 0xB6},     {"&trade;", 0x2122}, {"&euro;", 0x20AC}};
const TEntity ChunkEntities[] = {{"&nbsp;", u' '}, {"&lt;", u'<'}, {"&gt;", u'>'}};

template <std::size_t N> QString DecodeEntities(const QString& text, const TEntity (&table)[N])
{
    if (!text.contains(u'&'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        bool found = false;
        if (text[i] == u'&')
            for (const TEntity& e : table) {
                const QLatin1StringView name(e.Name);
                if (QStringView(text).mid(i).startsWith(name, Qt::CaseInsensitive)) {
                    out += QChar(e.Ch);
                    i += name.size();
                    found = true;
                    break;
                }
            }
        if (!found)
            out += text[i++];
    }
    return out;
}

QString Unmark(QString s)
{
    return s.replace(QChar(AmpMark), u'&');
}

struct TNamedColour {
    const char* Name;
    fw::TColor Value;
};
const TNamedColour ColourNames[] = {
    {"clred", 0x0000FF},
    {"clblack", 0x000000},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
    {"clbackground", fw::SysColor(1)},
    {"clactivecaption", fw::SysColor(2)},
    {"clinactivecaption", fw::SysColor(3)},
    {"clmenu", fw::SysColor(4)},
    {"clwindow", fw::SysColor(5)},
    {"clwindowframe", fw::SysColor(6)},
    {"clmenutext", fw::SysColor(7)},
    {"clwindowtext", fw::SysColor(8)},
    {"clcaptiontext", fw::SysColor(9)},
    {"clactiveborder", fw::SysColor(10)},
    {"clinactiveborder", fw::SysColor(11)},
    {"clappworkspace", fw::SysColor(12)},
    {"clhighlight", fw::SysColor(13)},
    {"clhighlighttext", fw::SysColor(14)},
    {"clbtnface", fw::SysColor(15)},
    {"clbtnshadow", fw::SysColor(16)},
    {"clgraytext", fw::SysColor(17)},
    {"clbtntext", fw::SysColor(18)},
    {"clinactivecaptiontext", fw::SysColor(19)},
    {"clbtnhighlight", fw::SysColor(20)},
    {"cl3ddkshadow", fw::SysColor(21)},
    {"cl3dlight", fw::SysColor(22)},
    {"clinfotext", fw::SysColor(23)},
    {"clinfobk", fw::SysColor(24)},
};

int HexPair(const QString& s, qsizetype at)
{
    if (at + 2 > s.size())
        return 0;
    bool ok = false;
    const int v = s.mid(at, 2).toInt(&ok, 16);
    return ok && v >= 0 && v <= 255 && s[at].isLetterOrNumber() && s[at + 1].isLetterOrNumber() ? v : 0;
}

// The value of an attribute: the text between the first two double quotes from `from` on; empty
// without them.
QString Quoted(const QString& tag, qsizetype from)
{
    const qsizetype q1 = tag.indexOf(u'"', from);
    if (q1 < 0)
        return QString();
    const qsizetype q2 = tag.indexOf(u'"', q1 + 1);
    return q2 < 0 ? QString() : Unmark(tag.mid(q1 + 1, q2 - q1 - 1));
}

// An attribute found by a case-insensitive search of its name anywhere in the tag; `skip` characters
// after the name are passed over before the quotes are looked for. Empty optional when the name is not
// there.
std::optional<QString> Attribute(const QString& tag, const QString& name, int skip = 0)
{
    const qsizetype at = tag.indexOf(name, 0, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    return Quoted(tag, at + name.size() + skip);
}

std::optional<int> Number(const std::optional<QString>& text)
{
    if (!text)
        return std::nullopt;
    bool ok = false;
    const qlonglong v = text->trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return int(std::clamp<qlonglong>(v, -MaxNumber, MaxNumber));
}

// The working font and colours carried from line to line.
struct TState {
    QString FontName;
    int PointSize = 8;
    fw::TFontStyles Style = 0;
    fw::TColor Color = fw::clBlack;
    fw::TColor Bk = fw::clNone;
    bool LinkOpen = false;
    bool LinkHovered = false;
    QString Href;
    int LinkCount = 0;
    int ImageCount = 0;
    int ListLevel = 0;
    bool Shadow = false, Hidden = false, Error = false;
    fw::TColor HiColor = fw::clBlack, HiBk = fw::clNone;
    fw::TColor FontBk = fw::clNone;
    fw::TColor LinkColor = fw::clBlack, LinkBk = fw::clNone;
    int Align = 0; // 0 left, 1 right, 2 centre
    int ParaIndent = 0;
    int LineIndent = 0;
    int NextIndent = 0; // the line indent the following lines take after this line's drawing pass
};

// One line of one pass.
struct TLine {
    fw::TRect Box{};
    int W = 0;
    int H = 0;
    int X = 0; // drawing position
    bool Sub = false, Sup = false;
    int SubH = 0, SupH = 0;
    int TextOffset = 0;
    bool End = false, Refused = false;
    bool ListItem = false;
    bool HasText = false, EndsInSpace = false;
    int LinkLeft = 0;
    bool LinkUnderPoint = false;
};

const THTMLMetrics* FMetrics = nullptr;

const THTMLMetrics& Metrics()
{
    static const THTMLMetrics surface;
    return FMetrics ? *FMetrics : surface;
}

class TRenderer
{
  public:
    TRenderer(gp::TGPGraphics* g, const fw::TFont& font, const fw::TRect& rect, const THTMLDrawParams& p,
              THTMLDrawResult& r)
        : G(g), Start(font), Rect(rect), P(p), R(r)
    {
        S.FontName = font.Name();
        S.PointSize = font.Size();
        S.Style = font.Style();
        S.Color = font.Color();
        S.HiColor = S.LinkColor = S.Color;
    }

    void Run(const QString& text);

  private:
    void MakeFont(fw::TFont& f) const
    {
        f.SetName(S.FontName);
        f.SetSize(std::max(1, S.PointSize));
        f.SetStyle(S.Style);
        f.SetColor(S.Color);
    }
    int TextHeight(const QString& text) const
    {
        MakeFont(FMeasureFont);
        return Metrics().Height(*G, text, FMeasureFont);
    }
    int GhHeight() const { return TextHeight(QStringLiteral("gh")); }
    int TextWidth(const QString& text) const
    {
        MakeFont(FMeasureFont);
        return std::max(0, Metrics().Width(*G, text, FMeasureFont));
    }
    bool Painting(bool draw) const { return draw && !P.HitTestOnly && !P.MeasureOnly; }
    QPainter* Painter() const { return G->Native() ? G->Native()->p : nullptr; }

    // `rest` views the prepared text; each step moves its start past what it took.
    void Line(QStringView& rest, bool draw, TLine& l);
    bool Chunk(QStringView& rest, QStringView raw, bool draw, TLine& l);
    void DrawChunk(const QString& text, int cw, int h, QStringView following, TLine& l);
    void Tag(QStringView& rest, bool draw, TLine& l);
    void OpenTag(const QString& tag, const QString& up, bool draw, TLine& l, bool& keep);
    void CloseTag(const QString& tag, const QString& up, bool draw, TLine& l);
    void Picture(const QString& tag, const QString& up, bool draw, TLine& l, bool& keep);
    void ListItem(const QString& up, bool draw, TLine& l, bool& keep);
    void Fill(fw::TColor c, int x, int y, int w, int h, bool ellipse);

    gp::TGPGraphics* G;
    const fw::TFont& Start;
    fw::TRect Rect;
    const THTMLDrawParams& P;
    THTMLDrawResult& R;
    TState S;
    int HoverPicture = -1;          // the picture under the point, found by a measuring pass
    mutable fw::TFont FMeasureFont; // the working font, for measuring only
};

void TRenderer::Run(const QString& text)
{
    const QString prepared = PrepareHTMLText(text);
    QStringView rest = prepared;
    if (rest.isEmpty()) {
        R.Height = GhHeight() + 2;
        return;
    }
    fw::TRect lineRect = Rect;
    lineRect.Left += 1;
    int top = Rect.Top;
    int height = 0;
    while (!rest.isEmpty()) {
        const TState saved = S;
        const int gh = GhHeight();
        TLine m;
        m.H = gh;
        m.Box = lineRect;
        m.Box.Top = top;
        m.X = lineRect.Left + S.LineIndent;
        const QStringView before = rest;
        Line(rest, false, m);
        if (rest.size() == before.size()) {
            // A line that took nothing cannot happen by the rules; never loop on one.
            rest = rest.sliced(1);
            continue;
        }
        const QStringView consumed = before.first(before.size() - rest.size());
        if (!rest.isEmpty())
            m.H += std::clamp(P.LineSpacing, 0, MaxNumber);
        fw::TRect box = lineRect;
        box.Top = top;
        if (S.Align == 1 && box.Right - m.W > box.Left)
            box.Left = box.Right - m.W;
        else if (S.Align == 2 && box.Right - box.Left - m.W > 0)
            box.Left += (box.Right - box.Left - m.W) / 2;
        box.Left += S.ParaIndent;
        box.Bottom = top + m.H + m.SubH + m.SupH;
        if (!P.MeasureOnly) {
            S = saved;
            TLine d;
            d.H = m.H;
            d.SubH = m.SubH;
            d.SupH = m.SupH;
            d.TextOffset = m.TextOffset;
            d.Box = box;
            d.X = box.Left + S.LineIndent;
            d.LinkLeft = box.Left;
            QStringView again = consumed;
            Line(again, true, d);
            S.LineIndent = S.NextIndent;
        }
        const int step = m.H + m.SubH + m.SupH;
        top += step;
        height += step;
        if (!P.MeasureOnly && top + gh > Rect.Bottom)
            break;
    }
    R.Height = height + 2;
    R.LinkCount = S.LinkCount;
}

void TRenderer::Line(QStringView& rest, bool draw, TLine& l)
{
    while (!rest.isEmpty() && !l.End && !l.Refused) {
        const qsizetype lt = rest.indexOf(u'<');
        QStringView chunk;
        const qsizetype sp = P.WordWrap ? rest.indexOf(u' ') : -1;
        if (sp >= 0 && (lt < 0 || sp < lt))
            chunk = rest.left(sp + 1);
        else
            chunk = lt >= 0 ? rest.left(lt) : rest;
        if (!chunk.isEmpty() && !Chunk(rest, chunk, draw, l)) {
            l.End = true;
            break;
        }
        if (!rest.isEmpty() && rest[0] == u'<')
            Tag(rest, draw, l);
    }
    if (R.Width < l.W)
        R.Width = l.W + 2;
}

bool TRenderer::Chunk(QStringView& rest, QStringView raw, bool draw, TLine& l)
{
    const QString text = DecodeChunk(raw.toString());
    // A font of no size shows nothing and takes no room.
    if (S.PointSize <= 0) {
        rest = rest.sliced(raw.size());
        return true;
    }
    const int h = TextHeight(text);
    if (l.Sub && unsigned(l.SubH) < unsigned(h / 4))
        l.SubH = h / 2;
    if (l.Sup && unsigned(l.SupH) < unsigned(h / 4))
        l.SupH = h / 2;
    l.H = std::max(l.H, h);
    if (!draw)
        R.PlainText += text;
    if (S.Hidden) {
        rest = rest.sliced(raw.size());
        return true;
    }
    const int cw = text == QStringLiteral(" ") ? 0 : TextWidth(text);
    l.W += cw;
    const int avail = (Rect.Right - Rect.Left - 1) - S.LineIndent;
    // A chunk wider than the room fits on a line that holds no text yet, so that it gets a line of its own.
    const bool fits =
        !P.WordWrap || l.W <= avail || (cw >= avail && !l.HasText) || (l.HasText && !l.EndsInSpace);
    if (!fits) {
        l.W -= cw;
        return false;
    }
    rest = rest.sliced(raw.size());
    if (draw)
        DrawChunk(text, cw, h, rest, l);
    l.X += cw;
    l.HasText = true;
    l.EndsInSpace = text.endsWith(u' ');
    return true;
}

void TRenderer::DrawChunk(const QString& text, int cw, int h, QStringView following, TLine& l)
{
    if (S.LinkOpen && P.X >= l.X && P.X <= l.X + cw) {
        const int gh = GhHeight();
        const int bottom = l.Box.Bottom - l.TextOffset;
        if (P.Y > bottom - gh && P.Y < bottom) {
            R.Hit = true;
        }
        if (P.Y > l.Box.Top && P.Y < l.Box.Top + gh) {
            R.HoverHref = S.Href;
            l.LinkUnderPoint = true;
        }
    }
    if (!Painting(true) || text == QStringLiteral(" "))
        return;
    int top = l.Box.Top;
    if (l.Sup)
        top -= l.SupH / 2;
    if (l.Sub)
        top += l.SubH / 2;
    QString shown = text;
    if (S.Style & fw::fsUnderline) {
        QStringView after = following;
        const qsizetype sp = after.indexOf(u' ');
        if (sp >= 0) {
            after = after.left(sp + 1);
            const qsizetype lt = after.indexOf(u'<');
            if (lt >= 0)
                after = after.left(lt);
        }
        const QString from = text + following.toString();
        const qsizetype close = from.indexOf(QStringLiteral("</A"), 0, Qt::CaseInsensitive);
        const qsizetype space = from.indexOf(u' ');
        if (!after.isEmpty() && close >= 0 && space >= 0 && space < close)
            shown += u'_';
    }
    fw::TFont f;
    MakeFont(f);
    if (S.Shadow) {
        const int off = std::clamp(P.ShadowOffset, -MaxNumber, MaxNumber);
        fw::TFont sf;
        MakeFont(sf);
        sf.SetColor(P.ShadowColor);
        fw::TRect r{l.X + off, top + off, l.Box.Right + off, l.Box.Bottom + off};
        G->DrawText(shown, int(shown.size()), S.Bk, 0, sf, r);
    }
    fw::TRect r{l.X, top, l.Box.Right, l.Box.Bottom};
    G->DrawText(shown, int(shown.size()), S.Bk, 0, f, r);
    // The drawing font carries no strike-out: it is drawn here.
    if (S.Style & fw::fsStrikeOut) {
        gp::TGPPen pen(gp::OpaqueArgbFromColor(S.Color), 1);
        G->DrawLine(&pen, gp::REAL(l.X), gp::REAL(top + h / 2), gp::REAL(l.X + cw), gp::REAL(top + h / 2));
    }
    if (S.Error) {
        const int b = l.Box.Bottom - l.SubH;
        // A fixed function of x, so that the zigzags of neighbouring chunks join.
        const auto zig = [b](int x) { return ((x % 4) + 4) % 4 == 0 ? b - 4 : b - 2; };
        gp::TGPPen pen(gp::OpaqueArgb(255, 0, 0), 1);
        // Only where it can show: within the layout rectangle.
        const int right = std::min(l.X + cw, Rect.Right + 4);
        for (int x = (std::max(l.X, Rect.Left - 4) / 2) * 2;; x += 2) {
            G->DrawLine(&pen, gp::REAL(x), gp::REAL(zig(x)), gp::REAL(x + 2), gp::REAL(zig(x + 2)));
            if (x >= right)
                break;
        }
    }
}

void TRenderer::Tag(QStringView& rest, bool draw, TLine& l)
{
    if (rest.size() < 3 && !rest.contains(u'>')) {
        rest = rest.sliced(1);
        return;
    }
    const qsizetype gt = rest.indexOf(u'>');
    const QString tag = (gt < 0 ? rest : rest.first(gt + 1)).toString();
    const QString up = tag.toUpper();
    bool keep = false;
    if (up.startsWith(QStringLiteral("</")))
        CloseTag(tag, up, draw, l);
    else
        OpenTag(tag, up, draw, l, keep);
    if (!keep)
        rest = rest.sliced(tag.size());
}

void TRenderer::OpenTag(const QString& tag, const QString& up, bool draw, TLine& l, bool& keep)
{
    const QChar c0 = up.size() > 1 ? up[1] : QChar();
    const QChar c1 = up.size() > 2 ? up[2] : QChar();
    const bool paint = draw && !P.Selected;
    switch (c0.unicode()) {
    case u'A': {
        ++S.LinkCount;
        S.LinkOpen = true;
        S.Href = Quoted(tag, 0);
        S.LinkHovered = S.LinkCount == P.HoverLink;
        l.LinkLeft = l.X;
        l.LinkUnderPoint = false;
        if (draw && S.LinkCount - 1 == P.FocusLink)
            R.FocusHref = S.Href;
        if (draw && (!P.HoverStyle || S.LinkHovered)) {
            S.Style |= fw::fsUnderline;
            if (P.HoverColor != fw::clNone) {
                S.LinkBk = S.Bk;
                S.Bk = P.HoverColor;
            }
            if (P.HoverTextColor != fw::clNone) {
                S.LinkColor = S.Color;
                S.Color = P.HoverTextColor;
            }
        }
        if (!P.Selected && !(P.HoverStyle && S.LinkHovered && P.HoverTextColor != fw::clNone))
            S.Color = P.URLColor;
        break;
    }
    case u'B':
        if (up == QStringLiteral("<B>")) {
            S.Style |= fw::fsBold;
        } else if (c1 == u'R') {
            l.End = true;
            if (!draw)
                R.PlainText += u'\r';
        } else if (c1 == u'L') {
            if (!P.Blink)
                S.Color = fw::clWhite;
        } else if (c1 == u'O') {
            const auto bg = Attribute(up, QStringLiteral("BGCOLOR"));
            if (paint && bg) {
                if (up.contains(QStringLiteral("BGCOLORTO")))
                    S.Bk = fw::clNone;
                else
                    S.Bk = S.FontBk = HTMLColor(*bg);
            }
        }
        break;
    case u'E':
        if (draw)
            S.Error = true;
        break;
    case u'F': {
        const QString a = up.mid(5);
        if (const auto face = Attribute(a, QStringLiteral("FACE")))
            S.FontName = *face;
        if (const auto colour = Attribute(a, QStringLiteral(" COLOR")); colour && !P.Selected)
            S.Color = HTMLColor(*colour);
        if (const auto bg = Attribute(a, QStringLiteral("BGCOLOR")); bg && paint) {
            S.FontBk = S.Bk;
            S.Bk = HTMLColor(*bg);
        }
        if (const qsizetype at = a.indexOf(QStringLiteral("SIZE")); at >= 0) {
            const qsizetype eq = a.indexOf(u'=', at);
            std::optional<QString> value;
            if (eq >= 0)
                value = Quoted(a, eq);
            if (const auto n = Number(value)) {
                static const int sizes[5] = {8, 10, 12, 14, 16};
                S.PointSize = *n >= 1 && *n <= 5 ? sizes[*n - 1] : std::min(*n, MaxPointSize);
            }
        }
        break;
    }
    case u'H':
        if (c1 == u'I') {
            if (draw) {
                S.HiColor = S.Color;
                S.HiBk = S.Bk;
                S.Bk = fw::clHighlight;
                S.Color = fw::clHighlightText;
            }
        } else if (c1 == u'R') {
            l.End = true;
            if (Painting(draw)) {
                gp::TGPPen pen(gp::OpaqueArgb(0, 0, 0), 1);
                const int y = l.Box.Bottom - l.SubH + 1;
                G->DrawLine(&pen, gp::REAL(Rect.Left), gp::REAL(y), gp::REAL(Rect.Right), gp::REAL(y));
            }
        }
        break;
    case u'I':
        if (up == QStringLiteral("<I>")) {
            S.Style |= fw::fsItalic;
        } else if (c1 == u'N') {
            if (const auto x = Number(Attribute(tag, QStringLiteral("X"), 1)); x && *x > l.W) {
                l.W = *x;
                l.X = l.Box.Left + *x;
            }
        } else if (c1 == u'M') {
            Picture(tag, up, draw, l, keep);
        }
        break;
    case u'L':
        ListItem(up, draw, l, keep);
        break;
    case u'O':
        if (c1 == u'F')
            if (const auto x = Number(Attribute(tag, QStringLiteral("X"), 1))) {
                const int v = std::max(0, *x);
                l.W = v;
                S.NextIndent = v;
                l.X = l.Box.Left + v;
            }
        break;
    case u'P': {
        if (const auto align = Attribute(up, QStringLiteral("ALIGN"))) {
            if (align->contains(QStringLiteral("RIGHT")))
                S.Align = 1;
            if (align->contains(QStringLiteral("LEFT")))
                S.Align = 0;
            if (align->contains(QStringLiteral("CENTER")))
                S.Align = 2;
        }
        if (const auto indent = Number(Attribute(up, QStringLiteral("INDENT"))))
            S.ParaIndent = std::max(0, *indent);
        if (draw && up.contains(QStringLiteral("BGCOLORTO")))
            S.Bk = fw::clNone;
        break;
    }
    case u'S':
        if (up == QStringLiteral("<S>"))
            S.Style |= fw::fsStrikeOut;
        else if (up == QStringLiteral("<SUB>"))
            l.Sub = true;
        else if (up == QStringLiteral("<SUP>"))
            l.Sup = true;
        else if (c1 == u'H')
            S.Shadow = true;
        break;
    case u'U':
        if (up == QStringLiteral("<U>")) {
            S.Style |= fw::fsUnderline;
        } else {
            S.ListLevel = std::min(S.ListLevel + 1, MaxListLevel);
            l.End = true;
        }
        break;
    case u'Z':
        S.Hidden = true;
        break;
    default:
        break;
    }
}

void TRenderer::CloseTag(const QString&, const QString& up, bool draw, TLine& l)
{
    const QChar c0 = up.size() > 2 ? up[2] : QChar();
    const QChar c1 = up.size() > 3 ? up[3] : QChar();
    switch (c0.unicode()) {
    case u'A':
        S.LinkOpen = false;
        if (!(P.HoverStyle && !S.LinkHovered) && draw) {
            S.Style &= ~fw::TFontStyles(fw::fsUnderline);
            if (P.HoverColor != fw::clNone)
                S.Bk = S.LinkBk;
            if (P.HoverTextColor != fw::clNone)
                S.Color = S.LinkColor;
        }
        if (!P.Selected)
            S.Color = Start.Color();
        if (draw && l.LinkUnderPoint) {
            R.HoverLink = S.LinkCount;
            R.HoverRect = {l.LinkLeft, l.Box.Top, l.X, l.Box.Bottom - l.SubH};
            l.LinkUnderPoint = false;
        }
        break;
    case u'B':
        if (up == QStringLiteral("</B>"))
            S.Style &= ~fw::TFontStyles(fw::fsBold);
        else
            S.Color = Start.Color();
        break;
    case u'E':
        if (draw)
            S.Error = false;
        break;
    case u'F':
        S.FontName = Start.Name();
        S.PointSize = Start.Size();
        if (draw && !P.Selected) {
            S.Color = Start.Color();
            S.Bk = S.FontBk;
        }
        break;
    case u'H':
        if (draw) {
            S.Color = S.HiColor;
            S.Bk = S.HiBk;
        }
        break;
    case u'I':
        S.Style &= ~fw::TFontStyles(fw::fsItalic);
        break;
    case u'L':
        l.End = true;
        break;
    case u'O':
        S.NextIndent = 0;
        break;
    case u'P':
        l.End = true;
        if (draw)
            S.Bk = fw::clNone;
        break;
    case u'S':
        if (c1 == u'U') {
            l.Sub = l.Sup = false;
        } else if (c1 == u'H') {
            S.Shadow = false;
        } else {
            S.Style &= ~fw::TFontStyles(fw::fsStrikeOut);
        }
        break;
    case u'U':
        if (up == QStringLiteral("</U>"))
            S.Style &= ~fw::TFontStyles(fw::fsUnderline);
        else if (S.ListLevel > 0)
            --S.ListLevel;
        else
            S.Style &= ~fw::TFontStyles(fw::fsUnderline);
        break;
    case u'Z':
        S.Hidden = false;
        break;
    default:
        break;
    }
}

void TRenderer::Fill(fw::TColor c, int x, int y, int w, int h, bool ellipse)
{
    gp::TGPSolidBrush brush(gp::OpaqueArgbFromColor(c));
    if (ellipse)
        G->FillEllipse(&brush, gp::REAL(x), gp::REAL(y), gp::REAL(w), gp::REAL(h));
    else
        G->FillRectangle(&brush, gp::REAL(x), gp::REAL(y), gp::REAL(w), gp::REAL(h));
}

void TRenderer::Picture(const QString& tag, const QString& up, bool draw, TLine& l, bool& keep)
{
    ++S.ImageCount;
    QString src = Attribute(tag, QStringLiteral("SRC")).value_or(QString());
    if (S.ImageCount == HoverPicture)
        if (const auto alt = Attribute(tag, QStringLiteral("ALT")))
            src = *alt;
    const int askW = std::max(0, Number(Attribute(up, QStringLiteral("WIDTH"))).value_or(0));
    const int askH = std::max(0, Number(Attribute(up, QStringLiteral("HEIGHT"))).value_or(0));
    int pw = 0, ph = 0;
    enum { None, ListImage, SystemIcon, Container } kind = None;
    int index = -1;
    QIcon icon;
    TFxGDIPPicture* picture = nullptr;
    const QString usrc = src.toUpper();
    if (usrc.startsWith(QStringLiteral("IDX:"))) {
        bool ok = false;
        index = src.mid(4).trimmed().toInt(&ok);
        if (ok && P.Images && index >= 0 && index < P.Images->Count()) {
            kind = ListImage;
            pw = P.Images->Width();
            ph = P.Images->Height();
        }
    } else if (usrc.startsWith(QStringLiteral("SSYS:")) || usrc.startsWith(QStringLiteral("LSYS:"))) {
        kind = SystemIcon;
        pw = ph = usrc.startsWith(u'S') ? 16 : 32;
    } else if (P.PictureContainer && !src.contains(u':')) {
        picture = P.PictureContainer->FindPicture(src);
        if (picture && !picture->Empty()) {
            if (picture->Width() <= 0 || picture->Height() <= 0)
                picture->GetImageSizes();
            kind = Container;
            pw = askW > 0 && askH > 0 ? askW : picture->Width();
            ph = askW > 0 && askH > 0 ? askH : picture->Height();
        }
    }
    if (kind == None)
        return;
    const int rw = Rect.Right - Rect.Left;
    if (l.W + pw > rw && pw < rw) {
        // The line ends before the picture; its tag stays for the next line.
        --S.ImageCount;
        l.Refused = true;
        keep = true;
        return;
    }
    const int top = l.Box.Top;
    if (P.X >= l.X && P.X < l.X + pw && P.Y >= top && P.Y < top + ph) {
        if (!draw)
            HoverPicture = S.ImageCount;
        if (S.LinkOpen && draw)
            R.Hit = true;
    }
    if (Painting(draw)) {
        if (kind == ListImage && !P.Printing) {
            if (QPainter* p = Painter()) {
                fw::TCanvas canvas(*p);
                P.Images->Draw(canvas, l.X, top, index);
            }
        } else if (kind == SystemIcon) {
            // Looked up only to be drawn: the size is the system's icon size either way.
            const QString path = src.mid(5);
            QFileIconProvider provider;
            bool isIndex = false;
            const int n = path.trimmed().toInt(&isIndex);
            if (isIndex)
                icon = provider.icon(QAbstractFileIconProvider::IconType(((n % 7) + 7) % 7));
            else
                icon = provider.icon(QFileInfo(QFileInfo::exists(path) ? path : QFileInfo(path).fileName()));
            if (QPainter* p = Painter()) {
                const double scale = P.Printing ? std::clamp(P.Scale, 0.01, 100.0) : 1.0;
                const int w = int(pw * scale), h = int(ph * scale);
                p->drawPixmap(QRect(l.X, top, w, h), icon.pixmap(pw, ph));
            }
        } else if (kind == Container) {
            picture->GDIPDraw(*G, fw::TRect{l.X, top, l.X + pw, top + ph});
        }
    }
    l.W += pw;
    l.X += pw;
    l.H = std::max(l.H, ph);
    const int gh = GhHeight();
    if (up.contains(QStringLiteral("\"TOP")))
        l.TextOffset = l.H - gh;
    else if (up.contains(QStringLiteral("\"MIDDLE")))
        l.TextOffset = (l.H - gh) / 2;
    if (up.contains(QStringLiteral("WRAP"))) {
        l.H = gh;
        l.TextOffset = 0;
    }
}

void TRenderer::ListItem(const QString& up, bool draw, TLine& l, bool& keep)
{
    if (l.ListItem) {
        l.End = true;
        keep = true;
        return;
    }
    l.ListItem = true;
    const int advance = BulletWidth * S.ListLevel;
    l.W += advance;
    l.X += advance;
    if (!Painting(draw) || S.Hidden)
        return;
    const int x = l.X - BulletWidth, y = l.Box.Top + 2;
    const auto colourText = Attribute(up, QStringLiteral("COLOR"));
    const fw::TColor colour = colourText ? HTMLColor(*colourText) : S.Color;
    const QString type = Attribute(up, QStringLiteral("TYPE")).value_or(QString());
    if (type == QStringLiteral("SQUARE")) {
        Fill(colour, x, y, 8, 8, false);
    } else if (type == QStringLiteral("CIRCLE")) {
        Fill(colour, x, y, 8, 8, true);
    } else if (type == QStringLiteral("IMAGE")) {
        const QString name = Attribute(up, QStringLiteral("NAME")).value_or(QString());
        TFxGDIPPicture* pic = P.PictureContainer ? P.PictureContainer->FindPicture(name) : nullptr;
        if (pic && !pic->Empty()) {
            if (pic->Width() <= 0)
                pic->GetImageSizes();
            pic->GDIPDraw(*G, fw::TRect{x, y, x + pic->Width(), y + pic->Height()});
            if (pic->Width() > BulletWidth)
                l.X += std::min(pic->Width(), MaxNumber) - BulletWidth;
        }
    } else {
        fw::TFont f;
        MakeFont(f);
        f.SetName(QStringLiteral("Symbol"));
        f.SetStyle(0);
        f.SetColor(colour);
        const QString marker = S.ListLevel % 2 == 0 ? QStringLiteral("o") : QString(QChar(0x2022));
        fw::TRect r{x, l.Box.Top, x + BulletWidth, l.Box.Bottom};
        G->DrawText(marker, 1, fw::clNone, 0, f, r);
    }
}

} // namespace

int THTMLMetrics::Width(gp::TGPGraphics& g, const QString& text, const fw::TFont& font) const
{
    fw::TRect r{0, 0, MaxNumber, MaxNumber};
    g.DrawText(text, int(text.size()), fw::clNone, fw::DT_CALCRECT, font, r);
    return r.Right - r.Left;
}

int THTMLMetrics::Height(gp::TGPGraphics& g, const QString& text, const fw::TFont& font) const
{
    return g.TextHeight(text, font);
}

void SetHTMLMetrics(const THTMLMetrics* metrics)
{
    FMetrics = metrics;
}

fw::TColor HTMLColor(const QString& value)
{
    if (value.startsWith(u'#'))
        return fw::TColor(HexPair(value, 1) | (HexPair(value, 3) << 8) | (HexPair(value, 5) << 16));
    const QString name = value.toLower();
    for (const TNamedColour& c : ColourNames)
        if (name == QLatin1StringView(c.Name))
            return c.Value;
    return 0;
}

QString PrepareHTMLText(const QString& text)
{
    QString s = text;
    // A marker character in the input would read as an "&" later: it is not one.
    s.replace(QChar(AmpMark), QChar(0xFFFD));
    s = DecodeEntities(s, WholeTextEntities);
    const qsizetype hash = s.indexOf(QStringLiteral("<#"));
    if (hash >= 0) {
        s.remove(hash, 1);
        const qsizetype gt = s.indexOf(u'>', hash);
        if (gt >= 0)
            s.remove(gt, 1);
    }
    s.replace(u'\r', QStringLiteral("<BR>"));
    s.remove(u'\n');
    return s;
}

QString DecodeChunk(const QString& chunk)
{
    return Unmark(DecodeEntities(chunk, ChunkEntities));
}

bool DrawHTMLText(gp::TGPGraphics* g, const fw::TFont& font, const QString& text, const fw::TRect& rect,
                  const THTMLDrawParams& params, THTMLDrawResult& result)
{
    result = THTMLDrawResult{};
    if (!g)
        return false;
    TRenderer(g, font, rect, params, result).Run(text);
    return result.Hit;
}

} // namespace fx
