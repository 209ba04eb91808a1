#include "chart/core/ColorSchemes.h"

#include "chart/core/ChartError.h"

namespace chart
{

namespace
{
[[noreturn]] void Malformed()
{
    throw EChartError(QStringLiteral("Error Loading Scheme. XML File Malformed"));
}

void ExpectPiece(TcXMLMemoryStream& Stream, const char* Piece)
{
    if (Stream.GetNextPiece() != QLatin1String(Piece))
        Malformed();
}

TcThemeSettings& Settings()
{
    static TcThemeSettings settings;
    return settings;
}
} // namespace

TcThemeCategory& TcThemeCategoryList::Category(const QString& Name)
{
    for (TcThemeCategory& c : FCategories)
        if (c.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return c;
    FCategories.push_back({Name, {}});
    return FCategories.back();
}

const TcScheme* TcThemeCategoryList::Scheme(int CategoryIndex, int SchemeIndex) const
{
    if (CategoryIndex < 0 || CategoryIndex >= int(FCategories.size()))
        return nullptr;
    const auto& schemes = FCategories[std::size_t(CategoryIndex)].Schemes;
    if (SchemeIndex < 0 || SchemeIndex >= int(schemes.size()))
        return nullptr;
    return &schemes[std::size_t(SchemeIndex)];
}

void TcThemeCategoryList::LoadSchemeFile(TcXMLMemoryStream& Stream, bool User)
{
    Stream.GotoElementStart(QStringLiteral("SchemeTypes"));
    while (Stream.PeekNextPiece() == QLatin1String("SchemeType")) {
        Stream.GotoElementStart(QStringLiteral("SchemeType"));
        QString name;
        Stream.GetElement(QStringLiteral("Name"), name);
        TcThemeCategory& category = Category(name);
        while (Stream.PeekNextPiece() == QLatin1String("Scheme")) {
            Stream.GotoElementStart(QStringLiteral("Scheme"));
            QString schemeName;
            Stream.GetElement(QStringLiteral("Name"), schemeName);
            category.Schemes.push_back({schemeName, User, {}});
            TcScheme& scheme = category.Schemes.back();
            Stream.GotoElementStart(QStringLiteral("Properties"));
            for (QString piece = Stream.PeekNextPiece(); piece != QLatin1String("/Properties");
                 piece = Stream.PeekNextPiece()) {
                QString value;
                Stream.GetElement(piece, value);
                if (!piece.isEmpty())
                    scheme.Lines << piece + QLatin1String(" = ") + value;
            }
            ExpectPiece(Stream, "/Properties");
            ExpectPiece(Stream, "/Scheme");
        }
        ExpectPiece(Stream, "/SchemeType");
    }
    ExpectPiece(Stream, "/SchemeTypes");
}

void SplitSchemeLine(const QString& Line, QString& Path, QString& Value)
{
    const int eq = int(Line.indexOf(QLatin1Char('=')));
    if (eq < 0) {
        Path.clear();
        Value.clear();
        return;
    }
    Path = Line.left(eq).trimmed();
    Value = Line.mid(eq + 2);
}

void SetThemeSettings(TcThemeSettings NewSettings)
{
    Settings() = std::move(NewSettings);
}

TcThemePaths GetThemePaths()
{
    TcThemePaths paths;
    const QString library = QStringLiteral("Library Defined Theme Path");
    const QString user = QStringLiteral("User Defined Theme Path");
    auto read = [](bool currentUser, const QString& name) {
        return Settings() ? Settings()(currentUser, name).trimmed() : QString();
    };
    paths.Library = read(false, library);
    paths.User = read(false, user);
    if (const QString v = read(true, library); !v.isEmpty())
        paths.Library = v;
    if (const QString v = read(true, user); !v.isEmpty())
        paths.User = v;
    for (QString* p : {&paths.Library, &paths.User})
        if (!p->isEmpty() && !p->endsWith(QLatin1Char('/')))
            *p += QLatin1Char('/');
    return paths;
}

} // namespace chart
