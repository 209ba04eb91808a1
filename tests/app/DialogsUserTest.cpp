// The dialogs as a person uses them: clicks at drawn positions and keys delivered to the top-level
// windows (QTest on the QWindow, so modality, shortcuts and focus take part), the window on the test
// device where the device must see the result.
#include "WindowOnDevice.h"
#include "app/dialogs/DeviceDialogs.h"
#include "app/dialogs/NetworkSetupDialog.h"
#include "app/dialogs/ScanDialog.h"
#include "app/main/LinkController.h"
#include "app/main/MainSessionView.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "proto/Commands.h"
#include "proto/LCmd.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace app;

namespace
{

// Modal dialogs are shown as the modal loop shows them, without running the loop.
struct ModalWindows {
    ModalWindows()
    {
        TDialogForm::ModalRunner = [](TDialogForm* d) { d->ShowModalWindow(); };
    }
    ~ModalWindows() { TDialogForm::ModalRunner = nullptr; }
};

void Click(QWidget* w, QPoint at)
{
    QWidget* top = w->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, at));
}

void ClickCentre(QWidget* w)
{
    Click(w, w->rect().center());
}

void TypeInto(QWidget* top, const QString& text)
{
    for (QChar c : text)
        QTest::keyClick(top->windowHandle(), c.toLatin1());
}

bool Active(QWidget* w)
{
    return QTest::qWaitForWindowActive(w, 2000);
}

// The rows of the preset grid as drawn: runs of the two alternating row colours below the title,
// found in a grab of the grid.
std::vector<std::pair<int, int>> DrawnRows(QWidget* grid)
{
    const QImage im = grid->grab().toImage();
    const QRgb a = QColor(40, 41, 45).rgb(), b = QColor(34, 35, 38).rgb();
    std::vector<std::pair<int, int>> rows;
    const int x = 4;
    for (int y = 0; y < im.height(); ++y) {
        const QRgb c = im.pixel(x, y) | 0xFF000000u;
        if (c != a && c != b)
            continue;
        if (!rows.empty() && rows.back().second == y - 1 && (im.pixel(x, y - 1) | 0xFF000000u) == c)
            rows.back().second = y;
        else
            rows.push_back({y, y});
    }
    return rows;
}

class DialogsAsUser : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        rig = std::make_unique<testapp::WindowOnDevice>();
        rig->Main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(rig->Main.get()));
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = dynamic_cast<TDialogForm*>(w); d && d->isVisible())
                d->Close();
        rig.reset();
    }
    TDeviceDialogs& D() { return *rig->Main->DeviceDialogs(); }
    std::vector<std::vector<uint8_t>> Frames(int code)
    {
        std::vector<std::vector<uint8_t>> out;
        for (const BSTM& f : rig->Device.ReceivedFrames()) {
            const LCmd c(f);
            if (c.GetCode() == code)
                out.emplace_back(c.GetPayload().begin(), c.GetPayload().end());
        }
        return out;
    }
    QString Caption(const char* name)
    {
        auto* c = rig->Main->Get<fw::TControl>(QString::fromLatin1(name));
        return c ? c->Caption() : QString();
    }
    // Opens Store or Recall from the main window and clicks the drawn row k (1 = the first).
    TfmStoreName* PickRow(bool recall, int k)
    {
        auto* button = rig->Main->Get<QWidget>(recall ? QStringLiteral("bRecall") : QStringLiteral("bStore"));
        EXPECT_NE(button, nullptr);
        if (!button)
            return nullptr;
        ClickCentre(button);
        TfmPresetList* list = recall ? D().fmRecallPreset.get() : D().fmStorePreset.get();
        EXPECT_TRUE(list->isVisible());
        EXPECT_TRUE(Active(list));
        const auto rows = DrawnRows(list->vledPresetName);
        EXPECT_GE(int(rows.size()), k);
        if (int(rows.size()) < k)
            return nullptr;
        const auto [top, bottom] = rows[std::size_t(k - 1)];
        Click(list->vledPresetName, QPoint(list->vledPresetName->width() / 2, (top + bottom) / 2));
        return D().fmStoreName.get();
    }
    ModalWindows modal;
    std::unique_ptr<testapp::WindowOnDevice> rig;
};

TEST_F(DialogsAsUser, StoreByTypingTheNameInFrontOfTheList)
{
    ASSERT_TRUE(rig->ConnectTcp());
    rig->Device.ClearReceived();
    TfmStoreName* name = PickRow(false, 3);
    ASSERT_NE(name, nullptr);
    TfmPresetList* list = D().fmStorePreset.get();
    ASSERT_TRUE(name->isVisible()) << "a click on a row opens the name dialog";
    ASSERT_TRUE(Active(name)) << "the name dialog takes the input";
    EXPECT_EQ(QApplication::activeModalWidget(), name);
    EXPECT_EQ(name->windowHandle()->transientParent(), list->windowHandle()) << "in front of the list";
    EXPECT_TRUE(list->isVisible()) << "the list stays open behind it";
    EXPECT_EQ(name->lTitle->Caption(), QStringLiteral("U03 : "));
    ASSERT_EQ(QApplication::focusWidget(), name->edName->InnerEdit());
    TypeInto(name, QStringLiteral("Live"));
    EXPECT_EQ(name->edName->Text(), QStringLiteral("Live")) << "typing goes to the name, not the list";
    QTest::keyClick(name->windowHandle(), Qt::Key_Return);
    EXPECT_FALSE(name->isVisible());
    ASSERT_TRUE(rig->Until([&] { return !Frames(proto::kStore).empty(); }));
    const std::vector<uint8_t> want{'L', 'i', 'v', 'e', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    ASSERT_EQ(Frames(proto::kPresetName).size(), 1u);
    EXPECT_EQ(Frames(proto::kPresetName)[0], want);
    EXPECT_EQ(Frames(proto::kStore), (std::vector<std::vector<uint8_t>>{{3}}));
}

TEST_F(DialogsAsUser, RecallShowsTheRecalledNumberAndName)
{
    ASSERT_TRUE(rig->ConnectTcp());
    EXPECT_EQ(Caption("lbPstNum"), QStringLiteral("F00"));
    auto store = [&](int k, const QString& text) {
        TfmStoreName* name = PickRow(false, k);
        ASSERT_NE(name, nullptr);
        ASSERT_TRUE(Active(name));
        name->edName->InnerEdit()->selectAll();
        TypeInto(name, text);
        QTest::keyClick(name->windowHandle(), Qt::Key_Return);
        ASSERT_TRUE(rig->Until([&] { return !rig->Main->Session().Machine.Busy(); }));
    };
    store(14, QStringLiteral("Fourteen"));
    store(2, QStringLiteral("Two"));
    EXPECT_EQ(Caption("lbPstNum"), QStringLiteral("U02"));

    // Recall row 15: F00 is the first row of the recall list.
    TfmStoreName* name = PickRow(true, 15);
    ASSERT_NE(name, nullptr);
    ASSERT_TRUE(Active(name));
    EXPECT_EQ(name->lTitle->Caption(), QStringLiteral("U14 : "));
    QTest::keyClick(name->windowHandle(), Qt::Key_Return);
    ASSERT_TRUE(rig->Until([&] {
        return rig->Main->Session().Machine.PresetNumber() == 14 && !rig->Main->Session().Machine.Busy() &&
               rig->Main->View().LevelPollOn();
    }));
    EXPECT_EQ(Caption("lbPstNum"), QStringLiteral("U14"));
    EXPECT_EQ(Caption("lbPstName").trimmed(), QStringLiteral("Fourteen"));
}

TEST_F(DialogsAsUser, ADialogFromADialogStandsInFrontOfIt)
{
    TfmNetwork& scan = *rig->Main->Link().LinkDialogs().fmNetwork;
    TfmNetworkSetup& setup = *rig->Main->Link().LinkDialogs().fmNetworkSetup;
    TfmInformation& info = *rig->Main->Dialogs()->fmInformation;
    scan.ShowScan();
    ASSERT_TRUE(Active(&scan));
    EXPECT_EQ(scan.windowHandle()->transientParent(), rig->Main->windowHandle());
    ClickCentre(scan.btnId);
    ASSERT_TRUE(setup.isVisible()) << "the set-up opens from the scan dialog";
    EXPECT_EQ(setup.windowHandle()->transientParent(), scan.windowHandle());
    ASSERT_TRUE(Active(&setup)) << "not blocked by the scan dialog";

    // A message from the set-up stands in front of the set-up.
    setup.edId->setFocus();
    setup.edId->selectAll();
    TypeInto(&setup, QStringLiteral("0"));
    QTest::keyClick(setup.windowHandle(), Qt::Key_Return); // Set, with an ID out of range
    ASSERT_TRUE(info.isVisible());
    EXPECT_EQ(info.windowHandle()->transientParent(), setup.windowHandle());
    EXPECT_TRUE(Active(&info));
    QTest::keyClick(info.windowHandle(), Qt::Key_Return);
    EXPECT_FALSE(info.isVisible());
}

TEST_F(DialogsAsUser, AddressBoxesTakeDotsAndAPastedAddress)
{
    TfmNetworkSetup& setup = *rig->Main->Link().LinkDialogs().fmNetworkSetup;
    rig->Main->Link().NetworkSetupClick();
    ASSERT_TRUE(Active(&setup));
    auto boxes = [&] {
        QStringList t;
        for (QLineEdit* e : setup.edIp)
            t << e->text();
        return t.join(u'.');
    };
    struct Case {
        const char* what;
        const char* typed;
        const char* want;
    } cases[] = {
        {"dots end each box", "127.0.0.1", "127.0.0.1"},
        {"a full box moves on; its dot is not a second one", "192.168.1.20", "192.168.1.20"},
        {"short numbers", "10.0.0.5", "10.0.0.5"},
    };
    for (const Case& c : cases) {
        ClickCentre(setup.edIp[0]);
        QApplication::processEvents();
        TypeInto(&setup, QString::fromLatin1(c.typed));
        EXPECT_EQ(boxes(), QString::fromLatin1(c.want)) << c.what;
    }

    QApplication::clipboard()->setText(QStringLiteral("172.16.5.9"));
    ClickCentre(setup.edIp[0]);
    QApplication::processEvents();
    QTest::keyClick(setup.windowHandle(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(boxes(), QStringLiteral("172.16.5.9")) << "a pasted address fills all four";

    // Return presses Set: the address typed with dots is the one taken.
    ClickCentre(setup.edIp[0]);
    QApplication::processEvents();
    TypeInto(&setup, QStringLiteral("127.0.0.1"));
    QTest::keyClick(setup.windowHandle(), Qt::Key_Return);
    EXPECT_FALSE(setup.isVisible());
    EXPECT_EQ(rig->Main->Link().GetNetAddress(), 0x7F000001u);
}

TEST_F(DialogsAsUser, ReturnAndEscapeInEveryDialog)
{
    TDialogs& s = *rig->Main->Dialogs();
    TLinkDialogs& l = rig->Main->Link().LinkDialogs();
    std::vector<TDialogForm*> all{s.fmPeqRst.get(),         s.fmAbout.get(),          s.fmInformation.get(),
                                  s.fmExit.get(),           s.fmFactory.get(),        s.fmTest.get(),
                                  l.fmNetwork.get(),        l.fmNetworkSetup.get(),   D().fmStorePreset.get(),
                                  D().fmRecallPreset.get(), D().fmStoreName.get(),    D().fmLinkSel.get(),
                                  D().fmCopy.get(),         D().fmLockPassWord.get(), D().fmLockSetup.get(),
                                  D().fmChNameList.get(),   D().fmChannelName.get()};
    for (TDialogForm* d : all) {
        const QString name = QString::fromLatin1(typeid(*d).name());
        for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
            sk::TSkBmpButton* b = key == Qt::Key_Return ? d->DefaultButton() : d->CancelButton();
            int clicks = 0;
            std::function<void(fw::TControl*)> saved;
            if (b) {
                saved = b->OnClick;
                b->OnClick = [&](fw::TControl*) {
                    ++clicks;
                    d->Close();
                };
            }
            d->ShowModal();
            ASSERT_TRUE(Active(d)) << name.toStdString();
            QTest::keyClick(d->windowHandle(), Qt::Key(key));
            if (b) {
                b->OnClick = saved;
                EXPECT_EQ(clicks, 1) << name.toStdString() << (key == Qt::Key_Return ? " Return" : " Escape");
            }
            if (key == Qt::Key_Escape) {
                EXPECT_FALSE(d->isVisible()) << name.toStdString() << " Escape cancels";
            }
            d->Close();
        }
        // Every dialog with an OK or Set button takes it as the default.
        for (auto* btn : d->findChildren<sk::TSkBmpButton*>()) {
            const QString n = btn->Name();
            if (n == u"btnOK" || n == u"bnSet") {
                EXPECT_EQ(d->DefaultButton(), btn) << name.toStdString();
            }
        }
    }
}

TEST_F(DialogsAsUser, ComboListClosesOnEscapeSecondClickAndClickElsewhere)
{
    TfmTest& test = *rig->Main->Dialogs()->fmTest;
    sk::TSkComboBox* combo = test.cbSineFreq;
    test.ShowModal();
    ASSERT_TRUE(Active(&test));
    struct Case {
        const char* what;
        std::function<void()> close;
    } cases[] = {
        {"Escape", [&] { QTest::keyClick(test.windowHandle(), Qt::Key_Escape); }},
        {"a second click on the combo", [&] { ClickCentre(combo); }},
        {"a click elsewhere", [&] { Click(&test, QPoint(test.width() - 6, 6)); }},
    };
    for (const Case& c : cases) {
        ClickCentre(combo);
        ASSERT_TRUE(combo->DroppedDown()) << c.what;
        c.close();
        QApplication::processEvents();
        EXPECT_FALSE(combo->DroppedDown()) << c.what;
        EXPECT_TRUE(test.isVisible()) << c.what << ": the dialog stays";
        EXPECT_EQ(combo->ItemIndex(), 0) << c.what << ": nothing chosen";
    }
    // A choice still chooses.
    ClickCentre(combo);
    QListWidget* list = combo->DropDownList();
    ASSERT_TRUE(list && list->isVisible());
    const QRect item = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->windowHandle(), Qt::LeftButton, {}, list->viewport()->mapTo(list, item.center()));
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
}

// Texts take the dialog's width and none overlaps another, in both languages.
TEST_F(DialogsAsUser, DialogTextsFitTheirDialogs)
{
    TDialogs& s = *rig->Main->Dialogs();
    for (const char* language : {"English", "ChineseSimplified"}) {
        rig->Main->LanguageClick(rig->Main->MenuItem(QString::fromLatin1(language)));
        for (TDialogForm* d :
             std::initializer_list<TDialogForm*>{s.fmExit.get(), s.fmInformation.get(), s.fmPeqRst.get(),
                                                 s.fmFactory.get(), s.fmAbout.get()}) {
            if (d == s.fmInformation.get())
                s.fmInformation->lbMessage->SetCaption(
                    rig->Main->LookupText(QStringLiteral("SID_INFO_CON_FIRST")));
            d->Show();
            std::vector<std::pair<QString, QRect>> texts;
            for (auto* l : d->findChildren<sk::TSkLabel*>()) {
                if (!l->isVisible() || l->Caption().isEmpty())
                    continue;
                const QFont f = l->Font().ToQFont();
                const QFontMetrics m(f);
                const QRect box = l->geometry();
                const QRect drawn =
                    m.boundingRect(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, l->Caption());
                const std::string what = std::string(language) + " " + l->Name().toStdString();
                // A text that fits the dialog on one line is drawn on one line.
                if (m.horizontalAdvance(l->Caption()) <= d->width() - 32) {
                    EXPECT_LE(drawn.height(), m.lineSpacing() + 1)
                        << what << ": " << l->Caption().toStdString();
                }
                EXPECT_LE(drawn.height(), box.height()) << what << " within its box";
                texts.push_back({l->Name(), QRect(box.left(), box.top() + (box.height() - drawn.height()) / 2,
                                                  box.width(), drawn.height())});
            }
            for (std::size_t i = 0; i < texts.size(); ++i)
                for (std::size_t j = i + 1; j < texts.size(); ++j)
                    EXPECT_FALSE(texts[i].second.intersects(texts[j].second))
                        << language << ": " << texts[i].first.toStdString() << " over "
                        << texts[j].first.toStdString();
            d->Close();
        }
    }
    rig->Main->LanguageClick(rig->Main->MenuItem(QStringLiteral("English")));
}

} // namespace
