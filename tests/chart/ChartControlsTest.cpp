// The chart library's check box and radio group, the chart's table, transparency over the parent,
// colour schemes applied to a control, the data cursor's popup menu opened on the chart and the
// channel's Tag. Presses land where a grab of the control shows the thing pressed.
#include "ChartFixture.h"
#include "ErrorOf.h"
#include "PropertyTableCheck.h"

#include "chart/component/CheckBox.h"
#include "chart/component/RadioGroup.h"
#include "chart/objects/PlotTable.h"
#include "chart/view/XYPlot.h"
#include "framework/Events.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace
{

using namespace chart;
using namespace charttest;

// The bounding boxes of the connected areas of one colour (4-neighbourhood), in scan order.
std::vector<QRect> Blobs(const QImage& Image, fw::TColor Colour)
{
    const QImage img = Image.convertToFormat(QImage::Format_RGB32);
    const QRgb want = fw::ToQColor(Colour).rgb() | 0xFF000000u;
    const int W = img.width(), H = img.height();
    std::vector<char> seen(std::size_t(W * H), 0);
    std::vector<QRect> out;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (seen[std::size_t(y * W + x)] || (img.pixel(x, y) | 0xFF000000u) != want)
                continue;
            QRect box(x, y, 1, 1);
            std::vector<QPoint> stack{{x, y}};
            seen[std::size_t(y * W + x)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                box |= QRect(p, QSize(1, 1));
                for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (q.x() < 0 || q.y() < 0 || q.x() >= W || q.y() >= H ||
                        seen[std::size_t(q.y() * W + q.x())] || (img.pixel(q) | 0xFF000000u) != want)
                        continue;
                    seen[std::size_t(q.y() * W + q.x())] = 1;
                    stack.push_back(q);
                }
            }
            out.push_back(box);
        }
    return out;
}

void Mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)),
                  type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A press and a release, with no move between them.
void Click(QWidget* w, QPoint press, QPoint release, Qt::MouseButton button = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseButtonPress, press, button);
    Mouse(w, QEvent::MouseButtonRelease, release, button);
}

// Black pixels inside a rectangle of a picture.
int BlackIn(const QImage& image, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y).rgb() == QColor(Qt::black).rgb() ? 1 : 0;
    return n;
}

void Key(QWidget* w, int key, bool press)
{
    QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier,
                key == Qt::Key_Space ? " " : "");
    QApplication::sendEvent(w, &e);
}

// A parent painted in one colour, shown, holding the controls.
struct Parent : QWidget {
    Parent()
    {
        resize(400, 300);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0x20, 0x60, 0x40));
        setPalette(pal);
        setAutoFillBackground(true);
    }
};

// Made before the fixtures' widgets.
struct AppFirst {
    AppFirst() { EnsureApp(); }
};

class ChartControls : public ::testing::Test
{
  protected:
    void Show()
    {
        FParent.show();
        QApplication::processEvents();
    }
    AppFirst FApp;
    Parent FParent;
};

// The check box's box: the white square in its picture.
QRect BoxOf(TcCheckBox& box)
{
    for (const QRect& r : Blobs(box.grab().toImage(), fw::clWhite))
        if (r.width() >= 8 && r.height() >= 8)
            return r;
    return {};
}

struct Recorder {
    std::vector<std::string> Events;
    void Watch(TcCheckBox& b)
    {
        b.OnChange = [this](TcCheckBox*) { Events.push_back("change"); };
        b.OnChangeUser = [this](TcCheckBox*) { Events.push_back("user"); };
    }
    void Watch(TcRadioGroup& g)
    {
        g.OnChange = [this, &g](TcRadioGroup*) {
            Events.push_back("change " + std::to_string(g.ItemIndex()));
        };
        g.OnChangeUser = [this](TcRadioGroup*) { Events.push_back("user"); };
    }
};

TEST_F(ChartControls, CheckBoxTogglesOnAReleaseInsideOnlyAndTellsUserChanges)
{
    auto* box = new TcCheckBox(&FParent);
    box->SetBounds(20, 20, 120, 20);
    Show();
    const QRect square = BoxOf(*box);
    ASSERT_FALSE(square.isNull()) << "the box is drawn";
    Recorder r;
    r.Watch(*box);

    Click(box, square.center(), QPoint(box->Width() + 30, square.center().y()));
    EXPECT_FALSE(box->Checked()) << "released outside";
    EXPECT_TRUE(r.Events.empty());

    EXPECT_EQ(BlackIn(box->grab().toImage(), square), 0);
    Click(box, square.center(), square.center());
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(r.Events, (std::vector<std::string>{"change", "user"}));
    EXPECT_GE(BlackIn(box->grab().toImage(), square), 15) << "the check mark shows";

    r.Events.clear();
    Click(box, square.center(), square.center(), Qt::RightButton);
    EXPECT_TRUE(box->Checked()) << "only the left button toggles";

    Key(box, Qt::Key_Space, true);
    Key(box, Qt::Key_Space, false);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(r.Events, (std::vector<std::string>{"change", "user"}));
}

TEST_F(ChartControls, CheckBoxCodeChangesAndRefusedEdits)
{
    TcCheckBox box(&FParent);
    Recorder r;
    r.Watch(box);
    box.SetChecked(true);
    EXPECT_EQ(r.Events, std::vector<std::string>{"change"}) << "a change from code is not a user change";
    r.Events.clear();
    std::vector<QString> asked;
    box.OnRequestEdit = [&](TcComponent*, const QString& name, bool& canEdit) {
        asked.push_back(name);
        canEdit = false;
    };
    box.SetChecked(false);
    EXPECT_TRUE(box.Checked());
    EXPECT_TRUE(r.Events.empty());
    EXPECT_EQ(asked, std::vector<QString>{"Checked"});
    box.SetChecked(true);
    EXPECT_EQ(asked.size(), 1u) << "no request without a change";
}

TEST_F(ChartControls, CheckBoxAutoSizeFollowsTheCaption)
{
    MetricsScope metrics;
    struct Case {
        const char* name;
        TLeftRight alignment;
        int left, width;
    };
    for (const Case& c :
         {Case{"box at the left keeps the left edge", taRightJustify, 50, 6 * 4 + 20},
          Case{"box at the right keeps the right edge", taLeftJustify, 50 + 97 - 44, 6 * 4 + 20}}) {
        SCOPED_TRACE(c.name);
        TcCheckBox box(&FParent);
        EXPECT_EQ(box.Width(), 97) << "construction does not size";
        box.SetBounds(50, 10, 97, 17);
        box.SetAlignment(c.alignment);
        box.SetCaption(QStringLiteral("Mute"));
        EXPECT_EQ(box.Left(), c.left);
        EXPECT_EQ(box.Width(), c.width);
        EXPECT_EQ(box.Height(), 13 + 4);
    }
    TcCheckBox fixed(&FParent);
    fixed.SetAutoSize(false);
    fixed.SetCaption(QStringLiteral("A much longer caption"));
    EXPECT_EQ(fixed.Width(), 97);
}

// The items' buttons: white squares below the caption, in item order (columns fill downwards).
std::vector<QPoint> ItemButtons(TcRadioGroup& g)
{
    std::vector<QRect> found;
    for (const QRect& r : Blobs(g.grab().toImage(), fw::clWhite))
        if (r.width() <= 9 && r.height() <= 9 && r.width() >= 5 && r.height() >= 5)
            found.push_back(r);
    std::sort(found.begin(), found.end(), [](const QRect& a, const QRect& b) {
        return a.left() / 20 != b.left() / 20 ? a.left() < b.left() : a.top() < b.top();
    });
    std::vector<QPoint> out;
    for (const QRect& r : found)
        out.push_back(r.center());
    return out;
}

TEST_F(ChartControls, RadioGroupSelectsThePressedItemWhenReleasedOnIt)
{
    auto* g = new TcRadioGroup(&FParent);
    g->SetBounds(10, 10, 300, 120);
    g->SetItems({"Low", "Mid", "High", "Top"});
    g->SetColumns(2);
    Show();
    std::vector<QPoint> items = ItemButtons(*g);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_LT(items[0].x(), items[2].x()) << "the third item starts the second column";
    EXPECT_EQ(items[0].y(), items[2].y());
    Recorder r;
    r.Watch(*g);

    Click(g, items[3], items[1]);
    EXPECT_EQ(g->ItemIndex(), 0) << "pressed on one item, released on another";
    EXPECT_TRUE(r.Events.empty());

    Click(g, items[3], items[3]);
    EXPECT_EQ(g->ItemIndex(), 3);
    EXPECT_EQ(r.Events, (std::vector<std::string>{"change 3", "user"}));

    r.Events.clear();
    Click(g, items[2] + QPoint(0, 2), items[2] + QPoint(0, 2));
    EXPECT_EQ(g->ItemIndex(), 2) << "a press near the button's centre";
}

TEST_F(ChartControls, RadioGroupKeysWrapAndAreNotUserChanges)
{
    auto* g = new TcRadioGroup(&FParent);
    g->SetItems({"A", "B", "C"});
    Recorder r;
    r.Watch(*g);
    struct Step {
        const char* name;
        int start, key, want;
    };
    for (const Step& s : {Step{"down on the last goes to the first", 2, Qt::Key_Down, 0},
                          Step{"right steps on", 0, Qt::Key_Right, 1},
                          Step{"up on the first goes to the last", 0, Qt::Key_Up, 2},
                          Step{"up with none keeps none", -1, Qt::Key_Up, -1},
                          Step{"down with none takes the first", -1, Qt::Key_Down, 0}}) {
        SCOPED_TRACE(s.name);
        g->SetItemIndex(s.start);
        r.Events.clear();
        Key(g, s.key, true);
        Key(g, s.key, false);
        EXPECT_EQ(g->ItemIndex(), s.want);
        for (const std::string& e : r.Events)
            EXPECT_NE(e, "user");
    }
}

TEST_F(ChartControls, RadioGroupIndexAndLayoutRules)
{
    TcRadioGroup g(&FParent);
    EXPECT_EQ(g.ItemIndex(), 0) << "before any items change";
    g.SetItems({});
    EXPECT_EQ(g.ItemIndex(), -1);
    g.SetItems({"a", "b", "c"});
    g.SetItemIndex(10);
    EXPECT_EQ(g.ItemIndex(), 2);
    g.SetItems({});
    EXPECT_EQ(g.ItemIndex(), -1);
    g.SetColumns(0);
    EXPECT_EQ(g.Columns(), 1) << "below 1 is ignored";

    const TcRadioGroupLayout l = RadioGroupLayout(200, 100, 13, 7, 3);
    EXPECT_EQ(l.MaxRows, 3);
    const TPoint first = RadioItemCentre(l, 0), sixth = RadioItemCentre(l, 6), third = RadioItemCentre(l, 2);
    EXPECT_EQ(sixth.Y, first.Y) << "item 6 sits in row 0";
    EXPECT_EQ(sixth.X, first.X + 2 * int(l.ColSpacing)) << "in column 2";
    EXPECT_EQ(third.X, first.X);
}

TEST_F(ChartControls, ShortRadioGroupNeverDividesByAZeroSpacing)
{
    auto* g = new TcRadioGroup(&FParent);
    g->SetItems({"On", "Off"});
    Recorder r;
    r.Watch(*g);
    Click(g, QPoint(20, 10), QPoint(20, 10));
    EXPECT_EQ(g->ItemIndex(), 0) << "before the first paint nothing is under the mouse";
    Show();
    (void)g->grab();
    EXPECT_LE(g->LastLayout().RowSpacing, 0) << "17 pixels leave no room for two rows";
    EXPECT_EQ(RadioGroupHitTest(g->LastLayout(), 20, 10), -1);
    Click(g, QPoint(20, 10), QPoint(20, 10));
    EXPECT_EQ(g->ItemIndex(), 0);
    EXPECT_TRUE(r.Events.empty());
    TcRadioGroupLayout columns = RadioGroupLayout(10, 100, 13, 4, 2);
    EXPECT_LE(columns.ColSpacing, 0);
    EXPECT_EQ(RadioGroupHitTest(columns, 5, 30), -1);
}

TEST_F(ChartControls, ControlsPaintOverTheirParentsPicture)
{
    auto* box = new TcCheckBox(&FParent);
    box->SetBounds(30, 30, 120, 20);
    auto* g = new TcRadioGroup(&FParent);
    g->SetBounds(30, 80, 200, 80);
    g->SetItems({"A", "B"});
    Show();
    const QColor parent(0x20, 0x60, 0x40);
    for (TcCustomComponent* c : std::initializer_list<TcCustomComponent*>{box, g}) {
        const QImage img = c->grab().toImage();
        EXPECT_TRUE(c->Transparent());
        EXPECT_EQ(img.pixelColor(c->Width() - 4, c->Height() / 2 - 1).rgb(), parent.rgb())
            << c->metaObject()->className();
    }
    box->SetBounds(40, 30, 120, 20);
    EXPECT_TRUE(box->TransparentCapturePending()) << "a move takes the parent's picture again";
    (void)box->grab();
    EXPECT_FALSE(box->TransparentCapturePending());
}

TEST_F(ChartControls, SchemesLoadFromBothFilesAndApplyWholeOrNotAtAll)
{
    QTemporaryDir lib, user;
    auto write = [](const QString& path, const char* text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write(lib.filePath("TcCheckBox.xml"),
          "<SchemeTypes>\r\n<SchemeType>\r\n<Name>Colours</Name>\r\n"
          "<Scheme>\r\n<Name>Red</Name>\r\n<Properties>\r\n<Font.Color>255</Font.Color>\r\n"
          "<checked>5</checked>\r\n</Properties>\r\n</Scheme>\r\n"
          "<Scheme>\r\n<Name>Broken</Name>\r\n<Properties>\r\n<Caption>Changed</Caption>\r\n"
          "<Font.Color>red</Font.Color>\r\n</Properties>\r\n</Scheme>\r\n"
          "</SchemeType>\r\n</SchemeTypes>\r\n");
    write(user.filePath("TcCheckBoxUser.xml"),
          "<SchemeTypes>\r\n<SchemeType>\r\n<Name>colours</Name>\r\n"
          "<Scheme>\r\n<Name>Off</Name>\r\n<Properties>\r\n<Checked>false</Checked>\r\n"
          "</Properties>\r\n</Scheme>\r\n</SchemeType>\r\n</SchemeTypes>\r\n");
    SetThemeSettings([&](bool currentUser, const QString& name) {
        if (currentUser)
            return name.startsWith(QLatin1String("User")) ? user.path() : QString();
        return name.startsWith(QLatin1String("Library")) ? lib.path() : QStringLiteral("/nonexistent");
    });
    TcCheckBox box(&FParent);
    QString error;
    const bool loaded = box.LoadThemes(&error);
    SetThemeSettings(nullptr);
    ASSERT_TRUE(loaded) << error.toStdString();
    ASSERT_EQ(box.GetThemeCategoryCount(), 1);
    EXPECT_EQ(box.GetThemeCategorySchemeCount(0), 3);
    EXPECT_FALSE(box.GetThemeCategorySchemeIsUser(0, 0));
    EXPECT_TRUE(box.GetThemeCategorySchemeIsUser(0, 2));

    EXPECT_TRUE(box.ApplyScheme(0, 0, &error)) << error.toStdString();
    EXPECT_EQ(box.Font().Color(), 255) << "Font.Color = 255 makes the font red";
    EXPECT_TRUE(box.Checked()) << "a Boolean takes 5 as true";
    EXPECT_TRUE(box.ApplyScheme(0, 2));
    EXPECT_FALSE(box.Checked());

    EXPECT_FALSE(box.ApplyScheme(0, 1, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(box.Caption(), "Caption") << "a scheme with a bad value changes nothing";
    EXPECT_FALSE(box.ApplyScheme(3, 0));

    write(user.filePath("TcCheckBoxUser.xml"), "<SchemeTypes>\r\n<Oops>\r\n</SchemeTypes>\r\n");
    SetThemeSettings([&](bool currentUser, const QString& name) {
        return currentUser ? QString() : name.startsWith(QLatin1String("Library")) ? lib.path() : user.path();
    });
    EXPECT_FALSE(box.LoadThemes(&error));
    SetThemeSettings(nullptr);
    EXPECT_EQ(error, "Error Loading Scheme. XML File Malformed");
    EXPECT_EQ(box.GetThemeCategorySchemeCount(0), 2) << "the built-in schemes stay";
}

class ChartTable : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        FChart = new TcXYPlot(&FWindow);
        FChart->SetBounds(0, 0, 600, 300);
        // No toolbar buttons beside the table's.
        FChart->GetToolBar(0)->SetVisible(false);
        FTable = FChart->GetTable(FChart->AddTable());
        FTable->AddColumn(QStringLiteral("Band"));
        FTable->AddColumn(QStringLiteral("Gain"));
        FWindow.resize(600, 300);
        FWindow.show();
        QApplication::processEvents();
    }
    void Rows(int n)
    {
        for (int i = 0; i < n; ++i) {
            const int row = FTable->AddRow();
            FTable->SetCellText(0, row, QString::number(row + 1));
            FTable->SetCellText(1, row, QStringLiteral("%1 dB").arg(row - 3));
        }
    }
    // The scroll buttons: the button-face squares the table draws (the triangle may split a face in
    // two), up first.
    std::vector<QPoint> Buttons()
    {
        std::vector<QPoint> out;
        for (const QRect& r : Blobs(FChart->grab().toImage(), fw::clBtnFace))
            if (r.width() >= 12 && r.width() <= 20 && r.height() >= 12 && r.height() <= 20 &&
                std::none_of(out.begin(), out.end(),
                             [&](QPoint p) { return (p - r.center()).manhattanLength() < 8; }))
                out.push_back(r.center());
        std::sort(out.begin(), out.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
        return out;
    }
    AppFirst FApp;
    QWidget FWindow;
    TcXYPlot* FChart = nullptr;
    TcPlotTable* FTable = nullptr;
};

TEST_F(ChartTable, ScrollButtonsPageThroughTheRows)
{
    FTable->SetRowsMax(3);
    Rows(10);
    std::vector<QPoint> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 2u) << "both buttons show";
    EXPECT_FALSE(FTable->UpButton().Enabled());
    EXPECT_TRUE(FTable->DownButton().Enabled());
    for (int i = 0; i < 7; ++i) {
        Click(FChart, buttons[1], buttons[1]);
        (void)FChart->grab();
    }
    EXPECT_EQ(FTable->RowDisplayStartIndex(), 7);
    EXPECT_FALSE(FTable->DownButton().Enabled()) << "the last row is shown";
    EXPECT_TRUE(FTable->UpButton().Enabled());
    Click(FChart, buttons[1], buttons[1]);
    (void)FChart->grab();
    EXPECT_EQ(FTable->RowDisplayStartIndex(), 7) << "no scrolling past the last row";

    FTable->DeleteRow(9);
    FTable->DeleteRow(8);
    (void)FChart->grab();
    EXPECT_EQ(FTable->RowDisplayStartIndex(), 5) << "the last row stays at the bottom";
    EXPECT_EQ(FTable->RowDisplayStopIndex(), 7);

    Click(FChart, buttons[0], buttons[0]);
    (void)FChart->grab();
    EXPECT_EQ(FTable->RowDisplayStartIndex(), 4);
}

TEST_F(ChartTable, SizesAndGridLines)
{
    MetricsScope metrics;
    QImage scratch(10, 10, QImage::Format_RGB32);
    QPainter painter(&scratch);
    fw::TCanvas canvas(painter);
    EXPECT_EQ(FTable->GetRequiredSize(canvas), 0) << "no rows";
    Rows(2);
    FTable->GetColumn(0).AutoSize = false;
    FTable->GetColumn(0).Width = 10;
    FTable->GetRequiredSize(canvas);
    EXPECT_EQ(FTable->GetColumn(0).WidthPixels, 60) << "ten widths of 0 of the data font";
    // Gain column: "-3 dB" is 5 characters: 30 + round(6 x 2) + 6; the title "Gain" gives less.
    EXPECT_EQ(FTable->GetColumn(1).WidthPixels, 48);
    EXPECT_EQ(FTable->GetRequiredSize(canvas), 6 + 6 + 60 + 48);

    (void)FChart->grab();
    const TRect grid = FTable->GridRect();
    auto lineAt = [&](int y) {
        const QImage img = FChart->grab().toImage();
        return img.pixelColor(grid.Left + 3, y).rgb() == QColor(Qt::white).rgb();
    };
    EXPECT_TRUE(lineAt(grid.Top));
    EXPECT_TRUE(lineAt(FTable->TitleRect().Bottom));
    FTable->SetColumnTitlesVisible(false);
    (void)FChart->grab();
    EXPECT_EQ(FTable->TitleRect().Height(), 0);
    EXPECT_TRUE(lineAt(FTable->GridRect().Top)) << "the top grid line stays";
    EXPECT_EQ(ErrorOf([&] { FTable->DeleteRow(5); }), "List index out of bounds (5)");
    EXPECT_EQ(ErrorOf([&] { FTable->GetColumn(2); }), "List index out of bounds (2)");
}

TEST(ChartTableProperties, TableMatchesItsPublishedList)
{
    EnsureApp();
    Host host;
    std::deque<std::unique_ptr<TcPlotTable>> made;
    auto make = [&]() -> fw::TPersistent* {
        const TcObjectHandler none = [](TcPersistent*) {};
        made.push_back(std::make_unique<TcPlotTable>(&host, TcPlotHandlers{none, none, none, none}));
        return made.back().get();
    };
    using T = TcPlotTable;
    auto via = [](auto f, auto v) { return [f, v](fw::TPersistent& o) { (static_cast<T&>(o).*f)(v); }; };
    std::vector<PropertyRow> rows = {
        {"Name", "", "Thing", via(&T::SetName, QStringLiteral("Thing"))},
        {"Visible", "True", "False", via(&T::SetVisible, false)},
        {"Enabled", "True", "False", via(&T::SetEnabled, false)},
        {"Layer", "100", "7", via(&T::SetLayer, 7)},
        {"PopupEnabled", "True", "False", via(&T::SetPopupEnabled, false)},
        {"CanFocus", "True", "False", via(&T::SetCanFocus, false)},
        {"Horizontal", "False", "True", via(&T::SetHorizontal, true)},
        {"ZOrder", "0", "4", via(&T::SetZOrder, 4)},
        {"StartPercent", "0", "20", via(&T::SetStartPercent, 20.0)},
        {"StopPercent", "100", "80", via(&T::SetStopPercent, 80.0)},
        {"MarginLeft", "1", "2.5", via(&T::SetMarginLeft, 2.5)},
        {"MarginTop", "1", "0", via(&T::SetMarginTop, 0.0)},
        {"MarginRight", "1", "3", via(&T::SetMarginRight, 3.0)},
        {"MarginBottom", "1", "0.5", via(&T::SetMarginBottom, 0.5)},
        {"GridBackGroundColor", "$808080", "$FF", via(&T::SetGridBackGroundColor, fw::TColor(0xFF))},
        {"GridBackGroundTransparent", "False", "True", via(&T::SetGridBackGroundTransparent, true)},
        {"GridLinesColor", "$FFFFFF", "0", via(&T::SetGridLinesColor, fw::TColor(0))},
        {"GridLinesShow", "True", "False", via(&T::SetGridLinesShow, false)},
        {"DataFont", "Color=$FFFFFF;Style=1", "Color=255",
         [](fw::TPersistent& o) { static_cast<T&>(o).DataFont().SetColor(255); }},
        {"ColumnSpacing", "2", "4", via(&T::SetColumnSpacing, 4.0)},
        {"RowSpacing", "0.5", "1", via(&T::SetRowSpacing, 1.0)},
        {"RowsMax", "0", "5", via(&T::SetRowsMax, 5)},
        {"ColumnTitlesVisible", "True", "False", via(&T::SetColumnTitlesVisible, false)},
        {"ColumnTitlesFont", "Color=$FFFF00;Style=1", "Color=255",
         [](fw::TPersistent& o) { static_cast<T&>(o).ColumnTitlesFont().SetColor(255); }},
    };
    CheckPropertyTable(make, rows);
}

TEST(ChartControlProperties, CheckBoxAndRadioGroupMatchTheirPublishedLists)
{
    EnsureApp();
    std::deque<std::unique_ptr<QWidget>> made;
    auto base = [](const char* caption) {
        return std::vector<PropertyRow>{
            {"OptionSaveAllProperties", "False", "True",
             [](fw::TPersistent& o) { dynamic_cast<TcComponent&>(o).SetOptionSaveAllProperties(true); }},
            {"AutoFrameRate", "False", "True",
             [](fw::TPersistent& o) { dynamic_cast<TcComponent&>(o).SetAutoFrameRate(true); }},
            {"UpdateFrameRate", "60", "30",
             [](fw::TPersistent& o) { dynamic_cast<TcComponent&>(o).SetUpdateFrameRate(30); }},
            {"Width", "97", "120", [](fw::TPersistent& o) { dynamic_cast<TcComponent&>(o).SetWidth(120); }},
            {"Height", "17", "30", [](fw::TPersistent& o) { dynamic_cast<TcComponent&>(o).SetHeight(30); }},
            {"TabStop", "True", "False",
             [](fw::TPersistent& o) { dynamic_cast<TcComponent&>(o).SetTabStop(false); }},
            {"BackGroundColor", "$FF00000F", "255",
             [](fw::TPersistent& o) { dynamic_cast<TcComponent&>(o).SetBackGroundColor(255); }},
            {"Caption", caption, "Other",
             [](fw::TPersistent& o) { dynamic_cast<TcComponent&>(o).SetCaption(QStringLiteral("Other")); }},
            {"Font", "Color=$FF000008", "Color=255",
             [](fw::TPersistent& o) { dynamic_cast<TcComponent&>(o).Font().SetColor(255); }},
        };
    };
    std::vector<PropertyRow> box = base("Caption");
    box.insert(box.end(),
               {{"Checked", "False", "True",
                 [](fw::TPersistent& o) { dynamic_cast<TcCheckBox&>(o).SetChecked(true); }},
                {"Alignment", "taRightJustify", "taLeftJustify",
                 [](fw::TPersistent& o) { dynamic_cast<TcCheckBox&>(o).SetAlignment(taLeftJustify); }},
                {"AutoSize", "True", "False",
                 [](fw::TPersistent& o) { dynamic_cast<TcCheckBox&>(o).SetAutoSize(false); }}});
    CheckPropertyTable(
        [&]() -> fw::TPersistent* {
            auto* b = new TcCheckBox;
            made.emplace_back(b);
            return b;
        },
        box);
    std::vector<PropertyRow> group = base("Radio Group");
    group.insert(group.end(), {{"ItemIndex", "0", "-1",
                                [](fw::TPersistent& o) { dynamic_cast<TcRadioGroup&>(o).SetItemIndex(-1); }},
                               {"Columns", "1", "3",
                                [](fw::TPersistent& o) { dynamic_cast<TcRadioGroup&>(o).SetColumns(3); }}});
    CheckPropertyTable(
        [&]() -> fw::TPersistent* {
            auto* g = new TcRadioGroup;
            made.emplace_back(g);
            return g;
        },
        group);
}

TEST(ChartCursorMenu, RightClickOnThePointerOpensTheCursorMenu)
{
    EnsureApp();
    QWidget window;
    window.resize(600, 400);
    auto* chart = new TcXYPlot(&window);
    chart->SetBounds(0, 0, 600, 400);
    chart->AddChannel();
    for (int i = 0; i <= 100; ++i)
        chart->GetChannel(0)->AddXY(i, 50);
    TcPlotDataCursor* cursor = chart->GetDataCursor(0);
    cursor->SetVisible(true);
    cursor->SetHintShow(false);
    cursor->SetUseChannelColor(false);
    cursor->SetPointer1Position(30);
    window.show();
    QApplication::processEvents();

    // The pointer: the tallest yellow column in the chart's picture.
    const QImage img = chart->grab().toImage();
    int bestX = -1, bestN = 0, midY = 0;
    for (int x = 0; x < img.width(); ++x) {
        int n = 0, sumY = 0;
        for (int y = 0; y < img.height(); ++y)
            if (img.pixelColor(x, y).rgb() == QColor(255, 255, 0).rgb()) {
                ++n;
                sumY += y;
            }
        if (n > bestN) {
            bestN = n;
            bestX = x;
            midY = sumY / n;
        }
    }
    ASSERT_GT(bestN, 100) << "the pointer line is drawn";
    Click(chart, QPoint(bestX, midY), QPoint(bestX, midY), Qt::RightButton);
    QApplication::processEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "a menu opened";
    QStringList titles;
    for (QAction* a : menu->actions())
        if (a->isVisible())
            titles << a->text();
    EXPECT_EQ(titles, QStringList({"Channel", "Style", "Options", "Edit..."}));
    EXPECT_LT((menu->pos() - chart->mapToGlobal(QPoint(bestX, midY))).manhattanLength(), 40)
        << "the menu opens at the pointer";
    // Choosing a style through the menu changes the cursor.
    QMenu* style = menu->actions()[1]->menu();
    ASSERT_NE(style, nullptr);
    style->actions()[ipcsDeltaX]->trigger();
    EXPECT_EQ(cursor->Style(), ipcsDeltaX);
    menu->close();
    QApplication::processEvents();
}

TEST(ChartChannelTag, TagHoldsAnyValueAndStaysOutOfFilesAndPaths)
{
    EnsureApp();
    Host host;
    host.Master().AddChannel();
    TestChannel* c = host.Channel();
    EXPECT_FALSE(c->Tag().isValid()) << "unassigned at first";
    c->SetTag(QVariant(QStringLiteral("left monitor")));
    EXPECT_EQ(c->Tag().toString(), "left monitor");
    c->SetTag(QVariant(42));
    EXPECT_EQ(c->Tag().toInt(), 42);
    QStringList lines;
    SavePropertiesToList(*c, QString(), lines, false);
    for (const QString& l : lines)
        EXPECT_FALSE(l.startsWith(QLatin1String("Tag "))) << l.toStdString();
    EXPECT_TRUE(SetPropertyByPath(*c, QString(), QStringLiteral("7"), QStringLiteral("Tag")));
    EXPECT_EQ(c->Tag().toInt(), 42);
}

} // namespace
