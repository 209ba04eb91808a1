// The language tables and their lookup.
#include "app/main/LanguageTables.h"
#include "base/CodePage.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

using namespace app;

namespace
{

TEST(Language, LookupRules)
{
    struct Case {
        const char* name;
        const char* language;
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {"first of a repeated key", "English", "SID_EXIT", "Exit"},
        {"first SID_NUMBER", "English", "SID_NUMBER", "Number :"},
        {"lower-case key", "English", "sid_file", "File"},
        {"leading blanks kept", "English", "SID_INPUT_ID", " Input ID Number"},
        {"language names the other", "English", "SID_LANGUAGE", "语言"},
        {"chinese file", "ChineseGB", "SID_FILE", "文件"},
        {"chinese exit item reads cancel", "ChineseGB", "SID_EXIT", "取消"},
        {"chinese number", "ChineseGB", "SID_NUMBER", "ID 位址:"},
        {"chinese phase", "ChineseGB", "SID_PHASE_ON", "反相"},
        {"chinese no device", "ChineseGB", "SID_NO_DEVICE", "未发现USB硬件，确认进入演示模式。"},
        {"chinese quit", "ChineseGB", "SID_EXIT_QUIT", "您确定要退出吗 ?"},
        {"chinese connect first", "ChineseGB", "SID_INFO_CON_FIRST", "请先连接机台 !!"},
        {"chinese language", "ChineseGB", "SID_LANGUAGE", "Language"},
        {"key missing in chinese takes english", "ChineseGB", "SID_DOWNLOAD_PARAMETER",
         "Downloading parameters, please wait..."},
        {"key missing everywhere shows the key", "English", "SID_NOPE", "SID_NOPE"},
        {"a comment line is not a key", "English", "//------ File ------", "//------ File ------"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LookupText(c.language, c.key), c.text);
    }
}

TEST(Language, TablesHoldTheSameKeys)
{
    auto keys = [](const std::vector<std::string>& t) {
        std::set<std::string> k;
        for (std::size_t i = 0; i + 1 < t.size(); ++i)
            if (t[i].starts_with("SID_")) {
                k.insert(t[i]);
                ++i;
            }
        return k;
    };
    std::set<std::string> english = keys(EnglishTable());
    english.erase("SID_DOWNLOAD_PARAMETER");
    EXPECT_EQ(keys(SimplifiedTable()), english);
    EXPECT_EQ(EnglishTable().front(), "//---------------------- Menu ------------------------");
    EXPECT_EQ(SimplifiedTable().back(), "");
}

// Every key written in the sources exists in both tables.
TEST(Language, EveryKeyTheCodeUsesExists)
{
    const QRegularExpression re(QStringLiteral("\"(SID_[A-Z0-9_]+)\""));
    std::set<std::string> used;
    QDirIterator it(QStringLiteral(MORVEX_SOURCE_DIR "/src"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(u"LanguageTables.cpp"))
            continue;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = re.globalMatch(text); m.hasNext();)
            used.insert(m.next().captured(1).toStdString());
    }
    ASSERT_FALSE(used.empty());
    for (const std::string& key : used) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(FindText(EnglishTable(), key).has_value());
        // The one key the Chinese table lacks: English stands in.
        if (key != "SID_DOWNLOAD_PARAMETER") {
            EXPECT_TRUE(FindText(SimplifiedTable(), key).has_value());
        }
    }
}

TEST(CodePageTest, FollowsTheLanguage)
{
    EXPECT_EQ(Utf8ToCodePage("Caf\xC3\xA9 \xE2\x82\xAC", CodePage::Windows1252), "Caf\xE9 \x80");
    EXPECT_EQ(Utf8ToCodePage("中文", CodePage::Windows1252), "??");
    EXPECT_EQ(Utf8ToCodePage("中文", CodePage::Gbk), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(CodePageToUtf8("\xD6\xD0\xCE\xC4", CodePage::Gbk), "中文");
    // A cut never splits a double-byte character.
    EXPECT_EQ(FitCodePageField("A\xD6\xD0\xCE\xC4", 4, '\0', CodePage::Gbk), std::string("A\xD6\xD0\0", 4));
    EXPECT_EQ(FitCodePageField("AB", 4, ' ', CodePage::Windows1252), "AB  ");
}

} // namespace
