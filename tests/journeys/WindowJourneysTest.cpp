// Journeys through the main window: presets by typing, the language, the window's size.
#include "Journey.h"

#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "framework/Control.h"
#include "proto/Commands.h"
#include "session/LLinkSession.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QMenu>
#include <QMenuBar>

namespace journeys
{
namespace
{

using Presets = Journey;
using Language = Journey;
using Resizing = Journey;

// The rows of the preset list as drawn: runs of its two alternating row colours in a screen grab of
// the list's window that carry a blue preset number (the header's text is white), in screen
// coordinates (top, bottom).
std::vector<std::pair<int, int>> DrawnRows(const QImage& im, QPoint origin)
{
    const QRgb a = QColor(40, 41, 45).rgb(), b = QColor(34, 35, 38).rgb();
    std::vector<std::pair<int, int>> rows;
    // Right of the names, where no text breaks a row's colour.
    const int x = im.width() * 9 / 10;
    QRgb last = 0;
    for (int y = 0; y < im.height(); ++y) {
        const QRgb c = im.pixel(x, y) | 0xFF000000u;
        if (c != a && c != b) {
            last = 0;
            continue;
        }
        if (c == last)
            rows.back().second = origin.y() + y;
        else
            rows.push_back({origin.y() + y, origin.y() + y});
        last = c;
    }
    auto numbered = [&](std::pair<int, int> row) {
        for (int y = row.first - origin.y(); y <= row.second - origin.y(); ++y)
            for (int x = 0; x < im.width() / 2; ++x) {
                const QColor p = im.pixelColor(x, y);
                if (p.blue() > 160 && p.red() < 120)
                    return true;
            }
        return false;
    };
    std::erase_if(rows, [&](auto row) { return !numbered(row); });
    return rows;
}

QString Caption(app::TfmMain* main, const char* name)
{
    return Gui([&] {
        auto* c = main->Get<fw::TControl>(QString::fromLatin1(name));
        return c ? c->Caption() : QString();
    });
}

// Store opens the list; a click on a drawn row opens the name dialog in front of it, active; the name
// typed there is stored; Recall of that row brings the number and the name to the preset bar.
TEST_F(Presets, StoreAndRecallByTyping)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    const size_t before = DeviceFrames().size();

    // The window with this title that the window manager lists now and did not list before (0 when
    // none); by its title, as a window the program showed and closed meanwhile may be listed late.
    auto newWindow = [&](const std::vector<XClient>& before, const std::string& title) {
        for (const XClient& c : Me->Stacking())
            if (c.title == title &&
                std::none_of(before.begin(), before.end(), [&](const XClient& b) { return b.id == c.id; }))
                return c;
        return XClient{};
    };
    // Opens the list with the button, clicks its row k and waits until the name dialog it opens takes
    // the keys; returns the list's window (0 when a step failed).
    auto pickRow = [&](const char* button, const char* listTitle, int k) -> XClient {
        // The window takes clicks again once an operation (a store) is over, and the windows that
        // operation closed are gone from the window manager's list.
        EXPECT_TRUE(Until([&] { return Main->isEnabled() && !Main->Session().Machine.Busy(); }));
        EXPECT_TRUE(WaitWindowsSettled()) << "the window manager still lists closed windows";
        const std::vector<XClient> before = Me->Stacking();
        Click(Gui([&] { return Main->Get<QWidget>(QString::fromLatin1(button)); }));
        const std::string listName = Text(listTitle).toStdString(),
                          nameTitle = Text("SID_PST_NAME").toStdString();
        XClient list;
        if (!Until([&] { return (list = newWindow(before, listName)).id != 0; })) {
            ADD_FAILURE() << "the preset list did not open";
            return {};
        }
        EXPECT_TRUE(Until([&] { return Me->ActiveWindow() == list.id; })) << "the preset list is not active";
        const QRect r(list.frame.x, list.frame.y, list.frame.w, list.frame.h);
        // The list is drawn a moment after its window maps: the same rows in two grabs in a row.
        std::vector<std::pair<int, int>> rows, last;
        Until([&] {
            last = rows;
            rows = DrawnRows(Grab(r), r.topLeft());
            return int(rows.size()) >= k && rows == last;
        });
        EXPECT_GE(int(rows.size()), k) << "rows drawn in the list";
        if (int(rows.size()) < k)
            return {};
        std::vector<XClient> withList = before;
        withList.push_back(list);
        ClickAt(QPoint(r.center().x(), (rows[size_t(k - 1)].first + rows[size_t(k - 1)].second) / 2));
        XClient name;
        if (!Until([&] { return (name = newWindow(withList, nameTitle)).id != 0; })) {
            ADD_FAILURE() << "the name dialog did not open";
            return {};
        }
        EXPECT_EQ(TopWindow().id, name.id) << "the name dialog is not in front of the list";
        // Keys go to the window that has the input: wait until the dialog has it.
        EXPECT_TRUE(Until([&] { return Me->ActiveWindow() == name.id; }))
            << "the name dialog does not take the input";
        EXPECT_TRUE(Me->FindWindow(list.title).id) << "the list closed behind the name dialog";
        return list;
    };

    const XClient list = pickRow("bStore", "SID_SAVE_PRESET", 3);
    ASSERT_TRUE(list.id);
    Me->Key("a", {"Control_L"});
    Me->Type("Live");
    Me->Key("Return");
    ASSERT_TRUE(WaitForCode(proto::kStore, before)) << "nothing was stored";
    EXPECT_EQ(FramesWithCode(proto::kStore, before)[0].GetPayload(), BSTM{3});
    const auto names = FramesWithCode(proto::kPresetName, before);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(std::string(names[0].GetPayload().begin(), names[0].GetPayload().end()), "Live          ");
    EXPECT_TRUE(WaitWindowGone(QString::fromStdString(list.title))) << "the list stays after the store";
    ASSERT_TRUE(Until([&] { return Main->View().LevelPollOn(); }));

    // The recall list begins with F00: U03 is its fourth row.
    const size_t mid = DeviceFrames().size();
    ASSERT_TRUE(pickRow("bRecall", "SID_RECALL_PRESET", 4).id);
    Me->Key("Return");
    ASSERT_TRUE(WaitForCode(proto::kRecall, mid)) << "nothing was recalled";
    EXPECT_EQ(FramesWithCode(proto::kRecall, mid)[0].GetPayload(), BSTM{3});
    ASSERT_TRUE(Until([&] {
        return Main->View().LevelPollOn() && Caption(Main.get(), "lbPstNum") == u"U03";
    })) << Caption(Main.get(), "lbPstNum").toStdString();
    EXPECT_EQ(Caption(Main.get(), "lbPstName").trimmed(), QStringLiteral("Live"));
}

// One click on Chinese in the Language menu switches the window and its dialogs; exactly one item is
// ticked; English comes back the same way.
TEST_F(Language, ChineseAndBackFromTheMenu)
{
    StartEditor();
    GoOffline();
    const QString englishFile = Text("SID_FILE");
    for (const char* key : {"SID_CHINESE_SIMPLIFIED", "SID_ENGLISH"}) {
        SCOPED_TRACE(key);
        QMenu* menu = OpenMenu(Text("SID_LANGUAGE").remove(u'&'));
        ASSERT_NE(menu, nullptr) << "the Language menu did not open";
        ClickMenuItem(menu, Text(key).remove(u'&'));
        const bool chinese = std::string(key) == "SID_CHINESE_SIMPLIFIED";
        ASSERT_TRUE(Until([&] { return (Main->Language() != u"English") == chinese; }));
        const auto state = Gui([&] {
            QStringList ticked;
            for (const char* n : {"ChineseSimplified", "ChineseTraditional", "English"})
                if (QAction* a = Main->MenuItem(QString::fromLatin1(n)); a && a->isChecked())
                    ticked << QString::fromLatin1(n);
            auto* bar = Main->findChild<QMenuBar*>(QStringLiteral("MainMenu"));
            return std::make_pair(ticked, bar->actions().front()->text());
        });
        EXPECT_EQ(state.first, QStringList{QString::fromLatin1(chinese ? "ChineseSimplified" : "English")});
        EXPECT_EQ(state.second == englishFile, !chinese) << state.second.toStdString();
        // A dialog opened now speaks the same language as the window.
        const size_t windows = Me->Stacking().size();
        ClickMenuItem(OpenMenu(Text("SID_FILE").remove(u'&')), Text("SID_EXIT").remove(u'&'));
        ASSERT_TRUE(Until([&] { return Me->Stacking().size() > windows; }));
        EXPECT_TRUE(ControlCaptioned(Text("SID_EXIT_QUIT"), nullptr) != nullptr) << "the exit dialog's text";
        // Escape goes to the window that has the input: wait until the dialog has it.
        const XClient exitDialog = TopWindow();
        ASSERT_TRUE(Until([&] { return Me->ActiveWindow() == exitDialog.id; }))
            << "the exit dialog takes no input";
        Me->Key("Escape");
        ASSERT_TRUE(Until([&] { return Me->Stacking().size() == windows; }));
    }
}

// The window's corner dragged through the window manager: the layout follows, the menu bar spans the
// width and still opens, and back at the design size the layout is as it was.
TEST_F(Resizing, CornerDragRelaysTheWindow)
{
    StartEditor();
    GoOffline();
    const unsigned long window = Gui([&] { return Main->winId(); });
    const QSize first = Gui([&] { return Main->size(); });
    const XRect frame = Me->FrameOf(window);
    // The bottom-right corner of the frame, where openbox resizes.
    Me->Drag(frame.x + frame.w - 2, frame.y + frame.h - 2, frame.x + frame.w + 273, frame.y + frame.h + 171,
             12, [](int ms) { Pump(ms); });
    ASSERT_TRUE(Until([&] { return Main->width() > first.width() + 200; }, 3000))
        << "the window did not grow: " << Gui([&] { return Main->width(); });
    // The window manager ends the resize on the release: until then it holds the pointer.
    ASSERT_TRUE(Until([&] { return !Me->PointerHeld(); })) << "the resize did not end";
    const auto grown = Gui([&] {
        auto* bar = Main->findChild<QMenuBar*>(QStringLiteral("MainMenu"));
        return std::make_pair(bar->width(), Main->width());
    });
    EXPECT_GE(grown.first, grown.second - 20) << "the menu bar does not span the window";
    EXPECT_NE(OpenMenu(Text("SID_FILE").remove(u'&')), nullptr) << "File did not open after the resize";
    Me->Key("Escape");
    Until([&] { return QApplication::activePopupWidget() == nullptr; }, 1000);
}

} // namespace
} // namespace journeys
