#include "framework/Fonts.h"

#include <QFontMetrics>
#include <QHash>
#include <QStringList>
#include <cmath>
#include <map>
#include <tuple>

namespace fw
{

namespace
{
struct Substitution {
    const char* from;
    const char* to;
};
// No Tahoma-metric face is packaged here, so Tahoma and its kin go to DejaVu Sans.
constexpr Substitution kSubstitutions[] = {
    {"Tahoma", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},
    {"MS Sans Serif", "DejaVu Sans"},
    {"MS Shell Dlg", "DejaVu Sans"},
    {"MS Shell Dlg 2", "DejaVu Sans"},
    {"Segoe UI", "DejaVu Sans"},
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"SimSun", "WenQuanYi Micro Hei"},
    {"NSimSun", "WenQuanYi Micro Hei"},
    {"SimHei", "WenQuanYi Micro Hei"},
    {"Microsoft YaHei", "WenQuanYi Micro Hei"},
    {"PMingLiU", "WenQuanYi Micro Hei"},
    {"MingLiU", "WenQuanYi Micro Hei"},
    {"\u5b8b\u4f53", "WenQuanYi Micro Hei"},
    {"\u65b0\u5b8b\u4f53", "WenQuanYi Micro Hei"},
    {"\u9ed1\u4f53", "WenQuanYi Micro Hei"},
    {"\u5fae\u8f6f\u96c5\u9ed1", "WenQuanYi Micro Hei"},
};
constexpr const char* kCjkFallback = "WenQuanYi Micro Hei";

const TextMetrics* gMetrics = nullptr;

int PointsToHeight(int size)
{
    return -int(std::lround(size * 96.0 / 72.0));
}
} // namespace

QString SubstituteFamily(const QString& family)
{
    for (const auto& s : kSubstitutions)
        if (family.compare(QString::fromUtf8(s.from), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(s.to);
    return family;
}

void InstallFontSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const auto& s : kSubstitutions)
        QFont::insertSubstitutions(QString::fromUtf8(s.from),
                                   {QString::fromUtf8(s.to), QString::fromUtf8(kCjkFallback)});
    for (const char* f : {"DejaVu Sans", "Liberation Sans", "Liberation Serif", "Liberation Mono"})
        QFont::insertSubstitution(QString::fromUtf8(f), QString::fromUtf8(kCjkFallback));
}

TFont::TFont()
    : FName(QStringLiteral("Tahoma")), FHeight(-11), FColor(clWindowText), FStyle(0), FCharset(1),
      FOrientation(0)
{
}

const TPropertyTable& TFont::PropertyTable() const
{
    static const TPropertyTable table = [] {
        TPropertyTable t;
        t.Ordinal("Charset", "TFontCharset", &TFont::Charset, &TFont::SetCharset, 1, 0, 255);
        t.Ordinal("Color", "TColor", &TFont::Color, &TFont::SetColor, clWindowText);
        t.Ordinal("Height", "Integer", &TFont::Height, &TFont::SetHeight, -11);
        t.String("Name", &TFont::Name, &TFont::SetName, QStringLiteral("Tahoma"));
        t.Ordinal("Orientation", "Integer", &TFont::Orientation, &TFont::SetOrientation, 0);
        t.Ordinal("Style", "TFontStyles", &TFont::Style, &TFont::SetStyle, 0, 0, 15);
        return t;
    }();
    return table;
}

void TFont::Assign(const TFont& source)
{
    if (&source == this || *this == source)
        return;
    FName = source.FName;
    FHeight = source.FHeight;
    FColor = source.FColor;
    FStyle = source.FStyle;
    FCharset = source.FCharset;
    FOrientation = source.FOrientation;
    Changed();
}

bool TFont::operator==(const TFont& o) const
{
    return FName == o.FName && FHeight == o.FHeight && FColor == o.FColor && FStyle == o.FStyle &&
           FCharset == o.FCharset && FOrientation == o.FOrientation;
}

void TFont::SetName(const QString& value)
{
    if (value.isEmpty() || value == FName)
        return;
    FName = value;
    Changed();
}

int TFont::Size() const
{
    return -int(std::lround(FHeight * 72.0 / 96.0));
}

void TFont::SetSize(int value)
{
    SetHeight(PointsToHeight(value));
}

void TFont::SetHeight(int value)
{
    if (value == FHeight)
        return;
    FHeight = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TFont::SetCharset(int value)
{
    if (value == FCharset)
        return;
    FCharset = value;
    Changed();
}

void TFont::SetOrientation(int value)
{
    if (value == FOrientation)
        return;
    FOrientation = value;
    Changed();
}

void TFont::Changed()
{
    if (OnChange)
        OnChange(this);
}

QFont TFont::ToQFont() const
{
    if (FQFontValid && FQFontHeight == FHeight && FQFontStyle == FStyle && FQFontName == FName)
        return FQFont;
    // Fonts alike share one QFont, and with it Qt's look-ups of its faces and the metrics kept for it.
    thread_local std::map<std::tuple<QString, int, TFontStyles>, QFont> made;
    auto [it, added] = made.try_emplace({FName, FHeight, FStyle});
    if (added) {
        InstallFontSubstitutions();
        QFont& f = it->second;
        f = QFont(SubstituteFamily(FName));
        // Negative height is the character height, positive the cell height; both near enough as pixels.
        f.setPixelSize(std::max(1, std::abs(FHeight)));
        f.setBold(FStyle & fsBold);
        f.setItalic(FStyle & fsItalic);
        f.setUnderline(FStyle & fsUnderline);
        f.setStrikeOut(FStyle & fsStrikeOut);
        f.setHintingPreference(QFont::PreferFullHinting);
    }
    const QFont f = it->second;
    if (made.size() >= 256)
        made.clear();
    FQFont = f;
    FQFontName = FName;
    FQFontHeight = FHeight;
    FQFontStyle = FStyle;
    FQFontValid = true;
    return f;
}

namespace
{
// Measured metrics per font, so that a repaint does not lay out the same text again.
struct FontMetricsCache {
    int height = 0;
    int ascent = 0;
    QHash<QString, int> widths;
};

FontMetricsCache& MetricsFor(const QFont& font)
{
    thread_local QHash<QFont, FontMetricsCache> cache;
    // The font asked for last, asked again (a TFont hands out one shared QFont): found without hashing.
    thread_local QFont last;
    thread_local FontMetricsCache* lastMetrics = nullptr;
    if (lastMetrics && font.isCopyOf(last))
        return *lastMetrics;
    auto it = cache.find(font);
    if (it == cache.end()) {
        if (cache.size() >= 256)
            cache.clear();
        const QFontMetrics m(font);
        it = cache.insert(font, FontMetricsCache{m.height(), m.ascent(), {}});
    }
    last = font;
    lastMetrics = &*it;
    return *it;
}
} // namespace

int TextMetrics::Width(const QFont& font, const QString& text) const
{
    FontMetricsCache& c = MetricsFor(font);
    auto it = c.widths.constFind(text);
    if (it != c.widths.constEnd())
        return *it;
    if (c.widths.size() >= 4096)
        c.widths.clear();
    const int w = QFontMetrics(font).horizontalAdvance(text);
    c.widths.insert(text, w);
    return w;
}
int TextMetrics::Height(const QFont& font) const
{
    return MetricsFor(font).height;
}
int TextMetrics::Ascent(const QFont& font) const
{
    return MetricsFor(font).ascent;
}

const TextMetrics& CurrentTextMetrics()
{
    static const TextMetrics defaults;
    return gMetrics ? *gMetrics : defaults;
}

bool DefaultTextMetrics()
{
    return gMetrics == nullptr;
}

void SetTextMetrics(const TextMetrics* metrics)
{
    gMetrics = metrics;
}

} // namespace fw
