// The scheme files' memory streams (line writer, element writer and reader with their fixed rules)
// and the scheme list read from them (categories merged across files, the malformed-file error).
#include "ErrorOf.h"

#include "chart/core/ColorSchemes.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace
{

using namespace chart;
using charttest::ErrorOf;

TcXMLMemoryStream Xml(const char* text)
{
    return TcXMLMemoryStream(QByteArray(text));
}

TEST(MemoryStream, WriteStringTakes255CharactersAndRefuses256)
{
    TcMemoryStream s;
    EXPECT_EQ(ErrorOf([&] { s.WriteString(QString(255, QLatin1Char('a'))); }), "<no error>");
    EXPECT_EQ(s.Size(), 255);
    EXPECT_EQ(ErrorOf([&] { s.WriteString(QString(256, QLatin1Char('b'))); }),
              "String Exceeds 255 Characters");
    EXPECT_EQ(s.Size(), 255) << "nothing of the refused text is written";
}

TEST(MemoryStream, ElementWriterGivesOneLineEach)
{
    TcXMLMemoryStream s;
    s.StartElement(QStringLiteral("Scheme"));
    s.WriteElement(QStringLiteral("Name"), QStringLiteral("Dark"));
    s.EndElement(QStringLiteral("Scheme"));
    EXPECT_EQ(s.Data(), QByteArray("<Scheme>\r\n<Name>Dark</Name>\r\n</Scheme>\r\n"));
}

TEST(MemoryStream, ReaderCases)
{
    struct Case {
        const char* name;
        const char* text;
        std::function<QString(TcXMLMemoryStream&)> read;
        const char* want;
    };
    const Case cases[] = {
        {"element followed by a line break", "<A>x</A>\r\n",
         [](TcXMLMemoryStream& s) {
             QString v;
             s.GetElement(QStringLiteral("A"), v);
             return v;
         },
         "x"},
        {"element at the very end fails on the last byte", "<A>x</A>",
         [](TcXMLMemoryStream& s) {
             QString v;
             return ErrorOf([&] { s.GetElement(QStringLiteral("A"), v); });
         },
         "EOF"},
        {"closing tag with a blank before its bracket", "</Name >\r\n",
         [](TcXMLMemoryStream& s) { return s.GetNameElementStop(); }, "Name"},
        {"closing tag needs its slash", "<Name>\r\n",
         [](TcXMLMemoryStream& s) { return ErrorOf([&] { s.GetNameElementStop(); }); },
         "XML Parsing Error - \"/\" not Found"},
        {"closing tag needs its bracket", "Name>\r\n",
         [](TcXMLMemoryStream& s) { return ErrorOf([&] { s.GetNameElementStop(); }); },
         "XML Parsing Error - \"<\" not Found"},
        {"start tag name ends at a blank", "<Scheme kind=\"x\">\r\n",
         [](TcXMLMemoryStream& s) { return s.GetNameElementStart(); }, "Scheme"},
        {"closing tags are passed over on the way to a start tag", "</A>junk</B><C>\r\n",
         [](TcXMLMemoryStream& s) { return s.GetNameElementStart(); }, "C"},
        {"next piece skips line breaks and gives a closing tag with its slash", "\r\n\r\n</Properties>\r\n",
         [](TcXMLMemoryStream& s) { return s.GetNextPiece(); }, "/Properties"},
        {"next piece of text stops before the tag", "value<B>\r\n",
         [](TcXMLMemoryStream& s) { return s.GetNextPiece(); }, "value"},
        {"peeking leaves the position", "<A>\r\n<B>\r\n",
         [](TcXMLMemoryStream& s) {
             QString seen = s.PeekNextPiece();
             seen += s.PeekNextPiece();
             seen += s.GetNextPiece();
             return seen + s.GetNextPiece();
         },
         "AAAB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TcXMLMemoryStream s = Xml(c.text);
        EXPECT_EQ(c.read(s), QString::fromLatin1(c.want));
    }
}

const char* const BuiltIn = "<SchemeTypes>\r\n"
                            "<SchemeType>\r\n<Name>Dark</Name>\r\n"
                            "<Scheme>\r\n<Name>Night</Name>\r\n<Properties>\r\n"
                            "<Font.Color>255</Font.Color>\r\n<Caption>Night box</Caption>\r\n"
                            "</Properties>\r\n</Scheme>\r\n"
                            "</SchemeType>\r\n"
                            "</SchemeTypes>\r\n";
const char* const User = "<SchemeTypes>\r\n"
                         "<SchemeType>\r\n<Name>DARK</Name>\r\n"
                         "<Scheme>\r\n<Name>Mine</Name>\r\n<Properties>\r\n"
                         "<Checked>True</Checked>\r\n"
                         "</Properties>\r\n</Scheme>\r\n"
                         "</SchemeType>\r\n"
                         "<SchemeType>\r\n<Name>Light</Name>\r\n"
                         "</SchemeType>\r\n"
                         "</SchemeTypes>\r\n";

TEST(SchemeList, CategoriesMergeIgnoringCaseAndKeepTheirSource)
{
    TcThemeCategoryList list;
    TcXMLMemoryStream a = Xml(BuiltIn), b = Xml(User);
    list.LoadSchemeFile(a, false);
    list.LoadSchemeFile(b, true);
    ASSERT_EQ(list.Categories().size(), 2u);
    const TcThemeCategory& dark = list.Categories()[0];
    EXPECT_EQ(dark.Name, "Dark");
    ASSERT_EQ(dark.Schemes.size(), 2u);
    EXPECT_EQ(dark.Schemes[0].Name, "Night");
    EXPECT_FALSE(dark.Schemes[0].User);
    EXPECT_EQ(dark.Schemes[0].Lines, QStringList({"Font.Color = 255", "Caption = Night box"}));
    EXPECT_EQ(dark.Schemes[1].Name, "Mine");
    EXPECT_TRUE(dark.Schemes[1].User);
    EXPECT_EQ(list.Categories()[1].Name, "Light");
    EXPECT_TRUE(list.Categories()[1].Schemes.empty());
    EXPECT_EQ(list.Scheme(0, 2), nullptr);
    EXPECT_EQ(list.Scheme(-1, 0), nullptr);
}

TEST(SchemeList, MalformedFileKeepsWhatWasReadBefore)
{
    struct Case {
        const char* name;
        const char* text;
        const char* error;
        std::size_t schemesKept;
    };
    const Case cases[] = {
        {"scheme not closed",
         "<SchemeTypes>\r\n<SchemeType>\r\n<Name>Dark</Name>\r\n<Scheme>\r\n<Name>A</Name>\r\n"
         "<Properties>\r\n</Properties>\r\n</SchemeType>\r\n</SchemeTypes>\r\n",
         "Error Loading Scheme. XML File Malformed", 1},
        {"stray piece after the categories",
         "<SchemeTypes>\r\n<SchemeType>\r\n<Name>Dark</Name>\r\n"
         "</SchemeType>\r\n<Other>\r\n</SchemeTypes>\r\n",
         "Error Loading Scheme. XML File Malformed", 0},
        {"indented elements", "<SchemeTypes>\r\n  <SchemeType>\r\n</SchemeTypes>\r\n",
         "Error Loading Scheme. XML File Malformed", 0},
        {"cut short", "<SchemeTypes>\r\n<SchemeType>\r\n<Name>Da", "EOF", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TcThemeCategoryList list;
        TcXMLMemoryStream s = Xml(c.text);
        EXPECT_EQ(ErrorOf([&] { list.LoadSchemeFile(s, false); }), c.error);
        std::size_t schemes = 0;
        for (const auto& cat : list.Categories())
            schemes += cat.Schemes.size();
        EXPECT_EQ(schemes, c.schemesKept);
    }
}

TEST(SchemeList, SplitLineAndThemePaths)
{
    struct Split {
        const char* line;
        const char* path;
        const char* value;
    };
    for (const Split& s :
         {Split{" Font.Color = 255", "Font.Color", "255"}, Split{"A =  two blanks", "A", " two blanks"},
          Split{"no separator", "", ""}, Split{"B=x", "B", ""}}) {
        SCOPED_TRACE(s.line);
        QString path, value;
        SplitSchemeLine(QString::fromLatin1(s.line), path, value);
        EXPECT_EQ(path, s.path);
        EXPECT_EQ(value, s.value);
    }

    std::map<std::pair<bool, QString>, QString> values = {
        {{false, "Library Defined Theme Path"}, " /opt/themes "},
        {{false, "User Defined Theme Path"}, "/opt/user/"},
        {{true, "Library Defined Theme Path"}, ""},
        {{true, "User Defined Theme Path"}, "/home/me/themes"},
    };
    SetThemeSettings([&](bool user, const QString& name) { return values[{user, name}]; });
    const TcThemePaths paths = GetThemePaths();
    SetThemeSettings(nullptr);
    EXPECT_EQ(paths.Library, "/opt/themes/") << "an empty user value keeps the machine's";
    EXPECT_EQ(paths.User, "/home/me/themes/");
    const TcThemePaths none = GetThemePaths();
    EXPECT_EQ(none.Library, "");
    EXPECT_EQ(none.User, "");
}

} // namespace
