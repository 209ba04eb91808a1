// The splash screen: its placement rules (program information, list items, top-layer boxes), the
// program information's source, heading texts and pictures as drawn, and the window's life: layered or
// not, translucent or masked, fades, the main form's show, the time-out and the focus hand-over.
#include "controls/smooth/SplashScreen.h"
#include "framework/ImageList.h"
#include "support/ImageBytes.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QScreen>
#include <gtest/gtest.h>
#include <set>

using namespace fx;

TEST(SplashLayout, ProgramInformationPlaces)
{
    const fw::TRect a{10, 20, 310, 220};
    const QSize n(100, 30), v(40, 16), c(80, 12);
    struct Case {
        const char* name;
        TItemLocation nl, vl, cl;
        QPoint name_, version, copyRight;
    } cases[] = {
        {"version beside the name, centred on it, 1 pixel apart",
         ilTopLeft,
         ilTopLeft,
         ilBottomRight,
         {10, 20},
         {111, 27},
         {230, 208}},
        {"copyright below the name", ilTopLeft, ilTopRight, ilTopLeft, {10, 20}, {270, 20}, {10, 53}},
        {"copyright below the version",
         ilBottomLeft,
         ilTopCenter,
         ilTopCenter,
         {10, 190},
         {140, 20},
         {120, 39}},
        {"name and version bottom right, copyright under them",
         ilBottomRight,
         ilBottomRight,
         ilBottomRight,
         {169, 175},
         {270, 175},
         {230, 208}},
        {"custom", ilCustom, ilCustom, ilCustom, {1, 2}, {3, 4}, {5, 6}},
        {"name top right, version too", ilTopRight, ilTopRight, ilCustom, {169, 20}, {270, 20}, {5, 6}},
        {"bottom centre stack",
         ilBottomCenter,
         ilBottomCenter,
         ilBottomCenter,
         {110, 159},
         {140, 175},
         {120, 208}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        const TProgramInfoPlaces p = PlaceProgramInfo(a, t.nl, n, t.vl, v, t.cl, c, {1, 2}, {3, 4}, {5, 6});
        EXPECT_EQ(p.Name, t.name_);
        EXPECT_EQ(p.Version, t.version);
        EXPECT_EQ(p.CopyRight, t.copyRight);
    }
    testapp::EnsureApp();
    TGDIPFill fill;
    EXPECT_EQ(ProgramInfoArea(622, 352, fill), (fw::TRect{0, 0, 621 - 5, 351}));
    fill.SetBorderColor(fw::clBlack);
    fill.SetBorderWidth(3);
    fill.SetShadowOffset(4);
    fill.SetRounding(6);
    EXPECT_EQ(ProgramInfoArea(622, 352, fill),
              (fw::TRect{5, 5, 621 - 2 - 2 - 4 - 3 - 5, 351 - 2 - 2 - 4 - 3}));
}

TEST(SplashLayout, ListItemsScrollTheOldestOut)
{
    const fw::TRect rect{180, 210, 680, 460};
    std::vector<int> heights(10, 30);
    const auto r = StackListItems(rect, 8, heights);
    // 10 x 30 + 9 x 8 = 372 > 250: the oldest go, the newest ends just above the bottom.
    int hidden = 0;
    for (const auto& x : r)
        hidden += x.Top == -1 && x.Bottom == -1;
    // The overflow of 122 takes four items away (38 each while anything is left over).
    EXPECT_EQ(hidden, 4);
    EXPECT_EQ(r[4].Top, 210);
    EXPECT_EQ(r[9].Bottom, 210 + 6 * 30 + 5 * 8);
    EXPECT_LE(r[9].Bottom, rect.Bottom);
    EXPECT_EQ(r[9].Left, 180);
    EXPECT_EQ(r[9].Right, 680);
    // One item taller than the rectangle stays, at the top.
    const auto one = StackListItems(rect, 8, {400});
    EXPECT_EQ(one[0], (fw::TRect{180, 210, 680, 610}));
    EXPECT_TRUE(StackListItems(rect, 8, {}).empty());
}

TEST(SplashLayout, TopLayerBoxesAndTextOrigins)
{
    struct Box {
        TAlign align;
        fw::TRect box;
    } boxes[] = {
        {alTop, {2, 3, 502, 43}},      {alBottom, {2, 363, 502, 403}}, {alLeft, {2, 3, 62, 403}},
        {alRight, {442, 3, 502, 403}}, {alClient, {2, 3, 502, 403}},   {alCustom, {12, 23, 72, 63}},
        {alNone, {0, 0, 0, 0}},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(int(b.align));
        EXPECT_EQ(TopLayerBox(b.align, 2, 3, 502, 400, 10, 20, 60, 40), b.box);
    }
    const fw::TRect box{10, 10, 110, 60};
    EXPECT_EQ(TextOrigin(cpTopLeft, box, {20, 10}), QPoint(10, 10));
    EXPECT_EQ(TextOrigin(cpCenterCenter, box, {20, 10}), QPoint(50, 30));
    EXPECT_EQ(TextOrigin(cpBottomRight, box, {20, 10}), QPoint(90, 50));
    EXPECT_EQ(TextOrigin(cpCenterCenter, box, {103, 53}), QPoint(9, 9)); // -1.5 toward zero
}

TEST(SplashContent, ProgramInformationComesFromTheProgramWhenItHasAny)
{
    testapp::EnsureApp();
    TBasicProgramInfo info;
    info.ProgramName().SetText(QStringLiteral("Stored name"));
    info.ProgramVersion().SetText(QStringLiteral("V 1.04"));
    info.ReadVersionInfo(); // no reader: the stored texts stay
    EXPECT_EQ(info.ProgramName().Text(), QStringLiteral("Stored name"));
    SetVersionInfoReader([] { return std::optional<TVersionStrings>(); });
    info.ReadVersionInfo();
    EXPECT_EQ(info.ProgramVersion().Text(), QStringLiteral("V 1.04"));
    int changes = 0;
    info.OnChange = [&](TBasicProgramInfo*) { ++changes; };
    SetVersionInfoReader([] {
        return std::optional<TVersionStrings>({QStringLiteral("(c)"), QString(), "2.0"});
    });
    info.ReadVersionInfo();
    EXPECT_EQ(info.CopyRight, QStringLiteral("(c)"));
    EXPECT_EQ(info.ProgramName().Text(), QString()); // a missing entry empties its text
    EXPECT_EQ(info.ProgramVersion().Text(), QStringLiteral("2.0"));
    EXPECT_EQ(changes, 2);
    info.AutoLoad = false;
    info.ProgramVersion().SetText(QStringLiteral("x"));
    info.ReadVersionInfo();
    EXPECT_EQ(info.ProgramVersion().Text(), QStringLiteral("x"));
    SetVersionInfoReader(nullptr);
}

namespace
{
// The colours an image holds apart from its background.
std::set<QRgb> Ink(const QImage& img, QColor background)
{
    std::set<QRgb> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) != background)
                out.insert(img.pixel(x, y));
    return out;
}
} // namespace

TEST(SplashContent, HeadingTextsAndPictures)
{
    testapp::EnsureApp();
    QImage img(200, 60, QImage::Format_ARGB32);
    img.fill(Qt::white);
    fw::TFont font;
    font.SetName(QStringLiteral("Tahoma"));
    font.SetSize(20);
    {
        QPainter p(&img);
        gp::TGPGraphics g(p);
        EXPECT_EQ(DrawHeadingText(&g, QString(), 0, 0, gdip::TextRenderingHintAntiAlias, 0, false, 0xFF,
                                  0xFF0000, 255, 255, 0, nullptr, gp::gtVertical, font),
                  QSize(0, 0));
        // No end colour: drawn solid in the start colour, without anti-aliasing shades of another hue.
        g.SetTextRenderingHint(gdip::TextRenderingHintSystemDefault);
        const QSize s =
            DrawHeadingText(&g, QStringLiteral("HHH"), 5, 5, gdip::TextRenderingHintSystemDefault, 0, false,
                            fw::clRed, fw::clNone, 255, 255, 0, nullptr, gp::gtVertical, font);
        EXPECT_GT(s.width(), 20);
        EXPECT_GT(s.height(), 20);
    }
    for (QRgb c : Ink(img, Qt::white)) {
        EXPECT_GT(qRed(c), 200);
        EXPECT_EQ(qGreen(c), qBlue(c));
    }

    // Pictures: PNG and JPEG as they are, a BMP keyed on its bottom-left pixel.
    struct Case {
        const char* format;
        bool keyed;
    } cases[] = {{"PNG", false}, {"JPG", false}, {"BMP", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        TFxGDIPPicture pic;
        ASSERT_TRUE(pic.LoadFromStream(testapp::ImageBytes(10, 10, QColor(0, 0, 255), c.format)));
        QImage out(20, 20, QImage::Format_ARGB32);
        out.fill(Qt::white);
        {
            QPainter p(&out);
            gp::TGPGraphics g(p);
            DrawPicture(g, 5, 5, pic);
        }
        const QColor mid = out.pixelColor(10, 10);
        EXPECT_EQ(mid == QColor(Qt::white), c.keyed);
    }
}

TEST(SplashContent, ItemWithPictureAndImageIndexDrawsOnlyThePicture)
{
    testapp::EnsureApp();
    TFxSmoothSplashScreen splash;
    fw::TCustomImageList images(10, 10);
    QImage red(10, 10, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.Add(red);
    splash.Images = &images;
    splash.Fill().SetColor(fw::clWhite);
    splash.Fill().SetColorTo(fw::clWhite);
    TSplashItem* item = splash.Items().Add();
    item->PosX = 10;
    item->PosY = 10;
    item->ImageIndex = 0;
    ASSERT_TRUE(item->Picture().LoadFromStream(testapp::ImageBytes(10, 10, QColor(0, 0, 255))));
    QImage img(60, 40, QImage::Format_ARGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        gp::TGPGraphics g(p);
        splash.DrawLayers(g, 60, 40, false);
    }
    EXPECT_EQ(img.pixelColor(14, 14), QColor(0, 0, 255));
    for (QRgb c : Ink(img, Qt::white))
        EXPECT_FALSE(qRed(c) > 200 && qGreen(c) < 50 && qBlue(c) < 50);
}

namespace
{
struct Window : ::testing::Test {
    void SetUp() override
    {
        testapp::EnsureApp();
        TFxSmoothSplashScreen::SetPause([this](int ms) { pauses.push_back(ms); });
        TFxSmoothSplashScreen::SetCompositorProbe([this] { return compositor; });
    }
    void TearDown() override
    {
        TFxSmoothSplashScreen::SetPause(nullptr);
        TFxSmoothSplashScreen::SetCompositorProbe(nullptr);
    }
    // The program's splash: a picture-only background, opacity 249, no fading.
    void ProgramSplash(TFxSmoothSplashScreen& s)
    {
        QImage pic(620, 350, QImage::Format_ARGB32);
        pic.fill(Qt::transparent);
        QPainter p(&pic);
        p.fillRect(0, 100, 620, 250, QColor(20, 40, 90));
        p.end();
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        pic.save(&buf, "PNG");
        ASSERT_TRUE(s.Fill().Picture().LoadFromStream(bytes));
        s.Fill().SetPicturePosition(ppBottomCenter);
        s.Fill().SetOpacity(249);
        s.Fill().SetColor(fw::clNone);
        s.Fill().SetColorTo(fw::clNone);
        s.DisplayStyle = dsNormal;
        s.TimeOut = 100;
        s.Width = 700;
        s.ListItemsSettings().Rect = {180, 210, 680, 460};
        s.ListItems().Add()->HTMLText =
            QStringLiteral("<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>");
    }
    std::vector<int> pauses;
    bool compositor = false;
};
} // namespace

TEST_F(Window, TheProgramsSplashComesAndGoesWithTheMainForm)
{
    fw::FakeTimerScope timers;
    QWidget main;
    TFxSmoothSplashScreen s;
    ProgramSplash(s);
    s.SetMainForm(&main);
    int closes = 0;
    s.OnClose = [&](TFxSmoothSplashScreen*) { ++closes; };
    s.Loaded();
    ASSERT_TRUE(s.Showing());
    TSplashScreenWindow* w = s.SplashWindow();
    EXPECT_EQ(w->size(), QSize(622, 352));
    EXPECT_TRUE(w->Layered());
    EXPECT_FALSE(w->Translucent()); // no compositor: cut to the picture instead
    EXPECT_FALSE(w->mask().isEmpty());
    EXPECT_FALSE(w->mask().contains(QPoint(300, 50)));
    EXPECT_TRUE(w->mask().contains(QPoint(300, 200)));
    EXPECT_EQ(w->Opacity(), 255);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
    const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_EQ(w->geometry().center(), QRect(centre - QPoint(311, 176), QSize(622, 352)).center());
    EXPECT_TRUE(pauses.empty());
    s.Show(); // one window only
    EXPECT_EQ(s.SplashWindow(), w);
    timers.Fake.Advance(500); // no time-out: CloseOnTimeout is off
    EXPECT_TRUE(s.Showing());
    main.show();
    EXPECT_FALSE(s.Showing());
    EXPECT_EQ(closes, 1);
    // The form's own show goes on as before, and the splash stays away.
    main.hide();
    main.show();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(timers.Fake.ActiveCount(), 0u); // the progress bar's timer went with the window
}

TEST_F(Window, TranslucentWithACompositor)
{
    compositor = true;
    TFxSmoothSplashScreen s;
    ProgramSplash(s);
    s.Show();
    ASSERT_TRUE(s.Showing());
    EXPECT_TRUE(s.SplashWindow()->Translucent());
    EXPECT_TRUE(s.SplashWindow()->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_TRUE(s.SplashWindow()->mask().isEmpty());
    // The buffer holds the picture's transparency and the list item's white text.
    const QImage& b = s.SplashWindow()->Buffer();
    EXPECT_EQ(qAlpha(b.pixel(300, 50)), 0);
    EXPECT_GT(qAlpha(b.pixel(300, 300)), 200);
    s.Hide();
}

TEST_F(Window, FadesStepWithPausesAndAZeroStepEndsAtOnce)
{
    TFxSmoothSplashScreen s;
    s.Fill().SetColor(fw::clSilver);
    s.Fill().SetColorTo(fw::clGray);
    s.MaxOpacity = 200;
    s.Show(); // an opaque fill: an ordinary window, fading through its alpha
    ASSERT_TRUE(s.Showing());
    EXPECT_FALSE(s.SplashWindow()->Layered());
    EXPECT_EQ(s.SplashWindow()->Opacity(), 200);
    EXPECT_FALSE(pauses.empty());
    pauses.clear();
    s.FadeOut(0, 1000, 40);
    EXPECT_EQ(s.SplashWindow()->Opacity(), 40);
    s.FadeIn(0, 1000, 250);
    EXPECT_EQ(s.SplashWindow()->Opacity(), 250);
    s.FadeIn(-5, 1000, 10);
    EXPECT_EQ(s.SplashWindow()->Opacity(), 10);
    EXPECT_TRUE(pauses.empty());
    s.FadeIn(50, 2, 255);
    EXPECT_EQ(s.SplashWindow()->Opacity(), 255);
    EXPECT_EQ(pauses, (std::vector<int>{6, 6, 6, 6}));
    pauses.clear();
    s.Hide(); // 255 down by 20 while above 30, then 10
    EXPECT_EQ(pauses.size(), 12u);
    EXPECT_FALSE(s.Showing());
}

TEST_F(Window, TimeOutClosesAndTheFocusGoesBackWithoutInput)
{
    fw::FakeTimerScope timers;
    QWidget main;
    main.show();
    TFxSmoothSplashScreen s;
    s.DisplayStyle = dsNormal;
    s.CloseOnTimeout = true;
    s.TimeOut = 100;
    s.FocusParentForm = true;
    s.SetMainForm(&main);
    s.Show();
    ASSERT_TRUE(s.Showing());
    timers.Fake.Advance(100);
    EXPECT_FALSE(s.Showing());
    timers.Fake.Advance(20); // the focus timer: once, then off
    EXPECT_EQ(timers.Fake.ActiveCount(), 0u);
}

TEST_F(Window, RemovedComponentsAreForgotten)
{
    TFxSmoothSplashScreen s;
    TGDIPPictureContainer pictures;
    fw::TCustomImageList images(8, 8);
    s.PictureContainer = &pictures;
    s.Images = &images;
    s.Notification(&images);
    EXPECT_EQ(s.Images, nullptr);
    EXPECT_EQ(s.PictureContainer, &pictures);
    s.Notification(&pictures);
    EXPECT_EQ(s.PictureContainer, nullptr);
}
