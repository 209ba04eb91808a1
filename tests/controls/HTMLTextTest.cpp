// The mini-HTML renderer: measuring (line breaks, widths and heights the rules give), the markup's
// pieces (entities decoded once, bounded colours and sizes), drawing where a pixel shows the rule
// (alignment, background colours), links under a point, inline pictures and the picture container.
#include "controls/smooth/HTMLText.h"
#include "controls/smooth/PictureContainer.h"
#include "support/ImageBytes.h"
#include "support/TestApp.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

using namespace fx;

namespace
{

struct Html : ::testing::Test {
    void SetUp() override
    {
        testapp::EnsureApp();
        image = QImage(300, 200, QImage::Format_ARGB32);
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        g = std::make_unique<gp::TGPGraphics>(*painter);
        font.SetName(QStringLiteral("Tahoma"));
        font.SetSize(10);
    }
    void TearDown() override
    {
        g.reset();
        painter.reset();
    }
    // A fresh white image to draw on.
    void Reset()
    {
        TearDown();
        SetUp();
    }
    THTMLDrawResult Measure(const QString& text, int width = 300)
    {
        THTMLDrawParams p;
        p.MeasureOnly = true;
        THTMLDrawResult r;
        DrawHTMLText(g.get(), font, text, fw::TRect{0, 0, width, 200}, p, r);
        return r;
    }
    THTMLDrawResult Draw(const QString& text, THTMLDrawParams p = {}, int width = 300)
    {
        THTMLDrawResult r;
        DrawHTMLText(g.get(), font, text, fw::TRect{0, 0, width, 200}, p, r);
        g.reset();
        painter->end();
        return r;
    }
    // The measured width of one chunk in the test font with `style` and `size`.
    int W(const QString& text, fw::TFontStyles style = 0, int size = 10)
    {
        fw::TFont f;
        f.SetName(font.Name());
        f.SetSize(size);
        f.SetStyle(style);
        fw::TRect r{0, 0, 32767, 32767};
        g->DrawText(text, int(text.size()), fw::clNone, fw::DT_CALCRECT, f, r);
        return r.Right - r.Left;
    }
    int H(const QString& text, int size = 10)
    {
        fw::TFont f;
        f.SetName(font.Name());
        f.SetSize(size);
        return g->TextHeight(text, f);
    }
    // Leftmost and rightmost columns holding a pixel that is not white.
    std::pair<int, int> InkColumns() const
    {
        int lo = image.width(), hi = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != QColor(Qt::white)) {
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                }
        return {lo, hi};
    }
    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<gp::TGPGraphics> g;
    fw::TFont font;
};

} // namespace

TEST(HtmlPieces, EntitiesDecodeOnce)
{
    struct Case {
        const char* markup;
        const char* chunk; // after the whole-text step and the chunk step
    } cases[] = {
        {"&amp;", "&"},
        {"&copy; &REG; &trade; &euro; &sect; &para; &permil; &quot;",
         "\u00A9 \u00AE \u2122 \u20AC \u00A7 \u00B6 \u2030 \""},
        {"&amp;copy;", "&copy;"},
        {"&amp;lt;B&amp;gt;", "&lt;B&gt;"},
        {"&amp;amp;", "&amp;"},
        {"&lt;B&gt;", "<B>"},
        {"a&nbsp;b", "a b"},
        {"&unknown; &", "&unknown; &"},
        {"\xEF\xB7\x90", "\xEF\xBF\xBD"}, // the marker character stands for no "&"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.markup);
        EXPECT_EQ(DecodeChunk(PrepareHTMLText(QString::fromUtf8(c.markup))), QString::fromUtf8(c.chunk));
    }
    EXPECT_EQ(PrepareHTMLText(QStringLiteral("a\r\nb<#x>c")), QStringLiteral("a<BR>b#xc"));
}

TEST(HtmlPieces, ColoursAreBounded)
{
    struct Case {
        const char* value;
        fw::TColor colour;
    } cases[] = {
        {"#FF8000", fw::RGB(255, 128, 0)},
        {"#ff8000", fw::RGB(255, 128, 0)},
        {"#GG8000", fw::RGB(0, 128, 0)},
        {"#zzzzzz", 0},
        {"#1", 0},
        {"#12345", fw::RGB(0x12, 0x34, 0)},
        {"#-1-1-1", 0},
        {"clRed", 0x0000FF},
        {"CLBTNFACE", fw::clBtnFace},
        {"clhighlight", fw::clHighlight},
        {"nocolour", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const fw::TColor v = HTMLColor(QString::fromLatin1(c.value));
        EXPECT_EQ(v, c.colour);
    }
}

TEST_F(Html, MeasuresLinesAsTheRulesSay)
{
    const int gh = H(QStringLiteral("gh"));
    // The program's list item: one line in a 20-point font, the closing break adds no line.
    auto r = Measure(QStringLiteral("<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>"));
    EXPECT_EQ(r.Height, H(QStringLiteral("Loading "), 20) + 2);
    EXPECT_EQ(r.Width, W(QStringLiteral("Loading "), 0, 20) + W(QStringLiteral("Program...."), 0, 20) + 2);
    // Bold in the middle of one line.
    r = Measure(QStringLiteral("a<B>b</B>c"));
    EXPECT_EQ(r.Height, gh + 2);
    EXPECT_EQ(r.Width, W("a") + W("b", fw::fsBold) + W("c") + 2);
    EXPECT_EQ(r.PlainText, QStringLiteral("abc"));
    // Entities around a B show the tag's text and do not switch bold on.
    r = Measure(QStringLiteral("&lt;B&gt;x"));
    EXPECT_EQ(r.PlainText, QStringLiteral("<B>x"));
    EXPECT_EQ(r.Width, W("<B>x") + 2);
    // Empty text.
    r = Measure(QString());
    EXPECT_EQ(r.Height, gh + 2);
    EXPECT_EQ(r.Width, 0);
    // Font sizes: 1..5 are steps, other numbers points, 0 or less draws nothing.
    struct Size {
        const char* size;
        int points;
    } sizes[] = {{"3", 12}, {"9", 9}, {"1", 8}, {"5", 16}, {"40", 40}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.size);
        r = Measure(QStringLiteral("<FONT size=\"%1\">x</FONT>").arg(QLatin1String(s.size)));
        EXPECT_EQ(r.Width, W("x", 0, s.points) + 2);
    }
    for (const char* none : {"0", "-4"}) {
        SCOPED_TRACE(none);
        r = Measure(QStringLiteral("<FONT size=\"%1\">hidden</FONT>y").arg(QLatin1String(none)));
        EXPECT_EQ(r.Width, W("y") + 2);
        EXPECT_EQ(r.Height, gh + 2);
    }
    r = Measure(QStringLiteral("<FONT size=\"99999999\">x</FONT>"));
    EXPECT_EQ(r.Width, W("x", 0, 1000) + 2);
    // Hidden text takes no width, but its larger font makes the line higher.
    r = Measure(QStringLiteral("a<Z><FONT size=\"30\">hidden</FONT></Z>b"));
    EXPECT_EQ(r.Width, W("a") + W("b") + 2);
    EXPECT_EQ(r.Height, H(QStringLiteral("hidden"), 30) + 2);
}

TEST_F(Html, WrapsAndEndsLines)
{
    const int gh = H(QStringLiteral("gh"));
    struct Case {
        const char* name;
        const char* markup;
        int width;
        int lines;
    } cases[] = {
        {"a word wider than the rectangle keeps its own line", "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwww b", 40, 2},
        {"words wrap", "aa bb cc dd ee ff gg hh", 3 * 20, 0},
        {"a break", "a<BR>b", 300, 2},
        {"a rule ends the line", "a<HR>b", 300, 2},
        {"a paragraph end", "<P align=\"center\">a</P>b", 300, 2},
        {"a list: the list tag ends an empty line, each item one", "<UL><LI>one</LI><LI>two</LI>", 300, 3},
        {"a closing list tag alone makes one more line", "<UL><LI>one</LI><LI>two</LI></UL>", 300, 4},
        {"a huge indent", "<IND x=\"99999999\">a b c", 100, 0},
        {"an offset", "<OFS x=\"-5\">a b", 100, 1},
        {"a narrow rectangle: a line per word", "a b c d", 0, 4},
        {"words wider than the room: a line each", "wwwwww wwwwww wwwwww", 10, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = Measure(QString::fromLatin1(c.markup), c.width);
        if (c.lines > 0)
            EXPECT_EQ(r.Height, c.lines * gh + 2);
        else
            EXPECT_GT(r.Height, 2 * gh);
    }
    // Two list items with no end between them: the line ends before the second, and holds only the
    // first bullet.
    auto r = Measure(QStringLiteral("<UL><LI>one<LI>two"));
    EXPECT_EQ(r.Height, 3 * gh + 2);
    EXPECT_EQ(r.Width, 12 + std::max(W("one"), W("two")) + 2);
}

TEST_F(Html, PicturesFromTheContainer)
{
    TGDIPPictureContainer pictures;
    TPictureItem* item = pictures.Items().Add();
    item->Name = QStringLiteral("Logo");
    ASSERT_TRUE(item->Picture().LoadFromStream(testapp::ImageBytes(50, 30, Qt::blue)));
    THTMLDrawParams p;
    p.MeasureOnly = true;
    p.PictureContainer = &pictures;
    THTMLDrawResult r;
    const int gh = H(QStringLiteral("gh"));
    // Fits: one line as high as the picture.
    DrawHTMLText(g.get(), font, QStringLiteral("ab<IMG src=\"logo\">"), fw::TRect{0, 0, 300, 200}, p, r);
    EXPECT_EQ(r.Height, std::max(30, gh) + 2);
    EXPECT_EQ(r.Width, W("ab") + 50 + 2);
    // Does not fit in the rest of the line: it goes to the next one.
    const QString text = QStringLiteral("wwwwww <IMG src=\"LOGO\">");
    const int width = W(QStringLiteral("wwwwww ")) + 30;
    DrawHTMLText(g.get(), font, text, fw::TRect{0, 0, width, 200}, p, r);
    EXPECT_EQ(r.Height, gh + std::max(30, gh) + 2);
    // A name the container does not hold takes no room; WIDTH and HEIGHT stretch.
    DrawHTMLText(g.get(), font, QStringLiteral("ab<IMG src=\"nothing\">"), fw::TRect{0, 0, 300, 200}, p, r);
    EXPECT_EQ(r.Width, W("ab") + 2);
    DrawHTMLText(g.get(), font, QStringLiteral("<IMG src=\"logo\" width=\"80\" height=\"40\">"),
                 fw::TRect{0, 0, 300, 200}, p, r);
    EXPECT_EQ(r.Width, 80 + 2);
    EXPECT_EQ(r.Height, 40 + 2);
    // Drawn: the picture's blue at the line's left.
    p.MeasureOnly = false;
    DrawHTMLText(g.get(), font, QStringLiteral("<IMG src=\"logo\">"), fw::TRect{0, 0, 300, 200}, p, r);
    g.reset();
    painter->end();
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::blue));
}

TEST_F(Html, ParagraphAlignmentAndBackgrounds)
{
    font.SetColor(fw::clBlack);
    Draw(QStringLiteral("<P align=\"center\">xx</P>"), {}, 300);
    const auto [lo, hi] = InkColumns();
    const int mid = (lo + hi) / 2;
    EXPECT_NEAR(mid, 150, 4);

    // A FONT tag with only a background keeps the text colour; BO's background outlasts a FONT pair.
    Reset();
    font.SetColor(fw::clBlack);
    Draw(QStringLiteral(
        "<BODY bgcolor=\"#00FF00\"><FONT bgcolor=\"#FF0000\">MMM</FONT><FONT face=\"Tahoma\">MMM</FONT>"));
    bool red = false, green = false, black = false, other = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            const QColor c = image.pixelColor(x, y);
            red |= c == QColor(255, 0, 0);
            green |= c == QColor(0, 255, 0);
            black |= c == QColor(0, 0, 0);
            other |= c.red() > 200 && c.green() < 50 && c.blue() > 200;
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(green);
    EXPECT_TRUE(black);
    EXPECT_FALSE(other);
}

TEST_F(Html, LinksUnderThePoint)
{
    THTMLDrawParams p;
    p.HitTestOnly = true;
    const int see = W(QStringLiteral("see "));
    const int x = see + 3;
    p.X = x;
    p.Y = 5;
    p.FocusLink = 1;
    const auto r =
        Draw(QStringLiteral("see <A href=\"first\">one two</A> and <A href=\"second\">three</A>"), p);
    EXPECT_TRUE(r.Hit);
    EXPECT_EQ(r.HoverHref, QStringLiteral("first"));
    EXPECT_EQ(r.HoverLink, 1);
    EXPECT_EQ(r.FocusHref, QStringLiteral("second"));
    EXPECT_EQ(r.LinkCount, 2);
    EXPECT_EQ(r.HoverRect.Left, see + 1);
    // Nothing is drawn while hit-testing.
    EXPECT_EQ(InkColumns().second, -1);
    p.X = 1; // over "see"
    Reset();
    const auto miss = Draw(QStringLiteral("see <A href=\"first\">one</A>"), p);
    EXPECT_FALSE(miss.Hit);
    EXPECT_EQ(miss.HoverLink, -1);
}

TEST(PictureContainer, FindsByNameIgnoringCaseAndRefusesForeignItems)
{
    testapp::EnsureApp();
    TGDIPPictureContainer c;
    EXPECT_EQ(c.FindPicture(QStringLiteral("x")), nullptr);
    TPictureItem* a = c.Items().Add();
    a->Name = QStringLiteral("Logo");
    TPictureItem* b = c.Items().Add();
    b->Name = QStringLiteral("LOGO");
    TPictureItem* empty = c.Items().Insert(0);
    EXPECT_EQ(c.FindPicture(QStringLiteral("lOgO")), &a->Picture());
    EXPECT_EQ(c.FindPicture(QString()), &empty->Picture());
    // Assign takes another picture item, and refuses an item of another class.
    struct Other : TCollectionItem {
        bool Assign(const TCollectionItem&) override { return false; }
    } other;
    ASSERT_TRUE(a->Picture().LoadFromStream(testapp::ImageBytes(4, 4, Qt::red)));
    a->Tag = 7;
    TPictureItem copy;
    EXPECT_TRUE(copy.Assign(*a));
    EXPECT_EQ(copy.Name, QStringLiteral("Logo"));
    EXPECT_EQ(copy.Tag, 7);
    EXPECT_EQ(copy.Picture().Data(), a->Picture().Data());
    EXPECT_FALSE(copy.Assign(other));
    EXPECT_EQ(copy.Name, QStringLiteral("Logo"));
    // Another collection's items come in as copies: the container keeps its own.
    TPictureCollection outside;
    outside.Add()->Name = QStringLiteral("Other");
    c.SetItems(outside);
    outside.Clear();
    ASSERT_EQ(c.Items().Count(), 1);
    EXPECT_EQ(c.Items().Items(0)->Name, QStringLiteral("Other"));
    EXPECT_EQ(c.Version(), QStringLiteral("1.0.0.0"));
}
