// The chart's file formats as bytes: text and compact-interval data files written and read back
// (under a comma-decimal locale too), the compact format's refusals and bounds, the readers' rules
// for columns, markers and bad numbers, and the sections and counts of property and annotation
// files.
#include "chart/core/ChartFiles.h"
#include "chart/core/ChartError.h"
#include "chart/core/PropertyText.h"

#include "ErrorOf.h"

#include <QLocale>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

using namespace chart;
using charttest::ErrorOf;

namespace
{

// Switches the C and Qt locales to a comma-decimal one for the test's lifetime.
class CommaLocale
{
  public:
    CommaLocale()
    {
        FOldC = std::setlocale(LC_ALL, nullptr);
        FActive = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, FOldC.c_str());
        QLocale::setDefault(QLocale::c());
    }
    bool CLocaleSwitched() const { return FActive; }

  private:
    std::string FOldC;
    bool FActive = false;
};

std::vector<TcFileChannel> SampleChannels()
{
    return {{QStringLiteral("Left"),
             {{0, 1.5, false, false},
              {0.25, -2e-7, false, false},
              {0.5, 0, true, false},
              {0.75, 0, false, true}}},
            {QStringLiteral("Right"), {{10, 123456.789012345, false, false}}}};
}

void ExpectSamePoints(const std::vector<TcFilePoint>& got, const std::vector<TcFilePoint>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(got[i].X, want[i].X);
        EXPECT_DOUBLE_EQ(got[i].Y, want[i].Y);
        EXPECT_EQ(got[i].Null, want[i].Null);
        EXPECT_EQ(got[i].Empty, want[i].Empty);
    }
}

} // namespace

TEST(ChartDataFiles, TextFilesRoundTripWithEitherSeparatorInEitherLocale)
{
    for (const bool comma : {false, true})
        for (const QChar sep : {QLatin1Char('\t'), QLatin1Char(',')}) {
            SCOPED_TRACE(QStringLiteral("comma locale %1, separator %2").arg(comma).arg(sep).toStdString());
            std::optional<CommaLocale> locale;
            if (comma)
                locale.emplace();
            const QByteArray bytes = WriteTextDataFile(SampleChannels(), sep);
            // Read back where the writer's locale is gone.
            locale.reset();
            const auto back = ParseDataFile(bytes, 2);
            ExpectSamePoints(back[0], SampleChannels()[0].Points);
            ExpectSamePoints(back[1], SampleChannels()[1].Points);
        }
}

TEST(ChartDataFiles, CommaSeparatedFilesKeepThePointUnderACommaLocale)
{
    CommaLocale locale;
    if (!locale.CLocaleSwitched())
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    const QByteArray bytes =
        WriteTextDataFile({{QStringLiteral("A"), {{0.5, 2.25, false, false}}}}, QLatin1Char(','));
    EXPECT_EQ(bytes, QByteArray("A(X),A(Y)\r\n0.5,2.25\r\n"));
    EXPECT_EQ(WriteTextDataFile({{QStringLiteral("A"), {{0.5, 2.25, false, false}}}}, QLatin1Char('\t')),
              QByteArray("A(X)\tA(Y)\r\n0,5\t2,25\r\n"));
    EXPECT_EQ(FloatToText(1e20), QStringLiteral("1E+20"));
    EXPECT_EQ(FloatToText(0.1), QStringLiteral("0.1"));
}

TEST(ChartDataFiles, TextReadersTakePairsOrASharedXColumn)
{
    struct Case {
        const char* name;
        QByteArray file;
        int channels;
        std::vector<std::vector<TcFilePoint>> want;
    } cases[] = {
        {"pairs with markers",
         "A(X),A(Y)\r\n1,5\r\n2,null\r\n3,EMPTY\r\n,7\r\n4,\r\n",
         1,
         {{{1, 5, false, false}, {2, 0, true, false}, {3, 0, false, true}}}},
        {"pairs of a channel the chart lacks are dropped",
         "A(X)\tA(Y)\tB(X)\tB(Y)\n1\t2\t3\t4\n",
         1,
         {{{1, 2, false, false}}}},
        {"shorter second channel",
         "A(X)\tA(Y)\tB(X)\tB(Y)\n1\t2\t3\t4\n5\t6\t\t\n",
         2,
         {{{1, 2, false, false}, {5, 6, false, false}}, {{3, 4, false, false}}}},
        {"comma decimals in a tab file", "A(X)\tA(Y)\n0,5\t1,25\n", 1, {{{0.5, 1.25, false, false}}}},
        {"shared X (a log)",
         "(X),A(Y),B(Y)\r\n1,2,Null\r\n,9,9\r\n3,,4\r\n",
         2,
         {{{1, 2, false, false}}, {{1, 0, true, false}, {3, 4, false, false}}}},
        {"empty file", "", 1, {{}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto got = ParseDataFile(c.file, c.channels);
        ASSERT_EQ(got.size(), c.want.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            ExpectSamePoints(got[i], c.want[i]);
    }
}

TEST(ChartDataFiles, ReadersRefuseWhatIsNoNumber)
{
    struct Case {
        const char* name;
        QByteArray file;
        const char* error;
    } cases[] = {
        {"word as Y", "A(X),A(Y)\n1,x\n", "'x' is not a valid floating point value"},
        {"infinity as X", "(X),A(Y)\ninf,2\n", "'inf' is not a valid floating point value"},
        {"NaN as Y", "A(X)\tA(Y)\n1\tnan\n", "'nan' is not a valid floating point value"},
        {"compact without count", "Compact Interval\r\n", "Invalid Data"},
        {"compact count too large", "Compact Interval\r\n100000000\r\n", "Invalid Data"},
        {"compact count negative", "Compact Interval\r\n-1\r\n", "Invalid Data"},
        {"compact short value", QByteArray("Compact Interval\r\n1\r\n\0\0", 23), "Invalid Data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ErrorOf([&] { ParseDataFile(c.file, 1); }), QString::fromLatin1(c.error));
    }
}

TEST(ChartDataFiles, CompactFilesHoldEvenlySpacedXAndRoundTrip)
{
    const std::vector<TcFileChannel> channels = {
        {QStringLiteral("A"), {{0, 1, false, false}, {0.5, 2, false, false}, {1, 3, false, false}}},
        {QStringLiteral("B"), {{10, -1, false, false}, {12, -2, false, false}, {14, -3, false, false}}}};
    const QByteArray bytes = WriteCompactDataFile(channels);
    EXPECT_EQ(bytes.size(), 18 + 3 + 2 * 2 * 4 + 2 * 2 * 4 + 2 * 4 + 4);
    EXPECT_TRUE(bytes.startsWith("Compact Interval\r\n2\r\n"));
    const auto back = ParseDataFile(bytes, 2);
    ExpectSamePoints(back[0], channels[0].Points);
    ExpectSamePoints(back[1], channels[1].Points);
    // A chart with fewer channels than the file takes the first ones.
    EXPECT_EQ(ParseDataFile(bytes, 1).size(), 1u);

    // A shorter channel is padded and comes back as long as it was.
    const std::vector<TcFileChannel> ragged = {
        {QStringLiteral("A"), {{0, 1, false, false}, {1, 2, false, false}, {2, 3, false, false}}},
        {QStringLiteral("B"), {{5, 7, false, false}}}};
    const auto raggedBack = ParseDataFile(WriteCompactDataFile(ragged), 2);
    ExpectSamePoints(raggedBack[0], ragged[0].Points);
    ExpectSamePoints(raggedBack[1], ragged[1].Points);
}

TEST(ChartDataFiles, CompactFormatRefusesWhatItCannotHold)
{
    struct Case {
        const char* name;
        std::vector<TcFilePoint> points;
        const char* error;
    } cases[] = {
        {"uneven X",
         {{0, 1, false, false}, {1, 1, false, false}, {3, 1, false, false}},
         "Channel 0 X values are not evenly spaced; the Compact Interval format can not hold them"},
        {"X going back",
         {{0, 1, false, false}, {1, 1, false, false}, {2, 1, false, false}, {1, 1, false, false}},
         "Channel 0 X values are not evenly spaced; the Compact Interval format can not hold them"},
        {"Y beyond float",
         {{0, 1e39, false, false}},
         "Channel 0 holds a value the Compact Interval format can not hold"},
        {"Y at the end marker",
         {{0, 2e38, false, false}},
         "Channel 0 holds a value the Compact Interval format can not hold"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ErrorOf([&] {
                      WriteCompactDataFile({{QStringLiteral("A"), c.points}});
                  }),
                  QString::fromLatin1(c.error));
    }
    // X summed up in decimal steps differs from k times the step by rounding only: no gap.
    std::vector<TcFilePoint> summed;
    double x = 0;
    for (int k = 0; k < 1000; ++k, x += 0.1)
        summed.push_back({x, 1, false, false});
    EXPECT_EQ(ErrorOf([&] {
                  WriteCompactDataFile({{QStringLiteral("A"), summed}});
              }),
              QStringLiteral("<no error>"));
}

TEST(ChartDataFiles, ChannelDataFilesSkipEmptyPointsAndReadNull)
{
    const std::vector<TcFilePoint> points = {
        {1, 2, false, false}, {3, 0, true, false}, {4, 9, false, true}, {5, 6, false, false}};
    EXPECT_EQ(WriteChannelDataFile(points, QLatin1Char('\t')), QByteArray("1\t2\r\n3\tNull\r\n5\t6\r\n"));
    ExpectSamePoints(ParseChannelDataFile("1,2\r\n3,null\r\nx\r\n,5\r\n"),
                     {{1, 2, false, false}, {3, 0, true, false}});
    EXPECT_EQ(ErrorOf([] { ParseChannelDataFile("1\tzz\n"); }),
              QStringLiteral("'zz' is not a valid floating point value"));
}

TEST(ChartPropertyFiles, ConfigIsSplitIntoSectionsInFileOrder)
{
    const QStringList lines = {"File Type = plot config",
                               "ToolBarCount = 2",
                               "ChannelCount = 2",
                               "DataViewZHorz = 3",
                               "Channel0.Color = 1",
                               "Channel1.Color = 2",
                               "Channel1.Font.Size = 9",
                               "ToolBar0.Visible = 0",
                               "ToolBar1.Visible = 1",
                               "Channel5.Color = 4",
                               "Width = 7"};
    const TcPlotConfig config = ParsePlotConfig(lines);
    ASSERT_EQ(config.Sections[pckChannel].size(), 2u);
    EXPECT_EQ(config.Sections[pckChannel][0], QStringList{"Channel0.Color = 1"});
    EXPECT_EQ(config.Sections[pckChannel][1], (QStringList{"Channel1.Color = 2", "Channel1.Font.Size = 9"}));
    ASSERT_EQ(config.Sections[pckToolBar].size(), 2u);
    EXPECT_EQ(config.Sections[pckToolBar][1], QStringList{"ToolBar1.Visible = 1"});
    EXPECT_EQ(config.DataViewZHorz, 3);
    EXPECT_FALSE(config.DataViewZVert.has_value());
    // A section out of place is left to the chart's own lines.
    EXPECT_EQ(config.Rest, (QStringList{"Channel5.Color = 4", "Width = 7"}));
}

TEST(ChartPropertyFiles, TypesAndCountsAreCheckedBeforeAnythingIsMade)
{
    struct Case {
        const char* name;
        QStringList lines;
        const char* error;
    } cases[] = {
        {"channel file", {"File Type = Plot Channel Config"}, "Incompatible Plot Configuration File Type"},
        {"no type", {"ChannelCount = 1"}, "Incompatible Plot Configuration File Type"},
        {"huge count",
         {"File Type = Plot Config", "ChannelCount = 100000000"},
         "ChannelCount 100000000 is out of range (0 to 1000)"},
        {"negative count",
         {"File Type = Plot Config", "LimitCount = -1"},
         "LimitCount -1 is out of range (0 to 1000)"},
        {"count no number",
         {"File Type = Plot Config", "LegendCount = two"},
         "'two' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ErrorOf([&] { ParsePlotConfig(c.lines); }), QString::fromLatin1(c.error));
    }
    EXPECT_EQ(ErrorOf([] { ParseAnnotationFile({"AnnotationCount = 5000"}); }),
              QStringLiteral("AnnotationCount 5000 is out of range (0 to 1000)"));
    EXPECT_EQ(ParseAnnotationFile({"AnnotationCount = 2", "Annotation1.X = 1"}),
              (std::vector<QStringList>{{}, {"Annotation1.X = 1"}}));
}

TEST(ChartPropertyFiles, TextLinesKeepTheirCharacters)
{
    const QStringList lines = {QStringLiteral("Caption = Grüße #13#10"), QStringLiteral("x")};
    EXPECT_EQ(DecodeTextLines(EncodeTextLines(lines)), lines);
    // An old file in the Windows code page, and one with a byte-order mark.
    EXPECT_EQ(DecodeTextLines("Caption = Gr\xFC\xDF"
                              "e\r\n"),
              QStringList{QStringLiteral("Caption = Grüße")});
    EXPECT_EQ(DecodeTextLines("\xEF\xBB\xBF"
                              "a\r\nb"),
              (QStringList{"a", "b"}));
}
