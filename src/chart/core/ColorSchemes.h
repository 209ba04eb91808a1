// The colour schemes of the chart's controls: categories of named schemes, each a list of
// "path = value" lines, read from the built-in and the user's scheme file (a category met in both
// files is one category; names compared ignoring letter case). Pure; one thread at a time.
#pragma once

#include "chart/core/XMLStream.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace chart
{

struct TcScheme {
    QString Name;
    // Read from the user's scheme file rather than the built-in one.
    bool User = false;
    QStringList Lines;
};

struct TcThemeCategory {
    QString Name;
    std::vector<TcScheme> Schemes;
};

class TcThemeCategoryList
{
  public:
    // Adds the categories and schemes of one file; a malformed file raises "Error Loading Scheme.
    // XML File Malformed" (or the reader's error) and keeps what was read before.
    void LoadSchemeFile(TcXMLMemoryStream& Stream, bool User);
    void Clear() { FCategories.clear(); }
    const std::vector<TcThemeCategory>& Categories() const { return FCategories; }
    // nullptr for an index outside the lists.
    const TcScheme* Scheme(int CategoryIndex, int SchemeIndex) const;

  private:
    TcThemeCategory& Category(const QString& Name);
    std::vector<TcThemeCategory> FCategories;
};

// The path is the trimmed text before the first "="; the value starts two characters after it.
// A line without "=" gives an empty path and value.
void SplitSchemeLine(const QString& Line, QString& Path, QString& Value);

// The two scheme folders: the library's and the user's, each empty or ending with "/".
struct TcThemePaths {
    QString Library;
    QString User;
};
// Where the scheme folders are configured: a value by name ("Library Defined Theme Path", "User
// Defined Theme Path") for the machine (CurrentUser false) or the user; an empty text when unset.
using TcThemeSettings = std::function<QString(bool CurrentUser, const QString& ValueName)>;
void SetThemeSettings(TcThemeSettings Settings);
// The machine's folders, each replaced by the user's when that is not empty.
TcThemePaths GetThemePaths();

} // namespace chart
